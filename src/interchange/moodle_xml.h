#pragma once
// Moodle XML, the question-bank format of the Moodle learning platform: a <quiz> of
// <question> elements. One choice and multiple choice are "multichoice" questions (single
// true or false, answers weighted by a percentage fraction), a flash card is a "shortanswer"
// question whose accepted answer is the back ("essay" when the back is empty); the exam's
// title is a leading category. What comes in besides: "truefalse" as a one-choice question
// "True"/"False", "essay" as a flash card with an empty back, HTML text as plain text.
// Other kinds are skipped with a warning; names, feedback, penalties and further categories
// are dropped.

#include <optional>
#include <string>
#include <string_view>

#include "interchange/interchange_report.h"
#include "model/exam_document.h"

namespace quizmora {

// nullopt, with report.error set, when the bytes are not a well-formed <quiz> document.
std::optional<ExamDocument> readMoodleXml(std::string_view bytes, InterchangeReport& report);

// UTF-8 bytes of the document; what the format cannot carry is named in the report.
std::string writeMoodleXml(const ExamDocument& exam, InterchangeReport& report);

}  // namespace quizmora
