// The recovery file: what it keeps of an exam, which files a new run may offer, and what
// becomes of one that cannot be read.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/recovery_file.h"
#include "editor/recovery_keeper.h"
#include "format/exam_file_writer.h"
#include "support/fake_question_form.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

namespace fs = std::filesystem;
using test::choice;
using test::TempDir;

ExamDocument wholeExam() {
  ExamDocument exam;
  exam.header = {u"Capitals",      u"Ann <a&b>", u"a\\b@x",
                 u"line\r\nbreak", u"\\n",       ExamMode::ExamOnly};
  exam.questions = {choice(u"France?", {{u"Lyon", 0}, {u"Paris", 1}}),
                    choice(u"Card", {{u"back", 1}}, QuestionType::FlashCard)};
  exam.filePath = u"C:\\exams\\Prüfung.qzm";
  return exam;
}

// Everything comes back, the details the exam file leaves out too; a path that Save may not
// write over (an imported old file) is not kept; a text that is not a whole header is refused.
TEST(RecoveryFile, KeepsTheWholeExamAndRefusesOtherTexts) {
  const ProcessIdentity owner{4242, 133456789012345678ull};
  for (bool examFile : {true, false}) {
    const auto back = parseRecoveryText(composeRecoveryText(wholeExam(), examFile, owner));
    ASSERT_TRUE(back);
    ExamDocument expected = wholeExam();
    if (!examFile) expected.filePath.clear();
    EXPECT_EQ(back->exam, expected);
    EXPECT_EQ(back->pathIsExamFile, examFile);
    EXPECT_EQ(back->owner, owner);
  }
  const std::u16string good = composeRecoveryText(wholeExam(), true, owner);
  const std::u16string headerEnd = u"\r\n\r\n";
  const std::size_t body = good.find(headerEnd);
  for (const std::u16string& bad :
       {std::u16string(), composeExamText(wholeExam()), good.substr(0, body),
        u"Quizmora Builder recovery 2" + good.substr(good.find(u"\r\n")),
        good.substr(0, 40) + u"x" + good.substr(41),
        good.substr(0, body - 1) + u"\\" + good.substr(body)}) {
    SCOPED_TRACE(test::printable(bad.substr(0, 60)));
    EXPECT_FALSE(parseRecoveryText(bad));
  }
}

// Only files of runs that have ended are offered, oldest first; anything else in the folder
// is left alone. A file that cannot be read is kept aside under a new name.
TEST(RecoveryFile, OffersFilesOfEndedRunsAndKeepsUnreadableOnesAside) {
  TempDir dir;
  const ProcessIdentity ended{7, 1}, running{8, 2}, reused{7, 3};
  for (ProcessIdentity owner : {ended, running, reused}) {
    test::writeBytes(dir.path() / recoveryFileName(owner), "x");
  }
  test::writeBytes(dir / u"exam-9.qzr", "x");
  test::writeBytes(dir / u"notes.txt", "x");
  const auto isRunning = [&](const ProcessIdentity& owner) { return owner == running; };
  const auto left = leftRecoveryFiles(dir.path(), isRunning);
  ASSERT_EQ(left.size(), 2u);
  for (const fs::path& path : left) {
    EXPECT_NE(recoveryFileOwner(path.filename()), running);
    EXPECT_FALSE(readRecoveryFile(path));
  }
  const auto aside = keepAside(left[0]);
  ASSERT_TRUE(aside);
  EXPECT_TRUE(fs::exists(*aside));
  EXPECT_FALSE(fs::exists(left[0]));
  EXPECT_EQ(leftRecoveryFiles(dir.path(), isRunning).size(), 1u);
}

// The keeper writes a copy a new run can read, waits out the interval between writes, and
// removes the file once the exam has no changes left.
TEST(RecoveryKeeper, WritesChangesAtMostEveryIntervalAndRemovesTheFileWhenSaved) {
  TempDir dir;
  const ProcessIdentity self{11, 22};
  const fs::path file = dir.path() / "Recovery" / recoveryFileName(self);
  RecoveryKeeper keeper(file, self);
  ExamDocument exam = wholeExam();
  const auto start = RecoveryKeeper::Clock::now();
  keeper.update(exam, true, true, 1, start);
  keeper.waitIdle();
  ASSERT_TRUE(readRecoveryFile(file));
  EXPECT_EQ(readRecoveryFile(file)->exam, exam);
  exam.questions.pop_back();
  keeper.update(exam, true, true, 2, start + RecoveryKeeper::kInterval / 2);
  keeper.waitIdle();
  EXPECT_EQ(readRecoveryFile(file)->exam.questions.size(), 2u);
  keeper.update(exam, true, true, 2, start + RecoveryKeeper::kInterval);
  keeper.waitIdle();
  EXPECT_EQ(readRecoveryFile(file)->exam.questions.size(), 1u);
  keeper.update(exam, true, false, 3, start + RecoveryKeeper::kInterval * 3);
  EXPECT_FALSE(fs::exists(file));
}

}  // namespace
}  // namespace quizmora
