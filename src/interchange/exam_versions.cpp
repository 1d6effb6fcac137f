#include "interchange/exam_versions.h"

#include <algorithm>
#include <array>
#include <limits>
#include <numeric>
#include <utility>

namespace quizmora {
namespace {

// SplitMix64: tiny, fully specified, and the same on every compiler and library, which the
// standard distributions are not; a seed must give the same versions wherever it is used.
class SeededDraw {
 public:
  explicit SeededDraw(std::uint64_t seed) : state_(seed) {}

  // Uniform in 0 .. bound - 1 (bound > 0): draws past the last whole multiple of `bound`
  // are thrown back, so no value is more likely than another.
  std::size_t below(std::size_t bound) {
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t limit = kMax - kMax % bound;
    std::uint64_t value = next();
    while (value >= limit) value = next();
    return static_cast<std::size_t>(value % bound);
  }

  // Fisher-Yates over [first, last).
  void shuffle(std::vector<std::size_t>& order, std::size_t first, std::size_t last) {
    for (std::size_t i = last; i > first + 1; --i) {
      std::swap(order[i - 1], order[first + below(i - first)]);
    }
  }

 private:
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  std::uint64_t state_;
};

bool isWordUnit(char16_t unit) {
  return unit >= 0x80 || (unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'z') ||
         (unit >= u'A' && unit <= u'Z');
}

std::vector<std::u16string_view> wordsOf(std::u16string_view text) {
  std::vector<std::u16string_view> words;
  std::size_t at = 0;
  while (at < text.size()) {
    if (!isWordUnit(text[at])) {
      ++at;
      continue;
    }
    const std::size_t start = at;
    while (at < text.size() && isWordUnit(text[at])) ++at;
    words.push_back(text.substr(start, at - start));
  }
  return words;
}

// Whether the word is one of `list`, in any case of ASCII letters.
template <std::size_t N>
bool isOneOf(std::u16string_view word, const std::array<std::string_view, N>& list) {
  return std::any_of(list.begin(), list.end(), [word](std::string_view candidate) {
    if (candidate.size() != word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
      char16_t unit = word[i];
      if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit + 32);
      if (unit != static_cast<unsigned char>(candidate[i])) return false;
    }
    return true;
  });
}

constexpr std::array<std::string_view, 2> kPlaces = {"above", "below"};
constexpr std::array<std::string_view, 5> kQuantities = {"all", "none", "both", "neither", "any"};
constexpr std::array<std::string_view, 15> kLetterLinks = {
    "and",     "or",      "nor",     "both", "neither", "either",  "only", "all",
    "answers", "options", "choices", "are",  "is",      "correct", "true"};

bool isCapitalLetter(std::u16string_view word) {
  return word.size() == 1 && word[0] >= u'A' && word[0] <= u'Z';
}

// The runs of choice positions a version may reorder: none when a choice names others by
// letter; otherwise the runs between the choices that name others by place.
std::vector<std::pair<std::size_t, std::size_t>> movableRuns(const QuestionRecord& question) {
  std::vector<std::pair<std::size_t, std::size_t>> runs;
  if (!isChoiceQuestion(question)) return runs;
  std::size_t start = 0;
  const std::size_t count = question.answers.size();
  for (std::size_t i = 0; i < count; ++i) {
    const ChoiceReference reference = choiceReference(question.answers[i].text);
    if (reference == ChoiceReference::ByLetter) return {};
    if (reference == ChoiceReference::ByPlace) {
      if (i > start + 1) runs.emplace_back(start, i);
      start = i + 1;
    }
  }
  if (count > start + 1) runs.emplace_back(start, count);
  return runs;
}

ExamVersion examOrder(const ExamDocument& exam) {
  ExamVersion version;
  version.questionOrder.resize(exam.questions.size());
  std::iota(version.questionOrder.begin(), version.questionOrder.end(), std::size_t{0});
  version.choiceOrder.resize(exam.questions.size());
  for (std::size_t p = 0; p < exam.questions.size(); ++p) {
    if (!isChoiceQuestion(exam.questions[p])) continue;
    std::vector<std::size_t>& choices = version.choiceOrder[p];
    choices.resize(exam.questions[p].answers.size());
    std::iota(choices.begin(), choices.end(), std::size_t{0});
  }
  return version;
}

constexpr std::pair<ShuffleKind, std::string_view> kShuffleNames[] = {
    {ShuffleKind::Questions, "questions"},
    {ShuffleKind::Choices, "choices"},
    {ShuffleKind::Both, "both"}};

// Enough to find the last unused order of a small exam (4 questions: 24 orders) almost
// always, and a bound on the work when there is none left.
constexpr int kDrawsPerVersion = 1000;

}  // namespace

std::optional<ShuffleKind> shuffleKindNamed(std::string_view name) {
  for (const auto& [kind, known] : kShuffleNames) {
    if (known == name) return kind;
  }
  return std::nullopt;
}

std::string_view shuffleKindName(ShuffleKind kind) {
  for (const auto& [known, name] : kShuffleNames) {
    if (known == kind) return name;
  }
  return kShuffleNames[0].second;
}

bool isChoiceQuestion(const QuestionRecord& question) {
  return question.type == QuestionType::OneChoice || question.type == QuestionType::MultipleChoice;
}

ChoiceReference choiceReference(std::u16string_view text) {
  const std::vector<std::u16string_view> words = wordsOf(text);
  int letters = 0;
  bool onlyLetters = true;
  for (std::u16string_view word : words) {
    if (isCapitalLetter(word)) {
      ++letters;
    } else if (!isOneOf(word, kLetterLinks)) {
      onlyLetters = false;
      break;
    }
  }
  if (onlyLetters && letters >= 2) return ChoiceReference::ByLetter;

  for (std::size_t i = 0; i < words.size(); ++i) {
    if (!isOneOf(words[i], kPlaces)) continue;
    for (std::size_t j = i > 4 ? i - 4 : 0; j < i; ++j) {
      if (isOneOf(words[j], kQuantities)) return ChoiceReference::ByPlace;
    }
  }
  return ChoiceReference::None;
}

std::vector<ExamVersion> makeExamVersions(const ExamDocument& exam, int count, ShuffleKind shuffle,
                                          std::uint64_t seed) {
  count = std::clamp(count, 1, kMaxExamVersions);
  const bool questions = shuffle != ShuffleKind::Choices;
  const bool choices = shuffle != ShuffleKind::Questions;
  std::vector<std::vector<std::pair<std::size_t, std::size_t>>> runs;
  for (const QuestionRecord& question : exam.questions) runs.push_back(movableRuns(question));

  const ExamVersion original = examOrder(exam);
  auto sameOrder = [questions](const ExamVersion& a, const ExamVersion& b) {
    return questions ? a.questionOrder == b.questionOrder : a.choiceOrder == b.choiceOrder;
  };
  std::vector<ExamVersion> versions{original};
  SeededDraw draw(seed);
  for (int v = 1; v < count; ++v) {
    ExamVersion version;
    for (int attempt = 0; attempt < kDrawsPerVersion; ++attempt) {
      version = original;
      if (questions) draw.shuffle(version.questionOrder, 0, version.questionOrder.size());
      if (choices) {
        for (std::size_t p = 0; p < runs.size(); ++p) {
          for (const auto& [first, last] : runs[p])
            draw.shuffle(version.choiceOrder[p], first, last);
        }
      }
      const bool seen =
          std::any_of(versions.begin(), versions.end(),
                      [&](const ExamVersion& other) { return sameOrder(version, other); });
      if (!seen) break;
    }
    versions.push_back(std::move(version));
  }
  return versions;
}

std::uint64_t contentSeed(const ExamDocument& exam) {
  // FNV-1a over every unit, with a unit no text holds between the texts.
  std::uint64_t hash = 0xCBF29CE484222325ull;
  auto add = [&hash](std::uint64_t unit) {
    hash ^= unit;
    hash *= 0x100000001B3ull;
  };
  auto addText = [&add](std::u16string_view text) {
    for (char16_t unit : text) add(unit);
    add(0xFFFFFu);
  };
  addText(exam.header.title);
  addText(exam.header.author);
  for (const QuestionRecord& question : exam.questions) {
    add(static_cast<std::uint32_t>(question.type));
    addText(question.text);
    for (const AnswerRecord& answer : question.answers) {
      addText(answer.text);
      add(answer.correct() ? 1u : 0u);
    }
  }
  return hash % 1000000u;
}

}  // namespace quizmora
