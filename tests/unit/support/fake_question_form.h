#pragma once
// The main window's form held in memory, with scripted answers for its message boxes, and
// the editing state the window owns, wired to a QuestionEditor and FileCommands.

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "editor/edit_commands.h"
#include "editor/exchange_commands.h"
#include "editor/file_commands.h"
#include "editor/question_editor.h"
#include "editor/question_form.h"

namespace quizmora::test {

// The button pressed in a message box: OK for a box that only tells, else the next of
// `replies` (none left fails the test, as Cancel).
inline MessageAnswer scriptedReply(const FormMessage& message, std::deque<MessageAnswer>& replies) {
  if (message.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  if (replies.empty()) {
    ADD_FAILURE() << "unexpected question in a message box";
    return MessageAnswer::Cancel;
  }
  MessageAnswer reply = replies.front();
  replies.pop_front();
  return reply;
}

class FakeQuestionForm : public QuestionForm {
 public:
  std::u16string question, answer, number, caption, status;
  QuestionType type = QuestionType::OneChoice;
  std::vector<FormRow> rows;
  int selectedRow = -1;
  // As the window starts: only the answer list and its two buttons are enabled.
  std::map<FormControl, bool> enabled = {
      {FormControl::PrevQuestion, false},   {FormControl::NextQuestion, false},
      {FormControl::AddAnswer, true},       {FormControl::DeleteAnswer, true},
      {FormControl::AddQuestion, false},    {FormControl::UpdateQuestion, false},
      {FormControl::DeleteQuestion, false}, {FormControl::CopyQuestion, false},
      {FormControl::PasteQuestion, false},  {FormControl::AnswerList, true}};
  std::vector<FormMessage> shown;     // every message box, in order
  std::deque<MessageAnswer> replies;  // answers for the boxes that ask; none left = fail

  std::u16string questionText() const override { return question; }
  void setQuestionText(const std::u16string& text) override { question = text; }
  std::u16string answerText() const override { return answer; }
  void setAnswerText(const std::u16string& text) override { answer = text; }
  QuestionType formType() const override { return type; }
  void selectType(QuestionType t) override {
    type = t == QuestionType::OneChoice || t == QuestionType::MultipleChoice
               ? t
               : QuestionType::FlashCard;
  }
  int rowCount() const override { return static_cast<int>(rows.size()); }
  FormRow row(int index) const override { return rows.at(static_cast<std::size_t>(index)); }
  void appendRow(const FormRow& row) override { rows.push_back(row); }
  void setRowTicked(int index, bool ticked) override {
    rows.at(static_cast<std::size_t>(index)).ticked = ticked;
  }
  void deleteSelectedRow() override {
    if (selectedRow < 0 || selectedRow >= rowCount()) return;
    rows.erase(rows.begin() + selectedRow);
    selectedRow = -1;
  }
  void deleteAllRows() override {
    rows.clear();
    selectedRow = -1;
  }
  void setEnabled(FormControl control, bool on) override { enabled[control] = on; }
  void setGroupCaption(const std::u16string& text) override { caption = text; }
  void setStatusText(const std::u16string& text) override { status = text; }
  std::u16string numberText() const override { return number; }
  MessageAnswer showMessage(const FormMessage& message) override {
    shown.push_back(message);
    return scriptedReply(message, replies);
  }

  // Rows as "text" or "text*" (ticked), top to bottom.
  std::vector<std::u16string> rowTexts() const {
    std::vector<std::u16string> texts;
    for (const FormRow& r : rows) texts.push_back(r.text + (r.ticked ? u"*" : u""));
    return texts;
  }
};

class ScriptedFileDialogs : public FileDialogs {
 public:
  std::deque<std::optional<std::u16string>> paths;  // nullopt = cancelled
  std::deque<std::size_t> filters;    // the entry chosen in each chooseFile; none left = 0
  std::vector<FileRequest> requests;  // what chooseFile was asked, in order

  std::optional<std::u16string> chooseOpenPath() override { return next(); }
  std::optional<std::u16string> chooseSavePath() override { return next(); }
  std::optional<FileChoice> chooseFile(const FileRequest& request) override {
    requests.push_back(request);
    std::optional<std::u16string> path = next();
    std::size_t filter = 0;
    if (!filters.empty()) {
      filter = filters.front();
      filters.pop_front();
    }
    if (!path) return std::nullopt;
    return FileChoice{*path, filter};
  }

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

// Everything the main window holds for the commands, in memory.
struct EditorBench {
  ExamDocument document;
  int currentIndex = 0;
  int tickedCount = 0;
  QuestionRecord clipboard;
  bool examChanged = false;
  FakeQuestionForm form;
  ScriptedFileDialogs dialogs;
  QuestionEditor editor{state(), form};
  FileCommands files{state(), form, editor, dialogs};
  ExchangeCommands exchange{state(), form, editor, files};
  EditCommands edit{state(), form, editor, files};

  EditorState state() { return {document, currentIndex, tickedCount, clipboard, examChanged}; }
  // An exam of `questions`, shown from question `shown` as after Open.
  void load(std::vector<QuestionRecord> questions, int shown = 0) {
    document.questions = std::move(questions);
    currentIndex = shown;
    editor.showQuestion(shown);
  }
};

inline QuestionRecord choice(std::u16string text, std::vector<AnswerRecord> answers,
                             QuestionType type = QuestionType::OneChoice) {
  return {type, std::move(text), std::move(answers)};
}

}  // namespace quizmora::test
