#include "app/dialog_window.h"

namespace quizmora {
namespace {

// Reflected notifications arrive at the control as the original message plus this base.
constexpr UINT kReflectedBase = 0x2000;

HWND childFromLParam(LPARAM lParam) { return reinterpret_cast<HWND>(lParam); }

}  // namespace

DialogWindow::~DialogWindow() {
  AppModule::instance().removeCreatingWindow(this);
  if (!window_) return;
  // Unbind first: the derived message map is gone, so the window's last messages must not
  // reach this object any more.
  HWND window = window_;
  window_ = nullptr;
  SetWindowLongPtrW(window, DWLP_USER, 0);
  if (IsWindow(window)) DestroyWindow(window);
}

HWND DialogWindow::create(HINSTANCE module, int templateId, HWND owner) {
  if (window_) return nullptr;
  AppModule::instance().addCreatingWindow(this);
  HWND window =
      CreateDialogParamW(module, MAKEINTRESOURCEW(templateId), owner, &startDialogProc, 0);
  // When no message reached a window the object is still pending; it must not be bound to
  // the next window this thread creates.
  AppModule::instance().removeCreatingWindow(this);
  return window;
}

INT_PTR DialogWindow::doModal(HINSTANCE module, int templateId, HWND owner) {
  if (window_) return -1;
  AppModule::instance().addCreatingWindow(this);
  INT_PTR result =
      DialogBoxParamW(module, MAKEINTRESOURCEW(templateId), owner, &startDialogProc, 0);
  AppModule::instance().removeCreatingWindow(this);
  return result;
}

bool DialogWindow::endDialog(INT_PTR result) {
  return window_ && EndDialog(window_, result) != FALSE;
}

void DialogWindow::bindWindow(HWND window) {
  window_ = window;
  SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&dialogProc));
}

bool DialogWindow::returnsResultDirectly(UINT message) {
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) return true;
  switch (message) {
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_COMPAREITEM:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

HWND DialogWindow::notifyingChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
    return childFromLParam(lParam);
  }
  switch (message) {
    case WM_COMMAND:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return childFromLParam(lParam);
    case WM_NOTIFY:
      return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_PARENTNOTIFY: {
      UINT event = LOWORD(wParam);
      if (event == WM_CREATE || event == WM_DESTROY) return childFromLParam(lParam);
      return GetDlgItem(parent, HIWORD(wParam));
    }
    case WM_DRAWITEM:  // wParam 0: a menu item, not a control
      return wParam ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      return wParam && item->CtlType != ODT_MENU ? GetDlgItem(parent, static_cast<int>(item->CtlID))
                                                 : nullptr;
    }
    case WM_COMPAREITEM:
      return wParam ? reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_DELETEITEM:
      return wParam ? reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    default:
      return nullptr;
  }
}

bool DialogWindow::reflectNotification(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT& result) {
  HWND child = notifyingChild(window_, message, wParam, lParam);
  if (!child || !IsWindow(child) || child == window_) return false;
  result = SendMessageW(child, message + kReflectedBase, wParam, lParam);
  return true;
}

INT_PTR CALLBACK DialogWindow::startDialogProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  WindowObject* pending = AppModule::instance().takeCreatingWindow();
  if (!pending) return FALSE;
  pending->bindWindow(window);
  return dialogProc(window, message, wParam, lParam);
}

INT_PTR CALLBACK DialogWindow::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  if (!self || self->window_ != window) return FALSE;
  return self->routeMessage(message, wParam, lParam);
}

INT_PTR DialogWindow::routeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_;
  LRESULT result = 0;
  bool handled = false;
  try {
    handled = processMessage(message, wParam, lParam, result);
  } catch (...) {
    // Nothing may leave a window procedure; the message counts as not handled.
    handled = false;
  }
  if (message == WM_NCDESTROY && !handled) {
    SetWindowLongPtrW(window, DWLP_USER, 0);
    window_ = nullptr;
    onFinalMessage(window);
    return FALSE;
  }
  // The handler may have destroyed the window (and so unbound this object): from here on
  // only the saved handle is used.
  if (!handled) return FALSE;
  if (returnsResultDirectly(message)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace quizmora
