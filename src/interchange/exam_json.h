#pragma once
// The JSON face of an exam: {"title", "author", "mode", "questions": [{"type", "text",
// "answers": [{"text", "isCorrect"}]}]}, keys in that order, texts in UTF-8.

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "format/exam_file_io.h"
#include "model/exam_document.h"

namespace quizmora {

// The parts of the document an exam file stores; lone surrogates print as U+FFFD.
nlohmann::ordered_json examToJson(const ExamDocument& document);

// The result of reading JSON text: the document, or why it is not a readable exam.
struct JsonExamResult {
  ExamDocument document;
  std::string error;  // empty when the document is good
  bool ok() const { return error.empty(); }
};

// Missing keys keep the model's defaults; wrong JSON types, numbers outside the signed 32-bit
// range, invalid JSON or UTF-8 and texts holding U+0000 (no exam text can hold it) are errors.
// Keys the schema does not name are ignored.
JsonExamResult examFromJson(std::string_view bytes);

}  // namespace quizmora
