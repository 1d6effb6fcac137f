// The exam file layout, unit for unit, and the safe replacement of files on disk.
#include "format/exam_file_writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "format/exam_file_io.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

using test::printable;

ExamDocument emptyExam() { return ExamDocument{}; }

AnswerRecord answer(std::u16string text, std::int32_t isCorrect) {
  return AnswerRecord{std::move(text), isCorrect};
}

QuestionRecord question(std::u16string text, QuestionType type,
                        std::vector<AnswerRecord> answers = {}) {
  return QuestionRecord{type, std::move(text), std::move(answers)};
}

const std::u16string kHeaderOfEmptyExam =
    u"<Exam>\r\n<QzmVersion>1.03</QzmVersion>\r\n<Author></Author>\r\n<Title></Title>\r\n"
    u"<Mode>0</Mode>\r\n";

TEST(ComposeExamText, EmptyExamIsExactlyOneHundredUnits) {
  const std::u16string text = composeExamText(emptyExam());
  EXPECT_EQ(text, kHeaderOfEmptyExam + u"</Exam>\r\n");
  ASSERT_EQ(text.size(), 100u);
  const std::string bytes = test::littleEndianBytes(text);
  ASSERT_EQ(bytes.size(), 200u);
  EXPECT_EQ(bytes.substr(0, 16),
            std::string("\x3C\x00\x45\x00\x78\x00\x61\x00\x6D\x00\x3E\x00\x0D\x00\x0A\x00", 16));
}

TEST(ComposeExamText, OneQuestionWithTwoAnswersHasTheFixedLayout) {
  ExamDocument exam;
  exam.header.author = u"Ann";
  exam.header.title = u"Birds";
  exam.header.mode = ExamMode::LearningOnly;
  exam.appendQuestion(
      question(u"Which fly?", QuestionType::MultipleChoice, {answer(u"x", 1), answer(u"y", 0)}));
  EXPECT_EQ(printable(composeExamText(exam)),
            printable(u"<Exam>\r\n<QzmVersion>1.03</QzmVersion>\r\n<Author>Ann</Author>\r\n"
                      u"<Title>Birds</Title>\r\n<Mode>2</Mode>\r\n"
                      u"<Item>\r\n\t<Question>Which fly?</Question>\r\n\t<Type>1</Type>\r\n"
                      u"\t<Answer>\r\n\t\t<Text>y</Text>\r\n\t\t<IsCorrect>0</IsCorrect>\r\n"
                      u"\t</Answer>\r\n"
                      u"\t<Answer>\r\n\t\t<Text>x</Text>\r\n\t\t<IsCorrect>1</IsCorrect>\r\n"
                      u"\t</Answer>\r\n"
                      u"</Item>\r\n</Exam>\r\n"));
}

TEST(ComposeExamText, QuestionWithoutAnswersHasNoAnswerRows) {
  ExamDocument exam;
  exam.appendQuestion(question(u"", QuestionType::FlashCard));
  EXPECT_EQ(composeExamText(exam),
            kHeaderOfEmptyExam +
                u"<Item>\r\n\t<Question></Question>\r\n\t<Type>2</Type>\r\n</Item>\r\n"
                u"</Exam>\r\n");
}

TEST(ComposeExamText, QuestionsAndAnswersAreWrittenLastFirst) {
  ExamDocument exam;
  exam.appendQuestion(question(u"Q1", QuestionType::OneChoice,
                               {answer(u"a", 1), answer(u"b", 0), answer(u"c", 0)}));
  exam.appendQuestion(question(u"Q2", QuestionType::OneChoice));
  exam.appendQuestion(question(u"Q3", QuestionType::OneChoice));
  const std::u16string text = composeExamText(exam);
  const auto q1 = text.find(u"Q1"), q2 = text.find(u"Q2"), q3 = text.find(u"Q3");
  ASSERT_NE(q1, std::u16string::npos);
  EXPECT_LT(q3, q2);
  EXPECT_LT(q2, q1);
  const auto a = text.find(u">a<"), b = text.find(u">b<"), c = text.find(u">c<");
  EXPECT_LT(c, b);
  EXPECT_LT(b, a);
}

TEST(ComposeExamText, NumbersAndCorrectFlags) {
  struct Case {
    std::int32_t value;
    std::u16string text;
  };
  const Case numbers[] = {{0, u"0"},
                          {1, u"1"},
                          {2, u"2"},
                          {-1, u"-1"},
                          {10, u"10"},
                          {5, u"5"},
                          {INT32_MAX, u"2147483647"},
                          {INT32_MIN, u"-2147483648"}};
  for (const Case& c : numbers) {
    ExamDocument exam;
    exam.header.mode = static_cast<ExamMode>(c.value);
    exam.appendQuestion(question(u"q", static_cast<QuestionType>(c.value)));
    const std::u16string text = composeExamText(exam);
    EXPECT_NE(text.find(u"<Mode>" + c.text + u"</Mode>\r\n"), std::u16string::npos) << c.value;
    EXPECT_NE(text.find(u"\t<Type>" + c.text + u"</Type>\r\n"), std::u16string::npos) << c.value;
  }
  struct Flag {
    std::int32_t isCorrect;
    char16_t written;
  };
  const Flag flags[] = {{1, u'1'}, {0, u'0'}, {-1, u'0'}, {2, u'0'}, {INT32_MIN, u'0'}};
  for (const Flag& f : flags) {
    ExamDocument exam;
    exam.appendQuestion(question(u"q", QuestionType::OneChoice, {answer(u"a", f.isCorrect)}));
    EXPECT_NE(
        composeExamText(exam).find(std::u16string(u"<IsCorrect>") + f.written + u"</IsCorrect>"),
        std::u16string::npos)
        << f.isCorrect;
  }
}

TEST(EscapeMarkupText, ReplacesTheEightCharacters) {
  struct Case {
    std::u16string text;
    std::u16string escaped;
  };
  const Case cases[] = {
      {u"", u""},
      {u"\t", u"&#9;"},
      {u"\n", u"&#a;"},
      {u"\r", u"&#d;"},
      {u"\"", u"&quot;"},
      {u"&", u"&amp;"},
      {u"'", u"&apos;"},
      {u"<", u"&lt;"},
      {u">", u"&gt;"},
      {u"<&", u"&lt;&amp;"},
      {u"\r\n", u"&#d;&#a;"},
      {u"a\r\nb", u"a&#d;&#a;b"},
      {u"&&&", u"&amp;&amp;&amp;"},
      {u"&amp;", u"&amp;amp;"},
      {u"x<y>z", u"x&lt;y&gt;z"},
      {u"Plain text, 42 (ok)! ?/=;#", u"Plain text, 42 (ok)! ?/=;#"},
      {u"\u00e9\u4e2d\U0001F600\u007f\u0001\u000b\u000c\ufffe",
       u"\u00e9\u4e2d\U0001F600\u007f\u0001\u000b\u000c\ufffe"},
      {u"\xd800 lone", u"\xd800 lone"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(printable(escapeMarkupText(c.text)), printable(c.escaped)) << printable(c.text);
  }
  EXPECT_EQ(escapeMarkupText(u"\r\n").size(), 8u);
}

TEST(EscapeHeaderText, EscapesMarkupCharactersOnlyWithNamedReferences) {
  struct Case {
    std::u16string text;
    std::u16string escaped;
  };
  const Case cases[] = {
      {u"Tom & Jerry", u"Tom &amp; Jerry"},
      {u"<b>\"x\" 'y'", u"&lt;b&gt;&quot;x&quot; &apos;y&apos;"},
      {u"line\r\nbreak\ttab", u"line\r\nbreak\ttab"},
      {u"&#a;", u"&amp;#a;"},
      {u"\u00e9\U0001F600", u"\u00e9\U0001F600"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(printable(escapeHeaderText(c.text)), printable(c.escaped)) << printable(c.text);
  }
}

TEST(ComposeExamText, AuthorAndTitleAreEscapedSoThatTheyReadBack) {
  ExamDocument exam;
  exam.header.author = u"A<B & \"C\"";
  exam.header.title = u"line\r\none";
  const std::u16string text = composeExamText(exam);
  EXPECT_NE(text.find(u"<Author>A&lt;B &amp; &quot;C&quot;</Author>\r\n"), std::u16string::npos);
  EXPECT_NE(text.find(u"<Title>line\r\none</Title>\r\n"), std::u16string::npos);
  const LoadedExam loaded = loadExam(text, false);
  EXPECT_EQ(loaded.author, exam.header.author);
  EXPECT_EQ(loaded.title, exam.header.title);
}

TEST(ComposeExamText, DoesNotWriteFieldsThatStayInMemory) {
  ExamDocument exam;
  exam.header.email = u"mail@example";
  exam.header.web = u"http://example";
  exam.header.description = u"desc";
  exam.filePath = u"/some/path.qzm";
  EXPECT_EQ(composeExamText(exam), composeExamText(emptyExam()));
}

// ---- files --------------------------------------------------------------------------------

TEST(WriteExamFile, WritesLittleEndianUnitsAndNothingElse) {
  test::TempDir dir;
  const auto path = dir / u"exam.qzm";
  const std::u16string text = u"<\u00e9\u4e2d\U0001F600>\r\n";
  ASSERT_TRUE(writeExamFile(path, text));
  EXPECT_EQ(test::readBytes(path), std::string("<\0\xE9\0\x2D\x4E\x3D\xD8\x00\xDE>\0\r\0\n\0", 16));
}

TEST(WriteExamFile, ReplacesAnExistingFileAndLeavesNoTemporaryFiles) {
  test::TempDir dir;
  const auto path = dir / u"exam.qzm";
  test::writeBytes(path, std::string(5000, 'x'));
  ASSERT_TRUE(writeExamFile(path, u"ab"));
  EXPECT_EQ(test::readBytes(path), std::string("a\0b\0", 4));
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
    ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(WriteExamFile, WritesAnEmptyText) {
  test::TempDir dir;
  const auto path = dir / u"empty.qzm";
  ASSERT_TRUE(writeExamFile(path, u""));
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST(WriteExamFile, HandlesNamesOutsideAscii) {
  test::TempDir dir;
  const auto path = dir / u"Pr\u00fcfung \u8a66\u9a13.qzm";
  ASSERT_TRUE(writeExamFile(path, u"x"));
  const auto read = readExamFileText(path);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, u"x");
}

TEST(WriteExamFile, FailsWithoutTouchingAnything) {
  test::TempDir dir;
  std::filesystem::create_directory(dir / u"folder");
  test::writeBytes(dir / u"folder" / "inside.txt", "keep");
  const std::filesystem::path cases[] = {
      dir / u"missing" / u"exam.qzm",  // no such folder
      dir / u"folder",                 // a folder, not a file
      std::filesystem::path(),         // no path at all
  };
  for (const auto& path : cases) {
    EXPECT_FALSE(writeExamFile(path, u"data")) << path;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / u"missing"));
  EXPECT_EQ(test::readBytes(dir / u"folder" / "inside.txt"), "keep");
}

TEST(WriteExamFile, LeavesAReadOnlyFileAsItWas) {
  test::TempDir dir;
  const auto path = dir / u"locked.qzm";
  test::writeBytes(path, "old contents");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
  if (std::FILE* probe = std::fopen(path.string().c_str(), "r+b")) {
    std::fclose(probe);
    GTEST_SKIP() << "this account may write to read-only files";
  }
  EXPECT_FALSE(writeExamFile(path, u"new"));
  EXPECT_EQ(test::readBytes(path), "old contents");
}

}  // namespace
}  // namespace quizmora
