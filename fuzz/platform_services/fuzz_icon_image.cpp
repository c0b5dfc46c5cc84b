// Decodes arbitrary bytes as an icon image and, when that works, writes the image again and reads
// the copy back.
#include <cstdint>
#include <cstdlib>

#include "platform/gdi/core/icon_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  gdi::IconImage image;
  if (!gdi::decode_icon_image({data, size}, image)) return 0;
  std::vector<uint8_t> again = gdi::encode_icon_image(*image.colour, *image.mask);
  gdi::IconImage copy;
  if (!gdi::decode_icon_image(again, copy)) std::abort();
  return 0;
}
