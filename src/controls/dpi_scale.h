#pragma once
// Sizes the program writes in pixels are its sizes at 96 dots per inch; on a display with
// more dots each is scaled by the display's DPI. Pure arithmetic, shared by the controls and
// their tests; no Win32 here.

#include <cstdint>
#include <initializer_list>

namespace quizmora {

inline constexpr int kDefaultDpi = 96;

// `value` measured at `fromDpi`, rounded to the nearest pixel at `toDpi` (halves away from
// zero, as MulDiv rounds). A DPI of 0 or less leaves the value as it is.
constexpr int rescalePixels(int value, int fromDpi, int toDpi) {
  if (fromDpi <= 0 || toDpi <= 0 || fromDpi == toDpi) return value;
  const std::int64_t product = static_cast<std::int64_t>(value) * toDpi;
  const std::int64_t half = fromDpi / 2;
  const std::int64_t rounded = product >= 0 ? (product + half) / fromDpi
                                            : -((-product + half) / fromDpi);
  return static_cast<int>(rounded);
}

// A size written for 96 DPI, at `dpi`.
constexpr int scaleForDpi(int value, int dpi) { return rescalePixels(value, kDefaultDpi, dpi); }

// The sizes each icon button's icon is drawn at.
inline constexpr std::initializer_list<int> kButtonIconSizes = {16, 20, 24, 32, 48};
inline constexpr int kButtonIconBaseSize = 16;

// The icon a button shows at `dpi`: the largest drawn size that is no larger than the base
// size scaled to `dpi` and that fits in `roomWidth` x `roomHeight` (the button inside its
// one-pixel frame). Never smaller than the smallest drawn size.
constexpr int buttonIconSize(int dpi, int roomWidth, int roomHeight) {
  const int wanted = scaleForDpi(kButtonIconBaseSize, dpi);
  const int room = roomWidth < roomHeight ? roomWidth : roomHeight;
  int chosen = *kButtonIconSizes.begin();
  for (int size : kButtonIconSizes) {
    if (size <= wanted && size <= room) chosen = size;
  }
  return chosen;
}

}  // namespace quizmora
