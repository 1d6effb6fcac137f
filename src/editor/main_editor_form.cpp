// The main window's controls as the question and file commands see them.
#include <windows.h>

#include <memory>
#include <vector>

#include "app/win_text.h"
#include "controls/check_property.h"
#include "controls/text_property.h"
#include "editor/main_editor.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

int controlIdOf(FormControl control) {
  switch (control) {
    case FormControl::PrevQuestion:
      return IDC_PREV_QUESTION;
    case FormControl::NextQuestion:
      return IDC_NEXT_QUESTION;
    case FormControl::AddAnswer:
      return IDC_ADD_ANSWER;
    case FormControl::DeleteAnswer:
      return IDC_DELETE_ANSWER;
    case FormControl::AddQuestion:
      return IDC_ADD_QUESTION;
    case FormControl::UpdateQuestion:
      return IDC_UPDATE_QUESTION;
    case FormControl::DeleteQuestion:
      return IDC_DELETE_QUESTION;
    case FormControl::CopyQuestion:
      return IDC_COPY_QUESTION;
    case FormControl::PasteQuestion:
      return IDC_PASTE_QUESTION;
    case FormControl::AnswerList:
      return IDC_ANSWER_LIST;
  }
  return 0;
}

std::unique_ptr<GridProperty> textCell(const std::u16string& text) {
  auto cell = std::make_unique<TextProperty>();
  cell->setValue(GridValue::fromText(text));
  return cell;
}

UINT messageBoxStyle(const FormMessage& message) {
  UINT style = 0;
  switch (message.icon) {
    case MessageIcon::Exclamation:
      style = MB_ICONEXCLAMATION;
      break;
    case MessageIcon::Information:
      style = MB_ICONINFORMATION;
      break;
    case MessageIcon::Question:
      style = MB_ICONQUESTION;
      break;
    case MessageIcon::Warning:
      style = MB_ICONWARNING;
      break;
    case MessageIcon::Error:
      style = MB_ICONERROR;
      break;
  }
  switch (message.buttons) {
    case MessageButtons::Ok:
      return style | MB_OK;
    case MessageButtons::YesNo:
      return style | MB_YESNO;
    case MessageButtons::YesNoCancel:
      return style | MB_YESNOCANCEL;
  }
  return style;
}

}  // namespace

void MainEditor::setControlText(int id, const std::u16string& text) {
  HWND window = control(id);
  if (windowText(window) != text) setWindowText(window, text);
}

std::u16string MainEditor::questionText() const { return windowText(control(IDC_QUESTION_TEXT)); }

void MainEditor::setQuestionText(const std::u16string& text) {
  setControlText(IDC_QUESTION_TEXT, text);
}

std::u16string MainEditor::answerText() const { return windowText(control(IDC_ANSWER_TEXT)); }

void MainEditor::setAnswerText(const std::u16string& text) {
  setControlText(IDC_ANSWER_TEXT, text);
}

QuestionType MainEditor::formType() const {
  if (IsDlgButtonChecked(hwnd(), IDC_TYPE_ONE_CHOICE) == BST_CHECKED) {
    return QuestionType::OneChoice;
  }
  if (IsDlgButtonChecked(hwnd(), IDC_TYPE_MULTIPLE_CHOICE) == BST_CHECKED) {
    return QuestionType::MultipleChoice;
  }
  return QuestionType::FlashCard;
}

void MainEditor::selectType(QuestionType type) {
  auto check = [this](int id, bool on) {
    const UINT state = on ? BST_CHECKED : BST_UNCHECKED;
    if (IsDlgButtonChecked(hwnd(), id) != state) CheckDlgButton(hwnd(), id, state);
  };
  check(IDC_TYPE_ONE_CHOICE, type == QuestionType::OneChoice);
  check(IDC_TYPE_MULTIPLE_CHOICE, type == QuestionType::MultipleChoice);
  check(IDC_TYPE_FLASH_CARD,
        type != QuestionType::OneChoice && type != QuestionType::MultipleChoice);
}

int MainEditor::rowCount() const { return answerGrid.rowCount(); }

FormRow MainEditor::row(int index) const {
  FormRow result;
  GridValue value;
  if (GridProperty* text = answerGrid.cellAt(index, 0); text && text->getValue(value)) {
    value.toText(result.text);
  }
  if (GridProperty* check = answerGrid.cellAt(index, 1); check && check->getValue(value)) {
    result.ticked = value.boolValue();
  }
  return result;
}

void MainEditor::appendRow(const FormRow& row) {
  int index = answerGrid.appendRow(textCell(row.text).release());
  if (index >= 0) answerGrid.setCell(index, 1, new CheckProperty(u"", row.ticked));
}

void MainEditor::setRows(const std::vector<FormRow>& rows) {
  if (rows.empty()) {
    deleteAllRows();
    return;
  }
  std::vector<AnswerGrid::RowCells> cells(rows.size());
  for (std::size_t r = 0; r < rows.size(); ++r) {
    cells[r].push_back(textCell(rows[r].text));
    cells[r].push_back(std::make_unique<CheckProperty>(u"", rows[r].ticked));
  }
  answerGrid.replaceRows(std::move(cells));
}

void MainEditor::setRowTicked(int index, bool ticked) {
  GridProperty* check = answerGrid.cellAt(index, 1);
  if (!check) return;
  check->setValue(GridValue::fromBool(ticked));
  InvalidateRect(control(IDC_ANSWER_LIST), nullptr, FALSE);
}

void MainEditor::deleteSelectedRow() { answerGrid.deleteSelectedRow(); }

void MainEditor::deleteAllRows() {
  if (answerGrid.rowCount() == 0) return;
  beginRowFill();
  answerGrid.deleteAllRows();
  endRowFill();
}

void MainEditor::beginRowFill() { SendMessageW(control(IDC_ANSWER_LIST), WM_SETREDRAW, FALSE, 0); }

void MainEditor::endRowFill() {
  HWND list = control(IDC_ANSWER_LIST);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void MainEditor::setEnabled(FormControl which, bool enabled) {
  HWND window = control(controlIdOf(which));
  if ((IsWindowEnabled(window) != FALSE) != enabled) EnableWindow(window, enabled ? TRUE : FALSE);
}

void MainEditor::setGroupCaption(const std::u16string& caption) {
  setControlText(IDC_QUESTION_GROUP, caption);
}

void MainEditor::setStatusText(const std::u16string& text) {
  setControlText(IDC_STATUS_RIGHT, text);
}

std::u16string MainEditor::numberText() const { return windowText(control(IDC_QUESTION_NUMBER)); }

// The paint first, so that a dialog just closed leaves no hole in the window while it works.
void MainEditor::setBusy(bool busy) {
  if (busy) {
    UpdateWindow(hwnd());
    cursorBeforeBusy_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  } else {
    SetCursor(cursorBeforeBusy_);
    cursorBeforeBusy_ = nullptr;
  }
}

MessageAnswer MainEditor::showMessage(const FormMessage& message) {
  switch (MessageBoxW(hwnd(), wideText(message.text), wideText(message.caption),
                      messageBoxStyle(message))) {
    case IDYES:
      return MessageAnswer::Yes;
    case IDNO:
      return MessageAnswer::No;
    case IDCANCEL:
      return MessageAnswer::Cancel;
    default:
      return MessageAnswer::Ok;
  }
}

}  // namespace quizmora
