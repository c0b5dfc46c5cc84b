#include "platform/framework/view.h"

#include <utility>

#include "platform/framework/app.h"
#include "platform/framework/document.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/prompter.h"
#include "platform/framework/print_job.h"
#include "platform/framework/print_preview.h"
#include "platform/framework/splitter.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/window_dc.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_MOUSEACTIVATE()
  ON_MESSAGE(WM_INITIALUPDATE, &CView::OnInitialUpdateMessage)
  ON_COMMAND_EX(ID_WINDOW_SPLIT, &CView::OnSplitCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_SPLIT, &CView::OnUpdateSplitCmd)
  ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_DIRECT, &CView::OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview)
END_MESSAGE_MAP()

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const {
  for (CWnd* w = GetParent(); w; w = w->GetParent()) {
    if (w->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(w);
  }
  return nullptr;
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  return CWnd::PreCreateWindow(cs);
}

int CView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  auto* context = static_cast<CCreateContext*>(lpcs->lpCreateParams);
  if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::PostNcDestroy() {
  // A view owns itself: its window going ends it (and takes it off its document).
  std::unique_ptr<CView> self(this);
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  // Printing stops after the last page when the view set no page count itself.
  if (pInfo && pInfo->GetMaxPage() == 0xFFFF) pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
  (void)pDC;
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  int result = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
  if (CFrameWnd* frame = GetParentFrame()) {
    if (frame->GetActiveView() != this) frame->SetActiveView(this);
  }
  return result;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView* pSender, LPARAM, CObject*) {
  if (pSender != this) Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*) {
  if (bActivate && pActivateView == this) {
    if (GetFocus() != this && !IsChild(GetFocus())) SetFocus();
  }
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

namespace {
CSplitterWnd* parent_splitter(const CView* view) {
  CWnd* parent = view->GetParent();
  return parent && parent->IsKindOf(RUNTIME_CLASS(CSplitterWnd)) ? static_cast<CSplitterWnd*>(parent) : nullptr;
}
}  // namespace

CScrollBar* CView::GetScrollBarCtrl(int nBar) const {
  // A view with a bar of its own keeps using it.
  if (GetStyle() & (nBar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) return nullptr;
  CSplitterWnd* splitter = parent_splitter(this);
  return splitter ? splitter->GetPaneScrollBar(this, nBar) : nullptr;
}

BOOL CView::OnSplitCmd(UINT) {
  CSplitterWnd* splitter = parent_splitter(this);
  return splitter && splitter->DoKeyboardSplit();
}

void CView::OnUpdateSplitCmd(CCmdUI* pCmdUI) {
  CSplitterWnd* splitter = parent_splitter(this);
  pCmdUI->Enable(splitter && splitter->IsDynamic() && !splitter->IsTracking());
}

// --- Printing ---------------------------------------------------------------------------------------

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
  CPrintDialog& dialog = *pInfo->m_pPD;
  CWinApp* app = AfxGetApp();
  if (pInfo->m_bPreview || pInfo->m_bDirect) {
    // No question: the application's printer. A preview needs no printer device.
    if (app) {
      app->GetPrinterDeviceDefaults(&dialog.m_pd);
    } else {
      dialog.GetDefaults();
    }
  } else {
    dialog.m_pd.nFromPage = WORD(pInfo->GetMinPage());
    dialog.m_pd.nToPage = WORD(pInfo->GetMaxPage());
    int answer = app ? app->DoPrintDialog(&dialog) : int(dialog.DoModal());
    if (answer != IDOK) return FALSE;
  }
  if (app && app->m_nNumPreviewPages) pInfo->m_nNumPreviewPages = app->m_nNumPreviewPages;
  pInfo->m_strPageDesc = framework::preview_page_description();
  return TRUE;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}
void CView::OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }

void CView::OnFilePrint() {
  CPrintInfo info;
  const MSG* msg = GetCurrentMessage();
  info.m_bDirect = msg && LOWORD(msg->wParam) == ID_FILE_PRINT_DIRECT;
  if (!OnPreparePrinting(&info)) return;
  CPrintDialog& dialog = *info.m_pPD;
  if (!framework::choose_print_file(dialog)) return;
  if (!dialog.CreatePrinterDC()) {
    AfxMessageBox(dialog.GetPrintJob()->error_text(), MB_ICONEXCLAMATION);
    return;
  }
  framework::PrintJob& job = *dialog.GetPrintJob();
  CDC* dc = job.dc();
  OnBeginPrinting(dc, &info);
  CString title;
  if (m_pDocument) title = m_pDocument->GetTitle();
  if (!job.StartDoc(title)) {
    OnEndPrinting(dc, &info);
    AfxMessageBox(framework::start_printing_failed_text(), MB_ICONEXCLAMATION);
    return;
  }
  // The pages asked for, lowest first; a range the view could not bound ends where OnPrepareDC
  // says.
  UINT from = dialog.PrintRange() ? info.GetFromPage() : info.GetMinPage();
  UINT to = dialog.PrintRange() ? info.GetToPage() : info.GetMaxPage();
  if (to < from) std::swap(from, to);
  bool failed = false;
  for (info.m_nCurPage = from; info.m_nCurPage <= to; ++info.m_nCurPage) {
    OnPrepareDC(dc, &info);
    if (!info.m_bContinuePrinting) break;
    info.m_rectDraw = job.printable_rect();
    dc->DPtoLP(&info.m_rectDraw);
    // A page the printer refuses spoils the document: what was spooled is thrown away.
    failed = !job.StartPage();
    if (failed) break;
    OnPrint(dc, &info);
    failed = !job.EndPage();
    if (failed || job.aborted()) break;
  }
  OnEndPrinting(dc, &info);
  if (failed || job.aborted()) {
    job.AbortDoc();
  } else {
    job.EndDoc();
  }
}

void CView::OnFilePrintPreview() {
  DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, this, RUNTIME_CLASS(CPreviewView),
                 std::make_unique<CPrintPreviewState>());
}
