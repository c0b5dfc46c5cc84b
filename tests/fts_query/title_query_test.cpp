// Polish queries on a whole title, from the query text to the sorted hits and each hit topic's found
// words; expected topics and addresses are read off the five acts of query_title.h by hand.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/fts/search/evaluation.h"
#include "engine/fts/search/hit_list_access.h"
#include "engine/fts/search/title_query.h"
#include "engine/title/title_text_tables.h"
#include "tests/fts_query/query_title.h"

namespace fts {
namespace {

using fts_query_test::QueryTitle;

// Cancels every index read once armed, as the application's routine does after "Przerwij".
bool g_cancel = false;
int32_t poll(intptr_t, FtsError*) { return g_cancel ? kFtsStopListFull : 0; }

class TitleQuery : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(title_.write("query", true, [](titlebuild::TitleBuilder&) {}));
    handle_ = title::TtlOpen(title_.path.c_str(), poll, 0, true);
    ASSERT_TRUE(handle_);
  }
  void TearDown() override {
    g_cancel = false;
    title::TtlClose(handle_);
  }
  // Hit topics in hit order, or {-1} when the query returned no handle.
  std::vector<int32_t> Topics(const char* text, uint16_t flags = 0, const engine::TopicGroup* scope = nullptr) {
    FtsError error;
    int32_t count = -1;
    HitHighlightHandle hl = TtlQuery(handle_, flags, text, scope, 0, 0, nullptr, &count, nullptr, &error);
    if (!hl) return {-1};
    EXPECT_EQ(error.code, 0);
    EXPECT_EQ(count, HlGetHitCount(hl));
    std::vector<int32_t> topics;
    for (int32_t n = 0; n < HlGetHitCount(hl); ++n) topics.push_back(HlGetHitTopic(hl, uint32_t(n)));
    HlRelease(hl);
    return topics;
  }
  int32_t text_address(size_t topic) const { return title_.layout.record_addresses[topic][0]; }

  QueryTitle title_;
  title::TitleHandle* handle_ = nullptr;
};

TEST_F(TitleQuery, PolishOperatorsPhrasesWildcardsAndFields) {
  const struct {
    const char* query;
    std::vector<int32_t> topics;
  } cases[] = {
      {"minister", {0, 1, 2, 4}},
      {"MINISTER", {0, 1, 2, 4}},
      {"ustawa", {0, 2, 3, 4}},
      {"VFLD 1 ustawa", {0, 2, 4}},
      {"podatku ORAZ minister", {1, 2}},
      {"podatku minister", {1, 2}},
      // Topics 1 and 4 hold two of the words each, topic 2 one.
      {"podatku LUB gminy", {1, 4, 2}},
      {"minister NIE podatku", {0, 4}},
      {"minister PRZY w\xb3" "a\x9c" "ciwy", {0, 2, 4}},
      {"\"minister w\xb3" "a\x9c" "ciwy\"", {0, 2, 4}},
      {"\"w\xb3" "a\x9c" "ciwy minister\"", {}},
      {"dni DO dnia", {3}},
      // Topic 2 holds three words beginning so, topic 1 two: more occurrences come first.
      {"podat*", {2, 1}},
      {"zwierz\xeat", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Topics(c.query), c.topics) << c.query;
  // The default operator OR joins words written side by side.
  EXPECT_EQ(Topics("podatku gminy", 1), (std::vector<int32_t>{1, 4, 2}));
}

TEST_F(TitleQuery, ScopeGroupLimitsTheHits) {
  engine::GroupPtr scope = engine::GrpCreate(8, nullptr);
  engine::GrpAddItem(scope.get(), 1);
  engine::GrpAddItem(scope.get(), 4);
  EXPECT_EQ(Topics("minister", 0, scope.get()), (std::vector<int32_t>{1, 4}));
}

TEST_F(TitleQuery, TopicOccurrencesInAddressOrder) {
  HitHighlightHandle hl = TtlQuery(handle_, 0, "podat*", nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(hl);
  // Topic 2: "podatku" in its title ("Ustawa o " before it), "Podatek" and "podatnik" in its text.
  TopicHitListPtr list = HlCopyTopicOccurrences(hl, 2);
  ASSERT_TRUE(list);
  EXPECT_EQ(list->topic, 2u);
  EXPECT_EQ(list->hitIndex, 0u);
  ASSERT_EQ(list->entries.size(), 3u);
  const uint32_t title_address = uint32_t(title_.layout.topic_addresses[2]);
  std::vector<std::pair<uint32_t, uint8_t>> expected = {
      {title_address + 9, 7}, {uint32_t(text_address(2)), 7}, {uint32_t(text_address(2) + 30), 8}};
  std::sort(expected.begin(), expected.end());
  for (size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(list->entries[k].address, expected[k].first) << k;
    EXPECT_EQ(list->entries[k].length, expected[k].second) << k;
  }
  EXPECT_EQ(HlSelectTopic(hl, 1), 2u);
  EXPECT_EQ(HlGetOccurrence(hl, 0, 2), int64_t(text_address(2) + 30));
  EXPECT_EQ(HlGetOccurrence(hl, 0, 3), -1);
  int32_t code = 0;
  EXPECT_EQ(HlGetOccurrenceCount(hl, 1, &code), 2);
  EXPECT_EQ(HlGetOccurrenceCount(hl, 2, &code), -1);
  EXPECT_EQ(code, kFtsBadArgument);
  EXPECT_FALSE(HlCopyTopicOccurrences(hl, 3));
  EXPECT_EQ(HlSelectTopic(hl, 3), 0u);
  uint32_t address = 0;
  uint8_t length = 0;
  EXPECT_TRUE(HlGetEntry(list.get(), 2, &address, &length));
  EXPECT_EQ(length, 8);
  EXPECT_FALSE(HlGetEntry(list.get(), 3, &address, &length));

  engine::GroupPtr group = engine::GrpCreate(16, nullptr);
  EXPECT_EQ(HlAddHitsToGroup(hl, group.get()), 0);
  EXPECT_TRUE(group->has_item(1) && group->has_item(2) && !group->has_item(0));
  HlRelease(hl);
  EXPECT_EQ(HlGetHitCount(nullptr), -1);
  EXPECT_EQ(HlAddHitsToGroup(nullptr, group.get()), kHlBadHandle);
}

TEST_F(TitleQuery, ErrorsOfTheQuery) {
  FtsError error;
  int32_t count = 7;
  // A parse failure carries the parser's code and position.
  EXPECT_FALSE(TtlQuery(handle_, 0, "\"minister", nullptr, 0, 0, nullptr, &count, nullptr, &error));
  EXPECT_GE(error.code, 2200);
  EXPECT_EQ(count, 7);
  // Null title or text: nothing written.
  error.code = 5;
  EXPECT_FALSE(TtlQuery(nullptr, 0, "minister", nullptr, 0, 0, nullptr, nullptr, nullptr, &error));
  EXPECT_FALSE(TtlQuery(handle_, 0, nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, &error));
  EXPECT_EQ(error.code, 5);
  // The hits go into the caller's group with 0x800.
  engine::GroupPtr hits = engine::GrpCreate(8, nullptr);
  int32_t total = 0;
  HitHighlightHandle hl = TtlQuery(handle_, kSearchMarkGroup, "gminy", nullptr, 0, 0, hits.get(), &count, &total, &error);
  ASSERT_TRUE(hl);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(total, 5);
  EXPECT_TRUE(hits->has_item(4));
  HlRelease(hl);
}

TEST_F(TitleQuery, CancelFromThePollCallback) {
  ASSERT_EQ(title::TtlGetInfo(handle_, title::kInfoIndexOpen, 0, nullptr, 0), 1);
  g_cancel = true;
  FtsError error;
  EXPECT_FALSE(TtlQuery(handle_, 0, "minister", nullptr, 0, 0, nullptr, nullptr, nullptr, &error));
  EXPECT_EQ(error.code, kFtsQueryFailed);
  EXPECT_EQ(handle_->error.code, kFtsStopListFull);
  g_cancel = false;
  EXPECT_EQ(Topics("gminy"), (std::vector<int32_t>{4}));
}

TEST(TitleQueryWithoutIndex, FailsWith2001) {
  QueryTitle t;
  ASSERT_TRUE(t.write("noindex", false, [](titlebuild::TitleBuilder&) {}));
  title::TitleHandle* handle = title::TtlOpen(t.path.c_str(), nullptr, 0, true);
  ASSERT_TRUE(handle);
  FtsError error;
  EXPECT_FALSE(TtlQuery(handle, 0, "minister", nullptr, 0, 0, nullptr, nullptr, nullptr, &error));
  EXPECT_EQ(error.code, kFtsQueryFailed);
  title::TtlClose(handle);
}

}  // namespace
}  // namespace fts
