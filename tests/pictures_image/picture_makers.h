// Small hand-made picture files for the codec tests: each maker writes a file from rows of pixel
// values so that a test states exactly what it expects to read back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/core/afx_gdi.h"

namespace picture_test {

// A private folder for one test program's files.
std::string TempPath(const std::string& name);
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& path);

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

// PNG of any colour type and depth: `samples` holds one value per channel per pixel, rows top
// down, in the file's depth; `palette` for colour type 3.
bool WritePng(const std::string& path, int width, int height, int colorType, int depth,
              const std::vector<uint16_t>& samples, const std::vector<Rgb>& palette = {},
              bool interlaced = false, const std::vector<uint8_t>& transparency = {});

// GIF with a real LZW encoder: `indices` are top-down pixel values, `table` the global colour
// table (2, 4, ... 256 entries), `transparent` -1 for none.
std::vector<uint8_t> MakeGif(int width, int height, const std::vector<uint8_t>& indices,
                             const std::vector<Rgb>& table, int transparent = -1,
                             bool interlaced = false, int minCodeSize = -1);

// JPEG of 1 (grey), 3 (RGB) or 4 (CMYK) components, top-down samples.
bool WriteJpeg(const std::string& path, int width, int height, int components,
               const std::vector<uint8_t>& samples, int quality = 95);

// Windows bitmap file of 1, 4, 8 or 24 bits: `values` are top-down pixel values (indices, or
// 0xRRGGBB for 24 bits); a negative height stores the rows top-down.
std::vector<uint8_t> MakeBmp(int width, int height, int bitsPerPixel, const std::vector<uint32_t>& values,
                             const std::vector<Rgb>& table);

// A raster surface to draw pictures on, saved as PNG to look at.
class Canvas {
 public:
  Canvas(int width, int height, uint32_t fill);
  ~Canvas();
  CDC* dc() { return &dc_; }
  Rgb At(int x, int y) const;
  // Saves the surface as PNG in the test folder, and six times enlarged in $LUMO_PICTURE_OUT
  // when that is set (to look at).
  void Save(const std::string& name) const;
 private:
  int width_, height_;
  std::vector<uint32_t> pixels_;
  HDC hdc_;
  CDC dc_;
};

}  // namespace picture_test
