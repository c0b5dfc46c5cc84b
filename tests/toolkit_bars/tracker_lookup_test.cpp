// The right-edge tracker's drag, its cancelling, and the template lookup over the application's
// templates.
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "toolkit/frame/doc_template_lookup.h"
#include "toolkit/frame/drag_rect_tracker.h"

namespace lumo::test {
namespace {

class TrackerTest : public FrameworkTest {
 protected:
  CWnd wnd;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Pasek", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 100), nullptr, 0));
  }
  void post(UINT message, WPARAM wParam, CPoint at) {
    ::PostMessage(wnd.m_hWnd, message, wParam, MAKELPARAM(at.x, at.y));
  }
};

TEST_F(TrackerTest, TheRightEdgeFollowsTheMouse) {
  SECDragRectTracker tracker(CRect(0, 0, 80, 20));
  tracker.m_sizeMin = CSize(30, 0);
  post(WM_MOUSEMOVE, MK_LBUTTON, {120, 10});
  post(WM_LBUTTONUP, 0, {140, 10});
  EXPECT_TRUE(tracker.TrackRightEdge(&wnd, CPoint(79, 10)));
  EXPECT_EQ(tracker.m_rect, CRect(0, 0, 141, 20));
  // Not narrower than the minimum.
  post(WM_LBUTTONUP, 0, {5, 10});
  EXPECT_TRUE(tracker.TrackRightEdge(&wnd, CPoint(140, 10)));
  EXPECT_EQ(tracker.m_rect.Width(), 30);
}

TEST_F(TrackerTest, EscapeRestoresTheStartingRectangle) {
  SECDragRectTracker tracker(CRect(0, 0, 80, 20));
  post(WM_MOUSEMOVE, MK_LBUTTON, {150, 10});
  post(WM_KEYDOWN, VK_ESCAPE, {0, 0});
  EXPECT_FALSE(tracker.TrackRightEdge(&wnd, CPoint(79, 10)));
  EXPECT_EQ(tracker.m_rect, CRect(0, 0, 80, 20));
  // Refused while another window holds the mouse.
  ::SetCapture(wnd.m_hWnd);
  EXPECT_FALSE(tracker.TrackRightEdge(&wnd, CPoint(79, 10)));
  ::ReleaseCapture();
}

TEST_F(TrackerTest, TheLookupAnswersForMissingPieces) {
  SECDocTemplateLookup lookup;
  EXPECT_EQ(lookup.GetTypeOrdinal(nullptr, "Ustawa"), -1);
  EXPECT_EQ(lookup.GetTemplateByType("Brak takiego typu", 0), nullptr);
  EXPECT_EQ(lookup.FindTemplate(nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(lookup.GetMenuKey(nullptr), 0u);
  SECDocTemplateLookup::TemplateList list;
  CDocTemplate* found = reinterpret_cast<CDocTemplate*>(1);
  EXPECT_TRUE(lookup.GetUniqueTemplate(list, found));
  EXPECT_EQ(found, nullptr);
  EXPECT_FALSE(lookup.KeepByDocumentClass(list, nullptr));
  EXPECT_EQ(lookup.MapFrameClass(nullptr), nullptr);
}

}  // namespace
}  // namespace lumo::test
