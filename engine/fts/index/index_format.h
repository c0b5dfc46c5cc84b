// The bytes of a full-text index (the title's "|MVINDEX" and the index of a keyword index).
//
// File: a 56-byte header at offset 0 (padded to 2,048 bytes), then blocks of 4,096 bytes; block n
// starts at 2,048 + 4,096 x n. Integers are little-endian.
//
// Header:
//    0  u16  0
//    2  u16  version, 7, 8 or 9
//    4  u32  count reported as the query total (the number of topics; postings name topics below it)
//   12  u8   occurrence fields: bit 0 terms carry a field number, bit 2 occurrences carry a word
//            position, bit 3 a character address, bit 4 a length
//   13  u8   options: bit 0 each topic of a posting carries a 16-bit weight
//   14  u32  root block number
//   18  u16  levels (1 when the root is a leaf)
//   20  u16  code of a posting's topic count      22  u16  code of a topic's occurrence count
//   24  u16  code of word-position deltas         30  u16  code of character-address deltas
//   32  u16  code of length values                34  u16  code of length run counts
//   other bytes are not read.
//
// A code is the scheme in its low byte and the parameter p in its high byte. Bit streams are read
// most significant bit first: unary = the number of 1 bits before a 0 bit; fixed = the next p + 1
// bits; gamma = k 1 bits and a 0 bit, then with k = 0 the next p bits, else with w = p + k - 1 the
// value 2^w plus the next w bits.
//
// Every block starts with the u16 offset of its first entry.
//   Internal block: entries up to the block's end or a 0xFF byte; an entry is a front-coded key, the
//   field number (varint, when header bit 0 of byte 12) and the child block number (varint). Keys are
//   the largest (key, field) of the child's subtree, ascending.
//   Leaf block: entries up to a 0xFF byte or the trailer (the last 8 bytes in version 7, 12 in versions
//   8 and 9); the u32 at offset 4,092 is the next leaf, 0xFFFFFFFF at the last one.
// Front-coded key: byte b; with bit 7 set the prefix length is (b >> 4) & 7 and the suffix length
//   b & 0x0F, else the prefix length is b and the suffix length is the next byte; then the suffix.
//   The key is that prefix of the previous key (across leaves too; a descent takes the key of the
//   internal entry before the child) followed by the suffix. A key never starts with the
//   byte 0xFF (prefix 7 with suffix 15 is written in the long form), since 0xFF ends the entries.
// Leaf entry: key; from version 8 on the entry length (one byte, or with bit 7 set 15 bits in two bytes,
//   high first) counting the bytes from the length field to the end of the posting, at most 4,095, 0
//   when not recorded; the field number (varint, when bit 0); the posting, which ends on a byte
//   boundary. Everything after the key may run past the trailer: it then goes on at offset 2 of the
//   next leaf, whose first-entry offset points past it. The entry length counts the entry's own
//   bytes only, never the trailer and first-entry offset that a crossing passes over.
// Posting: one bit set when every topic has exactly one occurrence; the term's topic code (1 then 5
//   bits p: fixed; 0 1 then 5 bits p: gamma; 0 0: unary); topics - 1 with the header's topic-count
//   code; then per topic ascending: the delta (the first topic is the delta, each later one the
//   previous + delta + 1) with the term's code; a 16-bit weight when options bit 0; the occurrence
//   count - 1 with the header's code when any of bits 2-4 is set and the first bit is clear (else one
//   occurrence); per occurrence the word-position delta (bit 2) and the address delta (bit 3), both
//   restarting at each topic like topic deltas, and the length (bit 4) through a run counter that
//   starts at 1 for each posting: at 1 a run count and a value are read and the counter becomes the
//   run count; above 1 it counts down and the last value repeats; at 0 the last value repeats for the
//   rest of the posting.
// Version 9 is version 8 with two changes that make postings smaller: after the topic code each
//   posting carries codes of its own for word-position deltas (when bit 2) and for address deltas
//   (when bit 3), written as the topic code is (the header's two codes are not read); and address
//   deltas run on over the posting's topics instead of restarting at each topic (the first address
//   of a later topic is the previous topic's last address + delta + 1), since a topic's addresses
//   all lie above those of the topics before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace fts {

inline constexpr uint32_t kIndexBlockSize = 4096;
inline constexpr uint32_t kIndexHeaderArea = 2048;
inline constexpr size_t kIndexHeaderSize = 56;
inline constexpr uint32_t kIndexNoBlock = 0xFFFFFFFF;
inline constexpr uint8_t kIndexEntriesEnd = 0xFF;
inline constexpr uint32_t kIndexNextLeafOffset = 4092;
inline constexpr uint32_t kIndexMaxEntryLength = 4095;
// Deeper trees than this cannot come from 4 KB blocks over 32-bit block numbers.
inline constexpr uint16_t kIndexMaxLevels = 16;

// Header byte 12.
inline constexpr uint8_t kIndexHasField = 0x01;
inline constexpr uint8_t kIndexHasWordPosition = 0x04;
inline constexpr uint8_t kIndexHasAddress = 0x08;
inline constexpr uint8_t kIndexHasLength = 0x10;
inline constexpr uint8_t kIndexOccurrenceBits = kIndexHasWordPosition | kIndexHasAddress | kIndexHasLength;
// Header byte 13.
inline constexpr uint8_t kIndexHasWeights = 0x01;

enum class CodeScheme : uint8_t { Unary = 0, Fixed = 1, Gamma = 2 };

struct PostingCode {
  CodeScheme scheme = CodeScheme::Unary;
  uint8_t p = 0;

  static PostingCode from_word(uint16_t word) { return {CodeScheme(word & 0xFF), uint8_t(word >> 8)}; }
  uint16_t word() const { return uint16_t(uint8_t(scheme) | (p << 8)); }
  // True when values decoded with the code fit 32 bits and the scheme is known.
  bool valid() const;
};

struct FtsIndexHeader {
  uint16_t version = 8;
  uint32_t count = 0;
  uint8_t occurrenceFields = 0;
  uint8_t options = 0;
  uint32_t root = 0;
  uint16_t levels = 1;
  PostingCode topicCount;
  PostingCode occurrenceCount;
  PostingCode wordPosition;
  PostingCode address;
  PostingCode length;
  PostingCode runCount;

  bool has_field() const { return occurrenceFields & kIndexHasField; }
  bool has_occurrence_data() const { return occurrenceFields & kIndexOccurrenceBits; }
  bool has_weights() const { return options & kIndexHasWeights; }
  uint32_t trailer_size() const { return version == 7 ? 8 : 12; }
  bool own_occurrence_codes() const { return version >= 9; }
  bool addresses_run_on() const { return version >= 9; }
  uint32_t leaf_end() const { return kIndexBlockSize - trailer_size(); }
};

// Decodes the header: 0, 2022 when fewer than 56 bytes are given or a code or the level count is
// unusable, 2007 for a wrong first word or version.
int32_t ParseIndexHeader(std::span<const uint8_t> bytes, FtsIndexHeader& out);

inline uint64_t IndexBlockOffset(uint32_t block) {
  return kIndexHeaderArea + uint64_t(kIndexBlockSize) * block;
}

}  // namespace fts
