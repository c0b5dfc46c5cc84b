// Mouse capture through a nested tracking loop, as bar, splitter and button drags run it.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win/cwnd.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/message_log.h"
#include "tests/support/synthetic_input.h"

namespace {

using lumo::test::GuiTest;

class DragSource : public CWnd {
 public:
  std::vector<CPoint> moves;  // client coordinates seen during the drag
  CPoint released_at{-1, -1};
  bool loop_ended_by_capture_loss = false;
  int capture_changed = 0;

 protected:
  afx_msg void OnLButtonDown(UINT, CPoint) {
    SetCapture();
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0) > 0) {
      if (CWnd::GetCapture() != this) {
        loop_ended_by_capture_loss = true;
        DispatchMessage(&msg);
        break;
      }
      if (msg.message == WM_MOUSEMOVE && msg.hwnd == m_hWnd) {
        moves.emplace_back(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
      } else if (msg.message == WM_LBUTTONUP && msg.hwnd == m_hWnd) {
        released_at = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        break;
      } else {
        DispatchMessage(&msg);
      }
    }
    if (CWnd::GetCapture() == this) ReleaseCapture();
  }
  afx_msg void OnCaptureChanged(CWnd*) { ++capture_changed; }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DragSource, CWnd)
  ON_WM_LBUTTONDOWN()
  ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

class Capture : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ASSERT_TRUE(top.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    ASSERT_TRUE(source.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 60), &top, 1));
    ASSERT_TRUE(other.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(100, 10, 200, 100), &top, 2));
    pump();
  }
  CWnd top;
  DragSource source;
  CWnd other;
};

TEST_F(Capture, TheCaptureWindowGetsEveryMoveUntilRelease) {
  lumo::test::MessageLog log({WM_MOUSEMOVE, WM_LBUTTONUP, WM_SETCURSOR, WM_NCHITTEST});
  POINT over_other = lumo::test::screen_point(other.m_hWnd, POINT{20, 20});
  POINT outside{400, 500};
  lumo::test::mouse_down(lumo::test::screen_point(source.m_hWnd, POINT{5, 5}));
  lumo::test::when_captured([&] {
    lumo::test::mouse_move(over_other);
    lumo::test::mouse_move(outside);
    lumo::test::mouse_up(outside);
  });
  pump();
  POINT expected_other = over_other, expected_outside = outside;
  ScreenToClient(source.m_hWnd, &expected_other);
  ScreenToClient(source.m_hWnd, &expected_outside);
  EXPECT_EQ(source.moves, (std::vector<CPoint>{expected_other, expected_outside}));
  EXPECT_EQ(source.released_at, CPoint(expected_outside));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(source.capture_changed, 1);
  for (const auto& e : log.entries()) EXPECT_NE(e.hwnd, other.m_hWnd) << "message " << e.message;
}

TEST_F(Capture, TakingTheCaptureAwayEndsTheLoop) {
  lumo::test::mouse_down(lumo::test::screen_point(source.m_hWnd, POINT{5, 5}));
  lumo::test::when_captured([&] {
    other.SetCapture();
    PostMessage(other.m_hWnd, WM_NULL, 0, 0);
  });
  pump();
  EXPECT_TRUE(source.loop_ended_by_capture_loss);
  EXPECT_EQ(GetCapture(), other.m_hWnd);
  ReleaseCapture();
}

}  // namespace
