// The toolkit's single-document frame: a framework frame window with the toolkit's dock bars,
// floating frames, saved layout, control-bar manager, menu and window plug-ins and caption
// painter, as SECMDIFrameWnd has them, without bars floating inside the frame. The docking itself
// is shared with SECMDIFrameWnd (sec_frame_docking.h).
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/frame_wnd.h"
#include "toolkit/frame/sec_frame_docking.h"

class SECControlBarManager;
class SECWndPlugIn;
class CDC;
class CFont;

class SECFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(SECFrameWnd)

 public:
  SECFrameWnd();
  ~SECFrameWnd() override;

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The menu of the resource id goes to the window only when there is one.
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  void RecalcLayout(BOOL bNotify = TRUE) override;
  void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) override;
  void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr) override;
  void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr) override;
  void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr) override;

  void EnableDocking(DWORD dwDockStyle);
  // Always a toolkit dock bar.
  virtual CDockBar* CreateDockBar();
  void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) override;
  // Docks the bar into the dock bar `nDockBarID` (0: the one of its side) at a column and row,
  // with a share of its row and a length.
  virtual void DockControlBar(CControlBar* pBar, UINT nDockBarID, int nCol, int nRow, float fPctWidth, int nLength);
  void DockControlBarInto(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect);

  virtual void LoadBarState(LPCTSTR lpszProfileName);
  virtual void SaveBarState(LPCTSTR lpszProfileName) const;
  virtual void SetDockState(const CDockState& state);
  virtual void GetDockState(CDockState& state) const;
  virtual SECControlBarManager* GetControlBarManager() const { return m_pControlBarManager; }
  // The bitmap menus take the images of a toolbar manager.
  virtual void SetControlBarManager(SECControlBarManager* pManager) {
    m_pControlBarManager = pManager;
    secframe::ShareMenuImages(m_pMenuPlugIn, pManager);
  }
  BOOL InConfigMode() const;

  virtual BOOL CreateItalicCaptionFont(CFont& font) { return secframe::CreateCaptionFont(font, TRUE); }
  virtual BOOL CreateCaptionFont(CFont& font) { return secframe::CreateCaptionFont(font, FALSE); }
  virtual void DrawCaption(CDC* pDC, const CRect& rect, BOOL bActive);
  // The window manager draws the caption: the self-painted one stays off. Returns the old state.
  BOOL EnableCustomCaption(BOOL bEnable, BOOL bRedraw = TRUE);

  // The menu-bar default menu for the default menu id; nothing for others.
  virtual HMENU GetMenuForResourceId(UINT nMenuID);
  virtual void RecalcLayoutOnIdle();
  virtual HMENU GetDefaultMenu();
  virtual SECWndPlugIn* CreateWindowPlugIn(DWORD dwValue1, DWORD dwValue2, const CRuntimeClass* pClass, DWORD dwValue3);
  SECWndPlugIn* GetWindowPlugIn() const { return m_pWindowPlugIn.get(); }
  BOOL HasMenuBar() const { return m_pMenuBar != nullptr; }
  CWnd* GetMenuBar() const { return m_pMenuBar; }
  void EnableBitmapMenus(BOOL bEnable, BOOL bOption) {
    m_bBitmapMenus = bEnable;
    m_bBitmapMenuOption = bOption;
  }

  BOOL m_bWin4 = TRUE;
  BOOL m_bClosing = FALSE;
  std::unique_ptr<SECWndPlugIn> m_pWindowPlugIn;
  CRect m_rectInside;
  int m_nCaptionAlign = 0;
  BOOL m_bCustomCaption = FALSE;
  BOOL m_bCaptionActive = FALSE;
  SECControlBarManager* m_pControlBarManager = nullptr;
  // Sees every message of the frame first; deleted when the frame closes.
  SECWndPlugIn* m_pMenuPlugIn = nullptr;
  BOOL m_bBitmapMenus = FALSE;
  BOOL m_bBitmapMenuOption = FALSE;
  CWnd* m_pMenuBar = nullptr;
  HMENU m_hMenuBarDefault = nullptr;
  UINT m_nIDDefaultMenu = 0;
  std::vector<std::unique_ptr<CControlBar>> m_createdBars;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnClose();
  afx_msg void OnSysColorChange();
  afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg LRESULT OnGetMenu(WPARAM wParam, LPARAM lParam);
  afx_msg void OnReservedCommand(UINT) {}
  afx_msg void OnUpdateReservedCommand(CCmdUI*) {}

  DECLARE_MESSAGE_MAP()
};
