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
  std::vector<WPARAM> countKeys;    // pressed in the number list
  int click;                        // a button clicked before closing; 0 for none
  int close;                        // IDOK or IDCANCEL
  bool saved;                       // the author names a file (else cancels the save dialog)
  std::vector<std::string> shown;   // on the page
  std::vector<std::string> absent;  // not on it
};

const VersionsCase kCases[] = {
    {"DefaultsAreFourVersionsWithKeys",
     {},
     0,
     IDOK,
     true,
     {"Version D of 4", "shuffled: questions", "Answer key"},
     {"Version E"}},
    {"ChoicesReachThePage",
     {VK_HOME, VK_DOWN},
     IDC_VERSIONS_BOTH,
     IDOK,
     true,
     {"Version B of 2", "shuffled: both"},
     {"Version C", "Answer key"}},
    {"KeysCanBeLeftOut", {}, IDC_VERSIONS_KEYS, IDOK, true, {"Version D of 4"}, {"Answer key"}},
    {"CancelAsksForNoFile", {}, 0, IDCANCEL, false, {}, {}},
    {"CancelledSaveOpensNothing", {}, 0, IDOK, false, {}, {}},
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
  bool initial = false;
  ModalDriver driver(L"Printable Versions", [&](HWND dialog) {
    HWND count = GetDlgItem(dialog, IDC_VERSIONS_COUNT);
    initial = SendMessageW(count, CB_GETCOUNT, 0, 0) == 26 &&
              SendMessageW(count, CB_GETCURSEL, 0, 0) == 3 &&
              IsDlgButtonChecked(dialog, IDC_VERSIONS_QUESTIONS) == BST_CHECKED &&
              IsDlgButtonChecked(dialog, IDC_VERSIONS_KEYS) == BST_CHECKED;
    if (!test.countKeys.empty()) postFocus(dialog, count);
    for (WPARAM key : test.countKeys) postKey(count, key);
    if (test.click) PostMessageW(GetDlgItem(dialog, test.click), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(dialog, test.close), BM_CLICK, 0, 0);
  });
  editor.command(ID_FILE_PRINT_VERSIONS);

  ASSERT_TRUE(driver.ran());
  EXPECT_FALSE(driver.timedOut());
  EXPECT_TRUE(initial) << "four versions, questions shuffled, with keys";
  EXPECT_TRUE(editor.dialogs.paths.empty()) << "the save dialog was not asked";
  EXPECT_EQ(editor.opened, test.saved ? std::vector{page} : std::vector<std::u16string>{});
  if (!test.saved) {
    EXPECT_FALSE(std::filesystem::exists(dir / u"rivers.html"));
    return;
  }
  const std::string written = readBytes(dir / u"rivers.html");
  for (const std::string& part : test.shown)
    EXPECT_NE(written.find(part), std::string::npos) << part;
  for (const std::string& part : test.absent)
    EXPECT_EQ(written.find(part), std::string::npos) << part;
}

INSTANTIATE_TEST_SUITE_P(Table, VersionsCommandTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<VersionsCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace quizmora::test
