#include "random_exam.h"

#include <random>


namespace quizmora::test {

const std::vector<std::u16string>& specialTexts() {
  static const std::vector<std::u16string> texts = {
      u"",
      u"Plain text",
      u"a < b && c > d",
      u"]]> closes a CDATA section",
      u"<![CDATA[x]]>",
      u"\"double\" and 'single' quotes",
      u"&amp; &lt; &#10; &nbsp; typed as text",
      u"<b>not bold</b> <br> <p>",
      u"line one\r\nline two\r\n\r\nline four",
      u"\r\nstarts and ends with a break\r\n",
      u"tab\there  two  spaces ",
      u"   ",
      u"\u00C9l\u00E8ve, na\u00EFve, \u00DCbung, \u00F1and\u00FA",
      u"\u6F22\u5B57\u306E\u554F\u984C",
      u"emoji \U0001F600 and \U0001F4DA",
      u"* star, \\* escaped star, back\\slash, a/b//c",
      u"$course$/top/looks like a path",
  };
  return texts;
}

namespace {

class Random {
 public:
  explicit Random(std::uint32_t seed) : engine_(seed) {}
  std::size_t below(std::size_t bound) { return engine_() % bound; }

 private:
  std::mt19937 engine_;
};

std::u16string randomText(Random& random) {
  const std::vector<std::u16string>& pool = specialTexts();
  std::u16string text;
  const std::size_t pieces = random.below(4);
  for (std::size_t i = 0; i < pieces; ++i) text += pool[random.below(pool.size())];
  return text;
}

}  // namespace

ExamDocument randomExam(std::uint32_t seed) {
  Random random(seed);
  ExamDocument exam;
  exam.header.title = randomText(random);
  exam.header.author = randomText(random);
  const std::size_t count = random.below(12);
  for (std::size_t i = 0; i < count; ++i) {
    QuestionRecord question;
    question.type = static_cast<QuestionType>(random.below(3));
    question.text = randomText(random);
    if (question.type == QuestionType::FlashCard) {
      question.answers.push_back({randomText(random), 1});
    } else {
      const std::size_t answers = 1 + random.below(7);
      const std::size_t firstCorrect = random.below(answers);
      for (std::size_t j = 0; j < answers; ++j) {
        const bool correct = j == firstCorrect || (question.type == QuestionType::MultipleChoice &&
                                                   random.below(3) == 0);
        question.answers.push_back({randomText(random), correct ? 1 : 0});
      }
    }
    exam.questions.push_back(std::move(question));
  }
  return exam;
}

ExamDocument specialTextsExam() {
  ExamDocument exam;
  for (const std::u16string& text : specialTexts()) {
    exam.header.title += text;
    exam.header.author += text;
    exam.questions.push_back({QuestionType::OneChoice, text, {{text, 1}, {u"other", 0}}});
    exam.questions.push_back({QuestionType::MultipleChoice, text, {{u"x", 0}, {text, 1}}});
    exam.questions.push_back({QuestionType::FlashCard, text, {{text, 1}}});
  }
  return exam;
}

}  // namespace quizmora::test
