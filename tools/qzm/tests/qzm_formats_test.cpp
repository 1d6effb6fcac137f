// End-to-end tests of qzm with the other tools' formats: choice of format by extension and by
// option, warnings and --strict, malformed input, the printable sheet, `qzm formats`.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "qzm_fixture.h"

namespace quizmora {
namespace {

struct ConvertCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> files;  // written before the run
  std::vector<std::string> arguments;
  int exitCode;
  std::string err;
  std::string output;                      // the file looked at afterwards
  std::optional<std::string> outputBytes;  // its exact content; nullopt: it must not exist
};

class InterchangeConvert : public QzmTest, public testing::TestWithParam<ConvertCase> {};

TEST_P(InterchangeConvert, Runs) {
  const ConvertCase& c = GetParam();
  for (const auto& [name, bytes] : c.files) writeBytes(file(name), bytes);
  const ProcessResult result = qzm(c.arguments);
  EXPECT_EQ(result.exitCode, c.exitCode);
  EXPECT_EQ(result.err, c.err);
  EXPECT_EQ(result.out, "");
  if (c.outputBytes) {
    EXPECT_EQ(readBytes(file(c.output)), *c.outputBytes);
  } else {
    EXPECT_FALSE(fs::exists(file(c.output)));
  }
  // Nothing but the inputs and the output: no temporary file is left behind.
  std::vector<std::string> expected;
  for (const auto& [name, bytes] : c.files) expected.push_back(name);
  if (c.outputBytes && std::find(expected.begin(), expected.end(), c.output) == expected.end()) {
    expected.push_back(c.output);
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(fileNames(), expected);
}

ExamDocument capitals(bool withHeader) {
  ExamDocument exam;
  if (withHeader) {
    exam.header.title = u"Capitals";
    exam.header.mode = ExamMode::ExamOnly;
  }
  exam.questions = {{QuestionType::OneChoice, u"Capital of France?", {{u"Paris", 1}, {u"Lyon", 0}}},
                    {QuestionType::FlashCard, u"Caf\u00E9 {1}", {{u"\u4E2D", 1}}}};
  return exam;
}

const std::string kCapitalsGift =
    "Capital of France? {=Paris ~Lyon}\n\nCaf\xC3\xA9 \\{1\\} {=\xE4\xB8\xAD}\n\n";
const std::string kAiken = "Capital of France?\nA) Paris\nB) Lyon\nANSWER: A\n";

INSTANTIATE_TEST_SUITE_P(
    Table, InterchangeConvert,
    testing::Values(
        ConvertCase{"GiftToExamFile",
                    {{"in.gift", kCapitalsGift}},
                    {"convert", "in.gift", "out.qzm"},
                    0,
                    "",
                    "out.qzm",
                    examFileBytes(capitals(false))},
        ConvertCase{"ExamFileToGiftWarnsOfTheMode",
                    {{"in.qzm", examFileBytes(capitals(true))}},
                    {"convert", "in.qzm", "out.GIFT"},
                    0,
                    "warning: the exam mode 1 is not kept\n",
                    "out.GIFT",
                    "// title: Capitals\n\n" + kCapitalsGift},
        ConvertCase{"TxtNeedsTheFormatNamed",
                    {{"in.txt", kAiken}},
                    {"convert", "in.txt", "out.qzm"},
                    64,
                    "qzm: in.txt may be gift or aiken: name the format with --from\n",
                    "out.qzm",
                    std::nullopt},
        ConvertCase{"FromAndToOverrideExtensions",
                    {{"in.txt", kAiken}},
                    {"convert", "--from", "aiken", "in.txt", "out.dat", "--to", "GIFT"},
                    0,
                    "",
                    "out.dat",
                    "Capital of France? {=Paris ~Lyon}\n\n"},
        ConvertCase{
            "ReaderWarningsNameTheirLine",
            {{"in.gift", "Match {=a -> b =c -> d}\n\nQ {}\n\nMatch {=e -> f =g -> h}\n"}},
            {"convert", "in.gift", "out.qzm"},
            0,
            "warning: lines 1, 5: skipped a matching question\n",
            "out.qzm",
            examFileBytes(ExamDocument{{}, {{QuestionType::FlashCard, u"Q", {{u"", 1}}}}, {}})},
        ConvertCase{"StrictWritesNothing",
                    {{"in.qzm", examFileBytes(capitals(true))}},
                    {"convert", "in.qzm", "out.tsv", "--strict"},
                    3,
                    "warning: the exam mode 1 is not kept\n"
                    "warning: question 1: a one choice question becomes a flash card with its "
                    "choices on the front\n"
                    "qzm: 2 warnings with --strict: nothing written\n",
                    "out.tsv",
                    std::nullopt},
        // Each kind once, its questions as ranges; --strict counts the lines.
        ConvertCase{"WarningsOfAKindOnce",
                    {{"in.gift", "Q {=a ~b}\n\nQ {=a ~b}\n\nQ {=a ~b}\n\nQ {=c}\n\nQ {=a ~b}"}},
                    {"convert", "in.gift", "out.tsv", "--strict"},
                    3,
                    "warning: questions 1-3, 5: a one choice question becomes a flash card with "
                    "its choices on the front\n"
                    "qzm: 1 warning with --strict: nothing written\n",
                    "out.tsv",
                    std::nullopt},
        ConvertCase{"UnknownOutputExtension",
                    {{"in.qzm", examFileBytes(capitals(false))}},
                    {"convert", "in.qzm", "exam.docx"},
                    64,
                    "qzm: unknown extension '.docx' for exam.docx (qzm, json, gift, aiken, csv, "
                    "moodle, qti, tsv, html): name the format with --to\n",
                    "exam.docx",
                    std::nullopt},
        ConvertCase{"NoExtensionIsAnExamFile",
                    {{"in.gift", kCapitalsGift}},
                    {"convert", "in.gift", "exam"},
                    0,
                    "",
                    "exam",
                    examFileBytes(capitals(false))},
        ConvertCase{"StrictWithoutWarningsWrites",
                    {{"in.gift", kCapitalsGift}},
                    {"convert", "in.gift", "out.gift", "--strict"},
                    0,
                    "",
                    "out.gift",
                    kCapitalsGift},
        ConvertCase{"MalformedInputLeavesTheOutput",
                    {{"in.gift", "Q {=a}\n\nBroken {=a\n~b\n"}, {"out.qzm", "old exam"}},
                    {"convert", "in.gift", "out.qzm"},
                    1,
                    "qzm: cannot read in.gift: line 3: \"{\" is not closed\n",
                    "out.qzm",
                    "old exam"},
        ConvertCase{"AikenWithoutAnswerLine",
                    {{"in.txt", "Q?\nA) x\n"}},
                    {"convert", "in.txt", "out.qzm", "--from", "aiken"},
                    1,
                    "qzm: cannot read in.txt: line 1: the question has no \"ANSWER:\" line\n",
                    "out.qzm",
                    std::nullopt},
        ConvertCase{"KeyOnlyForTheSheet",
                    {{"in.qzm", examFileBytes(capitals(false))}},
                    {"convert", "in.qzm", "out.gift", "--key"},
                    64,
                    "qzm: --key applies to the printable sheet (html), not to gift\n",
                    "out.gift",
                    std::nullopt},
        ConvertCase{"VersionsOnlyForTheSheet",
                    {{"in.qzm", examFileBytes(capitals(false))}},
                    {"convert", "in.qzm", "out.gift", "--versions", "2"},
                    64,
                    "qzm: --versions applies to the printable sheet (html), not to gift\n",
                    "out.gift",
                    std::nullopt},
        ConvertCase{"SeedNeedsVersions",
                    {{"in.qzm", examFileBytes(capitals(false))}},
                    {"convert", "in.qzm", "out.html", "--seed", "5"},
                    64,
                    "qzm: --shuffle and --seed apply with --versions\n",
                    "out.html",
                    std::nullopt},
        ConvertCase{"SeedIsAWholeNumber",
                    {{"in.qzm", examFileBytes(capitals(false))}},
                    {"convert", "in.qzm", "out.html", "--versions", "2", "--seed", "-1"},
                    64,
                    "qzm: --seed: '-1' is not a whole number from 0 to 18446744073709551615\n",
                    "out.html",
                    std::nullopt},
        ConvertCase{"SheetCannotBeRead",
                    {{"in.html", "<p>x</p>"}},
                    {"convert", "in.html", "out.qzm"},
                    64,
                    "qzm: qzm cannot read html files\n",
                    "out.qzm",
                    std::nullopt},
        ConvertCase{"UnknownFormatName",
                    {{"in.qzm", examFileBytes(capitals(false))}},
                    {"convert", "in.qzm", "out.pdf", "--to", "pdf"},
                    64,
                    "qzm: unknown format 'pdf' for --to (qzm, json, gift, aiken, csv, moodle, qti, "
                    "tsv, html)\n",
                    "out.pdf",
                    std::nullopt},
        ConvertCase{"OldLayoutNeedsAnExamFile",
                    {{"in.gift", kCapitalsGift}},
                    {"convert", "in.gift", "out.qzm", "--old"},
                    64,
                    "qzm: --old applies to exam files, not to in.gift\n",
                    "out.qzm",
                    std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

class InterchangeTool : public QzmTest, public testing::Test {};

// Out to each format that holds a whole exam, chosen by extension, and back: the exam file
// comes back byte for byte and nothing is warned of.
TEST_F(InterchangeTool, WholeExamFormatsComeBackByteForByte) {
  const std::string original = examFileBytes(capitals(false));
  writeBytes(file("a.qzm"), original);
  for (const char* middle : {"b.gift", "b.csv", "b.json", "bank.xml", "package.zip"}) {
    SCOPED_TRACE(middle);
    const ProcessResult out = qzm({"convert", "a.qzm", middle});
    ASSERT_EQ(out.exitCode, 0) << out.err;
    const ProcessResult back = qzm({"convert", middle, "c.qzm"});
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(out.err + back.err, "");
    EXPECT_TRUE(readBytes(file("c.qzm")) == original);
  }
}

TEST_F(InterchangeTool, SheetWithKeyIsOnePageThatMarksTheAnswers) {
  writeBytes(file("a.qzm"), examFileBytes(capitals(false)));
  ASSERT_EQ(qzm({"convert", "a.qzm", "sheet.html"}).exitCode, 0);
  ASSERT_EQ(qzm({"convert", "a.qzm", "key.htm", "--key"}).exitCode, 0);
  const std::string sheet = readBytes(file("sheet.html"));
  const std::string key = readBytes(file("key.htm"));
  EXPECT_EQ(sheet.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_EQ(sheet.find("Answer key"), std::string::npos);
  EXPECT_NE(key.find("Answer key"), std::string::npos);
  EXPECT_NE(key.find("<b>Answer:</b>\xE4\xB8\xAD"), std::string::npos);
}

// The seed printed on each version makes the same page again; without one, the exam's own.
TEST_F(InterchangeTool, VersionsComeBackFromTheSeedPrintedOnThem) {
  writeBytes(file("a.qzm"), examFileBytes(capitals(false)));
  ASSERT_EQ(qzm({"convert", "a.qzm", "v.html", "--versions", "3", "--key"}).exitCode, 0);
  const std::string page = readBytes(file("v.html"));
  const std::size_t at = page.find("seed ");
  ASSERT_NE(at, std::string::npos);
  const std::string seed = page.substr(at + 5, page.find('<', at) - at - 5);
  const ProcessResult again = qzm({"convert", "a.qzm", "w.html", "--versions", "3", "--key",
                                   "--shuffle", "questions", "--seed", seed});
  ASSERT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(again.err, "");
  EXPECT_TRUE(readBytes(file("w.html")) == page);
  EXPECT_NE(page.find("Version C of 3"), std::string::npos);
}

TEST_F(InterchangeTool, FormatsListsWhatEachKeepsAndLoses) {
  const ProcessResult result = qzm({"formats"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "");
  for (const char* row :
       {"qzm  (.qzm)", "json  (.json)", "gift  (.gift .txt)", "aiken  (.txt)", "csv  (.csv)",
        "moodle  (.xml)", "qti  (.zip)", "tsv  (.tsv)", "html  (.html .htm)"}) {
    EXPECT_NE(("\n" + result.out).find(std::string("\n") + row), std::string::npos) << row;
  }
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 9 * 3 + 1);
}

}  // namespace
}  // namespace quizmora
