#pragma once
// Whole-file byte input and output for the tool's JSON side.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quizmora {

// nullopt when the file cannot be opened or read (a directory cannot).
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

// Writes a temporary file beside `path` and puts it in place only once every byte is written
// and the file closed, so a failure at any point leaves an existing file as it was. An
// existing file that may not be written to counts as a failure; a replaced file keeps its
// permissions.
bool writeFileReplacing(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quizmora
