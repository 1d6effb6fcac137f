// Flash-card TSV both ways: a flash-card program's export comes in, malformed rows are
// refused, and what the cards cannot hold is named.

#include "interchange/tsv_format.h"

#include <gtest/gtest.h>

#include "support/interchange_support.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

using test::examOf;
using test::flashCard;
using test::oneChoice;

TEST(TsvRead, FlashCardProgramExport) {
  const std::string bytes = test::readBytes(std::filesystem::path(QZM_TEST_DATA_DIR) /
                                            "interchange/flash_cards_export.tsv");
  InterchangeReport report;
  const std::optional<ExamDocument> exam = readTsv(bytes, report);
  ASSERT_TRUE(exam) << test::errorOf(report);
  EXPECT_EQ(*exam,
            examOf({flashCard(u"to eat", u"comer"), flashCard(u"to be\r\n(permanent)", u"ser"),
                    flashCard(u"casa & hogar", u"")},
                   u"Spanish::Verbs"));
  EXPECT_EQ(test::warningsOf(report), (std::vector<std::string>{"line 6: an image is dropped"}));
}

struct ReadCase {
  const char* name;
  std::string tsv;
  ExamDocument expected;
};

class TsvRead : public testing::TestWithParam<ReadCase> {};

TEST_P(TsvRead, Accepts) {
  InterchangeReport report;
  const std::optional<ExamDocument> exam = readTsv(GetParam().tsv, report);
  ASSERT_TRUE(exam) << test::errorOf(report);
  EXPECT_EQ(*exam, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TsvRead,
    testing::Values(ReadCase{"NoHeaderPlainText", "a &amp; <b>\tb\r\n\r\n# a comment\nc\n",
                             examOf({flashCard(u"a &amp; <b>", u"b"), flashCard(u"c", u"")})},
                    ReadCase{"QuotedTabsQuotesAndBreaks", "\"x\ty \"\"q\"\"\"\t\"1\r\n2\"\n",
                             examOf({flashCard(u"x\ty \"q\"", u"1\r\n2")})},
                    ReadCase{"OtherSeparator", "#separator:Semicolon\n\xC3\xA9;\xF0\x9F\x98\x80\n",
                             examOf({flashCard(u"\u00E9", u"\U0001F600")})}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
  const char* name;
  std::string tsv;
  std::string error;
};

class TsvRefused : public testing::TestWithParam<RefusedCase> {};

TEST_P(TsvRefused, NamesLineAndReason) {
  InterchangeReport report;
  EXPECT_FALSE(readTsv(GetParam().tsv, report));
  EXPECT_EQ(test::errorOf(report), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TsvRefused,
    testing::Values(RefusedCase{"UnclosedQuote", "a\tb\n\"c\nd\te\n",
                                "line 2: a quoted field is not closed"},
                    RefusedCase{"TextAfterQuote", "a\tb\n\"c\"d\te\n",
                                "line 2: text after the closing quotation mark of a field"},
                    RefusedCase{"UnknownSeparator", "#separator:star\na*b\n",
                                "line 1: unknown separator \"star\""},
                    RefusedCase{"NotUtf8", "a\tb\nc\t\xE9\n", "line 2: the text is not UTF-8"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TsvWrite, ChoicesGoOnTheFrontAndLossesAreNamed) {
  ExamDocument exam =
      examOf({oneChoice(u"Capital?", {{u"Paris", 1}, {u"Lyon", 0}}),
              QuestionRecord{QuestionType::MultipleChoice,
                             u"Rivers?",
                             {{u"Seine", 1}, {u"Alps", 0}, {u"Rh\u00F4ne", 1}}},
              flashCard(u"tab\there", u"quote \"q\""), flashCard(u"#not a comment", u"\u4E2D\r\nx"),
              QuestionRecord{QuestionType::FlashCard, u"two backs", {{u"a", 1}, {u"b", 0}}},
              QuestionRecord{QuestionType::FlashCard, u"no back", {}}},
             u"Deck\tone\r\n", u"A");
  InterchangeReport report;
  EXPECT_EQ(writeTsv(exam, report),
            "#separator:tab\n#html:false\n#deck:Deck one\n"
            "\"Capital?\nA) Paris\nB) Lyon\"\tA) Paris\n"
            "\"Rivers?\nA) Seine\nB) Alps\nC) Rh\xC3\xB4ne\"\t\"A) Seine\nC) Rh\xC3\xB4ne\"\n"
            "\"tab\there\"\t\"quote \"\"q\"\"\"\n"
            "\"#not a comment\"\t\"\xE4\xB8\xAD\nx\"\n"
            "two backs\ta\n"
            "no back\t\n");
  EXPECT_EQ(
      test::warningsOf(report),
      (std::vector<std::string>{
          "the author is not kept", "tabs and line breaks in the title become spaces",
          "spaces around the title are dropped",
          "question 1: a one choice question becomes a flash card with its choices on the front",
          "question 2: a multiple choice question becomes a flash card with its choices on "
          "the front",
          "question 5: only the first answer of a flash card is kept",
          "question 6: a flash card without a back comes back with an empty back"}));
}

TEST(TsvRoundTrip, CardsAndDeckComeBack) {
  const ExamDocument exam = examOf({flashCard(u"tab\there", u"quote \"q\""),
                                    flashCard(u"#x", u"\u4E2D\r\n\U0001F600"), flashCard(u"", u"")},
                                   u"Deck \u00E9");
  InterchangeReport report;
  InterchangeReport readReport;
  EXPECT_EQ(readTsv(writeTsv(exam, report), readReport), exam);
  EXPECT_TRUE(report.warnings.empty());
}

}  // namespace
}  // namespace quizmora
