// Controls outside dialogs: a report list view with grid lines in a font of its own, an owner-drawn
// list box, and a property sheet with its tabs and pages.
#include <vector>

#include "platform/controls/list_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/property_sheet.h"
#include "tests/framework/framework_fixture.h"
#include "tests/framework/scripted_sheet.h"
#include "tests/gallery/gallery.h"

namespace lumo::test {
namespace {

constexpr int IDC_ACTS = 1701, IDC_COLOURS = 1702;

// A window that draws the rows of its owner-drawn list box: a colour swatch and its name.
LRESULT owner_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MEASUREITEM) {
    reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 20;
    return TRUE;
  }
  if (message == WM_DRAWITEM) {
    auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    CDC* dc = CDC::FromHandle(d->hDC);
    CRect row(d->rcItem);
    bool selected = d->itemState & ODS_SELECTED;
    dc->FillSolidRect(&row, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    static const COLORREF swatches[] = {RGB(200, 0, 0), RGB(0, 140, 0), RGB(0, 0, 200)};
    static const char* names[] = {"Czerwony", "Zielony", "Niebieski"};
    UINT i = d->itemID % 3;
    dc->FillSolidRect(row.left + 3, row.top + 3, 24, row.Height() - 6, swatches[i]);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    HGDIOBJ old = dc->SelectObject(CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
    dc->TextOut(row.left + 32, row.top + 3, cp(names[i]));
    (void)old;
    return TRUE;
  }
  return DefWindowProc(h, message, wParam, lParam);
}

class ControlsGalleryTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    controls::register_list_view();
    window = CreateWindowEx(0, test_window_class("GalleryOwner", owner_proc, 0, GetSysColorBrush(COLOR_BTNFACE)),
                            "", WS_POPUP | WS_VISIBLE, 0, 0, 560, 220, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
    FrameworkTest::TearDown();
  }
  HWND window = nullptr;
};

TEST_F(ControlsGalleryTest, ReportListDrawsInItsFontWithGridLinesToTheBottom) {
  CListCtrl acts;
  ASSERT_TRUE(acts.Create(WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(10, 10, 330, 200),
                          CWnd::FromHandle(window), IDC_ACTS));
  acts.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  acts.InsertColumn(0, "Rok", LVCFMT_LEFT, 50);
  acts.InsertColumn(1, cp("Tytuł aktu"), LVCFMT_LEFT, 240);
  const char* titles[] = {"Ustawa o ochronie przyrody", "Rozporządzenie w sprawie opłat", "Obwieszczenie Prezesa"};
  for (int i = 0; i < 3; ++i) {
    acts.InsertItem(i, std::to_string(1995 + i).c_str());
    acts.SetItemText(i, 1, cp(titles[i]));
  }
  acts.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  // A bold font of its own: WM_GETFONT gives it back and the rows are drawn in it.
  LOGFONT lf{};
  lf.lfHeight = -12;
  lf.lfWeight = FW_BOLD;
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "Arial");
  CFont bold;
  bold.CreateFontIndirect(&lf);
  acts.SetFont(&bold);
  EXPECT_EQ(reinterpret_cast<HFONT>(acts.SendMessage(WM_GETFONT)), static_cast<HFONT>(bold.GetSafeHandle()));

  gallery::Picture picture(window, "list_view");
  RECT list = gallery::rect_in(acts.m_hWnd, window);
  int rows_bottom = list.top + 1 + controls::kListHeaderHeight + 3 * controls::kListRowHeight;
  // Below the last row the column line goes on, in the grid colour.
  int column_line = list.left + 1 + 50 - 1;
  EXPECT_EQ(picture.pixel(column_line, rows_bottom + 40), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(picture.pixel(column_line + 20, rows_bottom + controls::kListRowHeight - 1), GetSysColor(COLOR_BTNFACE));
  // Bold text is wider than the stock font's: the first title runs past 150 pixels.
  RECT first{list.left + 52, list.top + 1 + controls::kListHeaderHeight, list.right - 2,
             list.top + 1 + controls::kListHeaderHeight + controls::kListRowHeight - 1};
  EXPECT_GT(picture.rightmost_dark(first) - first.left, 150);
  acts.DestroyWindow();
}

TEST_F(ControlsGalleryTest, OwnerDrawnListBoxAndPropertySheet) {
  HWND colours = CreateWindowEx(0, "ListBox", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWFIXED,
                                350, 10, 180, 100, window, reinterpret_cast<HMENU>(std::uintptr_t(IDC_COLOURS)), nullptr);
  ASSERT_NE(colours, nullptr);
  for (int i = 0; i < 3; ++i) SendMessage(colours, LB_ADDSTRING, 0, LPARAM(i));
  SendMessage(colours, LB_SETCURSEL, 1, 0);
  {
    gallery::Picture picture(window, "owner_drawn_list");
    RECT box = gallery::rect_in(colours, window);
    EXPECT_EQ(picture.pixel(box.left + 1 + 10, box.top + 1 + 10), RGB(200, 0, 0));
    EXPECT_EQ(picture.pixel(box.left + 1 + 40, box.top + 1 + 21), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(picture.pixel(box.right - 4, box.bottom - 4), GetSysColor(COLOR_WINDOW));  // no scroll bar
  }

  class NumberPage : public CPropertyPage {
   public:
    NumberPage() : CPropertyPage(IDD_TEST_PAGE1) {}
  } one;
  class CheckPage : public CPropertyPage {
   public:
    CheckPage() : CPropertyPage(IDD_TEST_PAGE2) {}
  } two;
  CMDIFrameWnd* frame = make_main_frame();
  ScriptedSheet sheet(cp("Ustawienia wydruku"), frame);
  sheet.AddPage(&one);
  sheet.AddPage(&two);
  sheet.script = [&] {
    gallery::Picture first(sheet.m_hWnd, "property_sheet", true);
    sheet.SetActivePage(1);
    gallery::Picture second(sheet.m_hWnd, "property_sheet_second_page", true);
    // The check box of the second page is drawn in full.
    HWND check = ::GetDlgItem(two.m_hWnd, IDC_TEST_PAGE_CHECK);
    ASSERT_NE(check, nullptr);
    RECT r = gallery::rect_in(check, sheet.m_hWnd, true);
    EXPECT_GT(second.dark(r), 20);
    sheet.EndDialog(IDCANCEL);
  };
  sheet.DoModal();
}

}  // namespace
}  // namespace lumo::test
