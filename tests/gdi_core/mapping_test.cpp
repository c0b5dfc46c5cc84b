#include "platform/gdi/core/mapping.h"

#include <gtest/gtest.h>

#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/mul_div.h"
#include "platform/gdi/core/recording_device.h"

namespace {

TEST(MulDiv, RoundsHalfAwayFromZeroAndReportsFailure) {
  EXPECT_EQ(MulDiv(96, 12 * 100, 7200), 16);
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(5, -1, 2), -3);
  EXPECT_EQ(MulDiv(7, 1, 3), 2);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(1 << 30, 8, 1), -1);
}

struct MappingCase {
  const char* name;
  int mode;
  SIZE window_ext, viewport_ext;
  POINT window_org, viewport_org;
  POINT logical, device;
};

class MappingModes : public ::testing::TestWithParam<MappingCase> {};

TEST_P(MappingModes, ConvertsBothWays) {
  const MappingCase& c = GetParam();
  gdi::Mapping m;
  ASSERT_TRUE(m.set_mode(c.mode, 96, 96));
  m.window_org = c.window_org;
  m.viewport_org = c.viewport_org;
  m.set_window_ext(c.window_ext.cx, c.window_ext.cy);
  m.set_viewport_ext(c.viewport_ext.cx, c.viewport_ext.cy);
  POINT d = m.to_device(c.logical);
  EXPECT_EQ(d.x, c.device.x);
  EXPECT_EQ(d.y, c.device.y);
  POINT back = m.to_logical(c.device);
  // Back-conversion rounds at the coarser scale; it lands within one device pixel.
  POINT again = m.to_device(back);
  EXPECT_NEAR(again.x, c.device.x, 1);
  EXPECT_NEAR(again.y, c.device.y, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MappingModes,
    ::testing::Values(
        MappingCase{"text", MM_TEXT, {5, 5}, {9, 9}, {10, 20}, {1, 2}, {15, 25}, {6, 7}},
        // 1440 twips are one inch: 96 pixels, y growing upwards.
        MappingCase{"twips", MM_TWIPS, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {1440, -720}, {96, 48}},
        MappingCase{"twips_rounding", MM_TWIPS, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {22, -7}, {1, 0}},
        MappingCase{"himetric", MM_HIMETRIC, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {2540, -1270}, {96, 48}},
        MappingCase{"anisotropic", MM_ANISOTROPIC, {1000, 500}, {100, 100}, {0, 0}, {10, 10},
                    {500, 250}, {60, 60}},
        MappingCase{"anisotropic_origins", MM_ANISOTROPIC, {2, 2}, {1, 1}, {100, 100}, {5, 5},
                    {101, 99}, {6, 4}},
        MappingCase{"anisotropic_negative_half", MM_ANISOTROPIC, {2, 2}, {1, 1}, {0, 0}, {0, 0},
                    {-3, 3}, {-2, 2}},
        // Isotropic keeps the smaller scale on both axes: 100/1000 wins over 100/500.
        MappingCase{"isotropic", MM_ISOTROPIC, {1000, 500}, {100, 100}, {0, 0}, {0, 0},
                    {1000, 500}, {100, 50}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Mapping, FixedModesIgnoreExtentsAndScalableModesRefuseZero) {
  gdi::Mapping m;
  m.set_mode(MM_TWIPS, 96, 96);
  m.set_window_ext(1, 1);
  EXPECT_EQ(m.window_ext.cx, 1440);
  m.set_mode(MM_ANISOTROPIC, 96, 96);
  // Switching to a scalable mode keeps the extents in force.
  EXPECT_EQ(m.window_ext.cx, 1440);
  EXPECT_EQ(m.viewport_ext.cy, -96);
  EXPECT_FALSE(m.set_window_ext(0, 5));
  EXPECT_FALSE(m.set_mode(9, 96, 96));
  EXPECT_EQ(m.mode, MM_ANISOTROPIC);
}

TEST(Mapping, HugeCoordinatesSaturateInsteadOfOverflowing) {
  gdi::Mapping m;
  m.set_mode(MM_ANISOTROPIC, 96, 96);
  m.set_window_ext(1, 1);
  m.set_viewport_ext(30000, 30000);
  m.window_org = {-2000000000, 0};
  POINT d = m.to_device(POINT{2000000000, -2000000000});
  EXPECT_EQ(d.x, gdi::kCoordinateLimit);
  EXPECT_EQ(d.y, -gdi::kCoordinateLimit);
}

TEST(Mapping, ContextCallsReportPreviousValuesAndConvertPoints) {
  auto log = std::make_shared<gdi::RecordingLog>();
  HDC dc = gdi::create_recording_dc(log, {.dpi_x = 300, .dpi_y = 300});
  EXPECT_EQ(SetMapMode(dc, MM_TWIPS), MM_TEXT);
  POINT p[] = {{1440, -1440}};
  LPtoDP(dc, p, 1);
  EXPECT_EQ(p[0].x, 300);
  EXPECT_EQ(p[0].y, 300);
  EXPECT_EQ(SetMapMode(dc, MM_ANISOTROPIC), MM_TWIPS);
  SIZE old{};
  SetWindowExtEx(dc, 10, 10, &old);
  EXPECT_EQ(old.cx, 1440);
  SetViewportExtEx(dc, 20, 30, nullptr);
  POINT prev{};
  SetViewportOrgEx(dc, 5, 6, nullptr);
  OffsetViewportOrgEx(dc, 1, 1, &prev);
  EXPECT_EQ(prev.x, 5);
  POINT q[] = {{10, 10}};
  LPtoDP(dc, q, 1);
  EXPECT_EQ(q[0].x, 26);
  EXPECT_EQ(q[0].y, 37);
  DPtoLP(dc, q, 1);
  EXPECT_EQ(q[0].x, 10);
  EXPECT_EQ(q[0].y, 10);
  DeleteDC(dc);
}

}  // namespace
