#pragma once
// The program's one top-level window: a form for one question at a time with its icon
// buttons, answer list, status panes and menu. It owns the exam being edited, dispatches
// every menu and button command and ends the program when it closes.

#include <windows.h>

#include <array>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "app/app_module.h"
#include "app/dialog_window.h"
#include "controls/answer_grid.h"
#include "controls/dialog_resizer.h"
#include "controls/icon_button.h"
#include "controls/scoped_gdi_object.h"
#include "dialogs/find_dialog.h"
#include "editor/edit_commands.h"
#include "editor/exchange_commands.h"
#include "editor/file_commands.h"
#include "editor/question_editor.h"
#include "editor/question_form.h"
#include "editor/recovery_keeper.h"
#include "editor/win32_file_dialogs.h"
#include "interchange/html_sheet.h"
#include "model/exam_document.h"

namespace quizmora {

class MainEditor : public DialogWindow,
                   public MessageFilter,
                   public IdleHandler,
                   public QuestionForm {
 public:
  static constexpr int kIconButtonCount = 11;
  // Quit codes: OK (Enter) and Exit end with 1, Cancel (Esc, close box) with 2.
  static constexpr int kQuitExit = 1;
  static constexpr int kQuitCancel = 2;

  MainEditor();
  ~MainEditor() override;

  // Creates the window, hidden and without owner, from dialog resource `templateId` of
  // `module`. Null when it cannot be created.
  HWND create(HINSTANCE module, int templateId);

  // The shortcuts first, so that they work from every control; then the dialog keyboard:
  // Tab and arrows between controls, Enter and Esc as commands 1, 2.
  bool preTranslateMessage(MSG* message) override;
  // The window has no idle-time work.
  bool onIdle() override;

  // Opens the exam at `path` as Open does once its dialog returned that path: the file is
  // read first (a message and no change when it cannot be), then shown from question 1.
  bool openExamFromPath(const std::u16string& path);

  // At start, in the program: offers each exam that a run ended without saving left behind,
  // then keeps this run's own recovery copy while the exam has changes. True when an exam
  // was recovered.
  bool startRecovery();

  // The form as the question and file commands see it, over the window's controls.
  std::u16string questionText() const override;
  void setQuestionText(const std::u16string& text) override;
  std::u16string answerText() const override;
  void setAnswerText(const std::u16string& text) override;
  QuestionType formType() const override;
  void selectType(QuestionType type) override;
  int rowCount() const override;
  FormRow row(int index) const override;
  void appendRow(const FormRow& row) override;
  void setRowTicked(int index, bool ticked) override;
  void deleteSelectedRow() override;
  void deleteAllRows() override;
  void beginRowFill() override;
  void endRowFill() override;
  void setRows(const std::vector<FormRow>& rows) override;
  void setEnabled(FormControl control, bool enabled) override;
  void setGroupCaption(const std::u16string& caption) override;
  void setStatusText(const std::u16string& text) override;
  std::u16string numberText() const override;
  // Paints the window now and shows the wait cursor until the work ends.
  void setBusy(bool busy) override;
  // A message box owned by this window.
  MessageAnswer showMessage(const FormMessage& message) override;

 protected:
  bool processMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  // Commands, reached by control or menu identifier whatever the notification code.
  virtual void onPrevQuestion();
  virtual void onNextQuestion();
  virtual void onAddAnswer();
  virtual void onDeleteAnswer();
  virtual void onAddQuestion();
  virtual void onUpdateQuestion();
  virtual void onDeleteQuestion();
  virtual void onCleanFields();
  virtual void onCopyQuestion();
  virtual void onPasteQuestion();
  virtual void onGotoQuestion();
  virtual void onTypeChanged();  // one of the three type radio buttons was clicked
  virtual void onNewExam();
  virtual void onOpen();
  virtual void onSave();
  virtual void onSaveAs();
  virtual void onImportOld();
  virtual void onPrintVersions();
  virtual void onAddFromTools();
  virtual void onExportToTools();
  virtual void onPrintSheet();
  virtual void onPrintSheetWithAnswers();
  virtual void onSettings();
  virtual void onUploadWeb();
  virtual void onUploadPocketPc();
  virtual void onAbout();
  virtual void onFocusQuestionNumber();  // Ctrl+G
  virtual void onUndo();
  virtual void onRedo();
  virtual void onFind();
  virtual void onFindNext();
  virtual void onMoveUp();
  virtual void onMoveDown();
  // Shows a saved printable page in the default browser, or says that nothing could.
  virtual void openPage(const std::u16string& path);
  // A cell value of the answer list was stored (kGridValueChanged).
  virtual void onGridValueChanged(const GridNotify& notify);

  ExamDocument document;
  int currentIndex = 0;  // the question shown; the question count for a new question
  int tickedCount = 0;   // answers ticked under "Only One Choice" since the form was cleared
  QuestionRecord clipboardQuestion;
  // Whether the exam changed since it was started, opened, imported, saved or made new: the
  // commands that would throw it away ask first.
  bool examChanged = false;
  AnswerGrid answerGrid;
  std::array<IconButton, kIconButtonCount> iconButtons;  // in set-up order
  DialogResizer resizer;
  UINT dpi = 96;  // the DPI the window is laid out for

  // The file choosers the file commands use from now on (tests answer them); must outlive
  // the window's use of them.
  void useFileDialogs(FileDialogs& dialogs) { fileCommands_.useDialogs(dialogs); }

 private:
  struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
  };
  using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
  using CommandHandler = void (MainEditor::*)();
  struct Command {
    int id;
    CommandHandler handler;
  };
  static const Command kCommands[];

  bool onInitDialog();
  void onDestroy();
  // WM_DPICHANGED: the window was moved to a display of another DPI; `suggested` is the
  // rectangle the system proposes for it there.
  void onDpiChanged(UINT newDpi, const RECT& suggested);
  // How the layout grows on a DPI change: sizes measured in `from` units become `to` units,
  // per axis.
  // Makes the dialog's font again at `toDpi` and gives it to every control; returns its
  // average character size, the unit the layout is measured in (0, 0 when it failed).
  SIZE rebuildFont(UINT fromDpi, UINT toDpi);
  SIZE fontBaseUnits(HFONT font) const;
  // Records where every control is at start, in pixels of the start font's units.
  void recordSetUpLayout();
  // Places every control where it was at start, in units now `units` pixels large.
  void scaleChildren(SIZE units);
  bool onCommand(WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The control of this window that holds the keyboard focus (the answer list while its
  // in-place editor does), or null.
  HWND focusedControl() const;
  // After command `id`: moves the focus, as the dialog manager does, off a control that can
  // no longer hold it (see focusAfterCommand).
  void mendFocus(int id, HWND focusedBefore);
  bool onNotify(WPARAM wParam, LPARAM lParam, LRESULT& result);
  void onOk();
  void onCancel();
  void onExit();
  void closeWith(int quitCode);

  // Edit menu and recovery (main_editor_edit.cpp).
  // The edit box with the focus when it has typing to undo, or null.
  HWND typingBox() const;
  void updateEditMenu();
  void findText(const std::u16string& text, bool matchCase);
  void showFound(const FoundText& found);
  // After every command: the undo steps' changed flags and the recovery copy.
  void commandDone();
  void keepRecovery();
  // Before a command asks whether to throw away the exam.
  void writeRecoveryNow();
  // A clean exit: the recovery copy goes.
  void stopRecovery();

  void loadWindowIcons();
  void registerWithLoop();
  void unregisterFromLoop();
  void setUpIconButtons();
  void selectOneChoice();
  HWND control(int id) const { return GetDlgItem(hwnd(), id); }
  EditorState editorState();
  // Sets a control's text only when it differs: every change costs a repaint.
  void setControlText(int id, const std::u16string& text);

  HINSTANCE module_ = nullptr;
  HACCEL shortcuts_ = nullptr;   // a resource: freed with the module
  MessageLoop* loop_ = nullptr;  // the thread's loop while registered with it
  IconHandle bigIcon_;
  IconHandle smallIcon_;
  // The dialog's font made again for another DPI; until then the dialog's own.
  ScopedGdiObject<HFONT> scaledFont_;
  SIZE setUpUnits_{0, 0};  // the dialog font's average character size at start
  std::vector<std::pair<HWND, RECT>> setUpRects_;
  Win32FileDialogs systemDialogs_;
  QuestionEditor questionEditor_;
  FileCommands fileCommands_;
  ExchangeCommands exchangeCommands_;
  HCURSOR cursorBeforeBusy_ = nullptr;  // a shared cursor: never destroyed
  // Undo, redo, moving and finding; every command that changes the exam runs through it.
  EditCommands editCommands_;
  FindDialog findDialog_{[this](const std::u16string& text, bool matchCase) {
    findText(text, matchCase);
    commandDone();
  }};
  std::unique_ptr<RecoveryKeeper> recovery_;  // from startRecovery to the window's end
  SheetVersions versionsChoice_{4, ShuffleKind::Questions, std::nullopt, true};  // for this run
};

}  // namespace quizmora
