#include "pictures/image/image_impl.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/core/nearest_palette_index.h"

namespace {

// The 16 standard VGA colours as red, green, blue; an 8-bit table repeats them.
constexpr BYTE kVgaColours[16][3] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},   {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

std::unique_ptr<CPalette> MakePalette(int count, const BYTE* red, const BYTE* green,
                                      const BYTE* blue) {
  if (count <= 0 || count > 256 || !red) return nullptr;
  if (!green) green = red;
  if (!blue) blue = green;
  std::vector<uint8_t> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * size_t(count));
  auto* log = reinterpret_cast<LOGPALETTE*>(block.data());
  log->palVersion = 0x300;
  log->palNumEntries = WORD(count);
  for (int i = 0; i < count; ++i) log->palPalEntry[i] = PALETTEENTRY{red[i], green[i], blue[i], 0};
  auto palette = std::make_unique<CPalette>();
  if (!palette->CreatePalette(log)) return nullptr;
  return palette;
}

}  // namespace

CImageImpl::CImageImpl() = default;

CImageImpl::~CImageImpl() { FreeDib(); }

void CImageImpl::FreeDib() {
  if (dib) {
    GlobalUnlock(dib);
    GlobalFree(dib);
  }
  dib = nullptr;
  header = nullptr;
  bits = nullptr;
  width = height = bitsPerPixel = rowBytes = 0;
}

int CImageImpl::RowBytesFor(int w, int bpp) {
  switch (bpp) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return 0;
  }
  if (w <= 0 || w > kMaxImageSide) return 0;
  uint64_t row = (uint64_t(bpp) * uint64_t(w) + 31) / 32 * 4;
  return int(row);
}

BOOL CImageImpl::Inside(int x, int y) const { return x >= 0 && x < width && y >= 0 && y < height; }

int CImageImpl::Create(int w, int h, int bpp, int type) {
  FreeDib();
  imagePalette.reset();
  int row = RowBytesFor(w, bpp);
  if (row == 0 || h <= 0 || h > kMaxImageSide) return 0;
  uint64_t image = uint64_t(row) * uint64_t(h);
  if (image > kMaxGlobalBlock - kImageInfoBytes) return 0;
  HGLOBAL block = GlobalAlloc(GHND, size_t(image) + kImageInfoBytes);
  if (!block) return 0;
  auto* base = static_cast<BYTE*>(GlobalLock(block));
  if (!base) {
    GlobalFree(block);
    return 0;
  }
  dib = block;
  header = reinterpret_cast<BITMAPINFOHEADER*>(base);
  header->biSize = 40;
  header->biWidth = w;
  header->biHeight = h;
  header->biPlanes = 1;
  header->biBitCount = WORD(bpp);
  header->biCompression = BI_RGB;
  header->biSizeImage = DWORD(image);
  header->biClrUsed = bpp == 4 ? 16 : bpp == 8 ? 256 : 0;
  auto* table = reinterpret_cast<RGBQUAD*>(base + 40);
  for (int i = 0; i < 256; ++i) {
    const BYTE* c = kVgaColours[i % 16];
    table[i] = RGBQUAD{c[2], c[1], c[0], 0};
  }
  width = w;
  height = h;
  bitsPerPixel = bpp;
  colorType = type >= 0 ? type : (bpp <= 8 ? 0 : 2);
  rowBytes = row;
  bits = base + kImageInfoBytes;
  return row;
}

int CImageImpl::GetIndex(int x, int y) const {
  if (!Inside(x, y) || !bits || bitsPerPixel > 8) return -1;
  return bits[size_t(y) * size_t(rowBytes) + size_t(x) * size_t(bitsPerPixel) / 8];
}

BOOL CImageImpl::SetIndex(int x, int y, int index) {
  if (!Inside(x, y) || !bits || bitsPerPixel > 8) return FALSE;
  bits[size_t(y) * size_t(rowBytes) + size_t(x) * size_t(bitsPerPixel) / 8] = BYTE(index);
  return TRUE;
}

int CImageImpl::PixelIndex(int x, int y) const {
  if (!Inside(x, y) || !bits || bitsPerPixel > 8) return -1;
  size_t bit = size_t(x) * size_t(bitsPerPixel);
  BYTE byte = bits[size_t(y) * size_t(rowBytes) + bit / 8];
  int shift = 8 - bitsPerPixel - int(bit % 8);
  return (byte >> shift) & ((1 << bitsPerPixel) - 1);
}

bool CImageImpl::PixelColour(int x, int y, BYTE& red, BYTE& green, BYTE& blue) const {
  if (!Inside(x, y) || !bits) return false;
  if (bitsPerPixel <= 8) {
    int index = PixelIndex(x, y);
    if (imagePalette) {
      PALETTEENTRY e{};
      if (!imagePalette->GetPaletteEntries(UINT(index), 1, &e)) return false;
      red = e.peRed, green = e.peGreen, blue = e.peBlue;
    } else {
      const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<BYTE*>(header) + 40);
      red = table[index].rgbRed, green = table[index].rgbGreen, blue = table[index].rgbBlue;
    }
    return true;
  }
  if (bitsPerPixel < 24) return false;
  const BYTE* p = bits + size_t(y) * size_t(rowBytes) + size_t(x) * size_t(bitsPerPixel / 8);
  blue = p[0], green = p[1], red = p[2];
  return true;
}

BOOL CImageImpl::GetRGB(int x, int y, BYTE* red, BYTE* green, BYTE* blue) const {
  BYTE r = 0, g = 0, b = 0;
  if (!PixelColour(x, y, r, g, b)) return FALSE;
  if (red) *red = r;
  if (green) *green = g;
  if (blue) *blue = b;
  return TRUE;
}

BOOL CImageImpl::SetRGB(int x, int y, BYTE red, BYTE green, BYTE blue) {
  if (!Inside(x, y) || !bits) return FALSE;
  if (colorType & 1) {
    if (!imagePalette || bitsPerPixel > 8) return FALSE;
    UINT index = GetNearestPaletteIndex(*imagePalette, RGB(red, green, blue));
    if (index == CLR_INVALID || index >= (1u << bitsPerPixel)) return FALSE;
    size_t bit = size_t(x) * size_t(bitsPerPixel);
    BYTE& byte = bits[size_t(y) * size_t(rowBytes) + bit / 8];
    int shift = 8 - bitsPerPixel - int(bit % 8);
    BYTE mask = BYTE(((1 << bitsPerPixel) - 1) << shift);
    byte = BYTE((byte & ~mask) | ((index << shift) & mask));
    return TRUE;
  }
  // Without a palette only pictures of three or four bytes a pixel hold colours.
  if (bitsPerPixel < 24) return FALSE;
  BYTE* p = bits + size_t(y) * size_t(rowBytes) + size_t(x) * size_t(bitsPerPixel / 8);
  p[0] = blue, p[1] = green, p[2] = red;
  return TRUE;
}

BOOL CImageImpl::Read(const char*) { return FALSE; }
BOOL CImageImpl::Write(const char*) { return FALSE; }

void CImageImpl::InstallPalette(std::unique_ptr<CPalette> palette) {
  imagePalette = std::move(palette);
  colorType |= 3;
  if (!header) return;
  auto* indices = reinterpret_cast<WORD*>(reinterpret_cast<BYTE*>(header) + 40);
  for (int i = 0; i < 256; ++i) indices[i] = WORD(i);
}

int CImageImpl::ColourTableFromPalette() {
  if (!header || !imagePalette) return 0;
  int count = std::min(imagePalette->GetEntryCount(), 256);
  std::vector<PALETTEENTRY> entries(size_t(std::max(count, 1)));
  imagePalette->GetPaletteEntries(0, UINT(count), entries.data());
  auto* table = reinterpret_cast<RGBQUAD*>(reinterpret_cast<BYTE*>(header) + 40);
  for (int i = 0; i < count; ++i)
    table[i] = RGBQUAD{entries[size_t(i)].peBlue, entries[size_t(i)].peGreen, entries[size_t(i)].peRed, 0};
  return count;
}

BOOL CImageImpl::SetPalette(int count, const BYTE* red, const BYTE* green, const BYTE* blue) {
  auto palette = MakePalette(count, red, green, blue);
  if (!palette) return FALSE;
  InstallPalette(std::move(palette));
  return TRUE;
}

BOOL CImageImpl::SetPalette(int count, const PaletteTriplet* rgb) {
  if (count <= 0 || count > 256 || !rgb) return FALSE;
  BYTE r[256], g[256], b[256];
  for (int i = 0; i < count; ++i) {
    r[i] = rgb[i].red;
    g[i] = rgb[i].green;
    b[i] = rgb[i].blue;
  }
  return SetPalette(count, r, g, b);
}

BOOL CImageImpl::SetPalette(std::unique_ptr<CPalette> palette) {
  if (!palette || !palette->GetSafeHandle()) return FALSE;
  InstallPalette(std::move(palette));
  return TRUE;
}

UINT CImageImpl::Usage() const { return imagePalette ? DIB_PAL_COLORS : DIB_RGB_COLORS; }

BOOL CImageImpl::Draw(CDC* dc, int x, int y, int w, int h, int xSrc, int ySrc) {
  if (!dib) return FALSE;
  if (!dc) return TRUE;
  if (w == -1) w = width;
  if (h == -1) h = height;
  CPalette* old = imagePalette ? dc->SelectPalette(imagePalette.get(), FALSE) : nullptr;
  dc->RealizePalette();
  int lines = SetDIBitsToDevice(*dc, x, y, DWORD(std::max(w, 0)), DWORD(std::max(h, 0)), xSrc,
                                ySrc, 0, UINT(height), bits,
                                reinterpret_cast<const BITMAPINFO*>(header), Usage());
  if (old) dc->SelectPalette(old, FALSE);
  return lines > 0;
}

BOOL CImageImpl::StretchPass(CDC* dc, int x, int y, int w, int h, int xSrc, int ySrc, int wSrc,
                             int hSrc, DWORD rop) {
  CPalette* old = imagePalette ? dc->SelectPalette(imagePalette.get(), FALSE) : nullptr;
  dc->RealizePalette();
  // The source rectangle counts from the top; the bottom-up rows count from the bottom.
  int lines = StretchDIBits(*dc, x, y, w, h, xSrc, height - (ySrc + hSrc), wSrc, hSrc, bits,
                            reinterpret_cast<const BITMAPINFO*>(header), Usage(), rop);
  if (old) dc->SelectPalette(old, FALSE);
  return lines > 0;
}

BOOL CImageImpl::Stretch(CDC* dc, int x, int y, int w, int h, int xSrc, int ySrc, int wSrc,
                         int hSrc) {
  if (!dib) return FALSE;
  if (!dc) return TRUE;
  if (w == -1) w = width;
  if (h == -1) h = height;
  if (wSrc == -1) wSrc = width - xSrc;
  if (hSrc == -1) hSrc = height - ySrc;
  dc->SetStretchBltMode(COLORONCOLOR);
  if (transparentIndex == -1 || !imagePalette || bitsPerPixel != 8)
    return StretchPass(dc, x, y, w, h, xSrc, ySrc, wSrc, hSrc, SRCCOPY);

  // Two passes: a mask (white where transparent) ANDed into the destination clears the opaque
  // part; the picture with its transparent pixels made black is then ORed into it.
  size_t count = size_t(rowBytes) * size_t(height);
  std::vector<BYTE> saved(bits, bits + count);
  BYTE black = BYTE(GetNearestPaletteIndex(*imagePalette, RGB(0, 0, 0)));
  BYTE white = BYTE(GetNearestPaletteIndex(*imagePalette, RGB(255, 255, 255)));
  auto recolour = [&](bool mask) {
    for (int row = 0; row < height; ++row) {
      BYTE* p = bits + size_t(row) * size_t(rowBytes);
      const BYTE* s = saved.data() + size_t(row) * size_t(rowBytes);
      for (int col = 0; col < width; ++col) {
        bool clear = s[col] == BYTE(transparentIndex);
        p[col] = mask ? (clear ? white : black) : (clear ? black : s[col]);
      }
    }
  };
  recolour(true);
  BOOL ok = StretchPass(dc, x, y, w, h, xSrc, ySrc, wSrc, hSrc, SRCAND);
  recolour(false);
  ok = StretchPass(dc, x, y, w, h, xSrc, ySrc, wSrc, hSrc, SRCPAINT) && ok;
  std::copy(saved.begin(), saved.end(), bits);
  return ok;
}
