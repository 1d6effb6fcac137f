#include "editor/undo_history.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace quizmora {
namespace {

void replaceRange(std::vector<QuestionRecord>& questions, int first,
                  const std::vector<QuestionRecord>& out, const std::vector<QuestionRecord>& in) {
  const auto start = questions.begin() + first;
  const std::size_t common = std::min(out.size(), in.size());
  std::copy_n(in.begin(), common, start);
  const auto tail = start + static_cast<std::ptrdiff_t>(common);
  if (out.size() > common) {
    questions.erase(tail, tail + static_cast<std::ptrdiff_t>(out.size() - common));
  } else {
    questions.insert(tail, in.begin() + static_cast<std::ptrdiff_t>(common), in.end());
  }
}

}  // namespace

void trimCommonQuestions(UndoStep& step) {
  auto& before = step.before;
  auto& after = step.after;
  std::size_t suffix = 0;
  while (suffix < before.size() && suffix < after.size() &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  before.resize(before.size() - suffix);
  after.resize(after.size() - suffix);
  std::size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
    ++prefix;
  }
  const auto cut = static_cast<std::ptrdiff_t>(prefix);
  before.erase(before.begin(), before.begin() + cut);
  after.erase(after.begin(), after.begin() + cut);
  step.first += static_cast<int>(prefix);
}

void revertQuestions(const UndoStep& step, std::vector<QuestionRecord>& questions) {
  replaceRange(questions, step.first, step.after, step.before);
}

void reapplyQuestions(const UndoStep& step, std::vector<QuestionRecord>& questions) {
  replaceRange(questions, step.first, step.before, step.after);
}

void UndoHistory::clear(bool changed) {
  steps_.clear();
  changed_.assign(1, changed);
  position_ = 0;
  ++revision_;
}

void UndoHistory::record(UndoStep step, bool changed) {
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
  changed_.erase(changed_.begin() + static_cast<std::ptrdiff_t>(position_) + 1, changed_.end());
  steps_.push_back(std::move(step));
  changed_.push_back(changed);
  ++position_;
  if (steps_.size() > kLevels) {
    steps_.pop_front();
    changed_.pop_front();
    --position_;
  }
  ++revision_;
}

bool UndoHistory::stepBack() {
  --position_;
  ++revision_;
  return changed_[position_];
}

bool UndoHistory::stepForward() {
  ++position_;
  ++revision_;
  return changed_[position_];
}

void UndoHistory::noteChanged(bool changed) {
  if (changed_[position_] == changed) return;
  if (!changed) std::fill(changed_.begin(), changed_.end(), true);
  changed_[position_] = changed;
}

}  // namespace quizmora
