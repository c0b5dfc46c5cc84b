// A window's own scroll bars: range, page and position rules, showing and hiding with the client
// area following, and the requests clicks and drags on the bar send.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win/cwnd.h"
#include "platform/win/scroll_bars.h"
#include "platform/win/system_metrics.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/synthetic_input.h"

namespace {

using lumo::test::GuiTest;

std::vector<std::pair<UINT, int>> g_requests;  // (code, position)

LRESULT scrolled_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_VSCROLL) {
    g_requests.emplace_back(LOWORD(w), short(HIWORD(w)));
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

class ScrollBars : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    g_requests.clear();
    const char* cls = lumo::test::test_window_class("ScrolledWnd", scrolled_proc);
    top = CreateWindowEx(0, cls, "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr, nullptr);
    view = CreateWindowEx(0, cls, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 200, top, nullptr, nullptr);
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = 99;
    info.nPage = 10;
    info.nPos = 0;
    SetScrollInfo(view, SB_VERT, &info, TRUE);
    pump();
  }
  int client_width() {
    RECT r;
    GetClientRect(view, &r);
    return r.right;
  }
  // A point of the bar strip, `from_top` pixels down, in screen coordinates.
  POINT bar_point(int from_top) {
    RECT w;
    GetWindowRect(view, &w);
    return POINT{w.right - GetSystemMetrics(SM_CXVSCROLL) / 2, w.top + from_top};
  }
  void press_and_release(POINT p) {
    lumo::test::mouse_down(p);
    lumo::test::when_captured([p] { lumo::test::mouse_up(p); });
    pump();
  }
  HWND top = nullptr;
  HWND view = nullptr;
};

TEST_F(ScrollBars, RangeShowsTheBarAndPositionStaysInRange) {
  EXPECT_EQ(client_width(), 100 - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(SetScrollPos(view, SB_VERT, 200, TRUE), 0);
  EXPECT_EQ(GetScrollPos(view, SB_VERT), 90);  // max - page + 1
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(view, SB_VERT, &info));
  EXPECT_EQ(info.nMax, 99);
  EXPECT_EQ(info.nPage, 10u);
  EXPECT_EQ(CWnd::FromHandle(view)->GetScrollLimit(SB_VERT), 90);

  SetScrollRange(view, SB_VERT, 0, 5, TRUE);  // fits in one page: the bar goes
  EXPECT_EQ(client_width(), 100);
  EXPECT_EQ(GetScrollPos(view, SB_VERT), 0);
  info.fMask = SIF_RANGE | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = 5;
  SetScrollInfo(view, SB_VERT, &info, TRUE);  // stays, disabled
  EXPECT_EQ(client_width(), 100 - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_TRUE(ShowScrollBar(view, SB_VERT, FALSE));
  EXPECT_EQ(client_width(), 100);
}

TEST_F(ScrollBars, ClicksOnArrowsAndTrackSendRequests) {
  int arrow = GetSystemMetrics(SM_CXVSCROLL);
  press_and_release(bar_point(200 - arrow / 2));  // down arrow
  press_and_release(bar_point(150));               // track below the thumb
  press_and_release(bar_point(arrow / 2));         // up arrow
  EXPECT_EQ(g_requests, (std::vector<std::pair<UINT, int>>{{SB_LINEDOWN, 0},
                                                           {SB_ENDSCROLL, 0},
                                                           {SB_PAGEDOWN, 0},
                                                           {SB_ENDSCROLL, 0},
                                                           {SB_LINEUP, 0},
                                                           {SB_ENDSCROLL, 0}}));
}

TEST_F(ScrollBars, DraggingTheThumbTracksAndEndsAtAPosition) {
  int arrow = GetSystemMetrics(SM_CXVSCROLL);
  POINT grab = bar_point(arrow + 3);  // on the thumb at the top of the track
  // The track is 200 - 2 * 16 = 168 pixels, the thumb 16 (a tenth): 152 pixels for 90 positions.
  POINT end = grab;
  end.y += 76;
  lumo::test::mouse_down(grab);
  lumo::test::when_captured([end] {
    lumo::test::mouse_move(end);
    lumo::test::mouse_up(end);
  });
  pump();
  EXPECT_EQ(g_requests, (std::vector<std::pair<UINT, int>>{{SB_THUMBTRACK, 45},
                                                           {SB_THUMBPOSITION, 45},
                                                           {SB_ENDSCROLL, 0}}));
  EXPECT_EQ(GetScrollPos(view, SB_VERT), 0);  // the window sets it itself
}

}  // namespace
