#include "format/exam_file_reader.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace quizmora {
namespace {

constexpr char16_t asciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

constexpr char16_t asciiUpper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

constexpr bool isIntegerSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

// True when one of the ascending positions lies in [first, last].
bool anyDecodedIn(const std::vector<std::size_t>& decoded, std::size_t first, std::size_t last) {
  auto it = std::lower_bound(decoded.begin(), decoded.end(), first);
  return it != decoded.end() && *it <= last;
}

// Reads the "&#...;" form at `amp`. On success returns the position of its ";" and the unit
// it stands for; otherwise returns npos.
std::size_t readNumericForm(std::u16string_view text, std::size_t amp, bool oldFormat,
                            char16_t& unit) {
  constexpr std::size_t npos = std::u16string_view::npos;
  if (amp + 1 >= text.size() || text[amp + 1] != u'#') return npos;
  std::uint32_t value = 0;
  for (std::size_t j = amp + 2; j < text.size(); ++j) {
    const char16_t c = asciiLower(text[j]);
    if (c >= u'0' && c <= u'9') {
      value = value * 10u + static_cast<std::uint32_t>(c - u'0');
    } else if (c == u'a') {
      value = 10;  // replaces the value, as the writer's "&#a;" means
    } else if (c == u'd') {
      value = 13;
    } else if (c == u';') {
      unit = static_cast<char16_t>(oldFormat ? value & 0xFFu : value & 0xFFFFu);
      return unit == 0 ? npos : j;
    } else {
      return npos;
    }
  }
  return npos;  // no ";" before the end
}

// Units up to, not including, the first U+0000 (all of them when there is none). Exam
// files are large and rarely hold a NUL, so look at four units at a time.
std::size_t lengthBeforeNul(std::u16string_view text) {
  constexpr std::uint64_t kLow = 0x0001000100010001ull;
  constexpr std::uint64_t kHigh = 0x8000800080008000ull;
  std::size_t i = 0;
  for (; i + 4 <= text.size(); i += 4) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, sizeof word);
    if (((word - kLow) & ~word & kHigh) != 0) break;  // some unit in this word is zero
  }
  for (; i < text.size(); ++i) {
    if (text[i] == u'\0') return i;
  }
  return text.size();
}

}  // namespace

std::u16string decodeTextReferences(std::u16string_view text, bool oldFormat,
                                    const std::vector<std::size_t>& decodedUnits) {
  std::size_t e = text.find(u'&');
  if (e == std::u16string_view::npos) return std::u16string(text);

  std::u16string result;
  result.reserve(text.size());
  std::size_t g = 0;
  while (e != std::u16string_view::npos) {
    result.append(text.data() + g, e - g);
    char16_t unit = 0;
    std::size_t end = readNumericForm(text, e, oldFormat, unit);
    // A form made partly of units the parser decoded is the author's own text: the file held
    // it escaped, so it stays as typed.
    if (end != std::u16string_view::npos && !anyDecodedIn(decodedUnits, e, end)) {
      result.push_back(unit);
      g = end + 1;
    } else {
      result.push_back(u'&');
      g = e + 1;
    }
    e = text.find(u'&', g);
  }
  result.append(text.data() + g, text.size() - g);
  return result;
}

std::int32_t integerValueOf(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isIntegerSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  const std::int64_t limit =
      negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
               : std::numeric_limits<std::int32_t>::max();
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - u'0'), limit);
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

ExamFileReader::ExamFileReader(std::vector<QuestionRecord>& questions) : questions_(questions) {}

ExamFileReader::~ExamFileReader() = default;

void ExamFileReader::reset() {
  elementName_.clear();
  clearText();
  questions_.clear();
  author_.clear();
  title_.clear();
  mode_ = 0;
}

bool ExamFileReader::loadExamText(std::u16string_view text, bool oldFormat) {
  oldFormat_ = oldFormat;
  // Nothing of an earlier load (open elements, a half-built question) leaks into this one.
  discardOpenElements();
  resetPendingQuestion();
  resetPendingAnswer();
  elementName_.clear();
  clearText();

  const std::size_t length = lengthBeforeNul(text);
  loadStart_ = questions_.size();

  MarkupInput input{text.data(), length, 0};
  const bool result = parseMarkup(input);

  // The file holds the last question first; give the questions back in the order they had
  // when they were written.
  std::reverse(questions_.begin() + static_cast<std::ptrdiff_t>(loadStart_), questions_.end());
  return result;
}

void ExamFileReader::setElementName(const std::u16string& name) {
  elementName_.resize(name.size());
  std::transform(name.begin(), name.end(), elementName_.begin(), asciiUpper);
}

void ExamFileReader::resetPendingQuestion() {
  pendingQuestion_.type = QuestionType::OneChoice;
  pendingQuestion_.text.clear();
  pendingQuestion_.answers.clear();
}

void ExamFileReader::resetPendingAnswer() {
  pendingAnswer_.text.clear();
  pendingAnswer_.isCorrect = -1;
}

void ExamFileReader::clearText() {
  text_.clear();
  decodedUnits_.clear();
  ampersandInText_ = false;
}

namespace {

// The elements the reader acts on, recognised from the upper-cased name.
enum class ExamElement {
  Other,
  Author,
  Title,
  Mode,
  Item,
  Question,
  Type,
  Answer,
  Text,
  IsCorrect
};

ExamElement examElementOf(std::u16string_view name) {
  switch (name.size()) {
    case 4:
      if (name == u"ITEM") return ExamElement::Item;
      if (name == u"TEXT") return ExamElement::Text;
      if (name == u"TYPE") return ExamElement::Type;
      if (name == u"MODE") return ExamElement::Mode;
      break;
    case 5:
      if (name == u"TITLE") return ExamElement::Title;
      break;
    case 6:
      if (name == u"ANSWER") return ExamElement::Answer;
      if (name == u"AUTHOR") return ExamElement::Author;
      break;
    case 8:
      if (name == u"QUESTION") return ExamElement::Question;
      break;
    case 9:
      if (name == u"ISCORRECT") return ExamElement::IsCorrect;
      break;
    default:
      break;
  }
  return ExamElement::Other;
}

}  // namespace

void ExamFileReader::onStartElement(const MarkupElement& element) {
  clearText();
  setElementName(element.name);
  switch (examElementOf(elementName_)) {
    case ExamElement::Item:
      resetPendingQuestion();
      break;
    case ExamElement::Answer:
      resetPendingAnswer();
      break;
    default:
      break;
  }
}

std::u16string ExamFileReader::decodedText() const {
  // Every "&" reaches the text through onCharacter; without one there is nothing to decode.
  if (!ampersandInText_) return text_;
  return decodeTextReferences(text_, oldFormat_, decodedUnits_);
}

void ExamFileReader::onEndElement(const MarkupElement& element) {
  setElementName(element.name);
  switch (examElementOf(elementName_)) {
    case ExamElement::Author:
      author_ = text_;
      break;
    case ExamElement::Title:
      title_ = text_;
      break;
    case ExamElement::Mode:
      mode_ = integerValueOf(text_);
      break;
    case ExamElement::Item:
      // Answers too are stored last first.
      std::reverse(pendingQuestion_.answers.begin(), pendingQuestion_.answers.end());
      questions_.push_back(std::move(pendingQuestion_));
      pendingQuestion_ = QuestionRecord{};
      break;
    case ExamElement::Question:
      pendingQuestion_.text = decodedText();
      break;
    case ExamElement::Type:
      pendingQuestion_.type = static_cast<QuestionType>(integerValueOf(text_));
      break;
    case ExamElement::Answer:
      pendingQuestion_.answers.push_back(std::move(pendingAnswer_));
      resetPendingAnswer();
      break;
    case ExamElement::Text:
      pendingAnswer_.text = decodedText();
      break;
    case ExamElement::IsCorrect:
      pendingAnswer_.isCorrect = text_ == u"1" ? 1 : 0;
      break;
    case ExamElement::Other:
      break;
  }
  clearText();
}

void ExamFileReader::onComment(std::u16string_view /*text*/) {}

void ExamFileReader::onCharacters(std::u16string_view run) {
  if (elementName_.empty()) return;
  text_.append(run);
}

void ExamFileReader::onCharacter(char16_t unit) {
  if (elementName_.empty()) return;  // text before the first tag
  if (unitFromReference()) decodedUnits_.push_back(text_.size());
  if (unit == u'&') ampersandInText_ = true;
  text_.push_back(unit);
}

}  // namespace quizmora
