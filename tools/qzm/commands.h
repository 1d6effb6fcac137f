#pragma once
// The tool's commands. Each writes its result to `out`, at most one line to `err` when it
// fails, and returns the process exit code.

#include <filesystem>
#include <iosfwd>

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

// Reads an exam file (old layout with `oldFormat`) or a .json file and writes JSON when
// `output` ends in .json, an exam file otherwise.
int runConvert(const std::filesystem::path& input, const std::filesystem::path& output,
               bool oldFormat, std::ostream& err);

// Lists what the editor would never have produced; kExitProblemsFound when there is any.
int runCheck(const std::filesystem::path& file, bool oldFormat, std::ostream& out,
             std::ostream& err);

}  // namespace quizmora
