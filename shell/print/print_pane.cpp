#include "shell/print/print_pane.h"

#include "engine/frame/printing.h"
#include "engine/frame/topic_layout.h"
#include "platform/gdi/core/dc_api.h"
#include "shell/print/kal_print_job.h"

CMvPrintPane::~CMvPrintPane() {
  FreeViewer();
  if (m_hWnd) DestroyWindow();
}

BOOL CMvPrintPane::CreateHidden(title::TitleHandle* title) {
  const char* window_class = MvPaneClassName();
  if (!title || !window_class || !*window_class) return FALSE;
  if (!CreateEx(0, window_class, "", WS_POPUP | WS_BORDER, 0, 0, 50, 50, nullptr, nullptr)) return FALSE;
  return AttachViewer(title, nullptr, nullptr);
}

BOOL CMvPrintPane::ShowsScrollingRegion() const {
  if (!m_pViewer) return FALSE;
  int32_t position = 0, fraction = 0;
  int16_t region = 0;
  frame::MvGetTopicPosition(m_pViewer, &position, &region, &fraction);
  return region == 1;
}

// A pane prints the region it shows on the printer (its viewer is cloned for the print); a
// preview paints the pane's layout at the page rectangle.
BOOL CMvPane::Print(CDC* pDC, const RECT* page, RECT* layout, CPrintInfo* pInfo, CKALPrintJob* job,
                    BOOL bSelection) {
  if (!pDC || !page || !layout || !m_pViewer) return FALSE;
  if (pInfo && pInfo->m_bPreview) return Draw(pDC, page);
  if (pDC->GetDeviceCaps(PHYSICALWIDTH) <= 0) return FALSE;
  medview::TitleErrorCode error = 0;
  return medview::MvPrint(m_pViewer, pDC->m_hDC, bSelection, page, layout, nullptr,
                          job ? &CKALPrintJob::PageCallback : nullptr, job, &error);
}
