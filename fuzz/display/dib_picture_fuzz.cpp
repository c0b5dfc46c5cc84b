// Bitmaps that embedded windows hand over for copying, recorded as metafile pictures.
//
// Input: the packed bitmap block as it is.
#include <cstddef>
#include <cstdint>
#include <span>

#include "engine/datapres/dib_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  datapres::DibMetafile picture;
  datapres::DpDibToMetafile(std::span<const uint8_t>(data, size), picture);
  return 0;
}
