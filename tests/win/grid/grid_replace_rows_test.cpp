// Replacing every row at once: the list ends as if all rows were deleted and the new ones
// appended, whatever it held before, and every property is freed or owned.
#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string>
#include <vector>

#include "grid_harness.h"

namespace quizmora::test {
namespace {

struct NewRow {
  const char* text;  // null: a row without its first cell, which is left out
  bool ticked;
};

std::vector<AnswerGrid::RowCells> countedRows(PropertyCensus& census,
                                              const std::vector<NewRow>& rows) {
  std::vector<AnswerGrid::RowCells> cells(rows.size());
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (rows[r].text)
      cells[r].emplace_back(new CountedText(census, ascii(rows[r].text)));
    else
      cells[r].emplace_back(nullptr);
    cells[r].emplace_back(new CountedCheck(census, rows[r].ticked));
  }
  return cells;
}

int focusedItem(HWND list) {
  return static_cast<int>(
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_FOCUSED, 0)));
}

TEST(GridReplaceRows, EndsAsDeletingEveryRowAndAppendingTheNewOnesWould) {
  struct Case {
    const char* name;
    int oldRows;
    std::vector<NewRow> rows;
    std::vector<std::u16string> expected;  // "text" or "text*" (ticked), top to bottom
  };
  const Case cases[] = {
      {"into an empty list", 0, {{"a", false}, {"b", true}}, {u"a", u"b*"}},
      {"same count", 3, {{"x", true}, {"y", false}, {"z", false}}, {u"x*", u"y", u"z"}},
      {"fewer", 5, {{"p", false}, {"q", true}}, {u"p", u"q*"}},
      {"more",
       2,
       {{"1", false}, {"2", false}, {"3", true}, {"4", false}},
       {u"1", u"2", u"3*", u"4"}},
      {"none", 4, {}, {}},
      {"a row without text",
       2,
       {{"kept", false}, {nullptr, true}, {"last", true}},
       {u"kept", u"last*"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PropertyCensus census;
    {
      GridHarness harness;
      AnswerGrid& grid = harness.grid();
      for (int r = 0; r < c.oldRows; ++r) harness.addCountedAnswer(census, u"old", r % 2 == 0);
      // A selected cell with its editor open, as the user leaves it.
      if (c.oldRows > 0) {
        harness.clickCell(c.oldRows - 1, 0);
        ASSERT_NE(grid.editorWindow(), nullptr);
      }
      const int oldMade = census.made;

      grid.replaceRows(countedRows(census, c.rows));
      harness.pump();

      std::vector<std::u16string> shown;
      for (int r = 0; r < grid.rowCount(); ++r) {
        shown.push_back(harness.cellText(r) + (harness.cellTicked(r) ? u"*" : u""));
        for (int column = 0; column < 2; ++column) {
          ASSERT_NE(grid.cellAt(r, column), nullptr);
          EXPECT_EQ(grid.cellAt(r, column)->owner(), harness.list());
        }
      }
      EXPECT_EQ(shown, c.expected);
      EXPECT_EQ(SendMessageW(harness.list(), LVM_GETITEMCOUNT, 0, 0),
                static_cast<LRESULT>(c.expected.size()));
      EXPECT_EQ(grid.editorWindow(), nullptr);
      EXPECT_FALSE(grid.hasSelectedCell());
      EXPECT_EQ(harness.listSelectedRow(), -1);
      EXPECT_EQ(focusedItem(harness.list()), -1);
      // Every old property is gone; of the new ones, exactly those shown are held.
      EXPECT_EQ(census.made - census.freed, 2 * static_cast<int>(c.expected.size()));
      EXPECT_GE(census.freed, oldMade);
    }
    EXPECT_EQ(census.freed, census.made);
  }
}

TEST(GridReplaceRows, AScrolledListShowsItsTopAndTakesClicksOnTheNewRows) {
  PropertyCensus census;
  GridHarness harness;
  AnswerGrid& grid = harness.grid();
  for (int r = 0; r < 60; ++r) harness.addCountedAnswer(census, u"old");
  SendMessageW(harness.list(), LVM_ENSUREVISIBLE, 59, FALSE);
  ASSERT_GT(SendMessageW(harness.list(), LVM_GETTOPINDEX, 0, 0), 0);

  std::vector<NewRow> rows(60, NewRow{"new", false});
  rows[1] = {"second", false};
  grid.replaceRows(countedRows(census, rows));
  harness.pump();
  EXPECT_EQ(SendMessageW(harness.list(), LVM_GETTOPINDEX, 0, 0), 0);

  // The reused rows behave as fresh ones: a click selects and edits the new cell.
  harness.takeEvents();
  harness.clickCell(1, 0);
  EXPECT_EQ(harness.listSelectedRow(), 1);
  EXPECT_EQ(grid.editorRow(), 1);
  EXPECT_EQ(harness.editorText(), u"second");
  harness.clickCell(1, 1);
  EXPECT_TRUE(harness.cellTicked(1));
}

}  // namespace
}  // namespace quizmora::test
