// Random exams survive being saved and loaded again, whatever their texts hold.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "format/exam_file_io.h"
#include "format/exam_file_writer.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

using test::printable;

class RandomExams {
 public:
  explicit RandomExams(unsigned seed) : random_(seed) {}

  ExamDocument exam() {
    ExamDocument exam;
    exam.header.author = text();
    exam.header.title = text();
    exam.header.mode = static_cast<ExamMode>(number());
    const int questions = pick(0, 6);
    for (int i = 0; i < questions; ++i) {
      QuestionRecord question{static_cast<QuestionType>(number()), text(), {}};
      const int answers = pick(0, 5);
      for (int j = 0; j < answers; ++j) {
        static const std::int32_t flags[] = {-1, 0, 1, 1, 2, INT32_MIN, INT32_MAX};
        question.appendAnswer({text(), flags[pick(0, 6)]});
      }
      exam.appendQuestion(question);
    }
    return exam;
  }

 private:
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  std::int32_t number() {
    static const std::int32_t special[] = {0, 1, 2, -1, 5, INT32_MIN, INT32_MAX, -100, 10, 13};
    if (pick(0, 3) > 0) return special[pick(0, 9)];
    return static_cast<std::int32_t>(random_());
  }

  // Texts built from pieces that stress the escapes, the references and the parser.
  std::u16string text() {
    static const std::u16string pieces[] = {
        u"a",
        u"Question",
        u" ",
        u"\t",
        u"\n",
        u"\r",
        u"\r\n",
        u"\"",
        u"&",
        u"'",
        u"<",
        u">",
        u"<&",
        u"&#a;",
        u"&#d;",
        u"&#9;",
        u"&amp;",
        u"&lt;",
        u"&LT;",
        u"&#",
        u"#",
        u";",
        u"&#65;",
        u"&#x41;",
        u"<!--",
        u"-->",
        u"</Question>",
        u"<Item>",
        u"</Exam>",
        u"\u00e9",
        u"\u00c5",
        u"\u4e2d\u6587",
        u"\U0001F600",
        u"\U00010348",
        u"\xd800",
        u"\xdc00",
        u"\xdbff\xdbff",
        u"\u0001",
        u"\u001f",
        u"\u007f",
        u"\ufffe",
        u"\uffff",
        u"\u2028",
        u"=\"x\"",
        u"/>",
        u"0",
    };
    constexpr int count = sizeof pieces / sizeof pieces[0];
    std::u16string out;
    const int length = pick(0, 3) == 0 ? 0 : pick(1, 12);
    for (int i = 0; i < length; ++i) out += pieces[pick(0, count - 1)];
    return out;
  }

  std::mt19937 random_;
};

// What a load can give back of a document: the stored fields, with "not correct" as 0.
LoadedExam expectedLoad(const ExamDocument& exam) {
  LoadedExam expected;
  expected.author = exam.header.author;
  expected.title = exam.header.title;
  expected.mode = static_cast<std::int32_t>(exam.header.mode);
  expected.questions = exam.questions;
  for (auto& question : expected.questions) {
    for (auto& answer : question.answers) answer.isCorrect = answer.correct() ? 1 : 0;
  }
  return expected;
}

TEST(RoundTrip, RandomExamsLoadBackAsTheyWereSaved) {
  RandomExams exams(20261207);
  for (int i = 0; i < 3000; ++i) {
    const ExamDocument exam = exams.exam();
    const std::u16string file = composeExamText(exam);
    const LoadedExam loaded = loadExam(file, false);
    const LoadedExam expected = expectedLoad(exam);
    ASSERT_EQ(printable(loaded.author), printable(expected.author)) << i;
    ASSERT_EQ(printable(loaded.title), printable(expected.title)) << i;
    ASSERT_EQ(loaded.mode, expected.mode) << i;
    ASSERT_EQ(loaded.questions.size(), expected.questions.size()) << i;
    for (std::size_t q = 0; q < expected.questions.size(); ++q) {
      ASSERT_EQ(printable(loaded.questions[q].text), printable(expected.questions[q].text))
          << i << " question " << q;
      ASSERT_EQ(loaded.questions[q], expected.questions[q]) << i << " question " << q;
    }
  }
}

TEST(RoundTrip, LoadingAndSavingAWrittenFileReproducesItsBytes) {
  RandomExams exams(7);
  test::TempDir dir;
  const auto path = dir / u"exam.qzm";
  for (int i = 0; i < 300; ++i) {
    ASSERT_TRUE(writeExamFile(path, composeExamText(exams.exam())));
    const std::string bytes = test::readBytes(path);
    const auto text = readExamFileText(path);
    ASSERT_TRUE(text.has_value());
    const LoadedExam loaded = loadExam(*text, false);
    ExamDocument reopened;
    reopened.header.author = loaded.author;
    reopened.header.title = loaded.title;
    reopened.header.mode = static_cast<ExamMode>(loaded.mode);
    reopened.questions = loaded.questions;
    ASSERT_EQ(test::littleEndianBytes(composeExamText(reopened)), bytes) << i;
  }
}

}  // namespace
}  // namespace quizmora
