// Sizes written for 96 DPI at other DPIs, the icon a button picks, and the link's hand cursor
// drawn at the sizes the system's cursors have.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/dpi_scale.h"
#include "controls/hand_cursor.h"

namespace quizmora {
namespace {

TEST(DpiScaleTest, RescalesToTheNearestPixel) {
  struct Case {
    int value, fromDpi, toDpi, expected;
  } cases[] = {
      // The whole steps (columns at 120, 144, 192 DPI) are the Wine DPI suite's; here the
      // rounding, the way back down, and a DPI the system did not give.
      {200, 96, 96, 200}, {1, 96, 120, 1},   {1, 96, 144, 2},  {2, 96, 120, 3},
      {-3, 96, 144, -5},  {17, 120, 96, 14}, {5, 0, 144, 5},   {5, 96, -1, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rescalePixels(c.value, c.fromDpi, c.toDpi), c.expected)
        << c.value << " from " << c.fromDpi << " to " << c.toDpi;
  }
}

TEST(DpiScaleTest, ButtonIconIsTheLargestDrawnSizeThatFits) {
  struct Case {
    int dpi, roomWidth, roomHeight, expected;
  } cases[] = {
      // 120, 144 and 192 DPI in the main window's buttons are the Wine DPI suite's.
      {96, 25, 21, 16},   // the main window's buttons without scaling
      {288, 60, 60, 48},
      {110, 40, 40, 16},  // 17.6 pixels wanted: no drawn size between 16 and 20
      {192, 40, 23, 20},  // a low button takes the size that fits its height
      {144, 10, 10, 16},  // never below the smallest drawn size
      {400, 90, 90, 48},  // nothing larger is drawn
  };
  for (const Case& c : cases) {
    EXPECT_EQ(buttonIconSize(c.dpi, c.roomWidth, c.roomHeight), c.expected)
        << c.dpi << " dpi in " << c.roomWidth << " x " << c.roomHeight;
  }
}

// At 32 pixels the hand is the picture itself; at 64 each of its pixels is a square of two by
// two, with the hot spot on the same finger tip.
TEST(HandCursorTest, ScalesThePictureWithTheCursorSize) {
  const auto base = hand_cursor::scaledPlanes(hand_cursor::kSize);
  EXPECT_TRUE(std::equal(base.andPlane.begin(), base.andPlane.end(),
                         hand_cursor::kPlanes.andPlane.begin(), hand_cursor::kPlanes.andPlane.end()));
  EXPECT_TRUE(std::equal(base.xorPlane.begin(), base.xorPlane.end(),
                         hand_cursor::kPlanes.xorPlane.begin(), hand_cursor::kPlanes.xorPlane.end()));

  const auto twice = hand_cursor::scaledPlanes(2 * hand_cursor::kSize);
  EXPECT_EQ(twice.hotSpotX, 2 * hand_cursor::kHotSpotX);
  EXPECT_EQ(twice.hotSpotY, 0);
  auto bit = [](const std::vector<std::uint8_t>& plane, std::size_t rowBytes, int x, int y) {
    return (plane[static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(x / 8)] >>
            (7 - x % 8)) & 1;
  };
  int mismatches = 0;
  for (int y = 0; y < twice.size; ++y) {
    for (int x = 0; x < twice.size; ++x) {
      mismatches += bit(twice.andPlane, twice.rowBytes, x, y) != bit(base.andPlane, base.rowBytes, x / 2, y / 2);
      mismatches += bit(twice.xorPlane, twice.rowBytes, x, y) != bit(base.xorPlane, base.rowBytes, x / 2, y / 2);
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace quizmora
