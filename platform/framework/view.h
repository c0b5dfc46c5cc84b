// Views: the windows that show a document inside a frame. A plain view draws with OnDraw; a
// scroll view keeps a total size and a scroll position and moves the drawing origin; a form view
// is a view filled with the controls of a dialog template.
//
// A view belongs to its document (created with the frame through CCreateContext) and deletes
// itself when its window goes. Commands reach the view first, then its document.
#pragma once

#include <memory>

#include "platform/framework/create_context.h"
#include "platform/framework/print_info.h"
#include "platform/win/cwnd.h"

class CDocument;
class CFrameWnd;
class CDataExchange;
class CPreviewView;
struct CPrintPreviewState;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)

 public:
  CView() = default;
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }
  CFrameWnd* GetParentFrame() const;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  void PostNcDestroy() override;

  // Drawing: OnPrepareDC sets up the context (mapping and origin), OnDraw draws the document.
  virtual void OnDraw(CDC* pDC) = 0;
  virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
  virtual void OnInitialUpdate();
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
  // A pane of a splitter with shared scroll bars scrolls with the bar of its column or row.
  CScrollBar* GetScrollBarCtrl(int nBar) const override;

  // --- Printing ---
  virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
  // Asks for the printer (unless direct) and fills the job's printer or output file.
  BOOL DoPreparePrinting(CPrintInfo* pInfo);
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
  // The preview's Close: ends printing, gives the frame its view back and ends the preview.
  virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);
  // Shows the pages of `pPrintView` in a preview view of `pPreviewViewClass` in place of this
  // view in its frame, with the preview strip of `nIDResource` along the top; FALSE (and the
  // frame as it was) when the preview could not start.
  BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, const CRuntimeClass* pPreviewViewClass,
                      std::unique_ptr<CPrintPreviewState> pState);
  afx_msg void OnFilePrint();
  afx_msg void OnFilePrintPreview();

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnPaint();
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
  // ID_WINDOW_SPLIT: the keyboard split mode of the dynamic splitter the view is a pane of.
  afx_msg BOOL OnSplitCmd(UINT nID);
  afx_msg void OnUpdateSplitCmd(CCmdUI* pCmdUI);

 public:
  CDocument* m_pDocument = nullptr;

  DECLARE_MESSAGE_MAP()
};

// Mapping-mode marker of a scroll view that scales its contents to the window.
constexpr int MM_SCALETOFIT = -1;

class CScrollView : public CView {
  DECLARE_DYNAMIC(CScrollView)

 public:
  static const SIZE sizeDefault;

  // Sizes in logical units of `nMapMode`; default page and line are a tenth and a hundredth.
  void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                      const SIZE& sizeLine = sizeDefault);
  CPoint GetScrollPosition() const;
  CPoint GetDeviceScrollPosition() const;
  CSize GetTotalSize() const { return m_totalLog; }
  void ScrollToPosition(POINT pt);
  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
  // Scrolls by one step of `nScrollCode` on a bar; TRUE when the position changed.
  virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
  virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

 protected:
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  void UpdateBars();

  int m_nMapMode = 0;
  CSize m_totalLog, m_totalDev, m_pageDev, m_lineDev;

  DECLARE_MESSAGE_MAP()
};

class CFormView : public CScrollView {
  DECLARE_DYNAMIC(CFormView)

 public:
  explicit CFormView(UINT nIDTemplate) : m_nIDHelp(nIDTemplate), m_nIDTemplate(nIDTemplate) {}

  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;
  void OnDraw(CDC*) override {}
  void OnInitialUpdate() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  virtual void DoDataExchange(CDataExchange* pDX);
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

  UINT m_nIDHelp;

 protected:
  UINT m_nIDTemplate;
};
