#include "editor/recovery_keeper.h"

#include <system_error>
#include <utility>

#include "format/exam_file_writer.h"

namespace quizmora {

RecoveryKeeper::RecoveryKeeper(std::filesystem::path file, ProcessIdentity owner)
    : file_(std::move(file)), owner_(owner) {}

RecoveryKeeper::~RecoveryKeeper() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  if (writer_.joinable()) writer_.join();
}

void RecoveryKeeper::update(const ExamDocument& exam, bool pathIsExamFile, bool changed,
                            std::uint64_t revision, Clock::time_point now) {
  if (!changed) {
    if (written_) discard();
    return;
  }
  if (written_ == revision) return;
  if (lastWrite_ && now - *lastWrite_ < kInterval) return;
  lastWrite_ = now;
  hand(exam, pathIsExamFile, revision);
}

void RecoveryKeeper::writeNow(const ExamDocument& exam, bool pathIsExamFile, bool changed,
                              std::uint64_t revision) {
  if (!changed || written_ == revision) return;
  lastWrite_ = Clock::now();
  hand(exam, pathIsExamFile, revision);
}

void RecoveryKeeper::hand(const ExamDocument& exam, bool pathIsExamFile,
                          std::uint64_t revision) {
  written_ = revision;
  Copy copy{exam, pathIsExamFile};  // the window's only cost: the copy, made before the lock
  {
    std::lock_guard lock(mutex_);
    pending_ = std::move(copy);
    if (!writer_.joinable()) writer_ = std::thread(&RecoveryKeeper::run, this);
  }
  wake_.notify_all();
}

void RecoveryKeeper::discard() {
  {
    std::unique_lock lock(mutex_);
    pending_.reset();
    wake_.wait(lock, [this] { return !busy_; });
  }
  written_.reset();
  lastWrite_.reset();
  std::error_code error;
  std::filesystem::remove(file_, error);
}

void RecoveryKeeper::waitIdle() {
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [this] { return !busy_ && !pending_; });
}

// A write that fails is tried again with the next change; the exam in the window is not
// at risk from it.
void RecoveryKeeper::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stop_ || pending_; });
    if (stop_) return;
    busy_ = true;
    {
      Copy copy = std::move(*pending_);
      pending_.reset();
      lock.unlock();
      std::error_code error;
      std::filesystem::create_directories(file_.parent_path(), error);
      const std::u16string text = composeRecoveryText(copy.exam, copy.pathIsExamFile, owner_);
      writeExamFile(file_, text);
    }  // the copy and its text go before the lock is taken again
    lock.lock();
    busy_ = false;
    wake_.notify_all();
  }
}

}  // namespace quizmora
