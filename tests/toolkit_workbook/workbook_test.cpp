// The workbook: tab geometry as plain numbers, and a headless workbook with sheets labelled in
// Polish: clicking a tab activates its sheet, moves renumber, hidden sheets take no place, long
// labels end in dots and have tips, the mode switches the margins, and the background name.
#include <QImage>

#include "platform/shell/services.h"
#include "platform/win/system_metrics.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"
#include "tests/toolkit_docking/toolkit_docking_fixture.h"
#include "toolkit/frame/sec_workbook.h"

namespace lumo::test {
namespace {

TEST(WorkbookGeometry, TabWidthByClientWidthAndSheets) {
  struct Case {
    int width, sheets, current, expected;
  } cases[] = {
      {500, 3, 100, 90},  // 168 is above the maximum
      {500, 7, 100, 72},  // 505 / 7
      {500, 0, 100, 100},  // no sheet: the width stays
      {500, 0, 72, 72},
      {30, 4, 90, 8},
      {-5, 2, 90, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(workbook::TabWidth(c.width, c.sheets, c.current), c.expected) << c.width << " " << c.sheets;
  }
}

TEST(WorkbookGeometry, TabPolygonHangsBelowTheClientWithCutCorners) {
  const workbook::TabPoints flat = workbook::TabPolygon(10, 104, 90, 1, false);
  const POINT expected[] = {{100, 104}, {100, 125}, {102, 127}, {188, 127}, {190, 125}, {190, 104}, {100, 104}};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(flat[size_t(i)].x, expected[i].x) << i;
    EXPECT_EQ(flat[size_t(i)].y, expected[i].y) << i;
  }
  // Raised: 2 pixels out on each side and 2 lower.
  const workbook::TabPoints raised = workbook::TabPolygon(10, 104, 90, 1, true);
  EXPECT_EQ(raised[0].x, 98);
  EXPECT_EQ(raised[4].x, 192);
  EXPECT_EQ(raised[2].y, 129);

  CRect text;
  EXPECT_FALSE(workbook::TabTextRect(nullptr, 16, text));
  ASSERT_TRUE(workbook::TabTextRect(flat.data(), 16, text));
  EXPECT_EQ(text, CRect(121, 104, 188, 127));
}

TEST(WorkbookGeometry, LabelsShortenWithDotsAndMovesClamp) {
  auto shorter_than = [](int n) { return [n](const CString& s) { return s.GetLength() <= n; }; };
  EXPECT_EQ(workbook::FitLabel("Dz.U. 1997", shorter_than(20)), CString("Dz.U. 1997"));
  EXPECT_EQ(workbook::FitLabel("Dz.U. 1997", shorter_than(7)), CString("Dz.U..."));
  EXPECT_EQ(workbook::FitLabel("Dz.U. 1997", shorter_than(3)), CString());
  EXPECT_EQ(workbook::FitLabel("", shorter_than(0)), CString());
  for (auto [index, count, expected] : {std::tuple{-3, 4, 0}, {2, 4, 2}, {9, 4, 3}, {5, 0, 0}}) {
    EXPECT_EQ(workbook::ClampIndex(index, count), expected);
  }
}

class WorkbookTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    auto* made = std::make_unique<SECWorkbook>().release();  // ends itself with its window
    ASSERT_TRUE(made->LoadFrame(IDR_TEST_MAIN));
    made->MoveWindow(0, 0, 800, 560);
    made->ShowWindow(SW_SHOW);
    app->m_pMainWnd = made;
    book = made;
    book->EnableDocking(CBRS_ALIGN_ANY);
    book->SetWorkbookMode(TRUE);
    pump();
  }

  SECWorksheet* add_sheet(const char* label_utf8, int show = SW_SHOWMAXIMIZED) {
    auto* sheet = std::make_unique<SECWorksheet>().release();
    EXPECT_TRUE(sheet->LoadFrame(IDR_TEST_DOC, WS_CHILD | WS_OVERLAPPEDWINDOW, book));
    sheet->SetLabel(cp(label_utf8));
    sheet->SetWindowText(cp(label_utf8));
    sheet->InitialUpdateFrame(nullptr, TRUE);
    sheet->ShowWindow(show);
    sheet->UpdateWindow();
    pump();
    return sheet;
  }
  // The middle of a sheet's tab in screen coordinates.
  POINT tab_point(SECWorksheet* sheet) const {
    workbook::TabPoints p;
    EXPECT_TRUE(book->GetTabPolygon(sheet, p));
    return screen_point(book->m_hWnd, {(p[0].x + p[5].x) / 2, (p[0].y + p[2].y) / 2});
  }
  CRect client_in_frame() const {
    CRect rect;
    ::GetWindowRect(book->m_hWndMDIClient, &rect);
    book->ScreenToClient(&rect);
    return rect;
  }
  bool save(const std::string& name) {
    pump();
    const char* dir = std::getenv("LUMO_PNG_DIR");
    return save_window_png(book->m_hWnd, dir ? std::string(dir) + "/" + name : temp_path(name));
  }

  SECWorkbook* book = nullptr;
};

TEST_F(WorkbookTest, ClientKeepsItsMarginsAndTheModeSwitchesThem) {
  ASSERT_NE(book->GetWorkbookClient(), nullptr);
  CRect frame;
  book->GetClientRect(&frame);
  CRect inside = book->m_rectInside;
  EXPECT_EQ(client_in_frame(), CRect(inside.left + 13, inside.top + 13, inside.right - 13, inside.bottom - 33));
  CRect area;
  book->GetTabAreaRect(area);
  EXPECT_EQ(area, inside);

  book->SetWorkbookMode(FALSE);
  pump();
  EXPECT_EQ(client_in_frame(), book->m_rectInside);
  book->SetWorkbookMode(TRUE);
  pump();
  EXPECT_EQ(client_in_frame().bottom, book->m_rectInside.bottom - 33);
}

TEST_F(WorkbookTest, ThreeSheetsClickActivatesMoveRenumbersHiddenTakesNoPlace) {
  SECWorksheet* a = add_sheet("Ustawa o ochronie środowiska");
  SECWorksheet* b = add_sheet("Kodeks pracy");
  SECWorksheet* c = add_sheet("Rozporządzenie w sprawie źródeł ciepła");
  ASSERT_EQ(book->GetSheetCount(), 3);
  EXPECT_EQ(book->GetTabWidth(), 90);
  EXPECT_EQ(book->MDIGetActive(), c);
  save("workbook_three_sheets.png");

  // Clicking a tab activates its sheet; clicking the active one does nothing.
  click(book->m_hWnd, [&] {
    POINT p = tab_point(a);
    ::ScreenToClient(book->m_hWnd, &p);
    return p;
  }());
  pump();
  EXPECT_EQ(book->MDIGetActive(), a);
  EXPECT_FALSE(a->m_bPressed);
  EXPECT_EQ(book->m_nActiveSheet, 0);
  POINT again = tab_point(a);
  ::ScreenToClient(book->m_hWnd, &again);
  click(book->m_hWnd, again);
  pump();
  EXPECT_EQ(book->MDIGetActive(), a);

  // The tab below the active sheet is raised: its edge is 2 pixels further out.
  workbook::TabPoints raised, flat;
  ASSERT_TRUE(book->GetTabPolygon(a, raised));
  ASSERT_TRUE(book->GetTabPolygon(b, flat));
  EXPECT_EQ(raised[0].x, client_in_frame().left - 2);
  EXPECT_EQ(flat[0].x, client_in_frame().left + 90);

  // A hidden sheet takes no place: the ones after it move left by one tab.
  b->ShowWindow(SW_HIDE);
  pump();
  workbook::TabPoints moved;
  ASSERT_TRUE(book->GetTabPolygon(c, moved));
  EXPECT_EQ(moved[0].x, client_in_frame().left + 90);
  b->ShowWindow(SW_SHOW);
  pump();

  // The last to the front and back: every index is its tab place again.
  SECWorksheet* d = add_sheet("Obwieszczenie Marszałka Sejmu");
  ASSERT_TRUE(book->MoveSheet(d, 0));
  EXPECT_EQ(book->GetSheet(0), d);
  ASSERT_TRUE(book->MoveSheet(d, 3));
  for (int i = 0; i < book->GetSheetCount(); ++i) EXPECT_EQ(book->GetSheet(i)->m_nIndex, i);
  EXPECT_TRUE(book->MoveSheet(d, 99));  // clamped to the end
  EXPECT_EQ(book->GetSheet(3), d);
  EXPECT_FALSE(book->MoveSheet(nullptr, 0));
  int index = -1;
  EXPECT_TRUE(book->FindSheet(c, index));
  EXPECT_EQ(index, 2);
}

TEST_F(WorkbookTest, LongLabelsEndInDotsAndShowTheirTextAsTip) {
  SECWorksheet* short_one = add_sheet("Kodeks");
  SECWorksheet* long_one = add_sheet("Ustawa o zmianie ustawy o podatku dochodowym od osób fizycznych");
  pump();
  EXPECT_TRUE(book->LabelFitsTab(short_one));
  EXPECT_FALSE(book->LabelFitsTab(long_one));
  workbook::TabPoints p;
  ASSERT_TRUE(book->GetTabPolygon(short_one, p));
  TOOLINFO info;
  EXPECT_EQ(book->OnToolHitTest(CPoint((p[0].x + p[5].x) / 2, p[0].y + 8), &info), -1);
  ASSERT_TRUE(book->GetTabPolygon(long_one, p));
  const INT_PTR tool = book->OnToolHitTest(CPoint((p[0].x + p[5].x) / 2, p[0].y + 8), &info);
  EXPECT_EQ(tool, 2);
  EXPECT_EQ(CString(info.lpszText), long_one->GetLabel());
  EXPECT_NE(book->GetTabTips(), nullptr);
  save("workbook_long_label.png");
}

TEST_F(WorkbookTest, LastSheetGoneKeepsTheWidthAndTheBandIsPainted) {
  SECWorksheet* a = add_sheet("Ąę");
  SECWorksheet* b = add_sheet("Łó");
  const int width = book->GetTabWidth();
  a->DestroyWindow();
  pump();
  EXPECT_EQ(book->GetSheetCount(), 1);
  EXPECT_EQ(b->m_nIndex, 0);
  b->DestroyWindow();
  pump();
  EXPECT_EQ(book->GetSheetCount(), 0);
  EXPECT_EQ(book->GetTabWidth(), width);
  // The band below the client is the button face.
  const CRect client = client_in_frame();
  book->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(surface_pixel(book->m_hWnd, client.left + 40, client.bottom + 20), ::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF);
}

TEST_F(WorkbookTest, BackgroundNameIsALinkOnlyWhereNoFrameLiesOverIt) {
  SECWorkbookClient* client = book->GetWorkbookClient();
  ASSERT_NE(client, nullptr);
  client->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  pump();
  const CRect hot = client->GetHotRect();
  ASSERT_FALSE(hot.IsRectEmpty());
  // The embossed name: some of its pixels are not the background.
  int marked = 0;
  for (int x = hot.left; x < hot.right; ++x) {
    if (surface_pixel(client->m_hWnd, x, hot.CenterPoint().y) != (::GetSysColor(COLOR_BACKGROUND) & 0xFFFFFF)) ++marked;
  }
  EXPECT_GT(marked, 10);
  save("workbook_name.png");
  std::vector<CString> opened;
  shell::set_url_opener([&](const CString& url) {
    opened.push_back(url);
    return true;
  });
  const POINT at{hot.CenterPoint().x, hot.CenterPoint().y};
  // No address: a click does nothing.
  click(client->m_hWnd, at);
  pump();
  EXPECT_TRUE(opened.empty());
  client->m_strLinkAddress = "https://example.org/lumokal";
  mouse_move(screen_point(client->m_hWnd, at));
  pump();
  EXPECT_EQ(::GetCapture(), client->m_hWnd);
  click(client->m_hWnd, at);
  pump();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], CString("https://example.org/lumokal"));
  mouse_move(screen_point(client->m_hWnd, {5, 5}));
  pump();
  EXPECT_NE(::GetCapture(), client->m_hWnd);

  // A sheet restored over the name: the mouse stays with the sheet.
  SECWorksheet* sheet = add_sheet("Kodeks cywilny", SW_SHOWNORMAL);
  CRect over(hot);
  client->ClientToScreen(&over);
  ::MapWindowPoints(nullptr, client->m_hWnd, reinterpret_cast<POINT*>(&over), 2);
  sheet->MoveWindow(over.left - 20, over.top - 20, over.Width() + 40, over.Height() + 40);
  pump();
  mouse_move(screen_point(client->m_hWnd, at));
  pump();
  EXPECT_NE(::GetCapture(), client->m_hWnd);
  shell::set_url_opener(nullptr);
  save("workbook_background.png");
}

TEST_F(WorkbookTest, BarFloatedInsideTheMainWindowIsASheetWithItsTitle) {
  ActsBar bar;
  ASSERT_TRUE(bar.Create(book, cp("Spisy: ąęłóśżźćń"), kAppBarStyle, kAppExStyle, 0xE910));
  bar.EnableDocking(CBRS_ALIGN_ANY);
  book->DockControlBarSized(&bar, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 200);
  add_sheet("Kodeks karny");
  book->FloatControlBarInMDIChild(&bar, -1, -1, CBRS_ALIGN_TOP);
  pump();
  auto* sheet = dynamic_cast<SECControlBarWorksheet*>(bar.GetMDIChildFrame());
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(book->GetSheetCount(), 2);
  EXPECT_EQ(sheet->GetLabel(), cp("Spisy: ąęłóśżźćń"));
  // Its place goes to the bar when it moves.
  sheet->MoveWindow(60, 40, 300, 200);
  pump();
  CRect rect;
  sheet->GetWindowRect(&rect);
  EXPECT_EQ(bar.m_ptMDIFloat, rect.TopLeft());
  save("workbook_bar_sheet.png");
  sheet->SendMessage(WM_CLOSE);
  pump();
  EXPECT_FALSE(bar.IsVisible());
}

}  // namespace
}  // namespace lumo::test
