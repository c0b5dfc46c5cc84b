// Groups from hostile bytes and stored numbers, followed by every group operation.
//
// Input: u32 capacity, u32 split, then bytes. The bytes before the split become one group through
// GrpFromBytes; the rest become a second group whose record numbers are taken from its first 16 bytes
// (as a group file would give them) and made safe with GrpNormalize. Every operation then runs on both.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/COMMON/topic_group.h"
#include "platform/base/byte_io.h"

using namespace engine;

namespace {

void exercise(TopicGroup* g) {
  const int32_t count = g->count;
  int32_t previous = -1;
  for (int32_t n = 0; n < std::min(count, 4096); ++n) {
    const int32_t item = GrpNthItem(g, n);
    if (item < 0 || item <= previous || !g->has_item(item)) __builtin_trap();
    previous = item;
  }
  if (GrpNthItem(g, count) != -1) __builtin_trap();
  uint8_t byte = 0;
  if (count > 0 && GrpFindNthBit(g->bits, count - 1, &byte) != previous && count <= 4096) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  base::ByteReader r(data, size);
  const int32_t capacity = r.i32();
  const uint32_t split = std::min<uint32_t>(r.u32(), uint32_t(r.remaining()));
  std::span<const uint8_t> first, second;
  r.view(split, first);
  r.view(r.remaining(), second);

  GroupPtr a = GrpFromBytes(first, capacity);
  if (!a) a = GrpFromBytes(first, 0);
  if (!a) a = GrpCreate(100, nullptr);

  base::ByteReader numbers(second);
  GroupPtr b = GrpAlloc(0, 0, nullptr);
  b->last = numbers.i32();
  b->first = numbers.i32();
  b->count = numbers.i32();
  b->capacity = numbers.i32();
  std::span<const uint8_t> bits;
  numbers.view(std::min<size_t>(numbers.remaining(), 0x10100), bits);
  b->bits.assign(bits.begin(), bits.end());
  if (GrpNormalize(b.get()) != kGroupOk) b = GrpCreate(8, nullptr);

  for (TopicGroup* g : {a.get(), b.get()}) exercise(g);
  uint16_t err = 0;
  GroupPtr results[] = {GrpUnion(a.get(), b.get(), &err), GrpIntersect(a.get(), b.get(), &err),
                        GrpIntersect(b.get(), a.get(), &err), GrpComplement(a.get(), &err),
                        GrpComplement(b.get(), &err), GrpCopy(b.get(), &err)};
  for (GroupPtr& g : results)
    if (g) exercise(g.get());

  // Item edits driven by the input, then trimming and the walks again.
  for (size_t i = 0; i + 4 <= first.size() && i < 256; i += 4) {
    const int32_t item = int32_t(base::load_le32(first.data() + i)) % (kGroupMaxItem + 2);
    if (i & 4) GrpAddItem(b.get(), item);
    else GrpRemoveItem(b.get(), item);
    GrpRemoveItem(a.get(), item);
  }
  GrpTrim(a.get());
  GrpTrim(b.get());
  exercise(a.get());
  exercise(b.get());
  GroupPtr u = GrpUnion(a.get(), b.get(), &err);
  if (u && GrpCountBits(u->bits) != u->count) __builtin_trap();
  return 0;
}
