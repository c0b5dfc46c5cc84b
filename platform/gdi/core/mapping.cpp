#include "platform/gdi/core/mapping.h"

#include <algorithm>
#include <cstdlib>
#include <utility>


namespace gdi {

namespace {

// Logical units per inch of each fixed metric mode.
int units_per_inch(int mode) {
  switch (mode) {
    case MM_LOMETRIC: return 254;
    case MM_HIMETRIC: return 2540;
    case MM_LOENGLISH: return 100;
    case MM_HIENGLISH: return 1000;
    case MM_TWIPS: return 1440;
    default: return 0;
  }
}

int saturate(int64_t v) {
  return int(std::clamp<int64_t>(v, -kCoordinateLimit, kCoordinateLimit));
}

// v * num / den rounded half away from zero. Coordinates from pictures may be anything, so the
// arithmetic is 64-bit and results saturate instead of wrapping.
int64_t scale(int64_t v, int num, int den) {
  if (den == 0) return 0;
  using Wide = __int128;
  using UWide = unsigned __int128;
  Wide n = Wide(v) * num;
  bool negative = (n < 0) != (den < 0);
  UWide a = UWide(n < 0 ? -n : n);
  UWide d = UWide(den < 0 ? -Wide(den) : Wide(den));
  UWide q = (a + d / 2) / d;
  if (q > UWide(kCoordinateLimit)) q = UWide(kCoordinateLimit);
  return negative ? -int64_t(q) : int64_t(q);
}

int map(int v, int from_org, int num, int den, int to_org) {
  return saturate(scale(int64_t(v) - from_org, num, den) + to_org);
}

}  // namespace

RECT normalized(RECT r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

bool Mapping::set_mode(int new_mode, int dpi_x, int dpi_y) {
  if (new_mode < MM_TEXT || new_mode > MM_ANISOTROPIC) return false;
  int previous = mode;
  mode = new_mode;
  if (new_mode == MM_TEXT) {
    window_ext = {1, 1};
    viewport_ext = {1, 1};
  } else if (int units = units_per_inch(new_mode)) {
    window_ext = {units, units};
    viewport_ext = {dpi_x, -dpi_y};
  } else if (new_mode == MM_ISOTROPIC && previous != MM_ISOTROPIC) {
    fit_isotropic();
  }
  return true;
}

bool Mapping::set_window_ext(int cx, int cy) {
  if (!scalable()) return true;
  if (cx == 0 || cy == 0) return false;
  window_ext = {cx, cy};
  if (mode == MM_ISOTROPIC) fit_isotropic();
  return true;
}

bool Mapping::set_viewport_ext(int cx, int cy) {
  if (!scalable()) return true;
  if (cx == 0 || cy == 0) return false;
  viewport_ext = {cx, cy};
  if (mode == MM_ISOTROPIC) fit_isotropic();
  return true;
}

// Keeps the smaller of the two scales on both axes by shrinking the other viewport extent; the
// signs (axis directions) stay as given.
void Mapping::fit_isotropic() {
  int64_t wx = std::llabs(window_ext.cx), wy = std::llabs(window_ext.cy);
  int64_t vx = std::llabs(viewport_ext.cx), vy = std::llabs(viewport_ext.cy);
  if (!wx || !wy) return;
  // Compare vx/wx with vy/wy without division.
  if (vx * wy > vy * wx) {
    int fitted = saturate(scale(wx, int(vy), int(wy)));
    viewport_ext.cx = viewport_ext.cx < 0 ? -fitted : fitted;
  } else if (vx * wy < vy * wx) {
    int fitted = saturate(scale(wy, int(vx), int(wx)));
    viewport_ext.cy = viewport_ext.cy < 0 ? -fitted : fitted;
  }
}

POINT Mapping::to_device(POINT p) const {
  return {map(p.x, window_org.x, viewport_ext.cx, window_ext.cx, viewport_org.x),
          map(p.y, window_org.y, viewport_ext.cy, window_ext.cy, viewport_org.y)};
}

POINT Mapping::to_logical(POINT p) const {
  return {map(p.x, viewport_org.x, window_ext.cx, viewport_ext.cx, window_org.x),
          map(p.y, viewport_org.y, window_ext.cy, viewport_ext.cy, window_org.y)};
}

RECT Mapping::to_device(const RECT& r) const {
  POINT a = to_device(POINT{r.left, r.top}), b = to_device(POINT{r.right, r.bottom});
  return {a.x, a.y, b.x, b.y};
}

RECT Mapping::to_logical(const RECT& r) const {
  POINT a = to_logical(POINT{r.left, r.top}), b = to_logical(POINT{r.right, r.bottom});
  return {a.x, a.y, b.x, b.y};
}

int Mapping::width_to_device(int w) const { return map(w, 0, viewport_ext.cx, window_ext.cx, 0); }
int Mapping::height_to_device(int h) const { return map(h, 0, viewport_ext.cy, window_ext.cy, 0); }
int Mapping::width_to_logical(int w) const { return map(w, 0, window_ext.cx, viewport_ext.cx, 0); }
int Mapping::height_to_logical(int h) const { return map(h, 0, window_ext.cy, viewport_ext.cy, 0); }

}  // namespace gdi
