// The list-box editor over lists that select several items: Delete removes every selected item
// (stopping at the first one refused), the move keys act only on a single selected item, an
// edit keeps the selection; the drag loop runs the program's message filter and idle work.
#include <chrono>
#include <thread>

#include "platform/win/message_loop.h"
#include "platform/win/virtual_keys.h"
#include "tests/list_editing/list_editing_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

constexpr DWORD kKeys = LBE_SHORTCUTS | LBE_AUTOEDIT | LBE_DRAGNDROP;
using Texts = std::vector<std::string>;

class RefusingEditor : public SECListBoxEditor {
 public:
  BOOL CanDelete(int, const CString& text) override { return text != "Chroniony"; }
};

class ListBoxSelectionTest : public ListEditingTest {
 protected:
  void Start(SECListBoxEditor& editor, const Texts& items, DWORD style = LBS_EXTENDEDSEL, DWORD options = kKeys) {
    MakeList(items, style);
    ASSERT_TRUE(editor.Initialize(&host, IDC_HOST_LIST, options));
    list = editor.GetListBox();
    pump();
  }
  void Select(std::initializer_list<int> rows) {
    list->SetSel(-1, FALSE);
    for (int row : rows) list->SetSel(row, TRUE);
  }
  void Key(int vk) { list->SendMessage(WM_KEYDOWN, WPARAM(vk), 0); }
  void AltKey(int vk) { list->SendMessage(WM_SYSKEYDOWN, WPARAM(vk), 0); }
  std::vector<int> Selected() {
    std::vector<int> rows(size_t(list->GetCount()));
    rows.resize(size_t(std::max(0, list->GetSelItems(int(rows.size()), rows.data()))));
    return rows;
  }
};

TEST_F(ListBoxSelectionTest, DeleteRemovesEverySelectedItemButNeverThePlaceholder) {
  SECListBoxEditor editor;
  Start(editor, {"A", "B", "C", "D", "E"}, LBS_MULTIPLESEL);
  Select({1, 3, 4});
  Key(VK_DELETE);
  EXPECT_EQ(Items(), (Texts{"A", "C", ""}));
  EXPECT_EQ(host.count(LBE_NOTIFY_DELETED), 3);
  // The placeholder stays selected and stops the deleting.
  Select({1, 2});
  Key(VK_DELETE);
  EXPECT_EQ(Items(), (Texts{"A", ""}));
  EXPECT_EQ(Selected(), std::vector<int>{1});
}

TEST_F(ListBoxSelectionTest, DeletingStopsAtTheFirstItemRefused) {
  RefusingEditor editor;
  Start(editor, {"A", "Chroniony", "B"});
  Select({0, 1, 2});
  editor.DeleteSelected();
  EXPECT_EQ(Items(), (Texts{"Chroniony", "B", ""}));
}

TEST_F(ListBoxSelectionTest, MovesActOnlyOnASingleSelectedItem) {
  SECListBoxEditor editor;
  Start(editor, {"A", "B", "C"});
  list->SetItemData(1, 41);
  Select({0, 1});
  AltKey(VK_DOWN);
  EXPECT_EQ(Items(), (Texts{"A", "B", "C", ""}));
  EXPECT_EQ(host.count(LBE_NOTIFY_MOVED), 0);
  Select({1});
  AltKey(VK_DOWN);
  EXPECT_EQ(Items(), (Texts{"A", "C", "B", ""}));
  EXPECT_EQ(Selected(), std::vector<int>{2});  // the moved item, alone
  EXPECT_EQ(list->GetItemData(2), 41u);
  AltKey(VK_DOWN);  // never below the placeholder
  EXPECT_EQ(Items(), (Texts{"A", "C", "B", ""}));
  AltKey(VK_UP);
  AltKey(VK_UP);
  AltKey(VK_UP);
  EXPECT_EQ(Items(), (Texts{"B", "A", "C", ""}));
  EXPECT_EQ(Selected(), std::vector<int>{0});
  EXPECT_EQ(host.count(LBE_NOTIFY_MOVED), 3);
}

TEST_F(ListBoxSelectionTest, AnEditReplacesTheCurrentItemAndSelectsIt) {
  SECListBoxEditor editor;
  Start(editor, {"A", "B", "C"});
  Select({0});
  list->SetCaretIndex(2);
  list->SendMessage(WM_CHAR, 'Z', 0);
  ASSERT_NE(editor.GetEdit(), nullptr);
  editor.GetEdit()->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  pump();
  EXPECT_EQ(Items(), (Texts{"A", "B", "Z", ""}));
  EXPECT_EQ(Selected(), std::vector<int>{2});
  EXPECT_EQ(list->GetCaretIndex(), 2);
}

TEST_F(ListBoxSelectionTest, TheDragLoopRunsTheMessageFilterAndTheIdleWork) {
  SECListBoxEditor editor;
  Start(editor, {"A", "B", "C", "D"}, 0, LBE_SHORTCUTS | LBE_DRAGNDROP);
  constexpr UINT kProbe = WM_USER + 41;
  int filtered = 0, idled = 0;
  win::set_pre_translate_handler([&](MSG& msg) {
    if (msg.message == kProbe && ::GetCapture()) ++filtered;
    return msg.message == kProbe;  // eaten: it never reaches the host
  });
  win::set_idle_handler([&](long) {
    if (::GetCapture()) ++idled;
    return false;
  });
  auto row = [&](int i, int dy = 0) {
    CRect r;
    list->GetItemRect(i, &r);
    return screen_point(list->m_hWnd, POINT{r.left + 20, (r.top + r.bottom) / 2 + dy});
  };
  when_captured([&] {
    ::PostMessage(host.m_hWnd, kProbe, 0, 0);
    mouse_move(row(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    mouse_move(row(2, 4));
    mouse_up(row(2, 4));
  });
  mouse_down(row(0));
  pump();
  win::set_pre_translate_handler(nullptr);
  win::set_idle_handler(nullptr);
  EXPECT_EQ(filtered, 1);
  EXPECT_GT(idled, 0);
  EXPECT_EQ(Items(), (Texts{"B", "C", "A", "D", ""}));
}

}  // namespace
}  // namespace lumo::test
