// Reads a BMP file from untrusted bytes; an image it accepts must have rows for its whole size
// and write out and read back unchanged.
#include <cstdlib>

#include "toolkit/widgets/dib_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bmp_file::Image image;
  if (!bmp_file::Decode({data, size}, image)) return 0;
  const size_t rows = bmp_file::RowBytes(image.header.biWidth, image.header.biBitCount) *
                      static_cast<size_t>(image.header.biHeight);
  if (image.bits.size() != rows) std::abort();
  bmp_file::Image back;
  if (!bmp_file::Decode(bmp_file::Encode(image), back) || back.bits != image.bits) std::abort();
  return 0;
}
