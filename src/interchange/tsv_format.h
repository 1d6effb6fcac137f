#pragma once
// Tab-separated flash cards as flash-card programs import and export them: "#key:value"
// header lines ("#separator:tab", "#html:false", "#deck:..."), then one card per line, front
// and back, a field holding a tab, a quotation mark or a line break in double quotes.

#include <optional>
#include <string>
#include <string_view>

#include "interchange/interchange_report.h"
#include "model/exam_document.h"

namespace quizmora {

// Every line becomes a flash card; the deck is the title. Fields after the back (tags, ...)
// are ignored; with "#html:true" fields are HTML and come in as plain text. The other
// separators such files name (comma, semicolon, pipe, colon, space) are read too.
std::optional<ExamDocument> readTsv(std::string_view bytes, InterchangeReport& report);

// Choice questions become cards too: the front holds the question and its lettered choices,
// the back the correct ones. Warns for each such question, for the author and the mode.
std::string writeTsv(const ExamDocument& exam, InterchangeReport& report);

}  // namespace quizmora
