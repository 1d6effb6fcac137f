// Feeds arbitrary bytes to qzm's JSON reader: any input is either refused with a reason or
// reads as an exam, and an exam that was read prints as JSON that reads back equal.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "interchange/exam_json.h"
#include "interchange_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quizmora::fuzzing::require;
  const quizmora::JsonExamResult read =
      quizmora::examFromJson(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!read.ok()) return 0;
  const std::string printed = quizmora::examToJson(read.document).dump();
  const quizmora::JsonExamResult back = quizmora::examFromJson(printed);
  require(back.ok(), "the printed JSON is refused");
  require(back.document.header == read.document.header, "header");
  require(back.document.questions == read.document.questions, "questions");
  return 0;
}
