// The About box: opened by its command with the build number from the program's version
// resource, and its link as the author uses it, with the browser's colours from the
// registry, the mouse and the keyboard. The shell is replaced by a recorder.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/canvas.h"
#include "dialog_pump.h"
#include "dialogs/about_dialog.h"
#include "editor_under_test.h"
#include "modal_driver.h"

namespace quizmora::test {
namespace {

// Sets the browser's link colours for a test and puts back what was there.
class ScopedAnchorColors {
 public:
  ScopedAnchorColors(const wchar_t* link, const wchar_t* visited) {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Settings", 0,
                    nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    set(0, L"Anchor Color", link);
    set(1, L"Anchor Color Visited", visited);
  }
  ~ScopedAnchorColors() {
    for (const Saved& value : saved_) {
      if (value.existed) {
        RegSetValueExW(key_, value.name, 0, value.type, value.bytes.data(),
                       static_cast<DWORD>(value.bytes.size()));
      } else {
        RegDeleteValueW(key_, value.name);
      }
    }
    RegCloseKey(key_);
  }
  ScopedAnchorColors(const ScopedAnchorColors&) = delete;
  ScopedAnchorColors& operator=(const ScopedAnchorColors&) = delete;

 private:
  struct Saved {
    const wchar_t* name = nullptr;
    bool existed = false;
    DWORD type = 0;
    std::vector<BYTE> bytes;
  };
  void set(int slot, const wchar_t* name, const wchar_t* text) {
    Saved& value = saved_[slot];
    value.name = name;
    DWORD size = 0;
    value.existed = RegQueryValueExW(key_, name, nullptr, &value.type, nullptr, &size) == 0;
    value.bytes.resize(size);
    if (value.existed) RegQueryValueExW(key_, name, nullptr, nullptr, value.bytes.data(), &size);
    if (!text) {
      RegDeleteValueW(key_, name);
      return;
    }
    RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(wchar_t)));
  }
  HKEY key_ = nullptr;
  Saved saved_[2];
};

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

// Space on the focused link opens the page; the link then shows the visited colour.
TEST_P(AboutLinkColorTest, DrawsTheBrowsersColours) {
  const ColorCase& test = GetParam();
  ScopedAnchorColors colors(test.anchor, test.visited);
  open();
  EXPECT_GT(pixelsOf(test.linkColor), 0);
  EXPECT_EQ(pixelsOf(test.visitedColor), 0);

  SetFocus(link);
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
                    ColorCase{"Unparsable", L"12,34", L"green", kBlue, kPurple},
                    ColorCase{"Absent", nullptr, nullptr, kBlue, kPurple},
                    // Thirteen characters: longer than any colour the browser writes.
                    ColorCase{"TooLong", L"0000,0,00128", L"128,0,0", kBlue, RGB(128, 0, 0)}),
    [](const testing::TestParamInfo<ColorCase>& info) { return std::string(info.param.name); });

enum class At { kText, kBeside };

struct MouseCase {
  const char* name;
  At press;
  At release;
  bool openSucceeds;
  int opens;  // calls of the shell
  bool visited;
  bool focused;  // the link holds the keyboard focus afterwards
};

class AboutLinkMouseTest : public AboutLinkTest, public testing::WithParamInterface<MouseCase> {};

TEST_P(AboutLinkMouseTest, OpensOnlyWhenReleasedOnTheText) {
  const MouseCase& test = GetParam();
  openSucceeds = test.openSucceeds;
  open();
  const POINT press = test.press == At::kText ? onText() : besideText();
  const POINT release = test.release == At::kText ? onText() : besideText();
  PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(press));
  PostMessageW(link, WM_MOUSEMOVE, MK_LBUTTON, clientPoint(release));
  PostMessageW(link, WM_LBUTTONUP, 0, clientPoint(release));
  pumpDialog(window);
  EXPECT_EQ(static_cast<int>(opened.size()), test.opens);
  EXPECT_EQ(dialog->link().visited(), test.visited);
  EXPECT_EQ(GetFocus() == link, test.focused);
  EXPECT_EQ(GetCapture(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, AboutLinkMouseTest,
    testing::Values(MouseCase{"Click", At::kText, At::kText, true, 1, true, true},
                    MouseCase{"DragOut", At::kText, At::kBeside, true, 0, false, true},
                    MouseCase{"DragIn", At::kBeside, At::kText, true, 0, false, false},
                    MouseCase{"ShellFails", At::kText, At::kText, false, 1, false, true}),
    [](const testing::TestParamInfo<MouseCase>& info) { return std::string(info.param.name); });

struct KeyCase {
  const char* name;
  WPARAM key;
  int opens;
  bool dialogOpen;
};

class AboutLinkKeyTest : public AboutLinkTest, public testing::WithParamInterface<KeyCase> {};

// With the focus on the link: Space opens the page, Enter still presses OK.
TEST_P(AboutLinkKeyTest, HandlesKeysOfTheFocusedLink) {
  const KeyCase& test = GetParam();
  open();
  SetFocus(link);
  postKey(link, test.key);
  pumpDialog(window);
  EXPECT_EQ(static_cast<int>(opened.size()), test.opens);
  EXPECT_EQ(IsWindowVisible(window) != FALSE, test.dialogOpen);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AboutLinkKeyTest,
    testing::Values(KeyCase{"Space", VK_SPACE, 1, true}, KeyCase{"Enter", VK_RETURN, 0, false},
                    KeyCase{"Letter", 'A', 0, true}, KeyCase{"Esc", VK_ESCAPE, 0, false}),
    [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

enum class Close { kOkButton, kEnter, kEsc, kCloseBox };

class AboutCommandTest : public testing::TestWithParam<Close> {};

// The command shows the box over the main window with the build number and the focus on OK;
// every way of closing it ends the command.
TEST_P(AboutCommandTest, ShowsTheBuildNumberAndCloses) {
  EditorUnderTest editor;
  HWND main = editor.show();
  ASSERT_NE(main, nullptr);
  ModalDriver driver(L"About", [main](HWND dialog) {
    wchar_t build[32] = {};
    GetDlgItemTextW(dialog, IDC_ABOUT_BUILD, build, 32);
    EXPECT_STREQ(build, L"1. 0. 0. 7");
    HWND ok = GetDlgItem(dialog, IDOK);
    EXPECT_EQ(GetFocus(), ok);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), main);
    switch (GetParam()) {
      case Close::kOkButton:
        PostMessageW(ok, BM_CLICK, 0, 0);
        break;
      case Close::kEnter:
        postKey(ok, VK_RETURN);
        break;
      case Close::kEsc:
        postKey(ok, VK_ESCAPE);
        break;
      case Close::kCloseBox:
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
  });
  editor.command(ID_HELP_ABOUT);
  EXPECT_TRUE(driver.ran());
  EXPECT_FALSE(driver.timedOut());
}

INSTANTIATE_TEST_SUITE_P(Closing, AboutCommandTest,
                         testing::Values(Close::kOkButton, Close::kEnter, Close::kEsc,
                                         Close::kCloseBox));

// Files without a usable version block give no build number at all.
TEST(ReadBuildNumberTest, EmptyWithoutAVersionBlock) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring plain = std::wstring(folder) + L"quizmora-no-version.txt";
  HANDLE file = CreateFileW(plain.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "MZ not a program", 16, &written, nullptr);
  CloseHandle(file);
  EXPECT_EQ(readBuildNumber(plain.c_str()), u"");
  EXPECT_EQ(readBuildNumber((std::wstring(folder) + L"quizmora-missing.exe").c_str()), u"");
  DeleteFileW(plain.c_str());
}

}  // namespace
}  // namespace quizmora::test
