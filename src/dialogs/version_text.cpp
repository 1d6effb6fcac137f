#include "dialogs/version_text.h"

#include <algorithm>

namespace quizmora {
namespace {

void appendHex4(std::u16string& out, std::uint16_t value) {
  constexpr char16_t kDigits[] = u"0123456789abcdef";
  for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kDigits[(value >> shift) & 0xF]);
}

}  // namespace

std::u16string productVersionQuery(std::uint16_t language, std::uint16_t codePage) {
  std::u16string query = u"\\StringFileInfo\\";
  appendHex4(query, language);
  appendHex4(query, codePage);
  query += u"\\ProductVersion";
  return query;
}

std::u16string versionDisplayText(std::u16string_view productVersion) {
  std::u16string text(productVersion);
  std::replace(text.begin(), text.end(), u',', u'.');
  return text;
}

}  // namespace quizmora
