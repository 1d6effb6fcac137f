#include "model/exam_document.h"

#include <cassert>

namespace quizmora {

QuestionRecord ExamDocument::questionAt(int i) const {
  assert(i >= 0 && i < questionCount());
  return questions[static_cast<std::size_t>(i)];
}

void ExamDocument::appendQuestion(const QuestionRecord& question) { questions.push_back(question); }

void ExamDocument::replaceQuestionAt(int i, QuestionType type, const std::u16string& text,
                                     const std::vector<AnswerRecord>& answers) {
  if (i < 0 || i >= questionCount()) return;
  QuestionRecord& target = questions[static_cast<std::size_t>(i)];
  target.type = type;
  target.text = text;
  target.answers = answers;
}

void ExamDocument::removeQuestionAt(int i) {
  assert(i >= 0 && i < questionCount());
  questions.erase(questions.begin() + i);
}

void ExamDocument::clearQuestions() { questions.clear(); }

}  // namespace quizmora
