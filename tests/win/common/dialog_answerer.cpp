#include "common/dialog_answerer.h"

#include <commctrl.h>
#include <shlobj.h>

namespace quizmora::test {
namespace {

DialogAnswerer* active = nullptr;  // the one answerer a thread timer can reach

std::wstring classOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring textOf(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

struct DialogSearch {
  HWND ignore;
  HWND found = nullptr;
};

BOOL CALLBACK findDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<DialogSearch*>(data);
  if (window != search->ignore && IsWindowVisible(window) && classOf(window) == L"#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The visible dialog of this thread other than `ignore`.
HWND openDialog(HWND ignore) {
  DialogSearch search{ignore};
  EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The text of the item selected in the picker's folder tree.
std::wstring selectedItemText(HWND picker) {
  HWND tree = FindWindowExW(picker, nullptr, WC_TREEVIEWW, nullptr);
  wchar_t text[MAX_PATH] = {};
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = tree ? TreeView_GetSelection(tree) : nullptr;
  item.pszText = text;
  item.cchTextMax = MAX_PATH;
  if (!item.hItem || !TreeView_GetItem(tree, &item)) return {};
  return text;
}

}  // namespace

DialogAnswerer::DialogAnswerer(std::vector<Answer> answers, HWND ignore)
    : answers_(std::move(answers)), ignore_(ignore) {
  active = this;
  timer_ = SetTimer(nullptr, 0, 50, &DialogAnswerer::onTimer);
}

DialogAnswerer::~DialogAnswerer() {
  KillTimer(nullptr, timer_);
  active = nullptr;
}

void CALLBACK DialogAnswerer::onTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (active) active->tick();
}

void DialogAnswerer::tick() {
  HWND dialog = openDialog(ignore_);
  if (!dialog) return;
  if (picking_ == dialog) {
    // The picker fills its tree as it goes: confirm only once the folder is selected.
    const std::wstring& folder = answers_[next_].folder;
    const bool selected = selectedItemText(dialog) == folder.substr(folder.find_last_of(L'\\') + 1);
    if (!selected && ++pickingTicks_ < 100) {
      SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
      return;
    }
    // After about five seconds without the folder, Cancel: the test fails, nothing is copied
    // elsewhere.
    PostMessageW(dialog, WM_COMMAND, selected ? IDOK : IDCANCEL, 0);
    picking_ = nullptr;
    ++next_;
    return;
  }
  ShownDialog seen;
  seen.caption = textOf(dialog);
  seen.owner = GetWindow(dialog, GW_OWNER);
  seen.hasYesNo = GetDlgItem(dialog, IDYES) && GetDlgItem(dialog, IDNO);
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (classOf(child) == L"Static" && GetWindowTextLengthW(child) > 0) {
      seen.texts.push_back(textOf(child));
    }
    if (classOf(child) == WC_TREEVIEWW) seen.isPicker = true;
  }
  shown.push_back(seen);
  if (next_ >= answers_.size()) {
    // Not expected: recorded for the test to see, and closed so that the test goes on.
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  const Answer& answer = answers_[next_];
  if (seen.isPicker && !answer.folder.empty()) {
    // Chosen the way the dialog's owner program would preselect it; confirmed next tick.
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(answer.folder.c_str()));
    picking_ = dialog;
    pickingTicks_ = 0;
    return;
  }
  PostMessageW(dialog, WM_COMMAND, seen.isPicker ? IDCANCEL : answer.button, 0);
  ++next_;
}

}  // namespace quizmora::test
