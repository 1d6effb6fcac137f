// runApplication: the main window is created, shown with the given state, the loop runs
// until the window asks to quit, and everything is torn down; a window that cannot be
// created ends the run with 0.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/app_module.h"
#include "app/run_application.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

// What the observer saw of the running program, and what it did to end it.
struct Observation {
  HWND mainWindow = nullptr;
  bool visible = false;
  bool maximized = false;
  bool loopRegistered = false;
  UINT closingMessage = 0;
  WPARAM closingParam = 0;
};

BOOL CALLBACK findMainWindow(HWND window, LPARAM found) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (std::wstring(className) != L"#32770") return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND mainWindowOfThisThread() {
  HWND window = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &findMainWindow, reinterpret_cast<LPARAM>(&window));
  return window;
}

// A message-only window whose timer, once the program runs, looks at the main window and
// posts the closing message to it.
class Observer {
 public:
  explicit Observer(Observation& seen) : seen_(seen) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &Observer::proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QuizmoraRunObserver";
    RegisterClassW(&windowClass);
    window_ = CreateWindowW(L"QuizmoraRunObserver", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetTimer(window_, 1, 100, nullptr);
  }
  ~Observer() { DestroyWindow(window_); }
  Observer(const Observer&) = delete;
  Observer& operator=(const Observer&) = delete;

 private:
  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Observer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_TIMER || !self) return DefWindowProcW(window, message, wParam, lParam);
    KillTimer(window, wParam);
    self->observeAndClose();
    return 0;
  }
  void observeAndClose() {
    HWND window = mainWindowOfThisThread();
    seen_.mainWindow = window;
    seen_.visible = window && IsWindowVisible(window);
    seen_.maximized = window && IsZoomed(window);
    seen_.loopRegistered =
        AppModule::instance().messageLoopOfThread(GetCurrentThreadId()) != nullptr;
    if (!window) {
      PostQuitMessage(-1);
      return;
    }
    PostMessageW(window, seen_.closingMessage, seen_.closingParam, 0);
  }

  Observation& seen_;
  HWND window_ = nullptr;
};

int runAndClose(int showCommand, UINT message, WPARAM wParam, Observation& seen) {
  seen.closingMessage = message;
  seen.closingParam = wParam;
  Observer observer(seen);
  return runApplication(showCommand);
}

TEST(RunApplicationTest, MissingMainWindowEndsWithZeroAndLeavesNothingBehind) {
  EXPECT_EQ(runApplication(SW_SHOWNORMAL, 9999), 0);
  EXPECT_EQ(AppModule::instance().messageLoopOfThread(GetCurrentThreadId()), nullptr);
  EXPECT_EQ(AppModule::instance().takeCreatingWindow(), nullptr);
  EXPECT_EQ(mainWindowOfThisThread(), nullptr);
}

TEST(RunApplicationTest, ExitCodesOfTheWaysToClose) {
  struct Case {
    const char* name;
    UINT message;
    WPARAM wParam;
    int exitCode;
  };
  const Case cases[] = {
      {"Exit menu command", WM_COMMAND, ID_FILE_EXIT, 1},
      {"Exit with another notification code", WM_COMMAND, MAKEWPARAM(ID_FILE_EXIT, 1), 1},
      {"Cancel", WM_COMMAND, IDCANCEL, 2},
      {"close box", WM_SYSCOMMAND, SC_CLOSE, 2},
      {"close request", WM_CLOSE, 0, 2},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Observation seen;
    EXPECT_EQ(runAndClose(SW_SHOWNORMAL, test.message, test.wParam, seen), test.exitCode);
    EXPECT_NE(seen.mainWindow, nullptr);
    EXPECT_TRUE(seen.visible);
    EXPECT_TRUE(seen.loopRegistered);
    EXPECT_FALSE(IsWindow(seen.mainWindow));
    EXPECT_EQ(AppModule::instance().messageLoopOfThread(GetCurrentThreadId()), nullptr);
  }
}

TEST(RunApplicationTest, ShowsTheWindowWithTheGivenState) {
  Observation seen;
  EXPECT_EQ(runAndClose(SW_SHOWMAXIMIZED, WM_COMMAND, ID_FILE_EXIT, seen), 1);
  EXPECT_TRUE(seen.visible);
  EXPECT_TRUE(seen.maximized);
}

}  // namespace
}  // namespace quizmora
