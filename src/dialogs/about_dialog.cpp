#include "dialogs/about_dialog.h"

#include <vector>

#include "app/win_text.h"
#include "dialogs/center_on_owner.h"
#include "dialogs/version_text.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

struct Translation {
  WORD language;
  WORD codePage;
};

}  // namespace

std::u16string readBuildNumber(const wchar_t* path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return {};
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoW(path, 0, size, block.data())) return {};

  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) || !value ||
      length < sizeof(Translation)) {
    return {};
  }
  const Translation first = *static_cast<const Translation*>(value);
  const std::u16string query = productVersionQuery(first.language, first.codePage);
  value = nullptr;
  length = 0;
  if (!VerQueryValueW(block.data(), wideText(query), &value, &length) || !value || length == 0) {
    return {};
  }
  return versionDisplayText(fromWide(static_cast<const wchar_t*>(value)));
}

AboutDialog::AboutDialog(HyperLinkLabel::Opener opener) { link_.setOpener(std::move(opener)); }

AboutDialog::~AboutDialog() {
  // While the link still exists, so that its window's last messages find it.
  if (hwnd()) DestroyWindow(hwnd());
}

INT_PTR AboutDialog::run(HINSTANCE module, HWND owner) { return doModal(module, IDD_ABOUT, owner); }

bool AboutDialog::processMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      onInitDialog();
      result = TRUE;  // the focus goes to the first control, the OK button
      return true;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id != IDOK && id != IDCANCEL) return false;
      endDialog(id);
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

void AboutDialog::onInitDialog() {
  link_.setUrl(kProductPageUrl);
  link_.setLabel(kProductPageLabel);
  link_.attach(GetDlgItem(hwnd(), IDC_ABOUT_LINK));
  centerOnOwner(hwnd());
  showBuildNumber();
}

void AboutDialog::showBuildNumber() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  const std::u16string build = readBuildNumber(path);
  if (!build.empty()) SetDlgItemTextW(hwnd(), IDC_ABOUT_BUILD, wideText(build));
}

}  // namespace quizmora
