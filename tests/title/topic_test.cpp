// Topic blocks and records: plain and compressed titles, records across blocks, chunks, neighbours,
// addresses, contexts, catalogue and title strings.
#include <gtest/gtest.h>

#include <set>

#include "engine/fcmanage/topic_address.h"
#include "engine/fcmanage/topic_chunk.h"
#include "engine/fcmanage/topic_record.h"
#include "engine/title/title_tables.h"
#include "platform/base/byte_io.h"
#include "tests/title/title_fixture.h"

namespace {

using namespace title;

struct Variant {
  const char* name;
  bool compressed;
  size_t block_data_size;
  bool phrases;
  int32_t big_record_blocks;  // blocks that the long record of topic 2 at least touches
};

class TopicTitle : public ::testing::TestWithParam<Variant> {
 protected:
  void SetUp() override {
    const Variant& v = GetParam();
    // Topic 1 holds a record crossing two blocks and one crossing four blocks (at the block size used).
    const size_t block = v.compressed ? (v.block_data_size ? v.block_data_size : 9000) : 4084;
    source_.topics = title_test::topics_of({{120, 80, 40}, {block + 300, 30, std::min<size_t>(3 * block + 200, 32000), 25}, {60}});
    source_.compressed = v.compressed;
    source_.block_data_size = v.block_data_size;
    if (v.phrases) source_.phrases = {"Dziennik", "Ministra", "Ustaw", "rozporz\xB9" "dzenie", "ustawa", "zmianie"};
    source_.contexts = {{"USTAWA_2", 1}, {"ust.3", 2}};
    source_.start_topic = 2;
    path_ = title_test::write_title(source_, std::string("topic_") + v.name, layout_);
    ASSERT_FALSE(path_.empty());
    title_ = TtlOpen(path_.c_str(), nullptr, 0, true);
    ASSERT_NE(title_, nullptr);
  }
  void TearDown() override { TtlClose(title_); }

  const std::string& text(size_t topic, size_t record) const { return source_.topics[topic].records[record].text; }

  titlebuild::LibraryTitleSource source_;
  titlebuild::TopicFileLayout layout_;
  std::string path_;
  TitleHandle* title_ = nullptr;
};

TEST_P(TopicTitle, EveryRecordComesBackWhole) {
  // The first record of topic 2 crosses into a second block, its third one runs over several.
  const auto& positions = layout_.record_positions[1];
  if (GetParam().big_record_blocks == 4) {
    EXPECT_GE(fcmanage::PositionBlock(positions[1]) - fcmanage::PositionBlock(positions[0]), 1);
  }
  EXPECT_GE(fcmanage::PositionBlock(positions[3]) - fcmanage::PositionBlock(positions[2]) + 1, GetParam().big_record_blocks);
  for (size_t t = 0; t < source_.topics.size(); ++t) {
    for (size_t r = 0; r < source_.topics[t].records.size(); ++r) {
      int32_t code = 0;
      const fcmanage::TopicRecordPtr record = fcmanage::FcLoadRecord(title_, layout_.record_positions[t][r], code);
      ASSERT_NE(record, nullptr) << t << "/" << r << " code " << code;
      const auto bytes = record->text();
      EXPECT_EQ(std::string(bytes.begin(), bytes.end()), text(t, r)) << t << "/" << r;
      EXPECT_EQ(record->header.count, text(t, r).size());
      EXPECT_EQ(record->charOffset, layout_.record_addresses[t][r] & 0x7FFF);
      EXPECT_EQ(record->format().size(), 6u);
    }
  }
  int32_t code = 77;
  EXPECT_EQ(fcmanage::FcLoadRecord(title_, -1, code), nullptr);
  EXPECT_EQ(code, 77);
  EXPECT_EQ(fcmanage::FcLoadRecord(title_, layout_.record_positions[0][0] + 1, code), nullptr);
  EXPECT_EQ(code, fcmanage::kTopicNoMemory);
}

TEST_P(TopicTitle, ChunkOfATopic) {
  fcmanage::TopicChunk chunk;
  int32_t code = 0;
  // At the topic header: the first record after it.
  fcmanage::TopicRecordPtr record = fcmanage::FcGetChunk(title_, layout_.header_positions[1], chunk, code);
  ASSERT_NE(record, nullptr) << code;
  EXPECT_EQ(record->position, layout_.record_positions[1][0]);
  EXPECT_EQ(chunk.recordPosition, layout_.record_positions[1][0]);
  EXPECT_EQ(chunk.title, "Ustawa nr 2");
  EXPECT_EQ(chunk.headerText, "Dz.U. 1991");
  EXPECT_EQ(chunk.values[0], layout_.topic_addresses[0]);
  EXPECT_EQ(chunk.values[1], layout_.topic_addresses[2]);
  EXPECT_EQ(chunk.values[2], 1);
  EXPECT_EQ(chunk.values[4], layout_.record_positions[1][0]);
  // A record in a later block: the header comes from the block header or the walk.
  record = fcmanage::FcGetChunk(title_, layout_.record_positions[1][3], chunk, code);
  ASSERT_NE(record, nullptr) << code;
  EXPECT_EQ(record->position, layout_.record_positions[1][3]);
  EXPECT_EQ(chunk.title, "Ustawa nr 2");
  // The last record of the chain is reachable.
  record = fcmanage::FcGetChunk(title_, layout_.record_positions[2][0], chunk, code);
  ASSERT_NE(record, nullptr) << code;
  EXPECT_EQ(chunk.title, "Ustawa nr 3");
  EXPECT_EQ(chunk.topicLength, record->storedSize);  // the topic's only record
}

TEST_P(TopicTitle, NeighboursStayInTheTopic) {
  int32_t code = 0;
  const auto& positions = layout_.record_positions[1];
  fcmanage::TopicRecordPtr record = fcmanage::FcLoadRecord(title_, positions[0], code);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(fcmanage::FcGetNeighbour(*record, false, title_, code, positions[0], -1), nullptr);
  EXPECT_EQ(code, fcmanage::kTopicOutOfTopic);
  for (size_t r = 1; r < positions.size(); ++r) {
    record = fcmanage::FcGetNeighbour(*record, true, title_, code, positions[0], -1);
    ASSERT_NE(record, nullptr) << r << " code " << code;
    EXPECT_EQ(record->position, positions[r]);
    EXPECT_EQ(record->charOffset, layout_.record_addresses[1][r] & 0x7FFF);
  }
  // Onto the next topic's header.
  EXPECT_EQ(fcmanage::FcGetNeighbour(*record, true, title_, code, positions[0], -1), nullptr);
  EXPECT_EQ(code, fcmanage::kTopicOutOfTopic);
  for (size_t r = positions.size() - 1; r > 0; --r) {
    record = fcmanage::FcGetNeighbour(*record, false, title_, code, positions[0], -1);
    ASSERT_NE(record, nullptr) << r << " code " << code;
    EXPECT_EQ(record->position, positions[r - 1]);
    EXPECT_EQ(record->charOffset, layout_.record_addresses[1][r - 1] & 0x7FFF);
  }
  // Forward onto the stop position.
  EXPECT_EQ(fcmanage::FcGetNeighbour(*record, true, title_, code, positions[0], positions[1]), nullptr);
  EXPECT_EQ(code, fcmanage::kTopicOutOfTopic);
}

TEST_P(TopicTitle, AddressesAndPositions) {
  for (size_t t = 0; t < source_.topics.size(); ++t) {
    for (size_t r = 0; r < source_.topics[t].records.size(); ++r) {
      const int32_t address = layout_.record_addresses[t][r];
      fcmanage::TopicLocation location;
      ASSERT_EQ(fcmanage::FcLocateAddress(title_, address + 7, location), 0);
      EXPECT_EQ(location.position, layout_.record_positions[t][r]);
      EXPECT_EQ(location.charOffset, 7);
    }
    // A topic's address leads to its first record.
    EXPECT_EQ(fcmanage::TtlAddressToPosition(title_, layout_.topic_addresses[t]), layout_.record_positions[t][0]);
    EXPECT_EQ(fcmanage::TtlTopicNumberToPosition(title_, int32_t(t)), layout_.record_positions[t][0]);
  }
  fcmanage::TopicLocation location;
  EXPECT_EQ(fcmanage::FcLocateAddress(title_, layout_.record_addresses[2][0] + 60, location), 1);
  EXPECT_EQ(location.position, -1);
  EXPECT_EQ(fcmanage::FcLocateAddress(nullptr, 0, location), 5);
  EXPECT_EQ(fcmanage::TtlTopicNumberToPosition(title_, 3), -1);
  EXPECT_EQ(fcmanage::TtlContextStringToPosition(title_, "USTAWA_2"), layout_.record_positions[1][0]);
  EXPECT_EQ(fcmanage::TtlContextStringToPosition(title_, "ust.3"), layout_.record_positions[2][0]);
  EXPECT_EQ(fcmanage::TtlContextStringToPosition(title_, "brak"), -1);
  EXPECT_EQ(fcmanage::TtlContextStringToPosition(title_, nullptr), -1);
  EXPECT_EQ(fcmanage::TtlStartPosition(title_), layout_.record_positions[2][0]);
}

TEST_P(TopicTitle, TitleStrings) {
  char buffer[64];
  EXPECT_EQ(TtlGetInfo(title_, kInfoTopicTitle, 1, buffer, sizeof buffer), 11);
  EXPECT_STREQ(buffer, "Ustawa nr 2");
  EXPECT_EQ(TtlGetInfo(title_, kInfoTopicTitle, -1, buffer, sizeof buffer), -1);
  EXPECT_EQ(TtlGetInfo(title_, kInfoTopicTitle, 1, nullptr, 0), -1);
  EXPECT_EQ(TtlGetInfo(title_, kInfoTitleAtAddress, layout_.topic_addresses[1] + 5, buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "Ustawa nr 2");
  EXPECT_EQ(TtlGetInfo(title_, kInfoTitleAtAddress, layout_.topic_addresses[2], buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "Ustawa nr 3");
  EXPECT_EQ(TtlGetInfo(title_, kInfoTitleAtAddress, 0x7FFFFFFF, buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "Ustawa nr 3");
  EXPECT_EQ(TtlGetInfo(title_, kInfoCatalogAddress, 2, nullptr, 0), layout_.topic_addresses[2]);
  EXPECT_EQ(TtlGetInfo(title_, kInfoCatalogAddress, 3, nullptr, 0), -1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, TopicTitle,
                         ::testing::Values(Variant{"plain", false, 0, false, 4}, Variant{"compressed", true, 0, false, 2},
                                           Variant{"compressed_small", true, 3630, false, 4},
                                           Variant{"phrases", true, 4000, true, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TopicBlockCache, ThreeSlotsAndPinnedBlocks) {
  titlebuild::LibraryTitleSource source;
  source.topics = title_test::topics_of({{9000, 9000, 9000}});
  source.compressed = true;
  source.block_data_size = 4000;
  titlebuild::TopicFileLayout layout;
  const std::string path = title_test::write_title(source, "cache", layout);
  ASSERT_GE(layout.blocks, 6u);
  TitleHandle* t = TtlOpen(path.c_str(), nullptr, 0, true);
  ASSERT_NE(t, nullptr);
  int32_t code = 0;
  const fcmanage::TopicBlockRef held = fcmanage::FcLoadBlock(t, 1, code);
  ASSERT_NE(held, nullptr);
  const std::vector<uint8_t> copy = held->bytes;
  for (int32_t b : {2, 3, 4}) ASSERT_NE(fcmanage::FcLoadBlock(t, b, code), nullptr);
  EXPECT_EQ(t->cache.decoded, 4u);
  // Block 1 has left the cache but the held reference still reads the same bytes.
  EXPECT_EQ(held->bytes, copy);
  ASSERT_NE(fcmanage::FcLoadBlock(t, 2, code), nullptr);
  EXPECT_EQ(t->cache.decoded, 4u);  // a hit
  ASSERT_NE(fcmanage::FcLoadBlock(t, 5, code), nullptr);
  EXPECT_EQ(t->cache.decoded, 5u);
  // The slot after the hit (block 3's) was replaced; blocks 2 and 4 are still cached.
  ASSERT_NE(fcmanage::FcLoadBlock(t, 2, code), nullptr);
  ASSERT_NE(fcmanage::FcLoadBlock(t, 4, code), nullptr);
  EXPECT_EQ(t->cache.decoded, 5u);
  ASSERT_NE(fcmanage::FcLoadBlock(t, 3, code), nullptr);
  EXPECT_EQ(t->cache.decoded, 6u);
  EXPECT_EQ(fcmanage::FcLoadBlock(t, 100000, code), nullptr);
  EXPECT_EQ(code, fcmanage::kTopicReadFailed);
  // Every block but the last fills its 4,096 stored bytes and decodes to exactly its record bytes
  // (the builder's padding rule).
  EXPECT_EQ(held->size(), fcmanage::kTopicBlockHeaderSize + 4000);
  for (size_t b = 0; b + 1 < layout.blocks; ++b) {
    const fcmanage::TopicBlock decoded = fcmanage::FcDecodeBlock(int32_t(b), layout.file.data() + b * fcmanage::kTopicBlockSize, fcmanage::kTopicBlockSize, true);
    EXPECT_EQ(decoded.size(), fcmanage::kTopicBlockHeaderSize + 4000) << b;
  }
  EXPECT_EQ(layout.file.size() % fcmanage::kTopicBlockSize != 0, true);
  TtlClose(t);
}

TEST(TopicTitle, UncompressedFlagReadsAsStored) {
  titlebuild::LibraryTitleSource source;
  source.topics = title_test::topics_of({{100}});
  source.compressed = false;
  titlebuild::TopicFileLayout layout;
  const std::string path = title_test::write_title(source, "stored", layout);
  TitleHandle* t = TtlOpen(path.c_str(), nullptr, 0, true);
  ASSERT_NE(t, nullptr);
  EXPECT_FALSE(t->compressed);
  int32_t code = 0;
  const fcmanage::TopicBlockRef block = fcmanage::FcLoadBlock(t, 0, code);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->bytes, layout.file);
  TtlClose(t);
}

TEST(TopicTitle, FirstRecordToWalkInAnEarlierBlock) {
  // A block header whose first record to walk is the record that began in the block before: the walk
  // steps past it to its next record, the same way whatever the cache holds.
  titlebuild::LibraryTitleSource source;
  source.topics = title_test::topics_of({{5000, 100, 100}});
  source.compressed = false;
  titlebuild::TitleBuilder builder;
  titlebuild::TopicFileLayout layout;
  ASSERT_EQ(titlebuild::AddLibraryTitle(builder, source, layout), 0);
  const auto& positions = layout.record_positions[0];
  ASSERT_EQ(fcmanage::PositionBlock(positions[0]), 0);
  ASSERT_EQ(fcmanage::PositionBlock(positions[1]), 1);
  std::vector<uint8_t> file = layout.file;
  base::store_le32(file.data() + fcmanage::kTopicBlockSize + 4, uint32_t(positions[0]));
  builder.add_file("|TOPIC", file);
  const std::string path = title_test::title_path("earlier_first");
  ASSERT_EQ(builder.write(path), 0);
  TitleHandle* t = TtlOpen(path.c_str(), nullptr, 0, true);
  ASSERT_NE(t, nullptr);
  int32_t code = 0;
  for (int round = 0; round < 2; ++round) {
    for (size_t r : {size_t(2), size_t(1), size_t(0), size_t(2)}) {
      const fcmanage::TopicRecordPtr record = fcmanage::FcLoadRecord(t, positions[r], code);
      ASSERT_NE(record, nullptr) << r;
      EXPECT_EQ(record->charOffset, layout.record_addresses[0][r] & 0x7FFF) << r;
    }
    EXPECT_EQ(fcmanage::TtlAddressToPosition(t, layout.record_addresses[0][2] + 3), positions[2]);
    fcmanage::FcInitCache(t);  // a different cache history in the second round
  }
  // The cached block's header is never rewritten.
  const fcmanage::TopicBlockRef block = fcmanage::FcLoadBlock(t, 1, code);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->header().firstRecord, positions[0]);
  TtlClose(t);
}

TEST(TopicTitle, ExpandedLengthClaimIsNotTrusted) {
  titlebuild::LibraryTitleSource source;
  source.topics = title_test::topics_of({{300}});
  source.compressed = false;
  source.phrases = {"Dziennik", "Ministra", "Ustaw", "ustawa"};
  titlebuild::TitleBuilder builder;
  titlebuild::TopicFileLayout layout;
  ASSERT_EQ(titlebuild::AddLibraryTitle(builder, source, layout), 0);
  std::vector<uint8_t> file = layout.file;
  const int32_t position = layout.record_positions[0][0];
  base::store_le32(file.data() + fcmanage::PositionOffset(position) + 4, 0x7FFFFFFF);
  builder.add_file("|TOPIC", file);
  const std::string path = title_test::title_path("expanded_claim");
  ASSERT_EQ(builder.write(path), 0);
  TitleHandle* t = TtlOpen(path.c_str(), nullptr, 0, true);
  ASSERT_NE(t, nullptr);
  int32_t code = 0;
  const fcmanage::TopicRecordPtr record = fcmanage::FcLoadRecord(t, position, code);
  ASSERT_NE(record, nullptr) << code;
  const auto text = record->text();
  EXPECT_EQ(std::string(text.begin(), text.end()), source.topics[0].records[0].text);
  TtlClose(t);
}

TEST(Catalogue, ReadsAHundredAtATime) {
  titlebuild::LibraryTitleSource source;
  for (int i = 0; i < 150; ++i) source.topics.push_back({"t" + std::to_string(i), "", {{adt::kRecordTextCounted, {}, "abc"}}, {}});
  titlebuild::TopicFileLayout layout;
  const std::string path = title_test::write_title(source, "catalogue", layout);
  TitleHandle* t = TtlOpen(path.c_str(), nullptr, 0, true);
  ASSERT_NE(t, nullptr);
  for (int32_t n : {5, 50, 104}) EXPECT_EQ(TtlGetCatalogAddress(t, n), layout.topic_addresses[n]);
  ASSERT_NE(t->catalog, nullptr);
  EXPECT_EQ(t->catalog->fileReads, 1u);
  EXPECT_EQ(TtlGetCatalogAddress(t, 105), layout.topic_addresses[105]);
  EXPECT_EQ(t->catalog->fileReads, 2u);
  EXPECT_EQ(TtlGetCatalogAddress(t, 149), layout.topic_addresses[149]);
  EXPECT_EQ(t->catalog->fileReads, 2u);
  uint8_t record[4];
  EXPECT_EQ(FtsReadCatalog(t->catalog.get(), record, sizeof record, 150), fts::kFtsOutOfRange);
  EXPECT_EQ(FtsReadCatalog(t->catalog.get(), record, 3, 1), fts::kFtsBadArgument);
  EXPECT_EQ(FtsReadCatalog(t->catalog.get(), nullptr, 4, 1), fts::kFtsBadArgument);
  EXPECT_EQ(FtsCatalogCount(t->catalog.get()), 150);
  // Without a start record the catalogue's first topic starts.
  EXPECT_EQ(TtlGetStartAddress(t), layout.topic_addresses[0]);
  TtlClose(t);
}

}  // namespace

// Without a block data size each compressed block takes as many record bytes as compress into its
// stored size: blocks differ in decoded size, every one but the last fills its 4,096 bytes and
// decodes to exactly its record bytes, and every record reads back.
TEST(TopicBlockCache, FittedBlocksTakeWhatCompresses) {
  titlebuild::LibraryTitleSource source;
  source.topics = title_test::topics_of({{9000, 120, 16000, 40}, {30000, 500}, {7000, 7000, 7000}, {15}});
  // Random letters pack poorly, a run of one letter tightly, the word lists in between.
  unsigned state = 7;
  for (char& c : source.topics[0].records[0].text) c = char('a' + ((state = state * 1103515245u + 12345u) >> 16) % 26);
  source.topics[1].records[0].text = std::string(30000, 'x');
  source.compressed = true;
  titlebuild::TopicFileLayout layout;
  const std::string path = title_test::write_title(source, "fitted", layout);
  ASSERT_FALSE(path.empty());
  ASSERT_GE(layout.blocks, 4u);
  ASSERT_EQ(layout.file.size() / fcmanage::kTopicBlockSize, layout.blocks - 1);
  std::set<size_t> sizes;
  for (size_t b = 0; b < layout.blocks; ++b) {
    const size_t stored = std::min<size_t>(fcmanage::kTopicBlockSize, layout.file.size() - b * fcmanage::kTopicBlockSize);
    const fcmanage::TopicBlock decoded = fcmanage::FcDecodeBlock(int32_t(b), layout.file.data() + b * fcmanage::kTopicBlockSize, stored, true);
    ASSERT_GT(decoded.size(), fcmanage::kTopicBlockHeaderSize) << b;
    EXPECT_LE(decoded.size(), fcmanage::kTopicDecodedLimit) << b;
    if (b + 1 < layout.blocks) {
      EXPECT_GE(decoded.size(), fcmanage::kTopicBlockHeaderSize + 3630) << b;
      sizes.insert(decoded.size());
    }
  }
  EXPECT_LT(*sizes.begin(), fcmanage::kTopicBlockHeaderSize + 5000);      // random letters
  EXPECT_EQ(*sizes.rbegin(), fcmanage::kTopicBlockHeaderSize + 16372);  // as much as offsets allow
  TitleHandle* t = TtlOpen(path.c_str(), nullptr, 0, true);
  ASSERT_NE(t, nullptr);
  for (size_t topic = 0; topic < source.topics.size(); ++topic) {
    for (size_t r = 0; r < source.topics[topic].records.size(); ++r) {
      int32_t code = 0;
      const fcmanage::TopicRecordPtr record = fcmanage::FcLoadRecord(t, layout.record_positions[topic][r], code);
      ASSERT_NE(record, nullptr) << topic << "/" << r << " code " << code;
      const auto bytes = record->text();
      EXPECT_EQ(std::string(bytes.begin(), bytes.end()), source.topics[topic].records[r].text) << topic << "/" << r;
    }
  }
  TtlClose(t);
}
