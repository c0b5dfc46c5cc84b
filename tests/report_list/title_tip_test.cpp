// The title tip: shown over a cut-off cell and not over one that fits, painted again when
// uncovered, gone when the mouse leaves or a key moves the list, and letting clicks through.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/window_surface.h"
#include "tests/report_list/report_list_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

using Log = std::vector<std::string>;

const char* const kLongTitle =
    "Rozporządzenie Ministra Sprawiedliwości z dnia 23 lutego 1993 r. w sprawie szczegółowych zasad "
    "wynagradzania pracowników sądów powszechnych, prokuratury oraz więziennictwa, z późniejszymi "
    "zmianami ogłoszonymi w Dzienniku Ustaw";

int dark_pixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      QRgb c = image.pixel(x, y);
      if (qRed(c) < 0x60 && qGreen(c) < 0x60 && qBlue(c) < 0x60) ++n;
    }
  }
  return n;
}

class TitleTipTest : public ReportListTest {
 protected:
  CGSTitleTip* tip = nullptr;
  void SetUp() override {
    ReportListTest::SetUp();
    parent.rows = std::vector<std::vector<std::string>>(30, {"1997/12", "Krótki tytuł", "Ustawa"});
    parent.rows[0] = {"1993/21", kLongTitle, "Rozporządzenie"};
    parent.rows[1] = {"1994/7", "Obwieszczenie Prezesa Rady Ministrów o sprostowaniu błędów", "Obwieszczenie"};
    make(LVS_SINGLESEL, {{"ROK/POZ", 70}, {"TYTUŁ", 150}, {"RANGA", 80}});
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    tip = list.GetTitleTip();
    ASSERT_NE(tip, nullptr);
    list.SetFocus();
    pump();
  }
  bool shown() const { return tip->IsShown(); }
};

TEST_F(TitleTipTest, ShownOverACutOffCellOnlyAndKeptOnTheScreen) {
  hover(cell_point(5, 1));
  EXPECT_FALSE(shown());  // "Krótki tytuł" fits

  hover(cell_point(0, 1));
  ASSERT_TRUE(shown());
  EXPECT_EQ(tip->GetText().str(), cp(kLongTitle));
  EXPECT_EQ(::GetCapture(), tip->m_hWnd);
  CRect r;
  tip->GetWindowRect(&r);
  EXPECT_GE(r.Width(), 500);
  EXPECT_GE(r.left, 0);
  EXPECT_LE(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_GT(r.Height(), 2 * controls::kListRowHeight);  // wrapped over several lines
  save(picture(), "report_list_tip.png");

  // Moving within the tip keeps it; it lies over the cell, so the move reaches the tip.
  hover(POINT{cell_point(0, 1).x + 3, cell_point(0, 1).y});
  EXPECT_TRUE(shown());
  // Leaving it hides it and lets the mouse go; the move goes on to the list.
  hover(cell_point(5, 1));
  EXPECT_FALSE(shown());
  EXPECT_NE(::GetCapture(), tip->m_hWnd);
}

TEST_F(TitleTipTest, RepaintsItselfWhenUncovered) {
  hover(cell_point(0, 1));
  ASSERT_TRUE(shown());
  QImage before = win::window_surface(tip->m_hWnd);
  ASSERT_GT(dark_pixels(before), 100);
  // Something covered it: its surface is wiped and it is asked to paint.
  CRect client;
  tip->GetClientRect(&client);
  CClientDC dc(tip);
  dc.FillSolidRect(&client, RGB(255, 255, 255));
  tip->Invalidate();
  tip->UpdateWindow();
  EXPECT_EQ(win::window_surface(tip->m_hWnd), before);
}

TEST_F(TitleTipTest, SelectedRowGivesATipInTheHighlightColours) {
  list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  list.UpdateWindow();
  hover(cell_point(1, 1));
  ASSERT_TRUE(shown());
  EXPECT_EQ(surface_pixel(tip->m_hWnd, 1, 1), GetSysColor(COLOR_HIGHLIGHT));
  save(picture(), "report_list_tip_selected.png");
}

TEST_F(TitleTipTest, ClickOnTheTipActsOnTheListBelow) {
  POINT p = cell_point(0, 1);
  hover(p);
  ASSERT_TRUE(shown());
  parent.log.clear();
  click_list(p);
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 0);
  EXPECT_EQ(parent.log, (Log{"click4096", "click 0"}));
}

TEST_F(TitleTipTest, KeyThatMovesTheListTakesTheTipAway) {
  hover(cell_point(0, 1));
  ASSERT_TRUE(shown());
  // End selects the last row and scrolls to it; a short title now lies under the mouse.
  press_key(VK_END);
  pump();
  EXPECT_GT(list.GetTopIndex(), 0);
  EXPECT_FALSE(shown());
  EXPECT_NE(::GetCapture(), tip->m_hWnd);
}

TEST_F(TitleTipTest, KeyReachingTheTipHidesItAndGoesOnToTheList) {
  hover(cell_point(1, 1));
  ASSERT_TRUE(shown());
  ::PostMessage(tip->m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
  pump();
  // The list moved its focus to the first row, and the tip came back for the row under the mouse.
  EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 0);
  EXPECT_TRUE(shown());
}

TEST_F(TitleTipTest, NoTipWithoutFocusAndNoneAfterTheListIsGone) {
  list.GetParent()->SetFocus();
  ::SetFocus(nullptr);
  hover(cell_point(0, 1));
  EXPECT_FALSE(shown());
  HWND h = tip->m_hWnd;
  list.DestroyWindow();
  EXPECT_FALSE(::IsWindow(h));
}

}  // namespace
}  // namespace lumo::test
