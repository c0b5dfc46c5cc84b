// Hover tracking: a window hears once when the mouse leaves it or rests over it, for its client
// or its non-client area; requests end with their answer, when another window is tracked, when
// cancelled, or when the window goes; a mouse capture holds the answers back.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "platform/win/input_translation.h"
#include "platform/win/mouse_tracking.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/message_log.h"
#include "tests/support/synthetic_input.h"

namespace {

using lumo::test::mouse_move;
using lumo::test::screen_point;

LRESULT plain_proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

class HoverTracking : public lumo::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    const char* cls = lumo::test::test_window_class("HoverWnd", plain_proc);
    top = CreateWindowEx(0, cls, "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr, nullptr);
    left = CreateWindowEx(0, cls, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top, nullptr, nullptr);
    right = CreateWindowEx(0, cls, "", WS_CHILD | WS_VISIBLE, 100, 0, 100, 100, top, nullptr, nullptr);
    // A window with a caption: its non-client area can be tracked too.
    captioned = CreateWindowEx(0, cls, "Okno", WS_CHILD | WS_VISIBLE | WS_CAPTION, 200, 0, 100, 100, top, nullptr,
                               nullptr);
    pump();
  }
  static BOOL track(HWND h, DWORD flags, DWORD hover_time = HOVER_DEFAULT) {
    TRACKMOUSEEVENT e{sizeof(TRACKMOUSEEVENT), flags, h, hover_time};
    return TrackMouseEvent(&e);
  }
  static TRACKMOUSEEVENT query() {
    TRACKMOUSEEVENT e{sizeof(TRACKMOUSEEVENT), TME_QUERY, nullptr, 0};
    EXPECT_TRUE(TrackMouseEvent(&e));
    return e;
  }
  // Runs the loop until `log` holds `count` entries or half a second has passed.
  static void wait_for(const lumo::test::MessageLog& log, size_t count) {
    QElapsedTimer clock;
    clock.start();
    while (log.entries().size() < count && clock.elapsed() < 500) pump();
  }
  // Runs the loop for `ms` milliseconds.
  static void idle(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) pump();
  }

  HWND top = nullptr, left = nullptr, right = nullptr, captioned = nullptr;
};

TEST_F(HoverTracking, LeavingTheWindowIsToldOnceBeforeTheNextWindowHearsOfTheMouse) {
  mouse_move(screen_point(left, {50, 50}));
  pump();
  lumo::test::MessageLog log({WM_MOUSELEAVE, WM_MOUSEMOVE});
  ASSERT_TRUE(track(left, TME_LEAVE));
  EXPECT_EQ(query().hwndTrack, left);
  EXPECT_EQ(query().dwFlags, TME_LEAVE);
  mouse_move(screen_point(left, {90, 50}));
  mouse_move(screen_point(right, {10, 50}));
  mouse_move(screen_point(left, {50, 50}));
  pump();
  std::vector<std::pair<HWND, UINT>> seen;
  for (const auto& e : log.entries()) seen.emplace_back(e.hwnd, e.message);
  EXPECT_EQ(seen, (std::vector<std::pair<HWND, UINT>>{
                      {left, WM_MOUSEMOVE}, {left, WM_MOUSELEAVE}, {right, WM_MOUSEMOVE}, {left, WM_MOUSEMOVE}}));
  // The request ended with its answer.
  EXPECT_EQ(query().hwndTrack, nullptr);
  EXPECT_EQ(query().dwFlags, 0u);
}

TEST_F(HoverTracking, LeaveIsToldAtOnceWhenTheMouseIsElsewhereOrLeavesTheProgram) {
  mouse_move(screen_point(right, {50, 50}));
  pump();
  lumo::test::MessageLog log({WM_MOUSELEAVE});
  ASSERT_TRUE(track(left, TME_LEAVE));
  pump();
  EXPECT_EQ(log.messages_of(left), std::vector<UINT>{WM_MOUSELEAVE});
  log.clear();
  ASSERT_TRUE(track(right, TME_LEAVE));
  win::mouse_leave_input();
  pump();
  EXPECT_EQ(log.messages_of(right), std::vector<UINT>{WM_MOUSELEAVE});
  // Beyond every window (the desktop) is leaving too.
  mouse_move(screen_point(right, {50, 50}));
  ASSERT_TRUE(track(right, TME_LEAVE));
  log.clear();
  mouse_move(POINT{1000, 700});
  pump();
  EXPECT_EQ(log.messages_of(right), std::vector<UINT>{WM_MOUSELEAVE});
}

TEST_F(HoverTracking, RestingMouseIsToldOnceWithItsClientPoint) {
  mouse_move(screen_point(left, {40, 30}));
  pump();
  lumo::test::MessageLog log({WM_MOUSEHOVER});
  ASSERT_TRUE(track(left, TME_HOVER, 30));
  EXPECT_EQ(query().dwHoverTime, 30u);
  // Small moves inside the hover rectangle do not start the wait again.
  mouse_move(screen_point(left, {41, 31}));
  wait_for(log, 1);
  ASSERT_EQ(log.entries().size(), 1u);
  EXPECT_EQ(log.entries()[0].hwnd, left);
  EXPECT_EQ(log.entries()[0].lParam, MAKE_POINT_LPARAM(41, 31));
  idle(80);
  EXPECT_EQ(log.entries().size(), 1u);
  EXPECT_EQ(query().hwndTrack, nullptr);
}

TEST_F(HoverTracking, MovingOnStartsTheWaitAgainAndCancelEndsIt) {
  mouse_move(screen_point(left, {10, 10}));
  pump();
  lumo::test::MessageLog log({WM_MOUSEHOVER, WM_MOUSELEAVE});
  ASSERT_TRUE(track(left, TME_HOVER | TME_LEAVE, 60));
  idle(40);
  EXPECT_TRUE(log.entries().empty());
  // Out of the hover rectangle: the whole wait starts again.
  QElapsedTimer clock;
  clock.start();
  mouse_move(screen_point(left, {30, 30}));
  wait_for(log, 1);
  ASSERT_EQ(log.entries().size(), 1u);
  EXPECT_EQ(log.entries()[0].message, WM_MOUSEHOVER);
  EXPECT_GE(clock.elapsed(), 58);
  // The leave request is still there; cancelled, nothing more comes.
  EXPECT_EQ(query().dwFlags, TME_LEAVE);
  ASSERT_TRUE(track(left, TME_CANCEL | TME_LEAVE));
  EXPECT_EQ(query().hwndTrack, nullptr);
  mouse_move(screen_point(right, {30, 30}));
  idle(20);
  EXPECT_EQ(log.entries().size(), 1u);
}

TEST_F(HoverTracking, NonClientPartIsTrackedApart) {
  CRect window;
  GetWindowRect(captioned, &window);
  POINT on_caption{window.left + 20, window.top + 8};
  mouse_move(on_caption);
  pump();
  lumo::test::MessageLog log({WM_NCMOUSEHOVER, WM_NCMOUSELEAVE, WM_MOUSELEAVE});
  // A client request while the mouse is over the caption is answered at once.
  ASSERT_TRUE(track(captioned, TME_LEAVE));
  pump();
  EXPECT_EQ(log.messages_of(captioned), std::vector<UINT>{WM_MOUSELEAVE});
  log.clear();
  ASSERT_TRUE(track(captioned, TME_HOVER | TME_LEAVE | TME_NONCLIENT, 20));
  wait_for(log, 1);
  ASSERT_EQ(log.entries().size(), 1u);
  EXPECT_EQ(log.entries()[0].message, WM_NCMOUSEHOVER);
  EXPECT_EQ(log.entries()[0].wParam, WPARAM(HTCAPTION));
  EXPECT_EQ(log.entries()[0].lParam, MAKE_POINT_LPARAM(on_caption.x, on_caption.y));
  // Into the client area: the non-client part is left.
  mouse_move(screen_point(captioned, {20, 20}));
  pump();
  ASSERT_EQ(log.entries().size(), 2u);
  EXPECT_EQ(log.entries()[1].message, WM_NCMOUSELEAVE);
}

TEST_F(HoverTracking, CaptureHoldsTheAnswerBackAndAGoneWindowHearsNothing) {
  mouse_move(screen_point(left, {50, 50}));
  pump();
  lumo::test::MessageLog log({WM_MOUSELEAVE});
  ASSERT_TRUE(track(left, TME_LEAVE));
  SetCapture(left);
  mouse_move(screen_point(right, {50, 50}));
  pump();
  EXPECT_TRUE(log.entries().empty());
  ReleaseCapture();
  mouse_move(screen_point(right, {51, 50}));
  pump();
  EXPECT_EQ(log.messages_of(left), std::vector<UINT>{WM_MOUSELEAVE});

  // Tracking one window ends the tracking of another; a window that goes is forgotten.
  log.clear();
  mouse_move(screen_point(left, {50, 50}));
  ASSERT_TRUE(track(left, TME_LEAVE));
  mouse_move(screen_point(right, {50, 50}));
  pump();
  log.clear();
  ASSERT_TRUE(track(right, TME_LEAVE | TME_HOVER, 10));
  DestroyWindow(right);
  EXPECT_EQ(query().hwndTrack, nullptr);
  idle(30);
  EXPECT_TRUE(log.entries().empty());
  // Bad requests.
  EXPECT_FALSE(track(right, TME_LEAVE));
  TRACKMOUSEEVENT short_record{sizeof(TRACKMOUSEEVENT) - 4, TME_LEAVE, left, 0};
  EXPECT_FALSE(TrackMouseEvent(&short_record));
  EXPECT_FALSE(TrackMouseEvent(nullptr));
}

}  // namespace
