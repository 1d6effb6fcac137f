// The question commands against an in-memory form: what they store, what the form shows,
// which buttons they switch, what they ask.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "support/fake_question_form.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

using test::choice;
using test::EditorBench;
using C = FormControl;
using Q = QuestionType;
using Rows = std::vector<std::u16string>;

const std::u16string kNoQuestion = u"You don't specify a question!";
const std::u16string kNoCorrect =
    u"Cannot add this question because I don't specify correct answer";
const std::u16string kSavePrompt = u"New question is not saved! Do you want to save it ?";

// What the author sees of a question in the form.
struct FormView {
  std::u16string question, answer;
  Q type;
  std::vector<FormRow> rows;
  bool listEnabled;
  friend bool operator==(const FormView&, const FormView&) = default;
};

FormView viewOf(test::FakeQuestionForm& form) {
  return {form.question, form.answer, form.type, form.rows, form.enabled[C::AnswerList]};
}

// Three stored questions: a one-choice, a multiple-choice and a flash card.
std::vector<QuestionRecord> threeQuestions() {
  return {choice(u"Q1", {{u"c", 0}, {u"b", 1}, {u"a", 0}}),
          choice(u"Q2", {{u"y", 1}, {u"x", 1}}, Q::MultipleChoice),
          choice(u"Q3", {{u"back", 1}}, Q::FlashCard)};
}

// Shown, then updated without a change: the rows read in entry order and nothing changes.
TEST(QuestionEditorShow, ListsRowsInEntryOrderAndUpdateKeepsTheQuestion) {
  struct Case {
    QuestionRecord stored;
    Q shownType;
    std::u16string answerBox;
    Rows rows;
    bool listEnabled;
  };
  const Case cases[] = {
      {choice(u"one", {{u"Z", 0}, {u"Y", 1}, {u"X", 0}}),
       Q::OneChoice,
       u"",
       {u"X", u"Y*", u"Z"},
       true},
      {choice(u"multi", {{u"b", 1}, {u"a", 1}}, Q::MultipleChoice),
       Q::MultipleChoice,
       u"",
       {u"a*", u"b*"},
       true},
      {choice(u"card", {{u"back", 1}}, Q::FlashCard), Q::FlashCard, u"back", {}, false},
      {choice(u"card", {{u"", 1}}, Q::FlashCard), Q::FlashCard, u"", {}, false},
      // Rows that followed the back when it was stored come back under it, in order.
      {choice(u"card", {{u"back", 1}, {u"r2", 0}, {u"r1", 1}}, Q::FlashCard),
       Q::FlashCard,
       u"back",
       {u"r1*", u"r2"},
       false},
      // A type number without a button shows as a flash card and keeps its number.
      {choice(u"odd", {{u"back", 1}}, static_cast<Q>(7)), Q::FlashCard, u"back", {}, false},
      {choice(std::u16string(6000, u'q'), {{u"a", 1}}), Q::OneChoice, u"", {u"a*"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(test::printable(c.stored.text.substr(0, 10)));
    EditorBench bench;
    bench.load({c.stored});
    EXPECT_EQ(bench.form.question, c.stored.text);
    EXPECT_EQ(bench.form.type, c.shownType);
    EXPECT_EQ(bench.form.answer, c.answerBox);
    EXPECT_EQ(bench.form.rowTexts(), c.rows);
    EXPECT_EQ(bench.form.enabled[C::AnswerList], c.listEnabled);
    EXPECT_EQ(bench.form.enabled[C::AddAnswer], c.listEnabled);
    EXPECT_EQ(bench.form.caption, u"Question #1");
    EXPECT_EQ(bench.tickedCount, static_cast<int>(std::count_if(
                                     c.rows.begin(), c.rows.end(),
                                     [](const std::u16string& r) { return r.ends_with(u"*"); })));
    bench.editor.updateQuestion();
    EXPECT_EQ(bench.document.questions, std::vector<QuestionRecord>{c.stored});
    EXPECT_FALSE(bench.examChanged);
    EXPECT_TRUE(bench.form.shown.empty());
  }
}

// What Add Question builds from the form, or which message refuses it.
TEST(QuestionEditorAdd, BuildsTheQuestionOrRefusesIt) {
  struct Case {
    const char* name;
    std::u16string question;
    Q type;
    std::u16string answerBox;
    std::vector<FormRow> rows;  // top to bottom
    std::u16string refusal;     // empty: added
    std::vector<AnswerRecord> stored;
  };
  const std::u16string longText(6000, u'L');
  const Case cases[] = {
      {"rows stored bottom first",
       u"q",
       Q::OneChoice,
       u"",
       {{u"X", false}, {u"Y", true}, {u"Z", false}},
       u"",
       {{u"Z", 0}, {u"Y", 1}, {u"X", 0}}},
      {"multiple",
       u"q",
       Q::MultipleChoice,
       u"",
       {{u"a", true}, {u"b", true}},
       u"",
       {{u"b", 1}, {u"a", 1}}},
      {"no question text, answers present",
       u"",
       Q::OneChoice,
       u"",
       {{u"a", true}},
       kNoQuestion,
       {}},
      {"no question text, flash card", u"", Q::FlashCard, u"back", {}, kNoQuestion, {}},
      {"choice without a tick",
       u"q",
       Q::OneChoice,
       u"",
       {{u"a", false}, {u"b", false}},
       kNoCorrect,
       {}},
      {"choice without rows", u"q", Q::MultipleChoice, u"", {}, kNoCorrect, {}},
      {"flash card, empty back", u"q", Q::FlashCard, u"", {}, u"", {{u"", 1}}},
      {"flash card keeps rows left in the list",
       u"q",
       Q::FlashCard,
       u"back",
       {{u"r1", false}, {u"r2", true}},
       u"",
       {{u"back", 1}, {u"r2", 1}, {u"r1", 0}}},
      {"6000 characters kept whole",
       longText,
       Q::MultipleChoice,
       u"",
       {{u"a", true}},
       u"",
       {{u"a", 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditorBench bench;
    auto& form = bench.form;
    form.question = c.question;
    form.type = c.type;
    form.answer = c.answerBox;
    form.rows = c.rows;
    const bool added = bench.editor.addQuestion();
    EXPECT_EQ(added, c.refusal.empty());
    if (!added) {
      ASSERT_EQ(form.shown.size(), 1u);
      EXPECT_EQ(form.shown[0].text, c.refusal);
      EXPECT_EQ(form.shown[0].caption, u"QuizmoraBuilder");
      EXPECT_EQ(form.shown[0].icon,
                c.refusal == kNoQuestion ? MessageIcon::Exclamation : MessageIcon::Information);
      EXPECT_EQ(form.rows, c.rows);  // the form is left as it was
      EXPECT_EQ(form.question, c.question);
      EXPECT_TRUE(bench.document.questions.empty());
      EXPECT_FALSE(bench.examChanged);
      continue;
    }
    EXPECT_TRUE(form.shown.empty());
    ASSERT_EQ(bench.document.questionCount(), 1);
    EXPECT_EQ(bench.document.questions[0], (QuestionRecord{c.type, c.question, c.stored}));
    EXPECT_TRUE(bench.examChanged);
    EXPECT_EQ(bench.currentIndex, 1);
    EXPECT_EQ(form.status, u"Total: 1");
    EXPECT_TRUE(form.question.empty() && form.answer.empty() && form.rows.empty());
    EXPECT_EQ(form.type, Q::OneChoice);
    EXPECT_TRUE(form.enabled[C::PrevQuestion] && form.enabled[C::AnswerList]);
    EXPECT_FALSE(form.enabled[C::AddQuestion] || form.enabled[C::UpdateQuestion] ||
                 form.enabled[C::DeleteQuestion]);
  }
}

// Prev, Next, Clean Fields and Go to with a new question pending, for each answer.
TEST(QuestionEditorSavePrompt, AddsOrDropsThePendingQuestionFirst) {
  enum Command { Prev, Next, Clean, Goto };
  struct Case {
    Command command;
    MessageAnswer reply;
    bool tick;  // whether the pending question can be added
    int count, current;
    std::u16string caption, question;
  };
  const Case cases[] = {
      {Prev, MessageAnswer::Yes, true, 4, 2, u"Question #3", u"Q3"},
      {Prev, MessageAnswer::No, true, 3, 2, u"Question #3", u"Q3"},
      {Prev, MessageAnswer::Yes, false, 3, 3, u"New Question", u"new"},  // refused: unchanged
      {Next, MessageAnswer::Yes, true, 4, 4, u"New Question", u""},
      {Next, MessageAnswer::No, true, 3, 3, u"New Question", u""},
      {Clean, MessageAnswer::Yes, true, 4, 4, u"New Question", u""},
      {Clean, MessageAnswer::No, true, 3, 3, u"New Question", u""},
      {Clean, MessageAnswer::Yes, false, 3, 3, u"New Question", u"new"},
      {Goto, MessageAnswer::Yes, true, 4, 1, u"Question #2", u"Q2"},
      {Goto, MessageAnswer::No, true, 3, 1, u"Question #2", u"Q2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "command " << c.command << " reply "
                                    << static_cast<int>(c.reply) << " tick " << c.tick);
    EditorBench bench;
    bench.load(threeQuestions());
    bench.editor.cleanFields();
    bench.form.question = u"new";
    bench.form.answer = u"a";
    bench.editor.addAnswer();
    bench.form.rows[0].ticked = c.tick;
    bench.form.number = u"2";
    bench.form.replies = {c.reply};
    switch (c.command) {
      case Prev:
        bench.editor.prevQuestion();
        break;
      case Next:
        bench.editor.nextQuestion();
        break;
      case Clean:
        bench.editor.cleanFields();
        break;
      case Goto:
        bench.editor.gotoQuestion();
        break;
    }
    ASSERT_GE(bench.form.shown.size(), 1u);
    EXPECT_EQ(bench.form.shown[0], (FormMessage{kSavePrompt, u"Quizmora Builder",
                                                MessageIcon::Question, MessageButtons::YesNo}));
    EXPECT_EQ(bench.document.questionCount(), c.count);
    EXPECT_EQ(bench.currentIndex, c.current);
    EXPECT_EQ(bench.form.caption, c.caption);
    EXPECT_EQ(bench.form.question, c.question);
    if (c.count == 4) {
      EXPECT_EQ(bench.document.questions[3].text, u"new");
    }
  }
}

TEST(QuestionEditorSavePrompt, NotAskedWithoutAPendingQuestion) {
  EditorBench bench;
  bench.load(threeQuestions());
  bench.editor.cleanFields();
  bench.form.answer = u"the answer box does not count";
  bench.editor.nextQuestion();
  bench.editor.prevQuestion();  // from the New Question state: shows the last question
  bench.form.question = u"edited, not new";
  bench.editor.prevQuestion();
  EXPECT_TRUE(bench.form.shown.empty());
  EXPECT_EQ(bench.form.caption, u"Question #2");
}

TEST(QuestionEditorNavigate, GoToShowsTheNumberOrLeavesACleanedForm) {
  struct Case {
    std::u16string number;
    int current;
    std::u16string caption;
  };
  const Case cases[] = {
      {u"1", 0, u"Question #1"},
      {u"3", 2, u"Question #3"},
      {u" 2", 1, u"Question #2"},
      {u"0", 1, u"New Question"},
      {u"", 1, u"New Question"},
      {u"4", 1, u"New Question"},
      {u"-1", 1, u"New Question"},
      {u"2x", 1, u"New Question"},
      {u"99999999999", 1, u"New Question"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(test::printable(c.number));
    EditorBench bench;
    bench.load(threeQuestions(), 1);
    bench.form.number = c.number;
    bench.editor.gotoQuestion();
    EXPECT_EQ(bench.currentIndex, c.current);
    EXPECT_EQ(bench.form.caption, c.caption);
    EXPECT_EQ(bench.form.question.empty(), c.caption == u"New Question");
  }
}

TEST(QuestionEditorNavigate, PrevAndNextStepAndSwitchTheirButtons) {
  struct Step {
    bool next;
    int current;
    bool prevEnabled, nextEnabled;
  };
  const Step steps[] = {{true, 1, true, true},  {true, 2, true, false},  {true, 2, true, false},
                        {false, 1, true, true}, {false, 0, false, true}, {false, 0, false, true}};
  EditorBench bench;
  bench.load(threeQuestions());
  for (const Step& s : steps) {
    s.next ? bench.editor.nextQuestion() : bench.editor.prevQuestion();
    // At either end the step clears the form and stays.
    const bool moved = bench.form.caption == questionCaption(s.current + 1);
    EXPECT_EQ(bench.currentIndex, s.current);
    if (!moved) continue;
    EXPECT_EQ(bench.form.enabled[C::PrevQuestion], s.prevEnabled);
    EXPECT_EQ(bench.form.enabled[C::NextQuestion], s.nextEnabled);
  }
}

// Counts, per part of the form, the calls that changed it: on a long question every change
// of a real control is a visible cost, and a control switched off and on again flickers.
class ChangeCountingForm : public test::FakeQuestionForm {
 public:
  std::map<std::string, int> changes;

  void setQuestionText(const std::u16string& text) override {
    count("question", question != text);
    FakeQuestionForm::setQuestionText(text);
  }
  void setAnswerText(const std::u16string& text) override {
    count("answer", answer != text);
    FakeQuestionForm::setAnswerText(text);
  }
  void selectType(Q t) override {
    const Q before = type;
    FakeQuestionForm::selectType(t);
    count("type", type != before);
  }
  void setGroupCaption(const std::u16string& text) override {
    count("caption", caption != text);
    FakeQuestionForm::setGroupCaption(text);
  }
  void setEnabled(C control, bool on) override {
    count("enabled " + std::to_string(static_cast<int>(control)), enabled[control] != on);
    FakeQuestionForm::setEnabled(control, on);
  }
  // Row by row operations, against one replacement of all rows.
  void appendRow(const FormRow& row) override {
    count("row by row", true);
    FakeQuestionForm::appendRow(row);
  }
  void deleteAllRows() override {
    count("row by row", !rows.empty());
    FakeQuestionForm::deleteAllRows();
  }
  void setRows(const std::vector<FormRow>& all) override {
    count("rows", all != rows);
    rows = all;
    selectedRow = -1;
  }

 private:
  void count(const std::string& part, bool changed) {
    if (changed) ++changes[part];
  }
};

TEST(QuestionEditorNavigate, ShowingAQuestionChangesEachControlAtMostOnce) {
  struct Case {
    const char* command;
    int shown;
    std::map<std::string, int> changes;  // the parts that must change, once each
  };
  // Q1 (one choice, 3 rows) -> Q2 (multiple choice, 2 rows) -> Q3 (flash card, no rows).
  const std::string prev = "enabled " + std::to_string(static_cast<int>(C::PrevQuestion));
  const std::string next = "enabled " + std::to_string(static_cast<int>(C::NextQuestion));
  const std::string list = "enabled " + std::to_string(static_cast<int>(C::AnswerList));
  const std::string add = "enabled " + std::to_string(static_cast<int>(C::AddAnswer));
  const std::string del = "enabled " + std::to_string(static_cast<int>(C::DeleteAnswer));
  const Case cases[] = {
      {"next", 0, {{"question", 1}, {"type", 1}, {"caption", 1}, {"rows", 1}, {prev, 1}}},
      {"prev",
       2,
       {{"question", 1},
        {"answer", 1},
        {"type", 1},
        {"caption", 1},
        {"rows", 1},
        {next, 1},
        {list, 1},
        {add, 1},
        {del, 1}}},
      {"goto 3",
       0,
       {{"question", 1},
        {"answer", 1},
        {"type", 1},
        {"caption", 1},
        {"rows", 1},
        {prev, 1},
        {next, 1},
        {list, 1},
        {add, 1},
        {del, 1}}},
      {"delete", 0, {{"question", 1}, {"type", 1}, {"rows", 1}}},  // still "Question #1"
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    ExamDocument document;
    document.questions = threeQuestions();
    int current = c.shown, ticked = 0;
    QuestionRecord clipboard;
    bool changed = false;
    ChangeCountingForm form;
    QuestionEditor editor({document, current, ticked, clipboard, changed}, form);
    editor.showQuestion(c.shown);
    form.changes.clear();
    const std::string command = c.command;
    if (command == "next") editor.nextQuestion();
    if (command == "prev") editor.prevQuestion();
    if (command == "goto 3") {
      form.number = u"3";
      editor.gotoQuestion();
    }
    if (command == "delete") editor.deleteQuestion();
    EXPECT_EQ(form.changes, c.changes);
  }
}

TEST(QuestionEditorDelete, ShowsTheQuestionBeforeOrTheNewFirst) {
  struct Case {
    int count, at;
    int current;
    std::u16string caption, question;
  };
  const Case cases[] = {
      {3, 0, 0, u"Question #1", u"Q2"}, {3, 1, 0, u"Question #1", u"Q1"},
      {3, 2, 1, u"Question #2", u"Q2"}, {1, 0, 0, u"New Question", u""},
      {3, 3, 3, u"New Question", u""},  // the New Question state: nothing to delete
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.at << " of " << c.count);
    EditorBench bench;
    auto questions = threeQuestions();
    questions.resize(static_cast<std::size_t>(c.count));
    bench.load(questions, c.at);
    if (c.at == c.count) bench.editor.cleanFields();
    bench.editor.deleteQuestion();
    const int left = c.at < c.count ? c.count - 1 : c.count;
    EXPECT_EQ(bench.document.questionCount(), left);
    EXPECT_EQ(bench.examChanged, left != c.count);
    EXPECT_EQ(bench.currentIndex, c.current);
    EXPECT_EQ(bench.form.caption, c.caption);
    EXPECT_EQ(bench.form.question, c.question);
    EXPECT_EQ(bench.form.status, totalText(left));
    if (left == 0) {
      EXPECT_FALSE(bench.form.enabled[C::PrevQuestion] || bench.form.enabled[C::NextQuestion] ||
                   bench.form.enabled[C::DeleteQuestion]);
    }
  }
}

TEST(QuestionEditorUpdate, ReplacesTheShownQuestionOnlyWhenItChanged) {
  EditorBench bench;
  bench.load(threeQuestions(), 1);
  bench.form.rows[0].ticked = false;  // rows x*, y*: untick x
  bench.editor.updateQuestion();
  EXPECT_EQ(bench.document.questions[1].answers, (std::vector<AnswerRecord>{{u"y", 1}, {u"x", 0}}));
  EXPECT_TRUE(bench.examChanged);
  EXPECT_EQ(bench.form.status, u"");  // no count, caption or button is touched
  // In the New Question state nothing is replaced.
  bench.examChanged = false;
  bench.editor.cleanFields();
  bench.form.question = u"new";
  bench.form.type = Q::FlashCard;
  bench.editor.updateQuestion();
  EXPECT_EQ(bench.document.questions, [] {
    auto q = threeQuestions();
    q[1].answers[1].isCorrect = 0;
    return q;
  }());
  EXPECT_FALSE(bench.examChanged);
}

TEST(QuestionEditorClipboard, CopyPasteAddMakesAnIdenticalDuplicate) {
  for (int copied = 0; copied < 3; ++copied) {
    SCOPED_TRACE(copied);
    EditorBench bench;
    bench.load(threeQuestions(), copied);
    bench.editor.copyQuestion();
    EXPECT_TRUE(bench.form.enabled[C::PasteQuestion]);
    const FormView shown = viewOf(bench.form);
    bench.editor.cleanFields();
    bench.editor.pasteQuestion();
    // A pasted question looks exactly like the shown one, under "New Question".
    EXPECT_TRUE(viewOf(bench.form) == shown);
    EXPECT_EQ(bench.form.caption, u"New Question");
    EXPECT_TRUE(bench.form.enabled[C::AddQuestion]);
    ASSERT_TRUE(bench.editor.addQuestion());
    EXPECT_EQ(bench.document.questions.back(), threeQuestions()[static_cast<std::size_t>(copied)]);
  }
}

// Ticks clicked in the "Correct Answer" column, each followed by the rule.
TEST(QuestionEditorOneChoice, RefusesASecondTickAndNeverLocks) {
  struct Case {
    const char* name;
    Q type;
    std::string start;        // ticks of three rows, "1" ticked
    std::vector<int> clicks;  // rows whose box the user toggles, in order
    std::string ticks;
    int tickedCount;
  };
  const Case cases[] = {
      {"first tick", Q::OneChoice, "000", {0}, "100", 1},
      {"second tick refused", Q::OneChoice, "000", {0, 2}, "100", 1},
      {"untick, then another", Q::OneChoice, "000", {0, 0, 2}, "001", 1},
      {"shown with two ticks: refused", Q::OneChoice, "110", {2}, "110", 2},
      {"shown with two ticks: untick allowed", Q::OneChoice, "110", {0, 1, 2}, "001", 1},
      {"multiple choice takes every tick", Q::MultipleChoice, "000", {0, 1, 2}, "111", 3},
      {"flash card rows are counted", Q::FlashCard, "100", {1}, "110", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditorBench bench;
    bench.form.type = c.type;
    for (char t : c.start) bench.form.rows.push_back({u"a", t == '1'});
    bench.tickedCount = static_cast<int>(std::count(c.start.begin(), c.start.end(), '1'));
    for (int r : c.clicks) {
      auto& row = bench.form.rows[static_cast<std::size_t>(r)];
      row.ticked = !row.ticked;  // the grid stores the value first, then reports it
      bench.editor.gridValueChanged(r, true);
    }
    std::string ticks;
    for (const FormRow& row : bench.form.rows) ticks += row.ticked ? '1' : '0';
    EXPECT_EQ(ticks, c.ticks);
    EXPECT_EQ(bench.tickedCount, c.tickedCount);
  }
}

TEST(QuestionEditorOneChoice, CountFollowsRowsThroughDeleteAndTextCells) {
  EditorBench bench;
  bench.form.rows = {{u"a", true}, {u"b", false}};
  bench.tickedCount = 1;
  bench.editor.gridValueChanged(1, false);  // a text cell: nothing happens
  EXPECT_EQ(bench.tickedCount, 1);
  bench.form.selectedRow = 0;
  bench.editor.deleteAnswer();
  EXPECT_EQ(bench.form.rowTexts(), Rows{u"b"});
  EXPECT_EQ(bench.tickedCount, 0);
  bench.form.rows[0].ticked = true;  // now allowed: no other row is ticked
  bench.editor.gridValueChanged(0, true);
  EXPECT_EQ(bench.form.rowTexts(), Rows{u"b*"});
  bench.editor.deleteAnswer();  // nothing selected
  bench.editor.addAnswer();     // an empty answer box adds nothing
  EXPECT_EQ(bench.form.rowTexts(), Rows{u"b*"});
}

TEST(QuestionEditorType, SwitchesTheAnswerControlsAndAddQuestion) {
  struct Case {
    Q type;
    std::u16string question;
    bool hasRow;
    bool listEnabled, addEnabled;
  };
  const Case cases[] = {
      {Q::FlashCard, u"", false, false, true},
      {Q::OneChoice, u"", false, true, false},
      {Q::MultipleChoice, u"q", false, true, true},
      {Q::OneChoice, u"", true, true, true},
  };
  for (const Case& c : cases) {
    EditorBench bench;
    bench.form.question = c.question;
    if (c.hasRow) bench.form.rows.push_back({u"a", true});
    bench.form.type = c.type;
    bench.editor.typeChanged();
    EXPECT_EQ(bench.form.enabled[C::AnswerList], c.listEnabled);
    EXPECT_EQ(bench.form.enabled[C::DeleteAnswer], c.listEnabled);
    EXPECT_EQ(bench.form.enabled[C::AddQuestion], c.addEnabled);
  }
}

TEST(QuestionEditorNewExam, EmptiesTheExamButKeepsItsDetails) {
  EditorBench bench;
  bench.document.header = {u"title", u"author", u"mail", u"web", u"about", ExamMode::ExamOnly};
  bench.document.filePath = u"/x/exam.qzm";
  bench.load(threeQuestions(), 2);
  bench.examChanged = true;
  bench.editor.newExam();
  EXPECT_EQ(bench.document.header,
            (ExamHeader{u"title", u"author", u"mail", u"web", u"about", ExamMode::AnyMode}));
  EXPECT_TRUE(bench.document.questions.empty() && bench.document.filePath.empty());
  EXPECT_EQ(bench.currentIndex, 0);
  EXPECT_EQ(bench.form.status, u"Total: 0");
  EXPECT_EQ(bench.form.caption, u"New Question");
  EXPECT_FALSE(bench.examChanged);
}

}  // namespace
}  // namespace quizmora
