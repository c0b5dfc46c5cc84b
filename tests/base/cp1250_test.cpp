#include "platform/base/cp1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace cp = base::cp1250;

namespace {

constexpr uint8_t kUndefined[] = {0x81, 0x83, 0x88, 0x90, 0x98};

bool is_undefined(int b) {
  return std::find(std::begin(kUndefined), std::end(kUndefined), b) != std::end(kUndefined);
}

}  // namespace

TEST(Cp1250, EveryDefinedByteRoundTripsThroughUnicodeUtf8AndUtf16) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    if (is_undefined(b)) continue;
    all += char(b);
    uint8_t back = 0;
    ASSERT_TRUE(cp::from_unicode(cp::to_unicode(uint8_t(b)), back)) << b;
    EXPECT_EQ(back, b);
  }
  EXPECT_EQ(cp::from_utf8(cp::to_utf8(all)), all);
  EXPECT_EQ(cp::from_utf16(cp::to_utf16(all)), all);
}

TEST(Cp1250, TableIsOneToOne) {
  std::vector<char32_t> seen;
  for (int b = 0; b < 256; ++b)
    if (!is_undefined(b)) seen.push_back(cp::to_unicode(uint8_t(b)));
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
}

TEST(Cp1250, PolishLettersAndCommonSymbols) {
  struct Case {
    uint8_t byte;
    char32_t unicode;
  };
  const Case cases[] = {
      {0xA5, U'Ą'}, {0xB9, U'ą'}, {0xC6, U'Ć'}, {0xE6, U'ć'}, {0xCA, U'Ę'}, {0xEA, U'ę'},
      {0xA3, U'Ł'}, {0xB3, U'ł'}, {0xD1, U'Ń'}, {0xF1, U'ń'}, {0xD3, U'Ó'}, {0xF3, U'ó'},
      {0x8C, U'Ś'}, {0x9C, U'ś'}, {0x8F, U'Ź'}, {0x9F, U'ź'}, {0xAF, U'Ż'}, {0xBF, U'ż'},
      {0x80, U'€'}, {0x84, U'„'}, {0x94, U'”'}, {0x96, U'–'}, {0x97, U'—'}, {0xA7, U'§'},
      {0xA0, U'\u00A0'}, {0xFF, U'˙'},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cp::to_unicode(c.byte), c.unicode) << int(c.byte);
    EXPECT_EQ(cp::from_unicode(c.unicode), c.byte) << int(c.byte);
  }
  EXPECT_EQ(cp::to_utf8("Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1"), "Zażółć gęślą jaźń");
  EXPECT_EQ(cp::from_utf8("ZAŻÓŁĆ GĘŚLĄ JAŹŃ"), "ZA\xAF\xD3\xA3\xC6 G\xCA\x8CL\xA5 JA\x8F\xD1");
}

TEST(Cp1250, UndefinedBytesReadAsVisibleReplacement) {
  for (uint8_t b : kUndefined) {
    EXPECT_FALSE(cp::is_defined(b));
    EXPECT_EQ(cp::to_unicode(b), cp::kUndefinedChar);
    EXPECT_FALSE(cp::is_letter(b) || cp::is_punct(b) || cp::is_space(b));
  }
  EXPECT_EQ(cp::to_utf8("a\x81" "b"), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(cp::from_utf8(cp::to_utf8("\x98")), "?");
}

TEST(Cp1250, CharactersOutsideTheCodePageAndMalformedInputWriteReplacement) {
  const std::pair<std::string, std::string> cases[] = {
      {"日本", "??"},                            // no CP1250 form
      {"\xF0\x9F\x98\x80x", "?x"},                // outside the Basic Multilingual Plane
      {"a\x80" "b", "a?b"},                        // stray continuation byte
      {"\xC3", "?"},                               // truncated sequence at the end
      {"\xE2\x82", "??"},                          // truncated three-byte sequence
      {"\xC0\xAF", "??"},                          // overlong '/'
      {"\xED\xA0\x80", "???"},                     // encoded surrogate
      {"\xF5\x80\x80\x80", "????"},               // beyond U+10FFFF
      {std::string("\0z", 2), std::string("\0z", 2)},  // NUL is an ordinary character
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(cp::from_utf8(in), out) << in;
  EXPECT_EQ(cp::from_utf16(u"a\xD800" "b"), "a?b");
  EXPECT_EQ(cp::from_utf16(u"\xDC00"), "?");
  EXPECT_EQ(cp::from_utf16(u"\xD83D\xDE00"), "?");
}

TEST(Cp1250, LetterClasses) {
  using Class = bool (*)(uint8_t);
  struct Case {
    Class test;
    bool want;
    std::vector<int> bytes;
  };
  const Case cases[] = {
      {cp::is_letter, true, {'a', 'Z', 0xB9, 0xA5, 0xB3, 0xA3, 0x9F, 0xAF, 0xDF, 0xB5, 0xE8}},
      {cp::is_upper, true, {'A', 0xA5, 0xA3, 0x8C, 0xAF, 0xC0, 0xDE}},
      {cp::is_lower, true, {'z', 0xB9, 0xB3, 0x9C, 0xBF, 0xE0, 0xFE, 0xDF}},
      {cp::is_letter, false, {'1', ' ', '.', 0xD7, 0xF7, 0xA7, 0x80, 0xA0}},
      {cp::is_punct, true, {'.', ',', '-', 0x84, 0x94, 0x96, 0xA7, 0xD7, 0xF7, 0x80, 0xA9}},
      {cp::is_space, true, {' ', '\t', '\n', '\r', 0xA0}},
  };
  for (const Case& c : cases)
    for (int b : c.bytes) EXPECT_EQ(c.test(uint8_t(b)), c.want) << b;
  EXPECT_TRUE(cp::is_digit('7'));
  EXPECT_FALSE(cp::is_digit(0xB2));
  // Every byte is in at most one of the classes.
  for (int b = 0; b < 256; ++b)
    EXPECT_LE(cp::is_letter(b) + cp::is_digit(b) + cp::is_space(b) + cp::is_punct(b), 1) << b;
}

TEST(Cp1250, CaseMappingPairsEveryCasedLetter) {
  EXPECT_EQ(cp::to_upper("za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1"),
            "ZA\xAF\xD3\xA3\xC6 G\xCA\x8CL\xA5 JA\x8F\xD1");
  EXPECT_EQ(cp::to_lower("\xAF\xA3\xA5\x8C\x8F\xBC"), "\xBF\xB3\xB9\x9C\x9F\xBE");
  for (int b = 0; b < 256; ++b) {
    if (cp::is_upper(b)) {
      EXPECT_EQ(cp::to_upper(cp::to_lower(b)), b) << b;
    }
    if (cp::is_lower(b) && cp::to_upper(b) != b) {
      EXPECT_EQ(cp::to_lower(cp::to_upper(b)), b) << b;
    }
    if (!cp::is_letter(b)) {
      EXPECT_EQ(cp::to_upper(b), b) << b;
    }
  }
  EXPECT_EQ(cp::to_upper(0xDF), 0xDF);  // ß has no capital in the code page
  EXPECT_EQ(cp::to_lower(0xD7), 0xD7);  // × is no letter
  EXPECT_TRUE(cp::equal_no_case("\xA3\xD3\xAF" "KO", "\xB3\xF3\xBF" "ko"));
  EXPECT_FALSE(cp::equal_no_case("\xA3", "l"));
}

TEST(Cp1250, CollationFollowsThePolishAlphabet) {
  // Each entry sorts after the one before it.
  const std::vector<std::string> ordered = {
      "",          " ",         "!",        "1",          "9",        "a",
      "A",         "\xB9",       "\xA5",     "b",          "c",        "\xE6",
      "d",         "e",         "\xEA",     "l",          "\xB3",     "\xA3",
      "m",         "n",         "\xF1",     "o",          "\xF3",     "p",
      "s",         "\x9C",       "t",        "z",          "\x9F",     "\xBF",
      "\xAF",
  };
  for (size_t i = 1; i < ordered.size(); ++i)
    EXPECT_LT(cp::collate(ordered[i - 1], ordered[i]), 0) << i;

  // żaba zebra śruba sroka łódź lody Ala ąkowy ala ma ćma
  std::vector<std::string> words = {"\xBF" "aba", "zebra", "\x9C" "ruba", "sroka",
                                    "\xB3\xF3" "d\x9F", "lody", "Ala", "\xB9" "kowy",
                                    "ala", "ma", "\xE6ma"};
  std::sort(words.begin(), words.end(),
            [](const std::string& a, const std::string& b) { return cp::collate(a, b) < 0; });
  const std::vector<std::string> expected = {"ala", "Ala", "\xB9" "kowy", "\xE6ma", "lody",
                                             "\xB3\xF3" "d\x9F", "ma", "sroka", "\x9C" "ruba",
                                             "zebra", "\xBF" "aba"};
  EXPECT_EQ(words, expected);
}

TEST(Cp1250, CollationIgnoresCaseFirstAndBreaksTiesDeterministically) {
  // Case matters only after every letter compared equal.
  EXPECT_LT(cp::collate("ALA", "alb"), 0);
  EXPECT_LT(cp::collate("ala", "ALA"), 0);
  // Accents break ties before case: muller Muller müller Müller.
  const std::vector<std::string> names = {"muller", "Muller", "m\xFCller", "M\xFCller"};
  for (size_t i = 1; i < names.size(); ++i) EXPECT_LT(cp::collate(names[i - 1], names[i]), 0) << i;
  // Foreign letters sort with their base letter, after it.
  EXPECT_LT(cp::collate("a", "\xE4"), 0);
  EXPECT_LT(cp::collate("\xE4", "b"), 0);
  EXPECT_LT(cp::collate("\xE8", "\xE6"), 0);  // č with c, before ć
  EXPECT_LT(cp::collate("\x9E", "\x9F"), 0);  // ž with z, before ź
  EXPECT_LT(cp::collate("y", "\xFD"), 0);
  EXPECT_LT(cp::collate("\xFD", "z"), 0);
  // Every letter sorts after every digit, and after every non-letter.
  for (int b = 0; b < 256; ++b) {
    if (!cp::is_letter(b)) continue;
    EXPECT_LT(cp::collate("9", std::string(1, char(b))), 0) << b;
    EXPECT_LT(cp::collate("\xA7", std::string(1, char(b))), 0) << b;
  }
  // A prefix sorts first.
  EXPECT_LT(cp::collate("ab", "abc"), 0);
  // Distinct strings never compare equal; equal ones do.
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b)
      if (a != b) {
        ASSERT_NE(cp::collate(std::string(1, char(a)), std::string(1, char(b))), 0);
      }
  EXPECT_EQ(cp::collate("\xA3\xF3" "d\x9F", "\xA3\xF3" "d\x9F"), 0);
}
