#include "shell/print/printer_job.h"

#include <algorithm>
#include <cstdlib>

#include "platform/base/cp1250.h"
#include "platform/controls/common_controls.h"
#include "platform/framework/app.h"
#include "platform/framework/print_job.h"
#include "platform/framework/prompter.h"
#include "platform/res/resource_store.h"
#include "platform/win/message_queue.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"

namespace printjob {

PagePlan PlanPages(UINT from, UINT to, UINT min_page, UINT max_page) {
  PagePlan plan;
  if (max_page < min_page) max_page = min_page;
  from = std::clamp(from, min_page, max_page);
  to = std::clamp(to, min_page, max_page);
  plan.first = from;
  plan.step = to >= from ? 1 : -1;
  plan.end = to == 0xFFFF ? 0xFFFF : UINT(int(to) + plan.step);
  plan.total = UINT(std::abs(int(plan.end) - int(from)));
  return plan;
}

CString PercentText(UINT ordinal, UINT total) {
  CString text;
  text.Format("%u %%", total ? ordinal * 100 / total : 100u);
  return text;
}

CString TimeLeftText(DWORD average_ms, UINT total, UINT done, const CString& previous) {
  const uint64_t left_ms = uint64_t(average_ms) * (total > done ? total - done : 0);
  const uint64_t seconds = left_ms / 1000;
  CString text;
  if (seconds > 60) {
    text.Format("%u minut, %u sekund", unsigned(seconds / 60), unsigned(seconds % 60));
  } else if (total > 1) {
    if (seconds == 0) {
      text = "??";
    } else {
      text.Format("%u sekund", unsigned(seconds));
    }
  } else {
    text = previous;
  }
  return text;
}

int DeviceUnits(int dots300, int dpi) { return ::MulDiv(dots300, dpi > 0 ? dpi : 300, 300); }

int MillimetresToDevice(int mm, int dpi) { return ::MulDiv(mm * 100, dpi, 2540); }

CRect BodyRect(CSize physical, CPoint offset, const CRect& margins) {
  CRect body;
  body.left = std::max(margins.left, offset.x);
  body.top = std::max(margins.top, offset.y);
  body.right = physical.cx - (offset.x < margins.left ? margins.right : offset.x);
  body.bottom = physical.cy - (offset.y < margins.top ? margins.bottom : offset.y);
  return body;
}

CRect BodyRectOf(CDC* dc, const CRect& margins_mm) {
  const int dpi_x = dc->GetDeviceCaps(LOGPIXELSX), dpi_y = dc->GetDeviceCaps(LOGPIXELSY);
  CRect margins(MillimetresToDevice(margins_mm.left, dpi_x), MillimetresToDevice(margins_mm.top, dpi_y),
                MillimetresToDevice(margins_mm.right, dpi_x), MillimetresToDevice(margins_mm.bottom, dpi_y));
  CSize physical(dc->GetDeviceCaps(PHYSICALWIDTH), dc->GetDeviceCaps(PHYSICALHEIGHT));
  CPoint offset(dc->GetDeviceCaps(PHYSICALOFFSETX), dc->GetDeviceCaps(PHYSICALOFFSETY));
  return BodyRect(physical, offset, margins);
}

}  // namespace printjob

bool& PrintCancelFlag() {
  static bool cancelled = false;
  return cancelled;
}

// --- Progress dialog -----------------------------------------------------------------------------

CPrintStatusDlg::CPrintStatusDlg(CWnd* pParent) : CDialog(resources::IDD_PRINT_STATUS, pParent) {
  PrintCancelFlag() = false;
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS | ICC_ANIMATE_CLASS};
  InitCommonControlsEx(&classes);
}

CPrintStatusDlg::~CPrintStatusDlg() = default;

BOOL CPrintStatusDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CenterWindow();
  m_animation.SubclassDlgItem(resources::IDC_PRINT_ANIMATION, this);
  m_progress.SubclassDlgItem(resources::IDC_PRINT_PROGRESS, this);
  if (m_animation.Open(resources::IDR_PRINT_ANIMATION)) m_animation.Play(0, 0xFFFF, UINT(-1));
  return TRUE;
}

BOOL CPrintStatusDlg::Begin(CWnd* owner, const CString& name, const CString& device, const CString& port) {
  if (!owner) owner = AfxGetMainWnd();
  if (!Create(resources::IDD_PRINT_STATUS, owner)) return FALSE;
  CString caption;
  caption.Format("%s - trwa drukowanie %s...", name.GetString(), "");
  SetWindowText(caption);
  const CString what_template = GetDlgItemText(int(resources::IDC_PRINT_WHAT));
  CString what;
  const CString printer = device.IsEmpty() ? CString(base::cp1250::from_utf8("Drukarka domyślna")) : device;
  what.Format(what_template, name.GetString(), printer.GetString(), port.GetString());
  SetDlgItemText(resources::IDC_PRINT_WHAT, what);
  ShowWindow(SW_SHOW);
  UpdateWindow();
  return TRUE;
}

CString PrintPortText(CPrintDialog& dialog) {
  CString port;
  if (dialog.PrintToFile()) {
    AfxFormatString1(port, resources::AFX_IDS_PRINTTOFILE, "");
  } else {
    AfxFormatString1(port, resources::AFX_IDS_PRINTONPORT, dialog.GetPortName());
  }
  return port;
}

void CPrintStatusDlg::OnCancel() {
  PrintCancelFlag() = true;
  DestroyWindow();
}

// --- The loop ------------------------------------------------------------------------------------

CPrinterJob::CPrinterJob() : m_strName("LumoKAL") {}

CPrinterJob::~CPrinterJob() = default;

void CPrinterJob::PrintPage(CDC*, CPrintInfo*) {}
void CPrinterJob::EndPrinting(CDC*, CPrintInfo*) {}
void CPrinterJob::BeginPrinting(CDC*, CPrintInfo*) {}

BOOL CPrinterJob::DoPreparePrinting(CPrintInfo* pInfo, BOOL bDirect) {
  // Printing directly uses the application's printer as it stands.
  if (bDirect) return !AfxGetApp() || AfxGetApp()->GetPrinterDeviceDefaults(&pInfo->m_pPD->m_pd);
  return ShowPrintDialog(pInfo);
}

BOOL CPrinterJob::ShowPrintDialog(CPrintInfo* pInfo) {
  PRINTDLG& pd = pInfo->m_pPD->m_pd;
  if (pd.nMaxPage < pd.nMinPage) pd.nMaxPage = pd.nMinPage;
  pd.nFromPage = pd.nMinPage;
  pd.nToPage = pd.nMaxPage;
  CWinApp* app = AfxGetApp();
  const int answer = app ? app->DoPrintDialog(pInfo->m_pPD.get()) : int(pInfo->m_pPD->DoModal());
  if (answer != IDOK) return FALSE;
  pInfo->m_nNumPreviewPages = app && app->m_nNumPreviewPages ? app->m_nNumPreviewPages : 1;
  pInfo->m_strPageDesc = framework::preview_page_description();
  return TRUE;
}

BOOL CPrinterJob::AbortProc(HDC, int) {
  MSG msg;
  while (!PrintCancelFlag() && ::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (!::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) break;
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(int(msg.wParam));
      return FALSE;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  return !PrintCancelFlag();
}

BOOL CPrinterJob::StartJobPage() { return m_pJob && m_pJob->StartPage(); }

BOOL CPrinterJob::EndJobPage() { return m_pJob && m_pJob->EndPage(); }

void CPrinterJob::ShowProgress(UINT ordinal, UINT total, UINT done, DWORD average_ms) {
  if (!m_pStatus || !m_pStatus->m_hWnd) return;
  m_pStatus->m_progress.SetPos(int(ordinal));
  m_pStatus->SetDlgItemText(resources::IDC_PRINT_PERCENT, printjob::PercentText(ordinal, total));
  m_strTimeLeft = printjob::TimeLeftText(average_ms, total, done, m_strTimeLeft);
  CString pages;
  pages.Format(m_strPageTemplate, int(ordinal), int(total), m_strTimeLeft.GetString());
  m_pStatus->SetDlgItemText(resources::IDC_PRINT_PAGES, pages);
  m_pStatus->UpdateWindow();
}

BOOL CPrinterJob::Print() {
  CPrintInfo info;
  if (!DoPreparePrinting(&info, FALSE)) return FALSE;
  CPrintDialog& dialog = *info.m_pPD;
  // A print to a file asks where the file goes; cancelling prints nothing and says nothing.
  if (!framework::choose_print_file(dialog)) return FALSE;
  const CString port = PrintPortText(dialog);
  if (!dialog.CreatePrinterDC()) {
    AfxMessageBox(dialog.GetPrintJob() ? dialog.GetPrintJob()->error_text()
                                       : framework::start_printing_failed_text(),
                  MB_ICONEXCLAMATION);
    return FALSE;
  }
  framework::PrintJob& job = *dialog.GetPrintJob();
  m_pJob = &job;
  CDC* dc = job.dc();
  info.m_rectDraw = job.printable_rect();
  dc->DPtoLP(&info.m_rectDraw);
  BeginPrinting(dc, &info);
  dc->SetAbortProc(&CPrinterJob::AbortProc);

  CWnd* main = AfxGetMainWnd();
  if (main && main->m_hWnd) main->EnableWindow(FALSE);
  CPrintStatusDlg status(m_pOwner ? m_pOwner : main);
  m_pStatus = status.Begin(m_pOwner, m_strName, dialog.GetDeviceName(), port) ? &status : nullptr;
  if (m_pStatus) m_strPageTemplate = status.GetDlgItemText(int(resources::IDC_PRINT_PAGES));
  auto finish = [&] {
    if (main && main->m_hWnd) main->EnableWindow(TRUE);
    EndPrinting(dc, &info);
    if (status.m_hWnd) status.DestroyWindow();
    m_pStatus = nullptr;
    m_pJob = nullptr;
  };

  if (!job.StartDoc(m_strName)) {
    finish();
    AfxMessageBox(framework::start_printing_failed_text(), MB_ICONEXCLAMATION);
    return FALSE;
  }
  const printjob::PagePlan plan =
      printjob::PlanPages(info.GetFromPage(), info.GetToPage(), info.GetMinPage(), info.GetMaxPage());
  if (m_pStatus) {
    status.m_progress.SetRange32(0, int(plan.total));
    status.m_progress.SetPos(0);
  }
  const DWORD start = ::GetTickCount();
  DWORD average_ms = 0;
  BOOL printed = TRUE;
  UINT done = 0;
  m_strTimeLeft.Empty();
  m_bFailed = FALSE;
  for (info.m_nCurPage = plan.first; info.m_nCurPage != plan.end;) {
    // The job ends at the last page it knows of when it could not count its pages.
    info.m_bContinuePrinting = info.GetMaxPage() != 0xFFFF || info.m_nCurPage == 1;
    if (!info.m_bContinuePrinting) break;
    ShowProgress(done + 1, plan.total, done, average_ms);
    info.m_rectDraw = job.printable_rect();
    dc->DPtoLP(&info.m_rectDraw);
    if (m_bLoopBracketsPages && !job.StartPage()) {
      printed = FALSE;
      break;
    }
    const int saved = dc->SaveDC();
    PrintPage(dc, &info);
    dc->RestoreDC(saved);
    const BOOL page_ended = !m_bLoopBracketsPages || job.EndPage();
    if (!page_ended || m_bFailed || !AbortProc(dc->m_hDC, 0) || job.aborted()) {
      printed = FALSE;
      break;
    }
    ++done;
    info.m_nCurPage = UINT(int(info.m_nCurPage) + plan.step);
    if (info.m_nCurPage == plan.end) break;
    average_ms = (::GetTickCount() - start) / done;
  }
  if (printed) {
    printed = job.EndDoc();
  } else {
    job.AbortDoc();
  }
  finish();
  return printed;
}
