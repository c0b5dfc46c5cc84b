// The toolkit's MDI frames. SECMDIFrameWnd docks toolkit bars in its own dock bars (SECDockBar),
// floats them in SECMiniDockFrameWnd frames or in frames inside its MDI client
// (SECControlBarMDIChildWnd, "Float In Main Window"), routes commands through the active one of
// those, and holds the hooks for a control-bar manager, a menu plug-in and a window plug-in.
// SECMDIChildWnd is the matching MDI child frame; SECControlBarMDIChildWnd hosts one floating bar.
//
// The main frame keeps the window manager's caption: the self-painted caption cannot be switched
// on, but DrawCaption paints one into any device context.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/framework/mdi.h"
#include "toolkit/frame/sec_dock_bar.h"
#include "toolkit/frame/sec_frame_docking.h"

class SECControlBarManager;
class SECWndPlugIn;
class CDockState;
class CDC;
class CFont;


// The resource id the frames inside the main window load with.
constexpr UINT IDR_SECMDIFLOAT = 20514;

namespace caption {

// One band of the active caption's gradient: its left and right edge and its colour.
struct Band {
  int left;
  int right;
  COLORREF colour;
};
// The gradient over `width` pixels from `from` towards `to`: min(60, width) bands of equal width
// (the last reaching the right edge), each colour stepped in 8.8 fixed point and never past `to`.
std::vector<Band> Gradient(int width, COLORREF from, COLORREF to);
// Where the caption text starts: 3 pixels in, or centred (alignment 1) or right-aligned (other
// values than 0 and 1) in `width`, never left of `start`.
int TextLeft(int alignment, int start, int width, int textWidth);

}  // namespace caption

class SECMDIFrameWnd : public CMDIFrameWnd {
  DECLARE_DYNCREATE(SECMDIFrameWnd)

 public:
  SECMDIFrameWnd();
  ~SECMDIFrameWnd() override;

  // --- Framework operations ---
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  CFrameWnd* GetActiveFrame() override;
  void RecalcLayout(BOOL bNotify = TRUE) override;
  void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  void OnUpdateFrameMenu(HMENU hMenuAlt) override;
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) override;
  void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr) override;
  void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr) override;
  void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr) override;
  void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) override;

  // --- Docking ---
  // Makes the dock bars of the sides `dwDockStyle` names that are missing yet.
  void EnableDocking(DWORD dwDockStyle);
  virtual CDockBar* CreateDockBar();
  // Docks the bar at an insert record of the dock bar `nDockBarID` (0: the one of the bar's side)
  // with a share of its row and a length.
  virtual void DockControlBar(CControlBar* pBar, const SECDockBarInsertRecord& rec, UINT nDockBarID,
                              const SECDockInfo& info);
  virtual void DockControlBarAt(CControlBar* pBar, UINT nDockBarID, int nCol, int nRow, float fPctWidth, int nLength);
  // The application's name for DockControlBarAt.
  void DockControlBarSized(CControlBar* pBar, UINT nDockBarID, int nCol, int nRow, float fPctWidth, int nLength) {
    DockControlBarAt(pBar, nDockBarID, nCol, nRow, fPctWidth, nLength);
  }
  void DockControlBarInto(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect);
  void FloatControlBarAt(CControlBar* pBar, CPoint point, DWORD dwStyle);
  // Floats the bar in a frame inside the MDI client at screen point (x, y), or with a negative
  // coordinate at the next cascade point.
  void FloatControlBarInMDIChild(CControlBar* pBar, int x, int y, DWORD dwStyle);
  virtual CFrameWnd* CreateMDIFloatFrame(DWORD dwStyle);
  virtual void ActivateFloatingFrame(CFrameWnd* pFrame);
  virtual void DeactivateFloatingFrame(BOOL bActivateThis);
  CFrameWnd* GetActiveFloatingFrame() const { return m_pActiveMDIFloat; }

  // --- The saved layout: the toolkit's dock state (an SECDockState; another kind of state is the
  // framework's) ---
  virtual void LoadBarState(LPCTSTR lpszProfileName);
  virtual void SaveBarState(LPCTSTR lpszProfileName) const;
  virtual void SetDockState(const CDockState& state);
  virtual void GetDockState(CDockState& state) const;

  virtual SECControlBarManager* GetControlBarManager() const { return m_pControlBarManager; }
  // The bitmap menus take the images of a toolbar manager.
  virtual void SetControlBarManager(SECControlBarManager* pManager);
  // Whether the control-bar manager customizes the bars now.
  BOOL InConfigMode() const;

  // --- Caption ---
  virtual BOOL CreateItalicCaptionFont(CFont& font);
  virtual BOOL CreateCaptionFont(CFont& font);
  // Paints a caption of `rect` (the device's coordinates) with the window's text: the gradient or
  // the inactive colour, the part before the first hyphen in italics.
  virtual void DrawCaption(CDC* pDC, const CRect& rect, BOOL bActive);
  // The window manager draws the caption: the self-painted one stays off. Returns the old state.
  BOOL EnableCustomCaption(BOOL bEnable, BOOL bRedraw = TRUE);

  // --- Menus and plug-ins ---
  virtual HMENU GetDefaultMenu();
  virtual void RefreshMenuBar(UINT nMenuID);
  virtual void UpdateMenuBarLayout();
  virtual void ApplyMenuBarMenu();
  virtual CWnd* GetMenuBar() const { return m_pMenuBar; }
  BOOL HasMenuBar() const { return m_pMenuBar != nullptr; }
  // The frame shows its menus on `pBar` (a menu bar of the toolkit) instead of its window menu: the
  // window menu goes, the menu-bar feature replaces the menu plug-in and the default menu is shown.
  virtual void SetMenuBar(CWnd* pBar);
  SECWndPlugIn* GetMenuPlugIn() const { return m_pMenuPlugIn; }
  HMENU GetActiveMenu() const;
  void EnableBitmapMenus(BOOL bEnable, BOOL bOption) {
    m_bBitmapMenus = bEnable;
    m_bBitmapMenuOption = bOption;
  }
  virtual SECWndPlugIn* CreateWindowPlugIn(DWORD dwValue1, DWORD dwValue2, const CRuntimeClass* pClass, DWORD dwValue3);
  virtual void OnFrameActivated();
  virtual HMENU GetMenuForResourceId(UINT nMenuID);
  virtual void RecalcLayoutOnIdle();

  CRect m_rectInside;
  const CRuntimeClass* m_pDockBarClass = nullptr;
  const CRuntimeClass* m_pMDIFloatFrameClass = nullptr;
  CPoint m_ptCascade{30, 30};
  CFrameWnd* m_pActiveMDIFloat = nullptr;
  SECControlBarManager* m_pControlBarManager = nullptr;
  BOOL m_bActivateView = FALSE;
  int m_nCaptionAlign = 0;
  BOOL m_bCaptionActive = FALSE;
  BOOL m_bCustomCaption = FALSE;
  CWnd* m_pMenuBar = nullptr;
  // The menu plug-in sees every message of the frame first; deleted when the frame closes.
  SECWndPlugIn* m_pMenuPlugIn = nullptr;
  BOOL m_bBitmapMenus = FALSE;
  BOOL m_bBitmapMenuOption = FALSE;
  HMENU m_hMenuBarDefault = nullptr;
  std::map<UINT, HMENU> m_menuMap;
  UINT m_nIDDefaultMenu = 0;
  UINT m_nIDMenuBarDefault = 0;
  std::vector<std::unique_ptr<CControlBar>> m_createdBars;
  // Sees commands before the frame.
  std::unique_ptr<SECWndPlugIn> m_pWindowPlugIn;
  BOOL m_bWin4 = TRUE;
  // Set while a bar moves into or out of a frame inside the main window.
  BOOL m_bTogglingMDIFloat = FALSE;

 protected:
  // The dock bar of `nDockBarID`, else the side the bar's alignment names, else the first side it
  // may dock on; null when none.
  CDockBar* DockBarFor(CControlBar* pBar, UINT nDockBarID);
  // Floats the bar in a new floating frame at `point` (FloatControlBar and FloatControlBarAt).
  void FloatInNewFrame(CControlBar* pBar, CPoint point, DWORD dwStyle, BOOL bAlwaysShow);

  // The menu plug-in the frame's settings ask for: the menu-bar feature with a menu bar, else the
  // bitmap menus when they are on, else none.
  void CreateMenuPlugIn();

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnClose();
  afx_msg void OnSysColorChange();
  afx_msg LRESULT OnBarContextMenu(WPARAM wParam, LPARAM lParam);
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetMenu(WPARAM wParam, LPARAM lParam);
  afx_msg void OnReservedCommand(UINT) {}
  afx_msg void OnUpdateReservedCommand(CCmdUI*) {}

  DECLARE_MESSAGE_MAP()
};

class SECMDIChildWnd : public CMDIChildWnd {
  DECLARE_DYNCREATE(SECMDIChildWnd)

 public:
  // The dock bar of a frame that holds a bar floating inside the main window; null for others.
  virtual SECDockBar* GetFloatBarDock() { return nullptr; }

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) override;
  virtual void ReapplyFrameMenu();

  UINT m_nMenuID = 0;
  BOOL m_bMenuIDSet = FALSE;
  HMENU m_hMenuAlt = nullptr;

 protected:
  SECMDIFrameWnd* MainFrame() const;
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg void OnChildActivate();
  afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
  afx_msg void OnSize(UINT nType, int cx, int cy);

  DECLARE_MESSAGE_MAP()
};

// What a frame inside the main window does for the one floating bar it holds: its dock bar,
// sizing the bar with the frame, the frame's caption from the bar, hiding the bar instead of
// closing, and keeping the frame's place in the bar. SECControlBarMDIChildWnd and the workbook's
// bar sheet both work through one.
class SECFloatBarHost {
 public:
  explicit SECFloatBarHost(CMDIChildWnd* pFrame);
  SECFloatBarHost(const SECFloatBarHost&) = delete;
  SECFloatBarHost& operator=(const SECFloatBarHost&) = delete;

  // Makes the dock bar (on the main frame, so the docking layout knows it, then moved into the
  // frame) without laying the frame out meanwhile.
  BOOL CreateDockBar();
  // The one bar it holds when the dock bar takes a single bar; null otherwise.
  CControlBar* SingleBar() const;
  // The frame's caption becomes the dock bar's text.
  void UpdateCaption();
  // The visible single bar takes the frame's client size (plus the toolkit border each side).
  void FitBar(UINT nType, int cx, int cy);
  // Closing hides the single bar (the frame restored first); FALSE when the frame should close.
  BOOL HideBar();
  // The frame's screen position goes to the single bar as its place inside the main window.
  void StorePosition();
  // The main frame's MDI client refreshes its window menu.
  void RefreshMenu();

  SECDockBar m_wndDockBar;
  CMDIChildWnd* m_pFrame;
};

class SECControlBarMDIChildWnd : public SECMDIChildWnd {
  DECLARE_DYNCREATE(SECControlBarMDIChildWnd)

 public:
  SECControlBarMDIChildWnd();
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void RecalcLayout(BOOL bNotify = TRUE) override;
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  SECDockBar* GetFloatBarDock() override { return &m_wndDockBar; }

  SECFloatBarHost m_host;
  SECDockBar& m_wndDockBar;

 protected:
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnClose();
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);

  DECLARE_MESSAGE_MAP()
};
