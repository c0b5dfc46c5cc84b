// Files the image window tests feed it: bitmap files, PLY2 hotspot files and segmented pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace imagewnd_test {

struct Ply2Record {
  int16_t shape = 0;
  int16_t level = 1;  // level code: 0 or less the mark list, n the set's level n + 2
  uint16_t number = 0;
  int16_t left = 0, top = 0, right = 0, bottom = 0;
  std::string text;
  std::vector<int16_t> shapeData;  // circle: x, y, radius; polygon: count then x, y pairs
};

// A 24-bit bitmap file, each pixel `colour` (0xRRGGBB); the top half `top_colour` when given.
std::vector<uint8_t> BitmapFile(int width, int height, uint32_t colour, int64_t top_colour = -1);
// An 8-bit run-length bitmap file: every row one run of index 1 (red) across the whole width.
std::vector<uint8_t> Rle8File(int width, int height);
std::vector<uint8_t> Ply2File(int width, int height, uint16_t highest, const std::vector<Ply2Record>& records,
                              int extra_levels = 1);
// A segmented picture file ("lp") whose first picture is `stored` (a stored picture record).
std::vector<uint8_t> SegmentedFile(const std::vector<uint8_t>& stored);

}  // namespace imagewnd_test
