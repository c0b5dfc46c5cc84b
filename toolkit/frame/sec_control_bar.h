// The toolkit's docking bar: a control bar with an extended style word (BAREX_), remembered sizes
// for each docking state, a share of the row it is docked in, a gripper with close and
// expand/restore buttons, a standard context menu and scaling of its child windows.
//
// Docked it lives in an SECDockBar, which gives it its share of a row; floating it lives in a
// floating frame. The hooks around docking and floating are for derived bars; their bases do
// nothing beyond calling the plain hook.
#pragma once

#include <vector>

#include "platform/framework/control_bar.h"
#include "platform/framework/frame_wnd.h"

class CMenu;
class CDockContext;
class SECDockBar;
class SECBarStateRecord;

constexpr DWORD BAREX_CONTEXT_MENU = 0x0001;
constexpr DWORD BAREX_SCALE_CHILDREN = 0x0002;
constexpr DWORD BAREX_FIXED_SIZE = 0x0004;
constexpr DWORD BAREX_FIXED_ROW = 0x0008;
constexpr DWORD BAREX_MARGIN = 0x0010;
constexpr DWORD BAREX_MDI_FLOAT = 0x0020;
constexpr DWORD BAREX_FIT_CHILD = 0x0040;
constexpr DWORD BAREX_OWN_ROW = 0x0080;
constexpr DWORD BAREX_FLAT = 0x0100;
constexpr DWORD BAREX_GRIPPER = 0x0200;
constexpr DWORD BAREX_CLOSE_BUTTON = 0x0400;
constexpr DWORD BAREX_EXPAND_BUTTON = 0x0800;
// With BAREX_FLAT, a customizable toolbar draws its buttons over what lies behind them. (For a
// customizable toolbar BAREX_FLAT is its cool look, BAREX_OWN_ROW stretches it along its row and
// BAREX_FIXED_SIZE, always set, widens its gripper side by 2 pixels.)
constexpr DWORD BAREX_TRANSPARENT = 0x1000;

// Commands of the standard context menu and the message that offers it to the frame.
constexpr UINT ID_SECBAR_TOGGLE_DOCKING = 43040;
constexpr UINT ID_SECBAR_HIDE = 43041;
constexpr UINT ID_SECBAR_FLOAT_IN_MAIN = 43042;
constexpr UINT WM_SECBAR_CONTEXTMENU = 0x38FF;

// Tool ids of the gripper's buttons.
constexpr UINT SECBAR_CLOSE_TOOL = 1024;
constexpr UINT SECBAR_EXPAND_TOOL = 2048;

// The gripper's geometry and the tips of its buttons.
class SECBarMetrics : public CObject {
 public:
  SECBarMetrics();
  virtual int GetHorzExtent() const;
  virtual int GetVertExtent() const;

  int m_horz[5] = {4, 3, 1, 3, 6};  // margin, grip line, gap, grip line, margin
  int m_vert[5] = {4, 3, 1, 3, 6};
  int m_inset = 3;
  CString m_strCloseTip;
  CString m_strExpandTip;
  CString m_strRestoreTip;
};

// The size a new bar takes docked and floating.
struct SECControlBarDefaultSize {
  static CSize value;
};

namespace barlayout {

// Where the close button of a gripper strip goes, and the strip that is left for the next button.
// Horizontal: a square from the strip's top; otherwise a square from the strip's right end.
CRect CloseButtonRect(CRect& strip, BOOL bHorz);
// A child's rectangle scaled from the reference client size to the inside size at `origin`.
CRect ScaleChild(const CRect& child, CSize reference, CSize inside, CPoint origin);
// The length a dynamic layout commits: the length, or with LM_STRETCH that share of it.
int CommitLength(int nLength, DWORD nMode, float share);

}  // namespace barlayout

class SECControlBar : public CControlBar {
  DECLARE_DYNCREATE(SECControlBar)

 public:
  SECControlBar();
  ~SECControlBar() override;

  using CControlBar::Create;
  virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID,
                      CCreateContext* pContext = nullptr);
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
  virtual void GetInsideRect(CRect& rect) const;
  // Makes the bar's dock context: a toolkit one.
  virtual CDockContext* CreateDockContext();
  // Stores the sides the bar may dock on and makes its dock context the first time.
  void EnableDocking(DWORD dwDockStyle);
  virtual void SetExStyle(DWORD dwExStyle, BOOL bRecalc = TRUE);
  virtual void ModifyExStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRecalc = TRUE);
  DWORD GetExStyle() const { return m_dwExStyle; }
  void DrawBorders(CDC* pDC, CRect& rect) override;

  virtual void OnBeforeDock() { OnDock(); }
  virtual void OnDock() {}
  virtual void OnAfterDock() {}
  virtual void OnBeforeFloat() { OnFloat(); }
  virtual void OnFloat() {}
  virtual void OnAfterFloat() {}
  virtual void OnBeforeMDIFloat() { OnMDIFloat(); }
  virtual void OnMDIFloat() {}
  virtual void OnAfterMDIFloat() {}
  virtual void ExtendContextMenu(CMenu* pMenu);
  virtual BOOL CanClose() const { return TRUE; }
  virtual BOOL CanExpand() const { return TRUE; }
  // Adds the gripper's extent to cx (horizontal) or cy; returns the amount.
  virtual int AddGripperExtent(CSize& size, BOOL bHorz) const;
  void DrawGripper(CDC* pDC, const CRect& rect) override;
  virtual void LayoutCloseButton(CDC* pDC, CRect& strip, BOOL bHorz);
  virtual void DrawCloseButtonPressed(CDC* pDC);
  virtual void DrawCloseButton(CDC* pDC);
  virtual void LayoutExpandButton(CDC* pDC, CRect& strip, BOOL bHorz);
  virtual void DrawExpandButtonPressed(CDC* pDC);
  virtual void DrawExpandButton(CDC* pDC);
  virtual void UpdateExpandButton(BOOL bHorz);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
  void DoPaint(CDC* pDC) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

  // Without BAREX_FLAT the framework's inside rectangle; flat, one pixel per bordered side, then
  // the framework's borders with the leading one (left across a horizontal bar, the top of an
  // upright one when `bGripper`) taken by the gripper while the bar is docked with one.
  void CalcInsideRect(CRect& rect, BOOL bHorz) const override { CalcInsideRect(rect, bHorz, FALSE); }
  void CalcInsideRect(CRect& rect, BOOL bHorz, BOOL bGripper) const;
  // Paints the non-client area: the borders, and the background through WM_ERASEBKGND.
  void EraseNonClient();
  // The MDI child frame that holds the bar's dock bar while it floats inside the main window.
  CWnd* GetMDIChildFrame() const;

  // The saved layout: the framework's values, then (for a toolkit record) the toolkit's own.
  void GetBarInfo(CControlBarInfo* pInfo) override;
  void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;
  virtual void GetBarInfoEx(SECBarStateRecord* pInfo);
  // Sizes of 0 keep the bar's own; a share of 0 keeps the bar's.
  virtual void SetBarInfoEx(SECBarStateRecord* pInfo, CFrameWnd* pFrameWnd);

  // The first of the 1000 ids from `nFirst` that no control bar of `pFrame` uses; 0 when none.
  static UINT GetUniqueBarId(CFrameWnd* pFrame, UINT nFirst);
  // The dock bar holding this bar when it is a toolkit dock bar.
  SECDockBar* GetSECDockBar() const;
  BOOL IsDocked() const { return m_pDockBar && !IsFloating(); }
  bool HasChildRecords() const { return !m_children.empty(); }
  const CRect& GetCloseButtonRect() const { return m_rectClose; }
  const CRect& GetExpandButtonRect() const { return m_rectExpand; }

  CSize m_szHorzDock;
  CSize m_szVertDock;
  CSize m_szFloat;
  DWORD m_dwMRUDockingState = 0;
  float m_fPctWidth = 1.0f;
  // The screen point of the frame that held the bar inside the main window last (-1, -1: none).
  CPoint m_ptMDIFloat{-1, -1};
  float m_fSavedPctWidth = 1.0f;
  DWORD m_dwExStyle = 0;
  CRect m_rectMargin{10, 10, 10, 10};
  SECBarMetrics m_metrics;
  CRect m_rectClose;
  BOOL m_bClosePressed = FALSE;
  CRect m_rectExpand;
  BOOL m_bExpandPressed = FALSE;
  BOOL m_bExpandEnabled = TRUE;
  BOOL m_bNotExpanded = TRUE;
  BOOL m_bButtonsHorz = TRUE;
  HWND m_hWndRepaint = nullptr;

 protected:
  struct ChildRecord {
    HWND hWnd;
    CRect rect;
  };
  // Records the children at the client size; the records wait for the first real size when the
  // client area is still empty.
  void RecordChildren();
  void ScaleChildren(CPoint origin, CSize inside);
  // The inside origin and size for a client size (gripper strip or margin left out).
  void InsideOf(CSize client, CPoint& origin, CSize& inside) const;
  void RedrawButtons();
  void RequestFrameLayout();

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnDestroy();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnToggleDocking();
  afx_msg void OnHideBar();
  afx_msg void OnFloatInMainWindow();

  std::vector<ChildRecord> m_children;
  bool m_bChildrenPending = false;
  bool m_bTrackingLeave = false;

  DECLARE_MESSAGE_MAP()
};
