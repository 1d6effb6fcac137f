#include "dialogs/settings_dialog.h"

#include <iterator>

#include "app/win_text.h"
#include "dialogs/center_on_owner.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

// The entries of the mode list; an entry's position is its ExamMode value.
constexpr const wchar_t* kModeEntries[] = {L"", L"Only Exam Mode", L"Only Learning Mode"};
constexpr std::int32_t kModeCount = static_cast<std::int32_t>(std::size(kModeEntries));

}  // namespace

SettingsDialog::~SettingsDialog() {
  if (hwnd()) DestroyWindow(hwnd());
}

void SettingsDialog::loadFrom(const ExamHeader& header) {
  title = header.title;
  author = header.author;
  email = header.email;
  web = header.web;
  description = header.description;
  mode = static_cast<std::int32_t>(header.mode);
}

bool SettingsDialog::storeInto(ExamHeader& header) const {
  const ExamMode newMode = mode == kNoModeSelected ? header.mode : static_cast<ExamMode>(mode);
  const bool changed = header.title != title || header.author != author || header.mode != newMode;
  header.title = title;
  header.author = author;
  header.email = email;
  header.web = web;
  header.description = description;
  header.mode = newMode;
  return changed;
}

INT_PTR SettingsDialog::run(HINSTANCE module, HWND owner) {
  return doModal(module, IDD_SETTINGS, owner);
}

bool SettingsDialog::processMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/,
                                    LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      onInitDialog();
      result = TRUE;  // the focus goes to the first control, the OK button
      return true;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id != IDOK && id != IDCANCEL) return false;
      onClose(id);
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

void SettingsDialog::onInitDialog() {
  HWND dialog = hwnd();
  centerOnOwner(dialog);
  SetDlgItemTextW(dialog, IDC_SETTINGS_TITLE, wideText(title));
  SetDlgItemTextW(dialog, IDC_SETTINGS_AUTHOR, wideText(author));
  SetDlgItemTextW(dialog, IDC_SETTINGS_EMAIL, wideText(email));
  SetDlgItemTextW(dialog, IDC_SETTINGS_WEB, wideText(web));
  SetDlgItemTextW(dialog, IDC_SETTINGS_DESCRIPTION, wideText(description));
  modeList_ = GetDlgItem(dialog, IDC_SETTINGS_MODE);
  for (const wchar_t* entry : kModeEntries) {
    SendMessageW(modeList_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }
  // A mode from a file that is none of the entries shows as an empty list.
  const bool known = mode >= 0 && mode < kModeCount;
  SendMessageW(modeList_, CB_SETCURSEL, known ? static_cast<WPARAM>(mode) : static_cast<WPARAM>(-1),
               0);
}

// OK and Cancel alike: the fields are read whole, however long; whether they reach the
// header is the caller's decision on the result.
void SettingsDialog::onClose(int buttonId) {
  HWND dialog = hwnd();
  title = windowText(GetDlgItem(dialog, IDC_SETTINGS_TITLE));
  author = windowText(GetDlgItem(dialog, IDC_SETTINGS_AUTHOR));
  email = windowText(GetDlgItem(dialog, IDC_SETTINGS_EMAIL));
  web = windowText(GetDlgItem(dialog, IDC_SETTINGS_WEB));
  description = windowText(GetDlgItem(dialog, IDC_SETTINGS_DESCRIPTION));
  const LRESULT selected = SendMessageW(modeList_, CB_GETCURSEL, 0, 0);
  mode = selected == CB_ERR ? kNoModeSelected : static_cast<std::int32_t>(selected);
  endDialog(buttonId);
}

}  // namespace quizmora
