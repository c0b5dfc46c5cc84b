// Windows bitmap files.
//
// A file is a 14-byte file header ("BM", file size, two reserved words, offset of the rows), an
// info header (40 bytes or a longer later form; 12 bytes in the old core form with 16-bit width
// and height), the colour table (4-byte entries blue, green, red, 0; 3-byte entries in the core
// form), and the rows, bottom-up unless the height is negative, each padded to 4 bytes. A bare
// bitmap lacks the file header and has its rows right after the colour table.
//
// Every header field is checked before it is used: header size, width and height (at most
// kMaxImageSide a side), planes, bit count, compression (none, or colour masks for 16 and 32
// bits), colours used (at most what the depth can index), the rows' offset, and the rows
// themselves must all be in the file.
#include <algorithm>
#include <cstring>
#include <vector>

#include "pictures/image/image_codecs.h"
#include "platform/base/cp1250.h"

FILE* OpenImageFile(const CString& fileName, const char* mode) {
  if (fileName.IsEmpty()) return nullptr;
  return std::fopen(base::cp1250::to_utf8(fileName.view()).c_str(), mode);
}

bool ReadImageFile(const CString& fileName, const std::function<bool(FILE*)>& read) {
  FILE* file = OpenImageFile(fileName, "rb");
  if (!file) return false;
  bool ok = read(file);
  std::fclose(file);
  return ok;
}

bool WriteImageFile(const CString& fileName, const std::function<bool(FILE*)>& write) {
  FILE* file = OpenImageFile(fileName, "wb");
  if (!file) return false;
  bool ok = write(file);
  return std::fclose(file) == 0 && ok;
}

namespace {

uint16_t U16(const BYTE* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t U32(const BYTE* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
void Put16(std::vector<BYTE>& out, uint32_t v) {
  out.push_back(BYTE(v));
  out.push_back(BYTE(v >> 8));
}
void Put32(std::vector<BYTE>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

bool ReadExact(FILE* file, void* out, size_t size) { return std::fread(out, 1, size, file) == size; }

}  // namespace

bool CImageCodecBMP::ReadStream(FILE* file) {
  long start = std::ftell(file);
  if (start < 0) return false;
  BYTE fileHeader[14];
  uint32_t bitsOffset = 0;
  if (ReadExact(file, fileHeader, 14) && U16(fileHeader) == 0x4D42) {
    bitsOffset = U32(fileHeader + 10);
  } else if (std::fseek(file, start, SEEK_SET) != 0) {
    return false;
  }
  long infoStart = std::ftell(file);
  BYTE info[124] = {};
  if (!ReadExact(file, info, 4)) return false;
  uint32_t infoSize = U32(info);
  int32_t w = 0, h = 0;
  int planes = 0, bpp = 0;
  uint32_t compression = 0, colours = 0;
  bool core = infoSize == 12;
  if (core) {
    if (!ReadExact(file, info + 4, 8)) return false;
    w = U16(info + 4);
    h = U16(info + 6);
    planes = U16(info + 8);
    bpp = U16(info + 10);
  } else {
    // The info header forms: 40 bytes, with colour masks 52 or 56, and the later 108 and 124.
    if (infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 && infoSize != 124)
      return false;
    if (!ReadExact(file, info + 4, infoSize - 4)) return false;
    w = int32_t(U32(info + 4));
    h = int32_t(U32(info + 8));
    planes = U16(info + 12);
    bpp = U16(info + 14);
    compression = U32(info + 16);
    colours = U32(info + 32);
  }
  if (planes != 1 || w <= 0 || w > kMaxImageSide || h == 0 || h < -kMaxImageSide || h > kMaxImageSide)
    return false;
  bool masks = compression == BI_BITFIELDS;
  if (compression != BI_RGB && !(masks && (bpp == 16 || bpp == 32))) return false;
  uint32_t most = bpp <= 8 ? 1u << bpp : 256;
  if (colours > most) return false;
  if (colours == 0 && bpp <= 8) colours = most;
  bool topDown = h < 0;
  int rows = topDown ? -h : h;

  if (Create(w, rows, bpp, -1) == 0) return false;
  BITMAPINFOHEADER* out = Header();
  if (!core) {
    out->biXPelsPerMeter = int32_t(U32(info + 24));
    out->biYPelsPerMeter = int32_t(U32(info + 28));
  }
  BYTE* afterHeader = reinterpret_cast<BYTE*>(out) + 40;
  bool ok = true;
  if (masks) {
    // The masks follow a 40-byte header and sit inside the longer forms.
    out->biCompression = BI_BITFIELDS;
    if (infoSize == 40) ok = ReadExact(file, afterHeader, 12);
    else std::memcpy(afterHeader, info + 40, 12);
  }
  // The colour table: pictures of 8 bits or fewer index it; deeper ones may carry one as a hint,
  // which is skipped.
  size_t entry = core ? 3 : 4;
  std::vector<BYTE> table(size_t(colours) * entry);
  ok = ok && ReadExact(file, table.data(), table.size());
  if (ok && bitsOffset != 0) {
    long first = infoStart + long(infoSize) + (masks && infoSize == 40 ? 12 : 0);
    ok = long(bitsOffset) >= first - start && std::fseek(file, start + long(bitsOffset), SEEK_SET) == 0;
  }
  for (int r = 0; ok && r < rows; ++r) {
    BYTE* row = bits + size_t(topDown ? rows - 1 - r : r) * size_t(rowBytes);
    ok = ReadExact(file, row, size_t(rowBytes));
  }
  if (!ok) {
    FreeDib();
    return false;
  }
  if (bpp <= 8) {
    BYTE red[256], green[256], blue[256];
    for (uint32_t i = 0; i < colours; ++i) {
      blue[i] = table[i * entry];
      green[i] = table[i * entry + 1];
      red[i] = table[i * entry + 2];
    }
    out->biClrUsed = colours;
    SetPalette(int(colours), red, green, blue);
    colorType = 3;
  }
  return true;
}

BOOL CImageCodecBMP::Read(const char* name) {
  TakeName(name);
  return ReadImageFile(fileName, [this](FILE* file) { return ReadStream(file); });
}

bool CImageCodecBMP::WriteStream(FILE* file) {
  if (!HasDib()) return false;
  const BITMAPINFOHEADER& h = *Header();
  // The colour table as colours: from the palette when there is one, else the stored table.
  std::vector<BYTE> table;
  if (bitsPerPixel <= 8) {
    int count = 1 << bitsPerPixel;
    std::vector<PALETTEENTRY> entries(static_cast<size_t>(count));
    if (imagePalette) count = int(imagePalette->GetPaletteEntries(0, UINT(count), entries.data()));
    const auto* stored = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(&h) + 40);
    for (int i = 0; i < count; ++i) {
      if (imagePalette) {
        const PALETTEENTRY& e = entries[size_t(i)];
        table.insert(table.end(), {e.peBlue, e.peGreen, e.peRed, 0});
      } else {
        table.insert(table.end(), {stored[i].rgbBlue, stored[i].rgbGreen, stored[i].rgbRed, 0});
      }
    }
  } else if (h.biCompression == BI_BITFIELDS) {
    const BYTE* masks = reinterpret_cast<const BYTE*>(&h) + 40;
    table.assign(masks, masks + 12);
  }
  size_t image = size_t(rowBytes) * size_t(height);
  uint32_t offset = uint32_t(14 + 40 + table.size());
  std::vector<BYTE> head;
  Put16(head, 0x4D42);
  Put32(head, uint32_t(offset + image));
  Put32(head, 0);
  Put32(head, offset);
  BITMAPINFOHEADER info = h;
  info.biClrUsed = bitsPerPixel <= 8 ? DWORD(table.size() / 4) : 0;
  info.biSizeImage = DWORD(image);
  const BYTE* raw = reinterpret_cast<const BYTE*>(&info);
  Put32(head, info.biSize);
  head.insert(head.end(), raw + 4, raw + 40);
  head.insert(head.end(), table.begin(), table.end());
  if (std::fwrite(head.data(), 1, head.size(), file) != head.size()) return false;
  for (size_t done = 0; done < image;) {
    size_t piece = std::min<size_t>(image - done, 32768);
    if (std::fwrite(bits + done, 1, piece, file) != piece) return false;
    done += piece;
  }
  return true;
}

BOOL CImageCodecBMP::Write(const char* name) {
  TakeName(name);
  return WriteImageFile(fileName, [this](FILE* file) { return WriteStream(file); });
}
