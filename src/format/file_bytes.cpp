#include "format/file_bytes.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>
#include <utility>

#include "format/file_stream.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
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
  if (!error) {
    const std::uintmax_t elements = size / sizeof(typename String::value_type);
    // More than this process can hold (a 32-bit one, say): it cannot be read.
    if (elements >= content.max_size()) return std::nullopt;
    content.reserve(static_cast<std::size_t>(elements));
  }
  if (!readRest(file.get(), content)) return std::nullopt;
  return content;
}

FileStepFault& stepFault() {
  static FileStepFault fault;
  return fault;
}

std::error_code injectedFault(FileStep step) {
  return stepFault() ? stepFault()(step) : std::error_code();
}

// What the C library last said went wrong; an I/O error when it said nothing.
std::error_code systemError() {
  return std::error_code(errno != 0 ? errno : EIO, std::generic_category());
}

// A new file with a random name beside `target`; never opens an existing one.
FileHandle createTemporaryBeside(const std::filesystem::path& target,
                                 std::filesystem::path& temporary, std::error_code& error) {
  static std::mt19937 random{std::random_device{}()};
  if ((error = injectedFault(FileStep::CreateTemporary))) return FileHandle();
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
    temporary = target;
    temporary += suffix;
    errno = 0;
#ifdef _WIN32
    const int descriptor =
        _wopen(temporary.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) {
      error = systemError();
      if (errno == EEXIST) continue;
      return FileHandle();
    }
    if (std::FILE* file = _fdopen(descriptor, "wb")) return FileHandle(file);
    error = systemError();
    _close(descriptor);
    _wremove(temporary.c_str());
    return FileHandle();
#else
    if (std::FILE* file = std::fopen(temporary.c_str(), "wbx")) return FileHandle(file);
    error = systemError();
    if (errno != EEXIST) return FileHandle();
#endif
  }
  return FileHandle();
}

// Pushes what the stream holds to the disk, so that the rename never puts a file in place
// whose bytes a power cut could still lose.
std::error_code flushToDisk(std::FILE* file) {
  if (std::error_code fault = injectedFault(FileStep::FlushToDisk)) return fault;
  errno = 0;
  if (std::fflush(file) != 0) return systemError();
#ifdef _WIN32
  if (_commit(_fileno(file)) != 0) return systemError();
#else
  if (fsync(fileno(file)) != 0) return systemError();
#endif
  return {};
}

// The new name lives in the folder: flushing the folder makes the rename itself survive a
// power cut. Windows has no such call; its rename goes through the journal.
std::error_code flushFolder([[maybe_unused]] const std::filesystem::path& file) {
  if (std::error_code fault = injectedFault(FileStep::FlushFolder)) return fault;
#ifndef _WIN32
  std::filesystem::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  errno = 0;
  const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return systemError();
  // A file system that cannot sync a folder (EINVAL) has nothing more to do.
  std::error_code error;
  if (fsync(descriptor) != 0 && errno != EINVAL) error = systemError();
  if (close(descriptor) != 0 && !error) error = systemError();
  return error;
#else
  return {};
#endif
}

void removeTemporary(const std::filesystem::path& temporary) {
  if (injectedFault(FileStep::RemoveTemporary)) return;
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
}

std::error_code writeReplacing(const std::filesystem::path& path,
                               const std::function<bool(std::FILE*)>& writeContent) {
  std::error_code error;
  if (path.empty()) return std::make_error_code(std::errc::invalid_argument);
  if (std::filesystem::is_directory(path, error)) {
    return std::make_error_code(std::errc::is_a_directory);
  }
  const std::filesystem::file_status existing = std::filesystem::status(path, error);
  const bool replacing = std::filesystem::exists(existing);
  // An existing file we may not write to (read-only, locked) stays as it is.
  errno = 0;
  if (replacing && !openFile(path, FileMode::ReadWrite)) return systemError();

  std::filesystem::path temporary;
  FileHandle file = createTemporaryBeside(path, temporary, error);
  if (!file) return error;
  errno = 0;
  if (!writeContent(file.get())) error = systemError();
  if (!error) error = injectedFault(FileStep::Write);
  if (!error) error = flushToDisk(file.get());
  errno = 0;
  const bool closed = file.close();
  if (!error && !closed) error = systemError();
  if (!error) error = injectedFault(FileStep::Close);
  if (!error && replacing) {
    error = injectedFault(FileStep::SetPermissions);
    if (!error) std::filesystem::permissions(temporary, existing.permissions(), error);
  }
  if (!error) error = injectedFault(FileStep::Rename);
  if (!error) std::filesystem::rename(temporary, path, error);
  if (error) {
    removeTemporary(temporary);
    return error;
  }
  // The target already holds the whole new file; a folder that cannot be flushed is still
  // reported, because the rename may not survive a power cut.
  return flushFolder(path);
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

void setFileStepFault(FileStepFault fault) { stepFault() = std::move(fault); }

bool writeFileReplacing(const std::filesystem::path& path,
                        const std::function<bool(std::FILE*)>& writeContent,
                        std::error_code* reason) {
  std::error_code error = writeReplacing(path, writeContent);
  if (reason) *reason = error;
  return !error;
}

bool writeFileReplacing(const std::filesystem::path& path, std::string_view bytes,
                        std::error_code* reason) {
  return writeFileReplacing(
      path,
      [bytes](std::FILE* file) {
        return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
      },
      reason);
}

}  // namespace quizmora
