// Multiple-selection list boxes: the selection messages, and clicks and keys with Shift and Ctrl
// in both kinds (a click toggles; a click selects one row, Ctrl toggles, Shift selects a range).
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/controls/standard_controls.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

class ListBoxMultiSelectTest : public FrameworkTest {
 protected:
  void Make(DWORD style) {
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "Lista", WS_POPUP | WS_VISIBLE, CRect(0, 0, 220, 200), nullptr, 0));
    ASSERT_TRUE(list_.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY | style, CRect(10, 10, 180, 170), &parent_, 1077));
    for (const char* s : {"Akty", "Indeksy", "Segregatory", "Zażółć gęślą jaźń", "Słowniki"}) {
      list_.AddString(base::cp1250::from_utf8(s).c_str());
    }
    pump();
  }
  POINT Row(int i) {
    CRect r;
    list_.GetItemRect(i, &r);
    return POINT{20, r.CenterPoint().y};
  }
  void Click(int row, win::KeyModifiers mods = {}) {
    POINT p = screen_point(list_.m_hWnd, Row(row));
    mouse_down(p, win::MouseButton::left, mods);
    mouse_up(p, win::MouseButton::left, mods);
    pump();
  }
  std::vector<int> Selected() {
    std::vector<int> rows(size_t(list_.GetCount()));
    int n = list_.GetSelItems(int(rows.size()), rows.data());
    rows.resize(size_t(n < 0 ? 0 : n));
    return rows;
  }
  CWnd parent_;
  CListBox list_;
};

using Rows = std::vector<int>;

TEST_F(ListBoxMultiSelectTest, SelectionMessagesAnswerPerRow) {
  Make(LBS_MULTIPLESEL);
  EXPECT_EQ(list_.GetSelCount(), 0);
  EXPECT_EQ(list_.SetSel(1), 0);
  EXPECT_EQ(list_.SetSel(3), 0);
  EXPECT_EQ(list_.SetSel(7), LB_ERR);
  EXPECT_EQ(Selected(), (Rows{1, 3}));
  EXPECT_EQ(list_.GetSel(3), 1);
  EXPECT_EQ(list_.GetSel(2), 0);
  EXPECT_EQ(list_.GetCaretIndex(), 3);
  EXPECT_EQ(list_.GetCurSel(), 3);  // the caret row
  EXPECT_EQ(list_.SetCurSel(0), LB_ERR);
  int one = -1;
  EXPECT_EQ(list_.GetSelItems(1, &one), 1);  // no more than the room given
  EXPECT_EQ(one, 1);
  // Rows keep their selection when rows before them go or come.
  list_.DeleteString(0);
  EXPECT_EQ(Selected(), (Rows{0, 2}));
  list_.InsertString(0, "Nowy");
  EXPECT_EQ(Selected(), (Rows{1, 3}));
  list_.SetSel(-1, TRUE);
  EXPECT_EQ(list_.GetSelCount(), 5);
  list_.SetSel(-1, FALSE);
  EXPECT_EQ(list_.GetSelCount(), 0);
  list_.SetSel(2);
  list_.ResetContent();
  EXPECT_EQ(list_.GetSelCount(), 0);
}

TEST_F(ListBoxMultiSelectTest, SingleSelectionListsRefuseTheMultipleMessages) {
  Make(0);
  list_.SetCurSel(2);
  EXPECT_EQ(list_.SetSel(1), LB_ERR);
  EXPECT_EQ(list_.GetSelCount(), LB_ERR);
  EXPECT_EQ(list_.GetSel(2), 1);
  EXPECT_EQ(list_.GetSel(1), 0);
}

TEST_F(ListBoxMultiSelectTest, ClicksToggleInMultipleSelection) {
  Make(LBS_MULTIPLESEL);
  Click(1);
  Click(3);
  EXPECT_EQ(Selected(), (Rows{1, 3}));
  Click(1);
  EXPECT_EQ(Selected(), (Rows{3}));
  EXPECT_EQ(list_.GetCaretIndex(), 1);
  // Arrows move the caret only; Space toggles the caret row.
  press_key(VK_DOWN);
  pump();
  EXPECT_EQ(list_.GetCaretIndex(), 2);
  EXPECT_EQ(Selected(), (Rows{3}));
  press_key(VK_SPACE, ' ');
  pump();
  EXPECT_EQ(Selected(), (Rows{2, 3}));
}

TEST_F(ListBoxMultiSelectTest, ExtendedSelectionWithShiftAndCtrl) {
  Make(LBS_EXTENDEDSEL);
  const win::KeyModifiers shift{true, false, false}, ctrl{false, true, false}, both{true, true, false};
  Click(1);
  EXPECT_EQ(Selected(), (Rows{1}));
  Click(3, shift);
  EXPECT_EQ(Selected(), (Rows{1, 2, 3}));
  Click(0, shift);  // the range runs from the same anchor
  EXPECT_EQ(Selected(), (Rows{0, 1}));
  Click(4, ctrl);
  EXPECT_EQ(Selected(), (Rows{0, 1, 4}));
  Click(0, ctrl);
  EXPECT_EQ(Selected(), (Rows{1, 4}));
  Click(2, both);  // adds the range from the anchor (the last Ctrl click, 0) and keeps the rest
  EXPECT_EQ(Selected(), (Rows{0, 1, 2, 4}));
  Click(2);
  EXPECT_EQ(Selected(), (Rows{2}));
  // Keys: Shift+arrows extend from the anchor, plain arrows select one row.
  press_key(VK_DOWN, 0, shift);
  press_key(VK_DOWN, 0, shift);
  pump();
  EXPECT_EQ(Selected(), (Rows{2, 3, 4}));
  press_key(VK_UP);
  pump();
  EXPECT_EQ(Selected(), (Rows{3}));
  EXPECT_EQ(list_.GetCaretIndex(), 3);

  // Selected rows drawn highlighted, the others not.
  list_.SetSel(1);
  list_.UpdateWindow();
  save_window_png(list_.m_hWnd, "list_box_extended_selection.png");
  CRect r1, r2;
  list_.GetItemRect(1, &r1);
  list_.GetItemRect(2, &r2);
  EXPECT_EQ(surface_pixel(list_.m_hWnd, r1.right - 4, r1.CenterPoint().y), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(surface_pixel(list_.m_hWnd, r2.right - 4, r2.CenterPoint().y), GetSysColor(COLOR_WINDOW));
}

}  // namespace
}  // namespace lumo::test
