#include "dialogs/placement.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace quizmora {
namespace {

constexpr PlacementRect kWorkArea{0, 0, 1280, 994};

struct CentringCase {
  std::string name;
  PlacementRect centre;
  PlacementRect area;
  int width;
  int height;
  PlacementPoint expected;
};

class CentredPositionTest : public testing::TestWithParam<CentringCase> {};

TEST_P(CentredPositionTest, CentresAndKeepsInsideTheArea) {
  const CentringCase& test = GetParam();
  EXPECT_EQ(centredPosition(test.centre, test.area, test.width, test.height), test.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CentredPositionTest,
    testing::Values(
        // Over the work area itself (no owner).
        CentringCase{"WorkArea", kWorkArea, kWorkArea, 470, 500, {405, 247}},
        CentringCase{"OwnerInside", {100, 100, 700, 500}, kWorkArea, 200, 100, {300, 250}},
        // Owner partly off each edge: the dialog is pulled back inside.
        CentringCase{"OwnerOffLeft", {-500, 100, 100, 500}, kWorkArea, 400, 100, {0, 250}},
        CentringCase{"OwnerOffRight", {1100, 100, 1700, 500}, kWorkArea, 400, 100, {880, 250}},
        CentringCase{"OwnerOffTop", {100, -400, 700, 100}, kWorkArea, 200, 300, {300, 0}},
        CentringCase{"OwnerOffBottom", {100, 900, 700, 1300}, kWorkArea, 200, 300, {300, 694}},
        // Exactly touching the edges is inside.
        CentringCase{"TouchesRight", {880, 0, 1280, 100}, kWorkArea, 400, 100, {880, 0}},
        CentringCase{"TouchesLeft", {0, 0, 400, 100}, kWorkArea, 400, 100, {0, 0}},
        // A work area that does not start at the origin (task bar at the left or top).
        CentringCase{"ShiftedArea", {40, 30, 440, 330}, {40, 30, 1280, 1024}, 600, 400, {40, 30}},
        // Larger than the area: the top-left edges stay on screen, from either side.
        CentringCase{"LargerThanArea", kWorkArea, kWorkArea, 1500, 1100, {0, 0}},
        CentringCase{"LargerOwnerFarRight", {1200, 900, 1280, 994}, kWorkArea, 1500, 1100, {0, 0}},
        CentringCase{"LargerOwnerFarLeft", {-900, -900, 0, 0}, kWorkArea, 1500, 1100, {0, 0}},
        // Odd spans: both halves truncate toward zero. (-7 + 0) / 2 = -3, 5 / 2 = 2.
        CentringCase{"OddNegativeCentre", {-7, -7, 0, 0}, {-100, -100, 100, 100}, 5, 5, {-5, -5}},
        // (-6 + 1) / 2 = -2 (not -3), 7 / 2 = 3.
        CentringCase{
            "OddSumTruncatesTowardZero", {-6, -6, 1, 1}, {-100, -100, 100, 100}, 7, 7, {-5, -5}},
        CentringCase{"OddPositive", {0, 0, 7, 9}, {0, 0, 100, 100}, 3, 4, {2, 2}},
        // A child centred in its parent's client area.
        CentringCase{"ChildInParent", {0, 0, 300, 200}, {0, 0, 300, 200}, 101, 51, {100, 75}},
        // Far-out coordinates do not overflow.
        CentringCase{"HugeEdges",
                     {INT_MAX - 10, 0, INT_MAX, 10},
                     {0, 0, INT_MAX, 100},
                     10,
                     10,
                     {INT_MAX - 10, 0}}),
    [](const testing::TestParamInfo<CentringCase>& info) { return info.param.name; });

}  // namespace
}  // namespace quizmora
