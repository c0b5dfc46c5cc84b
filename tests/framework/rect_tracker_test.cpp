// The rectangle tracker: handles and their hit tests, moving and resizing with the mouse through
// a derived tracker's adjustments, the minimum size, and cancelling.
#include "platform/framework/rect_tracker.h"

#include <functional>
#include <vector>

#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

// Snaps to a 10-pixel grid when asked, and records what it is told.
class GridTracker : public CRectTracker {
 public:
  using CRectTracker::CRectTracker;
  bool snap = false;
  int changes = 0;
  std::vector<bool> final_draws;
  void AdjustRect(int, LPRECT r) override {
    if (!snap) return;
    auto round = [](LONG v) { return LONG((v + 5) / 10 * 10); };
    r->left = round(r->left), r->top = round(r->top), r->right = round(r->right), r->bottom = round(r->bottom);
  }
  void OnChangedRect(const CRect&) override { ++changes; }
  void DrawTrackerRect(LPCRECT r, CWnd* clip, CDC* dc, CWnd* wnd) override {
    final_draws.push_back(m_bFinalErase);
    CRectTracker::DrawTrackerRect(r, clip, dc, wnd);
  }
};

// Starts the tracker on a press.
class Canvas : public CWnd {
 public:
  std::function<BOOL(CPoint)> on_press;
  BOOL result = -1;
  afx_msg void OnLButtonDown(UINT, CPoint point) { result = on_press(point); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Canvas, CWnd)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class RectTrackerTest : public FrameworkTest {
 protected:
  Canvas canvas;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(canvas.CreateEx(0, nullptr, "Płótno", WS_POPUP | WS_VISIBLE, CRect(100, 100, 400, 300), nullptr, 0));
    pump();
  }
  POINT at(int x, int y) { return screen_point(canvas.m_hWnd, POINT{x, y}); }
  void drag(POINT from, std::vector<POINT> path, bool escape = false) {
    mouse_down(at(from.x, from.y));
    when_captured([=, this] {
      for (POINT p : path) mouse_move(at(p.x, p.y));
      if (escape) {
        press_key(VK_ESCAPE);
      } else {
        mouse_up(at(path.back().x, path.back().y));
      }
    });
    pump();
    if (escape) {
      mouse_up(at(path.back().x, path.back().y));
      pump();
    }
  }
};

TEST_F(RectTrackerTest, HandlesAreFoundAroundTheRectangleAndTurnWithIt) {
  CRect r(20, 20, 80, 60);
  CRectTracker t(&r, CRectTracker::solidLine | CRectTracker::resizeInside);
  EXPECT_EQ(t.HitTest(CPoint(21, 21)), CRectTracker::hitTopLeft);
  EXPECT_EQ(t.HitTest(CPoint(78, 58)), CRectTracker::hitBottomRight);
  EXPECT_EQ(t.HitTest(CPoint(50, 21)), CRectTracker::hitTop);
  EXPECT_EQ(t.HitTest(CPoint(50, 40)), CRectTracker::hitMiddle);
  EXPECT_EQ(t.HitTest(CPoint(5, 5)), CRectTracker::hitNothing);
  // A rectangle turned over left to right shows the top-left handle as the top-right one.
  t.m_rect.SetRect(80, 20, 20, 60);
  EXPECT_EQ(t.NormalizeHit(CRectTracker::hitTopLeft), CRectTracker::hitTopRight);
  EXPECT_EQ(t.NormalizeHit(CRectTracker::hitMiddle), CRectTracker::hitMiddle);
  // Handles outside make the true rectangle larger.
  CRectTracker outside(&r, CRectTracker::resizeOutside);
  CRect true_rect;
  outside.GetTrueRect(&true_rect);
  EXPECT_EQ(true_rect, CRect(17, 17, 83, 63));
}

TEST_F(RectTrackerTest, MovingFollowsTheMouseThroughTheAdjustmentsAndEndsWithTheOutlineGone) {
  CRect r(20, 20, 60, 50);
  GridTracker t(&r, CRectTracker::resizeInside);
  t.snap = true;
  canvas.on_press = [&](CPoint p) { return t.Track(&canvas, p); };
  drag({40, 35}, {{45, 40}, {52, 47}, {61, 58}});
  EXPECT_EQ(canvas.result, TRUE);
  EXPECT_EQ(t.m_rect, CRect(40, 40, 80, 70));  // moved by (21, 23), snapped to the grid
  EXPECT_GE(t.changes, 1);
  ASSERT_FALSE(t.final_draws.empty());
  EXPECT_TRUE(t.final_draws.back());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(RectTrackerTest, ResizingStopsAtTheMinimumAndEscapePutsTheRectangleBack) {
  CRect r(20, 20, 60, 50);
  GridTracker t(&r, CRectTracker::resizeInside);
  t.m_sizeMin = CSize(10, 10);
  canvas.on_press = [&](CPoint p) { return t.Track(&canvas, p); };
  // The bottom-right handle pulled far up and left leaves the minimum size.
  drag({58, 48}, {{40, 40}, {0, 0}});
  EXPECT_EQ(canvas.result, TRUE);
  EXPECT_EQ(t.m_rect, CRect(20, 20, 30, 30));

  t.changes = 0;
  drag({25, 25}, {{100, 100}}, true);
  EXPECT_EQ(canvas.result, FALSE);
  EXPECT_EQ(t.m_rect, CRect(20, 20, 30, 30));
  EXPECT_EQ(GetCapture(), nullptr);

  // A press outside the rectangle tracks nothing.
  drag({200, 150}, {{210, 160}});
  EXPECT_EQ(canvas.result, FALSE);
}

TEST_F(RectTrackerTest, RubberBandsStartAtThePressAndMayTurnOver) {
  CRectTracker t;
  canvas.on_press = [&](CPoint p) { return t.TrackRubberBand(&canvas, p); };
  drag({100, 100}, {{80, 120}, {60, 130}});
  EXPECT_EQ(canvas.result, TRUE);
  EXPECT_EQ(t.m_rect, CRect(100, 100, 60, 130));
  t.m_rect.NormalizeRect();
  EXPECT_EQ(t.m_rect, CRect(60, 100, 100, 130));
}

}  // namespace
}  // namespace lumo::test
