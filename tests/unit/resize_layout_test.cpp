#include "controls/resize_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace quizmora {
namespace {

// A control that started at (10, 20)-(60, 45) and was moved since to (11, 21)-(61, 46)
// (for instance by hand); rows without a rule for an axis keep its current edges.
constexpr LayoutRect kOriginal{10, 20, 60, 45};
constexpr LayoutRect kCurrent{11, 21, 61, 46};

struct PlacementCase {
  std::string name;
  std::uint32_t flags;
  int dx;
  int dy;
  LayoutRect expected;
  bool reposition;
  bool repaint;
};

class PlacementTest : public testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementTest, PlacesTheControlByItsFlags) {
  const PlacementCase& test = GetParam();
  const ResizeEntry entry{1003, test.flags, kOriginal};
  const ControlPlacement placement = placeControl(entry, kCurrent, test.dx, test.dy);
  EXPECT_EQ(placement.rect, test.expected);
  EXPECT_EQ(placement.reposition, test.reposition);
  EXPECT_EQ(placement.repaint, test.repaint);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, PlacementTest,
    testing::Values(
        PlacementCase{"None", 0, 40, 30, kCurrent, false, false},
        PlacementCase{"SizeX", kResizeSizeX, 40, 30, {11, 21, 100, 46}, true, false},
        PlacementCase{"SizeY", kResizeSizeY, 40, 30, {11, 21, 61, 75}, true, false},
        PlacementCase{
            "SizeXY", kResizeSizeX | kResizeSizeY, 40, 30, {11, 21, 100, 75}, true, false},
        PlacementCase{"MoveX", kResizeMoveX, 40, 30, {50, 21, 100, 46}, true, false},
        PlacementCase{"MoveY", kResizeMoveY, 40, 30, {11, 50, 61, 75}, true, false},
        PlacementCase{
            "MoveXY", kResizeMoveX | kResizeMoveY, 40, 30, {50, 50, 100, 75}, true, false},
        // The left status pane: wider, and kept at the bottom.
        PlacementCase{
            "SizeXMoveY", kResizeSizeX | kResizeMoveY, 40, 30, {11, 50, 100, 75}, true, false},
        PlacementCase{
            "MoveXSizeY", kResizeMoveX | kResizeSizeY, 40, 30, {50, 21, 100, 75}, true, false},
        // Size and move on one axis: moving wins for the near edge, the far edge follows.
        PlacementCase{
            "SizeXMoveX", kResizeSizeX | kResizeMoveX, 40, 30, {50, 21, 100, 46}, true, false},
        PlacementCase{"RepaintOnly", kResizeRepaint, 40, 30, kCurrent, true, true},
        PlacementCase{"Grip", kResizeGripFlags, 40, 30, {50, 50, 100, 75}, true, true},
        PlacementCase{"GripperAlone", kResizeGripper, 40, 30, kCurrent, false, false},
        PlacementCase{"GroupStartAlone", kResizeGroupStart, 40, 30, kCurrent, false, false},
        PlacementCase{"NoChange", kResizeSizeX | kResizeSizeY, 0, 0, {11, 21, 60, 45}, true, false},
        // Shrinking back below the set-up size moves edges back past where they started.
        PlacementCase{
            "ShrinkSizeXY", kResizeSizeX | kResizeSizeY, -5, -7, {11, 21, 55, 38}, true, false},
        PlacementCase{
            "ShrinkMoveXY", kResizeMoveX | kResizeMoveY, -5, -7, {5, 13, 55, 38}, true, false},
        PlacementCase{"ShrinkPastZeroWidth", kResizeSizeX, -60, 0, {11, 21, 0, 46}, true, false}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return info.param.name; });

}  // namespace
}  // namespace quizmora
