// The program killed with changes not saved, then started again: it offers the exam back,
// and Yes brings back every question, with the exam's own file to save to.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "app/program_run.h"
#include "editor/recovery_file.h"
#include "format/exam_file_io.h"
#include "format/exam_file_writer.h"
#include "resources/resource_ids.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

namespace fs = std::filesystem;
using test::ProgramRun;

// The recovery folder of the programs this test starts, for as long as it lives.
class RecoveryFolder {
 public:
  RecoveryFolder() {
    SetEnvironmentVariableW(L"QUIZMORA_RECOVERY_DIR", dir_.path().wstring().c_str());
  }
  ~RecoveryFolder() { SetEnvironmentVariableW(L"QUIZMORA_RECOVERY_DIR", nullptr); }
  const fs::path& path() const { return dir_.path(); }
  std::optional<RecoveredExam> onlyFile() const {
    std::optional<RecoveredExam> read;
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir_.path())) {
      ++files;
      read = readRecoveryFile(entry.path());
    }
    return files == 1 ? read : std::nullopt;
  }

 private:
  test::TempDir dir_;
};

QuestionRecord question(const char16_t* text, const char16_t* answer) {
  return {QuestionType::OneChoice, text, {{u"wrong", 0}, {answer, 1}}};
}

void command(HWND window, int id) { SendMessageW(window, WM_COMMAND, id, 0); }

void setText(HWND window, int id, const wchar_t* text) {
  SendDlgItemMessageW(window, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

TEST(Recovery, KilledWithChangesTheExamComesBackWhole) {
  RecoveryFolder recovery;
  test::TempDir files;
  const fs::path examFile = files / u"exam.qzm";
  ExamDocument exam;
  exam.header.title = u"Biology";
  exam.header.author = u"Ann";
  exam.questions = {question(u"Q1", u"a1"), question(u"Q2", u"a2"), question(u"Q3", u"a3")};
  ASSERT_TRUE(writeExamFile(examFile, composeExamText(exam)));

  ExamDocument expected = exam;
  {
    ProgramRun run(L" \"" + test::windowsPath(examFile) + L"\"");
    HWND window = run.mainWindow();
    ASSERT_NE(window, nullptr);
    WaitForInputIdle(run.process(), test::kStartTimeoutMs);
    command(window, IDC_DELETE_QUESTION);  // Q1 goes, Q2 is shown
    command(window, ID_EDIT_MOVE_DOWN);    // Q3, Q2
    command(window, IDC_CLEAN_FIELDS);
    setText(window, IDC_QUESTION_TEXT, L"Q4 typed");
    SendDlgItemMessageW(window, IDC_TYPE_ONE_CHOICE, BM_SETCHECK, BST_UNCHECKED, 0);
    SendDlgItemMessageW(window, IDC_TYPE_FLASH_CARD, BM_SETCHECK, BST_CHECKED, 0);
    command(window, IDC_TYPE_FLASH_CARD);
    setText(window, IDC_ANSWER_TEXT, L"four");
    command(window, IDC_ADD_QUESTION);
    expected.questions = {exam.questions[2],
                          exam.questions[1],
                          {QuestionType::FlashCard, u"Q4 typed", {{u"four", 1}}}};
    // Exit writes the copy at once, before it asks about the changes; the power goes while
    // the question is on the screen.
    PostMessageW(window, WM_COMMAND, ID_FILE_EXIT, 0);
    ASSERT_NE(test::waitForMessageBox(run).box, nullptr);
    std::optional<RecoveredExam> written;
    for (DWORD waited = 0; waited < test::kStartTimeoutMs; waited += 50) {
      written = recovery.onlyFile();
      if (written && written->exam.questions == expected.questions) break;
      Sleep(50);
    }
    ASSERT_TRUE(written);
    EXPECT_EQ(written->exam.questions, expected.questions);
    TerminateProcess(run.process(), 1);
    WaitForSingleObject(run.process(), test::kExitTimeoutMs);
  }

  ProgramRun run;
  HWND window = run.mainWindow();
  ASSERT_NE(window, nullptr);
  const test::MessageBoxSearch asked = test::waitForMessageBox(run);
  ASSERT_NE(asked.box, nullptr);
  EXPECT_EQ(asked.text,
            L"Quizmora Builder was closed before the exam was saved.\nDo you want to recover it?");
  PostMessageW(asked.box, WM_COMMAND, IDYES, 0);
  WaitForInputIdle(run.process(), test::kStartTimeoutMs);
  Sleep(200);
  EXPECT_EQ(test::controlText(window, IDC_STATUS_RIGHT), L"Total: 3");
  EXPECT_EQ(test::controlText(window, IDC_QUESTION_TEXT), L"Q3");
  // The recovered exam has changes, and Save writes it to its own file without asking.
  command(window, ID_FILE_SAVE);
  const std::optional<std::u16string> saved = readExamFileText(examFile);
  ASSERT_TRUE(saved);
  expected.filePath.clear();
  ExamDocument back = examDocumentOf(loadExam(*saved, false));
  EXPECT_EQ(back, expected);
  // Saved: the copy is gone, and Exit asks nothing.
  EXPECT_TRUE(fs::is_empty(recovery.path()));
  PostMessageW(window, WM_COMMAND, ID_FILE_EXIT, 0);
  EXPECT_EQ(run.exitCode(), 1);
}

}  // namespace
}  // namespace quizmora
