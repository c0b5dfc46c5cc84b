// The plain rules of the titles, signatories and date index dialogs: title keywords split into
// rank and title, headings, the highlight text, date keys and the count sentences with the Polish
// plural.
#include <gtest/gtest.h>

#include <string>

#include "navigation/calendar_dlg.h"
#include "navigation/polish_plural.h"
#include "navigation/title_dlg.h"
#include "platform/base/cp1250.h"

namespace {

using keywords::DateEvent;

std::string Cp(const char* utf8) { return base::cp1250::from_utf8(utf8); }
std::string Utf8(const std::string& cp) { return base::cp1250::to_utf8(cp); }

TEST(TitleKeywords, SplitHeadingAndRememberedTitle) {
  const keywords::RankedTitle split = keywords::SplitRankedTitle("abc#  ustawa");
  EXPECT_EQ(split.rank, "ustawa");
  EXPECT_EQ(split.title, "abc");
  const keywords::RankedTitle whole = keywords::SplitRankedTitle("bez rangi");
  EXPECT_EQ(whole.rank, "bez rangi");
  EXPECT_EQ(whole.title, "");

  const struct {
    const char* keyword;
    const char* heading;
    const char* before_rank;
  } cases[] = {
      {"abc#ustawa", "ustawa abc", "abc"},
      {"o ochronie zieleni   #  USTAWA  ", "USTAWA o ochronie zieleni", "o ochronie zieleni"},
      {"#ustawa", "#ustawa", "#ustawa"},  // a '#' first is no separator
      {"Przepisy ogólne", "Przepisy ogólne", "Przepisy ogólne"},
      {"a#b#c", "b#c a", "a"},  // split at the first '#'
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8(keywords::TitleHeading(Cp(c.keyword))), c.heading) << c.keyword;
    EXPECT_EQ(Utf8(keywords::TitleBeforeRank(Cp(c.keyword))), c.before_rank) << c.keyword;
  }
}

TEST(TitleKeywords, HighlightIgnoresTheCaseTyped) {
  // The list shows titles in upper case; what is typed is marked whatever its case.
  EXPECT_EQ(keywords::TitleHighlight("o "), "");
  EXPECT_EQ(keywords::TitleHighlight(""), "");
  EXPECT_EQ(keywords::TitleHighlight("o b"), "O B");
  EXPECT_EQ(Utf8(keywords::TitleHighlight(Cp("żółć ąę"))), "ŻÓŁĆ ĄĘ");
  EXPECT_EQ(Utf8(keywords::TitleHighlight(Cp("ZIeleń"))), "ZIELEŃ");
}

TEST(DateIndex, KeysAndIndexes) {
  EXPECT_EQ(keywords::DateKey(1993, 5, 17), "93-05-17");
  EXPECT_EQ(keywords::DateKey(1900, 1, 1), "00-01-01");
  EXPECT_EQ(keywords::DateKey(1999, 12, 31), "99-12-31");
  EXPECT_STREQ(keywords::DateEventIndex(DateEvent::kAdopted), "|u");
  EXPECT_STREQ(keywords::DateEventIndex(DateEvent::kPublished), "|v");
  EXPECT_STREQ(keywords::DateEventIndex(DateEvent::kInForce), "|h");
  EXPECT_STREQ(keywords::DateEventIndex(DateEvent::kRepealed), "|z");
}

TEST(DateIndex, CountSentencesFollowThePolishPlural) {
  const struct {
    int count;
    const char* adopted;
    const char* published;
  } cases[] = {
      {0, "We wskazanym dniu nie został uchwalony żaden akt.\n", "We wskazanym dniu nie opublikowano żadnego aktu.\n"},
      {1, "We wskazanym dniu został uchwalony 1 akt.\n", "We wskazanym dniu opublikowano 1 akt.\n"},
      {2, "We wskazanym dniu zostały uchwalone 2 akty.\n", "We wskazanym dniu opublikowano 2 akty.\n"},
      {4, "We wskazanym dniu zostały uchwalone 4 akty.\n", "We wskazanym dniu opublikowano 4 akty.\n"},
      {5, "We wskazanym dniu zostało uchwalonych 5 aktów.\n", "We wskazanym dniu opublikowano 5 aktów.\n"},
      {12, "We wskazanym dniu zostało uchwalonych 12 aktów.\n", "We wskazanym dniu opublikowano 12 aktów.\n"},
      {14, "We wskazanym dniu zostało uchwalonych 14 aktów.\n", "We wskazanym dniu opublikowano 14 aktów.\n"},
      {21, "We wskazanym dniu zostało uchwalonych 21 aktów.\n", "We wskazanym dniu opublikowano 21 aktów.\n"},
      {22, "We wskazanym dniu zostały uchwalone 22 akty.\n", "We wskazanym dniu opublikowano 22 akty.\n"},
      {24, "We wskazanym dniu zostały uchwalone 24 akty.\n", "We wskazanym dniu opublikowano 24 akty.\n"},
      {25, "We wskazanym dniu zostało uchwalonych 25 aktów.\n", "We wskazanym dniu opublikowano 25 aktów.\n"},
      {112, "We wskazanym dniu zostało uchwalonych 112 aktów.\n", "We wskazanym dniu opublikowano 112 aktów.\n"},
      {122, "We wskazanym dniu zostały uchwalone 122 akty.\n", "We wskazanym dniu opublikowano 122 akty.\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8(keywords::DateCountSentence(DateEvent::kAdopted, c.count)), c.adopted) << c.count;
    EXPECT_EQ(Utf8(keywords::DateCountSentence(DateEvent::kPublished, c.count)), c.published) << c.count;
    // The other two events have no sentence: the label is emptied.
    EXPECT_EQ(keywords::DateCountSentence(DateEvent::kInForce, c.count), "");
    EXPECT_EQ(keywords::DateCountSentence(DateEvent::kRepealed, c.count), "");
  }
  EXPECT_EQ(polish::PluralOf(1), polish::Plural::kOne);
  EXPECT_EQ(polish::PluralOf(0), polish::Plural::kMany);
  EXPECT_EQ(polish::PluralOf(1002), polish::Plural::kFew);
  EXPECT_EQ(polish::PluralOf(1013), polish::Plural::kMany);
}

}  // namespace
