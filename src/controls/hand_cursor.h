#pragma once
// The link's pointing hand: a 32 x 32 monochrome cursor, black outline, white fill,
// transparent elsewhere, with its hot spot on the tip of the index finger.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quizmora::hand_cursor {

inline constexpr int kSize = 32;
inline constexpr int kHotSpotX = 5;
inline constexpr int kHotSpotY = 0;
inline constexpr std::size_t kPlaneBytes = kSize * kSize / 8;  // 128

// '#' black, '.' white, anything else (and everything past a row's end) transparent.
// clang-format off
inline constexpr std::string_view kPicture[] = {
    "     ##",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..####",
    "    #..#..####",
    "    #..#..#..####",
    "    #..#..#..#..#",
    " ## #..#..#..#..#",
    "#..##..#..#..#..#",
    "#...#..#..#..#..#",
    " #..#...........#",
    " #..............#",
    "  #.............#",
    "  #............#",
    "   #...........#",
    "   #...........#",
    "    #.........#",
    "    #.........#",
    "    ###########",
};
// clang-format on

// The two bit planes of a monochrome cursor, rows top to bottom, the leftmost pixel in the
// highest bit: AND 1 with XOR 0 leaves the screen as it is, AND 0 with XOR 0 is black,
// AND 0 with XOR 1 is white.
struct Planes {
  std::array<std::uint8_t, kPlaneBytes> andPlane{};
  std::array<std::uint8_t, kPlaneBytes> xorPlane{};
};

constexpr Planes makePlanes() {
  Planes planes;
  for (auto& byte : planes.andPlane) byte = 0xFF;
  for (std::size_t y = 0; y < std::size(kPicture); ++y) {
    for (std::size_t x = 0; x < kPicture[y].size(); ++x) {
      const char pixel = kPicture[y][x];
      if (pixel != '#' && pixel != '.') continue;
      const std::size_t byte = y * (kSize / 8) + x / 8;
      const auto bit = static_cast<std::uint8_t>(0x80u >> (x % 8));
      planes.andPlane[byte] = static_cast<std::uint8_t>(planes.andPlane[byte] & ~bit);
      if (pixel == '.')
        planes.xorPlane[byte] = static_cast<std::uint8_t>(planes.xorPlane[byte] | bit);
    }
  }
  return planes;
}

inline constexpr Planes kPlanes = makePlanes();

// The same hand drawn on a square of `size` pixels (a display with more dots per inch asks
// for a larger cursor): each pixel takes the picture's pixel under its centre, so at 32 it is
// the picture itself and at 64 each pixel of it becomes two by two. Rows are padded to whole
// 16-bit words, as a monochrome bitmap's rows are.
struct ScaledPlanes {
  int size = 0;
  int hotSpotX = 0;
  int hotSpotY = 0;
  std::size_t rowBytes = 0;
  std::vector<std::uint8_t> andPlane;
  std::vector<std::uint8_t> xorPlane;
};

inline ScaledPlanes scaledPlanes(int size) {
  ScaledPlanes result;
  if (size <= 0) return result;
  const auto side = static_cast<std::size_t>(size);
  result.size = size;
  result.hotSpotX = kHotSpotX * size / kSize;
  result.hotSpotY = kHotSpotY * size / kSize;
  result.rowBytes = (side + 15) / 16 * 2;
  result.andPlane.assign(result.rowBytes * side, 0xFF);
  result.xorPlane.assign(result.rowBytes * side, 0x00);
  for (std::size_t y = 0; y < side; ++y) {
    const std::size_t sourceY = (2 * y + 1) * kSize / (2 * side);
    if (sourceY >= std::size(kPicture)) continue;
    const std::string_view row = kPicture[sourceY];
    for (std::size_t x = 0; x < side; ++x) {
      const std::size_t sourceX = (2 * x + 1) * kSize / (2 * side);
      const char pixel = sourceX < row.size() ? row[sourceX] : ' ';
      if (pixel != '#' && pixel != '.') continue;
      const std::size_t byte = y * result.rowBytes + x / 8;
      const auto bit = static_cast<std::uint8_t>(0x80u >> (x % 8));
      result.andPlane[byte] = static_cast<std::uint8_t>(result.andPlane[byte] & ~bit);
      if (pixel == '.') result.xorPlane[byte] = static_cast<std::uint8_t>(result.xorPlane[byte] | bit);
    }
  }
  return result;
}

}  // namespace quizmora::hand_cursor
