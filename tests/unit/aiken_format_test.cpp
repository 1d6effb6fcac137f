// Aiken both ways: what the platforms' importers accept comes in, what they refuse is refused
// with its line, and what cannot be written is named question by question.

#include "interchange/aiken_format.h"

#include <gtest/gtest.h>

#include "support/interchange_support.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

using test::examOf;
using test::flashCard;
using test::multipleChoice;
using test::oneChoice;

TEST(AikenRead, PlatformExport) {
  const std::string bytes = test::readBytes(std::filesystem::path(QZM_TEST_DATA_DIR) /
                                            "interchange/platform_export_aiken.txt");
  InterchangeReport report;
  const std::optional<ExamDocument> exam = readAiken(bytes, report);
  ASSERT_TRUE(exam) << test::errorOf(report);
  EXPECT_EQ(
      *exam,
      examOf({oneChoice(u"Which planet is known as the red planet?",
                        {{u"Venus", 0}, {u"Mars", 1}, {u"Jupiter", 0}, {u"Saturn", 0}}),
              oneChoice(u"Which gas do plants take in\r\nfor photosynthesis?",
                        {{u"Oxygen", 0}, {u"Carbon dioxide", 1}, {u"Nitrogen", 0}}),
              oneChoice(u"Wer schrieb \u201EFaust\u201C?", {{u"Schiller", 0}, {u"Goethe", 1}})}));
  EXPECT_TRUE(report.warnings.empty());
}

struct ReadCase {
  const char* name;
  std::string aiken;
  ExamDocument expected;
};

class AikenRead : public testing::TestWithParam<ReadCase> {};

TEST_P(AikenRead, Accepts) {
  InterchangeReport report;
  const std::optional<ExamDocument> exam = readAiken(GetParam().aiken, report);
  ASSERT_TRUE(exam) << test::errorOf(report);
  EXPECT_EQ(*exam, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AikenRead,
    testing::Values(ReadCase{"BomCrLfAndBlankLines",
                             "\xEF\xBB\xBFQ?\r\n\r\nA) x\r\n\r\nB) y\r\nANSWER: A\r\n",
                             examOf({oneChoice(u"Q?", {{u"x", 1}, {u"y", 0}})})},
                    ReadCase{"TabAfterLetterAndEmptyChoice", "Q\nA.\tx\nB.\nANSWER:B",
                             examOf({oneChoice(u"Q", {{u"x", 0}, {u"", 1}})})},
                    // A first line that looks like a choice is the question itself.
                    ReadCase{"QuestionLooksLikeAChoice", "A) or B)?\nA) A\nB) B\nANSWER: A",
                             examOf({oneChoice(u"A) or B)?", {{u"A", 1}, {u"B", 0}})})},
                    ReadCase{"Empty", "", ExamDocument{}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
  const char* name;
  std::string aiken;
  std::string error;
};

class AikenRefused : public testing::TestWithParam<RefusedCase> {};

TEST_P(AikenRefused, NamesLineAndReason) {
  InterchangeReport report;
  EXPECT_FALSE(readAiken(GetParam().aiken, report));
  EXPECT_EQ(test::errorOf(report), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AikenRefused,
    testing::Values(RefusedCase{"NoAnswerLine", "Q1\nA) x\nANSWER: A\n\nQ2\nA) x\nB) y\n",
                                "line 5: the question has no \"ANSWER:\" line"},
                    RefusedCase{"AnswerNamesNoChoice", "Q\nA) x\nB) y\nANSWER: C",
                                "line 4: \"ANSWER: C\" names none of the choices"},
                    RefusedCase{"SeveralLetters", "Q\nA) x\nB) y\nANSWER: A, B",
                                "line 4: \"ANSWER: A, B\" names none of the choices"},
                    RefusedCase{"LettersOutOfOrder", "Q\nA) x\nC) y\nANSWER: A",
                                "line 3: choice C where choice B was expected"},
                    RefusedCase{"TextBetweenChoices", "Q\nA) x\nmore\nB) y\nANSWER: A",
                                "line 3: expected a choice (\"B) ...\") or \"ANSWER:\""},
                    RefusedCase{"LowercaseLetterIsNotAChoice", "Q\na) x\nANSWER: A",
                                "line 3: \"ANSWER:\" without a question and its choices"},
                    RefusedCase{"AnswerWithoutQuestion", "ANSWER: A",
                                "line 1: \"ANSWER:\" without a question and its choices"},
                    RefusedCase{"NotUtf8", "Q\nA) \xC3\nANSWER: A",
                                "line 2: the text is not UTF-8"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AikenWrite, WritesWhatFitsAndNamesWhatIsLost) {
  ExamDocument exam =
      examOf({oneChoice(u"Caf\u00E9 \u4E2D\r\nline", {{u"\U0001F600", 0}, {u" b ", 1}}),
              multipleChoice(u"M", {{u"a", 1}, {u"b", 0}}),
              multipleChoice(u"M2", {{u"a", 1}, {u"b", 1}}), oneChoice(u"none", {{u"a", 0}}),
              flashCard(u"F", u"b"), test::manyAnswers(QuestionType::OneChoice, 27),
              oneChoice(u"", {{u"a", 1}}), oneChoice(u"answer: x", {{u"a", 1}})},
             u"T", u"A");
  InterchangeReport report;
  EXPECT_EQ(writeAiken(exam, report),
            "Caf\xC3\xA9 \xE4\xB8\xAD line\nA. \xF0\x9F\x98\x80\nB. b\nANSWER: B\n\n"
            "M\nA. a\nB. b\nANSWER: A\n\n");
  EXPECT_EQ(test::warningsOf(report),
            (std::vector<std::string>{
                "the title is not kept", "the author is not kept",
                "question 1: line breaks in the question text become spaces",
                "question 1: spaces around answer 2 are dropped",
                "question 2: a multiple choice question comes back as one choice",
                "question 3: a multiple choice question with 2 correct answers is skipped",
                "question 4: a one choice question with 0 correct answers is skipped",
                "question 5: a flash card is skipped",
                "question 6: a question with more than 26 answers is skipped",
                "question 7: a question without text is skipped",
                "question 8: a question whose text starts with \"ANSWER:\" is skipped"}));
}

TEST(AikenRoundTrip, TwentySixChoicesComeBack) {
  QuestionRecord question = test::manyAnswers(QuestionType::OneChoice, 26);
  for (AnswerRecord& answer : question.answers) answer.isCorrect = 0;
  question.answers[25].isCorrect = 1;
  const ExamDocument exam = examOf({question});
  InterchangeReport report;
  InterchangeReport readReport;
  EXPECT_EQ(readAiken(writeAiken(exam, report), readReport), exam);
  EXPECT_TRUE(report.warnings.empty());
}

}  // namespace
}  // namespace quizmora
