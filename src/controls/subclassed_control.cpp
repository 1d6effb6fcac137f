#include "controls/subclassed_control.h"

namespace quizmora {
namespace {

// The window property that links a window to its object; removed again when the window
// goes, so a run leaves no properties behind.
const wchar_t kObjectProperty[] = L"Quizmora.SubclassedControl";

}  // namespace

SubclassedControl::~SubclassedControl() { unsubclassWindow(); }

SubclassedControl* SubclassedControl::fromWindow(HWND window) {
  return static_cast<SubclassedControl*>(GetPropW(window, kObjectProperty));
}

bool SubclassedControl::subclassWindow(HWND window) {
  if (!window || window_ || !IsWindow(window) || fromWindow(window)) return false;
  if (!SetPropW(window, kObjectProperty, this)) return false;
  window_ = window;
  previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedControl::windowProc)));
  if (!previous_) {
    RemovePropW(window, kObjectProperty);
    window_ = nullptr;
    return false;
  }
  return true;
}

void SubclassedControl::unsubclassWindow() {
  if (!window_) return;
  if (IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropW(window_, kObjectProperty);
  }
  window_ = nullptr;
  previous_ = nullptr;
}

LRESULT SubclassedControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return callPreviousProc(message, wParam, lParam);
}

LRESULT SubclassedControl::callPreviousProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(previous_, window_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::windowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  SubclassedControl* self = fromWindow(window);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message != WM_NCDESTROY) return self->handleMessage(message, wParam, lParam);

  // The final message: let the control finish, then unlink before anyone can be deleted.
  LRESULT result = self->handleMessage(message, wParam, lParam);
  if (fromWindow(window) == self) {
    WNDPROC previous = self->previous_;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropW(window, kObjectProperty);
    self->window_ = nullptr;
    self->previous_ = nullptr;
  }
  self->onFinalMessage(window);
  return result;
}

}  // namespace quizmora
