// Marks files as titles give them: any bytes read as a mark list.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "pictures/media/media_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<media::MarkSpec> marks;
  media::MediaParseMarksFile(std::string_view(reinterpret_cast<const char*>(data), size), marks);
  return 0;
}
