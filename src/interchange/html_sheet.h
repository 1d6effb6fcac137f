#pragma once
// A printable exam sheet: one self-contained HTML page (no external files) with the title,
// the author and the numbered questions; choices carry a circle (one choice) or a square
// (multiple choice) and a letter, flash cards a ruled space for the answer.

#include <string>

#include "interchange/interchange_report.h"
#include "model/exam_document.h"

namespace quizmora {

// With `withKey` the sheet is the answer key: correct choices are marked and flash cards
// show their back. Every exam text is escaped. Warns for what the page does not show: the
// exam mode, flash-card answers after the first, unknown question types (shown as cards).
std::string writeHtmlSheet(const ExamDocument& exam, bool withKey, InterchangeReport& report);

}  // namespace quizmora
