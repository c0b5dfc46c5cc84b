// The LZ decoder on any input, with an output limit taken from the first two bytes, checked against a
// plain item-by-item decoding of the same stream.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/zeck/zeck_decompress.h"

namespace {

std::vector<uint8_t> plain_decode(const uint8_t* in, size_t size, size_t limit) {
  std::vector<uint8_t> out;
  size_t i = 0;
  while (i + 1 < size && out.size() < limit) {
    const unsigned flags = in[i++];
    for (unsigned bit = 0; bit < 8 && i < size && out.size() < limit; ++bit) {
      if (!(flags & (1u << bit))) {
        out.push_back(in[i++]);
        continue;
      }
      if (i + 2 > size) return out;
      const size_t distance = (in[i] | ((in[i + 1] & 0x0Fu) << 8)) + 1;
      const size_t length = (in[i + 1] >> 4) + 3u;
      i += 2;
      if (distance > out.size()) return out;
      for (size_t k = 0; k < length && out.size() < limit; ++k) out.push_back(out[out.size() - distance]);
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t limit = size_t(data[0] | (data[1] << 8)) % 20000;
  std::vector<uint8_t> out(limit);
  const size_t n = zeck::ZeckDecompress(data + 2, out.data(), size - 2, limit);
  const std::vector<uint8_t> expected = plain_decode(data + 2, size - 2, limit);
  if (n != expected.size() || (n && std::memcmp(out.data(), expected.data(), n) != 0)) __builtin_trap();
  return 0;
}
