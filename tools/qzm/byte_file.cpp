#include "byte_file.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#endif

namespace quizmora {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

// Opens by path; wide on Windows, so that any file name opens.
std::FILE* openPath(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
  const std::wstring wideMode(mode, mode + std::strlen(mode));
  return _wfopen(path.c_str(), wideMode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

// Creates a new file and never opens an existing one.
std::FILE* createNewFile(const std::filesystem::path& path) {
#ifdef _WIN32
  // The Windows C runtime knows no "x" mode.
  const int descriptor =
      _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (descriptor < 0) return nullptr;
  std::FILE* file = _fdopen(descriptor, "wb");
  if (!file) _close(descriptor);
  return file;
#else
  return std::fopen(path.c_str(), "wbx");
#endif
}

// Closes the stream and reports whether everything written reached the file.
bool closeChecked(FilePointer file) { return std::fclose(file.release()) == 0; }

// Creates a new file with a random name beside `target`; never opens an existing one.
FilePointer createTemporaryBeside(const std::filesystem::path& target,
                                  std::filesystem::path& temporary) {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
    temporary = target;
    temporary += suffix;
    if (FilePointer file{createNewFile(temporary)}) return file;
  }
  return nullptr;
}

}  // namespace

std::optional<std::string> readFileBytes(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::nullopt;
  FilePointer file{openPath(path, "rb")};
  if (!file) return std::nullopt;
  std::string bytes;
  char block[64 * 1024];
  for (;;) {
    const std::size_t got = std::fread(block, 1, sizeof block, file.get());
    bytes.append(block, got);
    if (got < sizeof block) break;
  }
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

bool writeFileReplacing(const std::filesystem::path& path, std::string_view bytes) {
  std::error_code ignored;
  if (path.empty() || std::filesystem::is_directory(path, ignored)) return false;
  const std::filesystem::file_status existing = std::filesystem::status(path, ignored);
  const bool replacing = std::filesystem::exists(existing);
  if (replacing && !FilePointer{openPath(path, "r+b")}) return false;

  std::filesystem::path temporary;
  FilePointer file = createTemporaryBeside(path, temporary);
  if (!file) return false;
  bool done = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
              std::fflush(file.get()) == 0;
  done = closeChecked(std::move(file)) && done;
  std::error_code error;
  if (done && replacing) std::filesystem::permissions(temporary, existing.permissions(), error);
  if (done && !error) std::filesystem::rename(temporary, path, error);
  if (!done || error) {
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  return true;
}

}  // namespace quizmora
