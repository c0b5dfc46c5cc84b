// Minimised MDI children: a double click on the caption strip restores the child; the strip's
// buttons and the child's system commands restore, maximise and arrange.
#include "platform/framework/menu.h"
#include "platform/win/system_metrics.h"
#include "tests/framework/mdi_children_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

class MdiRestoreTest : public MdiChildrenTest {
 protected:
  // A point of the child's caption strip, `from_right` pixels from its right end (screen).
  POINT caption_point(CWnd* child, int from_right) {
    CRect r;
    child->GetWindowRect(&r);
    int border = GetSystemMetrics(SM_CYFRAME);
    return POINT{r.right - from_right, r.top + border + GetSystemMetrics(SM_CYCAPTION) / 2};
  }
  // The first press on a caption starts moving the window: its release comes inside that loop.
  void double_click(POINT p) {
    mouse_down(p);
    when_captured([p] { mouse_up(p); });
    pump();
    win::mouse_input(win::MouseAction::double_click, win::MouseButton::left, QPoint(p.x, p.y), {});
    mouse_up(p);
    pump();
  }
  // The child's point at window coordinates `p`, on the screen.
  POINT window_point(CWnd* child, CPoint p) {
    CRect r;
    child->GetWindowRect(&r);
    return POINT{r.left + p.x, r.top + p.y};
  }
  LRESULT hit_test(CWnd* child, POINT screen) {
    return child->SendMessage(WM_NCHITTEST, 0, MAKE_POINT_LPARAM(screen.x, screen.y));
  }
};

TEST_F(MdiRestoreTest, DoubleClickOnAMinimisedChildsCaptionRestoresIt) {
  CRect before = rect_of(children[1]);
  children[1]->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
  pump();
  ASSERT_TRUE(children[1]->IsIconic());
  double_click(caption_point(children[1], 80));
  EXPECT_FALSE(children[1]->IsIconic());
  EXPECT_FALSE(children[1]->IsZoomed());
  EXPECT_EQ(rect_of(children[1]), before);
  EXPECT_EQ(frame->MDIGetActive(), children[1]);
  // On a child that is neither minimised nor maximised, a double click on the caption maximises.
  double_click(caption_point(children[1], 80));
  EXPECT_TRUE(children[1]->IsZoomed());
}

TEST_F(MdiRestoreTest, TheStripsButtonsRestoreAndMaximise) {
  CRect before = rect_of(children[0]);
  children[0]->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
  pump();
  ASSERT_TRUE(children[0]->IsIconic());
  // Left of the close box: restore, then maximise.
  int size = GetSystemMetrics(SM_CYCAPTION) - 4;
  POINT close = caption_point(children[0], GetSystemMetrics(SM_CXFRAME) + size / 2 + 2);
  POINT zoom = caption_point(children[0], GetSystemMetrics(SM_CXFRAME) + size + 5 + size / 2);
  POINT reduce = caption_point(children[0], GetSystemMetrics(SM_CXFRAME) + 2 * size + 7 + size / 2);
  EXPECT_EQ(hit_test(children[0], close), HTCLOSE);
  EXPECT_EQ(hit_test(children[0], zoom), HTMAXBUTTON);
  EXPECT_EQ(hit_test(children[0], reduce), HTMINBUTTON);
  EXPECT_EQ(hit_test(children[0], caption_point(children[0], 120)), HTCAPTION);
  // The maximise glyph's thick top line is drawn on the button.
  int border = GetSystemMetrics(SM_CXFRAME);
  CRect strip;
  children[0]->GetWindowRect(&strip);
  int zoom_left = strip.Width() - border - size - 3 - 2 - (size + 2);
  EXPECT_EQ(surface_pixel(children[0]->m_hWnd, zoom_left + 5, border + 2 + 2, true), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(surface_pixel(children[0]->m_hWnd, zoom_left + 1, border + 2 + 1, true), GetSysColor(COLOR_BTNFACE));
  save_surface_png(children[0]->m_hWnd, temp_path("strip.png"), true);
  if (const char* keep = std::getenv("LUMO_KEEP_STRIP_PNG")) save_surface_png(children[0]->m_hWnd, keep, true);
  mouse_down(reduce);
  mouse_up(reduce);
  pump();
  EXPECT_FALSE(children[0]->IsIconic());
  EXPECT_EQ(rect_of(children[0]), before);
  EXPECT_EQ(frame->MDIGetActive(), children[0]);
  // Minimised again, the maximise button maximises it straight from the strip.
  children[0]->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
  pump();
  zoom = caption_point(children[0], GetSystemMetrics(SM_CXFRAME) + size + 5 + size / 2);
  mouse_down(zoom);
  mouse_up(zoom);
  pump();
  EXPECT_TRUE(children[0]->IsZoomed());
  EXPECT_FALSE(children[0]->IsIconic());
  // A child in its normal state has minimise and maximise buttons.
  frame->MDIRestore(children[0]);
  pump();
  POINT minimise = caption_point(children[0], GetSystemMetrics(SM_CXFRAME) + 2 * size + 7 + size / 2);
  mouse_down(minimise);
  mouse_up(minimise);
  pump();
  EXPECT_TRUE(children[0]->IsIconic());
}

TEST_F(MdiRestoreTest, ArrangingIconsKeepsTheMaximisedChildAndTilingLeavesTheIconsFree) {
  children[0]->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
  frame->MDIMaximize(children[2]);
  pump();
  // Scatter the strip, then arrange: it goes back to the bottom row, the maximised child stays so.
  children[0]->MoveWindow(50, 50, 160, 30);
  frame->SendMessage(WM_COMMAND, ID_WINDOW_ARRANGE);
  pump();
  CRect client;
  ::GetClientRect(frame->m_hWndMDIClient, &client);
  CRect icon = rect_of(children[0]);
  EXPECT_EQ(icon.left, 0);
  EXPECT_EQ(icon.bottom, client.bottom);
  BOOL maximized = FALSE;
  EXPECT_EQ(frame->MDIGetActive(&maximized), children[2]);
  EXPECT_TRUE(maximized);
  EXPECT_TRUE(children[2]->IsZoomed());
  // Tiling restores the maximised child and shares the room above the icon row.
  frame->MDITile(0);
  pump();
  EXPECT_FALSE(children[2]->IsZoomed());
  for (CMDIChildWnd* child : {children[1], children[2]}) {
    CRect r = rect_of(child);
    EXPECT_LE(r.bottom, icon.top);
    EXPECT_EQ(r.Width(), client.Width());
  }
  EXPECT_EQ(rect_of(children[0]), icon);
}

TEST_F(MdiRestoreTest, AMinimisedChildChosenFromTheWindowMenuIsRestored) {
  CRect before = rect_of(children[0]);
  children[0]->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
  children[1]->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
  pump();
  // The window menu's first child item.
  frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD);
  pump();
  EXPECT_EQ(frame->MDIGetActive(), children[0]);
  EXPECT_FALSE(children[0]->IsIconic());
  EXPECT_EQ(rect_of(children[0]), before);
  // The strip left standing closes the gap.
  EXPECT_EQ(rect_of(children[1]).left, 0);
  // With a maximised child, the next child (a minimised one) takes the maximised state and its
  // strip's place goes.
  children[0]->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
  frame->MDIMaximize(children[2]);
  frame->MDIActivate(children[1]);
  pump();
  EXPECT_TRUE(children[1]->IsZoomed());
  EXPECT_FALSE(children[1]->IsIconic());
  EXPECT_EQ(rect_of(children[0]).left, 0);
}

}  // namespace
}  // namespace lumo::test
