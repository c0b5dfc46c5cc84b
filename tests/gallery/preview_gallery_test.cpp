// Print preview in an MDI child of a frame with a toolbar and a status bar: the strip's buttons in
// their states page by page, the page texts in the status line, and the frame's own bars out of
// the way until the preview ends.
#include <string>

#include "platform/framework/print_preview.h"
#include "platform/framework/status_bar.h"
#include "platform/framework/tool_bar.h"
#include "tests/framework/framework_fixture.h"
#include "tests/gallery/gallery.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

// A view of three pages, each with a black block and its number.
class ThreePagesView : public CView {
  DECLARE_DYNCREATE(ThreePagesView)

 public:
  void OnDraw(CDC*) override {}
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
    pInfo->SetMaxPage(3);
    return DoPreparePrinting(pInfo);
  }
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
    pDC->FillSolidRect(CRect(200, 200, 1200, 1200), RGB(0, 0, 0));
    CFont font;
    font.CreatePointFont(240, "Arial", pDC);
    CFont* old = pDC->SelectObject(&font);
    CString text;
    text.Format("Strona %u", pInfo->m_nCurPage);
    pDC->TextOut(200, 1400, text);
    pDC->SelectObject(old);
  }
};

IMPLEMENT_DYNCREATE(ThreePagesView, CView)

class PreviewGalleryTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    main = make_main_frame();
    ASSERT_TRUE(status.Create(main));
    const UINT panes[] = {ID_SEPARATOR};
    status.SetIndicators(panes, 1);
    ASSERT_TRUE(tools.Create(main, CBRS_TOP, AFX_IDW_TOOLBAR));
    main->RecalcLayout();
    auto owned = std::make_unique<CMultiDocTemplate>(IDR_TEST_DOC, RUNTIME_CLASS(TestDoc),
                                                     RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(ThreePagesView));
    CMultiDocTemplate* pages = owned.get();
    app->AddDocTemplate(owned.release());
    ASSERT_NE(pages->OpenDocumentFile(nullptr), nullptr);
    child = main->MDIGetActive();
    ASSERT_NE(child, nullptr);
    main->MDIMaximize(child);
    pump();
  }
  void TearDown() override {
    if (tools.m_hWnd) tools.DestroyWindow();
    if (status.m_hWnd) status.DestroyWindow();
    FrameworkTest::TearDown();
  }

  HWND strip_button(UINT id) const {
    CWnd* bar = child->GetDlgItem(int(AFX_IDW_PREVIEW_BAR));
    return bar ? ::GetDlgItem(bar->m_hWnd, int(id)) : nullptr;
  }
  void press(UINT id) {
    HWND button = strip_button(id);
    ASSERT_NE(button, nullptr);
    RECT r;
    ::GetClientRect(button, &r);
    click(button, POINT{r.right / 2, r.bottom / 2});
    pump();
  }
  std::string status_text() const { return utf8(status.GetPaneText(0)); }
  bool enabled(UINT id) const { return ::IsWindowEnabled(strip_button(id)) != FALSE; }

  CMDIFrameWnd* main = nullptr;
  CMDIChildWnd* child = nullptr;
  CStatusBar status;
  TestBar tools;
};

TEST_F(PreviewGalleryTest, StripStatesPageTextsAndTheFramesBars) {
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  pump();
  ASSERT_NE(strip_button(AFX_ID_PREVIEW_NEXT), nullptr);
  // The main frame's toolbar steps aside for the preview; its status line names the page.
  EXPECT_FALSE(tools.GetStyle() & WS_VISIBLE);
  EXPECT_TRUE(status.GetStyle() & WS_VISIBLE);
  EXPECT_EQ(status_text(), "Strona 1");
  EXPECT_TRUE(enabled(AFX_ID_PREVIEW_NEXT));
  EXPECT_FALSE(enabled(AFX_ID_PREVIEW_PREV));
  gallery::Picture(main->m_hWnd, "preview_page1");

  press(AFX_ID_PREVIEW_NEXT);
  EXPECT_EQ(status_text(), "Strona 2");
  EXPECT_TRUE(enabled(AFX_ID_PREVIEW_NEXT));
  EXPECT_TRUE(enabled(AFX_ID_PREVIEW_PREV));
  {
    gallery::Picture picture(main->m_hWnd, "preview_page2");
    // "Poprzednia strona" is drawn enabled: its label is dark, not grey.
    RECT prev = gallery::rect_in(strip_button(AFX_ID_PREVIEW_PREV), main->m_hWnd);
    prev = RECT{prev.left + 3, prev.top + 3, prev.right - 3, prev.bottom - 3};  // inside the edges
    EXPECT_GT(picture.dark(prev), 20);
  }

  press(AFX_ID_PREVIEW_NUMPAGE);
  EXPECT_EQ(status_text(), "Strony 2-3");
  EXPECT_FALSE(enabled(AFX_ID_PREVIEW_NEXT));
  EXPECT_TRUE(enabled(AFX_ID_PREVIEW_PREV));
  gallery::Picture(main->m_hWnd, "preview_two_pages");

  press(AFX_ID_PREVIEW_CLOSE);
  EXPECT_TRUE(tools.GetStyle() & WS_VISIBLE);
  EXPECT_EQ(child->GetDlgItem(int(AFX_IDW_PREVIEW_BAR)), nullptr);
}

}  // namespace
}  // namespace lumo::test
