// The dock bar's array of bars: rows ended by nulls, placeholders that keep the place of a bar
// that floated, the frame's calls that dock and float through virtual operations, the layout's
// query flag and rectangle that a derived dock bar sees, and dock bars of another class.
#include <memory>
#include <string>
#include <vector>

#include "tests/docking/docking_fixture.h"

namespace lumo::test {
namespace {

// The array written out: "|" a row end, "#id" a placeholder, "id" a bar (its control id less
// AFX_IDW_TOOLBAR).
std::string shape(const CDockBar& dock) {
  std::string out;
  for (int i = 0; i < dock.m_arrBars.GetSize(); ++i) {
    void* entry = dock.m_arrBars[i];
    if (!entry) {
      out += "|";
    } else if (CDockBar::IsPlaceHolder(entry)) {
      out += "#" + std::to_string(reinterpret_cast<std::uintptr_t>(entry) - AFX_IDW_TOOLBAR);
    } else {
      out += std::to_string(static_cast<CControlBar*>(entry)->GetDlgCtrlID() - int(AFX_IDW_TOOLBAR));
    }
  }
  return out;
}

// A window's rectangle in the client coordinates of `frame`.
CRect placed_in(const CWnd& frame, const CWnd& wnd) {
  CRect rect;
  wnd.GetWindowRect(&rect);
  frame.ScreenToClient(&rect);
  return rect;
}

class BarArrayTest : public DockingTest {
 protected:
  void SetUp() override {
    DockingTest::SetUp();
    make(a, AFX_IDW_TOOLBAR, 120, 20);
    make(b, AFX_IDW_TOOLBAR + 1, 80, 20);
    make(c, AFX_IDW_TOOLBAR + 2, 60, 20);
    top = dock(AFX_IDW_DOCKBAR_TOP);
  }
  // A drop rectangle in the top dock bar's client coordinates, in screen coordinates.
  CRect at(int x, int y, int cx, int cy) const {
    CRect r(x, y, x + cx, y + cy);
    top->ClientToScreen(&r);
    return r;
  }

  LongBar a, b, c;
  CDockBar* top = nullptr;
};

TEST_F(BarArrayTest, RowsEndWithNullsAndDropsInsertInThem) {
  // Each bar docked without a rectangle takes a new last row.
  EXPECT_EQ(shape(*top), "|0|1|2|");
  EXPECT_EQ(top->FindBar(&b), 3);
  EXPECT_EQ(top->GetDockedControlBar(3), &b);
  EXPECT_EQ(top->GetDockedControlBar(2), nullptr);
  EXPECT_EQ(top->FindBar(&b, 3), -1);
  // Into the first row after a: the row b left goes with it.
  frame->DockControlBar(&b, top, at(200, 0, 80, 20));
  EXPECT_EQ(shape(*top), "|01|2|");
  // Above every row: a new first row; below: a new last row.
  frame->DockControlBar(&c, top, at(0, -15, 60, 20));
  EXPECT_EQ(shape(*top), "|2|01|");
  frame->DockControlBar(&a, top, at(0, 100, 120, 20));
  EXPECT_EQ(shape(*top), "|2|1|0|");
  EXPECT_EQ(top->Rows(), (std::vector<std::vector<CControlBar*>>{{&c}, {&b}, {&a}}));
}

TEST_F(BarArrayTest, FloatingLeavesAPlaceholderThatDockingBackTakes) {
  frame->DockControlBar(&b, top, at(200, 0, 80, 20));
  ASSERT_EQ(shape(*top), "|01|2|");
  CRect docked = placed(b);
  b.m_pDockContext->ToggleDocking();
  ASSERT_TRUE(b.IsFloating());
  // The place is kept, takes no room, and counts as no bar.
  EXPECT_EQ(shape(*top), "|0#1|2|");
  EXPECT_EQ(top->FindPlaceHolder(AFX_IDW_TOOLBAR + 1), 2);
  EXPECT_EQ(top->GetDockedCount(), 2);
  EXPECT_EQ(top->Rows(), (std::vector<std::vector<CControlBar*>>{{&a}, {&c}}));
  EXPECT_EQ(placed(*top).Height(), 40);
  // Its floating frame's dock bar holds the bar alone.
  EXPECT_EQ(shape(*b.m_pDockBar), "|1|");
  // Docked back: at its placeholder, at its place along the row; no floating frame is left.
  b.m_pDockContext->ToggleDocking();
  EXPECT_EQ(shape(*top), "|01|2|");
  EXPECT_EQ(placed(b), docked);
  EXPECT_TRUE(frame->FloatingWindows().empty());

  // Docked elsewhere instead, the bar's placeholder goes when it docks here again.
  frame->FloatControlBar(&a, CPoint(300, 300), CBRS_ALIGN_TOP);
  EXPECT_EQ(shape(*top), "|#01|2|");
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_LEFT);
  frame->DockControlBar(&a, top, at(0, 100, 120, 20));
  EXPECT_EQ(shape(*top), "|1|2|0|");
}

TEST_F(BarArrayTest, RemovingABarEmptiesItsRowAndKeepsOnePlaceholder) {
  // With a placeholder: the entry turns into it, and an older placeholder of the same bar goes
  // with the row it leaves empty.
  top->m_arrBars.InsertAt(top->m_arrBars.GetSize(), CDockBar::PlaceHolder(AFX_IDW_TOOLBAR + 2));
  top->m_arrBars.Add(nullptr);
  ASSERT_EQ(shape(*top), "|0|1|2|#2|");
  EXPECT_FALSE(top->RemoveControlBar(&c, -1, 1));
  EXPECT_EQ(shape(*top), "|0|1|#2|");
  EXPECT_EQ(c.m_pDockBar, nullptr);
  // Without: the entry goes, and the row end of a row left empty.
  top->DockControlBar(&c);
  top->RemoveControlBar(&a);
  EXPECT_EQ(shape(*top), "|1|2|");
  // A bar whose window goes leaves no placeholder.
  b.DestroyWindow();
  EXPECT_EQ(shape(*top), "|2|");
}

TEST_F(BarArrayTest, FloatingFrameHidesWithoutVisibleBarsAndGoesWhenEmpty) {
  frame->FloatControlBar(&a, CPoint(300, 300), CBRS_ALIGN_TOP | CBRS_FLOAT_MULTI);
  CMiniDockFrameWnd* floating = floating_frame(a);
  ASSERT_NE(floating, nullptr);
  CDockBar* inside = a.m_pDockBar;
  ASSERT_TRUE(inside->m_bFloating);
  EXPECT_EQ(floating->GetFloatDockBar(), inside);
  inside->DockControlBar(&b);
  ASSERT_EQ(shape(*inside), "|0|1|");
  // One bar docks back: the other keeps the frame.
  frame->DockControlBar(&b, top);
  EXPECT_EQ(shape(*inside), "|0|");
  EXPECT_TRUE(floating->IsWindowVisible());
  // The last visible bar leaves while a placeholder stays: the frame hides.
  inside->m_arrBars.Add(CDockBar::PlaceHolder(AFX_IDW_TOOLBAR + 2));
  inside->m_arrBars.Add(nullptr);
  frame->DockControlBar(&a, top);
  EXPECT_EQ(shape(*inside), "|#2|");
  EXPECT_FALSE(floating->IsWindowVisible());
  ASSERT_TRUE(IsWindow(floating->m_hWnd));
  // Nothing left at all: the frame goes, and the dock bar says so.
  inside->RemovePlaceHolder(&c);
  inside->DockControlBar(&b);
  b.SetParent(frame);
  HWND window = floating->m_hWnd;
  EXPECT_TRUE(inside->RemoveControlBar(&b));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(b.m_pDockBar, nullptr);
  EXPECT_TRUE(IsWindow(b.m_hWnd));
}

// A dock bar that notes what each layout offered it.
class NotingDockBar : public CDockBar {
  DECLARE_DYNCREATE(NotingDockBar)

 public:
  struct Seen {
    BOOL query;
    CRect rect;
  };
  std::vector<Seen> seen;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override {
    seen.push_back({m_bLayoutQuery, m_rectLayout});
    return CDockBar::CalcFixedLayout(bStretch, bHorz);
  }
};
IMPLEMENT_DYNCREATE(NotingDockBar, CDockBar)

TEST_F(FrameworkTest, DockBarsOfAnotherClassSeeTheLayoutQueryAndItsRectangle) {
  CMDIFrameWnd* frame = make_main_frame();
  ASSERT_NE(frame, nullptr);
  frame->EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT, RUNTIME_CLASS(NotingDockBar));
  auto* top = dynamic_cast<NotingDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
  auto* left = dynamic_cast<NotingDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
  ASSERT_NE(top, nullptr);
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(frame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM), nullptr);
  // The other sides later, of the plain class.
  frame->EnableDocking(CBRS_ALIGN_ANY);
  EXPECT_EQ(frame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM)->GetRuntimeClass(), RUNTIME_CLASS(CDockBar));
  EXPECT_EQ(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP), top);

  LongBar bar;
  bar.length = 120;
  ASSERT_TRUE(bar.Create(frame, CBRS_TOP, AFX_IDW_TOOLBAR));
  bar.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
  CRect client;
  frame->GetClientRect(&client);
  CRect before = placed_in(*frame, bar);
  top->seen.clear();
  left->seen.clear();
  CRect rest;
  frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rest);
  ASSERT_EQ(top->seen.size(), 1u);
  EXPECT_TRUE(top->seen[0].query);
  EXPECT_EQ(top->seen[0].rect, client);
  ASSERT_EQ(left->seen.size(), 1u);
  EXPECT_EQ(left->seen[0].rect, CRect(0, 20, client.right, client.bottom));
  EXPECT_EQ(rest.top, 20);
  // Outside the pass the flag is down again; a real layout places the bars.
  EXPECT_FALSE(top->m_bLayoutQuery);
  EXPECT_EQ(placed_in(*frame, bar), before);
  frame->RecalcLayout();
  EXPECT_FALSE(top->seen.back().query);
}

TEST_F(FrameworkTest, EnableDockingWithAClassThatIsNoDockBarMakesNone) {
  CMDIFrameWnd* frame = make_main_frame();
  ASSERT_NE(frame, nullptr);
  frame->EnableDocking(CBRS_ALIGN_ANY, RUNTIME_CLASS(CFrameWnd));
  for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_BOTTOM}) {
    EXPECT_EQ(frame->GetControlBar(id), nullptr) << id;
  }
}

// A frame that notes the docking and floating calls that reach it.
class NotingFrame : public CMDIFrameWnd {
 public:
  std::vector<std::string> calls;
  void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) override {
    calls.push_back("dock " + std::to_string(pDockBar ? pDockBar->GetDlgCtrlID() : 0));
    CMDIFrameWnd::DockControlBar(pBar, pDockBar, lpRect);
  }
  using CMDIFrameWnd::DockControlBar;
  void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) override {
    calls.push_back("redock " + std::to_string(pDockBar ? pDockBar->GetDlgCtrlID() : 0));
    CMDIFrameWnd::ReDockControlBar(pBar, pDockBar, lpRect);
  }
  void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) override {
    calls.push_back("float");
    CMDIFrameWnd::FloatControlBar(pBar, point, dwStyle);
  }
};

TEST_F(DockingTest, DraggingAndDoubleClicksDockAndFloatThroughTheFramesOperations) {
  auto* noting = std::make_unique<NotingFrame>().release();
  ASSERT_TRUE(noting->LoadFrame(IDR_TEST_MAIN));
  noting->MoveWindow(0, 0, 640, 480);
  noting->ShowWindow(SW_SHOW);
  noting->EnableDocking(CBRS_ALIGN_ANY);
  LongBar bar;
  bar.length = 120;
  ASSERT_TRUE(bar.Create(noting, CBRS_TOP | CBRS_GRIPPER, AFX_IDW_TOOLBAR));
  bar.EnableDocking(CBRS_ALIGN_ANY);
  noting->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
  pump();
  EXPECT_EQ(noting->calls, std::vector<std::string>{"dock " + std::to_string(AFX_IDW_DOCKBAR_TOP)});
  noting->calls.clear();

  bar.m_pDockContext->ToggleDocking();
  bar.m_pDockContext->ToggleDocking();
  // Dragged to the left edge.
  drag(screen_point(bar.m_hWnd, {3, 8}), {screen_point(noting->m_hWnd, {100, 200})},
       screen_point(noting->m_hWnd, {2, 250}));
  EXPECT_EQ(noting->calls, (std::vector<std::string>{"float", "redock " + std::to_string(AFX_IDW_DOCKBAR_TOP),
                                                     "dock " + std::to_string(AFX_IDW_DOCKBAR_LEFT)}));
  EXPECT_TRUE(bar.IsVertDocked());
  noting->DestroyWindow();
}

}  // namespace
}  // namespace lumo::test
