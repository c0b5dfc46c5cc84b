// The LZ decoder and compressor: fixed streams, limits, round trips and protected regions.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/compress/zeck_compressor.h"
#include "engine/zeck/zeck_decompress.h"

namespace {

std::vector<uint8_t> bytes(std::initializer_list<int> list) { return std::vector<uint8_t>(list.begin(), list.end()); }

std::string decode(const std::vector<uint8_t>& in, size_t limit) {
  std::string out(limit, '\0');
  out.resize(zeck::ZeckDecompress(in.data(), reinterpret_cast<uint8_t*>(out.data()), in.size(), limit));
  return out;
}

std::vector<uint8_t> compress(const std::string& text) {
  std::vector<uint8_t> out(compress::ZeckMaxCompressedSize(text.size()));
  compress::ZeckCompressor compressor;
  int code = -1;
  out.resize(compressor.ZeckCompress(reinterpret_cast<const uint8_t*>(text.data()), text.size(), out.data(),
                                     out.size(), code));
  EXPECT_EQ(code, 0);
  return out;
}

TEST(ZeckDecompress, FixedStreams) {
  struct Case {
    const char* name;
    std::vector<uint8_t> in;
    size_t limit;
    std::string expected;
  } cases[] = {
      {"literal then overlapping reference", bytes({0x02, 'a', 0x00, 0x10}), 100, "aaaaa"},
      {"reference cut at the limit", bytes({0x02, 'a', 0x00, 0xF0}), 4, "aaaa"},
      {"flag byte as last input byte", bytes({0x00, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0x00}), 100, "abcdefgh"},
      {"reference before the output start", bytes({0x01, 0x05, 0x00}), 100, ""},
      {"pair's second byte past the input", bytes({0x02, 'a', 0x00}), 100, "a"},
      {"empty input", {}, 100, ""},
      {"limit zero", bytes({0x00, 'a'}), 0, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(decode(c.in, c.limit), c.expected) << c.name;
}

// Long random streams, so that most items go through the fast loop: literal runs of every length and
// references at short (overlapping), middle and long distances, against the text they describe.
TEST(ZeckDecompress, RandomStreamsOfEveryReferenceShape) {
  std::mt19937 random(11);
  for (int round = 0; round < 20; ++round) {
    std::vector<uint8_t> stream;
    std::string text;
    while (text.size() < 12000) {
      // The first item of all is a literal: a reference needs text behind it.
      const uint8_t flags = uint8_t(random() & (text.empty() ? 0xFE : 0xFF));
      stream.push_back(flags);
      for (int bit = 0; bit < 8; ++bit) {
        if (!(flags & (1 << bit))) {
          const char c = char('a' + random() % 26);
          stream.push_back(uint8_t(c));
          text += c;
          continue;
        }
        const size_t classes[] = {1 + random() % 7, 8 + random() % 10, 18 + random() % 4079};
        const size_t distance = std::min(text.size(), classes[random() % 3]);
        const size_t length = 3 + random() % 16;
        stream.push_back(uint8_t((distance - 1) & 0xFF));
        stream.push_back(uint8_t(((distance - 1) >> 8) | ((length - 3) << 4)));
        for (size_t k = 0; k < length; ++k) text += text[text.size() - distance];
      }
    }
    EXPECT_EQ(decode(stream, text.size()), text) << round;
    EXPECT_EQ(decode(stream, 777), text.substr(0, 777)) << round;
  }
}

TEST(ZeckCompress, ShortInputsAreLiterals) {
  // The last 18 bytes always come out as literals: 20 bytes give 20 literals behind 3 flag bytes.
  const std::vector<uint8_t> out = compress("abcabcabcabcabcabcab");
  EXPECT_EQ(out.size(), 23u);
  const std::vector<uint8_t> tiny = compress("abcabcabc");
  EXPECT_EQ(tiny.size(), 11u);
  EXPECT_EQ(tiny[0], 0);
}

TEST(ZeckCompress, RoundTrips) {
  std::mt19937 random(7);
  std::vector<std::string> inputs = {"", "a", std::string(5000, 'x'),
                                     "Dziennik Ustaw Rzeczypospolitej Polskiej, poz. 12; art. 5 ust. 2 pkt 3."};
  std::string polish;
  const char* words[] = {"ustawa", "z", "dnia", "rozporz\xB9" "dzenie", "Ministra", "art.", "\xB3\xF3" "d\x9F", "poz."};
  for (int i = 0; i < 4000; ++i) polish += std::string(words[random() % 8]) + " ";
  inputs.push_back(polish);
  std::string noise;
  for (int i = 0; i < 3000; ++i) noise += char(random());
  inputs.push_back(noise);
  for (const std::string& text : inputs) {
    const std::vector<uint8_t> packed = compress(text);
    EXPECT_LE(packed.size(), compress::ZeckMaxCompressedSize(text.size()));
    EXPECT_EQ(decode(packed, text.size()), text);
  }
  EXPECT_LT(compress(polish).size(), polish.size() / 2);
}

TEST(ZeckCompress, RequiresWorstCaseCapacity) {
  const std::string text(100, 'q');
  std::vector<uint8_t> out(compress::ZeckMaxCompressedSize(text.size()) - 1);
  compress::ZeckCompressor compressor;
  int code = 0;
  EXPECT_EQ(compressor.ZeckCompress(reinterpret_cast<const uint8_t*>(text.data()), text.size(), out.data(),
                                    out.size(), code),
            0u);
  EXPECT_EQ(code, compress::kZeckBadArgument);
}

TEST(ZeckCompress, YieldStops) {
  std::string text;
  std::mt19937 random(11);
  for (int i = 0; i < 5000; ++i) text += char(random());
  std::vector<uint8_t> out(compress::ZeckMaxCompressedSize(text.size()));
  compress::ZeckCompressor compressor;
  int calls = 0;
  compressor.ZeckSetYield([&] { return ++calls < 2; });
  int code = 0;
  compressor.ZeckCompress(reinterpret_cast<const uint8_t*>(text.data()), text.size(), out.data(), out.size(), code);
  EXPECT_EQ(code, compress::kZeckStopped);
  EXPECT_EQ(calls, 2);
}

TEST(ZeckCompressEx, RegionsStayLiteralAndPatch) {
  std::string text;
  for (int i = 0; i < 60; ++i) text += "0123456789";
  std::vector<compress::ZeckRegion> regions(2);
  regions[0].inputPosition = 100;
  regions[0].length = 4;
  regions[1].inputPosition = 303;
  regions[1].length = 8;
  std::vector<uint8_t> out(compress::ZeckMaxCompressedSize(text.size()));
  compress::ZeckCompressor compressor;
  size_t used = 0;
  int code = -1;
  out.resize(compressor.ZeckCompressEx(0, reinterpret_cast<const uint8_t*>(text.data()), text.size(), out.data(),
                                       out.size(), used, regions, code));
  ASSERT_EQ(code, 0);
  EXPECT_EQ(used, text.size());
  EXPECT_LT(out.size(), text.size() / 2);
  ASSERT_TRUE(regions[0].reached && regions[1].reached);
  ASSERT_TRUE(compress::ZeckPatch(regions[0], out, 0, 0x44434241));  // "ABCD"
  ASSERT_TRUE(compress::ZeckPatch(regions[1], out, 4, 0x5A595857));  // "WXYZ"
  EXPECT_FALSE(compress::ZeckPatch(regions[1], out, 5, 0));           // past the region
  std::string expected = text;
  expected.replace(100, 4, "ABCD");
  expected.replace(307, 4, "WXYZ");
  EXPECT_EQ(decode(out, text.size()), expected);
}

TEST(ZeckCompressEx, StopsAtTheOutputLimit) {
  std::string text;
  std::mt19937 random(3);
  for (int i = 0; i < 2000; ++i) text += char(random());
  std::vector<uint8_t> out(300);
  compress::ZeckCompressor compressor;
  size_t used = 0;
  int code = -1;
  const size_t size = compressor.ZeckCompressEx(0, reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                                                out.data(), out.size(), used, {}, code);
  EXPECT_LE(size, 300u);
  EXPECT_GT(used, 200u);
  EXPECT_LT(used, text.size());
  out.resize(size);
  EXPECT_EQ(decode(out, used), text.substr(0, used));
}

}  // namespace
