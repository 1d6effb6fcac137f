// Feeds arbitrary bytes to the Aiken reader: see interchange_round_trip.h for what must hold.

#include "interchange/aiken_format.h"
#include "interchange_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quizmora::fuzzing::checkRoundTrip(data, size, quizmora::readAiken, quizmora::writeAiken);
  return 0;
}
