#include "engine/zeck/zeck_decompress.h"

#include <bit>
#include <cstring>

namespace zeck {

namespace {

// Copies a back reference; an overlapping one repeats the bytes it has just written.
inline void copy_reference(uint8_t* to, size_t distance, size_t length) {
  const uint8_t* from = to - distance;
  if (distance >= length) {
    std::memcpy(to, from, length);
  } else {
    for (size_t i = 0; i < length; ++i) to[i] = from[i];
  }
}

// Bytes one group of eight items can take from the input and give to the output at most, with the
// slack of the fast loop's whole-word copies (it may read and write up to 8 bytes past an item).
constexpr size_t kGroupInput = 1 + 8 * 2 + 8;
constexpr size_t kGroupOutput = 8 * kZeckMaxMatch + 8;

// A back reference in the fast loop, where the output has room for 24 bytes from `to`: copied in
// whole words when they cannot overlap what they copy, byte by byte when they can.
inline void copy_reference_fast(uint8_t* to, size_t distance, size_t length) {
  const uint8_t* from = to - distance;
  if (distance >= kZeckMaxMatch) {
    std::memcpy(to, from, 16);
    std::memcpy(to + 16, from + 16, 2);
  } else if (distance >= 8) {
    for (size_t i = 0; i < length; i += 8) std::memcpy(to + i, from + i, 8);
  } else {
    for (size_t i = 0; i < length; ++i) to[i] = from[i];
  }
}

}  // namespace

size_t ZeckDecompress(const uint8_t* input, uint8_t* output, size_t input_size, size_t output_limit) {
  size_t in = 0;
  size_t out = 0;
  // Whole groups far from both ends need no bounds checks per item; runs of literals are copied a
  // word at a time.
  while (in + kGroupInput <= input_size && out + kGroupOutput <= output_limit) {
    const unsigned flags = input[in++];
    for (unsigned bit = 0; bit < 8;) {
      if (!(flags & (1u << bit))) {
        const unsigned run = unsigned(std::countr_zero((flags | 0x100u) >> bit));
        std::memcpy(output + out, input + in, 8);
        in += run;
        out += run;
        bit += run;
        continue;
      }
      const unsigned b0 = input[in];
      const unsigned b1 = input[in + 1];
      in += 2;
      ++bit;
      const size_t distance = (b0 | ((b1 & 0x0Fu) << 8)) + 1;
      if (distance > out) return out;
      const size_t length = (b1 >> 4) + kZeckMinMatch;
      copy_reference_fast(output + out, distance, length);
      out += length;
    }
  }
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
      copy_reference(output + out, distance, length);
      out += length;
    }
  }
  return out;
}

}  // namespace zeck
