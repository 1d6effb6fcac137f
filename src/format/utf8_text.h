#pragma once
// Conversions between the UTF-16 text the exam model holds and UTF-8, for tools and
// interfaces that speak UTF-8 (JSON, terminals, web forms).

#include <optional>
#include <string>
#include <string_view>

namespace quizmora {

// Never fails: a surrogate without its partner becomes U+FFFD, so any text an exam file can
// hold still prints. Surrogate pairs become 4-byte sequences.
std::string utf16ToUtf8(std::u16string_view text);

// Strict: overlong forms, encoded surrogates, values above U+10FFFF, stray continuation
// bytes and truncated sequences make the whole input invalid (nullopt).
std::optional<std::u16string> utf8ToUtf16(std::string_view bytes);

}  // namespace quizmora
