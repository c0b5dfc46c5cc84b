#include "platform/controls/image_list.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <vector>

#include "platform/base/archive.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/icons.h"
#include "platform/gdi/core/object_api.h"
#include "platform/win/bitmap_loading.h"
#include "platform/win/cwnd.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"

namespace {

struct Image {
  std::vector<COLORREF> pixels;  // row by row, cx by cy
  std::vector<bool> clear;       // transparent pixels
};

struct ListData {
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
  COLORREF background = CLR_NONE;
  std::vector<Image> images;
  std::array<int, 16> overlays{};  // overlay index → image + 1; 0 for none

  bool masked() const { return (flags & ILC_MASK) != 0; }
  bool valid(int i) const { return i >= 0 && i < int(images.size()); }
  Image blank() const {
    Image one;
    one.pixels.assign(size_t(cx) * size_t(cy), RGB(0, 0, 0));
    one.clear.assign(one.pixels.size(), masked());
    return one;
  }
};

// Live lists by handle number. Numbers are never reused, so a destroyed list's handle stays
// recognisably stale.
struct ListTable {
  std::map<std::uintptr_t, std::unique_ptr<ListData>> lists;
  std::uintptr_t next = 1;
  std::map<std::uintptr_t, CImageList*> holders;                   // for FromHandle
  std::map<std::uintptr_t, std::unique_ptr<CImageList>> wrappers;  // made by FromHandle
};

// Never destroyed: image lists held by other statics may go after it.
ListTable& table() {
  static ListTable* t = new ListTable;
  return *t;
}

std::uintptr_t number_of(HIMAGELIST h) { return reinterpret_cast<std::uintptr_t>(h); }

ListData* data_of(HIMAGELIST h) {
  auto it = table().lists.find(number_of(h));
  return it == table().lists.end() ? nullptr : it->second.get();
}

HIMAGELIST add_list(std::unique_ptr<ListData> data) {
  ListTable& t = table();
  std::uintptr_t n = t.next++;
  t.lists[n] = std::move(data);
  return reinterpret_cast<HIMAGELIST>(n);
}

// Sizes an image list accepts, from callers and from archives alike.
constexpr int kMaxSide = 1024;
bool size_allowed(int cx, int cy) { return cx > 0 && cy > 0 && cx <= kMaxSide && cy <= kMaxSide; }

// The bitmap's pixels row by row from the top; empty for a bad bitmap.
std::vector<COLORREF> pixels_of(HBITMAP bitmap, int width, int height) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  // Rows of blue, green, red, unused bytes, the bottom row first.
  std::vector<BYTE> rows(size_t(width) * size_t(height) * 4);
  int got = GetDIBits(dc, bitmap, 0, UINT(height), rows.data(), &info, DIB_RGB_COLORS);
  DeleteDC(dc);
  if (got != height) return {};
  std::vector<COLORREF> pixels(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y) {
    const BYTE* row = rows.data() + size_t(height - 1 - y) * size_t(width) * 4;
    for (int x = 0; x < width; ++x) {
      pixels[size_t(y) * size_t(width) + size_t(x)] = RGB(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
    }
  }
  return pixels;
}

// A bitmap (monochrome when asked) of the pixels, row by row from the top.
HBITMAP bitmap_of(const std::vector<COLORREF>& pixels, int width, int height, bool monochrome) {
  HBITMAP bitmap = CreateBitmap(width, height, 1, monochrome ? 1 : 32, nullptr);
  if (!bitmap) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<BYTE> rows(size_t(width) * size_t(height) * 4);
  for (int y = 0; y < height; ++y) {
    BYTE* row = rows.data() + size_t(height - 1 - y) * size_t(width) * 4;
    for (int x = 0; x < width; ++x) {
      COLORREF c = pixels[size_t(y) * size_t(width) + size_t(x)];
      row[x * 4] = GetBValue(c);
      row[x * 4 + 1] = GetGValue(c);
      row[x * 4 + 2] = GetRValue(c);
    }
  }
  HDC dc = CreateCompatibleDC(nullptr);
  int set = dc ? SetDIBits(dc, bitmap, 0, UINT(height), rows.data(), &info, DIB_RGB_COLORS) : 0;
  if (dc) DeleteDC(dc);
  if (set != height) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

int bitmap_size(HBITMAP bitmap, int& width, int& height) {
  BITMAP info{};
  if (!bitmap || !GetObject(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return 0;
  width = int(info.bmWidth);
  height = int(info.bmHeight);
  return 1;
}

// Cuts a strip into images of the list's size. A strip narrower than one image still gives one,
// padded with transparent pixels. With `mask` its set (white) pixels are transparent, otherwise
// the pixels of `mask_colour`. Empty for a bad bitmap.
std::vector<Image> cut_strip(const ListData& d, HBITMAP image, HBITMAP mask, COLORREF mask_colour) {
  int width = 0, height = 0, mask_width = 0, mask_height = 0;
  if (!bitmap_size(image, width, height)) return {};
  if (mask && (!bitmap_size(mask, mask_width, mask_height) || mask_width != width || mask_height != height)) return {};
  std::vector<COLORREF> pixels = pixels_of(image, width, height);
  std::vector<COLORREF> mask_pixels = mask ? pixels_of(mask, width, height) : std::vector<COLORREF>();
  if (pixels.empty() || (mask && mask_pixels.empty())) return {};
  std::vector<Image> images;
  int count = std::max(1, width / d.cx);
  for (int n = 0; n < count; ++n) {
    Image one = d.blank();
    for (int y = 0; y < std::min(d.cy, height); ++y) {
      for (int x = 0; x < d.cx && n * d.cx + x < width; ++x) {
        size_t from = size_t(y) * size_t(width) + size_t(n * d.cx + x);
        size_t at = size_t(y) * size_t(d.cx) + size_t(x);
        one.pixels[at] = pixels[from];
        if (d.masked()) one.clear[at] = mask ? mask_pixels[from] != RGB(0, 0, 0) : pixels[from] == mask_colour;
      }
    }
    images.push_back(std::move(one));
  }
  return images;
}

// The icon scaled (nearest pixel) to the list's size; false for a bad icon.
bool image_of_icon(const ListData& d, HICON icon, Image& out) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return false;
  int width = 0, height = 0;
  bool ok = bitmap_size(info.hbmColor, width, height) != 0;
  std::vector<COLORREF> colour = ok ? pixels_of(info.hbmColor, width, height) : std::vector<COLORREF>();
  std::vector<COLORREF> mask = ok ? pixels_of(info.hbmMask, width, height) : std::vector<COLORREF>();
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  if (colour.empty() || mask.empty()) return false;
  out = d.blank();
  for (int y = 0; y < d.cy; ++y) {
    for (int x = 0; x < d.cx; ++x) {
      size_t from = size_t(y * height / d.cy) * size_t(width) + size_t(x * width / d.cx);
      size_t at = size_t(y) * size_t(d.cx) + size_t(x);
      out.pixels[at] = colour[from];
      // Without a mask of its own the list keeps the icon's transparent pixels black.
      bool clear = mask[from] != RGB(0, 0, 0);
      out.clear[at] = clear && d.masked();
      if (clear && !d.masked()) out.pixels[at] = RGB(0, 0, 0);
    }
  }
  return true;
}

// Mixes `c` with `with`, `part` quarters of `with`.
COLORREF mix(COLORREF c, COLORREF with, int part) {
  auto channel = [&](BYTE a, BYTE b) { return BYTE((a * (4 - part) + b * part) / 4); };
  return RGB(channel(GetRValue(c), GetRValue(with)), channel(GetGValue(c), GetGValue(with)),
             channel(GetBValue(c), GetBValue(with)));
}

// Draws (part of) one image. Overlays and transparent drawing leave what lies under transparent
// pixels; normal drawing fills them with the background colour unless that is CLR_NONE.
void draw_one(HDC hdc, const ListData& d, const Image& image, const IMAGELISTDRAWPARAMS& p, bool overlay) {
  COLORREF background = p.rgbBk == CLR_DEFAULT ? d.background : p.rgbBk;
  bool see_through = overlay || (p.fStyle & ILD_TRANSPARENT) || background == CLR_NONE;
  int blend = (p.fStyle & ILD_BLEND50) ? 2 : (p.fStyle & ILD_BLEND25) ? 1 : 0;
  COLORREF fore = p.rgbFg == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : p.rgbFg;
  int x0 = std::clamp(p.xBitmap, 0, d.cx), y0 = std::clamp(p.yBitmap, 0, d.cy);
  int w = std::min(p.cx > 0 ? p.cx : d.cx, d.cx - x0), h = std::min(p.cy > 0 ? p.cy : d.cy, d.cy - y0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      size_t at = size_t(y0 + y) * size_t(d.cx) + size_t(x0 + x);
      bool clear = image.clear[at];
      int tx = p.x + x, ty = p.y + y;
      if (p.fStyle & ILD_MASK) {
        // The mask itself: black where the image is, white where it is transparent.
        if (!clear || !overlay) SetPixel(hdc, tx, ty, clear ? RGB(255, 255, 255) : RGB(0, 0, 0));
        continue;
      }
      if (clear && see_through) continue;
      COLORREF c = clear ? background : image.pixels[at];
      if (!clear && blend) {
        // CLR_NONE blends with what the image covers, where the device can tell.
        COLORREF with = fore == CLR_NONE ? GetPixel(hdc, tx, ty) : fore;
        if (with != CLR_INVALID) c = mix(c, with, blend);
      }
      SetPixel(hdc, tx, ty, c);
    }
  }
}

// ILD_ROP: the image made whole (transparent pixels in the background colour, else black) and
// transferred with the raster operation.
bool draw_with_rop(const ListData& d, const Image& image, const IMAGELISTDRAWPARAMS& p) {
  COLORREF background = p.rgbBk == CLR_DEFAULT ? d.background : p.rgbBk;
  std::vector<COLORREF> pixels = image.pixels;
  for (size_t i = 0; i < pixels.size(); ++i) {
    if (image.clear[i]) pixels[i] = background == CLR_NONE ? RGB(0, 0, 0) : background;
  }
  HBITMAP bitmap = bitmap_of(pixels, d.cx, d.cy, false);
  HDC memory = bitmap ? CreateCompatibleDC(p.hdcDst) : nullptr;
  if (!memory) {
    if (bitmap) DeleteObject(bitmap);
    return false;
  }
  HGDIOBJ old = SelectObject(memory, bitmap);
  int w = p.cx > 0 ? std::min(p.cx, d.cx) : d.cx, h = p.cy > 0 ? std::min(p.cy, d.cy) : d.cy;
  BOOL done = BitBlt(p.hdcDst, p.x, p.y, w, h, memory, p.xBitmap, p.yBitmap, p.dwRop);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return done != 0;
}

bool draw_params(const IMAGELISTDRAWPARAMS& p) {
  const ListData* d = data_of(p.himl);
  if (!d || !p.hdcDst || !d->valid(p.i)) return false;
  const Image& image = d->images[size_t(p.i)];
  if (p.fStyle & ILD_ROP) return draw_with_rop(*d, image, p);
  draw_one(p.hdcDst, *d, image, p, false);
  UINT overlay = (p.fStyle & ILD_OVERLAYMASK) >> 8;
  if (overlay && d->overlays[overlay]) draw_one(p.hdcDst, *d, d->images[size_t(d->overlays[overlay] - 1)], p, true);
  return true;
}

}  // namespace

BOOL ImageList_Destroy(HIMAGELIST himl) {
  ListTable& t = table();
  auto it = t.lists.find(number_of(himl));
  if (it == t.lists.end()) return FALSE;
  t.lists.erase(it);
  t.holders.erase(number_of(himl));
  // A wrapper FromHandle made stays (its caller may still hold it) but holds nothing now.
  if (auto w = t.wrappers.find(number_of(himl)); w != t.wrappers.end()) w->second->m_hImageList = nullptr;
  return TRUE;
}

BOOL ImageList_DrawIndirect(const IMAGELISTDRAWPARAMS* params) { return params && draw_params(*params); }

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  (void)nGrow;
  if (!size_allowed(cx, cy)) return FALSE;
  DeleteImageList();
  auto data = std::make_unique<ListData>();
  data->cx = cx;
  data->cy = cy;
  data->flags = nFlags;
  data->images.reserve(size_t(std::clamp(nInitial, 0, 1024)));
  return Attach(add_list(std::move(data)));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
  HBITMAP strip = ::LoadBitmap(nullptr, MAKEINTRESOURCE(int(nBitmapID)));
  int width = 0, height = 0;
  bool ok = bitmap_size(strip, width, height) && Create(cx, height, ILC_COLOR24 | ILC_MASK, width / std::max(cx, 1), nGrow) &&
            Add(CBitmap::FromHandle(strip), crMask) >= 0;
  if (strip) DeleteObject(strip);
  if (!ok) DeleteImageList();
  return ok;
}

BOOL CImageList::Create(CImageList* pImageList1, int nImage1, CImageList* pImageList2, int nImage2, int dx, int dy) {
  const ListData* a = pImageList1 ? data_of(pImageList1->m_hImageList) : nullptr;
  const ListData* b = pImageList2 ? data_of(pImageList2->m_hImageList) : nullptr;
  if (!a || !b || !a->valid(nImage1) || !b->valid(nImage2)) return FALSE;
  // Both images in one frame: the first at (ax, ay), the second moved by (dx, dy) from it.
  int left = std::min(0, dx), top = std::min(0, dy);
  int cx = std::max(a->cx, dx + b->cx) - left, cy = std::max(a->cy, dy + b->cy) - top;
  if (!size_allowed(cx, cy)) return FALSE;
  auto merged = std::make_unique<ListData>();
  merged->cx = cx;
  merged->cy = cy;
  merged->flags = a->flags | ILC_MASK;
  Image one = merged->blank();
  auto place = [&](const ListData& from, const Image& image, int ox, int oy) {
    for (int y = 0; y < from.cy; ++y) {
      for (int x = 0; x < from.cx; ++x) {
        size_t src = size_t(y) * size_t(from.cx) + size_t(x);
        if (image.clear[src]) continue;
        size_t at = size_t(oy + y) * size_t(cx) + size_t(ox + x);
        one.pixels[at] = image.pixels[src];
        one.clear[at] = false;
      }
    }
  };
  place(*a, a->images[size_t(nImage1)], -left, -top);
  place(*b, b->images[size_t(nImage2)], dx - left, dy - top);
  merged->images.push_back(std::move(one));
  DeleteImageList();
  return Attach(add_list(std::move(merged)));
}

BOOL CImageList::Create(CImageList* pImageList) {
  const ListData* from = pImageList ? data_of(pImageList->m_hImageList) : nullptr;
  if (!from) return FALSE;
  auto copy = std::make_unique<ListData>(*from);
  DeleteImageList();
  return Attach(add_list(std::move(copy)));
}

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) return FALSE;
  HIMAGELIST h = Detach();
  return ImageList_Destroy(h);
}

BOOL CImageList::IsCreated() const { return data_of(m_hImageList) != nullptr; }

BOOL CImageList::Attach(HIMAGELIST hImageList) {
  if (m_hImageList || !data_of(hImageList)) return FALSE;
  m_hImageList = hImageList;
  table().holders.emplace(number_of(hImageList), this);
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST h = m_hImageList;
  m_hImageList = nullptr;
  auto& holders = table().holders;
  if (auto it = holders.find(number_of(h)); it != holders.end() && it->second == this) holders.erase(it);
  return h;
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList) {
  if (!data_of(hImageList)) return nullptr;
  ListTable& t = table();
  if (auto it = t.holders.find(number_of(hImageList)); it != t.holders.end()) return it->second;
  std::unique_ptr<CImageList>& wrapper = t.wrappers[number_of(hImageList)];
  if (!wrapper) wrapper = std::make_unique<CImageList>();
  // The wrapper refers to the list without holding it: it is not among the holders and never
  // destroys the list on its own.
  wrapper->m_hImageList = hImageList;
  return wrapper.get();
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
  ListData* d = data_of(m_hImageList);
  if (!d || !pbmImage) return -1;
  std::vector<Image> images = cut_strip(*d, *pbmImage, nullptr, crMask);
  if (images.empty()) return -1;
  int first = int(d->images.size());
  for (Image& one : images) d->images.push_back(std::move(one));
  return first;
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
  ListData* d = data_of(m_hImageList);
  if (!d || !pbmImage) return -1;
  std::vector<Image> images = cut_strip(*d, *pbmImage, pbmMask ? HBITMAP(*pbmMask) : nullptr, CLR_NONE);
  if (images.empty()) return -1;
  int first = int(d->images.size());
  for (Image& one : images) d->images.push_back(std::move(one));
  return first;
}

int CImageList::Add(HICON hIcon) { return Replace(-1, hIcon); }

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
  ListData* d = data_of(m_hImageList);
  if (!d || !d->valid(nImage) || !pbmImage) return FALSE;
  std::vector<Image> images = cut_strip(*d, *pbmImage, pbmMask ? HBITMAP(*pbmMask) : nullptr, CLR_NONE);
  if (images.empty()) return FALSE;
  d->images[size_t(nImage)] = std::move(images.front());
  return TRUE;
}

int CImageList::Replace(int nImage, HICON hIcon) {
  ListData* d = data_of(m_hImageList);
  Image one;
  if (!d || (nImage != -1 && !d->valid(nImage)) || !image_of_icon(*d, hIcon, one)) return -1;
  if (nImage == -1) {
    d->images.push_back(std::move(one));
    return int(d->images.size()) - 1;
  }
  d->images[size_t(nImage)] = std::move(one);
  return nImage;
}

HICON CImageList::ExtractIcon(int nImage) const {
  const ListData* d = data_of(m_hImageList);
  if (!d || !d->valid(nImage)) return nullptr;
  const Image& image = d->images[size_t(nImage)];
  // An icon's colour part is black where its mask is white.
  std::vector<COLORREF> colour = image.pixels, mask(image.pixels.size(), RGB(0, 0, 0));
  for (size_t i = 0; i < colour.size(); ++i) {
    if (!image.clear[i]) continue;
    colour[i] = RGB(0, 0, 0);
    mask[i] = RGB(255, 255, 255);
  }
  ICONINFO info{TRUE, 0, 0, bitmap_of(mask, d->cx, d->cy, true), bitmap_of(colour, d->cx, d->cy, false)};
  HICON icon = info.hbmMask && info.hbmColor ? CreateIconIndirect(&info) : nullptr;
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return icon;
}

BOOL CImageList::Remove(int nImage) {
  ListData* d = data_of(m_hImageList);
  if (!d) return FALSE;
  if (nImage == -1) {
    d->images.clear();
    d->overlays.fill(0);
    return TRUE;
  }
  if (!d->valid(nImage)) return FALSE;
  d->images.erase(d->images.begin() + nImage);
  // Overlays keep pointing at the same pictures; one whose picture is gone is dropped.
  for (int& o : d->overlays) {
    if (o == nImage + 1) {
      o = 0;
    } else if (o > nImage + 1) {
      --o;
    }
  }
  return TRUE;
}

BOOL CImageList::Copy(int iDst, int iSrc, UINT uFlags) { return Copy(iDst, this, iSrc, uFlags); }

BOOL CImageList::Copy(int iDst, CImageList* pSrc, int iSrc, UINT uFlags) {
  ListData* to = data_of(m_hImageList);
  ListData* from = data_of(pSrc ? pSrc->m_hImageList : m_hImageList);
  if (!to || !from || !to->valid(iDst) || !from->valid(iSrc) || to->cx != from->cx || to->cy != from->cy) return FALSE;
  Image& dst = to->images[size_t(iDst)];
  Image& src = from->images[size_t(iSrc)];
  if (uFlags & ILCF_SWAP) {
    std::swap(dst, src);
  } else if (&dst != &src) {
    dst = src;
  }
  return TRUE;
}

int CImageList::GetImageCount() const {
  const ListData* d = data_of(m_hImageList);
  return d ? int(d->images.size()) : 0;
}

BOOL CImageList::SetImageCount(UINT uNewCount) {
  ListData* d = data_of(m_hImageList);
  if (!d || uNewCount > 0x10000) return FALSE;
  d->images.resize(uNewCount, d->blank());
  for (int& o : d->overlays) {
    if (o > int(uNewCount)) o = 0;
  }
  return TRUE;
}

BOOL CImageList::GetIconSize(int& cx, int& cy) const {
  const ListData* d = data_of(m_hImageList);
  if (!d) return FALSE;
  cx = d->cx;
  cy = d->cy;
  return TRUE;
}

COLORREF CImageList::SetBkColor(COLORREF cr) {
  ListData* d = data_of(m_hImageList);
  if (!d) return CLR_NONE;
  COLORREF old = d->background;
  d->background = cr;
  return old;
}

COLORREF CImageList::GetBkColor() const {
  const ListData* d = data_of(m_hImageList);
  return d ? d->background : CLR_NONE;
}

BOOL CImageList::SetOverlayImage(int nImage, int nOverlay) {
  ListData* d = data_of(m_hImageList);
  if (!d || !d->valid(nImage) || nOverlay < 1 || nOverlay > 15) return FALSE;
  d->overlays[size_t(nOverlay)] = nImage + 1;
  return TRUE;
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) const {
  if (!pDC) return FALSE;
  IMAGELISTDRAWPARAMS p;
  p.himl = m_hImageList;
  p.i = nImage;
  p.hdcDst = pDC->GetSafeHdc();
  p.x = pt.x;
  p.y = pt.y;
  p.fStyle = nStyle;
  return draw_params(p);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* pimldp) const {
  if (!pimldp) return FALSE;
  IMAGELISTDRAWPARAMS p = *pimldp;
  if (!p.himl) p.himl = m_hImageList;
  return draw_params(p);
}

BOOL CImageList::DrawIndirect(CDC* pDC, int nImage, POINT pt, SIZE sz, POINT ptOrigin, UINT fStyle, DWORD dwRop,
                              COLORREF rgbBack, COLORREF rgbFore) const {
  if (!pDC) return FALSE;
  IMAGELISTDRAWPARAMS p;
  p.himl = m_hImageList;
  p.i = nImage;
  p.hdcDst = pDC->GetSafeHdc();
  p.x = pt.x;
  p.y = pt.y;
  p.cx = sz.cx;
  p.cy = sz.cy;
  p.xBitmap = ptOrigin.x;
  p.yBitmap = ptOrigin.y;
  p.rgbBk = rgbBack;
  p.rgbFg = rgbFore;
  p.fStyle = fStyle;
  p.dwRop = dwRop;
  return draw_params(p);
}

// The stored form of a list (all numbers little-endian, through the archive):
//   WORD   version, 1
//   LONG   cx, cy            1 to 1024 each
//   DWORD  creation flags (ILC_)
//   DWORD  background colour (CLR_NONE for none)
//   count  images, then per image cx * cy DWORD colours (0x00BBGGRR, rows from the top) followed
//          by the transparency bits, one per pixel in the same order, 8 to a byte (low bit
//          first), the last byte padded with zeros
//   15 x WORD  overlays 1 to 15: image + 1, 0 for none
namespace {
constexpr uint16_t kStoredVersion = 1;
}

BOOL CImageList::Write(CArchive* pArchive) const {
  const ListData* d = data_of(m_hImageList);
  if (!d || !pArchive || !pArchive->IsStoring()) return FALSE;
  CArchive& ar = *pArchive;
  ar << kStoredVersion << int32_t(d->cx) << int32_t(d->cy) << uint32_t(d->flags) << uint32_t(d->background);
  ar.WriteCount(uint32_t(d->images.size()));
  for (const Image& image : d->images) {
    for (COLORREF c : image.pixels) ar << uint32_t(c);
    std::vector<uint8_t> bits((image.clear.size() + 7) / 8, 0);
    for (size_t i = 0; i < image.clear.size(); ++i) {
      if (image.clear[i]) bits[i / 8] = uint8_t(bits[i / 8] | (1u << (i % 8)));
    }
    ar.Write(bits.data(), bits.size());
  }
  for (size_t o = 1; o < d->overlays.size(); ++o) ar << uint16_t(d->overlays[o]);
  return TRUE;
}

BOOL CImageList::Read(CArchive* pArchive) {
  if (!pArchive || !pArchive->IsLoading()) return FALSE;
  DeleteImageList();
  CArchive& ar = *pArchive;
  uint16_t version = 0;
  int32_t cx = 0, cy = 0;
  uint32_t flags = 0, background = 0;
  ar >> version >> cx >> cy >> flags >> background;
  if (version != kStoredVersion || !size_allowed(cx, cy)) throw CArchiveException(CArchiveException::badSchema);
  auto d = std::make_unique<ListData>();
  d->cx = cx;
  d->cy = cy;
  d->flags = flags;
  d->background = background;
  size_t pixels = size_t(cx) * size_t(cy);
  size_t bytes_per_image = pixels * 4 + (pixels + 7) / 8;
  uint32_t count = ar.ReadCount();
  if (count > ar.Remaining() / bytes_per_image) throw CArchiveException(CArchiveException::endOfFile);
  d->images.reserve(count);
  std::vector<uint8_t> bits((pixels + 7) / 8);
  for (uint32_t n = 0; n < count; ++n) {
    Image image = d->blank();
    for (COLORREF& c : image.pixels) {
      uint32_t v = 0;
      ar >> v;
      c = COLORREF(v & 0x00FFFFFFu);
    }
    ar.ReadExact(bits.data(), bits.size());
    for (size_t i = 0; i < pixels; ++i) image.clear[i] = (bits[i / 8] >> (i % 8)) & 1u;
    d->images.push_back(std::move(image));
  }
  for (size_t o = 1; o < d->overlays.size(); ++o) {
    uint16_t v = 0;
    ar >> v;
    d->overlays[o] = v <= count ? int(v) : 0;
  }
  return Attach(add_list(std::move(d)));
}

// The drag image. While shown, `saved` holds the window pixels under it, taken just before it was
// drawn and put back before anything else is drawn there.
namespace {

struct DragImage {
  CImageList image;  // one image
  CPoint hot_spot;
  HWND lock = nullptr;
  CPoint at;  // where the hot spot is, relative to the lock window's top-left corner
  bool shown = false;
  HBITMAP saved = nullptr;
  CRect saved_rect;
};

DragImage& drag() {
  static DragImage d;
  return d;
}

void put_back() {
  DragImage& d = drag();
  if (!d.saved) return;
  if (IsWindow(d.lock)) {
    HDC window = GetWindowDC(d.lock);
    HDC memory = window ? CreateCompatibleDC(window) : nullptr;
    if (memory) {
      HGDIOBJ old = SelectObject(memory, d.saved);
      BitBlt(window, d.saved_rect.left, d.saved_rect.top, d.saved_rect.Width(), d.saved_rect.Height(), memory, 0, 0, SRCCOPY);
      SelectObject(memory, old);
      DeleteDC(memory);
    }
    if (window) ReleaseDC(d.lock, window);
  }
  DeleteObject(d.saved);
  d.saved = nullptr;
}

void draw_over() {
  DragImage& d = drag();
  int cx = 0, cy = 0;
  if (!IsWindow(d.lock) || !d.image.GetIconSize(cx, cy)) return;
  HDC window = GetWindowDC(d.lock);
  if (!window) return;
  CRect place(d.at.x - d.hot_spot.x, d.at.y - d.hot_spot.y, d.at.x - d.hot_spot.x + cx, d.at.y - d.hot_spot.y + cy);
  HDC memory = CreateCompatibleDC(window);
  HBITMAP saved = memory ? CreateCompatibleBitmap(window, cx, cy) : nullptr;
  if (saved) {
    HGDIOBJ old = SelectObject(memory, saved);
    BitBlt(memory, 0, 0, cx, cy, window, place.left, place.top, SRCCOPY);
    SelectObject(memory, old);
    d.saved = saved;
    d.saved_rect = place;
    IMAGELISTDRAWPARAMS p;
    p.himl = d.image.m_hImageList;
    p.hdcDst = window;
    p.x = place.left;
    p.y = place.top;
    p.fStyle = ILD_TRANSPARENT;
    draw_params(p);
  }
  if (memory) DeleteDC(memory);
  ReleaseDC(d.lock, window);
}

}  // namespace

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot) {
  const ListData* d = data_of(m_hImageList);
  if (!d || !d->valid(nImage)) return FALSE;
  EndDrag();
  DragImage& drag_image = drag();
  auto one = std::make_unique<ListData>();
  one->cx = d->cx;
  one->cy = d->cy;
  one->flags = d->flags | ILC_MASK;
  one->images.push_back(d->images[size_t(nImage)]);
  drag_image.image.Attach(add_list(std::move(one)));
  drag_image.hot_spot = ptHotSpot;
  return TRUE;
}

void CImageList::EndDrag() {
  DragImage& d = drag();
  put_back();
  d.shown = false;
  d.lock = nullptr;
  d.image.DeleteImageList();
}

BOOL CImageList::DragEnter(CWnd* pWndLock, CPoint point) {
  DragImage& d = drag();
  if (!d.image.IsCreated() || !pWndLock || !IsWindow(pWndLock->GetSafeHwnd())) return FALSE;
  put_back();
  d.lock = pWndLock->GetSafeHwnd();
  d.at = point;
  d.shown = true;
  draw_over();
  return TRUE;
}

BOOL CImageList::DragLeave(CWnd* pWndLock) {
  DragImage& d = drag();
  if (!d.lock || (pWndLock && pWndLock->GetSafeHwnd() != d.lock)) return FALSE;
  put_back();
  d.shown = false;
  d.lock = nullptr;
  return TRUE;
}

BOOL CImageList::DragMove(CPoint pt) {
  DragImage& d = drag();
  if (!d.image.IsCreated()) return FALSE;
  d.at = pt;
  if (d.shown && d.lock) {
    put_back();
    draw_over();
  }
  return TRUE;
}

BOOL CImageList::DragShowNolock(BOOL bShow) {
  DragImage& d = drag();
  if (!d.image.IsCreated() || !d.lock) return FALSE;
  if (bShow && !d.shown) draw_over();
  if (!bShow && d.shown) put_back();
  d.shown = bShow != 0;
  return TRUE;
}

CImageList* CImageList::GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot) {
  DragImage& d = drag();
  if (!d.image.IsCreated()) return nullptr;
  if (lpPoint) *lpPoint = d.at;
  if (lpPointHotSpot) *lpPointHotSpot = d.hot_spot;
  return &d.image;
}
