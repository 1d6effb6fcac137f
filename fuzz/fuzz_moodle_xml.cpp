// Feeds arbitrary bytes to the Moodle XML reader: see interchange_round_trip.h for what must
// hold.

#include "interchange/moodle_xml.h"
#include "interchange_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quizmora::fuzzing::checkRoundTrip(data, size, quizmora::readMoodleXml, quizmora::writeMoodleXml);
  return 0;
}
