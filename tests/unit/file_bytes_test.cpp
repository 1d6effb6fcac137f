// The one atomic writer: what stands at the target after a write that succeeds or fails part
// way, with and without a file there before; and a replaced file keeps its permissions.

#include "format/file_bytes.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace quizmora {
namespace {

struct WriteCase {
  const char* name;
  const char* before;   // nullptr: no file
  bool contentWritten;  // false: the content writer gives up after writing some bytes
  bool result;
  const char* after;  // nullptr: no file
};

TEST(WriteFileReplacing, LeavesTheTargetWholeAndNoTemporaryFile) {
  const WriteCase cases[] = {
      {"NewFile", nullptr, true, true, "new"},
      {"Replaced", "old contents", true, true, "new"},
      {"FailureLeavesTheOldFile", "old contents", false, false, "old contents"},
      {"FailureMakesNoFile", nullptr, false, false, nullptr},
  };
  for (const WriteCase& c : cases) {
    test::TempDir dir;
    const auto path = dir / u"target.txt";
    if (c.before) test::writeBytes(path, c.before);
    const bool result = writeFileReplacing(path, [&](std::FILE* file) {
      std::fputs("new", file);
      return c.contentWritten;
    });
    EXPECT_EQ(result, c.result) << c.name;
    if (c.after) {
      EXPECT_EQ(test::readBytes(path), c.after) << c.name;
    } else {
      EXPECT_FALSE(std::filesystem::exists(path)) << c.name;
    }
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      ++entries;
    }
    EXPECT_EQ(entries, c.after ? 1 : 0) << c.name;
  }
}

#ifndef _WIN32
TEST(WriteFileReplacing, AReplacedFileKeepsItsPermissions) {
  test::TempDir dir;
  const auto path = dir / u"script.sh";
  test::writeBytes(path, "old");
  const auto perms = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                     std::filesystem::perms::owner_exec | std::filesystem::perms::group_read;
  std::filesystem::permissions(path, perms);
  ASSERT_TRUE(writeFileReplacing(path, std::string_view("new bytes")));
  EXPECT_EQ(test::readBytes(path), "new bytes");
  EXPECT_EQ(std::filesystem::status(path).permissions(), perms);
}
#endif

TEST(ReadFileBytes, ReadsEveryByteOrNothing) {
  test::TempDir dir;
  std::string bytes(200000, 'x');
  bytes[0] = '\0';
  bytes.back() = '\xFF';
  test::writeBytes(dir / u"big.bin", bytes);
  EXPECT_EQ(readFileBytes(dir / u"big.bin"), bytes);
  EXPECT_EQ(readFileBytes(dir / u"missing.bin"), std::nullopt);
  EXPECT_EQ(readFileBytes(dir.path()), std::nullopt);
}

}  // namespace
}  // namespace quizmora
