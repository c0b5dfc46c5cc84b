#include "platform/gdi/system/draw_state.h"

#include <cstring>

#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/icons.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/core/text_api.h"
#include "platform/win/system_metrics.h"

namespace {

// The ternary raster operation that paints the pattern where the source is black and keeps the
// destination where it is white.
constexpr DWORD kPatternThroughBlack = 0x00B8074A;

struct Image {
  UINT type;
  LPARAM data;
  WPARAM wdata;

  bool is_text() const { return type == DST_TEXT || type == DST_PREFIXTEXT; }
  const char* text() const { return reinterpret_cast<const char*>(data); }
  int length() const { return wdata ? int(wdata) : int(std::strlen(text())); }
  UINT text_format() const { return DT_SINGLELINE | DT_NOCLIP | (type == DST_TEXT ? DT_NOPREFIX : 0); }
  HBITMAP bitmap() const { return reinterpret_cast<HBITMAP>(data); }
  HICON icon() const { return reinterpret_cast<HICON>(data); }
};

bool bitmap_size(HBITMAP bitmap, SIZE& size) {
  BITMAP bm{};
  if (GetObject(bitmap, sizeof bm, &bm) != sizeof bm) return false;
  size = {bm.bmWidth, bm.bmHeight};
  return true;
}

bool natural_size(HDC hdc, const Image& image, SIZE& size) {
  if (image.is_text()) {
    RECT r{0, 0, 0, 0};
    DrawText(hdc, image.text(), image.length(), &r, image.text_format() | DT_CALCRECT);
    size = {r.right - r.left, r.bottom - r.top};
    return true;
  }
  if (image.type == DST_BITMAP) return bitmap_size(image.bitmap(), size);
  ICONINFO info{};
  if (!GetIconInfo(image.icon(), &info)) return false;
  bool known = bitmap_size(info.hbmColor, size);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return known;
}

// Draws the image as it is at (x, y) of `dc`: a text in the context's text colour over what is
// there, a bitmap copied, an icon through its mask.
bool draw_plain(HDC dc, const Image& image, int x, int y, int cx, int cy) {
  if (image.is_text()) {
    int old_mode = SetBkMode(dc, TRANSPARENT);
    RECT r{x, y, x + cx, y + cy};
    DrawText(dc, image.text(), image.length(), &r, image.text_format());
    SetBkMode(dc, old_mode);
    return true;
  }
  if (image.type == DST_ICON) return DrawIconEx(dc, x, y, image.icon(), cx, cy, 0, nullptr, DI_NORMAL);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, image.bitmap());
  bool drawn = old && BitBlt(dc, x, y, cx, cy, source, 0, 0, SRCCOPY);
  if (old) SelectObject(source, old);
  DeleteDC(source);
  return drawn;
}

// A memory context holding the image's shape as a monochrome bitmap: black where the image
// drawn on white is not white. Null when it cannot be made.
class ShapeMask {
 public:
  ShapeMask(HDC hdc, const Image& image, int cx, int cy) {
    HDC colour_dc = CreateCompatibleDC(hdc);
    HBITMAP colour = CreateBitmap(cx, cy, 1, 32, nullptr);
    HGDIOBJ old_colour = SelectObject(colour_dc, colour);
    PatBlt(colour_dc, 0, 0, cx, cy, WHITENESS);
    HGDIOBJ old_font = SelectObject(colour_dc, GetCurrentObject(hdc, OBJ_FONT));
    SetTextColor(colour_dc, RGB(0, 0, 0));
    bool drawn = draw_plain(colour_dc, image, 0, 0, cx, cy);

    dc_ = CreateCompatibleDC(hdc);
    mask_ = CreateBitmap(cx, cy, 1, 1, nullptr);
    old_mask_ = SelectObject(dc_, mask_);
    // White in the colour image becomes white in the mask, every other colour black.
    SetBkColor(colour_dc, RGB(255, 255, 255));
    ok_ = drawn && old_mask_ && BitBlt(dc_, 0, 0, cx, cy, colour_dc, 0, 0, SRCCOPY);

    SelectObject(colour_dc, old_font);
    SelectObject(colour_dc, old_colour);
    DeleteObject(colour);
    DeleteDC(colour_dc);
  }
  ~ShapeMask() {
    if (old_mask_) SelectObject(dc_, old_mask_);
    DeleteObject(mask_);
    DeleteDC(dc_);
  }
  ShapeMask(const ShapeMask&) = delete;
  ShapeMask& operator=(const ShapeMask&) = delete;

  bool ok() const { return ok_; }

  // Paints the shape in `colour` at (x, y) of `hdc`, leaving every other pixel as it is.
  void paint(HDC hdc, int x, int y, int cx, int cy, COLORREF colour) const {
    // A monochrome source reaches a colour target as its text colour (black) and background
    // colour (white), so the raster operation sees all bits clear or all set.
    COLORREF old_text = SetTextColor(hdc, RGB(0, 0, 0));
    COLORREF old_bk = SetBkColor(hdc, RGB(255, 255, 255));
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ old_brush = SelectObject(hdc, brush);
    BitBlt(hdc, x, y, cx, cy, dc_, 0, 0, kPatternThroughBlack);
    SelectObject(hdc, old_brush);
    DeleteObject(brush);
    SetBkColor(hdc, old_bk);
    SetTextColor(hdc, old_text);
  }

 private:
  HDC dc_ = nullptr;
  HBITMAP mask_ = nullptr;
  HGDIOBJ old_mask_ = nullptr;
  bool ok_ = false;
};

}  // namespace

BOOL DrawState(HDC hdc, HBRUSH, DRAWSTATEPROC, LPARAM data, WPARAM wdata, int x, int y, int cx, int cy,
               UINT flags) {
  Image image{flags & 0x000F, data, wdata};
  UINT state = flags & (DSS_UNION | DSS_DISABLED | DSS_MONO);
  if (!hdc || !data || (state != DSS_NORMAL && state != DSS_DISABLED)) return FALSE;
  if (!image.is_text() && image.type != DST_BITMAP && image.type != DST_ICON) return FALSE;
  SIZE size{cx, cy};
  if (cx == 0 || cy == 0) {
    SIZE natural;
    if (!natural_size(hdc, image, natural)) return FALSE;
    if (cx == 0) size.cx = natural.cx;
    if (cy == 0) size.cy = natural.cy;
  }
  if (size.cx <= 0 || size.cy <= 0) return FALSE;
  if (state == DSS_NORMAL) return draw_plain(hdc, image, x, y, size.cx, size.cy) ? TRUE : FALSE;

  ShapeMask shape(hdc, image, size.cx, size.cy);
  if (!shape.ok()) return FALSE;
  shape.paint(hdc, x + 1, y + 1, size.cx, size.cy, GetSysColor(COLOR_3DHILIGHT));
  shape.paint(hdc, x, y, size.cx, size.cy, GetSysColor(COLOR_3DSHADOW));
  return TRUE;
}
