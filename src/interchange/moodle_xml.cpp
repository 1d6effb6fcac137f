#include "interchange/moodle_xml.h"

#include <charconv>
#include <cstddef>
#include <pugixml.hpp>
#include <system_error>
#include <vector>

#include "format/utf8_text.h"
#include "interchange/html_text.h"
#include "interchange/xml_export.h"
#include "interchange/xml_read.h"
#include "interchange/xml_text.h"

namespace quizmora {

namespace {

// ---------------------------------------------------------------------------------------
// Writing

void appendText(std::string& out, std::string_view indent, std::string_view utf8) {
  out.append(indent).append("<text>");
  appendXmlEscaped(out, utf8, XmlBreaks::Text);
  out.append("</text>\n");
}

// The platform takes "*" in a short answer for "anything"; "\*" is a literal asterisk.
std::string shortAnswerPattern(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '*') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

std::string literalFromPattern(std::string_view pattern) {
  std::string out;
  out.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '\\' && i + 1 < pattern.size() && pattern[i + 1] == '*') ++i;
    out.push_back(pattern[i]);
  }
  return out;
}

// 100 / k with at most five decimals, as the platform writes its own fractions ("33.33333").
std::string sharedFraction(std::size_t correctCount) {
  if (correctCount <= 1) return "100";
  char buffer[32];
  const double share = 100.0 / static_cast<double>(correctCount);
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, share, std::chars_format::fixed, 5);
  std::string text(buffer, result.ptr);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

// The platform only accepts fractions from its list of grades; equal shares of 100 % are on
// it for 1 to 10 and for 20 correct answers.
bool platformAcceptsShare(std::size_t correctCount) {
  return correctCount <= 10 || correctCount == 20;
}

void appendAnswer(std::string& out, std::string_view fraction, std::string_view text) {
  out.append("    <answer fraction=\"").append(fraction).append("\" format=\"plain_text\">\n");
  appendText(out, "      ", text);
  out.append("    </answer>\n");
}

void appendQuestion(std::string& out, const ExportedQuestion& question,
                    const std::u16string& sourceText, int number, InterchangeReport& report) {
  const ExportedAnswer* back =
      question.kind == QuestionType::FlashCard ? &question.answers[0] : nullptr;
  const char* type = back ? (back->text.empty() ? "essay" : "shortanswer") : "multichoice";
  out.append("  <question type=\"").append(type).append("\">\n    <name>\n");
  bool ignored = false;
  std::string name = xmlSafeUtf8(questionName(sourceText), ignored);
  if (name.empty()) name = "Question " + std::to_string(number);
  appendText(out, "      ", name);
  out.append("    </name>\n    <questiontext format=\"plain_text\">\n");
  appendText(out, "      ", question.text);
  out.append("    </questiontext>\n    <defaultgrade>1</defaultgrade>\n");
  if (back) {
    if (back->text.empty()) {
      out.append("    <responseformat>plain</responseformat>\n");
    } else {
      out.append("    <usecase>0</usecase>\n");
      appendAnswer(out, "100", shortAnswerPattern(back->text));
    }
    out.append("  </question>\n");
    return;
  }

  const bool single = question.kind == QuestionType::OneChoice;
  std::size_t correctCount = 0;
  for (const ExportedAnswer& answer : question.answers) correctCount += answer.correct ? 1 : 0;
  if (question.answers.size() < 2) {
    report.warn(number, 0,
                "the learning platform refuses choice questions with fewer than two answers");
  }
  if (!single && !platformAcceptsShare(correctCount)) {
    report.warn(number, 0,
                "the learning platform may refuse 100 % shared by " + std::to_string(correctCount) +
                    " correct answers");
  }
  out.append(single ? "    <single>true</single>\n" : "    <single>false</single>\n");
  out.append("    <shuffleanswers>false</shuffleanswers>\n");
  out.append("    <answernumbering>abc</answernumbering>\n");
  const std::string right = single ? "100" : sharedFraction(correctCount);
  const char* wrong = single ? "0" : "-100";
  for (const ExportedAnswer& answer : question.answers) {
    appendAnswer(out, answer.correct ? std::string_view(right) : std::string_view(wrong),
                 answer.text);
  }
  out.append("  </question>\n");
}

// A category path names levels with "/"; a "/" inside a name is written "//".
std::string categoryPath(std::string_view title) {
  std::string path = "$course$/top/";
  for (char c : title) {
    if (c == '/') path.push_back('/');
    path.push_back(c);
  }
  return path;
}

// ---------------------------------------------------------------------------------------
// Reading

// The name of the deepest level of a category path; "" for the top level itself.
std::string categoryName(std::string_view path) {
  std::vector<std::string> levels(1);
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] != '/') {
      levels.back().push_back(path[i]);
    } else if (i + 1 < path.size() && path[i + 1] == '/') {
      levels.back().push_back('/');
      ++i;
    } else {
      levels.emplace_back();
    }
  }
  std::size_t first = 0;
  const std::string& context = levels[0];
  if (context.size() >= 2 && context.front() == '$' && context.back() == '$') ++first;
  if (first < levels.size() && levels[first] == "top") ++first;
  return first < levels.size() ? levels.back() : std::string();
}

double fractionOf(pugi::xml_node answer) {
  std::string_view text = answer.attribute("fraction").value();
  while (!text.empty() && (text.front() == ' ' || text.front() == '+')) text.remove_prefix(1);
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::string trimmedLower(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\n' || text.front() == '\t' ||
                           text.front() == '\r')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\n' || text.back() == '\t' ||
                           text.back() == '\r')) {
    text.remove_suffix(1);
  }
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

class QuestionReader {
 public:
  QuestionReader(InterchangeReport& report, int line) : report_(report), line_(line) {}

  // A text with its format: HTML becomes plain text; images are counted.
  std::optional<std::u16string> formatted(pugi::xml_node holder, bool htmlByDefault) {
    for (pugi::xml_node file : holder.children("file")) {
      (void)file;
      ++files_;
    }
    const std::string raw = elementText(holder.child("text"));
    const pugi::xml_attribute format = holder.attribute("format");
    const bool html = format ? std::string_view(format.value()) == "html" : htmlByDefault;
    if (!html) return converted(raw);
    HtmlText text = htmlToText(raw);
    images_ += text.images;
    return converted(text.text);
  }

  std::optional<std::u16string> converted(std::string_view utf8) {
    std::optional<std::u16string> text = modelText(utf8);
    if (!text) report_.fail(0, line_, "a text that is not valid UTF-8");
    return text;
  }

  int imagesDropped() const { return std::max(images_, files_); }

 private:
  InterchangeReport& report_;
  int line_;
  int images_ = 0;
  int files_ = 0;
};

// Reads one question of a kind this program has; false when the file must be refused.
bool readQuestion(pugi::xml_node node, std::string_view type, int line, ExamDocument& exam,
                  InterchangeReport& report) {
  const int number = exam.questionCount() + 1;
  QuestionReader reader(report, line);
  QuestionRecord question;
  std::optional<std::u16string> text = reader.formatted(node.child("questiontext"), true);
  if (!text) return false;
  question.text = std::move(*text);

  if (type == "multichoice" || type == "truefalse") {
    const std::string single = trimmedLower(elementText(node.child("single")));
    const bool multiple = type == "multichoice" && (single == "false" || single == "0");
    question.type = multiple ? QuestionType::MultipleChoice : QuestionType::OneChoice;
    for (pugi::xml_node answer : node.children("answer")) {
      std::optional<std::u16string> answerText = reader.formatted(answer, true);
      if (!answerText) return false;
      if (type == "truefalse") {
        const std::string word = utf16ToUtf8(*answerText);
        if (trimmedLower(word) == "true") *answerText = u"True";
        if (trimmedLower(word) == "false") *answerText = u"False";
      }
      question.answers.push_back({std::move(*answerText), fractionOf(answer) > 0 ? 1 : 0});
    }
  } else {
    // A flash card: the back is the best accepted answer of a short answer, empty for an essay.
    question.type = QuestionType::FlashCard;
    pugi::xml_node best;
    int others = 0;
    for (pugi::xml_node answer : node.children("answer")) {
      if (type != "shortanswer") break;
      if (!best) {
        best = answer;
      } else {
        ++others;
        if (fractionOf(answer) > fractionOf(best)) best = answer;
      }
    }
    std::u16string back;
    if (best) {
      std::optional<std::u16string> converted =
          reader.converted(literalFromPattern(elementText(best.child("text"))));
      if (!converted) return false;
      back = std::move(*converted);
    }
    question.answers.push_back({std::move(back), 1});
    if (others > 0) {
      report.warn(number, line,
                  std::to_string(others) + " further accepted " +
                      (others == 1 ? "answer" : "answers") +
                      " left out (a flash card has one back)");
    }
  }
  if (const int images = reader.imagesDropped(); images > 0) {
    report.warn(
        number, line,
        images == 1 ? std::string("image left out") : std::to_string(images) + " images left out");
  }
  exam.questions.push_back(std::move(question));
  return true;
}

bool isKnownKind(std::string_view type) {
  return type == "multichoice" || type == "truefalse" || type == "shortanswer" || type == "essay";
}

}  // namespace

std::string writeMoodleXml(const ExamDocument& exam, InterchangeReport& report) {
  noteLostHeader(exam.header, false, report);
  std::string out;
  out.reserve(static_cast<std::size_t>(exam.questionCount()) * 900 + 256);
  out.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n");
  if (!exam.header.title.empty()) {
    bool dropped = false;
    const std::string title = xmlSafeUtf8(exam.header.title, dropped);
    if (dropped) report.warn(0, 0, "characters XML cannot hold were left out of the title");
    out.append("  <question type=\"category\">\n    <category>\n");
    appendText(out, "      ", categoryPath(title));
    out.append("    </category>\n  </question>\n");
  }
  int number = 0;
  for (const QuestionRecord& question : exam.questions) {
    ++number;
    appendQuestion(out, exportedQuestion(question, number, report), question.text, number, report);
  }
  out.append("</quiz>\n");
  return out;
}

std::optional<ExamDocument> readMoodleXml(std::string_view bytes, InterchangeReport& report) {
  LineCounter lines(bytes);
  pugi::xml_document document;
  const pugi::xml_parse_result parsed =
      document.load_buffer(bytes.data(), bytes.size(),
                           pugi::parse_default | pugi::parse_ws_pcdata_single, pugi::encoding_auto);
  if (!parsed) {
    report.fail(0, lines.lineAt(parsed.offset),
                std::string("not well-formed XML: ") + parsed.description());
    return std::nullopt;
  }
  pugi::xml_node quiz = document.document_element();
  if (std::string_view(quiz.name()) != "quiz") {
    report.fail(0, lines.lineAt(quiz.offset_debug()),
                std::string("not Moodle XML: the document is <") + quiz.name() + ">, not <quiz>");
    return std::nullopt;
  }

  ExamDocument exam;
  bool titleSeen = false;
  pugi::xml_node read;  // the question before, let go so a large file's tree shrinks as it goes
  for (pugi::xml_node node = quiz.child("question"), next; node; node = next) {
    next = node.next_sibling("question");
    if (read) quiz.remove_child(read);
    read = node;
    const int line = lines.lineAt(node.offset_debug());
    const std::string_view type = node.attribute("type").value();
    if (type == "category") {
      if (titleSeen) continue;
      titleSeen = true;
      std::optional<std::u16string> title =
          modelText(categoryName(elementText(node.child("category").child("text"))));
      if (!title) {
        report.fail(0, line, "a text that is not valid UTF-8");
        return std::nullopt;
      }
      exam.header.title = std::move(*title);
      continue;
    }
    if (!isKnownKind(type)) {
      std::string text = "question without a type left out";
      if (!type.empty()) {
        text.assign(1, '"').append(type).append("\" question left out (no such kind here)");
      }
      report.warn(0, line, std::move(text));
      continue;
    }
    if (!readQuestion(node, type, line, exam, report)) return std::nullopt;
  }
  return exam;
}

}  // namespace quizmora
