// Toolkit bars docked in rows of a frame's toolkit dock bars: proportional widths, splitters and
// their drags (done, cancelled by Escape or by a lost capture), the gripper's buttons, child
// scaling, placeholders and the pictures of it all.
#include <string>
#include <vector>

#include <QImage>
#include <QPainter>

#include "platform/framework/mini_dock_frame.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "toolkit/frame/sec_control_bar.h"
#include "toolkit/frame/sec_dock_bar.h"
#include "toolkit/frame/toolkit_globals.h"

namespace lumo::test {
namespace {

constexpr DWORD kDockingWindowStyle = 0xF31;
constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;

class SecBarsTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    frame = make_main_frame();
    ASSERT_NE(frame, nullptr);
    frame->EnableDocking(CBRS_ALIGN_ANY, RUNTIME_CLASS(SECDockBar));
    size_client(812, 560);
  }
  void size_client(int cx, int cy) {
    CRect window, client;
    frame->GetWindowRect(&window);
    frame->GetClientRect(&client);
    frame->SetWindowPos(nullptr, 0, 0, window.Width() - client.Width() + cx, window.Height() - client.Height() + cy,
                        SWP_NOMOVE | SWP_NOZORDER);
    frame->RecalcLayout();
  }
  SECDockBar* top() const { return dynamic_cast<SECDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP)); }
  void make(SECControlBar& bar, UINT id, const char* title, DWORD ex = kDockingWindowStyle) {
    ASSERT_TRUE(bar.Create(frame, title, kBarStyle, ex, id));
    bar.m_szHorzDock.cy = 120;
    bar.EnableDocking(CBRS_ALIGN_ANY);
  }
  // Docks the three bars in one row of the top dock bar with shares 0.5, 0.25, 0.25.
  void dock_row() {
    const char* titles[] = {"Nawigator", "Spisy", "Wyniki wyszukiwania"};
    for (int i = 0; i < 3; ++i) make(bars[i], UINT(100 + i), titles[i]);
    frame->DockControlBar(&bars[0], AFX_IDW_DOCKBAR_TOP);
    for (int i = 1; i < 3; ++i) {
      CRect r;
      bars[i - 1].GetWindowRect(&r);
      r.OffsetRect(r.Width() - 10, 0);
      frame->DockControlBar(&bars[i], AFX_IDW_DOCKBAR_TOP, &r);
    }
    const float shares[] = {0.5f, 0.25f, 0.25f};
    for (int i = 0; i < 3; ++i) bars[i].m_fPctWidth = shares[i];
    frame->RecalcLayout();
    pump();
  }
  CRect in_dock(const CWnd& wnd) const {
    CRect r;
    wnd.GetWindowRect(&r);
    top()->ScreenToClient(&r);
    return r;
  }
  void post(UINT message, WPARAM wParam, CPoint at) {
    ::PostMessage(top()->m_hWnd, message, wParam, MAKELPARAM(at.x, at.y));
  }
  void expect_widths(int a, int b, int c) {
    EXPECT_EQ(in_dock(bars[0]).Width(), a);
    EXPECT_EQ(in_dock(bars[1]).Width(), b);
    EXPECT_EQ(in_dock(bars[2]).Width(), c);
  }

  // The frame's client area as its dock bars and docked bars show it.
  void save_picture(const std::string& name) {
    CRect client;
    frame->GetClientRect(&client);
    QImage out(client.Width(), client.Height(), QImage::Format_RGB32);
    out.fill(Qt::darkGray);
    QPainter painter(&out);
    std::vector<HWND> windows;
    for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
      auto* dock = dynamic_cast<CDockBar*>(frame->GetControlBar(id));
      if (!dock) continue;
      windows.push_back(dock->m_hWnd);
      for (int i = 0; i < dock->m_arrBars.GetSize(); ++i) {
        if (CControlBar* bar = dock->GetDockedControlBar(i); bar && bar->IsWindowVisible()) windows.push_back(bar->m_hWnd);
      }
    }
    const std::string part = temp_path("part.png");
    for (HWND h : windows) {
      if (!save_surface_png(h, part)) continue;
      CPoint origin(0, 0);
      ::ClientToScreen(h, &origin);
      frame->ScreenToClient(&origin);
      painter.drawImage(origin.x, origin.y, QImage(QString::fromStdString(part)));
    }
    painter.end();
    out.save(QString::fromStdString(name));
  }

  CMDIFrameWnd* frame = nullptr;
  SECControlBar bars[3];
};

TEST_F(SecBarsTest, ThreeSharesFillARowOf812Pixels) {
  dock_row();
  ASSERT_EQ(top()->Rows().size(), 1u);
  EXPECT_EQ(in_dock(bars[0]).left, 1);
  expect_widths(400, 200, 199);
  EXPECT_EQ(in_dock(bars[2]).right, 812);
  std::vector<int> between;
  int along = 0;
  for (const auto& s : top()->Splitters()) {
    if (s->m_nKind == 1) between.push_back(s->m_rect.left);
    if (s->m_nKind == 0) ++along;
  }
  EXPECT_EQ(between, (std::vector<int>{401, 607}));
  EXPECT_EQ(along, 1);
  EXPECT_EQ(top()->Separators().size(), 1u);
  save_picture("dock_row.png");
  // The splitter's raised strip, and the bars' face colour under their gripper.
  const SECToolkitGlobals& g = secData();
  EXPECT_EQ(surface_pixel(top()->m_hWnd, 401, 40), g.clrBtnHilite);
  EXPECT_EQ(surface_pixel(top()->m_hWnd, 404, 40), g.clrBtnShadow);
  EXPECT_EQ(surface_pixel(top()->m_hWnd, 406, 40), g.clrWindowFrame);
  EXPECT_EQ(surface_pixel(bars[0].m_hWnd, 200, 60), g.clrBtnFace);
  EXPECT_FALSE(bars[0].GetCloseButtonRect().IsRectEmpty());
  EXPECT_FALSE(bars[0].GetExpandButtonRect().IsRectEmpty());
}

TEST_F(SecBarsTest, BarsDockedLeftStackInAColumn) {
  make(bars[0], 100, "Nawigator");
  make(bars[1], 101, "Spisy");
  bars[0].m_szVertDock.cx = bars[1].m_szVertDock.cx = 180;
  frame->DockControlBar(&bars[0], AFX_IDW_DOCKBAR_LEFT);
  CRect r;
  bars[0].GetWindowRect(&r);
  r.OffsetRect(0, r.Height() - 10);
  frame->DockControlBar(&bars[1], AFX_IDW_DOCKBAR_LEFT, &r);
  frame->RecalcLayout();
  pump();
  auto* left = dynamic_cast<SECDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
  ASSERT_NE(left, nullptr);
  ASSERT_EQ(left->Rows().size(), 1u);
  CRect a, b;
  bars[0].GetWindowRect(&a);
  bars[1].GetWindowRect(&b);
  EXPECT_EQ(a.Width(), 180);
  EXPECT_EQ(b.top - a.bottom, 6);  // one splitter between them
  EXPECT_NEAR(a.Height(), b.Height(), 1);
  save_picture("dock_left.png");
}

TEST_F(SecBarsTest, DraggingASplitterResizesItsNeighbours) {
  dock_row();
  post(WM_LBUTTONDOWN, MK_LBUTTON, {403, 40});
  post(WM_MOUSEMOVE, MK_LBUTTON, {430, 40});
  post(WM_LBUTTONUP, 0, {453, 40});
  pump();
  pump();
  expect_widths(450, 150, 199);
  // Far past the next bar: every bar keeps 24 pixels.
  post(WM_LBUTTONDOWN, MK_LBUTTON, {453, 40});
  post(WM_LBUTTONUP, 0, {900, 40});
  pump();
  pump();
  EXPECT_GE(in_dock(bars[1]).Width(), 18);
  EXPECT_GE(in_dock(bars[2]).Width(), 18);
  EXPECT_EQ(in_dock(bars[2]).right, 812);
}

TEST_F(SecBarsTest, EscapeAndALostCaptureCancelTheDrag) {
  dock_row();
  post(WM_LBUTTONDOWN, MK_LBUTTON, {403, 40});
  post(WM_MOUSEMOVE, MK_LBUTTON, {500, 40});
  post(WM_KEYDOWN, VK_ESCAPE, {0, 0});
  post(WM_LBUTTONUP, 0, {500, 40});
  pump();
  pump();
  expect_widths(400, 200, 199);
  // Another window takes the mouse in the middle of the drag: nothing of it is applied.
  CWnd thief;
  ASSERT_TRUE(thief.CreateEx(0, nullptr, "Okno", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  post(WM_LBUTTONDOWN, MK_LBUTTON, {403, 40});
  post(WM_MOUSEMOVE, MK_LBUTTON, {500, 40});
  ::PostMessage(thief.m_hWnd, WM_NULL, 0, 0);
  ::SetCapture(thief.m_hWnd);
  post(WM_LBUTTONUP, 0, {500, 40});
  pump();
  pump();
  ::ReleaseCapture();
  expect_widths(400, 200, 199);
}

TEST_F(SecBarsTest, ExpandAndRestoreShareTheRow) {
  dock_row();
  top()->ExpandBar(&bars[1], 1);
  EXPECT_TRUE(top()->IsBarExpanded(&bars[1]));
  EXPECT_FALSE(top()->IsBarExpanded(&bars[0]));
  EXPECT_FALSE(top()->IsBarAloneInRow(&bars[1]));
  top()->ExpandBar(&bars[1], 2);
  EXPECT_FLOAT_EQ(bars[0].m_fPctWidth, bars[1].m_fPctWidth);
  EXPECT_FLOAT_EQ(bars[1].m_fPctWidth, bars[2].m_fPctWidth);
  pump();
  save_picture("dock_row_restored.png");
}

TEST_F(SecBarsTest, TheCloseButtonHidesTheBarOnlyWhenReleasedOnIt) {
  dock_row();
  const CRect close = bars[0].GetCloseButtonRect();
  ASSERT_FALSE(close.IsRectEmpty());
  bars[0].SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(close.CenterPoint().x, close.CenterPoint().y));
  bars[0].SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(close.right + 40, close.bottom + 40));
  EXPECT_TRUE(bars[0].IsWindowVisible());
  EXPECT_FALSE(bars[0].m_bClosePressed);
  bars[0].SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(close.CenterPoint().x, close.CenterPoint().y));
  bars[0].SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(close.CenterPoint().x, close.CenterPoint().y));
  EXPECT_FALSE(bars[0].IsWindowVisible());
  pump();
  // The two bars left share the row.
  EXPECT_EQ(in_dock(bars[1]).left, 1);
  EXPECT_EQ(in_dock(bars[2]).right, 812);
}

TEST_F(SecBarsTest, UniqueIdsSkipTakenOnes) {
  dock_row();
  EXPECT_EQ(SECControlBar::GetUniqueBarId(frame, 100), 103u);
  EXPECT_EQ(SECControlBar::GetUniqueBarId(frame, 200), 200u);
}

TEST_F(SecBarsTest, ChildrenScaleFromTheFirstRealSize) {
  SECControlBar bar;
  ASSERT_TRUE(bar.Create(frame, "Skala", WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, BAREX_SCALE_CHILDREN, 120));
  EXPECT_FALSE(bar.HasChildRecords());
  CWnd child;
  ASSERT_TRUE(child.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 30), &bar, 1));
  bar.SetWindowPos(nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(bar.HasChildRecords());
  bar.SetWindowPos(nullptr, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER);
  CRect r;
  child.GetWindowRect(&r);
  bar.ScreenToClient(&r);
  EXPECT_EQ(r, CRect(20, 20, 220, 60));
  bar.ModifyExStyle(BAREX_SCALE_CHILDREN, 0, FALSE);
  EXPECT_FALSE(bar.HasChildRecords());
  bar.ModifyExStyle(0, BAREX_SCALE_CHILDREN, FALSE);
  EXPECT_TRUE(bar.HasChildRecords());
  bar.DestroyWindow();
}

TEST_F(SecBarsTest, CommittingAStretchedLengthStoresTheShare) {
  SECControlBar bar;
  bar.m_fPctWidth = 0.5f;
  bar.CalcDynamicLayout(400, LM_COMMIT | LM_STRETCH | LM_HORZDOCK);
  EXPECT_EQ(bar.m_szHorzDock.cx, 200);
}

TEST_F(SecBarsTest, RemovingABarLeavesOnePlaceholder) {
  dock_row();
  SECDockBar* dock = top();
  dock->RemoveControlBar(&bars[2]);
  EXPECT_GE(dock->FindPlaceHolder(102), 0);
  // Its placeholder already stands: docking elsewhere and removing again drops the entry.
  dock->m_arrBars.InsertAt(1, &bars[2]);
  dock->m_arrBars.InsertAt(2, nullptr);
  dock->RemoveControlBar(&bars[2]);
  int placeholders = 0, rows = 0;
  for (int i = 0; i < dock->m_arrBars.GetSize(); ++i) {
    if (CDockBar::IsPlaceHolder(dock->m_arrBars[i])) ++placeholders;
    if (i > 0 && dock->m_arrBars[i] == nullptr) ++rows;
  }
  EXPECT_EQ(placeholders, 1);
  EXPECT_EQ(rows, 1);
}

TEST_F(SecBarsTest, AFloatingFrameLeftEmptyGoesAfterItsHandlersReturn) {
  // A floating frame of its own holding one floating toolkit dock bar with one bar.
  CWnd* floating = new CWnd;
  ASSERT_TRUE(floating->CreateEx(WS_EX_TOOLWINDOW, nullptr, "Pływające", WS_POPUP | WS_VISIBLE, CRect(100, 100, 400, 300),
                                 nullptr, 0));
  SECDockBar* dock = new SECDockBar(TRUE);
  ASSERT_TRUE(dock->Create(floating, CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_FLOAT));
  dock->m_bAutoDelete = TRUE;
  make(bars[0], 100, "Nawigator");
  dock->DockControlBar(&bars[0]);
  HWND frame_handle = floating->m_hWnd;
  // The bar leaves with its placeholder kept: the frame is only hidden.
  EXPECT_FALSE(dock->RemoveControlBar(&bars[0], -1, 1));
  EXPECT_TRUE(::IsWindow(frame_handle));
  EXPECT_FALSE(::IsWindowVisible(frame_handle));
  // Without a placeholder either, the frame goes, but only after the caller has returned.
  dock->DockControlBar(&bars[0]);
  dock->RemovePlaceHolder(&bars[0]);
  bars[0].SetDlgCtrlID(0);
  EXPECT_TRUE(dock->RemoveControlBar(&bars[0]));
  EXPECT_TRUE(::IsWindow(frame_handle));
  pump();
  EXPECT_FALSE(::IsWindow(frame_handle));
  delete floating;
}

// A parent that asks, from its child's WM_DESTROY, whether it is going.
class Watched : public CWnd {
 public:
  static BOOL parent_going;
  afx_msg void OnDestroy() {
    parent_going = ::IsWindowBeingDestroyed(::GetParent(m_hWnd));
    Default();
  }
  DECLARE_MESSAGE_MAP()
};
BOOL Watched::parent_going = FALSE;
BEGIN_MESSAGE_MAP(Watched, CWnd)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

TEST_F(SecBarsTest, ChildrenSeeTheirParentBeingDestroyed) {
  CWnd parent;
  Watched child;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "Rodzic", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
  ASSERT_TRUE(child.CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &parent, 1));
  EXPECT_FALSE(::IsWindowBeingDestroyed(parent.m_hWnd));
  parent.DestroyWindow();
  EXPECT_TRUE(Watched::parent_going);
  EXPECT_FALSE(::IsWindowBeingDestroyed(parent.m_hWnd));
}

}  // namespace
}  // namespace lumo::test
