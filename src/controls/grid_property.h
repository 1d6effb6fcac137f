#pragma once
// A cell of the answer grid: it stores a value, paints it, says whether and how it can be
// edited and reacts to clicks and edit requests. The grid that holds it owns it.

#include <windows.h>

#include <string>
#include <string_view>

#include "controls/grid_value.h"

namespace quizmora {

enum class PropertyKind : unsigned char { kText = 3, kCheck = 6 };

// Why the grid calls `activate`.
inline constexpr int kActivateSelect = 1;  // a click that opened no editor
inline constexpr int kActivateClick = 3;   // a mouse click; position = GetMessagePos
inline constexpr int kActivateEdit = 7;    // editing asked for by a key, or an editor opened

// State bits of GridDrawInfo.
inline constexpr UINT kCellSelected = 0x0001;
inline constexpr UINT kCellDisabled = 0x0004;
inline constexpr UINT kCellEditing = 0x1000;

// Everything a property needs to paint itself into its cell.
struct GridDrawInfo {
  HDC dc = nullptr;
  RECT rect{};
  UINT state = 0;
  HFONT font = nullptr;  // borrowed from the grid
  COLORREF textColor = 0;
  COLORREF backgroundColor = 0;
  COLORREF selectedTextColor = 0;
  COLORREF selectedBackgroundColor = 0;
  COLORREF borderColor = 0;
  COLORREF disabledTextColor = 0;
  COLORREF disabledBackgroundColor = 0;
  DWORD style = 0;  // the grid's style bits
  int dpi = 96;     // the grid's DPI: margins and boxes written for 96 DPI scale with it
};

class GridProperty {
 public:
  explicit GridProperty(std::u16string_view name);
  GridProperty(const GridProperty&) = delete;
  GridProperty& operator=(const GridProperty&) = delete;

  virtual ~GridProperty();
  virtual PropertyKind kind() const = 0;
  // `extra` is not used; the grid passes 0.
  virtual void setOwner(HWND owner, LPARAM extra);
  virtual const std::u16string& name() const;
  // Enabled only by exactly 1, as a Win32 BOOL would say it.
  virtual void setEnabled(int flag);
  virtual bool isEnabled() const;
  virtual void setItemData(DWORD value);
  virtual DWORD itemData() const;
  virtual void drawName(const GridDrawInfo& info);
  virtual void drawValue(const GridDrawInfo& info);
  // A new editor window over `rect` of `parent` (the grid), or null when the cell has none.
  virtual HWND createInplaceEditor(HWND parent, const RECT& rect);
  // `position` is the packed screen position of GetMessagePos, or 0.
  virtual bool activate(int reason, DWORD position);
  // The value as text, cut to `capacity` units including the terminator.
  virtual bool displayText(wchar_t* buffer, int capacity) const;
  virtual int displayTextLength() const;
  virtual bool getValue(GridValue& value) const;
  virtual bool setValueFromEditor(HWND editor);
  virtual bool setValue(const GridValue& value);

  HWND owner() const { return owner_; }

 private:
  HWND owner_ = nullptr;
  std::u16string name_;
  bool enabled_ = true;
  DWORD itemData_ = 0;
};

}  // namespace quizmora
