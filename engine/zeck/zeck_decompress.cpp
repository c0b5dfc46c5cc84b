#include "engine/zeck/zeck_decompress.h"

#include <cstring>

namespace zeck {

size_t ZeckDecompress(const uint8_t* input, uint8_t* output, size_t input_size, size_t output_limit) {
  size_t in = 0;
  size_t out = 0;
  while (in + 1 < input_size && out < output_limit) {
    const unsigned flags = input[in++];
    for (unsigned bit = 0; bit < 8; ++bit) {
      if (in >= input_size || out >= output_limit) return out;
      if (!(flags & (1u << bit))) {
        output[out++] = input[in++];
        continue;
      }
      if (in + 2 > input_size) return out;
      const unsigned b0 = input[in];
      const unsigned b1 = input[in + 1];
      in += 2;
      const size_t distance = (b0 | ((b1 & 0x0Fu) << 8)) + 1;
      if (distance > out) return out;
      size_t length = (b1 >> 4) + kZeckMinMatch;
      if (length > output_limit - out) length = output_limit - out;
      const uint8_t* from = output + out - distance;
      uint8_t* to = output + out;
      if (distance >= length) {
        std::memcpy(to, from, length);
      } else {
        // Overlapping reference: each byte may be one this reference just wrote.
        for (size_t i = 0; i < length; ++i) to[i] = from[i];
      }
      out += length;
    }
  }
  return out;
}

}  // namespace zeck
