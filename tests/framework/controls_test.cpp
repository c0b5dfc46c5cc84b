// Standard and common controls: edits with limits and selection, automatic radio groups, list
// boxes, progress bars and up-down controls with their notifications.
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "platform/base/cp1250.h"
#include "platform/controls/list_ctrl.h"
#include "platform/controls/progress_ctrl.h"
#include "platform/controls/rtf_reader.h"
#include "platform/controls/spin_button_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "platform/controls/tab_ctrl.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

// A parent that records the notifications of its controls and may refuse up-down moves.
class Parent : public CWnd {
 public:
  std::vector<std::pair<int, int>> commands;  // (id, code)
  std::vector<int> scrolled;  // thumb positions
  std::vector<UINT> codes;    // every scroll code
  bool refuse = false;
  BOOL OnCommand(WPARAM wParam, LPARAM) override {
    commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  }
  std::vector<std::string> notices;  // list-view notices: "changed n", "click n"
  UINT drawn_rows = 0;
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == UDN_DELTAPOS) *pResult = refuse;
    if (header->code == LVN_GETDISPINFO) {
      // Owner data: the row's text made on demand.
      auto* info = reinterpret_cast<NMLVDISPINFO*>(lParam);
      std::snprintf(info->item.pszText, size_t(info->item.cchTextMax), "Poz. %d / %d", info->item.iItem,
                    info->item.iSubItem);
    }
    if (header->code == LVN_ITEMCHANGED) {
      auto* n = reinterpret_cast<NMLISTVIEW*>(lParam);
      if (n->uNewState & LVIS_SELECTED) notices.push_back("changed " + std::to_string(n->iItem));
    }
    if (header->code == TCN_SELCHANGING) {
      notices.push_back("changing");
      *pResult = refuse;
    }
    if (header->code == TCN_SELCHANGE) notices.push_back("changed tab");
    if (header->code == NM_CLICK) notices.push_back("click " + std::to_string(reinterpret_cast<NMLISTVIEW*>(lParam)->iItem));
    return TRUE;
  }
  afx_msg void OnDrawItem(int, LPDRAWITEMSTRUCT d) {
    if (d->CtlType == ODT_LISTVIEW) ++drawn_rows;
  }
  afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar*) {
    codes.push_back(code);
    if (code == SB_THUMBPOSITION) scrolled.push_back(int(short(pos)));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Parent, CWnd)
  ON_WM_VSCROLL()
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

class ControlsTest : public FrameworkTest {
 protected:
  Parent parent;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Rodzic", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
  }
};

TEST_F(ControlsTest, EditKeepsItsLimitAndSelection) {
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 100, 20), &parent, 5));
  edit.LimitText(5);
  edit.SetFocus();
  type_text(base::cp1250::from_utf8("Łódź1234"));
  pump();
  CString text;
  edit.GetWindowText(text);
  EXPECT_EQ(utf8(text), "Łódź1");
  EXPECT_TRUE(edit.GetModify());
  int start = 0, end = 0;
  edit.SetSel(1, 3);
  edit.ReplaceSel("a");
  edit.GetWindowText(text);
  EXPECT_EQ(utf8(text), "Łaź1");
  edit.GetSel(start, end);
  EXPECT_EQ(start, 2);
  EXPECT_EQ(end, 2);
  edit.SetSel(0, -1);
  press_key(VK_BACK, 0x08);
  pump();
  EXPECT_EQ(edit.GetWindowTextLength(), 0);
  // Changes and the overflow were told to the parent.
  auto count = [&](int code) { return std::count(parent.commands.begin(), parent.commands.end(), std::make_pair(5, code)); };
  EXPECT_GE(count(EN_CHANGE), 5);
  EXPECT_GE(count(EN_MAXTEXT), 1);
}

// A read-only edit without a border is a line of text on the face; with WS_BORDER, or editable,
// it keeps its sunken frame. ES_CENTER centres the text.
TEST_F(ControlsTest, ReadOnlyFieldsWithoutABorderAndCentredText) {
  CEdit bare, framed, editable;
  ASSERT_TRUE(bare.Create(WS_VISIBLE | ES_READONLY | ES_CENTER | ES_MULTILINE, CRect(0, 0, 200, 20), &parent, 6));
  ASSERT_TRUE(framed.Create(WS_VISIBLE | WS_BORDER | ES_READONLY, CRect(0, 30, 200, 50), &parent, 7));
  ASSERT_TRUE(editable.Create(WS_VISIBLE, CRect(0, 60, 200, 80), &parent, 8));
  bare.SetWindowText("poz. 34/1998");
  pump();
  const DWORD face = ::GetSysColor(COLOR_BTNFACE), shadow = ::GetSysColor(COLOR_BTNSHADOW);
  EXPECT_EQ(surface_pixel(bare.m_hWnd, 0, 10), face);
  EXPECT_EQ(surface_pixel(bare.m_hWnd, 100, 0), face);
  EXPECT_EQ(surface_pixel(framed.m_hWnd, 0, 10), shadow);
  EXPECT_EQ(surface_pixel(editable.m_hWnd, 0, 10), shadow);
  // The text lies in the middle: nothing dark in the outer quarters, something in the middle.
  auto dark = [&](int from, int to) {
    int n = 0;
    for (int y = 0; y < 20; ++y) {
      for (int x = from; x < to; ++x) n += (surface_pixel(bare.m_hWnd, x, y) & 0xFF) < 0x60 ? 1 : 0;
    }
    return n;
  };
  EXPECT_EQ(dark(0, 40), 0);
  EXPECT_EQ(dark(160, 200), 0);
  EXPECT_GT(dark(60, 140), 20);
}

TEST_F(ControlsTest, AutomaticRadioButtonsOfAGroupExcludeEachOther) {
  CButton a, b, c, other;
  ASSERT_TRUE(a.Create("A", WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(0, 0, 50, 20), &parent, 11));
  ASSERT_TRUE(b.Create("B", WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(0, 20, 50, 40), &parent, 12));
  ASSERT_TRUE(c.Create("C", WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(0, 40, 50, 60), &parent, 13));
  ASSERT_TRUE(other.Create("D", WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(0, 60, 50, 80), &parent, 14));
  // Windows are made on top of their siblings: put them back in creation order.
  for (CButton* w : {&a, &b, &c, &other}) ::SetWindowPos(w->m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  other.SetCheck(1);
  click(a.m_hWnd, POINT{5, 5});
  pump();
  EXPECT_EQ(a.GetCheck(), 1);
  c.SendMessage(BM_CLICK);
  EXPECT_EQ(a.GetCheck(), 0);
  EXPECT_EQ(c.GetCheck(), 1);
  EXPECT_EQ(other.GetCheck(), 1);  // another group
  EXPECT_EQ(parent.commands.size(), 2u);
  EXPECT_EQ(parent.commands[0], std::make_pair(11, int(BN_CLICKED)));
}

TEST_F(ControlsTest, ListBoxKeepsItemsAndData) {
  CListBox list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | 0x0001, CRect(0, 0, 100, 100), &parent, 20));
  list.AddString("pierwszy");
  list.AddString("trzeci");
  EXPECT_EQ(list.InsertString(1, "drugi"), 1);
  list.SetItemData(2, 33);
  EXPECT_EQ(list.GetCount(), 3);
  CString text;
  list.GetText(1, text);
  EXPECT_EQ(text.str(), "drugi");
  EXPECT_EQ(list.GetItemData(2), 33u);
  EXPECT_EQ(list.SetCurSel(5), LB_ERR);
  click(list.m_hWnd, POINT{5, 20});
  pump();
  EXPECT_EQ(list.GetCurSel(), 1);
  EXPECT_EQ(parent.commands.back(), std::make_pair(20, int(LBN_SELCHANGE)));
  list.DeleteString(0);
  EXPECT_EQ(list.GetCurSel(), 0);
}

TEST_F(ControlsTest, DropDownListShowsTheChosenItem) {
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 20), &parent, 21));
  combo.AddString("Dz.U.");
  combo.AddString("M.P.");
  EXPECT_EQ(combo.FindStringExact(-1, "m.p."), 1);
  EXPECT_EQ(combo.SetCurSel(1), 1);
  EXPECT_EQ(GetWindowTextString(combo.m_hWnd), "M.P.");
  EXPECT_EQ(combo.SetCurSel(7), CB_ERR);
  combo.SetFocus();
  press_key(VK_UP);
  pump();
  EXPECT_EQ(combo.GetCurSel(), 0);
  EXPECT_EQ(parent.commands.back(), std::make_pair(21, int(CBN_SELCHANGE)));
  combo.DeleteString(0);
  EXPECT_EQ(combo.GetCurSel(), -1);
  EXPECT_EQ(GetWindowTextString(combo.m_hWnd), "");
}

TEST_F(ControlsTest, ScrollBarKeepsThePositionWithinRangeLessPage) {
  CScrollBar bar;
  ASSERT_TRUE(bar.Create(WS_VISIBLE | SBS_VERT, CRect(0, 0, 16, 100), &parent, 22));
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = 99;
  info.nPage = 10;
  info.nPos = 95;
  bar.SetScrollInfo(&info);
  EXPECT_EQ(bar.GetScrollPos(), 90);
  info.nPage = 500;  // a page beyond the range is cut to it
  info.fMask = SIF_PAGE;
  bar.SetScrollInfo(&info);
  SCROLLINFO out;
  bar.GetScrollInfo(&out);
  EXPECT_EQ(out.nPage, 100u);
  EXPECT_EQ(out.nPos, 0);
  click(bar.m_hWnd, POINT{8, 95});  // the lower arrow
  pump();
  EXPECT_EQ(parent.codes, (std::vector<UINT>{SB_LINEDOWN, SB_ENDSCROLL}));

  // The thumb (10 of 0..99, so 6 pixels of the 68-pixel track, made 8) follows the mouse: dragged
  // from the top of the track to its end it reports the last position.
  info.fMask = SIF_PAGE | SIF_POS;
  info.nPage = 10;
  info.nPos = 0;
  bar.SetScrollInfo(&info);
  parent.codes.clear();
  mouse_down(screen_point(bar.m_hWnd, POINT{8, 18}));
  when_captured([&] {
    mouse_move(screen_point(bar.m_hWnd, POINT{8, 90}));
    mouse_up(screen_point(bar.m_hWnd, POINT{8, 90}));
  });
  pump();
  ASSERT_FALSE(parent.codes.empty());
  EXPECT_EQ(parent.codes.front(), UINT(SB_THUMBTRACK));
  EXPECT_EQ(parent.codes.back(), UINT(SB_ENDSCROLL));
  EXPECT_EQ(parent.scrolled, (std::vector<int>{90}));
}

TEST_F(ControlsTest, ListViewWithOwnerDataAsksItsParentForTexts) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL, CRect(0, 0, 200, 100), &parent, 50));
  list.InsertColumn(0, cp("Tytuł"), LVCFMT_LEFT, 120);
  list.InsertColumn(1, "Rok", LVCFMT_RIGHT, 60);
  EXPECT_EQ(list.InsertItem(0, "nie"), -1);  // rows of owner data come from the count
  list.SetItemCount(100000);
  EXPECT_EQ(list.GetItemCount(), 100000);
  EXPECT_EQ(list.GetItemText(99999, 1).str(), "Poz. 99999 / 1");
  // A click on the second visible row selects it and tells the parent.
  click(list.m_hWnd, POINT{10, controls::kListHeaderHeight + controls::kListRowHeight + 3});
  pump();
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
  EXPECT_EQ(parent.notices, (std::vector<std::string>{"changed 1", "click 1"}));
  press_key(VK_DOWN);
  pump();
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
  EXPECT_EQ(list.GetSelectedCount(), 1);
  EXPECT_TRUE(list.EnsureVisible(5000, FALSE));
  EXPECT_GT(list.GetTopIndex(), 4990);
  EXPECT_EQ(list.HitTest(CPoint(5, controls::kListHeaderHeight + 1)), list.GetTopIndex());
  list.SetItemCount(3);
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
}

TEST_F(ControlsTest, ListViewRowsOfTheirOwnAndOwnerDraw) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 200, 100), &parent, 51));
  list.InsertColumn(0, "Akt");
  list.InsertItem(0, "Ustawa");
  list.InsertItem(0, cp("Rozporządzenie"));
  list.SetItemText(1, 2, "2001");
  list.SetItemData(1, 7);
  EXPECT_EQ(utf8(list.GetItemText(0, 0)), "Rozporządzenie");
  EXPECT_EQ(list.GetItemText(1, 2).str(), "2001");
  EXPECT_EQ(list.GetItemData(1), 7u);
  list.UpdateWindow();
  EXPECT_EQ(parent.drawn_rows, 2u);
  EXPECT_TRUE(list.DeleteItem(0));
  EXPECT_EQ(list.GetItemText(0, 0).str(), "Ustawa");
  EXPECT_FALSE(list.DeleteItem(5));
}

TEST_F(ControlsTest, TabControlAsksBeforeItChangesTabs) {
  CTabCtrl tab;
  ASSERT_TRUE(tab.Create(WS_VISIBLE, CRect(0, 0, 200, 100), &parent, 60));
  tab.InsertItem(0, "Akty");
  tab.InsertItem(1, "Indeks");
  EXPECT_EQ(tab.InsertItem(0, "Start"), 0);
  EXPECT_EQ(tab.GetCurSel(), 1);  // "Akty" stays selected
  CRect r;
  ASSERT_TRUE(tab.GetItemRect(2, &r));
  parent.refuse = true;
  click(tab.m_hWnd, POINT{r.left + 2, r.top + 2});
  pump();
  EXPECT_EQ(tab.GetCurSel(), 1);
  parent.refuse = false;
  click(tab.m_hWnd, POINT{r.left + 2, r.top + 2});
  pump();
  EXPECT_EQ(tab.GetCurSel(), 2);
  EXPECT_EQ(parent.notices, (std::vector<std::string>{"changing", "changing", "changed tab"}));
  CRect area(0, 0, 200, 100);
  tab.AdjustRect(FALSE, &area);
  tab.AdjustRect(TRUE, &area);
  EXPECT_TRUE(area == CRect(0, 0, 200, 100));
}

TEST_F(ControlsTest, ProgressClampsAndWrapsItsSteps) {
  CProgressCtrl progress;
  ASSERT_TRUE(progress.Create(WS_VISIBLE, CRect(0, 0, 100, 10), &parent, 30));
  progress.SetRange32(0, 50);
  EXPECT_EQ(progress.SetPos(80), 0);
  EXPECT_EQ(progress.GetPos(), 50);
  progress.SetStep(20);
  progress.StepIt();
  EXPECT_EQ(progress.GetPos(), 20);  // past the end starts again
  EXPECT_EQ(progress.OffsetPos(-100), 20);
  EXPECT_EQ(progress.GetPos(), 0);
  int low = 0, high = 0;
  progress.GetRange(low, high);
  EXPECT_EQ(high, 50);
}

TEST_F(ControlsTest, UpDownAsksItsParentAndFillsItsBuddy) {
  CEdit buddy;
  ASSERT_TRUE(buddy.Create(WS_VISIBLE, CRect(0, 0, 60, 20), &parent, 40));
  CSpinButtonCtrl spin;
  ASSERT_TRUE(spin.Create(WS_VISIBLE | UDS_SETBUDDYINT, CRect(60, 0, 76, 20), &parent, 41));
  spin.SetBuddy(&buddy);
  spin.SetRange32(1, 3);
  spin.SetPos(2);
  EXPECT_EQ(GetWindowTextString(buddy.m_hWnd), "2");
  controls::spin_step(spin.m_hWnd, 1);
  controls::spin_step(spin.m_hWnd, 1);  // at the end without UDS_WRAP
  EXPECT_EQ(spin.GetPos(), 3);
  EXPECT_EQ(GetWindowTextString(buddy.m_hWnd), "3");
  EXPECT_EQ(parent.scrolled, (std::vector<int>{3}));
  parent.refuse = true;
  controls::spin_step(spin.m_hWnd, -1);
  EXPECT_EQ(spin.GetPos(), 3);
  parent.refuse = false;
  click(spin.m_hWnd, POINT{5, 15});  // the lower arrow
  pump();
  EXPECT_EQ(spin.GetPos(), 2);
}

TEST(RtfReader, TextStylesAndCharacters) {
  QTextDocument doc;
  std::string rtf =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
      "\\b Art.\\b0  1 \\cf1 za\\'bf\\u243?\\u322\\'b3\\par\\i\\fs32 koniec\\{x\\}}";
  EXPECT_EQ(controls::read_rtf(rtf, doc), controls::RtfResult::ok);
  ASSERT_EQ(doc.blockCount(), 2);
  EXPECT_EQ(doc.firstBlock().text().toStdString(), "Art. 1 zażół");
  EXPECT_EQ(doc.lastBlock().text().toStdString(), "koniec{x}");
  QTextCursor c(doc.firstBlock());
  c.movePosition(QTextCursor::NextCharacter);
  EXPECT_EQ(c.charFormat().fontWeight(), QFont::Bold);
  c.movePosition(QTextCursor::EndOfBlock);
  EXPECT_EQ(c.charFormat().foreground().color(), QColor(255, 0, 0));
  c = QTextCursor(doc.lastBlock());
  c.movePosition(QTextCursor::NextCharacter);
  EXPECT_TRUE(c.charFormat().fontItalic());
  EXPECT_EQ(c.charFormat().fontPointSize(), 16.0);
}

TEST(RtfReader, DamagedInputEndsWithAnError) {
  QTextDocument doc;
  EXPECT_EQ(controls::read_rtf("plain text", doc), controls::RtfResult::not_rtf);
  EXPECT_EQ(controls::read_rtf("{\\rtf1 {\\b bez końca", doc), controls::RtfResult::unbalanced);
  std::string deep = "{\\rtf1" + std::string(10000, '{') + "x";
  EXPECT_EQ(controls::read_rtf(deep, doc), controls::RtfResult::too_deep);
  EXPECT_EQ(controls::read_rtf("{\\rtf1 \\fs99999999999999999999 a\\u-99999999999 b}", doc), controls::RtfResult::ok);
}

}  // namespace
}  // namespace lumo::test
