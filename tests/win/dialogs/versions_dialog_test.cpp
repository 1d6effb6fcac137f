// Printable Versions as the author uses it: what the dialog shows at first, the choices it
// hands on to the page saved where the author said and then opened, and Cancel in either
// dialog writing and opening nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/editor_under_test.h"
#include "modal_driver.h"
#include "support/fake_question_form.h"
#include "support/interchange_support.h"
#include "support/test_support.h"

namespace quizmora::test {
namespace {

class VersionsEditor : public EditorUnderTest {
 public:
  VersionsEditor() { useFileDialogs(dialogs); }
  void openPage(const std::u16string& path) override { opened.push_back(path); }

  ScriptedFileDialogs dialogs;
  std::vector<std::u16string> opened;
};

struct VersionsCase {
  const char* name;
  std::vector<WPARAM> countKeys;  // pressed in the number list
  std::vector<int> clicks;        // buttons clicked before closing
  int close;                      // IDOK or IDCANCEL
  bool saved;                     // the author names a file (else cancels the save dialog)
  const char* foot;               // what the last version's foot says
  bool keys;                      // key pages follow
};

const VersionsCase kCases[] = {
    {"DefaultsAreFourVersionsWithKeys",
     {},
     {},
     IDOK,
     true,
     "Version D of 4 \u00B7 shuffled: questions",
     true},
    {"ChoicesReachThePage",
     {VK_HOME, VK_DOWN},
     {IDC_VERSIONS_BOTH, IDC_VERSIONS_KEYS},
     IDOK,
     true,
     "Version B of 2 \u00B7 shuffled: both",
     false},
    {"CancelAsksForNoFile", {}, {}, IDCANCEL, false, "", false},
    {"CancelledSaveOpensNothing", {}, {}, IDOK, false, "", false},
};

class VersionsCommandTest : public testing::TestWithParam<VersionsCase> {
 protected:
  void SetUp() override { ASSERT_NE(editor.show(), nullptr); }
  VersionsEditor editor;
};

TEST_P(VersionsCommandTest, SavesAndOpensThePageChosen) {
  const VersionsCase& test = GetParam();
  editor.exam() = examOf({oneChoice(u"Q1", {{u"a", 1}, {u"b", 0}}), flashCard(u"Q2", u"back"),
                          multipleChoice(u"Q3", {{u"c", 1}, {u"d", 1}, {u"e", 0}}),
                          oneChoice(u"Q4", {{u"f", 0}, {u"g", 1}})},
                         u"Rivers");
  TempDir dir;
  const std::u16string page = (dir / u"rivers.html").u16string();
  if (test.close == IDOK) {
    editor.dialogs.paths = {test.saved ? std::optional(page) : std::nullopt};
  }
  ModalDriver driver(L"Printable Versions", [&](HWND dialog) {
    HWND count = GetDlgItem(dialog, IDC_VERSIONS_COUNT);
    if (!test.countKeys.empty()) postFocus(dialog, count);
    for (WPARAM key : test.countKeys) postKey(count, key);
    for (int id : test.clicks) PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(dialog, test.close), BM_CLICK, 0, 0);
  });
  editor.command(ID_FILE_PRINT_VERSIONS);

  ASSERT_TRUE(driver.ran());
  EXPECT_FALSE(driver.timedOut());
  EXPECT_TRUE(editor.dialogs.paths.empty()) << "the save dialog was not asked";
  EXPECT_EQ(editor.opened, test.saved ? std::vector{page} : std::vector<std::u16string>{});
  const std::string written = test.saved ? readBytes(dir / u"rivers.html") : "";
  EXPECT_EQ(std::filesystem::exists(dir / u"rivers.html"), test.saved);
  EXPECT_NE(written.find(test.foot), std::string::npos);
  EXPECT_EQ(written.find("Answer key") != std::string::npos, test.keys);
}

INSTANTIATE_TEST_SUITE_P(Table, VersionsCommandTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<VersionsCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace quizmora::test
