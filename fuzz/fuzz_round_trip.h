#pragma once
// What the XML format fuzz targets check of an exam they read: written out and read back,
// it comes back equal whenever the writer said nothing was lost.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "interchange/interchange_report.h"
#include "model/exam_document.h"

namespace quizmora::fuzz {

inline void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "round trip broken: %s\n", what);
  std::abort();
}

template <typename Write, typename Read>
void requireRoundTrip(const ExamDocument& exam, Write write, Read read) {
  InterchangeReport written;
  const std::string bytes = write(exam, written);
  require(!written.failed(), "the writer failed");
  InterchangeReport reread;
  const std::optional<ExamDocument> back = read(bytes, reread);
  require(back.has_value(), "what was written does not read");
  if (!written.warnings.empty()) return;  // something was left out, and said so
  require(back->header.title == exam.header.title, "title");
  require(back->questions.size() == exam.questions.size(), "question count");
  for (std::size_t i = 0; i < exam.questions.size(); ++i) {
    require(back->questions[i].type == exam.questions[i].type, "question type");
    require(back->questions[i].text == exam.questions[i].text, "question text");
    require(back->questions[i].answers == exam.questions[i].answers, "answers");
  }
}

}  // namespace quizmora::fuzz
