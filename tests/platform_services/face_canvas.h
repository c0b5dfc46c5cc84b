// A memory context over a colour bitmap filled with the button face, and a table check of its
// pixels, for the tests that draw into memory.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"

namespace lumo::test {

constexpr COLORREF kFace = RGB(192, 192, 192);

class FaceCanvas {
 public:
  FaceCanvas(int width, int height)
      : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateBitmap(width, height, 1, 32, nullptr)) {
    old_ = SelectObject(dc_, bitmap_);
    HBRUSH face = CreateSolidBrush(kFace);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, face);
    DeleteObject(face);
  }
  ~FaceCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  FaceCanvas(const FaceCanvas&) = delete;
  FaceCanvas& operator=(const FaceCanvas&) = delete;
  HDC dc() const { return dc_; }
  COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

// The colour one pixel must have.
struct PixelIs {
  int x, y;
  COLORREF colour;
};

inline void expect_pixels(const FaceCanvas& canvas, std::initializer_list<PixelIs> pixels) {
  for (const PixelIs& p : pixels) EXPECT_EQ(canvas.at(p.x, p.y), p.colour) << p.x << "," << p.y;
}

}  // namespace lumo::test
