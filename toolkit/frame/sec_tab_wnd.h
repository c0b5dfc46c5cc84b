// Tab windows: a child window holding several page windows and one tab control, showing the page
// of the active tab. SECTabWndBase keeps the pages (made from runtime classes or given as
// windows), activates them with focus and view handling and passes the tab control's
// notifications on. SECTabWnd (and SEC2DTabWnd, the same window under a second class name) puts a
// flat scrolling strip at the bottom left, shares one horizontal and one vertical scroll bar among
// the pages (each page keeps its own scroll state), and lets the user drag a splitter between the
// strip and the horizontal bar. SEC3DTabWnd puts a raised strip on any side of a framed page.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/create_context.h"
#include "toolkit/frame/sec_3d_tab_ctrl.h"
#include "toolkit/frame/sec_tab_ctrl.h"

// The tab control's child id, the first id of pages made without one, and the shared bars' ids.
constexpr UINT SEC_IDW_TABCTRL = 59952;
constexpr UINT SEC_IDW_FIRSTPAGE = 0xEB00;
constexpr UINT SEC_IDW_HSCROLL = 0xEC00;
constexpr UINT SEC_IDW_VSCROLL = 60671;

class SECTabWndBase : public CWnd {
  DECLARE_DYNAMIC(SECTabWndBase)

 public:
  SECTabWndBase();
  ~SECTabWndBase() override;

  using CWnd::Create;
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = AFX_IDW_PANE_FIRST);
  virtual std::unique_ptr<CScrollBar> CreateScrollBar(DWORD dwStyle, UINT nID);
  virtual BOOL CreateTabCtrl(DWORD dwStyle, UINT nID);
  virtual CWnd* InsertTab(const CRuntimeClass* pViewClass, int nIndex, LPCTSTR lpszLabel,
                          CCreateContext* pContext = nullptr, UINT nID = UINT(-1));
  virtual SECTab* InsertTab(CWnd* pWnd, int nIndex, LPCTSTR lpszLabel);
  virtual CWnd* AddTab(const CRuntimeClass* pViewClass, LPCTSTR lpszLabel, CCreateContext* pContext = nullptr,
                       UINT nID = UINT(-1));
  virtual SECTab* AddTab(CWnd* pWnd, LPCTSTR lpszLabel);
  virtual void LoadTabIcon(int nIndex, LPCTSTR lpszResource, int cx, int cy);
  virtual void LoadTabIcon(int nIndex, UINT nIDResource, int cx, int cy);
  virtual void SetTabIcon(int nIndex, HICON hIcon);
  virtual void SetTabScrollStyle(int nIndex, DWORD dwStyle);
  // The page leaves the strip (and is hidden); an index past the end does nothing.
  virtual void DeleteTab(int nIndex);
  virtual void DeleteTab(CWnd* pWnd);
  virtual void RenameTab(int nIndex, LPCTSTR lpszLabel);
  virtual void RenameTab(CWnd* pWnd, LPCTSTR lpszLabel);
  // An index at or past the tab count names no tab and changes nothing.
  virtual void ActivateTab(int nIndex);
  virtual void ActivateTab(CWnd* pWnd);
  virtual void ActivateTab(CWnd* pWnd, int nIndex);
  virtual void ClearSelection();
  virtual void EnsureTabVisible(int nIndex);
  virtual void EnsureTabVisible(CWnd* pWnd);
  virtual void FocusActivePage();
  virtual void SetNotifyWnd(CWnd* pWnd);
  virtual CWnd* GetNotifyWnd() const { return m_pNotifyWnd; }
  virtual void GetInsideRect(CRect& rect) const;
  virtual void RecalcLayout() {}

  int GetTabCount() const { return m_pTabCtrl ? m_pTabCtrl->GetTabCount() : 0; }
  BOOL GetTabInfo(int nIndex, CString& label, BOOL& bSelected, CWnd*& pWnd, DWORD& dwExtra, DWORD& dwExtra2) const;
  BOOL FindTab(const CWnd* pWnd, int& nIndex) const;
  BOOL GetActiveTabWindow(CWnd*& pWnd) const;
  BOOL GetActiveTabIndex(int& nIndex) const;
  CWnd* GetActiveWnd() const { return m_pActiveWnd; }
  SECTabControlBase* GetTabControl() const { return m_pTabCtrl.get(); }

 protected:
  // Makes a page from its class as a visible child; null when the class or its window fails.
  CWnd* CreatePage(const CRuntimeClass* pViewClass, CCreateContext* pContext, UINT nID);
  // The notify window hears that tab `nIndex` became active.
  void NotifyActivated(int nIndex);

  afx_msg LRESULT OnTabActivate(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnTabReclick(WPARAM wParam, LPARAM lParam);
  afx_msg void OnDestroy();

  std::unique_ptr<SECTabControlBase> m_pTabCtrl;
  CWnd* m_pActiveWnd = nullptr;
  CWnd* m_pWndCreating = nullptr;
  CWnd* m_pNotifyWnd = nullptr;
  // The style the tab control is made with.
  DWORD m_dwTabCtrlStyle = 0;
  // Pages made from classes that do not end themselves with their windows (views do).
  std::vector<std::unique_ptr<CWnd>> m_ownedPages;

  DECLARE_MESSAGE_MAP()
};

namespace tabwnd {

// Where the children of a flat tab window go.
struct FlatLayout {
  CRect page;
  CRect tabs;
  CRect hscroll;  // empty when the page uses no horizontal bar
  CRect vscroll;  // empty when the page uses no vertical bar
  int splitter;   // the splitter position after clamping
};

// The inside rectangle: the client less the strip at the bottom and, for a page with the
// vertical bar, less that bar at the right.
CRect FlatInside(const CRect& client, int stripHeight, int cxVScroll, DWORD pageScroll);
// The children for the inside rectangle `page` and the splitter position.
FlatLayout LayoutFlat(const CRect& page, int stripHeight, int cxVScroll, DWORD pageScroll, int splitter);
// The splitter's rectangle.
CRect SplitterRect(const CRect& page, int splitter, int stripHeight);
// The splitter position after a size change: on the first size the page width less 60 with the
// horizontal bar (at least 0), else the page width; later only pulled back to width - 60.
int SizedSplitter(int splitter, int width, bool first, bool hscroll);

// The raised tab window's page rectangle in `client` for the tab position bits.
CRect RaisedInside(const CRect& client, DWORD position);
// The strip's rectangle beside `page`.
CRect RaisedStrip(const CRect& client, const CRect& page, DWORD position);

}  // namespace tabwnd

class SECTabWnd : public SECTabWndBase {
  DECLARE_DYNCREATE(SECTabWnd)

 public:
  SECTabWnd();
  ~SECTabWnd() override;

  using SECTabWndBase::ActivateTab;
  using SECTabWndBase::DeleteTab;
  using SECTabWndBase::InsertTab;
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = AFX_IDW_PANE_FIRST) override;
  BOOL CreateTabCtrl(DWORD dwStyle, UINT nID) override;
  CWnd* InsertTab(const CRuntimeClass* pViewClass, int nIndex, LPCTSTR lpszLabel, CCreateContext* pContext = nullptr,
                  UINT nID = UINT(-1)) override;
  SECTab* InsertTab(CWnd* pWnd, int nIndex, LPCTSTR lpszLabel) override;
  void SetTabScrollStyle(int nIndex, DWORD dwStyle) override;
  void DeleteTab(int nIndex) override;
  void ActivateTab(int nIndex) override;
  void ActivateTab(CWnd* pWnd) override;
  void ActivateTab(CWnd* pWnd, int nIndex) override;
  void GetInsideRect(CRect& rect) const override;
  void RecalcLayout() override;
  // The shared bar of `nBar` (0 horizontal, 1 vertical) when the page (or the active one) uses it.
  virtual CScrollBar* GetScrollBar(int nBar, const CWnd* pWnd = nullptr) const;

  void SetNormalTabFont(CFont* pFont, BOOL bRedraw = TRUE);
  void SetSelectedTabFont(CFont* pFont, BOOL bRedraw = TRUE);
  void SetActiveTabFont(CFont* pFont, BOOL bRedraw = TRUE);

  DWORD GetTabScrollStyle(int nIndex) const;
  int GetSplitterPos() const { return m_nSplitterPos; }
  CRect GetSplitterRect() const;
  int StripHeight() const { return m_cyHScroll; }

 protected:
  DWORD ScrollStyleOf(const CWnd* pWnd) const;

  afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg LRESULT OnTabActivate(WPARAM wParam, LPARAM lParam);

  std::unique_ptr<CScrollBar> m_pHScroll;
  std::unique_ptr<CScrollBar> m_pVScroll;
  std::vector<DWORD> m_scrollStyles;
  std::vector<SCROLLINFO> m_hState;
  std::vector<SCROLLINFO> m_vState;
  int m_nSplitterPos = 0;
  bool m_bFirstSize = true;
  bool m_bTracking = false;
  bool m_bOverSplitter = false;
  int m_nTrackOffset = 0;
  int m_cxVScroll = 0;
  int m_cyHScroll = 0;
  HCURSOR m_hcurSplit = nullptr;
  HCURSOR m_hcurArrow = nullptr;

  DECLARE_MESSAGE_MAP()
};

// The flat tab window under a second class name.
class SEC2DTabWnd : public SECTabWnd {
  DECLARE_DYNCREATE(SEC2DTabWnd)
};

class SEC3DTabWnd : public SECTabWndBase {
  DECLARE_DYNCREATE(SEC3DTabWnd)

 public:
  SEC3DTabWnd();
  ~SEC3DTabWnd() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | TWS_TABS_BELOW,
              UINT nID = AFX_IDW_PANE_FIRST) override;
  BOOL CreateTabCtrl(DWORD dwStyle, UINT nID) override;
  void GetInsideRect(CRect& rect) const override;
  void RecalcLayout() override;

  SEC3DTabControl* Get3DTabControl() const { return static_cast<SEC3DTabControl*>(m_pTabCtrl.get()); }
  DWORD TabPosition() const;

 protected:
  afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg LRESULT OnTabActivate(WPARAM wParam, LPARAM lParam);

  int m_cyStrip = 0;
  int m_cxStrip = 0;

  DECLARE_MESSAGE_MAP()
};
