// The byte-oriented LZ format of topic blocks, phrase texts and stored pictures.
//
// Stream layout: a flag byte, then up to eight items whose kinds its bits give, lowest bit first.
//   bit clear: one literal byte.
//   bit set:   a back reference of two bytes b0 b1:
//                distance = (b0 | (b1 & 0x0F) << 8) + 1   (1 to 4,096)
//                length   = (b1 >> 4) + 3                  (3 to 18)
//              the bytes are copied one at a time from `distance` bytes back in the output, so an
//              overlapping reference repeats data.
// A flag byte that is the last byte of the input ends the stream.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zeck {

// Window and item limits shared by the decoder and the compressor.
inline constexpr size_t kZeckWindow = 4096;
inline constexpr size_t kZeckMinMatch = 3;
inline constexpr size_t kZeckMaxMatch = 18;

// Decodes `input_size` bytes into `output`, writing at most `output_limit` bytes; returns the number
// of bytes written. Decoding stops at the end of the input or at the limit, whichever comes first. A
// reference that would reach before the start of the output, or whose second byte lies past the
// input, ends the decoding there: the bytes written before it stay valid.
size_t ZeckDecompress(const uint8_t* input, uint8_t* output, size_t input_size, size_t output_limit);

}  // namespace zeck
