#include "interchange/aiken_format.h"

#include "interchange/interchange_text.h"

namespace quizmora {
namespace {

// "A) text", "B.text": the letter's position, or -1 for any other line.
int choiceLetter(std::string_view line) {
  if (line.size() < 2 || line[0] < 'A' || line[0] > 'Z') return -1;
  if (line[1] != ')' && line[1] != '.') return -1;
  return line[0] - 'A';
}

bool isAnswerLine(std::string_view line) {
  if (line.size() < 7) return false;
  for (std::size_t i = 0; i < 6; ++i) {
    if ((line[i] | 0x20) != "answer"[i]) return false;
  }
  return line[6] == ':';
}

class AikenReader {
 public:
  explicit AikenReader(InterchangeReport& report) : report_(report) {}

  std::optional<ExamDocument> read(std::string_view bytes) {
    LineCursor lines(withoutByteOrderMark(bytes));
    std::string_view raw;
    while (lines.next(raw)) {
      const std::string_view line = trimmed(raw);
      if (line.empty()) continue;
      if (!readLine(line, lines.number())) return std::nullopt;
    }
    if (!text_.empty()) {
      fail(startLine_, "the question has no \"ANSWER:\" line");
      return std::nullopt;
    }
    return std::move(exam_);
  }

 private:
  bool fail(int line, std::string reason) {
    report_.fail(0, line, std::move(reason));
    return false;
  }

  bool readLine(std::string_view line, int number) {
    if (isAnswerLine(line)) return readAnswerKey(trimmed(line.substr(7)), number);
    const int letter = text_.empty() ? -1 : choiceLetter(line);
    if (letter >= 0) {
      if (static_cast<std::size_t>(letter) != question_.answers.size()) {
        return fail(number, std::string("choice ") + line[0] + " where choice " +
                                choiceLabel(question_.answers.size()) + " was expected");
      }
      std::string_view choice = line.substr(2);
      if (!choice.empty() && (choice.front() == ' ' || choice.front() == '\t')) {
        choice.remove_prefix(1);
      }
      std::optional<std::u16string> answer = importedText(trimmed(choice));
      if (!answer) return fail(number, "the text is not UTF-8");
      question_.answers.push_back({std::move(*answer), 0});
      return true;
    }
    if (!question_.answers.empty()) {
      return fail(number, "expected a choice (\"" + choiceLabel(question_.answers.size()) +
                              ") ...\") or \"ANSWER:\"");
    }
    // The question text, perhaps over several lines.
    if (!text_.empty()) text_ += "\n";
    if (text_.empty()) startLine_ = number;
    text_ += line;
    return true;
  }

  bool readAnswerKey(std::string_view key, int number) {
    if (text_.empty() || question_.answers.empty()) {
      return fail(number, "\"ANSWER:\" without a question and its choices");
    }
    const int letter = key.size() == 1 ? (key[0] & ~0x20) - 'A' : -1;
    if (letter < 0 || letter >= static_cast<int>(question_.answers.size())) {
      return fail(number, "\"ANSWER: " + std::string(key) + "\" names none of the choices");
    }
    std::optional<std::u16string> text = importedText(text_);
    if (!text) return fail(startLine_, "the text is not UTF-8");
    question_.type = QuestionType::OneChoice;
    question_.text = std::move(*text);
    question_.answers[static_cast<std::size_t>(letter)].isCorrect = 1;
    exam_.questions.push_back(std::move(question_));
    question_ = QuestionRecord{};
    text_.clear();
    return true;
  }

  InterchangeReport& report_;
  ExamDocument exam_;
  QuestionRecord question_;  // the one being read
  std::string text_;         // its text so far; empty between questions
  int startLine_ = 0;
};

constexpr std::size_t kMostChoices = 26;

// Why a question cannot be written, or empty when it can.
std::string unfit(const QuestionRecord& question) {
  const bool choice =
      question.type == QuestionType::OneChoice || question.type == QuestionType::MultipleChoice;
  if (question.type == QuestionType::FlashCard) return "a flash card is skipped";
  if (!choice) {
    return "question type " + std::to_string(static_cast<int>(question.type)) + " is skipped";
  }
  if (question.answers.empty()) return "a choice question without answers is skipped";
  if (question.answers.size() > kMostChoices)
    return "a question with more than 26 answers is skipped";
  std::size_t correct = 0;
  for (const AnswerRecord& answer : question.answers) correct += answer.correct() ? 1 : 0;
  if (correct != 1) {
    return "a " + std::string(questionKindName(question.type)) + " question with " +
           std::to_string(correct) + " correct answers is skipped";
  }
  if (trimmed(exportedText(question.text, " ")).empty()) {
    return "a question without text is skipped";
  }
  if (isAnswerLine(trimmed(exportedText(question.text, " ")))) {
    return "a question whose text starts with \"ANSWER:\" is skipped";
  }
  return {};
}

std::string oneLine(std::u16string_view text, int number, const std::string& what,
                    InterchangeReport& report) {
  if (hasLineBreak(text)) report.warn(number, 0, "line breaks in " + what + " become spaces");
  if (hasOuterSpace(text)) report.warn(number, 0, "spaces around " + what + " are dropped");
  return std::string(trimmed(exportedText(text, " ")));
}

}  // namespace

std::optional<ExamDocument> readAiken(std::string_view bytes, InterchangeReport& report) {
  return AikenReader(report).read(bytes);
}

std::string writeAiken(const ExamDocument& exam, InterchangeReport& report) {
  warnUnkeptHeader(exam, report, false, false);
  std::string out;
  int number = 0;
  for (const QuestionRecord& question : exam.questions) {
    ++number;
    if (const std::string why = unfit(question); !why.empty()) {
      report.warn(number, 0, why);
      continue;
    }
    if (question.type == QuestionType::MultipleChoice) {
      report.warn(number, 0, "a multiple choice question comes back as one choice");
    }
    const std::string text = oneLine(question.text, number, "the question text", report);
    // A U+FEFF that opened the file would read as its byte-order mark.
    if (out.empty() && text.substr(0, 3) == "\xEF\xBB\xBF") out += '\n';
    out += text;
    out += '\n';
    std::string key;
    for (std::size_t i = 0; i < question.answers.size(); ++i) {
      const std::string label = choiceLabel(i);
      out += label + ". " +
             oneLine(question.answers[i].text, number, "answer " + std::to_string(i + 1), report) +
             '\n';
      if (question.answers[i].correct()) key = label;
    }
    out += "ANSWER: " + key + "\n\n";
  }
  return out;
}

}  // namespace quizmora
