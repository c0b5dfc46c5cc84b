// Minimised MDI children: caption-sized strips along the client's bottom, activation passing on,
// and restoring to the rectangle they had.
#include "platform/framework/menu.h"
#include "platform/win/system_metrics.h"
#include "tests/framework/mdi_children_fixture.h"

namespace lumo::test {
namespace {

class MdiIconicTest : public MdiChildrenTest {
 protected:
  CRect client() {
    CRect c;
    ::GetClientRect(frame->m_hWndMDIClient, &c);
    return c;
  }
};

TEST_F(MdiIconicTest, MinimisedChildrenLineUpAtTheBottomAndRestore) {
  ASSERT_EQ(children.size(), 3u);
  CRect before0 = rect_of(children[0]);
  children[2]->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
  children[0]->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
  pump();
  EXPECT_TRUE(children[0]->IsIconic());
  EXPECT_TRUE(children[2]->IsIconic());
  // Creation order along the bottom edge, each as tall as a caption with its borders.
  CRect icon0 = rect_of(children[0]), icon2 = rect_of(children[2]);
  EXPECT_EQ(icon0.bottom, client().bottom);
  EXPECT_EQ(icon2.bottom, client().bottom);
  EXPECT_EQ(icon0.left, 0);
  EXPECT_EQ(icon2.left, icon0.right);
  EXPECT_LT(icon0.Height(), before0.Height());
  EXPECT_GE(icon0.Height(), GetSystemMetrics(SM_CYCAPTION));
  // The child left standing is the active one.
  EXPECT_EQ(frame->MDIGetActive(), children[1]);
  // Restoring brings back the rectangle, activates the child and closes the gap in the row.
  children[0]->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
  pump();
  EXPECT_FALSE(children[0]->IsIconic());
  EXPECT_EQ(rect_of(children[0]), before0);
  EXPECT_EQ(frame->MDIGetActive(), children[0]);
  EXPECT_EQ(rect_of(children[2]).left, 0);
  // Cascading leaves the minimised child in its place.
  CRect icon = rect_of(children[2]);
  frame->MDICascade();
  EXPECT_EQ(rect_of(children[2]), icon);
  EXPECT_TRUE(children[2]->IsIconic());
}

TEST_F(MdiIconicTest, MinimisingTheMaximisedChildLeavesTheMaximisedState) {
  CRect before = rect_of(children[2]);
  frame->MDIMaximize(children[2]);
  BOOL maximized = FALSE;
  frame->MDIGetActive(&maximized);
  ASSERT_TRUE(maximized);
  children[2]->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
  pump();
  EXPECT_TRUE(children[2]->IsIconic());
  EXPECT_FALSE(children[2]->IsZoomed());
  CMDIChildWnd* active = frame->MDIGetActive(&maximized);
  EXPECT_FALSE(maximized);
  EXPECT_NE(active, children[2]);
  // The menu bar no longer carries a maximised child's buttons.
  HMENU bar = ::GetMenu(frame->m_hWnd);
  EXPECT_EQ(::GetMenuItemCount(bar), 4);
  // Restored, it takes the rectangle it had before it was maximised.
  children[2]->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
  pump();
  EXPECT_EQ(rect_of(children[2]), before);
  // Maximising a minimised child works from the strip too.
  children[1]->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
  frame->MDIMaximize(children[1]);
  EXPECT_TRUE(children[1]->IsZoomed());
  EXPECT_FALSE(children[1]->IsIconic());
}

}  // namespace
}  // namespace lumo::test
