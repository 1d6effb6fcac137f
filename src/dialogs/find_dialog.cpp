#include "dialogs/find_dialog.h"

#include "app/win_text.h"
#include "dialogs/placement.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

// Beside the owner, where it hides nothing of the form: to its right, else below it, else
// over its top right corner; always inside the work area.
void placeBeside(HWND box, HWND owner) {
  RECT ownerRect{}, boxRect{};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetWindowRect(owner, &ownerRect) || !GetWindowRect(box, &boxRect) ||
      !GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
    return;
  }
  const RECT& area = monitor.rcWork;
  const int width = boxRect.right - boxRect.left;
  const int height = boxRect.bottom - boxRect.top;
  int x = ownerRect.right - width;
  int y = ownerRect.top;
  if (ownerRect.right + width <= area.right) {
    x = ownerRect.right;
  } else if (ownerRect.bottom + height <= area.bottom) {
    y = ownerRect.bottom;
  }
  x = placement_detail::clampedStart(x, width, area.left, area.right);
  y = placement_detail::clampedStart(y, height, area.top, area.bottom);
  SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

FindDialog::~FindDialog() {
  if (loop_) loop_->removeMessageFilter(this);
  if (hwnd()) DestroyWindow(hwnd());
}

void FindDialog::show(HINSTANCE module, HWND owner) {
  if (!hwnd()) {
    if (!create(module, IDD_FIND, owner)) return;
    placeBeside(hwnd(), owner);
    loop_ = AppModule::instance().messageLoopOfThread(GetCurrentThreadId());
    if (loop_) loop_->addMessageFilter(this);
  }
  ShowWindow(hwnd(), SW_SHOW);
  SetActiveWindow(hwnd());
  SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd(), IDC_FIND_TEXT)),
               TRUE);
}

bool FindDialog::preTranslateMessage(MSG* message) {
  if (!hwnd() || !IsWindowVisible(hwnd())) return false;
  if (message->hwnd != hwnd() && !IsChild(hwnd(), message->hwnd)) return false;
  return IsDialogMessageW(hwnd(), message) != FALSE;
}

void FindDialog::readControls() {
  text_ = windowText(GetDlgItem(hwnd(), IDC_FIND_TEXT));
  matchCase_ = IsDlgButtonChecked(hwnd(), IDC_FIND_MATCH_CASE) == BST_CHECKED;
}

bool FindDialog::processMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_INITDIALOG) {
    result = TRUE;
    return true;
  }
  if (message == WM_DESTROY && loop_) {
    loop_->removeMessageFilter(this);
    loop_ = nullptr;
  }
  if (message != WM_COMMAND) return false;
  result = 0;
  switch (LOWORD(wParam)) {
    case IDOK:
      readControls();
      if (!text_.empty() && onFind_) onFind_(text_, matchCase_);
      return true;
    case IDCANCEL:
      readControls();
      ShowWindow(hwnd(), SW_HIDE);
      if (HWND owner = GetWindow(hwnd(), GW_OWNER)) SetActiveWindow(owner);
      return true;
    default:
      return false;
  }
}

}  // namespace quizmora
