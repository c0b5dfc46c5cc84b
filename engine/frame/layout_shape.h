// Layout shapes: a polygon that the text of a view must stay inside. The caller gives the polygon's
// points in order around it (client pixels); the stored form keeps its left and right edges as two
// chains that both run from the topmost point down to the bottommost point with y never falling,
// so the edge at any line is found by walking one chain.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/medview/viewer.h"

namespace frame {

struct ShapePoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const ShapePoint&) const = default;
};

// A shape as the caller gives it: its bounding rectangle and its points in order around it.
struct ShapeOutline {
  RECT bounds{};
  std::vector<ShapePoint> points;
};

// The stored form: `points` holds the left edge, then from `rightStart` on the right edge.
struct LayoutShape {
  RECT bounds{};
  uint16_t count = 0;  // points the caller gave
  uint16_t rightStart = 0;
  std::vector<ShapePoint> points;

  std::span<const ShapePoint> left_edge() const { return std::span(points).first(rightStart); }
  std::span<const ShapePoint> right_edge() const { return std::span(points).subspan(rightStart); }
};

inline constexpr int kShapeLeft = 0;
inline constexpr int kShapeRight = 1;
// Answers of FrShapeEdge besides an x.
inline constexpr int32_t kShapeBelow = -1;   // the line reaches below the edge
inline constexpr int32_t kShapeNone = -2;    // the viewer has no shape

// Builds the stored form; nothing for fewer than 3 points or 0x8000 and more. Coordinates are held
// within +-2^24. A chain that would
// go up again (a notch in the outline) is cut back to its lowest point so far and resumes where the
// outline comes down across that level again; points of equal y in a row keep the outermost x.
std::optional<LayoutShape> FrBuildLayoutShape(const ShapeOutline& outline);

// The x of one edge over a line from y to y + height - 1: for the left edge the larger, for the
// right edge the smaller of the two ends (a height of 1 or less: at y alone). A line above the
// shape takes the edge's top. kShapeBelow when the line reaches below the edge.
int32_t FrShapeEdge(const LayoutShape& shape, int side, int32_t y, int32_t height);

// The shape with x scaled by dpiX / 96 and y by dpiY / 96 (a printer's resolution).
LayoutShape FrScaleLayoutShape(const LayoutShape& shape, int dpiX, int dpiY);

}  // namespace frame

