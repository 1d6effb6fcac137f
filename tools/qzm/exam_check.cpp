#include "exam_check.h"

#include <algorithm>
#include <cstdint>

namespace quizmora {

namespace {

bool isNamedValue(std::int32_t value) { return value >= 0 && value <= 2; }

bool isChoiceQuestion(QuestionType type) {
  return type == QuestionType::OneChoice || type == QuestionType::MultipleChoice;
}

bool hasCorrectAnswer(const QuestionRecord& question) {
  return std::any_of(question.answers.begin(), question.answers.end(),
                     [](const AnswerRecord& answer) { return answer.correct(); });
}

void checkQuestion(const QuestionRecord& question, int number, std::vector<std::string>& out) {
  const std::string prefix = "question " + std::to_string(number) + ": ";
  const auto type = static_cast<std::int32_t>(question.type);
  if (!isNamedValue(type)) {
    out.push_back(prefix + "unknown question type " + std::to_string(type) +
                  " (expected 0, 1 or 2)");
  }
  if (question.text.empty()) out.push_back(prefix + "empty question text");
  if (isChoiceQuestion(question.type) && !hasCorrectAnswer(question)) {
    out.push_back(prefix + "choice question without a correct answer");
  }
}

}  // namespace

std::vector<std::string> examProblems(const ExamDocument& document) {
  std::vector<std::string> problems;
  const auto mode = static_cast<std::int32_t>(document.header.mode);
  if (!isNamedValue(mode)) {
    problems.push_back("exam: unknown exam mode " + std::to_string(mode) + " (expected 0, 1 or 2)");
  }
  int number = 1;
  for (const QuestionRecord& question : document.questions) {
    checkQuestion(question, number++, problems);
  }
  return problems;
}

}  // namespace quizmora
