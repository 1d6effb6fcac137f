#include "interchange/tsv_format.h"

#include <array>
#include <vector>

#include "interchange/html_text.h"
#include "interchange/interchange_text.h"

namespace quizmora {
namespace {

struct SeparatorName {
  std::string_view name;
  char separator;
};
constexpr std::array<SeparatorName, 6> kSeparators = {{{"tab", '\t'},
                                                       {"comma", ','},
                                                       {"semicolon", ';'},
                                                       {"pipe", '|'},
                                                       {"colon", ':'},
                                                       {"space", ' '}}};

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  return out;
}

class TsvReader {
 public:
  explicit TsvReader(InterchangeReport& report) : report_(report) {}

  std::optional<ExamDocument> read(std::string_view bytes) {
    text_ = withoutByteOrderMark(bytes);
    if (!readHeader()) return std::nullopt;
    while (position_ < text_.size()) {
      if (atLineStart() &&
          (text_[position_] == '\n' || text_[position_] == '\r' || text_[position_] == '#')) {
        skipLine();  // blank lines and comments
        continue;
      }
      const int line = line_;
      std::vector<std::string> fields;
      if (!readRow(fields)) return std::nullopt;
      if (!addCard(fields, line)) return std::nullopt;
    }
    return std::move(exam_);
  }

 private:
  bool fail(int line, std::string reason) {
    report_.fail(0, line, std::move(reason));
    return false;
  }

  bool atLineStart() const { return position_ == 0 || text_[position_ - 1] == '\n'; }

  void skipLine() {
    const std::size_t end = text_.find('\n', position_);
    position_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++line_;
  }

  // "#separator:", "#html:", "#deck:" and the rest of the "#key:value" lines at the top.
  bool readHeader() {
    while (position_ < text_.size() && text_[position_] == '#') {
      const std::size_t end = text_.find('\n', position_);
      std::string_view line = text_.substr(
          position_, end == std::string_view::npos ? std::string_view::npos : end - position_);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      const std::size_t colon = line.find(':');
      if (colon == std::string_view::npos) break;  // a comment: the cards begin here
      const std::string key = lowered(trimmed(line.substr(1, colon - 1)));
      const std::string_view value = trimmed(line.substr(colon + 1));
      if (key == "separator" && !readSeparator(value)) return false;
      if (key == "html") html_ = lowered(value) == "true";
      if (key == "deck") {
        std::optional<std::u16string> title = importedText(value);
        if (!title) return fail(line_, "the text is not UTF-8");
        exam_.header.title = std::move(*title);
      }
      skipLine();
    }
    return true;
  }

  bool readSeparator(std::string_view value) {
    const std::string name = lowered(value);
    for (const SeparatorName& known : kSeparators) {
      if (name == known.name || (value.size() == 1 && value[0] == known.separator)) {
        separator_ = known.separator;
        return true;
      }
    }
    if (value == "\\t") {
      separator_ = '\t';
      return true;
    }
    return fail(line_, "unknown separator \"" + std::string(value) + "\"");
  }

  // One row's fields; leaves the position after its line end.
  bool readRow(std::vector<std::string>& fields) {
    for (;;) {
      std::string field;
      if (position_ < text_.size() && text_[position_] == '"') {
        const int start = line_;
        ++position_;
        for (;;) {
          if (position_ >= text_.size()) return fail(start, "a quoted field is not closed");
          const char c = text_[position_++];
          if (c == '"') {
            if (position_ < text_.size() && text_[position_] == '"') {
              field.push_back('"');
              ++position_;
              continue;
            }
            break;
          }
          if (c == '\n') ++line_;
          field.push_back(c);
        }
        if (position_ < text_.size() && text_[position_] != separator_ &&
            text_[position_] != '\n' && text_[position_] != '\r') {
          return fail(line_, "text after the closing quotation mark of a field");
        }
      } else {
        while (position_ < text_.size() && text_[position_] != separator_ &&
               text_[position_] != '\n' && text_[position_] != '\r') {
          field.push_back(text_[position_++]);
        }
      }
      fields.push_back(std::move(field));
      if (position_ >= text_.size()) return true;
      const char end = text_[position_++];
      if (end == separator_) continue;
      if (end == '\r' && position_ < text_.size() && text_[position_] == '\n') ++position_;
      ++line_;
      return true;
    }
  }

  std::optional<std::u16string> fieldText(const std::string& field, int line) {
    if (!html_) return importedText(field);
    HtmlText plain = htmlToText(field);
    if (plain.images > 0) report_.warn(0, line, "an image is dropped");
    return importedText(plain.text);
  }

  bool addCard(const std::vector<std::string>& fields, int line) {
    std::optional<std::u16string> front = fieldText(fields[0], line);
    std::optional<std::u16string> back = fieldText(fields.size() > 1 ? fields[1] : "", line);
    if (!front || !back) return fail(line, "the text is not UTF-8");
    exam_.questions.push_back(
        {QuestionType::FlashCard, std::move(*front), {{std::move(*back), 1}}});
    return true;
  }

  InterchangeReport& report_;
  ExamDocument exam_;
  std::string_view text_;
  std::size_t position_ = 0;
  int line_ = 1;
  char separator_ = '\t';
  bool html_ = false;
};

// A field as written: in quotation marks when it holds the separator, a quotation mark or a
// line break, or starts with '#' (which would read as a comment line).
std::string field(std::u16string_view text) {
  std::string utf8 = exportedText(text, "\n");
  if (utf8.find_first_of("\t\"\n") == std::string::npos && (utf8.empty() || utf8[0] != '#')) {
    return utf8;
  }
  std::string quoted = "\"";
  for (char c : utf8) {
    if (c == '"') quoted.push_back('"');
    quoted.push_back(c);
  }
  quoted.push_back('"');
  return quoted;
}

}  // namespace

std::optional<ExamDocument> readTsv(std::string_view bytes, InterchangeReport& report) {
  return TsvReader(report).read(bytes);
}

std::string writeTsv(const ExamDocument& exam, InterchangeReport& report) {
  warnUnkeptHeader(exam, report, true, false);
  std::string out = "#separator:tab\n#html:false\n";
  if (!exam.header.title.empty()) {
    const std::u16string_view title = exam.header.title;
    if (title.find_first_of(u"\t\r\n") != std::u16string_view::npos) {
      report.warn(0, 0, "tabs and line breaks in the title become spaces");
    }
    if (hasOuterSpace(title)) report.warn(0, 0, "spaces around the title are dropped");
    std::string deck = exportedText(title, " ");
    for (char& c : deck) c = c == '\t' ? ' ' : c;
    out += "#deck:" + std::string(trimmed(deck)) + "\n";
  }
  int number = 0;
  for (const QuestionRecord& question : exam.questions) {
    ++number;
    std::u16string front = question.text;
    std::u16string back;
    if (question.type == QuestionType::OneChoice || question.type == QuestionType::MultipleChoice) {
      report.warn(number, 0,
                  "a " + std::string(questionKindName(question.type)) +
                      " question becomes a flash card with its choices on the front");
      for (std::size_t i = 0; i < question.answers.size(); ++i) {
        const std::string label = choiceLabel(i);  // ASCII letters
        const std::u16string choice =
            std::u16string(label.begin(), label.end()) + u") " + question.answers[i].text;
        front += u"\n" + choice;
        if (!question.answers[i].correct()) continue;
        if (!back.empty()) back += u"\n";
        back += choice;
      }
    } else {
      if (question.type != QuestionType::FlashCard) {
        report.warn(number, 0,
                    "question type " + std::to_string(static_cast<int>(question.type)) +
                        " is written as a flash card");
      }
      if (question.answers.empty()) {
        report.warn(number, 0, "a flash card without a back comes back with an empty back");
      } else {
        back = question.answers.front().text;
      }
      if (question.answers.size() > 1) {
        report.warn(number, 0, "only the first answer of a flash card is kept");
      }
    }
    out += field(front) + '\t' + field(back) + '\n';
  }
  return out;
}

}  // namespace quizmora
