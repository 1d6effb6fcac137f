#pragma once
// Runs a program to its end and collects what it wrote, for end-to-end tests of the tool.

#include <sys/types.h>
#include <filesystem>
#include <string>
#include <vector>

namespace quizmora::testing_support {

struct ProcessResult {
  int exitCode = -1;  // -1 when the program did not exit normally
  std::string out;
  std::string err;
};

struct ProcessOptions {
  std::filesystem::path workingDirectory;  // where the program runs
  std::filesystem::path captureDirectory;  // where its output is collected
  std::filesystem::path standardOutput;    // empty: captured into ProcessResult::out
  off_t fileSizeLimit = 0;                 // 0: none; else writes beyond it fail (EFBIG)
};

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options);

}  // namespace quizmora::testing_support
