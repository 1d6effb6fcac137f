#include "interchange/gift_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "interchange/html_text.h"
#include "interchange/interchange_text.h"

namespace quizmora {
namespace {

// The characters a backslash makes literal. While a question is taken apart each escaped one
// stands in for itself as a byte that UTF-8 never holds (0xF8 and up), so that searching for
// '{', '~' or '=' only ever finds the structural ones.
constexpr std::string_view kEscapable = "\\:#={}~";
constexpr unsigned char kFirstPlaceholder = 0xF8;

std::string protect(std::string_view raw) {
  std::string out;
  out.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\\' && i + 1 < raw.size()) {
      const char next = raw[i + 1];
      if (next == 'n') {
        out.push_back('\n');
        ++i;
        continue;
      }
      const std::size_t at = kEscapable.find(next);
      if (at != std::string_view::npos) {
        out.push_back(static_cast<char>(kFirstPlaceholder + at));
        ++i;
        continue;
      }
    }
    out.push_back(raw[i]);
  }
  return out;
}

std::string restore(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= kFirstPlaceholder && byte < kFirstPlaceholder + kEscapable.size()) {
      c = kEscapable[byte - kFirstPlaceholder];
    }
  }
  return out;
}

std::string_view trim(std::string_view text) { return trimmed(text); }

bool hasPlaceholderBytes(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= kFirstPlaceholder) return true;
  }
  return false;
}

// How the platform shows a text: a question may open with "[html]", "[moodle]", "[plain]" or
// "[markdown]", an answer likewise; an answer without one takes its question's format, and a
// question without one is "[moodle]", the platform's own.
enum class TextFormat { Moodle, Html, Plain, Markdown };

constexpr std::pair<std::string_view, TextFormat> kFormatMarkers[] = {
    {"[moodle]", TextFormat::Moodle},
    {"[html]", TextFormat::Html},
    {"[plain]", TextFormat::Plain},
    {"[markdown]", TextFormat::Markdown}};

// Removes a leading format marker (and the spaces after it) from `text`; the format it names,
// else `otherwise`.
TextFormat takeFormatMarker(std::string_view& text, TextFormat otherwise) {
  for (const auto& [marker, format] : kFormatMarkers) {
    if (text.substr(0, marker.size()) == marker) {
      text = trim(text.substr(marker.size()));
      return format;
    }
  }
  return otherwise;
}

struct GiftAnswer {
  double weight = 0;  // percent
  std::string_view text;
};

class GiftReader {
 public:
  explicit GiftReader(InterchangeReport& report) : report_(report) {}

  std::optional<ExamDocument> read(std::string_view bytes) {
    bytes = withoutByteOrderMark(bytes);
    std::string block;
    int blockLine = 0;
    bool anyBlock = false;
    LineCursor lines(bytes);
    std::string_view line;
    while (lines.next(line)) {
      const int lineNumber = lines.number();
      const std::string_view content = trim(line);
      if (content.substr(0, 2) == "//") {
        // The header's values run to the line's end, spaces included.
        const std::string_view comment = line.substr(line.find("//") + 2);
        if (!anyBlock && !readHeaderComment(comment, lineNumber)) return std::nullopt;
        continue;
      }
      if (!content.empty()) {
        if (block.empty()) {
          blockLine = lineNumber;
        } else {
          block.push_back('\n');
        }
        block += line;
        anyBlock = true;
        continue;
      }
      if (!block.empty() && !readQuestion(block, blockLine)) return std::nullopt;
      block.clear();
    }
    if (!block.empty() && !readQuestion(block, blockLine)) return std::nullopt;
    return std::move(exam_);
  }

 private:
  // "// title: ..." and "// author: ..." before the first question; other comments say
  // nothing to us. A comment is not GIFT text: its value is taken as it stands.
  bool readHeaderComment(std::string_view comment, int line) {
    while (!comment.empty() && comment.front() == ' ') comment.remove_prefix(1);
    for (auto [key, field] : {std::pair{std::string_view("title:"), &exam_.header.title},
                              std::pair{std::string_view("author:"), &exam_.header.author}}) {
      if (comment.substr(0, key.size()) != key) continue;
      std::string_view value = comment.substr(key.size());
      if (!value.empty() && value.front() == ' ') value.remove_prefix(1);
      std::optional<std::u16string> text = importedText(value);
      if (!text) return fail(line, "the text is not UTF-8");
      *field = std::move(*text);
    }
    return true;
  }

  bool fail(int line, std::string reason) {
    report_.fail(0, line, std::move(reason));
    return false;
  }

  std::optional<std::u16string> text(std::string_view protectedText, int line) {
    std::optional<std::u16string> result = importedText(restore(protectedText));
    if (!result) fail(line, "the text is not UTF-8");
    return result;
  }

  // A text as the platform shows it: HTML becomes plain text, every other format is taken
  // as it stands. `protectedText` still holds the escaped characters' stand-ins.
  std::optional<std::u16string> formattedText(std::string_view protectedText, TextFormat format,
                                              int line, const char* where) {
    if (format != TextFormat::Html) return text(protectedText, line);
    HtmlText plain = htmlToText(restore(protectedText));
    if (plain.images > 0) {
      report_.warn(0, line, std::string("an image in ") + where + " is dropped");
    }
    std::optional<std::u16string> result = importedText(plain.text);
    if (!result) fail(line, "the text is not UTF-8");
    return result;
  }

  // An answer's text: its own format marker, else the question's format.
  std::optional<std::u16string> answerText(std::string_view protectedText, int line) {
    const TextFormat format = takeFormatMarker(protectedText, questionFormat_);
    return formattedText(protectedText, format, line, "an answer");
  }

  // One answer after its '=' or '~': an optional "%weight%", the text, optional "#feedback".
  bool parseAnswer(char marker, std::string_view body, bool weightAfterEquals, int line,
                   GiftAnswer& answer) {
    answer.weight = marker == '=' ? 100 : 0;
    if ((marker != '=' || weightAfterEquals) && !body.empty() && body.front() == '%') {
      const std::size_t close = body.find('%', 1);
      if (close == std::string_view::npos)
        return fail(line, "an answer weight is not closed with %");
      const std::string_view number = body.substr(1, close - 1);
      const char* first = number.data();
      const char* last = number.data() + number.size();
      if (!number.empty() && *first == '+') ++first;
      const auto [end, error] = std::from_chars(first, last, answer.weight);
      if (number.empty() || error != std::errc() || end != last || !std::isfinite(answer.weight)) {
        return fail(line, "the answer weight %" + restore(number) + "% is not a number");
      }
      body.remove_prefix(close + 1);
    }
    answer.text = trim(body.substr(0, body.find('#')));
    return true;
  }

  // The answers of a list, each starting at '=' or '~' (in `markers`); text before the first
  // counts as a wrong answer, as the platforms take it.
  bool splitAnswers(std::string_view list, std::string_view markers, bool weightAfterEquals,
                    int line, std::vector<GiftAnswer>& answers) {
    std::size_t at = list.find_first_of(markers);
    if (const std::string_view lead = trim(list.substr(0, at)); !lead.empty()) {
      answers.push_back({markers == "=" ? 100.0 : 0.0, trim(lead.substr(0, lead.find('#')))});
    }
    while (at != std::string_view::npos) {
      const std::size_t next = list.find_first_of(markers, at + 1);
      GiftAnswer answer;
      if (!parseAnswer(list[at],
                       list.substr(at + 1, next == std::string_view::npos ? std::string_view::npos
                                                                          : next - at - 1),
                       weightAfterEquals, line, answer)) {
        return false;
      }
      answers.push_back(answer);
      at = next;
    }
    return true;
  }

  bool readQuestion(std::string_view raw, int line) {
    if (hasPlaceholderBytes(raw)) return fail(line, "the text is not UTF-8");
    const std::string block = protect(raw);
    std::string_view rest = trim(block);
    if (rest.substr(0, 10) == "$CATEGORY:") return true;  // our exam has no categories
    if (rest.substr(0, 2) == "::") {
      const std::size_t end = rest.find("::", 2);
      if (end == std::string_view::npos) {
        return fail(line, "the question name is not closed with \"::\"");
      }
      rest = trim(rest.substr(end + 2));
    }
    const std::size_t open = rest.find('{');
    if (open == std::string_view::npos) {
      if (rest.find('}') != std::string_view::npos) return fail(line, "\"}\" without \"{\"");
      report_.warn(0, line, "skipped a description (text without answers)");
      return true;
    }
    const std::size_t close = rest.find('}', open);
    if (close == std::string_view::npos) return fail(line, "\"{\" is not closed");
    if (rest.find('{', open + 1) < close) return fail(line, "\"{\" inside an answer list");
    if (rest.substr(0, open).find('}') != std::string_view::npos) {
      return fail(line, "\"}\" without \"{\"");
    }

    std::string_view lead = trim(rest.substr(0, open));
    questionFormat_ = takeFormatMarker(lead, TextFormat::Moodle);
    std::string stem(lead);
    // Text after the answers: the answers fill a gap in the sentence.
    if (const std::string_view after = trim(rest.substr(close + 1)); !after.empty()) {
      stem += " _____ ";
      stem += after;
    }
    std::string_view list = trim(rest.substr(open + 1, close - open - 1));
    if (const std::size_t general = list.find("####"); general != std::string_view::npos) {
      list = trim(list.substr(0, general));
    }

    QuestionRecord question;
    if (list.empty()) {  // an essay: a card whose back the learner writes
      question.type = QuestionType::FlashCard;
      question.answers.push_back({u"", 1});
    } else if (list.front() == '#') {
      report_.warn(0, line, "skipped a numerical question");
      return true;
    } else if (list.find('~') != std::string_view::npos) {
      // With a '=' answer the platforms make it a single-answer question; without one the
      // learner may tick several and the weights share the marks.
      question.type = list.find('=') != std::string_view::npos ? QuestionType::OneChoice
                                                               : QuestionType::MultipleChoice;
      std::vector<GiftAnswer> answers;
      if (!splitAnswers(list, "=~", false, line, answers)) return false;
      if (answers.size() < 2) {
        return fail(line, "a multiple choice question needs at least two answers");
      }
      for (const GiftAnswer& answer : answers) {
        std::optional<std::u16string> text = answerText(answer.text, line);
        if (!text) return false;
        question.answers.push_back({std::move(*text), answer.weight > 0 ? 1 : 0});
      }
    } else if (list.find('=') != std::string_view::npos &&
               list.find("->") != std::string_view::npos) {
      report_.warn(0, line, "skipped a matching question");
      return true;
    } else if (const std::string_view truth = trim(list.substr(0, list.find('#')));
               truth == "T" || truth == "TRUE" || truth == "F" || truth == "FALSE") {
      const bool isTrue = truth.front() == 'T';
      question.type = QuestionType::OneChoice;
      question.answers = {{u"True", isTrue ? 1 : 0}, {u"False", isTrue ? 0 : 1}};
    } else {
      // A short answer: the first accepted answer is the card's back.
      std::vector<GiftAnswer> answers;
      if (!splitAnswers(list, "=", true, line, answers)) return false;
      const GiftAnswer* back = answers.empty() ? nullptr : &answers.front();
      for (const GiftAnswer& answer : answers) {
        if (answer.weight > 0) {
          back = &answer;
          break;
        }
      }
      std::optional<std::u16string> backText = answerText(back ? back->text : "", line);
      if (!backText) return false;
      question.type = QuestionType::FlashCard;
      question.answers.push_back({std::move(*backText), 1});
    }
    std::optional<std::u16string> stemText =
        formattedText(trim(stem), questionFormat_, line, "the question text");
    if (!stemText) return false;
    question.text = std::move(*stemText);
    exam_.questions.push_back(std::move(question));
    return true;
  }

  InterchangeReport& report_;
  ExamDocument exam_;
  TextFormat questionFormat_ = TextFormat::Moodle;  // of the question being read
};

// ---- writing --------------------------------------------------------------------------

std::string escapeGift(std::u16string_view text) {
  const std::string utf8 = exportedText(text, "\n");
  std::string out;
  out.reserve(utf8.size() + utf8.size() / 16);
  for (char c : utf8) {
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    if (kEscapable.find(c) != std::string_view::npos) out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

// Shares of 100 with at most five decimals, as the platforms' grade lists are written.
std::string percent(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.5f", value);
  std::string text = buffer;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

// The share of the marks of correct answer `index` among `correct` ones. The platforms take
// only weights from their grade list (100, 50, 33.33333, 25, 20, 16.66667, 14.28571, 12.5,
// 11.11111, 10, 5 and the like) and refuse the whole file over any other, so 100 is shared
// equally only where the list allows: up to 10 correct answers and 20. From 11 to 19 the
// first ones get 10 and the others 5, which still adds up to 100; beyond 20 each gets 5.
std::string shareOf(std::size_t index, std::size_t correct) {
  if (correct <= 10 || correct == 20) return percent(100.0 / static_cast<double>(correct));
  if (correct < 20) return index < 20 - correct ? "10" : "5";
  return "5";
}

bool startsWithPercent(std::u16string_view text) { return !text.empty() && text.front() == u'%'; }

// A text as GIFT, with "[moodle]" (the platform's own format, which an unmarked text has
// anyway) in front when its start would otherwise be taken for something else: a format
// marker, or, where the text opens a line, a comment or the file's byte-order mark.
std::string giftText(std::u16string_view text, bool opensLine) {
  const std::string escaped = escapeGift(text);
  const std::string_view start = trimmed(escaped);
  const bool ambiguous =
      start.substr(0, 1) == "[" ||
      (opensLine && (start.substr(0, 2) == "//" || start.substr(0, 3) == "\xEF\xBB\xBF"));
  return ambiguous ? "[moodle]" + escaped : escaped;
}

// A choice question that would go out as one answer after '~': the platforms refuse a
// multiple choice question with fewer than two answers, and with it the whole file.
bool refusedAsSingleChoice(const QuestionRecord& question) {
  if (question.answers.size() != 1) return false;
  return question.type == QuestionType::MultipleChoice || !question.answers.front().correct();
}

void writeChoices(const QuestionRecord& question, int number, std::string& out,
                  InterchangeReport& report) {
  std::size_t correct = 0;
  for (const AnswerRecord& answer : question.answers) correct += answer.correct() ? 1 : 0;
  const std::size_t wrong = question.answers.size() - correct;
  const bool one = question.type == QuestionType::OneChoice;
  if (one && correct == 0) {
    report.warn(number, 0,
                "a one choice question without a correct answer comes back as multiple choice");
  } else if (one && wrong == 0) {
    // Only '=' answers: the importers take it for a short answer, or for a matching
    // question when an answer holds "->".
    const bool arrow = std::any_of(
        question.answers.begin(), question.answers.end(),
        [](const AnswerRecord& answer) { return answer.text.find(u"->") != std::u16string::npos; });
    report.warn(number, 0,
                arrow ? "a one choice question without a wrong answer and with \"->\" in an "
                        "answer reads as a matching question, which is skipped"
                      : "a one choice question without a wrong answer comes back as a flash card");
  }
  if (!one && correct > 10 && correct != 20) {
    report.warn(number, 0,
                correct < 20 ? "the correct answers get shares of 10% and 5%, as the platforms' "
                               "grades cannot split 100% into " +
                                   std::to_string(correct) + " equal shares"
                             : "each correct answer gets 5%, the platforms' smallest grade, "
                               "together more than 100%");
  }
  std::size_t correctSoFar = 0;
  const char* separator = "";
  for (const AnswerRecord& answer : question.answers) {
    out += separator;
    separator = " ";
    if (one) {
      // A wrong answer's own leading '%' would read as a weight: give it one first; so too
      // a correct one where only '=' answers make it read as a short answer.
      const bool leadingPercent = startsWithPercent(answer.text);
      out += answer.correct() ? (wrong == 0 && leadingPercent ? "=%100%" : "=")
             : leadingPercent ? "~%0%"
                              : "~";
    } else {
      out += answer.correct() ? "~%" + shareOf(correctSoFar++, correct) + "%" : "~%-100%";
    }
    out += giftText(answer.text, false);
  }
}

void writeCard(const QuestionRecord& question, int number, std::string& out,
               InterchangeReport& report) {
  if (question.answers.empty()) {
    report.warn(number, 0, "a flash card without a back comes back with an empty back");
    return;
  }
  if (question.answers.size() > 1) {
    report.warn(number, 0, "only the first answer of a flash card is kept");
  }
  const std::u16string& back = question.answers.front().text;
  if (back.empty()) return;  // an essay
  if (back.find(u"->") != std::u16string::npos) {
    report.warn(number, 0, "\"->\" in the back makes it a matching question, which is skipped");
  }
  out += startsWithPercent(back) ? "=%100%" : "=";
  out += giftText(back, false);
}

// "// title: ..." as it stands: a comment is not GIFT text, and it is one line.
void writeHeaderComment(std::string_view key, std::u16string_view value, std::string& out,
                        InterchangeReport& report) {
  if (value.empty()) return;
  if (hasLineBreak(value)) {
    report.warn(0, 0, "a line break in the " + std::string(key) + " becomes a space");
  }
  out += "// " + std::string(key) + ": " + exportedText(value, " ") + "\n";
}

}  // namespace

std::optional<ExamDocument> readGift(std::string_view bytes, InterchangeReport& report) {
  return GiftReader(report).read(bytes);
}

std::string writeGift(const ExamDocument& exam, InterchangeReport& report) {
  warnUnkeptHeader(exam, report, true, true);
  std::string out;
  writeHeaderComment("title", exam.header.title, out, report);
  writeHeaderComment("author", exam.header.author, out, report);
  if (!out.empty()) out += "\n";

  int number = 0;
  for (const QuestionRecord& question : exam.questions) {
    ++number;
    const bool choice =
        question.type == QuestionType::OneChoice || question.type == QuestionType::MultipleChoice;
    if (choice && refusedAsSingleChoice(question)) {
      report.warn(number, 0,
                  "skipped a choice question with a single answer, which learning "
                  "platforms refuse");
      continue;
    }
    if (hasOuterSpace(question.text)) {
      report.warn(number, 0, "spaces around the question text are dropped");
    }
    for (std::size_t i = 0; i < question.answers.size(); ++i) {
      if (hasOuterSpace(question.answers[i].text)) {
        report.warn(number, 0, "spaces around answer " + std::to_string(i + 1) + " are dropped");
      }
    }
    const std::string text = giftText(question.text, true);
    out += text;
    out += text.empty() ? "{" : " {";
    if (choice && question.answers.empty()) {
      report.warn(number, 0, "a choice question without answers comes back as a flash card");
    } else if (choice) {
      writeChoices(question, number, out, report);
    } else {
      if (question.type != QuestionType::FlashCard) {
        report.warn(number, 0,
                    "question type " + std::to_string(static_cast<int>(question.type)) +
                        " is written as a flash card");
      }
      writeCard(question, number, out, report);
    }
    out += "}\n\n";
  }
  return out;
}

}  // namespace quizmora
