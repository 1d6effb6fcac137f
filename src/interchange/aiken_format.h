#pragma once
// Aiken, the simplest question format learning platforms import: a question, its choices as
// "A) ..." or "A. ..." lines and an "ANSWER: X" line naming the one correct choice.

#include <optional>
#include <string>
#include <string_view>

#include "interchange/interchange_report.h"
#include "model/exam_document.h"

namespace quizmora {

// Every question comes in as one choice. Accepted as the platforms accept them: a choice
// letter followed by ")" or "." with or without a space, "answer:" in any case, blank lines
// anywhere, a question text over several lines. Refused: a question without "ANSWER:",
// choices out of letter order, an answer letter naming no choice, text between the choices.
std::optional<ExamDocument> readAiken(std::string_view bytes, InterchangeReport& report);

// Only choice questions with exactly one correct answer and at most 26 answers fit; every
// other question is skipped with a warning, as are line breaks (written as spaces), the
// title, the author and the mode.
std::string writeAiken(const ExamDocument& exam, InterchangeReport& report);

}  // namespace quizmora
