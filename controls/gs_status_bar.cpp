#include "controls/gs_status_bar.h"

#include "controls/gs_status_panes.h"
#include "platform/framework/app.h"
#include "platform/framework/frame_wnd.h"
#include "platform/res/resource_store.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/keyboard_locks.h"
#include "platform/win/mouse_tracking.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "resources/resource_ids.h"

namespace {

// The bar window's style and the progress control's first place (moved onto its pane later).
constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM;
const CRect kProgressStart(100, 2, 120, 14);
// The tool id of every pane's tip.
constexpr UINT_PTR kPaneToolId = UINT_PTR(-2);
// The prompt the message-pane progress bar leaves behind.
constexpr UINT kIdleMessage = 57345;
// Posted by the message-pane progress bar to itself after it moved while painting.
constexpr UINT kRepaintMessage = WM_USER + 0x200;

}  // namespace

// --- The status bar ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGSStatusBar, SECCustomStatusBar)
  ON_UPDATE_COMMAND_UI(resources::ID_INDICATOR_DATE, &CGSStatusBar::OnUpdateDate)
  ON_UPDATE_COMMAND_UI(::ID_INDICATOR_CAPS, &CGSStatusBar::OnUpdateLockKey)
  ON_UPDATE_COMMAND_UI(::ID_INDICATOR_NUM, &CGSStatusBar::OnUpdateLockKey)
  ON_UPDATE_COMMAND_UI(resources::ID_INDICATOR_ACT, &CGSStatusBar::OnUpdateWrittenPane)
  ON_UPDATE_COMMAND_UI(resources::ID_INDICATOR_FOUND_WORDS, &CGSStatusBar::OnUpdateWrittenPane)
  ON_UPDATE_COMMAND_UI(resources::ID_INDICATOR_MARK, &CGSStatusBar::OnUpdateWrittenPane)
  ON_WM_SIZE()
  ON_WM_RBUTTONDOWN()
  ON_WM_CONTEXTMENU()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CGSStatusBar::CGSStatusBar() : m_strDateFormat(gsstatus::DateFormat(gsstatus::kDateToday)) {}

CGSStatusBar::~CGSStatusBar() {
  m_pTips.reset();
  if (m_pPaneProgress && m_pPaneProgress->m_hWnd) m_pPaneProgress->DestroyWindow();
  m_pPaneProgress.reset();
}

BOOL CGSStatusBar::Create(CWnd* pParentWnd, DWORD options, int progressPane) {
  if (!m_hWnd && !SECCustomStatusBar::Create(pParentWnd, kBarStyle, AFX_IDW_STATUS_BAR)) return FALSE;
  ResetProgress();
  m_dwOptions = options;
  m_nProgressPane = progressPane;
  if (!CreateProgress() || !CreateExtra()) return FALSE;
  if (!m_pTips) {
    m_pTips = std::make_unique<CToolTipCtrl>();
    if (!m_pTips->Create(this)) return FALSE;
  }
  m_pTips->Activate(TRUE);
  PlaceProgress();
  AfterPlaceProgress();
  return TRUE;
}

void CGSStatusBar::GetPaneTip(CString& text, int pane) const { text = gsstatus::PaneTip(pane, m_nDateMode); }

BOOL CGSStatusBar::CreateProgress() {
  if (!(m_dwOptions & GSSB_PROGRESS)) return TRUE;
  auto progress = std::make_unique<CProgressCtrl>();
  if (!progress->Create(WS_CHILD, kProgressStart, this, IDC_GS_STATUS_PROGRESS)) return FALSE;
  m_pPaneProgress = std::move(progress);
  return TRUE;
}

BOOL CGSStatusBar::CreateExtra() { return TRUE; }

void CGSStatusBar::ResetProgress() {
  if (m_pPaneProgress) {
    if (m_pPaneProgress->m_hWnd) m_pPaneProgress->DestroyWindow();
    m_pPaneProgress.reset();
  }
  AfterResetProgress();
}

void CGSStatusBar::PlaceProgress() {
  if (!(m_dwOptions & GSSB_PROGRESS) || !m_pPaneProgress || !m_pPaneProgress->m_hWnd || m_nProgressPane == -1) {
    return;
  }
  CRect pane;
  GetItemRect(m_nProgressPane, &pane);
  m_pPaneProgress->SetWindowPos(nullptr, pane.left, pane.top, pane.Width(), pane.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE);
  m_pPaneProgress->Invalidate();
}

void CGSStatusBar::SetProgress(int position, int range) {
  if (!(m_dwOptions & GSSB_PROGRESS) || !m_pPaneProgress || !m_pPaneProgress->m_hWnd) return;
  if (position == -1) {
    m_pPaneProgress->ShowWindow(SW_HIDE);
    SetPaneTextId(resources::IDS_IDLE_PROMPT, gsstatus::kPaneMessage);
    return;
  }
  int lower = 0, upper = 0;
  if (gsstatus::ProgressRange(range, lower, upper)) m_pPaneProgress->SetRange32(lower, upper);
  m_pPaneProgress->ShowWindow(SW_SHOW);
  m_pPaneProgress->SetPos(position);
  UpdateWindow();
  m_pPaneProgress->UpdateWindow();
}

void CGSStatusBar::SetPaneTextId(UINT nStringId, int pane) {
  CString text;
  AfxLoadString(nStringId, text);
  SetPaneTextNow(text, pane);
}

void CGSStatusBar::SetPaneTextNow(LPCTSTR text, int pane) {
  SetPaneText(pane, text, TRUE);
  if (m_hWnd) UpdateWindow();
}

int CGSStatusBar::PaneAt(CPoint point) const {
  for (int pane = 0; pane < GetPaneCount(); ++pane) {
    CRect rect;
    GetItemRect(pane, &rect);
    if (rect.PtInRect(point)) return pane;
  }
  return -1;
}

INT_PTR CGSStatusBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  const int pane = PaneAt(point);
  if (pane < 0) return -1;
  CString tip;
  GetPaneTip(tip, pane);
  if (tip.IsEmpty()) return -1;
  if (pTI) {
    CRect rect;
    GetItemRect(pane, &rect);
    m_tipText = tip;
    pTI->hwnd = m_hWnd;
    pTI->uId = kPaneToolId;
    pTI->rect = rect;
    pTI->lpszText = const_cast<LPSTR>(static_cast<LPCTSTR>(m_tipText));
  }
  return pane;
}

void CGSStatusBar::OnUpdateDate(CCmdUI* pCmdUI) {
  pCmdUI->Enable(TRUE);
  m_strDateFormat = gsstatus::DateFormat(m_nDateMode);
  pCmdUI->SetText(gsstatus::DateText(m_nDateMode, CTime::GetCurrentTime(), m_legalStateTime));
}

// The lock panes show the state as the program last saw it from the key events.
void CGSStatusBar::OnUpdateLockKey(CCmdUI* pCmdUI) {
  const int vk = pCmdUI->m_nID == ::ID_INDICATOR_CAPS ? VK_CAPITAL : VK_NUMLOCK;
  pCmdUI->Enable((::GetKeyState(vk) & 1) != 0);
}

// The panes the views write stay enabled, so their texts show whether or not the frame has a
// handler for them.
void CGSStatusBar::OnUpdateWrittenPane(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void CGSStatusBar::OnSize(UINT nType, int cx, int cy) {
  SECCustomStatusBar::OnSize(nType, cx, cy);
  PlaceProgress();
  AfterPlaceProgress();
}

// No context menu and no default handling: a right-click on the bar does nothing, neither here
// nor in the frame the release would otherwise ask for a menu.
void CGSStatusBar::OnRButtonDown(UINT, CPoint) {}
void CGSStatusBar::OnContextMenu(CWnd*, CPoint) {}

void CGSStatusBar::OnLButtonDblClk(UINT, CPoint point) {
  for (int pane = 0; pane < GetPaneCount(); ++pane) {
    CRect rect;
    GetItemRect(pane, &rect);
    if (!rect.PtInRect(point)) continue;
    const gsstatus::PaneAction action = gsstatus::DoubleClickAction(pane);
    if (action.kind == gsstatus::PaneAction::kCommand) {
      if (CWnd* parent = GetParent()) parent->SendMessage(WM_COMMAND, action.command);
    } else if (action.kind == gsstatus::PaneAction::kToggleLock) {
      keybd_event(action.vk, action.scan, action.flags, 0);
      keybd_event(action.vk, action.scan, action.flags | KEYEVENTF_KEYUP, 0);
    }
  }
}

void CGSStatusBar::OnMouseMove(UINT nFlags, CPoint point) {
  SECCustomStatusBar::OnMouseMove(nFlags, point);
  if (!m_pTips) return;
  TOOLINFO info;
  const int pane = int(OnToolHitTest(point, &info));
  if (pane != m_nLastTip) {
    m_pTips->DelTool(this, kPaneToolId);
    if (pane >= 0) m_pTips->AddTool(info);
    m_nLastTip = pane;
  }
  if (!m_bTipLeave) {
    TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
    m_bTipLeave = ::TrackMouseEvent(&tme) != FALSE;
  }
  RelayToTips(WM_MOUSEMOVE, nFlags, point);
}

void CGSStatusBar::OnMouseLeave() {
  SECCustomStatusBar::OnMouseLeave();
  m_bTipLeave = false;
  if (m_pTips) {
    m_pTips->Pop();
    m_pTips->DelTool(this, kPaneToolId);
  }
  m_nLastTip = -1;
}

void CGSStatusBar::RelayToTips(UINT message, WPARAM wParam, CPoint point) {
  MSG msg{};
  msg.hwnd = m_hWnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = MAKELPARAM(point.x, point.y);
  m_pTips->RelayEvent(&msg);
}

// --- The message-pane progress bar ------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CProgressBar, CProgressCtrl)

BEGIN_MESSAGE_MAP(CProgressBar, CProgressCtrl)
  ON_WM_ERASEBKGND()
  ON_WM_DESTROY()
  ON_MESSAGE(kRepaintMessage, &CProgressBar::OnRepaint)
END_MESSAGE_MAP()

CProgressBar::CProgressBar() = default;

CProgressBar::~CProgressBar() {
  if (m_hWnd) DestroyWindow();
}

CWnd* CProgressBar::MainStatusBar() {
  auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
  return frame ? frame->GetMessageBar() : nullptr;
}

void CProgressBar::Place() {
  CWnd* bar = MainStatusBar();
  if (!bar || !bar->m_hWnd) return;
  if (IsWindowVisible()) bar->SetWindowText(m_strLabel);
  CRect pane0;
  if (!bar->SendMessage(SB_GETRECT, 0, reinterpret_cast<LPARAM>(static_cast<LPRECT>(&pane0)))) return;
  CClientDC dc(bar);
  CFont* old = nullptr;
  if (auto font = reinterpret_cast<HFONT>(bar->SendMessage(WM_GETFONT))) old = dc.SelectObject(CFont::FromHandle(font));
  const int textWidth = int(dc.GetTextExtent(m_strLabel + "  ").cx);
  if (old) dc.SelectObject(old);
  CRect place = gsstatus::MessageProgressRect(pane0, textWidth, m_nPercent);
  // The control is the bar's child or lies over it: the rectangle goes into its parent's terms.
  if (CWnd* parent = GetParent(); parent && parent != bar) {
    bar->ClientToScreen(&place);
    parent->ScreenToClient(&place);
  }
  CRect now;
  GetWindowRect(&now);
  if (CWnd* parent = GetParent()) parent->ScreenToClient(&now);
  if (now != place) {
    SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    // The paint under way covers the old size only: the new one is painted once it is over.
    PostMessage(kRepaintMessage);
  }
}

BOOL CProgressBar::OnEraseBkgnd(CDC* pDC) {
  Place();
  return CProgressCtrl::OnEraseBkgnd(pDC);
}

LRESULT CProgressBar::OnRepaint(WPARAM, LPARAM) {
  Invalidate();
  return 0;
}

void CProgressBar::OnDestroy() {
  ShowWindow(SW_HIDE);
  // The message pane goes back to the frame's own idle text.
  auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
  if (CWnd* bar = MainStatusBar(); frame && bar && bar->m_hWnd) {
    CString idle;
    frame->GetMessageString(kIdleMessage, idle);
    bar->SetWindowText(idle);
  }
  CProgressCtrl::OnDestroy();
}
