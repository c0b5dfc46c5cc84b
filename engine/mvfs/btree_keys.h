// B-tree key types: stored sizes, record sizes and collations.
//
// Every routine here is bounded by the bytes it is given: a stored key or record that does not end
// inside them has no size (-1), and comparisons never read past either key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "engine/mvfs/btree.h"

namespace mvfs {

// The key type character and the character maps the 'i' and 'P' collations read.
struct BtKeyType {
  char type = 'z';
  const BtCharMaps* charMaps = nullptr;
};

// The size of the key at the start of `bytes`: with `storedSize` the bytes it takes in a page, else
// its full length (front-coded types). -1 when the key does not end inside `bytes`; 0 for an unknown
// type.
int32_t BtKeySize(std::span<const uint8_t> bytes, const BtKeyType& type, bool storedSize);
// The size of the record at the start of `bytes` by the record part of `format` (characters after the
// first); -1 when it does not end inside `bytes`.
int32_t BtRecordSize(std::span<const uint8_t> bytes, const char* format);
// The fixed record size of `format`, or 0 when records vary in size.
int32_t BtFixedRecordSize(const char* format);
// Negative, 0 or positive; both keys are whole stored keys (as measured by BtKeySize).
int BtCompareKeys(std::span<const uint8_t> a, std::span<const uint8_t> b, const BtKeyType& type);
// Whether `text` matches `key` (see the key types); `code` gets 0, 7 or 4.
bool BtKeyMatches(const BtKeyType& type, std::span<const uint8_t> text,
                  std::span<const uint8_t> key, FsErrorCode* code);

// The bytes of a caller's key of the given type (a NUL-terminated string, or 4 bytes for 'L').
std::span<const uint8_t> BtCallerKey(const void* key, char type);

// The two fixed weight tables of the case- and accent-folding collations.
extern const std::array<uint8_t, 256> kBtWeightsI;
extern const std::array<uint8_t, 256> kBtWeightsS;

}  // namespace mvfs
