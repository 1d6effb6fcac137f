#pragma once
// Drives a modal dialog from inside its own modal loop (GUI test helper): a thread timer
// finds the dialog with the caption once it shows and runs a script that posts input to it,
// as the user's keys and clicks would arrive. A dialog still open five seconds later is
// ended with kTimedOut, so input that never closes it fails the test instead of hanging it.

#include <windows.h>

#include <functional>
#include <string>

namespace quizmora::test {

class ModalDriver {
 public:
  static constexpr INT_PTR kTimedOut = 0x7E57;

  ModalDriver(const wchar_t* caption, std::function<void(HWND dialog)> script)
      : caption_(caption), script_(std::move(script)) {
    active_ = this;
    timer_ = SetTimer(nullptr, 0, 30, &ModalDriver::onTimer);
  }
  ~ModalDriver() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
  }
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  bool ran() const { return dialog_ != nullptr; }
  bool timedOut() const { return timedOut_; }

 private:
  static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (active_) active_->tick();
  }
  void tick() {
    if (!dialog_) {
      HWND found = FindWindowW(L"#32770", caption_.c_str());
      DWORD process = 0;
      if (!found || !IsWindowVisible(found) ||
          GetWindowThreadProcessId(found, &process) != GetCurrentThreadId()) {
        return;
      }
      dialog_ = found;
      startedAt_ = GetTickCount();
      script_(dialog_);
    } else if (!timedOut_ && IsWindow(dialog_) && GetTickCount() - startedAt_ > 5000) {
      timedOut_ = true;
      EndDialog(dialog_, kTimedOut);
    }
  }

  static inline ModalDriver* active_ = nullptr;
  std::wstring caption_;
  std::function<void(HWND)> script_;
  UINT_PTR timer_ = 0;
  HWND dialog_ = nullptr;
  DWORD startedAt_ = 0;
  bool timedOut_ = false;
};

// Input as it arrives from the keyboard: queued for the dialog's loop.
inline void postKey(HWND window, WPARAM key) {
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
  PostMessageW(window, WM_KEYDOWN, key, 1 | (scan << 16));
  PostMessageW(window, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000u);
}

inline void postText(HWND window, const std::u16string& text) {
  for (char16_t unit : text) PostMessageW(window, WM_CHAR, unit, 1);
}

// Moves the focus as Tab would: an edit box gets its text selected, so typing replaces it.
inline void postFocus(HWND dialog, HWND control) {
  PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

}  // namespace quizmora::test
