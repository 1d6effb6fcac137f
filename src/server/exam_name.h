#pragma once
// The name an uploaded exam is kept and served under, made from the file name the program
// sent (its full Windows path).

#include <string>
#include <string_view>

namespace quizmora {

// Longest name made from an upload; a numbered name for a clash may add a few characters.
inline constexpr std::size_t kExamNameLength = 48;

// The last path component of `uploadedName` (either slash), without a ".qzm" ending, with
// every run of characters other than ASCII letters, digits and '-' made one '_', no '_' or
// '-' at either end, cut to kExamNameLength. A name Windows reserves for a device ("con",
// "lpt1", ...) gets "exam_" in front; nothing left at all gives "exam". The result is safe
// as a file name on any system and as a path segment of an address.
std::string safeExamName(std::string_view uploadedName);

// Whether `name` could have come from safeExamName (or be numbered after one): what the
// server accepts in an address before looking anything up.
bool isExamName(std::string_view name);

}  // namespace quizmora
