// Whole-tree image files from hostile bytes: an image loads only when its header is a B-tree header
// of this version and the file holds every page it names within the one-block limit, and then it
// holds exactly the file's first header-and-pages bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "engine/mvfs/btree.h"
#include "engine/mvfs/btree_format.h"
#include "fuzz/mvfs/fuzz_input_file.h"

using namespace mvfs;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FileMonikerPtr file = fuzzing::WriteInputFile(data, size, "image.bti");
  if (!file) return 0;
  BtImagePtr image = BtLoadImage(file.get());
  if (!image) return 0;
  const size_t n = image->bytes.size();
  if (size < size_t(kBtreeHeaderSize) || n > 65534 || n > size || !std::equal(image->bytes.begin(), image->bytes.end(), data))
    __builtin_trap();
  const BtreeHeader header = ReadBtreeHeader(std::span<const uint8_t, kBtreeHeaderSize>(data, kBtreeHeaderSize));
  if (n != size_t(kBtreeHeaderSize) + size_t(std::max<int16_t>(header.pageCount, 0)) * header.pageSize) __builtin_trap();
  BtFreeImage(std::move(image));
  return 0;
}
