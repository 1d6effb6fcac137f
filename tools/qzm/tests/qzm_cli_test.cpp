// End-to-end tests of the qzm tool: each case writes real files into a fresh folder, runs
// the built program on them and looks at its exit code, its output and the files it left.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "format/exam_file_writer.h"
#include "model/exam_document.h"
#include "process_runner.h"
#include "qzm_fixture.h"

namespace quizmora {
namespace {

using Json = nlohmann::ordered_json;

AnswerRecord answer(std::u16string text, std::int32_t isCorrect) {
  return AnswerRecord{std::move(text), isCorrect};
}

QuestionRecord question(QuestionType type, std::u16string text, std::vector<AnswerRecord> answers) {
  return QuestionRecord{type, std::move(text), std::move(answers)};
}

// Markup characters in the header, line breaks and tabs, accents, CJK, a non-BMP character
// and literal references typed by the author.
ExamDocument sampleExam() {
  ExamDocument exam;
  exam.header.title = u"Capitals & <Rivers>";
  exam.header.author = u"Zo\u00EB \"Q\" O'Neil";
  exam.header.mode = ExamMode::ExamOnly;
  exam.questions = {
      question(QuestionType::OneChoice, u"Capital of France?\r\nPick one.",
               {answer(u"Paris", 1), answer(u"Lyon", 0), answer(u"Nice\t(06)", 0)}),
      question(QuestionType::MultipleChoice, u"Which are rivers? \u6CB3",
               {answer(u"Seine", 1), answer(u"Rh\u00F4ne", 1), answer(u"Alps", 0)}),
      question(QuestionType::FlashCard, u"Front \xD83D\xDE00", {answer(u"back", 1)}),
      question(QuestionType::OneChoice, u"typed &lt; and &#a; stay", {answer(u"x > y", 1)}),
  };
  return exam;
}

constexpr const char* kSampleJson = R"json({
  "title": "Capitals & <Rivers>", "author": "Zo\u00eb \"Q\" O'Neil", "mode": 1,
  "questions": [
    {"type": 0, "text": "Capital of France?\r\nPick one.", "answers": [
      {"text": "Paris", "isCorrect": 1}, {"text": "Lyon", "isCorrect": 0},
      {"text": "Nice\t(06)", "isCorrect": 0}]},
    {"type": 1, "text": "Which are rivers? \u6cb3", "answers": [
      {"text": "Seine", "isCorrect": 1}, {"text": "Rh\u00f4ne", "isCorrect": 1},
      {"text": "Alps", "isCorrect": 0}]},
    {"type": 2, "text": "Front \ud83d\ude00", "answers": [{"text": "back", "isCorrect": 1}]},
    {"type": 0, "text": "typed &lt; and &#a; stay", "answers": [
      {"text": "x > y", "isCorrect": 1}]}]})json";

constexpr const char* kEmptyJson =
    R"json({"title": "", "author": "", "mode": 0, "questions": []})json";

// ---------------------------------------------------------------------------------------
// show

struct ShowCase {
  const char* name;
  std::string bytes;
  bool oldFormat;
  const char* json;
};

class ShowTest : public QzmTest, public testing::TestWithParam<ShowCase> {};

TEST_P(ShowTest, PrintsTheExamAsJson) {
  const ShowCase& c = GetParam();
  writeBytes(file("exam.qzm"), c.bytes);
  std::vector<std::string> arguments{"show", "exam.qzm"};
  if (c.oldFormat) arguments.push_back("--old");
  const ProcessResult result = qzm(arguments);
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  ASSERT_FALSE(result.out.empty());
  EXPECT_EQ(result.out.back(), '\n');
  // ordered_json compares keys in order, so this also checks the order of the keys.
  EXPECT_EQ(Json::parse(result.out), Json::parse(c.json)) << result.out;
}

ExamDocument loneSurrogateExam() {
  ExamDocument exam;
  exam.header.title =
      u"\xDC00"
      u"end";
  exam.questions = {question(QuestionType::OneChoice, u"high \xD800 alone",
                             {answer(u"low at end \xDFFF", 1), answer(u"\xD83D", 0)})};
  return exam;
}

ExamDocument emptyExam() { return ExamDocument{}; }

INSTANTIATE_TEST_SUITE_P(
    Table, ShowTest,
    testing::Values(
        ShowCase{"EmptyExam", examFileBytes(emptyExam()), false, kEmptyJson},
        ShowCase{"WrittenExamInDocumentOrder", examFileBytes(sampleExam()), false, kSampleJson},
        ShowCase{"LoneSurrogatesBecomeReplacementCharacters", examFileBytes(loneSurrogateExam()),
                 false,
                 R"json({"title": "\ufffdend", "author": "", "mode": 0, "questions": [
                   {"type": 0, "text": "high \ufffd alone", "answers": [
                     {"text": "low at end \ufffd", "isCorrect": 1},
                     {"text": "\ufffd", "isCorrect": 0}]}]})json"},
        // The file holds the last question and the last answer first.
        ShowCase{"FileOrderIsReversed",
                 utf16le(u"<Exam><Mode>2</Mode><Item><Question>second</Question><Type>1</Type>"
                         u"<Answer><Text>y</Text><IsCorrect>1</IsCorrect></Answer>"
                         u"<Answer><Text>x</Text><IsCorrect>0</IsCorrect></Answer></Item>"
                         u"<Item><Question>first</Question></Item></Exam>"),
                 false,
                 R"json({"title": "", "author": "", "mode": 2, "questions": [
                   {"type": 0, "text": "first", "answers": []},
                   {"type": 1, "text": "second", "answers": [
                     {"text": "x", "isCorrect": 0}, {"text": "y", "isCorrect": 1}]}]})json"},
        ShowCase{"EscapesAreDecoded",
                 utf16le(u"<Exam><Author>R&amp;D &lt;lab&gt;</Author><Title>&quot;T&apos;"
                         u"</Title><Item><Question>a&lt;b&amp;c&#9;d&#d;&#a;e</Question>"
                         u"<Answer><Text>&quot;q&quot; &apos;s&apos; &gt;</Text></Answer>"
                         u"</Item></Exam>"),
                 false,
                 R"json({"title": "\"T'", "author": "R&D <lab>", "mode": 0, "questions": [
                   {"type": 0, "text": "a<b&c\td\r\ne", "answers": [
                     {"text": "\"q\" 's' >", "isCorrect": -1}]}]})json"},
        ShowCase{"NumbersAsStored",
                 utf16le(u"<Exam><Mode>-5</Mode><Item><Question>q</Question><Type>7</Type>"
                         u"<Answer><Text>a</Text><IsCorrect>2</IsCorrect></Answer>"
                         u"<Answer><Text>b</Text></Answer></Item></Exam>"),
                 false,
                 R"json({"title": "", "author": "", "mode": -5, "questions": [
                   {"type": 7, "text": "q", "answers": [
                     {"text": "b", "isCorrect": -1}, {"text": "a", "isCorrect": 0}]}]})json"},
        ShowCase{"NothingAfterNul",
                 utf16le(std::u16string(u"<Exam><Title>kept</Title>") + u'\0' +
                         u"<Author>lost</Author></Exam>"),
                 false, R"json({"title": "kept", "author": "", "mode": 0, "questions": []})json"},
        ShowCase{"OldAccentsAndMode",
                 "<Exam><Author>Ren\xE9</Author><Title>Caf\xE9s</Title><Mode>2</Mode><Item>"
                 "<Question>O\xF9 est le caf\xE9?</Question><Type>1</Type><Answer>"
                 "<Text>L\xE0</Text><IsCorrect>1</IsCorrect></Answer></Item></Exam>",
                 true,
                 R"json({"title": "Caf\u00e9s", "author": "Ren\u00e9", "mode": 2, "questions": [
                   {"type": 1, "text": "O\u00f9 est le caf\u00e9?", "answers": [
                     {"text": "L\u00e0", "isCorrect": 1}]}]})json"},
        ShowCase{"OldEndsAtByte1A",
                 "<Exam><Item><Question>kept</Question></Item>\x1A<Item><Question>lost"
                 "</Question></Item></Exam>",
                 true,
                 R"json({"title": "", "author": "", "mode": 0, "questions": [
                   {"type": 0, "text": "kept", "answers": []}]})json"},
        ShowCase{"OldLineBreaksOnlyAsReferences",
                 "<Exam>\r\n<Item>\r\n<Question>Line1&#13;&#10;Line2 Li\r\nne3&#d;&#a;\t4"
                 "</Question>\r\n</Item>\r\n</Exam>\r\n",
                 true,
                 R"json({"title": "", "author": "", "mode": 0, "questions": [
                   {"type": 0, "text": "Line1\r\nLine2 Line3\r\n4", "answers": []}]})json"},
        // The second byte of a current file is 0x00, where an old file's text ends.
        ShowCase{"CurrentFileReadAsOldIsEmpty", examFileBytes(sampleExam()), true, kEmptyJson}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// convert between exam files and JSON

class ConvertTest : public QzmTest, public testing::Test {};

TEST_F(ConvertTest, ExamToJsonAndBackIsByteIdentical) {
  const std::string original = examFileBytes(sampleExam());
  writeBytes(file("a.qzm"), original);
  ASSERT_EQ(qzm({"convert", "a.qzm", "b.json"}).exitCode, 0);
  EXPECT_EQ(Json::parse(readBytes(file("b.json"))), Json::parse(kSampleJson));
  const ProcessResult back = qzm({"convert", "b.json", "c.qzm"});
  ASSERT_EQ(back.exitCode, 0) << back.err;
  EXPECT_EQ(back.out + back.err, "");
  EXPECT_TRUE(readBytes(file("c.qzm")) == original);
}

TEST_F(ConvertTest, ExamToExamIsByteIdentical) {
  const std::string original = examFileBytes(sampleExam());
  writeBytes(file("a.qzm"), original);
  writeBytes(file("b.qzm"), "an older exam that is replaced");
  const ProcessResult result = qzm({"convert", "a.qzm", "b.qzm"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out + result.err, "");
  EXPECT_TRUE(readBytes(file("b.qzm")) == original);
  EXPECT_EQ(fileNames(), (std::vector<std::string>{"a.qzm", "b.qzm"}));
}

TEST_F(ConvertTest, LenientExamIsWrittenInTheCurrentLayout) {
  // Lower-case names, no IsCorrect, no line structure: read leniently, written exactly.
  writeBytes(file("in.qzm"), utf16le(u"<exam><mode>1</mode><item><question>Q</question>"
                                     u"<answer><text>A</text></answer></ITEM></EXAM>"));
  ASSERT_EQ(qzm({"convert", "in.qzm", "out.qzm"}).exitCode, 0);
  ExamDocument expected;
  expected.header.mode = ExamMode::ExamOnly;
  expected.questions = {question(QuestionType::OneChoice, u"Q", {answer(u"A", 0)})};
  EXPECT_TRUE(readBytes(file("out.qzm")) == examFileBytes(expected));
}

TEST_F(ConvertTest, OldExamBecomesCurrentExam) {
  writeBytes(file("old.txt"),
             "<Exam><Title>Caf\xE9</Title><Mode>2</Mode><Item><Question>"
             "a&#d;&#a;b</Question><Answer><Text>\xE0</Text><IsCorrect>1"
             "</IsCorrect></Answer></Item></Exam>");
  ASSERT_EQ(qzm({"convert", "--old", "old.txt", "new.qzm"}).exitCode, 0);
  ExamDocument expected;
  expected.header.title = u"Caf\u00E9";
  expected.header.mode = ExamMode::LearningOnly;
  expected.questions = {question(QuestionType::OneChoice, u"a\r\nb", {answer(u"\u00E0", 1)})};
  EXPECT_TRUE(readBytes(file("new.qzm")) == examFileBytes(expected));
}

TEST_F(ConvertTest, JsonExtensionIsMatchedWithoutRegardToCase) {
  writeBytes(file("a.qzm"), examFileBytes(sampleExam()));
  ASSERT_EQ(qzm({"convert", "a.qzm", "B.JSON"}).exitCode, 0);
  EXPECT_EQ(Json::parse(readBytes(file("B.JSON"))), Json::parse(kSampleJson));
  ASSERT_EQ(qzm({"convert", "B.JSON", "c.qzm"}).exitCode, 0);
  EXPECT_TRUE(readBytes(file("c.qzm")) == examFileBytes(sampleExam()));
}

struct JsonInputCase {
  const char* name;
  std::string json;
  ExamDocument expected;
};

class JsonInputTest : public QzmTest, public testing::TestWithParam<JsonInputCase> {};

TEST_P(JsonInputTest, WritesTheExam) {
  writeBytes(file("in.json"), GetParam().json);
  const ProcessResult result = qzm({"convert", "in.json", "out.qzm"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out + result.err, "");
  EXPECT_TRUE(readBytes(file("out.qzm")) == examFileBytes(GetParam().expected));
}

ExamDocument examWithHeader(std::u16string title, std::u16string author, std::int32_t mode) {
  ExamDocument exam;
  exam.header.title = std::move(title);
  exam.header.author = std::move(author);
  exam.header.mode = static_cast<ExamMode>(mode);
  return exam;
}

ExamDocument examWithQuestions(std::vector<QuestionRecord> questions) {
  ExamDocument exam;
  exam.questions = std::move(questions);
  return exam;
}

INSTANTIATE_TEST_SUITE_P(
    Table, JsonInputTest,
    testing::Values(
        JsonInputCase{"EmptyObject", "{}", ExamDocument{}},
        JsonInputCase{"OnlyTitle", R"json({"title": "T"})json", examWithHeader(u"T", u"", 0)},
        JsonInputCase{"HeaderWithoutQuestions", R"json({"author": "\u00e9", "mode": 2})json",
                      examWithHeader(u"", u"\u00E9", 2)},
        JsonInputCase{"ExtremeModes", R"json({"mode": -2147483648})json",
                      examWithHeader(u"", u"", -2147483647 - 1)},
        JsonInputCase{"LargestMode", R"json({"mode": 2147483647})json",
                      examWithHeader(u"", u"", 2147483647)},
        JsonInputCase{"QuestionWithoutKeys", R"json({"questions": [{}]})json",
                      examWithQuestions({question(QuestionType::OneChoice, u"", {})})},
        JsonInputCase{
            "AnswerWithoutKeys", R"json({"questions": [{"type": 1, "answers": [{}]}]})json",
            examWithQuestions({question(QuestionType::MultipleChoice, u"", {answer(u"", 0)})})},
        JsonInputCase{
            "UnknownKeysIgnored",
            R"json({"email": "x", "questions": [{"text": "q", "note": 1,
                          "answers": [{"text": "a", "isCorrect": -1, "extra": []}]}]})json",
            examWithQuestions({question(QuestionType::OneChoice, u"q", {answer(u"a", -1)})})},
        JsonInputCase{"NonBmpEscapesAndRawUtf8",
                      "{\"questions\": [{\"text\": \"\\ud83d\\ude00 \xF0\x9F\x98\x80 \xE6\xB2\xB3"
                      "\"}]}",
                      examWithQuestions({question(QuestionType::OneChoice,
                                                  u"\xD83D\xDE00 \xD83D\xDE00 \u6CB3", {})})}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadJsonCase {
  const char* name;
  std::string json;
  const char* reason;  // the end of the error line
};

class BadJsonTest : public QzmTest, public testing::TestWithParam<BadJsonCase> {};

TEST_P(BadJsonTest, IsUnreadableInput) {
  writeBytes(file("in.json"), GetParam().json);
  const ProcessResult result = qzm({"convert", "in.json", "out.qzm"});
  EXPECT_EQ(result.exitCode, 1);
  expectOneErrorLine(result, "qzm: cannot read in.json: ");
  const std::string reason = GetParam().reason;
  EXPECT_EQ(result.err.substr(result.err.size() - reason.size() - 1), reason + "\n");
  EXPECT_EQ(fileNames(), std::vector<std::string>{"in.json"});
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadJsonTest,
    testing::Values(
        BadJsonCase{"NulInQuestionText", R"json({"questions": [{"text": "a\u0000b"}]})json",
                    "questions[0].text holds U+0000, which no exam text can hold"},
        BadJsonCase{"NulInAnswerText",
                    R"json({"questions": [{}, {"answers": [{}, {"text": "\u0000"}]}]})json",
                    "questions[1].answers[1].text holds U+0000, which no exam text can hold"},
        BadJsonCase{"NulInTitle", R"json({"title": "\u0000"})json",
                    "title holds U+0000, which no exam text can hold"},
        BadJsonCase{"TopLevelArray", "[]", "the top level must be an object"},
        BadJsonCase{"TitleNumber", R"json({"title": 5})json", "title must be a string"},
        BadJsonCase{"AuthorNull", R"json({"author": null})json", "author must be a string"},
        BadJsonCase{"ModeString", R"json({"mode": "1"})json",
                    "mode must be a whole number from -2147483648 to 2147483647"},
        BadJsonCase{"ModeFraction", R"json({"mode": 1.5})json",
                    "mode must be a whole number from -2147483648 to 2147483647"},
        BadJsonCase{"ModeAboveRange", R"json({"mode": 2147483648})json",
                    "mode must be a whole number from -2147483648 to 2147483647"},
        BadJsonCase{"ModeBelowRange", R"json({"mode": -2147483649})json",
                    "mode must be a whole number from -2147483648 to 2147483647"},
        BadJsonCase{"QuestionsObject", R"json({"questions": {}})json",
                    "questions must be an array"},
        BadJsonCase{"QuestionNumber", R"json({"questions": [1]})json",
                    "questions[0] must be an object"},
        BadJsonCase{"TypeBoolean", R"json({"questions": [{"type": true}]})json",
                    "questions[0].type must be a whole number from -2147483648 to 2147483647"},
        BadJsonCase{"AnswersString", R"json({"questions": [{"answers": "x"}]})json",
                    "questions[0].answers must be an array"},
        BadJsonCase{"AnswerArray", R"json({"questions": [{"answers": [[]]}]})json",
                    "questions[0].answers[0] must be an object"},
        BadJsonCase{"IsCorrectBoolean",
                    R"json({"questions": [{"answers": [{"isCorrect": true}]}]})json",
                    "questions[0].answers[0].isCorrect must be a whole number from -2147483648 "
                    "to 2147483647"},
        BadJsonCase{"EmptyFile", "",
                    "not valid JSON: parse error at line 1, column 1: syntax error while parsing "
                    "value - unexpected end of input; expected '[', '{', or a literal"},
        BadJsonCase{"Truncated", R"json({"title": )json",
                    "not valid JSON: parse error at line 1, column 11: syntax error while "
                    "parsing value - unexpected end of input; expected '[', '{', or a literal"},
        BadJsonCase{"InvalidUtf8", "{\"title\": \"caf\xE9\"}",
                    "not valid JSON: parse error at line 1, column 16: syntax error while "
                    "parsing value - invalid string: ill-formed UTF-8 byte"},
        BadJsonCase{"LoneSurrogateEscape", R"json({"title": "\ud800"})json",
                    "not valid JSON: parse error at line 1, column 18: syntax error while "
                    "parsing value - invalid string: surrogate U+D800..U+DBFF must be followed "
                    "by U+DC00..U+DFFF"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// failures: input that cannot be read, output that cannot be written, bad usage

struct UnreadableCase {
  const char* name;
  std::vector<std::string> arguments;
  const char* error;
  const char* reason;  // the system's words after the error
};

constexpr const char* kNoFile = "No such file or directory";
constexpr const char* kFolder = "Is a directory";

class UnreadableInputTest : public QzmTest, public testing::TestWithParam<UnreadableCase> {};

TEST_P(UnreadableInputTest, ExitsWithOne) {
  fs::create_directory(file("folder.qzm"));
  const ProcessResult result = qzm(GetParam().arguments);
  EXPECT_EQ(result.exitCode, 1);
  expectOneErrorLine(result, GetParam().error);
  EXPECT_EQ(result.err, std::string(GetParam().error) + ": " + GetParam().reason + "\n");
  EXPECT_EQ(fileNames(), std::vector<std::string>{"folder.qzm"});
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnreadableInputTest,
    testing::Values(
        UnreadableCase{
            "ShowMissing", {"show", "missing.qzm"}, "qzm: cannot open missing.qzm", kNoFile},
        UnreadableCase{
            "ShowOldMissing", {"show", "--old", "x.txt"}, "qzm: cannot open x.txt", kNoFile},
        UnreadableCase{
            "ShowFolder", {"show", "folder.qzm"}, "qzm: cannot open folder.qzm", kFolder},
        UnreadableCase{"ShowOldFolder",
                       {"show", "folder.qzm", "--old"},
                       "qzm: cannot open folder.qzm",
                       kFolder},
        UnreadableCase{"CheckMissing", {"check", "none.qzm"}, "qzm: cannot open none.qzm", kNoFile},
        UnreadableCase{"ConvertMissing",
                       {"convert", "none.qzm", "out.json"},
                       "qzm: cannot open none.qzm",
                       kNoFile},
        UnreadableCase{"ConvertMissingJson",
                       {"convert", "none.json", "out.qzm"},
                       "qzm: cannot open none.json",
                       kNoFile},
        UnreadableCase{"ConvertFolder",
                       {"convert", "folder.qzm", "out.qzm"},
                       "qzm: cannot open folder.qzm",
                       kFolder}),
    [](const auto& info) { return std::string(info.param.name); });

struct UnwritableCase {
  const char* name;
  const char* output;
  off_t fileSizeLimit;  // a limit below the output's size makes writing fail part-way
  const char* reason;   // the system's words
};

class UnwritableOutputTest : public QzmTest, public testing::TestWithParam<UnwritableCase> {};

TEST_P(UnwritableOutputTest, ExitsWithTwoAndLeavesTheOldFile) {
  const UnwritableCase& c = GetParam();
  writeBytes(file("in.qzm"), examFileBytes(sampleExam()));
  fs::create_directory(file("folder.qzm"));
  fs::create_directory(file("folder.json"));
  const fs::path output = file(c.output);
  const bool existing =
      output.has_filename() && !fs::exists(output) && fs::exists(output.parent_path());
  if (existing) writeBytes(output, "previous content");

  ProcessOptions options;
  options.fileSizeLimit = c.fileSizeLimit;
  const ProcessResult result = qzm({"convert", "in.qzm", c.output}, options);
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.err, "qzm: cannot write " + std::string(c.output) + ": " + c.reason + "\n");
  EXPECT_EQ(result.out, "");
  if (existing) {
    EXPECT_EQ(readBytes(output), "previous content");
  }
  // No temporary file is left behind.
  std::vector<std::string> expected{"folder.json", "folder.qzm", "in.qzm"};
  if (existing) expected.push_back(c.output);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(fileNames(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnwritableOutputTest,
    testing::Values(UnwritableCase{"ExamInMissingFolder", "missing/out.qzm", 0, kNoFile},
                    UnwritableCase{"JsonInMissingFolder", "missing/out.json", 0, kNoFile},
                    UnwritableCase{"ExamOverFolder", "folder.qzm", 0, kFolder},
                    UnwritableCase{"JsonOverFolder", "folder.json", 0, kFolder},
                    UnwritableCase{"ExamCutShort", "out.qzm", 100, "File too large"},
                    UnwritableCase{"JsonCutShort", "out.json", 100, "File too large"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConvertTest, FullStandardOutputIsAnOutputFailure) {
  writeBytes(file("a.qzm"), examFileBytes(sampleExam()));
  ProcessOptions options;
  options.standardOutput = "/dev/full";
  const ProcessResult result = qzm({"show", "a.qzm"}, options);
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.err, "qzm: cannot write to standard output\n");
}

struct UsageCase {
  const char* name;
  std::vector<std::string> arguments;
  const char* error;  // the start of the error line
};

class UsageTest : public QzmTest, public testing::TestWithParam<UsageCase> {};

TEST_P(UsageTest, ExitsWith64) {
  writeBytes(file("a.qzm"), examFileBytes(sampleExam()));
  writeBytes(file("a.json"), kSampleJson);
  const ProcessResult result = qzm(GetParam().arguments);
  EXPECT_EQ(result.exitCode, 64);
  expectOneErrorLine(result, GetParam().error);
  EXPECT_EQ(fileNames(), (std::vector<std::string>{"a.json", "a.qzm"}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, UsageTest,
    testing::Values(
        UsageCase{"NoCommand", {}, "qzm: missing command"},
        UsageCase{"UnknownCommand", {"frobnicate", "a.qzm"}, "qzm: unknown command 'frobnicate'"},
        UsageCase{
            "UnknownToolOption", {"--bogus", "show", "a.qzm"}, "qzm: unknown option '--bogus'"},
        UsageCase{"ShowWithoutFile", {"show"}, "qzm: FILE is required"},
        UsageCase{"CheckWithoutFile", {"check", "--old"}, "qzm: FILE is required"},
        UsageCase{"ConvertWithoutOutput", {"convert", "a.qzm"}, "qzm: OUT is required"},
        UsageCase{"ShowTwoFiles",
                  {"show", "a.qzm", "b.qzm"},
                  "qzm: The following argument was not expected: b.qzm"},
        UsageCase{"UnknownOption",
                  {"show", "--bogus", "a.qzm"},
                  "qzm: The following argument was not expected: --bogus"},
        UsageCase{"ServeSizeWithoutNumber",
                  {"serve", "--max-upload", "12X"},
                  "qzm: --max-upload: not a size: 12X"},
        UsageCase{
            "ServeSizeZero", {"serve", "--max-upload", "0K"}, "qzm: --max-upload: not a size"},
        UsageCase{"ServePortOutOfRange", {"serve", "--port", "65536"}, "qzm: --port"},
        UsageCase{"OldWithJsonInput",
                  {"convert", "a.json", "b.qzm", "--old"},
                  "qzm: --old applies to exam files, not to a.json"}),
    [](const auto& info) { return std::string(info.param.name); });

struct HelpCase {
  const char* name;
  std::vector<std::string> arguments;
  std::vector<const char*> mentions;
};

class HelpTest : public QzmTest, public testing::TestWithParam<HelpCase> {};

TEST_P(HelpTest, PrintsUsageAndSucceeds) {
  const ProcessResult result = qzm(GetParam().arguments);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "");
  for (const char* word : GetParam().mentions) {
    EXPECT_NE(result.out.find(word), std::string::npos) << word << " in\n" << result.out;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, HelpTest,
    testing::Values(HelpCase{"Tool", {"--help"}, {"Usage", "show", "convert", "check", "64"}},
                    HelpCase{"ToolShort", {"-h"}, {"Usage", "show", "convert", "check"}},
                    HelpCase{"Show", {"show", "--help"}, {"show", "FILE", "--old"}},
                    HelpCase{"Convert", {"convert", "--help"}, {"convert", "IN", "OUT", "--old"}},
                    HelpCase{"Check", {"check", "-h"}, {"check", "FILE", "--old"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// check

struct CheckCase {
  const char* name;
  std::string bytes;
  bool oldFormat;
  const char* out;
  int exitCode;
};

class CheckTest : public QzmTest, public testing::TestWithParam<CheckCase> {};

TEST_P(CheckTest, ListsBrokenInvariants) {
  writeBytes(file("exam.qzm"), GetParam().bytes);
  std::vector<std::string> arguments{"check", "exam.qzm"};
  if (GetParam().oldFormat) arguments.push_back("--old");
  const ProcessResult result = qzm(arguments);
  EXPECT_EQ(result.exitCode, GetParam().exitCode);
  EXPECT_EQ(result.out, GetParam().out);
  EXPECT_EQ(result.err, "");
}

ExamDocument examWithProblems() {
  ExamDocument exam;
  exam.header.mode = static_cast<ExamMode>(5);
  exam.questions = {
      question(QuestionType::OneChoice, u"fine", {answer(u"a", 0), answer(u"b", 1)}),
      question(QuestionType::MultipleChoice, u"", {answer(u"a", 1)}),
      question(QuestionType::OneChoice, u"no tick", {answer(u"a", 0), answer(u"b", 0)}),
      question(static_cast<QuestionType>(7), u"odd type", {}),
      question(QuestionType::FlashCard, u"card without answers", {}),
      question(QuestionType::MultipleChoice, u"", {}),
      question(static_cast<QuestionType>(-1), u"", {}),
  };
  return exam;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckTest,
    testing::Values(
        CheckCase{"SoundExam", examFileBytes(sampleExam()), false, "", 0},
        CheckCase{"EmptyExam", examFileBytes(emptyExam()), false, "", 0},
        CheckCase{"EveryProblem", examFileBytes(examWithProblems()), false,
                  "exam: unknown exam mode 5 (expected 0, 1 or 2)\n"
                  "question 2: empty question text\n"
                  "question 3: choice question without a correct answer\n"
                  "question 4: unknown question type 7 (expected 0, 1 or 2)\n"
                  "question 6: empty question text\n"
                  "question 6: choice question without a correct answer\n"
                  "question 7: unknown question type -1 (expected 0, 1 or 2)\n"
                  "question 7: empty question text\n",
                  3},
        // Read without IsCorrect an answer holds -1, and only exactly 1 is correct.
        CheckCase{"OnlyOneIsCorrect",
                  utf16le(u"<Exam><Mode>2</Mode><Item><Question>q</Question><Answer><Text>a"
                          u"</Text></Answer><Answer><Text>b</Text><IsCorrect>01</IsCorrect>"
                          u"</Answer></Item></Exam>"),
                  false, "question 1: choice question without a correct answer\n", 3},
        CheckCase{"OldModeOutOfRange",
                  "<Exam><Mode>9</Mode><Item><Question>q</Question><Type>2</Type></Item></Exam>",
                  true, "exam: unknown exam mode 9 (expected 0, 1 or 2)\n", 3},
        CheckCase{"OldSound",
                  "<Exam><Item><Question>q</Question><Answer><Text>a</Text><IsCorrect>1"
                  "</IsCorrect></Answer></Item></Exam>",
                  true, "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quizmora
