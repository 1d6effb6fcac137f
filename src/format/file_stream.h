#pragma once
// A C stream opened by a filesystem path (wide on Windows, so any file name works), closed
// when the handle goes.

#include <cstdio>
#include <filesystem>

namespace quizmora {

enum class FileMode {
  Read,       // existing file, binary
  ReadWrite,  // existing file, binary, not truncated
  WriteNew,   // created or truncated, binary
};

class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(std::FILE* file) : file_(file) {}
  FileHandle(FileHandle&& other) noexcept : file_(other.file_) { other.file_ = nullptr; }
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { close(); }

  std::FILE* get() const { return file_; }
  explicit operator bool() const { return file_ != nullptr; }
  // True when the stream closed cleanly (or was not open).
  bool close();

 private:
  std::FILE* file_ = nullptr;
};

FileHandle openFile(const std::filesystem::path& path, FileMode mode);

}  // namespace quizmora
