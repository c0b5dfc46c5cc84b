#include "shell/print/kal_print_job.h"

#include <algorithm>

#include "controls/gs_print_dialogs.h"
#include "engine/frame/printing.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "platform/framework/app.h"
#include "platform/framework/print_job.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/print/page_furniture.h"
#include "shell/print/print_pane.h"
#include "shell/print/print_texts.h"
#include "shell/view/lumo_kal_view.h"

CKALPrintJob::CKALPrintJob() = default;

CKALPrintJob::~CKALPrintJob() = default;

BOOL CKALPrintJob::NotesOn() const {
  CLumoApp* app = LumoApp();
  return app && app->GetUserData().m_bNotesColumn;
}

CRect CKALPrintJob::ComputeBody(CDC* dc) {
  return CPageFramedJob::ComputeBody(dc, printtext::PageText(pageFormat, std::max(pageCount, 1), 0));
}

BOOL CKALPrintJob::DoPreparePrinting(CPrintInfo* pInfo, BOOL bDirect) {
  CLumoApp* app = LumoApp();
  auto dialog = std::make_unique<CGSPrintDialog>(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS,
                                                 m_pOwner);
  if (app) {
    dialog->m_bNotes = app->GetUserData().m_bNotesColumn;
    dialog->m_nNotesMargin = UINT(app->GetUserData().m_nNotesWidth);
  }
  if (view) {
    dialog->m_bTextPane = TRUE;
    dialog->m_bPaneSelection = view->HasSelection();
  }
  pInfo->m_pPD = std::move(dialog);
  pInfo->SetMinPage(1);
  pInfo->SetMaxPage(1);
  // The hidden pane the print list's entries are shown in, one after another.
  printPane = std::make_unique<CMvPrintPane>();
  if (!static_cast<CMvPrintPane&>(*printPane).CreateHidden(LibraryTitle())) {
    printPane.reset();
    return FALSE;
  }
  if (bDirect) return CPrinterJob::DoPreparePrinting(pInfo, TRUE);
  if (!ShowPrintDialog(pInfo)) return FALSE;
  auto& chosen = static_cast<CGSPrintDialog&>(*pInfo->m_pPD);
  selectionOnly = chosen.m_bSelection;
  if (app) {
    app->GetUserData().m_bNotesColumn = chosen.m_bNotes;
    app->GetUserData().m_nNotesWidth = int(chosen.m_nNotesMargin);
  }
  return TRUE;
}

void CKALPrintJob::BeginPrinting(CDC* pDC, CPrintInfo* pInfo) {
  m_bLoopBracketsPages = FALSE;
  CPageFramedJob::BeginPrinting(pDC, pInfo);
}

void CKALPrintJob::EndPrinting(CDC* pDC, CPrintInfo* pInfo) {
  CPageFramedJob::EndPrinting(pDC, pInfo);
  printPane.reset();
}

BOOL CKALPrintJob::PrintPane(CMvPane& pane, CDC* dc, CRect& layout, BOOL selection) {
  return pane.Print(dc, &pageRect, &layout, nullptr, this, selection);
}

BOOL CKALPrintJob::PrintList(CDC* dc, CRect& layout) {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work || work->GetPrintList().empty() || !printPane) return TRUE;
  medview::ViewerHandle viewer = printPane->GetViewer();
  for (const auto& item : work->GetPrintList()) {
    const int32_t position = medview::MvTopicNumberToPosition(LibraryTitle(), item->m_nTopic);
    if (position == -1) continue;
    if (frame::MvSetTopic(viewer, position, 0, 0, nullptr) && frame::MvHasNonScrollRegion(viewer)) {
      if (!PrintPane(*printPane, dc, layout, FALSE)) return FALSE;
    }
    if (frame::MvHasScrollRegion(viewer) && frame::MvSetTopic(viewer, position, 1, 0, nullptr)) {
      if (!PrintPane(*printPane, dc, layout, FALSE)) return FALSE;
    }
  }
  return TRUE;
}

void CKALPrintJob::PrintPage(CDC* pDC, CPrintInfo*) {
  pageRect = ComputeBody(pDC);
  footerRect = pageRect;
  const int old_mode = pDC->SetBkMode(TRANSPARENT);
  CFont* old_font = pDC->SelectObject(&bodyFont);
  if (NotesOn()) {
    notesHeight = printjob::MillimetresToDevice(notesHeight, pDC->GetDeviceCaps(LOGPIXELSY));
    pageRect.bottom = std::max(pageRect.top + 1, pageRect.bottom - notesHeight);
  }
  CRect layout = pageRect;
  if (view) {
    medview::ViewerHandle main = view->GetViewer();
    const bool non_scrolling = main && frame::MvHasNonScrollRegion(main);
    CLumoApp* app = LumoApp();
    const bool title_setting = app && app->GetUserData().m_bFooterWorkTitle;
    const bool unit = view->GetActDescription().record.level < shell::kLevelAct;
    for (CMvPane* pane : view->GetPanes()) {
      BOOL printed = TRUE;
      if (pane->ShowsScrollingRegion()) {
        printed = PrintPane(*pane, pDC, layout, selectionOnly);
      } else if (non_scrolling && ((title_setting && unit) || pane->IsWindowVisible())) {
        printed = PrintPane(*pane, pDC, layout, FALSE);
      }
      if (!printed) {
        FailPrinting();
        break;
      }
    }
  } else if (!PrintList(pDC, layout)) {
    FailPrinting();
  }
  pDC->SelectObject(old_font);
  // The engine leaves its last page open: it gets its footer and is closed here.
  if (pageOpen) {
    printdraw::Footer(pDC, footerRect, footerText, &footerFont);
    pageOpen = FALSE;
    if (!EndJobPage()) FailPrinting();
  }
  // Nothing to print (an empty print list) makes no empty document.
  if (pageCount == 0) FailPrinting();
  pDC->SetBkMode(old_mode);
}

BOOL CKALPrintJob::PageCallback(void* job_pointer, HDC hdc, int32_t, int32_t, int32_t, int32_t, RECT*,
                                BOOL starting) {
  auto* job = static_cast<CKALPrintJob*>(job_pointer);
  CDC* dc = CDC::FromHandle(hdc);
  if (starting) {
    if (!job->StartJobPage()) return FALSE;
    job->pageOpen = TRUE;
    ++job->pageCount;
    if (CLumoApp* app = LumoApp()) app->GetDocumentData().CountPrintedPages(1);
    printdraw::Header(dc, job->pageRect, job->headerText, printtext::PageText(job->pageFormat, job->pageCount, 0),
                      &job->headerFont, false);
    return TRUE;
  }
  if (job->NotesOn() && !job->footerText.IsEmpty()) printdraw::NotesLabel(dc, job->pageRect, &job->footerFont, false);
  printdraw::Footer(dc, job->footerRect, job->footerText, &job->footerFont);
  job->pageOpen = FALSE;
  // Between pages the user's messages get through, "Przerwij" among them.
  return job->EndJobPage() && AbortProc(hdc, 0);
}
