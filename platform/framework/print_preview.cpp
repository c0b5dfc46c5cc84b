#include "platform/framework/print_preview.h"

#include <algorithm>

#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/framework/control_bar.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/frame_wnd.h"
#include "platform/gdi/core/mul_div.h"
#include "platform/res/resource_store.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/window_dc.h"

namespace {

// Layout of the page boxes in the preview window, in screen pixels.
constexpr int kMargin = 8;
constexpr int kGap = 8;
constexpr int kShadow = 3;
constexpr int kScreenDpi = 96;

// The strip's buttons in order, with the framework's own labels (UTF-8).
struct StripButton {
  UINT id;
  const char* label;
};
constexpr StripButton kStripButtons[] = {
    {AFX_ID_PREVIEW_PRINT, "Drukuj..."},
    {AFX_ID_PREVIEW_NEXT, "Następna strona"},
    {AFX_ID_PREVIEW_PREV, "Poprzednia strona"},
    {AFX_ID_PREVIEW_NUMPAGE, "Dwie strony"},
    {AFX_ID_PREVIEW_ZOOMIN, "Powiększ"},
    {AFX_ID_PREVIEW_ZOOMOUT, "Pomniejsz"},
    {AFX_ID_PREVIEW_CLOSE, "Zamknij"},
};
constexpr int kButtonHeight = 22;
constexpr int kStripHeight = kButtonHeight + 8;

// The strip along the top of a previewing frame. Its buttons come from the dialog template
// `nIDResource` when the program has one, else from the framework's own list; their clicks go to
// the frame as commands (so to the preview, its active view), and idle update-UI enables them
// and names the page-count button.
class CPreviewBar : public CControlBar {
 public:
  BOOL Create(CFrameWnd* frame, UINT nIDResource) {
    m_dwStyle = CBRS_TOP | CBRS_BORDER_BOTTOM;
    m_bAutoDelete = TRUE;
    if (!CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), frame,
                      AFX_IDW_PREVIEW_BAR)) {
      return FALSE;
    }
    if (const res::DialogResource* t = res::find_dialog(nIDResource)) return CreateDialogControls(m_hWnd, *t);
    int x = 6;
    for (const StripButton& b : kStripButtons) {
      CString label(base::cp1250::from_utf8(b.label));
      int width = std::max(64, label.GetLength() * 7 + 16);
      HWND button = CreateWindowEx(0, "Button", label, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, 4, width,
                                   kButtonHeight, m_hWnd, reinterpret_cast<HMENU>(std::uintptr_t(b.id)), nullptr);
      if (!button) return FALSE;
      x += width + 4;
    }
    return TRUE;
  }

  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override {
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      CCmdUI state;
      state.m_nID = UINT(::GetDlgCtrlID(child));
      state.m_pOther = CWnd::FromHandle(child);
      state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
  }

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override {
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    size.cy = kStripHeight;
    return size;
  }

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (lParam && HIWORD(wParam) == BN_CLICKED && m_pDockSite) {
      m_pDockSite->SendMessage(WM_COMMAND, MAKEWPARAM(LOWORD(wParam), 0), 0);
      return TRUE;
    }
    return CControlBar::OnCommand(wParam, lParam);
  }
};

// The frame whose status line names the pages: the main window's, else the preview's own.
CFrameWnd* main_frame_of(CView* view) {
  CWnd* main = AfxGetMainWnd();
  if (main && main->m_hWnd && main->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(main);
  return view->GetParentFrame();
}

// A preview in a child frame takes the main frame's bars away too (all but the status bar, which
// names the pages), so that nothing but the strip offers commands; they come back with the
// child's bars when the preview ends.
void hide_main_frame_bars(CFrameWnd* frame, CPrintPreviewState* state) {
  CWnd* main = AfxGetMainWnd();
  if (!main || main == frame || !main->m_hWnd || !main->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return;
  auto* main_frame = static_cast<CFrameWnd*>(main);
  for (CControlBar* bar : main_frame->m_listControlBars) {
    if (bar->m_hWnd && (bar->GetStyle() & WS_VISIBLE) && UINT(bar->GetDlgCtrlID()) != AFX_IDW_STATUS_BAR) {
      bar->ShowWindow(SW_HIDE);
      state->hiddenBars.push_back(bar->m_hWnd);
    }
  }
  main_frame->RecalcLayout();
}

void relayout_main_frame(CFrameWnd* frame) {
  CWnd* main = AfxGetMainWnd();
  if (main && main != frame && main->m_hWnd && main->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    static_cast<CFrameWnd*>(main)->RecalcLayout();
  }
}

// Takes the preview out of its frame: the frame gets its view and bars back, the preview and its
// strip go, the view that was active is active again, and the status line has its idle text.
void end_preview(CPreviewView* preview) {
  CFrameWnd* status = main_frame_of(preview);
  if (status) status->SetMessageText(AFX_IDS_IDLEMESSAGE);
  CFrameWnd* frame = preview->GetParentFrame();
  std::unique_ptr<CPrintPreviewState> state = std::move(preview->m_pPreviewState);
  CView* old = state ? state->pViewActiveOld : nullptr;
  if (frame) frame->SetActiveView(nullptr, FALSE);
  preview->DestroyWindow();
  if (!frame || !state) return;
  frame->OnSetPreviewMode(FALSE, state.get());
  if (old && old->m_hWnd) frame->SetActiveView(old);
  frame->RecalcLayout();
  relayout_main_frame(frame);
  frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace

namespace framework {

PreviewPage preview_page_of(const DEVMODE* mode) {
  DEVMODE defaults;
  const DEVMODE& m = mode ? *mode : defaults;
  PreviewPage page;
  int dpi = m.dmPrintQuality > 0 ? m.dmPrintQuality : 300;
  int width = m.dmPaperWidth > 0 ? m.dmPaperWidth : 2100;
  int length = m.dmPaperLength > 0 ? m.dmPaperLength : 2970;
  if (m.dmOrientation == DMORIENT_LANDSCAPE) std::swap(width, length);
  // Paper in tenths of a millimetre: 254 of them to the inch.
  page.width = MulDiv(width, dpi, 254);
  page.height = MulDiv(length, dpi, 254);
  page.dpi_x = page.dpi_y = dpi;
  return page;
}

PreviewPage preview_page_of_selection() {
  CWinApp* app = AfxGetApp();
  if (!app) return preview_page_of(nullptr);
  app->UpdatePrinterSelection(FALSE);
  return preview_page_of(app->m_hDevMode.get());
}

}  // namespace framework

// --- The frame in preview ---------------------------------------------------------------------------

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
  if (bPreview) {
    pState->hiddenBars.clear();
    // The status bar stays: it names the pages shown.
    for (CControlBar* bar : m_listControlBars) {
      if (bar->m_hWnd && (bar->GetStyle() & WS_VISIBLE) && UINT(bar->GetDlgCtrlID()) != AFX_IDW_STATUS_BAR) {
        bar->ShowWindow(SW_HIDE);
        pState->hiddenBars.push_back(bar->m_hWnd);
      }
    }
    if (CWnd* pane = GetDlgItem(int(pState->nIDMainPane))) {
      pane->ShowWindow(SW_HIDE);
      pane->SetDlgCtrlID(int(AFX_IDW_PANE_SAVE));
    }
  } else {
    if (CWnd* pane = GetDlgItem(int(AFX_IDW_PANE_SAVE))) {
      pane->SetDlgCtrlID(int(pState->nIDMainPane));
      pane->ShowWindow(SW_SHOW);
    }
    for (HWND bar : pState->hiddenBars) {
      if (::IsWindow(bar)) ::ShowWindow(bar, SW_SHOWNA);
    }
    pState->hiddenBars.clear();
  }
  RecalcLayout();
}

// --- The view's preview entry points ------------------------------------------------------------------

BOOL CView::DoPrintPreview(UINT nIDResource, CView* pPrintView, const CRuntimeClass* pPreviewViewClass,
                           std::unique_ptr<CPrintPreviewState> pState) {
  CFrameWnd* frame = GetParentFrame();
  // One preview at a time: neither a preview nor a frame already previewing starts another.
  if (!frame || !pPrintView || !pPreviewViewClass || !pState || IsKindOf(RUNTIME_CLASS(CPreviewView)) ||
      frame->GetDlgItem(int(AFX_IDW_PANE_SAVE))) {
    return FALSE;
  }
  pState->pViewActiveOld = frame->GetActiveView();
  frame->OnSetPreviewMode(TRUE, pState.get());
  hide_main_frame_bars(frame, pState.get());
  CCreateContext context;
  context.m_pNewViewClass = pPreviewViewClass;
  context.m_pLastView = this;
  context.m_pCurrentFrame = frame;
  CWnd* made = frame->CreateView(&context, AFX_IDW_PANE_FIRST);
  if (!made || !made->IsKindOf(RUNTIME_CLASS(CPreviewView))) {
    if (made) made->DestroyWindow();
    frame->OnSetPreviewMode(FALSE, pState.get());
    relayout_main_frame(frame);
    return FALSE;
  }
  auto* preview = static_cast<CPreviewView*>(made);
  preview->m_pOrigView = this;
  preview->m_pPreviewState = std::move(pState);
  auto bar = std::make_unique<CPreviewBar>();
  if (bar->Create(frame, nIDResource)) {
    preview->m_pToolBar = bar.release();
  } else if (bar->m_hWnd) {
    bar.release()->DestroyWindow();
  }
  if (!preview->SetPrintView(pPrintView)) {
    end_preview(preview);
    return FALSE;
  }
  frame->SetActiveView(preview);
  frame->RecalcLayout();
  preview->UpdateScrollSizes();
  preview->Invalidate();
  frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  frame->UpdateWindow();
  return TRUE;
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pView) {
  OnEndPrinting(pDC, pInfo);
  pView->m_bPrinting = false;
  end_preview(pView);
}

// --- The preview view ---------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CPreviewView, CScrollView)

BEGIN_MESSAGE_MAP(CPreviewView, CScrollView)
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
  ON_WM_DESTROY()
  ON_COMMAND(AFX_ID_PREVIEW_CLOSE, &CPreviewView::OnPreviewClose)
  ON_COMMAND(AFX_ID_PREVIEW_PRINT, &CPreviewView::OnPreviewPrint)
  // Printing from the preview prints the previewed view, not the preview.
  ON_COMMAND(ID_FILE_PRINT, &CPreviewView::OnPreviewPrint)
  ON_COMMAND(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnNextPage)
  ON_COMMAND(AFX_ID_PREVIEW_PREV, &CPreviewView::OnPrevPage)
  ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, &CPreviewView::OnNumPageChange)
  ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, &CPreviewView::OnZoomIn)
  ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, &CPreviewView::OnZoomOut)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnUpdateNextPage)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, &CPreviewView::OnUpdatePrevPage)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, &CPreviewView::OnUpdateNumPageChange)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, &CPreviewView::OnUpdateZoomIn)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, &CPreviewView::OnUpdateZoomOut)
END_MESSAGE_MAP()

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView() {
  if (m_attribDC && m_attribDC->GetSafeHdc()) ::DeleteDC(m_attribDC->Detach());
  if (m_attribTarget) ::DeleteDC(m_attribTarget);
}

BOOL CPreviewView::SetPrintView(CView* pPrintView) {
  m_pPrintView = pPrintView;
  m_hPrintView = pPrintView->m_hWnd;
  m_info = std::make_unique<CPrintInfo>();
  m_pPreviewInfo = m_info.get();
  m_info->m_bPreview = TRUE;
  if (!pPrintView->OnPreparePrinting(m_info.get())) return FALSE;
  const DEVMODE* mode = m_info->m_pPD->GetDevMode();
  m_page = mode ? framework::preview_page_of(mode) : framework::preview_page_of_selection();
  // The context of the begin and end steps answers as the printer; what is drawn into it lands
  // on a one-pixel page of a memory context and is never shown.
  m_attribTarget = ::CreateCompatibleDC(nullptr);
  HDC attrib = framework::create_preview_dc(m_attribTarget, m_page, RECT{0, 0, 1, 1});
  if (!attrib) return FALSE;
  m_attribDC = std::make_unique<CDC>();
  m_attribDC->Attach(attrib);
  m_attribDC->m_bPrinting = TRUE;
  m_pPreviewDC = m_attribDC.get();
  m_nPages = std::clamp<UINT>(m_info->m_nNumPreviewPages, 1, 2);
  pPrintView->OnBeginPrinting(m_pPreviewDC, m_info.get());
  m_bPrinting = true;
  SetCurrentPage(m_info->m_nCurPage, TRUE);
  return TRUE;
}

UINT CPreviewView::LastPage() const {
  UINT last = m_info ? std::max(m_info->GetMaxPage(), m_info->GetMinPage()) : 1;
  if (m_nEndPage) last = std::min(last, m_nEndPage - 1);
  return last;
}

void CPreviewView::SetCurrentPage(UINT nPage, BOOL) {
  if (!m_info) return;
  UINT first = m_info->GetMinPage();
  m_nCurrentPage = std::clamp(nPage, first, std::max(first, LastPage()));
  Invalidate();
  ShowPageNumber();
}

void CPreviewView::ShowPageNumber() {
  CFrameWnd* frame = main_frame_of(this);
  if (!frame || !m_info) return;
  // The description's first line names one page, its second line two.
  CString description = m_info->m_strPageDesc;
  int end_of_one = description.Find('\n');
  CString format = description.Left(end_of_one >= 0 ? end_of_one : description.GetLength());
  if (PageRects().size() > 1 && end_of_one >= 0) {
    format = description.Mid(end_of_one + 1);
    int end_of_two = format.Find('\n');
    if (end_of_two >= 0) format = format.Left(end_of_two);
  }
  CString text;
  text.Format(format.GetString(), m_nCurrentPage, m_nCurrentPage + 1);
  frame->SetMessageText(text);
}

void CPreviewView::SetZoomState(UINT nZoomState) {
  m_nZoomState = std::min<UINT>(nZoomState, ZOOM_IN);
  UpdateScrollSizes();
  Invalidate();
}

// Whether the print view has page `nPage`: within its range and not refused by its OnPrepareDC
// (the view that does not know its page count stops there). The first refused page is kept.
static bool page_exists(CPreviewView& preview, CPrintInfo& info, UINT nPage, UINT& end_page,
                        CDC* attrib) {
  if (nPage < info.GetMinPage() || nPage > info.GetMaxPage() || (end_page && nPage >= end_page)) {
    return false;
  }
  if (!preview.m_pPrintView || !attrib) return false;
  int saved = attrib->SaveDC();
  info.m_nCurPage = nPage;
  info.m_bContinuePrinting = TRUE;
  preview.m_pPrintView->OnPrepareDC(attrib, &info);
  attrib->RestoreDC(saved);
  if (!info.m_bContinuePrinting) {
    end_page = end_page ? std::min(end_page, nPage) : nPage;
    return false;
  }
  return true;
}

CSize CPreviewView::PageBoxSize() const {
  CRect client;
  GetClientRect(&client);
  // Zoomed out, the pages fit the window; zoomed in, half and then full size on the screen.
  int avail_w = std::max(1, (client.Width() - 2 * kMargin - int(m_nPages - 1) * kGap) / int(m_nPages));
  int avail_h = std::max(1, client.Height() - 2 * kMargin);
  int fit_h = std::min(avail_h, MulDiv(avail_w, m_page.height, m_page.width));
  int actual_h = MulDiv(m_page.height, kScreenDpi, m_page.dpi_y);
  int page_h = fit_h;
  if (m_nZoomState == ZOOM_MIDDLE) page_h = std::max(fit_h, actual_h / 2);
  if (m_nZoomState == ZOOM_IN) page_h = std::max(fit_h, actual_h);
  page_h = std::max(page_h, 1);
  return CSize(std::max(1, MulDiv(page_h, m_page.width, m_page.height)), page_h);
}

std::vector<CRect> CPreviewView::PageRects() {
  std::vector<CRect> rects;
  if (!m_info || !m_hWnd) return rects;
  UINT shown = 0;
  for (UINT i = 0; i < m_nPages; ++i) {
    if (!page_exists(*this, *m_info, m_nCurrentPage + i, m_nEndPage, m_pPreviewDC)) break;
    ++shown;
  }
  CRect client;
  GetClientRect(&client);
  CSize box = PageBoxSize();
  int total_w = int(m_nPages) * box.cx + int(m_nPages - 1) * kGap;
  CPoint scroll = GetDeviceScrollPosition();
  int left = std::max(kMargin, (client.Width() - total_w) / 2) - scroll.x;
  int top = std::max(kMargin, (client.Height() - box.cy) / 2) - scroll.y;
  for (UINT i = 0; i < shown; ++i) {
    int x = left + int(i) * (box.cx + kGap);
    rects.emplace_back(x, top, x + box.cx, top + box.cy);
  }
  return rects;
}

void CPreviewView::UpdateScrollSizes() {
  if (!m_hWnd || !m_info) return;
  // The pages with their margins; no larger than the window when they fit it.
  CSize box = PageBoxSize();
  SetScrollSizes(MM_TEXT, CSize(int(m_nPages) * box.cx + int(m_nPages - 1) * kGap + 2 * kMargin,
                                box.cy + 2 * kMargin));
}

BOOL CPreviewView::DrawPage(CDC* pDC, UINT nPage, const CRect& on_screen) {
  HDC h = framework::create_preview_dc(pDC->GetSafeHdc(), m_page, on_screen);
  if (!h) return FALSE;
  CDC dc;
  dc.Attach(h);
  dc.m_bPrinting = TRUE;
  CPrintInfo& info = *m_info;
  info.m_nCurPage = nPage;
  info.m_bContinuePrinting = TRUE;
  m_pPrintView->OnPrepareDC(&dc, &info);
  BOOL drawn = info.m_bContinuePrinting;
  if (drawn) {
    info.m_rectDraw.SetRect(0, 0, m_page.width, m_page.height);
    dc.DPtoLP(&info.m_rectDraw);
    m_pPrintView->OnPrint(&dc, &info);
  }
  ::DeleteDC(dc.Detach());
  return drawn;
}

void CPreviewView::OnDraw(CDC* pDC) {
  // Pages are placed in window pixels; the scroll position is already in their rectangles.
  pDC->SetMapMode(MM_TEXT);
  pDC->SetViewportOrg(0, 0);
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, ::GetSysColor(COLOR_APPWORKSPACE));
  if (!m_bPrinting || !m_pPrintView || !::IsWindow(m_hPrintView)) return;
  std::vector<CRect> pages = PageRects();
  for (size_t i = 0; i < pages.size(); ++i) {
    CRect page = pages[i];
    CRect shadow = page;
    shadow.OffsetRect(kShadow, kShadow);
    pDC->FillSolidRect(&shadow, RGB(64, 64, 64));
    pDC->FillSolidRect(&page, RGB(255, 255, 255));
    int saved = pDC->SaveDC();
    DrawPage(pDC, m_nCurrentPage + UINT(i), page);
    pDC->RestoreDC(saved);
    CBrush frame(RGB(0, 0, 0));
    pDC->FrameRect(&page, &frame);
  }
}

BOOL CPreviewView::OnEraseBkgnd(CDC*) { return TRUE; }

void CPreviewView::OnSize(UINT nType, int cx, int cy) {
  CScrollView::OnSize(nType, cx, cy);
  UpdateScrollSizes();
  Invalidate();
}

void CPreviewView::EndPrinting() {
  if (!m_bPrinting) return;
  m_bPrinting = false;
  // The printed view may have gone first when the whole frame closes.
  if (m_pPrintView && ::IsWindow(m_hPrintView) && CWnd::FromHandlePermanent(m_hPrintView) == m_pPrintView) {
    m_pPrintView->OnEndPrinting(m_pPreviewDC, m_info.get());
  }
}

void CPreviewView::OnDestroy() {
  // Closing the frame while it previews still ends printing, and the strip goes with the preview.
  EndPrinting();
  if (m_pToolBar && m_pToolBar->m_hWnd) m_pToolBar->DestroyWindow();
  m_pToolBar = nullptr;
  CScrollView::OnDestroy();
}

void CPreviewView::OnPreviewClose() {
  CView* view = m_pOrigView;
  if (view && m_bPrinting && ::IsWindow(m_hPrintView)) {
    view->OnEndPrintPreview(m_pPreviewDC, m_info.get(), POINT{0, 0}, this);
  } else {
    EndPrinting();
    end_preview(this);
  }
}

void CPreviewView::OnPreviewPrint() {
  HWND view = m_pOrigView ? m_pOrigView->m_hWnd : nullptr;
  OnPreviewClose();
  if (view && ::IsWindow(view)) ::PostMessage(view, WM_COMMAND, ID_FILE_PRINT, 0);
}

void CPreviewView::OnNextPage() { SetCurrentPage(m_nCurrentPage + 1, TRUE); }
void CPreviewView::OnPrevPage() {
  if (m_info && m_nCurrentPage > m_info->GetMinPage()) SetCurrentPage(m_nCurrentPage - 1, TRUE);
}

void CPreviewView::OnNumPageChange() {
  m_nPages = m_nPages == 1 ? 2 : 1;
  if (CWinApp* app = AfxGetApp()) app->m_nNumPreviewPages = m_nPages;
  UpdateScrollSizes();
  Invalidate();
  ShowPageNumber();
}

void CPreviewView::OnZoomIn() {
  if (m_nZoomState < ZOOM_IN) SetZoomState(m_nZoomState + 1);
}
void CPreviewView::OnZoomOut() {
  if (m_nZoomState > ZOOM_OUT) SetZoomState(m_nZoomState - 1);
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_info && page_exists(*this, *m_info, m_nCurrentPage + m_nPages, m_nEndPage, m_pPreviewDC));
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_info && m_nCurrentPage > m_info->GetMinPage());
}

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI) {
  // The button names what it switches to.
  pCmdUI->SetText(m_nPages == 1 ? framework::print_text(AFX_IDS_TWOPAGE, "Dwie strony")
                                : framework::print_text(AFX_IDS_ONEPAGE, "Jedna strona"));
  pCmdUI->Enable(TRUE);
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState < ZOOM_IN); }
void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState > ZOOM_OUT); }
