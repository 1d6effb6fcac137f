#pragma once
// The exam's undo and redo: each step keeps only the questions a command replaced and the
// questions it put in their place, with the exam's details before and after, so that a step
// on a very long exam costs the questions it touched, not the whole exam.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "editor/question_form.h"
#include "model/exam_document.h"

namespace quizmora {

// What the editor keeps beside the questions: the header and the file Save writes to.
struct ExamDetails {
  ExamHeader header;
  std::u16string filePath;
  bool pathIsExamFile = false;
  friend bool operator==(const ExamDetails&, const ExamDetails&) = default;
};

// The form as the author left it (a command that only fills the form, as Paste does).
struct FormSnapshot {
  QuestionType type = QuestionType::OneChoice;
  std::u16string question, answer;
  std::vector<FormRow> rows;  // top to bottom
  friend bool operator==(const FormSnapshot&, const FormSnapshot&) = default;
};

struct UndoStep {
  std::u16string name;  // the command, as the menu names it: "Delete Question"
  // The questions from `first` on: `before` stood there before the command, `after` after.
  int first = 0;
  std::vector<QuestionRecord> before, after;
  ExamDetails detailsBefore, detailsAfter;
  std::optional<FormSnapshot> formBefore, formAfter;
  int shownBefore = 0, shownAfter = 0;  // the question shown before and after the command

  bool changesQuestions() const { return !before.empty() || !after.empty(); }
};

// Drops the questions `before` and `after` have in common at both ends, so that a step keeps
// only what differs.
void trimCommonQuestions(UndoStep& step);

// Puts `step.before` back in place of `step.after` (revert) or the other way (reapply).
void revertQuestions(const UndoStep& step, std::vector<QuestionRecord>& questions);
void reapplyQuestions(const UndoStep& step, std::vector<QuestionRecord>& questions);

class UndoHistory {
 public:
  static constexpr std::size_t kLevels = 200;

  // Forgets every step (after Open, Import, recovery): `changed` says whether the exam now
  // holds changes that are not saved.
  void clear(bool changed);
  // A command ran; `changed` is the exam's changed flag after it. Any redo is gone, and the
  // oldest step once there are more than kLevels.
  void record(UndoStep step, bool changed);

  bool canUndo() const { return position_ > 0; }
  bool canRedo() const { return position_ < steps_.size(); }
  // The step the next undo (redo) takes back (does again); canUndo() (canRedo()) first.
  const UndoStep& nextUndo() const { return steps_[position_ - 1]; }
  const UndoStep& nextRedo() const { return steps_[position_]; }
  // Moves over that step; the changed flag of the exam it leads to.
  bool stepBack();
  bool stepForward();

  // After any command: the exam's changed flag as the command left it. A flag that turned
  // false was a save, so every other state now differs from the file.
  void noteChanged(bool changed);

  // Changes whenever the exam may have changed: what a recovery copy compares.
  std::uint64_t revision() const { return revision_; }
  // Bumped by hand for a change that no step describes.
  void touch() { ++revision_; }

 private:
  std::deque<UndoStep> steps_;
  std::deque<bool> changed_{false};  // per state: state i is the exam after steps_[i - 1]
  std::size_t position_ = 0;
  std::uint64_t revision_ = 0;
};

}  // namespace quizmora
