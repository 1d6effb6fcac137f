#pragma once
// The formats an exam is converted between, one row each: its name for qzm's --from and
// --to, the file extensions that choose it, its reader and writer, what it keeps and loses
// (printed by `qzm formats`) and how the program's file dialogs name it. qzm and the
// program's exchange commands both go through this list; a format the build lacks is not in
// it. Adding a format is adding a row.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interchange/interchange_report.h"
#include "model/exam_document.h"

namespace quizmora {

using FormatReader = std::optional<ExamDocument> (*)(std::string_view bytes,
                                                     InterchangeReport& report);
using FormatWriter = std::string (*)(const ExamDocument& exam, InterchangeReport& report);

struct ExamFormat {
  std::string_view name;
  std::vector<std::string_view> extensions;  // lower case, with the dot
  std::string_view description;
  // The editor's own exam file is read straight into its UTF-16 units and written from them
  // (and takes --old); the other formats go through bytes.
  bool examFile = false;
  FormatReader read = nullptr;          // nullptr: cannot be read
  FormatWriter write = nullptr;         // nullptr: cannot be written
  FormatWriter writeWithKey = nullptr;  // what --key writes; nullptr: --key does not apply
  std::string_view keeps;
  std::string_view loses;
  // The name in the program's file dialogs ("Moodle XML"); empty for the formats the
  // exchange commands do not offer (the exam file itself, the printable sheet).
  std::string_view dialogLabel;
};

const std::vector<ExamFormat>& examFormats();

// nullptr when no format has that name.
const ExamFormat* formatNamed(std::string_view name);

// The formats a file name's extension names, in any case: none, one, or several (".txt" is
// GIFT and Aiken alike).
std::vector<const ExamFormat*> formatsForExtension(const std::filesystem::path& path);

// The format of a text file that may be GIFT or Aiken, by its content: Aiken when every
// question ends with its "ANSWER:" line (the file reads as Aiken), else GIFT.
const ExamFormat& giftOrAikenByContent(std::string_view bytes);

// "qzm, json, gift, ...": the names, for messages.
std::string formatNames();

}  // namespace quizmora
