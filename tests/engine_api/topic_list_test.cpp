// Topic lists from queries, stored groups, single topics and combinations, and the group entry
// points under them.
#include "engine/medview/topic_list.h"

#include <gtest/gtest.h>

#include "tests/engine_api/api_title.h"
#include "tests/engine_api/group_bytes.h"

namespace medview {
namespace {

using engine::GroupPtr;

std::vector<int32_t> ListItems(TopicListHandle list) {
  std::vector<int32_t> items;
  for (int32_t n = 0; n < MvGetTopicListCount(list); ++n) items.push_back(MvGetTopicListItem(list, n));
  return items;
}

class TopicLists : public engine_api_test::ApiTitle {
 protected:
  TopicListHandle Query(const char* text, uint16_t flags = 0, TopicListHandle scope = nullptr) {
    fts::FtsError error;
    TopicListHandle list = MvQueryTopicList(handle_, flags, text, scope, 0, nullptr, &error);
    if (list) {
      EXPECT_EQ(error.code, 0);
    }
    return list;
  }
};

TEST_F(TopicLists, QueryListsAnswerInRankOrderAndTheirGroupsInTopicOrder) {
  fts::HitHighlightHandle hits = nullptr;
  fts::FtsError error;
  TopicListHandle list = MvQueryTopicList(handle_, kQueryHitsGroup, "podatku LUB gminy", nullptr, 0, &hits, &error);
  ASSERT_TRUE(list);
  EXPECT_EQ(error.code, 0);
  EXPECT_EQ(ListItems(list), (std::vector<int32_t>{1, 4, 2}));
  EXPECT_EQ(MvGetTopicListItem(list, 3), -1);
  EXPECT_EQ(MvGetTopicListItem(list, -1), -1);
  ASSERT_TRUE(hits);
  EXPECT_EQ(MvGetHitTopic(hits, 0), 1);
  EXPECT_TRUE(MvGetTopicHits(hits, 4));
  engine::TopicGroup* group = MvGetListGroup(list);
  ASSERT_TRUE(group);
  EXPECT_EQ(MvGetGroupCount(group), 3);
  EXPECT_EQ(MvGetGroupItem(group, 0), 1);
  EXPECT_EQ(MvGetGroupItem(group, 2), 4);
  EXPECT_EQ(group->first, 1);
  EXPECT_EQ(group->last, 4);
  MvFreeTopicList(list);
  // Without 0x800 the group is built from the hits when asked for.
  list = Query("minister");
  ASSERT_TRUE(list);
  group = MvGetListGroup(list);
  ASSERT_TRUE(group);
  EXPECT_EQ(MvGetGroupCount(group), 4);
  EXPECT_TRUE(MvGroupHasItem(group, 4));
  EXPECT_FALSE(MvGroupHasItem(group, 3));
  MvFreeTopicList(list);
}

TEST_F(TopicLists, QueryFailuresGiveNoListAndTheErrorRecord) {
  fts::FtsError error;
  EXPECT_FALSE(MvQueryTopicList(handle_, 0, "\"minister", nullptr, 0, nullptr, &error));
  EXPECT_GE(error.code, 2200);
  EXPECT_FALSE(MvQueryTopicList(handle_, 0, nullptr, nullptr, 0, nullptr, &error));
  EXPECT_EQ(error.code, fts::kFtsQueryFailed);
  int bogus = 0;
  EXPECT_FALSE(MvQueryTopicList(handle_, 0, "minister", reinterpret_cast<TopicListHandle>(&bogus), 0, nullptr,
                                &error));
}

TEST_F(TopicLists, ScopesStoredGroupsSingleTopicsAndCombinations) {
  TopicListHandle binder = MvLoadTopicListFile(handle_, "binder");  // read as "BINDER.GRP"
  ASSERT_TRUE(binder);
  EXPECT_EQ(ListItems(binder), (std::vector<int32_t>{1, 3}));
  EXPECT_FALSE(MvLoadTopicListFile(handle_, "missing"));
  EXPECT_FALSE(MvLoadTopicListFile(handle_, ""));

  TopicListHandle ustawa = Query("ustawa");  // 0, 2, 3, 4
  ASSERT_TRUE(ustawa);
  TopicListHandle scoped = Query("minister", 0, binder);
  ASSERT_TRUE(scoped);
  EXPECT_EQ(ListItems(scoped), (std::vector<int32_t>{1}));

  TopicListHandle single = MvCreateSingleTopicList(handle_, 4);
  ASSERT_TRUE(single);
  EXPECT_EQ(ListItems(single), (std::vector<int32_t>{4}));
  EXPECT_FALSE(MvCreateSingleTopicList(handle_, 5));
  EXPECT_FALSE(MvCreateSingleTopicList(handle_, -1));
  EXPECT_FALSE(MvCreateSingleTopicList(nullptr, 0));

  const struct {
    int32_t operation;
    TopicListHandle a, b;
    std::vector<int32_t> items;
  } cases[] = {
      {kCombineIntersect, ustawa, binder, {3}},
      {kCombineUnion, binder, single, {1, 3, 4}},
      {kCombineDifference, ustawa, binder, {0, 2, 4}},
      {kCombineDifference, binder, ustawa, {1}},
  };
  for (const auto& c : cases) {
    TopicListHandle combined = MvCombineTopicLists(c.operation, c.a, c.b);
    ASSERT_TRUE(combined);
    EXPECT_EQ(ListItems(combined), c.items);
    MvFreeTopicList(combined);
  }
  EXPECT_FALSE(MvCombineTopicLists(3, ustawa, binder));
  EXPECT_EQ(ListItems(ustawa), (std::vector<int32_t>{0, 2, 3, 4}));  // inputs unchanged
  for (TopicListHandle list : {binder, ustawa, scoped, single}) MvFreeTopicList(list);
}

// A difference keeps the items of the first list that lie beyond the second list's capacity.
TEST(TopicListGroups, DifferenceKeepsItemsBeyondTheSecondGroup) {
  TopicListHandle a = MvCreateEmptyTopicList(nullptr);
  TopicListHandle b = MvCreateEmptyTopicList(nullptr);
  GroupPtr ga = MvCreateGroup(200, nullptr);
  MvAddGroupItem(ga.get(), 5);
  MvAddGroupItem(ga.get(), 150);
  GroupPtr gb = MvCreateGroup(8, nullptr);
  MvAddGroupItem(gb.get(), 5);
  ASSERT_EQ(MvSetTopicListGroup(a, std::move(ga)), 0);
  ASSERT_EQ(MvSetTopicListGroup(b, std::move(gb)), 0);
  TopicListHandle d = MvCombineTopicLists(kCombineDifference, a, b);
  EXPECT_EQ(ListItems(d), (std::vector<int32_t>{150}));
  for (TopicListHandle list : {a, b, d}) MvFreeTopicList(list);
}

TEST(TopicListGroups, FreedAndForeignHandlesAreTurnedAway) {
  uint16_t code = 99;
  TopicListHandle list = MvCreateEmptyTopicList(&code);
  ASSERT_TRUE(list);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(MvGetTopicListCount(list), 0);
  EXPECT_TRUE(MvIsTopicList(list));
  MvFreeTopicList(list);
  EXPECT_FALSE(MvIsTopicList(list));
  EXPECT_EQ(MvGetTopicListCount(list), -1);
  EXPECT_EQ(MvGetTopicListItem(list, 0), -1);
  MvFreeTopicList(list);  // ignored
  EXPECT_EQ(MvGetTopicListCount(nullptr), -1);
  EXPECT_FALSE(MvGetListGroup(nullptr));
  EXPECT_EQ(MvSetTopicListGroup(nullptr, MvCreateGroup(8, nullptr)), kListBadHandle);
  EXPECT_FALSE(MvCopyTopicListGroup(nullptr, &code));
  EXPECT_EQ(code, kListBadHandle);
}

TEST(TopicListGroups, DiskGroupFilesLoadAtOnce) {
  engine_api_test::TempFile file("list");
  ASSERT_TRUE(file.write(titlebuild::GroupFileBytes({2, 9, 30}, 40)));
  TopicListHandle list = MvLoadTopicListFile(nullptr, file.path.c_str());
  ASSERT_TRUE(list);
  EXPECT_FALSE(MvGetPendingName(list));
  EXPECT_EQ(ListItems(list), (std::vector<int32_t>{2, 9, 30}));
  uint16_t code = 99;
  GroupPtr copy = MvCopyTopicListGroup(list, &code);
  ASSERT_TRUE(copy);
  EXPECT_EQ(MvGetGroupCount(copy.get()), 3);
  MvFreeTopicList(list);
  EXPECT_EQ(MvMakeUpperName("wyroki", ".grp"), "WYROKI.GRP");
}

TEST(TopicListGroups, ClearingAGroupEmptiesItInPlaceOverItsWholeCapacity) {
  EXPECT_EQ(MvClearGroup(nullptr), engine::kGroupMissing);
  GroupPtr group = MvCreateGroup(50, nullptr);
  for (int32_t item : {3, 17, 44}) ASSERT_EQ(MvAddGroupItem(group.get(), item), 0);
  EXPECT_EQ(MvGetGroupItem(group.get(), 1), 17);  // fills the n-th item cache
  engine::GrpTrim(group.get());
  ASSERT_EQ(MvClearGroup(group.get()), 0);
  EXPECT_EQ(MvGetGroupCount(group.get()), 0);
  EXPECT_EQ(MvGetGroupItem(group.get(), 0), -1);
  EXPECT_FALSE(MvGroupHasItem(group.get(), 17));
  EXPECT_GE(group->size(), 7);
  ASSERT_EQ(MvAddGroupItem(group.get(), 20), 0);
  EXPECT_EQ(MvGetGroupItem(group.get(), 0), 20);
  EXPECT_EQ(MvAddGroupItem(group.get(), 524289), engine::kGroupItemTooLarge);
  EXPECT_EQ(MvAddGroupItem(nullptr, 1), engine::kGroupMissing);
}

TEST(TopicListGroups, WalkingItemsInOrder) {
  GroupPtr group = MvCreateGroup(3000, nullptr);
  std::vector<int32_t> expected;
  for (int32_t item = 1; item < 3000; item += 37) {
    MvAddGroupItem(group.get(), item);
    expected.push_back(item);
  }
  std::vector<int32_t> walked;
  for (int32_t n = 0;; ++n) {
    const int32_t item = MvGetGroupItem(group.get(), n);
    if (item < 0) break;
    walked.push_back(item);
  }
  EXPECT_EQ(walked, expected);
  EXPECT_EQ(MvGetGroupItem(group.get(), 5), expected[5]);  // backwards after the walk
  EXPECT_EQ(MvGetGroupItem(nullptr, 0), -1);
  EXPECT_EQ(MvGetGroupCount(nullptr), 0);
}

}  // namespace
}  // namespace medview
