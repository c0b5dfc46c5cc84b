#include "platform/res/system_bitmaps.h"

#include <array>
#include <cstring>
#include <vector>

#include "platform/gdi/core/dib.h"

namespace res {
namespace {

// '#' black, anything else white; every row of a drawing has the same length.
using Drawing = std::array<const char*, 13>;

constexpr Drawing kCheck = {
    ".............",
    ".............",
    ".............",
    ".........#...",
    "........##...",
    "...#...###...",
    "...##.###....",
    "...#####.....",
    "....###......",
    ".....#.......",
    ".............",
    ".............",
    ".............",
};

constexpr Drawing kMenuArrow = {
    ".............",
    ".............",
    ".............",
    ".....#.......",
    ".....##......",
    ".....###.....",
    ".....####....",
    ".....###.....",
    ".....##......",
    ".....#.......",
    ".............",
    ".............",
    ".............",
};

std::vector<uint8_t> packed(const Drawing& rows) {
  const int width = int(std::strlen(rows[0])), height = int(rows.size());
  auto bitmap = gdi::Bitmap::create(width, height, false);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bitmap->at(x, y) = rows[size_t(y)][x] == '#' ? gdi::kBlackPixel : gdi::kWhitePixel;
    }
  }
  return gdi::encode_packed_dib(*bitmap);
}

}  // namespace

std::span<const uint8_t> system_bitmap(UINT id) {
  static const std::vector<uint8_t> check = packed(kCheck);
  static const std::vector<uint8_t> arrow = packed(kMenuArrow);
  switch (id) {
    case OBM_CHECK: return check;
    case OBM_MNARROW: return arrow;
    default: return {};
  }
}

}  // namespace res
