// The exam model's container operations.
#include "model/exam_document.h"

#include <gtest/gtest.h>

namespace quizmora {
namespace {

ExamDocument examOf(std::initializer_list<const char16_t*> texts) {
  ExamDocument exam;
  for (const char16_t* text : texts) exam.appendQuestion({QuestionType::OneChoice, text, {}});
  return exam;
}

std::vector<std::u16string> textsOf(const ExamDocument& exam) {
  std::vector<std::u16string> texts;
  for (const auto& q : exam.questions) texts.push_back(q.text);
  return texts;
}

TEST(ExamDocument, StartsEmpty) {
  const ExamDocument exam;
  EXPECT_EQ(exam.questionCount(), 0);
  EXPECT_EQ(exam.header, ExamHeader{});
  EXPECT_EQ(exam.header.mode, ExamMode::AnyMode);
  EXPECT_TRUE(exam.filePath.empty());
}

TEST(ExamDocument, RemovingMovesLaterQuestionsDown) {
  struct Case {
    int remove;
    std::vector<std::u16string> left;
  };
  const Case cases[] = {
      {0, {u"b", u"c"}},
      {1, {u"a", u"c"}},
      {2, {u"a", u"b"}},
  };
  for (const Case& c : cases) {
    ExamDocument exam = examOf({u"a", u"b", u"c"});
    exam.removeQuestionAt(c.remove);
    EXPECT_EQ(textsOf(exam), c.left) << c.remove;
  }
  ExamDocument single = examOf({u"only"});
  single.removeQuestionAt(0);
  EXPECT_EQ(single.questionCount(), 0);
}

TEST(ExamDocument, ReplaceChangesOnlyStoredPositions) {
  const std::vector<AnswerRecord> answers{{u"x", 1}};
  for (int position : {-1, 2, 3}) {
    ExamDocument exam = examOf({u"a", u"b"});
    const ExamDocument before = exam;
    exam.replaceQuestionAt(position, QuestionType::FlashCard, u"new", answers);
    EXPECT_EQ(exam, before) << position;
  }
  ExamDocument empty;
  empty.replaceQuestionAt(0, QuestionType::FlashCard, u"new", answers);
  EXPECT_EQ(empty.questionCount(), 0);

  ExamDocument exam = examOf({u"a", u"b"});
  exam.replaceQuestionAt(1, QuestionType::FlashCard, u"new", answers);
  EXPECT_EQ(exam.questionAt(1), (QuestionRecord{QuestionType::FlashCard, u"new", answers}));
  EXPECT_EQ(exam.questionAt(0).text, u"a");
}

TEST(ExamDocument, CopiesAreIndependent) {
  ExamDocument exam;
  exam.appendQuestion({QuestionType::OneChoice, u"q", {{u"old", 1}}});
  const QuestionRecord copy = exam.questionAt(0);
  exam.questions[0].answers[0].text = u"edited";
  exam.questions[0].appendAnswer({u"more", 0});
  EXPECT_EQ(copy.answers, (std::vector<AnswerRecord>{{u"old", 1}}));

  QuestionRecord appended{QuestionType::OneChoice, u"a", {}};
  exam.appendQuestion(appended);
  appended.text = u"changed";
  EXPECT_EQ(exam.questionAt(1).text, u"a");
}

TEST(ExamDocument, ClearingKeepsTheStorage) {
  ExamDocument exam = examOf({u"a", u"b", u"c"});
  const auto capacity = exam.questions.capacity();
  exam.clearQuestions();
  EXPECT_EQ(exam.questionCount(), 0);
  EXPECT_EQ(exam.questions.capacity(), capacity);
}

TEST(AnswerRecord, OnlyOneIsCorrect) {
  for (std::int32_t value : {-1, 0, 2, 100, INT32_MIN}) {
    EXPECT_FALSE((AnswerRecord{u"", value}.correct())) << value;
  }
  EXPECT_TRUE((AnswerRecord{u"", 1}.correct()));
}

}  // namespace
}  // namespace quizmora
