#pragma once
// GIFT, the plain-text question format of learning platforms' question banks: one question
// per paragraph, answers in braces ("{=right ~wrong}").

#include <optional>
#include <string>
#include <string_view>

#include "interchange/interchange_report.h"
#include "model/exam_document.h"

namespace quizmora {

// Choice questions, true/false (one choice "True"/"False"), short answers (a flash card with
// the first accepted answer as its back) and essays (a flash card with an empty back) come
// in; matching, numerical and description items are skipped with a warning naming their
// line. A text in "[html]" (its own marker, or for an answer its question's) comes in as
// plain text; "[plain]", "[moodle]" and "[markdown]" texts as they stand. Title and author
// come from "// title:" and "// author:" comment lines before the first question, taken as
// they stand. nullopt, with the report's error, for input a platform would refuse (a multiple
// choice question with fewer than two answers among it).
std::optional<ExamDocument> readGift(std::string_view bytes, InterchangeReport& report);

// UTF-8 without a byte-order mark, LF line ends, one question per line and a blank line
// after each. Warns for every question that would not come back as it is, and skips, with a
// warning, a question the platforms would refuse (a choice question that would go out with
// a single answer).
std::string writeGift(const ExamDocument& exam, InterchangeReport& report);

}  // namespace quizmora
