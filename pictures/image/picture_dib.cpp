#include "pictures/image/picture_dib.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "pictures/image/media_element.h"
#include "platform/framework/file_dialog.h"
#include "platform/framework/prompter.h"
#include "platform/gdi/core/nearest_palette_index.h"
#include "platform/res/resource_handles.h"
#include "platform/win/window_api.h"

IMPLEMENT_SERIAL(CDIB, CObject, 0)

namespace {

constexpr int kMaxDibSide = 16384;
constexpr const char* kDibFilter = "Image files (*.DIB, *.BMP)|*.DIB;*.BMP|All files (*.*)|*.*||";

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

size_t RowBytes(const BITMAPINFOHEADER& h) {
  return (size_t(h.biWidth) * size_t(h.biBitCount) + 31) / 32 * 4;
}

int ColourCount(const BITMAPINFOHEADER& h) {
  int count = h.biBitCount == 1 ? 2 : h.biBitCount == 4 ? 16 : h.biBitCount == 8 ? 256 : 0;
  if (h.biSize == 40 && h.biClrUsed != 0 && h.biClrUsed < DWORD(count)) count = int(h.biClrUsed);
  return count;
}

// A bitmap file checked and taken apart: the header widened to 40 bytes, the colour table as
// RGBQUAD entries and where the rows start.
struct ParsedDib {
  BITMAPINFOHEADER header{};
  RGBQUAD colours[256]{};
  size_t bitsOffset = 0;
  size_t bitsSize = 0;
};

bool ParseFile(std::span<const uint8_t> file, ParsedDib& out) {
  if (file.size() < 14 + 12 || U16(file.data()) != 0x4D42) return false;
  const uint8_t* h = file.data() + 14;
  uint32_t size = U32(h);
  BITMAPINFOHEADER& header = out.header;
  bool core = size == 12;
  if (core) {
    header.biWidth = U16(h + 4);
    header.biHeight = U16(h + 6);
    header.biPlanes = U16(h + 8);
    header.biBitCount = U16(h + 10);
  } else {
    if (size < 40 || size > 124 || file.size() < 14 + size_t(size)) return false;
    std::memcpy(&header, h, 40);
  }
  header.biSize = 40;
  int bpp = header.biBitCount;
  if (header.biWidth <= 0 || header.biWidth > kMaxDibSide || header.biHeight <= 0 ||
      header.biHeight > kMaxDibSide || header.biPlanes != 1 || header.biCompression != BI_RGB ||
      (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24))
    return false;
  if (bpp <= 8 && header.biClrUsed > (1u << bpp)) return false;
  if (bpp > 8) header.biClrUsed = 0;
  int count = ColourCount(header);
  size_t entry = core ? 3 : 4;
  size_t table = 14 + size_t(size);
  if (file.size() < table + entry * size_t(count)) return false;
  for (int i = 0; i < count; ++i) {
    const uint8_t* e = file.data() + table + entry * size_t(i);
    out.colours[i] = RGBQUAD{e[0], e[1], e[2], 0};
  }
  out.bitsOffset = U32(file.data() + 10);
  if (out.bitsOffset == 0) out.bitsOffset = table + entry * size_t(count);
  out.bitsSize = RowBytes(header) * size_t(header.biHeight);
  header.biSizeImage = DWORD(out.bitsSize);
  if (out.bitsOffset < 14 + 12 || out.bitsOffset > file.size() ||
      file.size() - out.bitsOffset < out.bitsSize)
    return false;
  return true;
}

HGLOBAL NewInfo(const BITMAPINFOHEADER& header, const RGBQUAD* colours, int count) {
  HGLOBAL block = GlobalAlloc(GHND, kDibInfoBytes);
  auto* p = static_cast<uint8_t*>(GlobalLock(block));
  if (!p) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(p, &header, 40);
  if (count > 0) std::memcpy(p + 40, colours, 4 * size_t(count));
  return block;
}

}  // namespace

CDIB::CDIB() { Create(16, 16); }

CDIB::~CDIB() {
  Free();
  if (extra) GlobalFree(extra);
}

void CDIB::Free() {
  if (info) {
    GlobalUnlock(info);
    GlobalFree(info);
  }
  if (bitsBlock) {
    GlobalUnlock(bitsBlock);
    GlobalFree(bitsBlock);
  }
  info = bitsBlock = nullptr;
  header = nullptr;
  bits = nullptr;
}

void CDIB::Replace(HGLOBAL newInfo, HGLOBAL newBits, BYTE* borrowed) {
  Free();
  info = newInfo;
  header = static_cast<BITMAPINFOHEADER*>(GlobalLock(info));
  GlobalUnlock(info);  // NewInfo left it locked once; keep exactly one lock
  bitsBlock = newBits;
  ownsBits = newBits != nullptr;
  bits = newBits ? static_cast<BYTE*>(GlobalLock(newBits)) : borrowed;
}

BOOL CDIB::Create(int width, int height) {
  if (width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide) return FALSE;
  BITMAPINFOHEADER h{};
  h.biSize = 40;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = 8;
  RGBQUAD grey[256];
  for (int i = 0; i < 256; ++i) grey[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
  HGLOBAL newInfo = NewInfo(h, grey, 256);
  HGLOBAL newBits = newInfo ? GlobalAlloc(GHND, RowBytes(h) * size_t(height)) : nullptr;
  if (!newBits) {
    if (newInfo) {
      GlobalUnlock(newInfo);  // a locked block cannot be freed
      GlobalFree(newInfo);
    }
    return FALSE;
  }
  Replace(newInfo, newBits, nullptr);
  return TRUE;
}

BOOL CDIB::Create(const BITMAPINFOHEADER* source, BYTE* borrowed) {
  if (!source || !borrowed || source->biSize < 40) return FALSE;
  int count = ColourCount(*source);
  HGLOBAL newInfo = NewInfo(*source, reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(source) + source->biSize), count);
  if (!newInfo) return FALSE;
  Replace(newInfo, nullptr, borrowed);
  header->biSize = 40;
  return TRUE;
}

BOOL CDIB::LoadBytes(std::span<const uint8_t> file) {
  ParsedDib parsed;
  if (!ParseFile(file, parsed)) return FALSE;
  HGLOBAL newInfo = NewInfo(parsed.header, parsed.colours, ColourCount(parsed.header));
  HGLOBAL newBits = newInfo ? GlobalAlloc(GHND, parsed.bitsSize) : nullptr;
  auto* rows = static_cast<uint8_t*>(GlobalLock(newBits));
  if (!rows) {
    GlobalUnlock(newInfo);
    GlobalFree(newInfo);
    GlobalFree(newBits);
    return FALSE;
  }
  std::memcpy(rows, file.data() + parsed.bitsOffset, parsed.bitsSize);
  GlobalUnlock(newBits);
  Replace(newInfo, newBits, nullptr);
  return TRUE;
}

BOOL CDIB::LoadResource(UINT id) {
  HRSRC found = FindResource(nullptr, MAKEINTRESOURCE(int(id)), "DIB");
  if (!found) return FALSE;
  HGLOBAL loaded = ::LoadResource(nullptr, found);
  auto* bytes = static_cast<uint8_t*>(LockResource(loaded));
  DWORD size = SizeofResource(nullptr, found);
  ParsedDib parsed;
  if (!bytes || !ParseFile({bytes, size}, parsed)) return FALSE;
  // The resource's bytes are the program's own copy and stay for its lifetime: the rows are
  // borrowed from it.
  if (!Create(&parsed.header, bytes + parsed.bitsOffset)) return FALSE;
  std::memcpy(GetColors(), parsed.colours, 4 * size_t(ColourCount(parsed.header)));
  return TRUE;
}

BOOL CDIB::Load(CFile& file) {
  try {
    uint64_t length = file.GetLength();
    if (length > kMaxGlobalBlock) return FALSE;
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    file.SeekToBegin();
    if (file.Read(bytes.data(), unsigned(bytes.size())) != bytes.size()) return FALSE;
    return LoadBytes(bytes);
  } catch (const CFileException&) {
    return FALSE;
  }
}

BOOL CDIB::Load(const char* fileName) {
  CString name = fileName ? fileName : "";
  if (name.IsEmpty()) {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kDibFilter);
    if (dialog.DoModal() != IDOK) return FALSE;
    name = dialog.GetPathName();
  }
  CFile file;
  if (!file.Open(name, CFile::modeRead | CFile::typeBinary)) return FALSE;
  return Load(file);
}

BOOL CDIB::Load(const char* fileName, const char* element) {
  if (!fileName || !element) return FALSE;
  // The compound name reaches a file stored in a title through the media I/O procedure of its
  // extension; any other name is read as a plain file.
  std::vector<uint8_t> bytes;
  if (!media::MediaReadElement(std::string(fileName) + "+" + element, bytes)) return FALSE;
  return LoadBytes(bytes);
}

std::vector<uint8_t> CDIB::FileBytes() const {
  std::vector<uint8_t> out;
  if (!header || !bits) return out;
  size_t image = size_t(GetRowBytes()) * size_t(std::abs(header->biHeight));
  auto put16 = [&](uint32_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); };
  auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
  put16(0x4D42);
  put32(uint32_t(image + 14 + kDibInfoBytes));
  put32(0);
  put32(uint32_t(14 + kDibInfoBytes));
  const auto* block = reinterpret_cast<const uint8_t*>(header);
  out.insert(out.end(), block, block + kDibInfoBytes);
  // The table always holds 256 entries in the file; the header says how many are used.
  if (header->biBitCount <= 8) {
    DWORD used = DWORD(GetColorCount());
    std::memcpy(out.data() + 14 + offsetof(BITMAPINFOHEADER, biClrUsed), &used, 4);
  }
  out.insert(out.end(), bits, bits + image);
  return out;
}

BOOL CDIB::Save(CFile& file) {
  std::vector<uint8_t> bytes = FileBytes();
  if (bytes.empty()) return FALSE;
  try {
    file.Write(bytes.data(), unsigned(bytes.size()));
    return TRUE;
  } catch (const CFileException&) {
    return FALSE;
  }
}

BOOL CDIB::Save(const char* fileName) {
  CString name = fileName ? fileName : "";
  if (name.IsEmpty()) {
    CFileDialog dialog(FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kDibFilter);
    if (dialog.DoModal() != IDOK) return FALSE;
    name = dialog.GetPathName();
  }
  CFile file;
  if (!file.Open(name, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary)) {
    AfxMessageBox("Failed to open file");
    return FALSE;
  }
  if (!Save(file)) {
    AfxMessageBox("Failed to save file");
    return FALSE;
  }
  return TRUE;
}

void CDIB::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    std::vector<uint8_t> bytes = FileBytes();
    ar.Write(bytes.data(), bytes.size());
    return;
  }
  std::vector<uint8_t> bytes(ar.Remaining());
  ar.Read(bytes.data(), bytes.size());
  LoadBytes(bytes);
}

BOOL CDIB::Draw(CDC* dc, int x, int y, DWORD rop) {
  if (!dc || !header || !bits) return FALSE;
  int w = GetWidth(), h = GetHeight();
  return StretchDIBits(*dc, x, y, w, h, 0, 0, w, h, bits, reinterpret_cast<const BITMAPINFO*>(header),
                       DIB_RGB_COLORS, rop) > 0;
}

BOOL CDIB::Draw(CDC* dc, int x, int y) { return Draw(dc, x, y, SRCCOPY); }

BOOL CDIB::DrawStrip(HDC dc, int x, int y, int strip) {
  if (!dc || !header || !bits || strip < 0 || strip > 3) return FALSE;
  int w = GetWidth() / 4, h = GetHeight();
  return StretchDIBits(dc, x, y, w, h, strip * w, 0, w, h, bits,
                       reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS, SRCCOPY) > 0;
}

BOOL CDIB::DrawStrip(CDC* dc, int x, int y, int strip) { return dc ? DrawStrip(dc->GetSafeHdc(), x, y, strip) : FALSE; }

int CDIB::GetWidth() const { return header ? header->biWidth : 0; }
int CDIB::GetHeight() const { return header ? header->biHeight : 0; }
CSize CDIB::GetSize() const { return CSize(GetWidth(), GetHeight()); }
int CDIB::GetColorCount() const { return header ? ColourCount(*header) : 0; }
RGBQUAD* CDIB::GetColors() const {
  return header ? reinterpret_cast<RGBQUAD*>(reinterpret_cast<BYTE*>(header) + 40) : nullptr;
}
int CDIB::GetRowBytes() const { return header ? int(RowBytes(*header)) : 0; }

BYTE* CDIB::GetPixelAddress(int x, int y) const {
  if (!header || !bits || header->biBitCount != 8 || header->biHeight <= 0) return nullptr;
  if (x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight()) return nullptr;
  return bits + size_t(GetHeight() - 1 - y) * size_t(GetRowBytes()) + size_t(x);
}

BOOL CDIB::CopyBits(CDIB* target, int x, int y, int width, int height, int xSrc, int ySrc,
                    int transparent) {
  if (!target || !GetPixelAddress(0, 0) || !target->GetPixelAddress(0, 0)) return FALSE;
  // Clip the block to both pictures.
  if (xSrc < 0) width += xSrc, x -= xSrc, xSrc = 0;
  if (ySrc < 0) height += ySrc, y -= ySrc, ySrc = 0;
  if (x < 0) width += x, xSrc -= x, x = 0;
  if (y < 0) height += y, ySrc -= y, y = 0;
  width = std::min({width, GetWidth() - xSrc, target->GetWidth() - x});
  height = std::min({height, GetHeight() - ySrc, target->GetHeight() - y});
  for (int row = 0; row < height; ++row) {
    const BYTE* from = GetPixelAddress(xSrc, ySrc + row);
    BYTE* to = target->GetPixelAddress(x, y + row);
    for (int col = 0; col < width; ++col)
      if (transparent == -1 || from[col] != BYTE(transparent)) to[col] = from[col];
  }
  return TRUE;
}

BOOL CDIB::MapColorsToPalette(CPalette* palette) {
  if (!palette || !header || !bits || header->biBitCount != 8) return FALSE;
  RGBQUAD* table = GetColors();
  BYTE map[256];
  for (int i = 0; i < 256; ++i) {
    UINT index = GetNearestPaletteIndex(*palette, RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue));
    if (index == CLR_INVALID) return FALSE;
    map[i] = BYTE(index);
  }
  size_t count = size_t(GetRowBytes()) * size_t(GetHeight());
  for (size_t i = 0; i < count; ++i) bits[i] = map[bits[i]];
  PALETTEENTRY entries[256]{};
  UINT got = palette->GetPaletteEntries(0, 256, entries);
  for (UINT i = 0; i < 256; ++i)
    table[i] = i < got ? RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0} : RGBQUAD{};
  header->biClrUsed = 256;
  return TRUE;
}

BOOL CPicturePalette::Create(CDIB* dib) {
  int count = dib ? dib->GetColorCount() : 0;
  if (count <= 0) return FALSE;
  std::vector<uint8_t> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * size_t(count));
  auto* log = reinterpret_cast<LOGPALETTE*>(block.data());
  log->palVersion = 0x300;
  log->palNumEntries = WORD(count);
  const RGBQUAD* colours = dib->GetColors();
  for (int i = 0; i < count; ++i)
    log->palPalEntry[i] = PALETTEENTRY{colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 0};
  return CreatePalette(log);
}
