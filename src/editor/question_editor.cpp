#include "editor/question_editor.h"

#include <climits>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace quizmora {
namespace {

constexpr char16_t kShortCaption[] = u"QuizmoraBuilder";
constexpr char16_t kLongCaption[] = u"Quizmora Builder";
constexpr char16_t kNewQuestionCaption[] = u"New Question";

const FormMessage kNoQuestionText{u"You don't specify a question!", kShortCaption,
                                  MessageIcon::Exclamation, MessageButtons::Ok};
const FormMessage kNoCorrectAnswer{
    u"Cannot add this question because I don't specify correct answer", kShortCaption,
    MessageIcon::Information, MessageButtons::Ok};
const FormMessage kSaveNewQuestion{u"New question is not saved! Do you want to save it ?",
                                   kLongCaption, MessageIcon::Question, MessageButtons::YesNo};

bool isChoice(QuestionType type) {
  return type == QuestionType::OneChoice || type == QuestionType::MultipleChoice;
}

std::u16string widened(const std::string& narrow) { return {narrow.begin(), narrow.end()}; }

}  // namespace

std::u16string totalText(int count) { return widened("Total: " + std::to_string(count)); }

std::u16string questionCaption(int number) {
  return widened("Question #" + std::to_string(number));
}

int parseQuestionNumber(const std::u16string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  if (i == text.size()) return 0;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < u'0' || text[i] > u'9') return 0;
    value = value * 10 + (text[i] - u'0');
    if (value > INT_MAX) return 0;
  }
  return static_cast<int>(negative ? -value : value);
}

QuestionEditor::QuestionEditor(EditorState state, QuestionForm& form)
    : state_(state), form_(form) {}

void QuestionEditor::setAnswerControlsEnabled(bool enabled) {
  form_.setEnabled(FormControl::AnswerList, enabled);
  form_.setEnabled(FormControl::AddAnswer, enabled);
  form_.setEnabled(FormControl::DeleteAnswer, enabled);
}

int QuestionEditor::countTickedRows() const {
  int ticked = 0;
  for (int r = 0, rows = form_.rowCount(); r < rows; ++r) ticked += form_.row(r).ticked ? 1 : 0;
  return ticked;
}

void QuestionEditor::showTotal() { form_.setStatusText(totalText(questionCount())); }

void QuestionEditor::clearForm() {
  fillForm({QuestionType::OneChoice, {}, {}}, kNewQuestionCaption);
}

// Rows are listed from the last stored answer to the first, so that reading them back from
// the bottom row up (as a question is built) gives the stored order unchanged. A flash card
// keeps its first answer in the answer box and the rest, if any, in the disabled list.
void QuestionEditor::fillForm(const QuestionRecord& question, const std::u16string& caption) {
  const bool choice = isChoice(question.type);
  const auto& answers = question.answers;
  form_.setQuestionText(question.text);
  form_.setAnswerText(!choice && !answers.empty() ? answers.front().text : std::u16string());
  const std::size_t firstRow = choice ? 0 : 1;
  std::vector<FormRow> rows;
  rows.reserve(answers.size());
  int ticked = 0;
  for (std::size_t i = answers.size(); i > firstRow; --i) {
    const AnswerRecord& answer = answers[i - 1];
    rows.push_back({answer.text, answer.correct()});
    ticked += answer.correct() ? 1 : 0;
  }
  form_.setRows(rows);
  state_.tickedCount = ticked;
  form_.selectType(question.type);
  setAnswerControlsEnabled(choice);
  if (!choice) form_.setEnabled(FormControl::AddQuestion, true);
  form_.setGroupCaption(caption);
}

// Every control is set straight to what the question needs, never cleared first: on a long
// question each needless change of the window's controls is a visible cost.
void QuestionEditor::showQuestion(int index) {
  if (index < 0 || index >= questionCount()) {
    clearForm();
    return;
  }
  for (FormControl control : {FormControl::AddQuestion, FormControl::DeleteQuestion,
                              FormControl::UpdateQuestion, FormControl::CopyQuestion}) {
    form_.setEnabled(control, true);
  }
  form_.setEnabled(FormControl::PrevQuestion, index != 0);
  form_.setEnabled(FormControl::NextQuestion, index + 1 != questionCount());
  fillForm(state_.document.questions[static_cast<std::size_t>(index)], questionCaption(index + 1));
}

bool QuestionEditor::pendingQuestion() const {
  return state_.currentIndex == questionCount() &&
         (!form_.questionText().empty() || form_.rowCount() > 0);
}

bool QuestionEditor::savePrompt() {
  if (!pendingQuestion()) return true;
  if (form_.showMessage(kSaveNewQuestion) != MessageAnswer::Yes) return true;
  return addQuestion();
}

bool QuestionEditor::buildQuestion(QuestionRecord& question) {
  question.text = form_.questionText();
  if (question.text.empty()) {
    form_.showMessage(kNoQuestionText);
    return false;
  }
  question.type = form_.formType();
  bool correctPresent = false;
  if (question.type == QuestionType::FlashCard) {
    question.answers.push_back({form_.answerText(), 1});
    correctPresent = true;
  }
  const int rows = form_.rowCount();
  question.answers.reserve(question.answers.size() + static_cast<std::size_t>(rows));
  for (int r = rows - 1; r >= 0; --r) {
    FormRow row = form_.row(r);
    question.answers.push_back({std::move(row.text), row.ticked ? 1 : 0});
    correctPresent = correctPresent || row.ticked;
  }
  if (!correctPresent) {
    form_.showMessage(kNoCorrectAnswer);
    return false;
  }
  return true;
}

bool QuestionEditor::addQuestion() {
  QuestionRecord question;
  if (!buildQuestion(question)) return false;
  if (question.type == QuestionType::FlashCard) setAnswerControlsEnabled(true);
  state_.document.questions.push_back(std::move(question));
  state_.examChanged = true;
  state_.tickedCount = 0;
  showTotal();
  ++state_.currentIndex;
  form_.setEnabled(FormControl::AddQuestion, false);
  form_.setEnabled(FormControl::DeleteQuestion, false);
  form_.setEnabled(FormControl::UpdateQuestion, false);
  form_.setEnabled(FormControl::PrevQuestion, true);
  form_.setQuestionText({});
  form_.setAnswerText({});
  form_.selectType(QuestionType::OneChoice);
  form_.deleteAllRows();
  return true;
}

void QuestionEditor::updateQuestion() {
  QuestionRecord question;
  if (!buildQuestion(question)) return;
  if (state_.currentIndex < 0 || state_.currentIndex >= questionCount()) return;
  QuestionRecord& stored = state_.document.questions[static_cast<std::size_t>(state_.currentIndex)];
  // A type number the form has no button for shows as a flash card; keep the number.
  if (question.type == QuestionType::FlashCard && !isChoice(stored.type)) {
    question.type = stored.type;
  }
  if (question == stored) return;
  stored = std::move(question);
  state_.examChanged = true;
}

void QuestionEditor::deleteQuestion() {
  int& current = state_.currentIndex;
  if (current >= 0 && current < questionCount()) {
    auto& questions = state_.document.questions;
    questions.erase(questions.begin() + current);
    state_.examChanged = true;
    if (!questions.empty() && current != 0) --current;
    showQuestion(current);
  }
  if (questionCount() == 0) {
    form_.setEnabled(FormControl::DeleteQuestion, false);
    form_.setEnabled(FormControl::NextQuestion, false);
    form_.setEnabled(FormControl::PrevQuestion, false);
  }
  showTotal();
}

void QuestionEditor::prevQuestion() {
  const int before = questionCount();
  if (!savePrompt()) return;
  // A question added by the prompt: step back onto it first.
  if (questionCount() != before) --state_.currentIndex;
  if (state_.currentIndex - 1 >= 0) {
    --state_.currentIndex;
    showQuestion(state_.currentIndex);
  } else {
    clearForm();
  }
}

void QuestionEditor::nextQuestion() {
  if (!savePrompt()) return;
  if (state_.currentIndex + 1 < questionCount()) {
    ++state_.currentIndex;
    showQuestion(state_.currentIndex);
  } else {
    clearForm();
  }
}

void QuestionEditor::gotoQuestion() {
  if (!savePrompt()) return;
  const int number = parseQuestionNumber(form_.numberText());
  if (number >= 1 && number <= questionCount()) {
    state_.currentIndex = number - 1;
    showQuestion(state_.currentIndex);
  } else {
    clearForm();
  }
}

void QuestionEditor::cleanFields() {
  if (savePrompt()) showNewQuestion();
}

void QuestionEditor::showNewQuestion() {
  clearForm();
  if (questionCount() >= 1) form_.setEnabled(FormControl::PrevQuestion, true);
  for (FormControl control : {FormControl::NextQuestion, FormControl::DeleteQuestion,
                              FormControl::UpdateQuestion, FormControl::CopyQuestion}) {
    form_.setEnabled(control, false);
  }
  state_.currentIndex = questionCount();
}

void QuestionEditor::copyQuestion() {
  const int current = state_.currentIndex;
  if (current >= 0 && current < questionCount()) {
    state_.clipboardQuestion = state_.document.questions[static_cast<std::size_t>(current)];
  }
  form_.setEnabled(FormControl::PasteQuestion, true);
}

// A pasted question looks exactly like a shown one, so Add Question stores an identical
// copy; the form then holds a question to add, and its button says so.
void QuestionEditor::pasteQuestion() {
  const QuestionRecord& pasted = state_.clipboardQuestion;
  fillForm(pasted, kNewQuestionCaption);
  if (!pasted.text.empty() || form_.rowCount() > 0) {
    form_.setEnabled(FormControl::AddQuestion, true);
  }
}

void QuestionEditor::typeChanged() {
  if (isChoice(form_.formType())) {
    setAnswerControlsEnabled(true);
    form_.setEnabled(FormControl::AddQuestion,
                     !form_.questionText().empty() || form_.rowCount() > 0);
  } else {
    setAnswerControlsEnabled(false);
    form_.setEnabled(FormControl::AddQuestion, true);
  }
}

void QuestionEditor::addAnswer() {
  std::u16string text = form_.answerText();
  if (text.empty()) return;
  form_.setAnswerText({});
  form_.appendRow({std::move(text), false});
  form_.setEnabled(FormControl::AddQuestion, true);
}

void QuestionEditor::deleteAnswer() {
  form_.deleteSelectedRow();
  state_.tickedCount = countTickedRows();
}

// Under "Only One Choice" a row may be ticked only while no other row is; unticking is
// always allowed, so the list can never lock.
void QuestionEditor::gridValueChanged(int row, bool checkCell) {
  if (!checkCell || row < 0 || row >= form_.rowCount()) return;
  int ticked = countTickedRows();
  if (form_.formType() == QuestionType::OneChoice && form_.row(row).ticked && ticked > 1) {
    form_.setRowTicked(row, false);
    --ticked;
  }
  state_.tickedCount = ticked;
}

void QuestionEditor::newExam() {
  clearForm();
  state_.document.clearQuestions();
  state_.document.header.mode = ExamMode::AnyMode;
  state_.document.filePath.clear();
  state_.currentIndex = 0;
  state_.examChanged = false;
  showTotal();
}

void QuestionEditor::addQuestions(ExamDocument added) {
  auto& questions = state_.document.questions;
  ExamHeader& header = state_.document.header;
  if (questions.empty() && header.title.empty()) {
    header.title = std::move(added.header.title);
    header.author = std::move(added.header.author);
  }
  const int first = questionCount();
  questions.insert(questions.end(), std::make_move_iterator(added.questions.begin()),
                   std::make_move_iterator(added.questions.end()));
  state_.examChanged = true;
  showTotal();
  state_.currentIndex = first;
  showQuestion(first);
}

}  // namespace quizmora
