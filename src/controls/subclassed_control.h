#pragma once
// Takes over an existing control window (window subclassing): its messages reach the
// object first; whatever the object does not handle goes to the control's own procedure.

#include <windows.h>

namespace quizmora {

class SubclassedControl {
 public:
  SubclassedControl() = default;
  SubclassedControl(const SubclassedControl&) = delete;
  SubclassedControl& operator=(const SubclassedControl&) = delete;
  virtual ~SubclassedControl();

  // Links the object to `window` and installs its procedure. False when the window is
  // missing or already taken over.
  bool subclassWindow(HWND window);
  // Restores the control's own procedure and unlinks the object.
  void unsubclassWindow();

  HWND hwnd() const { return window_; }

  // The object linked to `window`, or null.
  static SubclassedControl* fromWindow(HWND window);

 protected:
  // Every message of the window; the default passes it on to the control's procedure.
  virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT callPreviousProc(UINT message, WPARAM wParam, LPARAM lParam);
  // After the window's final message (WM_NCDESTROY), once the object is unlinked.
  virtual void onFinalMessage(HWND /*window*/) {}

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  WNDPROC previous_ = nullptr;
};

}  // namespace quizmora
