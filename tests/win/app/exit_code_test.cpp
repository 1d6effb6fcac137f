// The real program: started as its own process, driven through its window's queue, and
// judged by its exit code.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "format/exam_file_writer.h"
#include "model/exam_document.h"
#include "resources/resource_ids.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;

// The program's path as Windows sees it: the build gives a Unix path, Wine maps / to Z:.
std::wstring programPath() {
  std::string unixPath = QZM_PROGRAM_EXE;
  std::wstring path = L"Z:";
  for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK findProgramWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  if (processId != search->processId || !IsWindowVisible(window) ||
      std::wstring(title) != L"QuizmoraBuilder") {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

// One run of the program; ends it by force if a test leaves it running.
class ProgramRun {
 public:
  explicit ProgramRun(const std::wstring& arguments = L"") {
    std::wstring commandLine = L"\"" + programPath() + L"\"" + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &process_) != FALSE;
  }
  ~ProgramRun() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 99);
      WaitForSingleObject(process_.hProcess, kExitTimeoutMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  bool started() const { return started_; }
  HANDLE process() const { return process_.hProcess; }

  // The visible main window, waiting for it to appear.
  HWND mainWindow() {
    for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 50) {
      WindowSearch search{process_.dwProcessId, nullptr};
      EnumWindows(&findProgramWindow, reinterpret_cast<LPARAM>(&search));
      if (search.found) return search.found;
      Sleep(50);
    }
    return nullptr;
  }

  // The control that has the keyboard focus in the program's thread, or null.
  HWND focusedControl() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(process_.dwThreadId, &info)) return nullptr;
    return info.hwndFocus;
  }

  // The exit code, or -1 while it still runs after the timeout.
  int exitCode() {
    if (WaitForSingleObject(process_.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
  }

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

void postKey(HWND window, WPARAM key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

void postClick(HWND control) {
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

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

struct MessageBoxSearch {
  DWORD processId;
  std::wstring text;  // the text of the program's visible message box
  HWND box;
};

BOOL CALLBACK findMessageBox(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<MessageBoxSearch*>(lParam);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  wchar_t caption[32] = {};
  GetWindowTextW(window, caption, 32);
  // The main window is a dialog too: the box is told apart by its caption.
  if (processId != search->processId || !IsWindowVisible(window) ||
      std::wstring(className) != L"#32770" || std::wstring(caption) != L"Quizmora Builder") {
    return TRUE;
  }
  wchar_t text[512] = {};
  GetDlgItemTextW(window, 0xFFFF, text, 512);
  search->text = text;
  search->box = window;
  return FALSE;
}

std::wstring windowsPath(std::filesystem::path path) { return path.make_preferred().wstring(); }

std::wstring controlText(HWND window, int id) {
  wchar_t text[256] = {};
  GetDlgItemTextW(window, id, text, 256);
  return text;
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
      MessageBoxSearch search{GetProcessId(run.process()), L"", nullptr};
      for (DWORD waited = 0; !search.box && waited < kStartTimeoutMs; waited += 50) {
        Sleep(50);
        EnumWindows(&findMessageBox, reinterpret_cast<LPARAM>(&search));
      }
      ASSERT_NE(search.box, nullptr);
      EXPECT_EQ(search.text, test.messageText);
      PostMessageW(search.box, WM_COMMAND, IDOK, 0);
    }
    WaitForInputIdle(run.process(), kStartTimeoutMs);
    EXPECT_EQ(controlText(window, IDC_STATUS_RIGHT), test.status);
    EXPECT_EQ(controlText(window, IDC_QUESTION_TEXT), test.question);
    PostMessageW(window, WM_COMMAND, ID_FILE_EXIT, 0);
    EXPECT_EQ(run.exitCode(), 1);
  }
}

}  // namespace
}  // namespace quizmora
