#pragma once
// What an exam file can hold that the editor would never have produced.

#include <string>
#include <vector>

#include "model/exam_document.h"

namespace quizmora {

// One line per problem, in document order: a mode outside the named values (once, first),
// then per question (numbered from 1) an unknown type, an empty question text, and a choice
// question without an answer whose isCorrect is exactly 1. Empty for a sound exam.
std::vector<std::string> examProblems(const ExamDocument& document);

}  // namespace quizmora
