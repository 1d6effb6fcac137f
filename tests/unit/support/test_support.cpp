#include "support/test_support.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

namespace quizmora::test {

TempDir::TempDir() {
  std::random_device random;
  for (;;) {
    char name[32];
    std::snprintf(name, sizeof name, "qzm-test-%08x", static_cast<unsigned>(random()));
    path_ = std::filesystem::temp_directory_path() / name;
    if (std::filesystem::create_directory(path_)) return;
  }
}

TempDir::~TempDir() {
  std::error_code error;
  // Read-only files left by a test must not keep the directory alive.
  for (auto& entry : std::filesystem::recursive_directory_iterator(path_, error)) {
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
  }
  std::filesystem::remove_all(path_, error);
}

std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void writeBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string littleEndianBytes(std::u16string_view units) {
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (char16_t unit : units) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

std::string printable(std::u16string_view text) {
  std::string out;
  for (char16_t unit : text) {
    if (unit == u'\r') {
      out += "\\r";
    } else if (unit == u'\n') {
      out += "\\n";
    } else if (unit == u'\t') {
      out += "\\t";
    } else if (unit >= 0x20 && unit < 0x7F) {
      out.push_back(static_cast<char>(unit));
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(unit));
      out += code;
    }
  }
  return out;
}

}  // namespace quizmora::test
