// Add Questions from Other Tools, Export to Other Tools and the printable sheets against the
// in-memory form and real temporary files: one row per rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/fake_question_form.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

using test::EditorBench;

enum class Command { Add, Export, Sheet, SheetWithAnswers };

constexpr char kGift[] =
    "// title: Rivers\n// author: Ann\n"
    "Longest river? {=Nile ~Rhine}\n\n"
    "Rivers of Europe? {~%50%Rhine ~%50%Danube ~%-100%Nile}\n";
constexpr char kGiftWithMatching[] = "First? {=a ~b}\n\nMatch {=x -> 1 =y -> 2}\n\nLast? {=c ~d}\n";
constexpr char kAiken[] = "Largest ocean?\nA) Pacific\nB) Indian\nANSWER: A\n";

struct ExchangeCase {
  const char* name;
  Command command;
  bool examBefore;           // the exam holds "Q1" titled "Mine", else nothing
  const char* existingName;  // a file in the folder before the command ("": none)
  const char* existingBytes;
  std::u16string typed;  // in the dialog's name box, inside the folder
  const char* format;    // the dialog entry selected: its format ("": the first)
  std::vector<MessageAnswer> replies;
  // Expected. In messages "$" stands for the folder.
  bool done;
  std::vector<std::u16string> messages;
  int questions;            // in the exam afterwards
  std::u16string title;     // of the exam afterwards
  std::u16string caption;   // of the form afterwards ("" : not checked)
  const char* writtenName;  // "": nothing new or changed in the folder
  const char* writtenHas;   // a piece of what it holds
};

const std::u16string kAddRefused = u"Cannot add the questions from $/in.gift:\n";
const std::u16string kMatchingSkipped = u"line 3: skipped a matching question\n\n";
const std::u16string kReplace = u"$/out.gift already exists.\nDo you want to replace it?";

// One row a group of lines: the command and what it finds, then what it leaves.
// clang-format off
const ExchangeCase kCases[] = {
    {"AddToEmptyExamTakesTitle", Command::Add, false, "in.gift", kGift, u"in.gift", "", {},
     true, {}, 2, u"Rivers", u"Question #1", "", ""},
    {"AddAppendsAfterTheLast", Command::Add, true, "in.gift", kGift, u"in.gift", "", {},
     true, {}, 3, u"Mine", u"Question #2", "", ""},
    {"TxtUnderAllIsAikenByContent", Command::Add, false, "in.txt", kAiken, u"in.txt", "", {},
     true, {}, 1, u"", u"Question #1", "", ""},
    {"WarningsYesAdds", Command::Add, false, "in.gift", kGiftWithMatching, u"in.gift", "",
     {MessageAnswer::Yes},
     true, {kMatchingSkipped + u"Add the questions anyway?"}, 2, u"", u"", "", ""},
    {"WarningsNoChangesNothing", Command::Add, true, "in.gift", kGiftWithMatching, u"in.gift",
     "", {MessageAnswer::No},
     false, {kMatchingSkipped + u"Add the questions anyway?"}, 1, u"Mine", u"", "", ""},
    {"RefusedFileNamesItsLine", Command::Add, true, "in.gift", "Q? {=a\n", u"in.gift", "", {},
     false, {kAddRefused + u"line 1: \"{\" is not closed"}, 1, u"Mine", u"", "", ""},
    {"SelectedEntryDecidesTheFormat", Command::Add, true, "in.gift", kGift, u"in.gift", "aiken",
     {},
     false, {kAddRefused + u"line 1: the question has no \"ANSWER:\" line"}, 1, u"Mine", u"",
     "", ""},
    {"MissingFileGivesTheSystemsReason", Command::Add, true, "", "", u"in.gift", "", {},
     false, {kAddRefused + u"No such file or directory"}, 1, u"Mine", u"", "", ""},
    {"ExportAppendsTheEntrysExtension", Command::Export, true, "", "", u"out", "gift", {},
     true, {}, 1, u"Mine", u"", "out.gift", "Q1"},
    {"ExportKeepsAnExtensionOfTheEntry", Command::Export, true, "", "", u"out.TXT", "gift", {},
     true, {}, 1, u"Mine", u"", "out.TXT", "Q1"},
    {"ExportReplacesAfterYes", Command::Export, true, "out.gift", "old", u"out", "gift",
     {MessageAnswer::Yes},
     true, {kReplace}, 1, u"Mine", u"", "out.gift", "Q1"},
    {"ExportNoKeepsTheFile", Command::Export, true, "out.gift", "old", u"out", "gift",
     {MessageAnswer::No},
     false, {kReplace}, 1, u"Mine", u"", "out.gift", "old"},
    {"ExportWarningsNoWritesNothing", Command::Export, true, "", "", u"out.txt", "aiken",
     {MessageAnswer::No},
     false, {u"the title is not kept\nquestion 1: a multiple choice question with 2 correct "
             u"answers is skipped\n\nExport anyway?"}, 1, u"Mine", u"", "", ""},
    {"ExportWriteFailureLeavesNoFile", Command::Export, true, "", "", u"nowhere/out.gift",
     "gift", {},
     false, {u"Cannot export the exam to $/nowhere/out.gift:\nNo such file or directory"}, 1,
     u"Mine", u"", "", ""},
    {"SheetWithAnswersMarksThem", Command::SheetWithAnswers, true, "", "", u"key.html", "", {},
     true, {}, 1, u"Mine", u"", "key.html", "Answer key"},
};
// clang-format on

// "$/" is the folder with its separator.
std::u16string placed(std::u16string text, const std::u16string& folder) {
  for (std::size_t at = text.find(u"$/"); at != std::u16string::npos; at = text.find(u"$/", at)) {
    text.replace(at, 2, folder);
    at += folder.size();
  }
  return text;
}

class ExchangeCommandsTest : public testing::TestWithParam<ExchangeCase> {};

TEST_P(ExchangeCommandsTest, FollowsTheRule) {
  const ExchangeCase& c = GetParam();
  test::TempDir dir;
  const std::u16string folder = (dir / u"").u16string();
  if (*c.existingName) test::writeBytes(dir.path() / c.existingName, c.existingBytes);
  EditorBench bench;
  if (c.examBefore) {
    bench.document.header.title = u"Mine";
    bench.load({test::choice(u"Q1", {{u"a", 1}, {u"b", 1}}, QuestionType::MultipleChoice)});
  }
  bench.document.filePath = u"/exams/mine.qzm";
  bench.dialogs.paths = {(dir / c.typed).u16string()};
  const ExchangeChoices offered = c.command == Command::Export ? formatsToExport() : formatsToAdd();
  const auto entry = std::find(offered.formats.begin(), offered.formats.end(),
                               *c.format ? formatNamed(c.format) : offered.formats.front());
  ASSERT_NE(entry, offered.formats.end());
  bench.dialogs.filters = {static_cast<std::size_t>(entry - offered.formats.begin())};
  bench.form.replies = {c.replies.begin(), c.replies.end()};

  bool done = false;
  switch (c.command) {
    case Command::Add:
      done = bench.exchange.addQuestions();
      break;
    case Command::Export:
      done = bench.exchange.exportExam();
      break;
    case Command::Sheet:
    case Command::SheetWithAnswers:
      done = bench.exchange.printSheet(c.command == Command::SheetWithAnswers).has_value();
      break;
  }

  EXPECT_EQ(done, c.done);
  std::vector<std::u16string> messages;
  for (const FormMessage& shown : bench.form.shown) messages.push_back(shown.text);
  std::vector<std::u16string> expected;
  for (const std::u16string& text : c.messages) expected.push_back(placed(text, folder));
  EXPECT_EQ(messages, expected);
  EXPECT_EQ(bench.document.questionCount(), c.questions);
  EXPECT_EQ(bench.document.header.title, c.title);
  if (!c.caption.empty()) {
    EXPECT_EQ(bench.form.caption, c.caption);
  }
  // Only Add changes the exam, and only when it added; the exam file's name stays.
  const bool added = c.command == Command::Add && c.done;
  EXPECT_EQ(bench.examChanged, added);
  EXPECT_EQ(bench.document.filePath, u"/exams/mine.qzm");
  if (added) {
    EXPECT_EQ(bench.currentIndex, c.examBefore ? 1 : 0);
    EXPECT_EQ(bench.form.status, totalText(c.questions));
  }
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
    ++files;
  const bool newFile = *c.writtenName && std::string(c.writtenName) != c.existingName;
  EXPECT_EQ(files, (*c.existingName ? 1u : 0u) + (newFile ? 1u : 0u));
  if (*c.writtenName) {
    EXPECT_NE(test::readBytes(dir.path() / c.writtenName).find(c.writtenHas), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ExchangeCommandsTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ExchangeCase>& info) {
                           return std::string(info.param.name);
                         });

// What the dialogs ask: their titles, the entries of the formats in their order, and the
// sheet's name after the exam file.
TEST(ExchangeDialogs, OfferEveryFormatInItsOrder) {
  const FileFilter moodle{u"Moodle XML (*.xml)", u"*.xml"},
      qti{u"QTI 2.1 package (*.zip)", u"*.zip"}, gift{u"GIFT (*.gift;*.txt)", u"*.gift;*.txt"},
      aiken{u"Aiken (*.txt)", u"*.txt"}, csv{u"CSV (*.csv)", u"*.csv"},
      tsv{u"TSV (*.tsv)", u"*.tsv"}, json{u"JSON (*.json)", u"*.json"};
  const std::vector<FileFilter> add = {
      {u"All exam formats", u"*.gift;*.txt;*.xml;*.zip;*.csv;*.tsv;*.json"},
      gift,
      aiken,
      moodle,
      qti,
      csv,
      tsv,
      json};
  const std::vector<FileFilter> exported = {moodle, qti, gift, aiken, csv, tsv, json};

  EditorBench bench;
  bench.document.filePath = u"/exams/Rivers.qzm";
  bench.dialogs.paths = {std::nullopt, std::nullopt, std::nullopt};
  EXPECT_FALSE(bench.exchange.addQuestions());
  EXPECT_FALSE(bench.exchange.exportExam());
  EXPECT_FALSE(bench.exchange.printSheet(false));
  ASSERT_EQ(bench.dialogs.requests.size(), 3u);
  const FileRequest& addRequest = bench.dialogs.requests[0];
  const FileRequest& exportRequest = bench.dialogs.requests[1];
  EXPECT_FALSE(addRequest.save);
  EXPECT_EQ(addRequest.title, u"Add Questions from Other Tools");
  EXPECT_EQ(addRequest.filters, add);
  EXPECT_TRUE(exportRequest.save);
  EXPECT_EQ(exportRequest.title, u"Export to Other Tools");
  EXPECT_EQ(exportRequest.filters, exported);
  EXPECT_EQ(bench.dialogs.requests[2].defaultName, u"Rivers.html");
  EXPECT_TRUE(bench.form.shown.empty());
}

// Many kinds of warning: 15 lines, then how many more.
TEST(ExchangeWarnings, ShowFifteenLinesAndCountTheRest) {
  InterchangeReport report;
  for (int kind = 1; kind <= 17; ++kind) report.warn(0, kind, "kind " + std::to_string(kind));
  report.warn(0, 18, "kind 1");  // the same kind as line 1: one line
  std::u16string expected = u"lines 1, 18: kind 1\n";
  for (int kind = 2; kind <= 15; ++kind) {
    const std::string line = "line " + std::to_string(kind) + ": kind " + std::to_string(kind);
    expected += std::u16string(line.begin(), line.end()) + u"\n";
  }
  expected += u"\u2026and 2 more\n\nExport anyway?";
  EXPECT_EQ(warningText(report, u"Export anyway?"), expected);
}

}  // namespace
}  // namespace quizmora
