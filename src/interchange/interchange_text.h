#pragma once
// Text helpers the interchange formats share: every format here is UTF-8 on the outside,
// while the exam holds UTF-16 with CR LF line breaks (what the editor's multi-line boxes
// give).

#include <optional>
#include <string>
#include <string_view>

#include "interchange/interchange_report.h"
#include "model/exam_document.h"

namespace quizmora {

// The bytes without a leading UTF-8 byte-order mark, which spreadsheets and Windows editors
// put in front.
std::string_view withoutByteOrderMark(std::string_view bytes);

// UTF-8 from a file as exam text: LF, CR and CR LF all become CR LF. nullopt for bytes that
// are not UTF-8 and for U+0000, which no exam text may hold.
std::optional<std::u16string> importedText(std::string_view utf8);

// Exam text as UTF-8, every line break (CR LF, a lone CR or LF) written as `lineBreak`.
std::string exportedText(std::u16string_view text, std::string_view lineBreak);

// Whether the text holds a line break of any kind.
bool hasLineBreak(std::u16string_view text);

// Whether the text begins or ends with a space, tab or line break, which the importers of
// line-based formats trim away.
bool hasOuterSpace(std::u16string_view text);

// Text for an HTML page: "&", "<", ">", quotation mark and apostrophe as references.
std::string escapeHtml(std::string_view utf8);

// Warnings for the header fields a format has no place for, when they hold anything: the
// title, the author, and the exam mode (no other tool has one).
void warnUnkeptHeader(const ExamDocument& exam, InterchangeReport& report, bool keepsTitle,
                      bool keepsAuthor);

// The question kinds by name, as warnings and the CSV type column say them.
std::string_view questionKindName(QuestionType type);

// The letter a printed or exported choice goes by: A to Z, then AA, AB, ... as spreadsheet
// columns, so that a question with 100 answers still has a label for each.
std::string choiceLabel(std::size_t index);

// A line of input at a time, with its number from 1; a CR before the LF is not part of the
// line.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}
  bool next(std::string_view& line) {
    if (start_ > text_.size()) return false;
    std::size_t end = text_.find('\n', start_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(start_, end - start_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    start_ = end + 1;
    ++number_;
    return true;
  }
  int number() const { return number_; }

 private:
  std::string_view text_;
  std::size_t start_ = 0;
  int number_ = 0;
};

// Without spaces, tabs or line-end characters at either end.
std::string_view trimmed(std::string_view text);

}  // namespace quizmora
