// The classic 3-D edges and frame-control glyphs (caption buttons, scroll arrows, push buttons),
// drawn in device pixels in the classic colours.
#include <algorithm>
#include <vector>

#include "platform/gdi/core/device_context.h"
#include "platform/gdi/core/draw_api.h"

using gdi::DeviceContext;
using gdi::DrawState;

namespace {

// The 3-D colours by their system colour indexes, with the classic scheme's values.
COLORREF face() { return gdi::system_colour(15, RGB(192, 192, 192)); }
COLORREF shadow() { return gdi::system_colour(16, RGB(128, 128, 128)); }
COLORREF glyph() { return gdi::system_colour(18, RGB(0, 0, 0)); }
COLORREF highlight() { return gdi::system_colour(20, RGB(255, 255, 255)); }
COLORREF dark_shadow() { return gdi::system_colour(21, RGB(0, 0, 0)); }
COLORREF light() { return gdi::system_colour(22, RGB(223, 223, 223)); }

void fill(DeviceContext& dc, const RECT& r, COLORREF c) {
  if (gdi::rect_empty(r)) return;
  DrawState s = dc.draw_state();
  s.brush = gdi::solid_brush(c);
  dc.device().fill(r, PATCOPY, s);
}

// One ring of an edge: top and left in `top_left`, bottom and right in `bottom_right`; the sides
// drawn shrink the rectangle.
void draw_ring(DeviceContext& dc, RECT& r, UINT flags, COLORREF top_left, COLORREF bottom_right) {
  if (flags & BF_LEFT) fill(dc, {r.left, r.top, r.left + 1, r.bottom}, top_left);
  if (flags & BF_TOP) fill(dc, {r.left, r.top, r.right, r.top + 1}, top_left);
  if (flags & BF_RIGHT) fill(dc, {r.right - 1, r.top, r.right, r.bottom}, bottom_right);
  if (flags & BF_BOTTOM) fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottom_right);
  if (flags & BF_LEFT) ++r.left;
  if (flags & BF_TOP) ++r.top;
  if (flags & BF_RIGHT) --r.right;
  if (flags & BF_BOTTOM) --r.bottom;
}

// Draws an edge on a device rectangle and returns what is left inside it.
RECT draw_edge(DeviceContext& dc, RECT r, UINT edge, UINT flags) {
  if (edge & BDR_RAISEDOUTER) draw_ring(dc, r, flags, light(), dark_shadow());
  else if (edge & BDR_SUNKENOUTER) draw_ring(dc, r, flags, shadow(), highlight());
  if (edge & BDR_RAISEDINNER) draw_ring(dc, r, flags, highlight(), shadow());
  else if (edge & BDR_SUNKENINNER) draw_ring(dc, r, flags, dark_shadow(), light());
  if (flags & BF_MIDDLE) fill(dc, r, face());
  return r;
}

void glyph_polygon(DeviceContext& dc, std::vector<POINT> points, COLORREF c) {
  DrawState s = dc.draw_state();
  s.rop2 = R2_COPYPEN;
  s.pen = gdi::PenSpec{PS_SOLID, 1, c};
  s.brush = gdi::solid_brush(c);
  dc.device().polygons(std::span<const std::vector<POINT>>(&points, 1), s);
}

// The glyph of a caption button or scroll arrow inside the face rectangle `r`, offset by (dx, dy).
void draw_glyph(DeviceContext& dc, const RECT& r, UINT type, UINT kind, int dx, COLORREF c) {
  int w = r.right - r.left, h = r.bottom - r.top;
  int size = std::max(2, std::min(w, h) / 2);
  int cx = r.left + w / 2 + dx, cy = r.top + h / 2 + dx;
  if (type == DFC_SCROLL) {
    int a = std::max(1, size / 2);
    switch (kind) {
      // A triangle 2a + 1 wide at its base and a deep, centred.
      case DFCS_SCROLLUP: glyph_polygon(dc, {{cx - a, cy + a / 2}, {cx + a, cy + a / 2}, {cx, cy + a / 2 - a}}, c); break;
      case DFCS_SCROLLDOWN: glyph_polygon(dc, {{cx - a, cy - a / 2}, {cx + a, cy - a / 2}, {cx, cy - a / 2 + a}}, c); break;
      case DFCS_SCROLLLEFT: glyph_polygon(dc, {{cx + a / 2, cy - a}, {cx + a / 2, cy + a}, {cx + a / 2 - a, cy}}, c); break;
      default: glyph_polygon(dc, {{cx - a / 2, cy - a}, {cx - a / 2, cy + a}, {cx - a / 2 + a, cy}}, c); break;
    }
    return;
  }
  // Caption glyphs are pixel shapes scaled to the face: no symbol font is needed.
  int side = std::max(3, std::min(w, h) - (std::min(w, h) >= 10 ? 3 : 2));
  switch (kind) {
    case DFCS_CAPTIONCLOSE: {
      // Two strokes two pixels wide, corner to corner.
      int x0 = cx - (side + 1) / 2, y0 = cy - side / 2;
      for (int i = 0; i < side; ++i) {
        fill(dc, {x0 + i, y0 + i, x0 + i + 2, y0 + i + 1}, c);
        fill(dc, {x0 + side - 1 - i, y0 + i, x0 + side + 1 - i, y0 + i + 1}, c);
      }
      break;
    }
    case DFCS_CAPTIONMIN: {
      int x0 = cx - side / 2, y0 = cy - side / 2;
      fill(dc, {x0, y0 + side - 2, x0 + std::max(3, side * 3 / 4), y0 + side}, c);
      break;
    }
    case DFCS_CAPTIONMAX: {
      int x0 = cx - side / 2, y0 = cy - side / 2;
      RECT f{x0, y0, x0 + side, y0 + side};
      fill(dc, {f.left, f.top, f.right, f.top + 2}, c);
      fill(dc, {f.left, f.top, f.left + 1, f.bottom}, c);
      fill(dc, {f.right - 1, f.top, f.right, f.bottom}, c);
      fill(dc, {f.left, f.bottom - 1, f.right, f.bottom}, c);
      break;
    }
    default: {  // restore: two overlapping windows, the front one at the lower left
      int x0 = cx - side / 2, y0 = cy - side / 2;
      int t = std::max(3, side * 2 / 3 + 1);
      RECT back{x0 + side - t, y0, x0 + side, y0 + t};
      RECT front{x0, y0 + side - t, x0 + t, y0 + side};
      // Small faces give the windows a top edge of one pixel, so they stay apart.
      int edge = side >= 7 ? 2 : 1;
      fill(dc, {back.left, back.top, back.right, back.top + edge}, c);
      fill(dc, {back.right - 1, back.top, back.right, back.bottom}, c);
      fill(dc, {front.right, back.bottom - 1, back.right, back.bottom}, c);
      fill(dc, {back.left, back.top, back.left + 1, front.top}, c);
      fill(dc, {front.left, front.top, front.right, front.top + edge}, c);
      fill(dc, {front.left, front.top, front.left + 1, front.bottom}, c);
      fill(dc, {front.right - 1, front.top, front.right, front.bottom}, c);
      fill(dc, {front.left, front.bottom - 1, front.right, front.bottom}, c);
      break;
    }
  }
}

}  // namespace

BOOL DrawEdge(HDC hdc, RECT* rect, UINT edge, UINT flags) {
  DeviceContext* dc = gdi::context_of(hdc);
  if (!dc || !rect) return FALSE;
  RECT inside = draw_edge(*dc, dc->to_device(*rect), edge, flags);
  if (flags & BF_ADJUST) *rect = gdi::normalized(dc->state().mapping.to_logical(inside));
  return TRUE;
}

BOOL DrawFrameControl(HDC hdc, RECT* rect, UINT type, UINT state) {
  DeviceContext* dc = gdi::context_of(hdc);
  if (!dc || !rect || (type != DFC_CAPTION && type != DFC_SCROLL && type != DFC_BUTTON))
    return FALSE;
  bool pushed = state & DFCS_PUSHED;
  UINT edge = (state & DFCS_FLAT) ? BDR_SUNKENOUTER : pushed ? EDGE_SUNKEN : EDGE_RAISED;
  RECT face = draw_edge(*dc, dc->to_device(*rect), edge, BF_RECT | BF_MIDDLE);
  if (type == DFC_BUTTON) return TRUE;
  UINT kind = state & 0xFF;
  int shift = pushed ? 1 : 0;
  if (state & DFCS_INACTIVE) {
    // Greyed: the glyph in shadow over a highlight copy one pixel down and right.
    draw_glyph(*dc, face, type, kind, shift + 1, highlight());
    draw_glyph(*dc, face, type, kind, shift, shadow());
  } else {
    draw_glyph(*dc, face, type, kind, shift, glyph());
  }
  return TRUE;
}
