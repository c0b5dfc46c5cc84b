#include "pictures/sheets/picture_zoom.h"

#include <gtest/gtest.h>

#include "platform/base/cp1250.h"
#include "shell/print/print_texts.h"

namespace picturezoom {
namespace {

TEST(PictureZoom, ZoomRequestsSettleWithinTheModesLimits) {
  struct Case {
    int requested, current, fitMode;
    std::optional<int> expected;
  };
  const Case cases[] = {
      {415, 390, kFreeZoom, 400},        // the wheel at 390 goes to 400
      {425, 400, kFreeZoom, std::nullopt},  // and no further
      {5, 30, kFreeZoom, 25},            // at 30 down to 25
      {0, 25, kFreeZoom, std::nullopt},
      {150, 80, kFitWindow, 100},        // the fit modes never enlarge beyond 100
      {150, 100, kFitWidth, std::nullopt},
      {900, 80, kFitWidth, 100},
      {150, 80, kFixedZoom, 150},
      {67, 100, kFixedZoom, 67},
      {100, 100, kFixedZoom, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClampZoom(c.requested, c.current, c.fitMode), c.expected) << c.requested << " from " << c.current;
  }
}

TEST(PictureZoom, FitZoomsNeverReachZero) {
  EXPECT_EQ(FitToWidthZoom(410, 0, 800), 100);
  EXPECT_EQ(FitToWidthZoom(426, 16, 200), 400);  // no limit applied: a narrow picture at once
  EXPECT_EQ(FitToWindowZoom(210, 410, 400, 400), 100);
  // A client area with no room left: the smallest zoom, never 0 (the factor divides by it).
  EXPECT_EQ(FitToWidthZoom(8, 16, 800), 1);
  EXPECT_EQ(FitToWindowZoom(10, 10, 800, 600), 1);
  EXPECT_GT(FactorOf(FitToWindowZoom(0, 0, 5, 5)), 0.0);
}

TEST(PictureZoom, PictureCentredWhenItFitsElseScrolled) {
  // 200 picture pixels at factor 2 are 100 screen pixels in a 300-pixel client: margin 100.
  EXPECT_EQ(PlaceAxis(200, 2.0, 300, 0).start, 100);
  EXPECT_EQ(PlaceAxis(200, 2.0, 300, 0).length, 100);
  EXPECT_EQ(PlaceAxis(2000, 1.0, 300, 150).start, -150);
  EXPECT_EQ(PlaceAxis(2000, 1.0, 300, 150).length, 2000);
}

TEST(PictureZoom, ZoomKeepsTheAnchoredPointInTheCentre) {
  // The point 100 screen pixels in at factor 2 (picture pixel 200) goes to the centre of a
  // 200-pixel window at factor 1: scroll 200 - 100.
  EXPECT_EQ(ZoomedScroll(100, 0, 2.0, 1.0, 200), 100);
  const RectZoom zoom = ZoomToRect(10, 10, 60, 30, 200, 100, 2.0);
  EXPECT_EQ(zoom.percent, 400);  // four times larger is past the limit
  EXPECT_EQ(zoom.anchorX, 35);
  EXPECT_EQ(zoom.anchorY, 20);
  EXPECT_EQ(ZoomToRect(0, 0, 100, 50, 200, 100, 2.0).percent, 200);
}

TEST(PictureZoom, PageNamesOfNumberedPictures) {
  EXPECT_EQ(NeighbourPageName("rys12309.png", 1), "rys12310.png");
  EXPECT_EQ(NeighbourPageName(" rys12310.png ", -1), "rys12309.png");
  EXPECT_EQ(NeighbourPageName("rys12399.png", 1), "rys12300.png");
  EXPECT_EQ(NeighbourPageName("rys12301.PNG", -1), "rys12300.png");
  EXPECT_EQ(NeighbourPageName("rys12300.png", -1), std::nullopt);
  // Names outside the series pattern turn no pages.
  EXPECT_EQ(NeighbourPageName("rysunek.png", 1), std::nullopt);
  EXPECT_EQ(NeighbourPageName("rys123ab.png", 1), std::nullopt);
  EXPECT_EQ(NeighbourPageName("rys12301.bmp", 1), std::nullopt);
  EXPECT_EQ(NeighbourPageName("", 1), std::nullopt);
}

TEST(PictureZoom, CentimetresUseTheInch) {
  // 150 picture pixels are an inch: 2.54 cm at 1:1 (factor 1), twice that at factor 2.
  EXPECT_NEAR(Centimetres(150, 1.0), 2.54, 1e-9);
  EXPECT_NEAR(Centimetres(75, 2.0), 2.54, 1e-9);
}

}  // namespace
}  // namespace picturezoom

namespace printtext {
namespace {

std::string Utf8(const CString& text) { return base::cp1250::to_utf8(text.str()); }

TEST(PictureHeader, CitesTheActOrItsAttachmentWithTheFullYear) {
  shell::ActDescription d;
  d.year = 98;
  d.issue_number = 12;
  d.position = 34;
  d.record.level = 7;
  EXPECT_EQ(Utf8(PictureCitation(d, true)), "D.U. z 1998 r. Nr 12 poz 34 - Formularz/Rysunek");
  EXPECT_EQ(Utf8(PictureCitation(d, false)), "");
  d.record.attachment = true;
  d.year = 104;
  d.position = 2786;
  EXPECT_EQ(Utf8(PictureCitation(d, true)), "Zał. do (D.U. z 2004 r. Nr 12 poz 2786) - Formularz/Rysunek");
}

}  // namespace
}  // namespace printtext
