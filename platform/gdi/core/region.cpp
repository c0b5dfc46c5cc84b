#include "platform/gdi/core/region.h"

#include <algorithm>

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

}  // namespace gdi
