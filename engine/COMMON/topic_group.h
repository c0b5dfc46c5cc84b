// Topic groups: sets of topic numbers held as bit vectors.
//
// Topic t belongs to a group when bit (t mod 8) of vector byte t / 8 is set, bit 0 being the lowest.
// The first 26 bytes of the record (magic .. state, little-endian, offsets below) are what group files
// store; the rest lives only in memory.
//
//    0  u16  magic 0x3333
//    2  u16  version (10 for every group made here; 7 to 10 accepted)
//    4  i32  vector size in bytes
//    8  i32  last item (exact after trimming)
//   12  i32  first item (exact after trimming)
//   16  i32  item count (set bits)
//   20  i32  capacity: the number of item numbers the group covers
//   24  u16  state: 2 = trimmed
//
// Invariants every routine here keeps, whatever the record's numbers say: no bit at or above
// 8 x vector size is ever read or written, and items are at most kGroupMaxItem. Groups whose numbers
// come from stored bytes go through GrpNormalize before use, which recomputes what can be recomputed.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

namespace engine {

inline constexpr uint16_t kGroupMagic = 0x3333;
inline constexpr uint16_t kGroupVersion = 10;
inline constexpr uint16_t kGroupOldestVersion = 7;
inline constexpr int32_t kGroupMaxItem = 0x80000;
inline constexpr uint16_t kGroupTrimmed = 2;
inline constexpr uint16_t kGroupOpenEnded = 1;  // flags bit 0: grows as items are added

// Result codes of the group calls.
inline constexpr uint16_t kGroupOk = 0;
inline constexpr uint16_t kGroupNoMemory = 2004;
inline constexpr uint16_t kGroupInvalid = 2007;
inline constexpr uint16_t kGroupMissing = 2015;
inline constexpr uint16_t kGroupItemTooLarge = 2017;
// The complement answers an invalid group with this generic failure.
inline constexpr uint16_t kGroupFailed = 1;

struct TopicGroup {
  uint16_t magic = kGroupMagic;
  uint16_t version = kGroupVersion;
  int32_t last = 0;
  int32_t first = 0;
  int32_t count = 0;
  int32_t capacity = 0;
  uint16_t state = 0;

  uint16_t* error = nullptr;  // the creator's error word, may be null
  std::vector<uint8_t> bits;  // the bit vector; its size is the record's vector size
  // The n-th item cache: the ordinal of the first item in byte `cache_byte`; byte 0 means no cache.
  // The last answer is kept beside it, so that asking for the next ordinal looks only for the next
  // set bit (ordinal -1 means none).
  int32_t cacheOrdinal = 0;
  int32_t cacheByte = 0;
  int32_t cacheLastOrdinal = -1;
  int32_t cacheLastItem = 0;
  // The set bits after the last answer among the 64 items from `cache_rest_base` (bit i is item
  // cache_rest_base + i), so that a walk takes most next items from here.
  uint64_t cacheRest = 0;
  int32_t cacheRestBase = 0;
  uint16_t flags = 0;

  int32_t size() const { return int32_t(bits.size()); }
  bool has_item(int32_t item) const;
};

using GroupPtr = std::unique_ptr<TopicGroup>;

// A group for item numbers below `capacity`. kGroupMaxItem makes an open-ended group of 256 bytes.
GroupPtr GrpCreate(int32_t capacity, uint16_t* error);
// A group with a zero-filled vector of `vector_bytes` bytes.
GroupPtr GrpAlloc(int32_t vector_bytes, int32_t capacity, uint16_t* error);
void GrpFree(GroupPtr& group);

uint16_t GrpAddItem(TopicGroup* group, int32_t item);
uint16_t GrpRemoveItem(TopicGroup* group, int32_t item);
uint16_t GrpTrim(TopicGroup* group);

// A trimmed group holding a copy of `bytes` (capacity 8 x byte count when given as 0); null when the
// bytes would hold items above kGroupMaxItem or memory fails.
GroupPtr GrpFromBytes(std::span<const uint8_t> bytes, int32_t capacity);

GroupPtr GrpUnion(const TopicGroup* a, const TopicGroup* b, uint16_t* error);
GroupPtr GrpIntersect(const TopicGroup* a, const TopicGroup* b, uint16_t* error);
GroupPtr GrpComplement(const TopicGroup* a, uint16_t* error);
GroupPtr GrpCopy(const TopicGroup* a, uint16_t* error);

// 1 for a missing group or one whose magic or version is wrong, else 0.
int GrpIsInvalid(const TopicGroup* group);

// Makes a group whose numbers were read from stored bytes safe to use: 2007 for a wrong magic,
// version or capacity; otherwise first and last are clamped to the vector, the count is recomputed
// from the bits and the n-th item cache is dropped.
uint16_t GrpNormalize(TopicGroup* group);

// The number of set bits in `bytes`.
int32_t GrpCountBits(std::span<const uint8_t> bytes);
// The bit index of the set bit of ordinal n (0 = the first set bit), and in `byte_out` its byte with
// the lower set bits cleared; -1 when the bytes hold n or fewer set bits.
int32_t GrpFindNthBit(std::span<const uint8_t> bytes, int32_t n, uint8_t* byte_out);
// The n-th item of the group in ascending order, or -1 when there is none. Forward scans continue from
// the cached position, so walking n = 0, 1, 2 ... costs one pass over the vector; the next item is
// looked for here in the words after the last answer, and out of line only at the vector's end or
// for any other ordinal.
int32_t GrpNthItemScan(TopicGroup* group, int32_t n);
inline int32_t GrpNthItem(TopicGroup* group, int32_t n) {
  if (group && n > 0 && n == group->cacheLastOrdinal + 1 && n < group->count) {
    uint64_t rest = group->cacheRest;
    uint32_t base = uint32_t(group->cacheRestBase);
    // Whole eight-byte words after the cached one, read little-endian (bit i is item base + i).
    while (!rest && size_t(base >> 3) + 16 <= group->bits.size()) {
      base += 64;
      std::memcpy(&rest, group->bits.data() + (base >> 3), 8);
    }
    if (rest) {
      group->cacheLastOrdinal = n;
      group->cacheLastItem = int32_t(base + uint32_t(std::countr_zero(rest)));
      group->cacheRest = rest & (rest - 1);
      group->cacheRestBase = int32_t(base);
      return group->cacheLastItem;
    }
  }
  return GrpNthItemScan(group, n);
}

}  // namespace engine
