// How the main window routes what reaches it: commands by identifier alone, the answer
// list's own notifications, notifications reflected back to the controls, Enter, Esc, Exit
// and the dialog keyboard through the thread's message loop.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_module.h"
#include "controls/grid_notify.h"
#include "recording_editor.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

// Sits on top of whatever already handles a control and records the messages it receives.
class RecordingControl {
 public:
  explicit RecordingControl(HWND control) : control_(control) {
    SetWindowSubclass(control_, &RecordingControl::proc, 1, reinterpret_cast<DWORD_PTR>(this));
  }
  ~RecordingControl() { RemoveWindowSubclass(control_, &RecordingControl::proc, 1); }
  RecordingControl(const RecordingControl&) = delete;
  RecordingControl& operator=(const RecordingControl&) = delete;

  std::vector<UINT> messages;  // reflected notifications only

 private:
  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR self) {
    if (message >= 0x2000 && message < 0x2400) {
      reinterpret_cast<RecordingControl*>(self)->messages.push_back(message);
    }
    return DefSubclassProc(window, message, wParam, lParam);
  }
  HWND control_;
};

// The quit code waiting in this thread's queue, or -1 when there is none.
int pendingQuitCode() {
  MSG message{};
  if (!PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return -1;
  return static_cast<int>(message.wParam);
}

class CommandDispatchTest : public testing::Test {
 protected:
  void SetUp() override {
    window = editor.create();
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override { pendingQuitCode(); }

  LRESULT command(int id, int code) {
    HWND source = id < 0x8000 ? GetDlgItem(window, id) : nullptr;
    return SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(source));
  }

  RecordingEditor editor;
  HWND window = nullptr;
};

struct CommandCase {
  int id;
  const char* handler;
};

const CommandCase kCommands[] = {
    {IDC_PREV_QUESTION, "onPrevQuestion"},
    {IDC_NEXT_QUESTION, "onNextQuestion"},
    {IDC_ADD_ANSWER, "onAddAnswer"},
    {IDC_DELETE_ANSWER, "onDeleteAnswer"},
    {IDC_ADD_QUESTION, "onAddQuestion"},
    {IDC_UPDATE_QUESTION, "onUpdateQuestion"},
    {IDC_DELETE_QUESTION, "onDeleteQuestion"},
    {IDC_CLEAN_FIELDS, "onCleanFields"},
    {IDC_COPY_QUESTION, "onCopyQuestion"},
    {IDC_PASTE_QUESTION, "onPasteQuestion"},
    {IDC_GOTO_QUESTION, "onGotoQuestion"},
    {IDC_TYPE_ONE_CHOICE, "onTypeChanged"},
    {IDC_TYPE_MULTIPLE_CHOICE, "onTypeChanged"},
    {IDC_TYPE_FLASH_CARD, "onTypeChanged"},
    {ID_FILE_NEW_EXAM, "onNewExam"},
    {ID_FILE_OPEN, "onOpen"},
    {ID_FILE_SAVE, "onSave"},
    {ID_FILE_SAVE_AS, "onSaveAs"},
    {ID_FILE_IMPORT_OLD, "onImportOld"},
    {ID_FILE_SETTINGS, "onSettings"},
    {ID_FILE_UPLOAD_WEB, "onUploadWeb"},
    {ID_FILE_UPLOAD_POCKETPC, "onUploadPocketPc"},
    {ID_HELP_ABOUT, "onAbout"},
    {ID_APP_ABOUT, "onAbout"},
    {ID_FOCUS_QUESTION_NUMBER, "onFocusQuestionNumber"},
};

// Notification codes a command may carry: clicks, menu and accelerator sources, and
// codes the window never looks at.
const int kNotificationCodes[] = {BN_CLICKED, 1, BN_DOUBLECLICKED, EN_CHANGE, 0xFFFF};

TEST_F(CommandDispatchTest, EachCommandReachesItsHandlerWhateverTheNotificationCode) {
  for (const CommandCase& test : kCommands) {
    for (int code : kNotificationCodes) {
      SCOPED_TRACE(std::to_string(test.id) + " code " + std::to_string(code));
      editor.handled.clear();
      EXPECT_EQ(command(test.id, code), 0);
      EXPECT_EQ(editor.handled, std::vector<std::string>{test.handler});
      EXPECT_TRUE(IsWindow(window));
    }
  }
}

TEST_F(CommandDispatchTest, UnknownCommandsReachNoHandler) {
  for (int id : {IDC_QUESTION_TEXT, IDC_ANSWER_TEXT, IDC_QUESTION_NUMBER, 4242, 57602}) {
    editor.handled.clear();
    command(id, EN_CHANGE);
    EXPECT_TRUE(editor.handled.empty()) << id;
  }
  EXPECT_TRUE(IsWindow(window));
}

TEST_F(CommandDispatchTest, ClosingCommandsDestroyTheWindowAndPostTheQuitCode) {
  struct Case {
    int id;
    int code;
    int quitCode;
  };
  const Case cases[] = {
      {ID_FILE_EXIT, 0, 1}, {ID_FILE_EXIT, 1, 1},     {IDCANCEL, BN_CLICKED, 2},
      {IDCANCEL, 1, 2},     {IDCANCEL, EN_CHANGE, 2},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::to_string(test.id) + " code " + std::to_string(test.code));
    RecordingEditor closing;
    HWND closingWindow = closing.create();
    ASSERT_NE(closingWindow, nullptr);
    SendMessageW(closingWindow, WM_COMMAND, MAKEWPARAM(test.id, test.code), 0);
    EXPECT_FALSE(IsWindow(closingWindow));
    EXPECT_EQ(closing.hwnd(), nullptr);
    EXPECT_EQ(pendingQuitCode(), test.quitCode);
    EXPECT_TRUE(closing.handled.empty());
  }
}

TEST_F(CommandDispatchTest, EnterRunsGoToOnlyFromTheNumberBoxAndNeverCloses) {
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  struct Case {
    int focus;
    std::vector<std::string> handled;
  };
  const Case cases[] = {
      {IDC_QUESTION_NUMBER, {"onGotoQuestion"}},
      {IDC_TYPE_ONE_CHOICE, {}},
      {IDC_TYPE_FLASH_CARD, {}},
      {IDC_QUESTION_TEXT, {}},
      {IDC_ANSWER_LIST, {}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.focus);
    SetFocus(GetDlgItem(window, test.focus));
    ASSERT_EQ(GetFocus(), GetDlgItem(window, test.focus));
    editor.handled.clear();
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(editor.handled, test.handled);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(pendingQuitCode(), -1);
  }
}

TEST_F(CommandDispatchTest, AnswerListOwnNotificationsAreAnsweredByTheWindow) {
  HWND list = GetDlgItem(window, IDC_ANSWER_LIST);
  RecordingControl listSpy(list);
  for (int code = kGridCellClick; code <= kGridSelChanged; ++code) {
    SCOPED_TRACE(code);
    editor.handled.clear();
    listSpy.messages.clear();
    GridNotify notify{{list, IDC_ANSWER_LIST, static_cast<UINT>(code)}, nullptr};
    EXPECT_EQ(SendMessageW(window, WM_NOTIFY, IDC_ANSWER_LIST, reinterpret_cast<LPARAM>(&notify)),
              0);
    EXPECT_TRUE(listSpy.messages.empty());
    if (code == kGridValueChanged) {
      EXPECT_EQ(editor.handled, std::vector<std::string>{"onGridValueChanged"});
      EXPECT_EQ(editor.lastValueChangedCode, kGridValueChanged);
    } else {
      EXPECT_TRUE(editor.handled.empty());
    }
  }
}

TEST_F(CommandDispatchTest, OtherNotificationsAreReflectedToTheirControl) {
  HWND list = GetDlgItem(window, IDC_ANSWER_LIST);
  HWND questionBox = GetDlgItem(window, IDC_QUESTION_TEXT);
  RecordingControl listSpy(list);
  RecordingControl boxSpy(questionBox);
  NMHDR click{list, IDC_ANSWER_LIST, static_cast<UINT>(NM_CLICK)};
  SendMessageW(window, WM_NOTIFY, IDC_ANSWER_LIST, reinterpret_cast<LPARAM>(&click));
  // A grid code from another control is that control's business.
  NMHDR foreign{questionBox, IDC_QUESTION_TEXT, static_cast<UINT>(kGridValueChanged)};
  SendMessageW(window, WM_NOTIFY, IDC_QUESTION_TEXT, reinterpret_cast<LPARAM>(&foreign));
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_QUESTION_TEXT, EN_CHANGE),
               reinterpret_cast<LPARAM>(questionBox));
  HDC dc = GetDC(window);
  SendMessageW(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(questionBox));
  ReleaseDC(window, dc);
  EXPECT_EQ(listSpy.messages, std::vector<UINT>{0x2000 + WM_NOTIFY});
  EXPECT_EQ(boxSpy.messages,
            (std::vector<UINT>{0x2000 + WM_NOTIFY, 0x2000 + WM_COMMAND, 0x2000 + WM_CTLCOLOREDIT}));
  EXPECT_TRUE(editor.handled.empty());
}

TEST_F(CommandDispatchTest, IconButtonsDrawAndColourThemselvesButTheirClicksAreCommands) {
  HWND button = GetDlgItem(window, IDC_ADD_ANSWER);
  HDC dc = GetDC(window);
  // The buttons answer the reflected colour message with the hollow brush.
  EXPECT_EQ(SendMessageW(window, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(button)),
            reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_BUTTON;
  draw.CtlID = IDC_ADD_ANSWER;
  draw.itemAction = ODA_DRAWENTIRE;
  draw.hwndItem = button;
  draw.hDC = dc;
  GetClientRect(button, &draw.rcItem);
  EXPECT_EQ(SendMessageW(window, WM_DRAWITEM, IDC_ADD_ANSWER, reinterpret_cast<LPARAM>(&draw)),
            TRUE);
  ReleaseDC(window, dc);
  // A click is a command of the window, not reflected.
  editor.handled.clear();
  SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_EQ(editor.handled, std::vector<std::string>{"onAddAnswer"});
}

// Types Enter and Esc into the focused control once the loop runs.
void CALLBACK typeEnterThenEscape(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND focus = GetFocus();
  PostMessageW(focus, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 1);
}

// The keyboard through the thread's loop: the window registered itself as the loop's filter
// and idle handler, so Esc typed into a control closes with 2.
TEST(MainEditorLoopTest, KeysTypedIntoTheNumberBoxGoThroughTheWindowsFilter) {
  MessageLoop loop;
  ASSERT_TRUE(AppModule::instance().addMessageLoop(&loop));
  RecordingEditor editor;
  HWND window = editor.create();
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(GetDlgItem(window, IDC_QUESTION_NUMBER));
  ASSERT_EQ(GetFocus(), GetDlgItem(window, IDC_QUESTION_NUMBER));
  SetTimer(nullptr, 0, 50, &typeEnterThenEscape);
  EXPECT_EQ(loop.run(), 2);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_GT(editor.filterCalls, 0);
  EXPECT_GT(editor.idleCalls, 0);
  // Enter in the number box ran Go to on the way; Esc closed.
  EXPECT_EQ(editor.handled, std::vector<std::string>{"onGotoQuestion"});

  // The window took itself out of the loop when it went.
  int filterCalls = editor.filterCalls;
  int idleCalls = editor.idleCalls;
  PostMessageW(nullptr, WM_APP, 0, 0);
  PostQuitMessage(5);
  EXPECT_EQ(loop.run(), 5);
  EXPECT_EQ(editor.filterCalls, filterCalls);
  EXPECT_EQ(editor.idleCalls, idleCalls);
  AppModule::instance().removeMessageLoop();
}

TEST(MainEditorLoopTest, WithoutALoopTheWindowStillWorks) {
  ASSERT_EQ(AppModule::instance().messageLoopOfThread(GetCurrentThreadId()), nullptr);
  RecordingEditor editor;
  HWND window = editor.create();
  ASSERT_NE(window, nullptr);
  SendMessageW(window, WM_COMMAND, ID_FILE_EXIT, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(pendingQuitCode(), 1);
}

}  // namespace
}  // namespace quizmora
