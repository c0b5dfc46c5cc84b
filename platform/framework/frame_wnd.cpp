#include "platform/framework/frame_wnd.h"

#include <algorithm>
#include <set>

#include "platform/framework/accelerators.h"
#include "platform/framework/app.h"
#include "platform/framework/control_bar.h"
#include "platform/framework/dock_bar.h"
#include "platform/framework/document.h"
#include "platform/framework/menu.h"
#include "platform/framework/menu_bar.h"
#include "platform/framework/mini_frame.h"
#include "platform/framework/view.h"
#include "platform/res/resource_store.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_CLOSE()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_ENABLE()
  ON_WM_INITMENUPOPUP()
  ON_WM_MENUSELECT()
  ON_WM_ERASEBKGND()
  ON_WM_ACTIVATE()
  ON_MESSAGE(WM_NCACTIVATE, &CFrameWnd::OnNcActivateStay)
  ON_COMMAND(ID_CONTEXT_HELP, &CFrameWnd::OnContextHelp)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUIMessage)
  ON_MESSAGE(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageStringMessage)
  ON_MESSAGE(WM_NCCALCSIZE, &CFrameWnd::OnMenuBarNcCalcSize)
  ON_MESSAGE(WM_NCPAINT, &CFrameWnd::OnMenuBarNcPaint)
  ON_MESSAGE(WM_NCHITTEST, &CFrameWnd::OnMenuBarNcHitTest)
  ON_MESSAGE(WM_NCMOUSEMOVE, &CFrameWnd::OnMenuBarNcMouseMove)
  ON_MESSAGE(WM_NCLBUTTONDOWN, &CFrameWnd::OnMenuBarNcLButtonDown)
  ON_MESSAGE(WM_SYSCOMMAND, &CFrameWnd::OnMenuBarSysCommand)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace {

std::set<const CFrameWnd*>& live_frames() {
  static std::set<const CFrameWnd*> frames;
  return frames;
}

// Update-UI over the items of a menu: enable, check and text by position.
class CMenuCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : MF_GRAYED));
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int nCheck) override {
    m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  }
  void SetText(LPCTSTR lpszText) override {
    if (!lpszText) return;
    UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
    m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | (state & (MF_GRAYED | MF_CHECKED | MF_DEFAULT)),
                        m_nID, lpszText);
  }
};

const char* frame_class() {
  static LPCTSTR name = AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return name;
}

}  // namespace

namespace framework {
bool frame_alive(const CFrameWnd* frame) { return live_frames().count(frame) != 0; }
}  // namespace framework

CFrameWnd::CFrameWnd() { live_frames().insert(this); }

CFrameWnd::~CFrameWnd() {
  live_frames().erase(this);
  if (m_hAccelTable) DestroyAcceleratorTable(m_hAccelTable);
  if (m_hMenuDefault) ::DestroyMenu(m_hMenuDefault);
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  m_strTitle = lpszWindowName ? lpszWindowName : "";
  HMENU menu = nullptr;
  if (lpszMenuName) {
    menu = IS_INTRESOURCE(lpszMenuName) ? ::LoadMenu(nullptr, UINT(reinterpret_cast<std::uintptr_t>(lpszMenuName)))
                                        : nullptr;
    if (!menu) return FALSE;
    m_hMenuDefault = menu;
  }
  HWND parent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
  BOOL child = (dwStyle & WS_CHILD) != 0;
  // The default rectangle lets the window layer choose the place and size.
  bool by_default = rect.left == CW_USEDEFAULT;
  int cx = by_default ? CW_USEDEFAULT : rect.right - rect.left;
  int cy = by_default ? CW_USEDEFAULT : rect.bottom - rect.top;
  // The frame styles share bits with window styles (FWS_PREFIXTITLE is WS_THICKFRAME's bit), so
  // the frame keeps its own copy and the window keeps its style. FWS_ADDTOTITLE travels in the
  // creation style, so that PreCreateWindow overrides may clear it; the frame takes it from there.
  m_frameStyle = dwStyle & (FWS_PREFIXTITLE | FWS_SNAPTOBARS);
  if (!CreateEx(dwExStyle, lpszClassName ? lpszClassName : frame_class(), m_strTitle, dwStyle,
                rect.left, rect.top, cx, cy, parent,
                child ? reinterpret_cast<HMENU>(std::uintptr_t(AFX_IDW_PANE_FIRST)) : menu, pContext)) {
    return FALSE;
  }
  return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  // What the overrides left of FWS_ADDTOTITLE is the frame's; the window never carries the bit.
  m_frameStyle = (m_frameStyle & ~FWS_ADDTOTITLE) | (DWORD(cs.style) & FWS_ADDTOTITLE);
  cs.style &= ~LONG(FWS_ADDTOTITLE);
  return CWnd::PreCreateWindow(cs);
}

CString CFrameWnd::BeginLoadFrame(UINT nIDResource) {
  m_nIDHelp = nIDResource;
  CString strings;
  AfxLoadString(nIDResource, strings);
  return strings.SpanExcluding("\n");
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  CString title = BeginLoadFrame(nIDResource);
  LPCTSTR menu = res::find_menu(nIDResource).empty() ? nullptr : MAKEINTRESOURCE(int(nIDResource));
  if (!Create(nullptr, title, dwDefaultStyle, rectDefault, pParentWnd, menu, 0, pContext)) return FALSE;
  LoadAccelTable(nIDResource);
  if (!pContext) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(UINT nIDResource) {
  if (m_hAccelTable) return FALSE;
  m_hAccelTable = LoadAccelerators(nullptr, nIDResource);
  return m_hAccelTable != nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  auto* context = static_cast<CCreateContext*>(lpcs->lpCreateParams);
  if (!OnCreateClient(lpcs, context)) return -1;
  m_nIdleFlags |= idleLayout | idleTitle;
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  if (pContext && pContext->m_pNewViewClass) return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  std::unique_ptr<CObject> object = pContext->m_pNewViewClass->CreateObject();
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CWnd))) return nullptr;
  auto* view = static_cast<CWnd*>(object.release());
  CRect rect(0, 0, 0, 0);
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, this, nID, pContext)) {
    // A view whose window never came to be was not ended by PostNcDestroy.
    if (!view->m_hWnd) std::unique_ptr<CWnd> discard(view);
    return nullptr;
  }
  return view;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
  if (!m_pViewActive) {
    if (CWnd* pane = GetDescendantWindow(int(AFX_IDW_PANE_FIRST), TRUE);
        pane && pane->IsKindOf(RUNTIME_CLASS(CView))) {
      SetActiveView(static_cast<CView*>(pane), FALSE);
    }
  }
  SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  if (bMakeVisible) {
    ActivateFrame();
    if (m_pViewActive) m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
  }
  if (pDoc) OnUpdateFrameTitle(TRUE);
  RecalcLayout();
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) nCmdShow = IsIconic() ? SW_RESTORE : SW_SHOW;
  ShowWindow(nCmdShow);
  BringWindowToTop();
  if (!(GetStyle() & WS_CHILD)) SetActiveWindow();
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* old = m_pViewActive;
  if (old == pViewNew) return;
  m_pViewActive = pViewNew;
  if (bNotify && old) old->OnActivateView(FALSE, pViewNew, old);
  if (bNotify && pViewNew) pViewNew->OnActivateView(TRUE, pViewNew, old);
  m_nIdleFlags |= idleTitle;
}

CDocument* CFrameWnd::GetActiveDocument() {
  return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

// --- Layout -----------------------------------------------------------------------------------------

void CFrameWnd::RecalcLayout(BOOL) {
  if (m_bInRecalcLayout) return;
  m_bInRecalcLayout = TRUE;
  m_nIdleFlags &= ~idleLayout;
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
  m_bInRecalcLayout = FALSE;
}

void CFrameWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag,
                               LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch) {
  AFX_SIZEPARENTPARAMS layout{};
  // Bars move only when hDWP is set; a query leaves every window where it is.
  layout.hDWP = nFlag == reposQuery ? nullptr : this;
  layout.bStretch = bStretch;
  if (lpRectClient) {
    layout.rect = *lpRectClient;
  } else {
    GetClientRect(&layout.rect);
  }
  HWND left_over = nullptr;
  // Children in Z order, top first: each bar takes its strip from what is left.
  for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    UINT id = UINT(::GetDlgCtrlID(child));
    if (id == nIDLeftOver) {
      left_over = child;
    } else if (id >= nIDFirst && id <= nIDLast) {
      ::SendMessage(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
  }
  CRect rest(layout.rect);
  if (nFlag == reposQuery) {
    if (lpRectParam) {
      *lpRectParam = rest;
      if (bStretch) {
        CRect client;
        GetClientRect(&client);
        lpRectParam->right = lpRectParam->left + std::max(rest.Width(), layout.sizeTotal.cx);
      }
    }
    return;
  }
  if (nFlag == reposExtra && lpRectParam) {
    rest.left += lpRectParam->left;
    rest.top += lpRectParam->top;
    rest.right -= lpRectParam->right;
    rest.bottom -= lpRectParam->bottom;
  }
  if (left_over) {
    if (rest.right < rest.left) rest.right = rest.left;
    if (rest.bottom < rest.top) rest.bottom = rest.top;
    ::MoveWindow(left_over, rest.left, rest.top, rest.Width(), rest.Height(), TRUE);
  }
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify) {
  m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

INT_PTR CFrameWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  return framework::child_tool_hit_test(this, point, pTI);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
  for (CControlBar* bar : m_listControlBars) {
    if (UINT(bar->GetDlgCtrlID()) == nID) return bar;
  }
  return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  if (!pBar) return;
  if (bDelay) {
    pBar->DelayShow(bShow);
    DelayRecalcLayout();
  } else {
    pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    // A show or hide still waiting for the next layout is overtaken.
    pBar->DelayShow(bShow);
    RecalcLayout();
  }
  // A floating bar's frame shows while it holds a visible bar.
  if (pBar->IsFloating() && pBar->m_pDockBar) pBar->m_pDockBar->SyncFloatingFrame();
}

void CFrameWnd::AddControlBar(CControlBar* pBar) {
  if (std::find(m_listControlBars.begin(), m_listControlBars.end(), pBar) == m_listControlBars.end()) {
    m_listControlBars.push_back(pBar);
  }
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
  m_listControlBars.erase(std::remove(m_listControlBars.begin(), m_listControlBars.end(), pBar),
                          m_listControlBars.end());
}

// --- Title, menus, messages --------------------------------------------------------------------------

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(m_frameStyle & FWS_ADDTOTITLE)) return;
  CDocument* doc = GetActiveDocument();
  UpdateFrameTitleForDocument(bAddToTitle && doc ? doc->GetTitle().GetString() : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName) {
  CString title;
  if (!lpszDocName || !*lpszDocName) {
    title = m_strTitle;
  } else if (m_frameStyle & FWS_PREFIXTITLE) {
    title = CString(lpszDocName) + " - " + m_strTitle;
  } else {
    title = m_strTitle.IsEmpty() ? CString(lpszDocName) : m_strTitle + " - " + lpszDocName;
  }
  CString current;
  GetWindowText(current);
  if (current != title) SetWindowText(title);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  HMENU menu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
  if (!(GetStyle() & WS_CHILD) && ::GetMenu(m_hWnd) != menu) {
    ::SetMenu(m_hWnd, menu);
    ::DrawMenuBar(m_hWnd);
  }
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
  rMessage.Empty();
  CString full;
  if (AfxLoadString(nID, full)) rMessage = full.SpanExcluding("\n");
}

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(int(AFX_IDW_STATUS_BAR), TRUE); }

void CFrameWnd::SetMessageText(LPCTSTR lpszText) { SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText)); }
void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID, 0); }

LRESULT CFrameWnd::OnSetMessageStringMessage(WPARAM wParam, LPARAM lParam) {
  CWnd* bar = GetMessageBar();
  if (!bar) return 0;
  CString text;
  if (lParam) {
    text = reinterpret_cast<LPCTSTR>(lParam);
  } else if (wParam) {
    GetMessageString(UINT(wParam), text);
  }
  bar->SetWindowText(text);
  return 0;
}

void CFrameWnd::UpdateMenuPopup(CMenu* pPopupMenu) { framework::update_menu_popup(this, pPopupMenu, m_bAutoMenuEnable); }

namespace framework {

void update_menu_popup(CCmdTarget* target, CMenu* pPopupMenu, BOOL bAutoMenuEnable) {
  if (!pPopupMenu) return;
  CMenuCmdUI state;
  state.m_pMenu = pPopupMenu;
  state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = pPopupMenu->GetMenuItemID(int(state.m_nIndex));
    if (state.m_nID == 0) continue;  // separator
    if (state.m_nID == UINT(-1)) {
      // A pop-up item is enabled while its first item's command is.
      CMenu* sub = pPopupMenu->GetSubMenu(int(state.m_nIndex));
      if (!sub || sub->GetMenuItemCount() == 0) continue;
      UINT first = sub->GetMenuItemID(0);
      if (first == 0 || first == UINT(-1)) continue;
      CTestCmdUI probe;
      probe.m_nID = first;
      probe.DoUpdate(target, bAutoMenuEnable && first < 0xF000);
      state.m_nID = first;
      state.Enable(probe.m_bEnabled);
      continue;
    }
    state.m_pSubMenu = nullptr;
    state.DoUpdate(target, bAutoMenuEnable && state.m_nID < 0xF000);
    // An update may have added or removed items (the recent-file list).
    state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
  }
}

}  // namespace framework

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
  if (!bSysMenu) UpdateMenuPopup(pPopupMenu);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU) {
  // The status bar shows the item's prompt, or the idle text when the menu closes.
  if (nFlags == 0xFFFF) {
    SetMessageText(AFX_IDS_IDLEMESSAGE);
  } else if (!(nFlags & (MF_POPUP | MF_SEPARATOR))) {
    SetMessageText(nItemID);
  }
}

std::vector<HWND> CFrameWnd::FloatingWindows() const {
  std::vector<HWND> out;
  for (HWND top = ::GetTopWindow(nullptr); top; top = ::GetWindow(top, GW_HWNDNEXT)) {
    if (top != m_hWnd && ::GetWindow(top, GW_OWNER) == m_hWnd &&
        (::GetWindowLongPtr(top, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
      out.push_back(top);
    }
  }
  return out;
}

// --- Routing ----------------------------------------------------------------------------------------

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (m_bMenuBarKeys && MenuBarKey(*pMsg)) return TRUE;
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable &&
      TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg)) {
    return TRUE;
  }
  return CWnd::PreTranslateMessage(pMsg);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // The active view (and through it the document) first, then the frame, then the application.
  if (CView* view = GetActiveView(); view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::PostNcDestroy() {
  // A frame owns itself: its window going ends it.
  std::unique_ptr<CFrameWnd> self(this);
}

// --- Messages ---------------------------------------------------------------------------------------

void CFrameWnd::OnDestroy() {
  // Control bars forget the frame first, so nothing lays them out while they go.
  for (CControlBar* bar : m_listControlBars) bar->m_pDockSite = nullptr;
  m_listControlBars.clear();
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    app->m_pMainWnd = nullptr;
    PostQuitMessage(0);
  }
  CWnd::OnDestroy();
}

void CFrameWnd::OnClose() {
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    // Closing the main window asks about every changed document first.
    if (!app->SaveAllModified()) return;
    app->CloseAllDocuments(FALSE);
    if (!::IsWindow(m_hWnd)) return;
    DestroyWindow();
    return;
  }
  CDocument* doc = GetActiveDocument();
  if (doc) {
    if (!doc->CanCloseFrame(this)) return;
    // The document's last frame closes the document (which destroys this frame).
    bool other_frame = std::any_of(doc->m_viewList.begin(), doc->m_viewList.end(),
                                   [&](CView* v) { return v->GetParentFrame() != this; });
    if (!other_frame) {
      doc->OnCloseDocument();
      return;
    }
  }
  DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType == SIZE_MINIMIZED) {
    // Floating windows hide while their frame is minimised and come back with it.
    for (HWND h : FloatingWindows()) {
      if (::IsWindowVisible(h)) {
        ::ShowWindow(h, SW_HIDE);
        m_hiddenFloating.push_back(h);
      }
    }
    return;
  }
  for (HWND h : m_hiddenFloating) {
    if (::IsWindow(h)) ::ShowWindow(h, SW_SHOWNA);
  }
  m_hiddenFloating.clear();
  RecalcLayout();
}

void CFrameWnd::OnEnable(BOOL bEnable) {
  // Floating windows are disabled with their frame (a modal dialog is up) and enabled with it.
  for (HWND h : FloatingWindows()) ::EnableWindow(h, bEnable);
  CWnd::OnEnable(bEnable);
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
  if (m_pViewActive && m_pViewActive->m_hWnd) {
    m_pViewActive->SetFocus();
  } else {
    CWnd::OnSetFocus(pOldWnd);
  }
}

LRESULT CFrameWnd::OnNcActivateStay(WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(WM_NCACTIVATE, (wParam || m_bStayActive) ? TRUE : FALSE, lParam);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CWnd::OnActivate(nState, pWndOther, bMinimized);
  // Floating windows show their captions active along with this frame.
  for (HWND h : FloatingWindows()) {
    ::SendMessage(h, WM_FLOATSTATUS, nState != WA_INACTIVE ? FS_ACTIVATE : FS_DEACTIVATE, 0);
  }
  if (nState != WA_INACTIVE && m_pViewActive) m_pViewActive->OnActivateFrame(nState, this);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC) {
  // The pane covers the client area: erasing under it only flickers.
  if (m_pViewActive) return TRUE;
  return CWnd::OnEraseBkgnd(pDC);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUIMessage(WPARAM, LPARAM) {
  if (m_nIdleFlags & idleLayout) RecalcLayout(m_nIdleFlags & idleNotify);
  if (m_nIdleFlags & idleTitle) {
    m_nIdleFlags &= ~idleTitle;
    OnUpdateFrameTitle(TRUE);
  }
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  return 0;
}

// --- Menu bar ---------------------------------------------------------------------------------------

LRESULT CFrameWnd::OnMenuBarNcCalcSize(WPARAM, LPARAM lParam) {
  LRESULT result = Default();
  // Both forms of the message start with the rectangle that becomes the client area.
  auto* rect = reinterpret_cast<RECT*>(lParam);
  int height = framework::menu_bar_height(m_hWnd);
  rect->top = std::min(rect->top + height, rect->bottom);
  return result;
}

LRESULT CFrameWnd::OnMenuBarNcPaint(WPARAM, LPARAM) {
  LRESULT result = Default();
  framework::paint_menu_bar(m_hWnd, m_nMenuBarHot);
  return result;
}

LRESULT CFrameWnd::OnMenuBarNcHitTest(WPARAM, LPARAM lParam) {
  if (framework::menu_bar_height(m_hWnd) > 0) {
    CRect window;
    GetWindowRect(&window);
    POINT p{GET_X_LPARAM(lParam) - window.left, GET_Y_LPARAM(lParam) - window.top};
    if (framework::menu_bar_item_at(m_hWnd, p) >= 0) return HTMENU;
  }
  return Default();
}

LRESULT CFrameWnd::OnMenuBarNcMouseMove(WPARAM wParam, LPARAM lParam) {
  if (!m_bMenuBarKeys) {
    int hot = -1;
    if (wParam == HTMENU) {
      CRect window;
      GetWindowRect(&window);
      hot = framework::menu_bar_item_at(m_hWnd, POINT{GET_X_LPARAM(lParam) - window.left, GET_Y_LPARAM(lParam) - window.top});
    }
    SetMenuBarHot(hot);
  }
  return Default();
}

LRESULT CFrameWnd::OnMenuBarNcLButtonDown(WPARAM wParam, LPARAM lParam) {
  if (wParam != HTMENU) return Default();
  m_bMenuBarKeys = false;
  CRect window;
  GetWindowRect(&window);
  OpenMenuBarItem(
      framework::menu_bar_item_at(m_hWnd, POINT{GET_X_LPARAM(lParam) - window.left, GET_Y_LPARAM(lParam) - window.top}),
      false);
  return 0;
}

LRESULT CFrameWnd::OnMenuBarSysCommand(WPARAM wParam, LPARAM lParam) {
  HMENU menu = framework::menu_bar_height(m_hWnd) > 0 ? ::GetMenu(m_hWnd) : nullptr;
  if ((wParam & 0xFFF0) != SC_KEYMENU || !menu) return Default();
  if (lParam == 0) {
    // Alt or F10 alone: the keyboard enters the bar at its first item, or leaves it.
    m_bMenuBarKeys = !m_bMenuBarKeys && ::GetMenuItemCount(menu) > 0;
    SetMenuBarHot(m_bMenuBarKeys ? 0 : -1);
    return 0;
  }
  int position = framework::menu_bar_mnemonic(menu, char(lParam));
  if (position >= 0) OpenMenuBarItem(position);
  return 0;
}

void CFrameWnd::SetMenuBarHot(int position) {
  if (position == m_nMenuBarHot) return;
  m_nMenuBarHot = position;
  framework::paint_menu_bar(m_hWnd, m_nMenuBarHot);
}

void CFrameWnd::OpenMenuBarItem(int position, bool by_keyboard) {
  m_bMenuBarKeys = false;
  HMENU menu = ::GetMenu(m_hWnd);
  std::vector<RECT> items = framework::menu_bar_items(m_hWnd);
  if (position < 0 || size_t(position) >= items.size()) {
    SetMenuBarHot(-1);
    return;
  }
  UINT state = ::GetMenuState(menu, UINT(position), MF_BYPOSITION);
  if (state == UINT(-1) || (state & (MF_GRAYED | MF_DISABLED)) || IsMenuSeparatorState(state)) {
    SetMenuBarHot(-1);
    return;
  }
  SetMenuBarHot(position);
  if (::GetSubMenu(menu, position)) {
    // The pop-ups of the bar are tracked together; Esc in one leaves the keyboard on its bar item.
    framework::MenuTrackEnd end =
        framework::track_menu_bar(m_hWnd, position, by_keyboard, [this](int item) { SetMenuBarHot(item); });
    if (!::IsWindow(m_hWnd)) return;
    m_bMenuBarKeys = end.bar_item >= 0;
    SetMenuBarHot(end.bar_item);
    return;
  }
  PostMessage(WM_COMMAND, ::GetMenuItemID(menu, position), 0);
  SetMenuBarHot(-1);
}

bool CFrameWnd::MenuBarKey(const MSG& msg) {
  if (msg.message == WM_LBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN || msg.message == WM_RBUTTONDOWN) {
    m_bMenuBarKeys = false;
    SetMenuBarHot(-1);
    return false;
  }
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) {
    // The characters and releases of keys the bar used go nowhere else.
    return msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
  }
  int count = ::GetMenuItemCount(::GetMenu(m_hWnd));
  if (count <= 0) {
    m_bMenuBarKeys = false;
    return false;
  }
  int key = int(msg.wParam);
  int hot = std::max(m_nMenuBarHot, 0);
  if (key == VK_LEFT || key == VK_RIGHT) {
    SetMenuBarHot((hot + (key == VK_LEFT ? count - 1 : 1)) % count);
  } else if (key == VK_RETURN || key == VK_DOWN || key == VK_UP) {
    OpenMenuBarItem(hot);
  } else if (key == VK_ESCAPE || key == VK_MENU || key == VK_F10) {
    m_bMenuBarKeys = false;
    SetMenuBarHot(-1);
  } else if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
    int position = framework::menu_bar_mnemonic(::GetMenu(m_hWnd), char(key));
    if (position >= 0) OpenMenuBarItem(position);
  }
  return true;
}
