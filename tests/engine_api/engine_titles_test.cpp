// The engine interface over titles: information, positions, keyword indexes, baggage and hits reach
// the title engine with their arguments and come back unchanged.
#include "engine/medview/engine_titles.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/medview/topic_list.h"
#include "tests/engine_api/api_title.h"

namespace medview {
namespace {

using Titles = engine_api_test::ApiTitle;

TEST_F(Titles, InformationAndTheFileNameInTwoSteps) {
  EXPECT_TRUE(MvIsTitleValid(handle_));
  EXPECT_EQ(MvGetTitleInfo(handle_, title::kInfoTopicCount, 0, nullptr, 0), 5);
  const int32_t length = MvGetTitleInfo(handle_, title::kInfoFilePath, 0, nullptr, 0);
  ASSERT_EQ(length, int32_t(title_.path.size() + 1));
  std::vector<char> name(size_t(length), 'x');
  MvGetTitleInfo(handle_, title::kInfoFilePath, length, name.data(), name.size());
  EXPECT_STREQ(name.data(), title_.path.c_str());
  EXPECT_TRUE(MvGetTitleFileTime(handle_));
  // A second open shares the title; closing one leaves the other open.
  title::TitleHandle* again = MvOpenTitleSimple(title_.path.c_str());
  EXPECT_EQ(again, handle_);
  MvCloseTitle(again);
  EXPECT_TRUE(MvIsTitleValid(handle_));
  EXPECT_EQ(MvGetTitleInfo(nullptr, title::kInfoTopicCount, 0, nullptr, 0), 0);
  EXPECT_FALSE(MvOpenTitle(nullptr, nullptr, 0));
  EXPECT_FALSE(MvOpenTitle((title_.path + ".none").c_str(), nullptr, 0));
  MvCloseTitle(nullptr);
}

TEST_F(Titles, SurfaceEntriesWithFixedAnswers) {
  MvSetTitleBusy(nullptr, 12345, 7);
  MvSetTitleBusy(handle_, 0, 1);
  EXPECT_EQ(MvGetTitleDeferLevel(handle_), 0);
  EXPECT_EQ(MvNoOpQuery1(5), 0);
  EXPECT_EQ(MvNoOpQuery4(1, 2, 3, 4), 0);
  EXPECT_EQ(MvIdentity(0x12345678), 0x12345678);
  EXPECT_EQ(MvReleaseErrorRecordsEx(0, false, 3), 0);
}

TEST_F(Titles, PositionsAgreeWithTheCatalogue) {
  for (int32_t topic = 0; topic < 5; ++topic) {
    const int32_t address = MvGetCatalogAddress(handle_, topic);
    ASSERT_EQ(address, title_.layout.topic_addresses[size_t(topic)]);
    const int32_t position = MvTopicNumberToPosition(handle_, topic);
    EXPECT_NE(position, -1);
    EXPECT_EQ(MvAddressToPosition(handle_, address), position);
    fcmanage::TopicChunk chunk;
    int32_t code = -1;
    fcmanage::TopicRecordPtr record = MvGetTopicChunk(handle_, position, chunk, &code);
    ASSERT_TRUE(record) << code;
    EXPECT_EQ(chunk.title, fts_query_test::acts()[size_t(topic)].title);
  }
  EXPECT_EQ(MvTopicNumberToPosition(handle_, 5), -1);
  EXPECT_EQ(MvContextStringToPosition(handle_, nullptr), -1);
  EXPECT_EQ(MvLookupContextString(handle_, "DU.BRAK"), -1);
  EXPECT_NE(MvGetStartTopicPosition(handle_), -1);
}

TEST_F(Titles, KeywordIndexes) {
  EXPECT_FALSE(MvOpenKeywordIndex(handle_, nullptr));
  EXPECT_FALSE(MvOpenKeywordIndex(nullptr, "|a"));
  EXPECT_FALSE(MvOpenKeywordIndex(handle_, "|x"));
  fts::WordWheelHandle wheel = MvOpenKeywordIndex(handle_, "|a");
  ASSERT_TRUE(wheel);
  EXPECT_EQ(MvGetKeywordCount(wheel), 3);
  char text[261] = {};
  EXPECT_EQ(MvGetKeywordText(wheel, 1, text, sizeof text), 0);
  EXPECT_STREQ(text, "Ustawa o ochronie zdrowia");
  EXPECT_EQ(MvGetKeywordText(wheel, 3, text, sizeof text), fts::kWwOrdinalOutOfRange);
  EXPECT_EQ(MvFindKeyword(wheel, "Ustawa o p"), 1);
  EXPECT_EQ(MvGetKeywordTopicCount(wheel, "Ustawa o ochronie zdrowia"), 2);
  EXPECT_EQ(MvGetKeywordTopicCount(wheel, "Brak"), 0xFFFF);
  uint32_t addresses[2] = {};
  EXPECT_EQ(MvGetKeywordTopics(wheel, "Ustawa o ochronie zdrowia", 0, 2, addresses), 8);
  EXPECT_EQ(addresses[1], 0x180u);
  // The keyword query fails (no keyword full-text index) and still trims the group.
  engine::GroupPtr group = MvCreateGroup(16, nullptr);
  MvAddGroupItem(group.get(), 5);
  EXPECT_NE(MvQueryKeywordIndex(wheel, 0, "ustawa", nullptr, group.get()), 0);
  EXPECT_EQ(group->state, engine::kGroupTrimmed);
  EXPECT_EQ(group->first, 5);
  uint16_t code = 0;
  EXPECT_FALSE(MvQueryKeywordIndexGroup(wheel, 0, "ustawa", &code));
  EXPECT_NE(code, 0);
  MvCloseKeywordIndex(wheel);
}

TEST_F(Titles, BaggageThroughTheTitleAndTheCloseCode) {
  uint16_t code = 99;
  title::BaggagePtr clip = MvOpenBaggage(handle_, "clip.avi", true, &code);
  ASSERT_TRUE(clip);
  EXPECT_EQ(MvGetBaggageSize(clip.get(), &code), int64_t(engine_api_test::kClipSize));
  const std::vector<uint8_t> pattern = titlebuild::baggage_pattern(engine_api_test::kClipSize);
  uint8_t buffer[5] = {};
  EXPECT_EQ(MvReadBaggageAt(clip.get(), 100, 0, buffer, 5, &code), 5);
  EXPECT_EQ(0, std::memcmp(buffer, pattern.data() + 100, 5));
  EXPECT_EQ(MvSeekBaggage(clip.get(), -5, 2, &code), int64_t(engine_api_test::kClipSize - 5));
  EXPECT_EQ(MvReadBaggage(clip.get(), buffer, 100, &code), 5);
  code = 99;
  MvCloseBaggage(std::move(clip), &code);
  EXPECT_EQ(code, 0);
  MvCloseBaggage(nullptr, &code);
  EXPECT_EQ(code, title::kBagInvalid);
  EXPECT_FALSE(MvOpenBaggage(handle_, "brak.avi", true, &code));
  EXPECT_EQ(code, title::kBagNotFound);
  EXPECT_FALSE(MvOpenBaggage(nullptr, "clip.avi", true, &code));
  EXPECT_EQ(code, title::kBagInvalid);
  int64_t size = 0;
  const std::vector<uint8_t> tail = MvLoadBaggage(handle_, "clip.avi", true, 10, 0, &size, &code);
  EXPECT_EQ(size, int64_t(engine_api_test::kClipSize - 10));
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), pattern.begin() + 10));
}

TEST_F(Titles, HitsOfAQuery) {
  int32_t count = 0, total = 0;
  fts::FtsError error;
  fts::HitHighlightHandle hits =
      MvQueryTitle(handle_, 0, "podat*", nullptr, 0, 0, nullptr, &count, &total, &error);
  ASSERT_TRUE(hits);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(MvGetHitTopic(hits, 0), 2);
  EXPECT_EQ(MvGetHitTopic(hits, 2), -1);
  EXPECT_EQ(MvGetHitOccurrenceCount(hits, 0), 3);
  fts::TopicHitListPtr list = MvGetTopicHits(hits, 2);
  ASSERT_TRUE(list);
  ASSERT_EQ(list->entries.size(), 3u);
  for (uint32_t k = 0; k < 3; ++k) EXPECT_EQ(MvGetHitOccurrence(hits, 0, k), int64_t(list->entries[k].address));
  EXPECT_EQ(MvGetHitOccurrence(hits, 0, 3), -1);
  EXPECT_FALSE(MvGetTopicHits(hits, 0));
  engine::GroupPtr group = MvCreateGroup(8, nullptr);
  EXPECT_EQ(MvAddHitsToGroup(hits, group.get()), 0);
  EXPECT_TRUE(group->has_item(1));
  EXPECT_TRUE(group->has_item(2));
  MvFreeHitHighlight(hits);
}

}  // namespace
}  // namespace medview
