// Writing an exam from the keyboard: where the focus is after each command, and the
// shortcuts typed through the thread's real message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/app_module.h"
#include "authoring/authoring_fixture.h"
#include "format/exam_file_writer.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

namespace fs = std::filesystem;
using test::EditorDriver;
using test::ScriptedEditor;

// Adds flash cards "Q1".."Qn" through the form, then goes to question `shown` (0: stays on
// the new question).
void addQuestions(const EditorDriver& drive, int count, int shown) {
  for (int i = 1; i <= count; ++i) {
    drive.type(IDC_QUESTION_TEXT, u"Q" + std::u16string(1, static_cast<char16_t>(u'0' + i)));
    drive.clickRadio(IDC_TYPE_FLASH_CARD);
    drive.command(IDC_ADD_QUESTION);
  }
  if (shown == 0) return;
  drive.type(IDC_QUESTION_NUMBER, std::u16string(1, static_cast<char16_t>(u'0' + shown)));
  drive.command(IDC_GOTO_QUESTION);
}

int focusedId() { return GetFocus() ? GetDlgCtrlID(GetFocus()) : 0; }

TEST(CommandFocus, NoCommandLeavesTheFocusOnADisabledControlOrNowhere) {
  const test::TempDir folder;
  const fs::path emptyExam = folder / u"empty.qzm";
  ASSERT_TRUE(writeExamFile(emptyExam, composeExamText(ExamDocument{})));
  struct Case {
    const char* name;
    int questions, shown;
    std::function<void(ScriptedEditor&, const EditorDriver&)> prepare;
    int focusBefore, command, focusAfter;
  };
  auto typeQuestionAndAnswer = [](ScriptedEditor&, const EditorDriver& drive) {
    drive.type(IDC_QUESTION_TEXT, u"q");
    drive.addAnswer(u"a");
    drive.type(IDC_ANSWER_TEXT, u"b");
  };
  auto none = [](ScriptedEditor&, const EditorDriver&) {};
  const Case cases[] = {
      // From a button that becomes disabled.
      {"Add Question", 0, 0, typeQuestionAndAnswer, IDC_ADD_QUESTION, IDC_ADD_QUESTION,
       IDC_QUESTION_TEXT},
      {"Prev to the first", 2, 2, none, IDC_PREV_QUESTION, IDC_PREV_QUESTION, IDC_QUESTION_TEXT},
      {"Delete the only question", 1, 1, none, IDC_DELETE_QUESTION, IDC_DELETE_QUESTION,
       IDC_QUESTION_TEXT},
      {"Flash Card disables the list", 0, 0,
       [](ScriptedEditor& editor, const EditorDriver&) {
         editor.selectType(QuestionType::FlashCard);
       },
       IDC_ANSWER_LIST, IDC_TYPE_FLASH_CARD, IDC_QUESTION_TEXT},
      {"Open an empty exam", 2, 1,
       [&](ScriptedEditor& editor, const EditorDriver&) {
         editor.replies = {MessageAnswer::No};  // drop the unsaved changes
         editor.dialogs.paths = {emptyExam.u16string()};
       },
       IDC_NEXT_QUESTION, ID_FILE_OPEN, IDC_QUESTION_TEXT},
      // From a control that stays enabled.
      {"Add Answer", 0, 0, typeQuestionAndAnswer, IDC_ADD_ANSWER, IDC_ADD_ANSWER, IDC_ANSWER_TEXT},
      {"Next, more to come", 3, 1, none, IDC_NEXT_QUESTION, IDC_NEXT_QUESTION, IDC_NEXT_QUESTION},
      {"Enter in the number box", 2, 2, none, IDC_QUESTION_NUMBER, IDOK, IDC_QUESTION_NUMBER},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedEditor editor;
    HWND window = editor.show();
    ASSERT_NE(window, nullptr);
    const EditorDriver drive(window);
    addQuestions(drive, c.questions, c.shown);
    c.prepare(editor, drive);
    SetFocus(drive.item(c.focusBefore));
    ASSERT_EQ(focusedId(), c.focusBefore);
    drive.command(c.command);
    EXPECT_EQ(focusedId(), c.focusAfter);
    EXPECT_TRUE(IsWindowEnabled(GetFocus()));
    EXPECT_TRUE(editor.replies.empty() && editor.dialogs.paths.empty());
  }
}

// Key presses as the keyboard makes them: every key down in order, then up in reverse.
void press(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *it;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

struct KeyStep {
  const char* name;
  std::function<void()> prepare;  // sets the scene, the focus included
  std::vector<WORD> keys;
  std::function<void()> check;
};

// Runs the steps one per tick of a thread timer inside the loop, so that each step's keys
// have gone through the loop before the next tick checks them.
class KeyScript {
 public:
  explicit KeyScript(const std::vector<KeyStep>& steps) : steps_(steps) {
    current = this;
    timer_ = SetTimer(nullptr, 0, 40, &KeyScript::onTimer);
  }
  ~KeyScript() {
    KillTimer(nullptr, timer_);
    current = nullptr;
  }
  KeyScript(const KeyScript&) = delete;
  KeyScript& operator=(const KeyScript&) = delete;

 private:
  static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (current) current->tick();
  }
  void tick() {
    if (pressed_) {
      SCOPED_TRACE(steps_[next_].name);
      steps_[next_++].check();
      pressed_ = false;
    }
    if (next_ == steps_.size()) {
      KillTimer(nullptr, timer_);
      PostQuitMessage(0);
      return;
    }
    steps_[next_].prepare();
    press(steps_[next_].keys);
    pressed_ = true;
  }

  static inline KeyScript* current = nullptr;
  const std::vector<KeyStep>& steps_;
  std::size_t next_ = 0;
  bool pressed_ = false;
  UINT_PTR timer_ = 0;
};

TEST(Shortcuts, WorkFromEveryControlThroughTheMessageLoop) {
  const test::TempDir folder;
  MessageLoop loop;
  ASSERT_TRUE(AppModule::instance().addMessageLoop(&loop));
  {
    ScriptedEditor editor;  // registers with the loop; goes before it
    HWND window = editor.show();
    ASSERT_NE(window, nullptr);
    const EditorDriver drive(window);
    auto focus = [&](int id) { SetFocus(drive.item(id)); };
    auto type = [&](int id, const std::u16string& text) {
      drive.type(id, text);
      focus(id);
      const auto end = static_cast<WPARAM>(text.size());
      SendMessageW(drive.item(id), EM_SETSEL, end, static_cast<LPARAM>(end));
    };
    auto rows = [&] { return editor.rowCount(); };
    auto questions = [&] { return editor.exam().questionCount(); };
    const std::u16string saved = (folder / u"exam.qzm").u16string();
    const WORD ctrl = VK_CONTROL, shift = VK_SHIFT, alt = VK_MENU;
    std::u16string typedBefore;
    const std::vector<KeyStep> steps = {
        {"Ctrl+Enter adds the typed answer",
         [&] {
           drive.type(IDC_QUESTION_TEXT, u"Capital?");
           type(IDC_ANSWER_TEXT, u"Paris");
         },
         {ctrl, VK_RETURN},
         [&] {
           EXPECT_EQ(rows(), 1);
           EXPECT_EQ(drive.text(IDC_ANSWER_TEXT), u"");
           EXPECT_EQ(focusedId(), IDC_ANSWER_TEXT);
         }},
        {"Enter in a multi-line box is a line break",
         [&] { type(IDC_ANSWER_TEXT, u"Lyon"); },
         {VK_RETURN},
         [&] { EXPECT_EQ(drive.text(IDC_ANSWER_TEXT), u"Lyon\r\n"); }},
        {"Ctrl+Enter from the question box",
         [&] {
           drive.type(IDC_ANSWER_TEXT, u"Lyon");
           type(IDC_QUESTION_TEXT, u"Capital?");
         },
         {ctrl, VK_RETURN},
         [&] {
           EXPECT_EQ(rows(), 2);
           EXPECT_EQ(drive.text(IDC_QUESTION_TEXT), u"Capital?");
           EXPECT_EQ(focusedId(), IDC_ANSWER_TEXT);
         }},
        {"Ctrl+Shift+Enter adds the question from the answer list",
         [&] {
           editor.setRowTicked(0, true);
           focus(IDC_ANSWER_LIST);
         },
         {ctrl, shift, VK_RETURN},
         [&] {
           EXPECT_EQ(questions(), 1);
           EXPECT_EQ(focusedId(), IDC_QUESTION_TEXT);
         }},
        {"Ctrl+Shift+Enter with Add Question disabled does nothing",
         [&] { type(IDC_QUESTION_TEXT, u"Second?"); },
         {ctrl, shift, VK_RETURN},
         [&] {
           EXPECT_EQ(questions(), 1);
           EXPECT_EQ(drive.text(IDC_QUESTION_TEXT), u"Second?");
           EXPECT_TRUE(editor.shown.empty());
         }},
        {"Ctrl+Enter with Add Answer disabled does nothing",
         [&] {
           drive.clickRadio(IDC_TYPE_FLASH_CARD);
           type(IDC_ANSWER_TEXT, u"back");
         },
         {ctrl, VK_RETURN},
         [&] {
           EXPECT_EQ(drive.text(IDC_ANSWER_TEXT), u"back");
           EXPECT_EQ(rows(), 0);
         }},
        {"Ctrl+Shift+Enter adds a flash card",
         [&] { focus(IDC_TYPE_FLASH_CARD); },
         {ctrl, shift, VK_RETURN},
         [&] { EXPECT_EQ(questions(), 2); }},
        {"Alt+Left shows the previous question",
         [&] { focus(IDC_QUESTION_TEXT); },
         {alt, VK_LEFT},
         [&] { EXPECT_EQ(drive.text(IDC_QUESTION_GROUP), u"Question #2"); }},
        {"Alt+Left again",
         [] {},
         {alt, VK_LEFT},
         [&] { EXPECT_EQ(drive.text(IDC_QUESTION_GROUP), u"Question #1"); }},
        {"Alt+Left at the first question does nothing",
         [] {},
         {alt, VK_LEFT},
         [&] { EXPECT_EQ(drive.text(IDC_QUESTION_GROUP), u"Question #1"); }},
        {"Alt+Right shows the next question",
         [&] { focus(IDC_ANSWER_LIST); },
         {alt, VK_RIGHT},
         [&] { EXPECT_EQ(drive.text(IDC_QUESTION_GROUP), u"Question #2"); }},
        {"Alt+Right at the last question does nothing",
         [] {},
         {alt, VK_RIGHT},
         [&] { EXPECT_EQ(drive.text(IDC_QUESTION_GROUP), u"Question #2"); }},
        {"Ctrl+G selects the number box's text",
         [&] {
           drive.type(IDC_QUESTION_NUMBER, u"12");
           focus(IDC_QUESTION_TEXT);
         },
         {ctrl, 'G'},
         [&] {
           EXPECT_EQ(focusedId(), IDC_QUESTION_NUMBER);
           DWORD start = 1, end = 0;
           SendMessageW(drive.item(IDC_QUESTION_NUMBER), EM_GETSEL,
                        reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
           EXPECT_EQ(start, 0u);
           EXPECT_EQ(end, 2u);
         }},
        {"Ctrl+S without a file asks for its name",
         [&] { editor.dialogs.paths = {(folder / u"exam").u16string()}; },
         {ctrl, 'S'},
         [&] {
           EXPECT_TRUE(editor.dialogs.paths.empty());
           EXPECT_EQ(editor.exam().filePath, saved);
           EXPECT_FALSE(editor.changed());
         }},
        {"Ctrl+S again saves in place",
         [&] { fs::remove(saved); },
         {ctrl, 'S'},
         [&] { EXPECT_TRUE(fs::exists(saved)); }},
        {"Ctrl+Shift+S asks for a name",
         [&] { editor.dialogs.paths = {(folder / u"copy").u16string()}; },
         {ctrl, shift, 'S'},
         [&] { EXPECT_EQ(editor.exam().filePath, (folder / u"copy.qzm").u16string()); }},
        {"Ctrl+O asks for a file",
         [&] { editor.dialogs.paths = {std::nullopt}; },
         {ctrl, 'O'},
         [&] { EXPECT_TRUE(editor.dialogs.paths.empty()); }},
        {"Ctrl+N makes a new exam",
         [] {},
         {ctrl, 'N'},
         [&] {
           EXPECT_EQ(questions(), 0);
           EXPECT_EQ(drive.text(IDC_STATUS_RIGHT), u"Total: 0");
         }},
        {"Ctrl+Z outside a box undoes New Exam, back to the saved exam",
         [&] { focus(IDC_ANSWER_LIST); },
         {ctrl, 'Z'},
         [&] {
           EXPECT_EQ(questions(), 2);
           EXPECT_FALSE(editor.changed());
         }},
        {"Ctrl+Z in a box with typing undoes the typing, not the exam",
         [&] {
           typedBefore = drive.text(IDC_QUESTION_TEXT);
           focus(IDC_QUESTION_TEXT);
           SendMessageW(drive.item(IDC_QUESTION_TEXT), EM_REPLACESEL, TRUE,
                        reinterpret_cast<LPARAM>(L" typed"));
         },
         {ctrl, 'Z'},
         [&] {
           EXPECT_EQ(drive.text(IDC_QUESTION_TEXT), typedBefore);
           EXPECT_EQ(questions(), 2);
         }},
        {"Ctrl+Y redoes New Exam",
         [&] { focus(IDC_ANSWER_LIST); },
         {ctrl, 'Y'},
         [&] { EXPECT_EQ(questions(), 0); }},
        {"Ctrl+Z again", [] {}, {ctrl, 'Z'}, [&] { EXPECT_EQ(questions(), 2); }},
        {"Ctrl+Shift+Up moves the second question to the top",
         [&] {
           drive.type(IDC_QUESTION_NUMBER, u"2");
           SendMessageW(window, WM_COMMAND, IDC_GOTO_QUESTION, 0);
           focus(IDC_QUESTION_TEXT);
         },
         {ctrl, shift, VK_UP},
         [&] {
           EXPECT_EQ(drive.text(IDC_QUESTION_GROUP), u"Question #1");
           EXPECT_EQ(editor.exam().questions[0].type, QuestionType::FlashCard);
         }},
        {"Ctrl+Shift+Up at the top does nothing",
         [] {},
         {ctrl, shift, VK_UP},
         [&] { EXPECT_EQ(editor.exam().questions[0].type, QuestionType::FlashCard); }},
    };
    KeyScript script(steps);
    EXPECT_EQ(loop.run(), 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(editor.shown.empty());
  }
  AppModule::instance().removeMessageLoop();
}

}  // namespace
}  // namespace quizmora
