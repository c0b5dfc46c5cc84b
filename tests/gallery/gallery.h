// Shared pieces of the gallery tests: pictures of windows as the screen shows them (children laid
// over their parents), saved as PNG files under "gallery" in the test's working folder, and small
// questions about their pixels.
#pragma once

#include <string>

#include <QImage>

#include "platform/base/geometry.h"
#include "platform/base/win_types.h"

namespace lumo::test::gallery {

// What the screen shows of `h` (client area, or the whole window) once the queue has settled,
// saved as "<name>.png".
class Picture {
 public:
  Picture(HWND h, const std::string& name, bool whole_window = false);

  // The colour at a point as 0x00BBGGRR; 0xFFFFFFFF outside.
  DWORD pixel(int x, int y) const;
  DWORD pixel(POINT p) const { return pixel(p.x, p.y); }
  // The number of pixels in `area` of exactly `colour`.
  int count(const RECT& area, DWORD colour) const;
  // The number of dark pixels (text, glyphs, black frames) in `area`.
  int dark(const RECT& area) const;
  // The number of nearly white pixels (highlights) in `area`.
  int light(const RECT& area) const;
  // The rightmost and lowest columns and rows of `area` holding a dark pixel, or -1.
  int rightmost_dark(const RECT& area) const;
  int lowest_dark(const RECT& area) const;
  // Saves `area` enlarged `factor` times as "<name>.png", to look at small shapes.
  void save_enlarged(const RECT& area, const std::string& name, int factor = 4) const;
  int width() const { return image_.width(); }
  int height() const { return image_.height(); }

 private:
  QImage image_;
};

// `h`'s window rectangle in the client coordinates of `ancestor` (or of the whole window of
// `ancestor` when `whole_window`).
RECT rect_in(HWND h, HWND ancestor, bool whole_window = false);

}  // namespace lumo::test::gallery
