#include "server/exam_name.h"

#include <array>

namespace quizmora {
namespace {

bool isNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

char lowered(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lowered(a[i]) != lowered(b[i])) return false;
  }
  return true;
}

bool isDeviceName(std::string_view name) {
  constexpr std::array<std::string_view, 4> kPlain = {"con", "prn", "aux", "nul"};
  for (std::string_view device : kPlain) {
    if (equalsNoCase(name, device)) return true;
  }
  if (name.size() == 4 && name[3] >= '0' && name[3] <= '9') {
    return equalsNoCase(name.substr(0, 3), "com") || equalsNoCase(name.substr(0, 3), "lpt");
  }
  return false;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == '_' || text.front() == '-')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == '_' || text.back() == '-')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string safeExamName(std::string_view uploadedName) {
  const std::size_t slash = uploadedName.find_last_of("/\\");
  if (slash != std::string_view::npos) uploadedName.remove_prefix(slash + 1);
  constexpr std::string_view kExtension = ".qzm";
  if (uploadedName.size() >= kExtension.size() &&
      equalsNoCase(uploadedName.substr(uploadedName.size() - kExtension.size()), kExtension)) {
    uploadedName.remove_suffix(kExtension.size());
  }
  std::string name;
  for (char c : uploadedName) {
    if (isNameCharacter(c)) {
      name += c;
    } else if (name.empty() || name.back() != '_') {
      name += '_';  // a dot, a space, a byte of a character outside ASCII, ...
    }
  }
  std::string_view kept = trimmed(name);
  if (kept.size() > kExamNameLength) kept = trimmed(kept.substr(0, kExamNameLength));
  if (kept.empty()) return "exam";
  if (isDeviceName(kept)) return "exam_" + std::string(kept);
  return std::string(kept);
}

bool isExamName(std::string_view name) {
  if (name.empty() || name.size() > kExamNameLength + 8 || trimmed(name) != name) return false;
  for (char c : name) {
    if (!isNameCharacter(c) && c != '_') return false;
  }
  return !isDeviceName(name);
}

}  // namespace quizmora
