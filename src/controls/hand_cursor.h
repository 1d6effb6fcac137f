#pragma once
// The link's pointing hand: a 32 x 32 monochrome cursor, black outline, white fill,
// transparent elsewhere, with its hot spot on the tip of the index finger.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

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

}  // namespace quizmora::hand_cursor
