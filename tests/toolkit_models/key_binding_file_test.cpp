#include "toolkit/widgets/key_binding_file.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::vector<SECKeyBindingEntry> kThree = {
    {0x0B, 'S', 57603},  // Ctrl+S
    {0x03, 0x74, 32771}, // F5
    {0x10, 'x', 100},    // Alt + x, a character
};

TEST(KeyBindingFile, ThreeEntriesMakeTwentySixBytes) {
  const std::vector<uint8_t> bytes = keybinding_file::encode(kThree);
  const std::vector<uint8_t> expected = {
      'M', 'A', 'C', 'R', 1, 0, 3, 0,                         // magic, version, count
      0x0B, 0, 'S', 0, 0x03, 0xE1,                            // Ctrl+S -> 57603
      0x03, 0, 0x74, 0, 0x03, 0x80,                           // F5 -> 32771
      0x10, 0, 'x', 0, 100, 0,                                // Alt+x -> 100
  };
  EXPECT_EQ(bytes, expected);
  std::vector<SECKeyBindingEntry> back;
  ASSERT_TRUE(keybinding_file::decode(bytes, back));
  EXPECT_EQ(back, kThree);
}

TEST(KeyBindingFile, AnEmptyTableRoundTrips) {
  const std::vector<uint8_t> bytes = keybinding_file::encode({});
  EXPECT_EQ(bytes.size(), 8u);
  std::vector<SECKeyBindingEntry> back{{1, 2, 3}};
  ASSERT_TRUE(keybinding_file::decode(bytes, back));
  EXPECT_TRUE(back.empty());
}

TEST(KeyBindingFile, CorruptFilesAreRefusedAndLeaveTheListAlone) {
  const std::vector<uint8_t> good = keybinding_file::encode(kThree);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases = {
      {"empty", {}},
      {"magic only", {good.begin(), good.begin() + 4}},
      {"wrong magic", good},
      {"wrong version", good},
      {"one byte short", {good.begin(), good.end() - 1}},
      {"one byte over", good},
      {"count too large", good},
      {"huge count", {'M', 'A', 'C', 'R', 1, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
  };
  cases[2].bytes[0] = 'N';
  cases[3].bytes[4] = 2;
  cases[5].bytes.push_back(0);
  cases[6].bytes[6] = 4;
  for (const Case& c : cases) {
    std::vector<SECKeyBindingEntry> list = kThree;
    EXPECT_FALSE(keybinding_file::decode(c.bytes, list)) << c.what;
    EXPECT_EQ(list, kThree) << c.what;
  }
}

}  // namespace
