// Tag strings: values, level kinds, numbered tags, first-tag extraction and dates, as a table of
// texts and expected results.
#include <gtest/gtest.h>

#include <string>

#include "shell/core/tag_string.h"

namespace {

using shell::CTagString;

TEST(CTagString, ValuesAndKinds) {
  struct Case {
    const char* text;
    const char* open;
    int n;
    const char* value;
    int kind;
  };
  const Case cases[] = {
      {"<Q:A> x <Q:P>", "<Q:", 0, "A", 7},
      {"<Q:A> x <Q:P>", "<Q:", 1, "P", 8},
      {"<Q:A> x <Q:P>", "<Q:", 2, "", -1},
      {"<Q:A> x <Q:P>", "<Q:", -1, "", 0},
      {"<T:ustawa>", "<T:", 1, "", -1},           // one tag only
      {"<T:abc", "<T:", 0, "", 0},                // closing marker missing: nothing beyond
      {"<Q:>", "<Q:", 0, "", 0},                  // empty value
      {"<Q:Y1992>", "<Q:", 0, "Y1992", 9},
      {"<Q:Zał>", "<Q:", 0, "Zał", 7},
      {"<Q:x>", "<Q:", 0, "x", 0},                // lower case is no level
      {"<Q:O><Q:R><Q:D><Q:T><Q:K><Q:C>", "<Q:", 5, "C", 6},
      {"<q:A>", "<Q:", 0, "", -1},                // case-sensitive
  };
  for (const Case& c : cases) {
    const CTagString tags(c.text);
    EXPECT_EQ(tags.GetTagValue(c.open, ">", c.n), c.value) << c.text << " " << c.n;
    EXPECT_EQ(tags.GetTagKind(c.open, ">", c.n), c.kind) << c.text << " " << c.n;
  }
}

TEST(CTagString, ExtractBetweenAndNumberedTags) {
  std::string out = "kept";
  EXPECT_EQ(CTagString("no tags").ExtractBetween("<X:", ">", out), -1);
  EXPECT_EQ(out, "kept");
  EXPECT_EQ(CTagString("<X:Ustawa#o ochronie> <X:drugi>").ExtractBetween("<X:", ">", out), 17);
  EXPECT_EQ(out, "Ustawa#o ochronie");
  EXPECT_EQ(CTagString("<X:bez końca").ExtractBetween("<X:", ">", out), 0);
  EXPECT_EQ(out, "");

  const CTagString numbered("<W1:97.01.02> <W12:zwolnienie> <W2:x");
  EXPECT_EQ(numbered.GetNumberedTag("<W", ">", out, 12), 10);
  EXPECT_EQ(out, "zwolnienie");
  EXPECT_EQ(numbered.GetNumberedTag("<W  ", ">", out, 1), 8);  // blanks at the prefix's end dropped
  EXPECT_EQ(out, "97.01.02");
  EXPECT_EQ(numbered.GetNumberedTag("<W", ">", out, 2), 0);  // no closing marker
  EXPECT_EQ(out, "");
  out = "kept";
  EXPECT_EQ(numbered.GetNumberedTag("<W", ">", out, 3), -1);
  EXPECT_EQ(out, "kept");
}

TEST(CTagString, DatesAreCheckedForShapeAndRange) {
  struct Case {
    const char* text;
    int year, month, day;  // year 0: the empty date
  };
  const Case cases[] = {
      {"<W: 97.05.12 >", 1997, 5, 12},
      {"<W:00.03.01>", 2000, 3, 1},
      {"<W:04-02-29>", 2004, 2, 29},
      {"none", 0, 0, 0},
      {"<W:97.5.12>", 0, 0, 0},     // too short for the fixed positions
      {"<W:97.05.1>", 0, 0, 0},
      {"<W:9a.05.12>", 0, 0, 0},
      {"<W:97.13.01>", 0, 0, 0},
      {"<W:97.00.01>", 0, 0, 0},
      {"<W:97.04.31>", 0, 0, 0},
      {"<W:97.02.29>", 0, 0, 0},    // no leap year
      {"<W:97.05.12", 0, 0, 0},     // closing marker missing
      {"<W:>", 0, 0, 0},
  };
  for (const Case& c : cases) {
    const uint16_t expected = c.year ? uint16_t(shell::DaysSince1900(c.year, c.month, c.day)) : CTagString::kEmptyDate;
    EXPECT_EQ(CTagString(c.text).GetTagDate("<W:", ">"), expected) << c.text;
  }
}

}  // namespace
