#include "platform/gdi/core/dc_api.h"

#include "platform/gdi/core/bitmap.h"
#include "platform/gdi/core/device_context.h"

using gdi::context_of;
using gdi::DeviceContext;

namespace {

// Sets one field of the state and returns its previous value, or `failure` for a bad handle.
template <class T, class Field>
T exchange_field(HDC hdc, Field field, T value, T failure) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return failure;
  T previous = dc->state().*field;
  dc->state().*field = value;
  return previous;
}

template <class T, class Field>
T read_field(HDC hdc, Field field, T failure) {
  DeviceContext* dc = context_of(hdc);
  return dc ? dc->state().*field : failure;
}

void store(POINT* out, POINT p) {
  if (out) *out = p;
}
void store(SIZE* out, SIZE s) {
  if (out) *out = s;
}

}  // namespace

HDC CreateCompatibleDC(HDC hdc) {
  std::unique_ptr<gdi::Device> device;
  if (hdc) {
    DeviceContext* dc = context_of(hdc);
    if (!dc) return nullptr;
    device = dc->device().create_compatible();
  } else {
    device = gdi::make_screen_device()->create_compatible();
  }
  return device ? gdi::create_context(std::move(device), true) : nullptr;
}

BOOL DeleteDC(HDC hdc) { return context_of(hdc) && gdi::delete_object(hdc); }

int SaveDC(HDC hdc) {
  DeviceContext* dc = context_of(hdc);
  return dc ? dc->save() : 0;
}

BOOL RestoreDC(HDC hdc, int saved) {
  DeviceContext* dc = context_of(hdc);
  return dc && dc->restore(saved);
}

int GetDeviceCaps(HDC hdc, int index) {
  DeviceContext* dc = context_of(hdc);
  return dc ? dc->device().caps(index) : 0;
}

COLORREF SetTextColor(HDC hdc, COLORREF c) {
  return exchange_field(hdc, &gdi::DcState::text_color, c, CLR_INVALID);
}
COLORREF GetTextColor(HDC hdc) { return read_field(hdc, &gdi::DcState::text_color, CLR_INVALID); }
COLORREF SetBkColor(HDC hdc, COLORREF c) {
  return exchange_field(hdc, &gdi::DcState::bk_color, c, CLR_INVALID);
}
COLORREF GetBkColor(HDC hdc) { return read_field(hdc, &gdi::DcState::bk_color, CLR_INVALID); }

int SetBkMode(HDC hdc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return exchange_field(hdc, &gdi::DcState::bk_mode, mode, 0);
}
int GetBkMode(HDC hdc) { return read_field(hdc, &gdi::DcState::bk_mode, 0); }

int SetROP2(HDC hdc, int rop2) {
  if (rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
  return exchange_field(hdc, &gdi::DcState::rop2, rop2, 0);
}
int GetROP2(HDC hdc) { return read_field(hdc, &gdi::DcState::rop2, 0); }

int SetPolyFillMode(HDC hdc, int mode) {
  if (mode != ALTERNATE && mode != WINDING) return 0;
  return exchange_field(hdc, &gdi::DcState::poly_fill_mode, mode, 0);
}
int GetPolyFillMode(HDC hdc) { return read_field(hdc, &gdi::DcState::poly_fill_mode, 0); }

int SetStretchBltMode(HDC hdc, int mode) {
  if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return exchange_field(hdc, &gdi::DcState::stretch_mode, mode, 0);
}
int GetStretchBltMode(HDC hdc) { return read_field(hdc, &gdi::DcState::stretch_mode, 0); }

UINT SetTextAlign(HDC hdc, UINT align) {
  return exchange_field(hdc, &gdi::DcState::text_align, align, GDI_ERROR);
}
UINT GetTextAlign(HDC hdc) { return read_field(hdc, &gdi::DcState::text_align, GDI_ERROR); }

int SetTextCharacterExtra(HDC hdc, int extra) {
  return exchange_field(hdc, &gdi::DcState::char_extra, extra, int(0x80000000));
}
int GetTextCharacterExtra(HDC hdc) {
  return read_field(hdc, &gdi::DcState::char_extra, int(0x80000000));
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* previous) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return FALSE;
  store(previous, dc->state().brush_origin);
  dc->state().brush_origin = {x, y};
  return TRUE;
}

COLORREF GetNearestColor(HDC hdc, COLORREF color) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return CLR_INVALID;
  color &= 0x00FFFFFF;
  if (dc->device().caps(BITSPIXEL) == 1) return gdi::is_light(color) ? RGB(255, 255, 255) : RGB(0, 0, 0);
  return color;
}

// --- Mapping ---------------------------------------------------------------------------------------

int SetMapMode(HDC hdc, int mode) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return 0;
  int previous = dc->state().mapping.mode;
  return dc->state().mapping.set_mode(mode, dc->dpi_x(), dc->dpi_y()) ? previous : 0;
}
int GetMapMode(HDC hdc) {
  DeviceContext* dc = context_of(hdc);
  return dc ? dc->state().mapping.mode : 0;
}

namespace {

BOOL set_origin(HDC hdc, POINT gdi::Mapping::*field, int x, int y, bool relative, POINT* previous) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return FALSE;
  POINT& origin = dc->state().mapping.*field;
  store(previous, origin);
  origin = relative ? POINT{origin.x + x, origin.y + y} : POINT{x, y};
  return TRUE;
}

BOOL get_origin(HDC hdc, POINT gdi::Mapping::*field, POINT* out) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || !out) return FALSE;
  *out = dc->state().mapping.*field;
  return TRUE;
}

BOOL get_extent(HDC hdc, SIZE gdi::Mapping::*field, SIZE* out) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || !out) return FALSE;
  *out = dc->state().mapping.*field;
  return TRUE;
}

using ExtentSetter = bool (gdi::Mapping::*)(int, int);

BOOL set_extent(HDC hdc, SIZE gdi::Mapping::*field, ExtentSetter setter, int cx, int cy,
                SIZE* previous) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return FALSE;
  store(previous, dc->state().mapping.*field);
  return (dc->state().mapping.*setter)(cx, cy);
}

BOOL scale_extent(HDC hdc, SIZE gdi::Mapping::*field, ExtentSetter setter, int xnum, int xdenom,
                  int ynum, int ydenom, SIZE* previous) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || !xdenom || !ydenom) return FALSE;
  SIZE ext = dc->state().mapping.*field;
  store(previous, ext);
  return (dc->state().mapping.*setter)(int(int64_t(ext.cx) * xnum / xdenom),
                                       int(int64_t(ext.cy) * ynum / ydenom));
}

}  // namespace

BOOL SetWindowOrgEx(HDC hdc, int x, int y, POINT* previous) {
  return set_origin(hdc, &gdi::Mapping::window_org, x, y, false, previous);
}
BOOL GetWindowOrgEx(HDC hdc, POINT* origin) {
  return get_origin(hdc, &gdi::Mapping::window_org, origin);
}
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* previous) {
  return set_origin(hdc, &gdi::Mapping::viewport_org, x, y, false, previous);
}
BOOL GetViewportOrgEx(HDC hdc, POINT* origin) {
  return get_origin(hdc, &gdi::Mapping::viewport_org, origin);
}
BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, POINT* previous) {
  return set_origin(hdc, &gdi::Mapping::window_org, dx, dy, true, previous);
}
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* previous) {
  return set_origin(hdc, &gdi::Mapping::viewport_org, dx, dy, true, previous);
}
BOOL SetWindowExtEx(HDC hdc, int cx, int cy, SIZE* previous) {
  return set_extent(hdc, &gdi::Mapping::window_ext, &gdi::Mapping::set_window_ext, cx, cy,
                    previous);
}
BOOL GetWindowExtEx(HDC hdc, SIZE* extent) {
  return get_extent(hdc, &gdi::Mapping::window_ext, extent);
}
BOOL SetViewportExtEx(HDC hdc, int cx, int cy, SIZE* previous) {
  return set_extent(hdc, &gdi::Mapping::viewport_ext, &gdi::Mapping::set_viewport_ext, cx, cy,
                    previous);
}
BOOL GetViewportExtEx(HDC hdc, SIZE* extent) {
  return get_extent(hdc, &gdi::Mapping::viewport_ext, extent);
}
BOOL ScaleWindowExtEx(HDC hdc, int xnum, int xdenom, int ynum, int ydenom, SIZE* previous) {
  return scale_extent(hdc, &gdi::Mapping::window_ext, &gdi::Mapping::set_window_ext, xnum,
                      xdenom, ynum, ydenom, previous);
}
BOOL ScaleViewportExtEx(HDC hdc, int xnum, int xdenom, int ynum, int ydenom, SIZE* previous) {
  return scale_extent(hdc, &gdi::Mapping::viewport_ext, &gdi::Mapping::set_viewport_ext, xnum,
                      xdenom, ynum, ydenom, previous);
}

BOOL LPtoDP(HDC hdc, POINT* points, int count) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || (!points && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) points[i] = dc->to_device(points[i]);
  return TRUE;
}

BOOL DPtoLP(HDC hdc, POINT* points, int count) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || (!points && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) points[i] = dc->state().mapping.to_logical(points[i]);
  return TRUE;
}

// --- Clipping ------------------------------------------------------------------------------------

namespace {

// The kind of the clip now in force (the whole device when the context has none).
int clip_kind(DeviceContext& dc) { return dc.visible_region().kind(); }

}  // namespace

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return ERROR;
  std::optional<gdi::Region>& clip = dc->state().clip;
  if (!rgn) {
    if (mode != RGN_COPY) return ERROR;
    clip.reset();
    return clip_kind(*dc);
  }
  auto* r = gdi::object_as<gdi::RegionObject>(rgn);
  if (!r || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  // Without a clip of its own the context's clip is the whole device.
  gdi::Region result = clip ? *clip : dc->visible_region();
  result.combine(r->region, mode);
  clip = std::move(result);
  return clip_kind(*dc);
}

int SelectClipRgn(HDC hdc, HRGN rgn) { return ExtSelectClipRgn(hdc, rgn, RGN_COPY); }

namespace {

int change_clip(HDC hdc, const RECT& logical, bool exclude) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return ERROR;
  RECT device = dc->to_device(logical);
  std::optional<gdi::Region>& clip = dc->state().clip;
  if (!clip) clip = gdi::Region(RECT{0, 0, dc->device().caps(HORZRES), dc->device().caps(VERTRES)});
  if (exclude) clip->subtract(device);
  else clip->intersect(device);
  return clip_kind(*dc);
}

}  // namespace

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  return change_clip(hdc, {left, top, right, bottom}, false);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
  return change_clip(hdc, {left, top, right, bottom}, true);
}

int OffsetClipRgn(HDC hdc, int dx, int dy) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return ERROR;
  if (dc->state().clip) {
    dc->state().clip->offset(dc->state().mapping.width_to_device(dx),
                             dc->state().mapping.height_to_device(dy));
  }
  return clip_kind(*dc);
}

int GetClipBox(HDC hdc, RECT* rect) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || !rect) return ERROR;
  gdi::Region visible = dc->visible_region();
  *rect = gdi::normalized(dc->state().mapping.to_logical(visible.bounds()));
  return visible.kind();
}

int GetClipRgn(HDC hdc, HRGN rgn) {
  DeviceContext* dc = context_of(hdc);
  auto* r = gdi::object_as<gdi::RegionObject>(rgn);
  if (!dc || !r) return -1;
  if (!dc->state().clip) return 0;
  r->region = *dc->state().clip;
  return 1;
}

BOOL PtVisible(HDC hdc, int x, int y) {
  DeviceContext* dc = context_of(hdc);
  return dc && dc->visible_region().contains(dc->to_device(POINT{x, y}));
}

BOOL RectVisible(HDC hdc, const RECT* rect) {
  DeviceContext* dc = context_of(hdc);
  return dc && rect && dc->visible_region().intersects(dc->to_device(*rect));
}

// --- Documents -------------------------------------------------------------------------------------

int StartDoc(HDC hdc, const DOCINFO* info) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return SP_ERROR;
  const char* name = info && info->lpszDocName ? info->lpszDocName : "";
  return dc->device().start_doc(name, info ? info->lpszOutput : nullptr);
}

int EndDoc(HDC hdc) {
  DeviceContext* dc = context_of(hdc);
  return dc ? dc->device().end_doc() : SP_ERROR;
}

int AbortDoc(HDC hdc) {
  DeviceContext* dc = context_of(hdc);
  return dc ? dc->device().abort_doc() : SP_ERROR;
}

int SetAbortProc(HDC hdc, ABORTPROC proc) {
  DeviceContext* dc = context_of(hdc);
  return dc ? dc->device().set_abort_proc(hdc, proc) : SP_ERROR;
}

int StartPage(HDC hdc) {
  DeviceContext* dc = context_of(hdc);
  return dc ? dc->device().start_page() : SP_ERROR;
}

int EndPage(HDC hdc) {
  DeviceContext* dc = context_of(hdc);
  return dc ? dc->device().end_page() : SP_ERROR;
}
