#pragma once
// The commands that move questions between the form and the exam: show, add, update,
// delete, navigate, copy and paste, the answer rows, the one-choice rule and New Exam.
// They work on the window's editing state through references and on its controls through
// QuestionForm, so they run the same in the program and in tests.

#include <string>

#include "editor/question_form.h"
#include "model/exam_document.h"

namespace quizmora {

// The editing state the main window owns; the commands hold references to it.
struct EditorState {
  ExamDocument& document;
  int& currentIndex;  // the question shown; the question count for a new question
  int& tickedCount;   // ticked rows of the answer list
  QuestionRecord& clipboardQuestion;
  bool& examChanged;  // changed since started, opened, imported, saved or made new
};

class QuestionEditor {
 public:
  QuestionEditor(EditorState state, QuestionForm& form);

  // Shared routines, also used by the file commands.
  void clearForm();
  void showQuestion(int index);
  void showTotal();
  // The empty form of a new question after the last one, as Clean Fields leaves it.
  void showNewQuestion();
  // Before the form is replaced: asks whether to add a new question typed in it. False when
  // the command must stop: the user chose to save and the question was refused.
  bool savePrompt();

  // Commands. addQuestion reports whether the question was added.
  bool addQuestion();
  void updateQuestion();
  void deleteQuestion();
  void prevQuestion();
  void nextQuestion();
  void gotoQuestion();
  void cleanFields();
  void copyQuestion();
  void pasteQuestion();
  void typeChanged();
  void addAnswer();
  void deleteAnswer();
  // A cell of row `row` was stored; `checkCell` when it is the "Correct Answer" cell.
  void gridValueChanged(int row, bool checkCell);
  // Empties the exam; the caller has already asked about unsaved changes.
  void newExam();
  // Appends the questions of `added` after the last question and shows the first of them;
  // an exam with no questions and no title takes `added`'s title and author (nothing else of
  // its header). The whole change Add Questions from Other Tools makes to the exam.
  void addQuestions(ExamDocument added);

 private:
  bool pendingQuestion() const;
  // Reads the form into `question`; false, with the message shown, when it is refused.
  bool buildQuestion(QuestionRecord& question);
  // Sets every part of the form that shows a question (question box, answer box, rows,
  // type, answer controls, group caption) from `question`, each control once: a blank
  // One Choice question with "New Question" is the cleared form.
  void fillForm(const QuestionRecord& question, const std::u16string& caption);
  void setAnswerControlsEnabled(bool enabled);
  int countTickedRows() const;
  int questionCount() const { return state_.document.questionCount(); }

  EditorState state_;
  QuestionForm& form_;
};

// The number in the question number box: optional blanks, an optional sign and digits;
// anything else, an empty box or a number out of range gives 0.
int parseQuestionNumber(const std::u16string& text);

// "Total: %d", "Question #%d".
std::u16string totalText(int count);
std::u16string questionCaption(int number);

}  // namespace quizmora
