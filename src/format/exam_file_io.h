#pragma once
// Getting exam files into memory. Both readers report whether the file could be opened
// and read at all, so that a command can leave everything untouched when it cannot.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "model/exam_document.h"

namespace quizmora {

// A .qzm file as UTF-16LE units; a final odd byte is ignored. nullopt when the file cannot
// be opened or read, with the reason in `*error` when given.
std::optional<std::u16string> readExamFileText(const std::filesystem::path& path,
                                               std::error_code* error = nullptr);

// The bytes of an old 8-bit exam file as the reader takes them: a 0x1A byte ends the file,
// tab, LF and CR bytes are dropped, the text ends at the first 0x00 byte, and every byte
// becomes the UTF-16 unit of the same value (ISO 8859-1).
std::u16string oldFormatBytesToText(std::string_view bytes);

// An old file read and converted by oldFormatBytesToText; nullopt when it cannot be read.
std::optional<std::u16string> readOldExamFileText(const std::filesystem::path& path,
                                                  std::error_code* error = nullptr);

// What one load yields, for callers that do not keep a reader of their own.
struct LoadedExam {
  std::vector<QuestionRecord> questions;
  std::u16string author;
  std::u16string title;
  std::int32_t mode = 0;
};

LoadedExam loadExam(std::u16string_view text, bool oldFormat);

// The loaded exam as a document: header fields and questions taken over as they stand (the
// mode too, even when it is none of the named ones).
ExamDocument examDocumentOf(LoadedExam loaded);

}  // namespace quizmora
