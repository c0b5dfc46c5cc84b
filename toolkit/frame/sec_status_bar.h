// The toolkit's status bars. SECStatusBar is a control bar whose window is the platform's
// status-bar control: a table of panes (command id, text width, style, text) laid out across the
// bar, stretch panes sharing the spare width, kept current by command-UI updates. The control
// draws the plain bar. SECCustomStatusBar draws every pane itself (owner-drawn): text and
// background colours, alignment, bitmaps, cursors, child windows in panes and a progress control
// shown over the bar.
#pragma once

#include <memory>
#include <vector>

#include "platform/controls/status_bar_ctrl.h"
#include "platform/framework/status_bar.h"
#include "toolkit/frame/sec_control_bar.h"

class SECProgressCtrl;

// One pane of the bar, in pane order.
struct SECStatusPane {
  UINT nID = 0;     // 0 for the pane that holds the window text
  int cxText = 0;   // text width in pixels
  UINT nStyle = 0;  // SBPS_ bits
  UINT nFlags = 0;  // kTextPending: the text has not reached the control yet
  CString strText;

  static constexpr UINT kTextPending = 0x1;
};

namespace statuslayout {

struct PaneSize {
  int cxText;
  bool stretch;
};

// Extra pixels a pane takes beyond its text width.
constexpr int kPaneExtra = 6;

// The right edges of the panes for SB_SETPARTS: each pane its text width + 6 from the horizontal
// border on, panes `spacing` apart; stretch panes share what the inside width leaves over, each
// taking the spare divided by the stretch panes still to come (so 101 pixels go 50 and 51).
std::vector<int> PaneEdges(const std::vector<PaneSize>& panes, int insideWidth, int borderX, int spacing);

// The rectangle of pane `index` from the control's part edges and borders in a client area of
// `client` size; empty when there are no parts or the index lies past them.
CRect PaneRect(const std::vector<int>& edges, int index, int borderX, int borderY, int spacing, CSize client);

// The bar's height for a font: height - internal leading - 1 + 2 * (border + vertical border) +
// the insets, at least `minHeight`.
int BarHeight(const TEXTMETRIC& tm, int cyBorder, int borderY, int insets, int minHeight);

// Where a pane's text starts for its alignment (TA_LEFT, TA_CENTER, TA_RIGHT) in `item`.
int TextX(const CRect& item, UINT align, int textWidth);

}  // namespace statuslayout

class SECStatusBar : public SECControlBar {
  DECLARE_DYNCREATE(SECStatusBar)

 public:
  SECStatusBar();
  ~SECStatusBar() override;

  using SECControlBar::Create;
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                      UINT nID = AFX_IDW_STATUS_BAR);
  virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
  void SetBarStyle(DWORD dwStyle) override;
  // Draws an owner-drawn pane; nothing here.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

  // One pane per id; a pane with an id takes its string as text (two spaces when there is none)
  // and is as wide as that text; the id-0 pane is a quarter of the screen wide, and stretches
  // without borders when it comes first.
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

  int CommandToIndex(UINT nIDFind) const;
  // 0 for an index out of range.
  UINT GetItemId(int nIndex) const;
  UINT GetItemID(int nIndex) const { return GetItemId(nIndex); }
  // The pane's rectangle (SB_GETRECT), empty when the control refuses.
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  UINT GetPaneStyle(int nIndex) const;
  void SetPaneStyle(int nIndex, UINT nStyle);
  void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
  CString GetPaneText(int nIndex) const;
  void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
  // Stores the text (null empties it); with bUpdate it reaches the control at once. An unchanged
  // text that the control already has is not sent again. False for an index out of range.
  BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
  int GetPaneCount() const { return int(m_panes.size()); }
  const SECStatusPane* GetPane(int nIndex) const { return Valid(nIndex) ? &m_panes[size_t(nIndex)] : nullptr; }

  int GetMinHeight() const { return m_nMinHeight; }

 protected:
  bool Valid(int nIndex) const { return nIndex >= 0 && nIndex < int(m_panes.size()); }
  // Lays the panes out again (bRects) and sends the texts still pending (bText).
  void UpdateAllPanes(BOOL bRects, BOOL bText);
  // Sends a pane's stored text to the control with its drawing type.
  void SendPaneText(int nIndex);
  CFont* BarFont() const;
  int TextWidth(const CString& text) const;
  void Borders(int& cxBorder, int& cyBorder, int& spacing) const;
  // The insets of the control-bar base (borders) on each side.
  CRect Insets() const;

  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);

  std::vector<SECStatusPane> m_panes;
  int m_nMinHeight = 0;
  // Every pane's text goes to the control as owner-drawn (the custom bar draws its panes).
  bool m_bOwnerDrawPanes = false;

  DECLARE_MESSAGE_MAP()
};

// Extra drawing values of one pane of a custom bar.
struct SECStatusPaneExtra {
  COLORREF clrText = 0;
  COLORREF clrBk = 0;
  HBITMAP hBitmap = nullptr;  // the caller's bitmap, kept alive by the caller
  HCURSOR hCursor = nullptr;
  UINT nAlign = 0;            // TA_ value
  UINT nFlags = 0;            // SBP_ mask bits that are set
};

// Mask bits of SECStatusPaneInfo and flags of SECStatusPaneExtra.
constexpr UINT SBP_ID = 0x1;
constexpr UINT SBP_STYLE = 0x2;
constexpr UINT SBP_WIDTH = 0x4;
constexpr UINT SBP_TEXT = 0x8;
constexpr UINT SBP_TEXTALIGN = 0x10;
constexpr UINT SBP_TEXTCOLOR = 0x20;
constexpr UINT SBP_BKCOLOR = 0x40;
constexpr UINT SBP_BITMAP = 0x80;
constexpr UINT SBP_CURSOR = 0x100;
constexpr UINT SBP_ALL = 0x1FF;

struct SECStatusPaneInfo {
  int iIndex = 0;
  UINT nID = 0;
  UINT nStyle = 0;
  int cxWidth = 0;
  CString strText;
  COLORREF clrText = 0;
  COLORREF clrBk = 0;
  HBITMAP hBitmap = nullptr;
  HCURSOR hCursor = nullptr;
  UINT nAlign = 0;
  UINT nMask = 0;
};

// Placement flags of a pane window.
constexpr UINT SBP_WND_OWN_WIDTH = 0x1;
constexpr UINT SBP_WND_OWN_HEIGHT = 0x2;
constexpr UINT SBP_WND_INSET = 0x4;

class SECCustomStatusBar : public SECStatusBar {
  DECLARE_DYNCREATE(SECCustomStatusBar)

 public:
  SECCustomStatusBar();
  ~SECCustomStatusBar() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  // Shows `text` (or nothing) in pane 0 over the whole bar with a progress control after it,
  // ranging lower..upper; TRUE when the progress control exists.
  virtual BOOL BeginProgress(LPCTSTR lpszText = nullptr, int nLower = 0, int nUpper = 100, BOOL bReset = TRUE,
                             DWORD dwProgressStyle = 0x4100);
  // Removes the progress control and puts pane 0 back as it was.
  virtual void EndProgress();
  virtual void ShowPaneWindows(BOOL bShow);
  virtual void LayoutPaneWindows();

  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
  BOOL GetPaneInfoEx(SECStatusPaneInfo* pInfo) const;
  BOOL SetPaneInfoEx(const SECStatusPaneInfo* pInfo, BOOL bResize = TRUE);
  void GetPaneRect(int nIndex, LPRECT lpRect) const;
  int PaneFromPoint(CPoint point) const;
  // A child window shown in a pane (placed by LayoutPaneWindows) with its placement flags.
  void SetPaneWindow(int nIndex, CWnd* pWnd, UINT nFlags);
  CWnd* GetPaneWindow(int nIndex) const;
  UINT GetPaneWindowFlags(int nIndex) const;
  SECProgressCtrl* GetProgressCtrl() const { return m_pProgress.get(); }

 protected:
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
  afx_msg void OnDestroy();

  // Sends the parent WM_SIZE with its present size, so the frame lays out again.
  void ResizeParent();
  // After a size change: pane 0 stretched over the client width and the progress control after
  // its text while a progress shows, else the pane windows placed.
  void FollowSize();

  afx_msg void OnSize(UINT nType, int cx, int cy);

  std::unique_ptr<SECProgressCtrl> m_pProgress;
  std::unique_ptr<SECStatusPaneInfo> m_pSavedPane0;
  std::vector<SECStatusPaneExtra> m_extras;
  std::vector<CWnd*> m_paneWnds;
  std::vector<UINT> m_paneWndFlags;
  int m_nProgressLeft = 0;  // where the progress control starts in the client area

  DECLARE_MESSAGE_MAP()
};
