#pragma once
// The one way this program reads a whole file and the one way it writes one. Every output
// (exam files, JSON, the other tools' formats) is written beside its target first and put in
// its place only when complete, so a failure at any point leaves an existing file as it was.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace quizmora {

// Every function here that fails sets `*error` (when given) to the reason: what the system
// said, or "Is a directory" for a folder where a file was wanted.

// The file's bytes; nullopt when it cannot be opened or read (a directory cannot).
std::optional<std::string> readFileBytes(const std::filesystem::path& path,
                                         std::error_code* error = nullptr);

// The file as 16-bit little-endian units, read straight into the units so that a large exam
// is held once; a final odd byte is not part of any unit. nullopt as readFileBytes.
std::optional<std::u16string> readFileUnits(const std::filesystem::path& path,
                                            std::error_code* error = nullptr);

// Creates a temporary file beside `path`, lets `writeContent` fill it (false from it is a
// failure), flushes it to the disk, closes it and renames it over `path`. An existing file
// that may not be written to counts as a failure; a replaced file keeps its permissions.
// Returns false on any failure, with no temporary file left behind.
// When `writeContent` fails, the reason is what the C library last set in errno.
bool writeFileReplacing(const std::filesystem::path& path,
                        const std::function<bool(std::FILE*)>& writeContent,
                        std::error_code* error = nullptr);

bool writeFileReplacing(const std::filesystem::path& path, std::string_view bytes,
                        std::error_code* error = nullptr);

// Writes every byte to `file`, trying again after a write that came up short, so that errno
// ends up with the reason of a write that failed outright: a C library may report a write
// cut short by a full disk with a reason of no use ("Invalid argument" under Wine).
bool writeAll(std::FILE* file, std::string_view bytes);

// A reason in the words of the C library's strerror ("No space left on device"), so that
// the same failure reads the same on every system.
std::string systemReason(const std::error_code& error);

}  // namespace quizmora
