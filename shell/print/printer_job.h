// The print loop every printout of the program except the text view's own print command goes
// through (CPrinterJob), its progress dialog "Drukowanie" (CPrintStatusDlg) and the process-wide
// cancel flag the dialog's "Przerwij" sets.
//
// A concrete job fills four steps: DoPreparePrinting (the printer dialog and the page range),
// BeginPrinting (fonts, measurements), PrintPage (one page) and EndPrinting. The loop asks for the
// printer and, for a print to a file, for the output file; it drives the document and page
// brackets of the platform's print job, shows the progress with percent and time left, and lets
// the user cancel between pages. A job whose pages are bracketed elsewhere (the act job: the
// engine opens and closes the pages it lays out) turns the loop's own page bracket off.
#pragma once

#include <cstdint>

#include "platform/base/cstring.h"
#include "platform/controls/animate_ctrl.h"
#include "platform/controls/progress_ctrl.h"
#include "platform/framework/dialog.h"
#include "platform/framework/print_info.h"

namespace framework {
class PrintJob;
}

namespace printjob {

// The pages a loop visits: from `first`, stepping by `step`, up to (not including) `end`; `total`
// pages. A range chosen backwards runs backwards; 0xFFFF as the last page means "until the job
// says it is done".
struct PagePlan {
  UINT first = 1;
  int step = 1;
  UINT end = 2;
  UINT total = 1;
};
PagePlan PlanPages(UINT from, UINT to, UINT min_page, UINT max_page);

// "33 %" for the first of three pages.
CString PercentText(UINT ordinal, UINT total);
// The time left before page `done + 1` of `total`, from the average time of a finished page:
// "%d minut, %d sekund" over a minute, "%d sekund" (or "??" for none) otherwise when there is more
// than one page; with a single page of at most a minute the previous text stays.
CString TimeLeftText(DWORD average_ms, UINT total, UINT done, const CString& previous);

// A length given in dots of a 300 dots-per-inch printer, on a printer of `dpi` dots per inch.
int DeviceUnits(int dots300, int dpi);
// Whole millimetres in device units of a printer of `dpi` dots per inch.
int MillimetresToDevice(int mm, int dpi);

// The page's body between the margins (device units), never over the printer's unprintable edge:
// left and top are the larger of margin and offset; right and bottom leave the margin on the far
// side, or the offset when that is the larger one.
CRect BodyRect(CSize physical, CPoint offset, const CRect& margins);
// The body rectangle of the page on `dc` for margins in millimetres (left, top, right, bottom).
CRect BodyRectOf(CDC* dc, const CRect& margins_mm);

}  // namespace printjob

// Set by "Przerwij" of the progress dialog, cleared when a progress dialog is made.
bool& PrintCancelFlag();

// The port text of the progress dialog: "to " for a file, else "on <port>".
CString PrintPortText(CPrintDialog& dialog);

class CPrintStatusDlg : public CDialog {
 public:
  explicit CPrintStatusDlg(CWnd* pParent = nullptr);
  ~CPrintStatusDlg() override;

  // Makes the dialog over `owner` (the main window when none) and shows what is printed where:
  // the caption "<name> - trwa drukowanie ..." and the text of control 1038 from its template.
  BOOL Begin(CWnd* owner, const CString& name, const CString& device, const CString& port);

  CAnimateCtrl m_animation;
  CProgressCtrl m_progress;

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
};

class CPrinterJob {
 public:
  CPrinterJob();
  virtual ~CPrinterJob();
  CPrinterJob(const CPrinterJob&) = delete;
  CPrinterJob& operator=(const CPrinterJob&) = delete;

  // The loop: the printer, the file, the progress dialog, the pages; false when nothing was
  // printed (cancelled, refused or failed).
  virtual BOOL Print();
  virtual void PrintPage(CDC* pDC, CPrintInfo* pInfo);
  virtual void EndPrinting(CDC* pDC, CPrintInfo* pInfo);
  virtual void BeginPrinting(CDC* pDC, CPrintInfo* pInfo);
  // True to go on; `bDirect` skips the printer dialog.
  virtual BOOL DoPreparePrinting(CPrintInfo* pInfo, BOOL bDirect);

  // The printer dialog of the print information, over the application's printer; false unless
  // OK was pressed.
  BOOL ShowPrintDialog(CPrintInfo* pInfo);
  // Lets the user's messages through while printing; continue (TRUE) while nobody cancelled.
  static BOOL AbortProc(HDC hdc, int code);

  // The progress dialog while printing (else null).
  CPrintStatusDlg* GetStatusDialog() const { return m_pStatus; }

  CWnd* m_pOwner = nullptr;  // parents the progress dialog; none: the main window
  CString m_strName;         // the document's name

 protected:
  // Brackets for jobs that open and close pages themselves; false on a refused page.
  BOOL StartJobPage();
  BOOL EndJobPage();
  // A page step that failed: the loop aborts the document.
  void FailPrinting() { m_bFailed = TRUE; }
  // Whether the loop opens and closes a page around PrintPage.
  BOOL m_bLoopBracketsPages = TRUE;

 private:
  void ShowProgress(UINT ordinal, UINT total, UINT done, DWORD average_ms);

  BOOL m_bFailed = FALSE;
  CPrintStatusDlg* m_pStatus = nullptr;
  framework::PrintJob* m_pJob = nullptr;
  CString m_strPageTemplate;
  CString m_strTimeLeft;
};
