#include "editor/win32_file_dialogs.h"

#include "app/win_text.h"
#include "editor/file_dialog_setup.h"

namespace quizmora {
namespace {

// Pairs of display text and pattern; the literal's own terminator ends the list.
constexpr wchar_t kFilter[] = L"Quizmora Files (*.qzm)\0*.qzm\0All Files (*.*)\0*.*\0";
constexpr wchar_t kPageFilter[] = L"Web Pages (*.html)\0*.html;*.htm\0All Files (*.*)\0*.*\0";

UINT_PTR CALLBACK ignoreDialogMessages(HWND, UINT, WPARAM, LPARAM) { return 0; }

// `filter`: another list of file kinds than the exam files'.
std::optional<std::u16string> runFileDialog(bool save, const wchar_t* filter = nullptr) {
  wchar_t fileName[kFileNameUnits];
  wchar_t fileTitle[kFileTitleUnits];
  OPENFILENAMEW dialog;
  prepareFileDialog(dialog, fileName, fileTitle);
  if (filter) dialog.lpstrFilter = filter;
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return fromWide(fileName);
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

std::optional<std::u16string> Win32FileDialogs::chooseSavePagePath() {
  return runFileDialog(true, kPageFilter);
}

}  // namespace quizmora
