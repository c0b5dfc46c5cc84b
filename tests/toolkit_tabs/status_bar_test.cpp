// The toolkit's status bars: pane layout with stretch panes, texts sent once, window text,
// command-UI updates offered to the bar first, the custom bar's colours, bitmaps and progress,
// and the size grip.
#include <string>

#include "platform/base/cp1250.h"
#include "platform/res/resource_store.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/message_log.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"
#include "toolkit/frame/sec_progress_ctrl.h"
#include "toolkit/frame/sec_status_bar.h"

namespace lumo::test {
namespace {

constexpr UINT ID_PANE_ADDRESS = 33201;
constexpr UINT ID_PANE_COUNT = 33202;
constexpr UINT ID_PANE_DATE = 33203;
constexpr UINT ID_PANE_NO_TEXT = 33204;

TEST(StatusLayout, StretchPanesShareTheSpareWidth) {
  using statuslayout::PaneSize;
  const struct {
    std::vector<PaneSize> panes;
    int inside;
    std::vector<int> edges;
  } cases[] = {
      // 16 + 26 + 16 plus two gaps of 2 leave 101 pixels: 50 to the first, 51 to the last.
      {{{10, true}, {20, false}, {10, true}}, 163, {66, 94, 163}},
      // No stretch pane: every pane at its own width.
      {{{10, false}, {20, false}}, 300, {16, 44}},
      // Too narrow: nothing to share, the panes keep their widths.
      {{{10, true}, {20, false}}, 20, {16, 44}},
      // One stretch pane takes everything that is left.
      {{{0, true}, {30, false}}, 400, {362, 400}},
  };
  for (const auto& c : cases) EXPECT_EQ(statuslayout::PaneEdges(c.panes, c.inside, 0, 2), c.edges) << c.inside;
}

TEST(StatusLayout, PaneRectanglesFromTheParts) {
  const std::vector<int> edges{100, 150, -1};
  const CSize client(300, 20);
  EXPECT_EQ(statuslayout::PaneRect(edges, 0, 0, 2, 2, client), CRect(0, 2, 100, 19));
  EXPECT_EQ(statuslayout::PaneRect(edges, 1, 0, 2, 2, client), CRect(102, 2, 150, 19));
  EXPECT_EQ(statuslayout::PaneRect(edges, 2, 0, 2, 2, client), CRect(152, 2, 300, 19));
  EXPECT_TRUE(statuslayout::PaneRect(edges, 3, 0, 2, 2, client).IsRectNull());
  EXPECT_TRUE(statuslayout::PaneRect({}, 0, 0, 2, 2, client).IsRectNull());
  EXPECT_EQ(statuslayout::PaneRect({10}, 0, 0, 2, 2, CSize(10, 0)).bottom, 0);
}

TEST(StatusLayout, TextPlacesForEachAlignment) {
  const CRect item(10, 0, 110, 20);
  EXPECT_EQ(statuslayout::TextX(item, TA_LEFT, 40), 11);
  EXPECT_EQ(statuslayout::TextX(item, TA_RIGHT, 40), 69);
  EXPECT_EQ(statuslayout::TextX(item, TA_CENTER, 40), 40);
}

// Bars that keep their indicator panes enabled (the test frame has no handlers for them).
class EnabledStatusBar : public SECStatusBar {
 protected:
  void OnUpdatePane(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(EnabledStatusBar, SECStatusBar)
  ON_UPDATE_COMMAND_UI_RANGE(ID_PANE_ADDRESS, ID_PANE_NO_TEXT, &EnabledStatusBar::OnUpdatePane)
END_MESSAGE_MAP()

class EnabledCustomBar : public SECCustomStatusBar {
 protected:
  void OnUpdatePane(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(EnabledCustomBar, SECCustomStatusBar)
  ON_UPDATE_COMMAND_UI_RANGE(ID_PANE_ADDRESS, ID_PANE_NO_TEXT, &EnabledCustomBar::OnUpdatePane)
END_MESSAGE_MAP()

// A bar that updates the date pane itself, as the application's bar does.
class DateStatusBar : public SECCustomStatusBar {
 public:
  int own_updates = 0;

 protected:
  void OnUpdateDate(CCmdUI* pCmdUI) {
    ++own_updates;
    pCmdUI->SetText("10.12.2026");
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DateStatusBar, SECCustomStatusBar)
  ON_UPDATE_COMMAND_UI(ID_PANE_DATE, &DateStatusBar::OnUpdateDate)
END_MESSAGE_MAP()

class StatusBarTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    static const res::StringResource table[] = {
        {ID_PANE_ADDRESS, "Dz.U. 2026 Nr 12 poz. 345"},
        {ID_PANE_COUNT, "Znaleziono: 0"},
        {ID_PANE_DATE, "00.00.0000"},
    };
    static bool added = (res::add_strings(table), true);
    (void)added;
    frame = make_main_frame();
  }
  template <class Bar>
  void make(Bar& bar) {
    ASSERT_TRUE(bar.Create(frame));
    const UINT ids[] = {ID_SEPARATOR, ID_PANE_ADDRESS, ID_PANE_COUNT, ID_PANE_DATE, ID_PANE_NO_TEXT};
    ASSERT_TRUE(bar.SetIndicators(ids, 5));
    frame->RecalcLayout();
    pump();
  }
  CRect item(const SECStatusBar& bar, int index) const {
    CRect r;
    bar.GetItemRect(index, &r);
    return r;
  }
  CMDIFrameWnd* frame = nullptr;
};

TEST_F(StatusBarTest, PanesTakeTheirStringsAndTheFirstStretches) {
  SECStatusBar bar;
  make(bar);
  EXPECT_EQ(bar.GetCount(), 5);
  EXPECT_EQ(utf8(bar.GetPaneText(1)), "Dz.U. 2026 Nr 12 poz. 345");
  // An id without a string shows two spaces, and is as wide as they are.
  EXPECT_EQ(utf8(bar.GetPaneText(4)), "  ");
  UINT id = 0, style = 0;
  int width = 0;
  bar.GetPaneInfo(4, id, style, width);
  EXPECT_EQ(id, ID_PANE_NO_TEXT);
  EXPECT_GT(width, 0);
  EXPECT_LT(width, 12);
  EXPECT_EQ(bar.GetPaneStyle(0), SBPS_STRETCH | SBPS_NOBORDERS);
  EXPECT_EQ(bar.CommandToIndex(ID_PANE_DATE), 3);
  EXPECT_EQ(bar.CommandToIndex(12345), -1);

  // The bar lies along the bottom of the frame; the panes do not overlap and the last one stops
  // before the grip; pane 0 takes what the others leave.
  CRect client, r;
  frame->GetClientRect(&client);
  bar.GetWindowRect(&r);
  frame->ScreenToClient(&r);
  EXPECT_EQ(r.bottom, client.bottom);
  EXPECT_EQ(r.Width(), client.Width());
  for (int i = 1; i < 5; ++i) EXPECT_LT(item(bar, i - 1).right, item(bar, i).left) << i;
  EXPECT_GT(item(bar, 0).Width(), client.Width() / 2);
  EXPECT_LT(item(bar, 4).right, r.Width() - 10);
  // The control draws in the font the panes were measured in, so each text fits its pane.
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(bar.SendMessage(WM_GETFONT)), ::GetStockObject(DEFAULT_GUI_FONT));
  UINT id1, style1;
  int width1;
  bar.GetPaneInfo(1, id1, style1, width1);
  EXPECT_GE(item(bar, 1).Width(), width1);
  save_surface_png(bar.m_hWnd, "status_plain.png");
}

TEST_F(StatusBarTest, BadPaneIndexesAreRefused) {
  SECStatusBar bar;
  make(bar);
  EXPECT_EQ(bar.GetItemId(-1), 0u);
  EXPECT_EQ(bar.GetItemId(5), 0u);
  EXPECT_EQ(bar.GetPaneStyle(99), 0u);
  EXPECT_FALSE(bar.SetPaneText(5, "x"));
  EXPECT_TRUE(bar.GetPaneText(-3).IsEmpty());
  bar.SetPaneStyle(7, SBPS_DISABLED);
  bar.SetPaneInfo(-1, 1, 0, 10);
  CRect r(1, 2, 3, 4);
  bar.GetItemRect(5, &r);
  EXPECT_TRUE(r.IsRectNull());
}

TEST_F(StatusBarTest, TheSameTextIsSentOnceAndADisabledPaneShowsNone) {
  EnabledStatusBar bar;
  make(bar);
  MessageLog log({SB_SETTEXT});
  EXPECT_TRUE(bar.SetPaneText(2, cp("Znaleziono: 17 słów")));
  EXPECT_TRUE(bar.SetPaneText(2, cp("Znaleziono: 17 słów")));
  EXPECT_EQ(log.messages_of(bar.m_hWnd).size(), 1u);
  auto control_text = [&](int pane) {
    char buffer[128] = {};
    bar.SendMessage(SB_GETTEXT, WPARAM(pane), reinterpret_cast<LPARAM>(buffer));
    return utf8(buffer);
  };
  EXPECT_EQ(control_text(2), "Znaleziono: 17 słów");
  // Without the update flag the text waits for the next paint.
  bar.SetPaneText(1, "Dz.U. 2027 poz. 1", FALSE);
  EXPECT_EQ(control_text(1), "Dz.U. 2026 Nr 12 poz. 345");
  bar.UpdateWindow();
  bar.Invalidate();
  pump();
  EXPECT_EQ(control_text(1), "Dz.U. 2027 poz. 1");
  bar.SetPaneStyle(2, bar.GetPaneStyle(2) | SBPS_DISABLED);
  EXPECT_EQ(control_text(2), "");
  bar.SetPaneStyle(2, bar.GetPaneStyle(2) & ~SBPS_DISABLED);
  EXPECT_EQ(control_text(2), "Znaleziono: 17 słów");
}

TEST_F(StatusBarTest, WindowTextCountsWhatWasCopied) {
  SECStatusBar bar;
  make(bar);
  bar.SetWindowText(cp("Gotowy - źródło"));
  char buffer[64] = {};
  EXPECT_EQ(bar.SendMessage(WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer)), 15);
  EXPECT_EQ(utf8(buffer), "Gotowy - źródło");
  EXPECT_EQ(bar.SendMessage(WM_GETTEXTLENGTH), 15);
  // A short buffer takes what fits and a terminating zero; the count is what it holds.
  char small[5] = {'x', 'x', 'x', 'x', 'x'};
  EXPECT_EQ(bar.SendMessage(WM_GETTEXT, sizeof(small), reinterpret_cast<LPARAM>(small)), 4);
  EXPECT_STREQ(small, "Goto");
  EXPECT_EQ(bar.SendMessage(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(small)), 0);
  CString text;
  bar.GetWindowText(text);
  EXPECT_EQ(utf8(text), "Gotowy - źródło");
}

TEST_F(StatusBarTest, TheBarsOwnUpdateHandlersComeFirst) {
  DateStatusBar bar;
  make(bar);
  bar.own_updates = 0;
  bar.OnUpdateCmdUI(frame, TRUE);
  EXPECT_EQ(bar.own_updates, 1);
  EXPECT_EQ(utf8(bar.GetPaneText(3)), "10.12.2026");
  EXPECT_FALSE(bar.GetPaneStyle(3) & SBPS_DISABLED);
  // The frame has no handler for the other indicators: they are disabled; pane 0 is left alone.
  EXPECT_TRUE(bar.GetPaneStyle(1) & SBPS_DISABLED);
  EXPECT_FALSE(bar.GetPaneStyle(0) & SBPS_DISABLED);
}

TEST_F(StatusBarTest, ProgressReplacesPaneZeroAndPutsItBack) {
  EnabledCustomBar bar;
  make(bar);
  SECStatusPaneInfo colours;
  colours.iIndex = 0;
  colours.clrText = RGB(0, 0, 128);
  colours.nAlign = TA_LEFT;
  colours.nMask = SBP_TEXTCOLOR | SBP_TEXTALIGN;
  ASSERT_TRUE(bar.SetPaneInfoEx(&colours, FALSE));
  bar.SetWindowText("Gotowy");
  SECStatusPaneInfo before;
  before.iIndex = 0;
  ASSERT_TRUE(bar.GetPaneInfoEx(&before));

  ASSERT_TRUE(bar.BeginProgress(cp("Wczytywanie spisu aktów"), 0, 200, TRUE));
  ASSERT_NE(bar.GetProgressCtrl(), nullptr);
  SECStatusPaneInfo during;
  during.iIndex = 0;
  bar.GetPaneInfoEx(&during);
  EXPECT_EQ(utf8(during.strText), "Wczytywanie spisu aktów");
  EXPECT_EQ(during.nStyle & ~SBPS_OWNERDRAW, SBPS_NOBORDERS);
  EXPECT_EQ(during.clrText, RGB(0, 0, 128));
  CRect client, progress;
  bar.GetClientRect(&client);
  EXPECT_EQ(during.cxWidth, client.Width());
  bar.GetProgressCtrl()->GetWindowRect(&progress);
  bar.ScreenToClient(&progress);
  EXPECT_GT(progress.left, 40);
  EXPECT_EQ(progress.right, client.right);
  EXPECT_TRUE(bar.GetProgressCtrl()->IsWindowVisible());
  // The window text stays while the progress shows.
  bar.SetWindowText("Inny tekst");
  EXPECT_EQ(utf8(bar.GetPaneText(0)), "Wczytywanie spisu aktów");
  bar.GetProgressCtrl()->SetPos(120);
  pump();
  save_window_png(bar.m_hWnd, "status_progress.png");

  bar.EndProgress();
  EXPECT_EQ(bar.GetProgressCtrl(), nullptr);
  SECStatusPaneInfo after;
  after.iIndex = 0;
  bar.GetPaneInfoEx(&after);
  EXPECT_EQ(after.nID, before.nID);
  EXPECT_EQ(after.nStyle, before.nStyle);
  EXPECT_EQ(after.cxWidth, before.cxWidth);
  EXPECT_EQ(utf8(after.strText), "Gotowy");
  EXPECT_EQ(after.clrText, before.clrText);
  EXPECT_EQ(after.nMask, before.nMask);
  bar.SetWindowText("Inny tekst");
  EXPECT_EQ(utf8(bar.GetPaneText(0)), "Inny tekst");
}

TEST_F(StatusBarTest, ABitmapPaneRaisesTheBarAndStaysInsideItsPane) {
  EnabledCustomBar bar;
  make(bar);
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateBitmap(400, 30, 1, 32, nullptr));
  {
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap* old = mem.SelectObject(&bitmap);
    mem.FillSolidRect(0, 0, 400, 30, RGB(0, 160, 0));
    mem.SelectObject(old);
  }
  SECStatusPaneInfo info;
  info.iIndex = 2;
  info.hBitmap = bitmap;
  info.nMask = SBP_BITMAP;
  ASSERT_TRUE(bar.SetPaneInfoEx(&info, TRUE));
  int borders[3] = {};
  bar.SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  const int cy = borders[1];
  EXPECT_EQ(bar.GetMinHeight(), 30 + 2 * cy);
  EXPECT_GE(bar.CalcFixedLayout(TRUE, TRUE).cy, 30 + 2 * cy);
  UINT id, style;
  int width;
  bar.GetPaneInfo(2, id, style, width);
  EXPECT_EQ(width, 400);
  EXPECT_TRUE(style & SBPS_OWNERDRAW);

  // Narrow the pane below the bitmap's width: the bitmap is cut at the pane's edge.
  bar.SetPaneInfo(2, id, style, 60);
  bar.Invalidate();
  pump();
  CRect inner;
  bar.GetItemRect(2, &inner);
  EXPECT_EQ(surface_pixel(bar.m_hWnd, inner.left + 5, inner.top + 5), RGB(0, 160, 0));
  EXPECT_NE(surface_pixel(bar.m_hWnd, inner.right + 4, inner.top + 5), RGB(0, 160, 0));
  save_surface_png(bar.m_hWnd, "status_bitmap.png");
}

TEST_F(StatusBarTest, CustomPanesDrawTheirColoursAndAlignments) {
  EnabledCustomBar bar;
  make(bar);
  bar.SetWindowText(cp("Zażółć gęślą jaźń"));
  SECStatusPaneInfo info;
  info.iIndex = 1;
  info.clrText = RGB(255, 255, 255);
  info.clrBk = RGB(128, 0, 0);
  info.nAlign = TA_CENTER;
  info.nMask = SBP_TEXTCOLOR | SBP_BKCOLOR | SBP_TEXTALIGN;
  ASSERT_TRUE(bar.SetPaneInfoEx(&info));
  info.iIndex = 3;
  info.clrText = RGB(0, 0, 160);
  info.nAlign = TA_RIGHT;
  info.nMask = SBP_TEXTCOLOR | SBP_TEXTALIGN;
  ASSERT_TRUE(bar.SetPaneInfoEx(&info));
  bar.SetPaneText(3, cp("śr. 10.12.2026"));
  bar.Invalidate();
  pump();
  save_surface_png(bar.m_hWnd, "status_custom.png");
  CRect r;
  bar.GetItemRect(1, &r);
  EXPECT_EQ(surface_pixel(bar.m_hWnd, r.left + 1, r.top + 1), RGB(128, 0, 0));
  EXPECT_EQ(bar.PaneFromPoint(r.CenterPoint()), 1);
  EXPECT_EQ(bar.PaneFromPoint(CPoint(-5, -5)), -1);
  // A disabled pane draws nothing of its own.
  bar.SetPaneStyle(1, bar.GetPaneStyle(1) | SBPS_DISABLED);
  bar.Invalidate();
  pump();
  EXPECT_NE(surface_pixel(bar.m_hWnd, r.left + 1, r.top + 1), RGB(128, 0, 0));
}

TEST_F(StatusBarTest, PaneWindowsFollowTheirPanesAndGiveWayToProgress) {
  EnabledCustomBar bar;
  make(bar);
  CWnd inset, own;
  LPCTSTR cls = AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  ASSERT_TRUE(inset.Create(cls, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 6), &bar, 501));
  ASSERT_TRUE(own.Create(cls, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 12, 6), &bar, 502));
  bar.SetPaneWindow(1, &inset, SBP_WND_INSET);
  bar.SetPaneWindow(3, &own, SBP_WND_OWN_WIDTH | SBP_WND_OWN_HEIGHT);
  EXPECT_EQ(bar.GetPaneWindow(1), &inset);
  EXPECT_EQ(bar.GetPaneWindow(9), nullptr);
  EXPECT_EQ(bar.GetPaneWindowFlags(3), SBP_WND_OWN_WIDTH | SBP_WND_OWN_HEIGHT);
  EXPECT_EQ(bar.GetPaneWindowFlags(-1), 0u);
  auto placed = [&](CWnd& w) {
    CRect r;
    w.GetWindowRect(&r);
    bar.ScreenToClient(&r);
    return r;
  };
  CRect pane1 = item(bar, 1), pane3 = item(bar, 3);
  pane1.DeflateRect(1, 1);
  EXPECT_EQ(placed(inset), pane1);
  EXPECT_EQ(placed(own), CRect(pane3.left, pane3.top, pane3.left + 12, pane3.top + 6));
  ASSERT_TRUE(bar.BeginProgress(nullptr, 0, 10, TRUE));
  EXPECT_FALSE(inset.IsWindowVisible());
  EXPECT_FALSE(own.IsWindowVisible());
  bar.EndProgress();
  EXPECT_TRUE(inset.IsWindowVisible());
  EXPECT_TRUE(own.IsWindowVisible());
}

TEST_F(StatusBarTest, TheGripSizesTheMainWindow) {
  SECStatusBar bar;
  make(bar);
  ASSERT_TRUE(bar.GetStyle() & SBARS_SIZEGRIP);
  CRect frame_before, bar_client;
  frame->GetWindowRect(&frame_before);
  bar.GetClientRect(&bar_client);
  const POINT grip = screen_point(bar.m_hWnd, {bar_client.right - 3, bar_client.bottom - 3});
  EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)), HTBOTTOMRIGHT);
  const POINT middle = screen_point(bar.m_hWnd, {bar_client.right / 2, bar_client.bottom / 2});
  EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)), HTCLIENT);
  when_captured([&] {
    mouse_move({grip.x + 40, grip.y + 30});
    mouse_up({grip.x + 40, grip.y + 30});
  });
  mouse_down(grip);
  pump();
  CRect frame_after;
  frame->GetWindowRect(&frame_after);
  EXPECT_EQ(frame_after.Width(), frame_before.Width() + 40);
  EXPECT_EQ(frame_after.Height(), frame_before.Height() + 30);
}

}  // namespace
}  // namespace lumo::test
