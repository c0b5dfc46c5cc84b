// Item states and what the parent hears of them: asking before a change and telling after it
// with the old and new state, one focused item, single and multiple selection by clicks and keys,
// check boxes, owner-data ranges and cache hints, drags and column clicks.
#include "platform/controls/header_ctrl.h"
#include "platform/win/virtual_keys.h"
#include "tests/listview/list_parent.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

using Log = std::vector<std::string>;

constexpr int kRow = controls::kListRowHeight;
constexpr int kTop = controls::kListHeaderHeight;
POINT on_row(int i, int x = 60) { return POINT{x, kTop + i * kRow + kRow / 2}; }

constexpr UINT kFocusedSelected = LVIS_FOCUSED | LVIS_SELECTED;

class ListStatesTest : public ListViewTest {
 protected:
  void make(DWORD style, int rows) {
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | style, CRect(0, 0, 300, 200), &parent, 71));
    list.InsertColumn(0, "Akt", LVCFMT_LEFT, 120);
    list.InsertColumn(1, "Rok", LVCFMT_LEFT, 60);
    if (style & LVS_OWNERDATA) {
      list.SetItemCount(rows);
    } else {
      for (int i = 0; i < rows; ++i) list.InsertItem(i, ("Akt " + std::to_string(i)).c_str());
    }
    pump();
    parent.take();
  }
  void click_at(POINT p, win::KeyModifiers keys = {}) {
    POINT screen = screen_point(list.m_hWnd, p);
    mouse_down(screen, win::MouseButton::left, keys);
    mouse_up(screen, win::MouseButton::left, keys);
    pump();
  }
  std::vector<int> selected() const {
    std::vector<int> out;
    for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = list.GetNextItem(i, LVNI_SELECTED)) out.push_back(i);
    return out;
  }
};

TEST_F(ListStatesTest, ChangesAreAskedForThenToldWithOldAndNewState) {
  make(0, 4);
  EXPECT_TRUE(list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(parent.take(), (Log{"changing 1 state 0>2", "changed 1 state 0>2"}));
  EXPECT_TRUE(list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));  // no change, nothing told
  EXPECT_EQ(parent.take(), Log{});

  // One item has the focus: giving it to another takes it from the first.
  list.SetItemState(1, LVIS_FOCUSED, LVIS_FOCUSED);
  parent.take();
  list.SetItemState(2, LVIS_FOCUSED, LVIS_FOCUSED);
  EXPECT_EQ(parent.take(), (Log{"changing 1 state 3>2", "changed 1 state 3>2", "changing 2 state 0>1", "changed 2 state 0>1"}));

  // Texts, images and item data of the item itself are changes too; sub-item texts are not.
  list.SetItemText(2, 0, "Nowy");
  list.SetItemText(2, 1, "1999");
  list.SetItemData(2, 12);
  EXPECT_EQ(parent.take(), (Log{"changing 2 text", "changed 2 text", "changing 2 param", "changed 2 param"}));

  parent.refuse_changing = TRUE;
  EXPECT_FALSE(list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_FALSE(list.SetItemText(3, 0, "Inny"));
  EXPECT_EQ(parent.take(), (Log{"changing 3 state 0>2", "changing 3 text"}));
  EXPECT_EQ(list.GetItemState(3, LVIS_SELECTED), 0u);
  EXPECT_EQ(list.GetItemText(3, 0).str(), "Akt 3");
  parent.refuse_changing = FALSE;

  // Every item at once: one change per item that has it.
  list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  parent.take();
  EXPECT_TRUE(list.SetItemState(-1, 0, LVIS_SELECTED));
  EXPECT_EQ(parent.take(), (Log{"changing 0 state 2>0", "changed 0 state 2>0", "changing 1 state 2>0", "changed 1 state 2>0"}));
  EXPECT_FALSE(list.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED));
}

TEST_F(ListStatesTest, SingleSelectionKeepsOneItemSelected) {
  make(LVS_SINGLESEL, 4);
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  parent.take();
  list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(parent.take(), (Log{"changing 1 state 2>0", "changed 1 state 2>0", "changing 3 state 0>2", "changed 3 state 0>2"}));
  EXPECT_EQ(selected(), std::vector<int>{3});
  // Ctrl and Shift clicks select one item only.
  click_at(on_row(0));
  click_at(on_row(2), win::KeyModifiers{true, false, false});
  EXPECT_EQ(selected(), std::vector<int>{2});
}

TEST_F(ListStatesTest, ClicksAndKeysSelectWithCtrlAndShift) {
  make(0, 8);
  click_at(on_row(1));
  EXPECT_EQ(parent.take(), (Log{"changing 1 state 0>3", "changed 1 state 0>3", "click 1/0"}));
  click_at(on_row(3), win::KeyModifiers{false, true, false});
  EXPECT_EQ(selected(), (std::vector<int>{1, 3}));
  EXPECT_EQ(list.GetSelectionMark(), 3);
  click_at(on_row(5), win::KeyModifiers{true, false, false});
  EXPECT_EQ(selected(), (std::vector<int>{3, 4, 5}));
  EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 5);
  click_at(on_row(4), win::KeyModifiers{false, true, false});  // Ctrl toggles
  EXPECT_EQ(selected(), (std::vector<int>{3, 5}));
  // Outside the items a plain click deselects everything.
  click_at(POINT{60, kTop + 9 * kRow});
  EXPECT_EQ(selected(), std::vector<int>{});

  list.SetFocus();
  click_at(on_row(2));
  press_key(VK_DOWN, 0, win::KeyModifiers{true, false, false});
  press_key(VK_DOWN, 0, win::KeyModifiers{true, false, false});
  pump();
  EXPECT_EQ(selected(), (std::vector<int>{2, 3, 4}));
  press_key(VK_END);
  pump();
  EXPECT_EQ(selected(), std::vector<int>{7});
  press_key(VK_UP, 0, win::KeyModifiers{false, true, false});  // Ctrl moves only the focus
  press_key(VK_SPACE, ' ', win::KeyModifiers{false, true, false});
  pump();
  EXPECT_EQ(selected(), (std::vector<int>{6, 7}));
  parent.take();
  press_key(VK_RETURN, '\r');
  pump();
  EXPECT_EQ(parent.take(), Log{"return"});
}

TEST_F(ListStatesTest, CheckBoxesAreTheStateImage) {
  make(0, 3);
  list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES);
  EXPECT_EQ(list.GetExtendedStyle(), LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES);
  EXPECT_EQ(list.GetItemState(0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
  EXPECT_FALSE(list.GetCheck(0));
  list.InsertItem(3, "Nowy");  // new items come unchecked too
  EXPECT_EQ(list.GetItemState(3, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
  parent.take();

  click_at(POINT{5, on_row(1).y});  // on the box: it turns, the selection stays
  EXPECT_TRUE(list.GetCheck(1));
  EXPECT_EQ(parent.take(), (Log{"changing 1 state 4096>8192", "changed 1 state 4096>8192", "click 1/0"}));
  EXPECT_EQ(selected(), std::vector<int>{});
  click_at(on_row(2));
  press_key(VK_SPACE, ' ');
  pump();
  EXPECT_TRUE(list.GetCheck(2));
  EXPECT_TRUE(list.SetCheck(2, FALSE));
  EXPECT_FALSE(list.GetCheck(2));
}

TEST_F(ListStatesTest, OwnerDataTellsRangesAndEveryItemAtOnce) {
  make(LVS_OWNERDATA, 100000);
  click_at(on_row(1));
  EXPECT_EQ(parent.take(), (Log{"changed 1 state 0>3", "click 1/0"}));  // owner data is not asked first
  click_at(on_row(4), win::KeyModifiers{true, false, false});
  EXPECT_EQ(parent.take(), (Log{"changed -1 state 2>0", "od 1-4 0>2", "changed 1 state 3>2", "changed 4 state 2>3", "click 4/0"}));
  EXPECT_EQ(list.GetSelectedCount(), 4);
  EXPECT_TRUE(list.SetItemState(-1, 0, LVIS_SELECTED));
  EXPECT_EQ(parent.take(), Log{"changed -1 state 2>0"});
  EXPECT_EQ(list.GetSelectedCount(), 0);
  EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 4);

  // Before painting, the parent hears which rows it will be asked for.
  parent.logged.insert(LVN_ODCACHEHINT);
  list.EnsureVisible(50000, FALSE);
  list.UpdateWindow();
  int top = list.GetTopIndex();
  EXPECT_EQ(top + list.GetCountPerPage() - 1, 50000);
  ASSERT_FALSE(parent.log.empty());
  EXPECT_EQ(parent.log.back(), "hint " + std::to_string(top) + "-" + std::to_string(top + list.GetCountPerPage()));

  // Searches go to the parent; answers outside the items find nothing.
  parent.find = [](const NMLVFINDITEM& f) { return f.lvfi.lParam == 1 ? 77 : 500000; };
  LVFINDINFO find;
  find.flags = LVFI_PARAM;
  find.lParam = 1;
  EXPECT_EQ(list.FindItem(&find, 5), 77);
  find.lParam = 2;
  EXPECT_EQ(list.FindItem(&find), -1);
}

TEST_F(ListStatesTest, TypingSelectsTheItemThatStartsWithTheText) {
  make(0, 0);
  for (const char* name : {"Dekret", "Ustawa", "Uchwala", "Umowa", "Ustawa zmieniajaca"}) list.InsertItem(list.GetItemCount(), name);
  list.SetFocus();
  auto type = [&](const char* text) {
    for (const char* c = text; *c; ++c) list.SendMessage(WM_CHAR, WPARAM(uint8_t(*c)));
  };
  type("us");
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED), 1);
  type("tawa ");
  EXPECT_EQ(selected(), std::vector<int>{4});
  // Within the pause the text grows: "ustawa d" matches nothing and the selection stays.
  list.SendMessage(WM_CHAR, 'd');
  EXPECT_EQ(selected(), std::vector<int>{4});
}

TEST_F(ListStatesTest, TypingInOwnerDataAsksTheParent) {
  make(LVS_OWNERDATA, 50);
  list.SetFocus();
  std::string asked;
  parent.find = [&](const NMLVFINDITEM& f) {
    asked = std::string(f.lvfi.psz) + " from " + std::to_string(f.iStart);
    return 20;
  };
  type_text("k");
  pump();
  EXPECT_EQ(asked, "k from 0");
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED), 20);
}

TEST_F(ListStatesTest, PressingAndMovingDragsAnItemAndHeaderClicksAreColumnClicks) {
  make(0, 4);
  POINT from = screen_point(list.m_hWnd, on_row(2));
  mouse_down(from);
  mouse_move(POINT{from.x + 12, from.y + 12}, {});
  mouse_up(POINT{from.x + 12, from.y + 12});
  pump();
  EXPECT_EQ(parent.take(), (Log{"changing 2 state 0>3", "changed 2 state 0>3", "drag 2"}));
  EXPECT_EQ(GetCapture(), nullptr);

  HWND header = list.GetHeaderCtrl()->m_hWnd;
  click(header, POINT{150, 8});
  pump();
  EXPECT_EQ(parent.take(), Log{"column 1"});
  // Dragging a divider widens the column; the parent hears the header's own notice too.
  mouse_down(screen_point(header, POINT{120, 8}));
  mouse_move(screen_point(header, POINT{150, 8}));
  mouse_up(screen_point(header, POINT{150, 8}));
  pump();
  EXPECT_EQ(parent.take(), Log{"endtrack 0"});
  EXPECT_EQ(list.GetColumnWidth(0), 150);

  click(list.m_hWnd, on_row(3), win::MouseButton::right);
  pump();
  // A right click selects an item not yet selected: the old one loses its selection, then its focus.
  EXPECT_EQ(parent.take(), (Log{"changing 2 state 3>1", "changed 2 state 3>1", "changing 2 state 1>0", "changed 2 state 1>0",
                                "changing 3 state 0>3", "changed 3 state 0>3", "rclick 3/0"}));
}

TEST_F(ListStatesTest, DeletingAndInsertingKeepStatesWithTheirItems) {
  make(0, 4);
  list.SetItemState(2, kFocusedSelected, kFocusedSelected);
  list.InsertItem(0, "Pierwszy");
  EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 3);
  EXPECT_TRUE(list.DeleteItem(1));
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
  EXPECT_EQ(list.GetItemText(2, 0).str(), "Akt 2");
  // An item inserted focused takes the focus from the one that had it.
  list.InsertItem(LVIF_TEXT | LVIF_STATE, 0, "Ogniskowy", LVIS_FOCUSED, LVIS_FOCUSED, 0, 0);
  EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 0);
  EXPECT_EQ(list.GetItemState(3, kFocusedSelected), LVIS_SELECTED);
  EXPECT_TRUE(list.DeleteAllItems());
  EXPECT_EQ(list.GetNextItem(-1, LVNI_ALL), -1);
}

TEST_F(ListStatesTest, TheScrollBarWheelAndFocusFollowTheList) {
  make(0, 40);
  parent.logged = {NM_SETFOCUS, NM_KILLFOCUS};
  parent.SetFocus();
  list.SetFocus();
  parent.SetFocus();
  list.SetFocus();
  EXPECT_EQ(parent.take(), (Log{"setfocus", "killfocus", "setfocus"}));

  int page = list.GetCountPerPage();
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(list.GetScrollInfo(SB_VERT, &info));
  EXPECT_EQ(info.nMax, 39);
  EXPECT_EQ(int(info.nPage), page);
  win::wheel_input(-240, QPoint(screen_point(list.m_hWnd, on_row(1)).x, screen_point(list.m_hWnd, on_row(1)).y), {});
  pump();
  EXPECT_EQ(list.GetTopIndex(), 6);  // three rows a notch
  list.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(list.GetTopIndex(), 6 + page);
  list.SendMessage(WM_VSCROLL, SB_BOTTOM);
  EXPECT_EQ(list.GetTopIndex(), 40 - page);
  EXPECT_EQ(list.GetScrollPos(SB_VERT), 40 - page);
  list.SendMessage(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(list.GetTopIndex(), 40 - page);
  list.SendMessage(WM_VSCROLL, SB_TOP);
  EXPECT_EQ(list.GetTopIndex(), 0);
}

}  // namespace
}  // namespace lumo::test
