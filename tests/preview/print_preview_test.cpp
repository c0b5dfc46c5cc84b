// Print preview of a two-page view in its MDI child frame: pages drawn through the view's own
// printing steps, the strip's buttons, and the frame given back on Close.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/framework/print_preview.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

// A view of two pages; each page has a black block in its own quarter of the paper (printer
// pixels of A4 at 300 dots per inch) and records the printing steps it is asked for.
class PagesView : public CView {
  DECLARE_DYNCREATE(PagesView)

 public:
  static std::vector<std::string> steps;
  static bool decline;  // OnPreparePrinting says no
  static CRect Block(UINT page) {
    return page == 1 ? CRect(200, 200, 1200, 1200) : CRect(1280, 2300, 2280, 3300);
  }

  void OnDraw(CDC*) override {}
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
    steps.push_back(pInfo->m_bPreview ? "prepare preview" : "prepare");
    pInfo->SetMaxPage(2);
    return !decline && DoPreparePrinting(pInfo);
  }
  void OnBeginPrinting(CDC*, CPrintInfo*) override { steps.push_back("begin"); }
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
    steps.push_back("print " + std::to_string(pInfo->m_nCurPage));
    pDC->FillSolidRect(Block(pInfo->m_nCurPage), RGB(0, 0, 0));
    CFont font;
    font.CreatePointFont(240, "Arial", pDC);
    CFont* old = pDC->SelectObject(&font);
    CString text;
    text.Format("Strona %u", pInfo->m_nCurPage);
    pDC->TextOut(200, 1400, text);
    pDC->SelectObject(old);
  }
  void OnEndPrinting(CDC*, CPrintInfo*) override { steps.push_back("end"); }
  void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView) override {
    steps.push_back("end preview");
    CView::OnEndPrintPreview(pDC, pInfo, point, pView);
  }
};

IMPLEMENT_DYNCREATE(PagesView, CView)
std::vector<std::string> PagesView::steps;
bool PagesView::decline = false;

class PrintPreviewTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    PagesView::steps.clear();
    PagesView::decline = false;
    main = make_main_frame();
    auto owned = std::make_unique<CMultiDocTemplate>(IDR_TEST_DOC, RUNTIME_CLASS(TestDoc),
                                                     RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(PagesView));
    pages_template = owned.get();
    app->AddDocTemplate(owned.release());
    ASSERT_NE(pages_template->OpenDocumentFile(nullptr), nullptr);
    child = main->MDIGetActive();
    ASSERT_NE(child, nullptr);
    child->MoveWindow(0, 0, 700, 500);
    view = child->GetActiveView();
    ASSERT_NE(view, nullptr);
    pump();
  }

  CPreviewView* preview() const {
    CWnd* pane = child->GetDlgItem(int(AFX_IDW_PANE_FIRST));
    return pane && pane->IsKindOf(RUNTIME_CLASS(CPreviewView)) ? static_cast<CPreviewView*>(pane) : nullptr;
  }

  // Presses a button of the preview strip as the user does.
  void press(UINT id) {
    CWnd* bar = child->GetDlgItem(int(AFX_IDW_PREVIEW_BAR));
    ASSERT_NE(bar, nullptr);
    HWND button = ::GetDlgItem(bar->m_hWnd, int(id));
    ASSERT_NE(button, nullptr);
    RECT r;
    ::GetClientRect(button, &r);
    click(button, POINT{r.right / 2, r.bottom / 2});
    pump();
  }

  // Whether the preview shows the block of `page` inside its `index`th page box.
  bool shows_block(UINT page, size_t index) {
    std::vector<CRect> boxes = preview()->PageRects();
    if (index >= boxes.size()) return false;
    const CRect& box = boxes[index];
    CPoint centre = PagesView::Block(page).CenterPoint();
    int x = box.left + centre.x * box.Width() / preview()->Page().width;
    int y = box.top + centre.y * box.Height() / preview()->Page().height;
    return surface_pixel(preview()->m_hWnd, x, y) == RGB(0, 0, 0);
  }

  size_t count(const std::string& step) const {
    return size_t(std::count(PagesView::steps.begin(), PagesView::steps.end(), step));
  }

  CMDIFrameWnd* main = nullptr;
  CMultiDocTemplate* pages_template = nullptr;
  CMDIChildWnd* child = nullptr;
  CView* view = nullptr;
};

TEST_F(PrintPreviewTest, ShowsPageOneThenPageTwoWithNext) {
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  pump();
  ASSERT_NE(preview(), nullptr);
  EXPECT_EQ(child->GetActiveView(), preview());
  EXPECT_FALSE(view->GetStyle() & WS_VISIBLE);
  EXPECT_EQ(preview()->GetCurrentPage(), 1u);
  EXPECT_TRUE(shows_block(1, 0));
  EXPECT_FALSE(shows_block(2, 0));

  press(AFX_ID_PREVIEW_NEXT);
  EXPECT_EQ(preview()->GetCurrentPage(), 2u);
  EXPECT_TRUE(shows_block(2, 0));
  EXPECT_FALSE(shows_block(1, 0));
  // Past the last page there is nowhere to go.
  press(AFX_ID_PREVIEW_NEXT);
  EXPECT_EQ(preview()->GetCurrentPage(), 2u);
  press(AFX_ID_PREVIEW_PREV);
  EXPECT_EQ(preview()->GetCurrentPage(), 1u);
  EXPECT_TRUE(save_surface_png(preview()->m_hWnd, temp_path("podglad.png")));
}

TEST_F(PrintPreviewTest, TwoPagesShowBothAndTheButtonSwitchesBack) {
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  pump();
  ASSERT_NE(preview(), nullptr);
  CWnd* bar = child->GetDlgItem(int(AFX_IDW_PREVIEW_BAR));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(utf8(CString(GetWindowTextString(::GetDlgItem(bar->m_hWnd, int(AFX_ID_PREVIEW_NUMPAGE))))),
            "Dwie strony");
  press(AFX_ID_PREVIEW_NUMPAGE);
  ASSERT_EQ(preview()->PageRects().size(), 2u);
  EXPECT_TRUE(shows_block(1, 0));
  EXPECT_TRUE(shows_block(2, 1));
  EXPECT_EQ(utf8(CString(GetWindowTextString(::GetDlgItem(bar->m_hWnd, int(AFX_ID_PREVIEW_NUMPAGE))))),
            "Jedna strona");
  // Both pages shown: no next page.
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(bar->m_hWnd, int(AFX_ID_PREVIEW_NEXT))));
  press(AFX_ID_PREVIEW_NUMPAGE);
  EXPECT_EQ(preview()->PageRects().size(), 1u);
}

TEST_F(PrintPreviewTest, ZoomEnlargesThePageAndScrollsIt) {
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  pump();
  ASSERT_NE(preview(), nullptr);
  CRect fitted = preview()->PageRects().at(0);
  press(AFX_ID_PREVIEW_ZOOMIN);
  press(AFX_ID_PREVIEW_ZOOMIN);
  // Full size: A4 at the screen's 96 dots per inch.
  CRect full = preview()->PageRects().at(0);
  EXPECT_EQ(full.Height(), 1123);
  EXPECT_TRUE(preview()->GetStyle() & WS_VSCROLL);
  preview()->ScrollToPosition(CPoint(0, 100));
  pump();
  EXPECT_EQ(preview()->PageRects().at(0).top, full.top - 100);
  EXPECT_TRUE(shows_block(1, 0));
  press(AFX_ID_PREVIEW_ZOOMOUT);
  press(AFX_ID_PREVIEW_ZOOMOUT);
  EXPECT_EQ(preview()->PageRects().at(0), fitted);
}

TEST_F(PrintPreviewTest, CloseGivesTheFrameItsViewBack) {
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  pump();
  ASSERT_NE(preview(), nullptr);
  press(AFX_ID_PREVIEW_CLOSE);
  EXPECT_EQ(preview(), nullptr);
  EXPECT_EQ(child->GetDlgItem(int(AFX_IDW_PANE_FIRST)), view);
  EXPECT_TRUE(view->GetStyle() & WS_VISIBLE);
  EXPECT_EQ(child->GetActiveView(), view);
  EXPECT_EQ(child->GetDlgItem(int(AFX_IDW_PREVIEW_BAR)), nullptr);
  CRect client, pane;
  child->GetClientRect(&client);
  view->GetWindowRect(&pane);
  EXPECT_EQ(pane.Width(), client.Width());
  // Preparation, begin, pages, then the end of the preview which ends printing once.
  ASSERT_GE(PagesView::steps.size(), 5u);
  EXPECT_EQ(PagesView::steps[0], "prepare preview");
  EXPECT_EQ(PagesView::steps[1], "begin");
  EXPECT_EQ(PagesView::steps[2], "print 1");
  EXPECT_EQ(PagesView::steps[PagesView::steps.size() - 2], "end preview");
  EXPECT_EQ(PagesView::steps.back(), "end");
  EXPECT_EQ(count("end"), 1u);
  // Another preview can start afterwards.
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  pump();
  EXPECT_NE(preview(), nullptr);
}

// The frame's bars make room for the strip, all but the status bar, which names the pages.
TEST_F(PrintPreviewTest, BarsStepAsideAndTheStatusLineNamesThePages) {
  TestBar tools, status;
  ASSERT_TRUE(tools.Create(child, CBRS_TOP, AFX_IDW_TOOLBAR));
  ASSERT_TRUE(status.Create(child, CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
  child->RecalcLayout();
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  pump();
  ASSERT_NE(preview(), nullptr);
  EXPECT_FALSE(tools.GetStyle() & WS_VISIBLE);
  EXPECT_TRUE(status.GetStyle() & WS_VISIBLE);
  EXPECT_EQ(utf8(CString(GetWindowTextString(status.m_hWnd))), "Strona 1");
  press(AFX_ID_PREVIEW_NUMPAGE);
  EXPECT_EQ(utf8(CString(GetWindowTextString(status.m_hWnd))), "Strony 1-2");
  press(AFX_ID_PREVIEW_CLOSE);
  EXPECT_TRUE(tools.GetStyle() & WS_VISIBLE);
  EXPECT_TRUE(status.GetStyle() & WS_VISIBLE);
  CRect bar, pane;
  tools.GetWindowRect(&bar);
  view->GetWindowRect(&pane);
  EXPECT_EQ(pane.top, bar.bottom);
}

TEST_F(PrintPreviewTest, AViewThatDeclinesToPrintKeepsItsFrameAsItWas) {
  PagesView::decline = true;
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  pump();
  EXPECT_EQ(preview(), nullptr);
  EXPECT_EQ(child->GetDlgItem(int(AFX_IDW_PANE_FIRST)), view);
  EXPECT_TRUE(view->GetStyle() & WS_VISIBLE);
  EXPECT_EQ(child->GetActiveView(), view);
  EXPECT_EQ(child->GetDlgItem(int(AFX_IDW_PREVIEW_BAR)), nullptr);
  EXPECT_EQ(count("begin"), 0u);
  EXPECT_EQ(count("end"), 0u);
}

TEST_F(PrintPreviewTest, PrintButtonClosesThePreviewAndPrintsTheView) {
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  pump();
  press(AFX_ID_PREVIEW_PRINT);
  pump();
  EXPECT_EQ(preview(), nullptr);
  EXPECT_EQ(child->GetActiveView(), view);
  // The view is asked to print for real (the printer question is cancelled here).
  EXPECT_EQ(PagesView::steps.back(), "prepare");
}

TEST_F(PrintPreviewTest, ClosingTheFrameDuringPreviewEndsPrintingOnce) {
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  pump();
  ASSERT_NE(preview(), nullptr);
  // A second preview command while previewing changes nothing.
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  pump();
  EXPECT_EQ(count("begin"), 1u);
  child->SendMessage(WM_CLOSE);
  pump();
  EXPECT_EQ(main->MDIGetActive(), nullptr);
  EXPECT_EQ(count("end"), 1u);
}

}  // namespace
}  // namespace lumo::test
