// Reading exam files: the reader's decisions, the second decoding pass, and the guarantees
// that a load gives back exactly what was saved.
#include "format/exam_file_reader.h"

#include <gtest/gtest.h>

#include <climits>

#include "format/exam_file_io.h"
#include "format/exam_file_writer.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

using test::printable;

// A file holding one item with the given inner markup.
std::u16string oneItem(std::u16string_view inner) {
  return u"<Exam><Item>" + std::u16string(inner) + u"</Item></Exam>";
}

QuestionRecord onlyQuestion(std::u16string_view text, bool oldFormat = false) {
  LoadedExam loaded = loadExam(text, oldFormat);
  EXPECT_EQ(loaded.questions.size(), 1u) << printable(text);
  return loaded.questions.empty() ? QuestionRecord{} : loaded.questions.front();
}

TEST(ExamFileReader, ReadsAWrittenExamBackUnchanged) {
  ExamDocument exam;
  exam.header.author = u"Author";
  exam.header.title = u"Title";
  exam.header.mode = ExamMode::ExamOnly;
  exam.appendQuestion({QuestionType::OneChoice, u"Q1", {{u"a", 1}, {u"b", 0}, {u"c", 0}}});
  exam.appendQuestion({QuestionType::MultipleChoice, u"Q2", {{u"x", 1}, {u"y", 1}}});
  exam.appendQuestion({QuestionType::FlashCard, u"Q3", {{u"back", 1}}});
  const LoadedExam loaded = loadExam(composeExamText(exam), false);
  EXPECT_EQ(loaded.author, u"Author");
  EXPECT_EQ(loaded.title, u"Title");
  EXPECT_EQ(loaded.mode, 1);
  EXPECT_EQ(loaded.questions, exam.questions);
}

TEST(ExamFileReader, GivesQuestionsAndAnswersInTheReverseOfFileOrder) {
  const std::u16string file =
      u"<Exam><Item><Question>Q3</Question></Item>"
      u"<Item><Question>Q2</Question></Item>"
      u"<Item><Question>Q1</Question><Answer><Text>y</Text></Answer>"
      u"<Answer><Text>x</Text></Answer></Item></Exam>";
  const LoadedExam loaded = loadExam(file, false);
  ASSERT_EQ(loaded.questions.size(), 3u);
  EXPECT_EQ(loaded.questions[0].text, u"Q1");
  EXPECT_EQ(loaded.questions[1].text, u"Q2");
  EXPECT_EQ(loaded.questions[2].text, u"Q3");
  ASSERT_EQ(loaded.questions[0].answers.size(), 2u);
  EXPECT_EQ(loaded.questions[0].answers[0].text, u"x");
  EXPECT_EQ(loaded.questions[0].answers[1].text, u"y");
}

TEST(ExamFileReader, OpenThenSaveWritesAnIdenticalFile) {
  ExamDocument exam;
  exam.appendQuestion({QuestionType::OneChoice, u"first", {{u"1", 1}, {u"2", 0}}});
  exam.appendQuestion({QuestionType::OneChoice, u"second", {{u"3", 0}, {u"4", 1}}});
  const std::u16string file = composeExamText(exam);
  const LoadedExam loaded = loadExam(file, false);
  ExamDocument reopened;
  reopened.questions = loaded.questions;
  EXPECT_EQ(composeExamText(reopened), file);
}

TEST(ExamFileReader, ElementNamesMatchWithoutRegardToCase) {
  const LoadedExam loaded = loadExam(
      u"<exam><AUTHOR>a</author><tItLe>t</TiTlE><mode>2</MODE>"
      u"<item><question>q</QUESTION><type>1</TYPE><answer><text>x</TEXT>"
      u"<iscorrect>1</ISCORRECT></ANSWER></ITEM></EXAM>",
      false);
  EXPECT_EQ(loaded.author, u"a");
  EXPECT_EQ(loaded.title, u"t");
  EXPECT_EQ(loaded.mode, 2);
  ASSERT_EQ(loaded.questions.size(), 1u);
  EXPECT_EQ(loaded.questions[0], (QuestionRecord{QuestionType::MultipleChoice, u"q", {{u"x", 1}}}));
}

TEST(ExamFileReader, DecodesQuestionAndAnswerTexts) {
  struct Case {
    std::u16string content;
    std::u16string text;
  };
  const Case cases[] = {
      {u"a&#d;&#a;b", u"a\r\nb"},
      {u"&amp;", u"&"},
      {u"&#9;", u"\t"},
      {u"&lt;&gt;&quot;&apos;", u"<>\"'"},
      {u"&#D;&#A;", u"\r\n"},
      {u"&#10;&#13;", u"\n\r"},
      {u"&#1a;", u"\n"},  // "a" replaces the value
      {u"&#a1;", u"e"},   // then the digit goes on from 10: 101
      {u"&#da;", u"\n"},
      {u"&#ad;", u"\r"},
      {u"&#a", u"&#a"},  // no ";" before the end
      {u"&#a b;", u"&#a b;"},
      {u"&#;", u"&#;"},  // value 0 is read as text
      {u"&#0a;", u"\n"},
      {u"&#&#a;", u"&#\n"},
      {u"  spaced  ", u"  spaced  "},
      {u"\u00e9\U0001F600", u"\u00e9\U0001F600"},
      {u"x<!-- note -->y", u"xy"},
  };
  for (const Case& c : cases) {
    const QuestionRecord q = onlyQuestion(oneItem(u"<Question>" + c.content +
                                                  u"</Question>"
                                                  u"<Answer><Text>" +
                                                  c.content + u"</Text></Answer>"));
    EXPECT_EQ(printable(q.text), printable(c.text)) << printable(c.content);
    ASSERT_EQ(q.answers.size(), 1u);
    EXPECT_EQ(printable(q.answers[0].text), printable(c.text)) << printable(c.content);
  }
}

// The second pass must not decode what the author typed: the file held it escaped.
TEST(ExamFileReader, LiteralReferencesTypedByTheAuthorReadBackAsTyped) {
  struct Case {
    std::u16string content;
    std::u16string text;
  };
  const Case cases[] = {
      {u"&amp;#a;", u"&#a;"},     {u"&amp;#d;&amp;#a;", u"&#d;&#a;"},
      {u"&amp;lt;", u"&lt;"},     {u"&amp;amp;", u"&amp;"},
      {u"&amp;&#a;", u"&\n"},     {u"&#38;#a;", u"&#a;"},  // the "&" came from a numeric reference
      {u"&amp;&#35;a;", u"&#a;"},                          // so did the "#"
      {u"&#a&#59;", u"&#a;"},                              // and here the ";"
      {u"&LT;", u"&LT;"},  // named references are the parser's alone
  };
  for (const Case& c : cases) {
    EXPECT_EQ(printable(onlyQuestion(oneItem(u"<Question>" + c.content + u"</Question>")).text),
              printable(c.text))
        << printable(c.content);
  }
}

TEST(ExamFileReader, ReadsNumbersLikeTheHandheldWriterMeantThem) {
  struct Case {
    std::u16string text;
    std::int32_t value;
  };
  const Case cases[] = {
      {u"2", 2},
      {u" 2", 2},
      {u"\t\r\n 7", 7},
      {u"x", 0},
      {u"", 0},
      {u"+5", 5},
      {u"-7", -7},
      {u"12abc", 12},
      {u"1 2", 1},
      {u"- 1", 0},
      {u"--1", 0},
      {u"007", 7},
      {u"2147483647", INT32_MAX},
      {u"2147483648", INT32_MAX},
      {u"-2147483648", INT32_MIN},
      {u"-99999999999", INT32_MIN},
      {u"99999999999999999999", INT32_MAX},
      {u"\u0662", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(integerValueOf(c.text), c.value) << printable(c.text);
    const LoadedExam loaded = loadExam(
        u"<Exam><Mode>" + c.text + u"</Mode><Item><Type>" + c.text + u"</Type></Item></Exam>",
        false);
    EXPECT_EQ(loaded.mode, c.value) << printable(c.text);
    ASSERT_EQ(loaded.questions.size(), 1u);
    EXPECT_EQ(static_cast<std::int32_t>(loaded.questions[0].type), c.value) << printable(c.text);
  }
}

TEST(ExamFileReader, OnlyTheExactTextOneIsCorrect) {
  struct Case {
    std::u16string answer;
    std::int32_t isCorrect;
  };
  const Case cases[] = {
      {u"<IsCorrect>1</IsCorrect>", 1},     {u"<IsCorrect>1 </IsCorrect>", 0},
      {u"<IsCorrect>01</IsCorrect>", 0},    {u"<IsCorrect> 1</IsCorrect>", 0},
      {u"<IsCorrect>0</IsCorrect>", 0},     {u"<IsCorrect>2</IsCorrect>", 0},
      {u"<IsCorrect></IsCorrect>", 0},      {u"", -1},
      {u"<IsCorrect>&#49;</IsCorrect>", 1},
  };
  for (const Case& c : cases) {
    const QuestionRecord q =
        onlyQuestion(oneItem(u"<Answer><Text>t</Text>" + c.answer + u"</Answer>"));
    ASSERT_EQ(q.answers.size(), 1u);
    EXPECT_EQ(q.answers[0].isCorrect, c.isCorrect) << printable(c.answer);
  }
}

TEST(ExamFileReader, MissingElementsLeaveDefaults) {
  const LoadedExam loaded =
      loadExam(u"<Exam><Item></Item><Item><Answer></Answer></Item></Exam>", false);
  EXPECT_EQ(loaded.mode, 0);
  EXPECT_EQ(loaded.author, u"");
  ASSERT_EQ(loaded.questions.size(), 2u);
  EXPECT_EQ(loaded.questions[0], (QuestionRecord{QuestionType::OneChoice, u"", {{u"", -1}}}));
  EXPECT_EQ(loaded.questions[1], QuestionRecord{});
}

TEST(ExamFileReader, HeaderTextsAreTakenAsCollected) {
  const LoadedExam loaded =
      loadExam(u"<Exam><Author>  A&amp;B &#a; </Author><Title>\r\nT\t</Title></Exam>", false);
  EXPECT_EQ(printable(loaded.author), printable(u"  A&B &#a; "));
  EXPECT_EQ(printable(loaded.title), printable(u"\r\nT\t"));
}

TEST(ExamFileReader, AnAnswerLeftOpenIsClosedByItsItem) {
  const QuestionRecord q =
      onlyQuestion(u"<Exam><Item><Question>q</Question><Answer><Text>a</Text></Item></Exam>");
  ASSERT_EQ(q.answers.size(), 1u);
  EXPECT_EQ(q.answers[0].text, u"a");
}

TEST(ExamFileReader, FieldsOutsideAnItemAreResetByTheNextItem) {
  const LoadedExam loaded = loadExam(
      u"<Exam><Question>stray</Question><Type>2</Type><Text>t</Text>"
      u"<Item><Answer><Text>x</Text></Answer></Item></Exam>",
      false);
  ASSERT_EQ(loaded.questions.size(), 1u);
  EXPECT_EQ(loaded.questions[0], (QuestionRecord{QuestionType::OneChoice, u"", {{u"x", -1}}}));
}

TEST(ExamFileReader, IgnoresUnknownElementsAttributesAndTextBeforeTheFirstTag) {
  const LoadedExam loaded = loadExam(
      u"junk<Exam version=\"9\"><QzmVersion>7</QzmVersion><Other>zzz</Other>"
      u"<Item id=3><Question>q</Question><Extra/></Item></Exam>trailing",
      false);
  ASSERT_EQ(loaded.questions.size(), 1u);
  EXPECT_EQ(loaded.questions[0].text, u"q");
}

TEST(ExamFileReader, StopsAtTheFirstNulUnit) {
  std::u16string file = u"<Exam><Item><Question>a</Question></Item>";
  file.push_back(u'\0');
  file += u"<Item><Question>b</Question></Item></Exam>";
  const LoadedExam loaded = loadExam(file, false);
  ASSERT_EQ(loaded.questions.size(), 1u);
  EXPECT_EQ(loaded.questions[0].text, u"a");
}

TEST(ExamFileReader, NothingOfOneLoadLeaksIntoTheNext) {
  std::vector<QuestionRecord> questions;
  ExamFileReader reader(questions);
  reader.reset();
  // A file cut short: its item, question and answer stay open.
  reader.loadExamText(u"<Exam><Item><Question>half</Question><Type>2</Type><Answer><Text>t", false);
  EXPECT_TRUE(questions.empty());
  EXPECT_GT(reader.openElementCount(), 0u);

  reader.reset();
  // Without a fresh start the end tag would close the previous file's item.
  reader.loadExamText(u"x</Item><Item><Question>new</Question></Item>", false);
  EXPECT_EQ(reader.openElementCount(), 0u);
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0], (QuestionRecord{QuestionType::OneChoice, u"new", {}}));
}

TEST(ExamFileReader, ResetEmptiesWhatTheCallerResets) {
  std::vector<QuestionRecord> questions;
  ExamFileReader reader(questions);
  reader.loadExamText(u"<Exam><Author>a</Author><Title>t</Title><Mode>2</Mode><Item></Item></Exam>",
                      false);
  EXPECT_EQ(reader.mode(), 2);
  reader.reset();
  EXPECT_TRUE(questions.empty());
  EXPECT_EQ(reader.author(), u"");
  EXPECT_EQ(reader.title(), u"");
  EXPECT_EQ(reader.mode(), 0);
}

TEST(ExamFileReader, ReturnsTheParsersResult) {
  std::vector<QuestionRecord> questions;
  ExamFileReader reader(questions);
  EXPECT_TRUE(reader.loadExamText(u"<Exam></Exam>", false));
  EXPECT_FALSE(reader.loadExamText(u"<Exam></Exam><", false));
  EXPECT_TRUE(reader.oldFormat() == false);
  reader.loadExamText(u"", true);
  EXPECT_TRUE(reader.oldFormat());
}

TEST(DecodeTextReferences, HonoursUnitsThatCameFromReferences) {
  struct Case {
    std::u16string text;
    std::vector<std::size_t> decoded;
    std::u16string result;
  };
  const Case cases[] = {
      {u"&#a;", {}, u"\n"},
      {u"&#a;", {0}, u"&#a;"},
      {u"&#a;", {1}, u"&#a;"},
      {u"&#a;", {3}, u"&#a;"},
      {u"&#a;x", {4}, u"\nx"},  // a decoded unit after the form does not matter
      {u"x&#a;&#d;", {1}, u"x&#a;\r"},
      {u"x&#a;&#d;", {0, 9}, u"x\n\r"},
      {u"no ampersand", {}, u"no ampersand"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(printable(decodeTextReferences(c.text, false, c.decoded)), printable(c.result))
        << printable(c.text);
  }
}

TEST(DecodeTextReferences, EightBitPassTakesValuesModulo256) {
  struct Case {
    std::u16string text;
    std::u16string current;
    std::u16string old;
  };
  const Case cases[] = {
      {u"&#a00;", u"\u03E8", u"\u00E8"},  // 1000
      {u"&#a;&#d;", u"\n\r", u"\n\r"},
      {u"&#256a;", u"\n", u"\n"},
      {u"&#25a6;", u"j", u"j"},  // 106
      // 10240 is U+2800, but 0 in eight bits: read as text there.
      {u"&#10240;", u"\u2800", u"&#10240;"},
      {u"&#65536;", u"&#65536;", u"&#65536;"},
      {u"&#65546;", u"\n", u"\n"},
      {u"\u20ac&#a;", u"\u20ac\n", u"\u20ac\n"},  // a unit above U+00FF passes through
  };
  for (const Case& c : cases) {
    EXPECT_EQ(printable(decodeTextReferences(c.text, false)), printable(c.current))
        << printable(c.text);
    EXPECT_EQ(printable(decodeTextReferences(c.text, true)), printable(c.old)) << printable(c.text);
  }
}

}  // namespace
}  // namespace quizmora
