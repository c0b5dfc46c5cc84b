#include "platform/controls/image_list.h"

#include <algorithm>

#include "platform/gdi/core/bitmap_api.h"
#include "platform/win/system_metrics.h"

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  (void)nGrow;
  if (cx <= 0 || cy <= 0) return FALSE;
  m_cx = cx;
  m_cy = cy;
  m_masked = (nFlags & ILC_MASK) != 0;
  m_background = CLR_NONE;
  m_images.clear();
  m_images.reserve(size_t(std::max(nInitial, 0)));
  m_overlays.fill(0);
  return TRUE;
}

BOOL CImageList::DeleteImageList() {
  if (!IsCreated()) return FALSE;
  m_cx = m_cy = 0;
  m_images.clear();
  m_overlays.fill(0);
  return TRUE;
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) { return add_strip(pbmImage, nullptr, crMask); }

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) { return add_strip(pbmImage, pbmMask, CLR_NONE); }

namespace {
// The bitmap's pixels row by row from the top; empty for a bad bitmap.
std::vector<COLORREF> pixels_of(CBitmap* bitmap, int width, int height) {
  CDC dc;
  if (!dc.CreateCompatibleDC(nullptr)) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  // Rows of blue, green, red, unused bytes, the bottom row first.
  std::vector<BYTE> rows(size_t(width) * size_t(height) * 4);
  if (GetDIBits(dc, *bitmap, 0, UINT(height), rows.data(), &info, DIB_RGB_COLORS) != height) return {};
  std::vector<COLORREF> pixels(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y) {
    const BYTE* row = rows.data() + size_t(height - 1 - y) * size_t(width) * 4;
    for (int x = 0; x < width; ++x) {
      pixels[size_t(y) * size_t(width) + size_t(x)] = RGB(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
    }
  }
  return pixels;
}
}  // namespace

int CImageList::add_strip(CBitmap* image, CBitmap* mask, COLORREF mask_colour) {
  BITMAP info{};
  if (!IsCreated() || !image || !image->GetBitmap(&info) || info.bmWidth <= 0 || info.bmHeight <= 0) return -1;
  int width = int(info.bmWidth), height = int(info.bmHeight);
  BITMAP mask_info{};
  if (mask && (!mask->GetBitmap(&mask_info) || mask_info.bmWidth != width || mask_info.bmHeight != height)) return -1;
  std::vector<COLORREF> pixels = pixels_of(image, width, height);
  std::vector<COLORREF> mask_pixels = mask ? pixels_of(mask, width, height) : std::vector<COLORREF>();
  if (pixels.empty() || (mask && mask_pixels.empty())) return -1;
  // A strip narrower than one image still gives one image, padded with transparent pixels.
  int count = std::max(1, width / m_cx);
  int first = GetImageCount();
  for (int n = 0; n < count; ++n) {
    Image one;
    one.pixels.assign(size_t(m_cx) * size_t(m_cy), RGB(0, 0, 0));
    one.clear.assign(one.pixels.size(), m_masked);
    for (int y = 0; y < std::min(m_cy, height); ++y) {
      for (int x = 0; x < m_cx && n * m_cx + x < width; ++x) {
        size_t from = size_t(y) * size_t(width) + size_t(n * m_cx + x);
        size_t at = size_t(y) * size_t(m_cx) + size_t(x);
        one.pixels[at] = pixels[from];
        if (m_masked) one.clear[at] = mask ? mask_pixels[from] != RGB(0, 0, 0) : pixels[from] == mask_colour;
      }
    }
    m_images.push_back(std::move(one));
  }
  return first;
}

BOOL CImageList::Remove(int nImage) {
  if (nImage == -1) {
    m_images.clear();
    m_overlays.fill(0);
    return TRUE;
  }
  if (nImage < 0 || nImage >= GetImageCount()) return FALSE;
  m_images.erase(m_images.begin() + nImage);
  // Overlays keep pointing at the same pictures; one whose picture is gone is dropped.
  for (int& o : m_overlays) {
    if (o == nImage + 1) {
      o = 0;
    } else if (o > nImage + 1) {
      --o;
    }
  }
  return TRUE;
}

BOOL CImageList::GetIconSize(int& cx, int& cy) const {
  if (!IsCreated()) return FALSE;
  cx = m_cx;
  cy = m_cy;
  return TRUE;
}

COLORREF CImageList::SetBkColor(COLORREF cr) {
  COLORREF old = m_background;
  m_background = cr;
  return old;
}

BOOL CImageList::SetOverlayImage(int nImage, int nOverlay) {
  if (nImage < 0 || nImage >= GetImageCount() || nOverlay < 1 || nOverlay > 15) return FALSE;
  m_overlays[size_t(nOverlay)] = nImage + 1;
  return TRUE;
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) const {
  if (!pDC || nImage < 0 || nImage >= GetImageCount()) return FALSE;
  draw_one(pDC->GetSafeHdc(), m_images[size_t(nImage)], pt, nStyle, false);
  UINT overlay = (nStyle & ILD_OVERLAYMASK) >> 8;
  if (overlay && m_overlays[overlay]) draw_one(pDC->GetSafeHdc(), m_images[size_t(m_overlays[overlay] - 1)], pt, nStyle, true);
  return TRUE;
}

namespace {
// Mixes `c` with `with`, `part` quarters of `with`.
COLORREF mix(COLORREF c, COLORREF with, int part) {
  auto channel = [&](BYTE a, BYTE b) { return BYTE((a * (4 - part) + b * part) / 4); };
  return RGB(channel(GetRValue(c), GetRValue(with)), channel(GetGValue(c), GetGValue(with)),
             channel(GetBValue(c), GetBValue(with)));
}
}  // namespace

void CImageList::draw_one(HDC hdc, const Image& image, POINT pt, UINT style, bool overlay) const {
  // Overlays and transparent drawing leave what lies under transparent pixels; normal drawing
  // fills them with the background colour unless that is CLR_NONE.
  bool see_through = overlay || (style & ILD_TRANSPARENT) || m_background == CLR_NONE;
  int blend = (style & ILD_BLEND50) ? 2 : (style & ILD_BLEND25) ? 1 : 0;
  COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  for (int y = 0; y < m_cy; ++y) {
    for (int x = 0; x < m_cx; ++x) {
      size_t at = size_t(y) * size_t(m_cx) + size_t(x);
      bool clear = image.clear[at];
      if (style & ILD_MASK) {
        // The mask itself: black where the image is, white where it is transparent.
        if (!clear || !overlay) ::SetPixel(hdc, pt.x + x, pt.y + y, clear ? RGB(255, 255, 255) : RGB(0, 0, 0));
        continue;
      }
      if (clear && see_through) continue;
      COLORREF c = clear ? m_background : image.pixels[at];
      if (!clear && blend) c = mix(c, highlight, blend);
      ::SetPixel(hdc, pt.x + x, pt.y + y, c);
    }
  }
}
