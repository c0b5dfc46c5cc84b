// Flood fills: the pixels a fill reaches on a memory bitmap, what the recording device hears, and
// the record a metafile keeps and plays back.
#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/core/device_context.h"
#include "platform/gdi/core/metafile_api.h"
#include "platform/gdi/core/raster_device.h"
#include "platform/gdi/core/recording_device.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0);

// A memory context over an 8 x 6 bitmap drawn from rows of '#' (black) and '.' (white).
class FloodFills : public ::testing::Test {
 protected:
  void SetUp() override {
    screen_ = gdi::create_context(std::make_unique<gdi::RasterDevice>(96), true);
    dc_ = CreateCompatibleDC(screen_);
    bitmap_ = CreateBitmap(8, 6, 1, 32, nullptr);
    old_ = SelectObject(dc_, bitmap_);
    red_ = CreateSolidBrush(kRed);
    SelectObject(dc_, red_);
  }
  void TearDown() override {
    SelectObject(dc_, GetStockObject(WHITE_BRUSH));
    DeleteObject(red_);
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    DeleteDC(screen_);
  }
  void draw(const char* rows) {
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x) SetPixel(dc_, x, y, rows[y * 9 + x] == '#' ? kBlack : kWhite);
  }
  // '#' black, '.' white, 'r' red.
  std::string picture() {
    std::string out;
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) {
        COLORREF c = GetPixel(dc_, x, y);
        out += c == kBlack ? '#' : c == kWhite ? '.' : c == kRed ? 'r' : '?';
      }
      out += '\n';
    }
    return out;
  }
  HDC screen_ = nullptr, dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HBRUSH red_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// A ring with a gap-free wall, a pocket inside, and a diagonal leak that four-way fills ignore.
constexpr const char* kRing =
    "........\n"
    ".####...\n"
    ".#..#...\n"
    ".#..#.#.\n"
    ".####..#\n"
    "........\n";

TEST_F(FloodFills, BorderFillStopsAtTheBorderColour) {
  draw(kRing);
  ASSERT_TRUE(ExtFloodFill(dc_, 2, 2, kBlack, FLOODFILLBORDER));
  EXPECT_EQ(picture(),
            "........\n"
            ".####...\n"
            ".#rr#...\n"
            ".#rr#.#.\n"
            ".####..#\n"
            "........\n");
  // Starting on the border itself fills nothing.
  EXPECT_FALSE(FloodFill(dc_, 1, 1, kBlack));
}

TEST_F(FloodFills, SurfaceFillCoversTheConnectedArea) {
  draw(kRing);
  ASSERT_TRUE(ExtFloodFill(dc_, 0, 0, kWhite, FLOODFILLSURFACE));
  EXPECT_EQ(picture(),
            "rrrrrrrr\n"
            "r####rrr\n"
            "r#..#rrr\n"
            "r#..#r#r\n"
            "r####rr#\n"
            "rrrrrrrr\n");
  // A start pixel of another colour fills nothing.
  EXPECT_FALSE(ExtFloodFill(dc_, 1, 1, kWhite, FLOODFILLSURFACE));
}

TEST_F(FloodFills, FillingWithTheSameColourEnds) {
  draw(kRing);
  SelectObject(dc_, GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(ExtFloodFill(dc_, 0, 0, kWhite, FLOODFILLSURFACE));
  EXPECT_EQ(picture(), std::string(kRing));
}

TEST_F(FloodFills, TheClipLimitsTheFill) {
  draw(kRing);
  IntersectClipRect(dc_, 0, 0, 8, 2);
  ASSERT_TRUE(ExtFloodFill(dc_, 7, 0, kWhite, FLOODFILLSURFACE));
  EXPECT_EQ(picture(),
            "rrrrrrrr\n"
            "r####rrr\n"
            ".#..#...\n"
            ".#..#.#.\n"
            ".####..#\n"
            "........\n");
  // Outside the clip, or off the bitmap, or with an unknown kind: nothing.
  EXPECT_FALSE(ExtFloodFill(dc_, 0, 5, kWhite, FLOODFILLSURFACE));
  SelectClipRgn(dc_, nullptr);
  EXPECT_FALSE(ExtFloodFill(dc_, 20, 20, kWhite, FLOODFILLSURFACE));
  EXPECT_FALSE(ExtFloodFill(dc_, 0, 5, kWhite, 7));
}

TEST_F(FloodFills, LogicalPointsAreMapped) {
  draw(kRing);
  SetViewportOrgEx(dc_, 2, 2, nullptr);
  ASSERT_TRUE(ExtFloodFill(dc_, 0, 0, kBlack, FLOODFILLBORDER));
  EXPECT_EQ(GetPixel(dc_, 0, 0), kRed);  // (2, 2) on the bitmap
  SetViewportOrgEx(dc_, 0, 0, nullptr);
  EXPECT_EQ(GetPixel(dc_, 3, 3), kRed);
  EXPECT_EQ(GetPixel(dc_, 0, 0), kWhite);
}

TEST(FloodFillDevices, RecordingDeviceLogsTheFill) {
  auto log = std::make_shared<gdi::RecordingLog>();
  HDC dc = gdi::create_recording_dc(log);
  CDC cdc;
  cdc.Attach(dc);
  EXPECT_TRUE(cdc.ExtFloodFill(3, 4, RGB(0x12, 0x34, 0x56), FLOODFILLSURFACE));
  EXPECT_TRUE(cdc.FloodFill(5, 6, kBlack));
  cdc.Detach();
  ASSERT_EQ(log->size(), 2u);
  EXPECT_EQ((*log)[0].rfind("flood_surface 3,4 123456", 0), 0u) << (*log)[0];
  EXPECT_EQ((*log)[1].rfind("flood_border 5,6 000000", 0), 0u) << (*log)[1];
  DeleteDC(dc);
}

TEST(FloodFillDevices, MetafileKeepsTheFillAndPlaysItBack) {
  HDC rec = CreateMetaFile(nullptr);
  ASSERT_TRUE(ExtFloodFill(rec, 7, 9, RGB(1, 2, 3), FLOODFILLSURFACE));
  HMETAFILE mf = CloseMetaFile(rec);
  ASSERT_NE(mf, nullptr);
  auto log = std::make_shared<gdi::RecordingLog>();
  HDC dc = gdi::create_recording_dc(log);
  ASSERT_TRUE(PlayMetaFile(dc, mf));
  ASSERT_EQ(log->size(), 1u);
  EXPECT_EQ((*log)[0].rfind("flood_surface 7,9 010203", 0), 0u) << (*log)[0];
  DeleteDC(dc);
  DeleteMetaFile(mf);
}

}  // namespace
