#pragma once
// The exam in memory: a header and an ordered list of questions, each with its ordered
// answers. Plain value types: copying a record copies every string and every answer.

#include <cstdint>
#include <string>
#include <vector>

namespace quizmora {

// Stored as a signed 32-bit number; values other than the named ones can come from a file,
// are kept as they are and are written back unchanged.
enum class QuestionType : std::int32_t {
  OneChoice = 0,
  MultipleChoice = 1,
  FlashCard = 2,
};

// The exam mode chosen in Settings; only stored and written, the handheld interprets it.
enum class ExamMode : std::int32_t {
  AnyMode = 0,
  ExamOnly = 1,
  LearningOnly = 2,
};

struct AnswerRecord {
  std::u16string text;
  // Exactly 1 means correct; any other value (a file may hold -1 or 2) means not correct.
  std::int32_t isCorrect = 0;

  bool correct() const { return isCorrect == 1; }
  friend bool operator==(const AnswerRecord&, const AnswerRecord&) = default;
};

struct QuestionRecord {
  QuestionType type = QuestionType::OneChoice;
  std::u16string text;
  std::vector<AnswerRecord> answers;  // position 0 is the top row of the answer list

  void appendAnswer(const AnswerRecord& answer) { answers.push_back(answer); }
  friend bool operator==(const QuestionRecord&, const QuestionRecord&) = default;
};

struct ExamHeader {
  std::u16string title;
  std::u16string author;
  std::u16string email;        // not stored in the exam file
  std::u16string web;          // not stored in the exam file
  std::u16string description;  // not stored in the exam file
  ExamMode mode = ExamMode::AnyMode;

  friend bool operator==(const ExamHeader&, const ExamHeader&) = default;
};

class ExamDocument {
 public:
  ExamHeader header;
  std::vector<QuestionRecord> questions;  // the editor numbers them from 1 at position 0
  std::u16string filePath;                // empty until the exam is opened, imported or saved

  int questionCount() const { return static_cast<int>(questions.size()); }

  // A copy of the question at i; callers check 0 <= i < questionCount() first.
  QuestionRecord questionAt(int i) const;

  void appendQuestion(const QuestionRecord& question);

  // Overwrites type, text and answers of the question at i; no effect when i is outside
  // 0 .. questionCount() - 1.
  void replaceQuestionAt(int i, QuestionType type, const std::u16string& text,
                         const std::vector<AnswerRecord>& answers);

  // Takes the question at i out; later questions move down one place. Callers check i.
  void removeQuestionAt(int i);

  // Removes every question; the storage is kept for reuse.
  void clearQuestions();

  friend bool operator==(const ExamDocument&, const ExamDocument&) = default;
};

}  // namespace quizmora
