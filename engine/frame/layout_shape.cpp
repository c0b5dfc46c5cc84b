#include "engine/frame/layout_shape.h"

#include <algorithm>

#include "platform/gdi/core/mul_div.h"

namespace frame {

namespace {

constexpr int32_t kShapeCoordinateLimit = 1 << 24;

// The x where the segment from `a` to `b` crosses the level `y` (a.y <= y <= b.y, a.y < b.y).
int32_t CrossingX(const ShapePoint& a, const ShapePoint& b, int32_t y) {
  return a.x + MulDiv(b.x - a.x, y - a.y, b.y - a.y);
}

// Walks the outline from `from` to `to` in steps of `step` (+1 or -1, wrapping) into a chain whose
// y never falls; runs of equal y keep the outermost x (`left`: the smallest).
std::vector<ShapePoint> Chain(std::span<const ShapePoint> points, size_t from, size_t to, int step, bool left) {
  const size_t n = points.size();
  std::vector<ShapePoint> chain{points[from]};
  ShapePoint previous = points[from];
  for (size_t i = from; i != to;) {
    i = (i + n + size_t(step)) % n;
    const ShapePoint& q = points[i];
    const ShapePoint last = chain.back();
    if (q.y >= last.y) {
      // Coming back down across the level the chain had reached: resume at the crossing.
      if (previous.y < last.y) chain.push_back({CrossingX(previous, q, last.y), last.y});
      chain.push_back(q);
    }
    previous = q;
  }
  std::vector<ShapePoint> collapsed;
  for (const ShapePoint& p : chain) {
    if (!collapsed.empty() && collapsed.back().y == p.y) {
      collapsed.back().x = left ? std::min(collapsed.back().x, p.x) : std::max(collapsed.back().x, p.x);
    } else {
      collapsed.push_back(p);
    }
  }
  return collapsed;
}

int32_t EdgeAt(std::span<const ShapePoint> chain, int32_t y) {
  if (chain.empty() || y > chain.back().y) return kShapeBelow;
  if (y <= chain.front().y) return chain.front().x;
  auto next = std::lower_bound(chain.begin(), chain.end(), y,
                               [](const ShapePoint& p, int32_t level) { return p.y < level; });
  return CrossingX(*(next - 1), *next, y);
}

}  // namespace

std::optional<LayoutShape> FrBuildLayoutShape(const ShapeOutline& outline) {
  const size_t n = outline.points.size();
  if (n < 3 || n >= 0x8000) return std::nullopt;
  // Far beyond any screen or page; keeps every difference and scaled value inside 32 bits.
  std::vector<ShapePoint> points = outline.points;
  for (ShapePoint& p : points) {
    p.x = std::clamp(p.x, -kShapeCoordinateLimit, kShapeCoordinateLimit);
    p.y = std::clamp(p.y, -kShapeCoordinateLimit, kShapeCoordinateLimit);
  }
  size_t top = 0, bottom = 0;
  for (size_t i = 1; i < n; ++i) {
    const ShapePoint& p = points[i];
    if (p.y < points[top].y || (p.y == points[top].y && p.x < points[top].x)) top = i;
    if (p.y > points[bottom].y || (p.y == points[bottom].y && p.x < points[bottom].x)) bottom = i;
  }
  // The left edge leaves the topmost point towards the neighbour that lies further left for its
  // drop (both neighbours lie at or below it).
  const ShapePoint& t = points[top];
  const ShapePoint& after = points[(top + 1) % n];
  const ShapePoint& before = points[(top + n - 1) % n];
  int64_t ax = int64_t(after.x) - t.x, ay = int64_t(after.y) - t.y;
  int64_t bx = int64_t(before.x) - t.x, by = int64_t(before.y) - t.y;
  int leftStep = ax * by <= bx * ay ? 1 : -1;
  std::vector<ShapePoint> left = Chain(points, top, bottom, leftStep, true);
  std::vector<ShapePoint> right = Chain(points, top, bottom, -leftStep, false);
  LayoutShape shape;
  shape.bounds = outline.bounds;
  shape.count = uint16_t(n);
  shape.rightStart = uint16_t(left.size());
  shape.points = std::move(left);
  shape.points.insert(shape.points.end(), right.begin(), right.end());
  return shape;
}

int32_t FrShapeEdge(const LayoutShape& shape, int side, int32_t y, int32_t height) {
  std::span<const ShapePoint> chain = side == kShapeLeft ? shape.left_edge() : shape.right_edge();
  int32_t first = EdgeAt(chain, y);
  if (height <= 1 || first == kShapeBelow) return first;
  int32_t second = EdgeAt(chain, int32_t(std::min<int64_t>(int64_t(y) + height - 1, INT32_MAX)));
  if (second == kShapeBelow) return kShapeBelow;
  return side == kShapeLeft ? std::max(first, second) : std::min(first, second);
}

LayoutShape FrScaleLayoutShape(const LayoutShape& shape, int dpiX, int dpiY) {
  LayoutShape scaled = shape;
  auto sx = [dpiX](int32_t v) { return MulDiv(v, dpiX, 96); };
  auto sy = [dpiY](int32_t v) { return MulDiv(v, dpiY, 96); };
  scaled.bounds = {sx(shape.bounds.left), sy(shape.bounds.top), sx(shape.bounds.right), sy(shape.bounds.bottom)};
  for (ShapePoint& p : scaled.points) p = {sx(p.x), sy(p.y)};
  return scaled;
}

}  // namespace frame

