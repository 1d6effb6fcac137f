#include "editor/edit_commands.h"

#include <algorithm>
#include <utility>

namespace quizmora {

EditCommands::EditCommands(EditorState state, QuestionForm& form, QuestionEditor& questions,
                           FileCommands& files)
    : state_(state), form_(form), questions_(questions), files_(files) {}

ExamDetails EditCommands::details() const {
  const ExamDocument& exam = state_.document;
  return {exam.header, exam.filePath, files_.pathIsExamFile()};
}

void EditCommands::applyDetails(const ExamDetails& details) {
  state_.document.header = details.header;
  files_.setSaveTarget(details.filePath, details.pathIsExamFile);
}

void EditCommands::recordAround(std::u16string name, int first, int count,
                                const std::function<void()>& command) {
  auto& questions = state_.document.questions;
  const int total = state_.document.questionCount();
  first = std::clamp(first, 0, total);
  count = std::clamp(count, 0, total - first);
  UndoStep step;
  step.name = std::move(name);
  step.first = first;
  step.before.assign(questions.begin() + first, questions.begin() + first + count);
  step.detailsBefore = details();
  step.shownBefore = state_.currentIndex;
  command();
  const int countAfter = count + state_.document.questionCount() - total;
  if (countAfter < 0 || first + countAfter > state_.document.questionCount()) {
    // The command changed more than it said: no step can take it back.
    history_.clear(state_.examChanged);
    return;
  }
  step.after.assign(questions.begin() + first, questions.begin() + first + countAfter);
  step.detailsAfter = details();
  step.shownAfter = state_.currentIndex;
  trimCommonQuestions(step);
  if (!step.changesQuestions() && step.detailsBefore == step.detailsAfter) return;
  history_.record(std::move(step), state_.examChanged);
}

void EditCommands::recordAround(std::u16string name, const std::function<void()>& command) {
  recordAround(std::move(name), 0, state_.document.questionCount(), command);
}

void EditCommands::addQuestion() {
  recordAround(u"Add Question", state_.document.questionCount(), 0,
               [this] { questions_.addQuestion(); });
}

void EditCommands::updateQuestion() {
  recordAround(u"Update Question", state_.currentIndex, 1, [this] { questions_.updateQuestion(); });
}

void EditCommands::deleteQuestion() {
  recordAround(u"Delete Question", state_.currentIndex, 1, [this] { questions_.deleteQuestion(); });
}

void EditCommands::newExam() {
  recordAround(u"New Exam", [this] { files_.newExam(); });
}

void EditCommands::addQuestionsFromFile(const std::function<void()>& add) {
  recordAround(u"Add Questions from Other Tools", state_.document.questionCount(), 0, add);
}

void EditCommands::leaveQuestion(const std::function<void()>& command) {
  recordAround(u"Add Question", state_.document.questionCount(), 0, command);
}

// Paste fills the form only: its step puts back the form it replaced.
void EditCommands::pasteQuestion() {
  UndoStep step;
  step.name = u"Paste";
  step.formBefore = formSnapshot();
  step.detailsBefore = step.detailsAfter = details();
  step.shownBefore = step.shownAfter = state_.currentIndex;
  questions_.pasteQuestion();
  step.formAfter = formSnapshot();
  if (step.formAfter != step.formBefore) history_.record(std::move(step), state_.examChanged);
}

void EditCommands::examLoaded() { history_.clear(state_.examChanged); }

void EditCommands::commandDone() { history_.noteChanged(state_.examChanged); }

std::u16string EditCommands::undoText() const {
  return canUndo() ? u"Undo " + history_.nextUndo().name : u"Undo";
}

std::u16string EditCommands::redoText() const {
  return canRedo() ? u"Redo " + history_.nextRedo().name : u"Redo";
}

void EditCommands::undo() {
  if (!canUndo()) return;
  const UndoStep& step = history_.nextUndo();
  revertQuestions(step, state_.document.questions);
  applyDetails(step.detailsBefore);
  state_.examChanged = history_.stepBack();
  showStep(step, step.shownBefore, step.formBefore);
}

void EditCommands::redo() {
  if (!canRedo()) return;
  const UndoStep& step = history_.nextRedo();
  reapplyQuestions(step, state_.document.questions);
  applyDetails(step.detailsAfter);
  state_.examChanged = history_.stepForward();
  showStep(step, step.shownAfter, step.formAfter);
}

void EditCommands::showStep(const UndoStep& step, int shown,
                            const std::optional<FormSnapshot>& form) {
  if (form) {
    restoreForm(*form);
  } else if (step.changesQuestions()) {
    showAt(shown);
  }
  questions_.showTotal();
}

void EditCommands::showAt(int index) {
  if (index >= 0 && index < state_.document.questionCount()) {
    state_.currentIndex = index;
    questions_.showQuestion(index);
  } else {
    questions_.showNewQuestion();
  }
}

FormSnapshot EditCommands::formSnapshot() const {
  FormSnapshot snapshot{form_.formType(), form_.questionText(), form_.answerText(), {}};
  for (int r = 0, rows = form_.rowCount(); r < rows; ++r) snapshot.rows.push_back(form_.row(r));
  return snapshot;
}

void EditCommands::restoreForm(const FormSnapshot& snapshot) {
  form_.setQuestionText(snapshot.question);
  form_.setAnswerText(snapshot.answer);
  form_.selectType(snapshot.type);
  form_.setRows(snapshot.rows);
  state_.tickedCount = static_cast<int>(std::count_if(snapshot.rows.begin(), snapshot.rows.end(),
                                                      [](const FormRow& r) { return r.ticked; }));
  questions_.typeChanged();
}

bool EditCommands::canMoveUp() const {
  return state_.currentIndex > 0 && state_.currentIndex < state_.document.questionCount();
}

bool EditCommands::canMoveDown() const {
  return state_.currentIndex >= 0 && state_.currentIndex + 1 < state_.document.questionCount();
}

void EditCommands::moveUp() {
  if (canMoveUp()) moveBy(-1);
}

void EditCommands::moveDown() {
  if (canMoveDown()) moveBy(1);
}

void EditCommands::moveBy(int offset) {
  const int from = state_.currentIndex;
  const int to = from + offset;
  const char16_t* name = offset < 0 ? u"Move Question Up" : u"Move Question Down";
  recordAround(name, std::min(from, to), 2, [this, from, to] {
    auto& questions = state_.document.questions;
    std::swap(questions[static_cast<std::size_t>(from)], questions[static_cast<std::size_t>(to)]);
    state_.examChanged = true;
    showAt(to);
  });
}

std::optional<FoundText> EditCommands::findNext(const std::u16string& text, bool matchCase) {
  std::optional<FoundText> found =
      findInExam(state_.document, state_.currentIndex, text, matchCase);
  if (!found) {
    form_.showMessage({u"No question holds \"" + text + u"\".", u"Quizmora Builder",
                       MessageIcon::Information, MessageButtons::Ok});
    return std::nullopt;
  }
  // Leaving a new question asks first, as going to another question does.
  bool go = false;
  leaveQuestion([this, &go] { go = questions_.savePrompt(); });
  if (!go) return std::nullopt;
  showAt(found->question);
  return found;
}

void EditCommands::adoptRecovered(ExamDocument exam, bool pathIsExamFile) {
  files_.adoptExam(std::move(exam), pathIsExamFile);
  state_.examChanged = true;
  history_.clear(true);
}

}  // namespace quizmora
