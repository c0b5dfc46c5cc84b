// In-place label editing: opening by message, F2 or a second click, what the parent hears at the
// beginning and the end, keeping or dropping the text on Enter, Escape, focus loss, refusals and
// deletions, and how the list looks with the edit open.
#include <chrono>
#include <thread>

#include "platform/controls/standard_controls.h"
#include "platform/win/virtual_keys.h"
#include "tests/listview/list_parent.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

using Log = std::vector<std::string>;

constexpr int kRow = controls::kListRowHeight;
constexpr int kTop = controls::kListHeaderHeight;
POINT on_label(int i) { return POINT{40, kTop + i * kRow + kRow / 2}; }

class LabelEditTest : public ListViewTest {
 protected:
  CEdit other;  // somewhere else for the focus to go
  void SetUp() override {
    ListViewTest::SetUp();
    ASSERT_TRUE(other.Create(WS_VISIBLE, CRect(0, 210, 200, 230), &parent, 90));
  }
  void TearDown() override {
    list.DestroyWindow();
    other.DestroyWindow();
    ListViewTest::TearDown();
  }
  void make(DWORD style = LVS_EDITLABELS) {
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | style, CRect(0, 0, 300, 200), &parent, 72));
    list.InsertColumn(0, "Akt", LVCFMT_LEFT, 150);
    list.InsertColumn(1, "Rok", LVCFMT_LEFT, 60);
    if (style & LVS_OWNERDATA) {
      list.SetItemCount(3);
    } else {
      for (const char* name : {"Ustawa", "Dekret", "Uchwala"}) list.InsertItem(list.GetItemCount(), name);
    }
    list.SetItemText(1, 1, "1997");
    list.SetFocus();
    pump();
    parent.take();
  }
  HWND edit() const { return HWND(list.SendMessage(LVM_GETEDITCONTROL)); }
  // Pumps until `done` or `ms` milliseconds have passed.
  template <typename Done>
  bool wait_for(Done done, int ms) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done() && std::chrono::steady_clock::now() < until) {
      pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
  }
};

TEST_F(LabelEditTest, EnterKeepsTheTypedTextAndEscapeDropsIt) {
  make();
  CEdit* opened = list.EditLabel(1);
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(list.GetEditControl(), opened);
  EXPECT_EQ(GetFocus(), opened->m_hWnd);
  EXPECT_EQ(GetWindowTextString(opened->m_hWnd), "Dekret");
  EXPECT_TRUE(opened->SendMessage(WM_GETDLGCODE) & DLGC_WANTALLKEYS);  // Enter and Escape reach it in dialogs
  EXPECT_EQ(parent.take(), Log{"begin 1 Dekret"});
  CRect label, over;
  list.GetItemRect(1, &label, LVIR_LABEL);
  opened->GetWindowRect(&over);
  list.ScreenToClient(&over);
  EXPECT_EQ(over.left, label.left);
  EXPECT_LE(over.top, label.top);
  EXPECT_GE(over.bottom, label.bottom);

  type_text("Rozkaz");  // the whole label was selected: the typing replaces it
  press_key(VK_RETURN, '\r');
  pump();
  EXPECT_EQ(parent.take(), (Log{"end 1 Rozkaz", "changing 1 text", "changed 1 text"}));
  EXPECT_EQ(list.GetItemText(1, 0).str(), "Rozkaz");
  EXPECT_EQ(list.GetItemText(1, 1).str(), "1997");
  EXPECT_EQ(list.GetEditControl(), nullptr);
  EXPECT_EQ(GetFocus(), list.m_hWnd);

  ASSERT_NE(list.EditLabel(0), nullptr);
  type_text("Nic");
  press_key(VK_ESCAPE, 0x1B);
  pump();
  EXPECT_EQ(parent.take(), (Log{"begin 0 Ustawa", "end 0 (null)"}));
  EXPECT_EQ(list.GetItemText(0, 0).str(), "Ustawa");
  EXPECT_EQ(list.GetEditControl(), nullptr);
}

TEST_F(LabelEditTest, TheParentMayRefuseTheEditOrTheText) {
  make();
  parent.refuse_edit = TRUE;
  EXPECT_EQ(list.EditLabel(2), nullptr);
  pump();
  EXPECT_EQ(parent.take(), Log{"begin 2 Uchwala"});  // an edit that never began does not end
  EXPECT_EQ(edit(), nullptr);
  EXPECT_EQ(GetFocus(), list.m_hWnd);

  parent.refuse_edit = FALSE;
  parent.accept_edit = FALSE;
  ASSERT_NE(list.EditLabel(2), nullptr);
  type_text("Inna");
  press_key(VK_RETURN, '\r');
  pump();
  EXPECT_EQ(parent.take(), (Log{"begin 2 Uchwala", "end 2 Inna"}));
  EXPECT_EQ(list.GetItemText(2, 0).str(), "Uchwala");
}

TEST_F(LabelEditTest, TheEditExistsWhileTheParentHearsOfTheBeginning) {
  make();
  HWND seen = nullptr;
  parent.on_begin_edit = [&](const NMLVDISPINFO&) {
    seen = edit();
    ::SendMessage(seen, EM_LIMITTEXT, 3, 0);
  };
  ASSERT_NE(list.EditLabel(0), nullptr);
  EXPECT_EQ(seen, edit());
  type_text("Obwieszczenie");
  press_key(VK_RETURN, '\r');
  pump();
  EXPECT_EQ(list.GetItemText(0, 0).str(), "Obw");
}

TEST_F(LabelEditTest, LosingTheFocusKeepsTheTextCancellingDropsIt) {
  make();
  ASSERT_NE(list.EditLabel(0), nullptr);
  type_text("Akt");
  pump();
  other.SetFocus();
  pump();
  EXPECT_EQ(parent.take(), (Log{"begin 0 Ustawa", "end 0 Akt", "changing 0 text", "changed 0 text"}));
  EXPECT_EQ(GetFocus(), other.m_hWnd);

  struct End {
    const char* what;
    std::function<void(CListCtrl&)> act;
    Log heard;
  };
  const End ends[] = {
      {"cancel message", [](CListCtrl& l) { l.CancelEditLabel(); }, Log{"begin 1 Dekret", "end 1 (null)"}},
      {"edit label -1", [](CListCtrl& l) { l.EditLabel(-1); }, Log{"begin 1 Dekret", "end 1 (null)"}},
      {"item deleted", [](CListCtrl& l) { l.DeleteItem(1); }, Log{"begin 1 Dekret", "end 1 (null)"}},
      {"list emptied", [](CListCtrl& l) { l.DeleteAllItems(); }, Log{"begin 1 Dekret", "end 1 (null)"}},
      // The focus leaves a list that goes: the edit keeps its text.
      {"list destroyed", [](CListCtrl& l) { l.DestroyWindow(); }, Log{"begin 1 Dekret", "end 1 Dekret"}},
      // Another item's edit first ends this one with its text.
      {"other item", [](CListCtrl& l) { l.EditLabel(2); },
       Log{"begin 1 Dekret", "end 1 Dekret", "begin 2 Uchwala"}},
  };
  for (const End& e : ends) {
    SCOPED_TRACE(e.what);
    list.DestroyWindow();
    parent.take();
    make();
    ASSERT_NE(list.EditLabel(1), nullptr);
    e.act(list);
    pump();
    EXPECT_EQ(parent.take(), e.heard);
  }
}

TEST_F(LabelEditTest, ASecondClickOnTheLabelEditsUnlessItIsADoubleClick) {
  make();
  click(list.m_hWnd, on_label(1));
  pump();
  EXPECT_FALSE(wait_for([&] { return edit() != nullptr; }, 700));  // the first click only selects
  click(list.m_hWnd, on_label(1));
  pump();
  EXPECT_EQ(edit(), nullptr);  // not before the double-click time
  EXPECT_TRUE(wait_for([&] { return edit() != nullptr; }, 2000));
  press_key(VK_ESCAPE, 0x1B);
  pump();

  // A double click on the selected item opens nothing.
  parent.take();
  POINT p = screen_point(list.m_hWnd, on_label(1));
  mouse_down(p);
  mouse_up(p);
  win::mouse_input(win::MouseAction::double_click, win::MouseButton::left, QPoint(p.x, p.y), {});
  mouse_up(p);
  pump();
  EXPECT_FALSE(wait_for([&] { return edit() != nullptr; }, 700));
  EXPECT_EQ(parent.take(), (Log{"click 1/0", "dblclick 1/0", "click 1/0"}));
}

TEST_F(LabelEditTest, AParentThatDestroysTheListWhileHearingIsSafe) {
  const UINT codes[] = {LVN_BEGINLABELEDIT, LVN_ENDLABELEDIT, LVN_ITEMCHANGING, LVN_ITEMCHANGED};
  for (UINT code : codes) {
    SCOPED_TRACE(int(code));
    make();
    parent.then = [&](UINT heard) {
      if (heard == code) list.DestroyWindow();
    };
    list.EditLabel(1);
    type_text("Koniec");
    press_key(VK_RETURN, '\r');
    pump();
    parent.then = nullptr;
    EXPECT_FALSE(IsWindow(list.m_hWnd));
    EXPECT_EQ(edit(), nullptr);
    parent.take();
  }
}

TEST_F(LabelEditTest, F2EditsTheFocusedItemOnlyWithEditableLabels) {
  make();
  list.SetItemState(2, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  parent.take();
  press_key(VK_F1 + 1);
  pump();
  EXPECT_EQ(parent.take(), Log{"begin 2 Uchwala"});
  ASSERT_NE(edit(), nullptr);
  press_key(VK_ESCAPE, 0x1B);
  pump();

  list.DestroyWindow();
  make(0);
  list.SetItemState(2, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  parent.take();
  press_key(VK_F1 + 1);
  pump();
  EXPECT_EQ(list.EditLabel(1), nullptr);
  EXPECT_EQ(parent.take(), Log{});
}

TEST_F(LabelEditTest, OwnerDataLeavesTheAcceptedTextToTheParent) {
  make(LVS_EDITLABELS | LVS_OWNERDATA);
  ASSERT_NE(list.EditLabel(1), nullptr);
  type_text("Nowy");
  press_key(VK_RETURN, '\r');
  pump();
  EXPECT_EQ(parent.take(), (Log{"begin 1 r1c0", "end 1 Nowy"}));
  EXPECT_EQ(list.GetItemText(1, 0).str(), "r1c0");
}

TEST_F(LabelEditTest, ScrollingEndsTheEditWithItsText) {
  make();
  for (int i = 0; i < 30; ++i) list.InsertItem(list.GetItemCount(), "Dalszy");
  ASSERT_NE(list.EditLabel(0), nullptr);
  type_text("Przewiniety");
  pump();
  list.Scroll(CSize(0, 5 * kRow));
  pump();
  EXPECT_EQ(list.GetTopIndex(), 5);
  EXPECT_EQ(list.GetItemText(0, 0).str(), "Przewiniety");
  EXPECT_EQ(edit(), nullptr);
  // Editing an item out of sight brings it into view first.
  ASSERT_NE(list.EditLabel(25), nullptr);
  EXPECT_LE(list.GetTopIndex(), 25);
  EXPECT_GT(list.GetTopIndex() + list.GetCountPerPage(), 25);
}

TEST_F(LabelEditTest, TheEditSitsOverTheLabelOfTheSelectedRow) {
  make();
  list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  list.SetItemState(1, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  ASSERT_NE(list.EditLabel(1), nullptr);
  type_text("Rozporz\xb9" "dzenie");
  pump();
  EXPECT_EQ(utf8(CString(GetWindowTextString(edit()))), "Rozporządzenie");
  parent.UpdateWindow();
  list.UpdateWindow();
  ::UpdateWindow(edit());
  ASSERT_TRUE(save_surface_png(list.m_hWnd, temp_path("list.png")));
  ASSERT_TRUE(save_surface_png(edit(), temp_path("label_edit.png")));
  // The selected row is highlighted to the right of the edit, the edit is white.
  EXPECT_EQ(surface_pixel(list.m_hWnd, 200, kTop + kRow + kRow / 2), GetSysColor(COLOR_HIGHLIGHT));
  CRect over;
  GetWindowRect(edit(), &over);
  list.ScreenToClient(&over);
  EXPECT_EQ(surface_pixel(edit(), over.Width() - 4, over.Height() / 2), GetSysColor(COLOR_WINDOW));
}

}  // namespace
}  // namespace lumo::test
