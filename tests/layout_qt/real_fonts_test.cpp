// Layout and drawing with real fonts on the Qt image device.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "engine/bitmap/picture.h"
#include "engine/frame/layout_shape.h"
#include "engine/frame/text_output.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/viewer_fonts.h"
#include "engine/medview/viewer_shape.h"
#include "platform/gdi/core/dc_api.h"
#include "tests/layout/record_builder.h"

// Qt's keyword macros would rename engine members: Qt headers come last.
#include <QImage>

#include "platform/gdi/qt_raster_device.h"
#include "tests/support/gui_fixture.h"

namespace layout_test {
namespace {

HDC g_surface_dc = nullptr;
HDC SurfaceDC(HWND) { return g_surface_dc; }
void KeepDC(HWND, HDC) {}

class RealFonts : public testing::Test {
 protected:
  static void SetUpTestSuite() { lumo::test::application(); }

  void SetUp() override {
    image_ = QImage(400, 200, QImage::Format_RGB32);
    image_.fill(Qt::white);
    g_surface_dc = gdi::create_surface_dc(&image_, 96);
    sheet_ = TestStyleSheet();
    sheet_->faces = {"DejaVu Sans"};
    viewer_ = medview::MvCreateViewer(nullptr, nullptr);
    medview::MvSetStyleSheet(viewer_, sheet_.get());
    medview::MvSetWindow(viewer_, reinterpret_cast<HWND>(uintptr_t(1)), nullptr);
    medview::MvSetGetDCProc(viewer_, SurfaceDC);
    medview::MvSetReleaseDCProc(viewer_, KeepDC);
  }

  void TearDown() override {
    medview::MvDestroyViewer(viewer_);
    DeleteDC(g_surface_dc);
  }

  // Dark pixels inside a rectangle of the image.
  int Ink(const frame::LayoutObject& o, int32_t dy) const {
    int ink = 0;
    for (int y = o.y + dy; y < o.y + dy + o.height && y < image_.height(); ++y) {
      for (int x = o.x; x < o.x + o.width && x < image_.width(); ++x) {
        if (qGray(image_.pixel(x, y)) < 128) ++ink;
      }
    }
    return ink;
  }

  QImage image_;
  std::unique_ptr<title::StyleSheet> sheet_;
  medview::Viewer* viewer_ = nullptr;
};

TEST_F(RealFonts, LinesWrapWithinTheMarginAndTextIsDrawnWhereLaidOut) {
  auto source = std::make_shared<MemoryRecordSource>(
      std::vector<Bytes>{TextRecord(adt::ParagraphInfo{}, Commands().Byte(0x82).End(),
                                    "Ustawa okresla zasady ogloszenia aktow normatywnych|")},
      0);
  frame::MvSetRecordSource(viewer_, source);
  ASSERT_TRUE(frame::MvSetTopic(viewer_, MemoryRecordSource::PositionOf(0), 1, 0, nullptr));
  RECT area{0, 0, 150, 200};
  medview::TitleErrorCode error = 0;
  ASSERT_TRUE(frame::MvLayoutTopic(viewer_, &area, &error)) << error;
  const frame::LayoutFrame& f = viewer_->frames.front();
  int lines = 0;
  for (const auto& o : f.objects) {
    if (o.kind != frame::kObjText) continue;
    ++lines;
    EXPECT_LE(o.x + o.width, 150 + 30) << "only a trailing space may pass the margin";
    EXPECT_GT(o.height, 10);
  }
  EXPECT_GE(lines, 3);
  ASSERT_EQ(medview::MvAcquireDC(viewer_), 0);
  frame::FrDrawFrame(*viewer_, f, 0, f.y);
  medview::MvReleaseDC(viewer_);
  for (const auto& o : f.objects) {
    if (o.kind != frame::kObjText) continue;
    EXPECT_GT(Ink(o, f.y), 20) << "no ink where a run was laid out";
  }
}

TEST_F(RealFonts, MeasuredAdvancesAddUpToTheRunWidth) {
  ASSERT_EQ(medview::MvAcquireDC(viewer_), 0);
  ASSERT_TRUE(medview::MvSelectFont(viewer_, 4));
  const uint8_t text[] = "AVATAR To WAVE";
  std::vector<int32_t> widths(sizeof text - 1);
  int32_t width = frame::FrMeasureText(*viewer_, text, widths.size(), widths.data());
  int32_t sum = 0;
  for (int32_t w : widths) sum += w;
  EXPECT_EQ(sum, width);
  EXPECT_GT(width, 100);  // 20 points of real glyphs
  EXPECT_GT(viewer_->textMetrics.tmHeight, 20);
  medview::MvReleaseDC(viewer_);
}

// A picture that cannot be loaded shows a framed box with the "cannot be shown" text inside it,
// measured so that the text fits in font 0.
TEST_F(RealFonts, MissingPictureBoxHoldsItsText) {
  ASSERT_EQ(medview::MvAcquireDC(viewer_), 0);
  bitmap::PictureInfoPtr missing = bitmap::BmLoadPicture(*viewer_, Bytes{0, 0, 5, 0});
  ASSERT_GT(missing->width, 60);
  EXPECT_EQ(bitmap::BmDrawPicture(*missing, *viewer_, 10, 10, false), 0);
  medview::MvReleaseDC(viewer_);
  if (const char* out = std::getenv("LUMO_PICTURES")) image_.save(QString(out) + "/missing_picture.png");
  // The frame's corners are drawn; inside it, ink where the text stands and none beyond the box.
  EXPECT_LT(qGray(image_.pixel(10, 10)), 128);
  EXPECT_LT(qGray(image_.pixel(10 + missing->width - 1, 10 + missing->height - 1)), 128);
  frame::LayoutObject inside;
  inside.x = 12;
  inside.y = 12;
  inside.width = missing->width - 4;
  inside.height = missing->height - 4;
  EXPECT_GT(Ink(inside, 0), 40);
  frame::LayoutObject beyond;
  beyond.x = 12 + missing->width;
  beyond.y = 10;
  beyond.width = 100;
  beyond.height = missing->height;
  EXPECT_EQ(Ink(beyond, 0), 0);
}

// Text laid out inside a triangle with its apex at the top: every line keeps between the edges, so
// no ink falls outside the shape, except near the apex where a line's first word, which is never
// split, is wider than the shape (it overflows as on any too narrow line).
TEST_F(RealFonts, TextStaysInsideTheLayoutShape) {
  std::string text;
  for (int i = 0; i < 12; ++i) text += "Ustawa o og\xb3oszaniu akt\xf3w ";
  auto source = std::make_shared<MemoryRecordSource>(
      std::vector<Bytes>{TextRecord(adt::ParagraphInfo{}, Commands().End(), text + "|")}, 0);
  frame::MvSetRecordSource(viewer_, source);
  frame::ShapeOutline triangle;
  triangle.bounds = RECT{0, 10, 400, 190};
  triangle.points = {{200, 10}, {390, 190}, {10, 190}};
  ASSERT_TRUE(medview::MvSetLayoutShape(viewer_, &triangle, nullptr));
  ASSERT_TRUE(frame::MvSetTopic(viewer_, MemoryRecordSource::PositionOf(0), 1, 0, nullptr));
  RECT area{0, 0, 400, 200};
  ASSERT_TRUE(frame::MvLayoutTopic(viewer_, &area, nullptr));
  ASSERT_EQ(medview::MvAcquireDC(viewer_), 0);
  for (const frame::LayoutFrame& f : viewer_->frames) frame::FrDrawFrame(*viewer_, f, 0, f.y);
  medview::MvReleaseDC(viewer_);
  if (const char* out = std::getenv("LUMO_PICTURES")) image_.save(QString(out) + "/layout_shape.png");
  int inside = 0, outside = 0;
  for (int y = 0; y < image_.height(); ++y) {
    for (int x = 0; x < image_.width(); ++x) {
      if (qGray(image_.pixel(x, y)) >= 128 || y < 60) continue;  // from 60 down every word fits
      // A pixel's row lies inside the triangle between its two edges (one pixel of slack).
      double half = (y - 10) * 190.0 / 180.0;
      bool in = y >= 10 && y <= 190 && x >= 200 - half - 1 && x <= 200 + half + 1;
      ++(in ? inside : outside);
    }
  }
  EXPECT_GT(inside, 500);
  EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace layout_test
