#pragma once
// Where a control of a resizable window goes when the window's client area changes size.
// Pure arithmetic, shared by DialogResizer and its tests; no Win32 here.

#include <cstdint>

namespace quizmora {

inline constexpr std::uint32_t kResizeSizeX = 0x0001;    // right edge follows the width
inline constexpr std::uint32_t kResizeSizeY = 0x0002;    // bottom edge follows the height
inline constexpr std::uint32_t kResizeMoveX = 0x0004;    // both edges move with the width
inline constexpr std::uint32_t kResizeMoveY = 0x0008;    // both edges move with the height
inline constexpr std::uint32_t kResizeRepaint = 0x0010;  // invalidate after placing
inline constexpr std::uint32_t kResizeGroupStart = 0x1000;
inline constexpr std::uint32_t kResizeGripper = 0x4000;

// The flags that make a control be placed at all.
inline constexpr std::uint32_t kResizePlacementFlags =
    kResizeSizeX | kResizeSizeY | kResizeMoveX | kResizeMoveY | kResizeRepaint;

// The size grip's row: it keeps to the bottom-right corner and repaints.
inline constexpr std::uint32_t kResizeGripFlags =
    kResizeGripper | kResizeRepaint | kResizeMoveX | kResizeMoveY;

// One row of a window's static layout table; a table ends with {-1, 0}.
struct ResizeRule {
  int controlId;
  std::uint32_t flags;
};

// Edges in the window's client coordinates; right and bottom are exclusive.
struct LayoutRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const LayoutRect&) const = default;
};

// One row of the working table: the rule and the control's rectangle at set-up time.
struct ResizeEntry {
  std::int32_t controlId = 0;
  std::uint32_t flags = 0;
  LayoutRect original;
};

struct ControlPlacement {
  LayoutRect rect;
  bool reposition = false;  // move/size the control to `rect`
  bool repaint = false;     // invalidate it, erasing the background
};

// The new place of one control. `current` is where the control is now; dx and dy are the
// client size now minus the client size at set-up (negative once the window shrinks back).
inline ControlPlacement placeControl(const ResizeEntry& entry, const LayoutRect& current, int dx,
                                     int dy) {
  ControlPlacement result{current, false, false};
  const std::uint32_t flags = entry.flags;
  if (flags & (kResizeSizeX | kResizeMoveX)) {
    result.rect.right = entry.original.right + dx;
    if (flags & kResizeMoveX) result.rect.left = entry.original.left + dx;
  }
  if (flags & (kResizeSizeY | kResizeMoveY)) {
    result.rect.bottom = entry.original.bottom + dy;
    if (flags & kResizeMoveY) result.rect.top = entry.original.top + dy;
  }
  result.repaint = (flags & kResizeRepaint) != 0;
  result.reposition = (flags & kResizePlacementFlags) != 0;
  return result;
}

}  // namespace quizmora
