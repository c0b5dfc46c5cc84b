// The multiple-document frame: the main frame holds an MDI client window (our own, not Qt's MDI
// area) whose children are MDI child frames. The client keeps the children's activation order,
// maximises and restores them (a maximised child fills the client, and activating another keeps
// the maximised state), fills the window menu with one item per child and sends WM_MDIACTIVATE
// to the child losing and the child gaining activation.
#pragma once

#include "platform/framework/frame_wnd.h"

// MDI client messages.
constexpr UINT WM_MDICREATE = 0x0220;
constexpr UINT WM_MDIDESTROY = 0x0221;
constexpr UINT WM_MDINEXT = 0x0224;
constexpr UINT WM_MDIMAXIMIZE = 0x0225;
constexpr UINT WM_MDITILE = 0x0226;
constexpr UINT WM_MDICASCADE = 0x0227;
constexpr UINT WM_MDIICONARRANGE = 0x0228;
constexpr UINT WM_MDIGETACTIVE = 0x0229;
// The class of MDI client windows.
inline constexpr const char* MDICLIENT_CLASS = "MDIClient";
// The window menu's child items past this count are not listed.
constexpr int kMaxWindowMenuChildren = 9;

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)

 public:
  HWND m_hWndMDIClient = nullptr;

  // Makes the MDI client; `pWindowMenu` is the pop-up the child list is appended to.
  virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  CFrameWnd* GetActiveFrame() override;
  CDocument* GetActiveDocument() override;
  // The active child; `pbMaximized` receives whether it is maximised.
  CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
  void MDIActivate(CWnd* pWndActivate);
  void MDINext();
  void MDIPrev();
  void MDIMaximize(CWnd* pWnd);
  void MDIRestore(CWnd* pWnd);
  void MDICascade();
  void MDITile(int nType = 0);
  void MDIIconArrange();
  // The pop-up the child list goes in (the menu's item named "Okno", else the one before last).
  virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);
  void OnUpdateFrameMenu(HMENU hMenuAlt) override;
  void RecalcLayout(BOOL bNotify = TRUE) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  HMENU m_hWindowMenu = nullptr;

 protected:
  afx_msg void OnWindowNew();
  afx_msg BOOL OnMDIWindowCmd(UINT nID);
  afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);

  DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)

 public:
  ~CMDIChildWnd() override;
  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
              DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CMDIFrameWnd* pParentWnd = nullptr,
              CCreateContext* pContext = nullptr);
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  CMDIFrameWnd* GetMDIFrame() const;
  void MDIDestroy();
  HWND GetMDIClient() const;
  void MDIActivate();
  void MDIMaximize();
  void MDIRestore();
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL DestroyWindow() override;
  virtual void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);

  // This child's own menu bar while it is active (its template's menu), or null.
  HMENU m_hMenuShared = nullptr;

 protected:
  afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  // The caption's minimise (restore) and maximise buttons beside the close box.
  afx_msg LRESULT OnCaptionNcHitTest(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnCaptionNcLButtonDown(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnCaptionNcPaint(WPARAM wParam, LPARAM lParam);
  void ActivateFrame(int nCmdShow = -1) override;

  DECLARE_MESSAGE_MAP()
};

#define ON_WM_MDIACTIVATE()                                                                   \
  LUMO_WM_ENTRY(WM_MDIACTIVATE, {                                                             \
    HWND lumo_act = reinterpret_cast<HWND>(lParam);                                           \
    self->OnMDIActivate(lumo_act == self->m_hWnd, LUMO_WND(lParam), LUMO_WND(wParam));        \
    return TRUE;                                                                              \
  })
