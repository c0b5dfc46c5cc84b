#include "platform/gdi/core/draw_api.h"

#include <array>
#include <vector>

#include "platform/gdi/core/device_context.h"

using gdi::context_of;
using gdi::DeviceContext;
using gdi::DrawState;

namespace {

std::vector<POINT> to_device(DeviceContext& dc, const POINT* points, int count) {
  std::vector<POINT> out;
  out.reserve(size_t(count));
  for (int i = 0; i < count; ++i) out.push_back(dc.to_device(points[i]));
  return out;
}

// Fills a logical rectangle with a brush and a ternary operation.
bool fill_with(DeviceContext& dc, const RECT& logical, const gdi::BrushSpec& brush, DWORD rop) {
  RECT r = dc.to_device(logical);
  if (gdi::rect_empty(r)) return true;
  DrawState s = dc.draw_state();
  s.brush = brush;
  dc.device().fill(r, rop, s);
  return true;
}

// The four one-pixel strips along the inside of a device rectangle.
std::array<RECT, 4> frame_edges(const RECT& r) {
  return {RECT{r.left, r.top, r.right, r.top + 1}, RECT{r.left, r.bottom - 1, r.right, r.bottom},
          RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1},
          RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}};
}

void fill_frame(DeviceContext& dc, const RECT& device_rect, const DrawState& s, DWORD rop) {
  if (gdi::rect_empty(device_rect)) return;
  for (const RECT& e : frame_edges(device_rect))
    if (!gdi::rect_empty(e)) dc.device().fill(e, rop, s);
}

}  // namespace

BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return FALSE;
  if (previous) *previous = dc->state().position;
  dc->state().position = {x, y};
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return FALSE;
  POINT line[] = {dc->to_device(dc->state().position), dc->to_device(POINT{x, y})};
  dc->device().polyline(line, dc->draw_state());
  dc->state().position = {x, y};
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, POINT* position) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || !position) return FALSE;
  *position = dc->state().position;
  return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || !points || count < 2) return FALSE;
  dc->device().polyline(to_device(*dc, points, count), dc->draw_state());
  return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* points, int count) {
  return PolyPolygon(hdc, points, &count, 1);
}

BOOL PolyPolygon(HDC hdc, const POINT* points, const int* counts, int polygons) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || !points || !counts || polygons <= 0) return FALSE;
  std::vector<std::vector<POINT>> polys;
  for (int i = 0; i < polygons; ++i) {
    if (counts[i] < 2) return FALSE;
    polys.push_back(to_device(*dc, points, counts[i]));
    points += counts[i];
  }
  dc->device().polygons(polys, dc->draw_state());
  return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return FALSE;
  dc->device().rectangle(dc->to_device(RECT{left, top, right, bottom}), dc->draw_state());
  return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return FALSE;
  dc->device().ellipse(dc->to_device(RECT{left, top, right, bottom}), dc->draw_state());
  return TRUE;
}

BOOL Arc(HDC hdc, int left, int top, int right, int bottom, int x_start, int y_start, int x_end,
         int y_end) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return FALSE;
  dc->device().arc(dc->to_device(RECT{left, top, right, bottom}),
                   dc->to_device(POINT{x_start, y_start}), dc->to_device(POINT{x_end, y_end}),
                   dc->draw_state());
  return TRUE;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  DeviceContext* dc = context_of(hdc);
  auto wanted = gdi::brush_spec_of(brush);
  if (!dc || !rect || !wanted) return FALSE;
  return fill_with(*dc, *rect, *wanted, PATCOPY);
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  DeviceContext* dc = context_of(hdc);
  auto wanted = gdi::brush_spec_of(brush);
  if (!dc || !rect || !wanted) return FALSE;
  DrawState s = dc->draw_state();
  s.brush = *wanted;
  fill_frame(*dc, dc->to_device(*rect), s, PATCOPY);
  return TRUE;
}

BOOL InvertRect(HDC hdc, const RECT* rect) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || !rect) return FALSE;
  return fill_with(*dc, *rect, dc->draw_state().brush, DSTINVERT);
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return FALSE;
  return fill_with(*dc, RECT{x, y, x + width, y + height}, dc->draw_state().brush, rop);
}

namespace {

// Fills each rectangle of a region given in logical coordinates.
BOOL fill_region(HDC hdc, HRGN rgn, const gdi::BrushSpec* brush, DWORD rop) {
  DeviceContext* dc = context_of(hdc);
  auto* r = gdi::object_as<gdi::RegionObject>(rgn);
  if (!dc || !r) return FALSE;
  gdi::BrushSpec wanted = brush ? *brush : dc->draw_state().brush;
  for (const RECT& part : r->region.rects()) fill_with(*dc, part, wanted, rop);
  return TRUE;
}

}  // namespace

BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush) {
  auto wanted = gdi::brush_spec_of(brush);
  return wanted && fill_region(hdc, rgn, &*wanted, PATCOPY);
}

BOOL PaintRgn(HDC hdc, HRGN rgn) { return fill_region(hdc, rgn, nullptr, PATCOPY); }

BOOL InvertRgn(HDC hdc, HRGN rgn) { return fill_region(hdc, rgn, nullptr, DSTINVERT); }

BOOL FrameRgn(HDC hdc, HRGN rgn, HBRUSH brush, int width, int height) {
  DeviceContext* dc = context_of(hdc);
  auto* r = gdi::object_as<gdi::RegionObject>(rgn);
  auto wanted = gdi::brush_spec_of(brush);
  if (!dc || !r || !wanted || width < 0 || height < 0) return FALSE;
  gdi::Region border = r->region.frame(width, height);
  for (const RECT& part : border.rects()) fill_with(*dc, part, *wanted, PATCOPY);
  return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return CLR_INVALID;
  gdi::DrawState s = dc->draw_state();
  POINT p = dc->to_device(POINT{x, y});
  if (s.clip && !s.clip->contains(p)) return CLR_INVALID;
  dc->device().set_pixel(p, color, s);
  return color & 0x00FFFFFF;
}

BOOL ExtFloodFill(HDC hdc, int x, int y, COLORREF color, UINT type) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || (type != FLOODFILLBORDER && type != FLOODFILLSURFACE)) return FALSE;
  gdi::DrawState s = dc->draw_state();
  POINT p = dc->to_device(POINT{x, y});
  if (s.clip && !s.clip->contains(p)) return FALSE;
  return dc->device().flood_fill(p, color & 0x00FFFFFF, type, s) ? TRUE : FALSE;
}

BOOL FloodFill(HDC hdc, int x, int y, COLORREF color) { return ExtFloodFill(hdc, x, y, color, FLOODFILLBORDER); }

COLORREF GetPixel(HDC hdc, int x, int y) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return CLR_INVALID;
  return dc->device().get_pixel(dc->to_device(POINT{x, y}));
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || !rect) return FALSE;
  // Every other pixel of the border, inverted.
  static const std::shared_ptr<const gdi::Bitmap> checker = [] {
    auto b = gdi::Bitmap::create(2, 2, true);
    b->at(0, 0) = gdi::kWhitePixel;
    b->at(1, 1) = gdi::kWhitePixel;
    return b;
  }();
  DrawState s = dc->draw_state();
  s.brush = gdi::BrushSpec{BS_PATTERN, 0, 0, checker};
  s.brush_origin = {0, 0};
  fill_frame(*dc, dc->to_device(*rect), s, PATINVERT);
  return TRUE;
}
