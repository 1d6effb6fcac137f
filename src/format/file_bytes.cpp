#include "format/file_bytes.h"

#include <bit>
#include <cstring>
#include <random>
#include <system_error>

#include "format/file_stream.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace quizmora {
namespace {

// Reads what is left of `file` onto the end of `out`, whose elements are bytes or 16-bit
// units; false on a read error. Whole elements only: a trailing partial unit is dropped.
template <typename String>
bool readRest(std::FILE* file, String& out) {
  using Unit = typename String::value_type;
  Unit block[32 * 1024 / sizeof(Unit)];
  for (;;) {
    const std::size_t got = std::fread(block, sizeof(Unit), std::size(block), file);
    out.append(block, got);
    if (got < std::size(block)) return std::ferror(file) == 0;
  }
}

template <typename String>
std::optional<String> readWhole(const std::filesystem::path& path) {
  std::error_code error;
  if (path.empty() || std::filesystem::is_directory(path, error)) return std::nullopt;
  FileHandle file = openFile(path, FileMode::Read);
  if (!file) return std::nullopt;
  // Sized once from the file's size, so that a large file is not copied while it grows.
  String content;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error) content.reserve(static_cast<std::size_t>(size / sizeof(typename String::value_type)));
  if (!readRest(file.get(), content)) return std::nullopt;
  return content;
}

// A new file with a random name beside `target`; never opens an existing one.
FileHandle createTemporaryBeside(const std::filesystem::path& target,
                                 std::filesystem::path& temporary) {
  static std::mt19937 random{std::random_device{}()};
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
    temporary = target;
    temporary += suffix;
#ifdef _WIN32
    const int descriptor =
        _wopen(temporary.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) continue;
    if (std::FILE* file = _fdopen(descriptor, "wb")) return FileHandle(file);
    _close(descriptor);
#else
    if (std::FILE* file = std::fopen(temporary.c_str(), "wbx")) return FileHandle(file);
#endif
  }
  return FileHandle();
}

// Pushes what the stream holds to the disk, so that the rename never puts a file in place
// whose bytes a power cut could still lose.
bool flushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

}  // namespace

std::optional<std::string> readFileBytes(const std::filesystem::path& path) {
  return readWhole<std::string>(path);
}

std::optional<std::u16string> readFileUnits(const std::filesystem::path& path) {
  if constexpr (std::endian::native == std::endian::little) {
    return readWhole<std::u16string>(path);
  } else {
    std::optional<std::string> bytes = readWhole<std::string>(path);
    if (!bytes) return std::nullopt;
    std::u16string units(bytes->size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
      units[i] = static_cast<char16_t>(static_cast<unsigned char>((*bytes)[2 * i]) |
                                       static_cast<unsigned char>((*bytes)[2 * i + 1]) << 8);
    }
    return units;
  }
}

bool writeFileReplacing(const std::filesystem::path& path,
                        const std::function<bool(std::FILE*)>& writeContent) {
  std::error_code ignored;
  if (path.empty() || std::filesystem::is_directory(path, ignored)) return false;
  const std::filesystem::file_status existing = std::filesystem::status(path, ignored);
  const bool replacing = std::filesystem::exists(existing);
  // An existing file we may not write to (read-only, locked) stays as it is.
  if (replacing && !openFile(path, FileMode::ReadWrite)) return false;

  std::filesystem::path temporary;
  FileHandle file = createTemporaryBeside(path, temporary);
  if (!file) return false;
  bool done = writeContent(file.get()) && flushToDisk(file.get());
  done = file.close() && done;
  std::error_code error;
  if (done && replacing) std::filesystem::permissions(temporary, existing.permissions(), error);
  if (done && !error) std::filesystem::rename(temporary, path, error);
  if (!done || error) {
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  return true;
}

bool writeFileReplacing(const std::filesystem::path& path, std::string_view bytes) {
  return writeFileReplacing(path, [bytes](std::FILE* file) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  });
}

}  // namespace quizmora
