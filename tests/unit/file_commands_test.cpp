// Save As, Open, Import and the unsaved-changes question against real temporary files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "format/exam_file_writer.h"
#include "support/fake_question_form.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

namespace fs = std::filesystem;
using test::choice;
using test::EditorBench;
using test::TempDir;

std::u16string pathText(const fs::path& path) { return path.u16string(); }

ExamDocument sampleExam() {
  ExamDocument exam;
  exam.header = {u"Capitals", u"Ann <a&b>", u"", u"", u"", ExamMode::LearningOnly};
  exam.questions = {choice(u"France?", {{u"Lyon", 0}, {u"Paris", 1}}),
                    choice(u"Card", {{u"back", 1}}, QuestionType::FlashCard)};
  return exam;
}

// An exam with its questions, saved as a .qzm file at `path`.
void writeExam(const fs::path& path, const ExamDocument& exam) {
  ASSERT_TRUE(writeExamFile(path, composeExamText(exam)));
}

TEST(SaveAs, CompletesTheNameWithTheExtensionComparedExactly) {
  struct Case {
    std::u16string typed, written;
  };
  const Case cases[] = {{u"exam", u"exam.qzm"},
                        {u"exam.qzm", u"exam.qzm"},
                        {u"exam.txt", u"exam.txt.qzm"},
                        {u"exam.QZM", u"exam.QZM.qzm"},
                        {u"Prüfung", u"Prüfung.qzm"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(test::printable(c.typed));
    TempDir dir;
    EditorBench bench;
    bench.document = sampleExam();
    bench.examChanged = true;
    bench.dialogs.paths = {pathText(dir / c.typed)};
    EXPECT_TRUE(bench.files.saveAs());
    EXPECT_EQ(test::readBytes(dir / c.written),
              test::littleEndianBytes(composeExamText(sampleExam())));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    EXPECT_EQ(bench.document.filePath, pathText(dir / c.written));
    EXPECT_FALSE(bench.examChanged);
    EXPECT_TRUE(bench.form.shown.empty());
  }
}

// Typing "exam" over an existing exam.qzm: the dialog did not see that name, so it is asked.
TEST(SaveAs, AsksBeforeReplacingTheCompletedName) {
  for (MessageAnswer reply : {MessageAnswer::Yes, MessageAnswer::No}) {
    TempDir dir;
    test::writeBytes(dir / u"exam.qzm", "old");
    EditorBench bench;
    bench.document = sampleExam();
    bench.document.filePath = u"before";
    bench.dialogs.paths = {pathText(dir / u"exam")};
    bench.form.replies = {reply};
    EXPECT_EQ(bench.files.saveAs(), reply == MessageAnswer::Yes);
    ASSERT_EQ(bench.form.shown.size(), 1u);
    EXPECT_EQ(
        bench.form.shown[0],
        (FormMessage{pathText(dir / u"exam.qzm") + u" already exists.\nDo you want to replace it?",
                     u"Quizmora Builder", MessageIcon::Warning, MessageButtons::YesNo}));
    const bool replaced = test::readBytes(dir / u"exam.qzm") != "old";
    EXPECT_EQ(replaced, reply == MessageAnswer::Yes);
    EXPECT_EQ(bench.document.filePath == u"before", !replaced);
  }
}

TEST(SaveAs, FailedWriteKeepsTheOldFileAndThePath) {
  struct Case {
    const char* name;
    std::u16string target;  // inside the temporary folder
  };
  const Case cases[] = {{"missing folder", u"nowhere/exam.qzm"},
                        {"a folder in the way", u"taken.qzm"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    fs::create_directory(dir / u"taken.qzm");
    test::writeBytes(dir / u"taken.qzm" / u"inside", "kept");
    EditorBench bench;
    bench.document = sampleExam();
    bench.document.filePath = u"before";
    bench.examChanged = true;
    bench.dialogs.paths = {pathText(dir / c.target)};
    EXPECT_FALSE(bench.files.saveAs());
    ASSERT_EQ(bench.form.shown.size(), 1u);
    EXPECT_EQ(bench.form.shown[0],
              (FormMessage{u"Cannot save the exam to " + pathText(dir / c.target),
                           u"Quizmora Builder", MessageIcon::Error, MessageButtons::Ok}));
    EXPECT_EQ(bench.document.filePath, u"before");
    EXPECT_TRUE(bench.examChanged);
    EXPECT_EQ(test::readBytes(dir / u"taken.qzm" / u"inside"), "kept");
  }
}

// Save writes over the exam file the exam came from, as Save As would write it; an exam
// without one (started, made new, imported from the old layout) goes through Save As.
TEST(Save, WritesInPlaceOrAsksForAName) {
  enum Origin { Started, Opened, SavedAs, Imported, MadeNew };
  struct Case {
    const char* name;
    Origin origin;
    bool asksForName;
    bool byUnsavedQuestion = false;  // Yes to the question before New Exam
  };
  const Case cases[] = {
      {"started", Started, true},   {"opened", Opened, false},
      {"saved as", SavedAs, false}, {"imported", Imported, true},
      {"made new", MadeNew, true},  {"opened, Yes before New Exam", Opened, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const fs::path file = dir / u"exam.qzm";
    const fs::path old = dir / u"old.txt";
    writeExam(file, sampleExam());
    test::writeBytes(old, "<Exam><Title>Old</Title></Exam>");
    EditorBench bench;
    switch (c.origin) {
      case Opened:
        ASSERT_TRUE(bench.files.openExamFromPath(pathText(file)));
        break;
      case SavedAs:
        bench.dialogs.paths = {pathText(dir / u"exam")};
        bench.form.replies = {MessageAnswer::Yes};  // replace exam.qzm
        ASSERT_TRUE(bench.files.saveAs());
        break;
      case Imported:
        ASSERT_TRUE(bench.files.importFromPath(pathText(old)));
        break;
      case MadeNew:
        ASSERT_TRUE(bench.files.openExamFromPath(pathText(file)));
        bench.files.newExam();
        break;
      case Started:
        break;
    }
    bench.form.shown.clear();
    bench.document.questions.push_back(choice(u"Added", {{u"yes", 1}}));
    bench.examChanged = true;
    const std::string oldBytes = test::readBytes(old);
    const fs::path expected = c.asksForName ? dir / u"chosen.qzm" : file;
    if (c.asksForName) bench.dialogs.paths = {pathText(dir / u"chosen")};
    if (c.byUnsavedQuestion) {
      bench.form.replies = {MessageAnswer::Yes};
      const ExamDocument saved = bench.document;
      bench.files.newExam();
      EXPECT_TRUE(bench.document.questions.empty());
      bench.document = saved;  // to compare below with what Save As writes
    } else {
      EXPECT_TRUE(bench.files.save());
    }
    EXPECT_TRUE(bench.dialogs.paths.empty());
    EXPECT_EQ(bench.form.shown.size(), c.byUnsavedQuestion ? 1u : 0u);
    bench.dialogs.paths = {pathText(dir / u"again.qzm")};
    ASSERT_TRUE(bench.files.saveAs());
    EXPECT_EQ(test::readBytes(expected), test::readBytes(dir / u"again.qzm"));
    EXPECT_EQ(test::readBytes(old), oldBytes);  // an old file is never written over
  }
}

// A Save in place that cannot write shows the failure and keeps the exam's changes to save.
TEST(Save, FailedWriteIsShownAndKeepsTheChanges) {
  TempDir dir;
  const fs::path file = dir / u"exam.qzm";
  writeExam(file, sampleExam());
  EditorBench bench;
  ASSERT_TRUE(bench.files.openExamFromPath(pathText(file)));
  bench.examChanged = true;
  fs::remove(file);
  fs::create_directory(file);  // a folder in the way
  EXPECT_FALSE(bench.files.save());
  ASSERT_EQ(bench.form.shown.size(), 1u);
  EXPECT_EQ(bench.form.shown[0],
            (FormMessage{u"Cannot save the exam to " + pathText(file), u"Quizmora Builder",
                         MessageIcon::Error, MessageButtons::Ok}));
  EXPECT_TRUE(bench.examChanged);
  EXPECT_EQ(bench.document.filePath, pathText(file));
}

// A printable page: the name completed as Save As completes it (the same question before a
// completed name replaces a file), but ".html" or ".htm" in any case counts as complete.
TEST(SavePage, WritesThePageUnderTheCompletedName) {
  struct Case {
    std::optional<std::u16string> typed;  // nullopt: the dialog was cancelled
    std::u16string written;               // empty: nothing written
  };
  const Case cases[] = {{u"sheet", u"sheet.html"},
                        {u"Sheet.HTM", u"Sheet.HTM"},
                        {u"sheet.txt", u"sheet.txt.html"},
                        {std::nullopt, u""},
                        {u"nowhere/sheet.html", u""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(test::printable(c.typed.value_or(u"(cancelled)")));
    TempDir dir;
    EditorBench bench;
    bench.dialogs.paths = {c.typed ? std::optional(pathText(dir / *c.typed)) : std::nullopt};
    const std::optional<std::u16string> saved = bench.files.savePage("<p>page</p>", u"exam.html");
    EXPECT_EQ(saved, c.written.empty() ? std::nullopt : std::optional(pathText(dir / c.written)));
    if (!c.written.empty()) {
      EXPECT_EQ(test::readBytes(dir / c.written), "<p>page</p>");
    }
    std::vector<FormMessage> expected;
    if (c.typed && c.written.empty()) {
      expected.push_back({u"Cannot save the page to " + pathText(dir / *c.typed),
                          u"Quizmora Builder", MessageIcon::Error, MessageButtons::Ok});
    }
    EXPECT_EQ(bench.form.shown, expected);
  }
}

TEST(Open, LoadsTheExamAndShowsQuestionOne) {
  TempDir dir;
  const fs::path file = dir / u"exam.qzm";
  writeExam(file, sampleExam());
  EditorBench bench;
  bench.document.header.email = u"kept@example";
  bench.load({choice(u"old", {{u"a", 1}})});
  bench.examChanged = true;
  bench.form.replies = {MessageAnswer::No};
  bench.dialogs.paths = {pathText(file)};
  ASSERT_TRUE(bench.files.open());
  ExamDocument expected = sampleExam();
  expected.header.email = u"kept@example";
  expected.filePath = pathText(file);
  EXPECT_EQ(bench.document, expected);
  EXPECT_EQ(bench.form.status, u"Total: 2");
  EXPECT_EQ(bench.form.caption, u"Question #1");
  EXPECT_EQ(bench.form.rowTexts(), (std::vector<std::u16string>{u"Paris*", u"Lyon"}));
  EXPECT_EQ(bench.currentIndex, 0);
  EXPECT_FALSE(bench.examChanged);
  // Saved again, the file is the same to the byte.
  bench.dialogs.paths = {pathText(dir / u"again.qzm")};
  ASSERT_TRUE(bench.files.saveAs());
  EXPECT_EQ(test::readBytes(dir / u"again.qzm"), test::readBytes(file));
}

TEST(Open, ReadsWhatEveryKindOfFileHolds) {
  struct Case {
    const char* name;
    std::string bytes;
    int questions;
    std::u16string title;
  };
  ExamDocument empty;
  empty.header.title = u"Empty";
  const std::string sample = test::littleEndianBytes(composeExamText(sampleExam()));
  const Case cases[] = {
      {"with a byte-order mark", "\xFF\xFE" + sample, 2, u"Capitals"},
      {"no questions", test::littleEndianBytes(composeExamText(empty)), 0, u"Empty"},
      {"not an exam", "garbage", 0, u""},
      {"empty file", "", 0, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    test::writeBytes(dir / u"exam.qzm", c.bytes);
    EditorBench bench;
    bench.load({choice(u"old", {{u"a", 1}})});
    ASSERT_TRUE(bench.files.openExamFromPath(pathText(dir / u"exam.qzm")));
    EXPECT_EQ(bench.document.questionCount(), c.questions);
    EXPECT_EQ(bench.document.header.title, c.title);
    EXPECT_EQ(bench.form.status, totalText(c.questions));
    if (c.questions == 0) {
      EXPECT_EQ(bench.form.caption, u"New Question");
      EXPECT_FALSE(bench.form.enabled[FormControl::NextQuestion] ||
                   bench.form.enabled[FormControl::DeleteQuestion]);
    }
  }
}

// A file that cannot be read changes nothing, for Open and Import alike.
TEST(Open, UnreadableFileChangesNothing) {
  for (bool import : {false, true}) {
    TempDir dir;
    fs::create_directory(dir / u"folder.qzm");
    for (const char16_t* name : {u"missing.qzm", u"folder.qzm"}) {
      SCOPED_TRACE(test::printable(name));
      EditorBench bench;
      bench.document = sampleExam();
      bench.document.filePath = u"before";
      bench.load(sampleExam().questions, 1);
      bench.form.answer = u"typed";
      const ExamDocument before = bench.document;
      const std::u16string path = pathText(dir / name);
      EXPECT_FALSE(import ? bench.files.importFromPath(path) : bench.files.openExamFromPath(path));
      EXPECT_EQ(bench.document, before);
      EXPECT_EQ(bench.currentIndex, 1);
      EXPECT_EQ(bench.form.caption, u"Question #2");
      EXPECT_EQ(bench.form.answer, u"typed");
      ASSERT_EQ(bench.form.shown.size(), 1u);
      EXPECT_EQ(bench.form.shown[0],
                (FormMessage{u"Cannot open the file " + path, u"Quizmora Builder",
                             MessageIcon::Error, MessageButtons::Ok}));
    }
  }
}

TEST(Import, TakesTitleAndAuthorKeepsTheModeAndNamesTheOldFile) {
  TempDir dir;
  const fs::path file = dir / u"old.txt";
  std::string bytes;
  for (char16_t unit : composeExamText(sampleExam())) {
    if (unit < 0x100) bytes += static_cast<char>(unit);
  }
  test::writeBytes(file, bytes);
  EditorBench bench;
  bench.document.header.mode = ExamMode::ExamOnly;
  bench.dialogs.paths = {pathText(file)};
  ASSERT_TRUE(bench.files.importOld());
  EXPECT_EQ(bench.document.questions, sampleExam().questions);
  EXPECT_EQ(bench.document.header.title, u"Capitals");
  EXPECT_EQ(bench.document.header.author, u"Ann <a&b>");
  EXPECT_EQ(bench.document.header.mode, ExamMode::ExamOnly);
  EXPECT_EQ(bench.document.filePath, pathText(file));
  EXPECT_EQ(bench.form.status, u"Total: 2");
}

// The question before New Exam, Open, Import and closing, with every answer.
TEST(UnsavedExam, AskedBeforeEveryCommandThatDropsIt) {
  enum Command { New, Open, Import, Close };
  enum Reply { Unchanged, Yes, YesCancelledSave, No, Cancel };
  struct Case {
    Command command;
    Reply reply;
    bool goesOn, saved;
  };
  std::vector<Case> cases;
  for (Command command : {New, Open, Import, Close}) {
    cases.push_back({command, Unchanged, true, false});
    cases.push_back({command, Yes, true, true});
    cases.push_back({command, YesCancelledSave, false, false});
    cases.push_back({command, No, true, false});
    cases.push_back({command, Cancel, false, false});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "command " << c.command << " reply " << c.reply);
    TempDir dir;
    writeExam(dir / u"other.qzm", ExamDocument{});
    EditorBench bench;
    bench.load({choice(u"mine", {{u"a", 1}})});
    bench.examChanged = c.reply != Unchanged;
    if (c.reply == Yes) bench.dialogs.paths.push_back(pathText(dir / u"saved"));
    if (c.reply == YesCancelledSave) bench.dialogs.paths.push_back(std::nullopt);
    const MessageAnswer replies[] = {MessageAnswer::Ok, MessageAnswer::Yes, MessageAnswer::Yes,
                                     MessageAnswer::No, MessageAnswer::Cancel};
    if (c.reply != Unchanged) bench.form.replies = {replies[c.reply]};
    if (c.command == Open || c.command == Import) {
      bench.dialogs.paths.push_back(pathText(dir / u"other.qzm"));
    }
    bool wentOn = true;
    switch (c.command) {
      case New:
        bench.files.newExam();
        break;
      case Open:
        bench.files.open();
        break;
      case Import:
        bench.files.importOld();
        break;
      case Close:
        wentOn = bench.files.confirmDiscard();
        break;
    }
    if (c.command != Close) wentOn = bench.document.questions.empty();
    EXPECT_EQ(wentOn, c.goesOn);
    EXPECT_EQ(fs::exists(dir / u"saved.qzm"), c.saved);
    EXPECT_EQ(bench.form.shown.size(), c.reply == Unchanged ? 0u : 1u);
    if (!bench.form.shown.empty()) {
      EXPECT_EQ(
          bench.form.shown[0],
          (FormMessage{u"The exam has changes that are not saved.\nDo you want to save them?",
                       u"Quizmora Builder", MessageIcon::Warning, MessageButtons::YesNoCancel}));
    }
    EXPECT_TRUE(bench.dialogs.paths.empty() || !c.goesOn);  // Open and Import asked for a file
  }
}

}  // namespace
}  // namespace quizmora
