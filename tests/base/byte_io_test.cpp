#include "platform/base/byte_io.h"

#include <gtest/gtest.h>

namespace {

TEST(ByteReader, ReadsLittleEndianAndFailsStickyPastTheEnd) {
  const uint8_t bytes[] = {0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 'a', 'b', 0, 0xFF};
  base::ByteReader r(bytes, sizeof bytes);
  EXPECT_EQ(r.u8(), 0x01);
  EXPECT_EQ(r.u16(), 0x1234);
  EXPECT_EQ(r.u32(), 0x12345678u);
  std::string_view s;
  ASSERT_TRUE(r.cstring(s));
  EXPECT_EQ(s, "ab");
  EXPECT_TRUE(r.ok());
  uint32_t v = 7;
  EXPECT_FALSE(r.u32(v));
  EXPECT_EQ(v, 0u);
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.remaining(), 1u);  // a failed read does not move
}

TEST(ByteReader, CStringWithoutTerminatorFails) {
  const uint8_t bytes[] = {'a', 'b'};
  base::ByteReader r(bytes, sizeof bytes);
  std::string_view s;
  EXPECT_FALSE(r.cstring(s));
  EXPECT_EQ(r.pos(), 0u);
}

TEST(ByteWriter, RoundTripsThroughTheReader) {
  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  w.u16(0xBEEF);
  w.i32(-2);
  w.u64(0x0102030405060708ull);
  w.cstring("zażółć");
  w.patch_u16(0, 0xCAFE);
  base::ByteReader r(out.data(), out.size());
  EXPECT_EQ(r.u16(), 0xCAFE);
  EXPECT_EQ(r.i32(), -2);
  EXPECT_EQ(r.u64(), 0x0102030405060708ull);
  std::string_view s;
  ASSERT_TRUE(r.cstring(s));
  EXPECT_EQ(s, "zażółć");
  EXPECT_TRUE(r.at_end());
}

}  // namespace
