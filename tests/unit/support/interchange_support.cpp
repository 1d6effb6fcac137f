#include "support/interchange_support.h"

#include <array>

#include "support/test_support.h"

namespace quizmora {

void PrintTo(const QuestionRecord& question, std::ostream* out) {
  *out << "{type " << static_cast<int>(question.type) << ", \"" << test::printable(question.text)
       << "\",";
  for (const AnswerRecord& answer : question.answers) {
    *out << " [\"" << test::printable(answer.text) << "\" " << answer.isCorrect << "]";
  }
  *out << "}";
}

void PrintTo(const ExamDocument& exam, std::ostream* out) {
  *out << "{title \"" << test::printable(exam.header.title) << "\", author \""
       << test::printable(exam.header.author) << "\", mode " << static_cast<int>(exam.header.mode)
       << ",";
  for (const QuestionRecord& question : exam.questions) {
    *out << "\n  ";
    PrintTo(question, out);
  }
  *out << "}";
}

namespace test {

QuestionRecord oneChoice(std::u16string text, std::vector<AnswerRecord> answers) {
  return {QuestionType::OneChoice, std::move(text), std::move(answers)};
}

QuestionRecord multipleChoice(std::u16string text, std::vector<AnswerRecord> answers) {
  return {QuestionType::MultipleChoice, std::move(text), std::move(answers)};
}

QuestionRecord flashCard(std::u16string front, std::u16string back) {
  return {QuestionType::FlashCard, std::move(front), {{std::move(back), 1}}};
}

ExamDocument examOf(std::vector<QuestionRecord> questions, std::u16string title,
                    std::u16string author) {
  ExamDocument exam;
  exam.questions = std::move(questions);
  exam.header.title = std::move(title);
  exam.header.author = std::move(author);
  return exam;
}

namespace {
std::string describe(const InterchangeNote& note) {
  if (note.line > 0) return "line " + std::to_string(note.line) + ": " + note.text;
  if (note.question > 0) return "question " + std::to_string(note.question) + ": " + note.text;
  return note.text;
}
}  // namespace

std::vector<std::string> warningsOf(const InterchangeReport& report) {
  std::vector<std::string> out;
  for (const InterchangeNote& note : report.warnings) out.push_back(describe(note));
  return out;
}

std::string errorOf(const InterchangeReport& report) {
  return report.error ? describe(*report.error) : std::string();
}

QuestionRecord manyAnswers(QuestionType type, std::size_t count) {
  QuestionRecord question{type, u"Which?", {}};
  for (std::size_t i = 1; i <= count; ++i) {
    const std::string text = "answer " + std::to_string(i);
    question.answers.push_back({std::u16string(text.begin(), text.end()), i % 2 == 1 ? 1 : 0});
  }
  return question;
}

ExamDocument randomExam(std::mt19937& random, int questions) {
  static constexpr std::array<std::u16string_view, 30> kPieces = {
      u"a", u"Zy", u" ",  u"~",  u"=",  u"#", u"{",       u"}",  u"::",   u"\\",
      u"%", u"[",  u"//", u"->", u"\"", u",", u";",       u"\t", u"\r\n", u"&",
      u"<", u"é",  u"中", u"😀",  u"T",  u"1", u"ANSWER:", u"A)", u"####", u"$CATEGORY:"};
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  auto text = [&] {
    std::u16string out;
    for (int n = pick(0, 6); n > 0; --n) out += kPieces[static_cast<std::size_t>(pick(0, 29))];
    return out;
  };
  ExamDocument exam;
  exam.header.title = text();
  exam.header.author = text();
  for (int i = 0; i < questions; ++i) {
    QuestionRecord question{static_cast<QuestionType>(pick(0, 2)), text(), {}};
    if (question.type == QuestionType::FlashCard) {
      question.answers.push_back({text(), 1});
    } else {
      for (int n = pick(1, 6); n > 0; --n) question.answers.push_back({text(), pick(0, 1)});
    }
    exam.questions.push_back(std::move(question));
  }
  return exam;
}

}  // namespace test
}  // namespace quizmora
