// The act print job: the act of a text sheet (or, without a sheet, every entry of the work's print
// list) printed pane by pane through the engine's page printing, each page under a header with the
// act citation and the page number, over the notes label and the footer.
//
// The engine opens and closes the pages it lays out (through PageCallback), so the job brackets
// its pages itself: one bracket per page, the loop's own stays off.
#pragma once

#include <memory>

#include "engine/medview/viewer.h"
#include "shell/print/list_print_job.h"

class CLumoKALView;
class CMvPane;

class CKALPrintJob : public CPageFramedJob {
 public:
  CKALPrintJob();
  ~CKALPrintJob() override;

  BOOL DoPreparePrinting(CPrintInfo* pInfo, BOOL bDirect) override;
  void BeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
  void PrintPage(CDC* pDC, CPrintInfo* pInfo) override;
  void EndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

  // Called by the engine at the start (`starting`) and at the end of each page it prints.
  static BOOL PageCallback(void* job, HDC hdc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                           RECT* layout, BOOL starting);

  // The body without the notes area: the footer goes below it.
  CRect footerRect;
  CString pageFormat;
  CLumoKALView* view = nullptr;
  std::unique_ptr<CMvPane> printPane;
  int pageCount = 0;
  BOOL selectionOnly = FALSE;
  // Whether a page is open (the engine left its last page to the job).
  BOOL pageOpen = FALSE;

 protected:
  // Margins and notes height again from the settings; the body rectangle of the page on `dc`.
  CRect ComputeBody(CDC* dc);
  BOOL NotesOn() const;
  // The pane printed with the job's page callback.
  BOOL PrintPane(CMvPane& pane, CDC* dc, CRect& layout, BOOL selection);
  // The entries of the work's print list, one after another; false when one failed.
  BOOL PrintList(CDC* dc, CRect& layout);
};
