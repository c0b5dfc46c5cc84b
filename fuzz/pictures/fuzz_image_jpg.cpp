// Reads arbitrary bytes as a JPEG picture.
#include "fuzz/pictures/fuzz_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzCodec<CImageCodecJPG>(data, size);
}
