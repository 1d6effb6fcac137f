#pragma once
// The invariant every interchange reader is fuzzed against: any input either is refused with
// a reason or reads as an exam; and an exam the writer puts out without a single warning
// reads back exactly as it went out.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "interchange/interchange_report.h"
#include "model/exam_document.h"

namespace quizmora::fuzzing {

using Reader = std::optional<ExamDocument> (*)(std::string_view, InterchangeReport&);
using Writer = std::string (*)(const ExamDocument&, InterchangeReport&);

inline void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "interchange round trip broken: %s\n", what);
  std::abort();
}

// An exam that was read: written out and read again, it must come back unless refused, and
// equal whenever the writer named nothing it left out.
inline void checkWrittenReadsBack(const ExamDocument& exam, Reader read, Writer write) {
  InterchangeReport writeReport;
  const std::string written = write(exam, writeReport);
  InterchangeReport readReport;
  const std::optional<ExamDocument> back = read(written, readReport);
  require(back.has_value(), "the written file is refused");
  if (!writeReport.warnings.empty()) return;
  require(back->header == exam.header, "header");
  require(back->questions.size() == exam.questions.size(), "question count");
  require(back->questions == exam.questions, "questions");
}

inline void checkRoundTrip(const std::uint8_t* data, std::size_t size, Reader read, Writer write) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  InterchangeReport report;
  const std::optional<ExamDocument> exam = read(input, report);
  require(exam.has_value() != report.failed(), "an exam and an error, or neither");
  if (exam) checkWrittenReadsBack(*exam, read, write);
}

}  // namespace quizmora::fuzzing
