#include "editor/main_editor.h"

#include "app/shell_open.h"
#include "controls/dpi_scale.h"
#include "controls/grid_notify.h"
#include "controls/resize_layout.h"
#include "controls/window_dpi.h"
#include "dialogs/about_dialog.h"
#include "dialogs/center_on_owner.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/versions_dialog.h"
#include "editor/command_focus.h"
#include "publish/publish_commands.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

struct IconButtonSetup {
  int controlId;
  int iconId;
  const wchar_t* tooltip;
};

constexpr int kPointsPerInch = 72;

// The icon buttons in the order they are set up.
constexpr IconButtonSetup kIconButtonSetup[MainEditor::kIconButtonCount] = {
    {IDC_NEXT_QUESTION, IDI_NEXT_QUESTION, L"Next Question"},
    {IDC_PREV_QUESTION, IDI_PREV_QUESTION, L"Prev Question"},
    {IDC_ADD_ANSWER, IDI_ADD_ANSWER, L"Add Answer"},
    {IDC_DELETE_ANSWER, IDI_DELETE_ANSWER, L"Delete Answer"},
    {IDC_ADD_QUESTION, IDI_ADD_QUESTION, L"Add Question"},
    {IDC_UPDATE_QUESTION, IDI_UPDATE_QUESTION, L"Update Question"},
    {IDC_DELETE_QUESTION, IDI_DELETE_QUESTION, L"Delete Question"},
    {IDC_CLEAN_FIELDS, IDI_CLEAN_FIELDS, L"Clean Fields"},
    {IDC_COPY_QUESTION, IDI_COPY_QUESTION, L"Copy Question and Answers"},
    {IDC_PASTE_QUESTION, IDI_PASTE_QUESTION, L"Paste Question and Answer"},
    {IDC_GOTO_QUESTION, IDI_GOTO_QUESTION, L"Go to Question #"},
};

// How the controls follow the window's size: the form stretches, the status panes keep to
// the bottom, the go-to controls keep to the right edge, everything else stays put.
constexpr ResizeRule kLayout[] = {
    {IDC_STATUS_LEFT, kResizeSizeX | kResizeMoveY},
    {IDC_STATUS_RIGHT, kResizeMoveX | kResizeMoveY},
    {IDC_QUESTION_GROUP, kResizeSizeX | kResizeSizeY},
    {IDC_QUESTION_LABEL, kResizeMoveX},
    {IDC_QUESTION_NUMBER, kResizeMoveX},
    {IDC_GOTO_QUESTION, kResizeMoveX},
    {IDC_QUESTION_TEXT, kResizeSizeX},
    {IDC_TYPE_GROUP, kResizeSizeX},
    {IDC_ANSWER_GROUP, kResizeSizeX | kResizeSizeY},
    {IDC_ANSWER_TEXT, kResizeSizeX},
    {IDC_ANSWER_LIST, kResizeSizeX | kResizeSizeY},
    {-1, 0},
};

// The answer list's own notifications, which the window answers itself.
bool isGridNotification(const NMHDR& header) {
  int code = static_cast<int>(header.code);
  return header.idFrom == IDC_ANSWER_LIST && code >= kGridCellClick && code <= kGridSelChanged;
}

}  // namespace

const MainEditor::Command MainEditor::kCommands[] = {
    {IDC_PREV_QUESTION, &MainEditor::onPrevQuestion},
    {IDC_NEXT_QUESTION, &MainEditor::onNextQuestion},
    {IDC_ADD_ANSWER, &MainEditor::onAddAnswer},
    {IDC_DELETE_ANSWER, &MainEditor::onDeleteAnswer},
    {IDC_ADD_QUESTION, &MainEditor::onAddQuestion},
    {IDC_UPDATE_QUESTION, &MainEditor::onUpdateQuestion},
    {IDC_DELETE_QUESTION, &MainEditor::onDeleteQuestion},
    {IDC_CLEAN_FIELDS, &MainEditor::onCleanFields},
    {IDC_COPY_QUESTION, &MainEditor::onCopyQuestion},
    {IDC_PASTE_QUESTION, &MainEditor::onPasteQuestion},
    {IDC_GOTO_QUESTION, &MainEditor::onGotoQuestion},
    {IDC_TYPE_ONE_CHOICE, &MainEditor::onTypeChanged},
    {IDC_TYPE_MULTIPLE_CHOICE, &MainEditor::onTypeChanged},
    {IDC_TYPE_FLASH_CARD, &MainEditor::onTypeChanged},
    {ID_FILE_NEW_EXAM, &MainEditor::onNewExam},
    {ID_FILE_OPEN, &MainEditor::onOpen},
    {ID_FILE_SAVE, &MainEditor::onSave},
    {ID_FILE_SAVE_AS, &MainEditor::onSaveAs},
    {ID_FILE_IMPORT_OLD, &MainEditor::onImportOld},
    {ID_FILE_PRINT_VERSIONS, &MainEditor::onPrintVersions},
    {ID_FILE_ADD_FROM_TOOLS, &MainEditor::onAddFromTools},
    {ID_FILE_EXPORT_TO_TOOLS, &MainEditor::onExportToTools},
    {ID_FILE_PRINT_SHEET, &MainEditor::onPrintSheet},
    {ID_FILE_PRINT_SHEET_WITH_ANSWERS, &MainEditor::onPrintSheetWithAnswers},
    {ID_FILE_SETTINGS, &MainEditor::onSettings},
    {ID_FILE_UPLOAD_WEB, &MainEditor::onUploadWeb},
    {ID_FILE_UPLOAD_POCKETPC, &MainEditor::onUploadPocketPc},
    {ID_HELP_ABOUT, &MainEditor::onAbout},
    {ID_APP_ABOUT, &MainEditor::onAbout},
    {ID_FOCUS_QUESTION_NUMBER, &MainEditor::onFocusQuestionNumber},
    {ID_EDIT_UNDO, &MainEditor::onUndo},
    {ID_EDIT_REDO, &MainEditor::onRedo},
    {ID_EDIT_FIND, &MainEditor::onFind},
    {ID_EDIT_FIND_NEXT, &MainEditor::onFindNext},
    {ID_EDIT_MOVE_UP, &MainEditor::onMoveUp},
    {ID_EDIT_MOVE_DOWN, &MainEditor::onMoveDown},
    {ID_FILE_EXIT, &MainEditor::onExit},
    {IDOK, &MainEditor::onOk},
    {IDCANCEL, &MainEditor::onCancel},
};

MainEditor::MainEditor()
    : questionEditor_(editorState(), *this),
      fileCommands_(editorState(), *this, questionEditor_, systemDialogs_),
      exchangeCommands_(editorState(), *this, questionEditor_, fileCommands_),
      editCommands_(editorState(), *this, questionEditor_, fileCommands_) {}

EditorState MainEditor::editorState() {
  return {document, currentIndex, tickedCount, clipboardQuestion, examChanged};
}

bool MainEditor::openExamFromPath(const std::u16string& path) {
  const bool loaded = fileCommands_.openExamFromPath(path);
  if (loaded) editCommands_.examLoaded();
  commandDone();
  return loaded;
}

MainEditor::~MainEditor() {
  // While the members still exist, so that the window's last messages find them.
  if (hwnd()) DestroyWindow(hwnd());
}

HWND MainEditor::create(HINSTANCE module, int templateId) {
  module_ = module;
  return DialogWindow::create(module, templateId, nullptr);
}

bool MainEditor::preTranslateMessage(MSG* message) {
  if (!hwnd()) return false;
  const bool ours = message->hwnd == hwnd() || IsChild(hwnd(), message->hwnd);
  if (ours && shortcuts_ && TranslateAcceleratorW(hwnd(), shortcuts_, message)) return true;
  return IsDialogMessageW(hwnd(), message);
}

bool MainEditor::onIdle() { return false; }

bool MainEditor::processMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      result = onInitDialog();
      return true;
    case WM_DESTROY:
      onDestroy();
      return false;  // the dialog's own clean-up runs as well
    case WM_COMMAND:
      return onCommand(wParam, lParam, result);
    case WM_NOTIFY:
      return onNotify(wParam, lParam, result);
    case WM_SIZE:
      result = resizer.onSize(wParam, lParam);
      return true;
    case WM_GETMINMAXINFO:
      result = resizer.onGetMinMaxInfo(lParam);
      return true;
    case WM_DPICHANGED:
      if (lParam) onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      result = 0;
      return true;
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
      updateEditMenu();
      return false;
    case WM_TIMER:
      keepRecovery();
      result = 0;
      return true;
    case WM_GETFONT:
      if (!scaledFont_) return false;
      result = reinterpret_cast<LRESULT>(scaledFont_.get());
      return true;
    default:
      return reflectNotification(message, wParam, lParam, result);
  }
}

bool MainEditor::onInitDialog() {
  document.filePath.clear();
  document.header.mode = ExamMode::AnyMode;
  dpi = windowDpi(hwnd());
  keepDialogDpiLayoutOwn(hwnd());
  centerOnOwner(hwnd());
  SetMenu(hwnd(), LoadMenuW(module_, MAKEINTRESOURCEW(IDR_MAINMENU)));
  shortcuts_ = LoadAcceleratorsW(module_, MAKEINTRESOURCEW(IDR_MAINMENU));
  loadWindowIcons();
  registerWithLoop();
  setUpIconButtons();
  selectOneChoice();
  // Questions and answers are kept whole, however long: lift the edit boxes' typing limit.
  SendDlgItemMessageW(hwnd(), IDC_QUESTION_TEXT, EM_SETLIMITTEXT, 0, 0);
  SendDlgItemMessageW(hwnd(), IDC_ANSWER_TEXT, EM_SETLIMITTEXT, 0, 0);
  answerGrid.attach(GetDlgItem(hwnd(), IDC_ANSWER_LIST));
  resizer.setup(hwnd(), kLayout);
  recordSetUpLayout();
  // The author starts by typing the question; the dialog restores this focus whenever the
  // window is activated, so it holds once the start-up code shows the window.
  SendMessageW(hwnd(), WM_NEXTDLGCTL,
               reinterpret_cast<WPARAM>(GetDlgItem(hwnd(), IDC_QUESTION_TEXT)), TRUE);
  return false;
}

void MainEditor::onDestroy() {
  stopRecovery();
  unregisterFromLoop();
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, 0);
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, 0);
  bigIcon_.reset();
  smallIcon_.reset();
}

void MainEditor::loadWindowIcons() {
  auto load = [this](int widthMetric, int heightMetric) {
    return IconHandle(static_cast<HICON>(LoadImageW(
        module_, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, systemMetricForDpi(widthMetric, dpi),
        systemMetricForDpi(heightMetric, dpi), LR_DEFAULTCOLOR)));
  };
  // Loaded again on a DPI change: the window takes the new icons before the old ones go.
  IconHandle bigIcon = load(SM_CXICON, SM_CYICON);
  IconHandle smallIcon = load(SM_CXSMICON, SM_CYSMICON);
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
  bigIcon_ = std::move(bigIcon);
  smallIcon_ = std::move(smallIcon);
}

void MainEditor::onDpiChanged(UINT newDpi, const RECT& suggested) {
  const UINT oldDpi = dpi;
  if (newDpi != 0 && newDpi != oldDpi) {
    dpi = newDpi;
    const SIZE units = rebuildFont(oldDpi, newDpi);
    if (units.cx > 0 && units.cy > 0 && setUpUnits_.cx > 0 && setUpUnits_.cy > 0) {
      scaleChildren(units);
      resizer.rescale(setUpUnits_, units);
    }
  }
  // The new size lays the controls out again by the resize rules; the window grows to its
  // new minimum size if the offered one is smaller.
  SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (newDpi == 0 || newDpi == oldDpi) return;
  answerGrid.setDpi(newDpi);
  for (IconButton& button : iconButtons) button.setDpi(newDpi);
  loadWindowIcons();
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// Text does not grow exactly with the DPI, so the layout follows the font's average
// character size (the unit the dialog was laid out in) rather than the DPI alone.
SIZE MainEditor::rebuildFont(UINT fromDpi, UINT toDpi) {
  auto currentFont = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
  LOGFONTW description{};
  if (!currentFont || !GetObjectW(currentFont, sizeof(description), &description)) return {};
  // The template's point size, which the height at the old DPI was made from.
  const int height = description.lfHeight < 0 ? -description.lfHeight : description.lfHeight;
  const int points = rescalePixels(height, static_cast<int>(fromDpi), kPointsPerInch);
  description.lfHeight = -rescalePixels(points, kPointsPerInch, static_cast<int>(toDpi));
  description.lfWidth = 0;
  ScopedGdiObject<HFONT> font(CreateFontIndirectW(&description));
  if (!font) return {};
  // Every control takes the new font before the old one goes.
  for (HWND child = GetWindow(hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  }
  scaledFont_ = std::move(font);
  return fontBaseUnits(scaledFont_.get());
}

// A font's average character width and height in pixels, as dialog units are measured.
SIZE MainEditor::fontBaseUnits(HFONT font) const {
  SIZE units{0, 0};
  HDC dc = GetDC(hwnd());
  if (!dc) return units;
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  SIZE extent{};
  static constexpr wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  if (GetTextMetricsW(dc, &metrics) && GetTextExtentPoint32W(dc, kAlphabet, 52, &extent)) {
    units = {(extent.cx / 26 + 1) / 2, metrics.tmHeight};
  }
  SelectObject(dc, previous);
  ReleaseDC(hwnd(), dc);
  return units;
}

void MainEditor::recordSetUpLayout() {
  setUpUnits_ = fontBaseUnits(reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)));
  setUpRects_.clear();
  for (HWND child = GetWindow(hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    setUpRects_.emplace_back(child, rect);
  }
}

// Controls that follow the window's size are placed again by the resize layout afterwards.
void MainEditor::scaleChildren(SIZE units) {
  auto x = [this, units](LONG value) { return rescalePixels(value, setUpUnits_.cx, units.cx); };
  auto y = [this, units](LONG value) { return rescalePixels(value, setUpUnits_.cy, units.cy); };
  for (const auto& [child, rect] : setUpRects_) {
    if (!IsWindow(child)) continue;
    SetWindowPos(child, nullptr, x(rect.left), y(rect.top), x(rect.right) - x(rect.left),
                 y(rect.bottom) - y(rect.top), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void MainEditor::registerWithLoop() {
  loop_ = AppModule::instance().messageLoopOfThread(GetCurrentThreadId());
  if (!loop_) return;
  loop_->addMessageFilter(this);
  loop_->addIdleHandler(this);
}

void MainEditor::unregisterFromLoop() {
  if (!loop_) return;
  loop_->removeMessageFilter(this);
  loop_->removeIdleHandler(this);
  loop_ = nullptr;
}

void MainEditor::setUpIconButtons() {
  for (int i = 0; i < kIconButtonCount; ++i) {
    const IconButtonSetup& setup = kIconButtonSetup[i];
    IconButton& button = iconButtons[static_cast<std::size_t>(i)];
    HWND control = GetDlgItem(hwnd(), setup.controlId);
    button.attach(control);
    bool alignFirst = setup.controlId == IDC_PREV_QUESTION;
    if (alignFirst) button.setIconAlignment(IconButton::kIconAbove);
    button.setIcons(setup.iconId, 0, module_);
    button.setTooltipText(setup.tooltip, true);
    if (!alignFirst) button.setIconAlignment(IconButton::kIconAbove);
    if (setup.controlId == IDC_PREV_QUESTION || setup.controlId == IDC_PASTE_QUESTION) {
      EnableWindow(control, FALSE);
    }
  }
}

void MainEditor::selectOneChoice() {
  CheckDlgButton(hwnd(), IDC_TYPE_ONE_CHOICE, BST_CHECKED);
  CheckDlgButton(hwnd(), IDC_TYPE_MULTIPLE_CHOICE, BST_UNCHECKED);
  CheckDlgButton(hwnd(), IDC_TYPE_FLASH_CARD, BST_UNCHECKED);
}

bool MainEditor::onCommand(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  int id = LOWORD(wParam);
  for (const Command& command : kCommands) {
    if (command.id != id) continue;
    result = 0;
    // A shortcut of a button that is disabled does nothing, as a click on it would.
    const bool shortcut = HIWORD(wParam) == 1 && lParam == 0;
    if (HWND button = control(id); shortcut && button && !IsWindowEnabled(button)) return true;
    HWND focusedBefore = focusedControl();
    (this->*command.handler)();
    commandDone();
    mendFocus(id, focusedBefore);
    return true;
  }
  return reflectNotification(WM_COMMAND, wParam, lParam, result);
}

HWND MainEditor::focusedControl() const {
  HWND focus = GetFocus();
  if (!focus || !IsChild(hwnd(), focus)) return nullptr;
  while (GetParent(focus) != hwnd()) focus = GetParent(focus);
  return focus;
}

void MainEditor::mendFocus(int id, HWND focusedBefore) {
  // Closed by the command, or left for another window (a dialog restores its own focus
  // when it is activated again).
  if (!hwnd() || GetActiveWindow() != hwnd()) return;
  // Find Next put the focus on what it found.
  if (id == ID_EDIT_FIND_NEXT) return;
  auto canTakeFocus = [this](int controlId) {
    HWND window = control(controlId);
    return window && IsWindowEnabled(window) && IsWindowVisible(window);
  };
  const int target =
      focusAfterCommand(id, focusedBefore ? GetDlgCtrlID(focusedBefore) : 0, canTakeFocus);
  HWND window = target ? control(target) : GetNextDlgTabItem(hwnd(), nullptr, FALSE);
  HWND focus = GetFocus();
  if (!window || focus == window || IsChild(window, focus)) return;
  // The dialog manager's way: the default button and the keyboard cues follow, and an edit
  // box gets its text selected.
  SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window), TRUE);
}

bool MainEditor::onNotify(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header || !isGridNotification(*header)) {
    return reflectNotification(WM_NOTIFY, wParam, lParam, result);
  }
  if (static_cast<int>(header->code) == kGridValueChanged) {
    onGridValueChanged(*reinterpret_cast<const GridNotify*>(lParam));
  }
  result = 0;
  return true;
}

// Enter never closes the window: it confirms the question number typed in the number box
// and does nothing anywhere else.
void MainEditor::onOk() {
  if (GetFocus() == GetDlgItem(hwnd(), IDC_QUESTION_NUMBER)) onGotoQuestion();
}

// Esc, the close box and Exit first offer to save an exam with unsaved changes.
void MainEditor::onCancel() {
  writeRecoveryNow();
  if (fileCommands_.confirmDiscard()) closeWith(kQuitCancel);
}

void MainEditor::onExit() {
  writeRecoveryNow();
  if (fileCommands_.confirmDiscard()) closeWith(kQuitExit);
}

void MainEditor::closeWith(int quitCode) {
  DestroyWindow(hwnd());
  PostQuitMessage(quitCode);
}

void MainEditor::onPrevQuestion() {
  editCommands_.leaveQuestion([this] { questionEditor_.prevQuestion(); });
}
void MainEditor::onNextQuestion() {
  editCommands_.leaveQuestion([this] { questionEditor_.nextQuestion(); });
}
void MainEditor::onAddAnswer() { questionEditor_.addAnswer(); }
void MainEditor::onDeleteAnswer() { questionEditor_.deleteAnswer(); }
void MainEditor::onAddQuestion() { editCommands_.addQuestion(); }
void MainEditor::onUpdateQuestion() { editCommands_.updateQuestion(); }
void MainEditor::onDeleteQuestion() { editCommands_.deleteQuestion(); }
void MainEditor::onCleanFields() {
  editCommands_.leaveQuestion([this] { questionEditor_.cleanFields(); });
}
void MainEditor::onCopyQuestion() { questionEditor_.copyQuestion(); }
void MainEditor::onPasteQuestion() { editCommands_.pasteQuestion(); }
void MainEditor::onGotoQuestion() {
  editCommands_.leaveQuestion([this] { questionEditor_.gotoQuestion(); });
}
void MainEditor::onTypeChanged() { questionEditor_.typeChanged(); }
void MainEditor::onNewExam() {
  writeRecoveryNow();
  editCommands_.newExam();
}
void MainEditor::onOpen() {
  writeRecoveryNow();
  if (fileCommands_.open()) editCommands_.examLoaded();
}
void MainEditor::onSave() { fileCommands_.save(); }
void MainEditor::onSaveAs() { fileCommands_.saveAs(); }
void MainEditor::onImportOld() {
  writeRecoveryNow();
  if (fileCommands_.importOld()) editCommands_.examLoaded();
}
// The versions are made from the exam as it stands; what the page leaves out (the mode, a
// flash card's further answers) is no news to the author who wrote the exam.
void MainEditor::onPrintVersions() {
  VersionsDialog dialog;
  dialog.choice = versionsChoice_;
  if (dialog.run(module_, GetActiveWindow()) != IDOK) return;
  versionsChoice_ = dialog.choice;
  InterchangeReport unshown;
  const std::optional<std::u16string> path = fileCommands_.savePage(
      writeHtmlVersions(document, versionsChoice_, unshown), fileCommands_.pageName());
  if (path) openPage(*path);
}
void MainEditor::onAddFromTools() {
  editCommands_.addQuestionsFromFile([this] { exchangeCommands_.addQuestions(); });
}
void MainEditor::onExportToTools() { exchangeCommands_.exportExam(); }
void MainEditor::onPrintSheet() {
  if (const std::optional<std::u16string> path = exchangeCommands_.printSheet(false)) {
    openPage(*path);
  }
}
void MainEditor::onPrintSheetWithAnswers() {
  if (const std::optional<std::u16string> path = exchangeCommands_.printSheet(true)) {
    openPage(*path);
  }
}
void MainEditor::openPage(const std::u16string& path) {
  if (shellOpen(path)) return;
  showMessage({u"The page was saved to " + path + u", but no program could open it.",
               u"Quizmora Builder", MessageIcon::Warning, MessageButtons::Ok});
}
void MainEditor::onSettings() {
  editCommands_.recordAround(u"Settings", 0, 0, [this] {
    SettingsDialog dialog;
    dialog.loadFrom(document.header);
    if (dialog.run(module_, GetActiveWindow()) != IDOK) return;
    // Only the details the exam file holds make the exam one with changes to save.
    if (dialog.storeInto(document.header)) examChanged = true;
  });
}
void MainEditor::onUploadWeb() { uploadToWeb(hwnd(), document); }
void MainEditor::onUploadPocketPc() { uploadToHandheld(hwnd(), document); }
// The dialog and its link go with this scope: the link's texts, font and cursor with them.
void MainEditor::onAbout() {
  AboutDialog dialog;
  dialog.run(module_, GetActiveWindow());
}

// The focus itself moves once the command has run, as after every command.
void MainEditor::onFocusQuestionNumber() {
  SendDlgItemMessageW(hwnd(), IDC_QUESTION_NUMBER, EM_SETSEL, 0, -1);
}

void MainEditor::onGridValueChanged(const GridNotify& notify) {
  const GridProperty* property = notify.property;
  if (!property) return;
  for (int r = 0, rows = answerGrid.rowCount(); r < rows; ++r) {
    for (int c = 0; c < 2; ++c) {
      if (answerGrid.cellAt(r, c) != property) continue;
      questionEditor_.gridValueChanged(r, property->kind() == PropertyKind::kCheck);
      return;
    }
  }
}

}  // namespace quizmora
