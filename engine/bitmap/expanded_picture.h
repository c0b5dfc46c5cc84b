// Stored pictures expanded into one block, and the run-length code of their bits.
//
// Stored picture record (little-endian; "pul" packed unsigned long: 2 bytes, or 4 when bit 0 of
// the first byte is set, value shifted right by 1; "pus" packed unsigned short likewise 1 or 2):
//   byte 0   type: 5 or 6 bitmap, 8 metafile; anything else is not a picture
//   byte 1   compression: 0 none, 1 run-length, 2 LZ
//   bitmap:   X and Y resolution (pul, not used), planes (pus), bits per pixel (pus), width,
//             height, colours used, colours important (pul each), stored size of the bits (pul),
//             size of the hotspot data (pul), i32 offset of the bits, i32 offset of the hotspot
//             data (both from the record's start), then the palette: colours used x {b, g, r, 0}
//   metafile: mapping mode (pus), u16 X extent, u16 Y extent, expanded size (pul), stored size of
//             the bits (pul), size of the hotspot data (pul), i32 offset of the bits, i32 offset of
//             the hotspot data
//
// Expanded block of a bitmap: u8 type, u8 0, i32 size of the bits, i32 offset of the bits
// (58 + 4 x colours used), i32 size of the hotspot data, i32 offset of the hotspot data (after the
// bits), a 40-byte bitmap information header (resolutions 96), the palette, the bits (rows bottom-up,
// each padded to 32 bits), the hotspot data.
// Expanded block of a metafile (66-byte head): u8 8, u8 0, i32 size of the metafile bits, i32 0 (the
// bits are kept apart), i32 size of the hotspot data, i32 66, i32 mapping mode, i32 X extent, i32 Y
// extent, 4 bytes of handle room, 32 zero bytes, then the hotspot data.
//
// Expansion bounds every size: a side of at most 16,384 pixels, at most 256 MB of bits, offsets and
// sizes inside the record, in checked 64-bit arithmetic. A bitmap whose stored bits could not fill
// its rows even at the code's best ratio (64 to 1 run-length, 9 to 1 LZ, 1 to 1 plain) is damaged;
// a metafile's expanded size is only room, so it is cut to what its bits can fill.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace bitmap {

enum PictureType : uint8_t { kPictureDdb = 5, kPictureDib = 6, kPictureMetafile = 8 };

inline constexpr int32_t kMaxPictureSide = 16384;
inline constexpr uint64_t kMaxPictureBytes = 256ull << 20;
inline constexpr size_t kBitmapHeadSize = 58;
inline constexpr size_t kMetafileHeadSize = 66;

struct ExpandedPicture {
  std::vector<uint8_t> block;         // the expanded block laid out as above
  std::vector<uint8_t> metafileBits;  // a metafile's bits, kept apart

  uint8_t type() const { return block.empty() ? 0 : block[0]; }
  int32_t field(size_t offset) const;  // a 32-bit field of the head
  // A bitmap's header fields.
  int32_t width() const { return field(18 + 4); }
  int32_t height() const { return field(18 + 8); }
  int32_t planes() const;
  int32_t bits_per_pixel() const;
  int32_t colours_used() const { return field(18 + 32); }
  std::span<const uint8_t> bits() const;
  std::span<const uint8_t> hotspot_data() const;
};

using ExpandedPicturePtr = std::unique_ptr<ExpandedPicture>;

inline constexpr int kNotAPicture = -2;
inline constexpr int kPictureDamaged = -1;

// Expands a stored record. Null with `status` -2 when the record is not a picture, -1 when it is
// damaged or too large; `status` 0 otherwise.
ExpandedPicturePtr ExpLoadBitmapRecord(std::span<const uint8_t> stored, int* status);
void ExpFreeBitmapRecord(ExpandedPicturePtr picture);

// Run-length code: a count byte c; c >= 0x80: c - 0x80 literal bytes follow; else the next byte is
// repeated c times. The decoder writes at most `output_size` bytes and stops there.
size_t ExpRleDecode(const uint8_t* input, uint8_t* output, size_t input_size, size_t output_size);
size_t ExpRleEncode(const uint8_t* input, uint8_t* output, size_t input_size);
// The largest output ExpRleEncode writes for `input_size` bytes.
size_t ExpRleEncodeBound(size_t input_size);
// Decodes from the input's end towards its start, writing the output from its end, so input and
// output may share one buffer (the input at the buffer's start). -1 when the output would overflow.
int64_t ExpRleDecodeBackward(const uint8_t* input, uint8_t* output, size_t input_size, size_t output_size);

}  // namespace bitmap
