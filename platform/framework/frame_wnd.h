// Frame windows: the window around views and control bars. The frame lays out its bars (each
// takes its strip in Z order, WM_SIZEPARENT) and gives the rest to the pane, routes commands
// (active view, then the frame, then the application), keeps the active view, loads its menu,
// title and accelerators from one resource id, updates its title from the active document and
// enables menu items through update-UI before a menu opens.
//
// Floating windows the frame owns (mini frames, WS_EX_TOOLWINDOW) follow it: they are hidden
// while it is minimised and disabled while it is (during modal dialogs).
#pragma once

#include <vector>

#include "platform/framework/create_context.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/tool_tips.h"
#include "platform/win/cwnd.h"

class CView;
class CDocument;
class CControlBar;
class CDockBar;
class CMiniDockFrameWnd;
class CDockState;
class CMenu;
struct CPrintPreviewState;

// Frame styles.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
constexpr DWORD FWS_PREFIXTITLE = 0x00040000;
constexpr DWORD FWS_SNAPTOBARS = 0x00080000;

// WM_SIZEPARENT's lParam: the rectangle still free; each bar takes its strip from it.
struct AFX_SIZEPARENTPARAMS {
  void* hDWP;       // not used: bars move at once
  RECT rect;        // the free rectangle, parent client coordinates
  SIZE sizeTotal;   // the size the bars want (for a query)
  BOOL bStretch;    // stretch bars to the whole width/height
};

// RepositionBars modes.
constexpr UINT reposDefault = 0;
constexpr UINT reposQuery = 1;
constexpr UINT reposExtra = 2;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)

 public:
  static const CRect rectDefault;

  CFrameWnd();
  ~CFrameWnd() override;

  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
              LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
  // Title (the first part of the string resource), menu and accelerators from `nIDResource`.
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  BOOL LoadAccelTable(UINT nIDResource);
  // Takes FWS_ADDTOTITLE out of the creation style as the overrides before it left it.
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  // --- Views and documents ---
  virtual CFrameWnd* GetActiveFrame() { return this; }
  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  virtual CDocument* GetActiveDocument();
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
  virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  virtual void ActivateFrame(int nCmdShow = -1);
  // Entering print preview hides the frame's bars and sets its view aside (kept in `pState`);
  // leaving brings them back (print_preview.cpp).
  virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);

  // --- Layout ---
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  // Lays out children in Z order: each answers WM_SIZEPARENT by taking its strip; the child with
  // `nIDLeftOver` gets the rest. With reposQuery nothing moves and `lpRectParam` receives the
  // rectangle left.
  void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                      LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr,
                      BOOL bStretch = TRUE);
  void DelayRecalcLayout(BOOL bNotify = TRUE);
  CControlBar* GetControlBar(UINT nID);
  virtual void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
  void AddControlBar(CControlBar* pBar);
  void RemoveControlBar(CControlBar* pBar);
  // Makes a dock bar along each side `dwDockStyle` allows (CBRS_ALIGN_ bits) that has none yet,
  // of the class `pDockBarClass` (a kind of CDockBar; CDockBar when null).
  void EnableDocking(DWORD dwDockStyle, const CRuntimeClass* pDockBarClass = nullptr);
  // Docks `pBar` into the dock bar `nDockBarID` (0: the first side the bar allows), into the row
  // `lpRect` (screen coordinates) touches or a new row.
  virtual void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
  virtual void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
  // Docks `pBar` back where it was before it floated: into `pDockBar`, or the frame's dock bar
  // that keeps its place, else the first side it allows.
  virtual void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
  // Floats `pBar` in a floating frame of its own at screen `point`; `dwStyle`'s CBRS_ALIGN_ bits
  // say how the bars line up in it.
  virtual void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle);
  // The docking layout (dock_state.h): captured from every control bar of the frame, applied
  // (floating frames made for floating dock bars, bars docked where the layout has them, bars
  // it does not name left as they are), and kept in the profile under `lpszProfileName`
  // (bar_state.cpp).
  void GetDockState(CDockState& state) const;
  void SetDockState(const CDockState& state);
  void LoadBarState(LPCTSTR lpszProfileName);
  void SaveBarState(LPCTSTR lpszProfileName) const;
  // A new floating frame of the class `m_pFloatingFrameClass` for bars of the CBRS_ style
  // `dwStyle`; null when it cannot be made.
  CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
  // The tool under a client point: a child control by default.
  virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

  // --- Title, menus, messages ---
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
  void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
  virtual void GetMessageString(UINT nID, CString& rMessage) const;
  void SetMessageText(LPCTSTR lpszText);
  void SetMessageText(UINT nID);
  CWnd* GetMessageBar();
  // Runs update-UI over the items of a popup menu about to open.
  void UpdateMenuPopup(CMenu* pPopupMenu);
  // The floating windows this frame owns (top-level, WS_EX_TOOLWINDOW).
  std::vector<HWND> FloatingWindows() const;

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  void PostNcDestroy() override;

  CString m_strTitle;
  DWORD m_frameStyle = 0;  // FWS_ bits
  HMENU m_hMenuDefault = nullptr;
  void* m_hAccelTable = nullptr;
  UINT m_nIDHelp = 0;
  // In the context-help mode (OnContextHelp).
  BOOL m_bHelpMode = FALSE;
  UINT m_nIdleFlags = 0;
  BOOL m_bAutoMenuEnable = TRUE;
  BOOL m_bInRecalcLayout = FALSE;
  DWORD m_dwDockStyle = 0;
  // The class of the frames bars float in: a kind of CMiniDockFrameWnd; EnableDocking makes it
  // CMiniDockFrameWnd unless one was chosen before.
  const CRuntimeClass* m_pFloatingFrameClass = nullptr;
  CRect m_rectBorder;
  std::vector<CControlBar*> m_listControlBars;
  CView* m_pViewActive = nullptr;
  // Set while one of the frame's floating windows (a mini frame with MFS_SYNCACTIVE) is the
  // active window: the frame's caption stays active meanwhile.
  BOOL m_bStayActive = FALSE;

 protected:
  // The frame's title: the first line of the document string `nIDResource`; also keeps the id
  // as the frame's help id. Shared by both kinds of LoadFrame.
  CString BeginLoadFrame(UINT nIDResource);
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnClose();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  afx_msg LRESULT OnIdleUpdateCmdUIMessage(WPARAM, LPARAM);
  afx_msg LRESULT OnSetMessageStringMessage(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  // The caption is drawn active also while the stay-active flag is set.
  afx_msg LRESULT OnNcActivateStay(WPARAM wParam, LPARAM lParam);
  // ID_CONTEXT_HELP: holds the mouse until a click names a window, then asks for that window's
  // help with WM_COMMANDHELP (context_help_mode.cpp).
  afx_msg void OnContextHelp();

  // The dock bar of id `nDockBarID`, or with 0 the first of the frame's dock bars on a side
  // `dwAlignment` allows.
  CDockBar* DockBarOf(UINT nDockBarID, DWORD dwAlignment);

  // Floating windows hidden by the last minimise, shown again on restore.
  std::vector<HWND> m_hiddenFloating;

  // The menu bar: the item drawn hot (-1: none) and whether the keyboard is in the bar.
  int m_nMenuBarHot = -1;
  bool m_bMenuBarKeys = false;
  afx_msg LRESULT OnMenuBarNcCalcSize(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMenuBarNcPaint(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMenuBarNcHitTest(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMenuBarNcMouseMove(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMenuBarNcLButtonDown(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMenuBarSysCommand(WPARAM wParam, LPARAM lParam);
  // Shows item `position` of the bar hot and opens its pop-up (or sends its command); from the
  // keyboard the pop-up opens with its first item selected.
  void OpenMenuBarItem(int position, bool by_keyboard = true);
  void SetMenuBarHot(int position);
  // Keys while the keyboard is in the bar; whether the key was used.
  bool MenuBarKey(const MSG& msg);

  DECLARE_MESSAGE_MAP()
};

namespace framework {
// Runs update-UI of a pop-up's items with `target` as the command target (items of commands below
// 0xF000 without a handler are disabled when `bAutoMenuEnable`); a pop-up item follows its first
// item. Frames do it for their menus; windows that open menus of their own can call it.
void update_menu_popup(CCmdTarget* target, CMenu* pPopupMenu, BOOL bAutoMenuEnable = TRUE);
// Whether a frame object still exists (frames end themselves when their window goes).
bool frame_alive(const CFrameWnd* frame);
}  // namespace framework

// Map entry of WM_INITMENUPOPUP with the framework's handler signature.
#define ON_WM_INITMENUPOPUP()                                                                     \
  LUMO_WM_ENTRY(WM_INITMENUPOPUP, {                                                               \
    self->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam),     \
                          BOOL(HIWORD(lParam)));                                                  \
    return TRUE;                                                                                  \
  })
