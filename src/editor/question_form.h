#pragma once
// What the question and file commands see of the main window: its text boxes, type buttons,
// answer rows, icon buttons, captions and message boxes. The window implements it over its
// real controls; tests implement it in memory.

#include <string>
#include <vector>

#include "editor/message_icon.h"
#include "model/exam_document.h"

namespace quizmora {

// Controls whose enabled state the commands switch.
enum class FormControl {
  PrevQuestion,
  NextQuestion,
  AddAnswer,
  DeleteAnswer,
  AddQuestion,
  UpdateQuestion,
  DeleteQuestion,
  CopyQuestion,
  PasteQuestion,
  AnswerList,
};

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct FormMessage {
  std::u16string text;
  std::u16string caption;
  MessageIcon icon = MessageIcon::Information;
  MessageButtons buttons = MessageButtons::Ok;
  friend bool operator==(const FormMessage&, const FormMessage&) = default;
};

// One row of the answer list: the answer text and its "Correct Answer" tick.
struct FormRow {
  std::u16string text;
  bool ticked = false;
  friend bool operator==(const FormRow&, const FormRow&) = default;
};

class QuestionForm {
 public:
  virtual ~QuestionForm() = default;

  // Both boxes are read whole, however long their text.
  virtual std::u16string questionText() const = 0;
  virtual void setQuestionText(const std::u16string& text) = 0;
  virtual std::u16string answerText() const = 0;
  virtual void setAnswerText(const std::u16string& text) = 0;

  // The selected type button: OneChoice, MultipleChoice, or FlashCard for the third.
  virtual QuestionType formType() const = 0;
  // Selects the button of `type` (FlashCard's for any value other than the two choice
  // types) and clears the other two.
  virtual void selectType(QuestionType type) = 0;

  // Answer rows, 0 the top row.
  virtual int rowCount() const = 0;
  virtual FormRow row(int index) const = 0;
  virtual void appendRow(const FormRow& row) = 0;
  virtual void setRowTicked(int index, bool ticked) = 0;
  // Deletes the selected row; nothing when no row is selected.
  virtual void deleteSelectedRow() = 0;
  virtual void deleteAllRows() = 0;
  // Brackets the filling of many rows, so the list is drawn once at the end.
  virtual void beginRowFill() {}
  virtual void endRowFill() {}
  // Makes the list hold exactly `rows`, top to bottom, as deleting every row and appending
  // these would (no row selected afterwards). A window may reuse its rows to do it.
  virtual void setRows(const std::vector<FormRow>& rows) {
    deleteAllRows();
    beginRowFill();
    for (const FormRow& r : rows) appendRow(r);
    endRowFill();
  }

  virtual void setEnabled(FormControl control, bool enabled) = 0;
  virtual void setGroupCaption(const std::u16string& caption) = 0;
  // The right status pane.
  virtual void setStatusText(const std::u16string& text) = 0;
  // The text of the question number box.
  virtual std::u16string numberText() const = 0;

  // Long work begins (true) or ends (false): the window paints what a closed dialog
  // uncovered and shows the wait cursor meanwhile.
  virtual void setBusy(bool /*busy*/) {}

  // A modal message box owned by the window; the button the user pressed.
  virtual MessageAnswer showMessage(const FormMessage& message) = 0;
};

}  // namespace quizmora
