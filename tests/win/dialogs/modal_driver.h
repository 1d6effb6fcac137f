#pragma once
// Drives a modal dialog from inside its own modal loop (GUI test helper): a thread timer
// finds the dialog once it shows and runs a script against it. The script posts input, as
// the user's keys and clicks would arrive, and the dialog's loop handles it in order.
// A dialog still open five seconds after its script ran is ended with kTimedOut, so a test
// whose input never closes it fails instead of hanging.

#include <windows.h>

#include <functional>
#include <string>

namespace quizmora::test {

class ModalDriver {
 public:
  static constexpr INT_PTR kTimedOut = 0x7E57;
  using Script = std::function<void(HWND dialog)>;

  ModalDriver(std::wstring caption, Script script);
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  bool ran() const { return dialog_ != nullptr; }
  bool timedOut() const { return timedOut_; }

 private:
  static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);
  static BOOL CALLBACK findDialog(HWND window, LPARAM self);
  void tick();

  static inline ModalDriver* active_ = nullptr;
  std::wstring caption_;
  Script script_;
  UINT_PTR timer_ = 0;
  HWND dialog_ = nullptr;
  DWORD ranAt_ = 0;
  bool timedOut_ = false;
};

inline ModalDriver::ModalDriver(std::wstring caption, Script script)
    : caption_(std::move(caption)), script_(std::move(script)) {
  active_ = this;
  timer_ = SetTimer(nullptr, 0, 30, &ModalDriver::onTimer);
}

inline ModalDriver::~ModalDriver() {
  KillTimer(nullptr, timer_);
  active_ = nullptr;
}

inline void CALLBACK ModalDriver::onTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (active_) active_->tick();
}

inline BOOL CALLBACK ModalDriver::findDialog(HWND window, LPARAM self) {
  auto* driver = reinterpret_cast<ModalDriver*>(self);
  wchar_t text[64] = {};
  wchar_t className[16] = {};
  GetWindowTextW(window, text, 64);
  GetClassNameW(window, className, 16);
  if (!IsWindowVisible(window) || driver->caption_ != text || lstrcmpW(className, L"#32770")) {
    return TRUE;
  }
  driver->dialog_ = window;
  return FALSE;
}

inline void ModalDriver::tick() {
  if (!dialog_) {
    EnumThreadWindows(GetCurrentThreadId(), &ModalDriver::findDialog,
                      reinterpret_cast<LPARAM>(this));
    if (!dialog_) return;
    ranAt_ = GetTickCount();
    script_(dialog_);
    return;
  }
  if (!timedOut_ && IsWindow(dialog_) && GetTickCount() - ranAt_ > 5000) {
    timedOut_ = true;
    EndDialog(dialog_, kTimedOut);
  }
}

// Input as it arrives from the keyboard and mouse: queued for the dialog's loop.
inline void postKey(HWND window, WPARAM key) {
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
  PostMessageW(window, WM_KEYDOWN, key, 1 | (scan << 16));
  PostMessageW(window, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000u);
}

inline void postText(HWND window, const std::u16string& text) {
  for (char16_t unit : text) PostMessageW(window, WM_CHAR, unit, 1);
}

// Moves the focus as Tab would (an edit box gets its text selected, so typing replaces it).
inline void postFocus(HWND dialog, HWND control) {
  PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

}  // namespace quizmora::test
