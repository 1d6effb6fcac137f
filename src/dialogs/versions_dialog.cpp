#include "dialogs/versions_dialog.h"

#include <algorithm>
#include <string>

#include "dialogs/center_on_owner.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

struct ShuffleButton {
  int id;
  ShuffleKind kind;
};
constexpr ShuffleButton kShuffleButtons[] = {{IDC_VERSIONS_QUESTIONS, ShuffleKind::Questions},
                                             {IDC_VERSIONS_CHOICES, ShuffleKind::Choices},
                                             {IDC_VERSIONS_BOTH, ShuffleKind::Both}};

}  // namespace

VersionsDialog::~VersionsDialog() {
  if (hwnd()) DestroyWindow(hwnd());
}

INT_PTR VersionsDialog::run(HINSTANCE module, HWND owner) {
  return doModal(module, IDD_VERSIONS, owner);
}

bool VersionsDialog::processMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/,
                                    LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      onInitDialog();
      result = TRUE;  // the focus goes to the first control, the number list
      return true;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK) {
        onOk();
      } else if (id == IDCANCEL) {
        endDialog(IDCANCEL);
      } else {
        return false;
      }
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

void VersionsDialog::onInitDialog() {
  HWND dialog = hwnd();
  centerOnOwner(dialog);
  HWND count = GetDlgItem(dialog, IDC_VERSIONS_COUNT);
  for (int n = 1; n <= kMaxExamVersions; ++n) {
    SendMessageW(count, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(n).c_str()));
  }
  const int chosen = std::clamp(choice.count, 1, kMaxExamVersions);
  SendMessageW(count, CB_SETCURSEL, static_cast<WPARAM>(chosen - 1), 0);
  for (const ShuffleButton& button : kShuffleButtons) {
    if (button.kind == choice.shuffle) {
      CheckRadioButton(dialog, IDC_VERSIONS_QUESTIONS, IDC_VERSIONS_BOTH, button.id);
    }
  }
  CheckDlgButton(dialog, IDC_VERSIONS_KEYS, choice.withKeys ? BST_CHECKED : BST_UNCHECKED);
}

void VersionsDialog::onOk() {
  HWND dialog = hwnd();
  const LRESULT selected = SendDlgItemMessageW(dialog, IDC_VERSIONS_COUNT, CB_GETCURSEL, 0, 0);
  if (selected != CB_ERR) choice.count = static_cast<int>(selected) + 1;
  for (const ShuffleButton& button : kShuffleButtons) {
    if (IsDlgButtonChecked(dialog, button.id) == BST_CHECKED) choice.shuffle = button.kind;
  }
  choice.withKeys = IsDlgButtonChecked(dialog, IDC_VERSIONS_KEYS) == BST_CHECKED;
  endDialog(IDOK);
}

}  // namespace quizmora
