// Packed integers, record headers and paragraph information: sizes, values, defaults, damage.
#include <gtest/gtest.h>

#include <vector>

#include "engine/adt/packed_integers.h"
#include "engine/adt/paragraph_info.h"
#include "engine/adt/topic_record_header.h"

namespace {

std::vector<int> fields(const adt::ParagraphInfo& p) {
  std::vector<int> f = {p.textOffset,  p.flag0,      p.hasParaFlags, p.hasBorder,   p.alignment,   p.noWrap,
                        p.paraFlags,   p.spaceBefore, p.spaceAfter,  p.lineSpacing, p.leftIndent,  p.rightIndent,
                        p.firstIndent, p.tabInterval, p.border,      p.tabCount};
  for (const auto& tab : p.tabs) f.insert(f.end(), {tab.position, tab.type});
  return f;
}

TEST(PackedIntegers, ShortAndLongForms) {
  struct Case {
    int16_t value;
    std::vector<uint8_t> stored;
  } shorts[] = {{63, {0xFE}}, {64, {0x81, 0x80}}, {-64, {0x00}}, {-65, {0x7F, 0x7F}}, {0, {0x80}}};
  for (const auto& c : shorts) {
    std::vector<uint8_t> out;
    base::ByteWriter w(out);
    adt::WritePackedShort(w, c.value);
    EXPECT_EQ(out, c.stored) << c.value;
    base::ByteReader r(out.data(), out.size());
    int16_t back = 0;
    EXPECT_TRUE(adt::ReadPackedShort(r, back));
    EXPECT_EQ(back, c.value);
  }
  for (int32_t v : {0, 0x3FFF, 0x4000, -0x4000, -0x4001, 1000000, -1000000}) {
    std::vector<uint8_t> out;
    base::ByteWriter w(out);
    adt::WritePackedLong(w, v);
    EXPECT_EQ(out.size(), (v >= -0x4000 && v <= 0x3FFF) ? 2u : 4u) << v;
    base::ByteReader r(out.data(), out.size());
    int32_t back = 0;
    EXPECT_TRUE(adt::ReadPackedLong(r, back));
    EXPECT_EQ(back, v);
  }
  const uint8_t cut[] = {0x01, 0x00, 0x00};
  base::ByteReader r(cut, sizeof cut);
  int32_t v = 5;
  EXPECT_FALSE(adt::ReadPackedLong(r, v));
}

TEST(TopicRecordHeader, SizesByType) {
  struct Case {
    adt::TopicRecordHeader header;
    size_t size;
  } cases[] = {
      {{2, 0x7FFFFFFF, 0}, 5},        {{0x21, 1, 0xFFFF}, 7},   {{0x20, 0x3FFF, 127}, 4},
      {{0x20, 0x4000, 128}, 7},       {{1, 100, 0}, 3},         {{0x22, -5, 3}, 4},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> out;
    base::ByteWriter w(out);
    EXPECT_EQ(adt::DpEncodeRecordHeader(c.header, w), c.size);
    adt::TopicRecordHeader back;
    EXPECT_EQ(adt::DpDecodeRecordHeader(back, out.data(), out.size()), c.size);
    EXPECT_EQ(back.type, c.header.type);
    EXPECT_EQ(back.length, c.header.length);
    EXPECT_EQ(back.count, c.header.count);
    // Every shorter input is an overrun.
    for (size_t n = 0; n < out.size(); ++n) EXPECT_EQ(adt::DpDecodeRecordHeader(back, out.data(), n), 0u);
  }
}

TEST(ParagraphInfo, DefaultTabInterval) {
  const uint8_t twips[] = {0x00, 0x40, 0x00, 0x00, 0x01, 0x00, 0x02, 0x80};  // flags bit 16, paraFlags 1
  adt::ParagraphInfo info;
  EXPECT_EQ(adt::DpDecodeParagraphInfo(info, twips, sizeof twips), sizeof twips);
  EXPECT_EQ(info.paraFlags, 1);
  EXPECT_EQ(info.tabInterval, 710);
  const uint8_t plain[] = {0x00, 0x40, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(adt::DpDecodeParagraphInfo(info, plain, sizeof plain), sizeof plain);
  EXPECT_EQ(info.tabInterval, 72);
}

TEST(ParagraphInfo, RoundTripWithBorderAndTabs) {
  adt::ParagraphInfo info;
  info.textOffset = 12;
  info.flag0 = 1;
  info.hasBorder = 1;
  info.alignment = 2;
  info.noWrap = 1;
  info.paraFlags = 1;
  info.spaceBefore = 120;
  info.lineSpacing = -240;
  info.firstIndent = -30;
  info.tabInterval = 500;
  info.border = 0x23;
  info.tabCount = 3;
  info.tabs[0] = {100, 0};
  info.tabs[1] = {2000, 1};
  info.tabs[2] = {3000, 0};
  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  const size_t size = adt::DpEncodeParagraphInfo(info, w);
  ASSERT_EQ(size, out.size());
  adt::ParagraphInfo back;
  ASSERT_EQ(adt::DpDecodeParagraphInfo(back, out.data(), out.size()), size);
  info.hasParaFlags = 1;
  EXPECT_EQ(fields(back), fields(info));
  for (size_t n = 0; n < out.size(); ++n) EXPECT_EQ(adt::DpDecodeParagraphInfo(back, out.data(), n), 0u) << n;
}

TEST(ParagraphInfo, MoreThan32TabsDecodesAllKeeps32) {
  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  adt::WritePackedLong(w, 0);
  w.u32(1u << 25);
  adt::WritePackedShort(w, 40);
  for (int i = 0; i < 40; ++i) adt::WritePackedUShort(w, uint16_t(10 * (i + 1)));
  w.u8(0xAA);  // what follows the block
  adt::ParagraphInfo info;
  EXPECT_EQ(adt::DpDecodeParagraphInfo(info, out.data(), out.size()), out.size() - 1);
  EXPECT_EQ(info.tabCount, 32);
  EXPECT_EQ(info.tabs[31].position, 320);
}

TEST(ParagraphInfo, TabTypeAndThirdBorderByte) {
  // A typed tab stop always takes two bytes for its position; the third border byte is skipped.
  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  adt::WritePackedLong(w, 0);
  w.u32((1u << 24) | (1u << 25));
  w.u8(0x05);
  w.u8(0x00);
  w.u8(0x77);
  adt::WritePackedShort(w, 2);
  adt::WritePackedUShort(w, 0x4000 | 5);
  adt::WritePackedUShort(w, 2);
  adt::WritePackedUShort(w, 9);
  adt::ParagraphInfo info;
  ASSERT_EQ(adt::DpDecodeParagraphInfo(info, out.data(), out.size()), out.size());
  EXPECT_EQ(info.border, 5);
  EXPECT_EQ(info.tabs[0].position, 5);
  EXPECT_EQ(info.tabs[0].type, 2);
  EXPECT_EQ(info.tabs[1].position, 9);
  EXPECT_EQ(info.tabs[1].type, 0);
}

}  // namespace
