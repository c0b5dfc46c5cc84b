// The LZ decoder on any input, with an output limit taken from the first two bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/zeck/zeck_decompress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t limit = size_t(data[0] | (data[1] << 8)) % 20000;
  std::vector<uint8_t> out(limit);
  const size_t n = zeck::ZeckDecompress(data + 2, out.data(), size - 2, limit);
  if (n > limit) __builtin_trap();
  return 0;
}
