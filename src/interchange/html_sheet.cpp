#include "interchange/html_sheet.h"

#include "interchange/interchange_text.h"

namespace quizmora {
namespace {

// Black on white and no question split across pages when printed; the same page reads well
// on a screen.
constexpr std::string_view kStyle = R"css(
@page { margin: 18mm 16mm; }
html { background: #fff; }
body { color: #000; background: #fff; font: 11pt/1.45 "DejaVu Sans", "Segoe UI", Arial, sans-serif;
       max-width: 46em; margin: 0 auto; padding: 1.5em 1em; }
header { border-bottom: 1.5pt solid #000; padding-bottom: .5em; margin-bottom: 1.4em; }
h1 { font-size: 18pt; margin: 0; }
.author { margin: .15em 0 0; }
.candidate { display: flex; gap: 2em; margin-top: 1em; }
.candidate span { flex: 1; border-bottom: .75pt solid #000; padding-bottom: .1em; }
.key-note { margin: .6em 0 0; font-weight: bold; }
ol.questions { list-style: none; margin: 0; padding: 0; }
li.question { break-inside: avoid; page-break-inside: avoid; margin: 0 0 1.2em; }
.text { margin: 0 0 .35em; padding-left: 1.8em; text-indent: -1.8em; }
.number { font-weight: bold; display: inline-block; min-width: 1.8em; text-indent: 0; }
ul.choices { list-style: none; margin: 0; padding: 0 0 0 1.8em; }
ul.choices li { margin: .15em 0; }
.box { display: inline-block; width: 1.4em; font-size: 1.15em; line-height: 1; }
.letter { font-weight: bold; margin-right: .45em; }
li.correct { font-weight: bold; }
.lines { margin-left: 1.8em; }
.lines div { height: 1.8em; border-bottom: .75pt solid #000; }
.back { margin: 0 0 0 1.8em; }
.back b { margin-right: .45em; }
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

void writeChoices(const QuestionRecord& question, bool withKey, std::string& out) {
  const bool one = question.type == QuestionType::OneChoice;
  out += "<ul class=\"choices\">\n";
  for (std::size_t i = 0; i < question.answers.size(); ++i) {
    const bool marked = withKey && question.answers[i].correct();
    // ○ ● for one choice, ☐ ☒ for multiple choice.
    const char* box = one ? (marked ? "\u25CF" : "\u25CB") : (marked ? "\u2612" : "\u2610");
    out += marked ? "<li class=\"correct\">" : "<li>";
    out += "<span class=\"box\">";
    out += box;
    out += "</span><span class=\"letter\">" + choiceLabel(i) + "</span>" +
           html(question.answers[i].text) + "</li>\n";
  }
  out += "</ul>\n";
}

void writeCard(const QuestionRecord& question, int number, bool withKey, std::string& out,
               InterchangeReport& report) {
  if (question.answers.size() > 1) {
    report.warn(number, 0, "only the first answer of a flash card is shown");
  }
  if (!withKey) {
    out += "<div class=\"lines\"><div></div><div></div><div></div></div>\n";
    return;
  }
  out += "<p class=\"back\"><b>Answer:</b>";
  if (!question.answers.empty()) out += html(question.answers.front().text);
  out += "</p>\n";
}

}  // namespace

std::string writeHtmlSheet(const ExamDocument& exam, bool withKey, InterchangeReport& report) {
  warnUnkeptHeader(exam, report, true, true);
  const std::string title = exam.header.title.empty() ? "Exam" : html(exam.header.title);
  std::string out = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
                    (withKey ? " \u2013 answer key" : "") + "</title>\n<style>";
  out += kStyle;
  out += "</style>\n</head>\n<body>\n<header>\n<h1>" + title + "</h1>\n";
  if (!exam.header.author.empty()) {
    out += "<p class=\"author\">" + html(exam.header.author) + "</p>\n";
  }
  if (withKey) {
    out += "<p class=\"key-note\">Answer key</p>\n";
  } else {
    out += "<p class=\"candidate\"><span>Name:</span><span>Date:</span></p>\n";
  }
  out += "</header>\n<ol class=\"questions\">\n";

  int number = 0;
  for (const QuestionRecord& question : exam.questions) {
    ++number;
    out += "<li class=\"question\">\n<p class=\"text\"><span class=\"number\">" +
           std::to_string(number) + ".</span>" + html(question.text) + "</p>\n";
    if (question.type == QuestionType::OneChoice || question.type == QuestionType::MultipleChoice) {
      writeChoices(question, withKey, out);
    } else {
      if (question.type != QuestionType::FlashCard) {
        report.warn(number, 0,
                    "question type " + std::to_string(static_cast<int>(question.type)) +
                        " is shown as a flash card");
      }
      writeCard(question, number, withKey, out, report);
    }
    out += "</li>\n";
  }
  out += "</ol>\n</body>\n</html>\n";
  return out;
}

}  // namespace quizmora
