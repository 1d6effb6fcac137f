#pragma once
// Exams as a spreadsheet: one row per question, "Type,Question,Correct,Answer 1,Answer 2,..."
// with as many answer columns as the longest question needs. Quoting is RFC 4180's, done by
// libcsv.

#include <optional>
#include <string>
#include <string_view>

#include "interchange/interchange_report.h"
#include "model/exam_document.h"

namespace quizmora {

// With or without a UTF-8 byte-order mark, separated by "," or ";" (spreadsheets in many
// countries save ";"), the header row required. Type is "one choice", "multiple choice" or
// "flash card" in any case; Correct lists answer numbers separated by ";"; a flash card's
// first answer is its back. An answer cell left empty between others is an empty answer; a
// quoted empty cell ("") at the end is one too, so that exported exams come back whole.
std::optional<ExamDocument> readCsv(std::string_view bytes, InterchangeReport& report);

// UTF-8 with a byte-order mark and CR LF, so that a spreadsheet opens it right; line breaks
// stay inside their cells. Warns for the title, the author, the mode and unknown types.
std::string writeCsv(const ExamDocument& exam, InterchangeReport& report);

}  // namespace quizmora
