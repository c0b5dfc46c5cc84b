// Decodes arbitrary bytes as a packed device-independent bitmap, and as device-dependent bits
// whose size and format come from the first bytes.
#include <cstdint>

#include "platform/gdi/core/dib.h"

namespace {

// Pictures of more pixels are read for their header only. A run-length picture of a few dozen bytes
// may declare 200 MB of pixels, within the platform's cap, and making that bitmap takes seconds an
// input under the sanitizers; its rows are the same code as a small picture's, only more of them,
// while the header's size arithmetic, where large sizes could overflow, is still read every time.
constexpr uint64_t kDecodedPixels = 1u << 22;

bool decodable(const gdi::DibInfo& info) { return uint64_t(info.width) * uint64_t(info.height) <= kDecodedPixels; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  gdi::DibInfo info;
  if (gdi::read_dib_info(bytes, DIB_RGB_COLORS, {}, info) && decodable(info)) gdi::decode_packed_dib(bytes);
  if (gdi::read_dib_info(bytes, DIB_PAL_COLORS, {}, info) && decodable(info))
    gdi::decode_dib(info, bytes.subspan(info.info_size));
  if (size >= 4) {
    int width = data[0] + 1, height = data[1] + 1, planes = data[2] % 5 + 1;
    static const int depths[] = {1, 4, 8, 16, 24, 32};
    int bits = depths[data[3] % 6];
    gdi::decode_device_bits(width, height, planes, bits, bytes.subspan(4));
  }
  return 0;
}
