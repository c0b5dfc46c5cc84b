#include "toolkit/frame/sec_mdi_frame.h"

#include <algorithm>

#include "platform/base/resource_exception.h"
#include "platform/framework/app.h"
#include "platform/framework/dock_context.h"
#include "platform/framework/dock_state.h"
#include "platform/framework/menu.h"
#include "platform/framework/mini_dock_frame.h"
#include "platform/framework/view.h"
#include "platform/res/resource_store.h"
#include "platform/win/message_queue.h"
#include "platform/win/system_parameters.h"
#include "toolkit/frame/control_bar_manager.h"
#include "toolkit/frame/sec_control_bar.h"
#include "toolkit/frame/sec_dock_state.h"
#include "toolkit/frame/sec_frame_docking.h"
#include "toolkit/frame/sec_mini_dock_frame.h"
#include "toolkit/frame/toolkit_globals.h"
#include "toolkit/frame/wnd_plugin.h"
#include "toolkit/widgets/bmp_menu_plugin.h"
#include "toolkit/widgets/menu_bar.h"

namespace {

const UINT WM_SECGETMENU = ::RegisterWindowMessage("WM_SECGETMENU");

SECControlBar* as_sec(CControlBar* bar) { return dynamic_cast<SECControlBar*>(bar); }

}  // namespace

namespace caption {

std::vector<Band> Gradient(int width, COLORREF from, COLORREF to) {
  std::vector<Band> bands;
  if (width <= 0) return bands;
  const int count = std::min(60, width);
  const int step = width / count;
  auto channel = [&](int shift, int i) {
    const int a = int((from >> shift) & 0xFF), b = int((to >> shift) & 0xFF);
    // 8.8 fixed point: the step per band, never past the end colour.
    const int delta = ((b - a) << 8) / count;
    const int value = ((a << 8) + delta * i) >> 8;
    return b >= a ? std::min(value, b) : std::max(value, b);
  };
  for (int i = 0; i < count; ++i) {
    const int left = i * step;
    const int right = i + 1 == count ? width : left + step;
    bands.push_back({left, right, RGB(channel(0, i), channel(8, i), channel(16, i))});
  }
  return bands;
}

int TextLeft(int alignment, int start, int width, int textWidth) {
  int left = start + 3;
  if (alignment == 1) {
    left = start + (width - start - textWidth) / 2;
  } else if (alignment != 0) {
    left = width - textWidth - 3;
  }
  return std::max(left, start);
}

}  // namespace caption

// --- SECMDIFrameWnd -------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(SECMDIFrameWnd, CMDIFrameWnd)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_ACTIVATEAPP()
  ON_WM_ACTIVATE()
  ON_WM_ENTERIDLE()
  ON_WM_ENABLE()
  ON_MESSAGE(WM_SECBAR_CONTEXTMENU, &SECMDIFrameWnd::OnBarContextMenu)
  ON_MESSAGE(WM_COMMANDHELP, &SECMDIFrameWnd::OnCommandHelp)
  ON_REGISTERED_MESSAGE(WM_SECGETMENU, &SECMDIFrameWnd::OnGetMenu)
  ON_COMMAND_RANGE(43007, 43009, &SECMDIFrameWnd::OnReservedCommand)
  ON_COMMAND_RANGE(43012, 43014, &SECMDIFrameWnd::OnReservedCommand)
  ON_COMMAND_RANGE(43031, 43039, &SECMDIFrameWnd::OnReservedCommand)
  ON_UPDATE_COMMAND_UI_RANGE(43007, 43009, &SECMDIFrameWnd::OnUpdateReservedCommand)
  ON_UPDATE_COMMAND_UI_RANGE(43012, 43014, &SECMDIFrameWnd::OnUpdateReservedCommand)
  ON_UPDATE_COMMAND_UI_RANGE(43031, 43039, &SECMDIFrameWnd::OnUpdateReservedCommand)
END_MESSAGE_MAP()

SECMDIFrameWnd::SECMDIFrameWnd() { m_bWin4 = secData().bWin4; }

SECMDIFrameWnd::~SECMDIFrameWnd() {
  for (auto& [id, menu] : m_menuMap) ::DestroyMenu(menu);
  delete m_pMenuPlugIn;
  if (m_hMenuBarDefault) ::DestroyMenu(m_hMenuBarDefault);
}

int SECMDIFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  if (CMDIFrameWnd::OnCreate(lpcs) == -1) return -1;
  CreateMenuPlugIn();
  return 0;
}

void SECMDIFrameWnd::CreateMenuPlugIn() {
  delete m_pMenuPlugIn;
  m_pMenuPlugIn = secframe::MakeMenuPlugIn(this, m_pMenuBar, m_bBitmapMenus, m_pControlBarManager);
}

void SECMDIFrameWnd::SetControlBarManager(SECControlBarManager* pManager) {
  m_pControlBarManager = pManager;
  secframe::ShareMenuImages(m_pMenuPlugIn, pManager);
}

void SECMDIFrameWnd::SetMenuBar(CWnd* pBar) {
  m_pMenuBar = pBar;
  if (pBar && !m_hMenuBarDefault && m_nIDDefaultMenu) m_hMenuBarDefault = ::LoadMenu(nullptr, m_nIDDefaultMenu);
  if (pBar && m_hWnd && ::GetMenu(m_hWnd)) ::SetMenu(m_hWnd, nullptr);
  if (m_hWnd) CreateMenuPlugIn();
  if (pBar) RefreshMenuBar(UINT(-1));
}

void SECMDIFrameWnd::OnClose() {
  // Nothing reaches the plug-in once it is gone.
  delete m_pMenuPlugIn;
  m_pMenuPlugIn = nullptr;
  CMDIFrameWnd::OnClose();
}

LRESULT SECMDIFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pMenuPlugIn) {
    LRESULT result = 0;
    m_pMenuPlugIn->OnWndMsg(message, wParam, lParam, &result);
    if (m_pMenuPlugIn && m_pMenuPlugIn->m_bExitDefault) return result;
  }
  // While the bars are customized the frame cannot be moved or sized.
  if (message == WM_NCHITTEST && InConfigMode()) return HTERROR;
  const LRESULT result = CMDIFrameWnd::WindowProc(message, wParam, lParam);
  // Items the update handlers added or changed are converted too.
  if (message == WM_INITMENUPOPUP && (m_bBitmapMenus || m_pMenuBar)) {
    if (auto* plugIn = dynamic_cast<SECBmpMenuPlugIn*>(m_pMenuPlugIn)) plugIn->InitMenuPopup(wParam, lParam);
  }
  return result;
}

BOOL SECMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (m_pMenuPlugIn && m_pMenuPlugIn->PreTranslateMessage(pMsg)) return TRUE;
  if (InConfigMode() && pMsg->message == WM_SYSCOMMAND && (pMsg->wParam & 0xFFF0) == SC_KEYMENU) return TRUE;
  return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

BOOL SECMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  CFrameWnd* first = m_pActiveMDIFloat ? m_pActiveMDIFloat : MDIGetActive();
  if (first && first->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (m_pWindowPlugIn && m_pWindowPlugIn->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
    m_pWindowPlugIn->m_bExitDefault = FALSE;
    return TRUE;
  }
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL SECMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  CFrameWnd* first = m_pActiveMDIFloat ? m_pActiveMDIFloat : MDIGetActive();
  if (first && first->SendMessage(WM_COMMAND, wParam, lParam)) return TRUE;
  if (CMDIFrameWnd::OnCommand(wParam, lParam)) return TRUE;
  if (LOWORD(wParam) >= 0xF000 && lParam == 0) {
    DefWindowProc(WM_COMMAND, wParam, lParam);
    return TRUE;
  }
  return FALSE;
}

CFrameWnd* SECMDIFrameWnd::GetActiveFrame() {
  return m_pActiveMDIFloat ? m_pActiveMDIFloat : CMDIFrameWnd::GetActiveFrame();
}

BOOL SECMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDDefaultMenu = m_nIDMenuBarDefault = nIDResource;
  return CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

BOOL SECMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
  return CMDIFrameWnd::OnCreateClient(lpcs, pContext);
}

void SECMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) { CMDIFrameWnd::OnUpdateFrameTitle(bAddToTitle); }

void SECMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) { CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt); }

void SECMDIFrameWnd::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout) return;
  const bool first = m_rectInside.IsRectEmpty() != FALSE;
  CMDIFrameWnd::RecalcLayout(bNotify);
  CRect inside;
  secframe::FinishLayout(this, first, inside);
  m_rectInside = inside;
}

void SECMDIFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
  CMDIFrameWnd::OnSetPreviewMode(bPreview, pState);
  if (!bPreview) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

BOOL SECMDIFrameWnd::InConfigMode() const { return m_pControlBarManager && m_pControlBarManager->IsConfigMode(); }

// --- Docking ----------------------------------------------------------------------------------------

void SECMDIFrameWnd::EnableDocking(DWORD dwDockStyle) {
  if (!m_pFloatingFrameClass) m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
  if (!m_pMDIFloatFrameClass) m_pMDIFloatFrameClass = RUNTIME_CLASS(SECControlBarMDIChildWnd);
  if (!m_pDockBarClass) m_pDockBarClass = RUNTIME_CLASS(SECDockBar);
  secframe::EnableDocking(this, dwDockStyle, [this] { return CreateDockBar(); });
}

CDockBar* SECMDIFrameWnd::CreateDockBar() {
  const CRuntimeClass* kind = m_pDockBarClass ? m_pDockBarClass : RUNTIME_CLASS(SECDockBar);
  std::unique_ptr<CObject> made(kind->CreateObject());
  auto* dock = dynamic_cast<CDockBar*>(made.get());
  if (dock) made.release();
  return dock;
}

CDockBar* SECMDIFrameWnd::DockBarFor(CControlBar* pBar, UINT nDockBarID) {
  return secframe::DockBarFor(this, pBar, nDockBarID);
}

void SECMDIFrameWnd::DockControlBar(CControlBar* pBar, const SECDockBarInsertRecord& rec, UINT nDockBarID,
                                    const SECDockInfo& info) {
  if (pBar) secframe::DockWithInfo(pBar, DockBarFor(pBar, nDockBarID), rec, info);
}

void SECMDIFrameWnd::DockControlBarAt(CControlBar* pBar, UINT nDockBarID, int nCol, int nRow, float fPctWidth,
                                      int nLength) {
  DockControlBar(pBar, SECDockBarInsertRecord{nRow, nCol, 0}, nDockBarID, SECDockInfo{fPctWidth, nLength});
}

void SECMDIFrameWnd::DockControlBarInto(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  secframe::DockInto(this, pBar, pDockBar, lpRect);
}

void SECMDIFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  if (!pBar) return;
  DockControlBar(pBar, DockBarFor(pBar, nDockBarID), lpRect);
}

void SECMDIFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (!pBar || !pDockBar) return;
  DockControlBarInto(pBar, pDockBar, lpRect);
  RecalcLayout();
}

void SECMDIFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  secframe::ReDock(this, pBar, pDockBar, lpRect);
}

void SECMDIFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  if (pBar && !secframe::MoveLoneFloating(pBar, point, dwStyle)) FloatInNewFrame(pBar, point, dwStyle, FALSE);
}

void SECMDIFrameWnd::FloatControlBarAt(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  if (pBar) FloatInNewFrame(pBar, point, dwStyle, TRUE);
}

void SECMDIFrameWnd::FloatInNewFrame(CControlBar* pBar, CPoint point, DWORD dwStyle, BOOL bAlwaysShow) {
  secframe::FloatInNewFrame(this, pBar, point, dwStyle, bAlwaysShow);
}

CFrameWnd* SECMDIFrameWnd::CreateMDIFloatFrame(DWORD) {
  const CRuntimeClass* kind = m_pMDIFloatFrameClass ? m_pMDIFloatFrameClass : RUNTIME_CLASS(SECControlBarMDIChildWnd);
  std::unique_ptr<CObject> made(kind->CreateObject());
  auto* child = dynamic_cast<CMDIChildWnd*>(made.get());
  if (!child) return nullptr;
  // The frame ends itself when its window goes.
  made.release();
  const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                      WS_MAXIMIZEBOX | FWS_ADDTOTITLE | FWS_SNAPTOBARS;
  if (child->LoadFrame(IDR_SECMDIFLOAT, style, this, nullptr)) return child;
  if (framework::frame_alive(child)) {
    if (child->m_hWnd) {
      child->DestroyWindow();
    } else {
      delete child;
    }
  }
  return nullptr;
}

void SECMDIFrameWnd::FloatControlBarInMDIChild(CControlBar* pBar, int x, int y, DWORD dwStyle) {
  if (!pBar || !m_hWndMDIClient) return;
  SECControlBar* sec = as_sec(pBar);
  if (sec) sec->OnBeforeMDIFloat();
  CRect client;
  ::GetClientRect(m_hWndMDIClient, &client);
  CPoint point(x, y);
  if (x < 0 || y < 0) {
    point = m_ptCascade;
    m_ptCascade.Offset(20, 23);
    // The cascade starts again near the corner once it would leave the client area.
    if (m_ptCascade.x > client.right - 30) m_ptCascade.x = 30;
    if (m_ptCascade.y > client.bottom - 30) m_ptCascade.y = 30;
  } else {
    ::ScreenToClient(m_hWndMDIClient, &point);
  }
  point.x = std::clamp(int(point.x), 0, std::max(0, int(client.Width())));
  point.y = std::clamp(int(point.y), 0, std::max(0, int(client.Height()) - 30));
  if (CDockBar* dock = secframe::LoneFloatingDock(pBar, secframe::FloatStyle(pBar, dwStyle))) {
    if (auto* host = dynamic_cast<SECMDIChildWnd*>(dock->GetParent()); host && host->GetFloatBarDock() == dock) {
      host->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      host->RecalcLayout();
      host->UpdateWindow();
      return;
    }
  }
  dwStyle = secframe::FloatStyle(pBar, dwStyle);
  auto* host = dynamic_cast<SECMDIChildWnd*>(CreateMDIFloatFrame(dwStyle));
  SECDockBar* hostDock = host ? host->GetFloatBarDock() : nullptr;
  if (!hostDock) {
    if (host) host->DestroyWindow();
    return;
  }
  hostDock->DockControlBar(pBar);
  // The frame around the bar's floating size.
  CRect rect(CPoint(0, 0), pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH));
  ::AdjustWindowRectEx(&rect, host->GetStyle(), FALSE, host->GetExStyle());
  host->SetWindowPos(nullptr, point.x, point.y, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  host->RecalcLayout();
  host->ShowWindow(SW_SHOWNA);
  host->UpdateWindow();
  if (sec) sec->OnAfterMDIFloat();
  RecalcLayout();
}

void SECMDIFrameWnd::ActivateFloatingFrame(CFrameWnd* pFrame) {
  if (pFrame == m_pActiveMDIFloat) return;
  DeactivateFloatingFrame(pFrame == nullptr);
  if (pFrame) {
    pFrame->SendMessage(WM_NCACTIVATE, TRUE, 0);
    m_pActiveMDIFloat = pFrame;
    if (m_hWndMDIClient) {
      ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, 0, 0);
      if (CMDIChildWnd* active = MDIGetActive()) active->SendMessage(WM_NCACTIVATE, FALSE, 0);
    }
    if (CView* view = pFrame->GetActiveView()) view->SetFocus();
  }
  OnUpdateFrameTitle(TRUE);
  OnUpdateFrameMenu(nullptr);
  ::DrawMenuBar(m_hWnd);
}

void SECMDIFrameWnd::DeactivateFloatingFrame(BOOL bActivateThis) {
  if (m_pActiveMDIFloat) {
    if (m_pActiveMDIFloat->m_hWnd) m_pActiveMDIFloat->SendMessage(WM_NCACTIVATE, FALSE, 0);
    m_pActiveMDIFloat = nullptr;
    ::SetFocus(nullptr);
  }
  if (bActivateThis) SendMessage(WM_NCACTIVATE, TRUE, 0);
}

void SECMDIFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  secframe::ShowBar(this, pBar, bShow, bDelay);
}

// --- The saved layout -------------------------------------------------------------------------------

void SECMDIFrameWnd::LoadBarState(LPCTSTR lpszProfileName) {
  CWinApp* app = AfxGetApp();
  if (app && !app->m_pMainWnd) app->m_pMainWnd = this;
  secframe::LoadBarState(this, GetControlBarManager(), lpszProfileName);
}

void SECMDIFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const {
  secframe::SaveBarState(const_cast<SECMDIFrameWnd*>(this), GetControlBarManager(), lpszProfileName);
}

void SECMDIFrameWnd::SetDockState(const CDockState& state) { secframe::SetDockState(this, state); }

void SECMDIFrameWnd::GetDockState(CDockState& state) const {
  secframe::GetDockState(const_cast<SECMDIFrameWnd*>(this), state);
}

// --- Messages ---------------------------------------------------------------------------------------

void SECMDIFrameWnd::OnSysColorChange() {
  secData().UpdateSysColors();
  Default();
}

LRESULT SECMDIFrameWnd::OnBarContextMenu(WPARAM wParam, LPARAM lParam) {
  SECControlBar* bar = as_sec(reinterpret_cast<CControlBar*>(wParam));
  auto* menu = reinterpret_cast<CMenu*>(lParam);
  if (!bar || !menu) return 0;
  const bool inMain = bar->GetMDIChildFrame() != nullptr;
  if (inMain) menu->EnableMenuItem(ID_SECBAR_TOGGLE_DOCKING, MF_BYCOMMAND | MF_GRAYED);
  if (bar->m_dwExStyle & BAREX_MDI_FLOAT) {
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING | (inMain ? MF_CHECKED : MF_UNCHECKED), ID_SECBAR_FLOAT_IN_MAIN, "Float In Main Window");
  }
  return 0;
}

void SECMDIFrameWnd::OnActivateApp(BOOL, DWORD) {
  if (m_pActiveMDIFloat && m_pActiveMDIFloat->m_hWnd) {
    m_pActiveMDIFloat->PostMessage(WM_MDIACTIVATE, 0, 0);
    m_pActiveMDIFloat->PostMessage(WM_NCACTIVATE, FALSE, 0);
  }
  Default();
}

void SECMDIFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
  if (nState != WA_INACTIVE) OnFrameActivated();
}

void SECMDIFrameWnd::OnFrameActivated() {
  CFrameWnd* frame = GetActiveFrame();
  CView* view = frame ? frame->GetActiveView() : nullptr;
  if (!view) view = GetActiveView();
  if (!view || IsIconic()) return;
  HWND focus = ::GetFocus();
  // The view takes the focus itself: no made-up focus messages.
  if (focus != view->m_hWnd && !::IsChild(view->m_hWnd, focus)) view->SetFocus();
}

void SECMDIFrameWnd::OnEnterIdle(UINT, CWnd*) { RecalcLayoutOnIdle(); }

void SECMDIFrameWnd::OnEnable(BOOL bEnable) {
  // While the bars are customized the frame does not keep its caption active for a floating bar.
  if (InConfigMode()) m_bStayActive = FALSE;
  CMDIFrameWnd::OnEnable(bEnable);
}

void SECMDIFrameWnd::RecalcLayoutOnIdle() {
  if (InConfigMode() && (m_nIdleFlags & idleLayout)) {
    RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    UpdateWindow();
  }
  Default();
}

LRESULT SECMDIFrameWnd::OnCommandHelp(WPARAM wParam, LPARAM lParam) {
  CFrameWnd* first = m_pActiveMDIFloat ? m_pActiveMDIFloat : MDIGetActive();
  if (first && first->SendMessage(WM_COMMANDHELP, wParam, lParam)) return TRUE;
  return Default();
}

LRESULT SECMDIFrameWnd::OnGetMenu(WPARAM wParam, LPARAM lParam) {
  HMENU menu = GetMenuForResourceId(UINT(wParam));
  if (!menu) return 0;
  return reinterpret_cast<LRESULT>(::GetSubMenu(menu, int(lParam)));
}

// --- Menus and plug-ins -----------------------------------------------------------------------------

HMENU SECMDIFrameWnd::GetDefaultMenu() { return m_pMenuBar ? m_hMenuBarDefault : m_hMenuDefault; }

HMENU SECMDIFrameWnd::GetActiveMenu() const { return m_pMenuBar ? m_hMenuBarDefault : ::GetMenu(m_hWnd); }

void SECMDIFrameWnd::RefreshMenuBar(UINT nMenuID) {
  auto* feature = dynamic_cast<SECMenuBarFeature*>(m_pMenuPlugIn);
  auto* bar = dynamic_cast<SECMenuBar*>(m_pMenuBar);
  if (!m_pMenuBar || !m_pMenuPlugIn) return;
  const BOOL byDefault = nMenuID == 0 || nMenuID == UINT(-1);
  if (byDefault) nMenuID = m_nIDDefaultMenu;
  if (feature && bar) {
    if (HMENU menu = GetMenuForResourceId(nMenuID)) bar->SetMenu(nMenuID, menu);
    feature->GetTracker().SwitchMenu(nMenuID);
  }
  if (byDefault) UpdateMenuBarLayout();
  ApplyMenuBarMenu();
}

void SECMDIFrameWnd::UpdateMenuBarLayout() {
  auto* bar = dynamic_cast<CControlBar*>(m_pMenuBar);
  if (!bar || !bar->m_hWnd) return;
  CRect before;
  bar->GetWindowRect(&before);
  RecalcLayout();
  CRect after;
  bar->GetWindowRect(&after);
  if (before.Size() != after.Size()) bar->Invalidate();
}

void SECMDIFrameWnd::ApplyMenuBarMenu() {
  if (!m_pMenuBar || !m_hWndMDIClient) return;
  HMENU menu = GetDefaultMenu();
  HMENU window = menu ? GetWindowMenuPopup(menu) : nullptr;
  ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(window));
}

HMENU SECMDIFrameWnd::GetMenuForResourceId(UINT nMenuID) {
  if (nMenuID == m_nIDDefaultMenu) return GetDefaultMenu();
  auto it = m_menuMap.find(nMenuID);
  if (it != m_menuMap.end()) return it->second;
  if (res::find_menu(nMenuID).empty()) return nullptr;
  HMENU menu = ::LoadMenu(nullptr, nMenuID);
  if (menu) m_menuMap[nMenuID] = menu;
  return menu;
}

SECWndPlugIn* SECMDIFrameWnd::CreateWindowPlugIn(DWORD dwValue1, DWORD dwValue2, const CRuntimeClass* pClass, DWORD dwValue3) {
  // The first value is the own window's extended style, the second its creation parameter, the
  // last its id.
  std::unique_ptr<SECWndPlugIn> plugIn = secframe::MakeWindowPlugIn(this, pClass, dwValue1, dwValue2, UINT(dwValue3));
  if (!plugIn) return nullptr;
  m_pWindowPlugIn = std::move(plugIn);
  return m_pWindowPlugIn.get();
}

// --- Caption ----------------------------------------------------------------------------------------

BOOL SECMDIFrameWnd::CreateCaptionFont(CFont& font) { return secframe::CreateCaptionFont(font, FALSE); }

BOOL SECMDIFrameWnd::CreateItalicCaptionFont(CFont& font) { return secframe::CreateCaptionFont(font, TRUE); }

BOOL SECMDIFrameWnd::EnableCustomCaption(BOOL, BOOL) {
  const BOOL old = m_bCustomCaption;
  m_bCustomCaption = FALSE;
  return old;
}

void SECMDIFrameWnd::DrawCaption(CDC* pDC, const CRect& rect, BOOL bActive) {
  CFont italic, normal;
  CreateItalicCaptionFont(italic);
  CreateCaptionFont(normal);
  secframe::DrawCaption(this, pDC, rect, bActive, m_nCaptionAlign, italic, normal);
}

// --- SECMDIChildWnd ---------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(SECMDIChildWnd, CMDIChildWnd)
  ON_WM_MOUSEACTIVATE()
  ON_WM_CHILDACTIVATE()
  ON_WM_MDIACTIVATE()
  ON_WM_SIZE()
END_MESSAGE_MAP()

SECMDIFrameWnd* SECMDIChildWnd::MainFrame() const { return dynamic_cast<SECMDIFrameWnd*>(GetMDIFrame()); }

BOOL SECMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  if (!CMDIChildWnd::LoadFrame(nIDResource, dwDefaultStyle | WS_CHILD, pParentWnd, pContext)) return FALSE;
  SECMDIFrameWnd* main = MainFrame();
  if (main && main->HasMenuBar() && nIDResource) {
    m_nMenuID = nIDResource;
    m_bMenuIDSet = TRUE;
  }
  return TRUE;
}

int SECMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  SECMDIFrameWnd* main = MainFrame();
  if (main && main->GetActiveFloatingFrame() != this) main->DeactivateFloatingFrame(FALSE);
  const int result = CMDIChildWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (main && m_bMenuIDSet) main->RefreshMenuBar(m_nMenuID);
  return result;
}

void SECMDIChildWnd::OnChildActivate() {
  SECMDIFrameWnd* main = MainFrame();
  if (main && main->GetActiveFloatingFrame() != this) main->DeactivateFloatingFrame(FALSE);
  Default();
}

void SECMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) {
  CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
  SECMDIFrameWnd* main = MainFrame();
  if (!main || !main->HasMenuBar() || !m_bMenuIDSet) return;
  if (bActivate) {
    main->RefreshMenuBar(m_nMenuID);
  } else if (!pActivateWnd) {
    main->RefreshMenuBar(UINT(-1));
  }
}

void SECMDIChildWnd::OnSize(UINT nType, int cx, int cy) {
  CMDIChildWnd::OnSize(nType, cx, cy);
  if (SECMDIFrameWnd* main = MainFrame(); main && main->HasMenuBar()) main->UpdateMenuBarLayout();
}

void SECMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) {
  m_hMenuAlt = hMenuAlt;
  // With a menu bar the main window has no window menu: the bar shows the child's menu, and only
  // the window list follows.
  if (SECMDIFrameWnd* main = MainFrame(); main && main->HasMenuBar()) {
    main->ApplyMenuBarMenu();
    return;
  }
  CMDIChildWnd::OnUpdateFrameMenu(bActivate, pActivateWnd, hMenuAlt);
}

void SECMDIChildWnd::ReapplyFrameMenu() { OnUpdateFrameMenu(TRUE, this, m_hMenuAlt); }

// --- SECFloatBarHost --------------------------------------------------------------------------------

SECFloatBarHost::SECFloatBarHost(CMDIChildWnd* pFrame) : m_wndDockBar(TRUE), m_pFrame(pFrame) {
  m_wndDockBar.m_pMDIChild = pFrame;
}

BOOL SECFloatBarHost::CreateDockBar() {
  CWnd* main = m_pFrame->GetMDIFrame();
  const BOOL laying = m_pFrame->m_bInRecalcLayout;
  m_pFrame->m_bInRecalcLayout = TRUE;
  BOOL made = m_wndDockBar.Create(main ? main : m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_FLOAT);
  if (made && m_wndDockBar.GetParent() != m_pFrame) m_wndDockBar.SetParent(m_pFrame);
  m_pFrame->m_bInRecalcLayout = laying;
  return made;
}

CControlBar* SECFloatBarHost::SingleBar() const {
  if (!m_wndDockBar.m_hWnd || (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) return nullptr;
  return m_wndDockBar.GetFirstBar();
}

void SECFloatBarHost::UpdateCaption() {
  if (!m_wndDockBar.m_hWnd) return;
  CString title, current;
  m_wndDockBar.GetWindowText(title);
  m_pFrame->GetWindowText(current);
  if (title != current) m_pFrame->SetWindowText(title);
}

void SECFloatBarHost::FitBar(UINT nType, int cx, int cy) {
  CControlBar* bar = SingleBar();
  if (!bar || !bar->IsVisible() || nType == SIZE_MINIMIZED) return;
  const int border = secData().cxBorder;
  bar->CalcDynamicLayout(cx + 2 * border, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
  bar->CalcDynamicLayout(cy + 2 * border, LM_LENGTHY | LM_MRUWIDTH | LM_COMMIT);
}

BOOL SECFloatBarHost::HideBar() {
  CControlBar* bar = SingleBar();
  if (!bar) return FALSE;
  // Showing the bar brings the frame back where it was.
  if (HWND client = m_pFrame->GetMDIClient()) {
    ::SendMessage(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_pFrame->m_hWnd), 0);
  }
  if (CFrameWnd* main = m_pFrame->GetMDIFrame()) main->ShowControlBar(bar, FALSE, FALSE);
  return TRUE;
}

void SECFloatBarHost::StorePosition() {
  auto* bar = dynamic_cast<SECControlBar*>(SingleBar());
  if (!bar || !m_pFrame->m_hWnd) return;
  CRect rect;
  m_pFrame->GetWindowRect(&rect);
  bar->m_ptMDIFloat = rect.TopLeft();
}

void SECFloatBarHost::RefreshMenu() {
  if (CMDIFrameWnd* main = m_pFrame->GetMDIFrame(); main && main->m_hWndMDIClient) {
    ::PostMessage(main->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
  }
}

// --- SECControlBarMDIChildWnd -----------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECControlBarMDIChildWnd, SECMDIChildWnd)

BEGIN_MESSAGE_MAP(SECControlBarMDIChildWnd, SECMDIChildWnd)
  ON_WM_SIZE()
  ON_WM_CLOSE()
  ON_WM_SHOWWINDOW()
  ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

SECControlBarMDIChildWnd::SECControlBarMDIChildWnd() : m_host(this), m_wndDockBar(m_host.m_wndDockBar) {}

BOOL SECControlBarMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
  cs.dwExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
  return SECMDIChildWnd::PreCreateWindow(cs);
}

BOOL SECControlBarMDIChildWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*) { return m_host.CreateDockBar(); }

void SECControlBarMDIChildWnd::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout) return;
  SECMDIChildWnd::RecalcLayout(bNotify);
  m_host.UpdateCaption();
}

void SECControlBarMDIChildWnd::OnSize(UINT nType, int cx, int cy) {
  m_host.FitBar(nType, cx, cy);
  SECMDIChildWnd::OnSize(nType, cx, cy);
}

void SECControlBarMDIChildWnd::OnClose() {
  if (!m_host.HideBar()) SECMDIChildWnd::OnClose();
}

void SECControlBarMDIChildWnd::OnShowWindow(BOOL, UINT) {
  Default();
  m_host.RefreshMenu();
}

void SECControlBarMDIChildWnd::OnWindowPosChanged(WINDOWPOS*) {
  Default();
  m_host.StorePosition();
}
