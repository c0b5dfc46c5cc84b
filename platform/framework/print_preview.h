// Print preview: the pages of a view shown in its frame as they will print, one or two side by
// side, with a strip of buttons along the top (print, next and previous page, one or two pages,
// zoom in and out, close).
//
// CView::OnFilePrintPreview starts it (DoPrintPreview): the frame hides its bars and sets the
// view aside (OnSetPreviewMode), a CPreviewView takes the view's place and becomes the active
// view, so the strip's commands reach it. Pages are drawn by the printed view's own OnPrepareDC
// and OnPrint into a preview context (preview_dc.h) that answers as the printer and scales its
// drawing onto the page shown. Close calls the view's OnEndPrintPreview, which ends printing,
// gives the frame its view and bars back and ends the preview.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/command_ids.h"
#include "platform/framework/preview_dc.h"
#include "platform/framework/view.h"

// The preview strip and its buttons.
constexpr UINT AFX_IDD_PREVIEW_TOOLBAR = 0x7801;
constexpr UINT AFX_IDW_PREVIEW_BAR = 0xE805;
constexpr UINT AFX_IDW_PANE_SAVE = 0xEA21;
constexpr UINT AFX_ID_PREVIEW_CLOSE = 0xE300;
constexpr UINT AFX_ID_PREVIEW_NUMPAGE = 0xE301;
constexpr UINT AFX_ID_PREVIEW_NEXT = 0xE302;
constexpr UINT AFX_ID_PREVIEW_PREV = 0xE303;
constexpr UINT AFX_ID_PREVIEW_PRINT = 0xE304;
constexpr UINT AFX_ID_PREVIEW_ZOOMIN = 0xE305;
constexpr UINT AFX_ID_PREVIEW_ZOOMOUT = 0xE306;
// Texts of the page-count button: the one it switches to.
constexpr UINT AFX_IDS_ONEPAGE = 0xF0C3;
constexpr UINT AFX_IDS_TWOPAGE = 0xF0C4;

// What the frame sets aside while it previews.
struct CPrintPreviewState {
  UINT nIDMainPane = AFX_IDW_PANE_FIRST;
  CView* pViewActiveOld = nullptr;
  std::vector<HWND> hiddenBars;  // bars the preview hid, shown again after it
};

class CPreviewView : public CScrollView {
  DECLARE_DYNCREATE(CPreviewView)

 public:
  enum { ZOOM_OUT = 0, ZOOM_MIDDLE = 1, ZOOM_IN = 2 };

  CPreviewView();
  ~CPreviewView() override;

  // Starts printing `pPrintView` for the preview (its OnPreparePrinting, then OnBeginPrinting);
  // FALSE when the view declines.
  BOOL SetPrintView(CView* pPrintView);
  // Shows `nPage` first (kept within the view's page range).
  void SetCurrentPage(UINT nPage, BOOL bClearRatios);
  void SetZoomState(UINT nZoomState);
  UINT GetCurrentPage() const { return m_nCurrentPage; }
  UINT GetPageCount() const { return m_nPages; }
  UINT GetZoomState() const { return m_nZoomState; }
  // The pages the preview shows and where, in client coordinates.
  std::vector<CRect> PageRects();
  // The printed page in printer pixels.
  const framework::PreviewPage& Page() const { return m_page; }

  void OnDraw(CDC* pDC) override;

  CPrintInfo* m_pPreviewInfo = nullptr;
  CView* m_pPrintView = nullptr;
  CView* m_pOrigView = nullptr;
  CWnd* m_pToolBar = nullptr;
  std::unique_ptr<CPrintPreviewState> m_pPreviewState;
  // The context OnBeginPrinting and OnEndPrinting get: the printer's answers, no drawing.
  CDC* m_pPreviewDC = nullptr;

 protected:
  afx_msg void OnPreviewClose();
  afx_msg void OnPreviewPrint();
  afx_msg void OnNextPage();
  afx_msg void OnPrevPage();
  afx_msg void OnNumPageChange();
  afx_msg void OnZoomIn();
  afx_msg void OnZoomOut();
  afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
  afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
  afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
  afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
  afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnDestroy();

 private:
  friend class CView;
  // Draws page `nPage` into the page rectangle `on_screen` (device pixels of `pDC`); FALSE when
  // the view has no such page.
  BOOL DrawPage(CDC* pDC, UINT nPage, const CRect& on_screen);
  // The last page, or 0xFFFF while the view has not said.
  UINT LastPage() const;
  void UpdateScrollSizes();
  // One page box on the screen at the zoom state.
  CSize PageBoxSize() const;
  // Names the pages shown in the status line ("Strona 1", "Strony 1-2").
  void ShowPageNumber();
  // Ends printing once, whether the preview is closed or its frame goes first.
  void EndPrinting();

  std::unique_ptr<CPrintInfo> m_info;
  std::unique_ptr<CDC> m_attribDC;
  HDC m_attribTarget = nullptr;
  framework::PreviewPage m_page;
  HWND m_hPrintView = nullptr;
  UINT m_nPages = 1;
  UINT m_nCurrentPage = 1;
  UINT m_nZoomState = ZOOM_OUT;
  // The first page the view has none of (its OnPrepareDC stopped printing there), 0 until then.
  UINT m_nEndPage = 0;
  bool m_bPrinting = false;

  DECLARE_MESSAGE_MAP()
};

namespace framework {
// The page a preview shows for a printer's device mode (A4 portrait at 300 dots per inch for
// none), and for the application's printer selection.
PreviewPage preview_page_of(const DEVMODE* mode);
PreviewPage preview_page_of_selection();
}  // namespace framework
