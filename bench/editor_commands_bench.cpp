// The question commands' own cost on the largest exams, against a form that only keeps its
// values: Add and Delete Question at both ends of a 100,000-question exam, and Prev and Next
// between two questions of 1,000 answers. What the window adds on top (its controls and
// their painting) is measured under Wine by scripts/bench-editor.

#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <vector>

#include "editor/edit_commands.h"
#include "editor/file_commands.h"
#include "editor/question_editor.h"
#include "editor/recovery_keeper.h"
#include "generated_exam.h"

namespace quizmora {
namespace {

// The form's state in plain members; no message box ever asks.
class PlainForm : public QuestionForm {
 public:
  std::u16string question, answer, number;
  QuestionType type = QuestionType::OneChoice;
  std::vector<FormRow> rows;

  std::u16string questionText() const override { return question; }
  void setQuestionText(const std::u16string& text) override { question = text; }
  std::u16string answerText() const override { return answer; }
  void setAnswerText(const std::u16string& text) override { answer = text; }
  QuestionType formType() const override { return type; }
  void selectType(QuestionType t) override { type = t; }
  int rowCount() const override { return static_cast<int>(rows.size()); }
  FormRow row(int index) const override { return rows[static_cast<std::size_t>(index)]; }
  void appendRow(const FormRow& row) override { rows.push_back(row); }
  void setRowTicked(int index, bool ticked) override {
    rows[static_cast<std::size_t>(index)].ticked = ticked;
  }
  void deleteSelectedRow() override {}
  void deleteAllRows() override { rows.clear(); }
  void setEnabled(FormControl, bool) override {}
  void setGroupCaption(const std::u16string&) override {}
  void setStatusText(const std::u16string&) override {}
  std::u16string numberText() const override { return number; }
  MessageAnswer showMessage(const FormMessage&) override { return MessageAnswer::No; }
};

class NoFileDialogs : public FileDialogs {
 public:
  std::optional<std::u16string> chooseOpenPath() override { return std::nullopt; }
  std::optional<std::u16string> chooseSavePath() override { return std::nullopt; }
  std::optional<std::u16string> chooseSavePagePath() override { return std::nullopt; }
};

struct Editing {
  ExamDocument document;
  int currentIndex = 0;
  int tickedCount = 0;
  QuestionRecord clipboard;
  bool changed = false;
  PlainForm form;
  QuestionEditor editor{state(), form};
  NoFileDialogs dialogs;
  FileCommands files{state(), form, editor, dialogs};
  EditCommands edit{state(), form, editor, files};

  EditorState state() { return {document, currentIndex, tickedCount, clipboard, changed}; }

  void show(int index) {
    currentIndex = index;
    editor.showQuestion(index);
  }
};

Editing& largeExam() {
  static Editing* editing = [] {
    auto* e = new Editing;
    e->document = generateExam(100000, 11);
    return e;
  }();
  return *editing;
}

// Shown at question `at` (0 or the last), Add appends the form's question and Delete then
// removes the question at `at`: one of each per iteration keeps the exam's size.
void addThenDelete(benchmark::State& state, bool atEnd) {
  Editing& e = largeExam();
  for (auto _ : state) {
    const int at = atEnd ? e.document.questionCount() - 1 : 0;
    state.PauseTiming();
    e.show(at);
    state.ResumeTiming();
    e.editor.addQuestion();
    state.PauseTiming();
    e.show(at);
    state.ResumeTiming();
    e.editor.deleteQuestion();
  }
}

void BM_AddDeleteFirst(benchmark::State& state) { addThenDelete(state, false); }
void BM_AddDeleteLast(benchmark::State& state) { addThenDelete(state, true); }

void BM_NextPrevThousandAnswers(benchmark::State& state) {
  Editing e;
  for (int q = 0; q < 2; ++q) {
    QuestionRecord question{QuestionType::MultipleChoice, u"Question", {}};
    for (int a = 0; a < 1000; ++a) {
      question.answers.push_back({u"Answer text of some length " + std::u16string(1, u'A'), a % 2});
    }
    e.document.questions.push_back(question);
  }
  e.show(0);
  for (auto _ : state) {
    e.editor.nextQuestion();
    e.editor.prevQuestion();
  }
}

// Delete Question 1 of 100,000 taken back and done again.
void BM_UndoRedoDeleteFirst(benchmark::State& state) {
  Editing& e = largeExam();
  for (auto _ : state) {
    state.PauseTiming();
    e.show(0);
    e.edit.deleteQuestion();
    state.ResumeTiming();
    e.edit.undo();
    e.edit.redo();
    state.PauseTiming();
    e.edit.undo();
    state.ResumeTiming();
  }
}

// The window's share of a recovery write of 100,000 questions, per call: one slice of the
// copy its thread writes.
void BM_RecoveryCopySlice(benchmark::State& state) {
  Editing& e = largeExam();
  const auto& questions = e.document.questions;
  const auto sliceEnd = questions.begin() + static_cast<std::ptrdiff_t>(RecoveryKeeper::kSlice);
  for (auto _ : state) {
    std::vector<QuestionRecord> slice(questions.begin(), sliceEnd);
    benchmark::DoNotOptimize(slice);
  }
}

BENCHMARK(BM_AddDeleteFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddDeleteLast)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NextPrevThousandAnswers)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoRedoDeleteFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecoveryCopySlice)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quizmora

BENCHMARK_MAIN();
