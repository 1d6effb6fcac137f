#pragma once
// The Edit menu's commands over the exam: undo and redo of every command that changes the
// exam, moving the shown question up and down, and finding a text. The question and file
// commands run through here so that each becomes one undo step.

#include <functional>
#include <optional>
#include <string>

#include "editor/exam_search.h"
#include "editor/file_commands.h"
#include "editor/question_editor.h"
#include "editor/question_form.h"
#include "editor/undo_history.h"

namespace quizmora {

class EditCommands {
 public:
  // All references must outlive this.
  EditCommands(EditorState state, QuestionForm& form, QuestionEditor& questions,
               FileCommands& files);

  // Runs `command` as one undo step called `name` ("Delete Question"). The command may
  // replace the questions `first` .. `first` + `count` - 1 with any number of others and
  // change the exam's details; the questions after them may only move. Nothing is recorded
  // when the exam did not change.
  void recordAround(std::u16string name, int first, int count,
                    const std::function<void()>& command);
  // The same for a command that may change any question (it reads the whole exam first).
  void recordAround(std::u16string name, const std::function<void()>& command);

  // The question and file commands, each recorded.
  void addQuestion();
  void updateQuestion();
  void deleteQuestion();
  void pasteQuestion();
  void newExam();
  // Questions added from another tool's file (by `add`) come after the last one.
  void addQuestionsFromFile(const std::function<void()>& add);
  // Prev, Next, Go to and Clean Fields: their question about an unsaved new question may add it.
  void leaveQuestion(const std::function<void()>& command);
  // After Open or Import replaced the exam: nothing to undo.
  void examLoaded();
  // After every command: keeps the undo steps' changed flags in line with a save.
  void commandDone();

  bool canUndo() const { return history_.canUndo(); }
  bool canRedo() const { return history_.canRedo(); }
  // "Undo Delete Question", or "Undo" when there is nothing; the same for Redo.
  std::u16string undoText() const;
  std::u16string redoText() const;
  // Each shows the question it touched (the form a Paste changed).
  void undo();
  void redo();

  bool canMoveUp() const;
  bool canMoveDown() const;
  void moveUp();
  void moveDown();

  // Shows the next question holding `text`, as findInExam looks for it, and says where the
  // text stands; when none does, says so in a message box.
  std::optional<FoundText> findNext(const std::u16string& text, bool matchCase);

  // A recovered exam: shown from its first question, with changes to save, nothing to undo.
  void adoptRecovered(ExamDocument exam, bool pathIsExamFile);

  const UndoHistory& history() const { return history_; }

 private:
  void moveBy(int offset);
  ExamDetails details() const;
  void applyDetails(const ExamDetails& details);
  FormSnapshot formSnapshot() const;
  void restoreForm(const FormSnapshot& snapshot);
  // Shows question `index`, or the new-question form when there is none at `index`.
  void showAt(int index);
  void showStep(const UndoStep& step, int shown, const std::optional<FormSnapshot>& form);

  EditorState state_;
  QuestionForm& form_;
  QuestionEditor& questions_;
  FileCommands& files_;
  UndoHistory history_;
};

}  // namespace quizmora
