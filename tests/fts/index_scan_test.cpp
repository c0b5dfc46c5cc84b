// Index lookups over indexes written by the test writer: round trips over every shape, fields,
// levels, wildcards and ranges, and damaged files that must end in the index's codes.
#include <gtest/gtest.h>

#include <random>

#include <chrono>

#include "engine/fts/index/wildcard_match.h"
#include "platform/base/byte_io.h"
#include "tests/fts/index_fixture.h"
#include "tools/titlebuild/fts_index_writer.h"

namespace fts {
namespace {

using testing::CollectSink;
using testing::Found;
using testing::IndexFile;
using testing::Scan;
using titlebuild::FtsIndexWriterOptions;
using titlebuild::FtsWriterOccurrence;
using titlebuild::FtsWriterTerm;
using titlebuild::FtsWriterTopic;
using titlebuild::WriteFtsIndex;

// Random terms: keys over a small alphabet that includes bytes above 0x7F and 0xFF, ascending
// topics and occurrences, lengths in runs. Addresses restart at each topic, or with
// `run_on_addresses` ascend over the whole posting as a title's addresses do.
std::vector<FtsWriterTerm> RandomTerms(std::mt19937& rng, size_t count, uint32_t topics, bool fields,
                                       bool run_on_addresses = false) {
  const std::string alphabet = "abcz\x9c\xb9\xff";
  std::uniform_int_distribution<int> pick(0, int(alphabet.size()) - 1);
  std::map<std::pair<std::string, uint32_t>, FtsWriterTerm> unique;
  while (unique.size() < count) {
    FtsWriterTerm t;
    const int n = 1 + int(rng() % 12);
    for (int i = 0; i < n; ++i) t.key.push_back(alphabet[pick(rng)]);
    if (rng() % 9 == 0) t.key.append(40 + rng() % 60, 'q');  // long keys force the long key form
    t.field = fields ? 1 + rng() % 4 : 0;  // field 0 would match every field
    uint32_t topic = rng() % 5;
    const int topic_count = 1 + int(rng() % 12);
    for (int i = 0; i < topic_count && topic < topics; ++i) {
      FtsWriterTopic top{topic, uint16_t(rng()), {}};
      uint32_t position = rng() % 20, address = rng() % 100 + (run_on_addresses ? topic * 4000 : 0);
      const int occ = rng() % 3 == 0 ? 1 : 1 + int(rng() % 6);
      for (int k = 0; k < occ; ++k) {
        top.occurrences.push_back({position, address, uint8_t(rng() % 3 ? 5 : rng())});
        position += 1 + rng() % 30;
        address += 1 + rng() % 300;
      }
      t.topics.push_back(top);
      topic += 1 + rng() % 40;
    }
    unique[{t.key, t.field}] = t;
  }
  std::vector<FtsWriterTerm> out;
  for (auto& [k, t] : unique) out.push_back(t);
  return out;
}

// What the reader should give for a term under the options.
Found Expected(const FtsWriterTerm& t, const FtsIndexWriterOptions& o) {
  Found out;
  for (const FtsWriterTopic& top : t.topics) {
    auto& list = out[top.topic];
    if (!(o.occurrence_fields & kIndexOccurrenceBits)) {
      list.emplace_back(0, 0, 0);
      continue;
    }
    for (const FtsWriterOccurrence& occ : top.occurrences)
      list.emplace_back(o.occurrence_fields & kIndexHasWordPosition ? occ.word_position : 0,
                        o.occurrence_fields & kIndexHasAddress ? occ.address : 0,
                        o.occurrence_fields & kIndexHasLength ? occ.length : 0);
  }
  return out;
}

struct Shape {
  uint16_t version;
  uint8_t fields;
  bool weights;
  PostingCode code;  // for positions, addresses and counts
  uint32_t leaf_bytes;
  uint32_t internal_bytes;
};

TEST(IndexRoundTrip, EveryShapeReadsBackWhatWasWritten) {
  const uint8_t all = kIndexHasWordPosition | kIndexHasAddress | kIndexHasLength;
  const std::vector<Shape> shapes = {
      {8, all, false, {CodeScheme::Gamma, 3}, 4096, 4096},
      {7, all, true, {CodeScheme::Gamma, 0}, 4096, 4096},
      {8, uint8_t(all | kIndexHasField), true, {CodeScheme::Fixed, 15}, 300, 80},
      {7, uint8_t(kIndexHasField | kIndexHasWordPosition), false, {CodeScheme::Gamma, 5}, 60, 40},
      {8, kIndexHasLength, false, {CodeScheme::Gamma, 1}, 40, 4096},
      {8, kIndexHasAddress, true, {CodeScheme::Fixed, 31}, 100, 30},
      {7, 0, false, {CodeScheme::Gamma, 2}, 24, 24},
      {8, uint8_t(kIndexHasField), true, {CodeScheme::Gamma, 2}, 4096, 4096},
      {7, all, false, {CodeScheme::Unary, 0}, 200, 60},
      {8, all, true, {CodeScheme::Gamma, 32}, 1000, 4096},
      // Version 9: the postings' own codes for positions and addresses (the header's are not read).
      {9, all, false, {CodeScheme::Gamma, 3}, 4096, 4096},
      {9, uint8_t(all | kIndexHasField), true, {CodeScheme::Fixed, 15}, 300, 80},
      {9, uint8_t(kIndexHasField | kIndexHasWordPosition), false, {CodeScheme::Unary, 0}, 60, 40},
      {9, kIndexHasAddress, true, {CodeScheme::Gamma, 0}, 100, 30},
      {9, kIndexHasLength, false, {CodeScheme::Gamma, 1}, 40, 4096},
  };
  std::mt19937 rng(7);
  for (const Shape& s : shapes) {
    SCOPED_TRACE(::testing::Message() << "version " << s.version << " fields " << int(s.fields) << " leaf "
                                      << s.leaf_bytes);
    FtsIndexWriterOptions o;
    o.version = s.version;
    o.topic_count = 700;
    o.occurrence_fields = s.fields;
    o.weights = s.weights;
    o.occurrence_count_code = o.word_position_code = s.code;
    o.address_code = s.code.scheme == CodeScheme::Fixed ? s.code : PostingCode{CodeScheme::Gamma, 6};
    o.leaf_bytes = s.leaf_bytes;
    o.internal_bytes = s.internal_bytes;
    std::vector<FtsWriterTerm> terms = RandomTerms(rng, 150, o.topic_count, s.fields & kIndexHasField, s.version == 9);
    // Some postings with their own topic codes.
    terms[3].topic_code = PostingCode{CodeScheme::Unary, 0};
    terms[4].topic_code = PostingCode{CodeScheme::Fixed, 12};
    IndexFile file(WriteFtsIndex(terms, o));
    FtsError error;
    FtsIndexPtr index = file.open(&error);
    ASSERT_TRUE(index) << error.code;
    for (const FtsWriterTerm& t : terms) {
      CollectSink sink;
      ASSERT_EQ(Scan(*index, t.key, sink, TermMode::kPlain, t.field), 0) << t.key;
      EXPECT_EQ(sink.found, Expected(t, o)) << t.key;
      if (s.weights) {
        for (const FtsWriterTopic& top : t.topics) EXPECT_EQ(sink.weights[top.topic], top.weight);
      }
    }
    // A wildcard over everything sees every posting once.
    CollectSink all_terms;
    ASSERT_EQ(Scan(*index, "*", all_terms, TermMode::kWildcard), 0);
    size_t postings = 0;
    for (const FtsWriterTerm& t : terms) postings += t.topics.size();
    EXPECT_EQ(all_terms.topics.size(), postings);
  }
}

TEST(Wildcards, MatchWholeKeys) {
  struct Case {
    std::string pattern, key;
    bool match;
  };
  const std::vector<Case> cases = {
      {"ustaw*", "ustawa", true},  {"ustaw*", "ustaw", true},   {"ustaw*", "usta", false},
      {"*awa", "ustawa", true},    {"*awa", "awa", true},       {"*awa", "aw", false},
      {"u?t*a", "ustawa", true},   {"u?t*a", "ustawy", false},  {"*s*w*", "ustawa", true},
      {"a*b*a", "aba", true},      {"a*b*a", "ab", false},      {"??", "ab", true},
      {"??", "abc", false},        {"*", "", true},             {"a**b", "ab", true},
  };
  for (const Case& c : cases) EXPECT_EQ(WildcardMatch(c.pattern, c.key), c.match) << c.pattern << " " << c.key;
}

TEST(Wildcards, ManyStarsStayLinear) {
  // "a*a*a*...*b" against 255 a's: a backtracking matcher would try exponentially many splits.
  std::string pattern;
  for (int i = 0; i < 120; ++i) pattern += "a*";
  pattern += "b";
  const std::string key(255, 'a');
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 1000; ++i) EXPECT_FALSE(WildcardMatch(pattern, key));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// Four fields of one key, and neighbours on both sides.
std::vector<FtsWriterTerm> FieldTerms() {
  std::vector<FtsWriterTerm> terms;
  for (uint32_t field = 1; field <= 4; ++field)
    terms.push_back({"ustawa", field, {{field * 10, 0, {{field, 0, 6}}}}, {}});
  terms.push_back({"ustawy", 2, {{99, 0, {{1, 0, 6}}}}, {}});
  terms.push_back({"ustalenie", 1, {{98, 0, {{1, 0, 9}}}}, {}});
  terms.push_back({"akt", 3, {{97, 0, {{1, 0, 3}}}}, {}});
  return terms;
}

// Version 9 on terms shaped like a library's (addresses far into the title, close together within a
// posting): smaller than version 8 with the best header codes, and the same occurrences come back.
// Addresses that fall back from one topic to the next cannot run on and are refused.
TEST(IndexRoundTrip, Version9PostingsAreSmaller) {
  std::mt19937 rng(11);
  std::vector<FtsWriterTerm> terms = RandomTerms(rng, 1500, 700, false, true);
  for (FtsWriterTerm& t : terms)
    for (FtsWriterTopic& top : t.topics)
      for (FtsWriterOccurrence& occ : top.occurrences) occ.address += 40u << 20;
  FtsIndexWriterOptions v8;
  v8.topic_count = 700;
  size_t smallest_v8 = SIZE_MAX;
  for (uint8_t p = 8; p <= 24; p += 2) {
    v8.address_code = {CodeScheme::Gamma, p};
    smallest_v8 = std::min(smallest_v8, WriteFtsIndex(terms, v8).size());
  }
  FtsIndexWriterOptions v9 = v8;
  v9.version = 9;
  const std::vector<uint8_t> bytes = WriteFtsIndex(terms, v9);
  EXPECT_LT(bytes.size(), smallest_v8) << smallest_v8;
  IndexFile file(bytes);
  FtsError error;
  FtsIndexPtr index = file.open(&error);
  ASSERT_TRUE(index) << error.code;
  for (const FtsWriterTerm& t : terms) {
    CollectSink sink;
    ASSERT_EQ(Scan(*index, t.key, sink, TermMode::kPlain), 0) << t.key;
    EXPECT_EQ(sink.found, Expected(t, v9)) << t.key;
  }
  FtsWriterTerm falling{"x", 0, {{1, 0, {{0, 500, 1}}}, {2, 0, {{0, 400, 1}}}}, {}};
  EXPECT_THROW(WriteFtsIndex({falling}, v9), std::invalid_argument);
  EXPECT_NO_THROW(WriteFtsIndex({falling}, v8));
}

TEST(IndexLookup, FieldsWildcardsAndRanges) {
  for (uint32_t leaf_bytes : {4096u, 12u}) {
    FtsIndexWriterOptions o;
    o.topic_count = 100;
    o.occurrence_fields = kIndexHasField | kIndexHasWordPosition | kIndexHasLength;
    o.leaf_bytes = leaf_bytes;
    o.internal_bytes = 20;
    IndexFile file(WriteFtsIndex(FieldTerms(), o));
    FtsError error;
    FtsIndexPtr index = file.open(&error);
    ASSERT_TRUE(index);
    if (leaf_bytes == 12) {
      EXPECT_GE(index->header.levels, 3);
    }
    struct Case {
      std::string word;
      TermMode mode;
      uint32_t field;
      std::string upper;
      std::vector<uint32_t> topics;
    };
    const std::vector<Case> cases = {
        {"ustawa", TermMode::kPlain, 0, "", {10, 20, 30, 40}},
        {"ustawa", TermMode::kPlain, 3, "", {30}},
        {"ustawa", TermMode::kPlain, 5, "", {}},
        {"ustaw*", TermMode::kWildcard, 0, "", {10, 20, 30, 40, 99}},
        {"ustaw*", TermMode::kWildcard, 2, "", {20, 99}},
        {"*awa", TermMode::kWildcard, 0, "", {10, 20, 30, 40}},
        {"?kt", TermMode::kWildcard, 0, "", {97}},
        {"us*e", TermMode::kWildcard, 1, "", {98}},
        {"a", TermMode::kRange, 0, "ustalenie", {97, 98}},
        {"ustawa", TermMode::kRange, 2, "zzz", {20, 99}},
        {"b", TermMode::kRange, 0, "c", {}},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.word + " field " + std::to_string(c.field) + " leaf " + std::to_string(leaf_bytes));
      CollectSink sink;
      EXPECT_EQ(Scan(*index, c.word, sink, c.mode, c.field, c.upper), 0);
      EXPECT_EQ(sink.topics, c.topics);
    }
  }
}

// Counts the block reads through the poll callback, and refuses when told to.
struct PollState {
  int calls = 0;
  int refuse_after = -1;
};
int32_t CountingPoll(intptr_t value, FtsError*) {
  auto* state = reinterpret_cast<PollState*>(value);
  ++state->calls;
  return state->refuse_after >= 0 && state->calls > state->refuse_after ? 2009 : 0;
}

TEST(IndexLookup, OneLevelIndexReadsNoBlockBeyondTheRoot) {
  FtsIndexWriterOptions o;
  o.topic_count = 100;
  IndexFile file(WriteFtsIndex(FieldTerms(), {o}));
  PollState poll;
  FtsError error;
  FtsIndexPtr index = file.open(&error, CountingPoll, intptr_t(&poll));
  ASSERT_TRUE(index);
  ASSERT_EQ(index->header.levels, 1);
  const int after_open = poll.calls;
  CollectSink sink;
  EXPECT_EQ(Scan(*index, "akt", sink), 0);
  EXPECT_EQ(poll.calls, after_open);
  EXPECT_EQ(sink.topics, (std::vector<uint32_t>{97}));
}

TEST(IndexLookup, PollRefusalEndsTheLookupWithItsCode) {
  FtsIndexWriterOptions o;
  o.topic_count = 100;
  o.leaf_bytes = 12;
  o.internal_bytes = 20;
  IndexFile file(WriteFtsIndex(FieldTerms(), o));
  PollState poll;
  FtsError error;
  FtsIndexPtr index = file.open(&error, CountingPoll, intptr_t(&poll));
  ASSERT_TRUE(index);
  poll.refuse_after = poll.calls;
  CollectSink sink;
  EXPECT_EQ(Scan(*index, "ustawy", sink), 2009);
  EXPECT_EQ(error.code, 2009);
  EXPECT_TRUE(sink.topics.empty());
}

// A two-leaf index written with small leaves, then damaged at one place.
std::vector<uint8_t> SmallIndex(uint16_t version = 8) {
  FtsIndexWriterOptions o;
  o.version = version;
  o.topic_count = 100;
  o.leaf_bytes = 30;
  return WriteFtsIndex(FieldTerms(), o);
}

TEST(IndexDamage, EveryDamageEndsInTheIndexCodes) {
  struct Case {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> damage;
    int32_t open_code;  // 0 when the open succeeds and the scan fails
    int32_t scan_code;
  };
  const uint32_t leaf0 = kIndexHeaderArea;
  const std::vector<Case> cases = {
      {"first word", [](auto& b) { b[0] = 1; }, 2007, 0},
      {"version", [](auto& b) { b[2] = 10; }, 2007, 0},
      {"no levels", [](auto& b) { base::store_le16(&b[18], 0); }, 2022, 0},
      {"too many levels", [](auto& b) { base::store_le16(&b[18], 40); }, 2022, 0},
      {"unknown scheme", [](auto& b) { b[24] = 3; }, 2022, 0},
      {"fixed code over 32 bits", [](auto& b) { base::store_le16(&b[20], 0x2001); }, 2022, 0},
      {"root beyond the file", [](auto& b) { base::store_le32(&b[14], 5000); }, 2022, 0},
      {"truncated header", [](auto& b) { b.resize(40); }, 2022, 0},
      {"leaf chain loops", [&](auto& b) {
         // Every leaf points back to the first one.
         for (size_t at = leaf0; at + kIndexBlockSize <= b.size(); at += kIndexBlockSize)
           base::store_le32(&b[at + kIndexNextLeafOffset], 0);
       }, 0, 2022},
      {"topics beyond the count", [](auto& b) { base::store_le32(&b[4], 5); }, 0, 2022},
      {"first entry inside the trailer", [&](auto& b) { base::store_le16(&b[leaf0], 4090); }, 0, 2022},
      {"first entry before the offset word", [&](auto& b) { base::store_le16(&b[leaf0], 1); }, 0, 2022},
      {"entry length over 4095", [&](auto& b) {
         // "akt" is the first entry: key 0x83 'a' 'k' 't', then its entry length.
         b[leaf0 + 6] = 0x9F;
         b[leaf0 + 7] = 0xFF;
       }, 0, 2022},
      {"prefix longer than the previous key", [&](auto& b) { b[leaf0 + 2] = 0xA3; }, 0, 2022},
      {"first leaf without entries ends the chain", [&](auto& b) {
         base::store_le32(&b[leaf0 + kIndexNextLeafOffset], kIndexNoBlock);
         base::store_le16(&b[leaf0], 4084);  // no entry here, so the scan must follow the chain
       }, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> bytes = SmallIndex();
    c.damage(bytes);
    IndexFile file(bytes);
    FtsError error;
    FtsIndexPtr index = file.open(&error);
    if (c.open_code) {
      EXPECT_FALSE(index);
      EXPECT_EQ(error.code, c.open_code);
      continue;
    }
    ASSERT_TRUE(index) << error.code;
    CollectSink sink;
    EXPECT_EQ(Scan(*index, "*", sink, TermMode::kWildcard), c.scan_code);
    if (c.scan_code) {
      EXPECT_EQ(error.code, c.scan_code);
    }
  }
}

}  // namespace
}  // namespace fts
