// The real main window driven through its controls and commands: writing, navigating,
// saving, opening and importing an exam, the one-choice rule by real clicks, and the
// unsaved-exam question before the window closes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "authoring/authoring_fixture.h"
#include "common/dialog_answerer.h"
#include "editor/file_dialog_setup.h"
#include "format/exam_file_writer.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

namespace fs = std::filesystem;
using test::AuthoringTest;
using test::EditorDriver;
using test::Rows;
using test::ScriptedEditor;

// The exam the session below writes, as the model holds it.
ExamDocument sessionExam() {
  ExamDocument exam;
  exam.questions = {
      {QuestionType::OneChoice, u"Capital of France?", {{u"Nice", 0}, {u"Paris", 1}, {u"Lyon", 0}}},
      {QuestionType::MultipleChoice, u"Primes?", {{u"3", 1}, {u"4", 0}, {u"2", 1}}},
      {QuestionType::FlashCard, u"Water", {{u"H2O", 1}}},
  };
  return exam;
}

TEST_F(AuthoringTest, WriteNavigateEditSaveAndOpenAnExam) {
  drive = EditorDriver(window);
  const test::TempDir folder;
  writeQuestion(u"Capital of France?", IDC_TYPE_ONE_CHOICE, {u"Lyon", u"Paris*", u"Nice"});
  EXPECT_EQ(editor.ticked(), 1);
  drive.command(IDC_ADD_QUESTION);
  writeQuestion(u"Primes?", IDC_TYPE_MULTIPLE_CHOICE, {u"2*", u"4", u"3*"});
  drive.command(IDC_ADD_QUESTION);
  writeQuestion(u"Water", IDC_TYPE_FLASH_CARD, {u"H2O"});
  EXPECT_FALSE(drive.enabled(IDC_ANSWER_LIST));
  drive.command(IDC_ADD_QUESTION);
  EXPECT_TRUE(editor.shown.empty());
  EXPECT_EQ(editor.exam().questions, sessionExam().questions);
  EXPECT_EQ(drive.text(IDC_STATUS_RIGHT), u"Total: 3");
  EXPECT_TRUE(editor.changed());

  // Prev from the New Question state shows the flash card as it was written.
  drive.command(IDC_PREV_QUESTION);
  EXPECT_EQ(drive.text(IDC_QUESTION_GROUP), u"Question #3");
  EXPECT_TRUE(drive.checked(IDC_TYPE_FLASH_CARD));
  EXPECT_EQ(drive.text(IDC_ANSWER_TEXT), u"H2O");
  EXPECT_FALSE(drive.enabled(IDC_ANSWER_LIST) || drive.enabled(IDC_NEXT_QUESTION));

  // Enter in the number box goes to that question; its rows read as they were entered.
  drive.type(IDC_QUESTION_NUMBER, u"1");
  SetFocus(drive.item(IDC_QUESTION_NUMBER));
  drive.command(IDOK);
  ASSERT_TRUE(IsWindow(window));
  EXPECT_EQ(drive.text(IDC_QUESTION_GROUP), u"Question #1");
  EXPECT_EQ(rows(), (Rows{u"Lyon", u"Paris*", u"Nice"}));
  drive.command(IDC_UPDATE_QUESTION);
  EXPECT_EQ(editor.exam().questions, sessionExam().questions);

  // Copy, Clean Fields, Paste, Add: an identical fourth question; Delete shows the third.
  drive.command(IDC_COPY_QUESTION);
  drive.command(IDC_CLEAN_FIELDS);
  drive.command(IDC_PASTE_QUESTION);
  EXPECT_EQ(rows(), (Rows{u"Lyon", u"Paris*", u"Nice"}));
  drive.command(IDC_ADD_QUESTION);
  ASSERT_EQ(editor.exam().questionCount(), 4);
  EXPECT_EQ(editor.exam().questions[3], sessionExam().questions[0]);
  drive.type(IDC_QUESTION_NUMBER, u"4");
  drive.command(IDC_GOTO_QUESTION);
  drive.command(IDC_DELETE_QUESTION);
  EXPECT_EQ(drive.text(IDC_QUESTION_GROUP), u"Question #3");
  EXPECT_EQ(drive.text(IDC_STATUS_RIGHT), u"Total: 3");

  // Save As "exam" writes exam.qzm with exactly the composed bytes.
  editor.dialogs.paths = {(folder / u"exam").u16string()};
  drive.command(ID_FILE_SAVE_AS);
  const fs::path saved = folder / u"exam.qzm";
  EXPECT_EQ(test::readBytes(saved), test::littleEndianBytes(composeExamText(sessionExam())));
  EXPECT_EQ(editor.exam().filePath, saved.u16string());
  EXPECT_FALSE(editor.changed());

  // New Exam (nothing asked: saved), then Open brings the same exam back at question 1.
  drive.command(ID_FILE_NEW_EXAM);
  EXPECT_EQ(drive.text(IDC_STATUS_RIGHT), u"Total: 0");
  EXPECT_TRUE(editor.exam().questions.empty());
  editor.dialogs.paths = {saved.u16string()};
  drive.command(ID_FILE_OPEN);
  EXPECT_EQ(editor.exam().questions, sessionExam().questions);
  EXPECT_EQ(drive.text(IDC_STATUS_RIGHT), u"Total: 3");
  EXPECT_EQ(drive.text(IDC_QUESTION_GROUP), u"Question #1");
  EXPECT_EQ(drive.text(IDC_QUESTION_TEXT), u"Capital of France?");
  EXPECT_TRUE(editor.shown.empty());

  // Import of the same exam written in the old 8-bit layout.
  std::string old;
  for (char16_t unit : composeExamText(sessionExam())) {
    if (unit < 0x100) old += static_cast<char>(unit);
  }
  test::writeBytes(folder / u"old.txt", old);
  editor.dialogs.paths = {(folder / u"old.txt").u16string()};
  drive.command(ID_FILE_IMPORT_OLD);
  EXPECT_EQ(editor.exam().questions, sessionExam().questions);
  EXPECT_EQ(editor.exam().filePath, (folder / u"old.txt").u16string());
}

// Clicks on the "Correct Answer" boxes of three rows, in order, under each type.
TEST_F(AuthoringTest, OneChoiceRuleByRealClicks) {
  drive = EditorDriver(window);
  struct Case {
    int typeId;
    std::vector<int> clicks;
    std::string ticks;
  };
  const Case cases[] = {
      {IDC_TYPE_ONE_CHOICE, {0, 2}, "100"},
      {IDC_TYPE_ONE_CHOICE, {0, 0, 2}, "001"},
      {IDC_TYPE_MULTIPLE_CHOICE, {0, 2}, "101"},
  };
  for (const Case& c : cases) {
    if (editor.rowCount() > 0) editor.replies = {MessageAnswer::No};  // drop the last case's
    drive.command(IDC_CLEAN_FIELDS);
    drive.clickRadio(c.typeId);
    for (const char16_t* answer : {u"a", u"b", u"c"}) drive.addAnswer(answer);
    for (int row : c.clicks) clickCell(row, 1);
    std::string ticks;
    for (int r = 0; r < 3; ++r) ticks += editor.row(r).ticked ? '1' : '0';
    EXPECT_EQ(ticks, c.ticks) << "type " << c.typeId << ", " << c.clicks.size() << " clicks";
    EXPECT_EQ(editor.ticked(), static_cast<int>(std::count(ticks.begin(), ticks.end(), '1')));
  }
}

// Exit, Esc and the close box with unsaved changes: Cancel keeps the window and the changes,
// so a second try asks again; No closes it with the way's own exit code.
TEST(ClosingTest, AsksAboutAnUnsavedExam) {
  struct Case {
    UINT message;
    WPARAM wParam;
    int quitCode;
  };
  const Case cases[] = {{WM_COMMAND, ID_FILE_EXIT, 1}, {WM_COMMAND, IDCANCEL, 2}, {WM_CLOSE, 0, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.message << "/" << c.wParam);
    ScriptedEditor editor;
    HWND window = editor.create();
    ASSERT_NE(window, nullptr);
    EditorDriver drive(window);
    drive.type(IDC_QUESTION_TEXT, u"q");
    drive.clickRadio(IDC_TYPE_FLASH_CARD);
    drive.command(IDC_ADD_QUESTION);
    ASSERT_TRUE(editor.changed());
    for (MessageAnswer reply : {MessageAnswer::Cancel, MessageAnswer::No}) {
      const bool closes = reply == MessageAnswer::No;
      editor.replies = {reply};
      SendMessageW(window, c.message, c.wParam, 0);
      int quitCode = -1;  // the close box's command comes through the queue
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) quitCode = static_cast<int>(message.wParam);
        DispatchMessageW(&message);
      }
      ASSERT_EQ(editor.shown.size(), closes ? 2u : 1u);
      EXPECT_EQ(editor.shown.back().text,
                u"The exam has changes that are not saved.\nDo you want to save them?");
      EXPECT_EQ(IsWindow(window) == FALSE, closes);
      EXPECT_EQ(quitCode, closes ? c.quitCode : -1);
    }
  }
}

// The real message box: owned by the window, with the caption and text given.
TEST_F(AuthoringTest, MessagesAppearInRealMessageBoxes) {
  drive = EditorDriver(window);
  editor.realMessageBoxes = true;
  test::DialogAnswerer answerer({{IDOK, {}}}, window);
  drive.command(IDC_ADD_QUESTION);
  ASSERT_EQ(answerer.shown.size(), 1u);
  EXPECT_EQ(answerer.shown[0].caption, L"QuizmoraBuilder");
  EXPECT_EQ(answerer.shown[0].texts.back(), L"You don't specify a question!");
  EXPECT_EQ(answerer.shown[0].owner, window);
}

TEST(FileDialogSetup, MatchesWhatTheCommandsAsk) {
  wchar_t name[kFileNameUnits] = L"left over";
  wchar_t title[kFileTitleUnits] = L"left over";
  OPENFILENAMEW dialog;
  prepareFileDialog(dialog, name, title);
  EXPECT_EQ(dialog.lStructSize, OPENFILENAME_SIZE_VERSION_400W);
  EXPECT_EQ(dialog.hwndOwner, GetActiveWindow());
  const wchar_t kFilter[] = L"Quizmora Files (*.qzm)\0*.qzm\0All Files (*.*)\0*.*\0";
  EXPECT_EQ(std::wstring(dialog.lpstrFilter, std::size(kFilter)),
            std::wstring(kFilter, std::size(kFilter)));
  EXPECT_EQ(dialog.nFilterIndex, 1u);
  EXPECT_EQ(dialog.lpstrFile, name);
  EXPECT_EQ(name[0], L'\0');
  EXPECT_EQ(dialog.nMaxFile, 260u);
  EXPECT_EQ(dialog.lpstrFileTitle, title);
  EXPECT_EQ(dialog.nMaxFileTitle, 256u);
  EXPECT_EQ(dialog.lpstrDefExt, nullptr);
  EXPECT_EQ(dialog.lpstrInitialDir, nullptr);
  EXPECT_EQ(dialog.lpstrTitle, nullptr);
  EXPECT_EQ(dialog.Flags, static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER |
                                             OFN_ENABLESIZING | OFN_ENABLEHOOK));
  ASSERT_NE(dialog.lpfnHook, nullptr);
  EXPECT_EQ(dialog.lpfnHook(nullptr, WM_INITDIALOG, 0, 0), 0u);
}

}  // namespace
}  // namespace quizmora
