#pragma once
// The answer list: a cell grid laid over a report-view list control. Every cell holds a
// GridProperty that paints and edits its value; the grid owns the selected cell, mouse and
// keyboard handling, the one in-place editor and the notifications to its parent
// (GridNotify with kGridSelChanged ... kGridCellClick). The parent must reflect the list's
// WM_NOTIFY back to it as WM_NOTIFY + 0x2000.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "controls/grid_notify.h"
#include "controls/grid_property.h"
#include "controls/scoped_gdi_object.h"
#include "controls/subclassed_control.h"

namespace quizmora {

class AnswerGrid : public SubclassedControl {
 public:
  AnswerGrid();
  ~AnswerGrid() override;

  // Takes over the report-view list `list` and gives it the columns "Answer" (200 pixels)
  // and "Correct Answer" (100 pixels), both at 96 DPI and scaled with the list's DPI. False
  // when the list cannot be taken over.
  bool attach(HWND list);
  // The list is now shown at `dpi`: the columns keep their share of the width, and the font
  // and cells follow the parent's font at the new DPI.
  void setDpi(UINT dpi);
  UINT dpi() const { return dpi_; }

  // Appends a row whose first cell is `textProperty`. Takes ownership in every case (the
  // property is deleted when the row cannot be added). The new row index, or -1.
  int appendRow(GridProperty* textProperty);
  // Puts `property` into a cell of an existing row, replacing (and deleting) what was there.
  // Takes ownership in every case; false when there is no such cell.
  bool setCell(int row, int column, GridProperty* property);
  // The cells of one row in column order; missing or null cells beyond the first stay empty.
  using RowCells = std::vector<std::unique_ptr<GridProperty>>;
  // Makes the list hold exactly `rows`, as deleting every row and appending these would: the
  // editor closes, no row stays selected and the list shows its top. The list's items are
  // reused, so a kept row only takes its new cells; redraw is held over the whole change and
  // the list is drawn once. Rows without a first cell are left out.
  void replaceRows(std::vector<RowCells> rows);
  // The cell's property (owned by the grid), or null.
  GridProperty* cellAt(int row, int column) const;
  int rowCount() const;
  void deleteSelectedRow();
  void deleteAllRows();

  // The selected cell; -1 when none.
  int selectedRow() const { return selectedRow_; }
  int selectedColumn() const { return selectedColumn_; }
  bool hasSelectedCell() const { return selectedRow_ != -1 && selectedColumn_ != -1; }
  // The open in-place editor and its cell, or null / -1.
  HWND editorWindow() const { return editorWindow_; }
  int editorRow() const { return editorRow_; }
  int editorColumn() const { return editorColumn_; }
  int columnCount() const { return columnCount_; }
  DWORD gridStyle() const { return gridStyle_; }
  HWND headerWindow() const { return header_; }

  // Client rectangle of a cell: column 0 ends a pixel left of column 1.
  RECT cellRect(int row, int column) const;
  // Opens the editor of a cell of the list's selected row; false when it has none.
  bool openEditor(GridProperty* property, int row, int column);
  // Leaves the editor: it stores a changed text by its own rule, then goes.
  void closeEditor();
  // Selects and focuses a row of the list and scrolls it into view; the column stays.
  void selectRow(int row);

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // One list item's cells, in column order; the item's parameter points to it.
  struct Row {
    std::vector<std::unique_ptr<GridProperty>> cells;
  };

  LRESULT onReflectedNotify(WPARAM wParam, LPARAM lParam);
  LRESULT onCustomDraw(NMLVCUSTOMDRAW* draw);
  LRESULT onItemChanged(WPARAM wParam, LPARAM lParam);
  LRESULT onDeleteItem(WPARAM wParam, LPARAM lParam);
  LRESULT onHeaderNotify(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onButtonDown(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onKeyDown(WPARAM key, LPARAM lParam);
  LRESULT onChar(WPARAM character, LPARAM lParam);
  LRESULT onCommitEdit(LPARAM editor);
  LRESULT onCancelEdit(LPARAM editor);
  LRESULT onNavigate(WPARAM key);
  LRESULT onSetValue(WPARAM value, LPARAM property);
  LRESULT onDestroy(WPARAM wParam, LPARAM lParam);
  void refreshMetrics();
  // Reads the column count from the header once it has columns; false while it has none.
  bool knowColumns();
  // Inserts a list item for `cells` (sized to the columns, first cell set) at `index`.
  int insertRow(int index, RowCells cells);
  // Deselects and unfocuses every item, as deleting them all would.
  void clearListSelection();

  void paintCell(HDC dc, int row, int column, UINT itemState);
  void repaintCell(int row, int column);
  void repaintSelectedCell() { repaintCell(selectedRow_, selectedColumn_); }
  void editSelectedCell();
  void moveColumn(int column);
  void closeEditorWindow(HWND editor);
  void clearEditor();
  bool editorCellValid() const;
  LRESULT notifyParent(int code, GridProperty* property);
  Row* rowAt(int row) const;
  // rowAt for an index known to be in range: one question to the list instead of two.
  Row* itemRow(int row) const;
  int listSelectedRow() const;
  bool findCell(const GridProperty* property, int& row, int& column) const;
  bool inputAllowed() const;

  HWND header_ = nullptr;
  GridDrawInfo drawTemplate_{};
  ScopedGdiObject<HFONT> normalFont_;
  HWND editorWindow_ = nullptr;
  int editorRow_ = -1;
  int editorColumn_ = -1;
  int columnCount_ = 0;
  int selectedRow_ = -1;
  int selectedColumn_ = -1;
  DWORD gridStyle_ = 0;
  UINT dpi_ = 96;
  // Every row the grid made, so that none can outlive the grid even if a deletion
  // notification never comes back.
  std::unordered_map<Row*, std::unique_ptr<Row>> rows_;
};

}  // namespace quizmora
