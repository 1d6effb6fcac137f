#pragma once
// Versions A, B, C, ... of one exam for printing: the same questions and choices in other
// orders, so that neighbours cannot copy. Version A keeps the exam's own order; every other
// version is a reproducible function of the exam, the shuffle and a seed.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "model/exam_document.h"

namespace quizmora {

inline constexpr int kMaxExamVersions = 26;  // one letter each

enum class ShuffleKind { Questions, Choices, Both };

// "questions", "choices" or "both"; nullopt for anything else.
std::optional<ShuffleKind> shuffleKindNamed(std::string_view name);
std::string_view shuffleKindName(ShuffleKind kind);

// How a choice's text points at the other choices of its question.
enum class ChoiceReference {
  None,
  ByPlace,   // "All of the above", "None of the above", "Both of the below": the choice keeps
             // its place, and the choices above it stay above it (those below, below)
  ByLetter,  // "A and C", "Both A and B", "Neither B nor D": every choice of the question
             // keeps its place, so the letters still name the same choices
};

// The rule reads English only: a word "above" or "below" with "all", "none", "both",
// "neither" or "any" up to four words before it; or a text made of nothing but two or more
// capital letters A to Z and the words "and", "or", "nor", "both", "neither", "either", "only",
// "all", "answers", "options", "choices", "are", "is", "correct", "true" (punctuation aside).
// A text in another language is never recognised, so such a choice moves with the others.
ChoiceReference choiceReference(std::u16string_view text);

struct ExamVersion {
  // questionOrder[k]: the exam's position (version A's question number - 1) of this
  // version's question k.
  std::vector<std::size_t> questionOrder;
  // choiceOrder[p]: the choices of the exam's question p, by their exam positions, in the
  // order this version prints them. Empty for questions that are not choice questions.
  std::vector<std::vector<std::size_t>> choiceOrder;
};

// `count` versions (clamped to 1 .. kMaxExamVersions). No two versions come out in the same
// order (of the questions when they are shuffled, else of the choices) while the exam has
// orders enough to go round; past that, orders repeat.
std::vector<ExamVersion> makeExamVersions(const ExamDocument& exam, int count, ShuffleKind shuffle,
                                          std::uint64_t seed);

// A seed of at most six digits drawn from the exam's title, author and questions: the same
// exam gives the same versions until it is changed.
std::uint64_t contentSeed(const ExamDocument& exam);

// The choice questions: the kinds whose choices are printed with letters and may be shuffled.
bool isChoiceQuestion(const QuestionRecord& question);

}  // namespace quizmora
