#pragma once
// Telling an exam file from anything else, in either layout: the UTF-16 file the program
// saves, or the old 8-bit file it sends after an Import.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/exam_document.h"

namespace quizmora {

// The exam in an uploaded file's bytes; nullopt when they are not an exam: the text, in the
// layout its first two bytes show, must open with the <Exam> element (after white space) and
// close it, as every file the program writes does.
std::optional<ExamDocument> readUploadedExam(std::string_view bytes);

// The same for a stored exam file, read once and let go before the exam is built up, so
// that a large exam is held about twice at most. nullopt also when it cannot be read.
std::optional<ExamDocument> readStoredExam(const std::filesystem::path& path);

}  // namespace quizmora
