#include "platform/gdi/core/metafile_player.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <queue>
#include <vector>

#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/device_context.h"
#include "platform/gdi/core/dib.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/metafile_format.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/core/text_api.h"

namespace gdi {

namespace {

using namespace wmf;

class Player {
 public:
  explicit Player(HDC hdc) : hdc_(hdc) {}
  ~Player() {
    for (HGDIOBJ h : slots_)
      if (h) DeleteObject(h);
  }

  bool play(std::span<const uint8_t> bytes) {
    if (bytes.size() > kMaxMetafileBytes) return false;
    base::ByteReader r(bytes);
    Header header;
    if (!read_header(r, header)) return false;
    slots_.assign(header.objects, nullptr);
    int saved = SaveDC(hdc_);
    while (r.remaining() >= 6) {
      uint32_t words = r.u32();
      uint16_t function = r.u16();
      if (words < 3 || (uint64_t(words) - 3) * 2 > r.remaining()) break;
      base::ByteReader params = r.sub((size_t(words) - 3) * 2);
      if (function == META_EOF) break;
      record(function, params);
    }
    RestoreDC(hdc_, saved);
    return true;
  }

 private:
  // The record's parameters as signed words.
  static std::vector<int16_t> words_of(base::ByteReader p) {
    std::vector<int16_t> w(p.remaining() / 2);
    for (int16_t& v : w) v = p.i16();
    return w;
  }
  static COLORREF colour(const std::vector<int16_t>& w, size_t i) {
    return COLORREF(uint16_t(w[i])) | (COLORREF(uint16_t(w[i + 1])) << 16);
  }

  // Puts a new object in the lowest free slot; without one the object is dropped. The slots are
  // used from the first up and the ones emptied below the highest used wait in a heap, so a picture
  // of many objects does not search the table for every one.
  void keep(HGDIOBJ object) {
    if (!object) return;
    size_t at = 0;
    if (!emptied_.empty()) {
      at = emptied_.top();
      emptied_.pop();
    } else if (unused_ < slots_.size()) {
      at = unused_++;
    } else {
      DeleteObject(object);
      return;
    }
    slots_[at] = object;
  }
  HGDIOBJ slot(int16_t index) const {
    return index >= 0 && size_t(index) < slots_.size() ? slots_[size_t(index)] : nullptr;
  }

  void record(uint16_t f, base::ByteReader p) {
    std::vector<int16_t> w = words_of(p);
    auto need = [&](size_t n) { return w.size() >= n; };
    switch (f) {
      case META_SETBKCOLOR: if (need(2)) SetBkColor(hdc_, colour(w, 0)); break;
      case META_SETTEXTCOLOR: if (need(2)) SetTextColor(hdc_, colour(w, 0)); break;
      case META_SETBKMODE: if (need(1)) SetBkMode(hdc_, w[0]); break;
      case META_SETMAPMODE: if (need(1)) SetMapMode(hdc_, w[0]); break;
      case META_SETROP2: if (need(1)) SetROP2(hdc_, w[0]); break;
      case META_SETPOLYFILLMODE: if (need(1)) SetPolyFillMode(hdc_, w[0]); break;
      case META_SETSTRETCHBLTMODE: if (need(1)) SetStretchBltMode(hdc_, w[0]); break;
      case META_SETTEXTCHAREXTRA: if (need(1)) SetTextCharacterExtra(hdc_, w[0]); break;
      case META_SETTEXTALIGN: if (need(1)) SetTextAlign(hdc_, uint16_t(w[0])); break;
      case META_SETWINDOWORG: if (need(2)) SetWindowOrgEx(hdc_, w[1], w[0], nullptr); break;
      case META_SETWINDOWEXT: if (need(2)) SetWindowExtEx(hdc_, w[1], w[0], nullptr); break;
      case META_SETVIEWPORTORG: if (need(2)) SetViewportOrgEx(hdc_, w[1], w[0], nullptr); break;
      case META_SETVIEWPORTEXT: if (need(2)) SetViewportExtEx(hdc_, w[1], w[0], nullptr); break;
      case META_OFFSETWINDOWORG: if (need(2)) OffsetWindowOrgEx(hdc_, w[1], w[0], nullptr); break;
      case META_OFFSETVIEWPORTORG: if (need(2)) OffsetViewportOrgEx(hdc_, w[1], w[0], nullptr); break;
      case META_SCALEWINDOWEXT:
        if (need(4)) ScaleWindowExtEx(hdc_, w[3], w[2], w[1], w[0], nullptr);
        break;
      case META_SCALEVIEWPORTEXT:
        if (need(4)) ScaleViewportExtEx(hdc_, w[3], w[2], w[1], w[0], nullptr);
        break;
      case META_MOVETO: if (need(2)) MoveToEx(hdc_, w[1], w[0], nullptr); break;
      case META_LINETO: if (need(2)) LineTo(hdc_, w[1], w[0]); break;
      case META_EXCLUDECLIPRECT: if (need(4)) ExcludeClipRect(hdc_, w[3], w[2], w[1], w[0]); break;
      case META_INTERSECTCLIPRECT: if (need(4)) IntersectClipRect(hdc_, w[3], w[2], w[1], w[0]); break;
      case META_OFFSETCLIPRGN: if (need(2)) OffsetClipRgn(hdc_, w[1], w[0]); break;
      case META_RECTANGLE:
      case META_ROUNDRECT: {
        size_t at = f == META_ROUNDRECT ? 2 : 0;  // the corner size comes first and is not used
        if (need(at + 4)) Rectangle(hdc_, w[at + 3], w[at + 2], w[at + 1], w[at]);
        break;
      }
      case META_ELLIPSE: if (need(4)) Ellipse(hdc_, w[3], w[2], w[1], w[0]); break;
      case META_ARC:
        if (need(8)) Arc(hdc_, w[7], w[6], w[5], w[4], w[3], w[2], w[1], w[0]);
        break;
      case META_SETPIXEL: if (need(4)) SetPixel(hdc_, w[3], w[2], colour(w, 0)); break;
      case META_FLOODFILL: if (need(4)) ExtFloodFill(hdc_, w[3], w[2], colour(w, 0), FLOODFILLBORDER); break;
      case META_EXTFLOODFILL:
        if (need(5)) ExtFloodFill(hdc_, w[4], w[3], colour(w, 1), UINT(uint16_t(w[0])));
        break;
      case META_PATBLT:
        if (need(6)) PatBlt(hdc_, w[5], w[4], w[3], w[2], colour(w, 0));
        break;
      case META_SAVEDC: SaveDC(hdc_); break;
      case META_RESTOREDC: if (need(1)) RestoreDC(hdc_, w[0]); break;
      case META_POLYGON:
      case META_POLYLINE: poly(f, w); break;
      case META_POLYPOLYGON: poly_polygon(w); break;
      case META_TEXTOUT: text_out(p); break;
      case META_EXTTEXTOUT: ext_text_out(p); break;
      case META_CREATEPENINDIRECT:
        if (need(5)) {
          LOGPEN pen{UINT(uint16_t(w[0])), {w[1], w[2]}, colour(w, 3)};
          keep(CreatePenIndirect(&pen));
        } else {
          keep(GetStockObject(NULL_PEN));
        }
        break;
      case META_CREATEBRUSHINDIRECT:
        if (need(4)) {
          LOGBRUSH brush{UINT(uint16_t(w[0])), colour(w, 1), std::uintptr_t(uint16_t(w[3]))};
          HBRUSH b = CreateBrushIndirect(&brush);
          keep(b ? HGDIOBJ(b) : GetStockObject(NULL_BRUSH));
        }
        break;
      case META_CREATEFONTINDIRECT: create_font(p); break;
      case META_DIBCREATEPATTERNBRUSH: pattern_brush(p); break;
      case META_CREATEPALETTE: create_palette(w); break;
      case META_CREATEREGION: create_region(w); break;
      case META_SELECTOBJECT: if (need(1)) select(slot(w[0])); break;
      case META_SELECTPALETTE:
        if (need(1)) SelectPalette(hdc_, static_cast<HPALETTE>(slot(w[0])), FALSE);
        break;
      case META_REALIZEPALETTE: RealizePalette(hdc_); break;
      case META_SELECTCLIPREGION: if (need(1)) select_clip(slot(w[0])); break;
      case META_DELETEOBJECT:
        if (need(1) && slot(w[0])) {
          if (!is_stock_object(slots_[size_t(w[0])])) DeleteObject(slots_[size_t(w[0])]);
          slots_[size_t(w[0])] = nullptr;
          emptied_.push(size_t(w[0]));
        }
        break;
      case META_DIBBITBLT:
      case META_DIBSTRETCHBLT:
      case META_STRETCHDIB: blit(f, p, w); break;
      default: break;  // other records draw nothing we need
    }
  }

  void select(HGDIOBJ object) {
    if (object && GetObjectType(object) != OBJ_REGION && GetObjectType(object) != OBJ_PAL)
      SelectObject(hdc_, object);
  }

  void select_clip(HGDIOBJ object) {
    RECT box;
    if (GetRgnBox(static_cast<HRGN>(object), &box) == ERROR) return;
    // Regions in a picture are logical; the clip is kept in device coordinates.
    LPtoDP(hdc_, reinterpret_cast<POINT*>(&box), 2);
    HRGN device = CreateRectRgnIndirect(&box);
    SelectClipRgn(hdc_, device);
    DeleteObject(device);
  }

  void poly(uint16_t f, const std::vector<int16_t>& w) {
    if (w.empty() || w[0] < 2 || size_t(w[0]) * 2 + 1 > w.size()) return;
    std::vector<POINT> points;
    for (int i = 0; i < w[0]; ++i) points.push_back({w[size_t(1 + 2 * i)], w[size_t(2 + 2 * i)]});
    if (f == META_POLYGON) Polygon(hdc_, points.data(), int(points.size()));
    else Polyline(hdc_, points.data(), int(points.size()));
  }

  void poly_polygon(const std::vector<int16_t>& w) {
    if (w.empty() || w[0] <= 0 || size_t(w[0]) + 1 > w.size()) return;
    std::vector<int> counts;
    size_t total = 0;
    for (int i = 0; i < w[0]; ++i) {
      if (w[size_t(1 + i)] < 2) return;
      counts.push_back(w[size_t(1 + i)]);
      total += size_t(counts.back());
    }
    size_t at = 1 + size_t(w[0]);
    if (at + 2 * total > w.size()) return;
    std::vector<POINT> points;
    for (size_t i = 0; i < total; ++i) points.push_back({w[at + 2 * i], w[at + 2 * i + 1]});
    PolyPolygon(hdc_, points.data(), counts.data(), int(counts.size()));
  }

  void text_out(base::ByteReader p) {
    int16_t count = p.i16();
    std::span<const uint8_t> text;
    if (count <= 0 || !p.view(size_t(count), text)) return;
    if (count & 1) p.skip(1);
    int16_t y = p.i16(), x = p.i16();
    if (!p.ok()) return;
    TextOut(hdc_, x, y, reinterpret_cast<const char*>(text.data()), count);
  }

  void ext_text_out(base::ByteReader p) {
    int16_t y = p.i16(), x = p.i16(), count = p.i16();
    uint16_t options = p.u16();
    RECT rect{};
    bool has_rect = options & (ETO_OPAQUE | ETO_CLIPPED);
    if (has_rect) rect = {p.i16(), p.i16(), p.i16(), p.i16()};
    std::span<const uint8_t> text;
    if (!p.ok() || count < 0 || !p.view(size_t(count), text)) return;
    if (count & 1) p.skip(1);
    std::vector<int> dx;
    if (p.remaining() >= size_t(count) * 2) {
      for (int i = 0; i < count; ++i) dx.push_back(p.i16());
    }
    ExtTextOut(hdc_, x, y, options & (ETO_OPAQUE | ETO_CLIPPED), has_rect ? &rect : nullptr,
               reinterpret_cast<const char*>(text.data()), UINT(count), dx.empty() ? nullptr : dx.data());
  }

  void create_font(base::ByteReader p) {
    LOGFONT lf{};
    lf.lfHeight = p.i16();
    lf.lfWidth = p.i16();
    lf.lfEscapement = p.i16();
    lf.lfOrientation = p.i16();
    lf.lfWeight = p.i16();
    lf.lfItalic = p.u8();
    lf.lfUnderline = p.u8();
    lf.lfStrikeOut = p.u8();
    lf.lfCharSet = p.u8();
    lf.lfOutPrecision = p.u8();
    lf.lfClipPrecision = p.u8();
    lf.lfQuality = p.u8();
    lf.lfPitchAndFamily = p.u8();
    if (!p.ok()) {
      keep(GetStockObject(SYSTEM_FONT));
      return;
    }
    size_t n = std::min<size_t>(p.remaining(), LF_FACESIZE - 1);
    p.bytes(lf.lfFaceName, n);
    keep(CreateFontIndirect(&lf));
  }

  void pattern_brush(base::ByteReader p) {
    p.u16();  // style
    uint16_t usage = p.u16();
    std::span<const uint8_t> dib;
    p.view(p.remaining(), dib);
    DibInfo info;
    std::shared_ptr<Bitmap> pattern;
    if (read_dib_info(dib, usage, {}, info)) pattern = decode_dib(info, dib.subspan(info.info_size));
    if (!pattern) {
      keep(GetStockObject(NULL_BRUSH));
      return;
    }
    HBITMAP bitmap = static_cast<HBITMAP>(create_object(BitmapObject{pattern}));
    keep(CreatePatternBrush(bitmap));
    DeleteObject(bitmap);
  }

  void create_palette(const std::vector<int16_t>& w) {
    if (w.size() < 2 || w[1] <= 0 || size_t(w[1]) * 2 + 2 > w.size()) {
      keep(GetStockObject(DEFAULT_PALETTE));
      return;
    }
    std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * size_t(w[1]));
    auto* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = WORD(w[1]);
    std::memcpy(palette->palPalEntry, w.data() + 2, sizeof(PALETTEENTRY) * size_t(w[1]));
    keep(CreatePalette(palette));
  }

  void create_region(const std::vector<int16_t>& w) {
    // The region's bounding rectangle (words 7 to 10) stands for the region.
    if (w.size() >= 11) keep(CreateRectRgn(w[7], w[8], w[9], w[10]));
    else keep(CreateRectRgn(0, 0, 0, 0));
  }

  void blit(uint16_t f, base::ByteReader p, const std::vector<int16_t>& w) {
    // Without a bitmap the record is a pattern fill and has one more (unused) word after the
    // raster operation.
    size_t fixed = f == META_DIBBITBLT ? 8 : f == META_DIBSTRETCHBLT ? 10 : 11;
    bool bitmap_present = f == META_STRETCHDIB || w.size() > fixed + 1;
    if (w.size() < fixed) return;
    DWORD rop = colour(w, 0);
    if (!bitmap_present) {
      size_t at = 3;
      if (f == META_DIBBITBLT) {
        if (w.size() < 9) return;
        PatBlt(hdc_, w[at + 5], w[at + 4], w[at + 3], w[at + 2], rop);
      } else if (w.size() >= 11) {
        PatBlt(hdc_, w[at + 7], w[at + 6], w[at + 5], w[at + 4], rop);
      }
      return;
    }
    size_t at = f == META_STRETCHDIB ? 3 : 2;
    uint16_t usage = f == META_STRETCHDIB ? uint16_t(w[2]) : DIB_RGB_COLORS;
    int src_h, src_w, ys, xs, dst_h, dst_w, yd, xd;
    if (f == META_DIBBITBLT) {
      ys = w[at], xs = w[at + 1], dst_h = src_h = w[at + 2], dst_w = src_w = w[at + 3];
      yd = w[at + 4], xd = w[at + 5];
    } else {
      src_h = w[at], src_w = w[at + 1], ys = w[at + 2], xs = w[at + 3];
      dst_h = w[at + 4], dst_w = w[at + 5], yd = w[at + 6], xd = w[at + 7];
    }
    p.skip(fixed * 2);
    std::span<const uint8_t> dib;
    p.view(p.remaining(), dib);
    DibInfo info;
    if (!read_dib_info(dib, usage, {}, info)) return;
    std::shared_ptr<Bitmap> bitmap = decode_dib(info, dib.subspan(info.info_size));
    if (!bitmap) return;
    // A stretched DIB counts source rows from the bottom of a bottom-up DIB; the blits read a
    // bitmap, whose rows count from the top.
    int top = (f == META_STRETCHDIB && !info.top_down) ? info.height - (ys + src_h) : ys;
    draw_bitmap(hdc_, RECT{xd, yd, xd + dst_w, yd + dst_h}, *bitmap, RECT{xs, top, xs + src_w, top + src_h}, rop);
  }

  HDC hdc_;
  std::vector<HGDIOBJ> slots_;
  size_t unused_ = 0;  // the slots from here on have never held an object
  std::priority_queue<size_t, std::vector<size_t>, std::greater<size_t>> emptied_;
};

}  // namespace

bool play_metafile(HDC hdc, std::span<const uint8_t> bytes) {
  if (!context_of(hdc)) return false;
  Player player(hdc);
  return player.play(bytes);
}

}  // namespace gdi
