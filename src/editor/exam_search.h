#pragma once
// Find and Find Next: a text in the questions and their answers, from the question after the
// shown one on, round to the shown one last.

#include <optional>
#include <string>

#include "model/exam_document.h"

namespace quizmora {

// Where a found text stands in the form once its question is shown.
enum class FoundIn { QuestionBox, AnswerBox, AnswerRow };

struct FoundText {
  int question = 0;  // position in the exam
  FoundIn place = FoundIn::QuestionBox;
  int row = 0;             // the answer list's row, top 0, for AnswerRow
  std::size_t offset = 0;  // in the box's text (the row's text for AnswerRow)
  std::size_t length = 0;
  friend bool operator==(const FoundText&, const FoundText&) = default;
};

// Searches question `shown` + 1 to the last, then the first to `shown` (any `shown` outside
// the exam starts at the first). In a question: its text, then the answers as the form shows
// them from top to bottom. Without `matchCase`, capital and small letters of Latin, Greek and
// Cyrillic match each other. Nothing for an
// empty text.
std::optional<FoundText> findInExam(const ExamDocument& exam, int shown, const std::u16string& text,
                                    bool matchCase);

}  // namespace quizmora
