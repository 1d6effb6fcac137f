#pragma once
// A file opened and mapped read-only as a whole for the duration of an upload, so that its
// bytes go to the connection straight from the view, never copied.

#include <windows.h>

#include <cstdint>
#include <string>

namespace quizmora {

class MappedFile {
 public:
  MappedFile() = default;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile() { release(); }

  // Opens, sizes and maps the file at `path`. False when any step fails, which includes an
  // empty file (it cannot be mapped) and one of 4 GiB or more (it cannot be sent whole).
  bool open(const std::u16string& path);
  // Unmaps the view, closes the mapping, then the file: each only if it was made.
  void release();

  const void* view() const { return view_; }
  std::uint32_t size() const { return size_; }

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  HANDLE mapping_ = nullptr;
  const void* view_ = nullptr;
  std::uint32_t size_ = 0;
};

}  // namespace quizmora
