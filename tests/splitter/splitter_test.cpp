// Dynamic splitters in MDI children: splitting by the split boxes (drag, double click), by the
// keyboard split command, removing panes by dragging a bar to the edge, new panes as initialised
// views of the same document, shared scroll bars, the active pane and the least pane sizes.
#include <QImage>
#include <QPainter>

#include "platform/framework/splitter.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_surface.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

constexpr int kMinPane = 40;

// A scroll view over a 2000 x 2000 picture of stripes: its scroll position shows in what it draws.
class SplitView : public CScrollView {
  DECLARE_DYNCREATE(SplitView)

 public:
  static int initial_updates;
  void OnInitialUpdate() override {
    ++initial_updates;
    SetScrollSizes(MM_TEXT, CSize(2000, 2000));
  }
  void OnDraw(CDC* pDC) override {
    for (int y = 0; y < 2000; y += 100) {
      pDC->FillSolidRect(0, y, 2000, 50, RGB(200, 220, 255));
    }
    if (doc()) pDC->TextOut(10, 10, doc()->m_text);
  }
  TestDoc* doc() const { return static_cast<TestDoc*>(m_pDocument); }
};
IMPLEMENT_DYNCREATE(SplitView, CScrollView)
int SplitView::initial_updates = 0;

// An MDI child whose client is a dynamic splitter of up to 2 x 2 panes.
class SplitFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(SplitFrame)

 public:
  CSplitterWnd m_wndSplitter;
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override {
    return m_wndSplitter.Create(this, 2, 2, CSize(kMinPane, kMinPane), pContext);
  }
};
IMPLEMENT_DYNCREATE(SplitFrame, CMDIChildWnd)

class SplitterTest : public FrameworkTest {
 protected:
  CMDIFrameWnd* main = nullptr;
  SplitFrame* frame = nullptr;
  CSplitterWnd* splitter = nullptr;
  CDocument* doc = nullptr;

  void SetUp() override {
    FrameworkTest::SetUp();
    SplitView::initial_updates = 0;
    main = make_main_frame();
    auto owned = std::make_unique<CMultiDocTemplate>(IDR_TEST_DOC, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(SplitFrame),
                                                     RUNTIME_CLASS(SplitView));
    CMultiDocTemplate* split_template = owned.get();
    app->AddDocTemplate(owned.release());
    doc = split_template->OpenDocumentFile(nullptr);
    ASSERT_NE(doc, nullptr);
    frame = static_cast<SplitFrame*>(main->MDIGetActive());
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->IsKindOf(RUNTIME_CLASS(SplitFrame)));
    frame->MoveWindow(0, 0, 500, 400);
    pump();
    splitter = &frame->m_wndSplitter;
  }

  CRect client_of(CWnd* w) {
    CRect r;
    w->GetClientRect(&r);
    return r;
  }
  // A pane's rectangle in the splitter's client coordinates.
  CRect pane_rect(int row, int col) {
    CRect r;
    splitter->GetPane(row, col)->GetWindowRect(&r);
    splitter->ScreenToClient(&r);
    return r;
  }
  POINT at(int x, int y) { return screen_point(splitter->m_hWnd, POINT{x, y}); }
  void drag(POINT from, POINT to) {
    mouse_down(at(from.x, from.y));
    when_captured([=, this] {
      mouse_move(at((from.x + to.x) / 2, (from.y + to.y) / 2));
      mouse_move(at(to.x, to.y));
      mouse_up(at(to.x, to.y));
    });
    pump();
  }
  void double_click(POINT p) {
    mouse_down(at(p.x, p.y));
    mouse_up(at(p.x, p.y));
    win::mouse_input(win::MouseAction::double_click, win::MouseButton::left, QPoint(at(p.x, p.y).x, at(p.x, p.y).y),
                     {});
    mouse_up(at(p.x, p.y));
    pump();
  }
  int right_strip_x() { return client_of(splitter).right - GetSystemMetrics(SM_CXVSCROLL) / 2; }
  int bottom_strip_y() { return client_of(splitter).bottom - GetSystemMetrics(SM_CYHSCROLL) / 2; }
};

TEST_F(SplitterTest, StartsWithOnePaneAndItsSharedBars) {
  EXPECT_TRUE(splitter->IsDynamic());
  EXPECT_EQ(splitter->GetRowCount(), 1);
  EXPECT_EQ(splitter->GetColumnCount(), 1);
  ASSERT_NE(splitter->GetPane(0, 0), nullptr);
  EXPECT_EQ(frame->GetActiveView(), splitter->GetPane(0, 0));
  EXPECT_EQ(SplitView::initial_updates, 1);
  // The splitter fills the frame; the pane leaves room for the bars along the right and bottom.
  CRect inside = client_of(splitter);
  EXPECT_EQ(inside, client_of(frame));
  CRect pane = pane_rect(0, 0);
  EXPECT_EQ(pane.right, inside.right - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(pane.bottom, inside.bottom - GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_FALSE(splitter->GetPane(0, 0)->GetStyle() & (WS_HSCROLL | WS_VSCROLL));
  EXPECT_NE(splitter->GetPaneScrollBar(splitter->GetPane(0, 0), SB_VERT), nullptr);
  EXPECT_NE(splitter->GetPaneScrollBar(splitter->GetPane(0, 0), SB_HORZ), nullptr);
}

TEST_F(SplitterTest, DraggingTheRowSplitBoxSplitsWhereItIsReleased) {
  // The row split box sits above the vertical bar, at the top of the right strip.
  EXPECT_EQ(splitter->HitTest(CPoint(right_strip_x(), 2)), CSplitterWnd::vSplitterBox);
  drag(POINT{right_strip_x(), 2}, POINT{right_strip_x(), 152});
  ASSERT_EQ(splitter->GetRowCount(), 2);
  EXPECT_EQ(splitter->GetColumnCount(), 1);
  int cur = 0, min = 0;
  splitter->GetRowInfo(0, cur, min);
  EXPECT_EQ(cur, 150);
  EXPECT_EQ(min, kMinPane);
  EXPECT_EQ(pane_rect(1, 0).top, 150 + CSplitterWnd::kBarWidth);
  // The new pane is a second view of the document, initialised.
  CWnd* pane = splitter->GetPane(1, 0);
  ASSERT_NE(pane, nullptr);
  ASSERT_TRUE(pane->IsKindOf(RUNTIME_CLASS(SplitView)));
  EXPECT_EQ(static_cast<SplitView*>(pane)->GetDocument(), doc);
  EXPECT_EQ(doc->views().size(), 2u);
  EXPECT_EQ(SplitView::initial_updates, 2);
  // Nothing is left tracking or holding the mouse.
  EXPECT_FALSE(splitter->IsTracking());
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(SplitterTest, SplitBoxesSplitOnlyWhereBothPanesKeepTheirLeastSize) {
  // Released within the least size of the first pane, or of the second: no split.
  struct Case {
    int y;
    int rows;
  } cases[] = {{2 + kMinPane - 10, 1}, {client_of(splitter).bottom - 20, 1}, {2 + kMinPane + 5, 2}};
  for (const Case& c : cases) {
    while (splitter->GetRowCount() > 1) splitter->DeleteRow(1);
    drag(POINT{right_strip_x(), 2}, POINT{right_strip_x(), c.y});
    EXPECT_EQ(splitter->GetRowCount(), c.rows) << "released at " << c.y;
  }
}

TEST_F(SplitterTest, DoubleClickOnTheColumnSplitBoxSplitsInTheMiddle) {
  POINT box{2, bottom_strip_y()};
  EXPECT_EQ(splitter->HitTest(CPoint(box)), CSplitterWnd::hSplitterBox);
  double_click(box);
  ASSERT_EQ(splitter->GetColumnCount(), 2);
  CRect inside = client_of(splitter);
  int width = inside.Width() - GetSystemMetrics(SM_CXVSCROLL);
  int cur = 0, min = 0;
  splitter->GetColumnInfo(0, cur, min);
  EXPECT_EQ(cur, (width - CSplitterWnd::kBarWidth) / 2);
  EXPECT_EQ(doc->views().size(), 2u);
  // Split to the limit, the box is gone: a second double click there changes nothing.
  EXPECT_EQ(splitter->HitTest(CPoint(box)), CSplitterWnd::noHit);
  double_click(box);
  EXPECT_EQ(splitter->GetColumnCount(), 2);
  EXPECT_FALSE(splitter->SplitColumn(50));
  // A double click on the bar joins the panes again, keeping the active one.
  splitter->SetActivePane(0, 1);
  CWnd* active = splitter->GetPane(0, 1);
  double_click(POINT{cur + 2, 100});
  EXPECT_EQ(splitter->GetColumnCount(), 1);
  EXPECT_EQ(splitter->GetPane(0, 0), active);
  EXPECT_EQ(frame->GetActiveView(), active);
  EXPECT_EQ(doc->views().size(), 1u);
}

TEST_F(SplitterTest, KeyboardSplitCommandMovesTheTrackersAndSplitsOnEnter) {
  splitter->GetPane(0, 0)->SetFocus();
  // The command reaches the active view through the frames.
  main->SendMessage(WM_COMMAND, ID_WINDOW_SPLIT);
  ASSERT_TRUE(splitter->IsTracking());
  EXPECT_EQ(CWnd::GetFocus(), splitter);
  press_key(VK_UP);
  press_key(VK_LEFT);
  press_key(VK_LEFT);
  press_key(VK_RETURN);
  pump();
  EXPECT_FALSE(splitter->IsTracking());
  ASSERT_EQ(splitter->GetRowCount(), 2);
  ASSERT_EQ(splitter->GetColumnCount(), 2);
  CRect inside = client_of(splitter);
  inside.right -= GetSystemMetrics(SM_CXVSCROLL);
  inside.bottom -= GetSystemMetrics(SM_CYHSCROLL);
  int cur = 0, min = 0;
  splitter->GetRowInfo(0, cur, min);
  EXPECT_EQ(cur, inside.CenterPoint().y - 16);
  splitter->GetColumnInfo(0, cur, min);
  EXPECT_EQ(cur, inside.CenterPoint().x - 32);
  EXPECT_EQ(doc->views().size(), 4u);
  EXPECT_EQ(SplitView::initial_updates, 4);
  // The focus goes back to the active pane.
  EXPECT_EQ(CWnd::GetFocus(), frame->GetActiveView());

  // Escape leaves everything as it was.
  main->SendMessage(WM_COMMAND, ID_WINDOW_SPLIT);
  ASSERT_TRUE(splitter->IsTracking());
  press_key(VK_DOWN);
  press_key(VK_ESCAPE);
  pump();
  EXPECT_FALSE(splitter->IsTracking());
  splitter->GetRowInfo(0, cur, min);
  EXPECT_EQ(cur, inside.CenterPoint().y - 16);
}

TEST_F(SplitterTest, DraggingABarToTheEdgeRemovesThePane) {
  ASSERT_TRUE(splitter->SplitRow(150));
  ASSERT_TRUE(splitter->SplitColumn(200));
  ASSERT_EQ(doc->views().size(), 4u);
  // The active pane is in the row that goes: it moves to the row that stays.
  splitter->SetActivePane(0, 1);
  EXPECT_EQ(frame->GetActiveView(), splitter->GetPane(0, 1));
  CWnd* kept = splitter->GetPane(1, 1);
  // The row bar dragged to the top edge: the top row goes, the bottom row moves up.
  drag(POINT{100, 152}, POINT{100, 0});
  EXPECT_EQ(splitter->GetRowCount(), 1);
  EXPECT_EQ(splitter->GetColumnCount(), 2);
  EXPECT_EQ(splitter->GetPane(0, 1), kept);
  EXPECT_EQ(frame->GetActiveView(), kept);
  EXPECT_EQ(doc->views().size(), 2u);
  EXPECT_EQ(pane_rect(0, 1).top, 0);
  // The column bar dragged near the right edge (within the least size): the right column goes.
  CRect inside = client_of(splitter);
  drag(POINT{202, 100}, POINT{inside.right - 30, 100});
  EXPECT_EQ(splitter->GetColumnCount(), 1);
  EXPECT_EQ(doc->views().size(), 1u);
  EXPECT_EQ(frame->GetActiveView(), splitter->GetPane(0, 0));
  EXPECT_EQ(pane_rect(0, 0).right, inside.right - GetSystemMetrics(SM_CXVSCROLL));
  // A drag that leaves both panes their least size only moves the bar.
  ASSERT_TRUE(splitter->SplitColumn(200));
  drag(POINT{202, 100}, POINT{252, 100});
  int cur = 0, min = 0;
  splitter->GetColumnInfo(0, cur, min);
  EXPECT_EQ(cur, 250);
  EXPECT_EQ(splitter->GetColumnCount(), 2);
}

TEST_F(SplitterTest, EscapeOrALostCaptureCancelsADrag) {
  ASSERT_TRUE(splitter->SplitRow(150));
  mouse_down(at(100, 152));
  when_captured([this] {
    mouse_move(at(100, 200));
    press_key(VK_ESCAPE);
    mouse_up(at(100, 200));
  });
  pump();
  int cur = 0, min = 0;
  splitter->GetRowInfo(0, cur, min);
  EXPECT_EQ(cur, 150);
  mouse_down(at(100, 152));
  when_captured([this] {
    mouse_move(at(100, 0));
    // Another window takes the mouse.
    main->SetCapture();
    ReleaseCapture();
  });
  pump();
  EXPECT_FALSE(splitter->IsTracking());
  EXPECT_EQ(splitter->GetRowCount(), 2);
}

TEST_F(SplitterTest, TheTrackerIsDrawnOverThePanesWhileABarIsDragged) {
  ASSERT_TRUE(splitter->SplitRow(150));
  pump();
  CWnd* lower = splitter->GetPane(1, 0);
  // The tracker lands 42 pixels into the lower pane: it inverts every other pixel of its strip.
  auto strip = [&] {
    std::vector<DWORD> pixels;
    for (int x = 20; x < 24; ++x) {
      for (int y = 42; y < 48; ++y) pixels.push_back(surface_pixel(lower->m_hWnd, x, y, true));
    }
    return pixels;
  };
  std::vector<DWORD> before = strip();
  mouse_down(at(100, 152));
  pump();
  ASSERT_TRUE(splitter->IsTracking());
  mouse_move(at(100, 200));
  pump();
  std::vector<DWORD> during = strip();
  size_t changed = 0;
  for (size_t i = 0; i < before.size(); ++i) changed += before[i] != during[i];
  EXPECT_EQ(changed, before.size() / 2);
  // Nothing moves until the button is released; Escape takes the tracker away again.
  EXPECT_EQ(pane_rect(1, 0).top, 156);
  press_key(VK_ESCAPE);
  mouse_up(at(100, 200));
  pump();
  EXPECT_EQ(strip(), before);
  EXPECT_EQ(pane_rect(1, 0).top, 156);
}

TEST_F(SplitterTest, PanesOfAColumnShareItsScrollBarAndScrollTogether) {
  ASSERT_TRUE(splitter->SplitRow(150));
  ASSERT_TRUE(splitter->SplitColumn(200));
  auto* top = static_cast<SplitView*>(splitter->GetPane(0, 0));
  auto* bottom = static_cast<SplitView*>(splitter->GetPane(1, 0));
  auto* right = static_cast<SplitView*>(splitter->GetPane(0, 1));
  EXPECT_EQ(top->GetScrollBarCtrl(SB_HORZ), bottom->GetScrollBarCtrl(SB_HORZ));
  EXPECT_NE(top->GetScrollBarCtrl(SB_HORZ), right->GetScrollBarCtrl(SB_HORZ));
  EXPECT_EQ(top->GetScrollBarCtrl(SB_VERT), right->GetScrollBarCtrl(SB_VERT));
  EXPECT_NE(top->GetScrollBarCtrl(SB_VERT), bottom->GetScrollBarCtrl(SB_VERT));
  // The views' ranges live on the shared bars; the views have no bars of their own.
  SCROLLINFO info;
  ASSERT_TRUE(top->GetScrollInfo(SB_HORZ, &info, SIF_RANGE | SIF_PAGE));
  EXPECT_EQ(info.nMax, 1999);
  EXPECT_FALSE(top->GetStyle() & (WS_HSCROLL | WS_VSCROLL));
  // A page down on the first column's bar scrolls both panes of the column by the same step.
  HWND bar = reinterpret_cast<CWnd*>(top->GetScrollBarCtrl(SB_HORZ))->m_hWnd;
  CRect bar_rect;
  ::GetClientRect(bar, &bar_rect);
  click(bar, POINT{bar_rect.right - bar_rect.Height() - 5, bar_rect.Height() / 2});
  pump();
  EXPECT_GT(top->GetScrollPosition().x, 0);
  EXPECT_EQ(top->GetScrollPosition().x, bottom->GetScrollPosition().x);
  EXPECT_EQ(right->GetScrollPosition().x, 0);
  EXPECT_EQ(top->GetScrollPosition().y, 0);
  // A view scrolled from code moves the shared bar, which the other pane of the column reads.
  bottom->ScrollToPosition(CPoint(300, 40));
  EXPECT_EQ(top->GetScrollPosition().x, 300);
  EXPECT_EQ(top->GetScrollPosition().y, 0);
  EXPECT_EQ(bottom->GetScrollPosition().y, 40);
}

TEST_F(SplitterTest, ActivePaneFollowsClicksAndSetActivePane) {
  ASSERT_TRUE(splitter->SplitColumn(200));
  int row = -1, col = -1;
  EXPECT_EQ(splitter->GetActivePane(&row, &col), splitter->GetPane(0, 0));
  EXPECT_EQ(col, 0);
  click(splitter->GetPane(0, 1)->m_hWnd, POINT{20, 20});
  pump();
  EXPECT_EQ(splitter->GetActivePane(&row, &col), splitter->GetPane(0, 1));
  EXPECT_EQ(col, 1);
  EXPECT_EQ(frame->GetActiveView(), splitter->GetPane(0, 1));
  splitter->SetActivePane(0, 0);
  EXPECT_EQ(frame->GetActiveView(), splitter->GetPane(0, 0));
  EXPECT_EQ(CWnd::GetFocus(), splitter->GetPane(0, 0));
  // The split command is offered while the active view is a pane of a dynamic splitter.
  CTestCmdUI probe;
  probe.m_nID = ID_WINDOW_SPLIT;
  probe.DoUpdate(main, TRUE);
  EXPECT_TRUE(probe.m_bEnabled);
}

// A static splitter whose panes touch with a one-pixel gap and whose bars never answer a hit.
class FixedSplitter : public CSplitterWnd {
 public:
  FixedSplitter() {
    m_cxSplitter = m_cySplitter = 0;
    m_cxSplitterGap = m_cySplitterGap = 1;
  }
  int HitTest(CPoint) const override { return noHit; }
};

TEST_F(SplitterTest, AStaticSplitterCanHaveFixedBars) {
  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, nullptr, "Okno", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
  FixedSplitter fixed;
  ASSERT_TRUE(fixed.CreateStatic(&host, 2, 2));
  EXPECT_FALSE(fixed.IsDynamic());
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 2; ++c) ASSERT_TRUE(fixed.CreateView(r, c, RUNTIME_CLASS(TestView), CSize(20, 20), nullptr));
  }
  fixed.SetRowInfo(0, 20, 0);
  fixed.SetColumnInfo(0, 20, 0);
  fixed.RecalcLayout();
  CRect corner, picture;
  fixed.GetPane(0, 0)->GetWindowRect(&corner);
  fixed.GetPane(1, 1)->GetWindowRect(&picture);
  fixed.ScreenToClient(&corner);
  fixed.ScreenToClient(&picture);
  EXPECT_EQ(corner, CRect(0, 0, 20, 20));
  EXPECT_EQ(picture, CRect(21, 21, 300, 200));
  // Dragging across the gap moves nothing; a static splitter neither splits nor joins.
  POINT gap = screen_point(fixed.m_hWnd, POINT{20, 100});
  mouse_down(gap);
  mouse_move(screen_point(fixed.m_hWnd, POINT{120, 100}));
  mouse_up(screen_point(fixed.m_hWnd, POINT{120, 100}));
  pump();
  int cur = 0, min = 0;
  fixed.GetColumnInfo(0, cur, min);
  EXPECT_EQ(cur, 20);
  EXPECT_FALSE(fixed.SplitRow(50));
  EXPECT_FALSE(fixed.DoKeyboardSplit());
  fixed.DeleteColumn(1);
  EXPECT_EQ(fixed.GetColumnCount(), 2);
  fixed.DestroyWindow();
  host.DestroyWindow();
}

TEST_F(SplitterTest, ATwoByTwoSplitLooksRight) {
  ASSERT_TRUE(splitter->SplitRow(140));
  ASSERT_TRUE(splitter->SplitColumn(220));
  static_cast<TestDoc*>(doc)->m_text = "Ustawa";
  doc->UpdateAllViews(nullptr);
  splitter->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
  pump();
  // The splitter and its children are windows of their own: put their surfaces together.
  QImage picture = win::window_surface(splitter->m_hWnd);
  ASSERT_FALSE(picture.isNull());
  {
    QPainter painter(&picture);
    for (HWND child = ::GetTopWindow(splitter->m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      CRect r;
      ::GetWindowRect(child, &r);
      splitter->ScreenToClient(&r);
      painter.drawImage(QPoint(r.left, r.top), win::window_surface(child, true));
    }
  }
  ASSERT_TRUE(picture.save(QString::fromStdString(temp_path("split_2x2.png")), "PNG"));
  if (const char* keep = std::getenv("LUMO_KEEP_PNG")) picture.save(keep, "PNG");
  // The bars between the panes are drawn raised: light on the left, dark on the right.
  int bar_x = 220;
  QRgb light = picture.pixel(bar_x, 60), dark = picture.pixel(bar_x + CSplitterWnd::kBarWidth - 1, 60);
  EXPECT_GT(qGray(light), qGray(dark));
  EXPECT_EQ(splitter->HitTest(CPoint(bar_x + 2, 60)), CSplitterWnd::hSplitterBar1);
  EXPECT_EQ(splitter->HitTest(CPoint(100, 142)), CSplitterWnd::vSplitterBar1);
  EXPECT_EQ(splitter->HitTest(CPoint(bar_x + 2, 142)), CSplitterWnd::splitterIntersection1);
}

}  // namespace
}  // namespace lumo::test
