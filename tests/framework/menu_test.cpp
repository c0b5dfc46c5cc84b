// Menus from resources, pop-up tracking, owner-drawn items, accelerator tables and key names.
#include "platform/framework/accelerators.h"
#include "platform/framework/menu.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

class MenuTest : public FrameworkTest {};

// A window that measures and draws owner-drawn menu items.
class MenuOwner : public CWnd {
 public:
  UINT measured = 0;
  UINT_PTR drawn_data = 0;
  afx_msg void OnMeasureItem(int, LPMEASUREITEMSTRUCT m) {
    measured = m->itemID;
    m->itemWidth = 120;
    m->itemHeight = 22;
  }
  afx_msg void OnDrawItem(int, LPDRAWITEMSTRUCT d) { drawn_data = d->itemData; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MenuOwner, CWnd)
  ON_WM_MEASUREITEM()
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

TEST_F(MenuTest, LoadedMenuHasPopupsItemsAndStates) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MAIN));
  ASSERT_EQ(menu.GetMenuItemCount(), 4u);
  CMenu* file = menu.GetSubMenu(0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->GetMenuItemID(0), ID_FILE_NEW);
  EXPECT_EQ(file->GetMenuItemID(3), 0u);  // separator
  EXPECT_EQ(menu.GetMenuItemID(0), UINT(-1));  // a pop-up
  CString text;
  menu.GetSubMenu(1)->GetMenuString(ID_TEST_DISABLED, text, MF_BYCOMMAND);
  EXPECT_EQ(utf8(text), "&Wyłączone\tCtrl+D");
  EXPECT_NE(file->GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED, 0u);
  // By command, items are found inside pop-ups too.
  EXPECT_EQ(menu.CheckMenuItem(ID_TEST_ACTION, MF_CHECKED), 0u);
  EXPECT_NE(menu.GetMenuState(ID_TEST_ACTION, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_EQ(menu.EnableMenuItem(9999, MF_GRAYED), UINT(-1));
  CMenu* edit = menu.GetSubMenu(1);
  EXPECT_TRUE(edit->SetDefaultItem(ID_TEST_ACTION));
  EXPECT_EQ(edit->GetDefaultItem(0), ID_TEST_ACTION);
  EXPECT_EQ(edit->GetDefaultItem(0, TRUE), 0u);
  HMENU h = menu.m_hMenu;
  HMENU sub = file->m_hMenu;
  menu.DestroyMenu();
  EXPECT_FALSE(IsMenu(h));
  EXPECT_FALSE(IsMenu(sub));  // pop-ups go with their menu
}

TEST_F(MenuTest, TrackedPopupPreparesItemsAndReturnsTheChoice) {
  CMDIFrameWnd* frame = make_main_frame();
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  popup.AppendMenu(MF_STRING, ID_TEST_ACTION, "Akcja");
  popup.AppendMenu(MF_STRING, ID_TEST_DISABLED, "Nie");
  std::vector<UINT> states;
  UINT choice = ID_TEST_DISABLED;
  framework::set_menu_chooser([&](HMENU m, HWND, POINT) {
    for (const auto& item : framework::menu_items(m)) states.push_back(item.flags & MF_GRAYED);
    return choice;
  });
  // The owner's update-UI greys the disabled item before the menu shows; choosing it does nothing.
  EXPECT_EQ(popup.TrackPopupMenu(TPM_RETURNCMD, 10, 10, frame), 0);
  EXPECT_EQ(states, (std::vector<UINT>{0, MF_GRAYED}));
  choice = ID_TEST_ACTION;
  EXPECT_EQ(UINT(popup.TrackPopupMenu(TPM_RETURNCMD, 10, 10, frame)), ID_TEST_ACTION);
  EXPECT_EQ(TestView::actions, 0);
  // Without TPM_RETURNCMD the command is posted to the owner.
  EXPECT_TRUE(popup.TrackPopupMenu(0, 10, 10, frame));
  pump();
  EXPECT_EQ(TestView::actions, 1);
}

TEST_F(MenuTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner) {
  MenuOwner owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  CMenu popup;
  popup.CreatePopupMenu();
  popup.AppendMenu(MF_OWNERDRAW, 77, reinterpret_cast<LPCTSTR>(std::uintptr_t(0x1234)));
  SIZE size = measure_menu_item(owner.m_hWnd, popup, 0);
  EXPECT_EQ(size.cx, 120);
  EXPECT_EQ(size.cy, 22);
  EXPECT_EQ(owner.measured, 77u);
  draw_menu_item(owner.m_hWnd, popup, 0, nullptr, RECT{0, 0, 120, 22}, ODS_SELECTED);
  EXPECT_EQ(owner.drawn_data, 0x1234u);
}

TEST(AcceleratorText, KeyNamesAndModifiers) {
  struct Case {
    ACCEL accel;
    const char* text;
  } cases[] = {
      {{FVIRTKEY | FCONTROL, 'S', 1}, "Ctrl+S"},
      {{FVIRTKEY | FCONTROL | FSHIFT, 'S', 1}, "Ctrl+Shift+S"},
      {{FVIRTKEY, WORD(VK_F1 + 4), 1}, "F5"},
      {{FVIRTKEY | FALT, WORD(VK_RETURN), 1}, "Alt+Enter"},
      {{FVIRTKEY, WORD(VK_DELETE), 1}, "Del"},
      {{FVIRTKEY | FCONTROL, WORD(VK_ADD), 1}, "Ctrl+Num +"},
      {{0, 'k', 1}, "k"},
  };
  for (const Case& c : cases) EXPECT_EQ(framework::accelerator_text(c.accel), c.text) << c.text;
}

}  // namespace
}  // namespace lumo::test
