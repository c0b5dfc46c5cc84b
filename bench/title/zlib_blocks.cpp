#include "bench/title/zlib_blocks.h"

#include <zlib.h>

namespace bench {

std::vector<uint8_t> ZlibDeflate(const uint8_t* data, size_t size, int level) {
  uLongf packed_size = compressBound(uLong(size));
  std::vector<uint8_t> packed(packed_size);
  compress2(packed.data(), &packed_size, data, uLong(size), level);
  packed.resize(packed_size);
  return packed;
}

size_t ZlibInflate(const std::vector<uint8_t>& packed, uint8_t* out, size_t capacity) {
  uLongf size = uLongf(capacity);
  uncompress(out, &size, packed.data(), uLong(packed.size()));
  return size_t(size);
}

}  // namespace bench
