#pragma once
// Where a window goes when it is centred over another rectangle and kept inside an area.
// Pure arithmetic, shared by centerOnOwner and its tests; no Win32 here.

#include <cstdint>

namespace quizmora {

// Edges in one coordinate system (screen or a parent's client area); right and bottom are
// exclusive.
struct PlacementRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct PlacementPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PlacementPoint&) const = default;
};

namespace placement_detail {

// The start of a span of `size` centred on [low, high): both halves truncated toward zero,
// as the sum of two edges may be odd and negative.
inline int centredStart(int low, int high, int size) {
  const std::int64_t middle = (static_cast<std::int64_t>(low) + high) / 2;
  return static_cast<int>(middle - size / 2);
}

// Pulls [start, start + size) inside [low, high). A span wider than the area keeps its
// start edge on the area's start, so a window's caption never ends up out of reach.
inline int clampedStart(int start, int size, int low, int high) {
  if (start < low) return low;
  if (static_cast<std::int64_t>(start) + size > high) {
    const std::int64_t pulled = static_cast<std::int64_t>(high) - size;
    return pulled < low ? low : static_cast<int>(pulled);
  }
  return start;
}

}  // namespace placement_detail

// Top-left corner for a window of `width` x `height` centred on `centre` and kept inside
// `area`.
inline PlacementPoint centredPosition(const PlacementRect& centre, const PlacementRect& area,
                                      int width, int height) {
  using placement_detail::centredStart;
  using placement_detail::clampedStart;
  return {
      clampedStart(centredStart(centre.left, centre.right, width), width, area.left, area.right),
      clampedStart(centredStart(centre.top, centre.bottom, height), height, area.top, area.bottom)};
}

}  // namespace quizmora
