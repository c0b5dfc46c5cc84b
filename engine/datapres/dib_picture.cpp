#include "engine/datapres/dib_picture.h"

#include <cstring>

#include "platform/base/byte_io.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/metafile_api.h"
#include "platform/gdi/core/object_api.h"

namespace datapres {
namespace {

constexpr uint32_t kHeaderSize = 40;
constexpr int64_t kTwipsPerPixel = 15;
constexpr int64_t kLargestExtent = 0x7FFF;  // metafile coordinates are 16-bit

// The palette's logical form with its entries, or empty when the block does not hold one.
std::vector<uint8_t> LogicalPalette(std::span<const uint8_t> block) {
  base::ByteReader r(block);
  r.u16();  // version
  const uint16_t count = r.u16();
  if (!r.ok() || count == 0 || count > 256 || block.size() - 4 < size_t(count) * 4) return {};
  std::vector<uint8_t> logical(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * count);
  auto* palette = reinterpret_cast<LOGPALETTE*>(logical.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = count;
  std::memcpy(palette->palPalEntry, block.data() + 4, size_t(count) * 4);
  return logical;
}

}  // namespace

bool DpDibToMetafile(std::span<const uint8_t> dib, DibMetafile& out, std::span<const uint8_t> palette) {
  base::ByteReader r(dib);
  const uint32_t headerSize = r.u32();
  const int32_t width = r.i32();
  const int32_t height = r.i32();
  r.u16();  // planes
  const uint16_t bitCount = r.u16();
  const uint32_t compression = r.u32();
  r.skip(12);  // image size, pixels per metre
  const uint32_t coloursUsed = r.u32();
  if (!r.ok() || headerSize < kHeaderSize || headerSize > dib.size() || compression != 0) return false;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) return false;
  const int64_t rows = height < 0 ? -int64_t(height) : int64_t(height);
  if (width <= 0 || rows == 0 || width * kTwipsPerPixel > kLargestExtent || rows * kTwipsPerPixel > kLargestExtent)
    return false;
  const uint64_t colours = bitCount <= 8 ? (coloursUsed ? coloursUsed : 1u << bitCount) : coloursUsed;
  const uint64_t bitsAt = uint64_t(headerSize) + colours * 4;
  const uint64_t stride = (uint64_t(width) * bitCount + 31) / 32 * 4;
  if (colours > 256 && bitCount <= 8) return false;
  if (bitsAt > dib.size() || stride * uint64_t(rows) > dib.size() - bitsAt) return false;

  // The header and the colour table copied into aligned storage, the header's size set to its own.
  std::vector<uint32_t> info(size_t((kHeaderSize + colours * 4) / 4) + 1);
  std::memcpy(info.data(), dib.data(), kHeaderSize);
  std::memcpy(reinterpret_cast<uint8_t*>(info.data()) + kHeaderSize, dib.data() + headerSize, size_t(colours * 4));
  info[0] = kHeaderSize;
  const auto* bitmapInfo = reinterpret_cast<const BITMAPINFO*>(info.data());

  const int extentX = int(width * kTwipsPerPixel);
  const int extentY = int(rows * kTwipsPerPixel);
  HDC recorder = CreateMetaFile(nullptr);
  if (!recorder) return false;
  SetMapMode(recorder, MM_ANISOTROPIC);
  SetWindowExtEx(recorder, extentX, extentY, nullptr);
  HPALETTE realized = nullptr;
  if (std::vector<uint8_t> logical = LogicalPalette(palette); !logical.empty()) {
    realized = CreatePalette(reinterpret_cast<const LOGPALETTE*>(logical.data()));
    if (realized) {
      SelectPalette(recorder, realized, FALSE);
      RealizePalette(recorder);
    }
  }
  const bool drawn = StretchDIBits(recorder, 0, 0, extentX, extentY, 0, 0, width, int(rows), dib.data() + bitsAt,
                                   bitmapInfo, DIB_RGB_COLORS, SRCCOPY) != 0;
  HMETAFILE metafile = CloseMetaFile(recorder);
  if (realized) DeleteObject(realized);
  if (!metafile) return false;
  std::vector<uint8_t> bytes(GetMetaFileBitsEx(metafile, 0, nullptr));
  const bool copied = !bytes.empty() && GetMetaFileBitsEx(metafile, UINT(bytes.size()), bytes.data()) == bytes.size();
  DeleteMetaFile(metafile);
  if (!drawn || !copied) return false;
  out.width = width;
  out.height = int32_t(rows);
  out.metafile = std::move(bytes);
  return true;
}

}  // namespace datapres
