#pragma once
// The recovery copy of an exam with changes not yet saved: the exam file's text after a short
// header that says which run of the program wrote it, where the exam came from and the
// details the exam file does not hold. Each run writes its own file, named after the process
// that owns it, so that a second running copy's file is recognised and left alone.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/exam_document.h"

namespace quizmora {

// One run of the program: its process number and the moment it started, in the system's
// own units (numbers are reused, the pair is not).
struct ProcessIdentity {
  std::uint32_t id = 0;
  std::uint64_t started = 0;
  friend bool operator==(const ProcessIdentity&, const ProcessIdentity&) = default;
};

struct RecoveredExam {
  ProcessIdentity owner;
  ExamDocument exam;  // filePath: the exam file it came from, empty for none
  bool pathIsExamFile = false;
};

std::u16string composeRecoveryText(const ExamDocument& exam, bool pathIsExamFile,
                                   ProcessIdentity owner);
// nullopt when the text is not a recovery file this program wrote.
std::optional<RecoveredExam> parseRecoveryText(std::u16string_view text);

// "exam-<id>-<started>.qzr", and the owner that such a name gives.
std::filesystem::path recoveryFileName(ProcessIdentity owner);
std::optional<ProcessIdentity> recoveryFileOwner(const std::filesystem::path& path);

// The recovery files in `folder` whose owners `isRunning` says are gone, oldest first.
std::vector<std::filesystem::path> leftRecoveryFiles(
    const std::filesystem::path& folder,
    const std::function<bool(const ProcessIdentity&)>& isRunning);

// nullopt when the file cannot be read or is not a recovery file.
std::optional<RecoveredExam> readRecoveryFile(const std::filesystem::path& path);

// Renames a file that cannot be read to "<name>.unreadable" beside it (a number added when
// that exists), so that it is neither offered again nor lost; the new path, or nullopt.
std::optional<std::filesystem::path> keepAside(const std::filesystem::path& path);

}  // namespace quizmora
