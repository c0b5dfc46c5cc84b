#include "platform/gdi/core/region.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace gdi {

bool rect_empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT intersect_rects(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  return rect_empty(r) ? RECT{0, 0, 0, 0} : r;
}

namespace {

// Appends the parts of `a` outside `b` (at most four strips) to `out`.
void subtract_rect(const RECT& a, const RECT& b, std::vector<RECT>& out) {
  RECT cut = intersect_rects(a, b);
  if (rect_empty(cut)) {
    out.push_back(a);
    return;
  }
  if (a.top < cut.top) out.push_back({a.left, a.top, a.right, cut.top});
  if (cut.bottom < a.bottom) out.push_back({a.left, cut.bottom, a.right, a.bottom});
  if (a.left < cut.left) out.push_back({a.left, cut.top, cut.left, cut.bottom});
  if (cut.right < a.right) out.push_back({cut.right, cut.top, a.right, cut.bottom});
}

}  // namespace

void Region::add_disjoint(const RECT& r) {
  if (!rect_empty(r)) rects_.push_back(r);
}

RECT Region::bounds() const {
  if (rects_.empty()) return {0, 0, 0, 0};
  RECT b = rects_.front();
  for (const RECT& r : rects_) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

int Region::kind() const {
  if (rects_.empty()) return NULLREGION;
  // Several disjoint rectangles may still cover exactly their bounding box.
  RECT b = bounds();
  long long area = 0;
  for (const RECT& r : rects_) area += (long long)(r.right - r.left) * (r.bottom - r.top);
  return area == (long long)(b.right - b.left) * (b.bottom - b.top) ? SIMPLEREGION : COMPLEXREGION;
}

bool Region::contains(POINT p) const {
  return std::any_of(rects_.begin(), rects_.end(), [&](const RECT& r) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
  });
}

bool Region::intersects(const RECT& r) const {
  return std::any_of(rects_.begin(), rects_.end(),
                     [&](const RECT& own) { return !rect_empty(intersect_rects(own, r)); });
}

bool Region::operator==(const Region& o) const {
  Region a = *this, b = o;
  a.subtract(o);
  b.subtract(*this);
  return a.empty() && b.empty();
}

void Region::intersect(const RECT& r) {
  std::vector<RECT> out;
  for (const RECT& own : rects_) {
    RECT c = intersect_rects(own, r);
    if (!rect_empty(c)) out.push_back(c);
  }
  rects_ = std::move(out);
}

void Region::intersect(const Region& o) {
  std::vector<RECT> out;
  for (const RECT& own : rects_) {
    for (const RECT& other : o.rects_) {
      RECT c = intersect_rects(own, other);
      if (!rect_empty(c)) out.push_back(c);
    }
  }
  rects_ = std::move(out);
}

void Region::subtract(const RECT& r) {
  if (rect_empty(r)) return;
  std::vector<RECT> out;
  for (const RECT& own : rects_) subtract_rect(own, r, out);
  rects_ = std::move(out);
}

void Region::subtract(const Region& o) {
  for (const RECT& r : o.rects_) subtract(r);
}

void Region::unite(const Region& o) {
  Region extra = o;
  extra.subtract(*this);
  rects_.insert(rects_.end(), extra.rects_.begin(), extra.rects_.end());
}

void Region::exclusive_or(const Region& o) {
  Region only_other = o;
  only_other.subtract(*this);
  subtract(o);
  rects_.insert(rects_.end(), only_other.rects_.begin(), only_other.rects_.end());
}

void Region::offset(int dx, int dy) {
  for (RECT& r : rects_) r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

bool Region::combine(const Region& o, int mode) {
  switch (mode) {
    case RGN_AND: intersect(o); return true;
    case RGN_OR: unite(o); return true;
    case RGN_XOR: exclusive_or(o); return true;
    case RGN_DIFF: subtract(o); return true;
    case RGN_COPY: *this = o; return true;
    default: return false;
  }
}

Region Region::frame(int w, int h) const {
  // The interior: the pixels for which the region also holds every pixel up to w to the left and
  // right and up to h above and below. Diagonal neighbours do not count, so a slanted edge gets a
  // frame as thin as a straight one.
  // A frame as wide as the region is all of it; the loops never need to go further.
  RECT box = bounds();
  w = std::min(w, int(box.right - box.left));
  h = std::min(h, int(box.bottom - box.top));
  Region inner = *this;
  for (int d = 1; d <= w; ++d) {
    for (int sign : {-1, 1}) {
      Region moved = *this;
      moved.offset(sign * d, 0);
      inner.intersect(moved);
    }
  }
  for (int d = 1; d <= h; ++d) {
    for (int sign : {-1, 1}) {
      Region moved = *this;
      moved.offset(0, sign * d);
      inner.intersect(moved);
    }
  }
  Region border = *this;
  border.subtract(inner);
  return border;
}

Region Region::from_polygons(std::span<const std::vector<POINT>> polygons, int fill_mode) {
  struct Edge {
    int y_top, y_bottom;  // rows whose centre lies in [y_top + 0.5 .. y_bottom + 0.5)
    double x_top;         // x at the centre of row y_top
    double step;          // x change per row
    int direction;        // +1 going down, -1 going up
  };
  std::vector<Edge> edges;
  long long min_y = 0, max_y = 0;
  bool any = false;
  for (const std::vector<POINT>& poly : polygons) {
    for (size_t i = 0; i < poly.size() && poly.size() >= 3; ++i) {
      POINT a = poly[i], b = poly[(i + 1) % poly.size()];
      if (a.y == b.y) continue;
      int direction = a.y < b.y ? 1 : -1;
      if (a.y > b.y) std::swap(a, b);
      // Rows y with a.y <= y + 0.5 < b.y, that is a.y <= y < b.y for whole coordinates.
      double step = (double(b.x) - double(a.x)) / (double(b.y) - double(a.y));
      edges.push_back({a.y, b.y, a.x + step * 0.5, step, direction});
      min_y = any ? std::min<long long>(min_y, a.y) : a.y;
      max_y = any ? std::max<long long>(max_y, b.y) : b.y;
      any = true;
    }
  }
  Region result;
  if (!any || max_y - min_y > kMaxPolygonRows) return result;
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y_top < b.y_top; });
  std::vector<const Edge*> active;
  std::vector<std::pair<double, int>> crossings;
  std::vector<std::pair<int, int>> spans, open_spans;  // [left, right) of this row, of the open band
  int band_top = int(min_y);
  size_t next = 0;
  auto close_band = [&](int bottom) {
    for (auto [l, r] : open_spans) result.add_disjoint(RECT{l, band_top, r, bottom});
  };
  for (int y = int(min_y); y < int(max_y); ++y) {
    while (next < edges.size() && edges[next].y_top <= y) active.push_back(&edges[next++]);
    std::erase_if(active, [&](const Edge* e) { return e->y_bottom <= y; });
    crossings.clear();
    for (const Edge* e : active) crossings.push_back({e->x_top + e->step * (y - e->y_top), e->direction});
    std::sort(crossings.begin(), crossings.end());
    spans.clear();
    // Pixel x is inside when its centre x + 0.5 lies between an entering and a leaving crossing.
    auto pixel_from = [](double x) { return int(std::clamp(std::ceil(x - 0.5), -1e9, 1e9)); };
    auto add_span = [&](double from, double to) {
      int left = pixel_from(from), right = pixel_from(to);
      if (left >= right) return;
      if (!spans.empty() && spans.back().second >= left) {
        spans.back().second = std::max(spans.back().second, right);
      } else {
        spans.push_back({left, right});
      }
    };
    if (fill_mode == WINDING) {
      int winding = 0;
      double start = 0;
      for (auto [x, direction] : crossings) {
        if (winding == 0) start = x;
        winding += direction;
        if (winding == 0) add_span(start, x);
      }
    } else {
      for (size_t i = 0; i + 1 < crossings.size(); i += 2) add_span(crossings[i].first, crossings[i + 1].first);
    }
    if (spans != open_spans) {
      close_band(y);
      open_spans = spans;
      band_top = y;
    }
  }
  close_band(int(max_y));
  return result;
}

Region Region::from_ellipse(const RECT& box) {
  Region result;
  if (rect_empty(box) || (long long)box.bottom - box.top > kMaxPolygonRows) return result;
  const double cx = (double(box.left) + box.right) / 2, cy = (double(box.top) + box.bottom) / 2;
  const double rx = (double(box.right) - box.left) / 2, ry = (double(box.bottom) - box.top) / 2;
  std::pair<int, int> band{0, 0};  // [left, right) of the open band; empty when left == right
  int band_top = box.top;
  auto close_band = [&](int bottom) {
    if (band.first < band.second) result.add_disjoint(RECT{band.first, band_top, band.second, bottom});
  };
  for (int y = box.top; y < box.bottom; ++y) {
    const double t = (y + 0.5 - cy) / ry;
    const double half = rx * std::sqrt(std::max(0.0, 1 - t * t));
    // Pixel x is inside when its centre x + 0.5 lies within half a row width of the centre.
    const int left = int(std::ceil(cx - half - 0.5));
    const int right = int(std::floor(cx + half - 0.5)) + 1;
    const std::pair<int, int> span = left < right ? std::pair{left, right} : std::pair{0, 0};
    if (span != band) {
      close_band(y);
      band = span;
      band_top = y;
    }
  }
  close_band(box.bottom);
  return result;
}

}  // namespace gdi
