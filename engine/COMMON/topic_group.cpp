// Topic group operations. Vector work runs eight bytes at a time where it can: the vectors cover up to
// 65,537 bytes and the set operations are what binder merges and query scopes spend their time on.
#include "engine/COMMON/topic_group.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <new>

namespace engine {
namespace {

constexpr int32_t kGrowStep = 256;
// Bytes needed for items 0 .. kGroupMaxItem.
constexpr int32_t kMaxVectorBytes = kGroupMaxItem / 8 + 1;

uint16_t report(uint16_t* error, uint16_t code) {
  if (error) *error = code;
  return code;
}

// Words are loaded in host order; on a little-endian host bit i of a word is bit i % 8 of byte i / 8,
// which the next-set-bit search relies on.
static_assert(std::endian::native == std::endian::little);

uint64_t load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

void store64(uint8_t* p, uint64_t v) { std::memcpy(p, &v, 8); }

// nth_in_byte[b][k]: the bit index of the k-th set bit of byte b (8 when b has fewer set bits).
constexpr auto kNthInByte = [] {
  std::array<std::array<uint8_t, 8>, 256> table{};
  for (int b = 0; b < 256; ++b) {
    int k = 0;
    for (auto& slot : table[b]) slot = 8;
    for (int bit = 0; bit < 8; ++bit)
      if (b & (1 << bit)) table[b][k++] = uint8_t(bit);
  }
  return table;
}();

bool resize_zeroed(std::vector<uint8_t>& bits, size_t size) {
  try {
    bits.resize(size, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void reset_cache(TopicGroup& g) {
  g.cacheOrdinal = 0;
  g.cacheByte = 0;
  g.cacheLastOrdinal = -1;
}

bool valid(const TopicGroup* g) {
  return g && g->magic == kGroupMagic && g->version >= kGroupOldestVersion &&
         g->version <= kGroupVersion;
}

// Applies `op` to the words and then the tail bytes of dst[from, to) and src[from, to).
template <typename Op>
void combine(uint8_t* dst, const uint8_t* src, size_t from, size_t to, Op op) {
  size_t i = from;
  for (; i + 8 <= to; i += 8) store64(dst + i, op(load64(dst + i), load64(src + i)));
  for (; i < to; ++i) dst[i] = uint8_t(op(dst[i], src[i]));
}

}  // namespace

bool TopicGroup::has_item(int32_t item) const {
  return item >= 0 && item < 8 * size() && (bits[size_t(item) >> 3] >> (item & 7)) & 1;
}

GroupPtr GrpAlloc(int32_t vector_bytes, int32_t capacity, uint16_t* error) {
  if (vector_bytes < 0 || vector_bytes > kMaxVectorBytes + kGrowStep) {
    report(error, kGroupItemTooLarge);
    return nullptr;
  }
  auto group = std::unique_ptr<TopicGroup>(new (std::nothrow) TopicGroup);
  if (!group || !resize_zeroed(group->bits, size_t(vector_bytes))) {
    report(error, kGroupNoMemory);
    return nullptr;
  }
  group->capacity = capacity;
  group->error = error;
  report(error, kGroupOk);
  return group;
}

GroupPtr GrpCreate(int32_t capacity, uint16_t* error) {
  if (capacity < 0 || capacity > kGroupMaxItem) {
    report(error, kGroupItemTooLarge);
    return nullptr;
  }
  const bool open_ended = capacity == kGroupMaxItem;
  GroupPtr group = GrpAlloc(open_ended ? kGrowStep : (capacity + 7) / 8, capacity, error);
  if (!group) return nullptr;
  if (open_ended) {
    group->flags |= kGroupOpenEnded;
    group->last = 0;
  } else {
    group->last = capacity;
  }
  group->first = kGroupMaxItem;
  return group;
}

void GrpFree(GroupPtr& group) { group.reset(); }

uint16_t GrpAddItem(TopicGroup* group, int32_t item) {
  if (!group) return kGroupMissing;
  if (item < 0 || item > kGroupMaxItem) return kGroupItemTooLarge;
  if (item >= 8 * group->size()) {
    const int32_t grown = (item >> 11) * kGrowStep + kGrowStep;
    if (!resize_zeroed(group->bits, size_t(grown))) return kGroupNoMemory;
  }
  reset_cache(*group);
  if (item >= group->capacity) group->capacity = item + 1;
  if (item > group->last) group->last = item;
  if (item < group->first) group->first = item;
  uint8_t& byte = group->bits[size_t(item) >> 3];
  const uint8_t mask = uint8_t(1u << (item & 7));
  if (!(byte & mask)) {
    byte |= mask;
    ++group->count;
  }
  return kGroupOk;
}

uint16_t GrpRemoveItem(TopicGroup* group, int32_t item) {
  if (!group) return kGroupMissing;
  // The recorded last item may lie beyond the vector (a group created for n items records n), so the
  // vector's own length bounds the item as well.
  if (item < group->first || item > group->last || !group->has_item(item)) return kGroupOk;
  reset_cache(*group);
  group->bits[size_t(item) >> 3] &= uint8_t(~(1u << (item & 7)));
  --group->count;
  return kGroupOk;
}

uint16_t GrpTrim(TopicGroup* group) {
  if (!group) return kGroupMissing;
  if (group->state == kGroupTrimmed || group->bits.empty()) return kGroupOk;
  reset_cache(*group);
  const auto& bits = group->bits;
  auto last_byte = std::find_if(bits.rbegin(), bits.rend(), [](uint8_t b) { return b != 0; });
  if (last_byte == bits.rend()) {
    group->count = group->first = group->last = 0;
    group->bits = {};
    return kGroupOk;
  }
  const int32_t last_index = int32_t(bits.rend() - last_byte) - 1;
  const int32_t first_index = int32_t(std::find_if(bits.begin(), bits.end(), [](uint8_t b) { return b != 0; }) -
                                      bits.begin());
  group->last = 8 * last_index + (7 - std::countl_zero(bits[size_t(last_index)]));
  group->first = 8 * first_index + std::countr_zero(bits[size_t(first_index)]);
  group->bits.resize(size_t(last_index) + 1);
  group->bits.shrink_to_fit();
  group->count = GrpCountBits(group->bits);
  group->state = kGroupTrimmed;
  return kGroupOk;
}

GroupPtr GrpFromBytes(std::span<const uint8_t> bytes, int32_t capacity) {
  if (bytes.size() > size_t(kMaxVectorBytes) || capacity < 0) return nullptr;
  if (bytes.size() == size_t(kMaxVectorBytes) && (bytes.back() & 0xFE)) return nullptr;
  GroupPtr group = GrpAlloc(int32_t(bytes.size()), capacity ? capacity : 8 * int32_t(bytes.size()), nullptr);
  if (!group) return nullptr;
  if (!bytes.empty()) std::memcpy(group->bits.data(), bytes.data(), bytes.size());
  GrpTrim(group.get());
  return group;
}

int GrpIsInvalid(const TopicGroup* group) { return valid(group) ? 0 : 1; }

uint16_t GrpNormalize(TopicGroup* group) {
  if (!valid(group)) return kGroupInvalid;
  if (group->capacity < 0 || group->capacity > kGroupMaxItem + 1) return kGroupInvalid;
  if (group->size() > kMaxVectorBytes + kGrowStep) return kGroupInvalid;
  reset_cache(*group);
  const int32_t top = 8 * group->size() - 1;
  group->count = GrpCountBits(group->bits);
  group->first = std::clamp(group->first, 0, kGroupMaxItem);
  group->last = std::clamp(group->last, 0, std::max(top, 0));
  return kGroupOk;
}

GroupPtr GrpUnion(const TopicGroup* a, const TopicGroup* b, uint16_t* error) {
  if (!valid(a) || !valid(b)) {
    report(error, kGroupInvalid);
    return nullptr;
  }
  GroupPtr result = GrpAlloc(std::max(a->size(), b->size()), std::max(a->capacity, b->capacity), error);
  if (!result) return nullptr;
  if (!a->bits.empty()) std::memcpy(result->bits.data(), a->bits.data(), a->bits.size());
  combine(result->bits.data(), b->bits.data(), 0, b->bits.size(), [](uint64_t x, uint64_t y) { return x | y; });
  GrpTrim(result.get());
  return result;
}

GroupPtr GrpIntersect(const TopicGroup* a, const TopicGroup* b, uint16_t* error) {
  if (!valid(a) || !valid(b)) {
    report(error, kGroupInvalid);
    return nullptr;
  }
  GroupPtr result = GrpAlloc(std::max(a->size(), b->size()), std::max(a->capacity, b->capacity), error);
  if (!result) return nullptr;
  if (a->count > 0 && b->count > 0) {
    // The recorded bounds narrow the work; both vectors' lengths bound it.
    const int64_t from = std::max<int64_t>({a->first, b->first, 0}) / 8;
    const int64_t to = std::min<int64_t>({int64_t(std::min(a->last, b->last)) / 8 + 1, a->size(), b->size()});
    if (from < to) {
      std::memcpy(result->bits.data() + from, a->bits.data() + from, size_t(to - from));
      combine(result->bits.data(), b->bits.data(), size_t(from), size_t(to),
              [](uint64_t x, uint64_t y) { return x & y; });
    }
  }
  GrpTrim(result.get());
  return result;
}

GroupPtr GrpComplement(const TopicGroup* a, uint16_t* error) {
  if (!valid(a)) {
    report(error, kGroupFailed);
    return nullptr;
  }
  if (a->capacity == 0) return GrpCopy(a, error);
  if (a->capacity < 0 || a->capacity > kGroupMaxItem + 1) {
    report(error, kGroupItemTooLarge);
    return nullptr;
  }
  const int32_t bytes = (a->capacity + 7) / 8;
  GroupPtr result = GrpAlloc(bytes, a->capacity, error);
  if (!result) return nullptr;
  const size_t common = size_t(std::min(bytes, a->size()));
  std::fill(result->bits.begin() + common, result->bits.end(), uint8_t(0xFF));
  combine(result->bits.data(), a->bits.data(), 0, common, [](uint64_t, uint64_t y) { return ~y; });
  if (a->capacity % 8) result->bits.back() &= uint8_t((1u << (a->capacity % 8)) - 1);
  GrpTrim(result.get());
  return result;
}

GroupPtr GrpCopy(const TopicGroup* a, uint16_t* error) {
  if (!a) {
    report(error, kGroupMissing);
    return nullptr;
  }
  GroupPtr result = GrpAlloc(0, a->capacity, error);
  if (!result) return nullptr;
  try {
    result->bits = a->bits;
  } catch (const std::bad_alloc&) {
    report(error, kGroupNoMemory);
    return nullptr;
  }
  result->first = a->first;
  result->last = a->last;
  result->count = a->count;
  result->state = a->state;
  return result;
}

int32_t GrpCountBits(std::span<const uint8_t> bytes) {
  const uint8_t* p = bytes.data();
  const size_t n = bytes.size();
  int64_t total = 0;
  size_t i = 0;
  for (; i + 8 <= n; i += 8) total += std::popcount(load64(p + i));
  for (; i < n; ++i) total += std::popcount(p[i]);
  return int32_t(std::min<int64_t>(total, INT32_MAX));
}

namespace {

constexpr auto kBitsInByte = [] {
  std::array<uint8_t, 256> table{};
  for (int b = 0; b < 256; ++b) table[size_t(b)] = uint8_t(std::popcount(unsigned(b)));
  return table;
}();

// Finds the byte that holds the set bit of ordinal n, starting at byte `at` whose first set bit has
// ordinal `ordinal`. On success `at` is that byte and `ordinal` the ordinal of its first set bit.
// Single bytes are looked at until the position is word-aligned (a walk over a dense group mostly
// stops in the byte it starts in), then whole words, then the tail.
bool seek_nth(std::span<const uint8_t> bytes, int64_t n, size_t& at, int64_t& ordinal) {
  const uint8_t* p = bytes.data();
  const size_t size = bytes.size();
  auto step_byte = [&] {
    const int c = kBitsInByte[p[at]];
    if (ordinal + c > n) return true;
    ordinal += c;
    ++at;
    return false;
  };
  for (; at < size && (at % 8 != 0 || at + 8 > size);)
    if (step_byte()) return true;
  while (at + 8 <= size) {
    const int c = std::popcount(load64(p + at));
    if (ordinal + c > n) break;
    ordinal += c;
    at += 8;
  }
  while (at < size)
    if (step_byte()) return true;
  return false;
}

}  // namespace

int32_t GrpFindNthBit(std::span<const uint8_t> bytes, int32_t n, uint8_t* byte_out) {
  size_t at = 0;
  int64_t ordinal = 0;
  if (n < 0 || !seek_nth(bytes, n, at, ordinal)) return -1;
  const uint8_t bit = kNthInByte[bytes[at]][size_t(n - ordinal)];
  if (byte_out) *byte_out = uint8_t(bytes[at] & ~((1u << bit) - 1));
  return int32_t(8 * at + bit);
}

namespace {

// The first set bit at or above `from`, or -1.
int32_t next_set_bit(std::span<const uint8_t> bytes, int32_t from) {
  const uint8_t* p = bytes.data();
  const size_t size = bytes.size();
  size_t at = size_t(from) >> 3;
  if (at >= size) return -1;
  const uint8_t first = uint8_t(p[at] & (0xFFu << (from & 7)));
  if (first) return int32_t(8 * at + size_t(std::countr_zero(first)));
  for (++at; at + 8 <= size; at += 8)
    if (const uint64_t w = load64(p + at)) return int32_t(8 * at + size_t(std::countr_zero(w)));
  for (; at < size; ++at)
    if (p[at]) return int32_t(8 * at + size_t(std::countr_zero(p[at])));
  return -1;
}

}  // namespace

int32_t GrpNthItemScan(TopicGroup* group, int32_t n) {
  if (!group || n < 0 || n >= group->count) return -1;
  int32_t item;
  if (n == group->cacheLastOrdinal + 1 && group->cacheLastOrdinal >= 0) {
    item = next_set_bit(group->bits, group->cacheLastItem + 1);
    if (item < 0) return -1;
    const size_t at = size_t(item) >> 3;
    if (int32_t(at) != group->cacheByte) {
      group->cacheByte = int32_t(at);
      group->cacheOrdinal = n - kBitsInByte[group->bits[at] & ((1u << (item & 7)) - 1)];
    }
  } else {
    size_t at = 0;
    int64_t ordinal = 0;
    if (group->cacheByte > 0 && group->cacheByte < group->size() && group->cacheOrdinal <= n) {
      at = size_t(group->cacheByte);
      ordinal = group->cacheOrdinal;
    }
    if (!seek_nth(group->bits, n, at, ordinal)) return -1;
    group->cacheByte = int32_t(at);
    group->cacheOrdinal = int32_t(ordinal);
    item = int32_t(8 * at + kNthInByte[group->bits[at]][size_t(n - ordinal)]);
  }
  group->cacheLastOrdinal = n;
  group->cacheLastItem = item;
  // The bits after the answer in the eight bytes from its own.
  const size_t at = size_t(item) >> 3;
  uint64_t rest = 0;
  std::memcpy(&rest, group->bits.data() + at, std::min<size_t>(8, group->bits.size() - at));
  rest &= ~uint64_t(1) << (item & 7);  // read little-endian: bit i is item 8 * at + i
  group->cacheRest = rest;
  group->cacheRestBase = int32_t(8 * at);
  return item;
}

}  // namespace engine
