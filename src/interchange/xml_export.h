#pragma once
// What both XML writers do to a question before they lay it out: the kind it goes out as,
// its texts made safe for XML, and a warning for everything that does not go out.

#include <string>
#include <vector>

#include "interchange/interchange_report.h"
#include "model/exam_document.h"

namespace quizmora {

struct ExportedAnswer {
  std::string text;  // UTF-8, only characters XML can hold
  bool correct = false;
};

struct ExportedQuestion {
  QuestionType kind = QuestionType::OneChoice;  // always one of the three named kinds
  std::string text;
  std::vector<ExportedAnswer> answers;  // a flash card has exactly one, its back
};

// `number` counts from 1. A type other than the three named ones goes out as a flash card
// (as the editor shows it); the rows a flash card holds after its back are left out; both
// with a warning, as is every character XML cannot hold.
ExportedQuestion exportedQuestion(const QuestionRecord& question, int number,
                                  InterchangeReport& report);

// Warnings for the header fields a format has no place for.
void noteLostHeader(const ExamHeader& header, bool keepsAuthor, InterchangeReport& report);

}  // namespace quizmora
