// The Settings command as the author uses it: the dialog opens with the exam's details, and
// typing, choosing a mode and closing it in each way changes the details only on OK.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/editor_under_test.h"
#include "modal_driver.h"

namespace quizmora::test {
namespace {

enum class Close { kOkButton, kEnter, kCancelButton, kEsc, kCloseBox };

// `focused`: the control that holds the focus once the input before has been handled, where
// Enter and Esc arrive.
void closeDialog(HWND dialog, Close how, HWND focused) {
  switch (how) {
    case Close::kOkButton:
      PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
      break;
    case Close::kCancelButton:
      PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
      break;
    case Close::kEnter:
      postKey(focused, VK_RETURN);
      break;
    case Close::kEsc:
      postKey(focused, VK_ESCAPE);
      break;
    case Close::kCloseBox:
      PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
  }
}

ExamMode mode(int value) { return static_cast<ExamMode>(value); }

// 200 units, more than the 127 an older version kept.
const std::u16string kLongTitle = std::u16string(190, u'T') + u"\x00E9\x4E2D-the end";
const ExamHeader kFilled{
    kLongTitle,        u"Ann", u"ann@mail.example", u"http://ann.example/", u"Capitals of Europe",
    ExamMode::ExamOnly};
const ExamHeader kModeFive{u"Old", u"Bo", u"", u"", u"", mode(5)};

struct SettingsCase {
  const char* name;
  ExamHeader start;
  std::vector<std::pair<int, std::u16string>> typed;  // box, text typed over its contents
  WPARAM modeKey;                                     // 0: the mode list is left alone
  Close close;
  ExamHeader expected;
  bool changed;  // the exam now has changes to save
};

const std::vector<std::pair<int, std::u16string>> kTypeAll = {
    {IDC_SETTINGS_TITLE, kLongTitle},
    {IDC_SETTINGS_AUTHOR, u"Zo\x00EB"},
    {IDC_SETTINGS_EMAIL, u"zoe@mail.example"},
    {IDC_SETTINGS_WEB, u"http://zoe.example/"},
    {IDC_SETTINGS_DESCRIPTION, u"Rivers & lakes"}};
const ExamHeader kTypedAll{kLongTitle,          u"Zo\x00EB",
                           u"zoe@mail.example", u"http://zoe.example/",
                           u"Rivers & lakes",   ExamMode::LearningOnly};

const SettingsCase kCases[] = {
    {"OkWithoutEditsKeepsEverything", kFilled, {}, 0, Close::kOkButton, kFilled, false},
    {"TypedLongTitleKeptWhole", ExamHeader{}, kTypeAll, VK_END, Close::kEnter, kTypedAll, true},
    {"CancelButton", kFilled, kTypeAll, VK_HOME, Close::kCancelButton, kFilled, false},
    {"Esc", kFilled, kTypeAll, VK_HOME, Close::kEsc, kFilled, false},
    {"CloseBox", kFilled, kTypeAll, VK_HOME, Close::kCloseBox, kFilled, false},
    // A mode from a file that is none of the entries survives OK when none is chosen.
    {"UnknownModeKept", kModeFive, {}, 0, Close::kOkButton, kModeFive, false},
    {"UnknownModeReplacedByChoice",
     kModeFive,
     {},
     VK_HOME,
     Close::kOkButton,
     ExamHeader{u"Old", u"Bo", u"", u"", u"", ExamMode::AnyMode},
     true},
    // E-mail, web and description are not saved in the exam file.
    {"DetailsOutsideTheFileChangeNothingToSave",
     kFilled,
     {{IDC_SETTINGS_EMAIL, u"x@mail.example"},
      {IDC_SETTINGS_WEB, u"http://x.example/"},
      {IDC_SETTINGS_DESCRIPTION, u"New"}},
     0,
     Close::kEnter,
     ExamHeader{kLongTitle, u"Ann", u"x@mail.example", u"http://x.example/", u"New",
                ExamMode::ExamOnly},
     false},
};

class SettingsCommandTest : public testing::TestWithParam<SettingsCase> {
 protected:
  void SetUp() override { ASSERT_NE(editor.show(), nullptr); }
  EditorUnderTest editor;
};

TEST_P(SettingsCommandTest, ChangesTheHeaderOnlyOnOk) {
  const SettingsCase& test = GetParam();
  editor.exam().header = test.start;
  ModalDriver driver(L"Settings", [&test](HWND dialog) {
    for (const auto& [id, text] : test.typed) {
      postFocus(dialog, GetDlgItem(dialog, id));
      postText(GetDlgItem(dialog, id), text);
    }
    if (test.modeKey) {
      HWND modeList = GetDlgItem(dialog, IDC_SETTINGS_MODE);
      postFocus(dialog, modeList);
      postKey(modeList, test.modeKey);
    }
    const int focusedId = test.modeKey         ? IDC_SETTINGS_MODE
                          : test.typed.empty() ? IDOK
                                               : test.typed.back().first;
    closeDialog(dialog, test.close, GetDlgItem(dialog, focusedId));
  });
  editor.command(ID_FILE_SETTINGS);

  ASSERT_TRUE(driver.ran());
  EXPECT_FALSE(driver.timedOut());
  EXPECT_EQ(editor.exam().header, test.expected);
  EXPECT_EQ(editor.changed(), test.changed);
}

INSTANTIATE_TEST_SUITE_P(Table, SettingsCommandTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<SettingsCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace quizmora::test
