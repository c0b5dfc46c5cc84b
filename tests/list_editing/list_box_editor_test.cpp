// The list-box editor: taking over a list box, inserting, editing, deleting and moving items by
// keys and header buttons, the placeholder row and the notifications to the dialog.
#include <thread>

#include "platform/win/virtual_keys.h"
#include "tests/list_editing/list_editing_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

constexpr DWORD kBinderOptions = 0x31C;  // new and delete buttons with tips, keys, placeholder
constexpr DWORD kAllButtons = LBE_BUTTONS | LBE_TOOLTIPS | LBE_SHORTCUTS | LBE_NEWBUTTON | LBE_DELBUTTON |
                              LBE_UPBUTTON | LBE_DOWNBUTTON;

class ListBoxEditorTest : public ListEditingTest {
 protected:
  void Start(const std::vector<std::string>& items, DWORD options) {
    MakeList(items);
    ASSERT_TRUE(editor.Initialize(&host, IDC_HOST_LIST, options));
    list = editor.GetListBox();
    ASSERT_NE(list, nullptr);
    pump();
  }
  void Key(int vk) { list->SendMessage(WM_KEYDOWN, WPARAM(vk), 0); }
  void AltKey(int vk) { list->SendMessage(WM_SYSKEYDOWN, WPARAM(vk), 0); }
  // Types into the open edit and ends it with `end_key`.
  void TypeAndEnd(const std::string& text, int end_key = VK_RETURN) {
    CEdit* edit = editor.GetEdit();
    ASSERT_NE(edit, nullptr);
    for (char c : text) edit->SendMessage(WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
    edit->SendMessage(WM_KEYDOWN, WPARAM(end_key), 0);
    pump();
  }

  SECListBoxEditor editor;
};

TEST_F(ListBoxEditorTest, TakesOverTheListBelowAHeaderWithAPlaceholderRow) {
  Start({"Segregator 1", "Segregator 2"}, kBinderOptions);
  EXPECT_EQ(Items(), (std::vector<std::string>{"Segregator 1", "Segregator 2", ""}));
  CRect header, box;
  editor.GetWindowRect(&header);
  list->GetWindowRect(&box);
  EXPECT_EQ(header.top, 70);  // the list box's former top (host at 40, list at 30)
  EXPECT_EQ(header.Height(), editor.GetHeaderHeight());
  EXPECT_EQ(box.top, header.bottom + 2 * GetSystemMetrics(SM_CYBORDER));
  EXPECT_EQ(box.bottom, 40 + 180);
  EXPECT_TRUE(editor.IsWindowVisible());
  // Buttons from the right: delete, then new; no up and down buttons with these options.
  EXPECT_EQ(editor.GetButtonRect(SECListBoxEditor::kDelete).right, header.Width());
  EXPECT_EQ(editor.GetButtonRect(SECListBoxEditor::kNew).right, editor.GetButtonRect(SECListBoxEditor::kDelete).left);
  EXPECT_TRUE(editor.GetButtonRect(SECListBoxEditor::kUp).IsRectEmpty());
  // The header comes before the list in the tab order.
  EXPECT_EQ(::GetWindow(list->m_hWnd, GW_HWNDPREV), editor.m_hWnd);
  EXPECT_GE(host.count(LBN_SELCHANGE), 1);
}

TEST_F(ListBoxEditorTest, InitializeFailsWithoutTheListBox) {
  MakeList({});
  EXPECT_FALSE(editor.Initialize(&host, 4242, kBinderOptions));
}

TEST_F(ListBoxEditorTest, EmptyListGetsOnlyThePlaceholderAndNoneWithoutPlaceholders) {
  Start({}, kBinderOptions);
  EXPECT_EQ(Items(), std::vector<std::string>{""});
  SECListBoxEditor second;
  CWnd* other = nullptr;
  (void)other;
  host.DestroyWindow();
  MakeList({});
  ASSERT_TRUE(second.Initialize(&host, IDC_HOST_LIST, kBinderOptions | LBE_NOTRAILINGBLANK));
  EXPECT_EQ(second.GetListBox()->GetCount(), 0);
}

TEST_F(ListBoxEditorTest, InsertTypesANewItemAndAddsAFreshPlaceholder) {
  Start({"Akty"}, kBinderOptions);
  Key(VK_INSERT);
  ASSERT_NE(editor.GetEdit(), nullptr);
  EXPECT_EQ(list->GetCurSel(), 1);
  TypeAndEnd(cp1250("Ustawy zmieniające  "));
  EXPECT_EQ(editor.GetEdit(), nullptr);
  // Trailing blanks go; a new placeholder follows the new item.
  EXPECT_EQ(Items(), (std::vector<std::string>{"Akty", cp1250("Ustawy zmieniające"), ""}));
}

TEST_F(ListBoxEditorTest, EscapeOnANewItemRemovesIt) {
  Start({"Akty"}, kBinderOptions);
  list->SetCurSel(0);
  Key(VK_INSERT);
  TypeAndEnd("Nowy", VK_ESCAPE);
  EXPECT_EQ(Items(), (std::vector<std::string>{"Akty", ""}));
  EXPECT_EQ(editor.GetEdit(), nullptr);
}

TEST_F(ListBoxEditorTest, TypingOnAnItemEditsItAndClearingItDeletesIt) {
  Start({"Akty", cp1250("Rozporządzenia")}, kBinderOptions | LBE_AUTOEDIT);
  list->SetCurSel(0);
  list->SendMessage(WM_CHAR, 'U', 0);
  ASSERT_NE(editor.GetEdit(), nullptr);
  CString started;
  editor.GetEdit()->GetWindowText(started);
  EXPECT_EQ(std::string(started), "U");
  TypeAndEnd("stawy");
  EXPECT_EQ(Items()[0], "Ustawy");

  // An edit emptied of its text deletes the item, and the dialog hears of it.
  host.notifications.clear();
  list->SetCurSel(0);
  list->SendMessage(WM_CHAR, ' ', 0);  // a space counts as no character: the old text is kept
  ASSERT_NE(editor.GetEdit(), nullptr);
  editor.GetEdit()->SetWindowText("");
  editor.GetEdit()->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  pump();
  EXPECT_EQ(Items(), (std::vector<std::string>{cp1250("Rozporządzenia"), ""}));
  EXPECT_EQ(host.count(LBE_NOTIFY_DELETED), 1);
  EXPECT_EQ(editor.GetLastDeleted(), 0);
}

TEST_F(ListBoxEditorTest, EnteringTextInThePlaceholderAppendsAnotherOne) {
  Start({"Akty"}, kBinderOptions | LBE_BROWSE);
  list->SetCurSel(1);
  Key(VK_F1 + 1);  // F2
  ASSERT_NE(editor.GetEdit(), nullptr);
  TypeAndEnd("Obwieszczenia");
  EXPECT_EQ(Items(), (std::vector<std::string>{"Akty", "Obwieszczenia", ""}));
}

TEST_F(ListBoxEditorTest, DeleteRemovesTheItemButNeverThePlaceholder) {
  Start({"A", "B", "C"}, kBinderOptions);
  list->SetCurSel(1);
  Key(VK_DELETE);
  EXPECT_EQ(Items(), (std::vector<std::string>{"A", "C", ""}));
  EXPECT_EQ(list->GetCurSel(), 1);
  EXPECT_EQ(editor.GetLastDeleted(), 1);
  EXPECT_EQ(host.count(LBE_NOTIFY_DELETED), 1);

  list->SetCurSel(2);
  Key(VK_DELETE);
  EXPECT_EQ(Items(), (std::vector<std::string>{"A", "C", ""}));
  EXPECT_FALSE(editor.DeleteItem(2));
  EXPECT_FALSE(editor.DeleteItem(7));
  EXPECT_FALSE(editor.DeleteItem(-1));
}

TEST_F(ListBoxEditorTest, WithoutPlaceholdersAnEmptyLastItemCanBeDeleted) {
  Start({"A", ""}, LBE_SHORTCUTS | LBE_NOTRAILINGBLANK);
  EXPECT_EQ(Items(), (std::vector<std::string>{"A", ""}));
  EXPECT_TRUE(editor.DeleteItem(1));
  EXPECT_EQ(Items(), std::vector<std::string>{"A"});
}

class RefusingEditor : public SECListBoxEditor {
 public:
  BOOL CanDelete(int, const CString& text) override { return text != "Chroniony"; }
};

TEST_F(ListBoxEditorTest, ADerivedEditorMayKeepAnItem) {
  MakeList({"Chroniony", "Zwykły"});
  RefusingEditor refusing;
  ASSERT_TRUE(refusing.Initialize(&host, IDC_HOST_LIST, kBinderOptions));
  list = refusing.GetListBox();
  EXPECT_FALSE(refusing.DeleteItem(0));
  EXPECT_TRUE(refusing.DeleteItem(1));
  EXPECT_EQ(Items(), (std::vector<std::string>{"Chroniony", ""}));
}

TEST_F(ListBoxEditorTest, AltArrowsMoveTheItemWithinTheRealItems) {
  Start({"A", "B", "C"}, kAllButtons);
  list->SetItemData(0, 77);
  list->SetCurSel(0);
  AltKey(VK_UP);  // the first item stays
  EXPECT_EQ(Items(), (std::vector<std::string>{"A", "B", "C", ""}));
  EXPECT_EQ(host.count(LBE_NOTIFY_MOVED), 0);
  AltKey(VK_DOWN);
  EXPECT_EQ(Items(), (std::vector<std::string>{"B", "A", "C", ""}));
  EXPECT_EQ(list->GetCurSel(), 1);
  EXPECT_EQ(list->GetItemData(1), 77u);
  EXPECT_EQ(editor.GetLastMoveFrom(), 0);
  EXPECT_EQ(editor.GetLastMoveTo(), 1);
  EXPECT_EQ(host.count(LBE_NOTIFY_MOVED), 1);
  list->SetCurSel(2);
  AltKey(VK_DOWN);  // the last real item never goes below the placeholder
  EXPECT_EQ(Items(), (std::vector<std::string>{"B", "A", "C", ""}));
  AltKey(VK_UP);
  EXPECT_EQ(Items(), (std::vector<std::string>{"B", "C", "A", ""}));
}

TEST_F(ListBoxEditorTest, HeaderButtonsActOnlyWhenReleasedOverTheirButton) {
  Start({"A", "B"}, kAllButtons);
  list->SetCurSel(0);
  CRect down = editor.GetButtonRect(SECListBoxEditor::kDown);
  CPoint inside = down.CenterPoint();
  // Pressed on "down" but released on "up": nothing happens.
  CRect up = editor.GetButtonRect(SECListBoxEditor::kUp);
  when_captured([&] {
    mouse_move(screen_point(editor.m_hWnd, up.CenterPoint()));
    mouse_up(screen_point(editor.m_hWnd, up.CenterPoint()));
  });
  mouse_down(screen_point(editor.m_hWnd, inside));
  pump();
  EXPECT_EQ(Items(), (std::vector<std::string>{"A", "B", ""}));
  // Released where it was pressed: the item moves down.
  when_captured([&] { mouse_up(screen_point(editor.m_hWnd, inside)); });
  mouse_down(screen_point(editor.m_hWnd, inside));
  pump();
  EXPECT_EQ(Items(), (std::vector<std::string>{"B", "A", ""}));
  // The new button opens an edit on a new row.
  when_captured([&] { mouse_up(screen_point(editor.m_hWnd, editor.GetButtonRect(SECListBoxEditor::kNew).CenterPoint())); });
  mouse_down(screen_point(editor.m_hWnd, editor.GetButtonRect(SECListBoxEditor::kNew).CenterPoint()));
  pump();
  ASSERT_NE(editor.GetEdit(), nullptr);
  EXPECT_EQ(list->GetCurSel(), 2);
}

TEST_F(ListBoxEditorTest, TabAcceptsTheEditAndLeavesTheList) {
  Start({"A"}, kBinderOptions);
  list->SetCurSel(0);
  editor.OnListChar(0);
  ASSERT_NE(editor.GetEdit(), nullptr);
  TypeAndEnd("Akty", VK_TAB);
  EXPECT_EQ(Items()[0], "Akty");
  EXPECT_EQ(::GetFocus(), ::GetDlgItem(host.m_hWnd, IDC_HOST_AFTER));
}

TEST_F(ListBoxEditorTest, PicturesOfTheEditorWithPolishText) {
  Start({cp1250("Ustawy zmieniające"), cp1250("Rozporządzenia ministrów"), cp1250("Obwieszczenia Prezesa Rady")},
        kAllButtons);
  editor.SetWindowText(cp1250("Segregatory użytkownika").c_str());
  list->SetCurSel(1);
  pump();
  SavePicture(host.m_hWnd, "list_box_editor.png");
  // The caption is drawn in the window text colour over the button face.
  bool dark = false;
  for (int x = 2; x < 60 && !dark; ++x) {
    for (int y = 0; y < editor.GetHeaderHeight(); ++y) dark = dark || surface_pixel(editor.m_hWnd, x, y) == 0;
  }
  EXPECT_TRUE(dark);
  // The long caption stops short of the buttons: nothing dark just left of the first one.
  CRect first = editor.GetButtonRect(SECListBoxEditor::kNew);
  for (int x = first.left - 2; x < first.left; ++x) {
    for (int y = 0; y < editor.GetHeaderHeight() - 2; ++y) EXPECT_NE(surface_pixel(editor.m_hWnd, x, y), 0u) << x << "," << y;
  }
  // The header's buttons show their images (black arrow pixels in the up button).
  CRect up = editor.GetButtonRect(SECListBoxEditor::kUp);
  bool arrow = false;
  for (int x = up.left; x < up.right; ++x) arrow = arrow || surface_pixel(editor.m_hWnd, x, up.top + up.Height() / 2) == 0;
  EXPECT_TRUE(arrow);

  editor.OnListChar(0);
  pump();
  SavePicture(host.m_hWnd, "list_box_editor_editing.png");
}

class BrowsingEditor : public SECListBoxEditor {
 public:
  int browsed = 0;
  void OnBrowse() override { ++browsed; }
};

TEST_F(ListBoxEditorTest, ThePlaceEditGivesRoomToItsBrowseButton) {
  MakeList({cp1250("Ustawy zmieniające"), cp1250("Rozporządzenia ministrów")});
  BrowsingEditor browsing;
  ASSERT_TRUE(browsing.Initialize(&host, IDC_HOST_LIST, kAllButtons | LBE_BROWSE));
  list = browsing.GetListBox();
  list->SetCurSel(0);
  list->SendMessage(WM_KEYDOWN, VK_F1 + 1, 0);  // F2
  pump();
  ASSERT_NE(browsing.GetEdit(), nullptr);
  CWnd* button = list->GetDlgItem(LBE_BROWSE_ID);
  ASSERT_NE(button, nullptr);
  CRect edit_rect, button_rect, row;
  browsing.GetEdit()->GetWindowRect(&edit_rect);
  button->GetWindowRect(&button_rect);
  list->GetItemRect(0, &row);
  list->ClientToScreen(&row);
  EXPECT_EQ(edit_rect.right, button_rect.left);
  EXPECT_EQ(button_rect.right, row.right);
  EXPECT_EQ(edit_rect.top, row.top - 2);
  EXPECT_EQ(edit_rect.bottom, row.bottom + 2);
  SavePicture(host.m_hWnd, "list_box_editor_browse.png");

  // F2 in the edit hands the focus to the button and clicks it; the edit stays open.
  browsing.GetEdit()->SendMessage(WM_KEYDOWN, VK_F1 + 1, 0);
  pump();
  EXPECT_EQ(browsing.browsed, 1);
  ASSERT_NE(browsing.GetEdit(), nullptr);
  EXPECT_EQ(::GetFocus(), button->m_hWnd);
  // Enter still ends the edit with its text.
  browsing.GetEdit()->SetWindowText("Obwieszczenia");
  browsing.GetEdit()->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  pump();
  EXPECT_EQ(Items()[0], "Obwieszczenia");
  EXPECT_EQ(list->GetDlgItem(LBE_BROWSE_ID), nullptr);
}

}  // namespace
}  // namespace lumo::test
