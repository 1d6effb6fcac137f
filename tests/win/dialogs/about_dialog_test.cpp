// The About box: opened by its command with the build number from the program's version
// resource, and its link as the author uses it, with the browser's colours from the
// registry, the mouse and the keyboard. The shell is replaced by a recorder.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/canvas.h"
#include "common/editor_under_test.h"
#include "dialog_pump.h"
#include "dialogs/about_dialog.h"
#include "modal_driver.h"

namespace quizmora::test {
namespace {

// Sets the browser's link colours (null: no value) in the tests' own Wine prefix.
void setAnchorColors(const wchar_t* link, const wchar_t* visited) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Settings", 0,
                  nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  const std::pair<const wchar_t*, const wchar_t*> values[] = {{L"Anchor Color", link},
                                                              {L"Anchor Color Visited", visited}};
  for (const auto& [name, text] : values) {
    if (!text) {
      RegDeleteValueW(key, name);
      continue;
    }
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(wchar_t)));
  }
  RegCloseKey(key);
}

// The About box shown without owner, its link opening through a recorder.
class AboutLinkTest : public testing::Test {
 protected:
  void open() {
    dialog = std::make_unique<AboutDialog>([this](const std::u16string& url) {
      opened.push_back(url);
      return openSucceeds;
    });
    window = dialog->create(GetModuleHandleW(nullptr), IDD_ABOUT, nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    link = GetDlgItem(window, IDC_ABOUT_LINK);
    pumpDialog(window);
  }
  POINT onText() const {
    const RECT rect = dialog->link().linkRect();
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  POINT besideText() const {
    RECT client{};
    GetClientRect(link, &client);
    EXPECT_LT(dialog->link().linkRect().right, client.right - 4);
    return {client.right - 2, onText().y};
  }
  // The left button pressed at one point of the link and released at another.
  void press(POINT down, POINT up) {
    PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(down));
    PostMessageW(link, WM_MOUSEMOVE, MK_LBUTTON, clientPoint(up));
    PostMessageW(link, WM_LBUTTONUP, 0, clientPoint(up));
    pumpDialog(window);
  }
  // How many pixels of the link show `color`, drawn as the link draws itself.
  int pixelsOf(COLORREF color) const {
    RECT client{};
    GetClientRect(link, &client);
    Canvas canvas(client.right, client.bottom, RGB(255, 255, 255));
    SendMessageW(link, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    int count = 0;
    for (int y = 0; y < canvas.height(); ++y) {
      for (int x = 0; x < canvas.width(); ++x) count += canvas.pixel(x, y) == color ? 1 : 0;
    }
    return count;
  }

  std::unique_ptr<AboutDialog> dialog;
  HWND window = nullptr;
  HWND link = nullptr;
  bool openSucceeds = true;
  std::vector<std::u16string> opened;
};

struct ColorCase {
  const char* name;
  const wchar_t* anchor;  // registry values, null when absent
  const wchar_t* visited;
  COLORREF linkColor;
  COLORREF visitedColor;
};

class AboutLinkColorTest : public AboutLinkTest, public testing::WithParamInterface<ColorCase> {};

// A press on the link dragged off it opens nothing but leaves the focus on the link; Space
// then opens the page, and the link shows the visited colour.
TEST_P(AboutLinkColorTest, DrawsTheBrowsersColours) {
  const ColorCase& test = GetParam();
  setAnchorColors(test.anchor, test.visited);
  open();
  setAnchorColors(nullptr, nullptr);
  EXPECT_GT(pixelsOf(test.linkColor), 0);
  EXPECT_EQ(pixelsOf(test.visitedColor), 0);

  press(onText(), besideText());
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(GetFocus(), link);
  postKey(link, VK_SPACE);
  pumpDialog(window);
  EXPECT_EQ(opened, std::vector<std::u16string>{u"http://www.quizmora.example/"});
  EXPECT_GT(pixelsOf(test.visitedColor), 0);
  EXPECT_EQ(pixelsOf(test.linkColor), 0);
}

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kPurple = RGB(128, 0, 128);

INSTANTIATE_TEST_SUITE_P(
    Registry, AboutLinkColorTest,
    testing::Values(ColorCase{"Set", L"0,0,128", L"0,128,0", RGB(0, 0, 128), RGB(0, 128, 0)},
                    ColorCase{"Absent", nullptr, nullptr, kBlue, kPurple},
                    // Thirteen characters: longer than any colour the browser writes.
                    ColorCase{"TooLong", L"0000,0,00128", L"128,0,0", kBlue, RGB(128, 0, 0)}),
    [](const testing::TestParamInfo<ColorCase>& info) { return std::string(info.param.name); });

struct ClickCase {
  const char* name;
  bool pressOnText;
  bool releaseOnText;
  bool openSucceeds;
  int opens;  // calls of the shell
  bool visited;
};

class AboutLinkClickTest : public AboutLinkTest, public testing::WithParamInterface<ClickCase> {};

TEST_P(AboutLinkClickTest, OpensWhenPressedAndReleasedOnTheText) {
  const ClickCase& test = GetParam();
  openSucceeds = test.openSucceeds;
  open();
  press(test.pressOnText ? onText() : besideText(), test.releaseOnText ? onText() : besideText());
  EXPECT_EQ(static_cast<int>(opened.size()), test.opens);
  EXPECT_EQ(dialog->link().visited(), test.visited);
  EXPECT_EQ(GetCapture(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Clicks, AboutLinkClickTest,
                         testing::Values(ClickCase{"Click", true, true, true, 1, true},
                                         ClickCase{"DragIn", false, true, true, 0, false},
                                         ClickCase{"ShellFails", true, true, false, 1, false}),
                         [](const testing::TestParamInfo<ClickCase>& info) {
                           return std::string(info.param.name);
                         });

// The link wants typed characters, but Enter remains the dialog's: it presses OK.
TEST_F(AboutLinkTest, EnterOnTheFocusedLinkPressesOk) {
  open();
  SetFocus(link);
  postKey(link, VK_RETURN);
  pumpDialog(window);
  EXPECT_TRUE(opened.empty());
  EXPECT_FALSE(IsWindowVisible(window));
}

// The command shows the box over the main window with the build number from the program's
// version resource and the focus on OK.
TEST(AboutCommandTest, ShowsTheBuildNumber) {
  EditorUnderTest editor;
  HWND main = editor.show();
  ASSERT_NE(main, nullptr);
  ModalDriver driver(L"About", [main](HWND dialog) {
    wchar_t build[32] = {};
    GetDlgItemTextW(dialog, IDC_ABOUT_BUILD, build, 32);
    EXPECT_STREQ(build, L"1. 0. 0. 7");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), main);
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  editor.command(ID_HELP_ABOUT);
  EXPECT_TRUE(driver.ran());
  EXPECT_FALSE(driver.timedOut());
  // A file without a version block has no build number.
  EXPECT_EQ(readBuildNumber(L"C:\\quizmora-missing.exe"), u"");
}

}  // namespace
}  // namespace quizmora::test
