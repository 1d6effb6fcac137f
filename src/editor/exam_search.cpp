#include "editor/exam_search.h"

#include <algorithm>

namespace quizmora {
namespace {

// Capital letters of Latin (Basic, Latin-1, Extended-A), Greek and Cyrillic to their small
// forms; everything else as it is. The C libraries' own mapping depends on the locale and
// leaves all but A to Z alone in the one a program starts in.
char16_t folded(char16_t unit) {
  const auto shifted = [unit](int by) { return static_cast<char16_t>(unit + by); };
  if ((unit >= u'A' && unit <= u'Z') || (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7) ||
      (unit >= 0x391 && unit <= 0x3AB && unit != 0x3A2) || (unit >= 0x410 && unit <= 0x42F)) {
    return shifted(32);
  }
  if (unit >= 0x400 && unit <= 0x40F) return shifted(80);
  if ((unit >= 0x100 && unit <= 0x137) || (unit >= 0x14A && unit <= 0x177)) {
    return static_cast<char16_t>(unit | 1);
  }
  if (((unit >= 0x139 && unit <= 0x148) || (unit >= 0x179 && unit <= 0x17E)) && (unit & 1)) {
    return shifted(1);
  }
  if (unit == 0x178) return 0xFF;
  if (unit == 0x386) return 0x3AC;
  if (unit >= 0x388 && unit <= 0x38A) return shifted(37);
  if (unit == 0x38C) return 0x3CC;
  if (unit == 0x38E || unit == 0x38F) return shifted(63);
  return unit;
}

std::optional<std::size_t> findIn(const std::u16string& haystack, const std::u16string& needle,
                                  bool matchCase) {
  if (matchCase) {
    const std::size_t at = haystack.find(needle);
    return at == std::u16string::npos ? std::nullopt : std::optional<std::size_t>(at);
  }
  const auto same = [](char16_t a, char16_t b) { return folded(a) == folded(b); };
  const auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(), same);
  if (it == haystack.end()) return std::nullopt;
  return static_cast<std::size_t>(it - haystack.begin());
}

bool isChoice(QuestionType type) {
  return type == QuestionType::OneChoice || type == QuestionType::MultipleChoice;
}

std::optional<FoundText> findInQuestion(const QuestionRecord& question, int index,
                                        const std::u16string& text, bool matchCase) {
  if (auto at = findIn(question.text, text, matchCase)) {
    return FoundText{index, FoundIn::QuestionBox, 0, *at, text.size()};
  }
  const auto& answers = question.answers;
  const bool choice = isChoice(question.type);
  if (!choice && !answers.empty()) {
    if (auto at = findIn(answers.front().text, text, matchCase)) {
      return FoundText{index, FoundIn::AnswerBox, 0, *at, text.size()};
    }
  }
  // The rows list the answers from the last to the first (a flash card's back stays in the
  // answer box).
  const std::size_t firstRowAnswer = choice ? 0 : 1;
  int row = 0;
  for (std::size_t i = answers.size(); i > firstRowAnswer; --i, ++row) {
    if (auto at = findIn(answers[i - 1].text, text, matchCase)) {
      return FoundText{index, FoundIn::AnswerRow, row, *at, text.size()};
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<FoundText> findInExam(const ExamDocument& exam, int shown, const std::u16string& text,
                                    bool matchCase) {
  const int count = exam.questionCount();
  if (text.empty() || count == 0) return std::nullopt;
  const int start = shown >= 0 && shown < count ? shown + 1 : 0;
  for (int step = 0; step < count; ++step) {
    const int index = (start + step) % count;
    if (auto found = findInQuestion(exam.questions[static_cast<std::size_t>(index)], index, text,
                                    matchCase)) {
      return found;
    }
  }
  return std::nullopt;
}

}  // namespace quizmora
