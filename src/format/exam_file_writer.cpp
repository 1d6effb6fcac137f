#include "format/exam_file_writer.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "format/file_bytes.h"

namespace quizmora {
namespace {

// Units that question and answer texts must not hold raw, and the smaller set that author
// and title must not hold; all lie below 64, so a bit mask tells them apart quickly.
constexpr std::uint64_t bitOf(char16_t unit) { return std::uint64_t{1} << unit; }
constexpr std::uint64_t kHeaderSpecial =
    bitOf(u'"') | bitOf(u'&') | bitOf(u'\'') | bitOf(u'<') | bitOf(u'>');
constexpr std::uint64_t kMarkupSpecial =
    kHeaderSpecial | bitOf(u'\t') | bitOf(u'\n') | bitOf(u'\r');

// Without a branch on "below 64": spaces and digits are common and would make it
// unpredictable.
constexpr bool isSpecial(char16_t unit, std::uint64_t mask) {
  return ((mask >> (unit & 63)) & static_cast<std::uint64_t>(unit < 64)) != 0;
}

// The form a special unit is written in.
constexpr std::u16string_view escapeOf(char16_t unit) {
  switch (unit) {
    case u'\t':
      return u"&#9;";
    case u'\n':
      return u"&#a;";
    case u'\r':
      return u"&#d;";
    case u'"':
      return u"&quot;";
    case u'&':
      return u"&amp;";
    case u'\'':
      return u"&apos;";
    case u'<':
      return u"&lt;";
    default:
      return u"&gt;";
  }
}

// The first unit at or after `p` that must be escaped, or `end`. (Exam texts are short and
// escapes are common in them, so a vector search measured no faster than this loop.)
template <std::uint64_t kMask>
const char16_t* findSpecial(const char16_t* p, const char16_t* end) {
  while (p != end && !isSpecial(*p, kMask)) ++p;
  return p;
}

template <std::uint64_t kMask>
std::size_t escapedSize(std::u16string_view text) {
  std::size_t size = text.size();
  const char16_t* end = text.data() + text.size();
  for (const char16_t* p = findSpecial<kMask>(text.data(), end); p != end;
       p = findSpecial<kMask>(p + 1, end)) {
    size += escapeOf(*p).size() - 1;
  }
  return size;
}

// Writes into storage sized beforehand, so that the hot loops carry no capacity checks.
class UnitWriter {
 public:
  explicit UnitWriter(char16_t* out) : out_(out) {}

  void put(std::u16string_view units) {
    std::memcpy(out_, units.data(), units.size() * sizeof(char16_t));
    out_ += units.size();
  }
  void put(char16_t unit) { *out_++ = unit; }

  template <std::uint64_t kMask>
  void putEscaped(std::u16string_view text) {
    const char16_t* run = text.data();
    const char16_t* end = text.data() + text.size();
    for (;;) {
      const char16_t* special = findSpecial<kMask>(run, end);
      put(std::u16string_view(run, static_cast<std::size_t>(special - run)));
      if (special == end) return;
      put(escapeOf(*special));
      run = special + 1;
    }
  }

  // "-" and the digits of a signed 32-bit number, no leading zeros.
  void putNumber(std::int32_t value) {
    char16_t digits[12];
    std::size_t n = 0;
    // The magnitude as unsigned, so that the most negative value needs no special case.
    std::uint32_t magnitude =
        value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    do {
      digits[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) put(u'-');
    while (n > 0) put(digits[--n]);
  }

  char16_t* position() const { return out_; }

 private:
  char16_t* out_;
};

using namespace std::string_view_literals;

// The fixed parts of the layout. Every row ends with CR LF.
constexpr auto kHead = u"<Exam>\r\n<QzmVersion>1.03</QzmVersion>\r\n<Author>"sv;
constexpr auto kAuthorToTitle = u"</Author>\r\n<Title>"sv;
constexpr auto kTitleToMode = u"</Title>\r\n<Mode>"sv;
constexpr auto kModeEnd = u"</Mode>\r\n"sv;
constexpr auto kItemToQuestion = u"<Item>\r\n\t<Question>"sv;
constexpr auto kQuestionToType = u"</Question>\r\n\t<Type>"sv;
constexpr auto kTypeEnd = u"</Type>\r\n"sv;
constexpr auto kAnswerToText = u"\t<Answer>\r\n\t\t<Text>"sv;
constexpr auto kTextToCorrect = u"</Text>\r\n\t\t<IsCorrect>"sv;
constexpr auto kCorrectToAnswerEnd = u"</IsCorrect>\r\n\t</Answer>\r\n"sv;
constexpr auto kItemEnd = u"</Item>\r\n"sv;
constexpr auto kTail = u"</Exam>\r\n"sv;
constexpr std::size_t kNumberRoom = 11;  // "-2147483648"

// The size of the composed text, counting the most room a number can take.
std::size_t composedSizeBound(const ExamDocument& document) {
  std::size_t size = kHead.size() + kAuthorToTitle.size() + kTitleToMode.size() + kNumberRoom +
                     kModeEnd.size() + kTail.size() +
                     escapedSize<kHeaderSpecial>(document.header.author) +
                     escapedSize<kHeaderSpecial>(document.header.title);
  for (const QuestionRecord& question : document.questions) {
    size += kItemToQuestion.size() + escapedSize<kMarkupSpecial>(question.text) +
            kQuestionToType.size() + kNumberRoom + kTypeEnd.size() + kItemEnd.size();
    for (const AnswerRecord& answer : question.answers) {
      size += kAnswerToText.size() + escapedSize<kMarkupSpecial>(answer.text) +
              kTextToCorrect.size() + 1 + kCorrectToAnswerEnd.size();
    }
  }
  return size;
}

template <std::uint64_t kMask>
std::u16string escaped(std::u16string_view text) {
  std::u16string out(escapedSize<kMask>(text), u'\0');
  UnitWriter(out.data()).putEscaped<kMask>(text);
  return out;
}

}  // namespace

std::u16string escapeMarkupText(std::u16string_view text) { return escaped<kMarkupSpecial>(text); }

std::u16string escapeHeaderText(std::u16string_view text) { return escaped<kHeaderSpecial>(text); }

std::u16string composeExamText(const ExamDocument& document) {
  std::u16string out(composedSizeBound(document), u'\0');
  UnitWriter writer(out.data());

  writer.put(kHead);
  writer.putEscaped<kHeaderSpecial>(document.header.author);
  writer.put(kAuthorToTitle);
  writer.putEscaped<kHeaderSpecial>(document.header.title);
  writer.put(kTitleToMode);
  writer.putNumber(static_cast<std::int32_t>(document.header.mode));
  writer.put(kModeEnd);

  // The handheld expects the last question first, and within a question the last answer
  // first; the reader turns both back.
  for (auto question = document.questions.rbegin(); question != document.questions.rend();
       ++question) {
    writer.put(kItemToQuestion);
    writer.putEscaped<kMarkupSpecial>(question->text);
    writer.put(kQuestionToType);
    writer.putNumber(static_cast<std::int32_t>(question->type));
    writer.put(kTypeEnd);
    for (auto answer = question->answers.rbegin(); answer != question->answers.rend(); ++answer) {
      writer.put(kAnswerToText);
      writer.putEscaped<kMarkupSpecial>(answer->text);
      writer.put(kTextToCorrect);
      writer.put(answer->correct() ? u'1' : u'0');
      writer.put(kCorrectToAnswerEnd);
    }
    writer.put(kItemEnd);
  }

  writer.put(kTail);
  out.resize(static_cast<std::size_t>(writer.position() - out.data()));
  return out;
}

namespace {

bool writeUnits(std::FILE* file, std::u16string_view text) {
  // Little-endian byte pairs, in blocks so that a large exam is not copied whole.
  char block[64 * 1024];
  std::size_t used = 0;
  for (char16_t unit : text) {
    block[used++] = static_cast<char>(unit & 0xFF);
    block[used++] = static_cast<char>(unit >> 8);
    if (used == sizeof block) {
      if (!writeAll(file, {block, used})) return false;
      used = 0;
    }
  }
  return writeAll(file, {block, used});
}

}  // namespace

bool writeExamFile(const std::filesystem::path& path, std::u16string_view text,
                   std::error_code* error) {
  return writeFileReplacing(
      path, [text](std::FILE* file) { return writeUnits(file, text); }, error);
}

}  // namespace quizmora
