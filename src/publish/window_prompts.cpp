#include "publish/window_prompts.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "app/win_text.h"

namespace quizmora {
namespace {

UINT iconFlag(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Exclamation:
      return MB_ICONEXCLAMATION;
    case MessageIcon::Information:
      return MB_ICONINFORMATION;
    case MessageIcon::Question:
      return MB_ICONQUESTION;
    case MessageIcon::Warning:
      return MB_ICONWARNING;
    case MessageIcon::Error:
      return MB_ICONERROR;
  }
  return 0;
}

struct ItemListDeleter {
  void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};

}  // namespace

int WindowPrompts::show(std::u16string_view text, UINT flags) {
  const std::u16string body(text);
  const std::u16string caption(kPublishCaption);
  return MessageBoxW(owner_, wideText(body), wideText(caption), flags);
}

void WindowPrompts::tell(MessageIcon icon, std::u16string_view text) {
  show(text, MB_OK | iconFlag(icon));
}

bool WindowPrompts::ask(MessageIcon icon, std::u16string_view text, bool yesIsDefault) {
  const UINT defaultButton = yesIsDefault ? MB_DEFBUTTON1 : MB_DEFBUTTON2;
  return show(text, MB_YESNO | iconFlag(icon) | defaultButton) == IDYES;
}

std::optional<std::u16string> WindowPrompts::chooseFolder(std::u16string_view title) {
  const std::u16string titleText(title);
  BROWSEINFOW info{};
  info.hwndOwner = owner_;
  info.lpszTitle = wideText(titleText);
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  std::unique_ptr<ITEMIDLIST, ItemListDeleter> chosen(SHBrowseForFolderW(&info));
  if (!chosen) return std::nullopt;
  // Long enough for any path the file system can hold.
  std::vector<wchar_t> path(32768, L'\0');
  if (!SHGetPathFromIDListEx(chosen.get(), path.data(), static_cast<DWORD>(path.size()),
                             GPFIDL_DEFAULT)) {
    return std::nullopt;  // a place that is no folder on disk (a printer, the network)
  }
  return fromWide(path.data());
}

}  // namespace quizmora
