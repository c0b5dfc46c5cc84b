// Polish words under the built-in table and under the CP1250 table the library compiler writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/fts/breakers/word_breakers.h"
#include "engine/fts/common/char_table.h"
#include "platform/base/cp1250.h"
#include "tools/titlebuild/polish_fts_tables.h"

namespace fts {
namespace {

// Splits CP1250 text into folded words the way the table's classes say: separators end words, word
// characters are kept, normalised characters are folded (or replaced by their ligature pair).
std::vector<std::string> folded_words(const CharTable& table, std::string_view utf8) {
  std::vector<std::string> words;
  std::string word;
  for (char ch : base::cp1250::from_utf8(utf8)) {
    const uint8_t c = uint8_t(ch);
    switch (table.char_class(c)) {
      case kClassWord:
      case kClassDigit:
        word += ch;
        break;
      case kClassNormalized:
        if (const Ligature* lig = table.ligature_of(c)) {
          word += char(lig->first);
          word += char(lig->second);
        } else {
          word += char(table.normalized(c));
        }
        break;
      default:
        if (!word.empty()) words.push_back(base::cp1250::to_utf8(word));
        word.clear();
    }
  }
  if (!word.empty()) words.push_back(base::cp1250::to_utf8(word));
  return words;
}

TEST(PolishText, CompilerTableKeepsPolishWordsWhole) {
  FtsError err;
  CharTablePtr table = FtsParseCharTable(titlebuild::polish_char_table_file(), &err);
  ASSERT_TRUE(table) << err.code;
  EXPECT_EQ(table->ligatureMode, kLigaturesNone);
  struct Case {
    std::string_view text;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {"Właściwość", {"właściwość"}},
      {"ZAŻÓŁĆ gęślą jaźń", {"zażółć", "gęślą", "jaźń"}},
      {"Art. 5 ust. 2: właściwość sądu", {"art", "5", "ust", "2", "właściwość", "sądu"}},
      {"ŹRÓDŁO—Śląsk", {"źródło", "śląsk"}},
  };
  for (const Case& c : cases) EXPECT_EQ(folded_words(*table, c.text), c.words) << c.text;
  // Folding keeps the diacritics apart: "zażółć" and "zazolc" are different words.
  EXPECT_NE(folded_words(*table, "zażółć"), folded_words(*table, "zazolc"));
  // Sort weights follow the Polish alphabet: a < ą < b, l < ł < m, z < ź < ż.
  auto weight = [&](std::string_view utf8) {
    return table->entries[uint8_t(base::cp1250::from_utf8(utf8)[0])].sortWeight;
  };
  EXPECT_LT(weight("a"), weight("ą"));
  EXPECT_LT(weight("ą"), weight("b"));
  EXPECT_LT(weight("ł"), weight("m"));
  EXPECT_LT(weight("ź"), weight("ż"));
}

// The built-in table is kept as stored titles expect it: it splits and rewrites Polish words.
TEST(PolishText, BuiltInTableSplitsPolishWords) {
  CharTablePtr table = FtsDefaultCharTable(nullptr);
  EXPECT_EQ(folded_words(*table, "właściwość"), (std::vector<std::string>{"w", "aoeciwooeae"}));
  EXPECT_EQ(folded_words(*table, "zażółć"), (std::vector<std::string>{"za", "o", "ae"}));
}

int32_t collect(const uint8_t*, const uint8_t* term, int32_t, intptr_t out) {
  reinterpret_cast<std::vector<std::string>*>(out)->push_back(
      base::cp1250::to_utf8(std::string_view(reinterpret_cast<const char*>(term + 1), term[0])));
  return 0;
}

// The word breaker itself, with the title's table: whole Polish words, folded to lower case.
TEST(PolishText, WordBreakerKeepsPolishWordsWhole) {
  CharTablePtr table = FtsParseCharTable(titlebuild::polish_char_table_file(), nullptr);
  ASSERT_TRUE(table);
  const std::string text = base::cp1250::from_utf8("Właściwość sądu — ZAŻÓŁĆ gęślą jaźń");
  std::vector<std::string> terms;
  BreakerState state;
  BreakerCall call;
  call.state = &state;
  call.text = reinterpret_cast<const uint8_t*>(text.data());
  call.length = uint16_t(text.size());
  call.callback = collect;
  call.callbackValue = reinterpret_cast<intptr_t>(&terms);
  call.charTable = table.get();
  ASSERT_EQ(FBreakWords(call), 0);
  call.text = nullptr;
  call.length = 0;
  ASSERT_EQ(FBreakWords(call), 0);
  EXPECT_EQ(terms, (std::vector<std::string>{"właściwość", "sądu", "zażółć", "gęślą", "jaźń"}));
}

}  // namespace
}  // namespace fts
