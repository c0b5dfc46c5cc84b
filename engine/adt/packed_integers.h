// The three packed integer forms of topic records. In each, bit 0 of the first byte gives the width.
//
//   packed signed long:    2 bytes, the 16-bit word 2v + 0x8000 (-0x4000 <= v <= 0x3FFF), or
//                          4 bytes, the 32-bit word 2v + 0x80000001 (modulo 2^32);
//   packed signed short:   1 byte, 2v + 128 (modulo 256) (-64 <= v <= 63), or
//                          2 bytes, the 16-bit word 2v + 0x8001 (modulo 2^16);
//   packed unsigned short: 1 byte, 2v (v <= 127), or 2 bytes, the 16-bit word 2v + 1.
// All words are little-endian; decoding shifts the unsigned word right by one and removes the bias.
#pragma once

#include <cstdint>

#include "platform/base/byte_io.h"

namespace adt {

// Readers: false (reader failed) when the value runs past the input.
bool ReadPackedLong(base::ByteReader& in, int32_t& value);
bool ReadPackedShort(base::ByteReader& in, int16_t& value);
bool ReadPackedUShort(base::ByteReader& in, uint16_t& value);

// Writers choose the short form whenever the value fits it.
void WritePackedLong(base::ByteWriter& out, int32_t value);
void WritePackedShort(base::ByteWriter& out, int16_t value);
void WritePackedUShort(base::ByteWriter& out, uint16_t value);

}  // namespace adt
