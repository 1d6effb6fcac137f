#include "dialogs/color_string.h"

#include <cstdint>
#include <limits>

namespace quizmora {
namespace {

bool isSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// The decimal number at the start of `text`, read as atoi reads it.
std::int32_t leadingNumber(std::u16string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && isSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
    negative = text[pos] == u'-';
    ++pos;
  }
  constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
  std::int64_t value = 0;
  for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
    value = value * 10 + (text[pos] - u'0');
    if (value > kLimit + 1) value = kLimit + 1;  // saturate, keeping room for INT32_MIN
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(value > kLimit ? kLimit : value);
}

// The low eight bits: -1 becomes 255, 256 becomes 0.
std::uint8_t modulo256(std::int32_t value) {
  return static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) & 0xFFu);
}

}  // namespace

std::optional<RgbColor> parseColorString(std::u16string_view text) {
  std::int32_t leading[2] = {-1, -1};
  for (std::int32_t& component : leading) {
    const std::size_t comma = text.find(u',');
    if (comma == std::u16string_view::npos) return std::nullopt;
    component = leadingNumber(text.substr(0, comma));
    if (component == -1) return std::nullopt;
    text.remove_prefix(comma + 1);
  }
  if (text.empty()) return std::nullopt;
  return RgbColor{modulo256(leading[0]), modulo256(leading[1]), modulo256(leadingNumber(text))};
}

}  // namespace quizmora
