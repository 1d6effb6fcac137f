// Undo and redo of every command that changes the exam, moving questions, and Find.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/exam_search.h"
#include "support/fake_question_form.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

using test::choice;
using test::EditorBench;
using Q = QuestionType;

std::vector<QuestionRecord> threeQuestions() {
  return {choice(u"Q1 photosynthesis", {{u"light", 1}, {u"dark", 0}}),
          choice(u"Q2", {{u"y", 1}, {u"x", 1}}, Q::MultipleChoice),
          choice(u"Q3", {{u"Chlorophyll back", 1}, {u"r2", 0}}, Q::FlashCard)};
}

// What the author sees and what the exam holds; an undo must bring all of it back.
struct Seen {
  ExamDocument document;
  bool changed;
  std::u16string question, caption, status;
  friend bool operator==(const Seen&, const Seen&) = default;
};

void PrintTo(const Seen& s, std::ostream* out) {
  *out << s.document.questionCount() << " questions, changed " << s.changed << ", "
       << test::printable(s.caption) << ": " << test::printable(s.question) << " ("
       << test::printable(s.status) << ")";
}

Seen seen(EditorBench& b) {
  return {b.document, b.examChanged, b.form.question, b.form.caption, b.form.status};
}

// Each command on a saved three-question exam showing question `shown` + 1: the step's name,
// the exam after undo exactly as before (changed flag clear, the touched question shown),
// and after redo exactly as after the command.
TEST(EditCommands, UndoAndRedoEveryCommand) {
  struct Case {
    std::u16string step;
    int shown;
    std::function<void(EditorBench&)> command;
  };
  const Case cases[] = {
      {u"Add Question", 3,
       [](EditorBench& b) {
         b.form.question = u"Q4";
         b.form.rows = {{u"a", true}};
         b.edit.addQuestion();
       }},
      {u"Update Question", 1,
       [](EditorBench& b) {
         b.form.question = u"Q2 changed";
         b.edit.updateQuestion();
       }},
      {u"Delete Question", 0, [](EditorBench& b) { b.edit.deleteQuestion(); }},
      {u"Delete Question", 2, [](EditorBench& b) { b.edit.deleteQuestion(); }},
      {u"Paste", 3,
       [](EditorBench& b) {
         b.form.question = u"typed";
         b.clipboard = choice(u"copied", {{u"c", 1}});
         b.edit.pasteQuestion();
       }},
      {u"Move Question Up", 2, [](EditorBench& b) { b.edit.moveUp(); }},
      {u"Move Question Down", 0, [](EditorBench& b) { b.edit.moveDown(); }},
      {u"New Exam", 1, [](EditorBench& b) { b.edit.newExam(); }},
      {u"Settings", 1,
       [](EditorBench& b) {
         b.edit.recordAround(u"Settings", 0, 0, [&b] {
           b.document.header.title = u"New title";
           b.examChanged = true;
         });
       }},
      {u"Add Questions from Other Tools", 1,
       [](EditorBench& b) {
         const test::TempDir dir;
         test::writeBytes(dir / u"bank.gift", "1+1? {=2 ~3}\n\nSky? {=blue ~green}\n");
         b.dialogs.paths = {(dir / u"bank.gift").u16string()};
         b.edit.addQuestionsFromFile([&b] { b.exchange.addQuestions(); });
       }},
      // Next with the new question's prompt answered Yes adds it.
      {u"Add Question", 3,
       [](EditorBench& b) {
         b.form.question = u"pending";
         b.form.rows = {{u"a", true}};
         b.form.replies = {MessageAnswer::Yes};
         b.edit.leaveQuestion([&b] { b.editor.nextQuestion(); });
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(test::printable(c.step));
    EditorBench b;
    b.load(threeQuestions(), c.shown);
    if (c.shown == 3) b.editor.cleanFields();
    b.editor.showTotal();
    b.document.filePath = u"exam.qzm";
    b.edit.examLoaded();
    c.command(b);
    b.edit.commandDone();
    const Seen afterCommand = seen(b);
    ASSERT_EQ(b.edit.undoText(), u"Undo " + c.step);
    b.edit.undo();
    b.edit.commandDone();
    EditorBench reference;
    reference.load(threeQuestions(), c.shown);
    if (c.shown == 3) reference.editor.cleanFields();
    reference.editor.showTotal();
    if (c.step == u"Paste") reference.form.question = u"typed";
    reference.document.filePath = u"exam.qzm";
    EXPECT_EQ(seen(b), seen(reference));
    EXPECT_EQ(b.currentIndex, c.shown);
    EXPECT_EQ(b.edit.undoText(), u"Undo");
    EXPECT_EQ(b.edit.redoText(), u"Redo " + c.step);
    b.edit.redo();
    EXPECT_EQ(seen(b), afterCommand);
    EXPECT_EQ(b.edit.redoText(), u"Redo");
  }
}

// Undo and redo across a save: only the saved state is without changes; a new command
// drops the redo; at most kLevels steps are kept.
TEST(EditCommands, ChangedFlagFollowsTheSavedStateAndLevels) {
  EditorBench b;
  b.load(threeQuestions(), 0);
  b.edit.examLoaded();
  b.edit.moveDown();
  b.examChanged = false;  // saved here
  b.edit.commandDone();
  b.edit.moveDown();
  EXPECT_TRUE(b.examChanged);
  b.edit.undo();
  EXPECT_FALSE(b.examChanged);
  b.edit.undo();
  EXPECT_TRUE(b.examChanged);
  EXPECT_EQ(b.document.questions, threeQuestions());
  b.edit.redo();
  b.edit.deleteQuestion();
  EXPECT_FALSE(b.edit.canRedo());
  for (std::size_t i = 0; i < UndoHistory::kLevels; ++i) {
    b.edit.moveDown();
    b.edit.moveUp();
  }
  int undone = 0;
  for (; b.edit.canUndo(); ++undone) b.edit.undo();
  EXPECT_EQ(undone, static_cast<int>(UndoHistory::kLevels));
}

// Move is refused at the ends and on the new-question form.
TEST(EditCommands, MoveOnlyBetweenStoredQuestions) {
  struct Case {
    int shown;
    bool up, down;
  };
  for (const Case c :
       {Case{0, false, true}, Case{1, true, true}, Case{2, true, false}, Case{3, false, false}}) {
    EditorBench b;
    b.load(threeQuestions(), c.shown);
    if (c.shown == 3) b.editor.cleanFields();
    EXPECT_EQ(b.edit.canMoveUp(), c.up) << c.shown;
    EXPECT_EQ(b.edit.canMoveDown(), c.down) << c.shown;
  }
}

TEST(FindInExam, WrapsMatchesCaseAndLooksInAnswers) {
  ExamDocument exam;
  exam.questions = threeQuestions();
  exam.questions.push_back(choice(u"ÉTÉ Ωmega", {{u"ab", 1}}));
  struct Case {
    int shown;
    std::u16string text;
    bool matchCase;
    std::optional<FoundText> found;
  };
  const Case cases[] = {
      {0, u"q", false, FoundText{1, FoundIn::QuestionBox, 0, 0, 1}},
      {3, u"q", false, FoundText{0, FoundIn::QuestionBox, 0, 0, 1}},      // wraps
      {0, u"PHOTO", false, FoundText{0, FoundIn::QuestionBox, 0, 3, 5}},  // itself, last
      {0, u"PHOTO", true, std::nullopt},
      {0, u"été ωMEGA", false, FoundText{3, FoundIn::QuestionBox, 0, 0, 9}},
      {0, u"dark", false, FoundText{0, FoundIn::AnswerRow, 0, 0, 4}},  // rows list from the last
      {0, u"chlorophyll", false, FoundText{2, FoundIn::AnswerBox, 0, 0, 11}},
      {0, u"r2", false, FoundText{2, FoundIn::AnswerRow, 0, 0, 2}},
      {-1, u"y", false, FoundText{0, FoundIn::QuestionBox, 0, 9, 1}},
      {0, u"zebra", false, std::nullopt},
      {0, u"", false, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(test::printable(c.text));
    EXPECT_EQ(findInExam(exam, c.shown, c.text, c.matchCase), c.found);
  }
}

// Find Next shows the question found; none found says so and changes nothing.
TEST(EditCommands, FindNextShowsTheQuestionOrSaysNone) {
  EditorBench b;
  b.load(threeQuestions(), 0);
  const auto found = b.edit.findNext(u"chlorophyll", false);
  ASSERT_TRUE(found);
  EXPECT_EQ(b.currentIndex, 2);
  EXPECT_EQ(b.form.caption, u"Question #3");
  EXPECT_EQ(b.form.answer, u"Chlorophyll back");
  EXPECT_FALSE(b.edit.findNext(u"zebra", false));
  EXPECT_EQ(b.currentIndex, 2);
  ASSERT_EQ(b.form.shown.size(), 1u);
  EXPECT_EQ(b.form.shown[0].text, u"No question holds \"zebra\".");
}

}  // namespace
}  // namespace quizmora
