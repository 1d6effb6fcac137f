#pragma once
// A printable exam sheet: one self-contained HTML page (no external files) with the title,
// the author, fields for the student and the numbered questions; choices carry a circle (one
// choice) or a square (multiple choice) and a letter, flash cards a ruled space for the answer.

#include <cstdint>
#include <optional>
#include <string>

#include "interchange/exam_versions.h"
#include "interchange/interchange_report.h"
#include "model/exam_document.h"

namespace quizmora {

// With `withKey` the sheet is the answer key: correct choices are marked and flash cards
// show their back. Every exam text is escaped. Warns for what the page does not show: the
// exam mode, flash-card answers after the first, unknown question types (shown as cards).
std::string writeHtmlSheet(const ExamDocument& exam, bool withKey, InterchangeReport& report);

// What a page of printed versions holds.
struct SheetVersions {
  int count = 1;  // versions A, B, ... (1 to kMaxExamVersions)
  ShuffleKind shuffle = ShuffleKind::Questions;
  std::optional<std::uint64_t> seed;  // nullopt: contentSeed of the exam
  bool withKeys = false;
};

// One page holding every version, each starting on a new printed page with its letter, the
// student's fields and its seed at the foot; with keys, a key page per version (question
// number to correct letters, or the back of a flash card) and, when the questions were
// shuffled, a table of each version's question numbers as version A's. Warns as above.
std::string writeHtmlVersions(const ExamDocument& exam, const SheetVersions& versions,
                              InterchangeReport& report);

}  // namespace quizmora
