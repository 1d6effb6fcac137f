#pragma once
// The pages students see: the list of exams, and each exam as one page that carries its own
// style and script and takes the exam in the browser. Every text of an exam or a form goes
// out as text: HTML-escaped in markup, and inside the page's data as JSON strings that cannot
// end the script element.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/exam_document.h"
#include "server/exam_store.h"

namespace quizmora {

// A JSON string literal of `text` in UTF-8, with "<", ">", "&" and the two line separators
// written as \u escapes.
std::string jsonString(std::u16string_view text);

std::string listingPage(const std::vector<ExamSummary>& exams);

// The exam page, made piece by piece so that a large exam is never held twice as text.
class ExamPageWriter {
 public:
  ExamPageWriter(ExamDocument exam, std::string name);

  // Appends the next piece (the head, some questions, the end) to `out`; false once the
  // whole page was given.
  bool nextPiece(std::string& out);

 private:
  ExamDocument exam_;
  std::string name_;
  std::size_t next_ = 0;  // the next question to write
  bool started_ = false;
  bool finished_ = false;
};

}  // namespace quizmora
