#pragma once
// The tool's commands. Each writes its result to `out`, at most one line to `err` when it
// fails, and returns the process exit code.

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

namespace quizmora {

enum ExitCode : int {
  kExitSuccess = 0,
  kExitUnreadableInput = 1,
  kExitUnwritableOutput = 2,
  kExitProblemsFound = 3,
  kExitUsage = 64,
};

// Prints the exam in FILE as one JSON object.
int runShow(const std::filesystem::path& file, bool oldFormat, std::ostream& out,
            std::ostream& err);

// How `qzm convert` was asked to work.
struct ConvertOptions {
  bool oldFormat = false;  // IN is an exam file in the old 8-bit layout
  std::string from;        // format names; empty: chosen by the file's extension
  std::string to;
  bool withKey = false;  // the printable sheet as answer key
  bool strict = false;   // a warning stops the conversion: exit 3, nothing written
  // Printed versions A, B, ... of the sheet: 0 for the plain sheet, else 1 to 26; with
  // them, --key adds a key page per version.
  int versions = 0;
  std::string shuffle;  // "questions", "choices" or "both"; empty: questions
  std::optional<std::uint64_t> seed;
};

// Reads IN in one format and writes OUT in another; what the output cannot carry is told as
// "warning: question N: ..." (or "line L: ...") lines on `err`.
int runConvert(const std::filesystem::path& input, const std::filesystem::path& output,
               const ConvertOptions& options, std::ostream& err);

// The formats, their extensions and what each keeps and loses.
int runFormats(std::ostream& out, std::ostream& err);

// Lists what the editor would never have produced; kExitProblemsFound when there is any.
int runCheck(const std::filesystem::path& file, bool oldFormat, std::ostream& out,
             std::ostream& err);

}  // namespace quizmora
