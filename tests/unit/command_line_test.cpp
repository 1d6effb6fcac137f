// The program's command line: how it splits into arguments, and which exam it opens.

#include "app/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace quizmora {
namespace {

using test::printable;

std::vector<std::string> printableAll(const std::vector<std::u16string>& texts) {
  std::vector<std::string> out;
  for (const std::u16string& text : texts) out.push_back(printable(text));
  return out;
}

struct SplitCase {
  const char* name;
  std::u16string_view line;
  std::vector<std::u16string> arguments;
};

TEST(SplitCommandLine, FollowsTheWindowsRules) {
  const SplitCase cases[] = {
      {"empty line", u"", {u""}},
      {"program only", u"prog.exe", {u"prog.exe"}},
      {"quoted program with spaces",
       u"\"C:\\Program Files\\Q\\Q.exe\" a",
       {u"C:\\Program Files\\Q\\Q.exe", u"a"}},
      {"program name knows no escapes", u"\"C:\\dir\\\" a", {u"C:\\dir\\", u"a"}},
      {"unclosed quoted program", u"\"C:\\a b", {u"C:\\a b"}},
      {"argument right after the quoted program", u"\"p\"x y", {u"p", u"x", u"y"}},
      {"blanks between and after", u"p \t a\t\tb  ", {u"p", u"a", u"b"}},
      {"quoted part inside an argument", u"p a\"b c\"d", {u"p", u"ab cd"}},
      {"empty quoted argument", u"p \"\" b", {u"p", u"", u"b"}},
      {"unclosed quote runs to the end", u"p \"a b", {u"p", u"a b"}},
      {"backslashes alone stay", u"p C:\\a\\\\b\\", {u"p", u"C:\\a\\\\b\\"}},
      {"escaped quotation mark", u"p a\\\"b", {u"p", u"a\"b"}},
      {"pair of backslashes before a quote", u"p \"a\\\\\" b", {u"p", u"a\\", u"b"}},
      {"three backslashes before a quote", u"p a\\\\\\\"b", {u"p", u"a\\\"b"}},
      {"doubled mark ends the quoted part", u"p \"a\"\"b \"c d\" e", {u"p", u"a\"b", u"c d", u"e"}},
      {"non-ASCII and non-BMP text",
       u"p \"Pr\u00FCfung \xD83D\xDE00.qzm\"",
       {u"p", u"Pr\u00FCfung \xD83D\xDE00.qzm"}},
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(printableAll(splitCommandLine(c.line)), printableAll(c.arguments)) << c.name;
  }
}

std::string printableOrNone(const std::optional<std::u16string>& text) {
  return text ? "\"" + printable(*text) + "\"" : "none";
}

struct ExamPathCase {
  const char* name;
  std::u16string_view line;
  std::optional<std::u16string> path;
};

TEST(ExamPathFromCommandLine, TakesTheFirstArgument) {
  const ExamPathCase cases[] = {
      {"no argument", u"\"C:\\Q\\QuizmoraBuilder.exe\"", std::nullopt},
      {"empty quoted argument", u"QuizmoraBuilder.exe \"\"", std::nullopt},
      {"quoted, with spaces (as Explorer starts it)",
       u"\"C:\\Program Files\\Quizmora Builder\\QuizmoraBuilder.exe\" \"C:\\My exams\\A b.qzm\"",
       u"C:\\My exams\\A b.qzm"},
      {"unquoted without spaces", u"QuizmoraBuilder.exe C:\\exams\\a.qzm", u"C:\\exams\\a.qzm"},
      {"a missing file is still asked for", u"Q.exe C:\\gone\\missing.qzm",
       u"C:\\gone\\missing.qzm"},
      {"a directory is still asked for", u"Q.exe C:\\exams\\", u"C:\\exams\\"},
      {"two arguments: the first is used", u"Q.exe \"C:\\a b.qzm\" C:\\second.qzm", u"C:\\a b.qzm"},
  };
  for (const ExamPathCase& c : cases) {
    EXPECT_EQ(printableOrNone(examPathFromCommandLine(c.line)), printableOrNone(c.path)) << c.name;
  }
}

}  // namespace
}  // namespace quizmora
