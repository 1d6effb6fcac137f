// The hot state, the mouse capture that tracks it, and the clicks an icon button gives.
#include <gtest/gtest.h>

#include "button_fixture.h"
#include "controls/icon_button.h"

namespace quizmora::test {
namespace {

constexpr int kNext = 1011;
constexpr int kPrev = 1010;

class IconButtonHoverTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(next_.attach(host_.addButton(kNext, 20, 20)));
    ASSERT_TRUE(prev_.attach(host_.addButton(kPrev, 20 + kButtonWidth, 20)));
    label_ = host_.addLabel(1022, 150, 20);
    for (IconButton* button : {&next_, &prev_}) {
      ASSERT_EQ(button->adoptIcons(makeTestIcon(), nullptr), 0);
      button->setTooltipText(L"Next Question", true);
      button->setIconAlignment(IconButton::kIconAbove);
    }
  }

  void TearDown() override {
    releaseLeftButton();
    parkMouse();
  }

  bool pushed(const IconButton& button) const {
    return (SendMessageW(button.hwnd(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  }

  ButtonHost host_;
  IconButton next_;
  IconButton prev_;
  HWND label_ = nullptr;
};

TEST_F(IconButtonHoverTest, PointerOverButtonMakesItHotWithTheCapture) {
  ASSERT_FALSE(next_.hot());
  moveMouseTo(next_.hwnd(), 10, 10);
  EXPECT_TRUE(next_.hot());
  EXPECT_EQ(GetCapture(), next_.hwnd());
  // Further moves on the button change nothing.
  moveMouseTo(next_.hwnd(), 12, 11);
  EXPECT_TRUE(next_.hot());
  EXPECT_EQ(GetCapture(), next_.hwnd());
}

TEST_F(IconButtonHoverTest, MovingOntoAnotherWindowLeavesAndReleases) {
  moveMouseTo(next_.hwnd(), 10, 10);
  ASSERT_TRUE(next_.hot());
  moveMouseTo(label_, 5, 5);
  EXPECT_FALSE(next_.hot());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(IconButtonHoverTest, NeighbourLightsAfterTheFirstLetsGo) {
  moveMouseTo(next_.hwnd(), 20, 10);
  ASSERT_TRUE(next_.hot());
  moveMouseTo(prev_.hwnd(), 5, 10);
  moveMouseTo(prev_.hwnd(), 6, 10);
  EXPECT_FALSE(next_.hot());
  EXPECT_TRUE(prev_.hot());
  EXPECT_EQ(GetCapture(), prev_.hwnd());
}

TEST_F(IconButtonHoverTest, NoActiveWindowNoHotState) {
  ForeignForegroundWindow other;
  ASSERT_EQ(GetActiveWindow(), nullptr);
  moveMouseTo(next_.hwnd(), 10, 10);
  moveMouseTo(next_.hwnd(), 11, 10);
  EXPECT_FALSE(next_.hot());
  EXPECT_NE(GetCapture(), next_.hwnd());
}

TEST_F(IconButtonHoverTest, DisabledButtonCannotBecomeHot) {
  EnableWindow(next_.hwnd(), FALSE);
  moveMouseTo(next_.hwnd(), 10, 10);
  EXPECT_FALSE(next_.hot());
  // Not even from a mouse message that reaches it some other way.
  postMouse(next_.hwnd(), WM_MOUSEMOVE, 0, 10, 10);
  EXPECT_FALSE(next_.hot());
  EXPECT_NE(GetCapture(), next_.hwnd());
}

TEST_F(IconButtonHoverTest, PressDraggedInDoesNotLight) {
  moveMouseTo(label_, 5, 5);
  pressLeftButton();
  moveMouseTo(next_.hwnd(), 10, 10);
  moveMouseTo(next_.hwnd(), 11, 10);
  EXPECT_FALSE(next_.hot());
  releaseLeftButton();
  EXPECT_EQ(host_.clicks(kNext), 0);
}

TEST_F(IconButtonHoverTest, ClickGivesOneCommandAndStaysHot) {
  moveMouseTo(next_.hwnd(), 10, 10);
  pressLeftButton();
  EXPECT_TRUE(pushed(next_));
  EXPECT_EQ(GetCapture(), next_.hwnd());
  releaseLeftButton();
  EXPECT_EQ(host_.clicks(kNext), 1);
  EXPECT_FALSE(pushed(next_));
  // The system button let the capture go; the pointer still rests on the button.
  moveMouseTo(next_.hwnd(), 11, 10);
  EXPECT_TRUE(next_.hot());
  EXPECT_EQ(GetCapture(), next_.hwnd());
}

TEST_F(IconButtonHoverTest, PressDraggedOffKeepsCaptureAndGivesNoCommand) {
  moveMouseTo(next_.hwnd(), 10, 10);
  pressLeftButton();
  moveMouseTo(label_, 5, 5);
  EXPECT_FALSE(next_.hot());
  EXPECT_EQ(GetCapture(), next_.hwnd());
  releaseLeftButton();
  EXPECT_EQ(host_.clicks(kNext), 0);
  EXPECT_FALSE(pushed(next_));
  EXPECT_NE(GetCapture(), next_.hwnd());
}

TEST_F(IconButtonHoverTest, DoubleClickGivesTwoCommands) {
  const HWND button = next_.hwnd();
  postMouse(button, WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
  postMouse(button, WM_LBUTTONUP, 0, 10, 10);
  postMouse(button, WM_LBUTTONDBLCLK, MK_LBUTTON, 10, 10);
  postMouse(button, WM_LBUTTONUP, 0, 10, 10);
  EXPECT_EQ(host_.clicks(kNext), 2);
}

TEST_F(IconButtonHoverTest, RealDoubleClickGivesTwoCommands) {
  moveMouseTo(next_.hwnd(), 10, 10);
  pressLeftButton();
  releaseLeftButton();
  pressLeftButton();
  releaseLeftButton();
  EXPECT_EQ(host_.clicks(kNext), 2);
  EXPECT_EQ(host_.clicks(kPrev), 0);
}

struct LeaveCase {
  const char* name;
  UINT message;
  WPARAM wParam;
  bool staysHot;
};

class IconButtonLeaveTest : public IconButtonHoverTest,
                            public testing::WithParamInterface<LeaveCase> {};

TEST_P(IconButtonLeaveTest, MessageEndsOrKeepsTheHotState) {
  const LeaveCase& test = GetParam();
  moveMouseTo(next_.hwnd(), 10, 10);
  ASSERT_TRUE(next_.hot());
  SendMessageW(next_.hwnd(), test.message, test.wParam, 0);
  EXPECT_EQ(next_.hot(), test.staysHot);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, IconButtonLeaveTest,
    testing::Values(LeaveCase{"KillFocus", WM_KILLFOCUS, 0, false},
                    LeaveCase{"CancelMode", WM_CANCELMODE, 0, false},
                    LeaveCase{"Disable", WM_ENABLE, FALSE, false},
                    LeaveCase{"Enable", WM_ENABLE, TRUE, true},
                    LeaveCase{"Deactivate", WM_ACTIVATE, WA_INACTIVE, false},
                    LeaveCase{"Activate", WM_ACTIVATE, WA_ACTIVE, true},
                    LeaveCase{"ClickActivate", WM_ACTIVATE, WA_CLICKACTIVE, true},
                    LeaveCase{"SetFocus", WM_SETFOCUS, 0, true}),
    [](const testing::TestParamInfo<LeaveCase>& info) { return std::string(info.param.name); });

TEST_F(IconButtonHoverTest, DisablingWhileHotLeavesAndTheNextMoveLetsGo) {
  moveMouseTo(next_.hwnd(), 10, 10);
  ASSERT_TRUE(next_.hot());
  EnableWindow(next_.hwnd(), FALSE);
  EXPECT_FALSE(next_.hot());
  moveMouseTo(label_, 5, 5);
  EXPECT_NE(GetCapture(), next_.hwnd());
}

TEST_F(IconButtonHoverTest, CaptureTakenAwayKeepsHotAndTheNewHoldersCapture) {
  moveMouseTo(next_.hwnd(), 10, 10);
  ASSERT_TRUE(next_.hot());
  SetCapture(label_);
  pumpMessages();
  EXPECT_TRUE(next_.hot());
  EXPECT_EQ(GetCapture(), label_);
  // Once the other window lets go, the pointer still over the button takes it again.
  ReleaseCapture();
  moveMouseTo(next_.hwnd(), 11, 10);
  EXPECT_TRUE(next_.hot());
  EXPECT_EQ(GetCapture(), next_.hwnd());
}

TEST_F(IconButtonHoverTest, CaptureReleasedElsewhereIsTakenAgainByTheNextMove) {
  moveMouseTo(next_.hwnd(), 10, 10);
  ASSERT_TRUE(next_.hot());
  ReleaseCapture();
  EXPECT_TRUE(next_.hot());
  moveMouseTo(next_.hwnd(), 11, 10);
  EXPECT_TRUE(next_.hot());
  EXPECT_EQ(GetCapture(), next_.hwnd());
}

TEST_F(IconButtonHoverTest, DestroyingTheObjectWhileHotReleasesTheCapture) {
  HWND button = nullptr;
  {
    IconButton temporary;
    button = host_.addButton(1015, 100, 20);
    ASSERT_TRUE(temporary.attach(button));
    moveMouseTo(button, 10, 10);
    ASSERT_TRUE(temporary.hot());
    ASSERT_EQ(GetCapture(), button);
  }
  EXPECT_NE(GetCapture(), button);
  EXPECT_EQ(SubclassedControl::fromWindow(button), nullptr);
}

}  // namespace
}  // namespace quizmora::test
