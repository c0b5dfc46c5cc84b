// Full-text common services: errors, counted strings, varints, names, block pools, file kinds.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/fts/common/block_pool.h"
#include "engine/fts/common/counted_string.h"
#include "engine/fts/common/fts_error.h"
#include "engine/fts/common/fts_file.h"
#include "engine/fts/common/fts_path.h"
#include "engine/fts/common/varint.h"
#include "platform/base/temp_folder.h"

namespace {

using namespace fts;

TEST(FtsError, SettersAndMapping) {
  EXPECT_EQ(FtsSetError(nullptr, kFtsNoMemory), kFtsNoMemory);
  FtsError e;
  EXPECT_EQ(FtsSetError(&e, kFtsBadType, 7), kFtsBadType);
  EXPECT_EQ(e.code, kFtsBadType);
  EXPECT_EQ(e.position, 7);
  EXPECT_GT(e.line, 0);
  EXPECT_NE(e.file, nullptr);
  FtsSetErrorCode(&e, kFtsOk, 0);
  EXPECT_EQ(e.code, 0);
  const std::pair<int, int> map[] = {{0, 0},     {1, 1},     {2, 2030},  {3, 2023},  {4, 2024}, {5, 2024},
                                     {6, 2015},  {7, 2015},  {8, 2004},  {9, 2028},  {10, 2007}, {11, 2005},
                                     {13, 2029}, {15, 2012}, {12, 2022}, {23, 2022}};
  for (auto [fs, full] : map) EXPECT_EQ(FtsMapFsError(fs), full) << fs;
}

TEST(CountedString, CompareAndEqual) {
  const uint8_t abc[] = {3, 'a', 'b', 'c'};
  const uint8_t ab[] = {2, 'a', 'b'};
  const uint8_t abd[] = {3, 'a', 'b', 'd'};
  const uint8_t high[] = {1, 0xB9};
  EXPECT_TRUE(PstrEqual(abc, abc));
  EXPECT_FALSE(PstrEqual(abc, ab));
  EXPECT_GT(PstrCompare(abc, ab), 0);
  EXPECT_LT(PstrCompare(abc, abd), 0);
  EXPECT_GT(PstrCompare(high, abc), 0);  // bytes compare unsigned
  EXPECT_EQ(AsciiCompareNoCase(reinterpret_cast<const uint8_t*>("ABC"), reinterpret_cast<const uint8_t*>("abc"), 3), 0);
}

TEST(Varint, DecodesAndBounds) {
  uint32_t v = 0;
  const uint8_t two[] = {0x81, 0x01};
  EXPECT_EQ(VarintDecode(v, two, 2), 2u);
  EXPECT_EQ(v, 129u);
  EXPECT_EQ(VarintDecode(v, two, 1), 0u);
  const uint8_t max[] = {0xFF, 0xFF, 0xFF, 0xFF, 0x0F};
  EXPECT_EQ(VarintDecode(v, max, 5), 5u);
  EXPECT_EQ(v, 0xFFFFFFFFu);
  const uint8_t endless[] = {0x80, 0x80, 0x80, 0x80, 0x80, 0x01};
  EXPECT_EQ(VarintDecode(v, endless, 6), 0u);
}

TEST(FtsPath, SplitsAtTheMark) {
  std::string container;
  EXPECT_TRUE(FtsHasSubfileMark("/d/t.dat!|MVINDEX"));
  EXPECT_EQ(FtsSplitPath("/d/t.dat!|MVINDEX", "|X", container), "|MVINDEX");
  EXPECT_EQ(container, "/d/t.dat");
  EXPECT_EQ(FtsSplitPath("/d/t.dat", "|X", container), "|X");
  EXPECT_EQ(container, "/d/t.dat");
}

TEST(BlockPool, LimitsAndElements) {
  EXPECT_EQ(PoolCreate(65507, 0), nullptr);
  auto bytes = PoolCreate(100, 0, 1);
  ASSERT_NE(bytes, nullptr);
  const char word[] = "kodeks";
  auto* item = static_cast<uint8_t*>(PoolAllocBytes(bytes.get(), word, 6, 1));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item[0], 0);
  EXPECT_EQ(std::memcmp(item + 1, word, 6), 0);
  EXPECT_NE(PoolAllocBytes(bytes.get(), word, 6, 80), nullptr);
  EXPECT_EQ(PoolAllocBytes(bytes.get(), word, 6, 0), nullptr);  // one block only

  auto hits = PoolCreate(10000, 20, kBlockPoolNoLimit, true);
  ASSERT_NE(hits, nullptr);
  EXPECT_EQ(hits->element_size(), 24);
  // The pre-linked chain runs through every element of the block.
  size_t chained = 0;
  for (void* e = PoolFirstFree(hits.get()); e; std::memcpy(&e, e, sizeof e)) ++chained;
  EXPECT_EQ(chained, 10000u / 24);
  for (size_t i = 0; i < chained + 1; ++i) ASSERT_NE(PoolAllocElement(hits.get()), nullptr);
  EXPECT_EQ(hits->blocks(), 2u);
  PoolReset(hits.get());
  for (size_t i = 0; i < chained + 1; ++i) ASSERT_NE(PoolAllocElement(hits.get()), nullptr);
  EXPECT_EQ(hits->blocks(), 2u);  // the kept block was reused
}

int32_t cancel_poll(intptr_t, FtsError*) { return kFtsStopListFull; }

TEST(FtsFile, KindsAndPoll) {
  FtsError e;
  std::string path = base::temp_folder() + "/fts_file_test.bin";
  FtsFilePtr out = FtsFileCreate(nullptr, path, "", FtsFileKind::kOsFile, &e);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(FtsFileWrite(out.get(), "abcdef", 6), 0);
  EXPECT_EQ(FtsFileClose(std::move(out)), 0);

  FtsFilePtr in = FtsFileOpen(nullptr, path, "", FtsFileKind::kOsFile, 0, &e);
  ASSERT_NE(in, nullptr);
  char buf[8] = {};
  EXPECT_EQ(FtsFileReadAt(in.get(), buf, 2, 8, &e), 4);
  EXPECT_EQ(std::string(buf, 4), "cdef");
  FtsFileSetPoll(in.get(), cancel_poll, 0);
  EXPECT_EQ(FtsFileReadAt(in.get(), buf, 0, 2, &e), kFtsTransferFailed);
  EXPECT_EQ(e.code, kFtsStopListFull);
  EXPECT_EQ(FtsFileClose(std::move(in)), 0);
  EXPECT_EQ(FtsFileClose(nullptr), kFtsNullFile);
  EXPECT_FALSE(FtsDeleteFile(path));
  EXPECT_EQ(FtsFileOpen(nullptr, path, "", FtsFileKind::kOsFile, 0, &e), nullptr);
  EXPECT_EQ(e.code, kFtsNotFound);
}

}  // namespace
