#include "format/file_stream.h"

namespace quizmora {

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    close();
    file_ = other.file_;
    other.file_ = nullptr;
  }
  return *this;
}

bool FileHandle::close() {
  if (!file_) return true;
  bool ok = std::fclose(file_) == 0;
  file_ = nullptr;
  return ok;
}

FileHandle openFile(const std::filesystem::path& path, FileMode mode) {
#ifdef _WIN32
  const wchar_t* flags = mode == FileMode::Read        ? L"rb"
                         : mode == FileMode::ReadWrite ? L"r+b"
                                                       : L"wb";
  return FileHandle(_wfopen(path.c_str(), flags));
#else
  const char* flags = mode == FileMode::Read ? "rb" : mode == FileMode::ReadWrite ? "r+b" : "wb";
  return FileHandle(std::fopen(path.c_str(), flags));
#endif
}

}  // namespace quizmora
