// GIFT both ways: what a learning platform's export brings in, what is refused, the exact text
// written, and random exams that come back as they went out wherever no warning was given.

#include "interchange/gift_format.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "interchange/interchange_text.h"
#include "support/interchange_support.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

using test::examOf;
using test::flashCard;
using test::multipleChoice;
using test::oneChoice;

struct ReadCase {
  const char* name;
  std::string gift;
  ExamDocument expected;
  std::vector<std::string> warnings;
};

class GiftRead : public testing::TestWithParam<ReadCase> {};

TEST_P(GiftRead, BringsInTheQuestions) {
  InterchangeReport report;
  const std::optional<ExamDocument> exam = readGift(GetParam().gift, report);
  ASSERT_TRUE(exam) << test::errorOf(report);
  EXPECT_EQ(*exam, GetParam().expected);
  EXPECT_EQ(test::warningsOf(report), GetParam().warnings);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GiftRead,
    testing::Values(
        // Without a '=' answer the learner may tick several; weight > 0 is correct.
        ReadCase{
            "WeightsMakeMultipleChoice",
            "Rivers?{~%50%Seine ~%50%Rh\xC3\xB4ne ~%-100%Alps}",
            examOf({multipleChoice(u"Rivers?", {{u"Seine", 1}, {u"Rh\u00F4ne", 1}, {u"Alps", 0}})}),
            {}},
        ReadCase{"EqualsWithWeightsIsOneChoice",
                 "Q {=a ~%25%b ~c}",
                 examOf({oneChoice(u"Q", {{u"a", 1}, {u"b", 1}, {u"c", 0}})}),
                 {}},
        ReadCase{"TrueFalse",
                 "Flat? {F}\n\nRound? {TRUE#yes#no}",
                 examOf({oneChoice(u"Flat?", {{u"True", 0}, {u"False", 1}}),
                         oneChoice(u"Round?", {{u"True", 1}, {u"False", 0}})}),
                 {}},
        ReadCase{"ShortAnswerFirstAcceptedIsTheBack",
                 "Two? {=%0%zwei =two =deux}",
                 examOf({flashCard(u"Two?", u"two")}),
                 {}},
        ReadCase{
            "EssayIsACardWithEmptyBack", "Tell me. {}", examOf({flashCard(u"Tell me.", u"")}), {}},
        ReadCase{
            "Escapes",
            "a\\~b \\= \\# \\{x\\} \\: \\\\ \\n\\q {=\\~\\=\\#\\{\\}\\:\\\\ ~plain}",
            examOf({oneChoice(u"a~b = # {x} : \\ \r\n\\q", {{u"~=#{}:\\", 1}, {u"plain", 0}})}),
            {}},
        ReadCase{"NonAsciiAndBom",
                 "\xEF\xBB\xBF\xE4\xB8\xAD? {=\xF0\x9F\x98\x80 ~caf\xC3\xA9}",
                 examOf({oneChoice(u"\u4E2D?", {{u"\U0001F600", 1}, {u"caf\u00E9", 0}})}),
                 {}},
        ReadCase{"EmptyTexts", "{= ~}", examOf({oneChoice(u"", {{u"", 1}, {u"", 0}})}), {}},
        // A comment is not GIFT text: no escapes.
        ReadCase{"TitleAndAuthorComments",
                 "// title: Caf\xC3\xA9 \\{1\\}\\n{x} \n//author:Ann\n// other\n\nQ {}",
                 examOf({flashCard(u"Q", u"")}, u"Caf\u00E9 \\{1\\}\\n{x} ", u"Ann"),
                 {}},
        ReadCase{"WeightOfAWrongAnswerKeepsItsPercent",
                 "Q {=a ~%0%%50 off}",
                 examOf({oneChoice(u"Q", {{u"a", 1}, {u"%50 off", 0}})}),
                 {}},
        ReadCase{"SkippedKindsNameTheirLine",
                 "Match {=a -> 1 =b -> 2}\n\n\nSum? {#4:0}\n\nJust words.\n\nKept {}",
                 examOf({flashCard(u"Kept", u"")}),
                 {"line 1: skipped a matching question", "line 4: skipped a numerical question",
                  "line 6: skipped a description (text without answers)"}},
        ReadCase{"HtmlTextBecomesPlain",
                 "[html]<p>A &lt;b&gt; &amp; <i>c</i></p><p>d<br/>e<img src=x></p>{}",
                 examOf({flashCard(u"A <b> & c\r\nd\r\ne", u"")}),
                 {"line 1: an image in the question text is dropped"}},
        // An answer's own marker, else its question's format.
        ReadCase{
            "AnswerFormats",
            "Q {~[plain]blue =[markdown] *red* ~[html]<b>x</b> ~[moodle]<b>y</b>}\n\n"
            "[html]<p>Gas?</p>{=<p>Argon</p> ~[plain]<p>Neon</p> ~a<img src\\=y>}\n\n"
            "[html]Q {=<i>back</i>}",
            examOf({oneChoice(u"Q", {{u"blue", 0}, {u"*red*", 1}, {u"x", 0}, {u"<b>y</b>", 0}}),
                    oneChoice(u"Gas?", {{u"Argon", 1}, {u"<p>Neon</p>", 0}, {u"a", 0}}),
                    flashCard(u"Q", u"back")}),
            {"line 3: an image in an answer is dropped"}},
        ReadCase{"OtherFormatsAreText",
                 "[markdown]*b* {}\n\n[plain]//x {}",
                 examOf({flashCard(u"*b*", u""), flashCard(u"//x", u"")}),
                 {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GiftRead, PlatformExport) {
  const std::string bytes = test::readBytes(std::filesystem::path(QZM_TEST_DATA_DIR) /
                                            "interchange/platform_export.gift");
  InterchangeReport report;
  const std::optional<ExamDocument> exam = readGift(bytes, report);
  ASSERT_TRUE(exam) << test::errorOf(report);
  EXPECT_EQ(*exam,
            examOf({oneChoice(u"Which river is the longest in\u00A0Europe?",
                              {{u"Volga", 1}, {u"Danube", 0}, {u"Rhine", 0}}),
                    multipleChoice(u"Which cities are capitals?",
                                   {{u"Paris", 1}, {u"Madrid", 1}, {u"Barcelona", 0}}),
                    oneChoice(u"The Earth is flat.", {{u"True", 0}, {u"False", 1}}),
                    flashCard(u"Water boils at sea level at how many degrees Celsius?", u"100"),
                    flashCard(u"Describe the water cycle in your own words.", u""),
                    oneChoice(u"The Danube flows into the _____ Sea.",
                              {{u"Black", 1}, {u"Red", 0}, {u"White", 0}})}));
  EXPECT_EQ(test::warningsOf(report),
            (std::vector<std::string>{"line 6: an image in the question text is dropped",
                                      "line 25: skipped a matching question",
                                      "line 30: skipped a numerical question",
                                      "line 34: skipped a description (text without answers)"}));
}

struct RefusedCase {
  const char* name;
  std::string gift;
  std::string error;
};

class GiftRefused : public testing::TestWithParam<RefusedCase> {};

TEST_P(GiftRefused, NamesLineAndReason) {
  InterchangeReport report;
  EXPECT_FALSE(readGift(GetParam().gift, report));
  EXPECT_EQ(test::errorOf(report), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GiftRefused,
    testing::Values(RefusedCase{"UnclosedBrace", "Fine {=a}\n\nBroken {=a ~b\n~c",
                                "line 3: \"{\" is not closed"},
                    RefusedCase{"CloseWithoutOpen", "Q =a}", "line 1: \"}\" without \"{\""},
                    RefusedCase{"NestedBrace", "Q {=a {~b}", "line 1: \"{\" inside an answer list"},
                    RefusedCase{"UnclosedName", "::name Q {=a}",
                                "line 1: the question name is not closed with \"::\""},
                    RefusedCase{"WeightNotANumber", "Q {~%half%a ~b}",
                                "line 1: the answer weight %half% is not a number"},
                    RefusedCase{"WeightNotClosed", "Q {~%50a ~b}",
                                "line 1: an answer weight is not closed with %"},
                    RefusedCase{"SingleChoice", "Q {=a ~b}\n\nQ {~only}",
                                "line 3: a multiple choice question needs at least two answers"},
                    RefusedCase{"SingleWeightedChoice", "Q {~%100%only#fine}",
                                "line 1: a multiple choice question needs at least two answers"},
                    RefusedCase{"NotUtf8", "\n\nQ\xE9 {=a}", "line 3: the text is not UTF-8"},
                    RefusedCase{"NotUtf8InTitle", "// title: \xFF\nQ {}",
                                "line 1: the text is not UTF-8"}),
    [](const auto& info) { return std::string(info.param.name); });

struct WriteCase {
  const char* name;
  ExamDocument exam;
  std::string gift;
  std::vector<std::string> warnings;
};

class GiftWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(GiftWrite, WritesTheTextAndWarnsOfLosses) {
  InterchangeReport report;
  EXPECT_EQ(writeGift(GetParam().exam, report), GetParam().gift);
  EXPECT_EQ(test::warningsOf(report), GetParam().warnings);
}

ExamDocument withMode(ExamDocument exam) {
  exam.header.mode = ExamMode::LearningOnly;
  return exam;
}

INSTANTIATE_TEST_SUITE_P(
    Table, GiftWrite,
    testing::Values(
        WriteCase{"Kinds",
                  examOf({oneChoice(u"Q1", {{u"a", 1}, {u"b", 0}}),
                          multipleChoice(u"Q2", {{u"a", 1}, {u"b", 1}, {u"c", 1}, {u"d", 0}}),
                          flashCard(u"Q3", u"back"), flashCard(u"Q4", u"")},
                         u"Semantics: A/B & <C> {1}", u"A"),
                  "// title: Semantics: A/B & <C> {1}\n// author: A\n\nQ1 {=a ~b}\n\n"
                  "Q2 {~%33.33333%a ~%33.33333%b ~%33.33333%c ~%-100%d}\n\nQ3 {=back}\n\nQ4 {}\n\n",
                  {}},
        WriteCase{
            "SpecialCharacters",
            examOf({oneChoice(u"a~b=c#d{e}f:g\\h\r\ni",
                              {{u"%x", 0}, {u"=", 1}, {u"[html]<i>literal</i>", 0}}),
                    flashCard(u"[x] //", u"%y"), flashCard(u"//c", u"[plain]z")}),
            "a\\~b\\=c\\#d\\{e\\}f\\:g\\\\h\\ni {~%0%%x =\\= ~[moodle][html]<i>literal</i>}\n\n"
            "[moodle][x] // {=%100%%y}\n\n[moodle]//c {=[moodle][plain]z}\n\n",
            {}},
        // Weights off the platforms' grade list would make the whole import fail.
        WriteCase{"SharesFromTheGradeList",
                  examOf({test::manyAnswers(QuestionType::MultipleChoice, 22)}),
                  "Which? {~%10%answer 1 ~%-100%answer 2 ~%10%answer 3 ~%-100%answer 4 ~%10%answer "
                  "5 ~%-100%answer 6 ~%10%answer 7 ~%-100%answer 8 ~%10%answer 9 ~%-100%answer 10 "
                  "~%10%answer 11 ~%-100%answer 12 ~%10%answer 13 ~%-100%answer 14 ~%10%answer 15 "
                  "~%-100%answer 16 ~%10%answer 17 ~%-100%answer 18 ~%5%answer 19 ~%-100%answer "
                  "20 ~%5%answer 21 ~%-100%answer 22}\n\n",
                  {"question 1: the correct answers get shares of 10% and 5%, as the platforms' "
                   "grades cannot split 100% into 11 equal shares"}},
        WriteCase{
            "Losses",
            withMode(examOf({oneChoice(u" Q ", {{u"a", 0}, {u"b\t", 0}}),
                             oneChoice(u"Q", {{u"a", 1}}), multipleChoice(u"Q", {}),
                             QuestionRecord{
                                 static_cast<QuestionType>(7), u"Q", {{u"a -> b", 1}, {u"c", 0}}},
                             multipleChoice(u"Q", {{u"a", 1}}), oneChoice(u"Q", {{u"a", 0}})},
                            u"", u"A\r\nB")),
            "// author: A B\n\n Q  {~a ~b\t}\n\nQ {=a}\n\nQ {}\n\nQ {=a -> b}\n\n",
            {"the exam mode 2 is not kept", "a line break in the author becomes a space",
             "question 1: spaces around the question text are dropped",
             "question 1: spaces around answer 2 are dropped",
             "question 1: a one choice question without a correct answer comes back as "
             "multiple choice",
             "question 2: a one choice question without a wrong answer comes back as a "
             "flash card",
             "question 3: a choice question without answers comes back as a flash card",
             "question 4: question type 7 is written as a flash card",
             "question 4: only the first answer of a flash card is kept",
             "question 4: \"->\" in the back makes it a matching question, which is skipped",
             "question 5: skipped a choice question with a single answer, which learning "
             "platforms refuse",
             "question 6: skipped a choice question with a single answer, which learning "
             "platforms refuse"}}),
    [](const auto& info) { return std::string(info.param.name); });

ExamDocument readBack(const ExamDocument& exam, InterchangeReport& report) {
  InterchangeReport readReport;
  std::optional<ExamDocument> back = readGift(writeGift(exam, report), readReport);
  EXPECT_TRUE(back) << test::errorOf(readReport);
  return back.value_or(ExamDocument{});
}

TEST(GiftRoundTrip, HundredAnswers) {
  const ExamDocument exam = examOf({test::manyAnswers(QuestionType::OneChoice, 100),
                                    test::manyAnswers(QuestionType::MultipleChoice, 100)});
  InterchangeReport report;
  EXPECT_EQ(readBack(exam, report), exam);
  EXPECT_EQ(test::warningsOf(report),
            std::vector<std::string>{"question 2: each correct answer gets 5%, the platforms' "
                                     "smallest grade, together more than 100%"});
}

// Found by fuzzing: a text opening the file with U+FEFF is not taken for the byte-order mark,
// and a leading '%' of a lone correct answer is not taken for a weight.
TEST(GiftRoundTrip, LeadingByteOrderMarkAndPercent) {
  const ExamDocument exam =
      examOf({oneChoice(u"\uFEFFQ", {{u"a", 1}, {u"b", 0}}), oneChoice(u"Q", {{u"%x", 1}})});
  InterchangeReport report;
  EXPECT_EQ(readBack(exam, report), examOf({exam.questions[0], flashCard(u"Q", u"%x")}));
  EXPECT_EQ(test::warningsOf(report),
            (std::vector<std::string>{"question 2: a one choice question without a wrong answer "
                                      "comes back as a flash card"}));
}

// A text that begins with a format marker keeps it, whatever the question's kind.
TEST(GiftRoundTrip, TextsBeginningWithEveryMarker) {
  std::vector<QuestionRecord> questions;
  for (std::u16string marker : {u"[plain]", u"[html]", u"[markdown]", u"[moodle]"}) {
    questions.push_back(oneChoice(marker + u"<b>q</b>", {{marker + u"a", 1}, {marker, 0}}));
    questions.push_back(multipleChoice(marker, {{marker + u"%a", 1}, {marker + u" b", 0}}));
    questions.push_back(flashCard(marker + u"[html]", marker + u"&lt;"));
  }
  const ExamDocument exam = examOf(questions, u"[html]t", u"[plain]a");
  InterchangeReport report;
  EXPECT_EQ(readBack(exam, report), exam);
  EXPECT_EQ(test::warningsOf(report), std::vector<std::string>{});
}

// Every question the writer says nothing about comes back equal; the header likewise.
TEST(GiftRoundTrip, RandomExamsComeBackWhereNoWarningWasGiven) {
  std::mt19937 random(20261207);
  int unwarned = 0;
  for (int round = 0; round < 200; ++round) {
    ExamDocument exam = test::randomExam(random, 8);
    InterchangeReport report;
    const ExamDocument back = readBack(exam, report);
    // A question the writer said would be skipped is not there to compare.
    std::vector<bool> warned(exam.questions.size() + 1, false);
    std::vector<std::size_t> kept;
    for (const InterchangeNote& note : report.warnings) {
      warned[static_cast<std::size_t>(note.question)] = true;
    }
    for (std::size_t i = 0; i < exam.questions.size(); ++i) {
      const bool skipped = std::any_of(report.warnings.begin(), report.warnings.end(),
                                       [&](const InterchangeNote& note) {
                                         return note.question == static_cast<int>(i + 1) &&
                                                note.text.find("skipped") != std::string::npos;
                                       });
      if (!skipped) kept.push_back(i);
    }
    InterchangeReport ignored;
    ASSERT_EQ(back.questions.size(), kept.size()) << writeGift(exam, ignored);
    for (std::size_t k = 0; k < kept.size(); ++k) {
      if (warned[kept[k] + 1]) continue;
      ++unwarned;
      EXPECT_EQ(back.questions[k], exam.questions[kept[k]])
          << "round " << round << " question " << kept[k] + 1;
    }
    // A line break in a header comment becomes a space (said, and checked, elsewhere).
    for (auto field : {&ExamHeader::title, &ExamHeader::author}) {
      if (!hasLineBreak(exam.header.*field)) {
        EXPECT_EQ(back.header.*field, exam.header.*field);
      }
    }
  }
  EXPECT_GT(unwarned, 600);  // a good share of the 1,600 questions needs no warning
}

}  // namespace
}  // namespace quizmora
