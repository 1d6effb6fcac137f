// The exam named at start: the command line splits as the system splits it, and a relative
// path becomes a full one.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/startup_exam_path.h"
#include "app/win_text.h"

namespace quizmora {
namespace {

std::vector<std::u16string> systemSplit(const wchar_t* line) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(line, &count);
  std::vector<std::u16string> out;
  for (int i = 0; arguments && i < count; ++i) out.push_back(fromWide(arguments[i]));
  LocalFree(arguments);
  return out;
}

// Lines whose quotation marks and backslashes the rules treat differently; the program
// must read them as every other Windows program does.
TEST(StartupExamPath, SplitsLikeTheSystem) {
  const wchar_t* lines[] = {
      L"\"C:\\Program Files\\Q\\Q.exe\" \"C:\\My exams\\a b.qzm\"",
      L"\"C:\\dir\\\"x \"a\\\\\" b",
      L"p a\\\\\\\"b c\\d\\\\ \"e\"\"f\" \"unclosed g",
      L"p \"\" \t \"a\"b\"c d\"",
  };
  for (std::size_t i = 0; i < std::size(lines); ++i) {
    EXPECT_EQ(splitCommandLine(fromWide(lines[i])), systemSplit(lines[i])) << "line " << i;
  }
}

std::u16string currentFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  std::u16string text = fromWide(folder);
  if (text.back() != u'\\') text.push_back(u'\\');
  return text;
}

TEST(StartupExamPath, CompletesRelativePaths) {
  const std::u16string here = currentFolder();
  struct Case {
    const wchar_t* line;
    std::optional<std::u16string> expected;
  } cases[] = {
      {L"Q.exe", std::nullopt},  // not the current folder
      {L"Q.exe \"C:\\My exams\\A b.qzm\" second.qzm", u"C:\\My exams\\A b.qzm"},
      {L"Q.exe exam.qzm", here + u"exam.qzm"},
      {L"Q.exe \"sub dir\\..\\Pr\u00FCfung.qzm\"", here + u"Pr\u00FCfung.qzm"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(startupExamPath(cases[i].line), cases[i].expected) << "case " << i;
  }
}

}  // namespace
}  // namespace quizmora
