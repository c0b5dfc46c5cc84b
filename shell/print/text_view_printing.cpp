// The text view's printing: its own print loop (Ctrl+P), the act print job of the developer menu,
// and the framework's print preview, which the panes paint into.
#include <algorithm>

#include "controls/gs_print_dialogs.h"
#include "engine/frame/printing.h"
#include "engine/frame/topic_layout.h"
#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/framework/print_job.h"
#include "platform/win/cmd_ui.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/print/kal_print_job.h"
#include "shell/print/page_furniture.h"
#include "shell/print/print_texts.h"
#include "shell/print/printer_job.h"
#include "shell/view/lumo_kal_view.h"

namespace {
int Units(CDC* dc, int dots300) { return printjob::DeviceUnits(dots300, dc->GetDeviceCaps(LOGPIXELSY)); }
}  // namespace

void CLumoKALView::BuildPrintTexts() {
  CLumoApp* app = LumoApp();
  const CUserData* settings = app ? &app->GetUserData() : nullptr;
  m_strPrintHeader = printtext::ActCitation(m_current, settings && settings->m_bShortActNumber);
  m_strPrintFooter = printtext::PageFormat(settings && settings->m_bPageNumbers);
  m_strPrintWorkInfo = settings ? printtext::WorkInfoFromSettings(*settings, app->GetDocumentData().m_strTitle)
                                : CString();
}

BOOL CLumoKALView::ComputePageRect(CDC* pDC) {
  CLumoApp* app = LumoApp();
  if (!app) return FALSE;
  const CUserData& s = app->GetUserData();
  CRect body = printjob::BodyRectOf(pDC, CRect(s.m_nMarginLeft, s.m_nMarginTop, s.m_nMarginRight, s.m_nMarginBottom));
  m_nPrintNotesHeight = printjob::MillimetresToDevice(s.m_nNotesWidth, pDC->GetDeviceCaps(LOGPIXELSY));
  // The header above the body and the work information below it stay on the paper.
  const int header = PrintPageHeader(pDC, body, 999, 0, TRUE) + Units(pDC, 30);
  const int footer = printdraw::FooterRoom(pDC, body, m_strPrintWorkInfo, &m_fontPrintNotes);
  m_rectPrintPage = printdraw::KeepFurnitureOnPaper(pDC, body, header, footer);
  return TRUE;
}

void CLumoKALView::SetupPrintFonts(CDC* pDC) {
  m_fontPrintBody.DeleteObject();
  m_fontPrintHeader.DeleteObject();
  m_fontPrintNotes.DeleteObject();
  printdraw::MakeFont(m_fontPrintBody, pDC, "Arial CE", 8, FW_NORMAL);
  printdraw::MakeFont(m_fontPrintHeader, pDC, "Arial CE", 10, FW_BOLD);
  printdraw::MakeFont(m_fontPrintNotes, pDC, "Times New Roman CE", 6, FW_NORMAL);
  ComputePageRect(pDC);
}

void CLumoKALView::PrintTopRule(CDC* pDC, const CRect& area) {
  CFont* old = pDC->SelectObject(&m_fontPrintBody);
  pDC->MoveTo(area.left, area.top);
  pDC->LineTo(area.right, area.top);
  pDC->SelectObject(old);
}

int CLumoKALView::PrintPageHeader(CDC* pDC, const CRect& page, int nPage, int nPages, BOOL bMeasureOnly) {
  return printdraw::Header(pDC, page, m_strPrintHeader, printtext::PageText(m_strPrintFooter, nPage, nPages),
                           &m_fontPrintHeader, bMeasureOnly);
}

void CLumoKALView::PrintNotesBlock(CDC* pDC, CRect& area) {
  if (!m_bPrintNotes || m_strPrintWorkInfo.IsEmpty()) return;
  area.bottom += printdraw::NotesLabel(pDC, area, &m_fontPrintNotes, false);
}

void CLumoKALView::PrintWorkInfo(CDC* pDC, const CRect& page) {
  printdraw::Footer(pDC, page, m_strPrintWorkInfo, &m_fontPrintNotes);
}

BOOL CLumoKALView::OnPrintPage(void* view_pointer, HDC hdc, int32_t left, int32_t top, int32_t right,
                               int32_t bottom, RECT*, BOOL starting) {
  auto* view = static_cast<CLumoKALView*>(view_pointer);
  CDC* dc = CDC::FromHandle(hdc);
  if (starting) {
    if (::StartPage(hdc) <= 0) return FALSE;
    ++view->m_nPrintPage;
    if (CLumoApp* app = LumoApp()) app->GetDocumentData().CountPrintedPages(1);
    view->PrintPageHeader(dc, view->m_rectPrintPage, view->m_nPrintPage, 0, FALSE);
    return TRUE;
  }
  CRect area(left, top, right, bottom);
  view->PrintNotesBlock(dc, area);
  view->PrintWorkInfo(dc, view->m_rectPrintPage);
  // Between pages the user's messages get through, "Przerwij" among them.
  return ::EndPage(hdc) > 0 && CPrinterJob::AbortProc(hdc, 0);
}

BOOL CLumoKALView::PrintAct() {
  m_nPrintPage = 0;
  m_bPrintSelection = FALSE;
  BuildPrintTexts();
  CLumoApp* app = LumoApp();
  CGSPrintDialog dialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION | PD_NOPAGENUMS,
                        this);
  dialog.m_pd.nFromPage = dialog.m_pd.nToPage = dialog.m_pd.nMinPage = dialog.m_pd.nMaxPage = 1;
  dialog.m_bTextPane = TRUE;
  dialog.m_bPaneSelection = HasSelection();
  if (app) {
    dialog.m_bNotes = app->GetUserData().m_bNotesColumn;
    dialog.m_nNotesMargin = UINT(app->GetUserData().m_nNotesWidth);
  }
  const int answer = app ? app->DoPrintDialog(&dialog) : int(dialog.DoModal());
  if (answer != IDOK) return FALSE;
  if (app) {
    app->GetUserData().m_bNotesColumn = dialog.m_bNotes;
    app->GetUserData().m_nNotesWidth = int(dialog.m_nNotesMargin);
  }
  return PrintActWith(dialog, dialog.m_bSelection);
}

BOOL CLumoKALView::PrintActWith(CPrintDialog& dialog, BOOL bSelectionOnly) {
  m_nPrintPage = 0;
  m_bPrintSelection = bSelectionOnly;
  if (m_strPrintHeader.IsEmpty() && m_strPrintWorkInfo.IsEmpty()) BuildPrintTexts();
  CLumoApp* app = LumoApp();
  m_bPrintNotes = app && app->GetUserData().m_bNotesColumn;
  // A print to a file asks where the file goes; cancelling prints nothing.
  if (!framework::choose_print_file(dialog)) return FALSE;
  if (!dialog.CreatePrinterDC()) return FALSE;
  framework::PrintJob& job = *dialog.GetPrintJob();
  CDC* dc = job.dc();
  SetupPrintFonts(dc);
  auto release_fonts = [this] {
    m_fontPrintBody.DeleteObject();
    m_fontPrintHeader.DeleteObject();
    m_fontPrintNotes.DeleteObject();
  };
  const std::string title = m_pViewer ? frame::MvGetTopicTitle(m_pViewer) : std::string();
  m_strPrintDocName = CString(title.empty() ? base::cp1250::from_utf8("bez tytułu") : title);
  dc->SetAbortProc(&CPrinterJob::AbortProc);
  CWnd* main = AfxGetMainWnd();
  if (main && main->m_hWnd) main->EnableWindow(FALSE);
  CPrintStatusDlg status(main);
  status.Begin(main, m_strPrintDocName, dialog.GetDeviceName(), PrintPortText(dialog));
  auto finish = [&] {
    if (main && main->m_hWnd) main->EnableWindow(TRUE);
    release_fonts();
    if (status.m_hWnd) status.DestroyWindow();
  };
  if (!job.StartDoc(m_strPrintDocName)) {
    finish();
    AfxMessageBox(framework::start_printing_failed_text(), MB_ICONEXCLAMATION);
    return FALSE;
  }
  m_rectPrintText = m_rectPrintPage;
  if (m_bPrintNotes) m_rectPrintText.bottom = std::max(m_rectPrintText.top + 1, m_rectPrintText.bottom - m_nPrintNotesHeight);
  CRect layout = m_rectPrintText;
  PrintTopRule(dc, m_rectPrintText);
  medview::TitleErrorCode error = 0;
  const int old_mode = dc->SetBkMode(TRANSPARENT);
  for (CMvPane* pane : m_panes) {
    if (!pane->IsWindowVisible()) continue;
    const BOOL text_pane = pane->ShowsScrollingRegion();
    if (!text_pane && m_bPrintSelection) continue;
    medview::MvPrint(pane->GetViewer(), dc->m_hDC, text_pane ? m_bPrintSelection : FALSE, &m_rectPrintText, &layout,
                     nullptr, &CLumoKALView::OnPrintPage, this, &error);
    if (error) break;
  }
  dc->SetBkMode(old_mode);
  BOOL printed = FALSE;
  if (m_nPrintPage > 0 && !error) {
    // The last page, which the engine left open, gets only the work information.
    PrintWorkInfo(dc, m_rectPrintPage);
    printed = job.EndPage() && CPrinterJob::AbortProc(dc->m_hDC, 0);
  }
  if (printed) {
    printed = job.EndDoc();
  } else {
    job.AbortDoc();
  }
  finish();
  return printed;
}

BOOL CLumoKALView::PrintActJob() {
  BuildPrintTexts();
  CKALPrintJob job;
  job.view = this;
  job.headerText = m_strPrintHeader;
  job.pageFormat = m_strPrintFooter;
  job.footerText = m_strPrintWorkInfo;
  return job.Print();
}

void CLumoKALView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  CRect page;
  pDC->GetClipBox(&page);
  page.DeflateRect(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
  CRect layout = page;
  const bool non_scrolling = m_pViewer && frame::MvHasNonScrollRegion(m_pViewer);
  for (CMvPane* pane : m_panes) {
    if (pane->ShowsScrollingRegion() || (non_scrolling && pane->IsWindowVisible())) {
      pane->Print(pDC, &page, &layout, pInfo, nullptr, FALSE);
    }
  }
}

void CLumoKALView::OnFilePrintAct() { PrintAct(); }

void CLumoKALView::OnUpdateFilePrintAct(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_current.record.level <= shell::kLevelIssue && GetShownTopic() > 0);
}

void CLumoKALView::OnPrintActJob() { PrintActJob(); }
