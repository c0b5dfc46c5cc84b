// Pixels drawn by the raster device: edge rules, raster operations, monochrome conversions.
#include "platform/gdi/core/raster_device.h"

#include <gtest/gtest.h>

#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/core/device_context.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

// A memory context over a fresh white colour bitmap.
class Raster : public ::testing::Test {
 protected:
  void SetUp() override {
    screen_ = gdi::create_context(std::make_unique<gdi::RasterDevice>(96), true);
    dc_ = CreateCompatibleDC(screen_);
    bitmap_ = CreateBitmap(16, 16, 1, 32, nullptr);
    old_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, 16, 16};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  void TearDown() override {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    DeleteDC(screen_);
  }
  // Rows of the top-left w x h pixels: '#' black, '.' white, 'o' anything else.
  std::string picture(int w, int h) {
    std::string out;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        COLORREF c = GetPixel(dc_, x, y);
        out += c == kBlack ? '#' : c == kWhite ? '.' : 'o';
      }
      out += '\n';
    }
    return out;
  }
  HDC screen_ = nullptr, dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

TEST_F(Raster, RectangleCoversLeftTopButNotRightBottom) {
  SelectObject(dc_, GetStockObject(NULL_BRUSH));
  Rectangle(dc_, 1, 1, 5, 4);
  EXPECT_EQ(picture(6, 5),
            "......\n"
            ".####.\n"
            ".#..#.\n"
            ".####.\n"
            "......\n");
}

TEST_F(Raster, NullPenRectangleIsOnePixelSmaller) {
  SelectObject(dc_, GetStockObject(NULL_PEN));
  SelectObject(dc_, GetStockObject(BLACK_BRUSH));
  Rectangle(dc_, 1, 1, 5, 4);
  EXPECT_EQ(picture(6, 5),
            "......\n"
            ".###..\n"
            ".###..\n"
            "......\n"
            "......\n");
}

TEST_F(Raster, LinesLeaveOutTheirLastPoint) {
  MoveToEx(dc_, 0, 0, nullptr);
  LineTo(dc_, 4, 0);
  LineTo(dc_, 4, 3);
  EXPECT_EQ(picture(6, 4),
            "#####.\n"
            "....#.\n"
            "....#.\n"
            "......\n");
}

TEST_F(Raster, WidePensCoverTheirWidthWithSquareEnds) {
  HPEN pen = CreatePen(PS_SOLID, 3, kBlack);
  SelectObject(dc_, pen);
  MoveToEx(dc_, 2, 2, nullptr);
  LineTo(dc_, 6, 2);
  SelectObject(dc_, GetStockObject(BLACK_PEN));
  DeleteObject(pen);
  EXPECT_EQ(picture(9, 5),
            ".........\n"
            ".#######.\n"
            ".#######.\n"
            ".#######.\n"
            ".........\n");
}

TEST_F(Raster, ExclusiveOrTwiceRestoresThePixels) {
  RECT r{2, 2, 10, 10};
  FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  SetROP2(dc_, R2_XORPEN);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0x12, 0x34, 0x56));
  SelectObject(dc_, pen);
  SelectObject(dc_, GetStockObject(NULL_BRUSH));
  for (int pass = 0; pass < 2; ++pass) {
    Rectangle(dc_, 0, 0, 8, 8);
    POINT zig[] = {{0, 15}, {15, 0}, {15, 15}};
    Polyline(dc_, zig, 3);
    if (pass == 0) {
      EXPECT_EQ(GetPixel(dc_, 7, 5), RGB(0x80 ^ 0x12, 0x80 ^ 0x34, 0x80 ^ 0x56));
    }
  }
  EXPECT_EQ(GetPixel(dc_, 7, 5), RGB(128, 128, 128));
  EXPECT_EQ(GetPixel(dc_, 0, 0), kWhite);
  EXPECT_EQ(GetPixel(dc_, 15, 5), kWhite);
  SelectObject(dc_, GetStockObject(BLACK_PEN));
  DeleteObject(pen);
  // Inversion is its own inverse too.
  InvertRect(dc_, &r);
  EXPECT_EQ(GetPixel(dc_, 3, 3), RGB(127, 127, 127));
  InvertRect(dc_, &r);
  EXPECT_EQ(GetPixel(dc_, 3, 3), RGB(128, 128, 128));
}

TEST_F(Raster, DottedPenAndFocusRectangle) {
  HPEN dot = CreatePen(PS_DOT, 1, kBlack);
  SelectObject(dc_, dot);
  SetBkMode(dc_, TRANSPARENT);
  MoveToEx(dc_, 0, 0, nullptr);
  LineTo(dc_, 13, 0);
  SelectObject(dc_, GetStockObject(BLACK_PEN));
  DeleteObject(dot);
  EXPECT_EQ(picture(13, 1), "###...###...#\n");
  RECT r{0, 2, 6, 6};
  DrawFocusRect(dc_, &r);
  EXPECT_EQ(picture(6, 6).substr(14),
            "#.#.#.\n"
            ".....#\n"
            "#.....\n"
            ".#.#.#\n");
  DrawFocusRect(dc_, &r);
  EXPECT_EQ(picture(6, 6).substr(14), std::string(4, '.') + "..\n" + "......\n......\n......\n");
}

TEST_F(Raster, PolygonsFillPixelCentresInside) {
  SelectObject(dc_, GetStockObject(NULL_PEN));
  SelectObject(dc_, GetStockObject(BLACK_BRUSH));
  POINT square[] = {{1, 1}, {4, 1}, {4, 4}, {1, 4}};
  Polygon(dc_, square, 4);
  EXPECT_EQ(picture(5, 5),
            ".....\n"
            ".###.\n"
            ".###.\n"
            ".###.\n"
            ".....\n");
}

TEST_F(Raster, HatchAndPatternBrushesTileFromTheOrigin) {
  HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, kBlack);
  SetBkMode(dc_, TRANSPARENT);
  RECT r{0, 0, 16, 1};
  FillRect(dc_, &r, hatch);
  EXPECT_EQ(picture(16, 1), ".......#.......#\n");
  // A monochrome pattern: black bits take the text colour, white ones the background colour.
  uint8_t bits[] = {0x55, 0, 0xAA, 0};
  HBITMAP pattern = CreateBitmap(8, 2, 1, 1, bits);
  HBRUSH brush = CreatePatternBrush(pattern);
  DeleteObject(pattern);
  SetTextColor(dc_, RGB(255, 0, 0));
  SetBkColor(dc_, kBlack);
  RECT p{0, 2, 4, 4};
  FillRect(dc_, &p, brush);
  EXPECT_EQ(GetPixel(dc_, 0, 2), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc_, 1, 2), kBlack);
  EXPECT_EQ(GetPixel(dc_, 0, 3), kBlack);
  DeleteObject(hatch);
  DeleteObject(brush);
}

TEST_F(Raster, HalftoneBrushInvertsEveryOtherPixel) {
  SelectObject(dc_, *CDC::GetHalftoneBrush());
  PatBlt(dc_, 0, 0, 4, 2, PATINVERT);
  EXPECT_EQ(picture(4, 2), ".#.#\n#.#.\n");
  PatBlt(dc_, 0, 0, 4, 2, PATINVERT);
  EXPECT_EQ(picture(4, 2), "....\n....\n");
  SelectObject(dc_, GetStockObject(WHITE_BRUSH));
}

TEST_F(Raster, SystemColourIndexesServeAsBrushes) {
  RECT r{0, 0, 2, 1};
  // Without the window layer's table there are no system colour brushes.
  EXPECT_FALSE(FillRect(dc_, &r, reinterpret_cast<HBRUSH>(5 + 1)));
  gdi::set_system_colour_source([](int index) { return index == 5 ? RGB(1, 2, 3) : RGB(0, 0, 0); });
  EXPECT_TRUE(FillRect(dc_, &r, reinterpret_cast<HBRUSH>(5 + 1)));
  EXPECT_EQ(GetPixel(dc_, 1, 0), RGB(1, 2, 3));
  EXPECT_FALSE(FillRect(dc_, &r, reinterpret_cast<HBRUSH>(200)));
  gdi::set_system_colour_source(nullptr);
}

TEST_F(Raster, MonochromeTransfersUseTheContextColours) {
  // Colour to monochrome: the source's background colour becomes white, everything else black.
  HDC mono_dc = CreateCompatibleDC(dc_);
  HBITMAP mono = CreateBitmap(4, 1, 1, 1, nullptr);
  HGDIOBJ old = SelectObject(mono_dc, mono);
  SetPixel(dc_, 0, 0, RGB(10, 20, 30));
  SetPixel(dc_, 1, 0, RGB(1, 2, 3));
  SetBkColor(dc_, RGB(10, 20, 30));
  BitBlt(mono_dc, 0, 0, 4, 1, dc_, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(mono_dc, 0, 0), kWhite);
  EXPECT_EQ(GetPixel(mono_dc, 1, 0), kBlack);
  EXPECT_EQ(GetPixel(mono_dc, 2, 0), kBlack);  // white is not the background colour
  // Monochrome to colour: black becomes the text colour, white the background colour.
  SetTextColor(dc_, RGB(0, 0, 255));
  SetBkColor(dc_, RGB(0, 255, 0));
  BitBlt(dc_, 0, 5, 4, 1, mono_dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(dc_, 0, 5), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc_, 1, 5), RGB(0, 0, 255));
  // Drawing on a monochrome bitmap keeps it black and white.
  SetPixel(mono_dc, 3, 0, RGB(200, 200, 200));
  EXPECT_EQ(GetPixel(mono_dc, 3, 0), kWhite);
  SelectObject(mono_dc, old);
  DeleteObject(mono);
  DeleteDC(mono_dc);
}

TEST_F(Raster, TransfersStretchAndMayOverlap) {
  SetPixel(dc_, 0, 0, kBlack);
  SetPixel(dc_, 1, 1, kBlack);
  StretchBlt(dc_, 4, 0, 4, 4, dc_, 0, 0, 2, 2, SRCCOPY);
  EXPECT_EQ(picture(8, 4),
            "#...##..\n"
            ".#..##..\n"
            "......##\n"
            "......##\n");
  // Scrolling within one surface reads the source before writing.
  BitBlt(dc_, 1, 0, 7, 4, dc_, 0, 0, SRCCOPY);
  EXPECT_EQ(picture(8, 4),
            "##...##.\n"
            "..#..##.\n"
            ".......#\n"
            ".......#\n");
  BitBlt(dc_, 0, 0, 2, 2, nullptr, 0, 0, WHITENESS);
  EXPECT_EQ(GetPixel(dc_, 0, 0), kWhite);
  // Upwards by a row with a hole in the clip (two visible parts): the hole keeps its pixels.
  ExcludeClipRect(dc_, 6, 0, 7, 4);
  BitBlt(dc_, 0, 0, 8, 3, dc_, 0, 1, SRCCOPY);
  SelectClipRgn(dc_, nullptr);
  EXPECT_EQ(picture(8, 4),
            "..#..##.\n"
            "......##\n"
            ".......#\n"
            ".......#\n");
  // A source rectangle declared far larger than the surface (as a damaged metafile can give): only
  // pixels the surface holds are taken, and the rest of the destination stays as it is.
  SetPixel(dc_, 0, 0, kBlack);
  StretchBlt(dc_, 8, 0, 8, 4, dc_, 0, 0, 1 << 30, 1 << 30, SRCCOPY);
  EXPECT_EQ(picture(16, 4),
            "#.#..##.#.......\n"
            "......##........\n"
            ".......#........\n"
            ".......#........\n");
}

// A two-colour picture becomes a monochrome bitmap set from its DIB rows.
TEST_F(Raster, MonochromeBitmapSetFromADib) {
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD colours[2];
  } info{{40, 4, 2, 1, 1, BI_RGB, 0, 0, 0, 2, 0}, {{0, 0, 0, 0}, {255, 255, 255, 0}}};
  uint8_t rows[] = {0xA0, 0, 0, 0, 0x50, 0, 0, 0};  // bottom row 1010, top row 0101
  HBITMAP mono = CreateBitmap(4, 2, 1, 1, nullptr);
  EXPECT_EQ(SetDIBits(dc_, mono, 0, 2, rows, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 2);
  HDC mem = CreateCompatibleDC(dc_);
  HGDIOBJ old = SelectObject(mem, mono);
  SetTextColor(dc_, kBlack);
  SetBkColor(dc_, kWhite);
  BitBlt(dc_, 0, 0, 4, 2, mem, 0, 0, SRCCOPY);
  EXPECT_EQ(picture(4, 2), "#.#.\n.#.#\n");
  // Read back as a one-bit DIB with a black and white table.
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD colours[2];
  } out{};
  out.h.biSize = 40;
  out.h.biBitCount = 1;
  SelectObject(mem, old);
  uint8_t back[8] = {};
  EXPECT_EQ(GetDIBits(dc_, mono, 0, 2, back, reinterpret_cast<BITMAPINFO*>(&out), DIB_RGB_COLORS), 2);
  EXPECT_EQ(back[0], 0xA0);
  EXPECT_EQ(back[4], 0x50);
  EXPECT_EQ(out.colours[1].rgbRed, 255);
  DeleteDC(mem);
  DeleteObject(mono);
}

TEST_F(Raster, DibsStretchOntoTheSurface) {
  // A 2 x 2 bottom-up 24-bit DIB: bottom row red, blue; top row green, black.
  struct {
    BITMAPINFOHEADER h;
  } info{{40, 2, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0}};
  uint8_t bits[] = {0, 0, 255, 255, 0, 0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0};
  const BITMAPINFO* bi = reinterpret_cast<const BITMAPINFO*>(&info);
  EXPECT_EQ(StretchDIBits(dc_, 0, 0, 4, 4, 0, 0, 2, 2, bits, bi, DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(GetPixel(dc_, 0, 0), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc_, 3, 3), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc_, 1, 3), RGB(255, 0, 0));
  // Only the bottom row: source y counts from the bottom.
  SetDIBitsToDevice(dc_, 8, 0, 2, 1, 0, 0, 0, 2, bits, bi, DIB_RGB_COLORS);
  EXPECT_EQ(GetPixel(dc_, 8, 0), RGB(255, 0, 0));
  // Read back as a DIB.
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD colours[2];
  } out{};
  out.h.biSize = 40;
  out.h.biBitCount = 24;
  SelectObject(dc_, old_);
  uint8_t rows[16 * 16 * 4];
  EXPECT_EQ(GetDIBits(dc_, bitmap_, 0, 16, rows, reinterpret_cast<BITMAPINFO*>(&out), DIB_RGB_COLORS), 16);
  old_ = SelectObject(dc_, bitmap_);
  EXPECT_EQ(out.h.biWidth, 16);
  // Row 0 of the DIB is the bottom row; the top-left pixel (green) is in the last row.
  size_t stride = 48;
  EXPECT_EQ(rows[stride * 15 + 1], 255);
  EXPECT_EQ(rows[stride * 15 + 2], 0);
}


TEST_F(Raster, PolygonRegionsHoldThePixelsPolygonsFill) {
  std::vector<std::vector<POINT>> shapes = {
      {{1, 1}, {14, 3}, {6, 14}},
      {{0, 0}, {3, 12}, {12, 12}, {15, 0}},
      {{8, 0}, {10, 6}, {15, 6}, {11, 10}, {13, 15}, {8, 12}, {3, 15}, {5, 10}, {0, 6}, {6, 6}},
  };
  SelectObject(dc_, GetStockObject(NULL_PEN));
  SelectObject(dc_, GetStockObject(BLACK_BRUSH));
  for (int mode : {ALTERNATE, WINDING}) {
    for (const auto& shape : shapes) {
      SCOPED_TRACE(shape.size());
      RECT all{0, 0, 16, 16};
      FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      SetPolyFillMode(dc_, mode);
      Polygon(dc_, shape.data(), int(shape.size()));
      HRGN rgn = CreatePolygonRgn(shape.data(), int(shape.size()), mode);
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
          ASSERT_EQ(PtInRegion(rgn, x, y) != 0, GetPixel(dc_, x, y) == kBlack) << x << "," << y;
        }
      }
      DeleteObject(rgn);
    }
  }
}

TEST_F(Raster, FrameRgnPaintsTheBorderOfAPolygon) {
  POINT triangle[] = {{0, 0}, {8, 0}, {0, 8}};
  CRgn rgn;
  ASSERT_TRUE(rgn.CreatePolygonRgn(triangle, 3, ALTERNATE));
  ASSERT_TRUE(FrameRgn(dc_, rgn, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), 1, 1));
  EXPECT_EQ(picture(9, 9),
            "#######..\n"
            "#....#...\n"
            "#...#....\n"
            "#..#.....\n"
            "#.#......\n"
            "##.......\n"
            "#........\n"
            ".........\n"
            ".........\n");
}

}  // namespace
