#include "platform/gdi/core/object_api.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/core/device_context.h"

using gdi::context_of;
using gdi::DeviceContext;
using gdi::object_as;

HGDIOBJ GetStockObject(int index) { return gdi::stock_object(index); }

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
  DeviceContext* dc = context_of(hdc);
  return dc ? dc->select(object) : nullptr;
}

BOOL DeleteObject(HGDIOBJ object) {
  // Contexts are deleted with DeleteDC only.
  if (gdi::object_type(object) == OBJ_DC) return FALSE;
  return gdi::delete_object(object);
}

DWORD GetObjectType(HGDIOBJ object) {
  DWORD type = gdi::object_type(object);
  if (type == OBJ_DC) {
    DeviceContext* dc = context_of(static_cast<HDC>(object));
    return dc && dc->is_memory() ? OBJ_MEMDC : OBJ_DC;
  }
  return type;
}

namespace {

template <class T>
int copy_out(const T& value, int size, void* buffer) {
  if (!buffer) return int(sizeof(T));
  if (size < int(sizeof(T))) return 0;
  std::memcpy(buffer, &value, sizeof(T));
  return int(sizeof(T));
}

}  // namespace

int GetObject(HGDIOBJ object, int size, void* buffer) {
  if (auto* p = object_as<gdi::PenObject>(object)) return copy_out(p->pen, size, buffer);
  if (auto* b = object_as<gdi::BrushObject>(object)) return copy_out(b->brush, size, buffer);
  if (auto* f = object_as<gdi::FontObject>(object)) return copy_out(f->font, size, buffer);
  if (auto* b = object_as<gdi::BitmapObject>(object)) {
    const gdi::Bitmap& bm = *b->bitmap;
    int row_bytes = (bm.width() * bm.bits_pixel() + 15) / 16 * 2;
    BITMAP info{0, bm.width(), bm.height(), row_bytes, 1, WORD(bm.bits_pixel()), nullptr};
    return copy_out(info, size, buffer);
  }
  if (auto* p = object_as<gdi::PaletteObject>(object)) {
    return copy_out(WORD(p->entries.size()), size, buffer);
  }
  return 0;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN: return dc->state().pen.get();
    case OBJ_BRUSH: return dc->state().brush.get();
    case OBJ_FONT: return dc->state().font.get();
    case OBJ_BITMAP: return dc->state().bitmap.get();
    case OBJ_PAL: return dc->state().palette.get();
    default: return nullptr;
  }
}

HPEN CreatePen(int style, int width, COLORREF color) {
  LOGPEN pen{UINT(style), {width, 0}, color};
  return CreatePenIndirect(&pen);
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
  if (!pen || (pen->lopnStyle & PS_STYLE_MASK) > PS_INSIDEFRAME) return nullptr;
  LOGPEN p = *pen;
  // Styled lines are one pixel wide; a wider styled pen draws solid, as on the platform.
  if (p.lopnWidth.x > 1 && (p.lopnStyle & PS_STYLE_MASK) >= PS_DASH &&
      (p.lopnStyle & PS_STYLE_MASK) <= PS_DASHDOTDOT)
    p.lopnStyle = PS_SOLID;
  return static_cast<HPEN>(gdi::create_object(gdi::PenObject{p}));
}

HBRUSH CreateSolidBrush(COLORREF color) {
  LOGBRUSH b{BS_SOLID, color, 0};
  return CreateBrushIndirect(&b);
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  LOGBRUSH b{BS_HATCHED, color, std::uintptr_t(hatch)};
  return CreateBrushIndirect(&b);
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  LOGBRUSH b{BS_PATTERN, 0, reinterpret_cast<std::uintptr_t>(bitmap)};
  return CreateBrushIndirect(&b);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  if (!brush) return nullptr;
  gdi::BrushObject b{*brush, nullptr};
  switch (brush->lbStyle) {
    case BS_SOLID:
    case BS_NULL: break;
    case BS_HATCHED:
      if (brush->lbHatch > std::uintptr_t(HS_DIAGCROSS)) return nullptr;
      break;
    case BS_PATTERN: {
      auto* bm = object_as<gdi::BitmapObject>(reinterpret_cast<void*>(brush->lbHatch));
      if (!bm) return nullptr;
      b.pattern = std::make_shared<const gdi::Bitmap>(*bm->bitmap);
      break;
    }
    default: return nullptr;
  }
  return static_cast<HBRUSH>(gdi::create_object(std::move(b)));
}

HFONT CreateFontIndirect(const LOGFONT* font) {
  if (!font) return nullptr;
  LOGFONT lf = *font;
  lf.lfFaceName[LF_FACESIZE - 1] = 0;
  return static_cast<HFONT>(gdi::create_object(gdi::FontObject{lf}));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strike_out, DWORD char_set, DWORD out_precision,
                 DWORD clip_precision, DWORD quality, DWORD pitch_and_family, const char* face) {
  LOGFONT lf{height, width, escapement, orientation, weight, BYTE(italic), BYTE(underline),
             BYTE(strike_out), BYTE(char_set), BYTE(out_precision), BYTE(clip_precision),
             BYTE(quality), BYTE(pitch_and_family), {}};
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&lf);
}

// --- Regions -------------------------------------------------------------------------------------

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return static_cast<HRGN>(gdi::create_object(
      gdi::RegionObject{gdi::Region(gdi::normalized(RECT{left, top, right, bottom}))}));
}

HRGN CreateRectRgnIndirect(const RECT* r) {
  return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}

HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int fill_mode) {
  if (!points || !counts || polygons <= 0 || (fill_mode != ALTERNATE && fill_mode != WINDING)) return nullptr;
  std::vector<std::vector<POINT>> shapes;
  size_t at = 0;
  for (int i = 0; i < polygons; ++i) {
    if (counts[i] < 2) return nullptr;
    shapes.emplace_back(points + at, points + at + size_t(counts[i]));
    at += size_t(counts[i]);
  }
  return static_cast<HRGN>(gdi::create_object(gdi::RegionObject{gdi::Region::from_polygons(shapes, fill_mode)}));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fill_mode) {
  return CreatePolyPolygonRgn(points, &count, 1, fill_mode);
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
  return static_cast<HRGN>(gdi::create_object(
      gdi::RegionObject{gdi::Region::from_ellipse(gdi::normalized(RECT{left, top, right, bottom}))}));
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
  auto* r = object_as<gdi::RegionObject>(rgn);
  if (!r) return FALSE;
  r->region = gdi::Region(gdi::normalized(RECT{left, top, right, bottom}));
  return TRUE;
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
  auto* d = object_as<gdi::RegionObject>(dest);
  auto* a = object_as<gdi::RegionObject>(src1);
  auto* b = mode == RGN_COPY ? a : object_as<gdi::RegionObject>(src2);
  if (!d || !a || !b) return ERROR;
  gdi::Region result = a->region;
  if (!result.combine(b->region, mode)) return ERROR;
  d->region = std::move(result);
  return d->region.kind();
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
  auto* r = object_as<gdi::RegionObject>(rgn);
  if (!r) return ERROR;
  r->region.offset(dx, dy);
  return r->region.kind();
}

int GetRgnBox(HRGN rgn, RECT* rect) {
  auto* r = object_as<gdi::RegionObject>(rgn);
  if (!r || !rect) return ERROR;
  *rect = r->region.bounds();
  return r->region.kind();
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
  auto* r = object_as<gdi::RegionObject>(rgn);
  return r && r->region.contains(POINT{x, y});
}

BOOL RectInRegion(HRGN rgn, const RECT* rect) {
  auto* r = object_as<gdi::RegionObject>(rgn);
  return r && rect && r->region.intersects(gdi::normalized(*rect));
}

BOOL EqualRgn(HRGN a, HRGN b) {
  auto* ra = object_as<gdi::RegionObject>(a);
  auto* rb = object_as<gdi::RegionObject>(b);
  return ra && rb && ra->region == rb->region;
}

// --- Palettes ------------------------------------------------------------------------------------

HPALETTE CreatePalette(const LOGPALETTE* palette) {
  if (!palette || palette->palNumEntries == 0) return nullptr;
  gdi::PaletteObject p;
  p.entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  return static_cast<HPALETTE>(gdi::create_object(std::move(p)));
}

HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || gdi::object_type(palette) != OBJ_PAL) return nullptr;
  void* previous = dc->state().palette.get();
  dc->state().palette = gdi::ObjectRef(palette);
  return static_cast<HPALETTE>(previous);
}

UINT RealizePalette(HDC hdc) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return GDI_ERROR;
  if (auto* palette = object_as<gdi::PaletteObject>(static_cast<HGDIOBJ>(dc->state().palette.get()))) {
    dc->device().realize_palette(palette->entries);
  }
  return 0;
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
  auto* p = object_as<gdi::PaletteObject>(palette);
  if (!p) return 0;
  if (!entries) return UINT(p->entries.size());
  if (start >= p->entries.size()) return 0;
  UINT n = std::min<UINT>(count, UINT(p->entries.size()) - start);
  std::copy_n(p->entries.begin() + start, n, entries);
  return n;
}
