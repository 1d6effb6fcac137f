#pragma once
// Helpers for the suites of the interchange formats: building exams tersely, random exams
// for round trips, readable failure output and the warnings of a report as short strings.

#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "interchange/interchange_report.h"
#include "model/exam_document.h"

namespace quizmora {

// GoogleTest prints records through these, so that a failed comparison shows the texts.
void PrintTo(const QuestionRecord& question, std::ostream* out);
void PrintTo(const ExamDocument& exam, std::ostream* out);

namespace test {

QuestionRecord oneChoice(std::u16string text, std::vector<AnswerRecord> answers);
QuestionRecord multipleChoice(std::u16string text, std::vector<AnswerRecord> answers);
QuestionRecord flashCard(std::u16string front, std::u16string back);

ExamDocument examOf(std::vector<QuestionRecord> questions, std::u16string title = u"",
                    std::u16string author = u"");

// "question 2: text", "line 5: text" or "text", as qzm prints them.
std::vector<std::string> warningsOf(const InterchangeReport& report);
std::string errorOf(const InterchangeReport& report);

// A question with `count` answers "answer 1" ... of which the odd-numbered are correct.
QuestionRecord manyAnswers(QuestionType type, std::size_t count);

// Exams of every kind of question with texts drawn from pieces that the formats treat
// specially (braces, quotes, separators, tabs, line breaks as CR LF), non-ASCII text (accents,
// CJK, emoji) and empty texts.
ExamDocument randomExam(std::mt19937& random, int questions);

}  // namespace test
}  // namespace quizmora
