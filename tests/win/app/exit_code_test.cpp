// The real program: started as its own process, driven through its window's queue, and
// judged by its exit code.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/program_run.h"
#include "format/exam_file_writer.h"
#include "model/exam_document.h"
#include "resources/resource_ids.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

using test::controlText;
using test::MessageBoxSearch;
using test::postClick;
using test::postKey;
using test::ProgramRun;
using test::windowsPath;

// Esc as the user presses it: to the control that has the focus.
void pressEscape(ProgramRun& run, HWND mainWindow) {
  HWND focus = run.focusedControl();
  postKey(focus ? focus : mainWindow, VK_ESCAPE);
}

struct CloseCase {
  const char* name;
  std::function<void(ProgramRun&, HWND)> act;
  int exitCode;
};

TEST(ExitCodeTest, EachWayOfClosingEndsWithItsCode) {
  const CloseCase cases[] = {
      {"Exit menu command",
       [](ProgramRun&, HWND window) { PostMessageW(window, WM_COMMAND, ID_FILE_EXIT, 0); }, 1},
      {"Esc", [](ProgramRun& run, HWND window) { pressEscape(run, window); }, 2},
      {"close box",
       [](ProgramRun&, HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }, 2},
  };
  for (const CloseCase& test : cases) {
    SCOPED_TRACE(test.name);
    ProgramRun run;
    ASSERT_TRUE(run.started());
    HWND window = run.mainWindow();
    ASSERT_NE(window, nullptr);
    test.act(run, window);
    EXPECT_EQ(run.exitCode(), test.exitCode);
  }
}

// Enter must not close the program. It is followed by Esc in the same queue: an exit code
// of 2 shows that the program was still running when Esc arrived.
TEST(ExitCodeTest, EnterKeepsTheProgramRunning) {
  struct Case {
    const char* name;
    int focusedControl;
  };
  const Case cases[] = {
      {"number box", IDC_QUESTION_NUMBER},
      {"radio button", IDC_TYPE_MULTIPLE_CHOICE},
      {"one-choice radio button", IDC_TYPE_ONE_CHOICE},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ProgramRun run;
    ASSERT_TRUE(run.started());
    HWND window = run.mainWindow();
    ASSERT_NE(window, nullptr);
    HWND control = GetDlgItem(window, test.focusedControl);
    ASSERT_NE(control, nullptr);
    postClick(control);  // the control takes the focus
    postKey(control, VK_RETURN);
    postKey(control, VK_RETURN);
    postKey(control, VK_ESCAPE);
    EXPECT_EQ(run.exitCode(), 2);
  }
}

// A double click on an exam starts the program with the exam's path: it opens as if chosen
// with Open; only the first argument counts, and a file that cannot be opened is reported.
TEST(ExitCodeTest, OpensTheExamNamedOnItsCommandLine) {
  test::TempDir dir;
  ExamDocument exam;
  exam.appendQuestion({QuestionType::OneChoice, u"first", {{u"a", 1}, {u"b", 0}}});
  exam.appendQuestion({QuestionType::FlashCard, u"second", {{u"back", 1}}});
  const auto named = dir / u"Pr\u00fcfung 1.qzm";
  const auto plain = dir / u"plain.qzm";
  ASSERT_TRUE(writeExamFile(named, composeExamText(exam)));
  ASSERT_TRUE(writeExamFile(plain, composeExamText(exam)));
  const std::wstring missing = windowsPath(dir / u"missing.qzm");
  struct Case {
    const char* name;
    std::wstring arguments;
    std::wstring status;       // "Total: N" once an exam was opened
    std::wstring question;     // the question box
    std::wstring messageText;  // the box shown, if any
  };
  const Case cases[] = {
      {"none", L"", L"", L"", L""},
      {"quoted, with a space", L" \"" + windowsPath(named) + L"\"", L"Total: 2", L"first", L""},
      {"unquoted", L" " + windowsPath(plain), L"Total: 2", L"first", L""},
      {"two arguments", L" " + windowsPath(plain) + L" " + missing, L"Total: 2", L"first", L""},
      {"missing file", L" " + missing, L"", L"", L"Cannot open the file " + missing},
      {"directory", L" \"" + windowsPath(dir.path()) + L"\"", L"", L"",
       L"Cannot open the file " + windowsPath(dir.path())},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ProgramRun run(test.arguments);
    ASSERT_TRUE(run.started());
    HWND window = run.mainWindow();
    ASSERT_NE(window, nullptr);
    if (!test.messageText.empty()) {
      const MessageBoxSearch search = test::waitForMessageBox(run);
      ASSERT_NE(search.box, nullptr);
      EXPECT_EQ(search.text, test.messageText);
      PostMessageW(search.box, WM_COMMAND, IDOK, 0);
    }
    WaitForInputIdle(run.process(), test::kStartTimeoutMs);
    EXPECT_EQ(controlText(window, IDC_STATUS_RIGHT), test.status);
    EXPECT_EQ(controlText(window, IDC_QUESTION_TEXT), test.question);
    PostMessageW(window, WM_COMMAND, ID_FILE_EXIT, 0);
    EXPECT_EQ(run.exitCode(), 1);
  }
}

}  // namespace
}  // namespace quizmora
