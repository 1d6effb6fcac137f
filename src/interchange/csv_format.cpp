#include "interchange/csv_format.h"

#include <csv.h>

#include <algorithm>
#include <charconv>
#include <vector>

#include "interchange/interchange_text.h"

namespace quizmora {
namespace {

constexpr std::string_view kHeader[] = {"type", "question", "correct"};

std::string lowered(std::string_view text) {
  std::string out(trimmed(text));
  for (char& c : out) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  return out;
}

struct Cell {
  std::string text;
  bool present = false;  // false for an empty cell without quotation marks
};

// Collects libcsv's fields into rows and turns each row into a question as it ends. Input
// goes to the parser a line at a time, so the number of the line being parsed is known
// whenever a field or a row ends.
class CsvReader {
 public:
  explicit CsvReader(InterchangeReport& report) : report_(report) {
    csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI | CSV_EMPTY_IS_NULL);
    // Spaces around a cell are the author's text, not padding.
    csv_set_space_func(&parser_, [](unsigned char) { return 0; });
  }
  ~CsvReader() { csv_free(&parser_); }
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  std::optional<ExamDocument> read(std::string_view bytes) {
    bytes = withoutByteOrderMark(bytes);
    const std::size_t firstSeparator = bytes.substr(0, bytes.find('\n')).find_first_of(",;");
    if (firstSeparator == std::string_view::npos) {
      report_.fail(0, 1, "the header row Type,Question,Correct,Answer 1,... is missing");
      return std::nullopt;
    }
    csv_set_delim(&parser_, static_cast<unsigned char>(bytes[firstSeparator]));

    LineCursor lines(bytes);
    std::size_t start = 0;
    while (start < bytes.size() && !report_.failed()) {
      std::size_t end = bytes.find('\n', start);
      end = end == std::string_view::npos ? bytes.size() : end + 1;
      ++line_;
      if (csv_parse(&parser_, bytes.data() + start, end - start, onField, onRowEnd, this) !=
          end - start) {
        return failParse();
      }
      start = end;
    }
    if (report_.failed()) return std::nullopt;
    if (csv_fini(&parser_, onField, onRowEnd, this) != 0) return failParse();
    if (report_.failed()) return std::nullopt;
    if (!headerSeen_) {
      report_.fail(0, 1, "the header row Type,Question,Correct,Answer 1,... is missing");
      return std::nullopt;
    }
    return std::move(exam_);
  }

 private:
  std::nullopt_t failParse() {
    report_.fail(0, line_,
                 csv_error(&parser_) == CSV_EPARSE
                     ? "a quotation mark out of place (a quoted cell not closed, or text after "
                       "its closing mark)"
                     : csv_strerror(csv_error(&parser_)));
    return std::nullopt;
  }

  static void onField(void* data, std::size_t size, void* self) {
    auto& reader = *static_cast<CsvReader*>(self);
    Cell cell;
    if (data) cell = {std::string(static_cast<const char*>(data), size), true};
    if (reader.row_.empty()) {
      // The row began on the line its first cell began on.
      reader.rowLine_ =
          reader.line_ - static_cast<int>(std::count(cell.text.begin(), cell.text.end(), '\n'));
    }
    reader.row_.push_back(std::move(cell));
  }

  static void onRowEnd(int, void* self) {
    auto& reader = *static_cast<CsvReader*>(self);
    if (!reader.report_.failed()) reader.takeRow();
    reader.row_.clear();
  }

  bool fail(std::string reason) {
    report_.fail(0, rowLine_, std::move(reason));
    return false;
  }

  bool takeRow() {
    if (!headerSeen_) {
      headerSeen_ = true;
      for (std::size_t i = 0; i < std::size(kHeader); ++i) {
        if (i >= row_.size() || lowered(row_[i].text) != kHeader[i]) {
          return fail("the header row must begin with Type, Question, Correct");
        }
      }
      return true;
    }
    // Spreadsheets save rows that only look empty (";;;;") below the last one used.
    if (std::all_of(row_.begin(), row_.end(), [](const Cell& cell) { return cell.text.empty(); })) {
      return true;
    }
    QuestionRecord question;
    const std::string type = lowered(row_[0].text);
    if (type == "one choice") {
      question.type = QuestionType::OneChoice;
    } else if (type == "multiple choice") {
      question.type = QuestionType::MultipleChoice;
    } else if (type == "flash card") {
      question.type = QuestionType::FlashCard;
    } else {
      return fail("unknown type \"" + row_[0].text +
                  "\" (one choice, multiple choice or flash card)");
    }
    std::optional<std::u16string> text = importedText(row_.size() > 1 ? row_[1].text : "");
    if (!text) return fail("the text is not UTF-8");
    question.text = std::move(*text);

    std::vector<std::size_t> correct;
    if (question.type != QuestionType::FlashCard && row_.size() > 2 &&
        !parseCorrect(row_[2].text, correct)) {
      return false;
    }
    // Answer cells up to the last one that holds something.
    std::size_t count = 0;
    for (std::size_t i = 3; i < row_.size(); ++i) {
      if (row_[i].present) count = i - 2;
    }
    for (std::size_t number : correct) {
      if (number > count) {
        return fail("Correct names answer " + std::to_string(number) + " of " +
                    std::to_string(count));
      }
    }
    for (std::size_t i = 0; i < count; ++i) {
      std::optional<std::u16string> answer =
          importedText(i + 3 < row_.size() ? row_[i + 3].text : "");
      if (!answer) return fail("the text is not UTF-8");
      const bool isCorrect =
          question.type == QuestionType::FlashCard
              ? i == 0
              : std::find(correct.begin(), correct.end(), i + 1) != correct.end();
      question.answers.push_back({std::move(*answer), isCorrect ? 1 : 0});
    }
    exam_.questions.push_back(std::move(question));
    return true;
  }

  // "1;3", with spaces allowed around the numbers.
  bool parseCorrect(std::string_view cell, std::vector<std::size_t>& numbers) {
    std::size_t start = 0;
    while (start <= cell.size()) {
      std::size_t end = cell.find(';', start);
      if (end == std::string_view::npos) end = cell.size();
      const std::string_view item = trimmed(cell.substr(start, end - start));
      start = end + 1;
      if (item.empty()) continue;
      std::size_t number = 0;
      const auto [last, error] = std::from_chars(item.data(), item.data() + item.size(), number);
      if (error != std::errc() || last != item.data() + item.size() || number == 0) {
        return fail("Correct holds \"" + std::string(cell) +
                    "\"; it takes answer numbers separated by \";\"");
      }
      numbers.push_back(number);
    }
    return true;
  }

  InterchangeReport& report_;
  csv_parser parser_{};
  ExamDocument exam_;
  std::vector<Cell> row_;
  int line_ = 0;     // the line being parsed
  int rowLine_ = 0;  // the line the current row began on
  bool headerSeen_ = false;
};

// A cell as RFC 4180 writes it: quoted when it holds a separator, a quotation mark or a line
// break, and when it is empty (an empty answer, told apart from no answer at all).
void appendCell(std::string& out, std::string_view text) {
  if (!text.empty() && text.find_first_of(",;\"\r\n") == std::string_view::npos) {
    out += text;
    return;
  }
  const std::size_t start = out.size();
  out.resize(start + text.size() * 2 + 2);
  const std::size_t written =
      csv_write(out.data() + start, out.size() - start, text.data(), text.size());
  out.resize(start + written);
}

}  // namespace

std::optional<ExamDocument> readCsv(std::string_view bytes, InterchangeReport& report) {
  return CsvReader(report).read(bytes);
}

std::string writeCsv(const ExamDocument& exam, InterchangeReport& report) {
  warnUnkeptHeader(exam, report, false, false);
  std::size_t columns = 0;
  for (const QuestionRecord& question : exam.questions) {
    columns = std::max(columns, question.answers.size());
  }
  std::string out = "\xEF\xBB\xBFType,Question,Correct";
  for (std::size_t i = 1; i <= columns; ++i) out += ",Answer " + std::to_string(i);
  out += "\r\n";

  int number = 0;
  for (const QuestionRecord& question : exam.questions) {
    ++number;
    QuestionType type = question.type;
    if (type != QuestionType::OneChoice && type != QuestionType::MultipleChoice &&
        type != QuestionType::FlashCard) {
      report.warn(number, 0,
                  "question type " + std::to_string(static_cast<int>(type)) +
                      " is written as a flash card");
      type = QuestionType::FlashCard;
    }
    out += questionKindName(type);
    out += ',';
    appendCell(out, exportedText(question.text, "\r\n"));
    out += ',';
    std::string correct;
    for (std::size_t i = 0; i < question.answers.size(); ++i) {
      if (type == QuestionType::FlashCard || !question.answers[i].correct()) continue;
      if (!correct.empty()) correct += ';';
      correct += std::to_string(i + 1);
    }
    out += correct;
    if (type == QuestionType::FlashCard && !question.answers.empty()) {
      if (!question.answers.front().correct()) {
        report.warn(number, 0, "the back of a flash card comes back marked correct");
      }
      for (std::size_t i = 1; i < question.answers.size(); ++i) {
        if (question.answers[i].correct()) {
          report.warn(
              number, 0,
              "answer " + std::to_string(i + 1) + " of a flash card comes back not marked correct");
        }
      }
    }
    for (const AnswerRecord& answer : question.answers) {
      out += ',';
      appendCell(out, exportedText(answer.text, "\r\n"));
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace quizmora
