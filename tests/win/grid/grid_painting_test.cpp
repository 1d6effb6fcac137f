// What the grid paints: cell backgrounds, grid lines, the focus frame, check boxes, the
// disabled look; and a picture of a filled grid for people to look at.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "grid_harness.h"

namespace quizmora::test {
namespace {

std::wstring outputPath(const wchar_t* name) {
  std::string directory = QZM_TEST_OUTPUT_DIR;
  std::wstring path(directory.begin(), directory.end());
  // Wine maps the Unix root to drive Z:.
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
  for (wchar_t& unit : path) {
    if (unit == L'/') unit = L'\\';
  }
  CreateDirectoryW(path.c_str(), nullptr);
  return path + L"\\" + name;
}

class GridPaintingTest : public testing::Test {
 protected:
  void SetUp() override {
    harness.addAnswer(u"Paris");
    harness.addAnswer(u"London", true);
    harness.addAnswer(
        u"A very long answer that cannot fit into the answer column of the list and is cut "
        u"with an ellipsis at its end");
    harness.addAnswer(u"Berlin", true);
    harness.takeEvents();
  }

  WindowPixels paint() {
    harness.pump();
    UpdateWindow(harness.dialog());
    RedrawWindow(harness.list(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    harness.pump();
    return WindowPixels(harness.dialog());
  }

  // A point inside a check cell, right of its box: only background there.
  POINT blankOf(int row) {
    RECT rect = harness.grid().cellRect(row, 1);
    return POINT{rect.right - 8, (rect.top + rect.bottom) / 2};
  }

  GridHarness harness;
};

TEST_F(GridPaintingTest, CellsHaveWindowBackgroundAndButtonFaceGridLines) {
  WindowPixels pixels = paint();
  for (int row = 0; row < 4; ++row) {
    SCOPED_TRACE(row);
    POINT blank = blankOf(row);
    EXPECT_EQ(pixels.at(harness.list(), blank.x, blank.y), GetSysColor(COLOR_WINDOW));
    for (int column = 0; column < 2; ++column) {
      RECT rect = harness.grid().cellRect(row, column);
      int middleY = (rect.top + rect.bottom) / 2;
      int middleX = (rect.left + rect.right) / 2;
      EXPECT_EQ(pixels.at(harness.list(), rect.right - 1, middleY), GetSysColor(COLOR_BTNFACE));
      EXPECT_EQ(pixels.at(harness.list(), middleX + 40, rect.bottom - 1),
                GetSysColor(COLOR_BTNFACE));
    }
  }
}

TEST_F(GridPaintingTest, FocusFrameOnlyWhileTheListHasTheFocus) {
  harness.clickCell(1, 1);
  ASSERT_EQ(GetFocus(), harness.list());
  RECT rect = harness.grid().cellRect(1, 1);
  int middleY = (rect.top + rect.bottom) / 2;
  int middleX = rect.right - 8;
  {
    WindowPixels pixels = paint();
    EXPECT_EQ(pixels.at(harness.list(), rect.left, middleY), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(pixels.at(harness.list(), middleX, rect.top), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(pixels.at(harness.list(), middleX, rect.bottom - 1), GetSysColor(COLOR_HIGHLIGHT));
    // The contents keep their normal colours.
    EXPECT_EQ(pixels.at(harness.list(), middleX, middleY), GetSysColor(COLOR_WINDOW));
    // Other cells of the row have no frame.
    RECT answer = harness.grid().cellRect(1, 0);
    EXPECT_EQ(pixels.at(harness.list(), answer.left, middleY), GetSysColor(COLOR_WINDOW));
  }
  SetFocus(harness.edit());
  {
    WindowPixels pixels = paint();
    EXPECT_EQ(pixels.at(harness.list(), rect.left, middleY), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(pixels.at(harness.list(), middleX, rect.top), GetSysColor(COLOR_WINDOW));
  }
}

TEST_F(GridPaintingTest, CellBeingEditedHasNoFrameAndTheEditorLeavesTheGridLines) {
  harness.clickCell(0, 0);
  HWND editor = harness.grid().editorWindow();
  ASSERT_NE(editor, nullptr);
  RECT cell = harness.grid().cellRect(0, 0);
  RECT placed;
  GetWindowRect(editor, &placed);
  MapWindowPoints(nullptr, harness.list(), reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, cell.left);
  EXPECT_EQ(placed.top, cell.top);
  EXPECT_EQ(placed.right, cell.right - 1);
  EXPECT_EQ(placed.bottom, cell.bottom - 1);
  WindowPixels pixels = paint();
  EXPECT_EQ(pixels.at(harness.list(), cell.right - 1, (cell.top + cell.bottom) / 2),
            GetSysColor(COLOR_BTNFACE));
}

TEST_F(GridPaintingTest, CheckBoxSitsTenPixelsFromTheCellsLeftEdge) {
  WindowPixels pixels = paint();
  int boxHeight = GetSystemMetrics(SM_CYMENUCHECK);
  for (int row : {0, 1}) {
    SCOPED_TRACE(row);
    RECT rect = harness.grid().cellRect(row, 1);
    int top = rect.top + 2;
    if (top + boxHeight >= rect.bottom) top = rect.bottom - boxHeight - 1;
    int y = top + boxHeight / 2;
    EXPECT_EQ(pixels.at(harness.list(), rect.left + 9, y), GetSysColor(COLOR_WINDOW));
    EXPECT_NE(pixels.at(harness.list(), rect.left + 10, y), GetSysColor(COLOR_WINDOW));
  }
  // A ticked box differs from an unticked one in its middle.
  RECT unticked = harness.grid().cellRect(0, 1);
  RECT ticked = harness.grid().cellRect(1, 1);
  int width = GetSystemMetrics(SM_CXMENUCHECK);
  bool differs = false;
  for (int dy = 2; dy < boxHeight - 2; ++dy) {
    for (int dx = 2; dx < width - 2; ++dx) {
      int y0 = unticked.top + 2 + dy;
      int y1 = ticked.top + 2 + dy;
      if (pixels.at(harness.list(), unticked.left + 10 + dx, y0) !=
          pixels.at(harness.list(), ticked.left + 10 + dx, y1)) {
        differs = true;
      }
    }
  }
  EXPECT_TRUE(differs);
}

TEST_F(GridPaintingTest, DisabledListPaintsOnButtonFaceAndTakesNoInput) {
  EnableWindow(harness.list(), FALSE);
  WindowPixels pixels = paint();
  for (int row = 0; row < 4; ++row) {
    POINT blank = blankOf(row);
    EXPECT_EQ(pixels.at(harness.list(), blank.x, blank.y), GetSysColor(COLOR_BTNFACE)) << row;
  }

  harness.clickCell(0, 1);
  harness.clickCell(0, 0);
  PostMessageW(harness.list(), WM_KEYDOWN, VK_SPACE, 0);
  PostMessageW(harness.list(), WM_CHAR, 'x', 1);
  harness.pump();
  EXPECT_EQ(harness.takeCodes(), std::vector<int>{});
  EXPECT_FALSE(harness.cellTicked(0));
  EXPECT_EQ(harness.grid().editorWindow(), nullptr);
  EXPECT_FALSE(harness.grid().hasSelectedCell());

  EnableWindow(harness.list(), TRUE);
  WindowPixels enabled = paint();
  POINT blank = blankOf(0);
  EXPECT_EQ(enabled.at(harness.list(), blank.x, blank.y), GetSysColor(COLOR_WINDOW));
}

TEST_F(GridPaintingTest, PictureOfAFilledGrid) {
  // A selected cell with its focus frame...
  harness.clickCell(3, 1);
  harness.clickCell(3, 1);
  ASSERT_EQ(GetFocus(), harness.list());
  EXPECT_TRUE(paint().saveBitmap(outputPath(L"answer_grid.bmp")));
  // ...and an open editor, its text partly typed over.
  harness.clickCell(0, 0);
  harness.pressKey(VK_END);
  harness.typeText(u" or Lyon");
  ASSERT_NE(harness.grid().editorWindow(), nullptr);
  RedrawWindow(harness.list(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_TRUE(paint().saveBitmap(outputPath(L"answer_grid_editing.bmp")));
}

}  // namespace
}  // namespace quizmora::test
