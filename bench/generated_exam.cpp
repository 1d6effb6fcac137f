#include "generated_exam.h"

#include <array>
#include <random>
#include <string>

namespace quizmora {

namespace {

constexpr std::u16string_view kLetters = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::u16string_view kAccented =
    u"\u00E9\u00E8\u00E0\u00FC\u00F6\u00E4\u00F1\u00E7\u00F8\u00C5\u0161\u0142";
constexpr std::u16string_view kCjk =
    u"\u6F22\u5B57\u554F\u984C\u7B54\u3048\u8A66\u9A13\u5B66\u7FD2\u65E5\u672C";
constexpr std::u16string_view kEscaped = u"<>&\"'\t";

// std::uniform_int_distribution differs between standard libraries; plain modulo does not.
class Random {
 public:
  explicit Random(std::uint32_t seed) : engine_(seed) {}
  std::size_t below(std::size_t bound) { return engine_() % bound; }
  std::size_t between(std::size_t low, std::size_t high) { return low + below(high - low + 1); }

 private:
  std::mt19937 engine_;
};

char16_t pick(Random& random, std::u16string_view pool) { return pool[random.below(pool.size())]; }

// Roughly: 70 % letters, 14 % spaces, 6 % accented, 5 % CJK, 4 % escaped, 1 % line breaks.
std::u16string text(Random& random, std::size_t length) {
  std::u16string out;
  out.reserve(length);
  while (out.size() < length) {
    const std::size_t roll = random.below(100);
    if (roll < 70) {
      out.push_back(pick(random, kLetters));
    } else if (roll < 84) {
      out.push_back(u' ');
    } else if (roll < 90) {
      out.push_back(pick(random, kAccented));
    } else if (roll < 95) {
      out.push_back(pick(random, kCjk));
    } else if (roll < 99) {
      out.push_back(pick(random, kEscaped));
    } else if (out.size() + 2 <= length) {
      out.append(u"\r\n");
    }
  }
  return out;
}

}  // namespace

ExamDocument generateExam(int questionCount, std::uint32_t seed) {
  Random random(seed);
  ExamDocument exam;
  exam.header.title = u"Generated exam \u00E9\u6F22 <" + std::u16string(1, u'&') + u">";
  exam.header.author = u"Quizmora benchmark";
  exam.header.mode = ExamMode::ExamOnly;
  exam.questions.reserve(static_cast<std::size_t>(questionCount));
  for (int i = 0; i < questionCount; ++i) {
    QuestionRecord question;
    question.type = static_cast<QuestionType>(random.below(3));
    question.text = text(random, random.between(80, 200));
    const std::size_t correct = random.below(4);
    for (std::size_t j = 0; j < 4; ++j) {
      question.answers.push_back(
          AnswerRecord{text(random, random.between(20, 60)), j == correct ? 1 : 0});
    }
    exam.questions.push_back(std::move(question));
  }
  return exam;
}

}  // namespace quizmora
