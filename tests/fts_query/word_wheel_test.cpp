// Keyword indexes written by the keyword-index writer into a title and read back: ordinals, the
// incremental search, topic addresses with their bounds, the keyword full-text index, and names.
#include <gtest/gtest.h>

#include "engine/fts/index/word_wheel.h"
#include "engine/fts/search/title_query.h"
#include "engine/fts/search/word_wheel_query.h"
#include "engine/title/title_text_tables.h"
#include "tests/fts_query/query_title.h"

namespace fts {
namespace {

using titlebuild::KeywordEntry;

// Act titles by kind, in no particular order; the writer sorts them ('i': case and accents folded).
std::vector<KeywordEntry> act_titles() {
  return {{"Ustawa o ochronie zdrowia", {0x100, 0x180}},
          {"Obwieszczenie Prezesa Rady Ministr\xf3w", {0x400}},
          {"Rozporz\xb9" "dzenie w sprawie podatku", {0x200}},
          {"Ustawa o podatku dochodowym", {0x300, 0x310, 0x320}},
          {"Ustawa o samorz\xb9" "dzie gminnym", {0x500}},
          {"Kodeks pracy", {}}};
}

class WordWheelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(title_.write("wheel", true, [](titlebuild::TitleBuilder& b) {
      titlebuild::KeywordIndexOptions options;
      options.page_size = 128;  // several leaves, so ordinals go through the map
      options.word_index_table = &polish_table();
      titlebuild::AddKeywordIndex(b, "|a", act_titles(), options);
      std::vector<KeywordEntry> dates;
      for (int d = 1; d <= 28; ++d) {
        char key[32];
        std::snprintf(key, sizeof key, "97-02-%02d", d);
        dates.push_back({key, {uint32_t(d) * 16}});
      }
      titlebuild::AddKeywordIndex(b, "|u", dates, {'z', 128, nullptr, nullptr});
      titlebuild::AddKeywordIndex(b, "plain", {{"alfa", {1}}, {"beta", {2}}});
    }));
    handle_ = title::TtlOpen(title_.path.c_str(), nullptr, 0, true);
    ASSERT_TRUE(handle_);
    wheel_ = WwOpen(handle_, "|a", true);
    ASSERT_TRUE(wheel_);
  }
  void TearDown() override {
    WwClose(wheel_);
    title::TtlClose(handle_);
  }
  static const CharTable& polish_table() {
    static const CharTable table = titlebuild::polish_char_table();
    return table;
  }
  std::string String(WordWheelHandle w, int32_t ordinal) {
    char buffer[64] = {};
    EXPECT_EQ(WwGetString(w, ordinal, buffer, sizeof buffer), 0);
    return buffer;
  }

  fts_query_test::QueryTitle title_;
  title::TitleHandle* handle_ = nullptr;
  WordWheelHandle wheel_ = nullptr;
};

TEST_F(WordWheelTest, KeywordsByOrdinalAndTheirTopics) {
  ASSERT_EQ(WwGetCount(wheel_), 6);
  EXPECT_EQ(String(wheel_, 0), "Kodeks pracy");
  EXPECT_EQ(String(wheel_, 1), "Obwieszczenie Prezesa Rady Ministr\xf3w");
  EXPECT_EQ(String(wheel_, 5), "Ustawa o samorz\xb9" "dzie gminnym");
  char small[6];
  EXPECT_EQ(WwGetString(wheel_, 0, small, sizeof small), 0);
  EXPECT_STREQ(small, "Kodek");
  EXPECT_EQ(WwGetString(wheel_, 6, small, sizeof small), kWwOrdinalOutOfRange);
  EXPECT_EQ(WwGetString(wheel_, -1, small, sizeof small), kWwOrdinalOutOfRange);
  EXPECT_EQ(WwGetString(nullptr, 0, small, sizeof small), kWwBadHandle);

  KeywordRecord record;
  EXPECT_EQ(WwLookup(wheel_, "Ustawa o podatku dochodowym", &record), 0);
  EXPECT_EQ(record.count, 3);
  EXPECT_EQ(WwLookup(nullptr, "x", &record), 1);
  EXPECT_EQ(WwGetKeywordTopicCount(wheel_, "Kodeks pracy"), 0);
  EXPECT_EQ(WwGetKeywordTopicCount(wheel_, "Kodeks karny"), kWwKeywordAbsent);

  uint32_t out[8] = {};
  EXPECT_EQ(WwGetKeywordTopics(wheel_, "Ustawa o podatku dochodowym", 0, 3, out), 12);
  EXPECT_EQ(out[0], 0x300u);
  EXPECT_EQ(out[2], 0x320u);
  EXPECT_EQ(WwGetKeywordTopics(wheel_, "Ustawa o podatku dochodowym", 1, 1, out), 4);
  EXPECT_EQ(out[0], 0x310u);
  EXPECT_EQ(WwGetKeywordTopics(wheel_, "Kodeks karny", 0, 1, out), -1);
}

TEST_F(WordWheelTest, TopicsStayWithinTheirKeyword) {
  // The next keyword's addresses follow this one's in the keyword data; asking past the end of the
  // list gets only the keyword's own.
  uint32_t out[8] = {};
  EXPECT_EQ(WwGetKeywordTopics(wheel_, "Ustawa o ochronie zdrowia", 0, 8, out), 8);
  EXPECT_EQ(out[1], 0x180u);
  EXPECT_EQ(out[2], 0u);
  EXPECT_EQ(WwGetKeywordTopics(wheel_, "Ustawa o ochronie zdrowia", 2, 1, out), 0);
  EXPECT_EQ(WwGetKeywordTopics(wheel_, "Ustawa o ochronie zdrowia", 3, 1, out), -1);
  EXPECT_EQ(WwGetKeywordTopics(wheel_, "Kodeks pracy", 0, 4, out), 0);
}

TEST_F(WordWheelTest, IncrementalSearch) {
  const struct {
    const char* text;
    int32_t ordinal;
  } cases[] = {
      {"Kodeks pracy", 0},
      {"kodeks PRACY", 0},            // matches by the key type: that keyword
      {"Obwieszczenie", 0},           // between two keywords: the earlier one
      {"Rozporz\xb9" "dzenie w sprawie podatku", 2},
      {"Ustawa o podatku", 3},
      {"Ustawa o podatku dochodowym", 4},
      {"Zzz", 5},                     // past the last keyword
      {"A", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(WwFindPosition(wheel_, c.text), c.ordinal) << c.text;
  EXPECT_EQ(WwFindPosition(nullptr, "A"), -1);

  WordWheelHandle dates = WwOpen(handle_, "|u", true);
  ASSERT_TRUE(dates);
  ASSERT_EQ(WwGetCount(dates), 28);
  EXPECT_EQ(String(dates, 27), "97-02-28");
  EXPECT_EQ(WwFindPosition(dates, "97-02-15"), 14);
  EXPECT_EQ(WwFindPosition(dates, "97-02-155"), 14);
  EXPECT_EQ(WwFindPosition(dates, "98"), 27);
  uint32_t out[1];
  EXPECT_EQ(WwGetKeywordTopics(dates, "97-02-03", 0, 1, out), 4);
  EXPECT_EQ(out[0], 48u);
  WwClose(dates);
}

TEST_F(WordWheelTest, NamesAndParts) {
  // Without a leading '|' the ".WWT" and ".WWM" files, and no keyword data.
  WordWheelHandle plain = WwOpen(handle_, "plain", true);
  ASSERT_TRUE(plain);
  EXPECT_EQ(WwGetCount(plain), 2);
  EXPECT_EQ(WwGetKeywordTopicCount(plain, "beta"), 1);
  uint32_t out[1];
  EXPECT_EQ(WwGetKeywordTopics(plain, "beta", 0, 1, out), -1);
  engine::GroupPtr group = engine::GrpCreate(8, nullptr);
  EXPECT_EQ(WwQuery(plain, 0, "beta", nullptr, group.get()), kWwNoIndex);
  WwClose(plain);

  EXPECT_FALSE(WwOpen(handle_, "|x", true));
  EXPECT_FALSE(WwOpen(handle_, nullptr, true));
  EXPECT_FALSE(WwOpen(nullptr, "|a", true));
  // 32 characters + "KWBTREE" is 39, one too many.
  EXPECT_FALSE(WwOpen(handle_, "|aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", true));
  EXPECT_EQ(WwGetCount(nullptr), -1);

  EXPECT_TRUE(WwInsertKeyword(wheel_, "Kodeks pracy", 9) == false);  // read-only title
}

TEST_F(WordWheelTest, QueryOnTheKeywordsLeavesTheTitlesBreakerAlone) {
  const WordBreakerTable* breakers = title::TtlGetBreakerTable(handle_);
  ASSERT_TRUE(breakers);
  ASSERT_TRUE(breakers->slots[0].stopList);
  const std::optional<BreakerKind> before = breakers->slots[0].breaker;

  engine::GroupPtr group = engine::GrpCreate(8, nullptr);
  // Ordinals 2 ("Rozporządzenie ... podatku") and 4 ("Ustawa o podatku ...") hold "podatku".
  EXPECT_EQ(WwQuery(wheel_, 0, "podatku", nullptr, group.get()), 0);
  EXPECT_EQ(group->count, 2);
  EXPECT_TRUE(group->has_item(2) && group->has_item(4));
  group = engine::GrpCreate(8, nullptr);
  EXPECT_EQ(WwQuery(wheel_, 0, "ustawa NIE podatku", nullptr, group.get()), 0);
  EXPECT_TRUE(group->has_item(3) && group->has_item(5) && !group->has_item(4));
  EXPECT_NE(WwQuery(wheel_, 0, "\"ustawa", nullptr, group.get()), 0);

  EXPECT_EQ(breakers->slots[0].breaker, before);
  EXPECT_TRUE(breakers->slots[0].stopList);
  // A title query afterwards still works with the title's own table.
  HitHighlightHandle hl = TtlQuery(handle_, 0, "gminy", nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(hl);
  EXPECT_EQ(HlGetHitCount(hl), 1);
  HlRelease(hl);
}

TEST(KeywordIndexUpdate, InsertKeywordStoresTheCountOfAPresentKeyword) {
  fts_query_test::QueryTitle t;
  ASSERT_TRUE(t.write("insert", false, [](titlebuild::TitleBuilder& b) {
    titlebuild::AddKeywordIndex(b, "|q", {{"Prezes Rady Ministr\xf3w", {1, 2, 3}}, {"Minister Finans\xf3w", {4}}});
  }));
  title::TitleHandle* handle = title::TtlOpen(t.path.c_str(), nullptr, 0, false);
  ASSERT_TRUE(handle);
  WordWheelHandle w = WwOpen(handle, "|q", false);
  ASSERT_TRUE(w);
  EXPECT_TRUE(WwInsertKeyword(w, "Prezes Rady Ministr\xf3w", 2));
  EXPECT_EQ(WwGetKeywordTopicCount(w, "Prezes Rady Ministr\xf3w"), 2);
  uint32_t out[3] = {};
  EXPECT_EQ(WwGetKeywordTopics(w, "Prezes Rady Ministr\xf3w", 0, 3, out), 8);
  EXPECT_FALSE(WwInsertKeyword(w, "Wojewoda", 1));
  WwClose(w);
  title::TtlClose(handle);
}

TEST(KeywordIndexNames, EveryIndexTheApplicationOpens) {
  // Subjects, formulas, forms and figures, tables, act titles, titles of the parts of acts,
  // signatories' surnames and positions, and dates.
  const char* const names[] = {"|i", "|g", "|f", "|e", "|a", "|t", "|k", "|c", "|d",
                                "|r", "|o", "|z", "|b", "|p", "|q", "|u"};
  fts_query_test::QueryTitle t;
  ASSERT_TRUE(t.write("names", false, [&](titlebuild::TitleBuilder& b) {
    for (const char* name : names)
      titlebuild::AddKeywordIndex(b, name, {{std::string("klucz ") + name, {uint32_t(name[1])}}, {"97-12-31", {1, 2}}});
  }));
  title::TitleHandle* handle = title::TtlOpen(t.path.c_str(), nullptr, 0, true);
  ASSERT_TRUE(handle);
  for (const char* name : names) {
    WordWheelHandle w = WwOpen(handle, name, true);
    ASSERT_TRUE(w) << name;
    EXPECT_EQ(WwGetCount(w), 2) << name;
    uint32_t out[2] = {};
    EXPECT_EQ(WwGetKeywordTopics(w, (std::string("klucz ") + name).c_str(), 0, 2, out), 4) << name;
    EXPECT_EQ(out[0], uint32_t(name[1]));
    EXPECT_EQ(WwGetKeywordTopics(w, "97-12-31", 0, 2, out), 8) << name;
    WwClose(w);
  }
  title::TtlClose(handle);
}

}  // namespace
}  // namespace fts
