// The spreadsheet format both ways: what spreadsheets save comes in (either separator, with or
// without the byte-order mark, quoted line breaks), bad rows are refused with their line, and
// random exams come back whole.

#include "interchange/csv_format.h"

#include <gtest/gtest.h>

#include "support/interchange_support.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

using test::examOf;
using test::flashCard;
using test::multipleChoice;
using test::oneChoice;

TEST(CsvRead, SpreadsheetSavedWithSemicolons) {
  const std::string bytes = test::readBytes(std::filesystem::path(QZM_TEST_DATA_DIR) /
                                            "interchange/spreadsheet_semicolon.csv");
  InterchangeReport report;
  const std::optional<ExamDocument> exam = readCsv(bytes, report);
  ASSERT_TRUE(exam) << test::errorOf(report);
  EXPECT_EQ(*exam, examOf({oneChoice(u"Hauptstadt von \u00D6sterreich?",
                                     {{u"Graz", 0}, {u"Wien", 1}, {u"Linz", 0}}),
                           multipleChoice(u"Welche Zahlen sind gerade?\r\n(alle ankreuzen)",
                                          {{u"2", 1}, {u"3", 0}, {u"4", 1}}),
                           flashCard(u"Was hei\u00DFt \"Baum\"?", u"tree")}));
}

struct ReadCase {
  const char* name;
  std::string csv;
  ExamDocument expected;
};

class CsvRead : public testing::TestWithParam<ReadCase> {};

TEST_P(CsvRead, Accepts) {
  InterchangeReport report;
  const std::optional<ExamDocument> exam = readCsv(GetParam().csv, report);
  ASSERT_TRUE(exam) << test::errorOf(report);
  EXPECT_EQ(*exam, GetParam().expected);
  EXPECT_TRUE(report.warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, CsvRead,
    testing::Values(
        ReadCase{"NoBomLfAndSpacesKept", "type,question,correct\none choice, a ,2, x ,y\n",
                 examOf({oneChoice(u" a ", {{u" x ", 0}, {u"y", 1}})})},
        ReadCase{"EmptyCellBetweenIsAnEmptyAnswer", "Type,Question,Correct\nflash card,Q,,,b\n",
                 examOf({{QuestionType::FlashCard, u"Q", {{u"", 1}, {u"b", 0}}}})},
        ReadCase{"QuotedEmptyAtTheEndIsAnAnswer", "Type,Question,Correct\nflash card,Q,,\"\"\n",
                 examOf({flashCard(u"Q", u"")})},
        ReadCase{"UnquotedEmptyCellsAreNoAnswers", "Type,Question,Correct\nflash card,Q,,,,\n",
                 examOf({{QuestionType::FlashCard, u"Q", {}}})},
        ReadCase{"QuotesSeparatorsAndNonAscii",
                 "Type,Question,Correct,A\r\none choice,\"say \"\"hi\"\", \xF0\x9F\x98\x80\","
                 "1,\"\xE4\xB8\xAD;\r\nx\"\r\n",
                 examOf({oneChoice(u"say \"hi\", \U0001F600", {{u"\u4E2D;\r\nx", 1}})})},
        ReadCase{"HeaderOnly", "Type,Question,Correct,Answer 1\r\n", ExamDocument{}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
  const char* name;
  std::string csv;
  std::string error;
};

class CsvRefused : public testing::TestWithParam<RefusedCase> {};

TEST_P(CsvRefused, NamesLineAndReason) {
  InterchangeReport report;
  EXPECT_FALSE(readCsv(GetParam().csv, report));
  EXPECT_EQ(test::errorOf(report), GetParam().error);
}

constexpr const char* kHeader = "Type,Question,Correct,Answer 1\n";

INSTANTIATE_TEST_SUITE_P(
    Table, CsvRefused,
    testing::Values(
        RefusedCase{"Empty", "",
                    "line 1: the header row Type,Question,Correct,Answer 1,... is missing"},
        RefusedCase{"NoHeader", "one choice,Q,1,a\n",
                    "line 1: the header row must begin with Type, Question, Correct"},
        // The quoted line break in row 2 moves the bad row to line 4.
        RefusedCase{
            "BadTypeAfterMultiLineCell",
            std::string(kHeader) + "flash card,\"a\nb\",,c\ntrue/false,Q,,x\n",
            "line 4: unknown type \"true/false\" (one choice, multiple choice or flash card)"},
        RefusedCase{
            "BadTypeStartingOnALaterLine", std::string(kHeader) + "\"one\nchoice\",Q,1,x\n",
            "line 2: unknown type \"one\nchoice\" (one choice, multiple choice or flash card)"},
        RefusedCase{"CorrectNotNumbers", std::string(kHeader) + "one choice,Q,A,x\n",
                    "line 2: Correct holds \"A\"; it takes answer numbers separated by \";\""},
        RefusedCase{"CorrectZero", std::string(kHeader) + "one choice,Q,0,x\n",
                    "line 2: Correct holds \"0\"; it takes answer numbers separated by \";\""},
        RefusedCase{"CorrectBeyondAnswers", std::string(kHeader) + "one choice,Q,\"1;3\",x,y\n",
                    "line 2: Correct names answer 3 of 2"},
        RefusedCase{"UnclosedQuote", std::string(kHeader) + "one choice,\"Q,1,x\n",
                    "line 2: a quotation mark out of place (a quoted cell not closed, or text "
                    "after its closing mark)"},
        RefusedCase{"TextAfterClosingQuote", std::string(kHeader) + "one choice,\"Q\"x,1,a\n",
                    "line 2: a quotation mark out of place (a quoted cell not closed, or text "
                    "after its closing mark)"},
        RefusedCase{"NotUtf8", std::string(kHeader) + "one choice,\xFF,1,a\n",
                    "line 2: the text is not UTF-8"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvWrite, QuotesWhatNeedsItAndWarnsOfTheHeader) {
  ExamDocument exam = examOf({oneChoice(u"a,b", {{u"x\"y", 0}, {u"", 1}, {u"z;", 1}}),
                              multipleChoice(u"Line\r\nbreak", {{u"1", 1}}),
                              QuestionRecord{static_cast<QuestionType>(9), u"odd", {{u"b", 0}}},
                              flashCard(u"\u00E9", u"\u4E2D")},
                             u"T", u"A");
  exam.header.mode = ExamMode::ExamOnly;
  InterchangeReport report;
  EXPECT_EQ(writeCsv(exam, report),
            "\xEF\xBB\xBFType,Question,Correct,Answer 1,Answer 2,Answer 3\r\n"
            "one choice,\"a,b\",2;3,\"x\"\"y\",\"\",\"z;\"\r\n"
            "multiple choice,\"Line\r\nbreak\",1,1\r\n"
            "flash card,odd,,b\r\n"
            "flash card,\xC3\xA9,,\xE4\xB8\xAD\r\n");
  EXPECT_EQ(test::warningsOf(report),
            (std::vector<std::string>{"the title is not kept", "the author is not kept",
                                      "the exam mode 1 is not kept",
                                      "question 3: question type 9 is written as a flash card",
                                      "question 3: the back of a flash card comes back marked "
                                      "correct"}));
}

TEST(CsvRoundTrip, RandomExamsAndAHundredAnswersComeBackWhole) {
  std::mt19937 random(77);
  for (int round = 0; round < 100; ++round) {
    ExamDocument exam = test::randomExam(random, 10);
    exam.header = ExamHeader{};
    if (round == 0) exam.questions.push_back(test::manyAnswers(QuestionType::MultipleChoice, 100));
    InterchangeReport report;
    InterchangeReport readReport;
    const std::string csv = writeCsv(exam, report);
    EXPECT_TRUE(report.warnings.empty());
    const std::optional<ExamDocument> back = readCsv(csv, readReport);
    ASSERT_TRUE(back) << test::errorOf(readReport);
    EXPECT_EQ(*back, exam) << "round " << round;
  }
}

}  // namespace
}  // namespace quizmora
