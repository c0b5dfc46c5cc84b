// Loads arbitrary bytes as a bitmap file into a device-independent bitmap, then uses it: a
// palette from it, colour mapping, a block copy and saving.
#include <cstdint>

#include "pictures/image/picture_dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CDIB dib;
  if (!dib.LoadBytes({data, size})) return 0;
  CPicturePalette palette;
  if (palette.Create(&dib)) dib.MapColorsToPalette(&palette);
  CDIB target;
  dib.CopyBits(&target, 2, 2, 20, 20, 0, 0, 0);
  dib.FileBytes();
  return 0;
}
