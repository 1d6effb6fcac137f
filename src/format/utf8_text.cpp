#include "format/utf8_text.h"

#include <cstddef>
#include <cstdint>

namespace quizmora {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char32_t kLastCodePoint = 0x10FFFF;

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool isSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

char32_t combineSurrogates(char32_t high, char32_t low) {
  const char32_t highBits = high - char32_t{0xD800};
  const char32_t lowBits = low - char32_t{0xDC00};
  return char32_t{0x10000} + (highBits << 10) + lowBits;
}

char byteOf(char32_t value) { return static_cast<char>(static_cast<unsigned char>(value)); }

void appendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out.push_back(byteOf(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(byteOf(0xC0 | (codePoint >> 6)));
    out.push_back(byteOf(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(byteOf(0xE0 | (codePoint >> 12)));
    out.push_back(byteOf(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(byteOf(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(byteOf(0xF0 | (codePoint >> 18)));
    out.push_back(byteOf(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(byteOf(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(byteOf(0x80 | (codePoint & 0x3F)));
  }
}

void appendUtf16(std::u16string& out, char32_t codePoint) {
  if (codePoint < 0x10000) {
    out.push_back(static_cast<char16_t>(codePoint));
    return;
  }
  const char32_t offset = codePoint - 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
}

// What a lead byte announces: the sequence length, the payload bits it carries and the
// smallest code point that needs that length (anything below is an overlong form).
struct LeadByte {
  std::size_t length = 0;  // 0: not a valid lead byte
  char32_t bits = 0;
  char32_t minimum = 0;
};

LeadByte readLeadByte(unsigned char byte) {
  if (byte < 0x80) return {1, byte, 0};
  if ((byte & 0xE0) == 0xC0) return {2, byte & 0x1Fu, 0x80};
  if ((byte & 0xF0) == 0xE0) return {3, byte & 0x0Fu, 0x800};
  if ((byte & 0xF8) == 0xF0) return {4, byte & 0x07u, 0x10000};
  return {};
}

// Decodes the sequence starting at `position`; returns its length, or 0 when it is invalid.
std::size_t decodeSequence(std::string_view bytes, std::size_t position, char32_t& codePoint) {
  const LeadByte lead = readLeadByte(static_cast<unsigned char>(bytes[position]));
  if (lead.length == 0 || bytes.size() - position < lead.length) return 0;
  char32_t value = lead.bits;
  for (std::size_t k = 1; k < lead.length; ++k) {
    const auto byte = static_cast<unsigned char>(bytes[position + k]);
    if ((byte & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte & 0x3Fu);
  }
  if (value < lead.minimum || value > kLastCodePoint || isSurrogate(value)) return 0;
  codePoint = value;
  return lead.length;
}

}  // namespace

std::string utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t unit = text[i];
    char32_t codePoint = unit;
    if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
      codePoint = combineSurrogates(unit, text[i + 1]);
      ++i;
    } else if (isSurrogate(unit)) {
      codePoint = kReplacementCharacter;
    }
    appendUtf8(out, codePoint);
  }
  return out;
}

std::optional<std::u16string> utf8ToUtf16(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  std::size_t position = 0;
  while (position < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[position]);
    if (byte < 0x80) {  // the common case, kept out of the general decoder
      out.push_back(byte);
      ++position;
      continue;
    }
    char32_t codePoint = 0;
    const std::size_t length = decodeSequence(bytes, position, codePoint);
    if (length == 0) return std::nullopt;
    appendUtf16(out, codePoint);
    position += length;
  }
  return out;
}

}  // namespace quizmora
