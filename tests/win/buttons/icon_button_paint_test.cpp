// What an icon button paints in each situation, read back from the pixels.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "button_fixture.h"
#include "common/canvas.h"
#include "controls/icon_button.h"

namespace quizmora::test {
namespace {

constexpr COLORREF kSentinel = RGB(255, 0, 255);
// The button is painted at this offset in the canvas, as a parent's DC would place it.
constexpr RECT kItem{4, 3, 4 + kButtonWidth, 3 + kButtonHeight};
// Icon centred with halves rounded down: (27 - 16) / 2 = 5, (23 - 16) / 2 = 3.
constexpr POINT kIconAt{kItem.left + 5, kItem.top + 3};

enum class Frame { kNone, kRaised, kSunken };

std::string hex(COLORREF colour) {
  std::ostringstream text;
  text << std::hex << "#" << static_cast<unsigned>(GetRValue(colour)) << "."
       << static_cast<unsigned>(GetGValue(colour)) << "."
       << static_cast<unsigned>(GetBValue(colour));
  return text.str();
}

// Every pixel of the outermost ring that differs from the expected frame, as text.
std::string frameMismatches(const Canvas& canvas, const RECT& rect, Frame frame) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  COLORREF first = face;
  COLORREF second = face;
  if (frame == Frame::kRaised) {
    first = highlight;
    second = shadow;
  } else if (frame == Frame::kSunken) {
    first = shadow;
    second = highlight;
  }
  std::ostringstream out;
  auto check = [&](int x, int y, COLORREF expected) {
    const COLORREF got = canvas.pixel(x, y);
    if (got != expected) out << "(" << x << "," << y << ")=" << hex(got) << " ";
  };
  for (int x = rect.left; x <= rect.right - 2; ++x) check(x, rect.top, first);
  for (int y = rect.top; y <= rect.bottom - 2; ++y) check(rect.left, y, first);
  for (int y = rect.top; y < rect.bottom; ++y) check(rect.right - 1, y, second);
  for (int x = rect.left; x < rect.right; ++x) check(x, rect.bottom - 1, second);
  return out.str();
}

// Pixels outside the item rectangle that the button touched.
int pixelsOutside(const Canvas& canvas, const RECT& rect) {
  int count = 0;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const bool inside = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
      if (!inside && canvas.pixel(x, y) != kSentinel) ++count;
    }
  }
  return count;
}

std::set<COLORREF> coloursIn(const Canvas& canvas, const RECT& rect) {
  std::set<COLORREF> colours;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) colours.insert(canvas.pixel(x, y));
  }
  return colours;
}

class IconButtonPaintTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW));
    ASSERT_NE(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT));
    ASSERT_NE(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    ASSERT_TRUE(button_.attach(host_.addButton(1011, 20, 20)));
    ASSERT_EQ(button_.adoptIcons(makeTestIcon(), nullptr), 0);
    button_.setIconAlignment(IconButton::kIconAbove);
  }

  // Sends the reflected draw request as the parent would, into a fresh canvas.
  void render(Canvas& canvas, UINT itemState) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = 1011;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = itemState;
    item.hwndItem = button_.hwnd();
    item.hDC = canvas.dc();
    item.rcItem = kItem;
    EXPECT_EQ(
        SendMessageW(button_.hwnd(), kReflectedDrawItem, 1011, reinterpret_cast<LPARAM>(&item)),
        TRUE);
  }

  void makeHot() {
    moveMouseTo(button_.hwnd(), 10, 10);
    ASSERT_TRUE(button_.hot());
  }

  ButtonHost host_;
  IconButton button_;
};

struct PaintCase {
  const char* name;
  bool hot;
  UINT itemState;
  Frame frame;
  int iconOffset;
};

class IconButtonLookTest : public IconButtonPaintTest,
                           public testing::WithParamInterface<PaintCase> {};

TEST_P(IconButtonLookTest, FrameAndIconPlace) {
  const PaintCase& test = GetParam();
  if (test.hot) makeHot();
  Canvas canvas(40, 32, kSentinel);
  render(canvas, test.itemState);

  EXPECT_EQ(pixelsOutside(canvas, kItem), 0);
  EXPECT_EQ(frameMismatches(canvas, kItem, test.frame), "");
  const int left = kIconAt.x + test.iconOffset;
  const int top = kIconAt.y + test.iconOffset;
  EXPECT_EQ(canvas.pixel(left, top), kIconBlue);
  EXPECT_EQ(canvas.pixel(left + 1, top), kIconRed);
  EXPECT_EQ(canvas.pixel(left + 15, top + 15), kIconRed);
  // Button face right around the icon (the frame ring excepted).
  EXPECT_EQ(canvas.pixel(left - 1, top + 8), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(canvas.pixel(left + 16, top + 8), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(canvas.pixel(left + 8, top - 1), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(canvas.pixel(left + 8, top + 16), GetSysColor(COLOR_BTNFACE));
}

INSTANTIATE_TEST_SUITE_P(
    Situations, IconButtonLookTest,
    testing::Values(PaintCase{"Normal", false, 0, Frame::kNone, 0},
                    PaintCase{"Hot", true, 0, Frame::kRaised, 0},
                    PaintCase{"Pressed", false, ODS_SELECTED, Frame::kSunken, 1},
                    PaintCase{"PressedWhileHot", true, ODS_SELECTED, Frame::kSunken, 1},
                    // Keyboard focus is not drawn on a flat button.
                    PaintCase{"Focused", false, ODS_FOCUS, Frame::kNone, 0},
                    PaintCase{"HotAndFocused", true, ODS_FOCUS, Frame::kRaised, 0}),
    [](const testing::TestParamInfo<PaintCase>& info) { return std::string(info.param.name); });

TEST_F(IconButtonPaintTest, DisabledIconIsEmbossedGrey) {
  Canvas canvas(40, 32, kSentinel);
  render(canvas, ODS_DISABLED);

  EXPECT_EQ(frameMismatches(canvas, kItem, Frame::kNone), "");
  const RECT iconArea{kIconAt.x, kIconAt.y, kIconAt.x + 17, kIconAt.y + 17};
  const std::set<COLORREF> colours = coloursIn(canvas, iconArea);
  EXPECT_EQ(colours.count(kIconRed), 0u);
  EXPECT_EQ(colours.count(kIconBlue), 0u);
  // The icon's shape in shadow, with its highlight one pixel right and down.
  EXPECT_EQ(canvas.pixel(kIconAt.x, kIconAt.y), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.pixel(kIconAt.x + 15, kIconAt.y + 15), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.pixel(kIconAt.x + 16, kIconAt.y + 16), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(canvas.pixel(kIconAt.x + 16, kIconAt.y + 8), GetSysColor(COLOR_BTNHIGHLIGHT));
}

struct IconChoiceCase {
  const char* name;
  bool withOutIcon;
  bool hot;
  UINT itemState;
  COLORREF shown;
};

class IconChoiceTest : public IconButtonPaintTest,
                       public testing::WithParamInterface<IconChoiceCase> {};

// The "out" icon (green here) stands in for the "in" icon (red) only in the normal look.
TEST_P(IconChoiceTest, PicksInOrOutIcon) {
  const IconChoiceCase& test = GetParam();
  HICON out = test.withOutIcon ? makeTestIcon(16, 16, kIconGreen) : nullptr;
  ASSERT_EQ(button_.adoptIcons(makeTestIcon(), out), 0);
  ASSERT_EQ(button_.outIcon(), out);
  if (test.hot) makeHot();
  Canvas canvas(40, 32, kSentinel);
  render(canvas, test.itemState);
  const int offset = (test.itemState & ODS_SELECTED) ? 1 : 0;
  EXPECT_EQ(canvas.pixel(kIconAt.x + offset + 8, kIconAt.y + offset + 8), test.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Looks, IconChoiceTest,
    testing::Values(IconChoiceCase{"NormalWithOut", true, false, 0, kIconGreen},
                    IconChoiceCase{"HotWithOut", true, true, 0, kIconRed},
                    IconChoiceCase{"PressedWithOut", true, false, ODS_SELECTED, kIconRed},
                    IconChoiceCase{"NormalWithoutOut", false, false, 0, kIconRed}),
    [](const testing::TestParamInfo<IconChoiceCase>& info) {
      return std::string(info.param.name);
    });

TEST_F(IconButtonPaintTest, NoIconPaintsTheFaceOnly) {
  ASSERT_EQ(button_.adoptIcons(nullptr, nullptr), 0);
  Canvas canvas(40, 32, kSentinel);
  render(canvas, 0);
  EXPECT_EQ(coloursIn(canvas, kItem), std::set<COLORREF>{GetSysColor(COLOR_BTNFACE)});
}

// Odd and even spare room: the icon's corner moves by whole halves, rounded down.
TEST_F(IconButtonPaintTest, IconCentringRoundsHalvesDown) {
  struct Case {
    RECT item;
    POINT icon;
  } cases[] = {
      {{0, 0, 16, 16}, {0, 0}}, {{0, 0, 17, 17}, {0, 0}},   {{0, 0, 18, 19}, {1, 1}},
      {{2, 5, 22, 26}, {4, 7}}, {{0, 0, 15, 15}, {-1, -1}},
  };
  for (const Case& test : cases) {
    Canvas canvas(40, 40, kSentinel);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hwndItem = button_.hwnd();
    item.hDC = canvas.dc();
    item.rcItem = test.item;
    SendMessageW(button_.hwnd(), kReflectedDrawItem, 1011, reinterpret_cast<LPARAM>(&item));
    // The blue pixel marks the icon's top-left corner; at -1 it is clipped off the item.
    const POINT probe{test.icon.x + 1, test.icon.y + 1};
    EXPECT_EQ(canvas.pixel(probe.x, probe.y), kIconRed) << test.item.right;
    if (test.icon.x >= 0) {
      EXPECT_EQ(canvas.pixel(test.icon.x, test.icon.y), kIconBlue) << test.item.right;
    }
    if (test.icon.x > test.item.left) {
      EXPECT_EQ(canvas.pixel(test.icon.x - 1, test.icon.y + 1), GetSysColor(COLOR_BTNFACE))
          << test.item.right;
    }
  }
}

TEST_F(IconButtonPaintTest, BackgroundBrushIsHollow) {
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(button_.hwnd(), kReflectedCtlColorBtn, reinterpret_cast<WPARAM>(GetDC(nullptr)),
                   reinterpret_cast<LPARAM>(button_.hwnd())));
  EXPECT_EQ(brush, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
}

// The whole road: the system button paints, the parent reflects WM_DRAWITEM, the button
// draws itself on the screen.
TEST_F(IconButtonPaintTest, ShowsOnScreenThroughTheParent) {
  makeHot();
  RedrawWindow(button_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Canvas hot(kButtonWidth, kButtonHeight, kSentinel);
  hot.copyFrom(button_.hwnd());
  const RECT whole{0, 0, kButtonWidth, kButtonHeight};
  EXPECT_EQ(frameMismatches(hot, whole, Frame::kRaised), "");
  EXPECT_EQ(hot.pixel(5, 3), kIconBlue);

  moveMouseTo(host_.window(), 200, 100);
  ASSERT_FALSE(button_.hot());
  UpdateWindow(button_.hwnd());
  Canvas normal(kButtonWidth, kButtonHeight, kSentinel);
  normal.copyFrom(button_.hwnd());
  EXPECT_EQ(frameMismatches(normal, whole, Frame::kNone), "");
  EXPECT_EQ(normal.pixel(5, 3), kIconBlue);
}

}  // namespace
}  // namespace quizmora::test
