// The engine's growable arrays, node lists and block lists.
#include <gtest/gtest.h>

#include <vector>

#include "engine/adt/block_copy.h"
#include "engine/adt/fr_array.h"
#include "engine/adt/fr_node_list.h"
#include "engine/adt/ll_list.h"

namespace {

TEST(FrArray, KeepsOneFreeSlotAndHasNoSizeCap) {
  adt::FrArray<int> array;
  EXPECT_EQ(array.capacity(), 4u);
  for (int i = 0; i < 3; ++i) {
    array.next_slot() = i;
    ASSERT_TRUE(array.FrArrayGrow());
  }
  EXPECT_EQ(array.capacity(), 4u);
  array.next_slot() = 3;
  ASSERT_TRUE(array.FrArrayGrow());  // would leave no free slot: grows by four first
  EXPECT_EQ(array.capacity(), 8u);
  EXPECT_EQ(array[3], 3);
  EXPECT_EQ(array.next_slot(), 0);  // new room is zero-filled
  // Far past 65,280 bytes.
  struct Big {
    char bytes[1000];
  };
  adt::FrArray<Big> big;
  for (int i = 0; i < 200; ++i) ASSERT_TRUE(big.FrArrayGrow());
  EXPECT_EQ(big.count(), 200u);
  array.erase(0);
  EXPECT_EQ(array.count(), 3u);
  EXPECT_EQ(array[0], 1);
}

TEST(FrNodeList, InsertRemoveAndGrowth) {
  adt::FrNodeList<int> list;
  std::vector<int32_t> nodes;
  for (int i = 0; i < 4; ++i) nodes.push_back(list.FrNodeInsert(list.tail()));
  EXPECT_EQ(list.capacity(), 4u);
  EXPECT_EQ(list.free_head(), -1);
  const int32_t fifth = list.FrNodeInsert(-1);  // empty free chain: four more nodes, three spare
  EXPECT_EQ(list.capacity(), 8u);
  EXPECT_EQ(list.head(), fifth);
  int spare = 0;
  for (int32_t n = list.free_head(); n != -1; n = list.node(n).next) ++spare;
  EXPECT_EQ(spare, 3);
  list.FrNodeRemove(fifth);
  EXPECT_EQ(list.head(), nodes[0]);
  for (int32_t n : nodes) list.FrNodeRemove(n);
  EXPECT_EQ(list.head(), -1);
  EXPECT_EQ(list.tail(), -1);
}

TEST(LlList, FrontAndBack) {
  adt::LlList list;
  const uint8_t a[] = {1, 2};
  const uint8_t b[] = {3};
  auto node = list.LlInsert(a, false);
  EXPECT_EQ(list.first(), node);
  EXPECT_EQ(list.last(), node);
  list.LlInsert(b, true);
  EXPECT_EQ(adt::LlList::LlDataBlock(list.first()), std::vector<uint8_t>{3});
  EXPECT_EQ(list.LlNext(list.first()), node);
  list.LlRemove(node);
  EXPECT_EQ(list.size(), 1u);
}

TEST(QvCopy, OverlappingRanges) {
  uint8_t bytes[] = {1, 2, 3, 4, 5};
  adt::QvCopy(bytes + 1, bytes, 4);
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 5), (std::vector<uint8_t>{1, 1, 2, 3, 4}));
}

}  // namespace
