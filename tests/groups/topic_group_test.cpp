#include "engine/COMMON/topic_group.h"

#include <gtest/gtest.h>

#include <bitset>
#include <random>
#include <set>
#include <vector>

namespace engine {
namespace {

GroupPtr make(int32_t capacity, std::initializer_list<int32_t> items) {
  uint16_t err = 0;
  GroupPtr g = GrpCreate(capacity, &err);
  EXPECT_TRUE(g);
  for (int32_t i : items) EXPECT_EQ(GrpAddItem(g.get(), i), kGroupOk);
  return g;
}

std::vector<int32_t> items_of(TopicGroup* g) {
  std::vector<int32_t> out;
  for (int32_t n = 0;; ++n) {
    const int32_t item = GrpNthItem(g, n);
    if (item < 0) break;
    out.push_back(item);
  }
  return out;
}

TEST(TopicGroup, CreateSizesVectorsAndMarksOpenEnded) {
  struct Case {
    int32_t capacity;
    int32_t bytes;
    int32_t last;
    bool open;
  };
  for (const Case& c : {Case{0, 0, 0, false}, Case{1, 1, 1, false}, Case{8, 1, 8, false}, Case{9, 2, 9, false},
                        Case{100, 13, 100, false}, Case{0x7FFFF, 0x10000, 0x7FFFF, false},
                        Case{0x80000, 256, 0, true}}) {
    uint16_t err = 99;
    GroupPtr g = GrpCreate(c.capacity, &err);
    ASSERT_TRUE(g) << c.capacity;
    EXPECT_EQ(err, kGroupOk);
    EXPECT_EQ(g->size(), c.bytes) << c.capacity;
    EXPECT_EQ(g->last, c.last) << c.capacity;
    EXPECT_EQ(g->first, kGroupMaxItem);
    EXPECT_EQ(g->capacity, c.capacity);
    EXPECT_EQ((g->flags & kGroupOpenEnded) != 0, c.open);
    EXPECT_EQ(g->magic, kGroupMagic);
    EXPECT_EQ(g->version, kGroupVersion);
  }
  uint16_t err = 0;
  EXPECT_FALSE(GrpCreate(0x80001, &err));
  EXPECT_EQ(err, kGroupItemTooLarge);
  EXPECT_FALSE(GrpCreate(-1, &err));
}

TEST(TopicGroup, AddGrowsInWholeStepsAndRaisesCapacity) {
  GroupPtr g = make(100, {100});
  EXPECT_EQ(g->size(), 13);
  EXPECT_EQ(g->capacity, 101);
  EXPECT_EQ(GrpAddItem(g.get(), 104), kGroupOk);
  EXPECT_EQ(g->size(), 256);
  EXPECT_EQ(GrpAddItem(g.get(), 2048), kGroupOk);
  EXPECT_EQ(g->size(), 512);
  EXPECT_EQ(GrpAddItem(g.get(), kGroupMaxItem), kGroupOk);
  EXPECT_TRUE(g->has_item(kGroupMaxItem));
  EXPECT_EQ(GrpAddItem(g.get(), kGroupMaxItem + 1), kGroupItemTooLarge);
  EXPECT_EQ(GrpAddItem(g.get(), -1), kGroupItemTooLarge);
  EXPECT_EQ(GrpAddItem(nullptr, 1), kGroupMissing);
  EXPECT_EQ(g->count, 4);
}

TEST(TopicGroup, AddTwiceCountsOnceAndRemovingAbsentItemChangesNothing) {
  GroupPtr g = make(50, {7, 7});
  EXPECT_EQ(g->count, 1);
  EXPECT_EQ(GrpRemoveItem(g.get(), 8), kGroupOk);
  EXPECT_EQ(g->count, 1);
  EXPECT_EQ(GrpRemoveItem(g.get(), 7), kGroupOk);
  EXPECT_EQ(g->count, 0);
  EXPECT_EQ(GrpRemoveItem(nullptr, 7), kGroupMissing);
}

// A group made for 8 items has one byte but records 8 as its last item: removing item 8 must not
// touch a second byte.
TEST(TopicGroup, RemovingRecordedLastItemBeyondVectorIsIgnored) {
  GroupPtr g = make(8, {2});
  ASSERT_EQ(g->size(), 1);
  EXPECT_EQ(GrpRemoveItem(g.get(), 8), kGroupOk);
  EXPECT_EQ(g->count, 1);
  EXPECT_EQ(g->bits[0], 0x04);
}

TEST(TopicGroup, TrimComputesExactBounds) {
  GroupPtr g = make(200, {9, 17});
  EXPECT_EQ(GrpTrim(g.get()), kGroupOk);
  EXPECT_EQ(g->first, 9);
  EXPECT_EQ(g->last, 17);
  EXPECT_EQ(g->count, 2);
  EXPECT_EQ(g->size(), 3);
  EXPECT_EQ(g->state, kGroupTrimmed);

  GroupPtr empty = make(200, {5});
  GrpRemoveItem(empty.get(), 5);
  GrpTrim(empty.get());
  EXPECT_EQ(empty->size(), 0);
  EXPECT_EQ(empty->count, 0);
  EXPECT_EQ(empty->first, 0);
  EXPECT_EQ(empty->last, 0);
}

TEST(TopicGroup, SetOperationsOnSmallCases) {
  struct Case {
    const char* name;
    int32_t cap_a;
    std::initializer_list<int32_t> a;
    int32_t cap_b;
    std::initializer_list<int32_t> b;
    std::vector<int32_t> uni, inter;
  };
  const Case cases[] = {
      {"disjoint", 10, {1, 2}, 10, {3}, {1, 2, 3}, {}},
      {"overlap", 64, {0, 8, 63}, 64, {8, 63}, {0, 8, 63}, {8, 63}},
      {"byte-sized created groups", 8, {2}, 8, {2, 7}, {2, 7}, {2}},
      {"different sizes", 16, {3, 15}, 4000, {15, 3999}, {3, 15, 3999}, {15}},
      {"empty side", 16, {}, 16, {1}, {1}, {}},
      {"top item", kGroupMaxItem, {0, kGroupMaxItem}, 100, {0}, {0, kGroupMaxItem}, {0}},
  };
  for (const Case& c : cases) {
    GroupPtr a = make(c.cap_a, c.a), b = make(c.cap_b, c.b);
    uint16_t err = 0;
    GroupPtr u = GrpUnion(a.get(), b.get(), &err);
    ASSERT_TRUE(u) << c.name;
    EXPECT_EQ(items_of(u.get()), c.uni) << c.name;
    EXPECT_EQ(u->count, int32_t(c.uni.size())) << c.name;
    GroupPtr i = GrpIntersect(a.get(), b.get(), &err);
    ASSERT_TRUE(i) << c.name;
    EXPECT_EQ(items_of(i.get()), c.inter) << c.name;
    if (c.inter.empty()) {
      EXPECT_EQ(i->size(), 0) << c.name;
    }
    GroupPtr i2 = GrpIntersect(b.get(), a.get(), &err);
    EXPECT_EQ(items_of(i2.get()), c.inter) << c.name;
  }
}

TEST(TopicGroup, ComplementKeepsWithinCapacity) {
  uint16_t err = 0;
  GroupPtr a = make(5, {1, 3});
  GroupPtr c = GrpComplement(a.get(), &err);
  ASSERT_TRUE(c);
  EXPECT_EQ(items_of(c.get()), (std::vector<int32_t>{0, 2, 4}));
  EXPECT_EQ(c->capacity, 5);

  GroupPtr grown = make(10, {20});  // vector longer than the original capacity asked for
  GroupPtr cg = GrpComplement(grown.get(), &err);
  ASSERT_TRUE(cg);
  EXPECT_EQ(cg->count, 20);
  EXPECT_FALSE(cg->has_item(20));

  GroupPtr zero = make(0, {});
  GroupPtr cz = GrpComplement(zero.get(), &err);
  ASSERT_TRUE(cz);
  EXPECT_EQ(cz->count, 0);

  TopicGroup bad;
  bad.magic = 0;
  EXPECT_FALSE(GrpComplement(&bad, &err));
  EXPECT_EQ(err, kGroupFailed);
  EXPECT_FALSE(GrpUnion(&bad, a.get(), &err));
  EXPECT_EQ(err, kGroupInvalid);
  EXPECT_FALSE(GrpIntersect(a.get(), nullptr, &err));
  EXPECT_EQ(err, kGroupInvalid);
  EXPECT_FALSE(GrpCopy(nullptr, &err));
  EXPECT_EQ(err, kGroupMissing);
  EXPECT_EQ(GrpIsInvalid(&bad), 1);
  EXPECT_EQ(GrpIsInvalid(nullptr), 1);
  EXPECT_EQ(GrpIsInvalid(a.get()), 0);
}

TEST(TopicGroup, CopyIsIndependent) {
  uint16_t err = 0;
  GroupPtr a = make(30, {4, 29});
  GroupPtr c = GrpCopy(a.get(), &err);
  ASSERT_TRUE(c);
  GrpAddItem(a.get(), 5);
  EXPECT_EQ(items_of(c.get()), (std::vector<int32_t>{4, 29}));
  EXPECT_EQ(c->first, a->first);
  EXPECT_EQ(c->capacity, 30);
}

TEST(TopicGroup, FindNthBitStopsAtTheEnd) {
  const uint8_t bytes[] = {0x00, 0x0A};
  uint8_t byte = 0;
  EXPECT_EQ(GrpFindNthBit(bytes, 1, &byte), 11);
  EXPECT_EQ(byte, 0x08);
  EXPECT_EQ(GrpFindNthBit(bytes, 0, &byte), 9);
  EXPECT_EQ(byte, 0x0A);
  EXPECT_EQ(GrpFindNthBit(bytes, 2, &byte), -1);
  EXPECT_EQ(GrpFindNthBit({}, 0, nullptr), -1);
  EXPECT_EQ(GrpFindNthBit(bytes, -1, nullptr), -1);
  EXPECT_EQ(GrpCountBits(bytes), 2);
}

TEST(TopicGroup, FromBytesTrimsAndRefusesItemsAboveTheLimit) {
  const uint8_t bytes[] = {0, 0x02, 0, 0x80, 0};
  GroupPtr g = GrpFromBytes(bytes, 0);
  ASSERT_TRUE(g);
  EXPECT_EQ(g->first, 9);
  EXPECT_EQ(g->last, 31);
  EXPECT_EQ(g->count, 2);
  EXPECT_EQ(g->size(), 4);
  EXPECT_EQ(g->capacity, 40);

  std::vector<uint8_t> full(kGroupMaxItem / 8 + 1, 0);
  full.back() = 0x01;
  EXPECT_TRUE(GrpFromBytes(full, 0));
  full.back() = 0x02;
  EXPECT_FALSE(GrpFromBytes(full, 0));
  full.push_back(0);
  EXPECT_FALSE(GrpFromBytes(full, 0));

  GroupPtr none = GrpFromBytes({}, 0);
  ASSERT_TRUE(none);
  EXPECT_EQ(GrpNthItem(none.get(), 0), -1);
}

// A stored group whose numbers disagree with its vector is made safe before any operation.
TEST(TopicGroup, NormalizeRecomputesStoredNumbers) {
  GroupPtr g = GrpAlloc(2, 16, nullptr);
  g->bits = {0x01, 0x80};
  g->count = 1000;
  g->last = 900000;
  g->first = -5;
  EXPECT_EQ(GrpNormalize(g.get()), kGroupOk);
  EXPECT_EQ(g->count, 2);
  EXPECT_EQ(g->last, 15);
  EXPECT_EQ(g->first, 0);
  EXPECT_EQ(items_of(g.get()), (std::vector<int32_t>{0, 15}));
  GroupPtr other = make(16, {15});
  uint16_t err = 0;
  GroupPtr i = GrpIntersect(g.get(), other.get(), &err);
  EXPECT_EQ(items_of(i.get()), (std::vector<int32_t>{15}));

  g->version = 6;
  EXPECT_EQ(GrpNormalize(g.get()), kGroupInvalid);
  g->version = 7;
  g->capacity = -1;
  EXPECT_EQ(GrpNormalize(g.get()), kGroupInvalid);
}

TEST(TopicGroup, NthItemAnswersInAnyOrderAndAfterChanges) {
  GroupPtr g = make(5000, {3, 9, 10, 11, 64, 65, 700, 4999});
  const std::vector<int32_t> all = {3, 9, 10, 11, 64, 65, 700, 4999};
  for (int32_t n : {0, 1, 2, 3, 4, 7, 6, 5, 0, 7, 2, 3, 4, 5, 6}) EXPECT_EQ(GrpNthItem(g.get(), n), all[size_t(n)]) << n;
  EXPECT_EQ(GrpNthItem(g.get(), 8), -1);
  EXPECT_EQ(GrpNthItem(g.get(), -1), -1);
  EXPECT_EQ(GrpNthItem(nullptr, 0), -1);
  EXPECT_EQ(GrpNthItem(g.get(), 2), 10);
  GrpRemoveItem(g.get(), 11);  // the next ordinal now lies further on
  EXPECT_EQ(GrpNthItem(g.get(), 3), 64);
  GrpAddItem(g.get(), 12);
  EXPECT_EQ(GrpNthItem(g.get(), 3), 12);
  EXPECT_EQ(GrpNthItem(g.get(), 4), 64);
}

// Random groups against std::bitset over the full item range.
TEST(TopicGroup, MatchesBitsetOnRandomGroups) {
  constexpr size_t kBits = kGroupMaxItem + 1;
  std::mt19937 rng(7);
  for (int round = 0; round < 4; ++round) {
    auto ref_a = std::make_unique<std::bitset<kBits>>();
    auto ref_b = std::make_unique<std::bitset<kBits>>();
    GroupPtr a = make(1000 * (round + 1), {}), b = make(kGroupMaxItem, {});
    const int32_t span = round % 2 ? kGroupMaxItem : 5000;
    for (int k = 0; k < 3000; ++k) {
      int32_t x = int32_t(rng() % uint32_t(span + 1)), y = int32_t(rng() % uint32_t(span + 1));
      GrpAddItem(a.get(), x);
      ref_a->set(size_t(x));
      GrpAddItem(b.get(), y);
      ref_b->set(size_t(y));
      if (k % 5 == 0) {
        GrpRemoveItem(a.get(), y);
        ref_a->reset(size_t(y));
      }
    }
    uint16_t err = 0;
    GroupPtr u = GrpUnion(a.get(), b.get(), &err), i = GrpIntersect(a.get(), b.get(), &err);
    EXPECT_EQ(size_t(u->count), (*ref_a | *ref_b).count());
    EXPECT_EQ(size_t(i->count), (*ref_a & *ref_b).count());
    EXPECT_EQ(size_t(a->count), ref_a->count());
    std::vector<int32_t> expected;
    const auto both = *ref_a & *ref_b;
    for (size_t t = 0; t < kBits; ++t)
      if (both[t]) expected.push_back(int32_t(t));
    EXPECT_EQ(items_of(i.get()), expected);
    // A backwards look-up after a forward walk still answers right.
    if (!expected.empty()) {
      EXPECT_EQ(GrpNthItem(i.get(), 0), expected.front());
    }
  }
}

}  // namespace
}  // namespace engine
