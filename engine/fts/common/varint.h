// The 7-bit variable-length integers of the full-text index: 7-bit groups, least significant group
// first; a byte with its top bit set is followed by another byte. A value holds at most 32 bits, so
// at most five bytes are read.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fts {

// Decodes one value from at most `available` bytes into `out`; returns the number of bytes consumed,
// or 0 when the value runs past `available` or past five bytes (`out` is then 0).
size_t VarintDecode(uint32_t& out, const uint8_t* bytes, size_t available);

}  // namespace fts
