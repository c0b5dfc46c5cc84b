// Fonts: substitution, metrics in device pixels, widths of CP1250 bytes, text on a surface.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <vector>

#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/font_mapping.h"
#include "platform/gdi/qt_raster_device.h"
#include "tests/gdi/gui_app.h"

namespace {

TEST(FontMapping, SubstitutesClassicFaces) {
  struct Case {
    const char* face;
    BYTE family;
    const char* expected;
  } cases[] = {
      {"Arial CE", 0, "Liberation Sans"},   {"Times New Roman CE", 0, "Liberation Serif"},
      {"Courier New", 0, "Liberation Mono"}, {"MS Sans Serif", 0, "Liberation Sans"},
      {"System", 0, "Liberation Sans"},     {"arial", 0, "Liberation Sans"},
      {"", FF_ROMAN, "Liberation Serif"},   {"DejaVu Sans", 0, "DejaVu Sans"},
  };
  for (const Case& c : cases) EXPECT_EQ(gdi::substitute_face(c.face, c.family), c.expected) << c.face;
}

class Fonts : public ::testing::Test {
 protected:
  void SetUp() override {
    gui_app();
    image_ = QImage(200, 60, QImage::Format_RGB32);
    image_.fill(Qt::white);
    dc_ = gdi::create_surface_dc(&image_);
  }
  void TearDown() override {
    SelectObject(dc_, GetStockObject(SYSTEM_FONT));
    for (HFONT f : fonts_) DeleteObject(f);
    DeleteDC(dc_);
  }
  void select(const char* face, int height, int weight = FW_NORMAL) {
    HFONT f = CreateFont(height, 0, 0, 0, weight, 0, 0, 0, EASTEUROPE_CHARSET, 0, 0, 0, 0, face);
    fonts_.push_back(f);
    SelectObject(dc_, f);
  }
  QImage image_;
  HDC dc_ = nullptr;
  std::vector<HFONT> fonts_;
};

// The substitutes keep the classic faces' advance widths, so layouts measure as they did.
TEST_F(Fonts, WidthsMatchTheClassicMetrics) {
  struct Case {
    const char* face;
    char c;
    int width;  // at a 16-pixel em
  } cases[] = {
      {"Arial CE", 'A', 11},        {"Arial CE", 'i', 4},          {"Arial", 'W', 15},
      {"Times New Roman CE", 'A', 12}, {"Times New Roman", 'i', 4}, {"Courier New", 'i', 10},
      {"Courier New", 'W', 10},
  };
  for (const Case& c : cases) {
    select(c.face, -16);
    int w = 0;
    ASSERT_TRUE(GetCharWidth32(dc_, UINT((unsigned char)c.c), UINT((unsigned char)c.c), &w));
    EXPECT_EQ(w, c.width) << c.face << " " << c.c;
  }
}

TEST_F(Fonts, MetricsAreInDevicePixels) {
  select("Arial CE", -16);
  TEXTMETRIC tm{};
  ASSERT_TRUE(GetTextMetrics(dc_, &tm));
  EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
  EXPECT_GE(tm.tmHeight, 17);
  EXPECT_LE(tm.tmHeight, 20);
  EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - 16);
  // A positive height is the cell height.
  select("Arial CE", 20);
  GetTextMetrics(dc_, &tm);
  EXPECT_NEAR(tm.tmHeight, 20, 1);
  // Polish letters of the code page have widths: ą (0xB9), Ł (0xA3), ż (0xBF).
  int widths[256];
  ASSERT_TRUE(GetCharWidth32(dc_, 0, 255, widths));
  EXPECT_GT(widths[0xB9], 0);
  EXPECT_GT(widths[0xA3], 0);
  EXPECT_EQ(widths[0xBF], widths['z']);
  EXPECT_EQ(widths[0x0A], 0);
  SIZE size{};
  GetTextExtentPoint32(dc_, "\xA3\xF3\x64\x9F", 4, &size);  // "Łódź"
  EXPECT_EQ(size.cx, widths[0xA3] + widths[0xF3] + widths['d'] + widths[0x9F]);
}

TEST_F(Fonts, TextInSubstitutedFontsLandsInItsCell) {
  select("Times New Roman CE", -24, FW_BOLD);
  SetTextColor(dc_, RGB(0, 0, 0));
  SetBkMode(dc_, TRANSPARENT);
  TextOut(dc_, 10, 10, "Ustawa \xA3\xF3\x64\x9F", 11);
  SIZE size{};
  GetTextExtentPoint32(dc_, "Ustawa \xA3\xF3\x64\x9F", 11, &size);
  int dark = 0, outside = 0;
  for (int y = 0; y < image_.height(); ++y)
    for (int x = 0; x < image_.width(); ++x) {
      bool is_dark = qGray(image_.pixel(x, y)) < 128;
      bool inside = x >= 10 && x < 10 + size.cx + 2 && y >= 10 && y < 10 + size.cy;
      dark += is_dark && inside;
      outside += is_dark && !inside;
    }
  EXPECT_GT(dark, 100);
  EXPECT_EQ(outside, 0);
}

TEST_F(Fonts, KerningPairsAreMeasuredOnceInDevicePixels) {
  select("Times New Roman CE", -32);
  DWORD count = GetKerningPairs(dc_, 0, nullptr);
  EXPECT_GT(count, 0u);  // the serif face kerns pairs such as "AV" and "To"
  std::vector<KERNINGPAIR> pairs(count);
  EXPECT_EQ(GetKerningPairs(dc_, count, pairs.data()), count);
  for (const KERNINGPAIR& p : pairs) {
    EXPECT_NE(p.iKernAmount, 0);
    EXPECT_LT(std::abs(p.iKernAmount), 32);
  }
  // The same font again comes from the cache with the same pairs.
  select("Times New Roman CE", -32);
  EXPECT_EQ(GetKerningPairs(dc_, 0, nullptr), count);
}

TEST_F(Fonts, FamiliesAreFoundAfterSubstitution) {
  LOGFONT lf{};
  EXPECT_TRUE(gdi::find_qt_face("Times New Roman CE", lf));
  EXPECT_EQ(lf.lfPitchAndFamily & 0xF0, FF_ROMAN);
  EXPECT_TRUE(gdi::find_qt_face("Courier New", lf));
  EXPECT_EQ(lf.lfPitchAndFamily & 3, FIXED_PITCH);
  EXPECT_FALSE(gdi::find_qt_face("No Such Face Anywhere", lf));
  auto proc = [](const LOGFONT*, const TEXTMETRIC*, DWORD, LPARAM) { return 5; };
  EXPECT_EQ(EnumFontFamilies(dc_, "Arial CE", proc, 0), 5);
  EXPECT_EQ(EnumFontFamilies(dc_, "No Such Face Anywhere", proc, 0), 1);
}

}  // namespace
