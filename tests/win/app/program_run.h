#pragma once
// The real program started as its own process, and what a test sees of it from outside: its
// main window, the control with the focus, its message boxes and its exit code.
#include <windows.h>

#include <filesystem>
#include <string>

namespace quizmora::test {

inline constexpr DWORD kStartTimeoutMs = 20000;
inline constexpr DWORD kExitTimeoutMs = 10000;

// The program's path as Windows sees it: the build gives a Unix path, Wine maps / to Z:.
inline std::wstring programPath() {
  std::string unixPath = QZM_PROGRAM_EXE;
  std::wstring path = L"Z:";
  for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

struct WindowSearch {
  DWORD processId;
  const wchar_t* caption;
  HWND found;
};

// The process's visible window with that caption: the main window ("QuizmoraBuilder") or a
// message box ("Quizmora Builder"), both dialogs.
inline BOOL CALLBACK findVisibleWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  wchar_t caption[64] = {};
  GetWindowTextW(window, caption, 64);
  if (processId != search->processId || !IsWindowVisible(window) ||
      std::wstring(caption) != search->caption) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

// The window, waiting for it to appear; null after the timeout.
inline HWND waitForWindow(DWORD processId, const wchar_t* caption) {
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 50) {
    WindowSearch search{processId, caption, nullptr};
    EnumWindows(&findVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(50);
  }
  return nullptr;
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
  HWND mainWindow() { return waitForWindow(process_.dwProcessId, L"QuizmoraBuilder"); }

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

inline void postKey(HWND window, WPARAM key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

inline void postClick(HWND control) {
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

struct MessageBoxSearch {
  std::wstring text;  // the text of the program's visible message box
  HWND box;
};

inline std::wstring windowsPath(std::filesystem::path path) {
  return path.make_preferred().wstring();
}

inline std::wstring controlText(HWND window, int id) {
  wchar_t text[256] = {};
  GetDlgItemTextW(window, id, text, 256);
  return text;
}

// The program's visible message box, waiting for it to appear; null after the timeout.
inline MessageBoxSearch waitForMessageBox(ProgramRun& run) {
  MessageBoxSearch search{L"", waitForWindow(GetProcessId(run.process()), L"Quizmora Builder")};
  wchar_t text[512] = {};
  if (search.box) GetDlgItemTextW(search.box, 0xFFFF, text, 512);
  search.text = text;
  return search;
}

}  // namespace quizmora::test
