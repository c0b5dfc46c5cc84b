#include "platform/framework/tool_bar_images.h"

#include <vector>

#include "platform/gdi/core/dib.h"
#include "platform/win/system_metrics.h"

namespace framework::toolbar {

namespace {

// The artwork's colours (0xRRGGBB) and the system colours they stand for.
constexpr uint32_t kArtBlack = 0x000000;
constexpr uint32_t kArtShadow = 0x808080;
constexpr uint32_t kArtFace = 0xC0C0C0;
constexpr uint32_t kArtHighlight = 0xFFFFFF;

// PSDPxax: the brush where the source is black, the destination where it is white.
constexpr DWORD kBrushThroughBlack = 0x00B8074A;

uint32_t rgb_of(COLORREF c) { return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c); }

uint32_t mapped(uint32_t art) {
  switch (art) {
    case kArtBlack: return rgb_of(GetSysColor(COLOR_BTNTEXT));
    case kArtShadow: return rgb_of(GetSysColor(COLOR_BTNSHADOW));
    case kArtFace: return rgb_of(GetSysColor(COLOR_BTNFACE));
    case kArtHighlight: return rgb_of(GetSysColor(COLOR_BTNHIGHLIGHT));
    default: return art;
  }
}

// A monochrome bitmap, white where `white` says: rows top down, padded to 16 bits, high bit first.
HBITMAP make_mask(const gdi::Bitmap& art, bool (*white)(uint32_t)) {
  int w = art.width(), h = art.height();
  size_t stride = size_t((w + 15) / 16) * 2;
  std::vector<uint8_t> bits(stride * size_t(h), 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (white(art.at(x, y) & 0xFFFFFF)) bits[stride * size_t(y) + size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
    }
  }
  return CreateBitmap(w, h, 1, 1, bits.data());
}

bool is_face(uint32_t art) { return art == kArtFace; }
bool is_light(uint32_t art) { return art == kArtFace || art == kArtHighlight; }

void blit(CDC* pDC, CPoint at, CSize size, const CBitmap& bitmap, CPoint from, DWORD rop) {
  CDC memory;
  if (!memory.CreateCompatibleDC(pDC)) return;
  HGDIOBJ old = memory.SelectObject(bitmap.m_hObject);
  pDC->BitBlt(at.x, at.y, size.cx, size.cy, &memory, from.x, from.y, rop);
  memory.SelectObject(old);
}

// Draws the dark pixels of the image in `colour`.
void draw_dark(CDC* pDC, const CBitmap& dark, CPoint at, CSize size, CPoint from, COLORREF colour) {
  CBrush brush(colour);
  CBrush* old = pDC->SelectObject(&brush);
  blit(pDC, at, size, dark, from, kBrushThroughBlack);
  pDC->SelectObject(old);
}

}  // namespace

bool ImageStrip::load(std::span<const uint8_t> dib) {
  std::shared_ptr<gdi::Bitmap> art = gdi::decode_packed_dib(dib);
  if (!art || art->width() <= 0 || art->height() <= 0) return false;
  int w = art->width(), h = art->height();
  // The images in the system's colours, transparent pixels black (so they can be OR-ed on).
  std::vector<uint32_t> pixels(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t p = art->at(x, y) & 0xFFFFFF;
      pixels[size_t(y) * size_t(w) + size_t(x)] = is_face(p) ? 0 : mapped(p);
    }
  }
  HBITMAP colour = CreateBitmap(w, h, 1, 32, pixels.data());
  HBITMAP transparent = make_mask(*art, &is_face);
  HBITMAP dark = make_mask(*art, &is_light);
  if (!colour || !transparent || !dark) {
    for (HBITMAP b : {colour, transparent, dark}) {
      if (b) DeleteObject(b);
    }
    return false;
  }
  colour_.DeleteObject();
  transparent_.DeleteObject();
  dark_.DeleteObject();
  colour_.Attach(colour);
  transparent_.Attach(transparent);
  dark_.Attach(dark);
  width_ = w;
  height_ = h;
  return true;
}

int ImageStrip::count(CSize image) const {
  if (!loaded() || image.cx <= 0 || image.cy <= 0 || image.cy > height_) return 0;
  return width_ / int(image.cx);
}

void ImageStrip::draw(CDC* pDC, int index, CSize image, CPoint at, Look look) const {
  if (index < 0 || index >= count(image)) return;
  CPoint from(index * int(image.cx), 0);
  int saved = pDC->SaveDC();
  // Monochrome masks turn into black for their black and white for their white pixels.
  pDC->SetTextColor(RGB(0, 0, 0));
  pDC->SetBkColor(RGB(255, 255, 255));
  switch (look) {
    case Look::normal:
      blit(pDC, at, image, transparent_, from, SRCAND);
      blit(pDC, at, image, colour_, from, SRCPAINT);
      break;
    case Look::disabled:
      // Embossed: the dark pixels in highlight one pixel down and right, then in shadow.
      draw_dark(pDC, dark_, at + CPoint(1, 1), image, from, GetSysColor(COLOR_BTNHIGHLIGHT));
      draw_dark(pDC, dark_, at, image, from, GetSysColor(COLOR_BTNSHADOW));
      break;
    case Look::indeterminate:
      draw_dark(pDC, dark_, at, image, from, GetSysColor(COLOR_BTNSHADOW));
      break;
  }
  pDC->RestoreDC(saved);
}

}  // namespace framework::toolbar
