// A region: a set of pixels held as disjoint rectangles (right and bottom edges excluded).
//
// Clipping keeps regions in device coordinates; region objects keep them in the coordinates they
// were made in. The rectangle list stays small in practice (clip rectangles, excluded strips), so
// the set operations work rectangle by rectangle.
#pragma once

#include <span>
#include <vector>

#include "platform/gdi/core/gdi_types.h"

namespace gdi {

class Region {
 public:
  Region() = default;
  explicit Region(const RECT& r) { add_disjoint(r); }
  // The pixels inside the polygons (each closed) under the fill mode (ALTERNATE: an odd number of
  // edges on either side, WINDING: a non-zero winding number), sampled at pixel centres, so a
  // rectangle's outline gives the rectangle without its right and bottom edges. Rows alike are
  // joined into one rectangle. Empty when the polygons span more than kMaxPolygonRows rows.
  static Region from_polygons(std::span<const std::vector<POINT>> polygons, int fill_mode);
  static constexpr int kMaxPolygonRows = 1 << 18;
  // The pixels whose centres lie inside the ellipse inscribed in `box` (right and bottom edges
  // excluded), so its widest row and column span the box. Rows alike are joined into one
  // rectangle. Empty for an empty box or one of more than kMaxPolygonRows rows.
  static Region from_ellipse(const RECT& box);

  std::span<const RECT> rects() const { return rects_; }
  bool empty() const { return rects_.empty(); }
  // The smallest rectangle holding the region; all zero when empty.
  RECT bounds() const;
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int kind() const;
  bool contains(POINT p) const;
  bool intersects(const RECT& r) const;
  bool operator==(const Region& o) const;

  void intersect(const RECT& r);
  void intersect(const Region& o);
  void subtract(const RECT& r);
  void subtract(const Region& o);
  void unite(const Region& o);
  void exclusive_or(const Region& o);
  void offset(int dx, int dy);
  // The pixels of the region less than `w` pixels from its left or right edge or less than `h`
  // from its top or bottom: the border FrameRgn paints.
  Region frame(int w, int h) const;
  // Applies a RGN_ operation with `o` as the second operand; false for an unknown operation.
  bool combine(const Region& o, int mode);

 private:
  void add_disjoint(const RECT& r);
  std::vector<RECT> rects_;
};

bool rect_empty(const RECT& r);
RECT intersect_rects(const RECT& a, const RECT& b);

}  // namespace gdi
