// Key sizes and collations of the B-tree key types.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/mvfs/btree_keys.h"

namespace mvfs {
namespace {

std::span<const uint8_t> key(const char* s) {
  return {reinterpret_cast<const uint8_t*>(s), std::strlen(s) + 1};
}

int sign(int v) { return (v > 0) - (v < 0); }

int compare(char type, const char* a, const char* b, const BtCharMaps* maps = nullptr) {
  return sign(BtCompareKeys(key(a), key(b), BtKeyType{type, maps}));
}

TEST(BtKeys, StringCollations) {
  struct Case {
    char type;
    const char* a;
    const char* b;
    int expected;
  };
  const Case cases[] = {
      {'S', "abc", "ABC", 0},
      {'S', "\xE4", "\xC4", 0},    // ä and Ä
      {'S', "a", "\xE4", -1},      // a (0x8D) before ä (0xCF)
      {'S', "ab", "abc", -1},
      {'S', "abc", "ab", 1},
      {'i', "\xE4", "a", 0},       // ä equals a
      {'i', "!", "0", -1},         // punctuation before digits
      {'i', "9", "a", -1},         // digits before letters
      {'i', "Z", "\xDD", 1},       // Z (0xC5) after Ý (0xC1)
      {'i', "ab", "AB", 0},
      {'i', "a", "ab", -1},
      {'z', "ab", "aB", 1},
      {'z', "a", "a", 0},
      {'z', "", "a", -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(compare(c.type, c.a, c.b), c.expected) << c.type << " '" << c.a << "' '" << c.b << "'";
}

TEST(BtKeys, WeightTables) {
  EXPECT_EQ(kBtWeightsI['0'], 0x82);
  EXPECT_EQ(kBtWeightsI[0x3A], 0x30);
  EXPECT_EQ(kBtWeightsI['['], 0x37);
  EXPECT_EQ(kBtWeightsI[0x7B], 0x3D);
  EXPECT_EQ(kBtWeightsI[0x8A], 0xB3);
  EXPECT_EQ(kBtWeightsI[0xD7], 0xAA);
  EXPECT_EQ(kBtWeightsI[0xF7], 0xAB);
  EXPECT_EQ(kBtWeightsI[0xDF], 0xB4);
  EXPECT_EQ(kBtWeightsS[0x8A], 0x4B);
  EXPECT_EQ(kBtWeightsS[0x9A], 0x9A - 0x3E);
  EXPECT_EQ(kBtWeightsS[0xFF], 0xC3);
  EXPECT_EQ(kBtWeightsS['T'], kBtWeightsI['T']);
}

TEST(BtKeys, LigaturesOfTheFirstFace) {
  BtCharMaps maps(1);
  maps[0].ligatures.push_back({0xE6, 'a', 'e'});  // æ
  EXPECT_EQ(compare('i', "\xE6" "b", "aeb", &maps), 0);
  EXPECT_EQ(compare('i', "\xE6", "ae", &maps), 0);
  EXPECT_EQ(compare('i', "\xE6", "af", &maps), -1);
  EXPECT_EQ(compare('i', "\xE6" "b", "aeb"), -1);  // without maps: æ is a, then b before e
}

// Maps where letters fold case and face 2 ignores the soft hyphen (0xAD).
BtCharMaps faceMaps() {
  BtCharMaps maps(2);
  for (auto& map : maps) {
    for (int c = 0; c < 256; ++c) map.weights[size_t(c)] = uint16_t(c);
    for (int c = 'a'; c <= 'z'; ++c) map.weights[size_t(c)] = uint16_t(c - 32);
  }
  maps[1].weights[0xAD] = 0;
  return maps;
}

TEST(BtKeys, FaceSwitchesOfPKeys) {
  const BtCharMaps maps = faceMaps();
  EXPECT_EQ(compare('P', "abc", "ABC", &maps), 0);
  EXPECT_EQ(compare('P', "ab\x03\x02\xAD" "c", "abc", &maps), 0);  // face 2 ignores the hyphen
  EXPECT_EQ(compare('P', "ab\xAD" "c", "abc", &maps), 1);          // face 1 does not
  EXPECT_EQ(compare('P', "ab\x03\x09\xAD" "c", "ab\xAD" "c", &maps), 0);  // map 9 falls back to map 1
  // An ignored character at the end of a key: the key still equals itself.
  EXPECT_EQ(compare('P', "ab\x03\x02\xAD", "ab\x03\x02\xAD", &maps), 0);
  EXPECT_EQ(compare('P', "ab\x03\x02\xAD", "ab", &maps), 0);
  // A face switch right before the NUL ends the key there.
  EXPECT_EQ(compare('P', "ab\x03", "abc", &maps), -1);
  EXPECT_EQ(compare('P', "ab", "abc", &maps), -1);
}

TEST(BtKeys, LongKeys) {
  auto longKey = [](int32_t v) {
    static uint8_t bytes[2][4];
    static int slot = 0;
    uint8_t* b = bytes[slot++ % 2];
    std::memcpy(b, &v, 4);
    return std::span<const uint8_t>(b, 4);
  };
  const BtKeyType type{'L', nullptr};
  EXPECT_LT(BtCompareKeys(longKey(-1), longKey(0), type), 0);
  EXPECT_GT(BtCompareKeys(longKey(INT32_MAX), longKey(INT32_MIN), type), 0);
  EXPECT_EQ(BtCompareKeys(longKey(7), longKey(7), type), 0);
}

TEST(BtKeys, SizesAreBoundedByTheBytesGiven) {
  const uint8_t frontCoded[] = {2, 'x', 'y', 0};
  EXPECT_EQ(BtKeySize(frontCoded, {'k'}, true), 4);
  EXPECT_EQ(BtKeySize(frontCoded, {'k'}, false), 5);
  const uint8_t noNul[] = {'a', 'b'};
  EXPECT_EQ(BtKeySize(noNul, {'z'}, true), -1);
  const uint8_t counted[] = {3, 'a', 'b', 'c'};
  EXPECT_EQ(BtKeySize(counted, {'I'}, true), 4);
  EXPECT_EQ(BtKeySize(std::span<const uint8_t>(counted, 3), {'I'}, true), -1);
  EXPECT_EQ(BtKeySize(counted, {'3'}, true), 3);
  EXPECT_EQ(BtKeySize(counted, {'L'}, true), 4);
  EXPECT_EQ(BtKeySize(counted, {'Q'}, true), 0);
  EXPECT_EQ(BtKeySize(std::span<const uint8_t>(), {'z'}, true), -1);

  EXPECT_EQ(BtFixedRecordSize("z4"), 4);
  EXPECT_EQ(BtFixedRecordSize("La2"), 12);
  EXPECT_EQ(BtFixedRecordSize("zz"), 0);
  const uint8_t record[] = {'h', 'i', 0, 2, 0, 'x', 'y', 9};
  EXPECT_EQ(BtRecordSize(record, "zzT1"), 8);
  EXPECT_EQ(BtRecordSize(std::span<const uint8_t>(record, 6), "zzT"), -1);
}

TEST(BtKeys, Matching) {
  const BtCharMaps maps = faceMaps();
  FsErrorCode code = kFsOk;
  EXPECT_TRUE(BtKeyMatches({'z'}, key("ab"), key("ab"), &code));
  EXPECT_FALSE(BtKeyMatches({'z'}, key("ab"), key("AB"), &code));
  EXPECT_TRUE(BtKeyMatches({'S'}, key("ab"), key("AB"), &code));
  EXPECT_TRUE(BtKeyMatches({'P', &maps}, key("ab"), key("ac"), &code));
  EXPECT_FALSE(BtKeyMatches({'P', &maps}, key("ad"), key("ac"), &code));
  EXPECT_FALSE(BtKeyMatches({'I'}, key("a"), key("a"), &code));
  EXPECT_EQ(code, kFsUnavailable);
  EXPECT_FALSE(BtKeyMatches({'L'}, key("a"), key("a"), &code));
  EXPECT_EQ(code, kFsBadFormat);
}

}  // namespace
}  // namespace mvfs
