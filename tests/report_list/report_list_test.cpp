// The report list itself: owner-drawn rows of an owner-data list, the highlight rule, the
// stretching last column, Alt+click label editing, the click notice and the colour fields.
#include <gtest/gtest.h>

#include "platform/controls/header_ctrl.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "tests/report_list/report_list_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

using Log = std::vector<std::string>;

constexpr COLORREF kYellow = 0x0000FFFF;
// Rows start below the header; the list shows 10 whole rows and part of an eleventh.
int row_y(int row) { return controls::kListHeaderHeight + row * controls::kListRowHeight + controls::kListRowHeight / 2; }

TEST_F(ReportListTest, ProgramMadeListIsAnOwnerDrawnReportWhateverItsStyleAsked) {
  make(LVS_ICON | LVS_SMALLICON, {{"Akt", 100}});
  DWORD style = list.GetStyle();
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_OWNERDRAWFIXED);
  auto made = RUNTIME_CLASS(CGSListCtrl)->CreateObject();
  EXPECT_NE(dynamic_cast<CGSListCtrl*>(made.get()), nullptr);
}

TEST_F(ReportListTest, OwnerDataListOfTenThousandRowsDrawsOnlyTheVisibleRows) {
  make(LVS_OWNERDATA, {{"LP.", 40}, {"ROK/POZ", 70}, {"TYTUŁ", 100}}, 10000);
  list.UpdateWindow();
  std::vector<int> first(list.drawn.begin(), list.drawn.end());
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first.front(), 0);
  EXPECT_EQ(first.back(), 10);
  EXPECT_LE(parent.display_questions, 11 * 3 * 2);

  for (auto [code, top] : {std::pair{SB_PAGEDOWN, 10}, std::pair{SB_BOTTOM, 9990}}) {
    list.drawn.clear();
    parent.display_questions = 0;
    list.SendMessage(WM_VSCROLL, WPARAM(code));
    list.UpdateWindow();
    EXPECT_EQ(list.GetTopIndex(), top);
    ASSERT_FALSE(list.drawn.empty());
    EXPECT_EQ(*std::min_element(list.drawn.begin(), list.drawn.end()), top);
    EXPECT_LE(*std::max_element(list.drawn.begin(), list.drawn.end()), std::min(top + 10, 9999));
    EXPECT_LE(parent.display_questions, 11 * 3 * 2);
  }
  EXPECT_EQ(list.GetItemText(9999, 0).str(), "w9999k0");
}

class HighlightTest : public ReportListTest {
 protected:
  void SetUp() override {
    ReportListTest::SetUp();
    parent.rows = {{"Ustawa", "xaby"}, {"Ustawa", "xAby"}, {"Ustawa", "xaby"}};
  }
  COLORREF right_edge(int row) { return surface_pixel(list.m_hWnd, 395, row_y(row)); }
};

TEST_F(HighlightTest, RowsContainingTheTextLieOnYellowAndSelectionWinsWhileFocused) {
  make(LVS_SINGLESEL, {{"Akt", 100}, {"Tytuł", 100}});
  list.StretchLastColumn(400, 0);
  list.m_bHighlight = 1;
  list.m_strHighlight = "ab";
  list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  list.SetFocus();
  list.Invalidate();
  pump();
  save(picture(), "report_list_highlight.png");
  // The selection and the marking both reach the right edge of the client area.
  EXPECT_EQ(right_edge(0), kYellow);
  EXPECT_EQ(right_edge(1), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(right_edge(2), GetSysColor(COLOR_HIGHLIGHT));

  // Without the focus and LVS_SHOWSELALWAYS the selected row is drawn like the others.
  parent.SetFocus();
  list.Invalidate();
  list.UpdateWindow();
  EXPECT_EQ(right_edge(2), kYellow);

  // An empty highlight text marks nothing.
  list.m_strHighlight.Empty();
  list.Invalidate();
  list.UpdateWindow();
  EXPECT_EQ(right_edge(0), GetSysColor(COLOR_WINDOW));
}

TEST_F(HighlightTest, SelectionAlwaysShownKeepsTheHighlightWithoutFocus) {
  make(LVS_SHOWSELALWAYS, {{"Akt", 100}, {"Tytuł", 100}});
  list.m_bHighlight = 1;
  list.m_strHighlight = "ab";
  list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  list.Invalidate();
  list.UpdateWindow();
  EXPECT_EQ(right_edge(0), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(right_edge(2), kYellow);
}

TEST_F(ReportListTest, LastColumnStretchesToTheWidthGiven) {
  make(0, {{"Akt", 100}, {"Rok", 50}});
  list.StretchLastColumn(400, 0);
  EXPECT_EQ(list.GetColumnWidth(1), 300);
  list.SetColumnWidth(1, 50);
  list.StretchLastColumn(110, 0);  // 10 pixels left: unchanged
  EXPECT_EQ(list.GetColumnWidth(1), 50);
  list.StretchLastColumn(400, -1);  // no column: nothing
  EXPECT_EQ(list.GetColumnWidth(1), 50);

  // Resizing fills the new client width.
  list.MoveWindow(10, 10, 300, 200);
  EXPECT_EQ(list.GetColumnWidth(1), 200);
}

TEST_F(ReportListTest, AScrollingListLeavesRoomForItsScrollBar) {
  make(LVS_OWNERDATA, {{"Akt", 100}, {"Rok", 50}}, 100);
  list.StretchLastColumn(400, 0);
  EXPECT_EQ(list.GetColumnWidth(1), 400 - GetSystemMetrics(SM_CXVSCROLL) - 100);
}

TEST_F(ReportListTest, ReleasedDividerFillsTheClientWidthNotTheOuterWidth) {
  parent.rows = std::vector<std::vector<std::string>>(30, {"Ustawa", "1997"});
  make(WS_BORDER, {{"Akt", 100}, {"Rok", 50}});
  CRect client;
  list.GetClientRect(&client);
  CWnd* header = list.GetHeaderCtrl();
  ASSERT_NE(header, nullptr);
  POINT from = screen_point(header->m_hWnd, POINT{100, 8});
  POINT to = screen_point(header->m_hWnd, POINT{130, 8});
  mouse_down(from);
  pump();
  mouse_move(to, {});
  mouse_up(to);
  pump();
  EXPECT_EQ(list.GetColumnWidth(0), 130);
  EXPECT_EQ(list.GetColumnWidth(0) + list.GetColumnWidth(1), client.Width());
  EXPECT_EQ(parent.log, Log{"endtrack 0"});
}

TEST_F(ReportListTest, PlainClickSelectsAndTellsTheParentWithCode4096) {
  parent.rows = {{"Ustawa", "1997"}, {"Rozporządzenie", "1998"}, {"Obwieszczenie", "1999"}};
  make(LVS_SINGLESEL, {{"Akt", 100}, {"Rok", 50}});
  click_list(POINT{40, row_y(1)});
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
  EXPECT_EQ(parent.log, (Log{"click4096", "click 1"}));
}

TEST_F(ReportListTest, AltClickEditsTheLabelOnlyWhereLabelsMayBeEdited) {
  parent.rows = {{"Ustawa", "1997"}, {"Rozporządzenie", "1998"}};
  for (DWORD style : {DWORD(0), LVS_EDITLABELS}) {
    make(style, {{"Akt", 100}, {"Rok", 50}});
    POINT screen = screen_point(list.m_hWnd, POINT{40, row_y(1)});
    win::KeyModifiers alt;
    alt.alt = true;
    mouse_down(screen, win::MouseButton::left, alt);
    pump();
    mouse_up(screen, win::MouseButton::left, alt);
    pump();
    EXPECT_EQ(list.GetEditControl() != nullptr, style == LVS_EDITLABELS);
    EXPECT_EQ(parent.log, Log{});  // no click notice with Alt
    list.DestroyWindow();
  }
}

// The owner sorts by a column and keeps the state in the list's fields; the rows then draw in
// their new order.
int by_year_descending(LPARAM a, LPARAM b, LPARAM) { return int(b - a); }

TEST_F(ReportListTest, RowsSortedByTheOwnerDrawInTheirNewOrder) {
  parent.rows = {{"1994/7", "Obwieszczenie Prezesa Rady Ministrów", "Obwieszczenie"},
                 {"1997/78", "Ustawa o samorządzie gminnym", "Ustawa"},
                 {"1993/21", "Rozporządzenie Ministra Sprawiedliwości w sprawie wynagrodzeń", "Rozporządzenie"}};
  make(LVS_SHOWSELALWAYS, {{"ROK/POZ", 70}, {"TYTUŁ", 200}, {"RANGA", 60}});
  list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  list.StretchLastColumn(400, 0);
  for (int i = 0; i < 3; ++i) list.SetItemData(i, DWORD_PTR(std::stoi(parent.rows[size_t(i)][0].substr(0, 4))));
  list.m_nSortColumn = 0;
  list.m_bSortAscending = 0;
  ASSERT_TRUE(list.SortItems(&by_year_descending, 0));
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  pump();
  EXPECT_EQ(list.GetColumnWidth(2), 130);
  save(picture(), "report_list_sorted.png");
  EXPECT_EQ(list.GetItemText(0, 0).str(), "1997/78");
  EXPECT_EQ(list.GetItemText(1, 0).str(), "1994/7");
  EXPECT_EQ(list.GetItemText(2, 0).str(), "1993/21");
  // Cut-off titles end in an ellipsis inside their column: nothing is drawn across the divider.
  EXPECT_EQ(surface_pixel(list.m_hWnd, 70 + 200 - 1, row_y(2)), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(surface_pixel(list.m_hWnd, 395, row_y(1)), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(ReportListTest, WantsAllKeysUntilToldOtherwiseAndKeepsTheColoursItIsGiven) {
  make(0, {{"Akt", 100}});
  EXPECT_TRUE(list.SendMessage(WM_GETDLGCODE) & DLGC_WANTALLKEYS);
  list.SetWantAllKeys(FALSE);
  EXPECT_FALSE(list.SendMessage(WM_GETDLGCODE) & DLGC_WANTALLKEYS);

  EXPECT_EQ(list.GetListTextColor(), GetSysColor(COLOR_WINDOWTEXT));
  list.SetTextColor(RGB(10, 20, 30));
  list.SetTextBkColor(RGB(200, 210, 220));
  list.SetBkColor(RGB(1, 2, 3));
  EXPECT_EQ(list.GetListTextColor(), RGB(10, 20, 30));
  EXPECT_EQ(list.GetListTextBkColor(), RGB(200, 210, 220));
  EXPECT_EQ(list.GetListBkColor(), RGB(1, 2, 3));
  // The list view has them too.
  EXPECT_EQ(list.GetTextBkColor(), RGB(200, 210, 220));
}

}  // namespace
}  // namespace lumo::test
