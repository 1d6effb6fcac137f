#pragma once
// The real main window for the authoring suites: its message boxes and file dialogs
// answered from a script, driven through its controls and commands.

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "app/win_text.h"
#include "common/editor_under_test.h"
#include "common/message_pump.h"
#include "support/fake_question_form.h"

namespace quizmora::test {

// The main window with its message boxes and file dialogs answered from a script.
class ScriptedEditor : public EditorUnderTest {
 public:
  ScriptedEditor() { useFileDialogs(dialogs); }

  ScriptedFileDialogs dialogs;
  std::vector<FormMessage> shown;
  std::deque<MessageAnswer> replies;
  bool realMessageBoxes = false;

  MessageAnswer showMessage(const FormMessage& message) override {
    shown.push_back(message);
    if (realMessageBoxes) return MainEditor::showMessage(message);
    return scriptedReply(message, replies);
  }

  int ticked() const { return tickedCount; }
  const AnswerGrid& grid() const { return answerGrid; }
};

// Drives one editor window through its controls.
class EditorDriver {
 public:
  explicit EditorDriver(HWND window) : window_(window) {}

  HWND item(int id) const { return GetDlgItem(window_, id); }
  void command(int id) const {
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(id < 0x8000 ? item(id) : nullptr));
  }
  void type(int id, const std::u16string& text) const { setWindowText(item(id), text); }
  std::u16string text(int id) const { return windowText(item(id)); }
  bool enabled(int id) const { return IsWindowEnabled(item(id)) != FALSE; }
  bool checked(int id) const { return IsDlgButtonChecked(window_, id) == BST_CHECKED; }
  // A real click on a type radio button: it selects itself and tells the window.
  void clickRadio(int id) const { SendMessageW(item(id), BM_CLICK, 0, 0); }
  void addAnswer(const std::u16string& text) const {
    type(IDC_ANSWER_TEXT, text);
    command(IDC_ADD_ANSWER);
  }

 private:
  HWND window_;
};

using Rows = std::vector<std::u16string>;

class AuthoringTest : public testing::Test {
 protected:
  void SetUp() override {
    window = editor.create();
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    test::pumpMessages();
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }

  // Rows as "text" or "text*" (ticked), top to bottom.
  Rows rows() const {
    Rows texts;
    for (int r = 0; r < editor.rowCount(); ++r) {
      FormRow row = editor.row(r);
      texts.push_back(row.text + (row.ticked ? u"*" : u""));
    }
    return texts;
  }

  // A real click on the centre of a cell of the answer list.
  void clickCell(int row, int column) {
    HWND list = drive.item(IDC_ANSWER_LIST);
    RECT cell = editor.grid().cellRect(row, column);
    POINT screen{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ClientToScreen(list, &screen);
    SetCursorPos(screen.x, screen.y);
    test::pumpMessages();
    POINT client = screen;
    ScreenToClient(list, &client);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    test::pumpMessages();
    HWND release = GetCapture() ? GetCapture() : list;
    client = screen;
    ScreenToClient(release, &client);
    PostMessageW(release, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    test::pumpMessages();
  }

  // Types a question of `type` with its answers; "text*" answers are ticked by real clicks.
  void writeQuestion(const std::u16string& text, int typeId, const Rows& answers) {
    drive.type(IDC_QUESTION_TEXT, text);
    drive.clickRadio(typeId);
    if (typeId == IDC_TYPE_FLASH_CARD) {
      drive.type(IDC_ANSWER_TEXT, answers.empty() ? u"" : answers[0]);
      return;
    }
    for (const std::u16string& answer : answers) {
      const bool tick = answer.ends_with(u"*");
      drive.addAnswer(tick ? answer.substr(0, answer.size() - 1) : answer);
      if (tick) clickCell(editor.rowCount() - 1, 1);
    }
  }

  ScriptedEditor editor;
  HWND window = nullptr;
  EditorDriver drive{nullptr};
};

}  // namespace quizmora::test
