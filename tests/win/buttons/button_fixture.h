#pragma once
// A top-level test window that behaves like the main window towards its icon buttons: it
// reflects WM_DRAWITEM and WM_CTLCOLORBTN back to them and counts their clicks.

#include <windows.h>

#include <map>
#include <thread>

#include "common/message_pump.h"

namespace quizmora::test {

class ButtonHost {
 public:
  // A visible 320 x 200 window at (100, 100) on the screen.
  ButtonHost();
  ~ButtonHost();
  ButtonHost(const ButtonHost&) = delete;
  ButtonHost& operator=(const ButtonHost&) = delete;

  HWND window() const { return window_; }
  // A plain push button (or `style`) at client (x, y), 27 x 23 pixels.
  HWND addButton(int id, int x, int y, DWORD style = BS_PUSHBUTTON);
  // A static text beside the buttons, for the pointer to move onto.
  HWND addLabel(int id, int x, int y);
  int clicks(int id) const;
  // Makes the window the active foreground window.
  void activate() const;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  std::map<int, int> clicks_;
};

inline constexpr COLORREF kIconRed = RGB(255, 0, 0);
inline constexpr COLORREF kIconGreen = RGB(0, 255, 0);
inline constexpr COLORREF kIconBlue = RGB(0, 0, 255);

// A window of another thread that takes the foreground while it lives, so that the test
// thread has no active window.
class ForeignForegroundWindow {
 public:
  ForeignForegroundWindow();
  ~ForeignForegroundWindow();
  ForeignForegroundWindow(const ForeignForegroundWindow&) = delete;
  ForeignForegroundWindow& operator=(const ForeignForegroundWindow&) = delete;

 private:
  void run();

  HANDLE ready_ = nullptr;
  DWORD threadId_ = 0;
  std::thread thread_;
};

// A 16 x 16 (or other size) icon, all opaque: `body` except a blue top-left pixel.
HICON makeTestIcon(int width = 16, int height = 16, COLORREF body = kIconRed);
bool isIconAlive(HICON icon);

// Real mouse input, as the system delivers it (GetMessagePos included), then a short pump.
// Moves the pointer to client point (x, y) of `window`.
void moveMouseTo(HWND window, int x, int y);
void pressLeftButton();
// Moves the pointer to the bottom-right corner of the screen, away from the test windows.
void parkMouse();
void releaseLeftButton();

// Posts a mouse message with client coordinates (x, y) straight to `window` and pumps; the
// pointer stays where it is.
void postMouse(HWND window, UINT message, WPARAM keys, int x, int y);

inline constexpr int kButtonWidth = 27;
inline constexpr int kButtonHeight = 23;

}  // namespace quizmora::test
