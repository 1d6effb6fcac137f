#include "format/exam_file_io.h"

#include "format/exam_file_reader.h"
#include "format/file_bytes.h"

namespace quizmora {

std::optional<std::u16string> readExamFileText(const std::filesystem::path& path,
                                               std::error_code* error) {
  return readFileUnits(path, error);
}

std::u16string oldFormatBytesToText(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0x1A || byte == 0x00) break;  // end of a text-mode file; end of the text
    if (byte == 0x09 || byte == 0x0A || byte == 0x0D) continue;  // line structure means nothing
    text.push_back(static_cast<char16_t>(byte));
  }
  return text;
}

std::optional<std::u16string> readOldExamFileText(const std::filesystem::path& path,
                                                  std::error_code* error) {
  std::optional<std::string> bytes = readFileBytes(path, error);
  if (!bytes) return std::nullopt;
  return oldFormatBytesToText(*bytes);
}

LoadedExam loadExam(std::u16string_view text, bool oldFormat) {
  LoadedExam loaded;
  ExamFileReader reader(loaded.questions);
  reader.reset();
  reader.loadExamText(text, oldFormat);
  loaded.author = reader.author();
  loaded.title = reader.title();
  loaded.mode = reader.mode();
  return loaded;
}

ExamDocument examDocumentOf(LoadedExam loaded) {
  ExamDocument document;
  document.header.title = std::move(loaded.title);
  document.header.author = std::move(loaded.author);
  document.header.mode = static_cast<ExamMode>(loaded.mode);
  document.questions = std::move(loaded.questions);
  return document;
}

}  // namespace quizmora
