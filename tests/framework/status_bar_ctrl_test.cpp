// The status-bar control: parts and their texts, the rectangles the owner lays panes out with,
// owner-drawn parts drawn by the parent, the size grip, and placement along the parent's edge.
#include "platform/controls/status_bar_ctrl.h"

#include <vector>

#include "platform/win/system_metrics.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/surface_png.h"

namespace lumo::test {
namespace {

constexpr UINT kBarId = 0xE801;

// The owner of the bar: records the owner-drawn parts it is asked to draw and fills them red.
std::vector<DRAWITEMSTRUCT> drawn;
LRESULT owner_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    drawn.push_back(*dis);
    CDC dc;
    dc.Attach(dis->hDC);
    dc.FillSolidRect(&dis->rcItem, RGB(255, 0, 0));
    dc.Detach();
    return TRUE;
  }
  return DefWindowProc(h, message, wParam, lParam);
}

class StatusBarCtrlTest : public GuiTest {
 protected:
  HWND owner = nullptr;
  CWnd owner_wnd;
  CStatusBarCtrl bar;
  void SetUp() override {
    GuiTest::SetUp();
    drawn.clear();
    owner = CreateWindowEx(0, test_window_class("StatusOwner", owner_proc), "", WS_POPUP | WS_VISIBLE | WS_THICKFRAME,
                           0, 0, 400, 200, nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner);
    owner_wnd.Attach(owner);
  }
  void TearDown() override {
    if (bar.m_hWnd) bar.DestroyWindow();
    owner_wnd.Detach();
    DestroyWindow(owner);
    GuiTest::TearDown();
  }
  void make(DWORD style) {
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | style, CRect(0, 170, 400, 200), &owner_wnd, kBarId));
  }
  CRect part(int i) {
    CRect r;
    EXPECT_TRUE(bar.GetRect(i, &r));
    return r;
  }
};

TEST_F(StatusBarCtrlTest, PartsKeepTheirEdgesTextsAndTypes) {
  make(CCS_NORESIZE | CCS_NOPARENTALIGN);
  const int edges[] = {100, 200, -1};
  ASSERT_TRUE(bar.SetParts(3, edges));
  int got[3] = {};
  EXPECT_EQ(bar.GetParts(3, got), 3);
  EXPECT_EQ(std::vector<int>(got, got + 3), std::vector<int>(edges, edges + 3));
  // Asking for fewer copies fewer but still tells the count.
  int one = 0;
  EXPECT_EQ(bar.GetParts(1, &one), 3);
  EXPECT_EQ(one, 100);

  ASSERT_TRUE(bar.SetText("Gotowy", 0, SBT_NOBORDERS));
  ASSERT_TRUE(bar.SetText("NUM", 2, SBT_POPOUT));
  int type = 0;
  EXPECT_EQ(std::string(bar.GetText(0, &type)), "Gotowy");
  EXPECT_EQ(type, int(SBT_NOBORDERS));
  EXPECT_EQ(bar.GetTextLength(2, &type), 3);
  EXPECT_EQ(type, int(SBT_POPOUT));
  EXPECT_FALSE(bar.SetText("poza", 3, 0));

  // Boxes: the first starts at the horizontal border, each next one after the gap, the last
  // runs to the right end; all below the vertical border.
  int h = 0, v = 0, gap = 0;
  ASSERT_TRUE(bar.GetBorders(h, v, gap));
  EXPECT_EQ(part(0), CRect(h, v, 100, 30));
  EXPECT_EQ(part(1), CRect(100 + gap, v, 200, 30));
  EXPECT_EQ(part(2), CRect(200 + gap, v, 400 - h, 30));
  CRect none(1, 1, 2, 2);
  EXPECT_FALSE(bar.GetRect(3, &none));
  EXPECT_TRUE(none.IsRectEmpty());

  // The window text is the first part's.
  bar.SetWindowText("Drukowanie...");
  EXPECT_EQ(std::string(bar.GetText(0)), "Drukowanie...");
  CString text;
  bar.GetWindowText(text);
  EXPECT_EQ(std::string(text), "Drukowanie...");

  // Bad part tables are refused and change nothing; fewer parts keep the remaining texts.
  EXPECT_FALSE(bar.SetParts(0, edges));
  std::vector<int> too_many(controls::kMaxStatusParts + 1, 10);
  EXPECT_FALSE(bar.SetParts(int(too_many.size()), too_many.data()));
  EXPECT_FALSE(bar.SetParts(2, nullptr));
  EXPECT_EQ(bar.GetParts(0, nullptr), 3);
  ASSERT_TRUE(bar.SetParts(1, edges));
  EXPECT_EQ(std::string(bar.GetText(0)), "Drukowanie...");
  EXPECT_EQ(bar.GetTextLength(1), 0);
}

TEST_F(StatusBarCtrlTest, OwnerDrawnPartsAreDrawnByTheParentWithTheirValue) {
  make(CCS_NORESIZE | CCS_NOPARENTALIGN);
  const int edges[] = {150, -1};
  ASSERT_TRUE(bar.SetParts(2, edges));
  ASSERT_TRUE(bar.SetText("lewa\t\x9Crodek\tprawa", 0, 0));
  ASSERT_TRUE(bar.SendMessage(SB_SETTEXT, 1 | SBT_OWNERDRAW, LPARAM(0x1234)));
  EXPECT_EQ(bar.SendMessage(SB_GETTEXT, 1, 0), 0x1234);
  int type = 0;
  EXPECT_TRUE(bar.GetText(1, &type).IsEmpty());
  EXPECT_EQ(type, int(SBT_OWNERDRAW));

  bar.UpdateWindow();
  pump();
  ASSERT_FALSE(drawn.empty());
  const DRAWITEMSTRUCT& d = drawn.back();
  EXPECT_EQ(d.CtlID, kBarId);
  EXPECT_EQ(d.itemID, 1u);
  EXPECT_EQ(d.itemData, 0x1234u);
  EXPECT_EQ(d.hwndItem, bar.m_hWnd);
  CRect box = part(1);
  box.DeflateRect(1, 1);
  EXPECT_EQ(CRect(d.rcItem), box);
  // The parent's red is inside the part; the text part keeps the face colour around its text.
  EXPECT_EQ(surface_pixel(bar, box.CenterPoint().x, box.CenterPoint().y), DWORD(RGB(255, 0, 0)));
  EXPECT_NE(surface_pixel(bar, 5, 15), DWORD(RGB(255, 0, 0)));
  save_surface_png(bar, testing::TempDir() + "status_bar_ctrl.png");
}

TEST_F(StatusBarCtrlTest, SizeGripAnswersTheHitTestAndEndsTheLastPart) {
  make(CCS_NORESIZE | CCS_NOPARENTALIGN | SBARS_SIZEGRIP);
  const int edges[] = {100, -1};
  ASSERT_TRUE(bar.SetParts(2, edges));
  int grip = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(part(1).right, 400 - grip);
  CPoint corner(398, 28), middle(50, 15);
  bar.ClientToScreen(&corner);
  bar.ClientToScreen(&middle);
  EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTBOTTOMRIGHT);
  EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)), HTCLIENT);

  // Without the style there is no grip.
  bar.ModifyStyle(SBARS_SIZEGRIP, 0);
  EXPECT_EQ(part(1).right, 400);
  EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTCLIENT);
}

TEST_F(StatusBarCtrlTest, WithoutPlacementStylesTheBarFollowsTheParentsBottomEdge) {
  make(0);
  CRect parent;
  owner_wnd.GetClientRect(&parent);
  bar.SendMessage(WM_SIZE);
  CRect r;
  bar.GetWindowRect(&r);
  owner_wnd.ScreenToClient(&r);
  EXPECT_EQ(r.bottom, parent.bottom);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.Width(), parent.Width());
  int natural = r.Height();
  EXPECT_GT(natural, 10);

  // A minimum height above the font's raises the bar.
  bar.SetMinHeight(natural + 10);
  bar.SendMessage(WM_SIZE);
  bar.GetWindowRect(&r);
  owner_wnd.ScreenToClient(&r);
  EXPECT_GT(r.Height(), natural + 10);
  EXPECT_EQ(r.bottom, parent.bottom);

  // CCS_NORESIZE leaves the bar where its owner put it.
  bar.ModifyStyle(0, CCS_NORESIZE);
  bar.MoveWindow(10, 20, 100, 25);
  bar.SendMessage(WM_SIZE);
  bar.GetWindowRect(&r);
  owner_wnd.ScreenToClient(&r);
  EXPECT_EQ(r, CRect(10, 20, 110, 45));
}

}  // namespace
}  // namespace lumo::test
