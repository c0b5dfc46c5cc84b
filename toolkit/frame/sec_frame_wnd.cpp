#include "toolkit/frame/sec_frame_wnd.h"

#include "platform/framework/app.h"
#include "platform/framework/dock_state.h"
#include "platform/framework/menu.h"
#include "platform/res/resource_store.h"
#include "toolkit/frame/control_bar_manager.h"
#include "toolkit/frame/sec_control_bar.h"
#include "toolkit/frame/sec_dock_state.h"
#include "toolkit/frame/sec_mdi_frame.h"
#include "toolkit/frame/sec_mini_dock_frame.h"
#include "toolkit/frame/toolkit_globals.h"
#include "toolkit/frame/wnd_plugin.h"
#include "toolkit/widgets/bmp_menu_plugin.h"

namespace {

const UINT WM_SECGETMENU = ::RegisterWindowMessage("WM_SECGETMENU");

// The window plug-in of the frame, or of its top-level toolkit frame when it has none.
SECWndPlugIn* routing_plug_in(SECFrameWnd* frame) {
  if (SECWndPlugIn* own = frame->GetWindowPlugIn()) return own;
  CWnd* top = frame->GetTopLevelParent();
  if (!top || top == frame) return nullptr;
  if (auto* mdi = dynamic_cast<SECMDIFrameWnd*>(top)) return mdi->m_pWindowPlugIn.get();
  if (auto* sdi = dynamic_cast<SECFrameWnd*>(top)) return sdi->GetWindowPlugIn();
  return nullptr;
}

}  // namespace

IMPLEMENT_DYNCREATE(SECFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(SECFrameWnd, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_ENTERIDLE()
  ON_WM_ENABLE()
  ON_REGISTERED_MESSAGE(WM_SECGETMENU, &SECFrameWnd::OnGetMenu)
  ON_COMMAND_RANGE(43007, 43009, &SECFrameWnd::OnReservedCommand)
  ON_COMMAND_RANGE(43012, 43014, &SECFrameWnd::OnReservedCommand)
  ON_COMMAND_RANGE(43031, 43039, &SECFrameWnd::OnReservedCommand)
  ON_UPDATE_COMMAND_UI_RANGE(43007, 43009, &SECFrameWnd::OnUpdateReservedCommand)
  ON_UPDATE_COMMAND_UI_RANGE(43012, 43014, &SECFrameWnd::OnUpdateReservedCommand)
  ON_UPDATE_COMMAND_UI_RANGE(43031, 43039, &SECFrameWnd::OnUpdateReservedCommand)
END_MESSAGE_MAP()

SECFrameWnd::SECFrameWnd() { m_bWin4 = secData().bWin4; }

SECFrameWnd::~SECFrameWnd() {
  delete m_pMenuPlugIn;
  if (m_hMenuBarDefault) ::DestroyMenu(m_hMenuBarDefault);
}

int SECFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
  if (!m_pMenuPlugIn) m_pMenuPlugIn = secframe::MakeMenuPlugIn(this, m_pMenuBar, m_bBitmapMenus, m_pControlBarManager);
  return 0;
}

void SECFrameWnd::OnClose() {
  m_bClosing = TRUE;
  // Nothing reaches the plug-in once it is gone.
  delete m_pMenuPlugIn;
  m_pMenuPlugIn = nullptr;
  CFrameWnd::OnClose();
}

LRESULT SECFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pMenuPlugIn) {
    LRESULT result = 0;
    m_pMenuPlugIn->OnWndMsg(message, wParam, lParam, &result);
    if (m_pMenuPlugIn && m_pMenuPlugIn->m_bExitDefault) return result;
  }
  if (message == WM_INITMENUPOPUP && m_bBitmapMenus) {
    const LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
    if (auto* plugIn = dynamic_cast<SECBmpMenuPlugIn*>(m_pMenuPlugIn)) plugIn->InitMenuPopup(wParam, lParam);
    return result;
  }
  switch (message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
      return DefWindowProc(message, wParam, lParam);
    case WM_NCHITTEST:
      // While the bars are customized the frame cannot be moved or sized.
      if (InConfigMode()) return HTERROR;
      break;
    default:
      break;
  }
  return CFrameWnd::WindowProc(message, wParam, lParam);
}

BOOL SECFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (m_pMenuPlugIn && m_pMenuPlugIn->PreTranslateMessage(pMsg)) return TRUE;
  if (InConfigMode() && pMsg->message == WM_SYSCOMMAND && (pMsg->wParam & 0xFFF0) == SC_KEYMENU) return TRUE;
  return CFrameWnd::PreTranslateMessage(pMsg);
}

BOOL SECFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (SECWndPlugIn* plugIn = routing_plug_in(this); plugIn && plugIn->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
    plugIn->m_bExitDefault = FALSE;
    return TRUE;
  }
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL SECFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDDefaultMenu = nIDResource;
  // The framework's loading gives the window the resource's menu only when it exists.
  return CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

void SECFrameWnd::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout) return;
  const bool first = m_rectInside.IsRectEmpty() != FALSE;
  CFrameWnd::RecalcLayout(bNotify);
  CRect inside;
  secframe::FinishLayout(this, first, inside);
  m_rectInside = inside;
}

void SECFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
  CFrameWnd::OnSetPreviewMode(bPreview, pState);
  if (!bPreview) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

BOOL SECFrameWnd::InConfigMode() const { return m_pControlBarManager && m_pControlBarManager->IsConfigMode(); }

// --- Docking ----------------------------------------------------------------------------------------

void SECFrameWnd::EnableDocking(DWORD dwDockStyle) {
  if (!m_pFloatingFrameClass) m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
  secframe::EnableDocking(this, dwDockStyle, [this] { return CreateDockBar(); });
}

CDockBar* SECFrameWnd::CreateDockBar() { return new SECDockBar(); }

void SECFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, int nCol, int nRow, float fPctWidth, int nLength) {
  if (!pBar) return;
  secframe::DockWithInfo(pBar, secframe::DockBarFor(this, pBar, nDockBarID), SECDockBarInsertRecord{nRow, nCol, 0},
                         SECDockInfo{fPctWidth, nLength});
}

void SECFrameWnd::DockControlBarInto(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  secframe::DockInto(this, pBar, pDockBar, lpRect);
}

void SECFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  if (pBar) DockControlBar(pBar, secframe::DockBarFor(this, pBar, nDockBarID), lpRect);
}

void SECFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (!pBar || !pDockBar) return;
  DockControlBarInto(pBar, pDockBar, lpRect);
  RecalcLayout();
}

void SECFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  secframe::ReDock(this, pBar, pDockBar, lpRect);
}

void SECFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  if (pBar && !secframe::MoveLoneFloating(pBar, point, dwStyle)) {
    secframe::FloatInNewFrame(this, pBar, point, dwStyle, FALSE);
  }
}

void SECFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  secframe::ShowBar(this, pBar, bShow, bDelay);
}

// --- The saved layout -------------------------------------------------------------------------------

void SECFrameWnd::LoadBarState(LPCTSTR lpszProfileName) {
  SECDockState state(GetControlBarManager());
  // Bars made again from their class are this frame's.
  std::vector<CControlBar*> created;
  state.m_pCreatedBars = &created;
  state.LoadState(lpszProfileName);
  state.ApplyToFrame(this);
  for (CControlBar* bar : created) {
    // The frame deletes them with itself rather than their windows.
    bar->m_bAutoDelete = FALSE;
    m_createdBars.emplace_back(bar);
  }
  CWinApp* app = AfxGetApp();
  if (app && !app->m_pMainWnd) app->m_pMainWnd = this;
}

void SECFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const {
  secframe::SaveBarState(const_cast<SECFrameWnd*>(this), GetControlBarManager(), lpszProfileName);
}

void SECFrameWnd::SetDockState(const CDockState& state) { secframe::SetDockState(this, state); }

void SECFrameWnd::GetDockState(CDockState& state) const { secframe::GetDockState(const_cast<SECFrameWnd*>(this), state); }

// --- Caption, menus, plug-ins -----------------------------------------------------------------------

void SECFrameWnd::DrawCaption(CDC* pDC, const CRect& rect, BOOL bActive) {
  CFont italic, normal;
  CreateItalicCaptionFont(italic);
  CreateCaptionFont(normal);
  secframe::DrawCaption(this, pDC, rect, bActive, m_nCaptionAlign, italic, normal);
}

BOOL SECFrameWnd::EnableCustomCaption(BOOL, BOOL) {
  const BOOL old = m_bCustomCaption;
  m_bCustomCaption = FALSE;
  return old;
}

HMENU SECFrameWnd::GetMenuForResourceId(UINT nMenuID) {
  return nMenuID == m_nIDDefaultMenu ? m_hMenuBarDefault : nullptr;
}

HMENU SECFrameWnd::GetDefaultMenu() { return m_pMenuBar ? m_hMenuBarDefault : m_hMenuDefault; }

SECWndPlugIn* SECFrameWnd::CreateWindowPlugIn(DWORD dwValue1, DWORD dwValue2, const CRuntimeClass* pClass, DWORD dwValue3) {
  // The first value is the own window's extended style, the second its creation parameter, the
  // last its id.
  std::unique_ptr<SECWndPlugIn> plugIn = secframe::MakeWindowPlugIn(this, pClass, dwValue1, dwValue2, UINT(dwValue3));
  if (!plugIn) return nullptr;
  m_pWindowPlugIn = std::move(plugIn);
  return m_pWindowPlugIn.get();
}

void SECFrameWnd::OnSysColorChange() {
  secData().UpdateSysColors();
  Default();
}

void SECFrameWnd::OnEnterIdle(UINT, CWnd*) { RecalcLayoutOnIdle(); }

void SECFrameWnd::RecalcLayoutOnIdle() {
  if (InConfigMode() && (m_nIdleFlags & idleLayout)) {
    RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    UpdateWindow();
  }
  Default();
}

void SECFrameWnd::OnEnable(BOOL bEnable) {
  // While the bars are customized the frame does not keep its caption active for a floating bar.
  if (InConfigMode()) m_bStayActive = FALSE;
  CFrameWnd::OnEnable(bEnable);
}

LRESULT SECFrameWnd::OnGetMenu(WPARAM wParam, LPARAM lParam) {
  HMENU menu = GetMenuForResourceId(UINT(wParam));
  if (!menu) return 0;
  return reinterpret_cast<LRESULT>(::GetSubMenu(menu, int(lParam)));
}
