#include "format/exam_file_io.h"

#include <bit>
#include <cstring>
#include <system_error>

#include "format/exam_file_reader.h"
#include "format/file_stream.h"

namespace quizmora {
namespace {

// Reads the rest of `file` into `bytes`. False on a read error.
bool readAllBytes(std::FILE* file, std::string& bytes) {
  char block[64 * 1024];
  for (;;) {
    std::size_t got = std::fread(block, 1, sizeof block, file);
    bytes.append(block, got);
    if (got < sizeof block) return std::ferror(file) == 0;
  }
}

}  // namespace

std::optional<std::u16string> readExamFileText(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::nullopt;
  FileHandle file = openFile(path, FileMode::Read);
  if (!file) return std::nullopt;

  // Read straight into the units where the machine is little-endian, so a large exam is held
  // in memory once.
  std::u16string text;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && std::endian::native == std::endian::little) {
    text.resize(static_cast<std::size_t>(size / 2));
    std::size_t got = std::fread(text.data(), 2, text.size(), file.get());
    if (std::ferror(file.get())) return std::nullopt;
    text.resize(got);
    if (got < static_cast<std::size_t>(size / 2)) return text;  // shrank while reading
    // A file that grew since its size was taken: take the rest as well.
  }
  std::string rest;
  if (!readAllBytes(file.get(), rest)) return std::nullopt;
  for (std::size_t i = 0; i + 1 < rest.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(rest[i]) |
                                         static_cast<unsigned char>(rest[i + 1]) << 8));
  }
  return text;  // a final odd byte is not part of any unit
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

std::optional<std::u16string> readOldExamFileText(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::nullopt;
  FileHandle file = openFile(path, FileMode::Read);
  if (!file) return std::nullopt;
  std::string bytes;
  if (!readAllBytes(file.get(), bytes)) return std::nullopt;
  return oldFormatBytesToText(bytes);
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
