#include "platform/gdi/core/bitmap_api.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/core/device_context.h"
#include "platform/gdi/core/dib.h"

using gdi::context_of;
using gdi::DeviceContext;

namespace {

HBITMAP make_bitmap(std::shared_ptr<gdi::Bitmap> b) {
  if (!b) return nullptr;
  return static_cast<HBITMAP>(gdi::create_object(gdi::BitmapObject{std::move(b)}));
}

bool uses_source(DWORD rop) {
  unsigned code = (rop >> 16) & 0xFF;
  return ((code >> 2) ^ code) & 0x33;
}

// The palette that DIB_PAL_COLORS indices refer to: the context's selected one.
std::span<const PALETTEENTRY> palette_of(DeviceContext* dc) {
  if (!dc) return {};
  auto* p = gdi::object_as<gdi::PaletteObject>(dc->state().palette.get());
  return p ? std::span<const PALETTEENTRY>(p->entries) : std::span<const PALETTEENTRY>();
}

// Reads a caller's BITMAPINFO. The header tells how long the colour table is, so the table is
// read only as far as the header says.
bool read_info(const BITMAPINFO* info, UINT usage, DeviceContext* dc, gdi::DibInfo& out) {
  if (!info || info->bmiHeader.biSize < 40 || info->bmiHeader.biSize > 4096) return false;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  size_t colours = h.biClrUsed ? h.biClrUsed : (h.biBitCount <= 8 ? 1u << h.biBitCount : 0);
  if (colours > 4096) return false;
  size_t masks = (h.biCompression == BI_BITFIELDS && h.biSize < 52) ? 12 : 0;
  size_t size = h.biSize + masks + colours * (usage == DIB_PAL_COLORS ? 2 : 4);
  return gdi::read_dib_info({reinterpret_cast<const uint8_t*>(info), size}, usage, palette_of(dc), out);
}

std::span<const uint8_t> bits_of(const gdi::DibInfo& info, const void* bits) {
  const BITMAPINFOHEADER& h = info.header;
  bool compressed = h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4;
  size_t size = compressed ? h.biSizeImage : gdi::dib_bits_size(h);
  return {static_cast<const uint8_t*>(bits), bits ? size : 0};
}

}  // namespace

namespace gdi {

bool draw_bitmap(HDC hdc, const RECT& dst_logical, const Bitmap& bitmap, const RECT& src, DWORD rop) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return false;
  PixelBuffer pixels = const_cast<Bitmap&>(bitmap).buffer();
  dc->device().transfer(dc->to_device(dst_logical), &pixels, normalized(src), rop, dc->draw_state());
  return true;
}

}  // namespace gdi

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_pixel, const void* bits) {
  if (planes > 8 || bits_pixel > 32) return nullptr;
  if (!bits) return make_bitmap(gdi::Bitmap::create(width, height, planes * bits_pixel == 1));
  size_t size = gdi::device_bits_size(width, height, int(planes), int(bits_pixel));
  return make_bitmap(gdi::decode_device_bits(width, height, int(planes), int(bits_pixel),
                                             {static_cast<const uint8_t*>(bits), size}));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return nullptr;
  bool mono = dc->device().caps(BITSPIXEL) == 1;  // otherwise colour, whatever depth is reported
  return make_bitmap(gdi::Bitmap::create(width, height, mono));
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
  if (!header) return nullptr;
  if (!(init & CBM_INIT)) {
    int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    return make_bitmap(gdi::Bitmap::create(header->biWidth, height, false));
  }
  gdi::DibInfo dib;
  if (!read_info(info, usage, context_of(hdc), dib)) return nullptr;
  return make_bitmap(gdi::decode_dib(dib, bits_of(dib, bits)));
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int xs, int ys, int ws,
                int hs, DWORD rop) {
  DeviceContext* d = context_of(dst);
  if (!d) return FALSE;
  RECT dst_rect = d->to_device(RECT{x, y, x + width, y + height});
  if (!uses_source(rop)) {
    d->device().fill(dst_rect, rop, d->draw_state());
    return TRUE;
  }
  DeviceContext* s = context_of(src);
  if (!s) return FALSE;
  RECT src_rect = s->to_device(RECT{xs, ys, xs + ws, ys + hs});
  gdi::DrawState state = d->draw_state();
  state.source_bk_color = s->state().bk_color;
  d->device().transfer(dst_rect, s->device().pixels(), src_rect, rop, state);
  return TRUE;
}

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int xs, int ys, DWORD rop) {
  DeviceContext* s = context_of(src);
  if (!s || !uses_source(rop)) return StretchBlt(dst, x, y, width, height, src, xs, ys, width, height, rop);
  // The source extent is the destination's in device pixels, taken back into the source's
  // logical units.
  DeviceContext* d = context_of(dst);
  if (!d) return FALSE;
  RECT dst_rect = d->to_device(RECT{x, y, x + width, y + height});
  POINT origin = s->to_device(POINT{xs, ys});
  RECT src_rect{origin.x, origin.y, origin.x + (dst_rect.right - dst_rect.left),
                origin.y + (dst_rect.bottom - dst_rect.top)};
  gdi::DrawState state = d->draw_state();
  state.source_bk_color = s->state().bk_color;
  d->device().transfer(dst_rect, s->device().pixels(), src_rect, rop, state);
  return TRUE;
}

int StretchDIBits(HDC hdc, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
  DeviceContext* dc = context_of(hdc);
  gdi::DibInfo dib;
  if (!dc || !bits || !read_info(info, usage, dc, dib)) return 0;
  std::shared_ptr<gdi::Bitmap> bitmap = gdi::decode_dib(dib, bits_of(dib, bits));
  if (!bitmap) return 0;
  // Bottom-up DIBs count source rows from the bottom.
  int top = dib.top_down ? ys : dib.height - (ys + hs);
  gdi::draw_bitmap(hdc, RECT{xd, yd, xd + wd, yd + hd}, *bitmap, RECT{xs, top, xs + ws, top + hs}, rop);
  return dib.height;
}

int SetDIBitsToDevice(HDC hdc, int xd, int yd, DWORD width, DWORD height, int xs, int ys,
                      UINT start_scan, UINT lines, const void* bits, const BITMAPINFO* info,
                      UINT usage) {
  DeviceContext* dc = context_of(hdc);
  gdi::DibInfo dib;
  if (!dc || !bits || !read_info(info, usage, dc, dib)) return 0;
  if (start_scan >= UINT(dib.height) || lines == 0) return 0;
  lines = std::min<UINT>(lines, UINT(dib.height) - start_scan);
  // The bits hold only the band of `lines` scan lines from `start_scan` (counted from the
  // bottom for bottom-up DIBs).
  gdi::DibInfo band = dib;
  band.height = int(lines);
  band.header.biHeight = dib.top_down ? -int(lines) : int(lines);
  std::shared_ptr<gdi::Bitmap> bitmap = gdi::decode_dib(band, bits_of(band, bits));
  if (!bitmap) return 0;
  int top = dib.top_down ? ys - int(start_scan) : int(lines) - (ys - int(start_scan) + int(height));
  RECT src_rect{xs, top, xs + int(width), top + int(height)};
  POINT origin = dc->to_device(POINT{xd, yd});
  RECT dst_rect{origin.x, origin.y, origin.x + int(width), origin.y + int(height)};
  gdi::PixelBuffer pixels = bitmap->buffer();
  dc->device().transfer(dst_rect, &pixels, src_rect, SRCCOPY, dc->draw_state());
  return int(lines);
}

int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage) {
  auto* b = gdi::object_as<gdi::BitmapObject>(bitmap);
  if (!context_of(hdc) || !b || !info || usage != DIB_RGB_COLORS) return 0;
  const gdi::Bitmap& bm = *b->bitmap;
  int depth = info->bmiHeader.biBitCount;
  if (depth == 0) depth = bm.monochrome() ? 1 : 24;
  BITMAPINFOHEADER header;
  std::vector<RGBQUAD> colours;
  std::vector<uint8_t> rows;
  if (!gdi::encode_dib(bm, depth, header, colours, rows)) return 0;
  info->bmiHeader = header;
  std::copy(colours.begin(), colours.end(), info->bmiColors);
  if (!bits) return bm.height();
  if (start >= UINT(bm.height())) return 0;
  lines = std::min<UINT>(lines, UINT(bm.height()) - start);
  size_t stride = rows.size() / size_t(bm.height());
  std::memcpy(bits, rows.data() + stride * start, stride * lines);
  return int(lines);
}

int SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
              const BITMAPINFO* info, UINT usage) {
  auto* b = gdi::object_as<gdi::BitmapObject>(bitmap);
  DeviceContext* dc = context_of(hdc);
  gdi::DibInfo dib;
  if (!b || !bits || !read_info(info, usage, dc, dib)) return 0;
  gdi::Bitmap& target = *b->bitmap;
  if (start >= UINT(dib.height) || lines == 0) return 0;
  lines = std::min<UINT>(lines, UINT(dib.height) - start);
  gdi::DibInfo band = dib;
  band.height = int(lines);
  band.header.biHeight = dib.top_down ? -int(lines) : int(lines);
  std::shared_ptr<gdi::Bitmap> decoded = gdi::decode_dib(band, bits_of(band, bits));
  if (!decoded) return 0;
  for (int y = 0; y < int(lines); ++y) {
    // Row y of the band is scan line start + (lines - 1 - y) counted from the bottom.
    int scan = dib.top_down ? int(start) + y : int(start) + int(lines) - 1 - y;
    int target_row = dib.top_down ? scan : dib.height - 1 - scan;
    if (target_row < 0 || target_row >= target.height()) continue;
    int w = std::min(target.width(), decoded->width());
    for (int x = 0; x < w; ++x) {
      uint32_t p = decoded->at(x, y);
      target.at(x, target_row) = target.monochrome() ? gdi::mono_pixel_of(gdi::colour_of(p)) : p;
    }
  }
  return int(lines);
}
