#pragma once
// How the answer grid, its cells, its editor and the grid's parent talk to each other.

#include <windows.h>

namespace quizmora {

class GridProperty;

// Private messages among the grid, its cell properties and its in-place editor.
inline constexpr UINT kGridCommitEdit = WM_USER + 430;  // lParam: the editor; text changed
inline constexpr UINT kGridCancelEdit = WM_USER + 431;  // lParam: the editor; nothing to store
inline constexpr UINT kGridSetValue = WM_USER + 432;    // wParam: GridValue*, lParam: property
inline constexpr UINT kGridNavigate = WM_USER + 435;    // wParam: VK_TAB/LEFT/UP/RIGHT/DOWN

// WM_NOTIFY codes the grid sends to its parent with a GridNotify.
inline constexpr int kGridSelChanged = -3001;     // result ignored
inline constexpr int kGridValueChanging = -3002;  // non-zero refuses the new value
inline constexpr int kGridValueChanged = -3003;   // result ignored
inline constexpr int kGridCellClick = -3007;      // non-zero ends the click handling

// Grid style bit: one click on a cell opens its editor.
inline constexpr DWORD kGridSingleClickEdit = 0x01;

struct GridNotify {
  NMHDR header;
  GridProperty* property;  // the cell's property; null when no cell applies
};

}  // namespace quizmora
