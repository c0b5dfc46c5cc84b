// Counted strings of the full-text layer: one length byte n (0 to 255) followed by n bytes, with no
// terminator. Words, terms, keys, operator words and stop words are all counted strings.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fts {

// True when both counted strings have the same length and bytes.
bool PstrEqual(const uint8_t* a, const uint8_t* b);
// Byte-wise unsigned comparison over the shorter length, then the shorter string first: negative,
// zero or positive.
int PstrCompare(const uint8_t* a, const uint8_t* b);
// Compares n bytes with bit 0x20 forced on in both, so that ASCII letters compare without case.
int AsciiCompareNoCase(const uint8_t* a, const uint8_t* b, size_t n);

}  // namespace fts
