// Feeds arbitrary bytes to the Moodle XML reader. What it reads must survive being written
// and read again unchanged, unless the writer named what it left out.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_round_trip.h"
#include "interchange/moodle_xml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quizmora::InterchangeReport report;
  const std::optional<quizmora::ExamDocument> exam =
      quizmora::readMoodleXml(std::string_view(reinterpret_cast<const char*>(data), size), report);
  quizmora::fuzz::require(exam.has_value() != report.failed(), "result and report disagree");
  if (exam)
    quizmora::fuzz::requireRoundTrip(*exam, quizmora::writeMoodleXml, quizmora::readMoodleXml);
  return 0;
}
