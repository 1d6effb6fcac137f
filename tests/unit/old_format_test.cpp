// Importing the old 8-bit layout: how bytes become text and how its texts are decoded.
#include <gtest/gtest.h>

#include "format/exam_file_io.h"
#include "format/exam_file_writer.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

using test::printable;

TEST(OldFormatBytes, BecomeLatin1TextWithoutLineStructure) {
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"", u""},
      {"abc", u"abc"},
      {"\xE9\xFF\x80\x7F", u"\u00E9\u00FF\u0080\u007F"},
      {"a\r\nb", u"ab"},
      {"a\rb\nc\td", u"abcd"},
      {"line1\n  line2", u"line1  line2"},
      {std::string("a\x1A"
                   "b",
                   3),
       u"a"},
      {std::string("a\0b", 3), u"a"},
      {std::string("\t\0x", 3), u""},
      {std::string("\x1A", 1), u""},
      {"\x01\x1B\x1C", u"\u0001\u001B\u001C"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(printable(oldFormatBytesToText(c.bytes)), printable(c.text));
  }
}

LoadedExam importBytes(std::string_view bytes) {
  return loadExam(oldFormatBytesToText(bytes), true);
}

TEST(OldFormatImport, DecodesLineBreaksWrittenAsReferences) {
  const char* contents[] = {"Line1&#13;&#10;Line2", "Line1&#d;&#a;Line2", "Line1&#D;&#A;Line2"};
  for (const char* content : contents) {
    const LoadedExam loaded =
        importBytes(std::string("<Exam><Item><Question>") + content + "</Question></Item></Exam>");
    ASSERT_EQ(loaded.questions.size(), 1u) << content;
    EXPECT_EQ(printable(loaded.questions[0].text), "Line1\\r\\nLine2") << content;
  }
}

TEST(OldFormatImport, ReadsATypicalFile) {
  const LoadedExam loaded = importBytes(
      "<Exam>\r\n<Author>Ren\xE9</Author>\r\n<Title>Caf\xE9\r\n s</Title>\r\n<Mode>1</Mode>\r\n"
      "<Item>\r\n\t<Question>Qui\r\nest l\xE0?</Question>\r\n\t<Type>0</Type>\r\n"
      "\t<Answer>\r\n\t\t<Text>moi&#9;toi</Text>\r\n\t\t<IsCorrect>1</IsCorrect>\r\n\t</Answer>\r\n"
      "</Item>\r\n</Exam>\r\n");
  EXPECT_EQ(loaded.author, u"Ren\u00e9");
  EXPECT_EQ(loaded.title, u"Caf\u00e9 s");  // the line break inside the text is lost
  EXPECT_EQ(loaded.mode, 1);
  ASSERT_EQ(loaded.questions.size(), 1u);
  EXPECT_EQ(loaded.questions[0],
            (QuestionRecord{QuestionType::OneChoice, u"Quiest l\u00e0?", {{u"moi\ttoi", 1}}}));
}

TEST(OldFormatImport, EndOfFileByteEndsTheImport) {
  const LoadedExam loaded = importBytes(
      "<Exam><Item><Question>a</Question></Item>\x1A<Item><Question>b</Question></Item></Exam>");
  ASSERT_EQ(loaded.questions.size(), 1u);
  EXPECT_EQ(loaded.questions[0].text, u"a");
}

TEST(OldFormatImport, ValuesAboveOneByteWrapInTheSecondPass) {
  // "&#a00;" is left by the parser and names 1000, which is 0xE8 in eight bits.
  const LoadedExam loaded = importBytes("<Exam><Item><Question>&#a00;</Question></Item></Exam>");
  ASSERT_EQ(loaded.questions.size(), 1u);
  EXPECT_EQ(loaded.questions[0].text, u"\u00E8");
  // A decimal reference the parser decodes is not narrowed.
  EXPECT_EQ(importBytes("<Exam><Item><Question>&#8364;</Question></Item></Exam>").questions[0].text,
            u"\u20AC");
}

TEST(OldFormatImport, ACurrentFormatFileImportsAsAnEmptyExam) {
  ExamDocument exam;
  exam.header.title = u"Title";
  exam.appendQuestion({QuestionType::OneChoice, u"q", {{u"a", 1}}});
  const std::string bytes = test::littleEndianBytes(composeExamText(exam));
  EXPECT_EQ(oldFormatBytesToText(bytes), u"<");
  const LoadedExam loaded = importBytes(bytes);
  EXPECT_TRUE(loaded.questions.empty());
  EXPECT_EQ(loaded.title, u"");
}

TEST(OldFormatImport, ReadsFilesFromDisk) {
  test::TempDir dir;
  const auto path = dir / u"old.qz";
  test::writeBytes(path, "<Exam><Item><Question>\xE9</Question></Item></Exam>\x1Atrailing");
  const auto text = readOldExamFileText(path);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, u"<Exam><Item><Question>\u00e9</Question></Item></Exam>");
  EXPECT_FALSE(readOldExamFileText(dir / u"missing.qz").has_value());
  EXPECT_FALSE(readOldExamFileText(dir.path()).has_value());
}

}  // namespace
}  // namespace quizmora
