#include "dialogs/find_dialog.h"

#include "app/win_text.h"
#include "resources/resource_ids.h"

namespace quizmora {

FindDialog::~FindDialog() {
  if (loop_) loop_->removeMessageFilter(this);
  if (hwnd()) DestroyWindow(hwnd());
}

void FindDialog::show(HINSTANCE module, HWND owner) {
  if (!hwnd()) {
    if (!create(module, IDD_FIND, owner)) return;
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
