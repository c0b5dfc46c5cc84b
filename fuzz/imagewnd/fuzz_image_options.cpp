// The image window's option text: tokenizing, reading the options and the picture path they name.
#include <cstdint>
#include <string_view>

#include "pictures/imagewnd/image_options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  imagewnd::ImgTokenizeOptions(text);
  const imagewnd::ImageWindowOptions options = imagewnd::ImgReadOptions(text, 4, size & 1);
  imagewnd::ImgPicturePath("/lib/du.m14", options.pictureFile);
  imagewnd::ImgPicturePath("", options.hotspotFile);
  return 0;
}
