#pragma once
// Colours written as text the way the browser settings store them: "red,green,blue" in
// decimal. Portable: the link control reads the registry and hands the text over.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quizmora {

struct RgbColor {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const RgbColor&, const RgbColor&) = default;
};

// "0,0,255" is pure blue. Each component is read as C's atoi does (leading white space, an
// optional sign, digits up to the first other character, no digits giving 0; values past the
// 32-bit range saturate) and taken modulo 256. Nothing when a comma is missing, when nothing
// follows the second comma, or when the first or second component reads as -1.
std::optional<RgbColor> parseColorString(std::u16string_view text);

}  // namespace quizmora
