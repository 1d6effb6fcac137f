#include "controls/answer_grid.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "app/win_text.h"
#include "controls/dpi_scale.h"
#include "controls/scoped_select_object.h"
#include "controls/window_dpi.h"

namespace quizmora {
namespace {

// The parent sends a child's notifications back to it with the message number raised by
// this much.
constexpr UINT kReflectedBase = 0x2000;

bool isReflectedMessage(UINT message) {
  if (message < kReflectedBase) return false;
  UINT original = message - kReflectedBase;
  switch (original) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return true;
    default:
      return original >= WM_CTLCOLORMSGBOX && original <= WM_CTLCOLORSTATIC;
  }
}

// Keeps the device context's state (colours, modes, objects) as it was before a cell was
// painted into it.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedDcState() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// Holds the list's drawing while many rows change; on leaving, the list is drawn once.
class HeldRedraw {
 public:
  explicit HeldRedraw(HWND list) : list_(list) { SendMessageW(list_, WM_SETREDRAW, FALSE, 0); }
  ~HeldRedraw() {
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
  }
  HeldRedraw(const HeldRedraw&) = delete;
  HeldRedraw& operator=(const HeldRedraw&) = delete;

 private:
  HWND list_;
};

bool insertColumn(HWND list, int index, const wchar_t* title, int width) {
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  column.fmt = LVCFMT_CENTER;
  column.cx = width;
  column.pszText = const_cast<wchar_t*>(title);
  return SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&column)) != -1;
}

}  // namespace

AnswerGrid::AnswerGrid() = default;

AnswerGrid::~AnswerGrid() {
  HWND list = hwnd();
  if (list && IsWindow(list)) {
    closeEditor();
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  }
  unsubclassWindow();
}

bool AnswerGrid::attach(HWND list) {
  if (!subclassWindow(list)) return false;

  LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
  if ((style & LVS_TYPEMASK) != LVS_REPORT) {
    SetWindowLongPtrW(list, GWL_STYLE, (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | LVS_REPORT);
  }
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  header_ = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  SendMessageW(list, WM_WININICHANGE, 0, 0);

  dpi_ = windowDpi(list);
  const int dpi = static_cast<int>(dpi_);
  bool columns = insertColumn(list, 0, L"Answer", scaleForDpi(200, dpi)) &&
                 insertColumn(list, 1, L"Correct Answer", scaleForDpi(100, dpi));

  gridStyle_ = kGridSingleClickEdit;
  SendMessageW(list, WM_WININICHANGE, 0, 0);
  return columns;
}

void AnswerGrid::setDpi(UINT dpi) {
  if (!hwnd() || dpi == 0 || dpi == dpi_) return;
  const UINT previous = dpi_;
  dpi_ = dpi;
  const int columns = header_ ? static_cast<int>(SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0)) : 0;
  for (int c = 0; c < columns; ++c) {
    const int width = static_cast<int>(SendMessageW(hwnd(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
    SendMessageW(hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c),
                 MAKELPARAM(rescalePixels(width, static_cast<int>(previous), static_cast<int>(dpi)), 0));
  }
  refreshMetrics();
}

// Rows ---------------------------------------------------------------------------------

bool AnswerGrid::knowColumns() {
  if (columnCount_ == 0 && header_) {
    columnCount_ = static_cast<int>(SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0));
    if (columnCount_ < 0) columnCount_ = 0;
  }
  return columnCount_ > 0;
}

int AnswerGrid::insertRow(int index, RowCells cells) {
  auto row = std::make_unique<Row>();
  row->cells = std::move(cells);
  row->cells.resize(static_cast<std::size_t>(columnCount_));
  Row* raw = row.get();
  rows_.emplace(raw, std::move(row));

  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(wideText(raw->cells[0]->name()));
  item.lParam = reinterpret_cast<LPARAM>(raw);
  int inserted =
      static_cast<int>(SendMessageW(hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (inserted == -1) {
    rows_.erase(raw);
    return -1;
  }
  for (std::size_t c = 0; c < raw->cells.size(); ++c) {
    GridProperty* cell = raw->cells[c].get();
    if (!cell) continue;
    cell->setOwner(hwnd(), 0);
    if (c == 0 || cell->name().empty()) continue;
    LVITEMW sub{};
    sub.iSubItem = static_cast<int>(c);
    sub.pszText = const_cast<wchar_t*>(wideText(cell->name()));
    SendMessageW(hwnd(), LVM_SETITEMTEXTW, static_cast<WPARAM>(inserted),
                 reinterpret_cast<LPARAM>(&sub));
  }
  return inserted;
}

int AnswerGrid::appendRow(GridProperty* textProperty) {
  std::unique_ptr<GridProperty> owned(textProperty);
  if (!owned || !hwnd() || !knowColumns()) return -1;
  RowCells cells;
  cells.push_back(std::move(owned));
  return insertRow(rowCount(), std::move(cells));
}

void AnswerGrid::clearListSelection() {
  LVITEMW cleared{};
  cleared.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  for (UINT which : {LVNI_SELECTED, LVNI_FOCUSED}) {
    int item;
    while ((item = static_cast<int>(SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                 MAKELPARAM(which, 0)))) != -1) {
      if (!SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                        reinterpret_cast<LPARAM>(&cleared))) {
        break;
      }
    }
  }
  SendMessageW(hwnd(), LVM_SETSELECTIONMARK, 0, -1);
}

void AnswerGrid::replaceRows(std::vector<RowCells> rows) {
  HWND list = hwnd();
  if (!list || !knowColumns()) return;
  closeEditor();
  // Leaving the editor has told the parent, which may have changed the rows: count now.
  const int oldCount = rowCount();
  if (selectedRow_ >= 0 && selectedRow_ < oldCount) selectedColumn_ = -1;
  if (oldCount > 0) {
    clearListSelection();
    if (SendMessageW(list, LVM_GETTOPINDEX, 0, 0) > 0)
      SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
  }
  std::erase_if(rows, [](const RowCells& cells) { return cells.empty() || !cells[0]; });
  const int newCount = static_cast<int>(rows.size());

  HeldRedraw held(list);
  for (int r = oldCount; r > newCount; --r) {
    Row* cells = rowAt(r - 1);
    SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(r - 1), 0);
    // Normally freed by the deletion notification.
    if (cells && rowAt(r - 1) != cells) rows_.erase(cells);
  }
  const int kept = std::min(oldCount, newCount);
  for (int r = 0; r < kept; ++r) {
    Row* target = itemRow(r);
    RowCells& cells = rows[static_cast<std::size_t>(r)];
    cells.resize(static_cast<std::size_t>(columnCount_));
    if (!target) continue;
    for (std::size_t c = 0; c < cells.size() && c < target->cells.size(); ++c) {
      const bool renamed =
          !target->cells[c] || !cells[c] || target->cells[c]->name() != cells[c]->name();
      target->cells[c] = std::move(cells[c]);
      GridProperty* cell = target->cells[c].get();
      if (cell) cell->setOwner(list, 0);
      if (!renamed) continue;
      LVITEMW sub{};
      sub.iSubItem = static_cast<int>(c);
      sub.pszText = const_cast<wchar_t*>(cell ? wideText(cell->name()) : L"");
      SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&sub));
    }
  }
  if (newCount > oldCount) {
    SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(newCount), 0);
    for (int r = oldCount; r < newCount; ++r) {
      insertRow(r, std::move(rows[static_cast<std::size_t>(r)]));
    }
  }
}

bool AnswerGrid::setCell(int row, int column, GridProperty* property) {
  if (property && cellAt(row, column) == property) return true;
  std::unique_ptr<GridProperty> owned(property);
  if (!owned || column < 0 || column >= columnCount_ || !rowAt(row)) return false;
  if (editorRow_ == row && editorColumn_ == column) closeEditor();
  // Leaving the editor has told the parent, which may have changed the rows.
  Row* target = rowAt(row);
  if (!target || static_cast<std::size_t>(column) >= target->cells.size()) return false;

  GridProperty* stored = owned.get();
  target->cells[static_cast<std::size_t>(column)] = std::move(owned);
  stored->setOwner(hwnd(), 0);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(wideText(stored->name()));
  SendMessageW(hwnd(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  repaintCell(row, column);
  return true;
}

GridProperty* AnswerGrid::cellAt(int row, int column) const {
  if (column < 0 || column >= columnCount_) return nullptr;
  Row* cells = rowAt(row);
  if (!cells || static_cast<std::size_t>(column) >= cells->cells.size()) return nullptr;
  return cells->cells[static_cast<std::size_t>(column)].get();
}

int AnswerGrid::rowCount() const {
  return hwnd() ? static_cast<int>(SendMessageW(hwnd(), LVM_GETITEMCOUNT, 0, 0)) : 0;
}

void AnswerGrid::deleteSelectedRow() {
  int row = listSelectedRow();
  if (row == -1) return;
  Row* cells = rowAt(row);
  SendMessageW(hwnd(), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
  // Normally freed by the deletion notification; this covers a parent that did not
  // reflect it.
  if (cells && rowAt(row) != cells) rows_.erase(cells);
}

void AnswerGrid::deleteAllRows() {
  if (!hwnd()) return;
  SendMessageW(hwnd(), LVM_DELETEALLITEMS, 0, 0);
  if (rowCount() == 0) rows_.clear();
}

AnswerGrid::Row* AnswerGrid::rowAt(int row) const {
  if (row < 0 || row >= rowCount()) return nullptr;
  return itemRow(row);
}

AnswerGrid::Row* AnswerGrid::itemRow(int row) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!SendMessageW(hwnd(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
  auto* cells = reinterpret_cast<Row*>(item.lParam);
  return rows_.count(cells) ? cells : nullptr;
}

int AnswerGrid::listSelectedRow() const {
  return static_cast<int>(
      SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

bool AnswerGrid::findCell(const GridProperty* property, int& row, int& column) const {
  auto searchRow = [&](int candidate) {
    for (int c = 0; c < columnCount_; ++c) {
      if (cellAt(candidate, c) != property) continue;
      row = candidate;
      column = c;
      return true;
    }
    return false;
  };
  if (!property) return false;
  if (editorRow_ != -1 && searchRow(editorRow_)) return true;
  int count = rowCount();
  for (int r = 0; r < count; ++r) {
    if (searchRow(r)) return true;
  }
  return false;
}

// Geometry and painting ----------------------------------------------------------------

RECT AnswerGrid::cellRect(int row, int column) const {
  RECT rect{};
  if (!hwnd() || row < 0 || column < 0) return rect;
  if (column > 0) {
    rect.top = column;
    rect.left = LVIR_BOUNDS;
    if (!SendMessageW(hwnd(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(&rect))) {
      return RECT{};
    }
    return rect;
  }
  rect.left = LVIR_BOUNDS;
  if (!SendMessageW(hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row),
                    reinterpret_cast<LPARAM>(&rect))) {
    return RECT{};
  }
  if (columnCount_ > 1) {
    RECT next{};
    next.top = 1;
    next.left = LVIR_BOUNDS;
    if (SendMessageW(hwnd(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&next))) {
      rect.right = next.left - 1;
    }
  }
  return rect;
}

void AnswerGrid::repaintCell(int row, int column) {
  if (row == -1 || column == -1 || !hwnd()) return;
  RECT rect = cellRect(row, column);
  InvalidateRect(hwnd(), &rect, TRUE);
}

void AnswerGrid::paintCell(HDC dc, int row, int column, UINT itemState) {
  GridProperty* property = cellAt(row, column);
  if (!property) return;
  RECT rect = cellRect(row, column);
  bool selected = row == selectedRow_ && column == selectedColumn_;
  bool editing = row == editorRow_ && column == editorColumn_;

  GridDrawInfo info = drawTemplate_;
  info.dc = dc;
  info.rect = rect;
  info.state = 0;
  if (selected) info.state |= kCellSelected;
  if (editing) info.state |= kCellEditing;
  if (!property->isEnabled()) info.state |= kCellDisabled;
  if (GetWindowLongPtrW(hwnd(), GWL_STYLE) & WS_DISABLED) {
    info.backgroundColor = drawTemplate_.disabledBackgroundColor;
  }

  SavedDcState savedState(dc);
  SetBkColor(dc, info.backgroundColor);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  {
    ScopedSelectObject font(dc, normalFont_.get());
    property->drawValue(info);
  }

  ScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, info.borderColor));
  {
    ScopedSelectObject selectedPen(dc, pen.get());
    MoveToEx(dc, rect.left, rect.bottom - 1, nullptr);
    LineTo(dc, rect.right - 1, rect.bottom - 1);
    LineTo(dc, rect.right - 1, rect.top - 1);
  }

  bool framed = selected && !editing && GetFocus() == hwnd() && (itemState & CDIS_FOCUS);
  if (!framed) return;
  ScopedGdiObject<HBRUSH> frame(CreateSolidBrush(info.selectedBackgroundColor));
  FrameRect(dc, &rect, frame.get());
}

void AnswerGrid::refreshMetrics() {
  drawTemplate_.textColor = GetSysColor(COLOR_WINDOWTEXT);
  drawTemplate_.backgroundColor = GetSysColor(COLOR_WINDOW);
  drawTemplate_.selectedTextColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
  drawTemplate_.selectedBackgroundColor = GetSysColor(COLOR_HIGHLIGHT);
  drawTemplate_.disabledTextColor = GetSysColor(COLOR_GRAYTEXT);
  drawTemplate_.disabledBackgroundColor = GetSysColor(COLOR_BTNFACE);
  drawTemplate_.borderColor = GetSysColor(COLOR_BTNFACE);

  HWND parent = GetParent(hwnd());
  auto parentFont = reinterpret_cast<HFONT>(parent ? SendMessageW(parent, WM_GETFONT, 0, 0) : 0);
  if (!parentFont) parentFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW description{};
  if (GetObjectW(parentFont, sizeof(description), &description)) {
    ScopedGdiObject<HFONT> font(CreateFontIndirectW(&description));
    if (font) {
      // The list and an open editor switch to the new font before the old one goes.
      SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
      if (editorWindow_ && IsWindow(editorWindow_)) {
        SendMessageW(editorWindow_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
      }
      normalFont_ = std::move(font);
    }
  }
  drawTemplate_.font = normalFont_.get();
  drawTemplate_.style = gridStyle_;
  drawTemplate_.dpi = static_cast<int>(dpi_);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

// Notifications ------------------------------------------------------------------------

LRESULT AnswerGrid::notifyParent(int code, GridProperty* property) {
  HWND parent = GetParent(hwnd());
  if (!parent) return 0;
  GridNotify notify{};
  notify.header.hwndFrom = hwnd();
  notify.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd()));
  notify.header.code = static_cast<UINT>(code);
  notify.property = property;
  return SendMessageW(parent, WM_NOTIFY, notify.header.idFrom, reinterpret_cast<LPARAM>(&notify));
}

LRESULT AnswerGrid::onReflectedNotify(WPARAM wParam, LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header && header->hwndFrom == hwnd()) {
    switch (header->code) {
      case NM_CUSTOMDRAW:
        return onCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
      case LVN_ITEMCHANGED:
        return onItemChanged(wParam, lParam);
      case LVN_DELETEITEM:
        return onDeleteItem(wParam, lParam);
      default:
        break;
    }
  }
  return DefWindowProcW(hwnd(), WM_NOTIFY, wParam, lParam);
}

LRESULT AnswerGrid::onCustomDraw(NMLVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
      paintCell(draw->nmcd.hdc, static_cast<int>(draw->nmcd.dwItemSpec), draw->iSubItem,
                draw->nmcd.uItemState);
      return CDRF_SKIPDEFAULT;
    default:
      return CDRF_DODEFAULT;
  }
}

LRESULT AnswerGrid::onItemChanged(WPARAM wParam, LPARAM lParam) {
  auto* change = reinterpret_cast<NMLISTVIEW*>(lParam);
  if ((change->uNewState & LVIS_SELECTED) && change->iItem != -1) {
    selectedRow_ = change->iItem;
    if (selectedColumn_ == -1) selectedColumn_ = 0;
    repaintSelectedCell();
    notifyParent(kGridSelChanged, cellAt(selectedRow_, selectedColumn_));
  }
  return DefWindowProcW(hwnd(), WM_NOTIFY, wParam, lParam);
}

LRESULT AnswerGrid::onDeleteItem(WPARAM /*wParam*/, LPARAM lParam) {
  auto* deletion = reinterpret_cast<NMLISTVIEW*>(lParam);
  if (editorWindow_) closeEditor();
  if (deletion->iItem != -1 && deletion->iItem == selectedRow_) {
    repaintSelectedCell();
    selectedColumn_ = -1;
  }
  rows_.erase(reinterpret_cast<Row*>(deletion->lParam));
  return 0;
}

LRESULT AnswerGrid::onHeaderNotify(UINT message, WPARAM wParam, LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (!header || header->hwndFrom != header_) return callPreviousProc(message, wParam, lParam);
  switch (header->code) {
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGINGW:
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
    case HDN_TRACKA:
    case HDN_TRACKW:
      closeEditor();
      break;
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
      return 0;
    default:
      break;
  }
  return callPreviousProc(message, wParam, lParam);
}

// Mouse and keyboard -------------------------------------------------------------------

bool AnswerGrid::inputAllowed() const { return IsWindowEnabled(hwnd()) != FALSE; }

LRESULT AnswerGrid::onButtonDown(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!inputAllowed()) return 0;
  repaintSelectedCell();
  DWORD position = GetMessagePos();
  LVHITTESTINFO hit{};
  hit.pt = POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  ScreenToClient(hwnd(), &hit.pt);
  SendMessageW(hwnd(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));

  int oldRow = selectedRow_;
  int oldColumn = selectedColumn_;
  selectedColumn_ = hit.iSubItem;
  closeEditor();
  LRESULT result = callPreviousProc(message, wParam, lParam);

  if (hit.iItem == -1) {
    closeEditor();
    repaintSelectedCell();
    selectedRow_ = -1;
    selectedColumn_ = -1;
    notifyParent(kGridSelChanged, nullptr);
    return result;
  }
  GridProperty* property = cellAt(hit.iItem, hit.iSubItem);
  if (!property) return result;
  if (notifyParent(kGridCellClick, property) != 0) return result;
  // The parent may have changed the rows while it was told.
  if (cellAt(hit.iItem, hit.iSubItem) != property) return result;

  property->activate(kActivateClick, position);
  selectedRow_ = hit.iItem;
  selectedColumn_ = hit.iSubItem;
  if (cellAt(hit.iItem, hit.iSubItem) != property) return result;
  bool sameRow = hit.iItem == oldRow;
  if (sameRow && hit.iSubItem != oldColumn) notifyParent(kGridSelChanged, property);

  bool sameCell = sameRow && hit.iSubItem == oldColumn;
  if (property->isEnabled() && ((gridStyle_ & kGridSingleClickEdit) || sameCell) &&
      cellAt(hit.iItem, hit.iSubItem) == property) {
    bool opened = openEditor(property, selectedRow_, selectedColumn_);
    property->activate(opened ? kActivateEdit : kActivateSelect, 0);
  }
  repaintSelectedCell();
  return result;
}

void AnswerGrid::editSelectedCell() {
  GridProperty* property = cellAt(selectedRow_, selectedColumn_);
  if (!property || !property->isEnabled()) return;
  openEditor(property, selectedRow_, selectedColumn_);
  property->activate(kActivateEdit, 0);
  repaintSelectedCell();
}

LRESULT AnswerGrid::onKeyDown(WPARAM key, LPARAM lParam) {
  if (!inputAllowed()) return 0;
  switch (key) {
    case VK_TAB:
      PostMessageW(GetParent(hwnd()), WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
      return 0;
    case VK_RETURN:
    case VK_SPACE:
    case VK_F2:
      if (hasSelectedCell()) editSelectedCell();
      return 0;
    case VK_LEFT:
    case VK_RIGHT:
      SendMessageW(hwnd(), kGridNavigate, key, 0);
      return 0;
    case VK_DELETE: {
      GridProperty* property = hasSelectedCell() ? cellAt(selectedRow_, selectedColumn_) : nullptr;
      if (property && property->kind() == PropertyKind::kText && property->isEnabled() &&
          openEditor(property, selectedRow_, selectedColumn_)) {
        property->activate(kActivateEdit, 0);
        SendMessageW(editorWindow_, WM_KEYDOWN, VK_DELETE, 0);
        repaintSelectedCell();
      }
      return 0;
    }
    default:
      return callPreviousProc(WM_KEYDOWN, key, lParam);
  }
}

LRESULT AnswerGrid::onChar(WPARAM character, LPARAM lParam) {
  if (!inputAllowed()) return 0;
  if (character == L' ') return 0;
  if (character < L' ' || !hasSelectedCell()) return callPreviousProc(WM_CHAR, character, lParam);
  GridProperty* property = cellAt(selectedRow_, selectedColumn_);
  if (property && property->isEnabled() && openEditor(property, selectedRow_, selectedColumn_)) {
    property->activate(kActivateEdit, 0);
    SendMessageW(editorWindow_, WM_CHAR, character, 1);
    repaintSelectedCell();
  }
  return 0;
}

// Editor -------------------------------------------------------------------------------

bool AnswerGrid::openEditor(GridProperty* property, int row, int column) {
  closeEditor();
  if (!property || row == -1 || column == -1) return false;
  if (row != listSelectedRow() || !property->isEnabled()) return false;
  RECT rect = cellRect(row, column);
  // One pixel short on the right and bottom, so the grid lines stay visible.
  rect.right -= 1;
  rect.bottom -= 1;
  HWND editor = property->createInplaceEditor(hwnd(), rect);
  if (!editor) return false;
  SetWindowPos(editor, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
  SetFocus(editor);
  editorWindow_ = editor;
  editorRow_ = row;
  editorColumn_ = column;
  return true;
}

void AnswerGrid::closeEditor() {
  HWND editor = editorWindow_;
  if (editor && IsWindow(editor)) {
    // Losing the focus makes the editor commit or cancel before anything else happens.
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd(), focus)) SetFocus(hwnd());
    if (editorWindow_ == editor && IsWindow(editor)) closeEditorWindow(editor);
  }
  clearEditor();
}

void AnswerGrid::closeEditorWindow(HWND editor) {
  HWND focus = GetFocus();
  if (focus && IsChild(hwnd(), focus)) SetFocus(hwnd());
  PostMessageW(editor, WM_CLOSE, 0, 0);
}

void AnswerGrid::clearEditor() {
  editorWindow_ = nullptr;
  editorRow_ = -1;
  editorColumn_ = -1;
}

bool AnswerGrid::editorCellValid() const {
  return editorRow_ >= 0 && editorColumn_ >= 0 && editorRow_ < rowCount() &&
         editorColumn_ < columnCount_;
}

LRESULT AnswerGrid::onCommitEdit(LPARAM lParam) {
  auto editor = reinterpret_cast<HWND>(lParam);
  if (!editor || !IsWindow(editor) || editor != editorWindow_ || !editorCellValid()) return 0;
  int row = editorRow_;
  int column = editorColumn_;
  GridProperty* property = cellAt(row, column);
  if (!property) return 0;
  if (notifyParent(kGridValueChanging, property) == 0) {
    if (!property->setValueFromEditor(editor)) MessageBeep(0xFFFFFFFF);
    notifyParent(kGridValueChanged, property);
    repaintCell(row, column);
  }
  closeEditorWindow(editor);
  clearEditor();
  return 0;
}

LRESULT AnswerGrid::onCancelEdit(LPARAM lParam) {
  auto editor = reinterpret_cast<HWND>(lParam);
  if (!editor || !IsWindow(editor) || editor != editorWindow_) return 0;
  if (editorRow_ == -1 || editorColumn_ == -1) return 0;
  repaintCell(editorRow_, editorColumn_);
  closeEditorWindow(editor);
  clearEditor();
  return 0;
}

// Navigation and values ----------------------------------------------------------------

void AnswerGrid::selectRow(int row) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item))) {
    SendMessageW(hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  }
}

void AnswerGrid::moveColumn(int column) {
  int oldColumn = selectedColumn_;
  selectedColumn_ = column;
  notifyParent(kGridSelChanged, cellAt(selectedRow_, selectedColumn_));
  repaintCell(selectedRow_, oldColumn);
  repaintSelectedCell();
}

LRESULT AnswerGrid::onNavigate(WPARAM key) {
  if (!hasSelectedCell()) return 0;
  closeEditor();
  switch (key) {
    case VK_TAB:
      SendMessageW(hwnd(), kGridNavigate, VK_RIGHT, 0);
      break;
    case VK_LEFT:
      if (selectedColumn_ > 0) moveColumn(selectedColumn_ - 1);
      break;
    case VK_RIGHT:
      if (selectedColumn_ < columnCount_ - 1) moveColumn(selectedColumn_ + 1);
      break;
    case VK_UP:
      if (selectedRow_ > 0) {
        repaintSelectedCell();
        selectRow(selectedRow_ - 1);
      }
      break;
    case VK_DOWN:
      if (selectedRow_ < rowCount() - 1) {
        repaintSelectedCell();
        selectRow(selectedRow_ + 1);
      }
      break;
    default:
      break;
  }
  return 0;
}

LRESULT AnswerGrid::onSetValue(WPARAM wParam, LPARAM lParam) {
  auto* value = reinterpret_cast<const GridValue*>(wParam);
  auto* property = reinterpret_cast<GridProperty*>(lParam);
  int row = -1;
  int column = -1;
  // Only the grid's own cells may ask; anything else is not a property we can trust.
  if (!value || !property || !findCell(property, row, column)) return 0;
  if (notifyParent(kGridValueChanging, property) == 0) {
    if (!property->setValue(*value)) MessageBeep(0xFFFFFFFF);
    notifyParent(kGridValueChanged, property);
  }
  if (findCell(property, row, column)) repaintCell(row, column);
  return 0;
}

LRESULT AnswerGrid::onDestroy(WPARAM wParam, LPARAM lParam) {
  // Frees every row's properties through the deletion rule while the parent still
  // reflects; whatever it did not reflect goes with the row list.
  SendMessageW(hwnd(), LVM_DELETEALLITEMS, 0, 0);
  rows_.clear();
  return callPreviousProc(WM_DESTROY, wParam, lParam);
}

// Dispatch -----------------------------------------------------------------------------

LRESULT AnswerGrid::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kReflectedBase + WM_NOTIFY:
      return onReflectedNotify(wParam, lParam);
    case WM_NOTIFY:
      return onHeaderNotify(message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return onButtonDown(message, wParam, lParam);
    case WM_GETDLGCODE:
      return callPreviousProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      return onKeyDown(wParam, lParam);
    case WM_CHAR:
      return onChar(wParam, lParam);
    case kGridCommitEdit:
      return onCommitEdit(lParam);
    case kGridCancelEdit:
      return onCancelEdit(lParam);
    case kGridNavigate:
      return onNavigate(wParam);
    case kGridSetValue:
      return onSetValue(wParam, lParam);
    case WM_WININICHANGE:
      refreshMetrics();
      return 0;
    case WM_ENABLE:
      // The cells change their background with the list's enabled state.
      InvalidateRect(hwnd(), nullptr, TRUE);
      return callPreviousProc(message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      repaintSelectedCell();
      return callPreviousProc(message, wParam, lParam);
    case WM_SIZE:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
      closeEditor();
      return callPreviousProc(message, wParam, lParam);
    case WM_DESTROY:
      return onDestroy(wParam, lParam);
    default:
      if (isReflectedMessage(message)) {
        return DefWindowProcW(hwnd(), message - kReflectedBase, wParam, lParam);
      }
      return callPreviousProc(message, wParam, lParam);
  }
}

}  // namespace quizmora
