#pragma once
// The real main window with its message boxes and file dialogs answered from a script, and
// helpers that drive it through its controls.

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/win_text.h"
#include "common/message_pump.h"
#include "controls/grid_value.h"
#include "editor/main_editor.h"
#include "resources/resource_ids.h"

namespace quizmora::test {

class ScriptedDialogs : public FileDialogs {
 public:
  std::deque<std::optional<std::u16string>> paths;  // nullopt = cancelled
  std::optional<std::u16string> chooseOpenPath() override { return next(); }
  std::optional<std::u16string> chooseSavePath() override { return next(); }

 private:
  std::optional<std::u16string> next() {
    if (paths.empty()) {
      ADD_FAILURE() << "unexpected file dialog";
      return std::nullopt;
    }
    auto path = paths.front();
    paths.pop_front();
    return path;
  }
};

class ScriptedEditor : public MainEditor {
 public:
  ScriptedEditor() { useFileDialogs(dialogs); }
  ~ScriptedEditor() override {
    if (hwnd()) DestroyWindow(hwnd());
  }
  HWND create() { return MainEditor::create(GetModuleHandleW(nullptr), IDD_MAINEDITOR); }

  ScriptedDialogs dialogs;
  std::vector<FormMessage> shown;
  std::deque<MessageAnswer> replies;
  bool realMessageBoxes = false;

  MessageAnswer showMessage(const FormMessage& message) override {
    shown.push_back(message);
    if (realMessageBoxes) return MainEditor::showMessage(message);
    if (message.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (replies.empty()) {
      ADD_FAILURE() << "unexpected question";
      return MessageAnswer::Cancel;
    }
    MessageAnswer reply = replies.front();
    replies.pop_front();
    return reply;
  }

  const ExamDocument& exam() const { return document; }
  int current() const { return currentIndex; }
  int ticked() const { return tickedCount; }
  bool changed() const { return examChanged; }
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

}  // namespace quizmora::test
