// Set-up of the list and the grid's rows: what the rows hold, and that every property
// is freed with its row on every path.
#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <optional>

#include "grid_harness.h"

namespace quizmora::test {
namespace {

std::wstring columnTitle(HWND list, int column, int* format, int* width) {
  wchar_t title[64] = {};
  LVCOLUMNW info{};
  info.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
  info.pszText = title;
  info.cchTextMax = 64;
  if (!SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                    reinterpret_cast<LPARAM>(&info))) {
    return L"(none)";
  }
  *format = info.fmt;
  *width = info.cx;
  return title;
}

TEST(GridSetUp, AttachGivesTheListItsColumnsStyleAndFont) {
  GridHarness harness;
  HWND list = harness.list();
  struct Column {
    const wchar_t* title;
    int width;
  };
  const Column columns[] = {{L"Answer", 200}, {L"Correct Answer", 100}};
  for (int index = 0; index < 2; ++index) {
    int format = -1;
    int width = -1;
    EXPECT_EQ(columnTitle(list, index, &format, &width), columns[index].title);
    EXPECT_EQ(width, columns[index].width);
    EXPECT_EQ(format & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER) << index;
  }
  EXPECT_EQ(SendMessageW(harness.grid().headerWindow(), HDM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_FULLROWSELECT);
  EXPECT_EQ(GetWindowLongPtrW(list, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_EQ(harness.grid().gridStyle(), kGridSingleClickEdit);
  EXPECT_EQ(harness.grid().columnCount(), 0);  // read from the header with the first row

  // The list's font is the grid's own copy of the dialog's font.
  auto listFont = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
  auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(harness.dialog(), WM_GETFONT, 0, 0));
  ASSERT_NE(listFont, nullptr);
  EXPECT_NE(listFont, dialogFont);
  LOGFONTW listLook{};
  LOGFONTW dialogLook{};
  GetObjectW(listFont, sizeof(listLook), &listLook);
  GetObjectW(dialogFont, sizeof(dialogLook), &dialogLook);
  EXPECT_EQ(listLook.lfHeight, dialogLook.lfHeight);
  EXPECT_STREQ(listLook.lfFaceName, dialogLook.lfFaceName);
}

TEST(GridSetUp, AnyViewBecomesReportViewAndAListIsTakenOverOnce) {
  GridHarness harness;
  HWND icons =
      CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_ICON, 0, 0, 100, 100,
                      harness.dialog(), reinterpret_cast<HMENU>(2000), nullptr, nullptr);
  {
    AnswerGrid grid;
    EXPECT_TRUE(grid.attach(icons));
    EXPECT_EQ(GetWindowLongPtrW(icons, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    AnswerGrid second;
    EXPECT_FALSE(second.attach(icons));
    EXPECT_FALSE(second.attach(nullptr));
  }
  DestroyWindow(icons);
}

TEST(GridSetUp, MetricsRefreshTakesTheSystemColoursAndANewFont) {
  GridHarness harness;
  auto before = reinterpret_cast<HFONT>(SendMessageW(harness.list(), WM_GETFONT, 0, 0));
  harness.addAnswer(u"one");
  harness.clickCell(0, 0);
  HWND editor = harness.grid().editorWindow();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(SendMessageW(editor, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(before));

  EXPECT_EQ(SendMessageW(harness.list(), WM_WININICHANGE, 0, 0), 0);
  auto after = reinterpret_cast<HFONT>(SendMessageW(harness.list(), WM_GETFONT, 0, 0));
  EXPECT_NE(after, before);
  EXPECT_EQ(GetObjectType(before), 0u);  // the old font is gone
  EXPECT_EQ(GetObjectType(after), static_cast<DWORD>(OBJ_FONT));
  EXPECT_EQ(SendMessageW(editor, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(after));
}

TEST(GridRows, RowsHoldTheirPropertiesAndCellAtChecksItsRange) {
  GridHarness harness;
  AnswerGrid& grid = harness.grid();
  auto* text = new TextProperty(u"");
  EXPECT_EQ(grid.appendRow(text), 0);
  EXPECT_EQ(grid.columnCount(), 2);
  EXPECT_EQ(text->owner(), harness.list());
  auto* check = new CheckProperty(u"", true);
  EXPECT_TRUE(grid.setCell(0, 1, check));
  EXPECT_EQ(check->owner(), harness.list());
  EXPECT_EQ(harness.addAnswer(u"second"), 1);
  EXPECT_EQ(grid.rowCount(), 2);

  struct Case {
    int row;
    int column;
    GridProperty* expected;
  };
  const Case cases[] = {
      {0, 0, text},     {0, 1, check},   {0, 2, nullptr},           {0, -1, nullptr},
      {-1, 0, nullptr}, {2, 0, nullptr}, {1, 1, grid.cellAt(1, 1)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(grid.cellAt(c.row, c.column), c.expected) << c.row << "," << c.column;
  }
  EXPECT_NE(grid.cellAt(1, 1), nullptr);

  // Column 0 of a row ends one pixel left of column 1.
  RECT answer = grid.cellRect(0, 0);
  RECT correct = grid.cellRect(0, 1);
  EXPECT_EQ(answer.right, correct.left - 1);
  EXPECT_EQ(answer.top, correct.top);
  EXPECT_EQ(correct.right - correct.left, 100);
  RECT none = grid.cellRect(5, 0);
  EXPECT_TRUE(IsRectEmpty(&none));
}

TEST(GridRows, EveryPropertyIsFreedWithItsRow) {
  PropertyCensus census;
  {
    GridHarness harness;
    AnswerGrid& grid = harness.grid();
    for (int row = 0; row < 5; ++row) harness.addCountedAnswer(census, u"answer", row % 2 == 0);
    EXPECT_EQ(census.made, 10);

    // Failed operations free what they were given.
    EXPECT_EQ(grid.appendRow(nullptr), -1);
    EXPECT_FALSE(grid.setCell(9, 1, new CountedCheck(census, false)));
    EXPECT_FALSE(grid.setCell(0, 2, new CountedCheck(census, false)));
    EXPECT_FALSE(grid.setCell(0, -1, new CountedText(census, u"x")));
    EXPECT_FALSE(grid.setCell(0, 1, nullptr));
    EXPECT_EQ(census.freed, 3);

    // A replaced cell frees the old property; the same property again is kept.
    EXPECT_TRUE(grid.setCell(0, 1, new CountedCheck(census, true)));
    EXPECT_EQ(census.freed, 4);
    EXPECT_TRUE(grid.setCell(0, 1, grid.cellAt(0, 1)));
    EXPECT_EQ(census.freed, 4);

    harness.clickCell(2, 1);
    grid.deleteSelectedRow();
    EXPECT_EQ(census.freed, 6);
    grid.deleteAllRows();
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(census.freed, census.made);

    for (int row = 0; row < 3; ++row) harness.addCountedAnswer(census, u"kept");
    harness.clickCell(1, 0);
    harness.typeText(u"being edited");
  }
  // The list's destruction freed the rest, the open editor's row included.
  EXPECT_EQ(census.freed, census.made);
}

TEST(GridRows, GridGoneBeforeItsListFreesItsRowsAndLetsTheListGo) {
  PropertyCensus census;
  GridHarness harness;
  HWND extra =
      CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 200, 100,
                      harness.dialog(), reinterpret_cast<HMENU>(2001), nullptr, nullptr);
  int propertiesBefore = propertyCount(extra);
  WNDPROC procedureBefore = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(extra, GWLP_WNDPROC));
  {
    AnswerGrid grid;
    ASSERT_TRUE(grid.attach(extra));
    EXPECT_GT(propertyCount(extra), propertiesBefore);
    for (int row = 0; row < 3; ++row) {
      grid.appendRow(new CountedText(census, u"row"));
      grid.setCell(row, 1, new CountedCheck(census, false));
    }
    EXPECT_EQ(census.made, 6);
  }
  EXPECT_EQ(census.freed, 6);
  EXPECT_EQ(SendMessageW(extra, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(propertyCount(extra), propertiesBefore);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(extra, GWLP_WNDPROC)), procedureBefore);
  DestroyWindow(extra);
}

TEST(GridRows, RowsAreFreedEvenWhenTheParentDoesNotReflect) {
  PropertyCensus census;
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                nullptr, nullptr);
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300,
                              200, parent, reinterpret_cast<HMENU>(1009), nullptr, nullptr);
  std::optional<AnswerGrid> grid(std::in_place);
  ASSERT_TRUE(grid->attach(list));
  for (int row = 0; row < 4; ++row) {
    grid->appendRow(new CountedText(census, u"row"));
    grid->setCell(row, 1, new CountedCheck(census, false));
  }
  LVITEMW select{};
  select.stateMask = select.state = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&select));
  grid->deleteSelectedRow();
  EXPECT_EQ(census.freed, 2);
  grid->deleteAllRows();
  EXPECT_EQ(census.freed, 8);
  grid->appendRow(new CountedText(census, u"last"));
  DestroyWindow(parent);
  EXPECT_EQ(census.freed, census.made);
  grid.reset();
}

}  // namespace
}  // namespace quizmora::test
