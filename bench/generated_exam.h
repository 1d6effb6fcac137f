#pragma once
// Reproducible exams for the benchmarks: the same seed gives the same exam on every machine.

#include <cstdint>

#include "model/exam_document.h"

namespace quizmora {

// Questions of 80-200 units and four answers of 20-60 units each, mostly Latin text with
// accented letters, CJK, markup characters that the writer escapes, tabs and CR LF breaks.
ExamDocument generateExam(int questionCount, std::uint32_t seed);

// The seed of the exams every benchmark measures.
inline constexpr std::uint32_t kGeneratedExamSeed = 20240607;

}  // namespace quizmora
