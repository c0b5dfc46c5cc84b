// Non-client areas of frameless windows: sizes, hit-testing, coordinate mapping and the messages
// a click on each part produces.
#include <gtest/gtest.h>

#include "platform/win/cwnd.h"
#include "platform/win/system_metrics.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/message_log.h"
#include "tests/support/synthetic_input.h"

namespace {

using lumo::test::GuiTest;

LRESULT plain_proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

// Records mouse messages without acting on them (no move or size tracking starts).
LRESULT passive_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_NCLBUTTONDOWN || m == WM_LBUTTONDOWN) return 0;
  return DefWindowProc(h, m, w, l);
}

constexpr DWORD kChildFrame = WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU;

class NonClient : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    top = CreateWindowEx(0, lumo::test::test_window_class("NcTop", plain_proc), "", WS_POPUP | WS_VISIBLE,
                         100, 50, 400, 300, nullptr, nullptr, nullptr);
    frame = CreateWindowEx(WS_EX_CLIENTEDGE, lumo::test::test_window_class("NcFrame", passive_proc),
                           "Akt", kChildFrame, 20, 10, 200, 150, top, nullptr, nullptr);
  }
  HWND top = nullptr;
  HWND frame = nullptr;
};

TEST_F(NonClient, ClientAreaLeavesRoomForBordersCaptionAndEdge) {
  int border = GetSystemMetrics(SM_CXFRAME), caption = GetSystemMetrics(SM_CYCAPTION);
  int edge = GetSystemMetrics(SM_CXEDGE);
  RECT client;
  GetClientRect(frame, &client);
  EXPECT_EQ(CRect(client), CRect(0, 0, 200 - 2 * (border + edge), 150 - 2 * (border + edge) - caption));

  POINT origin{0, 0};
  ClientToScreen(frame, &origin);
  EXPECT_EQ(CPoint(origin), CPoint(100 + 20 + border + edge, 50 + 10 + border + caption + edge));
  POINT back = origin;
  ScreenToClient(frame, &back);
  EXPECT_EQ(CPoint(back), CPoint(0, 0));

  RECT window;
  GetWindowRect(frame, &window);
  EXPECT_EQ(CRect(window), CRect(120, 60, 320, 210));

  // The same sizes come out of AdjustWindowRectEx for a client rectangle.
  RECT grown = client;
  AdjustWindowRectEx(&grown, kChildFrame, FALSE, WS_EX_CLIENTEDGE);
  EXPECT_EQ(CRect(grown).Size(), CSize(200, 150));

  POINT pts[2] = {{0, 0}, {10, 10}};
  MapWindowPoints(frame, top, pts, 2);
  EXPECT_EQ(CPoint(pts[0]), CPoint(20 + border + edge, 10 + border + caption + edge));
}

TEST_F(NonClient, HitTestingNamesEachPart) {
  struct Case {
    POINT window_point;  // relative to the window's top-left corner
    int hit;
  };
  int border = GetSystemMetrics(SM_CXFRAME);
  const Case cases[] = {
      {{0, 0}, HTTOPLEFT},         {{100, 0}, HTTOP},         {{199, 0}, HTTOPRIGHT},
      {{0, 75}, HTLEFT},           {{199, 75}, HTRIGHT},      {{0, 149}, HTBOTTOMLEFT},
      {{100, 149}, HTBOTTOM},      {{199, 149}, HTBOTTOMRIGHT}, {{60, border + 5}, HTCAPTION},
      {{200 - border - 8, border + 8}, HTCLOSE},               {{100, 80}, HTCLIENT},
      {{100, 300}, HTNOWHERE},
  };
  RECT window;
  GetWindowRect(frame, &window);
  for (const Case& c : cases) {
    LPARAM at = MAKE_POINT_LPARAM(window.left + c.window_point.x, window.top + c.window_point.y);
    EXPECT_EQ(SendMessage(frame, WM_NCHITTEST, 0, at), c.hit)
        << "at " << c.window_point.x << "," << c.window_point.y;
  }
}

TEST_F(NonClient, ClicksBecomeClientOrNonClientMessages) {
  pump();
  lumo::test::MessageLog log({WM_LBUTTONDOWN, WM_NCLBUTTONDOWN, WM_LBUTTONUP, WM_NCLBUTTONUP});
  RECT window;
  GetWindowRect(frame, &window);
  POINT caption{window.left + 40, window.top + GetSystemMetrics(SM_CYFRAME) + 6};
  lumo::test::mouse_down(caption);
  lumo::test::click(frame, POINT{7, 9});
  pump();
  ASSERT_EQ(log.entries().size(), 3u);
  EXPECT_EQ(log.entries()[0].message, WM_NCLBUTTONDOWN);
  EXPECT_EQ(log.entries()[0].wParam, WPARAM(HTCAPTION));
  EXPECT_EQ(log.entries()[0].lParam, MAKE_POINT_LPARAM(caption.x, caption.y));
  EXPECT_EQ(log.entries()[1].message, WM_LBUTTONDOWN);
  EXPECT_EQ(log.entries()[1].lParam, MAKE_POINT_LPARAM(7, 9));
  EXPECT_EQ(log.entries()[1].wParam & MK_LBUTTON, WPARAM(MK_LBUTTON));
  EXPECT_EQ(log.entries()[1].hwnd, frame);
  EXPECT_EQ(log.entries()[2].message, WM_LBUTTONUP);
}

TEST_F(NonClient, DraggingTheCaptionMovesTheWindow) {
  HWND tracked = CreateWindowEx(0, lumo::test::test_window_class("NcMovable", plain_proc), "", kChildFrame,
                           50, 40, 120, 90, top, nullptr, nullptr);
  pump();
  RECT before;
  GetWindowRect(tracked, &before);
  POINT start{before.left + 30, before.top + GetSystemMetrics(SM_CYFRAME) + 6};
  lumo::test::mouse_down(start);
  // The move loop runs inside the dispatch of the press; the rest of the drag arrives meanwhile.
  lumo::test::when_captured([start] {
    lumo::test::mouse_move(POINT{start.x + 15, start.y + 7});
    lumo::test::mouse_up(POINT{start.x + 25, start.y + 12});
  });
  pump();
  RECT after;
  GetWindowRect(tracked, &after);
  EXPECT_EQ(CRect(after), CRect(before) + CPoint(25, 12));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(NonClient, MaximisingFillsTheParentAndPlacementRemembersTheNormalRectangle) {
  ShowWindow(frame, SW_MAXIMIZE);
  EXPECT_TRUE(IsZoomed(frame));
  RECT r;
  GetWindowRect(frame, &r);
  EXPECT_EQ(CRect(r), CRect(100, 50, 500, 350));  // the top window's whole client area
  WINDOWPLACEMENT placement;
  ASSERT_TRUE(GetWindowPlacement(frame, &placement));
  EXPECT_EQ(placement.showCmd, UINT(SW_SHOWMAXIMIZED));
  EXPECT_EQ(CRect(placement.rcNormalPosition), CRect(20, 10, 220, 160));
  ShowWindow(frame, SW_RESTORE);
  EXPECT_FALSE(IsZoomed(frame));
  GetWindowRect(frame, &r);
  EXPECT_EQ(CRect(r), CRect(120, 60, 320, 210));

  placement.showCmd = SW_SHOWNORMAL;
  placement.rcNormalPosition = RECT{30, 30, 130, 90};
  ASSERT_TRUE(SetWindowPlacement(frame, &placement));
  GetWindowRect(frame, &r);
  EXPECT_EQ(CRect(r), CRect(130, 80, 230, 140));
}

TEST_F(NonClient, TheDesktopIsTheScreen) {
  HWND desktop = GetDesktopWindow();
  ASSERT_TRUE(IsWindow(desktop));
  EXPECT_EQ(GetDesktopWindow(), desktop);
  CRect screen;
  CWnd::FromHandle(desktop)->GetWindowRect(screen);
  EXPECT_EQ(screen, CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
  EXPECT_EQ(GetWindow(desktop, GW_CHILD), top);  // the topmost top-level window
  EXPECT_EQ(GetParent(top), nullptr);
  EXPECT_FALSE(DestroyWindow(desktop));
  POINT p{5, 6};
  MapWindowPoints(desktop, frame, &p, 1);
  POINT q{5, 6};
  ScreenToClient(frame, &q);
  EXPECT_EQ(CPoint(p), CPoint(q));
  HWND owned = CreateWindowEx(0, "NcTop", "", WS_POPUP, 0, 0, 10, 10, desktop, nullptr, nullptr);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), nullptr);
}

TEST(DialogUnits, MapToPixelsWithTheSystemFontUnits) {
  RECT r{10, 40, 60, 54};  // a button of a dialog template
  ASSERT_TRUE(MapDialogRect(nullptr, &r));
  EXPECT_EQ(CRect(r), CRect(15, 65, 90, 88));  // 6 x 13 base units: x * 6 / 4, y * 13 / 8
}

}  // namespace
