// Reordering by dragging: the move happens only for a drag that moved, lasted long enough and
// ended elsewhere; dragging beyond the list's edge scrolls it.
#include <chrono>
#include <thread>

#include "platform/win/virtual_keys.h"
#include "tests/list_editing/list_editing_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

constexpr DWORD kDragOptions = LBE_SHORTCUTS | LBE_DRAGNDROP;

class ListBoxDragTest : public ListEditingTest {
 protected:
  void Start(const std::vector<std::string>& items, DWORD options = kDragOptions) {
    MakeList(items);
    ASSERT_TRUE(editor.Initialize(&host, IDC_HOST_LIST, options));
    list = editor.GetListBox();
    pump();
  }
  POINT RowPoint(int row, int dy = 0) {
    CRect r;
    list->GetItemRect(row, &r);
    return screen_point(list->m_hWnd, POINT{r.left + 20, (r.top + r.bottom) / 2 + dy});
  }
  static void Wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
  // Holds the cursor at `at` for `ms` while the drag's loop keeps running, then releases there.
  void HoldThenRelease(POINT at, UINT ms) {
    release_at = at;
    ::SetTimer(host.m_hWnd, 77, ms, [](HWND h, UINT, UINT_PTR id, DWORD) {
      ::KillTimer(h, id);
      mouse_move(release_at);
      mouse_up(release_at);
    });
  }
  static inline POINT release_at{};
  // Presses on `from`, moves through `path` (pausing `pause` ms before the last point) and
  // releases there.
  void Drag(POINT from, std::vector<POINT> path, int pause) {
    when_captured([this, path, pause] {
      for (size_t i = 0; i + 1 < path.size(); ++i) mouse_move(path[i]);
      Wait(pause);
      mouse_move(path.back());
      mouse_up(path.back());
    });
    mouse_down(from);
    pump();
  }

  SECListBoxEditor editor;
};

TEST_F(ListBoxDragTest, ADragLongEnoughMovesTheItemBeforeTheTargetRow) {
  Start({"A", "B", "C", "D"});
  list->SetItemData(0, 5);
  // Into the lower half of "C": after it.
  Drag(RowPoint(0), {RowPoint(1), RowPoint(2, 4)}, 300);
  EXPECT_EQ(Items(), (std::vector<std::string>{"B", "C", "A", "D", ""}));
  EXPECT_EQ(list->GetCurSel(), 2);
  EXPECT_EQ(list->GetItemData(2), 5u);
  EXPECT_EQ(editor.GetLastMoveFrom(), 0);
  EXPECT_EQ(editor.GetLastMoveTo(), 2);
  EXPECT_EQ(host.count(LBE_NOTIFY_MOVED), 1);
}

TEST_F(ListBoxDragTest, DroppingBelowTheLastItemPutsItBeforeThePlaceholder) {
  Start({"A", "B", "C"});
  CRect r;
  list->GetItemRect(3, &r);  // the placeholder row counts as the end
  Drag(RowPoint(0), {RowPoint(1), RowPoint(3, 4)}, 300);
  EXPECT_EQ(Items(), (std::vector<std::string>{"B", "C", "A", ""}));
}

TEST_F(ListBoxDragTest, QuickDragsDragsBackHomeAndThePlaceholderChangeNothing) {
  Start({"A", "B", "C"});
  Drag(RowPoint(0), {RowPoint(2, 4)}, 0);  // released at once
  EXPECT_EQ(Items(), (std::vector<std::string>{"A", "B", "C", ""}));
  Drag(RowPoint(1), {RowPoint(2), RowPoint(1, -4)}, 300);  // back on its own place
  EXPECT_EQ(Items(), (std::vector<std::string>{"A", "B", "C", ""}));
  Drag(RowPoint(3), {RowPoint(1), RowPoint(0, -4)}, 300);  // the placeholder is not dragged
  EXPECT_EQ(Items(), (std::vector<std::string>{"A", "B", "C", ""}));
  EXPECT_EQ(host.count(LBE_NOTIFY_MOVED), 0);
}

TEST_F(ListBoxDragTest, EscapeCancelsTheDrag) {
  Start({"A", "B", "C"});
  when_captured([this] {
    mouse_move(RowPoint(2, 4));
    Wait(300);
    press_key(VK_ESCAPE);
    mouse_up(RowPoint(2, 4));
  });
  mouse_down(RowPoint(0));
  pump();
  EXPECT_EQ(Items(), (std::vector<std::string>{"A", "B", "C", ""}));
}

TEST_F(ListBoxDragTest, HoldingTheCursorBelowTheListScrollsItAndDropsFarDown) {
  std::vector<std::string> items;
  for (int i = 0; i < 30; ++i) items.push_back("Pozycja " + std::to_string(i));
  Start(items, kDragOptions | LBE_NOTRAILINGBLANK);
  CRect client;
  list->GetClientRect(&client);
  POINT below = screen_point(list->m_hWnd, POINT{20, client.bottom + 10});
  when_captured([&] {
    mouse_move(RowPoint(2));
    Wait(300);
    mouse_move(below);
    // 300 ms, then 250, 200, 150: four steps within about a second.
    HoldThenRelease(below, 1100);
  });
  mouse_down(RowPoint(0));
  pump();
  int top = list->GetTopIndex();
  EXPECT_GE(top, 3);
  // The item went to the last row that showed whole when the list stopped scrolling.
  int moved_to = -1;
  for (int i = 0; i < list->GetCount(); ++i) {
    CString text;
    list->GetText(i, text);
    if (text == "Pozycja 0") moved_to = i;
  }
  EXPECT_GT(moved_to, 6);
  EXPECT_EQ(list->GetCurSel(), moved_to);
  EXPECT_EQ(list->GetCount(), 30);
}

TEST_F(ListBoxDragTest, HoldingTheCursorAboveTheListScrollsItBackUp) {
  std::vector<std::string> items;
  for (int i = 0; i < 30; ++i) items.push_back("Pozycja " + std::to_string(i));
  Start(items, kDragOptions | LBE_NOTRAILINGBLANK);
  list->SetTopIndex(10);
  list->SetCurSel(12);
  POINT above = screen_point(list->m_hWnd, POINT{20, -10});
  when_captured([&] {
    mouse_move(RowPoint(14));
    Wait(300);
    mouse_move(above);
    HoldThenRelease(above, 1100);
  });
  mouse_down(RowPoint(12));
  pump();
  EXPECT_LE(list->GetTopIndex(), 7);
  CString text;
  list->GetText(list->GetTopIndex(), text);
  EXPECT_EQ(std::string(text), "Pozycja 12");
}

}  // namespace
}  // namespace lumo::test
