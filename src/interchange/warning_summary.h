#pragma once
// What a conversion could not carry, told once per kind: a warning that concerns many
// questions (or lines) is one line naming them as ranges, so that 100,000 questions of the
// same kind do not drown the one warning that matters.

#include <string>
#include <vector>

#include "interchange/interchange_report.h"

namespace quizmora {

// "questions 1-40, 42, 57-100000: <text>", "line 3: <text>", or the text alone for a note
// about the whole exam; in the order each kind was first met.
std::vector<std::string> summarizedWarnings(const InterchangeReport& report);

// One note with its place: "line 12: <text>", "question 3: <text>" (the line, when both), or
// the text alone.
std::string noteText(const InterchangeNote& note);

}  // namespace quizmora
