// The thread's message loop: filters asked from the last registered to the first, idle
// handlers once per idle period, the quit code as the loop's result.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_module.h"

namespace quizmora {
namespace {

constexpr UINT kProbe = WM_APP + 1;

// A message-only window that records what reaches its procedure.
class RecordingWindow {
 public:
  RecordingWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &RecordingWindow::proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QuizmoraLoopTestWindow";
    RegisterClassW(&windowClass);
    window_ = CreateWindowW(L"QuizmoraLoopTestWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~RecordingWindow() { DestroyWindow(window_); }
  RecordingWindow(const RecordingWindow&) = delete;
  RecordingWindow& operator=(const RecordingWindow&) = delete;

  HWND hwnd() const { return window_; }
  std::vector<std::string>* events = nullptr;
  std::vector<WPARAM> dispatched;
  bool onTimerPending = false;

 private:
  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == kProbe) self->dispatched.push_back(wParam);
    if (message == WM_TIMER) {
      KillTimer(window, wParam);
      if (self->events) self->events->push_back("timer");
      self->onTimerPending = true;
      return 0;
    }
    if (message == WM_PAINT) return 0;
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
};

// A filter that records which probes it was asked about and consumes the ones it owns.
class RecordingFilter : public MessageFilter {
 public:
  RecordingFilter(char name, std::string& asked) : name_(name), asked_(asked) {}
  bool preTranslateMessage(MSG* message) override {
    if (message->message != kProbe) return false;
    asked_ += name_;
    return static_cast<int>(message->wParam) == consumes;
  }
  int consumes = -1;  // the probe number this filter takes, -1 none

 private:
  char name_;
  std::string& asked_;
};

struct FilterCase {
  int probe;
  int consumer;            // index of the filter that takes the probe (0 = first registered)
  const char* askedOrder;  // the filters asked, in order
  bool dispatched;
};

TEST(MessageLoopTest, FiltersAreAskedFromTheLastRegisteredAndTheFirstTrueStops) {
  const FilterCase cases[] = {
      {1, -1, "CBA", true},  // nobody takes it: every filter asked, then dispatched
      {2, 2, "C", false},    // the last registered takes it at once
      {3, 1, "CB", false},
      {4, 0, "CBA", false},
  };
  RecordingWindow window;
  std::string asked;
  RecordingFilter a('A', asked), b('B', asked), c('C', asked);
  RecordingFilter* filters[] = {&a, &b, &c};
  MessageLoop loop;
  for (RecordingFilter* filter : filters) loop.addMessageFilter(filter);

  for (const FilterCase& test : cases) {
    SCOPED_TRACE(test.probe);
    for (RecordingFilter* filter : filters) filter->consumes = -1;
    if (test.consumer >= 0) filters[test.consumer]->consumes = test.probe;
    asked.clear();
    window.dispatched.clear();
    PostMessageW(window.hwnd(), kProbe, static_cast<WPARAM>(test.probe), 0);
    PostQuitMessage(test.probe);
    EXPECT_EQ(loop.run(), test.probe);
    EXPECT_EQ(asked, test.askedOrder);
    EXPECT_EQ(window.dispatched.size(), test.dispatched ? 1u : 0u);
  }
}

TEST(MessageLoopTest, RemovedFilterIsNoLongerAsked) {
  RecordingWindow window;
  std::string asked;
  RecordingFilter a('A', asked), b('B', asked);
  MessageLoop loop;
  loop.addMessageFilter(&a);
  loop.addMessageFilter(&b);
  loop.removeMessageFilter(&b);
  PostMessageW(window.hwnd(), kProbe, 0, 0);
  PostQuitMessage(0);
  loop.run();
  EXPECT_EQ(asked, "A");
}

TEST(MessageLoopTest, ReturnsTheQuitCode) {
  for (int code : {0, 1, 2, -5, 1000}) {
    MessageLoop loop;
    PostQuitMessage(code);
    EXPECT_EQ(loop.run(), code);
  }
}

// Plays a script of posted messages, one per idle period. After each scripted message a
// timer wakes the loop; the record shows whether the idle handlers ran between the message
// and the timer, that is, whether the message started a new idle period.
class ScriptedIdleHandler : public IdleHandler {
 public:
  ScriptedIdleHandler(RecordingWindow& window, std::vector<UINT> script)
      : window_(window), script_(std::move(script)) {
    window_.events = &events;
    window_.onTimerPending = true;  // the first idle call starts the script
  }
  bool onIdle() override {
    events.push_back("idle");
    if (!window_.onTimerPending) return false;
    window_.onTimerPending = false;
    if (next_ == script_.size()) {
      PostQuitMessage(0);
      return false;
    }
    UINT message = script_[next_++];
    events.push_back("post " + std::to_string(message));
    PostMessageW(window_.hwnd(), message, 0, 0);
    SetTimer(window_.hwnd(), 1, 40, nullptr);
    return false;
  }
  std::vector<std::string> events;

 private:
  RecordingWindow& window_;
  std::vector<UINT> script_;
  std::size_t next_ = 0;
};

struct IdleCase {
  UINT message;
  bool startsIdlePeriod;
};

TEST(MessageLoopTest, MouseMovesPaintsAndTheCaretTimerDoNotRestartIdleOtherMessagesDo) {
  const IdleCase cases[] = {
      {WM_MOUSEMOVE, false}, {WM_NCMOUSEMOVE, false}, {WM_PAINT, false}, {0x0118, false},
      {WM_KEYDOWN, true},    {WM_LBUTTONDOWN, true},  {WM_CHAR, true},   {WM_APP + 7, true},
  };
  std::vector<UINT> script;
  std::vector<std::string> expected = {"idle"};
  for (const IdleCase& test : cases) {
    script.push_back(test.message);
    expected.push_back("post " + std::to_string(test.message));
    if (test.startsIdlePeriod) expected.push_back("idle");
    expected.push_back("timer");
    expected.push_back("idle");  // the timer message is an ordinary one
  }
  RecordingWindow window;
  ScriptedIdleHandler handler(window, script);
  MessageLoop loop;
  loop.addIdleHandler(&handler);
  EXPECT_EQ(loop.run(), 0);
  EXPECT_EQ(handler.events, expected);
}

void CALLBACK quitWithThree(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  PostQuitMessage(3);
}

class CountingIdleHandler : public IdleHandler {
 public:
  CountingIdleHandler(std::string& log, char name) : log_(log), name_(name) {}
  bool onIdle() override {
    log_ += name_;
    return true;  // the result is ignored: the loop still waits for the next message
  }

 private:
  std::string& log_;
  char name_;
};

TEST(MessageLoopTest, IdleHandlersRunOncePerIdlePeriodInRegistrationOrder) {
  std::string log;
  CountingIdleHandler first(log, '1'), second(log, '2');
  MessageLoop loop;
  loop.addIdleHandler(&first);
  loop.addIdleHandler(&second);
  // The queue is empty at the start: one idle period, then a timer ends the loop.
  UINT_PTR timer = SetTimer(nullptr, 0, 30, &quitWithThree);
  ASSERT_NE(timer, 0u);
  EXPECT_EQ(loop.run(), 3);
  // One idle period at the start; the timer's quit request is already queued when the timer
  // message has been handled, so no second period begins.
  EXPECT_EQ(log, "12");
}

}  // namespace
}  // namespace quizmora
