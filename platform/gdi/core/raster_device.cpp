#include "platform/gdi/core/raster_device.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/gdi/core/mapping.h"
#include "platform/gdi/core/recording_device.h"

namespace gdi {

namespace {

constexpr uint32_t kRgb = 0x00FFFFFF;

bool hatch_on(int hatch, int x, int y) {
  x &= 7, y &= 7;
  bool h = y == 7, v = x == 7, f = ((x - y) & 7) == 0, b = ((x + y) & 7) == 7;
  switch (hatch) {
    case HS_HORIZONTAL: return h;
    case HS_VERTICAL: return v;
    case HS_FDIAGONAL: return f;
    case HS_BDIAGONAL: return b;
    case HS_CROSS: return h || v;
    default: return f || b;
  }
}

// Dash patterns of the styled pens in pixels, on and off alternately.
std::span<const int> dash_pattern(UINT style) {
  static const int dash[] = {18, 6}, dot[] = {3, 3}, dash_dot[] = {9, 6, 3, 6},
                   dash_dot_dot[] = {9, 3, 3, 3, 3, 3};
  switch (style) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dash_dot;
    case PS_DASHDOTDOT: return dash_dot_dot;
    default: return {};
  }
}

// Coverage of a shape over a bounding box: 0 nothing, 1 pen or brush, 2 the gap of a styled line.
struct Mask {
  RECT box{};
  std::vector<uint8_t> cells;
  explicit Mask(const RECT& b) : box(b) {
    if (!rect_empty(b)) cells.assign(size_t(b.right - b.left) * size_t(b.bottom - b.top), 0);
  }
  void mark(int x, int y, uint8_t v) {
    if (x < box.left || x >= box.right || y < box.top || y >= box.bottom) return;
    uint8_t& c = cells[size_t(y - box.top) * size_t(box.right - box.left) + size_t(x - box.left)];
    if (v == 1 || c == 0) c = v;  // pen pixels win over gap pixels
  }
  uint8_t at(int x, int y) const {
    return cells[size_t(y - box.top) * size_t(box.right - box.left) + size_t(x - box.left)];
  }
};

// Marks the pixels whose centres lie inside a convex quadrilateral, row by row within the mask.
struct Corner {
  double x, y;
};

void fill_convex(Mask& mask, const Corner (&corners)[4]) {
  double top = corners[0].y, bottom = top;
  for (const Corner& c : corners) top = std::min(top, c.y), bottom = std::max(bottom, c.y);
  int y0 = std::max(mask.box.top, int(std::ceil(top - 0.5)));
  int y1 = std::min(mask.box.bottom, int(std::ceil(bottom - 0.5)));
  for (int y = y0; y < y1; ++y) {
    double cy = y + 0.5, lo = 1e300, hi = -1e300;
    for (size_t i = 0; i < 4; ++i) {
      auto [xa, ya] = corners[i];
      auto [xb, yb] = corners[(i + 1) % 4];
      if ((cy < std::min(ya, yb)) || (cy > std::max(ya, yb)) || ya == yb) continue;
      double x = xa + (cy - ya) * (xb - xa) / (yb - ya);
      lo = std::min(lo, x), hi = std::max(hi, x);
    }
    if (lo > hi) continue;
    int xa = std::max(mask.box.left, int(std::max(-1e9, std::ceil(lo - 0.5))));
    int xb = std::min(mask.box.right, int(std::min(1e9, std::ceil(hi - 0.5))));
    for (int x = xa; x < xb; ++x) mask.mark(x, y, 1);
  }
}

// Clips the segment to `box` (Liang-Barsky); false when nothing of it is inside.
bool clip_segment(double& x0, double& y0, double& x1, double& y1, const RECT& box) {
  double t0 = 0, t1 = 1, dx = x1 - x0, dy = y1 - y0;
  auto edge = [&](double p, double q) {
    if (p == 0) return q >= 0;
    double t = q / p;
    if (p < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
    return true;
  };
  if (!edge(-dx, x0 - box.left) || !edge(dx, box.right - 1 - x0) || !edge(-dy, y0 - box.top) ||
      !edge(dy, box.bottom - 1 - y0))
    return false;
  double nx0 = x0 + t0 * dx, ny0 = y0 + t0 * dy, nx1 = x0 + t1 * dx, ny1 = y0 + t1 * dy;
  x0 = nx0, y0 = ny0, x1 = nx1, y1 = ny1;
  return true;
}

}  // namespace

uint32_t apply_rop3(unsigned code, uint32_t p, uint32_t s, uint32_t d) {
  switch (code) {
    case 0xCC: return s | kOpaque;
    case 0xF0: return p | kOpaque;
    case 0x55: return ~d | kOpaque;
    case 0x5A: return (p ^ d) | kOpaque;
    case 0x66: return (s ^ d) | kOpaque;
    case 0x88: return (s & d) | kOpaque;
    case 0xEE: return (s | d) | kOpaque;
    case 0x00: return kOpaque;
    case 0xFF: return kWhitePixel;
    default: break;
  }
  uint32_t result = 0;
  for (unsigned i = 0; i < 8; ++i) {
    if (!((code >> i) & 1)) continue;
    uint32_t term = ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    result |= term;
  }
  return (result & kRgb) | kOpaque;
}

bool brush_pixel(const BrushSpec& brush, const DrawState& s, int x, int y, uint32_t& out) {
  switch (brush.style) {
    case BS_SOLID: out = pixel_of(brush.color); return true;
    case BS_HATCHED:
      if (hatch_on(brush.hatch, x - s.brush_origin.x, y - s.brush_origin.y)) {
        out = pixel_of(brush.color);
        return true;
      }
      if (s.bk_mode != OPAQUE) return false;
      out = pixel_of(s.bk_color);
      return true;
    case BS_PATTERN: {
      if (!brush.pattern) return false;
      const Bitmap& p = *brush.pattern;
      int px = (x - s.brush_origin.x) % p.width(), py = (y - s.brush_origin.y) % p.height();
      if (px < 0) px += p.width();
      if (py < 0) py += p.height();
      uint32_t v = p.at(px, py);
      // A monochrome pattern takes the context's colours: black the text colour, white the
      // background colour.
      if (p.monochrome()) v = pixel_of(v == kBlackPixel ? s.text_color : s.bk_color);
      out = v;
      return true;
    }
    default: return false;
  }
}

RasterDevice::RasterDevice(PixelBuffer target, int dpi) : target_(target), dpi_(dpi), memory_(false) {}
RasterDevice::RasterDevice(int dpi) : dpi_(dpi), memory_(true) {}

int RasterDevice::caps(int index) const {
  switch (index) {
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZRES: return target_.width;
    case VERTRES: return target_.height;
    case HORZSIZE: return target_.width * 254 / (dpi_ * 10);
    case VERTSIZE: return target_.height * 254 / (dpi_ * 10);
    case LOGPIXELSX:
    case LOGPIXELSY: return dpi_;
    case BITSPIXEL: return target_.monochrome ? 1 : kColourDepth;
    case PLANES: return 1;
    case NUMCOLORS: return target_.monochrome ? 2 : -1;
    case SIZEPALETTE: return 0;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    default: return 0;
  }
}

std::unique_ptr<Device> RasterDevice::create_compatible() const {
  return std::make_unique<RasterDevice>(dpi_);
}

bool RasterDevice::select_bitmap(std::shared_ptr<Bitmap> bitmap) {
  if (!memory_ || !bitmap) return false;
  bitmap_ = std::move(bitmap);
  target_ = bitmap_->buffer();
  return true;
}

std::shared_ptr<const FontMetrics> RasterDevice::realize_font(const LOGFONT& lf) {
  return std::make_shared<const FontMetrics>(fixed_font_metrics(lf));
}

Region RasterDevice::visible(const RECT& r, const DrawState& s) const {
  Region out(intersect_rects(normalized(r), target_.bounds()));
  if (s.clip) out.intersect(*s.clip);
  return out;
}

void RasterDevice::store(uint32_t& d, uint32_t value) const {
  d = target_.monochrome ? mono_pixel_of(colour_of(value)) : (value | kOpaque);
}

void RasterDevice::fill(const RECT& r, DWORD rop3, const DrawState& s) {
  unsigned code = (rop3 >> 16) & 0xFF;
  bool needs_pattern = ((code >> 4) ^ code) & 0x0F;
  bool solid_copy = code == 0xF0 && s.brush.style == BS_SOLID;
  uint32_t solid = solid_copy ? pixel_of(s.brush.color) : 0;
  if (solid_copy && target_.monochrome) solid = mono_pixel_of(s.brush.color);
  Region area = visible(r, s);
  for (const RECT& part : area.rects()) {
    for (int y = part.top; y < part.bottom; ++y) {
      uint32_t* row = target_.row(y);
      if (solid_copy) {
        std::fill(row + part.left, row + part.right, solid);
        continue;
      }
      for (int x = part.left; x < part.right; ++x) {
        uint32_t p = 0;
        if (needs_pattern && !brush_pixel(s.brush, s, x, y, p)) continue;
        store(row[x], apply_rop3(code, p, 0, row[x]));
      }
    }
  }
}

namespace {

// Composes a coverage mask onto the target: pen cells in `colour`, gap cells in the background
// colour, both with the binary raster operation.
template <class Store>
void compose(const Mask& mask, const Region& area, int rop2, uint32_t colour, uint32_t gap,
             const PixelBuffer& target, Store store) {
  unsigned code = (rop3_of_rop2(rop2) >> 16) & 0xFF;
  for (const RECT& part : area.rects()) {
    for (int y = part.top; y < part.bottom; ++y) {
      uint32_t* row = target.row(y);
      for (int x = part.left; x < part.right; ++x) {
        uint8_t c = mask.at(x, y);
        if (c) store(row[x], apply_rop3(code, c == 1 ? colour : gap, 0, row[x]));
      }
    }
  }
}

}  // namespace

void RasterDevice::polyline(std::span<const POINT> points, const DrawState& s) {
  if (points.size() < 2 || s.pen.style == PS_NULL) return;
  int w = std::max(1, s.pen.width);
  int grow = w / 2 + 1;
  // Segments are clipped to the target with room for the pen's width; the mask covers only the
  // part of the target the points span.
  RECT box{-grow, -grow, target_.width + grow, target_.height + grow};
  RECT span{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (const POINT& p : points) {
    span.left = std::min(span.left, p.x - grow), span.right = std::max(span.right, p.x + grow + 1);
    span.top = std::min(span.top, p.y - grow), span.bottom = std::max(span.bottom, p.y + grow + 1);
  }
  Mask mask(intersect_rects(span, target_.bounds()));
  if (mask.cells.empty()) return;
  std::span<const int> dashes = w == 1 ? dash_pattern(s.pen.style) : std::span<const int>();
  int period = 0;
  for (int d : dashes) period += d;
  long long step = 0;  // position along the line for the dash pattern
  auto plot = [&](int x, int y) {
    uint8_t value = 1;
    if (period) {
      int phase = int(step % period), acc = 0;
      for (size_t i = 0; i < dashes.size(); ++i) {
        acc += dashes[i];
        if (phase < acc) {
          value = (i & 1) ? 2 : 1;
          break;
        }
      }
      if (value == 2 && s.bk_mode != OPAQUE) value = 0;
    }
    ++step;
    if (!value) return;
    mask.mark(x, y, value);
  };
  if (w > 1) {
    // A wide pen covers, along each segment, a band of its width with square ends.
    double half = w / 2.0;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
      double ax = points[i].x + 0.5, ay = points[i].y + 0.5;
      double bx = points[i + 1].x + 0.5, by = points[i + 1].y + 0.5;
      double len = std::hypot(bx - ax, by - ay);
      double nx = len > 0 ? -(by - ay) / len * half : 0, ny = len > 0 ? (bx - ax) / len * half : 0;
      Corner band[4] = {{ax + nx, ay + ny}, {bx + nx, by + ny}, {bx - nx, by - ny}, {ax - nx, ay - ny}};
      fill_convex(mask, band);
      for (POINT p : {points[i], points[i + 1]}) {
        double cx = p.x + 0.5, cy = p.y + 0.5;
        Corner end[4] = {{cx - half, cy - half}, {cx + half, cy - half}, {cx + half, cy + half}, {cx - half, cy + half}};
        fill_convex(mask, end);
      }
    }
    compose(mask, visible(mask.box, s), s.rop2, pixel_of(s.pen.color), pixel_of(s.bk_color), target_,
            [this](uint32_t& d, uint32_t v) { store(d, v); });
    return;
  }
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    double x0 = points[i].x, y0 = points[i].y, x1 = points[i + 1].x, y1 = points[i + 1].y;
    long long length = std::max(std::llabs((long long)(x1 - x0)), std::llabs((long long)(y1 - y0)));
    if (!clip_segment(x0, y0, x1, y1, box)) {
      step += length;
      continue;
    }
    // Bresenham from the (clipped) start; the end point belongs to the next segment, and the
    // polyline's own last point is not drawn.
    int ax = int(std::lround(x0)), ay = int(std::lround(y0));
    int bx = int(std::lround(x1)), by = int(std::lround(y1));
    bool end_clipped = bx != points[i + 1].x || by != points[i + 1].y;
    int dx = std::abs(bx - ax), dy = -std::abs(by - ay);
    int sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1, err = dx + dy;
    while (true) {
      bool at_end = ax == bx && ay == by;
      if (at_end && !end_clipped) break;
      plot(ax, ay);
      if (at_end) break;
      int e2 = 2 * err;
      if (e2 >= dy) err += dy, ax += sx;
      if (e2 <= dx) err += dx, ay += sy;
    }
  }
  compose(mask, visible(mask.box, s), s.rop2, pixel_of(s.pen.color), pixel_of(s.bk_color), target_,
          [this](uint32_t& d, uint32_t v) { store(d, v); });
}

void RasterDevice::polygons(std::span<const std::vector<POINT>> polys, const DrawState& s) {
  if (s.brush.style != BS_NULL) {
    struct Edge {
      double x0, y0, x1, y1;
      int dir;
    };
    std::vector<Edge> edges;
    RECT bounds{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const auto& poly : polys) {
      for (size_t i = 0; i < poly.size(); ++i) {
        const POINT& a = poly[i];
        const POINT& b = poly[(i + 1) % poly.size()];
        bounds.left = std::min(bounds.left, a.x), bounds.right = std::max(bounds.right, a.x);
        bounds.top = std::min(bounds.top, a.y), bounds.bottom = std::max(bounds.bottom, a.y);
        if (a.y == b.y) continue;
        edges.push_back({double(a.x), double(a.y), double(b.x), double(b.y), a.y < b.y ? 1 : -1});
      }
    }
    Region area = visible(bounds, s);
    RECT box = area.bounds();
    unsigned code = (rop3_of_rop2(s.rop2) >> 16) & 0xFF;
    std::vector<std::pair<double, int>> crossings;
    for (int y = box.top; y < box.bottom; ++y) {
      double cy = y + 0.5;
      crossings.clear();
      for (const Edge& e : edges) {
        double lo = std::min(e.y0, e.y1), hi = std::max(e.y0, e.y1);
        if (cy < lo || cy >= hi) continue;
        crossings.push_back({e.x0 + (cy - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.dir});
      }
      std::sort(crossings.begin(), crossings.end());
      int winding = 0;
      for (size_t i = 0; i + 1 < crossings.size(); ++i) {
        winding += crossings[i].second;
        bool inside = s.poly_fill_mode == WINDING ? winding != 0 : (i % 2) == 0;
        if (!inside) continue;
        // Pixels whose centres lie in [xa, xb).
        int xa = int(std::ceil(crossings[i].first - 0.5));
        int xb = int(std::ceil(crossings[i + 1].first - 0.5));
        for (const RECT& part : area.rects()) {
          if (y < part.top || y >= part.bottom) continue;
          uint32_t* row = target_.row(y);
          for (int x = std::max(xa, part.left); x < std::min(xb, part.right); ++x) {
            uint32_t p;
            if (brush_pixel(s.brush, s, x, y, p)) store(row[x], apply_rop3(code, p, 0, row[x]));
          }
        }
      }
    }
  }
  for (const auto& poly : polys) {
    if (poly.size() < 2) continue;
    std::vector<POINT> closed(poly);
    closed.push_back(poly.front());
    polyline(closed, s);
  }
}

void RasterDevice::glyphs(POINT origin, std::string_view text, std::span<const int> advances,
                          const FontMetrics& font, const DrawState& s, const RECT* clip) {
  DrawState box_state = s;
  box_state.brush = solid_brush(s.text_color);
  Region limit = clip ? Region(*clip) : Region(target_.bounds());
  if (s.clip) limit.intersect(*s.clip);
  box_state.clip = &limit;
  TextTurn turn(font.font.lfEscapement);
  if (turn.turned()) {
    box_state.pen.style = PS_NULL;
    box_state.rop2 = R2_COPYPEN;
  }
  int x = 0;
  for (size_t i = 0; i < text.size() && i < advances.size(); ++i) {
    int right = x + std::max(1, advances[i] - 1), bottom = font.tm.tmAscent;
    if ((unsigned char)text[i] > ' ') {
      if (turn.turned()) {
        std::vector<std::vector<POINT>> box{{turn.at(origin, x, 0), turn.at(origin, right, 0),
                                             turn.at(origin, right, bottom), turn.at(origin, x, bottom)}};
        polygons(box, box_state);
      } else {
        fill({origin.x + x, origin.y, origin.x + right, origin.y + bottom}, PATCOPY, box_state);
      }
    }
    x += advances[i];
  }
}

void RasterDevice::transfer(const RECT& dst, const PixelBuffer* src, const RECT& src_rect,
                            DWORD rop3, const DrawState& s) {
  unsigned code = (rop3 >> 16) & 0xFF;
  RECT d = normalized(dst), sr = normalized(src_rect);
  int dw = d.right - d.left, dh = d.bottom - d.top, sw = sr.right - sr.left, sh = sr.bottom - sr.top;
  if (!src || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  // The source part is copied first, so a transfer within one surface (scrolling) reads pixels
  // before they are overwritten.
  RECT readable = intersect_rects(sr, src->bounds());
  if (rect_empty(readable)) return;
  const bool whole_source = readable.left == sr.left && readable.top == sr.top && readable.right == sr.right &&
                            readable.bottom == sr.bottom;
  if (code == 0xCC && dw == sw && dh == sh && !src->monochrome && !target_.monochrome && whole_source) {
    // A plain copy between colour surfaces at the same size (scrolling, painting from memory):
    // whole rows, the source taken first.
    std::vector<uint32_t> rows(size_t(sw) * size_t(sh));
    for (int y = 0; y < sh; ++y) std::memcpy(&rows[size_t(y) * size_t(sw)], src->row(sr.top + y) + sr.left, size_t(sw) * 4);
    const Region area = visible(d, s);
    for (const RECT& part : area.rects()) {
      for (int y = part.top; y < part.bottom; ++y) {
        const uint32_t* from = &rows[size_t(y - d.top) * size_t(sw) + size_t(part.left - d.left)];
        uint32_t* to = target_.row(y) + part.left;
        for (int x = 0; x < part.right - part.left; ++x) to[x] = from[x] | kOpaque;
      }
    }
    return;
  }
  // Only the part of the source the surface holds is copied: a source rectangle may be declared far
  // larger than its bitmap, and the pixels outside it leave the destination as it is.
  const int rw = readable.right - readable.left, rh = readable.bottom - readable.top;
  std::vector<uint32_t> copy(size_t(rw) * size_t(rh));
  for (int y = 0; y < rh; ++y)
    std::memcpy(&copy[size_t(y) * size_t(rw)], src->row(readable.top + y) + readable.left, size_t(rw) * 4);
  bool needs_pattern = ((code >> 4) ^ code) & 0x0F;
  uint32_t bk = pixel_of(s.bk_color), fg = pixel_of(s.text_color);
  bool by_lightness = s.source_bk_color == CLR_INVALID;
  uint32_t source_bk = by_lightness ? 0 : pixel_of(s.source_bk_color);
  Region area = visible(d, s);
  for (const RECT& part : area.rects()) {
    for (int y = part.top; y < part.bottom; ++y) {
      int sy = sr.top + int((int64_t(y - d.top) * sh) / dh);
      if (sy < readable.top || sy >= readable.bottom) continue;
      uint32_t* row = target_.row(y);
      for (int x = part.left; x < part.right; ++x) {
        int sx = sr.left + int((int64_t(x - d.left) * sw) / dw);
        if (sx < readable.left || sx >= readable.right) continue;
        uint32_t v = copy[size_t(sy - readable.top) * size_t(rw) + size_t(sx - readable.left)];
        if (src->monochrome && !target_.monochrome) {
          v = v == kBlackPixel ? fg : bk;
        } else if (!src->monochrome && target_.monochrome) {
          bool white = by_lightness ? is_light(colour_of(v)) : (v & kRgb) == (source_bk & kRgb);
          v = white ? kWhitePixel : kBlackPixel;
        }
        uint32_t p = 0;
        if (needs_pattern && !brush_pixel(s.brush, s, x, y, p)) continue;
        store(row[x], apply_rop3(code, p, v, row[x]));
      }
    }
  }
}

void RasterDevice::set_pixel(POINT p, COLORREF c, const DrawState&) {
  if (p.x < 0 || p.y < 0 || p.x >= target_.width || p.y >= target_.height) return;
  store(target_.row(p.y)[p.x], pixel_of(c));
}

bool RasterDevice::flood_fill(POINT p, COLORREF colour, UINT type, const DrawState& s) {
  const int width = target_.width, height = target_.height;
  if (p.x < 0 || p.y < 0 || p.x >= width || p.y >= height) return false;
  uint32_t key = (target_.monochrome ? mono_pixel_of(colour) : pixel_of(colour)) & 0x00FFFFFFu;
  std::vector<bool> taken(size_t(width) * size_t(height));
  auto open = [&](int x, int y) {
    if (taken[size_t(y) * size_t(width) + size_t(x)]) return false;
    if (s.clip && !s.clip->contains(POINT{x, y})) return false;
    bool same = (target_.row(y)[x] & 0x00FFFFFFu) == key;
    return type == FLOODFILLSURFACE ? same : !same;
  };
  if (!open(p.x, p.y)) return false;
  // Scan-line fill: each span found is widened to its ends, then the rows above and below are
  // searched for open pixels along it. The spans are painted once the area is known, so the
  // brush's own colour cannot make the fill spread or stop.
  std::vector<RECT> spans;
  std::vector<POINT> seeds{p};
  while (!seeds.empty()) {
    POINT seed = seeds.back();
    seeds.pop_back();
    if (!open(seed.x, seed.y)) continue;
    int left = seed.x, right = seed.x;
    while (left > 0 && open(left - 1, seed.y)) --left;
    while (right + 1 < width && open(right + 1, seed.y)) ++right;
    for (int x = left; x <= right; ++x) taken[size_t(seed.y) * size_t(width) + size_t(x)] = true;
    spans.push_back(RECT{left, seed.y, right + 1, seed.y + 1});
    for (int y : {seed.y - 1, seed.y + 1}) {
      if (y < 0 || y >= height) continue;
      for (int x = left; x <= right; ++x) {
        if (!open(x, y)) continue;
        seeds.push_back(POINT{x, y});
        while (x + 1 <= right && open(x + 1, y)) ++x;
      }
    }
  }
  for (const RECT& span : spans) fill(span, PATCOPY, s);
  return true;
}

COLORREF RasterDevice::get_pixel(POINT p) {
  if (p.x < 0 || p.y < 0 || p.x >= target_.width || p.y >= target_.height) return CLR_INVALID;
  return colour_of(target_.row(p.y)[p.x]);
}

}  // namespace gdi
