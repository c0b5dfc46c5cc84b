#include <gtest/gtest.h>

#include "engine/fts/common/breaker_table.h"

namespace fts {
namespace {

TEST(BreakerLine, TakesTheFieldsApart) {
  struct Case {
    std::string_view text;
    bool ok;
    int slot;
    std::string_view breaker, stop;
  };
  const Case cases[] = {
      {"1 x FBreakNumber  ", true, 1, "FBreakNumber", ""},
      {"0 0 FBreakWords |MVSTOP tail text", true, 0, "FBreakWords", "|MVSTOP"},
      {"15 - fbreakdate STOP1 ", true, 15, "fbreakdate", "STOP1"},
      {"3 x FBreakTime", true, 3, "FBreakTime", ""},  // no space after the fourth field
      {std::string_view("2 x FBreakEpoch \0junk", 21), true, 2, "FBreakEpoch", ""},
      {"16 x FBreakWords  ", false, 0, "", ""},
      {"-1 x FBreakWords  ", false, 0, "", ""},
      {"123 x FBreakWords  ", false, 0, "", ""},
      {"x1 x FBreakWords  ", false, 0, "", ""},
      {" 1 x FBreakWords  ", false, 0, "", ""},
      {"1 x", false, 0, "", ""},
      {"", false, 0, "", ""},
  };
  for (const Case& c : cases) {
    const auto line = ParseBreakerLine(c.text);
    ASSERT_EQ(line.has_value(), c.ok) << c.text;
    if (!line) continue;
    EXPECT_EQ(line->slot, c.slot) << c.text;
    EXPECT_EQ(line->breakerName, c.breaker) << c.text;
    EXPECT_EQ(line->stopListName, c.stop) << c.text;
  }
}

TEST(BreakerLine, BreakerNamesIgnoreCase) {
  EXPECT_EQ(FindBreaker("FBREAKANDSTEMWORDS"), BreakerKind::kWordsAndStem);
  EXPECT_EQ(FindBreaker("fbreaknumber"), BreakerKind::kNumber);
  EXPECT_EQ(FindBreaker("FBreakEpoch"), BreakerKind::kEpoch);
  EXPECT_FALSE(FindBreaker("FBreakWord"));
  EXPECT_FALSE(FindBreaker(""));
}

}  // namespace
}  // namespace fts
