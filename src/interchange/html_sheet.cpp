#include "interchange/html_sheet.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "interchange/interchange_text.h"

namespace quizmora {
namespace {

// Black on white and no question split across pages when printed; every version and every
// key starts on a new page. The same page reads well on a screen.
constexpr std::string_view kStyle = R"css(
@page { margin: 18mm 16mm; }
html { background: #fff; }
body { color: #000; background: #fff; font: 11pt/1.45 "DejaVu Sans", "Segoe UI", Arial, sans-serif;
       max-width: 46em; margin: 0 auto; padding: 1.5em 1em; }
header { border-bottom: 1.5pt solid #000; padding-bottom: .5em; margin-bottom: 1.4em; }
.head-line { display: flex; align-items: flex-start; gap: 1em; }
.head-line > div:first-child { flex: 1; }
h1 { font-size: 18pt; margin: 0; }
.author { margin: .15em 0 0; }
.version-letter { font-size: 36pt; font-weight: bold; line-height: 1; border: 2pt solid #000;
                  padding: .05em .25em; }
.candidate { display: flex; gap: 1.2em; margin-top: 1em; }
.candidate span { flex: 2; border-bottom: .75pt solid #000; padding: .9em 0 .1em; }
.candidate span.name { flex: 5; }
.count { margin: .5em 0 0; font-size: 10pt; }
.key-note { margin: .6em 0 0; font-weight: bold; }
ol.questions { list-style: none; margin: 0; padding: 0; }
li.question { break-inside: avoid; page-break-inside: avoid; margin: 0 0 1.2em; }
.text { margin: 0 0 .35em; padding-left: 1.8em; text-indent: -1.8em; }
.number { font-weight: bold; display: inline-block; min-width: 1.8em; text-indent: 0; }
.hint { font-size: 9pt; font-style: italic; margin-left: .6em; white-space: nowrap; }
ul.choices { list-style: none; margin: 0; padding: 0 0 0 1.8em; }
ul.choices li { margin: .15em 0; }
.box { display: inline-block; width: 1.4em; font-size: 1.15em; line-height: 1; }
.letter { font-weight: bold; margin-right: .45em; }
li.correct { font-weight: bold; }
.lines { margin-left: 1.8em; }
.lines div { height: 1.8em; border-bottom: .75pt solid #000; }
.back { margin: 0 0 0 1.8em; }
.back b { margin-right: .45em; }
.foot { margin: 1.5em 0 0; font-size: 8pt; color: #444; }
.new-page { break-before: page; page-break-before: always; }
ol.key-list { list-style: none; margin: 0; padding: 0; column-width: 9em; column-gap: 2em; }
ol.key-list li { break-inside: avoid; page-break-inside: avoid; padding: .1em 0;
                 border-bottom: .5pt solid #999; }
ol.key-list li { padding-left: 2.4em; text-indent: -2.4em; }
ol.key-list b { display: inline-block; min-width: 2.4em; text-indent: 0; }
table.numbers { border-collapse: collapse; font-size: 9pt; line-height: 1.2; }
table.numbers th, table.numbers td { border: .5pt solid #000; padding: 0 .45em; text-align: right; }
table.numbers thead th { text-align: center; }
@media screen { .new-page { border-top: 2px dashed #999; margin-top: 2.5em; padding-top: 2em; } }
@media print { body { max-width: none; padding: 0; } }
)css";

// Escaped, with line breaks as <br>.
std::string html(std::u16string_view text) {
  const std::string escaped = escapeHtml(exportedText(text, "\n"));
  std::string out;
  out.reserve(escaped.size());
  for (char c : escaped) {
    if (c == '\n') {
      out += "<br>";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string titleOf(const ExamDocument& exam) {
  return exam.header.title.empty() ? "Exam" : html(exam.header.title);
}

std::string letterOf(int version) { return std::string(1, static_cast<char>('A' + version)); }

// Said once, in version A's numbering, however many versions the page holds.
void warnUnshown(const ExamDocument& exam, InterchangeReport& report) {
  warnUnkeptHeader(exam, report, true, true);
  int number = 0;
  for (const QuestionRecord& question : exam.questions) {
    ++number;
    if (isChoiceQuestion(question)) continue;
    if (question.type != QuestionType::FlashCard) {
      report.warn(number, 0,
                  "question type " + std::to_string(static_cast<int>(question.type)) +
                      " is shown as a flash card");
    }
    if (question.answers.size() > 1) {
      report.warn(number, 0, "only the first answer of a flash card is shown");
    }
  }
}

// The title, the author and, for a version, its letter; then the student's fields or the
// key's note.
void writeHead(const ExamDocument& exam, const std::string& letter, bool withKey,
               std::string& out) {
  out += "<header>\n<div class=\"head-line\"><div><h1>" + titleOf(exam) + "</h1>\n";
  if (!exam.header.author.empty()) {
    out += "<p class=\"author\">" + html(exam.header.author) + "</p>\n";
  }
  out += "</div>";
  if (!letter.empty()) out += "<div class=\"version-letter\">" + letter + "</div>";
  out += "</div>\n";
  if (withKey) {
    out += "<p class=\"key-note\">Answer key</p>\n";
  } else {
    out +=
        "<p class=\"candidate\"><span class=\"name\">Name:</span><span>Class:</span>"
        "<span>Date:</span><span>Score:</span></p>\n";
    const std::size_t count = exam.questions.size();
    out += "<p class=\"count\">" + std::to_string(count) +
           (count == 1 ? " question" : " questions") + "</p>\n";
  }
  out += "</header>\n";
}

void writeChoices(const QuestionRecord& question, const std::vector<std::size_t>& order,
                  bool withKey, std::string& out) {
  const bool one = question.type == QuestionType::OneChoice;
  out += "<ul class=\"choices\">\n";
  for (std::size_t i = 0; i < order.size(); ++i) {
    const AnswerRecord& answer = question.answers[order[i]];
    const bool marked = withKey && answer.correct();
    // ○ ● for one choice, ☐ ☒ for multiple choice.
    const char* box = one ? (marked ? "\u25CF" : "\u25CB") : (marked ? "\u2612" : "\u2610");
    out += marked ? "<li class=\"correct\">" : "<li>";
    out += "<span class=\"box\">";
    out += box;
    out += "</span><span class=\"letter\">" + choiceLabel(i) + "</span><span class=\"ctext\">" +
           html(answer.text) + "</span></li>\n";
  }
  out += "</ul>\n";
}

void writeCard(const QuestionRecord& question, bool withKey, std::string& out) {
  if (!withKey) {
    out += "<div class=\"lines\"><div></div><div></div><div></div></div>\n";
    return;
  }
  out += "<p class=\"back\"><b>Answer:</b>";
  if (!question.answers.empty()) out += html(question.answers.front().text);
  out += "</p>\n";
}

// `choiceOrder`: the question's choices by their exam positions, in printed order.
void writeQuestion(const QuestionRecord& question, int number,
                   const std::vector<std::size_t>& choiceOrder, bool withKey, std::string& out) {
  const bool choices = isChoiceQuestion(question);
  out += "<li class=\"question\">\n<p class=\"text\"><span class=\"number\">" +
         std::to_string(number) + ".</span><span class=\"qtext\">" + html(question.text) +
         "</span>";
  if (choices) {
    out += question.type == QuestionType::OneChoice ? "<span class=\"hint\">one answer</span>"
                                                    : "<span class=\"hint\">all that apply</span>";
  }
  out += "</p>\n";
  if (choices) {
    writeChoices(question, choiceOrder, withKey, out);
  } else {
    writeCard(question, withKey, out);
  }
  out += "</li>\n";
}

std::string pageStart(const std::string& title) {
  std::string out = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
                    "</title>\n<style>";
  out += kStyle;
  out += "</style>\n</head>\n<body>\n";
  return out;
}

constexpr std::string_view kPageEnd = "</body>\n</html>\n";

// The correct letters of a choice question as this version prints it, or the card's back.
std::string keyEntry(const QuestionRecord& question, const std::vector<std::size_t>& choiceOrder) {
  if (!isChoiceQuestion(question)) {
    return question.answers.empty() ? std::string() : html(question.answers.front().text);
  }
  std::string letters;
  for (std::size_t i = 0; i < choiceOrder.size(); ++i) {
    if (!question.answers[choiceOrder[i]].correct()) continue;
    if (!letters.empty()) letters += ", ";
    letters += choiceLabel(i);
  }
  return letters.empty() ? "\u2014" : letters;
}

void writeKey(const ExamDocument& exam, const ExamVersion& version, int index, std::string& out) {
  out +=
      "<section class=\"key new-page\">\n<header>\n<div class=\"head-line\"><div><h1>Answer "
      "key</h1>\n<p class=\"author\">" +
      titleOf(exam) + "</p>\n</div><div class=\"version-letter\">" + letterOf(index) +
      "</div></div>\n</header>\n<ol class=\"key-list\">\n";
  int number = 0;
  for (std::size_t position : version.questionOrder) {
    out += "<li><b>" + std::to_string(++number) + ".</b> " +
           keyEntry(exam.questions[position], version.choiceOrder[position]) + "</li>\n";
  }
  out += "</ol>\n</section>\n";
}

// Row k: question k of each printed version, as the number version A gives it.
void writeNumberTable(const std::vector<ExamVersion>& versions, std::string& out) {
  out +=
      "<section class=\"numbers new-page\">\n<header>\n<h1>Question numbers</h1>\n<p "
      "class=\"author\">Each row is a question number as printed on a version; each cell gives "
      "the same question's number in version A, to mark every version against one model "
      "answer.</p>\n</header>\n<table class=\"numbers\">\n<thead><tr><th>No.</th>";
  for (std::size_t v = 1; v < versions.size(); ++v) {
    out += "<th>" + letterOf(static_cast<int>(v)) + "</th>";
  }
  out += "</tr></thead>\n<tbody>\n";
  for (std::size_t k = 0; k < versions.front().questionOrder.size(); ++k) {
    out += "<tr><th>" + std::to_string(k + 1) + "</th>";
    for (std::size_t v = 1; v < versions.size(); ++v) {
      out += "<td>" + std::to_string(versions[v].questionOrder[k] + 1) + "</td>";
    }
    out += "</tr>\n";
  }
  out += "</tbody>\n</table>\n</section>\n";
}

}  // namespace

std::string writeHtmlSheet(const ExamDocument& exam, bool withKey, InterchangeReport& report) {
  warnUnshown(exam, report);
  std::string out = pageStart(titleOf(exam) + (withKey ? " \u2013 answer key" : ""));
  writeHead(exam, {}, withKey, out);
  out += "<ol class=\"questions\">\n";
  int number = 0;
  for (const QuestionRecord& question : exam.questions) {
    std::vector<std::size_t> order(question.answers.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    writeQuestion(question, ++number, order, withKey, out);
  }
  out += "</ol>\n";
  out += kPageEnd;
  return out;
}

std::string writeHtmlVersions(const ExamDocument& exam, const SheetVersions& request,
                              InterchangeReport& report) {
  warnUnshown(exam, report);
  const std::uint64_t seed = request.seed.value_or(contentSeed(exam));
  const std::vector<ExamVersion> versions =
      makeExamVersions(exam, request.count, request.shuffle, seed);
  const std::string count = std::to_string(versions.size());
  std::string out = pageStart(titleOf(exam) + " \u2013 versions A to " +
                              letterOf(static_cast<int>(versions.size()) - 1));
  for (std::size_t v = 0; v < versions.size(); ++v) {
    const std::string letter = letterOf(static_cast<int>(v));
    out += v == 0 ? "<section class=\"version\">\n" : "<section class=\"version new-page\">\n";
    writeHead(exam, letter, false, out);
    out += "<ol class=\"questions\">\n";
    int number = 0;
    for (std::size_t position : versions[v].questionOrder) {
      writeQuestion(exam.questions[position], ++number, versions[v].choiceOrder[position], false,
                    out);
    }
    out += "</ol>\n<p class=\"foot\">Version " + letter + " of " + count +
           " \u00B7 shuffled: " + std::string(shuffleKindName(request.shuffle)) + " \u00B7 seed " +
           std::to_string(seed) + "</p>\n</section>\n";
  }
  if (request.withKeys) {
    for (std::size_t v = 0; v < versions.size(); ++v) {
      writeKey(exam, versions[v], static_cast<int>(v), out);
    }
    const bool reordered =
        std::any_of(versions.begin(), versions.end(), [&](const ExamVersion& version) {
          return version.questionOrder != versions.front().questionOrder;
        });
    if (reordered) writeNumberTable(versions, out);
  }
  out += kPageEnd;
  return out;
}

}  // namespace quizmora
