#include "byte_file.h"

#include <cstdio>
#include <memory>
#include <random>
#include <system_error>

namespace quizmora {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

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
    if (FilePointer file{std::fopen(temporary.c_str(), "wbx")}) return file;
  }
  return nullptr;
}

}  // namespace

std::optional<std::string> readFileBytes(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::nullopt;
  FilePointer file{std::fopen(path.c_str(), "rb")};
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
  if (replacing && !FilePointer{std::fopen(path.c_str(), "r+b")}) return false;

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
