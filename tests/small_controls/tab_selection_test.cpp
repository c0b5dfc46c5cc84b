// The selection rules of a tab row with disabled tabs.
#include "controls/tab_selection.h"

#include <gtest/gtest.h>

#include <set>

namespace {

tab_selection::EnabledTest all_but(std::set<int> disabled) {
  return [disabled](int i) { return !disabled.count(i); };
}

TEST(TabSelection, ARequestForADisabledTabStepsOnOrIsRefused) {
  const struct {
    int target, current, count;
    std::set<int> disabled;
    int selected;
  } cases[] = {
      // Moving by one tab steps over the disabled one in the direction of the move.
      {1, 0, 3, {1}, 2},
      {1, 2, 3, {1}, 0},
      {2, 1, 4, {2}, 3},
      {2, 3, 4, {2}, 1},
      // Past the last tab the search goes on from the first, and back past the first from the last.
      {2, 1, 3, {2}, 0},
      {0, 1, 3, {0}, 2},
      // Moves from or to the first tab count as steps; from the last to the first wraps forwards.
      {0, 3, 4, {0}, 1},
      {3, 0, 4, {3}, 2},
      // Any other jump to a disabled tab is refused.
      {3, 1, 5, {3}, -1},
      {1, 3, 5, {1}, -1},
      // With no tab enabled there is nowhere to go.
      {1, 0, 2, {0, 1}, -1},
      {5, 0, 3, {}, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "target " << c.target << " from " << c.current);
    EXPECT_EQ(tab_selection::step_target(c.target, c.current, c.count, all_but(c.disabled)), c.selected);
  }
}

TEST(TabSelection, TheNextEnabledTabAndTheArrowKeys) {
  EXPECT_EQ(tab_selection::next_enabled_after(0, 3, all_but({1})), 2);
  EXPECT_EQ(tab_selection::next_enabled_after(2, 3, all_but({})), 0);
  EXPECT_EQ(tab_selection::next_enabled_after(1, 3, all_but({0, 2})), -1);
  EXPECT_EQ(tab_selection::next_enabled_after(0, 1, all_but({})), -1);
  EXPECT_EQ(tab_selection::arrow_target(0, 3, false), 2);
  EXPECT_EQ(tab_selection::arrow_target(2, 3, true), 0);
  EXPECT_EQ(tab_selection::arrow_target(1, 3, true), 2);
  EXPECT_EQ(tab_selection::arrow_target(1, 3, false), 0);
  EXPECT_EQ(tab_selection::arrow_target(0, 0, true), -1);
}

}  // namespace
