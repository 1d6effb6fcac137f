#include "editor/recovery_keeper.h"

#include <algorithm>
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
    gathering_.reset();
    if (written_) discard();
    return;
  }
  if (written_ == revision) {
    gathering_.reset();
    return;
  }
  if (!gathering_ && lastWrite_ && now - *lastWrite_ < kInterval) return;
  if (!gather(exam, pathIsExamFile, revision)) return;
  lastWrite_ = now;
  Copy copy = std::move(gathering_->copy);
  gathering_.reset();
  hand(std::move(copy), revision);
}

void RecoveryKeeper::writeNow(const ExamDocument& exam, bool pathIsExamFile, bool changed,
                              std::uint64_t revision) {
  if (!changed || written_ == revision) return;
  gathering_.reset();
  lastWrite_ = Clock::now();
  hand({exam, pathIsExamFile}, revision);
}

bool RecoveryKeeper::gather(const ExamDocument& exam, bool pathIsExamFile, std::uint64_t revision) {
  const auto& questions = exam.questions;
  if (!gathering_ || gathering_->revision != revision ||
      gathering_->copy.exam.questions.size() > questions.size()) {
    gathering_ = Gathering{revision, Copy{}};
    Copy& copy = gathering_->copy;
    copy.exam.header = exam.header;
    copy.exam.filePath = exam.filePath;
    copy.pathIsExamFile = pathIsExamFile;
    copy.exam.questions.reserve(questions.size());
  }
  auto& copied = gathering_->copy.exam.questions;
  const std::size_t end = std::min(questions.size(), copied.size() + kSlice);
  copied.insert(copied.end(), questions.begin() + static_cast<std::ptrdiff_t>(copied.size()),
                questions.begin() + static_cast<std::ptrdiff_t>(end));
  return copied.size() == questions.size();
}

void RecoveryKeeper::hand(Copy copy, std::uint64_t revision) {
  written_ = revision;
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
