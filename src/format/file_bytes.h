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

namespace quizmora {

// The file's bytes; nullopt when it cannot be opened or read (a directory cannot).
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

// The file as 16-bit little-endian units, read straight into the units so that a large exam
// is held once; a final odd byte is not part of any unit. nullopt as readFileBytes.
std::optional<std::u16string> readFileUnits(const std::filesystem::path& path);

// Creates a temporary file beside `path`, lets `writeContent` fill it (false from it is a
// failure), flushes it to the disk, closes it and renames it over `path`. An existing file
// that may not be written to counts as a failure; a replaced file keeps its permissions.
// Returns false on any failure, with no temporary file left behind.
bool writeFileReplacing(const std::filesystem::path& path,
                        const std::function<bool(std::FILE*)>& writeContent);

bool writeFileReplacing(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quizmora
