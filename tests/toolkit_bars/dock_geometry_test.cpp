// Shares of docked rows, the placement of a row of proportional bars, and splitter arithmetic.
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/frame/dock_geometry.h"

namespace {

using dock::RowShare;

TEST(DockShares, MinimumShareIs18Pixels) {
  EXPECT_FLOAT_EQ(dock::MinShare(180), 0.1f);
  EXPECT_FLOAT_EQ(dock::MinShare(10), 1.0f);
  EXPECT_FLOAT_EQ(dock::MinShare(0), 0.05f);
  EXPECT_FLOAT_EQ(dock::MinShare(-4), 0.05f);
}

TEST(DockShares, AddShareClampsAndReportsTheShortfall) {
  const struct {
    float share, amount, min;
    float after, returned;
  } cases[] = {
      {0.5f, 0.1f, 0.1f, 0.6f, 0.0f},
      {0.3f, -0.25f, 0.1f, 0.1f, -0.05f},
      {0.1f, 0.0f, 0.1f, 0.1f, 0.0f},
  };
  for (const auto& c : cases) {
    float share = c.share;
    EXPECT_NEAR(dock::AddShare(share, c.amount, c.min), c.returned, 1e-6f);
    EXPECT_NEAR(share, c.after, 1e-6f);
  }
}

TEST(DockShares, NormalizeScalesToOne) {
  for (int changed : {-1, 1}) {
    std::vector<RowShare> row = {{0.7f, false}, {0.7f, false}};
    auto r = dock::NormalizeRow(row, changed, 0.05f);
    EXPECT_FLOAT_EQ(row[0].share, 0.5f) << changed;
    EXPECT_FLOAT_EQ(row[1].share, 0.5f) << changed;
    EXPECT_EQ(r.proportional, 2);
    EXPECT_EQ(r.fixed, 0);
  }
  std::vector<RowShare> mixed = {{1.0f, true}, {1.0f, false}, {2.0f, false}};
  auto r = dock::NormalizeRow(mixed, -1, 0.05f);
  EXPECT_EQ(r.fixed, 1);
  EXPECT_EQ(r.proportional, 2);
  EXPECT_FLOAT_EQ(mixed[2].share, 0.5f);
}

TEST(DockShares, ASmallShareIsRaisedFromTheBarsThatFollow) {
  // Minimum 0.1: the first bar's 0.02 becomes 0.1 and the 0.08 comes from the second bar.
  std::vector<RowShare> row = {{0.02f, false}, {0.58f, false}, {0.4f, false}};
  dock::NormalizeRow(row, -1, 0.1f);
  EXPECT_NEAR(row[0].share, 0.1f, 1e-6f);
  EXPECT_NEAR(row[1].share, 0.5f, 1e-6f);
  EXPECT_NEAR(row[2].share, 0.4f, 1e-6f);
}

TEST(DockShares, ARowOfMinimumsGivesItsDeficitToTheChangedBar) {
  // Three bars in a dock bar too short for them: every share sits at the minimum 0.5 and the
  // deficit lands on the changed bar.
  std::vector<RowShare> row = {{1.0f, false}, {1.0f, false}, {1.0f, false}};
  dock::NormalizeRow(row, 2, 0.5f);
  EXPECT_FLOAT_EQ(row[0].share, 0.5f);
  EXPECT_FLOAT_EQ(row[1].share, 0.5f);
  EXPECT_NEAR(row[2].share, 0.0f, 1e-6f);
  std::vector<RowShare> zero = {{0.0f, false}, {0.0f, false}};
  dock::NormalizeRow(zero, -1, 0.05f);
  EXPECT_FLOAT_EQ(zero[1].share, 0.05f);
}

TEST(DockRowPlacement, ThreeProportionalBarsIn812Pixels) {
  const float shares[] = {0.5f, 0.25f, 0.25f};
  std::vector<int> lengths;
  for (float s : shares) lengths.push_back(dock::CommittedLength(812, 3, s));
  EXPECT_EQ(lengths, (std::vector<int>{400, 200, 200}));
  // The row starts at -2 and moves on by the gap + 1 before its separator.
  const auto placed = dock::PlaceRow(812, 1, lengths, false);
  EXPECT_EQ(placed.start, (std::vector<int>{1, 407, 613}));
  EXPECT_EQ(placed.length, (std::vector<int>{400, 200, 199}));
  EXPECT_EQ(placed.splitter, (std::vector<int>{401, 607}));
  EXPECT_EQ(placed.start.back() + placed.length.back(), 812);
  // A fixed-size last bar keeps its own length.
  EXPECT_EQ(dock::PlaceRow(812, 1, lengths, true).length.back(), 200);
}

TEST(DockSplitters, LimitsKeep24PixelsPerBar) {
  const auto limits = dock::BetweenBarsLimits(0, 812, 2, 1);
  EXPECT_EQ(limits.lower, 48);
  EXPECT_EQ(limits.upper, 788);
  const struct {
    int edge, placed;
  } cases[] = {{10, 48}, {300, 300}, {785, 782}, {900, 782}};
  for (const auto& c : cases) EXPECT_EQ(dock::ClampSplitter(c.edge, limits), c.placed) << c.edge;
}

TEST(DockSplitters, ResizeBarByKeepsTheMinimum) {
  const struct {
    int length, delta, row;
    float min;
    int new_length, shortfall;
  } cases[] = {
      {200, 50, 800, 0.05f, 250, 0},
      {200, -190, 800, 0.0f, 18, -8},    // stops at 18 pixels
      {100, -70, 800, 0.05f, 30, -10},   // the share stops at 0.05 = 40 pixels
      {100, 30, 0, 0.05f, 100, 0},       // a row of no length changes nothing
      {100, 30, -5, 0.05f, 100, 0},
  };
  for (const auto& c : cases) {
    const auto r = dock::ResizeBarBy(c.length, c.delta, c.row, c.min);
    EXPECT_EQ(r.length, c.new_length) << c.length << c.delta;
    EXPECT_EQ(r.shortfall, c.shortfall) << c.length << c.delta;
  }
}

TEST(DockSplitters, MovingASplitterTakesFromTheNearestBarsFirst) {
  std::vector<int> lengths = {400, 200, 199};
  std::vector<float> shares = {0.5f, 0.25f, 0.25f};
  // Splitter after bar 0 dragged 250 pixels right: bar 0 grows, bar 1 goes down to 18, and bar 2
  // gives the rest.
  dock::MoveBetweenBars(lengths, shares, 0, 250, 800, 0.0f);
  EXPECT_EQ(lengths, (std::vector<int>{650, 18, 131}));
  // Dragged back left by 100: bar 1 grows, bar 0 shrinks.
  dock::MoveBetweenBars(lengths, shares, 0, -100, 800, 0.0f);
  EXPECT_EQ(lengths, (std::vector<int>{550, 118, 131}));
  EXPECT_FLOAT_EQ(shares[1], 118.0f / 800.0f);
  // Nothing moves in a row of no length.
  dock::MoveBetweenBars(lengths, shares, 0, 50, 0, 0.0f);
  EXPECT_EQ(lengths[0], 550);
}

}  // namespace
