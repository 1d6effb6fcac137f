#pragma once
// Small helpers shared by the core's test suites.

#include <filesystem>
#include <string>
#include <string_view>

namespace quizmora::test {

// A fresh directory under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::u16string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, std::string_view bytes);

// The little-endian bytes of UTF-16 units, as an exam file holds them.
std::string littleEndianBytes(std::u16string_view units);

// Printable form of UTF-16 text for failure messages and event tables: ASCII as it is,
// CR, LF and TAB as \r, \n, \t, everything else as \uXXXX.
std::string printable(std::u16string_view text);

}  // namespace quizmora::test
