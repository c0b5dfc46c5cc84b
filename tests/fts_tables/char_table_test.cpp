#include "engine/fts/common/char_table.h"

#include <gtest/gtest.h>

#include "platform/base/byte_io.h"

namespace fts {
namespace {

TEST(BuiltInCharTable, ClassesNormalisationAndWeights) {
  FtsError err;
  CharTablePtr t = FtsDefaultCharTable(&err);
  ASSERT_TRUE(t);
  ASSERT_EQ(t->entries.size(), 256u);
  struct Case {
    uint8_t code, cls, normalized;
    uint16_t weight;
  };
  const Case cases[] = {
      {0x00, kClassSeparator, 0x00, 0},     {0x01, kClassJoiner, 0x01, 1},
      {0x14, kClassSeparator, 0x14, 32},    {0x20, kClassSeparator, 0x20, 32},
      {0x27, kClassApostrophe, 0x27, 65},   {0x2A, kClassWildcard, 0x2A, 80},
      {0x2C, kClassGroupSep, 0x2C, 90},     {0x2E, kClassDecimal, 0x2E, 100},
      {'0', kClassDigit, '0', 1120},        {'9', kClassDigit, '9', 1210},
      {0x3F, kClassWildcard, 0x3F, 135},    {'A', kClassNormalized, 'a', 1230},
      {'Z', kClassNormalized, 'z', 1730},   {'_', kClassWord, '_', 165},
      {'q', kClassWord, 'q', 1550},         {0x8A, kClassNormalized, 's', 1590},
      {0x8C, kClassNormalized, 'o', 1510},  {0x8E, kClassSeparator, 0x8E, 247},
      {0x9F, kClassNormalized, 'y', 1710},  {0xA5, kClassSeparator, 0xA5, 340},
      {0xB3, kClassSeparator, 0xB3, 410},   {0xB9, kClassSeparator, 0xB9, 440},
      {0xBF, kClassSeparator, 0xBF, 470},   {0xC6, kClassNormalized, 'a', 1230},
      {0xD0, kClassNormalized, 'd', 1290},  {0xD7, kClassSeparator, 0xD7, 475},
      {0xDE, kClassNormalized, 0xDE, 1090}, {0xDF, kClassNormalized, 's', 1590},
      {0xEA, kClassNormalized, 'e', 1310},  {0xF7, kClassSeparator, 0xF7, 102},
      {0xFE, kClassNormalized, 0xFE, 1100}, {0xFF, kClassNormalized, 'y', 1710},
  };
  for (const Case& c : cases) {
    const CharEntry& e = t->entries[c.code];
    EXPECT_EQ(e.charClass, c.cls) << int(c.code);
    EXPECT_EQ(e.normalized, c.normalized) << int(c.code);
    EXPECT_EQ(e.sortWeight, c.weight) << int(c.code);
    EXPECT_EQ(t->char_class(c.code), c.cls);
    EXPECT_EQ(t->normalized(c.code), c.normalized);
    EXPECT_EQ(e.extra[0], c.code);
  }
  EXPECT_EQ(t->entries[0x91].attribute, 4);
  EXPECT_EQ(t->entries[0x94].attribute, 7);
  EXPECT_EQ(t->entries[0x97].attribute, 3);
  EXPECT_EQ(t->ligatureMode, kLigaturesBuiltIn);
  ASSERT_EQ(t->ligatures.size(), 5u);
  const Ligature* ss = t->ligature_of(0xDF);
  ASSERT_TRUE(ss);
  EXPECT_EQ(ss->first, 's');
  EXPECT_EQ(ss->second, 's');
  EXPECT_FALSE(t->ligature_of('a'));
}

std::vector<uint8_t> old_table(uint16_t n, uint16_t k, uint16_t mode, size_t body_entries) {
  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  w.u16(kCharTableMagic);
  w.u16(8);
  w.u32(uint32_t(body_entries * 3 + k * 3));
  w.u16(n);
  w.u16(k);
  w.u16(mode);
  w.pad_to(kFtsHeaderArea);
  for (size_t i = 0; i < body_entries; ++i) {
    w.u8(i % 3 == 0 ? kClassNormalized : kClassWord);
    w.u8(uint8_t(255 - i));
    w.u8(0xEE);
  }
  for (uint16_t i = 0; i < k; ++i) {
    w.u8(uint8_t(0xC0 + i));
    w.u8('x');
    w.u8('y');
  }
  return out;
}

TEST(CharTableFile, OldFormWidensEntries) {
  FtsError err;
  CharTablePtr t = FtsParseCharTable(old_table(255, 0, kLigaturesNone, 256), &err);
  ASSERT_TRUE(t);
  ASSERT_EQ(t->entries.size(), 256u);
  for (size_t i = 0; i < 256; ++i) {
    EXPECT_EQ(t->entries[i].sortWeight, t->entries[i].normalized);
    EXPECT_EQ(t->entries[i].extra[3], uint8_t(i));
    EXPECT_EQ(t->entries[i].attribute, 0);
  }
  EXPECT_EQ(t->normalized(0), 255);
  EXPECT_TRUE(t->ligatures.empty());

  CharTablePtr with_ligatures = FtsParseCharTable(old_table(200, 2, 7, 203), &err);
  ASSERT_TRUE(with_ligatures);
  EXPECT_EQ(with_ligatures->entries.size(), 203u);
  ASSERT_EQ(with_ligatures->ligatures.size(), 2u);
  EXPECT_EQ(with_ligatures->ligatures[1].character, 0xC1);
  // Codes past the stored entries are separators.
  EXPECT_EQ(with_ligatures->char_class(250), kClassSeparator);
}

TEST(CharTableFile, CurrentFormRoundTripsWithEachLigatureMode) {
  FtsError err;
  CharTablePtr built_in = FtsDefaultCharTable(&err);
  built_in->ligatureMode = 5;
  built_in->ligatures = {{0xC6, 'a', 'e'}, {0xBF, 'z', 'z'}};
  CharTablePtr back = FtsParseCharTable(FtsCharTableBytes(*built_in), &err);
  ASSERT_TRUE(back);
  ASSERT_EQ(back->entries.size(), 256u);
  for (size_t i = 0; i < 256; ++i) {
    EXPECT_EQ(back->entries[i].sortWeight, built_in->entries[i].sortWeight);
    EXPECT_EQ(back->entries[i].extra, built_in->entries[i].extra);
  }
  ASSERT_EQ(back->ligatures.size(), 2u);
  EXPECT_EQ(back->ligatures[1].second, 'z');

  // Mode 2 drops the ligatures even when records follow the entries.
  std::vector<uint8_t> bytes = FtsCharTableBytes(*built_in);
  base::store_le16(bytes.data() + 12, kLigaturesNone);
  back = FtsParseCharTable(bytes, &err);
  ASSERT_TRUE(back);
  EXPECT_TRUE(back->ligatures.empty());
  base::store_le16(bytes.data() + 12, kLigaturesBuiltIn);
  back = FtsParseCharTable(bytes, &err);
  EXPECT_EQ(back->ligatures.size(), 5u);
}

TEST(CharTableFile, RefusesBodiesTheCountsDoNotFit) {
  FtsError err;
  CharTablePtr t = FtsDefaultCharTable(&err);
  const std::vector<uint8_t> good = FtsCharTableBytes(*t);
  struct Case {
    const char* name;
    size_t offset;
    uint32_t value;
    int width;
    size_t truncate_to;
    int32_t code;
  };
  const Case cases[] = {
      {"wrong magic", 0, 0x5556, 2, 0, kFtsBadType},
      {"size below the counts", 4, 2559, 4, 0, kFtsBadType},
      {"more entries than the body", 8, 300, 2, 0, kFtsBadType},
      {"file shorter than the body", 0, 0, 0, good.size() - 1, kFtsReadFailed},
      {"no header", 0, 0, 0, 10, kFtsReadFailed},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    if (c.width == 2) base::store_le16(bytes.data() + c.offset, uint16_t(c.value));
    if (c.width == 4) base::store_le32(bytes.data() + c.offset, c.value);
    if (c.truncate_to) bytes.resize(c.truncate_to);
    err = {};
    EXPECT_FALSE(FtsParseCharTable(bytes, &err)) << c.name;
    EXPECT_EQ(err.code, c.code) << c.name;
  }
  // A size that claims more than the counts need reads only what they describe.
  std::vector<uint8_t> bytes = good;
  base::store_le32(bytes.data() + 4, 0xFFFFFFF0u);
  EXPECT_TRUE(FtsParseCharTable(bytes, &err));
}

}  // namespace
}  // namespace fts
