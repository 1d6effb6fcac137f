// The text helpers every interchange format relies on: HTML brought in as plain text, line
// breaks in and out, choice letters, and the printable sheet built on them.

#include "interchange/interchange_text.h"

#include <gtest/gtest.h>

#include "interchange/html_sheet.h"
#include "support/interchange_support.h"

namespace quizmora {
namespace {

TEST(LineBreaks, EveryFormComesInAsCrLfAndGoesOutAsAsked) {
  const std::pair<std::string, std::u16string> in[] = {
      {"a\nb\rc\r\nd", u"a\r\nb\r\nc\r\nd"}, {"\r\r\n", u"\r\n\r\n"}, {"plain", u"plain"}};
  for (const auto& [utf8, text] : in) EXPECT_EQ(importedText(utf8), text) << utf8;
  EXPECT_EQ(importedText(std::string("a\0b", 3)), std::nullopt);
  EXPECT_EQ(importedText("\xC3"), std::nullopt);
  EXPECT_EQ(exportedText(u"a\r\nb\rc\nd", "<br>"), "a<br>b<br>c<br>d");
}

TEST(ChoiceLabel, LettersThenPairs) {
  const std::pair<std::size_t, const char*> cases[] = {{0, "A"},    {25, "Z"},   {26, "AA"},
                                                       {51, "AZ"},  {52, "BA"},  {99, "CV"},
                                                       {701, "ZZ"}, {702, "AAA"}};
  for (const auto& [index, label] : cases) EXPECT_EQ(choiceLabel(index), label) << index;
}

// ---- the printable sheet ----------------------------------------------------------------

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

ExamDocument sheetExam() {
  ExamDocument exam = test::examOf(
      {test::oneChoice(u"<script>alert('x')</script> & \"q\"\r\nline", {{u"a<b", 1}, {u"c", 0}}),
       test::multipleChoice(u"M \u4E2D", {{u"x", 1}, {u"y", 1}, {u"z", 0}}),
       QuestionRecord{
           QuestionType::FlashCard, u"F \U0001F600", {{u"back & more", 1}, {u"extra", 0}}},
       QuestionRecord{static_cast<QuestionType>(4), u"odd", {}}},
      u"T <i>", u"A & B");
  exam.header.mode = ExamMode::ExamOnly;
  return exam;
}

TEST(HtmlSheet, EscapesEveryTextAndMarksNothingWithoutTheKey) {
  InterchangeReport report;
  const std::string page = writeHtmlSheet(sheetExam(), false, report);
  EXPECT_EQ(page.find("<script>"), std::string::npos);
  EXPECT_NE(
      page.find("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; &quot;q&quot;<br>line"),
      std::string::npos);
  EXPECT_NE(page.find("<title>T &lt;i&gt;</title>"), std::string::npos);
  EXPECT_NE(page.find("A &amp; B"), std::string::npos);
  EXPECT_NE(page.find("a&lt;b"), std::string::npos);
  EXPECT_EQ(count(page, "\u25CB"), 2u);           // an empty circle per one-choice answer
  EXPECT_EQ(count(page, "\u2610"), 3u);           // an empty square per multiple-choice answer
  EXPECT_EQ(count(page, "class=\"lines\""), 2u);  // the card and the unknown type
  EXPECT_EQ(page.find("back &amp; more"), std::string::npos);
  EXPECT_EQ(page.find("\u25CF"), std::string::npos);
  EXPECT_EQ(page.find("src="), std::string::npos);  // nothing outside the page
  EXPECT_EQ(test::warningsOf(report),
            (std::vector<std::string>{"the exam mode 1 is not kept",
                                      "question 3: only the first answer of a flash card is shown",
                                      "question 4: question type 4 is shown as a flash card"}));
}

TEST(HtmlSheet, KeyMarksTheCorrectChoicesAndShowsTheBacks) {
  InterchangeReport report;
  const std::string page = writeHtmlSheet(sheetExam(), true, report);
  EXPECT_EQ(count(page, "\u25CF"), 1u);
  EXPECT_EQ(count(page, "\u25CB"), 1u);
  EXPECT_EQ(count(page, "\u2612"), 2u);
  EXPECT_EQ(count(page, "\u2610"), 1u);
  EXPECT_EQ(count(page, "<li class=\"correct\">"), 3u);
  EXPECT_NE(page.find("<b>Answer:</b>back &amp; more</p>"), std::string::npos);
  EXPECT_EQ(page.find("class=\"lines\""), std::string::npos);
}

}  // namespace
}  // namespace quizmora
