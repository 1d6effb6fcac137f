#include "format/exam_file_writer.h"

#include <cstdint>
#include <cstdio>
#include <random>
#include <system_error>

#include "format/file_stream.h"

namespace quizmora {
namespace {

constexpr std::u16string_view kCrLf = u"\r\n";

// Appends the base-10 text of a signed 32-bit number: "-" and digits, no leading zeros.
void appendNumber(std::u16string& out, std::int32_t value) {
  char16_t digits[12];
  std::size_t n = 0;
  // Work on the magnitude as unsigned so that the most negative value needs no special case.
  std::uint32_t magnitude =
      value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  do {
    digits[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) out.push_back(u'-');
  while (n > 0) out.push_back(digits[--n]);
}

// The named or numeric form of a unit the question and answer texts must not hold raw, or
// an empty view when the unit is written as it is.
constexpr std::u16string_view markupEscape(char16_t unit) {
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
    case u'>':
      return u"&gt;";
    default:
      return {};
  }
}

constexpr std::u16string_view headerEscape(char16_t unit) {
  switch (unit) {
    case u'"':
      return u"&quot;";
    case u'&':
      return u"&amp;";
    case u'\'':
      return u"&apos;";
    case u'<':
      return u"&lt;";
    case u'>':
      return u"&gt;";
    default:
      return {};
  }
}

template <typename EscapeFn>
void appendEscaped(std::u16string& out, std::u16string_view text, EscapeFn escape) {
  // Copy runs of ordinary units in one go; most texts hold few or no special units.
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::u16string_view replacement = escape(text[i]);
    if (replacement.empty()) continue;
    out.append(text.data() + runStart, i - runStart);
    out.append(replacement);
    runStart = i + 1;
  }
  out.append(text.data() + runStart, text.size() - runStart);
}

void appendElement(std::u16string& out, std::u16string_view indent, std::u16string_view open,
                   std::u16string_view content, std::u16string_view close) {
  out.append(indent);
  out.append(open);
  out.append(content);
  out.append(close);
  out.append(kCrLf);
}

// An upper bound of the composed size, so the output grows at most once or twice.
std::size_t estimateSize(const ExamDocument& document) {
  std::size_t size = 160 + document.header.author.size() + document.header.title.size();
  for (const QuestionRecord& question : document.questions) {
    size += 60 + question.text.size() + question.text.size() / 8;
    for (const AnswerRecord& answer : question.answers) {
      size += 60 + answer.text.size() + answer.text.size() / 8;
    }
  }
  return size;
}

}  // namespace

std::u16string escapeMarkupText(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  appendEscaped(out, text, markupEscape);
  return out;
}

std::u16string escapeHeaderText(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  appendEscaped(out, text, headerEscape);
  return out;
}

std::u16string composeExamText(const ExamDocument& document) {
  std::u16string out;
  out.reserve(estimateSize(document));

  out.append(u"<Exam>\r\n");
  appendElement(out, u"", u"<QzmVersion>", kExamFileVersion, u"</QzmVersion>");

  out.append(u"<Author>");
  appendEscaped(out, document.header.author, headerEscape);
  out.append(u"</Author>\r\n");
  out.append(u"<Title>");
  appendEscaped(out, document.header.title, headerEscape);
  out.append(u"</Title>\r\n");

  out.append(u"<Mode>");
  appendNumber(out, static_cast<std::int32_t>(document.header.mode));
  out.append(u"</Mode>\r\n");

  // The handheld expects the last question first, and within a question the last answer
  // first; the reader turns both back.
  for (auto question = document.questions.rbegin(); question != document.questions.rend();
       ++question) {
    out.append(u"<Item>\r\n");
    out.append(u"\t<Question>");
    appendEscaped(out, question->text, markupEscape);
    out.append(u"</Question>\r\n");
    out.append(u"\t<Type>");
    appendNumber(out, static_cast<std::int32_t>(question->type));
    out.append(u"</Type>\r\n");
    for (auto answer = question->answers.rbegin(); answer != question->answers.rend(); ++answer) {
      out.append(u"\t<Answer>\r\n");
      out.append(u"\t\t<Text>");
      appendEscaped(out, answer->text, markupEscape);
      out.append(u"</Text>\r\n");
      out.append(answer->correct() ? std::u16string_view(u"\t\t<IsCorrect>1</IsCorrect>\r\n")
                                   : std::u16string_view(u"\t\t<IsCorrect>0</IsCorrect>\r\n"));
      out.append(u"\t</Answer>\r\n");
    }
    out.append(u"</Item>\r\n");
  }

  out.append(u"</Exam>\r\n");
  return out;
}

namespace {

// A name beside the target that nothing else uses: "<name>.<random>.tmp".
std::filesystem::path temporaryPathBeside(const std::filesystem::path& target) {
  static std::mt19937 random{std::random_device{}()};
  std::filesystem::path name = target.filename();
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
  name += suffix;
  return target.parent_path() / name;
}

bool writeUnits(std::FILE* file, std::u16string_view text) {
  // Little-endian byte pairs, in blocks so that a large exam is not copied whole.
  unsigned char block[64 * 1024];
  std::size_t used = 0;
  for (char16_t unit : text) {
    block[used++] = static_cast<unsigned char>(unit & 0xFF);
    block[used++] = static_cast<unsigned char>(unit >> 8);
    if (used == sizeof block) {
      if (std::fwrite(block, 1, used, file) != used) return false;
      used = 0;
    }
  }
  return used == 0 || std::fwrite(block, 1, used, file) == used;
}

}  // namespace

bool writeExamFile(const std::filesystem::path& path, std::u16string_view text) {
  std::error_code error;
  if (path.empty() || std::filesystem::is_directory(path, error)) return false;

  // An existing file we may not write to (read-only, locked) stays as it is.
  if (std::filesystem::exists(path, error)) {
    FileHandle existing = openFile(path, FileMode::ReadWrite);
    if (!existing) return false;
  }

  std::filesystem::path temporary = temporaryPathBeside(path);
  FileHandle file = openFile(temporary, FileMode::WriteNew);
  if (!file) return false;

  bool written = writeUnits(file.get(), text) && std::fflush(file.get()) == 0;
  bool closed = file.close();
  if (!written || !closed) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace quizmora
