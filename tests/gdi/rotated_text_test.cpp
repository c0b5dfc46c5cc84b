// Text in fonts with an escapement: turned about its anchor on screen surfaces, memory bitmaps,
// PDF pages and in played metafiles. Each picture is saved beside the test for a look.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRect>
#include <cstdio>

#include "platform/base/temp_folder.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/core/metafile_format.h"
#include "platform/gdi/core/metafile_player.h"
#include "platform/gdi/paged_device.h"
#include "platform/gdi/qt_raster_device.h"
#include "tests/gdi/gui_app.h"
#include "tests/gdi_core/metafile_builder.h"

namespace {

// The smallest rectangle holding every pixel darker than mid-grey.
QRect ink(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
  return box;
}

HFONT turned_font(int height, int escapement) {
  return CreateFont(height, 0, escapement, escapement, FW_BOLD, 0, 0, 0, EASTEUROPE_CHARSET, OUT_TT_PRECIS,
                    CLIP_LH_ANGLES, PROOF_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
}

class RotatedText : public ::testing::Test {
 protected:
  void SetUp() override {
    gui_app();
    image_ = QImage(120, 120, QImage::Format_RGB32);
    image_.fill(Qt::white);
    dc_ = gdi::create_surface_dc(&image_);
  }
  void TearDown() override { DeleteDC(dc_); }
  QImage image_;
  HDC dc_ = nullptr;
};

TEST_F(RotatedText, LinesTurnAboutTheirAnchorOnTheScreen) {
  struct Case {
    int escapement;
    UINT align;
    QRect within;  // where the ink must lie, drawn at (60, 60)
    bool tall;
  } cases[] = {
      {0, TA_LEFT | TA_TOP, QRect(60, 60, 60, 20), false},
      {900, TA_LEFT | TA_TOP, QRect(60, 0, 20, 61), true},       // reads upwards, right of the anchor
      {-900, TA_LEFT | TA_TOP, QRect(40, 60, 21, 60), true},     // reads downwards, left of it
      {1800, TA_LEFT | TA_TOP, QRect(0, 40, 61, 21), false},     // upside down, to the left
      {900, TA_LEFT | TA_BASELINE, QRect(48, 0, 15, 61), true},  // the baseline through the anchor
      {2700 + 3600, TA_LEFT | TA_TOP, QRect(40, 60, 21, 60), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.escapement);
    image_.fill(Qt::white);
    HFONT font = turned_font(-14, c.escapement);
    HGDIOBJ old = SelectObject(dc_, font);
    SetTextAlign(dc_, c.align);
    SetBkMode(dc_, TRANSPARENT);
    TextOut(dc_, 60, 60, "Dz. U.", 6);
    SelectObject(dc_, old);
    DeleteObject(font);
    QRect box = ink(image_);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_TRUE(c.within.contains(box)) << box.x() << "," << box.y() << " " << box.width() << "x" << box.height();
    EXPECT_EQ(box.height() > box.width(), c.tall);
    image_.save(QString("rotated_text_%1_%2.png").arg(c.escapement).arg(c.align));
  }
}

TEST_F(RotatedText, OpaqueBackgroundAndCurrentPositionFollowTheBaseline) {
  HFONT font = turned_font(-14, 900);
  HGDIOBJ old = SelectObject(dc_, font);
  SetBkColor(dc_, RGB(0, 0, 255));
  SetBkMode(dc_, OPAQUE);
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_UPDATECP);
  MoveToEx(dc_, 20, 100, nullptr);
  SIZE extent{};
  GetTextExtentPoint32(dc_, "Abc", 3, &extent);
  TextOut(dc_, 0, 0, "Abc", 3);
  POINT pos{};
  GetCurrentPositionEx(dc_, &pos);
  EXPECT_EQ(pos.x, 20);
  EXPECT_EQ(pos.y, 100 - extent.cx);
  // The blue cell stands upright from the anchor: as wide as the font is high, as high as the
  // text is long.
  QRect blue;
  for (int y = 0; y < image_.height(); ++y)
    for (int x = 0; x < image_.width(); ++x)
      if (image_.pixel(x, y) == qRgb(0, 0, 255)) blue |= QRect(x, y, 1, 1);
  EXPECT_EQ(blue.left(), 20);
  EXPECT_EQ(blue.bottom(), 99);
  EXPECT_EQ(blue.height(), extent.cx);
  EXPECT_EQ(blue.width(), extent.cy);
  image_.save("rotated_text_opaque.png");
  SelectObject(dc_, old);
  DeleteObject(font);
}

TEST_F(RotatedText, MemoryBitmapsTurnTextToo) {
  gdi::install_qt_devices();
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateCompatibleBitmap(dc_, 30, 80);
  HGDIOBJ old_bm = SelectObject(mem, bm);
  RECT all{0, 0, 30, 80};
  FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HFONT font = turned_font(-12, 900);
  HGDIOBJ old_font = SelectObject(mem, font);
  SetBkMode(mem, TRANSPARENT);
  TextOut(mem, 5, 75, "Dz. U.", 6);
  BitBlt(dc_, 0, 0, 30, 80, mem, 0, 0, SRCCOPY);
  QRect box = ink(image_);
  EXPECT_GT(box.height(), box.width() * 2);
  EXPECT_GE(box.left(), 5);
  EXPECT_LE(box.bottom(), 75);
  image_.copy(0, 0, 30, 80).save("rotated_text_memory.png");
  SelectObject(mem, old_font);
  SelectObject(mem, old_bm);
  DeleteObject(font);
  DeleteObject(bm);
  DeleteDC(mem);
}

TEST_F(RotatedText, PlayedMetafilesTurnTheirText) {
  using gdi::testing::MetafileBuilder;
  std::vector<uint8_t> face = {0, 0, 0, EASTEUROPE_CHARSET, 0, 0, 0, 0, 'A', 'r', 'i', 'a', 'l', 0};
  auto bytes = MetafileBuilder()
                   .add(gdi::wmf::META_CREATEFONTINDIRECT, {-14, 0, 900, 900, FW_BOLD}, face)
                   .add(gdi::wmf::META_SELECTOBJECT, {0})
                   .add(gdi::wmf::META_SETBKMODE, {TRANSPARENT})
                   .add(gdi::wmf::META_TEXTOUT, {6}, {'D', 'z', '.', ' ', 'U', '.', 100, 0, 30, 0})
                   .bytes();
  ASSERT_TRUE(gdi::play_metafile(dc_, bytes));
  QRect box = ink(image_);
  ASSERT_FALSE(box.isEmpty());
  EXPECT_GT(box.height(), box.width() * 2);
  EXPECT_LE(box.bottom(), 100);
  EXPECT_GE(box.left(), 30);
  image_.save("rotated_text_metafile.png");
}

TEST(RotatedTextPdf, PagesTurnTheirText) {
  gui_app();
  std::string path = base::temp_folder() + "/rotated_text.pdf";
  std::remove(path.c_str());
  HDC dc = gdi::create_pdf_dc(path, 72, 60, 60);
  ASSERT_NE(dc, nullptr);
  DOCINFO info{sizeof(DOCINFO), "Obrot", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(dc, &info), 0);
  ASSERT_GT(StartPage(dc), 0);
  HFONT font = turned_font(-14, 900);
  SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  TextOut(dc, 60, 150, "Dz. U.", 6);
  EXPECT_GT(EndPage(dc), 0);
  EXPECT_GT(EndDoc(dc), 0);
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
  DeleteDC(dc);
  QProcess render;
  std::string png = base::temp_folder() + "/rotated_text_pdf";
  render.start("pdftoppm", {"-r", "72", "-png", "-singlefile", QString::fromStdString(path), QString::fromStdString(png)});
  if (!render.waitForFinished(30000) || render.exitCode() != 0) GTEST_SKIP() << "pdftoppm did not render the page";
  QImage page(QString::fromStdString(png + ".png"));
  ASSERT_FALSE(page.isNull());
  page.save("rotated_text_pdf.png");
  QRect box = ink(page);
  ASSERT_FALSE(box.isEmpty());
  EXPECT_GT(box.height(), box.width() * 2);
  EXPECT_LE(box.bottom(), 152);
  EXPECT_GE(box.left(), 58);
}

}  // namespace
