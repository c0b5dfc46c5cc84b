// The rulers' geometry without a window: divisions of a centimetre, ticks, numbers that never run
// into each other, the band following scroll and zoom, the mouse mark, the read-out in
// centimetres and the corner's round of modes.
#include "pictures/sheets/ruler_marks.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/gs_toolbar_edit_btn.h"
#include "pictures/sheets/ruler_views.h"
#include "resources/resource_ids.h"

namespace rulermarks {
namespace {

int DigitsWidth(int number) { return number < 10 ? 8 : 16; }

TEST(RulerMarks, CentredPictureGetsNumberedCentimetres) {
  // 1500 picture pixels (25.4 cm) at 100 % fill 750 pixels, centred in an 800-pixel view.
  RulerInput in{1500, 2.0, 800, 0, 800, 96};
  const RulerPlan plan = PlanRuler(in, DigitsWidth);
  EXPECT_EQ(plan.band.start, 25);
  EXPECT_EQ(plan.band.length, 750);
  EXPECT_NEAR(plan.division, 29.53, 0.01);
  ASSERT_EQ(plan.labels.size(), 25u);  // 1 to 25 cm
  EXPECT_EQ(plan.labels.front().number, 1);
  EXPECT_EQ(plan.labels.front().at, 25 + 30);
  EXPECT_EQ(plan.labels.back().number, 25);
  // Half-centimetre ticks only (a division is shorter than 9 mm on the screen), all on the band.
  EXPECT_EQ(plan.ticks.size(), 25u);
  for (const Tick& t : plan.ticks) {
    EXPECT_GE(t.at, plan.band.start);
    EXPECT_LE(t.at, plan.band.start + plan.band.length);
    EXPECT_LT(t.from, kBandDepth / 2);
    EXPECT_GT(t.to, kBandDepth / 2);
  }
}

TEST(RulerMarks, ZoomDecidesNumbersAndQuarterTicks) {
  struct Case {
    double factor;
    bool numbers, quarters;
  };
  const Case cases[] = {{8.0, false, false}, {4.0, true, false}, {2.0, true, false}, {1.0, true, true}, {0.5, true, true}};
  for (const Case& c : cases) {
    // Numbers without width, so that no tick gives way to one.
    const RulerPlan plan = PlanRuler({3000, c.factor, 600, 0, 600, 96}, [](int) { return 0; });
    EXPECT_EQ(!plan.labels.empty(), c.numbers) << c.factor;
    // With quarters three ticks fall in every division, else one.
    const double divisions = std::min(600.0, plan.band.length * 1.0) / plan.division;
    const double perDivision = plan.ticks.size() / divisions;
    EXPECT_NEAR(perDivision, c.quarters ? 3.0 : 1.0, 0.5) << c.factor;
  }
}

TEST(RulerMarks, NumbersNeverOverlap) {
  // At 50 % a centimetre is under 15 pixels; two-digit numbers 16 pixels wide skip every other.
  const RulerPlan plan = PlanRuler({6000, 4.0, 1000, 0, 1000, 96}, DigitsWidth);
  ASSERT_GT(plan.labels.size(), 10u);
  for (size_t i = 1; i < plan.labels.size(); ++i) {
    EXPECT_GE(plan.labels[i].start, plan.labels[i - 1].end + 3) << plan.labels[i].number;
  }
  // No tick cuts through a number.
  for (const Tick& t : plan.ticks) {
    for (const Label& l : plan.labels) EXPECT_FALSE(t.at >= l.start - 2 && t.at <= l.end + 1) << t.at << " in " << l.number;
  }
  // The short numbers still come one a centimetre where they fit.
  EXPECT_EQ(plan.labels[0].number, 1);
  EXPECT_EQ(plan.labels[1].number, 2);
}

TEST(RulerMarks, BandFollowsTheScrollAndEndsWithTheRuler) {
  // 3000 pixels at 1:1 scrolled by 1000 in a 500-pixel view: the band starts 1000 to the left.
  const RulerPlan plan = PlanRuler({3000, 1.0, 500, 1000, 500, 96}, DigitsWidth);
  EXPECT_EQ(plan.band.start, -1000);
  ASSERT_FALSE(plan.labels.empty());
  EXPECT_EQ(plan.labels.front().number, 17);  // 17 cm = 1004 picture pixels
  EXPECT_EQ(plan.labels.front().at, 4);
  for (const Tick& t : plan.ticks) {
    EXPECT_GE(t.at, 0);
    EXPECT_LT(t.at, 500);
  }
  EXPECT_LE(plan.labels.back().start, 500);
  // A number that would reach past the band's end is left out: 5 cm ends a 300-pixel picture.
  const RulerPlan small = PlanRuler({300, 1.0, 400, 0, 400, 96}, DigitsWidth);
  ASSERT_FALSE(small.labels.empty());
  EXPECT_EQ(small.labels.back().number, 4);
  // Scrolled a further 59 pixels, every number moves by a centimetre.
  const RulerPlan later = PlanRuler({3000, 1.0, 500, 1059, 500, 96}, DigitsWidth);
  EXPECT_EQ(later.labels.front().number, 18);
  EXPECT_EQ(later.labels.front().at, 4);
  // No picture, no marks.
  EXPECT_TRUE(PlanRuler({0, 1.0, 500, 0, 500, 96}, DigitsWidth).ticks.empty());
}

TEST(RulerMarks, MarkOnlyOverThePicture) {
  const picturezoom::Span band{25, 750};
  EXPECT_EQ(MarkAt(25, band), 25);
  EXPECT_EQ(MarkAt(774, band), 774);
  EXPECT_EQ(MarkAt(24, band), std::nullopt);
  EXPECT_EQ(MarkAt(775, band), std::nullopt);
}

TEST(RulerMarks, ReadOutShowsCentimetresOfThePicture) {
  EXPECT_EQ(ReadOutValue(-1, 100), std::nullopt);
  EXPECT_EQ(ReadOutValue(100, 100), std::nullopt);
  for (const double factor : {0.5, 1.0, 2.0, 8.0}) {
    for (int offset = 0; offset < 900; offset += 37) {
      const std::optional<int> value = ReadOutValue(offset, 900);
      ASSERT_TRUE(value);
      const CString text = toolbar_field::PositionText(*value, float(factor));
      const double shown = std::atof(text.str().c_str());
      // Within half a unit of the field (factor / 150 cm) and the rounding to hundredths.
      EXPECT_NEAR(shown, picturezoom::Centimetres(offset, factor), factor / 300 + 0.0051) << offset << " at " << factor;
    }
  }
  // A whole inch of the picture (150 pixels at 1:1) reads 2.54 cm.
  EXPECT_EQ(toolbar_field::PositionText(*ReadOutValue(150, 900), 1.0f).str(), "2.54 cm");
}

TEST(RulerMarks, CornerGoesRoundTheModes) {
  EXPECT_EQ(NextCornerMode(kCornerNone, false), kCornerPan);
  EXPECT_EQ(NextCornerMode(kCornerNone, true), kCornerZoom);
  EXPECT_EQ(NextCornerMode(kCornerPan, false), kCornerZoom);
  EXPECT_EQ(NextCornerMode(kCornerZoom, false), kCornerRuler);
  EXPECT_EQ(NextCornerMode(kCornerRuler, false), kCornerNone);
  EXPECT_EQ(CommandOfCornerMode(kCornerNone), resources::ID_MOUSE_MODE_NONE);
  EXPECT_EQ(CommandOfCornerMode(kCornerPan), resources::ID_PAN_MODE);
  EXPECT_EQ(CommandOfCornerMode(kCornerZoom), resources::ID_ZOOM_MODE);
  EXPECT_EQ(CommandOfCornerMode(kCornerRuler), resources::ID_RULER_MODE);
  EXPECT_EQ(UpdateCode(SB_THUMBTRACK, kVertScroll), 0x50002u);
}

}  // namespace
}  // namespace rulermarks
