// The answer grid driven as a user would: clicks, keys and typing, with the notifications
// its parent receives checked in order.
#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "grid_harness.h"

namespace quizmora::test {
namespace {

constexpr int kSel = kGridSelChanged;
constexpr int kChanging = kGridValueChanging;
constexpr int kChanged = kGridValueChanged;
constexpr int kClick = kGridCellClick;

using Codes = std::vector<int>;

class AnswerGridTest : public testing::Test {
 protected:
  void SetUp() override {
    harness.addAnswer(u"first");
    harness.addAnswer(u"second");
    harness.addAnswer(u"third");
    harness.takeEvents();
  }

  // Selects a cell without leaving an editor open: a click on the check cell of the row
  // (whose tick is put back), then arrows to the column.
  void selectCell(int row, int column) {
    harness.clickCell(row, 1);
    harness.clickCell(row, 1);
    if (column == 0) harness.pressKey(VK_LEFT);
    harness.takeEvents();
    ASSERT_EQ(harness.grid().selectedRow(), row);
    ASSERT_EQ(harness.grid().selectedColumn(), column);
    ASSERT_EQ(harness.grid().editorWindow(), nullptr);
  }

  // Opens the editor of an answer cell with a click; the events are dropped.
  void openAnswer(int row) {
    harness.clickCell(row, 0);
    harness.takeEvents();
    ASSERT_NE(harness.grid().editorWindow(), nullptr);
    ASSERT_EQ(harness.grid().editorRow(), row);
  }

  GridProperty* cell(int row, int column) { return harness.grid().cellAt(row, column); }

  GridHarness harness;
};

// Clicks -----------------------------------------------------------------------------------

TEST(AnswerGridEmpty, ClickAndKeysOnAnEmptyListSelectNothing) {
  GridHarness harness;
  RECT client;
  GetClientRect(harness.list(), &client);
  harness.clickList(POINT{client.right / 2, client.bottom / 2});
  std::vector<GridEvent> expected{{kSel, nullptr, u""}};
  EXPECT_EQ(harness.takeEvents(), expected);
  EXPECT_FALSE(harness.grid().hasSelectedCell());
  EXPECT_EQ(harness.grid().selectedRow(), -1);
  EXPECT_EQ(harness.grid().selectedColumn(), -1);

  const UINT keys[] = {VK_SPACE, VK_RETURN, VK_F2, VK_DELETE, VK_LEFT, VK_RIGHT, VK_DOWN, 'A'};
  for (UINT key : keys) {
    SetFocus(harness.list());
    harness.pressKey(key);
    EXPECT_EQ(harness.takeCodes(), Codes{}) << "key " << key;
    EXPECT_EQ(harness.grid().editorWindow(), nullptr) << "key " << key;
  }
}

TEST_F(AnswerGridTest, ClickOnEmptySpaceClearsTheSelectedCell) {
  harness.clickCell(1, 1);
  harness.takeEvents();
  RECT client;
  GetClientRect(harness.list(), &client);
  harness.clickList(POINT{20, client.bottom - 5});
  std::vector<GridEvent> expected{{kSel, nullptr, u""}};
  EXPECT_EQ(harness.takeEvents(), expected);
  EXPECT_FALSE(harness.grid().hasSelectedCell());

  // The next row selection starts again from the first column.
  harness.clickCell(2, 0);
  EXPECT_EQ(harness.grid().selectedColumn(), 0);
}

TEST_F(AnswerGridTest, ClickOnAnswerCellSelectsItAndOpensTheEditorWithAllTextSelected) {
  harness.clickCell(1, 0);
  std::vector<GridEvent> expected{{kSel, cell(1, 0), u"second"}, {kClick, cell(1, 0), u"second"}};
  EXPECT_EQ(harness.takeEvents(), expected);
  EXPECT_EQ(harness.grid().selectedRow(), 1);
  EXPECT_EQ(harness.grid().selectedColumn(), 0);
  HWND editor = harness.grid().editorWindow();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(GetFocus(), editor);
  EXPECT_EQ(harness.editorText(), u"second");
  DWORD start = 1, end = 0;
  SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 6u);
}

TEST_F(AnswerGridTest, ClickOnCheckCellFlipsTheTickAndOpensNothing) {
  harness.clickCell(2, 1);
  std::vector<GridEvent> expected{{kSel, cell(2, 1), u"unticked"},
                                  {kClick, cell(2, 1), u"unticked"},
                                  {kChanging, cell(2, 1), u"unticked"},
                                  {kChanged, cell(2, 1), u"ticked"}};
  EXPECT_EQ(harness.takeEvents(), expected);
  EXPECT_TRUE(harness.cellTicked(2));
  EXPECT_EQ(harness.grid().editorWindow(), nullptr);
  EXPECT_EQ(GetFocus(), harness.list());
}

TEST_F(AnswerGridTest, ClickOnAnotherColumnOfTheSameRowReportsTheNewCell) {
  harness.clickCell(0, 1);
  harness.takeEvents();
  harness.clickCell(0, 0);
  std::vector<GridEvent> expected{{kClick, cell(0, 0), u"first"}, {kSel, cell(0, 0), u"first"}};
  EXPECT_EQ(harness.takeEvents(), expected);
  EXPECT_NE(harness.grid().editorWindow(), nullptr);
}

TEST_F(AnswerGridTest, NewlySelectedRowKeepsTheColumn) {
  struct Case {
    const char* name;
    int startRow;
    int startColumn;
    UINT key;
    int row;
  };
  const Case cases[] = {
      {"down from a check cell", 0, 1, VK_DOWN, 1},
      {"up from a check cell", 2, 1, VK_UP, 1},
      {"down from an answer cell", 1, 0, VK_DOWN, 2},
      {"home from an answer cell", 2, 0, VK_HOME, 0},
      {"end from a check cell", 0, 1, VK_END, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    selectCell(c.startRow, c.startColumn);
    harness.pressKey(c.key);
    std::vector<GridEvent> expected{
        {kSel, cell(c.row, c.startColumn), valueOf(cell(c.row, c.startColumn))}};
    EXPECT_EQ(harness.takeEvents(), expected);
    EXPECT_EQ(harness.grid().selectedRow(), c.row);
    EXPECT_EQ(harness.grid().selectedColumn(), c.startColumn);
    EXPECT_EQ(harness.listSelectedRow(), c.row);
  }
}

TEST_F(AnswerGridTest, CellClickRefusedByTheParentActivatesNothing) {
  harness.refuseClick = 1;
  harness.clickCell(0, 1);
  harness.clickCell(1, 0);
  EXPECT_EQ(harness.takeCodes(), (Codes{kSel, kClick, kSel, kClick}));
  EXPECT_FALSE(harness.cellTicked(0));
  EXPECT_EQ(harness.grid().editorWindow(), nullptr);
}

// Rows ---------------------------------------------------------------------------------------

TEST_F(AnswerGridTest, DeletingTheSelectedRowLeavesNoSelectedCellOrRow) {
  harness.clickCell(1, 1);
  harness.takeEvents();
  harness.grid().deleteSelectedRow();
  harness.pump();
  EXPECT_EQ(harness.grid().rowCount(), 2);
  EXPECT_EQ(harness.cellText(0), u"first");
  EXPECT_EQ(harness.cellText(1), u"third");
  EXPECT_FALSE(harness.grid().hasSelectedCell());
  EXPECT_EQ(harness.listSelectedRow(), -1);
  EXPECT_EQ(harness.takeCodes(), Codes{});

  // Keys find no selected cell; the next row selection takes the first column.
  harness.pressKey(VK_SPACE);
  EXPECT_EQ(harness.takeCodes(), Codes{});
  harness.clickCell(1, 1);
  harness.takeEvents();
  harness.grid().deleteSelectedRow();
  harness.clickCell(0, 0);
  EXPECT_EQ(harness.grid().selectedColumn(), 0);
}

TEST_F(AnswerGridTest, DeletingARowBeingEditedStoresTheTextFirst) {
  openAnswer(1);
  harness.typeText(u"typed");
  GridProperty* edited = cell(1, 0);
  harness.grid().deleteSelectedRow();
  harness.pump();
  std::vector<GridEvent> expected{{kChanging, edited, u"second"}, {kChanged, edited, u"typed"}};
  EXPECT_EQ(harness.takeEvents(), expected);
  EXPECT_EQ(harness.grid().editorWindow(), nullptr);
  EXPECT_EQ(harness.grid().rowCount(), 2);
}

// Editing ------------------------------------------------------------------------------------

TEST_F(AnswerGridTest, EditorLeftWithoutTypingStoresNothing) {
  struct Case {
    const char* name;
    void (*leave)(GridHarness&);
  };
  const Case cases[] = {
      {"Enter", [](GridHarness& h) { h.pressKey(VK_RETURN); }},
      {"Escape", [](GridHarness& h) { h.pressKey(VK_ESCAPE); }},
      {"click on the edit box", [](GridHarness& h) { h.clickWindow(h.edit()); }},
      {"focus taken away", [](GridHarness& h) { SetFocus(h.edit()); }},
      {"click on another answer", [](GridHarness& h) { h.clickCell(2, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    openAnswer(0);
    HWND editor = harness.grid().editorWindow();
    c.leave(harness);
    harness.pump();
    for (const GridEvent& event : harness.takeEvents()) {
      EXPECT_NE(event.code, kChanging);
      EXPECT_NE(event.code, kChanged);
    }
    EXPECT_EQ(harness.cellText(0), u"first");
    EXPECT_FALSE(IsWindow(editor));
    harness.grid().closeEditor();
    harness.pump();
  }
}

TEST_F(AnswerGridTest, EscapeRestoresTheTextShownBeforeEditing) {
  openAnswer(0);
  HWND editor = harness.grid().editorWindow();
  harness.typeText(u"changed");
  EXPECT_EQ(harness.editorText(), u"changed");
  harness.pressKey(VK_ESCAPE);
  EXPECT_EQ(harness.takeCodes(), Codes{});
  EXPECT_EQ(harness.cellText(0), u"first");
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_EQ(GetFocus(), harness.list());
  EXPECT_TRUE(IsWindow(harness.dialog()));
}

TEST_F(AnswerGridTest, EnterStoresTheTypedText) {
  openAnswer(2);
  harness.typeText(u"new");
  harness.pressKey(VK_RETURN);
  std::vector<GridEvent> expected{{kChanging, cell(2, 0), u"third"},
                                  {kChanged, cell(2, 0), u"new"}};
  EXPECT_EQ(harness.takeEvents(), expected);
  EXPECT_EQ(harness.grid().editorWindow(), nullptr);
  EXPECT_EQ(GetFocus(), harness.list());
  EXPECT_TRUE(harness.grid().hasSelectedCell());
}

TEST_F(AnswerGridTest, ClickingAnotherControlWhileEditingStoresTheTextFirst) {
  struct Case {
    const char* name;
    bool button;
    Codes codes;
  };
  const Case cases[] = {
      {"button", true, {kChanging, kChanged, kButtonClicked}},
      {"edit box", false, {kChanging, kChanged}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    openAnswer(1);
    harness.typeText(u"stored ");
    harness.typeText(ascii(c.name));
    HWND target = c.button ? harness.button() : harness.edit();
    harness.clickWindow(target);
    EXPECT_EQ(harness.takeCodes(), c.codes);
    EXPECT_EQ(harness.cellText(1), u"stored " + ascii(c.name));
    EXPECT_EQ(harness.grid().editorWindow(), nullptr);
    EXPECT_EQ(GetFocus(), target);
  }
}

TEST_F(AnswerGridTest, TypingOnASelectedAnswerCellReplacesItsText) {
  selectCell(1, 0);
  harness.typeText(u"Xy");
  ASSERT_NE(harness.grid().editorWindow(), nullptr);
  EXPECT_EQ(harness.editorText(), u"Xy");
  harness.pressKey(VK_RETURN);
  std::vector<GridEvent> expected{{kChanging, cell(1, 0), u"second"},
                                  {kChanged, cell(1, 0), u"Xy"}};
  EXPECT_EQ(harness.takeEvents(), expected);
}

TEST_F(AnswerGridTest, KeysThatOpenTheAnswerEditor) {
  for (UINT key : {VK_RETURN, VK_SPACE, VK_F2}) {
    SCOPED_TRACE(key);
    selectCell(0, 0);
    harness.pressKey(key);
    ASSERT_NE(harness.grid().editorWindow(), nullptr);
    EXPECT_EQ(harness.editorText(), u"first");
    EXPECT_EQ(GetFocus(), harness.grid().editorWindow());
    EXPECT_EQ(harness.takeCodes(), Codes{});
    harness.pressKey(VK_ESCAPE);
  }
}

TEST_F(AnswerGridTest, DeleteEmptiesAnAnswerInANewEditorStoredWhenLeft) {
  selectCell(2, 0);
  harness.pressKey(VK_DELETE);
  ASSERT_NE(harness.grid().editorWindow(), nullptr);
  EXPECT_EQ(harness.editorText(), u"");
  harness.clickWindow(harness.edit());
  std::vector<GridEvent> expected{{kChanging, cell(2, 0), u"third"}, {kChanged, cell(2, 0), u""}};
  EXPECT_EQ(harness.takeEvents(), expected);

  selectCell(2, 1);
  harness.pressKey(VK_DELETE);
  EXPECT_EQ(harness.grid().editorWindow(), nullptr);
  EXPECT_EQ(harness.takeCodes(), Codes{});
}

TEST_F(AnswerGridTest, ParentRefusingTheTypedTextKeepsTheOldOne) {
  harness.refuseChanging = 1;
  openAnswer(0);
  harness.typeText(u"refused");
  harness.pressKey(VK_RETURN);
  EXPECT_EQ(harness.takeCodes(), Codes{kChanging});
  EXPECT_EQ(harness.cellText(0), u"first");
  EXPECT_EQ(harness.grid().editorWindow(), nullptr);
}

// Check cells --------------------------------------------------------------------------------

TEST_F(AnswerGridTest, DoubleClickOnACheckCellFlipsTheTickTwice) {
  harness.doubleClickCell(1, 1);
  EXPECT_EQ(harness.takeCodes(),
            (Codes{kSel, kClick, kChanging, kChanged, kClick, kChanging, kChanged}));
  EXPECT_FALSE(harness.cellTicked(1));
}

TEST_F(AnswerGridTest, KeysOnACheckCell) {
  struct Case {
    const char* name;
    UINT key;
    bool flips;
  };
  const Case cases[] = {
      {"Space", VK_SPACE, true}, {"Enter", VK_RETURN, true},   {"F2", VK_F2, true},
      {"a letter", 'K', false},  {"Delete", VK_DELETE, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    selectCell(1, 1);
    bool before = harness.cellTicked(1);
    harness.pressKey(c.key);
    EXPECT_EQ(harness.cellTicked(1), c.flips ? !before : before);
    EXPECT_EQ(harness.takeCodes(), (c.flips ? Codes{kChanging, kChanged} : Codes{}));
    EXPECT_EQ(harness.grid().editorWindow(), nullptr);
    EXPECT_EQ(GetFocus(), harness.list());
  }
}

TEST_F(AnswerGridTest, ParentRefusingATickLeavesTheBoxAsItWas) {
  harness.refuseChanging = 1;
  harness.clickCell(0, 1);
  EXPECT_EQ(harness.takeCodes(), (Codes{kSel, kClick, kChanging}));
  EXPECT_FALSE(harness.cellTicked(0));
}

TEST_F(AnswerGridTest, ParentUndoingATickOnChangeIsWhatStays) {
  // Like the one-choice rule: a tick is taken back from inside -3003.
  harness.onValueChanged = [](GridProperty* property) {
    if (property->kind() == PropertyKind::kCheck && valueOf(property) == u"ticked") {
      property->setValue(GridValue::fromBool(false));
    }
  };
  harness.clickCell(0, 1);
  std::vector<GridEvent> expected{{kSel, cell(0, 1), u"unticked"},
                                  {kClick, cell(0, 1), u"unticked"},
                                  {kChanging, cell(0, 1), u"unticked"},
                                  {kChanged, cell(0, 1), u"ticked"}};
  EXPECT_EQ(harness.takeEvents(), expected);
  EXPECT_FALSE(harness.cellTicked(0));
}

TEST_F(AnswerGridTest, LongAnswerIsEditedWhole) {
  std::u16string longText(40000, u'a');
  auto* answer = new TextProperty(u"");
  answer->setValue(GridValue::fromText(longText));
  ASSERT_TRUE(harness.grid().setCell(1, 0, answer));
  openAnswer(1);
  EXPECT_EQ(GetWindowTextLengthW(harness.grid().editorWindow()), 40000);
  harness.pressKey(VK_END);
  harness.typeText(u"z");
  harness.pressKey(VK_RETURN);
  std::u16string stored = harness.cellText(1);
  EXPECT_EQ(stored.size(), 40001u);
  EXPECT_TRUE(stored == longText + u"z");  // not printed: too long to read
}

TEST_F(AnswerGridTest, SetValueRequests) {
  CheckProperty stranger(u"", false);
  GridValue tick = GridValue::fromBool(true);
  GridValue text = GridValue::fromText(u"text");
  struct Case {
    const char* name;
    const GridValue* value;
    GridProperty* property;
    Codes codes;
    bool ticked;
  };
  const Case cases[] = {
      {"a boolean", &tick, cell(1, 1), {kChanging, kChanged}, true},
      {"text refused by the check cell, still reported",
       &text,
       cell(1, 1),
       {kChanging, kChanged},
       false},
      {"no value", nullptr, cell(1, 1), {}, false},
      {"no property", &tick, nullptr, {}, false},
      {"a property of no cell", &tick, &stranger, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cell(1, 1)->setValue(GridValue::fromBool(false));
    SendMessageW(harness.list(), kGridSetValue, reinterpret_cast<WPARAM>(c.value),
                 reinterpret_cast<LPARAM>(c.property));
    EXPECT_EQ(harness.takeCodes(), c.codes);
    EXPECT_EQ(harness.cellTicked(1), c.ticked);
  }
  EXPECT_FALSE(stranger.ticked());
}

// Navigation ---------------------------------------------------------------------------------

TEST_F(AnswerGridTest, TabInTheListMovesTheDialogFocus) {
  SetFocus(harness.list());
  harness.pressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), harness.edit());
  SetFocus(harness.list());
  harness.pressKey(VK_TAB, true);
  EXPECT_EQ(GetFocus(), harness.button());
  EXPECT_EQ(harness.takeCodes(), Codes{});
}

TEST_F(AnswerGridTest, TabInTheEditorStoresAndMovesToTheNextColumn) {
  openAnswer(1);
  harness.typeText(u"tabbed");
  harness.pressKey(VK_TAB);
  std::vector<GridEvent> expected{{kChanging, cell(1, 0), u"second"},
                                  {kChanged, cell(1, 0), u"tabbed"},
                                  {kSel, cell(1, 1), u"unticked"}};
  EXPECT_EQ(harness.takeEvents(), expected);
  EXPECT_EQ(harness.grid().selectedRow(), 1);
  EXPECT_EQ(harness.grid().selectedColumn(), 1);
  EXPECT_EQ(harness.grid().editorWindow(), nullptr);
  EXPECT_EQ(GetFocus(), harness.list());
}

TEST_F(AnswerGridTest, TabInTheEditorOfTheLastColumnOnlyStores) {
  auto* second = new TextProperty(u"");
  second->setValue(GridValue::fromText(u"note"));
  ASSERT_TRUE(harness.grid().setCell(0, 1, second));
  harness.clickCell(0, 1);
  ASSERT_NE(harness.grid().editorWindow(), nullptr);
  harness.takeEvents();
  harness.typeText(u"last");
  harness.pressKey(VK_TAB);
  std::vector<GridEvent> expected{{kChanging, second, u"note"}, {kChanged, second, u"last"}};
  EXPECT_EQ(harness.takeEvents(), expected);
  EXPECT_EQ(harness.grid().selectedColumn(), 1);
  EXPECT_EQ(harness.grid().editorWindow(), nullptr);
}

TEST_F(AnswerGridTest, LeftAndRightInTheEditor) {
  // Both columns edit text here, so that Left has somewhere to go.
  auto* second = new TextProperty(u"");
  second->setValue(GridValue::fromText(u"xyz"));
  ASSERT_TRUE(harness.grid().setCell(0, 1, second));
  struct Case {
    const char* name;
    int column;
    std::vector<UINT> keys;
    bool leaves;
    int column_after;
    DWORD caret;  // when the editor stays
  };
  const Case cases[] = {
      {"Right at the end", 0, {VK_END, VK_RIGHT}, true, 1, 0},
      {"Right with all text selected", 0, {VK_RIGHT}, false, 0, 5},
      {"Right inside the text", 0, {VK_HOME, VK_RIGHT}, false, 0, 1},
      {"Left at the start", 1, {VK_HOME, VK_LEFT}, true, 0, 0},
      {"Left with all text selected", 1, {VK_LEFT}, false, 1, 2},
      {"Left inside the text", 1, {VK_END, VK_LEFT}, false, 1, 2},
      {"Left at the start of the first column", 0, {VK_HOME, VK_LEFT}, true, 0, 0},
      {"Right at the end of the last column", 1, {VK_END, VK_RIGHT}, true, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    harness.clickCell(0, c.column);
    ASSERT_NE(harness.grid().editorWindow(), nullptr);
    harness.takeEvents();
    for (UINT key : c.keys) harness.pressKey(key);
    EXPECT_EQ(harness.grid().editorWindow() == nullptr, c.leaves);
    EXPECT_EQ(harness.grid().selectedColumn(), c.column_after);
    bool moved = c.leaves && c.column != c.column_after;
    EXPECT_EQ(harness.takeCodes(), (moved ? Codes{kSel} : Codes{}));
    if (!c.leaves) {
      DWORD start = 9, end = 9;
      SendMessageW(harness.grid().editorWindow(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
      EXPECT_EQ(start, c.caret);
      EXPECT_EQ(end, c.caret);
      harness.pressKey(VK_ESCAPE);
    }
    EXPECT_EQ(harness.cellText(0), u"first");
  }
}

TEST_F(AnswerGridTest, UpAndDownInTheEditorStoreAndMoveTheRow) {
  struct Case {
    const char* name;
    int row;
    UINT key;
    int rowAfter;
  };
  const Case cases[] = {
      {"Down", 1, VK_DOWN, 2},
      {"Up", 1, VK_UP, 0},
      {"Up from the first row", 0, VK_UP, 0},
      {"Down from the last row", 2, VK_DOWN, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    openAnswer(c.row);
    GridProperty* edited = cell(c.row, 0);
    std::u16string before = valueOf(edited);
    harness.typeText(u"moved");
    harness.pressKey(c.key);
    std::vector<GridEvent> expected{{kChanging, edited, before}, {kChanged, edited, u"moved"}};
    if (c.rowAfter != c.row)
      expected.push_back({kSel, cell(c.rowAfter, 0), valueOf(cell(c.rowAfter, 0))});
    EXPECT_EQ(harness.takeEvents(), expected);
    EXPECT_EQ(harness.grid().selectedRow(), c.rowAfter);
    EXPECT_EQ(harness.grid().selectedColumn(), 0);
    EXPECT_EQ(harness.listSelectedRow(), c.rowAfter);
    EXPECT_EQ(harness.grid().editorWindow(), nullptr);
  }
}

TEST_F(AnswerGridTest, LeftAndRightInTheListMoveTheColumn) {
  selectCell(2, 0);
  harness.pressKey(VK_RIGHT);
  harness.pressKey(VK_RIGHT);
  harness.pressKey(VK_LEFT);
  harness.pressKey(VK_LEFT);
  std::vector<GridEvent> expected{{kSel, cell(2, 1), u"unticked"}, {kSel, cell(2, 0), u"third"}};
  EXPECT_EQ(harness.takeEvents(), expected);
  EXPECT_EQ(harness.grid().selectedColumn(), 0);
}

// A header notification with an item that changes nothing, as the header sends it to the list.
void sendHeaderNotify(HWND list, UINT code) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  HDITEMW item{};
  NMHEADERW notify{};
  notify.hdr.hwndFrom = header;
  notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(header));
  notify.hdr.code = code;
  notify.iItem = 0;
  notify.iButton = 0;
  notify.pitem = &item;
  SendMessageW(list, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
}

TEST_F(AnswerGridTest, LeavingTheEditorByScrollingSizingOrColumnResizeStoresTheText) {
  struct Case {
    const char* name;
    void (*act)(HWND list);
  };
  const Case cases[] = {
      {"column resize", [](HWND list) { SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, 180); }},
      {"header track, ANSI form", [](HWND list) { sendHeaderNotify(list, HDN_TRACKA); }},
      {"header changing, wide form", [](HWND list) { sendHeaderNotify(list, HDN_ITEMCHANGINGW); }},
      {"header changed, ANSI form", [](HWND list) { sendHeaderNotify(list, HDN_ITEMCHANGEDA); }},
      {"vertical scroll", [](HWND list) { SendMessageW(list, WM_VSCROLL, SB_LINEDOWN, 0); }},
      {"horizontal scroll", [](HWND list) { SendMessageW(list, WM_HSCROLL, SB_LINERIGHT, 0); }},
      {"wheel", [](HWND list) { SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0); }},
      {"size",
       [](HWND list) {
         RECT rect;
         GetWindowRect(list, &rect);
         SetWindowPos(list, nullptr, 0, 0, rect.right - rect.left - 2, rect.bottom - rect.top,
                      SWP_NOMOVE | SWP_NOZORDER);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    openAnswer(0);
    harness.typeText(ascii(c.name));
    c.act(harness.list());
    harness.pump();
    EXPECT_EQ(harness.takeCodes(), (Codes{kChanging, kChanged}));
    EXPECT_EQ(harness.cellText(0), ascii(c.name));
    EXPECT_EQ(harness.grid().editorWindow(), nullptr);
  }
}

TEST_F(AnswerGridTest, DividerDoubleClickDoesNotResizeTheColumn) {
  for (UINT code : {UINT(HDN_DIVIDERDBLCLICKW), UINT(HDN_DIVIDERDBLCLICKA)}) {
    NMHEADERW notify{};
    notify.hdr.hwndFrom = harness.grid().headerWindow();
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(notify.hdr.hwndFrom));
    notify.hdr.code = code;
    notify.iItem = 0;
    EXPECT_EQ(SendMessageW(harness.list(), WM_NOTIFY, notify.hdr.idFrom,
                           reinterpret_cast<LPARAM>(&notify)),
              0);
    EXPECT_EQ(SendMessageW(harness.list(), LVM_GETCOLUMNWIDTH, 0, 0), 200);
  }
}

TEST_F(AnswerGridTest, GridAndEditorAskForEveryKey) {
  LRESULT listCode = SendMessageW(harness.list(), WM_GETDLGCODE, 0, 0);
  EXPECT_EQ(listCode & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
  openAnswer(0);
  LRESULT editorCode = SendMessageW(harness.grid().editorWindow(), WM_GETDLGCODE, 0, 0);
  EXPECT_EQ(editorCode & (DLGC_WANTALLKEYS | DLGC_WANTARROWS), DLGC_WANTALLKEYS | DLGC_WANTARROWS);
}

TEST_F(AnswerGridTest, StrayEditorReportsAreIgnored) {
  openAnswer(0);
  HWND editor = harness.grid().editorWindow();
  SendMessageW(harness.list(), kGridCommitEdit, 0, reinterpret_cast<LPARAM>(harness.edit()));
  SendMessageW(harness.list(), kGridCancelEdit, 0, 0);
  EXPECT_EQ(harness.grid().editorWindow(), editor);
  EXPECT_EQ(harness.takeCodes(), Codes{});
  SendMessageW(harness.list(), kGridNavigate, VK_DOWN, 0);
  EXPECT_EQ(harness.grid().selectedRow(), 1);
}

}  // namespace
}  // namespace quizmora::test
