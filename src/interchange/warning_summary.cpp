#include "interchange/warning_summary.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace quizmora {
namespace {

enum class Place { None, Question, Line };

struct Kind {
  Place place;
  const std::string* text;
  std::vector<int> numbers;
};

// "1-40, 42, 57-100000" from numbers in ascending order, each once.
std::string ranges(const std::vector<int>& numbers) {
  std::string out;
  for (std::size_t i = 0; i < numbers.size();) {
    std::size_t last = i;
    while (last + 1 < numbers.size() && numbers[last + 1] == numbers[last] + 1) ++last;
    if (!out.empty()) out += ", ";
    out += std::to_string(numbers[i]);
    if (last > i) out += "-" + std::to_string(numbers[last]);
    i = last + 1;
  }
  return out;
}

}  // namespace

std::vector<std::string> summarizedWarnings(const InterchangeReport& report) {
  std::vector<Kind> kinds;
  std::unordered_map<std::string, std::size_t> kindOf;  // place as a digit, then the text
  for (const InterchangeNote& note : report.warnings) {
    const Place place = note.line > 0       ? Place::Line
                        : note.question > 0 ? Place::Question
                                            : Place::None;
    const std::string key = std::to_string(static_cast<int>(place)) + note.text;
    const auto [found, added] = kindOf.try_emplace(key, kinds.size());
    if (added) kinds.push_back({place, &note.text, {}});
    if (place != Place::None) {
      kinds[found->second].numbers.push_back(place == Place::Line ? note.line : note.question);
    }
  }
  std::vector<std::string> lines;
  lines.reserve(kinds.size());
  for (Kind& kind : kinds) {
    std::sort(kind.numbers.begin(), kind.numbers.end());
    kind.numbers.erase(std::unique(kind.numbers.begin(), kind.numbers.end()), kind.numbers.end());
    std::string line;
    if (kind.place != Place::None) {
      line = kind.place == Place::Line ? "line" : "question";
      if (kind.numbers.size() > 1) line += "s";
      line += " " + ranges(kind.numbers) + ": ";
    }
    lines.push_back(line + *kind.text);
  }
  return lines;
}

std::string noteText(const InterchangeNote& note) {
  if (note.line > 0) return "line " + std::to_string(note.line) + ": " + note.text;
  if (note.question > 0) return "question " + std::to_string(note.question) + ": " + note.text;
  return note.text;
}

}  // namespace quizmora
