// The track bar: its range and position, the thumb and channel rectangles the skinning draws
// over, and the moves of keys and mouse with the scroll notifications the parent receives.
#include <climits>
#include <utility>
#include <vector>

#include "platform/controls/common_controls.h"
#include "platform/controls/slider_ctrl.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

// A parent that records the track bars' notifications.
class Parent : public CWnd {
 public:
  struct Notice {
    UINT message;
    UINT code;
    int pos;
    bool operator==(const Notice&) const = default;
  };
  std::vector<Notice> notices;
  afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar*) { notices.push_back({WM_HSCROLL, code, int(short(pos))}); }
  afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar*) { notices.push_back({WM_VSCROLL, code, int(short(pos))}); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Parent, CWnd)
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

using Notice = Parent::Notice;

class SliderTest : public FrameworkTest {
 protected:
  Parent parent;
  CSliderCtrl slider;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Rodzic", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 300), nullptr, 0));
  }
  void make(DWORD style, CRect rect = CRect(0, 0, 200, 30)) {
    ASSERT_TRUE(slider.Create(WS_VISIBLE | style, rect, &parent, 50));
  }
  CRect thumb() const {
    CRect r;
    slider.GetThumbRect(&r);
    return r;
  }
  CRect channel() const {
    CRect r;
    slider.GetChannelRect(&r);
    return r;
  }
};

TEST_F(SliderTest, RangeAndPositionAreClamped) {
  struct Case {
    int min, max, set, expected;
  };
  const Case cases[] = {
      {0, 100, 50, 50},          {0, 100, -5, 0},           {0, 100, 101, 100},
      {-20, -10, 0, -10},        {7, 7, 3, 7},              {INT_MIN, INT_MAX, INT_MIN, INT_MIN},
      {INT_MIN, INT_MAX, INT_MAX, INT_MAX},
      {10, 0, 5, 5},  // a range given backwards still holds the position between its ends
      {10, 0, 20, 10},
  };
  make(TBS_HORZ);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " set " << c.set);
    slider.SetRange(c.min, c.max, TRUE);
    slider.SetPos(c.set);
    EXPECT_EQ(slider.GetPos(), c.expected);
    int low = 0, high = 0;
    slider.GetRange(low, high);
    EXPECT_EQ(std::make_pair(low, high), std::make_pair(c.min, c.max));
    // The thumb stays on the channel however wide the range.
    EXPECT_GE(thumb().left, channel().left);
    EXPECT_LE(thumb().right, channel().right);
  }
  // Narrowing the range pulls the position in; the 16-bit message takes signed ends.
  slider.SetRange(0, 100);
  slider.SetPos(90);
  slider.SetRangeMax(40);
  EXPECT_EQ(slider.GetPos(), 40);
  slider.SendMessage(TBM_SETRANGE, TRUE, MAKELPARAM(WORD(-30), WORD(-10)));
  EXPECT_EQ(slider.GetRangeMin(), -30);
  EXPECT_EQ(slider.GetPos(), -10);
}

TEST_F(SliderTest, PageAndLineSizes) {
  make(TBS_HORZ);
  EXPECT_EQ(slider.GetLineSize(), 1);
  EXPECT_EQ(slider.GetPageSize(), 20);  // a fifth of the default range
  slider.SetRange(0, 1000);
  EXPECT_EQ(slider.GetPageSize(), 200);
  EXPECT_EQ(slider.SetPageSize(30), 200);
  EXPECT_EQ(slider.GetPageSize(), 30);
  EXPECT_EQ(slider.SetLineSize(5), 1);
  EXPECT_EQ(slider.GetLineSize(), 5);
}

TEST_F(SliderTest, ThumbAndChannelRectangles) {
  struct Case {
    DWORD style;
    CRect size;
    int pos;
    CRect thumb, channel;
  };
  // A 200-pixel bar: the channel runs from 8 to 192, the 11-pixel thumb over 173 pixels of travel.
  const Case cases[] = {
      {TBS_HORZ, CRect(0, 0, 200, 30), 0, CRect(8, 4, 19, 25), CRect(8, 12, 192, 16)},
      {TBS_HORZ, CRect(0, 0, 200, 30), 100, CRect(181, 4, 192, 25), CRect(8, 12, 192, 16)},
      {TBS_HORZ, CRect(0, 0, 200, 30), 50, CRect(94, 4, 105, 25), CRect(8, 12, 192, 16)},
      {TBS_HORZ | TBS_TOP, CRect(0, 0, 200, 40), 0, CRect(8, 15, 19, 36), CRect(8, 23, 192, 27)},
      {TBS_HORZ | TBS_BOTH, CRect(0, 0, 200, 40), 0, CRect(8, 9, 19, 30), CRect(8, 17, 192, 21)},
      // Vertical: the thumb stands upright, the channel is reported lying.
      {TBS_VERT, CRect(0, 0, 30, 200), 0, CRect(4, 8, 25, 19), CRect(8, 12, 192, 16)},
      {TBS_VERT, CRect(0, 0, 30, 200), 100, CRect(4, 181, 25, 192), CRect(8, 12, 192, 16)},
      {TBS_VERT | TBS_LEFT, CRect(0, 0, 40, 200), 0, CRect(15, 8, 36, 19), CRect(8, 23, 192, 27)},
      // Too small to hold a thumb: no negative sizes.
      {TBS_HORZ, CRect(0, 0, 10, 6), 100, CRect(8, 2, 19, 6), CRect(8, 2, 19, 6)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << c.style << " width " << c.size.Width() << " pos " << c.pos);
    make(c.style, c.size);
    slider.SetPos(c.pos);
    EXPECT_EQ(thumb(), c.thumb);
    EXPECT_EQ(channel(), c.channel);
    slider.DestroyWindow();
  }
}

TEST_F(SliderTest, KeysMoveAndNotify) {
  make(TBS_HORZ);
  slider.SetLineSize(3);
  slider.SetPageSize(25);
  slider.SetPos(50);
  slider.SetFocus();
  struct Step {
    int key, expected_pos;
    UINT code;
  };
  const Step steps[] = {
      {VK_RIGHT, 53, TB_LINEDOWN}, {VK_DOWN, 56, TB_LINEDOWN}, {VK_LEFT, 53, TB_LINEUP},
      {VK_UP, 50, TB_LINEUP},      {VK_NEXT, 75, TB_PAGEDOWN}, {VK_NEXT, 100, TB_PAGEDOWN},
      {VK_NEXT, 100, TB_PAGEDOWN}, {VK_PRIOR, 75, TB_PAGEUP},  {VK_HOME, 0, TB_TOP},
      {VK_END, 100, TB_BOTTOM},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.key);
    parent.notices.clear();
    press_key(s.key);
    pump();
    EXPECT_EQ(slider.GetPos(), s.expected_pos);
    EXPECT_EQ(parent.notices, (std::vector<Notice>{{WM_HSCROLL, s.code, 0}, {WM_HSCROLL, TB_ENDTRACK, 0}}));
  }
  parent.notices.clear();
  press_key('A', 'a');
  pump();
  EXPECT_TRUE(parent.notices.empty());
  EXPECT_EQ(slider.SendMessage(WM_GETDLGCODE) & DLGC_WANTARROWS, LRESULT(DLGC_WANTARROWS));
}

TEST_F(SliderTest, VerticalBarReportsWithVScroll) {
  make(TBS_VERT, CRect(0, 0, 30, 200));
  slider.SetFocus();
  press_key(VK_DOWN);
  pump();
  EXPECT_EQ(slider.GetPos(), 1);
  EXPECT_EQ(parent.notices, (std::vector<Notice>{{WM_VSCROLL, TB_LINEDOWN, 0}, {WM_VSCROLL, TB_ENDTRACK, 0}}));
}

TEST_F(SliderTest, ClicksBesideTheThumbMoveAPage) {
  make(TBS_HORZ);
  slider.SetPos(50);
  click(slider.m_hWnd, POINT{180, 14});
  pump();
  EXPECT_EQ(slider.GetPos(), 70);
  click(slider.m_hWnd, POINT{20, 14});
  pump();
  EXPECT_EQ(slider.GetPos(), 50);
  EXPECT_EQ(parent.notices, (std::vector<Notice>{{WM_HSCROLL, TB_PAGEDOWN, 0},
                                                 {WM_HSCROLL, TB_ENDTRACK, 0},
                                                 {WM_HSCROLL, TB_PAGEUP, 0},
                                                 {WM_HSCROLL, TB_ENDTRACK, 0}}));
  EXPECT_EQ(GetFocus(), slider.m_hWnd);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SliderTest, HeldPressPagesUntilTheThumbReachesThePointer) {
  make(TBS_HORZ);
  mouse_down(screen_point(slider.m_hWnd, POINT{150, 14}));
  pump();
  EXPECT_EQ(slider.GetPos(), 20);
  for (int expected : {40, 60, 80, 80}) {  // the thumb of 80 covers the pointer
    slider.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(slider.GetPos(), expected);
  }
  mouse_up(screen_point(slider.m_hWnd, POINT{150, 14}));
  pump();
  slider.SendMessage(WM_TIMER, 1);  // a late tick after the release does nothing
  EXPECT_EQ(slider.GetPos(), 80);
  std::vector<Notice> expected(4, Notice{WM_HSCROLL, TB_PAGEDOWN, 0});
  expected.push_back({WM_HSCROLL, TB_ENDTRACK, 0});
  EXPECT_EQ(parent.notices, expected);
}

TEST_F(SliderTest, DraggingTheThumbTracksThenSetsThePosition) {
  make(TBS_HORZ);
  // Grab the thumb at position 0 three pixels in from its edge.
  mouse_down(screen_point(slider.m_hWnd, POINT{11, 14}));
  pump();
  EXPECT_EQ(GetCapture(), slider.m_hWnd);
  mouse_move(screen_point(slider.m_hWnd, POINT{11 + 87, 14}));   // the middle of the travel
  mouse_move(screen_point(slider.m_hWnd, POINT{11 + 87, 40}));   // off the bar: same position
  mouse_move(screen_point(slider.m_hWnd, POINT{400, 14}));       // past the end
  mouse_up(screen_point(slider.m_hWnd, POINT{400, 14}));
  pump();
  EXPECT_EQ(slider.GetPos(), 100);
  EXPECT_EQ(parent.notices, (std::vector<Notice>{{WM_HSCROLL, TB_THUMBTRACK, 50},
                                                 {WM_HSCROLL, TB_THUMBTRACK, 100},
                                                 {WM_HSCROLL, TB_THUMBPOSITION, 100},
                                                 {WM_HSCROLL, TB_ENDTRACK, 0}}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SliderTest, NoThumbMeansNoDrag) {
  make(TBS_HORZ | TBS_NOTHUMB);
  mouse_down(screen_point(slider.m_hWnd, POINT{11, 14}));
  pump();
  mouse_move(screen_point(slider.m_hWnd, POINT{150, 14}));
  mouse_up(screen_point(slider.m_hWnd, POINT{150, 14}));
  pump();
  EXPECT_EQ(slider.GetPos(), 0);
  EXPECT_TRUE(parent.notices.empty());
}

TEST_F(SliderTest, LostCaptureEndsTheDrag) {
  make(TBS_HORZ);
  mouse_down(screen_point(slider.m_hWnd, POINT{11, 14}));
  pump();
  ASSERT_EQ(GetCapture(), slider.m_hWnd);
  ReleaseCapture();
  pump();
  EXPECT_EQ(parent.notices, (std::vector<Notice>{{WM_HSCROLL, TB_THUMBPOSITION, 0}, {WM_HSCROLL, TB_ENDTRACK, 0}}));
  parent.notices.clear();
  mouse_move(screen_point(slider.m_hWnd, POINT{150, 14}));
  pump();
  EXPECT_EQ(slider.GetPos(), 0);
  EXPECT_TRUE(parent.notices.empty());
}

TEST_F(SliderTest, RegisteredWithTheBarClassesAndDrawn) {
  INITCOMMONCONTROLSEX bars;
  bars.dwICC = ICC_BAR_CLASSES;
  EXPECT_TRUE(InitCommonControlsEx(&bars));
  HWND h = CreateWindowEx(0, TRACKBAR_CLASS, nullptr, WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS | TBS_BOTH,
                          10, 10, 200, 40, parent.m_hWnd, nullptr, nullptr);
  ASSERT_NE(h, nullptr);
  // A huge range with a tick at every position still draws promptly: one mark per pixel at most.
  SendMessage(h, TBM_SETRANGEMIN, FALSE, INT_MIN);
  SendMessage(h, TBM_SETRANGEMAX, TRUE, INT_MAX);
  SendMessage(h, TBM_SETPOS, TRUE, 0);
  UpdateWindow(h);
  EXPECT_TRUE(save_surface_png(h, temp_path("trackbar.png")));
  RECT t{};
  SendMessage(h, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&t));
  // The thumb's face and its highlighted edge.
  EXPECT_EQ(surface_pixel(h, (t.left + t.right) / 2, (t.top + t.bottom) / 2), DWORD(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(surface_pixel(h, t.left, (t.top + t.bottom) / 2), DWORD(GetSysColor(COLOR_BTNHIGHLIGHT)));
}

}  // namespace
}  // namespace lumo::test
