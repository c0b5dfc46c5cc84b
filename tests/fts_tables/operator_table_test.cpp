#include "engine/fts/common/operator_table.h"

#include <gtest/gtest.h>

#include "platform/base/byte_io.h"
#include "tools/titlebuild/polish_fts_tables.h"

namespace fts {
namespace {

TEST(OperatorTable, BuiltInOrder) {
  OperatorTablePtr t = FtsDefaultOperatorTable(nullptr);
  ASSERT_TRUE(t);
  const std::pair<std::string_view, uint16_t> expected[] = {
      {"AND", 3}, {"OR", 2}, {"NOT", 4}, {"NEAR", 6}, {"THRU", 7}, {"VFLD", 14}, {"DTYPE", 11}};
  ASSERT_EQ(t->entries.size(), std::size(expected));
  for (size_t i = 0; i < t->entries.size(); ++i) {
    EXPECT_EQ(t->entries[i].text(), expected[i].first);
    EXPECT_EQ(t->entries[i].code, expected[i].second);
    EXPECT_EQ(t->entries[i].word[0], expected[i].first.size());
  }
}

TEST(OperatorTable, TitleTableRoundTrips) {
  const std::vector<uint8_t> file =
      titlebuild::operator_table_file({{"I", kOpAnd}, {"LUB", kOpOr}, {"NIE", kOpNot}, {"BLISKO", kOpNear}, {"", kOpThru}});
  FtsError err;
  OperatorTablePtr t = FtsParseOperatorTable(file, &err);
  ASSERT_TRUE(t);
  ASSERT_EQ(t->entries.size(), 5u);
  EXPECT_EQ(t->entries[1].text(), "LUB");
  EXPECT_EQ(t->entries[3].code, kOpNear);
  EXPECT_EQ(t->entries[4].text(), "");
  EXPECT_EQ(FtsOperatorTableBytes(*t), file);
}

TEST(OperatorTable, RefusesDamagedTables) {
  const std::vector<uint8_t> good = titlebuild::operator_table_file({{"AND", kOpAnd}, {"OR", kOpOr}});
  struct Case {
    const char* name;
    size_t offset;
    uint16_t value;
    size_t truncate_to;
    int32_t code;
  };
  const Case cases[] = {
      {"wrong magic", 0, 0x6667, 0, kFtsBadType},
      {"wrong version", 2, 7, 0, kFtsBadType},
      {"more entries than the data holds", 4, 3, 0, kFtsBadType},
      {"data size cuts the last code", 6, 8, 0, kFtsBadType},
      {"word length runs past the data", 40, 200, 0, kFtsBadType},
      {"too large to hold", 4, 11000, 0, kFtsNoMemory},
      {"file shorter than the data", 0, 0x6666, 48, kFtsReadFailed},
      {"no header", 0, 0x6666, 5, kFtsReadFailed},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    if (c.offset == 40)
      bytes[40] = uint8_t(c.value);
    else
      base::store_le16(bytes.data() + c.offset, c.value);
    if (c.truncate_to) bytes.resize(c.truncate_to);
    FtsError err;
    EXPECT_FALSE(FtsParseOperatorTable(bytes, &err)) << c.name;
    EXPECT_EQ(err.code, c.code) << c.name;
  }
}

}  // namespace
}  // namespace fts
