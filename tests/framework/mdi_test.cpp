// The MDI client: activation order, maximised children, the buttons of a maximised child in the
// menu bar and the window menu.
#include "platform/framework/menu.h"
#include "tests/framework/mdi_children_fixture.h"

namespace lumo::test {
namespace {

class MdiTest : public MdiChildrenTest {
 protected:
  HMENU window_menu() { return GetSubMenu(::GetMenu(frame->m_hWnd), 2); }
  std::vector<std::string> window_menu_texts() {
    std::vector<std::string> out;
    for (const auto& item : framework::menu_items(window_menu())) {
      if (item.id >= AFX_IDM_FIRST_MDICHILD) out.push_back(utf8(CString(item.text)) + ((item.flags & MF_CHECKED) ? "*" : ""));
    }
    return out;
  }
};

TEST_F(MdiTest, ActivationOrderAndNextChild) {
  ASSERT_EQ(children.size(), 3u);
  EXPECT_EQ(frame->MDIGetActive(), children[2]);
  frame->MDIActivate(children[0]);
  EXPECT_EQ(frame->MDIGetActive(), children[0]);
  // The next child in activation order is the one active before.
  frame->MDINext();
  EXPECT_EQ(frame->MDIGetActive(), children[2]);
  // Closing the active child activates the one used before it.
  prompter.answers = {IDNO};
  children[2]->SendMessage(WM_CLOSE);
  pump();
  ASSERT_NE(frame->MDIGetActive(), nullptr);
  EXPECT_NE(frame->MDIGetActive(), children[2]);
  EXPECT_EQ(doc_template->documents().size(), 2u);
}

TEST_F(MdiTest, WindowMenuListsChildrenAndActivatesThem) {
  EXPECT_EQ(window_menu_texts(), (std::vector<std::string>{"&1 Dok1", "&2 Dok2", "&3 Dok3*"}));
  frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD);
  EXPECT_EQ(frame->MDIGetActive(), children[0]);
  EXPECT_EQ(window_menu_texts(), (std::vector<std::string>{"&1 Dok1*", "&2 Dok2", "&3 Dok3"}));
  CString title;
  frame->GetWindowText(title);
  EXPECT_EQ(utf8(title), "Lumo Test - Dok1");
}

TEST_F(MdiTest, MaximisedStatePassesToTheActivatedChildAndShowsButtonsInTheMenuBar) {
  HMENU bar = ::GetMenu(frame->m_hWnd);
  int items = GetMenuItemCount(bar);
  children[2]->MDIMaximize();
  BOOL maximized = FALSE;
  EXPECT_EQ(frame->MDIGetActive(&maximized), children[2]);
  EXPECT_TRUE(maximized);
  EXPECT_TRUE(children[2]->IsZoomed());
  // The child's client fills the MDI client.
  CRect client, child_client;
  ::GetClientRect(frame->m_hWndMDIClient, &client);
  children[2]->GetClientRect(&child_client);
  EXPECT_EQ(child_client.Size(), client.Size());
  // The system menu first, minimise, restore and close last.
  EXPECT_EQ(GetMenuItemCount(bar), items + 4);
  EXPECT_EQ(GetMenuItemID(bar, items + 3), SC_CLOSE);
  EXPECT_NE(GetSubMenu(bar, 0), nullptr);

  frame->MDIActivate(children[0]);
  EXPECT_TRUE(children[0]->IsZoomed());
  EXPECT_FALSE(children[2]->IsZoomed());
  EXPECT_EQ(GetMenuItemCount(bar), items + 4);

  // The restore button restores the child and the menu bar loses the buttons.
  frame->SendMessage(WM_COMMAND, SC_RESTORE);
  EXPECT_FALSE(children[0]->IsZoomed());
  EXPECT_EQ(GetMenuItemCount(bar), items);
  frame->MDIGetActive(&maximized);
  EXPECT_FALSE(maximized);
}

TEST_F(MdiTest, CascadeAndTilePlaceEveryChild) {
  frame->SendMessage(WM_COMMAND, ID_WINDOW_CASCADE);
  CRect a, b;
  children[0]->GetWindowRect(&a);
  children[1]->GetWindowRect(&b);
  EXPECT_GT(b.top, a.top);
  EXPECT_GT(b.left, a.left);
  frame->MDITile(1);
  CRect client;
  ::GetClientRect(frame->m_hWndMDIClient, &client);
  children[2]->GetWindowRect(&a);
  ::ScreenToClient(frame->m_hWndMDIClient, reinterpret_cast<POINT*>(&a.right));
  EXPECT_EQ(a.right, client.right - client.right % 3);
}

}  // namespace
}  // namespace lumo::test
