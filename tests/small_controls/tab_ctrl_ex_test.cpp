// The tab control with disabled tabs in a property sheet: keys and clicks skip a disabled tab,
// disabling the selected tab moves tab and page together, and the tabs' look.
#include "controls/tab_ctrl_ex.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>

#include "controls/base/gs_property_sheet.h"
#include "platform/base/cp1250.h"
#include "platform/framework/control_messages.h"
#include "platform/res/resource_store.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_surface.h"
#include "tests/small_controls/controls_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

constexpr UINT IDD_TAB_PAGE_FIRST = 9474;

void register_pages() {
  static bool done = [] {
    static const res::DialogControlResource find[] = {
        {UINT(-1), "Static", "Szukane słowa:", {7, 7, 150, 17}, WS_VISIBLE | SS_LEFT, 0},
        {1400, "Edit", "", {7, 19, 190, 31}, WS_VISIBLE | WS_BORDER | WS_TABSTOP, 0},
    };
    static const res::DialogControlResource go_to[] = {
        {UINT(-1), "Static", "Rok i pozycja:", {7, 7, 150, 17}, WS_VISIBLE | SS_LEFT, 0},
        {1401, "Edit", "", {7, 19, 60, 31}, WS_VISIBLE | WS_BORDER | WS_TABSTOP, 0},
    };
    static const res::DialogControlResource in_act[] = {
        {UINT(-1), "Static", "Znajdź w bieżącym akcie:", {7, 7, 150, 17}, WS_VISIBLE | SS_LEFT, 0},
        {1402, "Edit", "", {7, 19, 190, 31}, WS_VISIBLE | WS_BORDER | WS_TABSTOP, 0},
    };
    const DWORD style = WS_CHILD | WS_CAPTION | DS_SETFONT;
    res::add_dialog({IDD_TAB_PAGE_FIRST, "Kwerenda", {0, 0, 200, 60}, style, 0, "MS Sans Serif", 8, find});
    res::add_dialog({IDD_TAB_PAGE_FIRST + 1, "Znajdź w akcie", {0, 0, 200, 60}, style, 0, "MS Sans Serif", 8, in_act});
    res::add_dialog({IDD_TAB_PAGE_FIRST + 2, "Idź do", {0, 0, 200, 60}, style, 0, "MS Sans Serif", 8, go_to});
    return true;
  }();
  (void)done;
}

class Page : public CPropertyPage {
 public:
  using CPropertyPage::CPropertyPage;
  bool may_leave = true;
  BOOL OnKillActive() override { return may_leave; }
};

class TabCtrlExTest : public SmallControlsTest {
 protected:
  void SetUp() override {
    SmallControlsTest::SetUp();
    register_pages();
    sheet = std::make_unique<CGSPropertySheet>(base::cp1250::from_utf8("Szukaj i idź do").c_str());
    for (Page& page : pages) sheet->AddPage(&page);
    ASSERT_TRUE(sheet->Create());
    ASSERT_TRUE(tabs.SubclassSheetTabs(sheet.get()));
    pump();
  }
  void TearDown() override {
    if (sheet->m_hWnd) sheet->DestroyWindow();
    sheet.reset();
    SmallControlsTest::TearDown();
  }
  // The tab and the page shown go together.
  void expect_on(int index) {
    EXPECT_EQ(tabs.GetCurSel(), index);
    EXPECT_EQ(sheet->GetActiveIndex(), index);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(pages[i].IsWindowVisible() != FALSE, i == index) << "page " << i;
  }
  void key(int vk) {
    tabs.SetFocus();
    press_key(vk);
    pump();
  }
  void click_tab(int index) {
    CRect r;
    tabs.GetItemRect(index, &r);
    click(tabs.m_hWnd, POINT{r.left + 5, r.top + 5});
    pump();
  }

  Page pages[3] = {Page(IDD_TAB_PAGE_FIRST), Page(IDD_TAB_PAGE_FIRST + 1), Page(IDD_TAB_PAGE_FIRST + 2)};
  std::unique_ptr<CGSPropertySheet> sheet;
  CTabCtrlEx tabs;
};

TEST_F(TabCtrlExTest, KeysStepOverADisabledTab) {
  EXPECT_TRUE(tabs.GetStyle() & TCS_OWNERDRAWFIXED);
  ASSERT_TRUE(tabs.EnableTab(1, FALSE));
  EXPECT_FALSE(tabs.IsTabEnabled(1));
  expect_on(0);
  key(VK_RIGHT);
  expect_on(2);
  key(VK_RIGHT);
  expect_on(0);
  key(VK_LEFT);
  expect_on(2);
  key(VK_UP);
  expect_on(0);
  key(VK_DOWN);
  expect_on(2);
  // A page that keeps the sheet keeps its tab too.
  pages[2].may_leave = false;
  key(VK_LEFT);
  expect_on(2);
}

TEST_F(TabCtrlExTest, AClickOnADisabledTabDoesNothing) {
  ASSERT_TRUE(tabs.EnableTab(1, FALSE));
  click_tab(1);
  expect_on(0);
  click_tab(2);
  expect_on(2);
  pages[2].may_leave = false;
  click_tab(0);
  expect_on(2);
  pages[2].may_leave = true;
  // Enabled again, the tab takes clicks again.
  ASSERT_TRUE(tabs.EnableTab(1, TRUE));
  EXPECT_TRUE(tabs.IsTabEnabled(1));
  click_tab(1);
  expect_on(1);
}

TEST_F(TabCtrlExTest, DisablingTheSelectedTabMovesTabAndPageOn) {
  click_tab(1);
  expect_on(1);
  ASSERT_TRUE(tabs.EnableTab(1, FALSE));
  expect_on(2);
  // From the last tab the search goes on at the first.
  ASSERT_TRUE(tabs.EnableTab(2, FALSE));
  expect_on(0);
  // The only enabled tab cannot be disabled; nothing changes.
  EXPECT_FALSE(tabs.EnableTab(0, FALSE));
  EXPECT_TRUE(tabs.IsTabEnabled(0));
  expect_on(0);
  // A page that keeps the sheet keeps its tab enabled.
  ASSERT_TRUE(tabs.EnableTab(2, TRUE));
  pages[0].may_leave = false;
  EXPECT_FALSE(tabs.EnableTab(0, FALSE));
  expect_on(0);
  // Indexes outside the tabs.
  EXPECT_FALSE(tabs.EnableTab(3, FALSE));
  EXPECT_FALSE(tabs.EnableTab(-1, TRUE));
  EXPECT_FALSE(tabs.IsTabEnabled(3));
  EXPECT_TRUE(tabs.EnableTab(2, TRUE));  // already so
}

TEST_F(TabCtrlExTest, TheSheetsOwnMovesKeepTabAndPageTogether) {
  ASSERT_TRUE(tabs.EnableTab(1, FALSE));
  // The sheet asked for the disabled page: tab and page step on together.
  sheet->SetActivePage(1);
  pump();
  expect_on(2);
  sheet->SetActivePage(0);
  expect_on(0);
  // Ctrl+Tab asks the sheet for the next page.
  tabs.SetFocus();
  press_key(VK_TAB, 0, win::KeyModifiers{false, true, false});
  pump();
  expect_on(2);
}

TEST_F(TabCtrlExTest, DisabledTabsAreDrawnEmbossed) {
  ASSERT_TRUE(tabs.EnableTab(1, FALSE));
  sheet->UpdateWindow();
  tabs.Invalidate();
  pump();
  ASSERT_TRUE(save_window_png(sheet->m_hWnd, png("tabs_disabled.png"), true));
  // Inside the tabs' borders: the enabled tabs' labels are dark strokes; the disabled tab's label
  // has none, only grey strokes with white ones beside them.
  const QImage surface = win::window_surface(tabs.m_hWnd);
  auto count = [&](int index, bool (*wanted)(QRgb)) {
    CRect r;
    tabs.GetItemRect(index, &r);
    r.DeflateRect(3, 3);
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) n += wanted(surface.pixel(x, y));
    }
    return n;
  };
  auto dark = [](QRgb c) { return qRed(c) < 0x50 && qGreen(c) < 0x50 && qBlue(c) < 0x50; };
  // Smoothed strokes: grey shades between the face and black, and shades near white.
  auto grey = [](QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) >= 0x60 && qRed(c) <= 0xA8; };
  auto white = [](QRgb c) { return qRed(c) >= 0xE0 && qGreen(c) >= 0xE0 && qBlue(c) >= 0xE0; };
  EXPECT_GT(count(0, dark), 10);
  EXPECT_GT(count(2, dark), 10);
  EXPECT_EQ(count(1, dark), 0);
  EXPECT_GT(count(1, grey), 10);
  EXPECT_GT(count(1, white), 10);
}

}  // namespace
}  // namespace lumo::test
