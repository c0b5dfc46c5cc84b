#include "platform/gdi/core/device.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/gdi/core/mapping.h"

namespace gdi {

TextTurn::TextTurn(LONG escapement) : tenths(int(((escapement % 3600) + 3600) % 3600)) {
  // Quarter turns are exact, so upright and vertical text never picks up rounding.
  static constexpr double kQuarter[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  if (tenths % 900 == 0) {
    cos = kQuarter[tenths / 900][0];
    sin = kQuarter[tenths / 900][1];
  } else {
    double radians = tenths * std::numbers::pi / 1800.0;
    cos = std::cos(radians);
    sin = std::sin(radians);
  }
}

POINT TextTurn::at(POINT about, double along, double down) const {
  // Along the baseline is (cos, -sin) on a device whose y grows downwards; down from it is
  // (sin, cos).
  return POINT{about.x + LONG(std::lround(along * cos + down * sin)), about.y + LONG(std::lround(-along * sin + down * cos))};
}

DWORD rop3_of_rop2(int rop2) {
  unsigned table = unsigned(std::clamp(rop2, R2_BLACK, R2_WHITE) - 1);  // bit index pen * 2 + dst
  unsigned code = 0;
  for (unsigned i = 0; i < 8; ++i) {
    unsigned pen = i >> 2, dst = i & 1;
    if ((table >> (pen * 2 + dst)) & 1) code |= 1u << i;
  }
  return DWORD(code) << 16;
}

BrushSpec solid_brush(COLORREF color) {
  BrushSpec wanted;
  wanted.color = color;
  return wanted;
}

void set_font_traits(TEXTMETRIC& tm, const LOGFONT& lf, int dpi, bool fixed_pitch) {
  tm.tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
  tm.tmOverhang = 0;
  tm.tmDigitizedAspectX = dpi;
  tm.tmDigitizedAspectY = dpi;
  tm.tmFirstChar = 0x20;
  tm.tmLastChar = 0xFF;
  tm.tmDefaultChar = '?';
  tm.tmBreakChar = ' ';
  tm.tmItalic = lf.lfItalic;
  tm.tmUnderlined = lf.lfUnderline;
  tm.tmStruckOut = lf.lfStrikeOut;
  tm.tmCharSet = lf.lfCharSet;
  tm.tmPitchAndFamily = BYTE((lf.lfPitchAndFamily & 0xF0) | TMPF_TRUETYPE | (fixed_pitch ? 0 : TMPF_FIXED_PITCH));
}

bool Device::find_face(const char* face, LOGFONT& out) {
  // Without a font system every named face is taken to exist as a proportional sans face.
  if (!face || !*face) return false;
  out = LOGFONT{};
  std::strncpy(out.lfFaceName, face, LF_FACESIZE - 1);
  out.lfWeight = FW_NORMAL;
  out.lfCharSet = EASTEUROPE_CHARSET;
  out.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  return true;
}

void Device::rectangle(const RECT& r, const DrawState& s) {
  RECT n = normalized(r);
  bool null_pen = (s.pen.style & PS_STYLE_MASK) == PS_NULL;
  if (s.brush.style != BS_NULL) {
    // The interior stops where the outline begins, so an exclusive-or rectangle is not inverted
    // twice along its edges.
    int inset = null_pen ? 0 : std::max(1, s.pen.width) - std::max(1, s.pen.width) / 2;
    RECT inner{n.left + inset, n.top + inset, n.right - std::max(1, inset),
               n.bottom - std::max(1, inset)};
    if (!rect_empty(inner)) fill(inner, rop3_of_rop2(s.rop2), s);
  }
  if (!null_pen && !rect_empty(n)) {
    POINT outline[] = {{n.left, n.top},
                       {n.right - 1, n.top},
                       {n.right - 1, n.bottom - 1},
                       {n.left, n.bottom - 1},
                       {n.left, n.top}};
    polyline(outline, s);
  }
}

void Device::ellipse(const RECT& r, const DrawState& s) {
  std::vector<POINT> outline = ellipse_points(normalized(r));
  if (outline.empty()) return;
  polygons(std::span<const std::vector<POINT>>(&outline, 1), s);
}

void Device::arc(const RECT& r, POINT start, POINT end, const DrawState& s) {
  std::vector<POINT> points = arc_points(normalized(r), start, end);
  if (points.size() >= 2) polyline(points, s);
}

namespace {

struct EllipseShape {
  double cx, cy, rx, ry;
  int steps;
};

EllipseShape shape_of(const RECT& r) {
  EllipseShape e{(r.left + r.right - 1) / 2.0, (r.top + r.bottom - 1) / 2.0,
                 (r.right - r.left - 1) / 2.0, (r.bottom - r.top - 1) / 2.0, 0};
  double perimeter = std::numbers::pi * (e.rx + e.ry);
  e.steps = int(std::clamp(perimeter / 2, 16.0, 1024.0));
  return e;
}

POINT point_at(const EllipseShape& e, double angle) {
  // Angles grow counter-clockwise on screen, where y grows downwards.
  return {int(std::lround(e.cx + e.rx * std::cos(angle))),
          int(std::lround(e.cy - e.ry * std::sin(angle)))};
}

}  // namespace

std::vector<POINT> ellipse_points(const RECT& r) {
  if (rect_empty(r)) return {};
  EllipseShape e = shape_of(r);
  std::vector<POINT> points;
  points.reserve(size_t(e.steps));
  for (int i = 0; i < e.steps; ++i) points.push_back(point_at(e, -2 * std::numbers::pi * i / e.steps));
  return points;
}

std::vector<POINT> arc_points(const RECT& r, POINT start, POINT end) {
  if (rect_empty(r)) return {};
  EllipseShape e = shape_of(r);
  double a0 = std::atan2(-(start.y - e.cy), start.x - e.cx);
  double a1 = std::atan2(-(end.y - e.cy), end.x - e.cx);
  if (a1 <= a0) a1 += 2 * std::numbers::pi;
  int steps = std::max(2, int(e.steps * (a1 - a0) / (2 * std::numbers::pi)) + 1);
  std::vector<POINT> points;
  points.reserve(size_t(steps) + 1);
  for (int i = 0; i <= steps; ++i) points.push_back(point_at(e, a0 + (a1 - a0) * i / steps));
  return points;
}

}  // namespace gdi
