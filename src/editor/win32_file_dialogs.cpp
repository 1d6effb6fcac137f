#include "editor/win32_file_dialogs.h"

#include <algorithm>
#include <string>

#include "app/win_text.h"
#include "editor/file_dialog_setup.h"

namespace quizmora {
namespace {

// Pairs of display text and pattern; the literal's own terminator ends the list.
constexpr wchar_t kFilter[] = L"Quizmora Files (*.qzm)\0*.qzm\0All Files (*.*)\0*.*\0";

UINT_PTR CALLBACK ignoreDialogMessages(HWND, UINT, WPARAM, LPARAM) { return 0; }

std::optional<std::u16string> runFileDialog(bool save) {
  wchar_t fileName[kFileNameUnits];
  wchar_t fileTitle[kFileTitleUnits];
  OPENFILENAMEW dialog;
  prepareFileDialog(dialog, fileName, fileTitle);
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return fromWide(fileName);
}

// Pairs of label and patterns, each ended by a zero unit, the list by one more.
std::u16string filterList(const std::vector<FileFilter>& filters) {
  std::u16string list;
  for (const FileFilter& filter : filters) {
    list += filter.label;
    list += u'\0';
    list += filter.patterns;
    list += u'\0';
  }
  list += u'\0';
  return list;
}

}  // namespace

void prepareFileDialog(OPENFILENAMEW& dialog, wchar_t* fileName, wchar_t* fileTitle) {
  dialog = OPENFILENAMEW{};
  fileName[0] = L'\0';
  fileTitle[0] = L'\0';
  dialog.lStructSize = kFileDialogStructSize;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = kFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = fileName;
  dialog.nMaxFile = kFileNameUnits;
  dialog.lpstrFileTitle = fileTitle;
  dialog.nMaxFileTitle = kFileTitleUnits;
  dialog.Flags =
      OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_ENABLEHOOK;
  dialog.lpfnHook = ignoreDialogMessages;
}

std::optional<std::u16string> Win32FileDialogs::chooseOpenPath() { return runFileDialog(false); }

std::optional<std::u16string> Win32FileDialogs::chooseSavePath() { return runFileDialog(true); }

std::optional<FileChoice> Win32FileDialogs::chooseFile(const FileRequest& request) {
  wchar_t fileName[kFileNameUnits];
  wchar_t fileTitle[kFileTitleUnits];
  OPENFILENAMEW dialog;
  prepareFileDialog(dialog, fileName, fileTitle);
  const std::u16string filters = filterList(request.filters);
  dialog.lpstrFilter = reinterpret_cast<const wchar_t*>(filters.c_str());
  if (!request.title.empty()) dialog.lpstrTitle = wideText(request.title);
  const std::size_t kept = std::min<std::size_t>(request.defaultName.size(), kFileNameUnits - 1);
  std::copy_n(request.defaultName.begin(), kept, fileName);
  fileName[kept] = L'\0';
  const BOOL chosen = request.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return FileChoice{fromWide(fileName), dialog.nFilterIndex > 0 ? dialog.nFilterIndex - 1 : 0};
}

}  // namespace quizmora
