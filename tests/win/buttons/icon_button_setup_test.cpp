// Taking over a button, its icons, its tooltip, and what it leaves behind.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "button_fixture.h"
#include "controls/icon_button.h"

namespace quizmora::test {
namespace {

struct AttachCase {
  const char* name;
  DWORD style;
  bool checkBox;
  bool defaultButton;
};

class IconButtonAttachTest : public testing::TestWithParam<AttachCase> {};

TEST_P(IconButtonAttachTest, BecomesOwnerDrawnAndRemembersTheKind) {
  const AttachCase& test = GetParam();
  ButtonHost host;
  IconButton button;
  HWND window = host.addButton(1012, 10, 10, test.style);
  ASSERT_TRUE(button.attach(window));
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_TABSTOP), WS_CHILD | WS_VISIBLE | WS_TABSTOP);
  EXPECT_EQ(button.wasCheckBox(), test.checkBox);
  EXPECT_EQ(button.wasDefaultButton(), test.defaultButton);
  EXPECT_EQ(button.hwnd(), window);
  EXPECT_EQ(SubclassedControl::fromWindow(window), &button);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, IconButtonAttachTest,
    testing::Values(AttachCase{"PushButton", BS_PUSHBUTTON, false, false},
                    AttachCase{"DefaultPushButton", BS_DEFPUSHBUTTON, false, true},
                    AttachCase{"CheckBox", BS_CHECKBOX, true, false},
                    AttachCase{"AutoCheckBox", BS_AUTOCHECKBOX, true, false},
                    AttachCase{"RadioButton", BS_RADIOBUTTON, false, false}),
    [](const testing::TestParamInfo<AttachCase>& info) { return std::string(info.param.name); });

TEST(IconButtonAttach, RefusesMissingOrTakenWindows) {
  ButtonHost host;
  HWND window = host.addButton(1012, 10, 10);
  IconButton first;
  IconButton second;
  EXPECT_FALSE(first.attach(nullptr));
  ASSERT_TRUE(first.attach(window));
  EXPECT_FALSE(second.attach(window));
  EXPECT_FALSE(first.attach(host.addButton(1013, 40, 10)));
  EXPECT_EQ(SubclassedControl::fromWindow(window), &first);
}

class IconButtonSetupTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(button_.attach(host_.addButton(1014, 20, 20))); }

  ButtonHost host_;
  IconButton button_;
};

TEST_F(IconButtonSetupTest, IconSizeIsTakenFromTheIcon) {
  struct Case {
    int width;
    int height;
  } cases[] = {{16, 16}, {32, 32}, {24, 12}};
  for (const Case& test : cases) {
    ASSERT_EQ(button_.adoptIcons(makeTestIcon(test.width, test.height), nullptr), 0);
    EXPECT_EQ(button_.inIconSize().cx, test.width);
    EXPECT_EQ(button_.inIconSize().cy, test.height);
  }
}

TEST_F(IconButtonSetupTest, LoadsIconsFromAModule) {
  // user32 carries the system's standard icons; 32512 is the application icon.
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  ASSERT_EQ(button_.setIcons(32512, 0, user32), 0);
  ASSERT_NE(button_.inIcon(), nullptr);
  EXPECT_EQ(button_.outIcon(), nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(button_.inIcon(), &info));
  BITMAP colour{};
  GetObjectW(info.hbmColor, sizeof(colour), &colour);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_EQ(button_.inIconSize().cx, colour.bmWidth);
  EXPECT_EQ(button_.inIconSize().cy, colour.bmHeight);
}

TEST_F(IconButtonSetupTest, IdZeroLoadsNothing) {
  EXPECT_EQ(button_.setIcons(0, 0, GetModuleHandleW(nullptr)), 0);
  EXPECT_EQ(button_.inIcon(), nullptr);
  EXPECT_EQ(button_.outIcon(), nullptr);
}

TEST_F(IconButtonSetupTest, UnusableIconFailsAndLeavesNoIcons) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  struct Case {
    int in;
    int out;
  } cases[] = {{9999, 0}, {32512, 9999}, {9999, 32512}};
  for (const Case& test : cases) {
    HICON before = makeTestIcon();
    ASSERT_EQ(button_.adoptIcons(before, nullptr), 0);
    EXPECT_EQ(button_.setIcons(test.in, test.out, user32), 1) << test.in << "/" << test.out;
    EXPECT_EQ(button_.inIcon(), nullptr);
    EXPECT_EQ(button_.outIcon(), nullptr);
    EXPECT_FALSE(isIconAlive(before));
  }
  // A handle that is no icon at all.
  EXPECT_EQ(button_.adoptIcons(reinterpret_cast<HICON>(static_cast<INT_PTR>(0x5A5A)), nullptr), 1);
  EXPECT_EQ(button_.inIcon(), nullptr);
}

TEST_F(IconButtonSetupTest, NewIconsFreeTheOldOnes) {
  HICON firstIn = makeTestIcon();
  HICON firstOut = makeTestIcon();
  ASSERT_EQ(button_.adoptIcons(firstIn, firstOut), 0);
  ASSERT_EQ(button_.adoptIcons(makeTestIcon(), nullptr), 0);
  EXPECT_FALSE(isIconAlive(firstIn));
  EXPECT_FALSE(isIconAlive(firstOut));
  EXPECT_TRUE(isIconAlive(button_.inIcon()));
}

TEST_F(IconButtonSetupTest, IconAlignmentTakesOnlyKnownValues) {
  struct Case {
    int value;
    int stored;
  } cases[] = {{1, 1}, {-1, 1}, {3, 1}, {2, 2}, {0, 0}, {100, 0}};
  EXPECT_EQ(button_.iconAlignment(), IconButton::kIconLeft);
  for (const Case& test : cases) {
    button_.setIconAlignment(test.value);
    EXPECT_EQ(button_.iconAlignment(), test.stored) << test.value;
  }
}

std::wstring tooltipText(HWND tooltip, HWND button) {
  wchar_t text[512] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = button;
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
  return text;
}

TEST_F(IconButtonSetupTest, TooltipIsMadeOnceWithOneTool) {
  EXPECT_EQ(button_.tooltip(), nullptr);
  button_.setTooltipText(L"Add Question", true);
  HWND tooltip = button_.tooltip();
  ASSERT_NE(tooltip, nullptr);

  wchar_t className[64] = {};
  GetClassNameW(tooltip, className, 64);
  EXPECT_STREQ(className, L"tooltips_class32");
  EXPECT_EQ(SendMessageW(tooltip, TTM_GETMAXTIPWIDTH, 0, 0), 400);
  EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(tooltipText(tooltip, button_.hwnd()), L"Add Question");

  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  ASSERT_TRUE(SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
  EXPECT_EQ(tool.hwnd, button_.hwnd());
  EXPECT_EQ(tool.uId, 1u);
  EXPECT_EQ(tool.uFlags, 0u);
  RECT client{};
  GetClientRect(button_.hwnd(), &client);
  EXPECT_TRUE(EqualRect(&tool.rect, &client));

  // A second text replaces the first in the same tooltip and tool.
  button_.setTooltipText(L"Update Question", true);
  EXPECT_EQ(button_.tooltip(), tooltip);
  EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(tooltipText(tooltip, button_.hwnd()), L"Update Question");
}

TEST_F(IconButtonSetupTest, MissingTextChangesNothing) {
  button_.setTooltipText(nullptr, true);
  EXPECT_EQ(button_.tooltip(), nullptr);
  button_.setTooltipText(L"Clean Fields", true);
  button_.setTooltipText(nullptr, true);
  EXPECT_EQ(tooltipText(button_.tooltip(), button_.hwnd()), L"Clean Fields");
}

TEST(IconButtonTooltip, NeedsAnAttachedButton) {
  IconButton button;
  button.setTooltipText(L"Clean Fields", true);
  EXPECT_EQ(button.tooltip(), nullptr);
}

struct TooltipShowCase {
  const char* name;
  bool activate;
  bool enabled;
  bool shows;
};

class IconButtonTooltipShowTest : public IconButtonSetupTest,
                                  public testing::WithParamInterface<TooltipShowCase> {
 protected:
  void TearDown() override { parkMouse(); }
};

// The tooltip learns of the pointer only through the messages the button relays.
TEST_P(IconButtonTooltipShowTest, ShowsAfterThePointerRests) {
  const TooltipShowCase& test = GetParam();
  ASSERT_EQ(button_.adoptIcons(makeTestIcon(), nullptr), 0);
  button_.setTooltipText(L"Delete Question", test.activate);
  SendMessageW(button_.tooltip(), TTM_SETDELAYTIME, TTDT_INITIAL, 20);
  EnableWindow(button_.hwnd(), test.enabled ? TRUE : FALSE);
  moveMouseTo(button_.hwnd(), 10, 10);
  moveMouseTo(button_.hwnd(), 11, 10);
  pumpFor(400);
  EXPECT_EQ(IsWindowVisible(button_.tooltip()) != FALSE, test.shows);
}

INSTANTIATE_TEST_SUITE_P(States, IconButtonTooltipShowTest,
                         testing::Values(TooltipShowCase{"Active", true, true, true},
                                         TooltipShowCase{"Inactive", false, true, false},
                                         TooltipShowCase{"DisabledButton", true, false, false}),
                         [](const testing::TestParamInfo<TooltipShowCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(IconButtonLifetime, ObjectFreesIconsAndTooltip) {
  ButtonHost host;
  HWND window = host.addButton(1016, 10, 10);
  HICON in = makeTestIcon();
  HICON out = makeTestIcon();
  HWND tooltip = nullptr;
  {
    IconButton button;
    ASSERT_TRUE(button.attach(window));
    ASSERT_EQ(button.adoptIcons(in, out), 0);
    button.setTooltipText(L"Delete Question", true);
    tooltip = button.tooltip();
    ASSERT_TRUE(IsWindow(tooltip));
  }
  EXPECT_FALSE(isIconAlive(in));
  EXPECT_FALSE(isIconAlive(out));
  EXPECT_FALSE(IsWindow(tooltip));
  // The button window itself stays, back in the hands of its own procedure.
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(SubclassedControl::fromWindow(window), nullptr);
}

TEST(IconButtonLifetime, ButtonWindowTakesItsTooltipAlong) {
  ButtonHost host;
  IconButton button;
  HWND window = host.addButton(1016, 10, 10);
  ASSERT_TRUE(button.attach(window));
  ASSERT_EQ(button.adoptIcons(makeTestIcon(), nullptr), 0);
  button.setTooltipText(L"Delete Question", true);
  HWND tooltip = button.tooltip();
  DestroyWindow(window);
  EXPECT_FALSE(IsWindow(tooltip));
  EXPECT_EQ(button.tooltip(), nullptr);
  EXPECT_EQ(button.hwnd(), nullptr);
  // The icons stay with the object until it goes.
  EXPECT_TRUE(isIconAlive(button.inIcon()));
}

// Many buttons made and dropped with the window they sit on leave no icons or windows.
TEST(IconButtonLifetime, RepeatedCyclesLeaveNothingBehind) {
  for (int round = 0; round < 3; ++round) {
    HICON icon = makeTestIcon();
    HWND tooltip = nullptr;
    {
      ButtonHost host;
      IconButton button;
      ASSERT_TRUE(button.attach(host.addButton(1017, 10, 10)));
      ASSERT_EQ(button.adoptIcons(icon, nullptr), 0);
      button.setTooltipText(L"Copy Question and Answers", true);
      tooltip = button.tooltip();
    }
    EXPECT_FALSE(isIconAlive(icon));
    EXPECT_FALSE(IsWindow(tooltip));
  }
}

}  // namespace
}  // namespace quizmora::test
