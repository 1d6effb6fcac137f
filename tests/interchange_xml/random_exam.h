#pragma once
// Exams for the round-trip tests of the XML formats: random ones built from the texts the
// formats treat specially, keeping what the editor keeps true of every exam it makes (a
// choice question has answers and a correct one, one choice exactly one, a flash card one
// correct back).

#include <cstdint>
#include <string>
#include <vector>

#include "model/exam_document.h"

namespace quizmora::test {

// Texts that stress XML writers and readers: markup characters, "]]>", quotes, entities
// typed as text, line breaks, tabs, runs of spaces, accents, CJK, emoji, the empty text.
const std::vector<std::u16string>& specialTexts();

ExamDocument randomExam(std::uint32_t seed);

// Every special text as title, author, question and answer of each kind of question.
ExamDocument specialTextsExam();

}  // namespace quizmora::test
