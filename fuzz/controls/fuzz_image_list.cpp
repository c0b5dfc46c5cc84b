// Reads arbitrary bytes as a stored image list, and writes back whatever was read.
#include <cstdint>
#include <span>

#include "platform/base/archive.h"
#include "platform/controls/image_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CArchive in(std::span<const uint8_t>(data, size));
  CImageList list;
  try {
    if (!list.Read(&in)) return 0;
  } catch (const CArchiveException&) {
    return 0;
  }
  CArchive out;
  list.Write(&out);
  return 0;
}
