// Reading exam files from disk as UTF-16LE units.
#include "format/exam_file_io.h"

#include <gtest/gtest.h>

#include "format/exam_file_writer.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

TEST(ReadExamFileText, TakesLittleEndianUnits) {
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"", u""},
      {"x", u""},  // a final odd byte is not a unit
      {std::string("<\0", 2), u"<"},
      {std::string("<\0a", 3), u"<"},
      {std::string("\xE9\0\x2D\x4E\x3D\xD8\x00\xDE", 8), u"\u00e9\u4e2d\U0001F600"},
      {std::string("\0\0\xFF\xFF", 4), std::u16string(u"\0\uFFFF", 2)},
  };
  test::TempDir dir;
  for (const Case& c : cases) {
    const auto path = dir / u"exam.qzm";
    test::writeBytes(path, c.bytes);
    const auto text = readExamFileText(path);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, c.text);
  }
}

TEST(ReadExamFileText, ReportsFilesThatCannotBeRead) {
  test::TempDir dir;
  EXPECT_FALSE(readExamFileText(dir / u"missing.qzm").has_value());
  EXPECT_FALSE(readExamFileText(dir.path()).has_value());
  EXPECT_FALSE(readExamFileText(std::filesystem::path()).has_value());
}

TEST(ReadExamFileText, ReadsALargeFileWhole) {
  test::TempDir dir;
  std::u16string text(300000, u'a');
  text[0] = u'\u4e2d';
  text.back() = u'z';
  ASSERT_TRUE(writeExamFile(dir / u"big.qzm", text));
  const auto read = readExamFileText(dir / u"big.qzm");
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, text);
}

// A folder and a name outside ASCII, saved twice so the second save replaces the first: under
// Wine this only works when Wine runs with a UTF-8 locale, which the scripts make sure of.
TEST(LoadExam, SavedFileReadsBackThroughTheDisk) {
  test::TempDir dir;
  const auto folder = dir / u"Pr\u00fcfungen";
  const auto path = folder / u"Gr\u00f6\u00dfe \u65e5\u672c.qzm";
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  ExamDocument exam;
  exam.header.author = u"\u00c5sa";
  exam.header.mode = ExamMode::LearningOnly;
  ASSERT_TRUE(writeExamFile(path, composeExamText(exam)));
  exam.appendQuestion({QuestionType::FlashCard, u"front\r\nside", {{u"back", 1}}});
  ASSERT_TRUE(writeExamFile(path, composeExamText(exam)));
  const auto text = readExamFileText(path);
  ASSERT_TRUE(text.has_value());
  const LoadedExam loaded = loadExam(*text, false);
  EXPECT_EQ(loaded.author, exam.header.author);
  EXPECT_EQ(loaded.mode, 2);
  EXPECT_EQ(loaded.questions, exam.questions);
  EXPECT_EQ(examDocumentOf(loaded), exam);
}

TEST(ExamDocumentOf, KeepsAModeOutsideTheNamedOnes) {
  LoadedExam loaded;
  loaded.title = u"t";
  loaded.author = u"a";
  loaded.mode = 7;
  loaded.questions.push_back({QuestionType::OneChoice, u"q", {{u"x", 1}, {u"y", 0}}});
  const ExamDocument document = examDocumentOf(loaded);
  EXPECT_EQ(document.header.title, u"t");
  EXPECT_EQ(document.header.author, u"a");
  EXPECT_EQ(static_cast<int>(document.header.mode), 7);
  EXPECT_EQ(document.questions, loaded.questions);
}

}  // namespace
}  // namespace quizmora
