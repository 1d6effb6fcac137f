#pragma once
// Base of the program's dialog windows. The object is linked to its window by the window's
// first message and every later message goes to the derived class's message map.

#include <windows.h>

#include "app/app_module.h"

namespace quizmora {

class DialogWindow : public WindowObject {
 public:
  DialogWindow() = default;
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;
  // Destroys a window that is still alive; derived classes whose message maps need their
  // members destroy it in their own destructor first.
  ~DialogWindow() override;

  // Modeless dialog from resource `templateId` of `module`, owned by `owner` (may be null).
  // Null when the window cannot be created.
  HWND create(HINSTANCE module, int templateId, HWND owner);
  // Modal dialog: returns the value given to endDialog, or -1 when it cannot be created.
  INT_PTR doModal(HINSTANCE module, int templateId, HWND owner);
  bool endDialog(INT_PTR result);

  HWND hwnd() const { return window_; }  // null until bound and after the final message
  void bindWindow(HWND window) override;

  // Messages whose result a dialog procedure returns itself rather than through the
  // dialog's result slot (DWLP_MSGRESULT).
  static bool returnsResultDirectly(UINT message);

  // The child that raised a notification message, or null.
  static HWND notifyingChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // The message map: true when the message was handled, with its result in `result`.
  virtual bool processMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
  // Sends a child control's notification back to that control as message + 0x2000 (the
  // reflected message), with the control's answer in `result`. False, with nothing sent,
  // when the message is not a notification or names no child.
  bool reflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // After the window's final message left unhandled, once the object is unbound.
  virtual void onFinalMessage(HWND /*window*/) {}

 private:
  static INT_PTR CALLBACK startDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR routeMessage(UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
};

}  // namespace quizmora
