// Feeds arbitrary bytes to the Tsv reader: see interchange_round_trip.h for what must hold.

#include "interchange/tsv_format.h"
#include "interchange_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quizmora::fuzzing::checkRoundTrip(data, size, quizmora::readTsv, quizmora::writeTsv);
  return 0;
}
