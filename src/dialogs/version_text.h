#pragma once
// How the About box turns the program's version resource into the build number it shows.
// Portable: the Win32 side reads the resource and calls these.

#include <cstdint>
#include <string>
#include <string_view>

namespace quizmora {

// The query for the product version string of one translation of a version block:
// "\StringFileInfo\040904b0\ProductVersion" for language 0x0409, code page 1200
// (four lower-case hexadecimal digits each).
std::u16string productVersionQuery(std::uint16_t language, std::uint16_t codePage);

// The version text as shown: every "," becomes "."; everything else, spaces included,
// stays ("1, 0, 0, 7" shows as "1. 0. 0. 7").
std::u16string versionDisplayText(std::u16string_view productVersion);

}  // namespace quizmora
