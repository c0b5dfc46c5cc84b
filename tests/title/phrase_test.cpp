// The phrase table: loading, damage, expansion, and the builder and text compressor that make it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/compress/phrase_builder.h"
#include "engine/title/phrase_table.h"

namespace {

std::vector<uint8_t> list_bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::unique_ptr<title::PhraseTable> table_of(const std::vector<std::string>& phrases, uint16_t base = 256) {
  compress::PhraseList list{phrases, base};
  std::vector<uint8_t> file;
  EXPECT_EQ(compress::PhrBuildFile(list, file), 0);
  std::unique_ptr<title::PhraseTable> table;
  EXPECT_EQ(title::PhrParse(file, table), title::PhrLoadStatus::kLoaded);
  return table;
}

std::string expand(const std::vector<uint8_t>& stored, const title::PhraseTable* table, size_t size = 1000) {
  std::string out(size, '\0');
  out.resize(title::PhrExpandText(stored.data(), stored.size(), reinterpret_cast<uint8_t*>(out.data()), table, size));
  return out;
}

TEST(PhraseTable, ExpandsCodes) {
  auto table = table_of({"alfa", "beta", "gamma"});
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(expand({0x01, 0x01}, table.get()), "alfa ");
  EXPECT_EQ(expand({0x01, 0x04}, table.get()), "gamma");
  EXPECT_EQ(expand({0x01, 0x06}, table.get()), "\x01\x06");
  EXPECT_EQ(expand({'x'}, table.get()), "x");
  EXPECT_EQ(expand({'a', 0x01, 0x02, 'b'}, table.get()), "abetab");  // a code at an odd offset
  EXPECT_EQ(expand({0x01, 0x04, 0x01, 0x04}, table.get(), 7), "gammaga");  // never past the output
  EXPECT_EQ(expand({0x01, 0x04}, nullptr), "\x01\x04");
  const uint8_t stored[] = {'a', 0x01, 0x01, 0x01, 0x04, 0x01};
  EXPECT_EQ(title::PhrExpandedLength(stored, sizeof stored, table.get()), 1u + 5 + 5 + 1);
  EXPECT_EQ(title::PhrExpandedLength(stored, sizeof stored, nullptr), sizeof stored);
}

TEST(PhraseTable, RejectsDamage) {
  compress::PhraseList list{{"alfa", "beta", "gamma"}, 256};
  std::vector<uint8_t> good;
  ASSERT_EQ(compress::PhrBuildFile(list, good), 0);
  std::unique_ptr<title::PhraseTable> table;
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    title::PhrLoadStatus status;
  };
  std::vector<Case> cases;
  cases.push_back({"shorter than the header", std::vector<uint8_t>(good.begin(), good.begin() + 39),
                   title::PhrLoadStatus::kNone});
  auto other_magic = good;
  other_magic[1] = 0x08, other_magic[0] = 0x01;
  cases.push_back({"magic 2049", other_magic, title::PhrLoadStatus::kNone});
  auto many = good;
  many[2] = 0xFF, many[3] = 0x7F;
  cases.push_back({"too short for its count", many, title::PhrLoadStatus::kFailed});
  auto long_total = good;
  long_total[6] += 1;
  cases.push_back({"texts shorter than the stated total", long_total, title::PhrLoadStatus::kFailed});
  auto falling = good;
  falling[42] = 0xFF;  // offset 1 far past the end
  cases.push_back({"offset outside the texts", falling, title::PhrLoadStatus::kFailed});
  auto negative = good;
  negative[9] = 0x80;
  cases.push_back({"negative total", negative, title::PhrLoadStatus::kFailed});
  cases.push_back({"intact", good, title::PhrLoadStatus::kLoaded});
  for (const auto& c : cases) EXPECT_EQ(title::PhrParse(c.file, table), c.status) << c.name;
}

TEST(PhraseBuilder, ListRules) {
  compress::PhraseList list;
  EXPECT_EQ(compress::PhrParseList(list_bytes("abc\r\nabcdef\r\n"), list), 0);
  EXPECT_EQ(list.phrases.size(), 2u);
  EXPECT_EQ(compress::PhrParseList(list_bytes("abc\r\nabcdef"), list), 4);
  EXPECT_EQ(compress::PhrParseList(list_bytes("abc\r\nabcdef\r"), list), 4);
  EXPECT_EQ(compress::PhrParseList(list_bytes("zzz\r\nabc\r\n"), list), 4);
  EXPECT_EQ(compress::PhrParseList({}, list), 4);
  std::string many;
  for (int i = 0; i < 1793; ++i) {
    char line[16];
    std::snprintf(line, sizeof line, "p%05d\r\n", i);
    many += line;
  }
  EXPECT_EQ(compress::PhrParseList(list_bytes(many), list), 4);
}

TEST(PhraseBuilder, RefusesCodesOverTextBytesAndLongTables) {
  std::vector<std::string> phrases;
  for (int i = 0; i < 1025; ++i) phrases.push_back("p" + std::to_string(10000 + i));
  std::vector<uint8_t> file;
  // Codes 0x0100 to 0x0901 would take TAB (0x09) as a high byte.
  EXPECT_EQ(compress::PhrBuildFile({phrases, 256}, file), 4);
  phrases.pop_back();
  EXPECT_EQ(compress::PhrBuildFile({phrases, 256}, file), 0);
  std::vector<std::string> long_phrases;
  for (int i = 0; i < 300; ++i) long_phrases.push_back(std::to_string(100 + i) + std::string(250, 'x'));
  EXPECT_EQ(compress::PhrBuildFile({long_phrases, 256}, file), 4);
}

TEST(PhraseBuilder, CompressText) {
  compress::PhraseList list{{"abc", "abcdef"}, 256};
  std::string text = "abcdef x";
  const size_t n = compress::PhrCompressText(reinterpret_cast<uint8_t*>(text.data()), text.size(), list);
  EXPECT_EQ(text.substr(0, n), std::string("\x01\x03x", 3));

  compress::PhraseList words{{"Dziennik", "Rzeczypospolitej", "Ustaw"}, 256};
  std::string act = "  Dziennik Ustaw Rzeczypospolitej Polskiej\r\nUstawy";
  const std::string original = act;
  const size_t m = compress::PhrCompressText(reinterpret_cast<uint8_t*>(act.data()), act.size(), words);
  EXPECT_LT(m, original.size());
  std::vector<uint8_t> file;
  ASSERT_EQ(compress::PhrBuildFile(words, file), 0);
  std::unique_ptr<title::PhraseTable> table;
  ASSERT_EQ(title::PhrParse(file, table), title::PhrLoadStatus::kLoaded);
  EXPECT_EQ(expand(std::vector<uint8_t>(act.begin(), act.begin() + m), table.get()), original);
}

}  // namespace
