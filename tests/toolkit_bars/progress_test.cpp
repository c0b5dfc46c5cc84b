// The self-painted progress bar: the percentage and its text, the split of the client area, the
// inverted text, and stepping on its timer.
#include <string>

#include "platform/base/cp1250.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "toolkit/frame/sec_progress_ctrl.h"

namespace lumo::test {
namespace {

TEST(ProgressPercent, ClampsAndScales) {
  const struct {
    int pos, lower, upper;
    double percent;
    const char* text;
  } cases[] = {
      {0, 0, 100, 0.0, "0 %"},      {50, 0, 100, 50.0, "50 %"},   {250, 0, 100, 100.0, "100 %"},
      {-5, 0, 100, 0.0, "0 %"},     {7, 7, 7, 0.0, "0 %"},        {3, 0, 8, 37.5, "38 %"},
      {15, 10, 20, 50.0, "50 %"},   {199, 0, 200, 99.5, "100 %"},
  };
  for (const auto& c : cases) {
    const double p = progress::Percent(c.pos, c.lower, c.upper);
    EXPECT_DOUBLE_EQ(p, c.percent) << c.pos << " in " << c.lower << ".." << c.upper;
    EXPECT_STREQ(progress::PercentText(p), c.text) << c.pos;
  }
}

TEST(ProgressRects, SplitByStyle) {
  const CRect client(0, 0, 200, 20), tall(0, 0, 20, 100);
  const struct {
    CRect client;
    double percent;
    DWORD style;
    CRect bar, background;
  } cases[] = {
      {client, 25.0, 0, {0, 0, 50, 20}, {50, 0, 200, 20}},
      {client, 25.0, PSTYLE_FROM_RIGHT, {150, 0, 200, 20}, {0, 0, 150, 20}},
      {client, 33.3, 0, {0, 0, 66, 20}, {66, 0, 200, 20}},
      {tall, 40.0, PSTYLE_VERTICAL, {0, 60, 20, 100}, {0, 0, 20, 60}},
      {tall, 40.0, PSTYLE_VERTICAL | PSTYLE_FROM_TOP, {0, 0, 20, 40}, {0, 40, 20, 100}},
      {client, 100.0, 0, {0, 0, 200, 20}, {200, 0, 200, 20}},
  };
  for (const auto& c : cases) {
    CRect bar, background;
    progress::SplitRects(c.client, c.percent, c.style, bar, background);
    EXPECT_EQ(bar, c.bar) << c.percent << " style " << c.style;
    EXPECT_EQ(background, c.background) << c.percent << " style " << c.style;
  }
}

TEST(ProgressText, FormatFollowsStyle) {
  EXPECT_EQ(progress::TextFormat(0x4100), UINT(DT_SINGLELINE | DT_VCENTER | DT_CENTER));
  EXPECT_EQ(progress::TextFormat(PSTYLE_TEXT_LEFT | PSTYLE_TEXT_RIGHT), UINT(DT_SINGLELINE | DT_VCENTER));
  EXPECT_EQ(progress::TextFormat(PSTYLE_TEXT_RIGHT), UINT(DT_SINGLELINE | DT_VCENTER | DT_RIGHT));
}

class ProgressWindowTest : public FrameworkTest {
 protected:
  CWnd parent;
  SECProgressCtrl bar;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Postęp", WS_POPUP | WS_VISIBLE, CRect(0, 0, 320, 120), nullptr, 0));
  }
  void make(DWORD style, CRect rect = CRect(10, 10, 250, 34)) {
    ASSERT_TRUE(bar.Create(WS_VISIBLE, rect, &parent, 77, style));
  }
  DWORD at(int x, int y) {
    pump();
    return surface_pixel(bar.m_hWnd, x, y);
  }
};

TEST_F(ProgressWindowTest, PercentTextIsInvertedUnderTheBar) {
  make(0x4100);
  EXPECT_FALSE(bar.Create(WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 78, 0));
  bar.SetPos(50);
  pump();
  save_surface_png(bar.m_hWnd, "progress_50.png");
  // Bar (navy) to x = 120, background (white) after; the text "50 %" straddles the split.
  EXPECT_EQ(at(2, 2), RGB(0, 0, 128));
  EXPECT_EQ(at(236, 20), RGB(255, 255, 255));
  int white_in_bar = 0, navy_in_background = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 90; x < 190; ++x) {
      const DWORD p = surface_pixel(bar.m_hWnd, x, y);
      if (x < 120 && p == RGB(255, 255, 255)) ++white_in_bar;
      if (x >= 120 && p != RGB(255, 255, 255)) ++navy_in_background;
    }
  }
  EXPECT_GT(white_in_bar, 5);
  EXPECT_GT(navy_in_background, 5);
}

TEST_F(ProgressWindowTest, CaptionAndVerticalLooks) {
  make(PSTYLE_SHOW_TEXT | PSTYLE_TEXT_LEFT);
  bar.SetText(base::cp1250::from_utf8("Wczytywanie ustaw: źródła, łącza…").c_str());
  bar.SetColors(RGB(0, 128, 0), RGB(255, 255, 224));
  bar.SetPos(35);
  pump();
  save_surface_png(bar.m_hWnd, "progress_caption.png");
  EXPECT_EQ(at(230, 2), RGB(255, 255, 224));
  SECProgressCtrl vertical;
  ASSERT_TRUE(vertical.Create(WS_VISIBLE, CRect(270, 10, 300, 110), &parent, 79, PSTYLE_VERTICAL | PSTYLE_SHOW_PERCENT));
  vertical.SetPos(75);
  pump();
  save_surface_png(vertical.m_hWnd, "progress_vertical.png");
  EXPECT_EQ(surface_pixel(vertical.m_hWnd, 2, 98), RGB(0, 0, 128));
  EXPECT_EQ(surface_pixel(vertical.m_hWnd, 2, 2), RGB(255, 255, 255));
}

TEST_F(ProgressWindowTest, AutoStepStopsAtTheUpperBound) {
  make(0x4100);
  bar.SetRange(0, 25);
  bar.SetStep(10);
  ASSERT_TRUE(bar.SetAutoStep(5));
  for (int i = 0; i < 5; ++i) bar.SendMessage(WM_TIMER, SECProgressCtrl::kTimerId);
  EXPECT_GE(bar.GetPos(), 25);
  EXPECT_FALSE(bar.SetAutoStep(5));
  bar.Reset();
  EXPECT_EQ(bar.GetPos(), 0);
  EXPECT_TRUE(bar.SetAutoStep(0));
}

TEST_F(ProgressWindowTest, StandardLookPassesThePositionOn) {
  make(PSTYLE_STANDARD);
  bar.SetRange(0, 50);
  EXPECT_EQ(bar.SetPos(20), 0);
  EXPECT_EQ(bar.CProgressCtrl::GetPos(), 20);
  bar.StepIt();
  EXPECT_EQ(bar.CProgressCtrl::GetPos(), 30);
  bar.SetStyle(0x4100);
  bar.SetPos(40);
  bar.SetStyle(PSTYLE_STANDARD);
  EXPECT_EQ(bar.CProgressCtrl::GetPos(), 40);
}

}  // namespace
}  // namespace lumo::test
