#include "engine/fts/common/stop_list.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/fts/breakers/word_breakers.h"
#include "platform/base/byte_io.h"
#include "platform/base/cp1250.h"
#include "platform/base/temp_folder.h"
#include "tools/titlebuild/polish_fts_tables.h"

namespace fts {
namespace {

std::vector<uint8_t> counted(std::string_view s) {
  std::vector<uint8_t> w{uint8_t(s.size())};
  w.insert(w.end(), s.begin(), s.end());
  return w;
}

TEST(StopList, BucketHashShiftsWithoutRotating) {
  // h: 'a' -> 0x61; 'b' -> (0x61 << 1) ^ 0x62 = 0xA0; 0xA0 mod 23 = 22.
  EXPECT_EQ(StopWordBucket(counted("ab").data()), 0xA0u % 23);
  // After 17 bytes of 0xFF the bit shifted past bit 31 is gone, not carried round.
  uint32_t h = 0;
  for (int i = 0; i < 40; ++i) h = ((h >> 15) | (h << 1)) ^ 0xFF;
  EXPECT_EQ(StopWordBucket(counted(std::string(40, '\xFF')).data()), h % 23);
}

TEST(StopList, AddsUpToItsCapacityExactly) {
  StopListPtr list = FtsCreateStopList(nullptr);
  ASSERT_TRUE(list);
  // 20 words of 255 bytes use 5,120 - 0 ... each counts 256: 20 x 256 = 5,120.
  for (int i = 0; i < 19; ++i) {
    std::string w(255, char('a' + i));
    ASSERT_EQ(FtsAddStopWord(list.get(), counted(w).data()), kFtsOk);
  }
  EXPECT_EQ(list->total, 19 * 256);
  const std::string last(254, 'z');  // 255 bytes: total becomes 5,119
  ASSERT_EQ(FtsAddStopWord(list.get(), counted(last).data()), kFtsOk);
  EXPECT_EQ(FtsAddStopWord(list.get(), counted("x").data()), kFtsStopListFull);  // would be 5,121
  EXPECT_EQ(list->total, 5119);
  EXPECT_FALSE(FtsIsStopWord(list.get(), counted("x").data()));
  EXPECT_EQ(FtsAddStopWord(list.get(), counted("").data()), kFtsOk);  // exactly 5,120
  EXPECT_EQ(list->total, 5120);
  EXPECT_EQ(FtsAddStopWord(list.get(), counted(last).data()), kFtsOk);  // already present
  EXPECT_EQ(list->total, 5120);
}

TEST(StopList, ComparesExactBytes) {
  StopListPtr list = FtsCreateStopList(nullptr);
  FtsAddStopWord(list.get(), counted("oraz").data());
  FtsAddStopWord(list.get(), counted("oraz").data());
  EXPECT_EQ(list->total, 5);
  EXPECT_TRUE(FtsIsStopWord(list.get(), counted("oraz").data()));
  EXPECT_TRUE(list->lookup(list.get(), counted("oraz").data()));
  EXPECT_FALSE(FtsIsStopWord(list.get(), counted("Oraz").data()));
  EXPECT_FALSE(FtsIsStopWord(list.get(), counted("ora").data()));
}

TEST(StopList, FileRoundTripsAndDropsACutWord) {
  const std::vector<uint8_t> file = titlebuild::stop_list_file({"i", "w", "z", "na", "oraz", "si\xEA"});
  StopListPtr list = FtsCreateStopList(nullptr);
  ASSERT_EQ(FtsParseStopList(file, list.get(), nullptr), kFtsOk);
  EXPECT_EQ(list->total, 2 + 2 + 2 + 3 + 5 + 4);
  EXPECT_TRUE(FtsIsStopWord(list.get(), counted("si\xEA").data()));
  EXPECT_EQ(FtsStopListBytes(*list), file);

  std::vector<uint8_t> cut = titlebuild::stop_list_file({"oraz"});
  const std::vector<uint8_t> tail = counted("przez");
  cut.insert(cut.end(), tail.begin(), tail.end() - 1);
  StopListPtr partial = FtsCreateStopList(nullptr);
  EXPECT_EQ(FtsParseStopList(cut, partial.get(), nullptr), kFtsOk);
  EXPECT_TRUE(FtsIsStopWord(partial.get(), counted("oraz").data()));
  EXPECT_EQ(partial->total, 5);
}

TEST(StopList, RefusesWrongFilesAndOverflow) {
  std::vector<uint8_t> file = titlebuild::stop_list_file({"oraz"});
  StopListPtr list = FtsCreateStopList(nullptr);
  for (uint16_t version : {6, 9}) {
    base::store_le16(file.data() + 2, version);
    FtsError err;
    EXPECT_EQ(FtsParseStopList(file, list.get(), &err), 1);
    EXPECT_EQ(err.code, kFtsBadType);
  }
  base::store_le16(file.data() + 2, 7);
  EXPECT_EQ(FtsParseStopList(file, list.get(), nullptr), kFtsOk);
  EXPECT_EQ(FtsParseStopList(file, nullptr, nullptr), kFtsBadArgument);

  // A file with more words than a list holds ends the load at the refused word, without a code.
  std::vector<uint8_t> big(kFtsHeaderArea, 0);
  base::store_le16(big.data(), kStopListMagic);
  base::store_le16(big.data() + 2, kStopListVersion);
  for (int i = 0; i < 30; ++i) {
    std::vector<uint8_t> w = counted(std::string(255, char('A' + i)));
    big.insert(big.end(), w.begin(), w.end());
  }
  StopListPtr full = FtsCreateStopList(nullptr);
  FtsError err;
  EXPECT_EQ(FtsParseStopList(big, full.get(), &err), 1);
  EXPECT_EQ(err.code, 0);
  EXPECT_EQ(full->total, 20 * 256);
}

// A plain word file read through the word breaker with the title's table: words are folded, several
// on a line, blank lines and both line ends skipped.
TEST(StopList, WordFileGoesThroughTheBreaker) {
  base::OsFile file;
  std::string path;
  ASSERT_EQ(base::create_temp_file("stop", ".txt", file, path), base::OsError::None);
  const std::string text = base::cp1250::from_utf8("Oraz\r\n\r\nSię przez\nLUB\n\n  albo  ");
  ASSERT_EQ(file.write(text.data(), text.size()), base::OsError::None);
  file.close();
  CharTablePtr table = FtsParseCharTable(titlebuild::polish_char_table_file(), nullptr);
  StopListPtr list = FtsCreateStopList(nullptr);
  EXPECT_EQ(FtsReadStopWordFile(list.get(), path, FBreakWords, table.get()), kFtsOk);
  for (std::string_view w : {"oraz", "si\xEA", "przez", "lub", "albo"}) EXPECT_TRUE(FtsIsStopWord(list.get(), counted(w).data())) << w;
  EXPECT_EQ(list->total, 5 + 4 + 6 + 4 + 5);
  EXPECT_EQ(FtsReadStopWordFile(list.get(), path + ".none", FBreakWords, table.get()), kFtsCannotOpen);
  EXPECT_EQ(FtsReadStopWordFile(list.get(), path, nullptr, table.get()), kFtsBadArgument);
  base::remove_file(path);
}

}  // namespace
}  // namespace fts
