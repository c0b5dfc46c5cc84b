#include "engine/bitmap/expanded_picture.h"

#include <algorithm>
#include <cstring>

#include "engine/zeck/zeck_decompress.h"
#include "platform/base/byte_io.h"

namespace bitmap {

namespace {

enum Compression : uint8_t { kStoredPlain = 0, kStoredRunLength = 1, kStoredLz = 2 };

constexpr int32_t kExpandedResolution = 96;
constexpr size_t kInfoHeaderAt = 18;
constexpr size_t kInfoHeaderSize = 40;

// Packed unsigned forms of stored pictures: bit 0 of the first byte selects the long form.
uint32_t PackedULong(base::ByteReader& in) {
  uint8_t first = 0;
  if (!in.u8(first)) return 0;
  in.seek(in.pos() - 1);
  return (first & 1) ? in.u32() >> 1 : uint32_t(in.u16() >> 1);
}

uint32_t PackedUShort(base::ByteReader& in) {
  uint8_t first = 0;
  if (!in.u8(first)) return 0;
  if (!(first & 1)) return first >> 1;
  in.seek(in.pos() - 1);
  return uint32_t(in.u16() >> 1);
}

// The stored bytes at [offset, offset + size) of the record, or an empty span when they lie outside.
bool Slice(std::span<const uint8_t> stored, int32_t offset, uint64_t size, std::span<const uint8_t>& out) {
  if (offset < 0 || uint64_t(offset) > stored.size() || size > stored.size() - uint64_t(offset)) return false;
  out = stored.subspan(size_t(offset), size_t(size));
  return true;
}

// Decodes stored bits into `room` bytes; returns the bytes written.
size_t DecodeBits(uint8_t compression, std::span<const uint8_t> bits, uint8_t* out, size_t room) {
  switch (compression) {
    case kStoredRunLength:
      return ExpRleDecode(bits.data(), out, bits.size(), room);
    case kStoredLz:
      return zeck::ZeckDecompress(bits.data(), out, bits.size(), room);
    default: {
      size_t n = std::min(bits.size(), room);
      if (n > 0) std::memcpy(out, bits.data(), n);
      return n;
    }
  }
}

// The most bytes `size` stored bytes of bits can decode to: a run-length group repeats one byte at
// most 127 times for two stored bytes; an LZ flag byte with eight references of two bytes gives at
// most 8 x 18 bytes for 17; plain bits are copied. Sizes the stored bits cannot reach are refused
// before anything of that size is allocated.
uint64_t MostDecoded(uint8_t compression, uint64_t size) {
  switch (compression) {
    case kStoredRunLength: return size * 64;
    case kStoredLz: return size * 9;
    default: return size;
  }
}

void Put32(std::vector<uint8_t>& block, size_t at, int64_t value) { base::store_le32(block.data() + at, uint32_t(value)); }
void Put16(std::vector<uint8_t>& block, size_t at, int64_t value) { base::store_le16(block.data() + at, uint16_t(value)); }

ExpandedPicturePtr ExpandBitmap(std::span<const uint8_t> stored, int* status) {
  base::ByteReader in(stored);
  uint8_t type = in.u8();
  uint8_t compression = in.u8();
  PackedULong(in);  // resolutions: not used, the expansion says 96
  PackedULong(in);
  uint32_t planes = PackedUShort(in);
  uint32_t bpp = PackedUShort(in);
  uint32_t width = PackedULong(in);
  uint32_t height = PackedULong(in);
  uint32_t coloursUsed = PackedULong(in);
  uint32_t coloursImportant = PackedULong(in);
  uint32_t bitsSize = PackedULong(in);
  uint32_t hotspotSize = PackedULong(in);
  int32_t bitsOffset = in.i32();
  int32_t hotspotOffset = in.i32();
  std::vector<uint8_t> palette(size_t(std::min<uint32_t>(coloursUsed, 256)) * 4);
  in.bytes(palette.data(), palette.size());
  std::span<const uint8_t> bits, hotspots;
  if (!in.ok() || compression > kStoredLz || width == 0 || height == 0 || width > kMaxPictureSide ||
      height > kMaxPictureSide || planes == 0 || planes > 4 || bpp == 0 || bpp > 32 || coloursUsed > 256 ||
      !Slice(stored, bitsOffset, bitsSize, bits) || !Slice(stored, hotspotOffset, hotspotSize, hotspots)) {
    *status = kPictureDamaged;
    return nullptr;
  }
  // Device-dependent rows hold one run per plane, each padded to 16 bits; device-independent rows
  // are padded to 32.
  uint64_t rowBits = uint64_t(bpp) * planes * width;
  uint64_t stride = type == kPictureDdb ? uint64_t(planes) * ((uint64_t(bpp) * width + 15) / 16 * 2)
                                        : (rowBits + 31) / 32 * 4;
  uint64_t room = stride * height;
  uint64_t total = kBitmapHeadSize + palette.size() + room + hotspots.size();
  // The device bitmap made from the picture holds 32-bit pixels: it is bounded too.
  if (room > kMaxPictureBytes || total > kMaxPictureBytes + (1u << 20) ||
      uint64_t(width) * height * 4 > kMaxPictureBytes || room > MostDecoded(compression, bits.size())) {
    *status = kPictureDamaged;
    return nullptr;
  }
  auto picture = std::make_unique<ExpandedPicture>();
  std::vector<uint8_t>& block = picture->block;
  block.assign(size_t(total), 0);
  size_t bitsAt = kBitmapHeadSize + palette.size();
  size_t written = DecodeBits(compression, bits, block.data() + bitsAt, size_t(room));
  block[0] = type;
  block[1] = 0;
  Put32(block, 2, int64_t(room));
  Put32(block, 6, int64_t(bitsAt));
  Put32(block, 10, int64_t(hotspots.size()));
  Put32(block, 14, int64_t(bitsAt + room));
  Put32(block, kInfoHeaderAt, kInfoHeaderSize);
  Put32(block, kInfoHeaderAt + 4, width);
  Put32(block, kInfoHeaderAt + 8, height);
  Put16(block, kInfoHeaderAt + 12, planes);
  Put16(block, kInfoHeaderAt + 14, bpp);
  Put32(block, kInfoHeaderAt + 24, kExpandedResolution);
  Put32(block, kInfoHeaderAt + 28, kExpandedResolution);
  Put32(block, kInfoHeaderAt + 32, coloursUsed);
  Put32(block, kInfoHeaderAt + 36, coloursImportant);
  if (!palette.empty()) std::memcpy(block.data() + kBitmapHeadSize, palette.data(), palette.size());
  if (!hotspots.empty()) std::memcpy(block.data() + bitsAt + room, hotspots.data(), hotspots.size());
  (void)written;  // bits that end early leave the rest of the picture black
  *status = 0;
  return picture;
}

ExpandedPicturePtr ExpandMetafile(std::span<const uint8_t> stored, int* status) {
  base::ByteReader in(stored);
  in.u8();
  uint8_t compression = in.u8();
  uint32_t mappingMode = PackedUShort(in);
  uint16_t xExtent = in.u16();
  uint16_t yExtent = in.u16();
  uint32_t expandedSize = PackedULong(in);
  uint32_t bitsSize = PackedULong(in);
  uint32_t hotspotSize = PackedULong(in);
  int32_t bitsOffset = in.i32();
  int32_t hotspotOffset = in.i32();
  std::span<const uint8_t> bits, hotspots;
  if (!in.ok() || compression > kStoredLz || expandedSize > kMaxPictureBytes ||
      !Slice(stored, bitsOffset, bitsSize, bits) || !Slice(stored, hotspotOffset, hotspotSize, hotspots)) {
    *status = kPictureDamaged;
    return nullptr;
  }
  auto picture = std::make_unique<ExpandedPicture>();
  const size_t room = size_t(std::min<uint64_t>(expandedSize, MostDecoded(compression, bits.size())));
  picture->metafileBits.assign(room, 0);
  size_t written = room ? DecodeBits(compression, bits, picture->metafileBits.data(), room) : 0;
  picture->metafileBits.resize(written);
  std::vector<uint8_t>& block = picture->block;
  block.assign(kMetafileHeadSize + hotspots.size(), 0);
  block[0] = kPictureMetafile;
  Put32(block, 2, int64_t(written));
  Put32(block, 6, 0);
  Put32(block, 10, int64_t(hotspots.size()));
  Put32(block, 14, kMetafileHeadSize);
  Put32(block, 18, mappingMode);
  Put32(block, 22, int16_t(xExtent));
  Put32(block, 26, int16_t(yExtent));
  if (!hotspots.empty()) std::memcpy(block.data() + kMetafileHeadSize, hotspots.data(), hotspots.size());
  *status = 0;
  return picture;
}

}  // namespace

int32_t ExpandedPicture::field(size_t offset) const {
  if (offset + 4 > block.size()) return 0;
  return int32_t(base::load_le32(block.data() + offset));
}

int32_t ExpandedPicture::planes() const {
  return block.size() >= kBitmapHeadSize ? base::load_le16(block.data() + kInfoHeaderAt + 12) : 0;
}

int32_t ExpandedPicture::bits_per_pixel() const {
  return block.size() >= kBitmapHeadSize ? base::load_le16(block.data() + kInfoHeaderAt + 14) : 0;
}

std::span<const uint8_t> ExpandedPicture::bits() const {
  if (type() == kPictureMetafile) return metafileBits;
  int64_t offset = field(6), size = field(2);
  if (offset < 0 || size < 0 || uint64_t(offset + size) > block.size()) return {};
  return std::span<const uint8_t>(block).subspan(size_t(offset), size_t(size));
}

std::span<const uint8_t> ExpandedPicture::hotspot_data() const {
  int64_t offset = field(14), size = field(10);
  if (offset < 0 || size < 0 || uint64_t(offset + size) > block.size()) return {};
  return std::span<const uint8_t>(block).subspan(size_t(offset), size_t(size));
}

ExpandedPicturePtr ExpLoadBitmapRecord(std::span<const uint8_t> stored, int* status) {
  int local = 0;
  if (!status) status = &local;
  uint8_t type = stored.empty() ? 0 : stored[0];
  switch (type) {
    case kPictureDdb:
    case kPictureDib:
      return ExpandBitmap(stored, status);
    case kPictureMetafile:
      return ExpandMetafile(stored, status);
    default:
      *status = kNotAPicture;
      return nullptr;
  }
}

void ExpFreeBitmapRecord(ExpandedPicturePtr picture) { picture.reset(); }

}  // namespace bitmap
