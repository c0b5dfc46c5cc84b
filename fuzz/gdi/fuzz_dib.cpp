// Decodes arbitrary bytes as a packed device-independent bitmap, and as device-dependent bits
// whose size and format come from the first bytes.
#include <cstdint>

#include "platform/gdi/core/dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  gdi::decode_packed_dib(bytes);
  gdi::DibInfo info;
  if (gdi::read_dib_info(bytes, DIB_PAL_COLORS, {}, info)) gdi::decode_dib(info, bytes.subspan(info.info_size));
  if (size >= 4) {
    int width = data[0] + 1, height = data[1] + 1, planes = data[2] % 5 + 1;
    static const int depths[] = {1, 4, 8, 16, 24, 32};
    int bits = depths[data[3] % 6];
    gdi::decode_device_bits(width, height, planes, bits, bytes.subspan(4));
  }
  return 0;
}
