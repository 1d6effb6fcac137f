#include "format/file_bytes.h"

#include <bit>
#include <cerrno>
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

// The reason the C library gave for the call that just failed (errno cleared before it); an
// input/output error when it gave none.
std::error_code lastError() {
  const int code = errno;
  return code != 0 ? std::error_code(code, std::generic_category())
                   : std::make_error_code(std::errc::io_error);
}

bool fail(std::error_code* error, std::error_code reason) {
  if (error) *error = reason;
  return false;
}

// What a path that is no file to read or write says: none given, or a folder.
std::optional<std::error_code> notAFile(const std::filesystem::path& path) {
  std::error_code ignored;
  if (path.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  if (std::filesystem::is_directory(path, ignored)) {
    return std::make_error_code(std::errc::is_a_directory);
  }
  return std::nullopt;
}

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
std::optional<String> readWhole(const std::filesystem::path& path, std::error_code* error) {
  if (const std::optional<std::error_code> reason = notAFile(path)) {
    fail(error, *reason);
    return std::nullopt;
  }
  errno = 0;
  FileHandle file = openFile(path, FileMode::Read);
  if (!file) {
    fail(error, lastError());
    return std::nullopt;
  }
  // Sized once from the file's size, so that a large file is not copied while it grows.
  String content;
  std::error_code unknownSize;
  const std::uintmax_t size = std::filesystem::file_size(path, unknownSize);
  if (!unknownSize) {
    content.reserve(static_cast<std::size_t>(size / sizeof(typename String::value_type)));
  }
  errno = 0;
  if (!readRest(file.get(), content)) {
    fail(error, lastError());
    return std::nullopt;
  }
  return content;
}

// A new file with a random name beside `target`; never opens an existing one. On failure
// errno tells why.
FileHandle createTemporaryBeside(const std::filesystem::path& target,
                                 std::filesystem::path& temporary) {
  static std::mt19937 random{std::random_device{}()};
  for (int attempt = 0; attempt < 16; ++attempt) {
    // Only a name that is taken is worth another try.
    if (attempt > 0 && errno != EEXIST) break;
    errno = 0;
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

std::optional<std::string> readFileBytes(const std::filesystem::path& path,
                                         std::error_code* error) {
  return readWhole<std::string>(path, error);
}

std::optional<std::u16string> readFileUnits(const std::filesystem::path& path,
                                            std::error_code* error) {
  if constexpr (std::endian::native == std::endian::little) {
    return readWhole<std::u16string>(path, error);
  } else {
    std::optional<std::string> bytes = readWhole<std::string>(path, error);
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
                        const std::function<bool(std::FILE*)>& writeContent,
                        std::error_code* error) {
  if (const std::optional<std::error_code> reason = notAFile(path)) return fail(error, *reason);
  std::error_code ignored;
  const std::filesystem::file_status existing = std::filesystem::status(path, ignored);
  const bool replacing = std::filesystem::exists(existing);
  // An existing file we may not write to (read-only, locked) stays as it is.
  errno = 0;
  if (replacing && !openFile(path, FileMode::ReadWrite)) return fail(error, lastError());

  std::filesystem::path temporary;
  FileHandle file = createTemporaryBeside(path, temporary);
  if (!file) return fail(error, lastError());
  errno = 0;
  std::error_code reason;
  if (!writeContent(file.get()) || !flushToDisk(file.get())) reason = lastError();
  errno = 0;
  if (!file.close() && !reason) reason = lastError();
  if (!reason && replacing) {
    std::filesystem::permissions(temporary, existing.permissions(), reason);
  }
  if (!reason) std::filesystem::rename(temporary, path, reason);
  if (reason) {
    std::filesystem::remove(temporary, ignored);
    return fail(error, reason);
  }
  return true;
}

bool writeFileReplacing(const std::filesystem::path& path, std::string_view bytes,
                        std::error_code* error) {
  return writeFileReplacing(
      path, [bytes](std::FILE* file) { return writeAll(file, bytes); }, error);
}

bool writeAll(std::FILE* file, std::string_view bytes) {
  int idle = 0;  // writes in a row that wrote nothing
  while (!bytes.empty()) {
    errno = 0;
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    bytes.remove_prefix(written);
    idle = written == 0 ? idle + 1 : 0;
    if (idle == 2) return false;
  }
  return true;
}

std::string systemReason(const std::error_code& error) {
  // The system's own category maps onto the C library's numbers wherever it can.
  return error.default_error_condition().message();
}

}  // namespace quizmora
