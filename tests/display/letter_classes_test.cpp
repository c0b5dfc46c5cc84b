// Words and sentences of code page 1250 text.
#include <gtest/gtest.h>

#include "engine/frame/letter_classes.h"
#include "engine/frame/selection.h"

namespace display_test {
namespace {

std::vector<int> Chars(std::string_view text) { return std::vector<int>(text.begin(), text.end()); }

std::string Span(std::string_view text, size_t at, void (*find)(const std::vector<int>&, int32_t, int32_t*, int32_t*)) {
  std::vector<int> chars(text.size());
  for (size_t i = 0; i < text.size(); ++i) chars[i] = uint8_t(text[i]);
  int32_t first = 0, end = 0;
  find(chars, int32_t(at), &first, &end);
  return std::string(text.substr(size_t(first), size_t(end - first)));
}

TEST(LetterClasses, PolishLettersHaveTheirCase) {
  // "ąćęłńóśźż" and "ĄĆĘŁŃÓŚŹŻ" in code page 1250.
  for (uint8_t c : std::string_view("\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF")) {
    EXPECT_TRUE(frame::FrIsLowerLetter(c)) << int(c);
    EXPECT_FALSE(frame::FrIsUpperLetter(c)) << int(c);
  }
  for (uint8_t c : std::string_view("\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF")) {
    EXPECT_TRUE(frame::FrIsUpperLetter(c)) << int(c);
    EXPECT_FALSE(frame::FrIsLowerLetter(c)) << int(c);
  }
  for (uint8_t c : {uint8_t(0xD7), uint8_t(0xF7), uint8_t(0x93), uint8_t('1'), uint8_t(0xA7)}) {
    EXPECT_FALSE(frame::FrIsLetter(c)) << int(c);
  }
}

TEST(LetterClasses, WordsEndAtDelimitersButNotInsideNumbersOrBeforeLetters) {
  struct Case {
    std::string_view text;
    size_t at;
    std::string_view word;
  } cases[] = {
      {"inside word. next", 8, "word"},
      {"pi is 3.14 here", 7, "3.14"},
      {"ust.\xBF\xF3\xB3w x", 1, "ust.\xBF\xF3\xB3w"},  // a full stop before a Polish letter
      {"(\xBF\xF3\xB3w)", 2, "\xBF\xF3\xB3w"},
      {"\x93" "cytat\x94", 3, "cytat"},
      {"a, b", 0, "a"},
  };
  for (const Case& c : cases) EXPECT_EQ(Span(c.text, c.at, frame::FrWordSpan), c.word) << c.text;
}

TEST(LetterClasses, SentencesEndBeforeCapitalsButNotBeforeLowerCaseOrDigits) {
  struct Case {
    std::string_view text;
    size_t at;
    std::string_view sentence;
  } cases[] = {
      {"Art. 5 stanowi. Nowe zdanie.", 1, "Art. 5 stanowi. "},
      {"Jest koniec. Nowe", 2, "Jest koniec. "},
      {"Jest koniec. \xAF\xF3\xB3w idzie.", 14, "\xAF\xF3\xB3w idzie."},  // a capital Z with dot
      // A lower-case Polish letter after the full stop continues the sentence.
      {"Jest koniec. \xBF\xF3\xB3w idzie.", 2, "Jest koniec. \xBF\xF3\xB3w idzie."},
  };
  for (const Case& c : cases) EXPECT_EQ(Span(c.text, c.at, frame::FrSentenceSpan), c.sentence) << c.text;
}

TEST(LetterClasses, ParagraphRunsBetweenParagraphEnds) {
  std::vector<int> chars = Chars("ab");
  chars.push_back(frame::FrMarkerCode(frame::kMarkParagraphEnd));
  for (char c : std::string_view("cde")) chars.push_back(c);
  chars.push_back(frame::FrMarkerCode(frame::kMarkParagraphEnd));
  int32_t first = 0, end = 0;
  frame::FrParagraphSpan(chars, 4, &first, &end);
  EXPECT_EQ(first, 3);
  EXPECT_EQ(end, 7);  // past the closing paragraph end
}

}  // namespace
}  // namespace display_test
