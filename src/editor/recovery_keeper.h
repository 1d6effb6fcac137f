#pragma once
// Keeps this run's recovery file in step with an exam that has changes not yet saved. The
// window's thread only copies the exam, a slice of questions at a time; a thread of the
// keeper's own composes and writes the copy through the one atomic writer, so a very long
// exam never holds up the window.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

#include "editor/recovery_file.h"
#include "model/exam_document.h"

namespace quizmora {

class RecoveryKeeper {
 public:
  using Clock = std::chrono::steady_clock;
  // The least time between two writes while the author keeps changing the exam.
  static constexpr std::chrono::seconds kInterval{30};
  // Questions copied by one update while a copy is gathered.
  static constexpr std::size_t kSlice = 1000;

  // `file`: this run's recovery file (its folder is made when first written).
  RecoveryKeeper(std::filesystem::path file, ProcessIdentity owner);
  // Waits for a write under way; the file stays (only a clean exit calls discard).
  ~RecoveryKeeper();
  RecoveryKeeper(const RecoveryKeeper&) = delete;
  RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

  // The exam as it stands after a command or at a tick of the window's timer. With no
  // changes the file goes; with changes at `revision` not yet written, a copy is gathered
  // once the last write is kInterval old (the first one at once), kSlice questions per call,
  // and written when complete. A change while it is gathered starts it again.
  void update(const ExamDocument& exam, bool pathIsExamFile, bool changed, std::uint64_t revision,
              Clock::time_point now);
  // The same at once and whole: before a command asks whether to throw the exam away.
  void writeNow(const ExamDocument& exam, bool pathIsExamFile, bool changed,
                std::uint64_t revision);
  // Removes the file once a write under way has finished, and forgets what was written.
  void discard();
  // Returns once the copies handed over so far are written.
  void waitIdle();

  const std::filesystem::path& file() const { return file_; }

 private:
  struct Copy {
    ExamDocument exam;
    bool pathIsExamFile = false;
  };
  struct Gathering {
    std::uint64_t revision = 0;
    Copy copy;
  };
  // Copies the next slice of `exam` into the copy being gathered; true when it is complete.
  bool gather(const ExamDocument& exam, bool pathIsExamFile, std::uint64_t revision);
  void hand(Copy copy, std::uint64_t revision);
  void run();

  const std::filesystem::path file_;
  const ProcessIdentity owner_;
  std::optional<std::uint64_t> written_;  // the revision last handed over
  std::optional<Clock::time_point> lastWrite_;
  std::optional<Gathering> gathering_;

  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Copy> pending_;  // guarded by mutex_, as are the two below
  bool busy_ = false;
  bool stop_ = false;
  std::thread writer_;  // started with the first copy
};

}  // namespace quizmora
