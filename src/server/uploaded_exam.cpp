#include "server/uploaded_exam.h"

#include <cstring>

#include "format/exam_file_io.h"
#include "format/file_bytes.h"

namespace quizmora {
namespace {

char16_t lowered(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool isSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\uFEFF';
}

// Where `tag` (lower case) starts in `text`, compared without regard to case, from `from`.
std::size_t findNoCase(std::u16string_view text, std::u16string_view tag, std::size_t from) {
  for (std::size_t i = from; i + tag.size() <= text.size(); ++i) {
    std::size_t j = 0;
    while (j < tag.size() && lowered(text[i + j]) == tag[j]) ++j;
    if (j == tag.size()) return i;
  }
  return std::u16string_view::npos;
}

bool isExamText(std::u16string_view text) {
  std::size_t start = 0;
  while (start < text.size() && isSpace(text[start])) ++start;
  constexpr std::u16string_view kOpen = u"<exam>";
  if (findNoCase(text.substr(0, start + kOpen.size()), kOpen, start) != start) return false;
  return findNoCase(text, u"</exam>", start + kOpen.size()) != std::u16string_view::npos;
}

// A file in the program's layout begins with "<" as the unit 3C 00; an old 8-bit file has a
// character in its second byte.
bool isOldLayout(std::u16string_view units) { return !units.empty() && (units[0] >> 8) != 0; }

std::optional<ExamDocument> examOfText(std::u16string text, bool oldFormat) {
  if (!isExamText(text)) return std::nullopt;
  LoadedExam loaded = loadExam(text, oldFormat);
  text = std::u16string();
  return examDocumentOf(std::move(loaded));
}

}  // namespace

std::optional<ExamDocument> readUploadedExam(std::string_view bytes) {
  if (bytes.size() >= 2 && bytes[1] != '\0') return examOfText(oldFormatBytesToText(bytes), true);
  std::u16string units(bytes.size() / 2, u'\0');
  std::memcpy(units.data(), bytes.data(), units.size() * 2);
  return examOfText(std::move(units), false);
}

std::optional<ExamDocument> readStoredExam(const std::filesystem::path& path) {
  std::optional<std::u16string> units = readFileUnits(path);
  if (!units) return std::nullopt;
  if (!isOldLayout(*units)) return examOfText(std::move(*units), false);
  units.reset();  // old files are read byte by byte: an odd length loses no character
  std::optional<std::u16string> text = readOldExamFileText(path);
  if (!text) return std::nullopt;
  return examOfText(std::move(*text), true);
}

}  // namespace quizmora
