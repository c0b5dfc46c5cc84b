// Query evaluation over small indexes written by the test writer: the operators on topics and word
// positions, ranking, scopes, partial results and failures.
#include <gtest/gtest.h>

#include "engine/fts/search/evaluation.h"
#include "tests/fts/index_fixture.h"
#include "tests/fts/query_fixture.h"
#include "tools/titlebuild/fts_index_writer.h"

namespace fts {
namespace {

using testing::IndexFile;
using testing::MakeBreakers;
using testing::Parse;
using titlebuild::FtsIndexWriterOptions;
using titlebuild::FtsWriterTerm;
using titlebuild::FtsWriterTopic;

// word -> topic -> word positions (addresses are 10 x position, lengths the word's length).
using Corpus = std::map<std::string, std::map<uint32_t, std::vector<uint32_t>>>;

std::vector<uint8_t> IndexOf(const Corpus& corpus, FtsIndexWriterOptions o = {}) {
  if (!o.topic_count) o.topic_count = 100;
  std::vector<FtsWriterTerm> terms;
  for (const auto& [word, topics] : corpus) {
    FtsWriterTerm t{word, 0, {}, {}};
    for (const auto& [topic, positions] : topics) {
      FtsWriterTopic top{topic, uint16_t(1000 * (topic + 1)), {}};
      for (uint32_t p : positions) top.occurrences.push_back({p, p * 10, uint8_t(word.size())});
      t.topics.push_back(top);
    }
    terms.push_back(t);
  }
  return titlebuild::WriteFtsIndex(terms, o);
}

class Search : public ::testing::Test {
 protected:
  void Open(const Corpus& corpus, FtsIndexWriterOptions o = {}) {
    file_ = std::make_unique<IndexFile>(IndexOf(corpus, o));
    index_ = file_->open(&error_);
    ASSERT_TRUE(index_) << error_.code;
  }
  // The hit topics in final order (and each hit's occurrence positions when asked).
  FtsHitListPtr Run(std::string_view query, uint16_t flags = 0, const engine::TopicGroup* scope = nullptr,
                    uint32_t occurrence_limit = 0) {
    auto parsed = Parse(query, breakers_.get(), nullptr, 0, scope);
    EXPECT_TRUE(parsed.tree) << parsed.error.code;
    if (!parsed.tree) return nullptr;
    if (occurrence_limit) parsed.tree->occurrenceLimit = occurrence_limit;
    return FtsSearch(index_.get(), parsed.tree.get(), 0, flags, nullptr);
  }
  std::vector<uint32_t> Topics(std::string_view query, uint16_t flags = kSearchSkipFinalPass) {
    FtsHitListPtr hits = Run(query, flags);
    std::vector<uint32_t> out;
    if (hits)
      for (const FtsHit& h : hits->hits) out.push_back(h.topic);
    return out;
  }
  std::map<uint32_t, std::vector<uint32_t>> Positions(std::string_view query) {
    FtsHitListPtr hits = Run(query, kSearchSkipFinalPass);
    std::map<uint32_t, std::vector<uint32_t>> out;
    if (hits)
      for (const FtsHit& h : hits->hits)
        for (const FtsOccurrence& o : h.occurrences) out[h.topic].push_back(o.wordPosition);
    return out;
  }

  WordBreakerTablePtr breakers_ = MakeBreakers();
  std::unique_ptr<IndexFile> file_;
  FtsError error_;
  FtsIndexPtr index_;
};

TEST_F(Search, TopicOperators) {
  Open({{"a", {{1, {0}}, {2, {4}}, {3, {5}}}}, {"b", {{2, {1}}, {3, {9}}}}, {"c", {{3, {2}}}}});
  EXPECT_EQ(Topics("a OR b"), (std::vector<uint32_t>{1, 2, 3}));
  EXPECT_EQ(Positions("a OR b")[3], (std::vector<uint32_t>{5, 9}));
  EXPECT_EQ(Topics("a NOT b"), (std::vector<uint32_t>{1}));
  EXPECT_EQ(Topics("a AND b"), (std::vector<uint32_t>{2, 3}));
  EXPECT_EQ(Topics("a AND missing"), (std::vector<uint32_t>{}));
  EXPECT_EQ(Topics("missing AND (a OR b)"), (std::vector<uint32_t>{}));
  EXPECT_EQ(Topics("missing OR c"), (std::vector<uint32_t>{3}));
  EXPECT_EQ(Topics("(a OR c) NOT (b NOT c)"), (std::vector<uint32_t>{1, 3}));
  EXPECT_EQ(Topics("tax AND tax"), (std::vector<uint32_t>{}));
  EXPECT_EQ(Topics("? AND b"), (std::vector<uint32_t>{2, 3}));
  EXPECT_EQ(Topics("a THRU b"), (std::vector<uint32_t>{1, 2, 3}));
}

// Every simplified form finds what the query as written means: x is in 1 and 2, y in 2 and 3, z in 3.
TEST_F(Search, SimplifiedQueriesFindWhatTheyMean) {
  Open({{"x", {{1, {0}}, {2, {0}}}}, {"y", {{2, {1}}, {3, {0}}}}, {"z", {{3, {1}}}}});
  const struct {
    const char* query;
    std::vector<uint32_t> topics;
  } cases[] = {
      {"x AND (y NOT x)", {}},
      {"(y NOT x) AND x", {}},
      {"x AND (x NOT y)", {1}},
      {"x AND (x AND y)", {2}},
      {"x AND (x OR y)", {1, 2}},
      {"x OR (y NOT x)", {1, 2, 3}},
      {"x OR (x AND y)", {1, 2}},
      {"x NOT (y OR z)", {1}},
      {"y NOT (x NOT x)", {2, 3}},
      {"(x NOT x) OR z", {3}},
      {"z AND (x NOT x)", {}},
      {"x AND (y OR z)", {2}},
      {"x x y", {2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.query);
    EXPECT_EQ(Topics(c.query), c.topics);
  }
}

TEST_F(Search, PhraseKeepsOnlyTheWordsInSequence) {
  Open({{"civil", {{5, {3, 10}}, {6, {1}}}}, {"code", {{5, {4, 20}}, {6, {3}}}}, {"law", {{5, {5, 11}}}}});
  EXPECT_EQ(Positions("\"civil code\""), (std::map<uint32_t, std::vector<uint32_t>>{{5, {3, 4}}}));
  EXPECT_EQ(Positions("\"civil code law\""), (std::map<uint32_t, std::vector<uint32_t>>{{5, {3, 4, 5}}}));
  EXPECT_TRUE(Positions("\"code civil\"").empty());
  EXPECT_EQ(Positions("\"civil law\""), (std::map<uint32_t, std::vector<uint32_t>>{{5, {10, 11}}}));
}

TEST_F(Search, NearCountsWordsBothWays) {
  Open({{"a", {{7, {10}}, {8, {10}}, {9, {10}}, {10, {10}}}},
        {"b", {{7, {19}}, {8, {2}}, {9, {10}}, {10, {18, 30}}}}});
  EXPECT_EQ(Positions("a NEAR b"), (std::map<uint32_t, std::vector<uint32_t>>{{8, {2, 10}}, {10, {10, 18}}}));
  EXPECT_EQ(Positions("b NEAR a"), (std::map<uint32_t, std::vector<uint32_t>>{{8, {2, 10}}, {10, {10, 18}}}));
}

TEST_F(Search, ChainedNearComparesWithTheFirstWord) {
  // Topic 1: c is near a. Topic 2: c is near b only, which does not count for the group of a.
  Open({{"a", {{1, {10}}, {2, {10}}}}, {"b", {{1, {15}}, {2, {15}}}}, {"c", {{1, {3}}, {2, {22}}}}});
  EXPECT_EQ(Positions("a NEAR b NEAR c"), (std::map<uint32_t, std::vector<uint32_t>>{{1, {3, 10, 15}}}));
  // Any other operator finishes the group first.
  EXPECT_EQ(Topics("(a NEAR b) AND c"), (std::vector<uint32_t>{1, 2}));
}

TEST_F(Search, WithoutWordPositionsPhraseAndNearFindNothing) {
  FtsIndexWriterOptions o;
  o.occurrence_fields = kIndexHasAddress;
  Open({{"civil", {{5, {3}}}}, {"code", {{5, {4}}}}}, o);
  EXPECT_TRUE(Positions("\"civil code\"").empty());
  EXPECT_TRUE(Positions("civil NEAR code").empty());
  EXPECT_EQ(Topics("civil code"), (std::vector<uint32_t>{5}));
}

TEST_F(Search, FinalOrderAndRanking) {
  FtsIndexWriterOptions o;
  o.weights = true;
  Open({{"a", {{1, {0}}, {2, {1, 2, 3}}, {3, {4, 5}}}}}, o);
  EXPECT_EQ(Topics("a", 0), (std::vector<uint32_t>{2, 3, 1}));  // by occurrence count
  // Ranked: topic weights 2000, 3000, 4000 scaled by the word weight, split over occurrences.
  FtsHitListPtr ranked = Run("a", kSearchRankByWeight);
  ASSERT_TRUE(ranked);
  ASSERT_EQ(ranked->hits.size(), 3u);
  EXPECT_EQ(ranked->hits[0].topic, 3u);
  EXPECT_EQ(ranked->total, 100u);
}

TEST_F(Search, FullWeightsDoNotOverflow) {
  // Topic weight 65,535 times a word weight near 65,535 needs unsigned 32-bit arithmetic.
  FtsIndexWriterOptions o;
  o.weights = true;
  o.topic_count = 100;
  std::vector<FtsWriterTerm> terms = {{"a", 0, {{1, 0xFFFF, {{0, 0, 1}}}}, {}}};
  file_ = std::make_unique<IndexFile>(titlebuild::WriteFtsIndex(terms, o));
  index_ = file_->open(&error_);
  ASSERT_TRUE(index_);
  FtsHitListPtr hits = Run("a", kSearchRankByWeight);
  ASSERT_TRUE(hits);
  ASSERT_EQ(hits->hits.size(), 1u);
  EXPECT_EQ(hits->hits[0].weight, uint32_t(0xFFFF) * 65534 / 0xFFFF);
}

TEST_F(Search, ScopeAndGroupMarks) {
  Open({{"a", {{1, {0}}, {9, {0}}, {30, {0}}}}});
  engine::TopicGroup scope;
  scope.bits.assign(4, 0);
  scope.bits[1] = 0x02;  // topic 9
  auto parsed = Parse("a", breakers_.get(), nullptr, 0, &scope);
  ASSERT_TRUE(parsed.tree);
  FtsHitListPtr hits = FtsSearch(index_.get(), parsed.tree.get(), 0, kSearchSkipFinalPass, nullptr);
  ASSERT_TRUE(hits);
  ASSERT_EQ(hits->hits.size(), 1u);
  EXPECT_EQ(hits->hits[0].topic, 9u);
  // Marking a group whose vector covers only topics below 16: topic 30 is left out, not written past.
  auto all = Parse("a", breakers_.get());
  engine::TopicGroup marks;
  marks.bits.assign(2, 0);
  ASSERT_TRUE(FtsSearch(index_.get(), all.tree.get(), 0, kSearchMarkGroup, &marks));
  EXPECT_EQ(marks.bits, (std::vector<uint8_t>{0x02, 0x02}));
}

TEST_F(Search, OccurrenceRoomRunningOutKeepsWhatWasFound) {
  Open({{"a", {{1, {0, 1}}, {2, {0, 1}}, {3, {0, 1}}}}});
  FtsHitListPtr hits = Run("a", kSearchSkipFinalPass, nullptr, 5);
  ASSERT_TRUE(hits);
  EXPECT_EQ(hits->hits.size(), 2u);
  EXPECT_EQ(error_.code, 2008);
}

int32_t Cancel(intptr_t, FtsError*) { return 2009; }

TEST_F(Search, CancelFromThePollCallbackEndsTheSearch) {
  FtsIndexWriterOptions o;
  o.leaf_bytes = 8;
  Corpus corpus;
  for (int i = 0; i < 20; ++i) corpus["w" + std::to_string(i)] = {{uint32_t(i), {0}}};
  Open(corpus, o);
  ASSERT_GT(index_->header.levels, 1);
  FtsFileSetPoll(index_->file.get(), Cancel, 0);
  auto parsed = Parse("w7", breakers_.get());
  EXPECT_FALSE(FtsSearch(index_.get(), parsed.tree.get(), 0, 0, nullptr));
  EXPECT_EQ(error_.code, 2009);
}

TEST_F(Search, DeepQueriesEvaluateWithoutRecursion) {
  Open({{"w1", {{1, {0}}}}, {"w500", {{2, {0}}}}});
  std::string q = "w0";
  for (int i = 1; i < 512; ++i) q += " OR w" + std::to_string(i);
  EXPECT_EQ(Topics(q, 0).size(), 2u);
}

}  // namespace
}  // namespace fts
