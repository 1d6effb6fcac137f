#include "interchange/xml_export.h"

#include "interchange/xml_text.h"

namespace quizmora {

ExportedQuestion exportedQuestion(const QuestionRecord& question, int number,
                                  InterchangeReport& report) {
  ExportedQuestion out;
  bool dropped = false;
  out.text = xmlSafeUtf8(question.text, dropped);
  switch (question.type) {
    case QuestionType::OneChoice:
    case QuestionType::MultipleChoice:
      out.kind = question.type;
      out.answers.reserve(question.answers.size());
      for (const AnswerRecord& answer : question.answers) {
        out.answers.push_back({xmlSafeUtf8(answer.text, dropped), answer.correct()});
      }
      break;
    default:
      if (question.type != QuestionType::FlashCard) {
        report.warn(number, 0,
                    "type " + std::to_string(static_cast<int>(question.type)) +
                        " is not a kind of question this program knows; written as a flash card");
      }
      out.kind = QuestionType::FlashCard;
      out.answers.push_back({question.answers.empty()
                                 ? std::string()
                                 : xmlSafeUtf8(question.answers[0].text, dropped),
                             true});
      if (question.answers.size() > 1) {
        const std::size_t extra = question.answers.size() - 1;
        report.warn(number, 0,
                    std::to_string(extra) + (extra == 1 ? " answer" : " answers") +
                        " after the back of the flash card left out");
      }
      break;
  }
  if (dropped) report.warn(number, 0, "characters XML cannot hold were left out");
  return out;
}

void noteLostHeader(const ExamHeader& header, bool keepsAuthor, InterchangeReport& report) {
  if (!keepsAuthor && !header.author.empty()) report.warn(0, 0, "the author is not kept");
  if (header.mode != ExamMode::AnyMode) report.warn(0, 0, "the exam mode is not kept");
}

}  // namespace quizmora
