// The main window's Edit menu (undo, redo, find, moving a question) and its recovery copy.
#include <windows.h>

#include <cwchar>
#include <filesystem>
#include <system_error>

#include "app/win_text.h"
#include "controls/inplace_property_edit.h"
#include "editor/main_editor.h"
#include "editor/win32_recovery.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

constexpr UINT_PTR kRecoveryTimer = 1;
// Often enough that a long exam is gathered for its copy within a second or two.
constexpr UINT kRecoveryTickMs = 100;
constexpr char16_t kCaption[] = u"Quizmora Builder";

void setItem(HMENU menu, int id, const std::u16string& text, bool enabled) {
  MENUITEMINFOW item{};
  item.cbSize = sizeof(item);
  item.fMask = MIIM_STRING | MIIM_STATE;
  item.dwTypeData = const_cast<wchar_t*>(wideText(text));
  item.fState = enabled ? MFS_ENABLED : MFS_GRAYED;
  SetMenuItemInfoW(menu, static_cast<UINT>(id), FALSE, &item);
}

}  // namespace

HWND MainEditor::typingBox() const {
  HWND focus = GetFocus();
  if (!focus || !IsChild(hwnd(), focus)) return nullptr;
  wchar_t className[64] = {};
  GetClassNameW(focus, className, 64);
  if (_wcsicmp(className, L"Edit") != 0 &&
      std::wcscmp(className, InplacePropertyEdit::kClassName) != 0) {
    return nullptr;
  }
  return SendMessageW(focus, EM_CANUNDO, 0, 0) ? focus : nullptr;
}

void MainEditor::updateEditMenu() {
  HMENU menu = GetMenu(hwnd());
  if (!menu) return;
  const bool typing = typingBox() != nullptr;
  setItem(menu, ID_EDIT_UNDO,
          (typing ? std::u16string(u"Undo Typing") : editCommands_.undoText()) + u"\tCtrl+Z",
          typing || editCommands_.canUndo());
  setItem(menu, ID_EDIT_REDO, editCommands_.redoText() + u"\tCtrl+Y", editCommands_.canRedo());
  EnableMenuItem(menu, ID_EDIT_MOVE_UP, editCommands_.canMoveUp() ? MF_ENABLED : MF_GRAYED);
  EnableMenuItem(menu, ID_EDIT_MOVE_DOWN, editCommands_.canMoveDown() ? MF_ENABLED : MF_GRAYED);
}

// Ctrl+Z in a box with typing to undo undoes the typing, as in any edit box.
void MainEditor::onUndo() {
  if (HWND box = typingBox()) {
    SendMessageW(box, WM_UNDO, 0, 0);
    return;
  }
  editCommands_.undo();
}

void MainEditor::onRedo() { editCommands_.redo(); }
void MainEditor::onMoveUp() { editCommands_.moveUp(); }
void MainEditor::onMoveDown() { editCommands_.moveDown(); }
void MainEditor::onFind() { findDialog_.show(module_, hwnd()); }

void MainEditor::onFindNext() {
  if (findDialog_.text().empty()) {
    onFind();
    return;
  }
  findText(findDialog_.text(), findDialog_.matchCase());
}

void MainEditor::findText(const std::u16string& text, bool matchCase) {
  const std::optional<FoundText> found = editCommands_.findNext(text, matchCase);
  if (found) showFound(*found);
}

// The found text selected in its box, or its row selected in the list, with the focus there
// so that the selection shows.
void MainEditor::showFound(const FoundText& found) {
  SetActiveWindow(hwnd());
  if (found.place == FoundIn::AnswerRow) {
    SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control(IDC_ANSWER_LIST)), TRUE);
    answerGrid.selectRow(found.row);
    return;
  }
  HWND box = control(found.place == FoundIn::QuestionBox ? IDC_QUESTION_TEXT : IDC_ANSWER_TEXT);
  SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
  SendMessageW(box, EM_SETSEL, found.offset, found.offset + found.length);
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

void MainEditor::commandDone() {
  editCommands_.commandDone();
  keepRecovery();
}

void MainEditor::keepRecovery() {
  if (!recovery_) return;
  recovery_->update(document, fileCommands_.pathIsExamFile(), examChanged,
                    editCommands_.history().revision(), RecoveryKeeper::Clock::now());
}

void MainEditor::writeRecoveryNow() {
  if (!recovery_) return;
  recovery_->writeNow(document, fileCommands_.pathIsExamFile(), examChanged,
                      editCommands_.history().revision());
}

void MainEditor::stopRecovery() {
  if (!recovery_) return;
  KillTimer(hwnd(), kRecoveryTimer);
  recovery_->discard();
  recovery_.reset();
}

bool MainEditor::startRecovery() {
  const std::filesystem::path folder = recoveryFolder();
  if (folder.empty() || !hwnd()) return false;
  std::optional<std::filesystem::path> taken;
  for (const std::filesystem::path& left : leftRecoveryFiles(folder, &processIsRunning)) {
    std::optional<RecoveredExam> recovered = readRecoveryFile(left);
    if (!recovered) {
      const auto aside = keepAside(left);
      showMessage({u"A recovery file cannot be read: " + left.u16string() +
                       (aside ? u"\nIt was kept as " + aside->u16string() + u"." : u""),
                   kCaption, MessageIcon::Warning, MessageButtons::Ok});
      continue;
    }
    const FormMessage question{
        u"Quizmora Builder was closed before the exam was saved.\nDo you want to recover it?",
        kCaption, MessageIcon::Question, MessageButtons::YesNo};
    if (showMessage(question) == MessageAnswer::Yes) {
      editCommands_.adoptRecovered(std::move(recovered->exam), recovered->pathIsExamFile);
      taken = left;
      break;
    }
    std::error_code error;
    std::filesystem::remove(left, error);
  }
  const ProcessIdentity self = currentProcessIdentity();
  recovery_ = std::make_unique<RecoveryKeeper>(folder / recoveryFileName(self), self);
  SetTimer(hwnd(), kRecoveryTimer, kRecoveryTickMs, nullptr);
  if (!taken) return false;
  // The recovered exam is this run's to keep now: its copy first, then the old file goes.
  writeRecoveryNow();
  recovery_->waitIdle();
  std::error_code error;
  std::filesystem::remove(*taken, error);
  return true;
}

}  // namespace quizmora
