// The index format pinned by hand-made bytes, so that the reader and the test writer cannot share a
// mistake.
#include <gtest/gtest.h>

#include "engine/fts/index/posting_bits.h"
#include "platform/base/byte_io.h"
#include "tests/fts/index_fixture.h"
#include "tools/titlebuild/fts_index_writer.h"

namespace fts {
namespace {

using testing::Bits;
using testing::CollectSink;
using testing::Found;
using testing::IndexFile;
using testing::Scan;

std::vector<uint32_t> DecodeAll(std::string_view bits, PostingCode code, int count) {
  const std::vector<uint8_t> bytes = Bits(bits);
  ByteSpanFeed feed{bytes.data(), bytes.data() + bytes.size()};
  PostingBitReader<ByteSpanFeed> reader(feed);
  std::vector<uint32_t> out;
  for (int i = 0; i < count; ++i) {
    uint32_t v;
    if (!reader.value(code, v)) break;
    out.push_back(v);
  }
  return out;
}

TEST(PostingCodes, DecodeEachScheme) {
  EXPECT_EQ(DecodeAll("011 1001 110001", {CodeScheme::Gamma, 2}, 3), (std::vector<uint32_t>{3, 5, 9}));
  EXPECT_EQ(DecodeAll("0 10 1110", {CodeScheme::Unary, 0}, 3), (std::vector<uint32_t>{0, 1, 3}));
  EXPECT_EQ(DecodeAll("0000 1111 1010", {CodeScheme::Fixed, 3}, 3), (std::vector<uint32_t>{0, 15, 10}));
  EXPECT_EQ(DecodeAll("0 10 110", {CodeScheme::Gamma, 0}, 3), (std::vector<uint32_t>{0, 1, 2}));
  // 32-bit fixed values and a gamma value of 2^31 + 1 still fit.
  EXPECT_EQ(DecodeAll(std::string(32, '1'), {CodeScheme::Fixed, 31}, 1), (std::vector<uint32_t>{0xFFFFFFFF}));
  EXPECT_EQ(DecodeAll(std::string(32, '1') + "0" + std::string(30, '0') + "1", {CodeScheme::Gamma, 0}, 1),
            (std::vector<uint32_t>{0x80000001}));
  // A gamma value that would need 33 bits is refused, as is a stream that ends inside a value.
  EXPECT_TRUE(DecodeAll(std::string(33, '1') + "0" + std::string(32, '0'), {CodeScheme::Gamma, 0}, 1).empty());
  EXPECT_TRUE(DecodeAll("11111111", {CodeScheme::Unary, 0}, 1).empty());
}

// A block-level builder for hand-made files: header fields and bytes placed at offsets.
struct HandIndex {
  std::vector<uint8_t> bytes = std::vector<uint8_t>(kIndexHeaderArea, 0);

  void header(uint16_t version, uint32_t count, uint8_t fields, uint8_t options, uint32_t root, uint16_t levels,
              std::array<uint16_t, 6> codes) {
    base::store_le16(&bytes[2], version);
    base::store_le32(&bytes[4], count);
    bytes[12] = fields;
    bytes[13] = options;
    base::store_le32(&bytes[14], root);
    base::store_le16(&bytes[18], levels);
    base::store_le16(&bytes[20], codes[0]);
    base::store_le16(&bytes[22], codes[1]);
    base::store_le16(&bytes[24], codes[2]);
    base::store_le16(&bytes[30], codes[3]);
    base::store_le16(&bytes[32], codes[4]);
    base::store_le16(&bytes[34], codes[5]);
  }
  uint8_t* block(uint32_t n) {
    const size_t need = IndexBlockOffset(n + 1);
    if (bytes.size() < need) bytes.resize(need, 0);
    return &bytes[IndexBlockOffset(n)];
  }
  // Places bytes in block n from `at`; returns the offset after them.
  size_t put(uint32_t n, size_t at, std::vector<uint8_t> b) {
    std::copy(b.begin(), b.end(), block(n) + at);
    return at + b.size();
  }
  void leaf(uint32_t n, uint16_t first_entry, uint32_t next) {
    base::store_le16(block(n), first_entry);
    base::store_le32(block(n) + kIndexNextLeafOffset, next);
  }
};

std::vector<uint8_t> Cat(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

constexpr uint16_t kUnary = 0x0000;
constexpr uint16_t kFixed4 = 0x0301;
constexpr uint16_t kFixed8 = 0x0701;

// Version 8, word positions and lengths, no fields: "ab" in topics 2 and 5, then "ac" (front-coded
// after "ab") in topic 9. The lengths of "ab" run 2, 2 (a run of 2), then 3 for the rest (run 0).
std::vector<uint8_t> TwoTermLeaf() {
  HandIndex f;
  f.header(8, 10, kIndexHasWordPosition | kIndexHasLength, 0, 0, 1, {kUnary, kUnary, kFixed4, 0, kFixed8, kUnary});
  const std::vector<uint8_t> ab = Bits(
      "0 00 10"                          // counted occurrences, unary topic code, 2 topics
      "110 10 0001 110 00000010 0010"    // topic 2: 2 occurrences at 1 (run 2 of length 2) and 4
      "110 0 0000 0 00000011");          // topic 5: 1 occurrence at 0, length 3 for the rest
  const std::vector<uint8_t> ac = Bits("1 00 0 1111111110 0111 0 00000001");  // topic 9 at 7, length 1
  size_t at = f.put(0, 2, Cat({{0x82, 'a', 'b', uint8_t(1 + ab.size())}, ab}));
  at = f.put(0, at, Cat({{0x91, 'c', uint8_t(1 + ac.size())}, ac, {kIndexEntriesEnd}}));
  f.leaf(0, 2, kIndexNoBlock);
  return f.bytes;
}

TEST(IndexFormat, HandMadeLeafDecodes) {
  IndexFile file(TwoTermLeaf());
  FtsError error;
  FtsIndexPtr index = file.open(&error);
  ASSERT_TRUE(index) << error.code;
  CollectSink ab, ac, none, wild, range;
  EXPECT_EQ(Scan(*index, "ab", ab), 0);
  EXPECT_EQ(ab.found, (Found{{2, {{1, 0, 2}, {4, 0, 2}}}, {5, {{0, 0, 3}}}}));
  EXPECT_EQ(Scan(*index, "ac", ac), 0);
  EXPECT_EQ(ac.found, (Found{{9, {{7, 0, 1}}}}));
  EXPECT_EQ(Scan(*index, "aa", none), 0);
  EXPECT_EQ(Scan(*index, "b", none), 0);
  EXPECT_TRUE(none.found.empty());
  EXPECT_EQ(Scan(*index, "a?", wild, TermMode::kWildcard), 0);
  EXPECT_EQ(wild.topics, (std::vector<uint32_t>{2, 5, 9}));
  EXPECT_EQ(Scan(*index, "ab", range, TermMode::kRange, 0, "ab"), 0);
  EXPECT_EQ(range.topics, (std::vector<uint32_t>{2, 5}));
}

// "x" sits at the end of leaf 0 and its posting runs on at offset 2 of leaf 1, whose first entry "y"
// follows the continuation. In version 8 the entry length of "x" counts 1 + 4 bytes: the trailer and
// the first-entry offset passed over are not part of it.
std::vector<uint8_t> CrossingLeaves(uint16_t version) {
  HandIndex f;
  f.header(version, 400, kIndexHasWordPosition | kIndexHasLength, 0, 0, 1, {kUnary, kUnary, kFixed4, 0, kFixed8, kUnary});
  const std::vector<uint8_t> x = Bits("1 1 01000 0 100101100 0101 0 00000100");  // topic 300 at 5, length 4
  const std::vector<uint8_t> y = Bits("1 00 0 110 0001 0 00000001");             // topic 2 at 1, length 1
  EXPECT_EQ(x.size(), 4u);
  const uint32_t leaf_end = version == 8 ? 4084 : 4088;
  std::vector<uint8_t> x_entry = {0x81, 'x'};
  if (version == 8) x_entry.push_back(uint8_t(1 + x.size()));
  x_entry.insert(x_entry.end(), x.begin(), x.end());
  // The key and all but two posting bytes end leaf 0; the last two bytes open leaf 1.
  const size_t in_first = x_entry.size() - 2;
  const size_t start = leaf_end - in_first;
  f.put(0, start, std::vector<uint8_t>(x_entry.begin(), x_entry.begin() + in_first));
  f.put(1, 2, std::vector<uint8_t>(x_entry.begin() + in_first, x_entry.end()));
  std::vector<uint8_t> y_entry = {0x81, 'y'};
  if (version == 8) y_entry.push_back(uint8_t(1 + y.size()));
  y_entry.insert(y_entry.end(), y.begin(), y.end());
  y_entry.push_back(kIndexEntriesEnd);
  f.put(1, 4, y_entry);
  f.leaf(0, uint16_t(start), 1);
  f.leaf(1, 4, kIndexNoBlock);
  return f.bytes;
}

TEST(IndexFormat, PostingRunsAcrossLeaves) {
  for (uint16_t version : {7, 8}) {
    SCOPED_TRACE(version);
    IndexFile file(CrossingLeaves(version));
    FtsError error;
    FtsIndexPtr index = file.open(&error);
    ASSERT_TRUE(index) << error.code;
    CollectSink x, y, all;
    EXPECT_EQ(Scan(*index, "x", x), 0);
    EXPECT_EQ(x.found, (Found{{300, {{5, 0, 4}}}}));
    // "x" is passed over (by its entry length in version 8, by decoding in version 7).
    EXPECT_EQ(Scan(*index, "y", y), 0);
    EXPECT_EQ(y.found, (Found{{2, {{1, 0, 1}}}}));
    EXPECT_EQ(Scan(*index, "*", all, TermMode::kWildcard), 0);
    EXPECT_EQ(all.topics, (std::vector<uint32_t>{300, 2}));
  }
}

TEST(IndexFormat, ByteFFEndsTheEntries) {
  // A leaf whose first entry byte is 0xFF holds no entries, whatever follows.
  HandIndex f;
  f.header(8, 10, kIndexHasWordPosition, 0, 0, 1, {kUnary, kUnary, kFixed4, 0, 0, 0});
  f.put(0, 2, {0xFF, 0x81, 'a', 2, 0x80});
  f.leaf(0, 2, kIndexNoBlock);
  IndexFile file(f.bytes);
  FtsError error;
  FtsIndexPtr index = file.open(&error);
  ASSERT_TRUE(index);
  CollectSink sink;
  EXPECT_EQ(Scan(*index, "a", sink), 0);
  EXPECT_TRUE(sink.found.empty());
}

TEST(IndexFormat, WriterNeverStartsAnEntryWithFF) {
  // Prefix 7 with suffix 15 would be the byte 0xFF in the short form; the writer uses the long form.
  const std::string first = "abcdefg";
  const std::string second = first + "hijklmnopqrstuv";  // 7 shared bytes, 15 more
  titlebuild::FtsIndexWriterOptions o;
  o.topic_count = 4;
  o.occurrence_fields = 0;
  std::vector<titlebuild::FtsWriterTerm> terms = {{first, 0, {{1, 0, {}}}, {}}, {second, 0, {{2, 0, {}}}, {}}};
  const std::vector<uint8_t> bytes = titlebuild::WriteFtsIndex(terms, o);
  const std::vector<uint8_t> long_form = {7, 15, 'h', 'i'};
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), long_form.begin(), long_form.end()), bytes.end());
  IndexFile file(bytes);
  FtsError error;
  FtsIndexPtr index = file.open(&error);
  ASSERT_TRUE(index);
  CollectSink sink;
  EXPECT_EQ(Scan(*index, second, sink), 0);
  EXPECT_EQ(sink.topics, (std::vector<uint32_t>{2}));
}

TEST(IndexFormat, WriterMatchesHandMadeLeaf) {
  // The writer, given the same terms and codes, writes the very bytes of the hand-made leaf.
  titlebuild::FtsIndexWriterOptions o;
  o.topic_count = 10;
  o.occurrence_fields = kIndexHasWordPosition | kIndexHasLength;
  o.topic_count_code = o.occurrence_count_code = o.run_count_code = {CodeScheme::Unary, 0};
  o.word_position_code = {CodeScheme::Fixed, 3};
  o.address_code = {CodeScheme::Unary, 0};
  o.length_code = {CodeScheme::Fixed, 7};
  const PostingCode unary{CodeScheme::Unary, 0};
  std::vector<titlebuild::FtsWriterTerm> terms = {
      {"ab", 0, {{2, 0, {{1, 0, 2}, {4, 0, 2}}}, {5, 0, {{0, 0, 3}}}}, unary},
      {"ac", 0, {{9, 0, {{7, 0, 1}}}}, unary},
  };
  EXPECT_EQ(titlebuild::WriteFtsIndex(terms, o), TwoTermLeaf());
}

int32_t CountReads(intptr_t value, FtsError*) {
  ++*reinterpret_cast<int*>(value);
  return 0;
}

// Two levels by hand: the root (block 2) holds the largest (key, field) of each leaf and its block.
TEST(IndexFormat, HandMadeInternalBlockLeadsToTheRightLeaf) {
  HandIndex f;
  f.header(8, 10, kIndexHasField | kIndexHasWordPosition, 0, 2, 2, {kUnary, kUnary, kFixed4, 0, 0, 0});
  f.put(0, 2, Cat({{0x82, 'a', 'b', 4, 0x01}, Bits("1 00 0 10 0011"), {kIndexEntriesEnd}}));   // topic 1 at 3
  f.leaf(0, 2, 1);
  f.put(1, 2, Cat({{0x82, 'c', 'd', 4, 0x02}, Bits("1 00 0 110 0101"), {kIndexEntriesEnd}}));  // topic 2 at 5
  f.leaf(1, 2, kIndexNoBlock);
  f.put(2, 0, {2, 0, 0x82, 'a', 'b', 0x01, 0x00, 0x82, 'c', 'd', 0x02, 0x01, kIndexEntriesEnd});
  IndexFile file(f.bytes);
  int reads = 0;
  FtsError error;
  FtsIndexPtr index = file.open(&error, CountReads, intptr_t(&reads));
  ASSERT_TRUE(index) << error.code;
  reads = 0;
  CollectSink cd, ab1, ab2, tail;
  EXPECT_EQ(Scan(*index, "cd", cd), 0);
  EXPECT_EQ(cd.found, (Found{{2, {{5, 0, 0}}}}));
  EXPECT_GE(reads, 1);
  const int reads_for_cd = reads;
  EXPECT_EQ(Scan(*index, "ab", ab1, TermMode::kPlain, 1), 0);
  EXPECT_EQ(ab1.found, (Found{{1, {{3, 0, 0}}}}));
  EXPECT_EQ(Scan(*index, "ab", ab2, TermMode::kPlain, 2), 0);
  EXPECT_TRUE(ab2.found.empty());
  EXPECT_EQ(Scan(*index, "*d", tail, TermMode::kWildcard), 0);
  EXPECT_EQ(tail.topics, (std::vector<uint32_t>{2}));
  // "cd" went straight to its leaf: one block read (the file layer may poll more than once per read).
  reads = 0;
  EXPECT_EQ(Scan(*index, "cd", cd), 0);
  EXPECT_EQ(reads, reads_for_cd);
  EXPECT_LE(reads, 2);
}

TEST(IndexFormat, FrontCodingMayRunOnFromThePreviousLeaf) {
  // Leaf 1 starts with "ac" written as one byte of "ab", the last key of leaf 0: found both by a
  // descent (which takes "ab" from the root entry before "ac") and by a walk along the chain.
  HandIndex f;
  f.header(8, 10, kIndexHasWordPosition, 0, 2, 2, {kUnary, kUnary, kFixed4, 0, 0, 0});
  f.put(0, 2, Cat({{0x82, 'a', 'b', 3}, Bits("1 00 0 10 0011"), {kIndexEntriesEnd}}));
  f.leaf(0, 2, 1);
  f.put(1, 2, Cat({{0x91, 'c', 3}, Bits("1 00 0 110 0101"), {kIndexEntriesEnd}}));
  f.leaf(1, 2, kIndexNoBlock);
  f.put(2, 0, {2, 0, 0x82, 'a', 'b', 0x00, 0x91, 'c', 0x01, kIndexEntriesEnd});
  IndexFile file(f.bytes);
  FtsError error;
  FtsIndexPtr index = file.open(&error);
  ASSERT_TRUE(index) << error.code;
  CollectSink ac, all;
  EXPECT_EQ(Scan(*index, "ac", ac), 0);
  EXPECT_EQ(ac.topics, (std::vector<uint32_t>{2}));
  EXPECT_EQ(Scan(*index, "a*", all, TermMode::kWildcard), 0);
  EXPECT_EQ(all.topics, (std::vector<uint32_t>{1, 2}));
}

// Only lengths are stored and a run count of 0 repeats the length for the rest of the posting, so
// occurrences cost no bits: 40 topics of 1,048,575 occurrences each fit in a few bytes.
std::vector<uint8_t> FreeOccurrences(std::string_view count_bits) {
  HandIndex f;
  f.header(8, 100, kIndexHasLength, 0, 0, 1, {0x0701, 0x1301, 0, 0, kFixed8, kUnary});
  std::string bits = "0 00 00100111 0" + std::string(count_bits) + " 0 00000001";
  for (int t = 1; t < 40; ++t) bits += "0" + std::string(count_bits);
  const std::vector<uint8_t> posting = Bits(bits);
  f.put(0, 2, Cat({{0x81, 'w', 0}, posting, {kIndexEntriesEnd}}));
  f.leaf(0, 2, kIndexNoBlock);
  return f.bytes;
}

class DecliningSink : public FtsPostingSink {
 public:
  bool wants(uint32_t) override { return false; }
  int32_t add(uint32_t, uint16_t, std::span<const FtsOccurrence>) override { return 0; }
};

TEST(IndexFormat, OccurrencesThatCostNoBitsAreBounded) {
  {
    IndexFile file(FreeOccurrences("11111111111111111110"));
    FtsError error;
    FtsIndexPtr index = file.open(&error);
    ASSERT_TRUE(index);
    // Passed over a run at a time: no time spent per occurrence.
    DecliningSink declined;
    const std::vector<uint8_t> w = testing::Counted("w");
    EXPECT_EQ(FtsScanTerm(*index, {w.data(), nullptr, TermMode::kPlain, 0}, declined), 0);
  }
  {
    // Kept, they fill the room of one scan (about four million) and the scan ends as if the
    // occurrence nodes had run out, with the topics found so far.
    IndexFile file(FreeOccurrences("11111111111111111111"));
    FtsError error;
    FtsIndexPtr index = file.open(&error);
    ASSERT_TRUE(index);
    CollectSink kept;
    EXPECT_EQ(Scan(*index, "w", kept), 2008);
    EXPECT_EQ(kept.topics.size(), 4u);
  }
}

}  // namespace
}  // namespace fts
