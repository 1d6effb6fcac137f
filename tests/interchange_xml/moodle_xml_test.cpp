// Moodle XML: the layout the learning platform imports, texts that must come back exactly,
// random exams out and back, a platform's own export coming in, and input that is refused.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "interchange/moodle_xml.h"
#include "random_exam.h"
#include "support/interchange_support.h"
#include "support/test_support.h"

namespace quizmora {
namespace {


QuestionRecord question(QuestionType type, std::u16string text, std::vector<AnswerRecord> answers) {
  return QuestionRecord{type, std::move(text), std::move(answers)};
}

ExamDocument examOf(std::u16string title, std::vector<QuestionRecord> questions) {
  ExamDocument exam;
  exam.header.title = std::move(title);
  exam.questions = std::move(questions);
  return exam;
}

std::vector<std::string> warningTexts(const InterchangeReport& report) {
  std::vector<std::string> texts;
  for (const InterchangeNote& note : report.warnings) {
    texts.push_back("q" + std::to_string(note.question) + " l" + std::to_string(note.line) + " " +
                    note.text);
  }
  return texts;
}

ExamDocument roundTrip(const ExamDocument& exam, InterchangeReport& report) {
  const std::string bytes = writeMoodleXml(exam, report);
  std::optional<ExamDocument> back = readMoodleXml(bytes, report);
  EXPECT_TRUE(back) << (report.error ? report.error->text : "") << "\n" << bytes;
  return back.value_or(ExamDocument());
}

TEST(MoodleXml, EachKindGoesOutAsThePlatformImportsIt) {
  const QuestionType one = QuestionType::OneChoice;
  const QuestionType many = QuestionType::MultipleChoice;
  const QuestionType card = QuestionType::FlashCard;
  struct Case {
    QuestionRecord question;
    const char* type;
    const char* name;
    const char* single;  // "" when the element is not there
    std::vector<std::string> fractions;
  };
  const Case cases[] = {
      {question(one, u"Q", {{u"a", 0}, {u"b", 1}, {u"c", 0}}),
       "multichoice",
       "Q",
       "true",
       {"0", "100", "0"}},
      {question(one, u"Q", {{u"a", 1}, {u"b", -1}, {u"c", 2}}),
       "multichoice",
       "Q",
       "true",
       {"100", "0", "0"}},
      {question(many, u"Q", {{u"a", 1}, {u"b", 0}, {u"c", 1}}),
       "multichoice",
       "Q",
       "false",
       {"50", "-100", "50"}},
      {question(many, u"Q", {{u"a", 1}, {u"b", 1}, {u"c", 0}, {u"d", 1}}),
       "multichoice",
       "Q",
       "false",
       {"33.33333", "33.33333", "-100", "33.33333"}},
      {question(card, u"Front", {{u"Back", 1}}), "shortanswer", "Front", "", {"100"}},
      {question(card, u"Front", {{u"", 1}}), "essay", "Front", "", {}},
      {question(card, u"Front", {}), "essay", "Front", "", {}},
      {question(static_cast<QuestionType>(5), u"Odd", {{u"x", 1}}),
       "shortanswer",
       "Odd",
       "",
       {"100"}},
      {question(one, u"", {{u"a", 1}, {u"b", 0}}),
       "multichoice",
       "Question 1",
       "true",
       {"100", "0"}},
  };
  for (const Case& c : cases) {
    InterchangeReport report;
    const std::string bytes = writeMoodleXml(examOf(u"", {c.question}), report);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(bytes.c_str())) << bytes;
    const pugi::xml_node node = document.child("quiz").child("question");
    SCOPED_TRACE(bytes);
    EXPECT_STREQ(node.attribute("type").value(), c.type);
    EXPECT_STREQ(node.child("name").child_value("text"), c.name);
    EXPECT_STREQ(node.child("questiontext").attribute("format").value(), "plain_text");
    EXPECT_STREQ(node.child_value("single"), c.single);
    std::vector<std::string> fractions;
    for (pugi::xml_node answer : node.children("answer")) {
      fractions.emplace_back(answer.attribute("fraction").value());
    }
    EXPECT_EQ(fractions, c.fractions);
    EXPECT_TRUE(node.next_sibling("question").empty());
  }
}

TEST(MoodleXml, TitleIsALeadingCategory) {
  InterchangeReport report;
  const std::string bytes = writeMoodleXml(examOf(u"Maps / Rivers", {}), report);
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(bytes.c_str()));
  const pugi::xml_node first = document.child("quiz").child("question");
  EXPECT_STREQ(first.attribute("type").value(), "category");
  EXPECT_STREQ(first.child("category").child_value("text"), "$course$/top/Maps // Rivers");
}

TEST(MoodleXml, HundredAnswersComeBack) {
  QuestionRecord many = question(QuestionType::MultipleChoice, u"Which are even?", {});
  QuestionRecord one = question(QuestionType::OneChoice, u"Which is 42?", {});
  for (int i = 0; i < 100; ++i) {
    const std::u16string text = u"n\u00B0 " +
                                std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) + u" <&> " +
                                std::u16string(static_cast<std::size_t>(i % 3), u'*');
    many.appendAnswer({text, i % 2 == 0 ? 1 : 0});
    one.appendAnswer({text, i == 42 ? 1 : 0});
  }
  const ExamDocument exam = examOf(u"", {many, one});
  InterchangeReport report;
  const ExamDocument back = roundTrip(exam, report);
  EXPECT_EQ(back, exam);
  EXPECT_EQ(warningTexts(report),
            std::vector<std::string>{"q1 l0 the learning platform may refuse 100 % shared by "
                                     "50 correct answers"});
}

// Every special text in every place, then random exams: out and back equal.
TEST(MoodleXml, SpecialAndRandomExamsComeBack) {
  for (std::uint32_t seed = 0; seed <= 300; ++seed) {
    ExamDocument exam = seed == 0 ? test::specialTextsExam() : test::randomExam(seed);
    exam.header.author.clear();  // the format has no place for it
    InterchangeReport report;
    ASSERT_EQ(roundTrip(exam, report), exam) << "seed " << seed;
  }
}

TEST(MoodleXml, WhatDoesNotGoOutIsNamed) {
  ExamDocument exam = examOf(u"T", {});
  exam.header.author = u"Ada";
  exam.header.mode = ExamMode::ExamOnly;
  exam.questions = {
      question(QuestionType::OneChoice, u"bell\u0007", {{u"a", 1}, {u"b", 0}}),
      question(static_cast<QuestionType>(7), u"q", {{u"back", 1}, {u"row", 0}, {u"row", 1}}),
      question(QuestionType::OneChoice, u"alone", {{u"only", 1}}),
  };
  InterchangeReport report;
  writeMoodleXml(exam, report);
  EXPECT_EQ(
      warningTexts(report),
      (std::vector<std::string>{
          "q0 l0 the author is not kept",
          "q0 l0 the exam mode is not kept",
          "q1 l0 characters XML cannot hold were left out",
          "q2 l0 type 7 is not a kind of question this program knows; written as a flash card",
          "q2 l0 2 answers after the back of the flash card left out",
          "q3 l0 the learning platform refuses choice questions with fewer than two answers",
      }));
}

TEST(MoodleXml, PlatformExportComesIn) {
  const std::string bytes =
      test::readBytes(std::filesystem::path(QZM_TEST_DATA_DIR) / "moodle" / "platform_export.xml");
  InterchangeReport report;
  const std::optional<ExamDocument> exam = readMoodleXml(bytes, report);
  ASSERT_TRUE(exam) << report.error->text;
  const ExamDocument expected = examOf(
      u"Rivers / Lakes",
      {question(QuestionType::OneChoice, u"Which river is the longest in Europe?",
                {{u"Danube", 0}, {u"Volga", 1}, {u"Rh\u00F4ne & Sa\u00F4ne", 0}}),
       question(QuestionType::MultipleChoice, u"Through which countries does the Rhine flow?",
                {{u"Switzerland", 1}, {u"Germany", 1}, {u"Poland", 0}, {u"the Netherlands", 1}}),
       question(QuestionType::OneChoice, u"Lake Baikal is the deepest lake on Earth.",
                {{u"True", 1}, {u"False", 0}}),
       question(QuestionType::FlashCard, u"Which capital lies on the Thames?", {{u"London", 1}}),
       question(QuestionType::FlashCard, u"Describe the water cycle.\r\nevaporation\r\nrain",
                {{u"", 1}})});
  EXPECT_EQ(*exam, expected);
  EXPECT_EQ(warningTexts(report),
            (std::vector<std::string>{
                "q2 l65 image left out",
                "q0 l125 \"matching\" question left out (no such kind here)",
                "q4 l149 2 further accepted answers left out (a flash card has one back)",
                "q0 l217 \"numerical\" question left out (no such kind here)",
            }));
}

TEST(MoodleXml, MalformedInputIsRefused) {
  struct Case {
    std::string bytes;
    int line;
    const char* error;
  };
  const Case cases[] = {
      {"", 1, "not well-formed XML: No document element found"},
      {"<quiz>\n<question type=\"essay\">\n</quiz>", 3,
       "not well-formed XML: Start-end tags mismatch"},
      {"<?xml version=\"1.0\"?>\n<questions/>", 2,
       "not Moodle XML: the document is <questions>, not <quiz>"},
      {"<quiz>\n<question type=\"essay\"><questiontext><text>\xC3\x28</text></questiontext>"
       "</question></quiz>",
       2, "a text that is not valid UTF-8"},
      {"<quiz><question type=\"category\"><category><text>\xFF</text></category></question></quiz>",
       1, "a text that is not valid UTF-8"},
  };
  for (const Case& c : cases) {
    InterchangeReport report;
    EXPECT_FALSE(readMoodleXml(c.bytes, report)) << c.bytes;
    ASSERT_TRUE(report.error) << c.bytes;
    EXPECT_EQ(report.error->line, c.line) << c.bytes;
    EXPECT_EQ(report.error->text, c.error) << c.bytes;
  }
}

TEST(MoodleXml, KindsAndFormatsComingIn) {
  struct Case {
    const char* question;  // inside <quiz>
    QuestionRecord expected;
  };
  const Case cases[] = {
      // No <single>: the platform takes one choice; no format: HTML.
      {"<question type=\"multichoice\"><questiontext><text>a&lt;br&gt;b</text></questiontext>"
       "<answer fraction=\"+0.5\"><text>x</text></answer></question>",
       question(QuestionType::OneChoice, u"a\r\nb", {{u"x", 1}})},
      {"<question type=\"multichoice\"><single>0</single><questiontext format=\"markdown\">"
       "<text>*md* &lt;kept&gt;</text></questiontext></question>",
       question(QuestionType::MultipleChoice, u"*md* <kept>", {})},
      {"<question type=\"shortanswer\"><questiontext format=\"plain_text\"><text>q</text>"
       "</questiontext><answer fraction=\"0\"><text>5 \\* 3</text></answer></question>",
       question(QuestionType::FlashCard, u"q", {{u"5 * 3", 1}})},
      {"<question type=\"truefalse\"><questiontext><text><![CDATA[T]]>&amp;<![CDATA[F]]></text>"
       "</questiontext><answer fraction=\"0\"><text> TRUE </text></answer>"
       "<answer fraction=\"100\"><text>False</text></answer></question>",
       question(QuestionType::OneChoice, u"T&F", {{u"True", 0}, {u"False", 1}})},
  };
  for (const Case& c : cases) {
    InterchangeReport report;
    const std::optional<ExamDocument> exam =
        readMoodleXml(std::string("<quiz>") + c.question + "</quiz>", report);
    ASSERT_TRUE(exam) << c.question;
    ASSERT_EQ(exam->questionCount(), 1) << c.question;
    EXPECT_EQ(exam->questions[0], c.expected) << c.question;
  }
}

}  // namespace
}  // namespace quizmora
