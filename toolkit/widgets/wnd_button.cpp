#include "toolkit/widgets/wnd_button.h"

#include <algorithm>

#include "platform/win/cursors.h"
#include "platform/win/messages.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/window_api.h"
#include "toolkit/frame/drag_rect_tracker.h"

IMPLEMENT_DYNAMIC(SECWndBtn, SECStdBtn)

namespace {

constexpr int kSizingZone = 3;
constexpr UINT kSizingCursor = 20692;

BOOL AltHeld() { return (GetKeyState(VK_MENU) & 0x8000) != 0; }

}  // namespace

namespace wnd_button {

int CentredTop(int y, int cy, int actualHeight) { return y + (cy - actualHeight) / 2; }

bool InSizingZone(int x, int width) { return x >= width - kSizingZone && x < width; }

int SavedWidth(int stored, int minWidth, int screenWidth) {
  return std::clamp(stored, minWidth, std::max(minWidth, screenWidth));
}

}  // namespace wnd_button

SECWndBtn::SECWndBtn() { m_nType = SEC_BTNTYPE_WINDOW; }

SECWndBtn::~SECWndBtn() = default;

void SECWndBtn::Init(SECToolBarButtonOwner* pToolBar, const UINT* pData) {
  SECStdBtn::Init(pToolBar, pData);
  const UINT id = pData ? pData[0] : 0;
  const DWORD style = pData ? pData[1] : 0;
  if (pData) {
    m_nWidth = LOWORD(pData[2]);
    m_nMinWidth = HIWORD(pData[2]);
    m_nHeight = int(pData[3]);
  }
  CWnd* bar = pToolBar ? pToolBar->GetBarWnd() : nullptr;
  if (!bar || !CreateWnd(bar, style | WS_CHILD, CRect(0, 0, 0, 0), id)) return;
  CWnd* wnd = GetWnd();
  CWnd* owner = pToolBar->GetBarOwner();
  if (wnd && wnd->m_hWnd && owner && owner->m_hWnd) {
    owner->SendMessage(SECToolBarWndNotifyMessage(), MAKEWPARAM(id, SEC_WNDBTN_CREATED),
                       reinterpret_cast<LPARAM>(wnd->m_hWnd));
  }
}

void SECWndBtn::RecalcSize() {
  m_cx = m_bShown ? m_nWidth : ImageWidth() + 7;
  m_cy = ImageHeight() + 7;
  if (m_pToolBar) m_pToolBar->RaiseWidestButton(m_cx);
}

void SECWndBtn::PlaceWindow() {
  CWnd* wnd = GetWnd();
  if (!wnd || !wnd->m_hWnd) return;
  wnd->SetWindowPos(nullptr, m_x, wnd_button::CentredTop(m_y, m_cy, m_nActualHeight), 0, 0,
                    SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SECWndBtn::SetCollapsed(BOOL bCollapsed) {
  CWnd* wnd = GetWnd();
  if (bCollapsed) {
    if (!m_bShown) return;
    if (wnd && wnd->m_hWnd) wnd->ShowWindow(SW_HIDE);
    m_nWidth = m_cx;
    m_bShown = FALSE;
    m_cx = ImageWidth() + 7;
    return;
  }
  if (m_bShown) return;
  m_cx = m_nWidth;
  m_bShown = TRUE;
  if (!wnd || !wnd->m_hWnd) return;
  wnd->SetWindowPos(nullptr, 0, 0, m_nWidth, m_nHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  CRect r;
  wnd->GetWindowRect(&r);
  m_nActualHeight = r.Height();
  PlaceWindow();
  if (!(m_nStyle & SEC_TBBS_HIDDEN)) wnd->ShowWindow(SW_SHOWNA);
}

void SECWndBtn::SetStyle(DWORD dwStyle) {
  SECStdBtn::SetStyle(dwStyle);
  CWnd* wnd = GetWnd();
  if (wnd && wnd->m_hWnd) wnd->EnableWindow(!(dwStyle & SEC_TBBS_DISABLED));
}

void SECWndBtn::UpdateVisibility() {
  CWnd* wnd = GetWnd();
  if (!m_bShown || !wnd || !wnd->m_hWnd) return;
  wnd->ShowWindow((m_nStyle & SEC_TBBS_HIDDEN) ? SW_HIDE : SW_SHOWNA);
}

void SECWndBtn::SetPos(int x, int y) {
  SECStdBtn::SetPos(x, y);
  if (m_bShown) PlaceWindow();
}

void SECWndBtn::Invalidate(BOOL bErase) {
  if (!m_bShown) SECStdBtn::Invalidate(bErase);
}

INT_PTR SECWndBtn::GetToolInfo(int x, int y, TOOLINFO* pTI) {
  if (m_bShown) return -1;
  return SECStdBtn::GetToolInfo(x, y, pTI);
}

void SECWndBtn::Draw(CDC& dc, SECBtnDrawData& data) {
  if (!m_bShown) {
    SECStdBtn::Draw(dc, data);
    return;
  }
  CWnd* wnd = GetWnd();
  if (wnd && wnd->m_hWnd) wnd->UpdateWindow();
}

void SECWndBtn::Notify(UINT nCode, void* pData) {
  if (nCode != SEC_BTN_NOTIFY_WND_MESSAGE) {
    SECStdBtn::Notify(nCode, pData);
    return;
  }
  CWnd* wnd = GetWnd();
  if (!pData || !wnd || !wnd->m_hWnd) return;
  const auto* m = static_cast<const SECWndBtnMessage*>(pData);
  wnd->SendMessage(m->message, m->wParam, m->lParam);
}

void SECWndBtn::GetSavedData(BYTE& nLength, BYTE*& pData) {
  const int width = m_bShown ? m_cx : m_nWidth;
  m_saved[0] = BYTE(width & 0xFF);
  m_saved[1] = BYTE((width >> 8) & 0xFF);
  nLength = 2;
  pData = m_saved;
}

void SECWndBtn::SetSavedData(BYTE nLength, const BYTE* pData) {
  if (nLength != 2 || !pData) return;
  m_nWidth = wnd_button::SavedWidth(pData[0] | (pData[1] << 8), m_nMinWidth, ::GetSystemMetrics(SM_CXSCREEN));
  if (!m_bShown) return;
  m_cx = m_nWidth;
  CWnd* wnd = GetWnd();
  if (wnd && wnd->m_hWnd) {
    wnd->SetWindowPos(nullptr, 0, 0, m_nWidth, m_nHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

BOOL SECWndBtn::IsBarCustomizing() const { return m_pToolBar && m_pToolBar->InCustomizeMode(); }

BOOL SECWndBtn::IsResizable() const { return m_bShown && m_nMinWidth > 0 && (m_nStyle & SEC_TBBS_SELECTED); }

BOOL SECWndBtn::OnRightEdge(int x) const {
  CWnd* wnd = const_cast<SECWndBtn*>(this)->GetWnd();
  if (!wnd || !wnd->m_hWnd) return FALSE;
  CRect r;
  wnd->GetWindowRect(&r);
  return wnd_button::InSizingZone(x, r.Width());
}

BOOL SECWndBtn::OnHostedLButtonDown(UINT, int x, int y) {
  const BOOL alt = AltHeld();
  if (!IsBarCustomizing() && !alt) return FALSE;
  CWnd* wnd = GetWnd();
  CWnd* bar = m_pToolBar ? m_pToolBar->GetBarWnd() : nullptr;
  if (!wnd || !wnd->m_hWnd || !bar || !bar->m_hWnd) return FALSE;
  if (IsResizable() && !m_pToolBar->IsCustomizeSheetBar() && !alt && OnRightEdge(x)) {
    CRect r;
    wnd->GetWindowRect(&r);
    SECDragRectTracker tracker(CRect(0, 0, m_cx, r.Height()));
    tracker.m_sizeMin = CSize(m_nMinWidth, 0);
    if (tracker.TrackRightEdge(wnd, CPoint(x, y))) {
      m_cx = m_nWidth = tracker.m_rect.Width();
      m_pToolBar->RecalcFrameLayout();
      wnd->SetWindowPos(nullptr, 0, 0, m_nWidth, m_nHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
  }
  CPoint p(x, y);
  wnd->ClientToScreen(&p);
  bar->ScreenToClient(&p);
  bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  return TRUE;
}

BOOL SECWndBtn::HandleSetCursor(CPoint point) {
  if (IsResizable() && OnRightEdge(point.x)) {
    static const HCURSOR sizing = ::LoadCursor(nullptr, MAKEINTRESOURCE(kSizingCursor));
    if (sizing) {
      ::SetCursor(sizing);
      return TRUE;
    }
  }
  if (IsBarCustomizing()) {
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
  }
  return FALSE;
}

void SECWndBtn::InvalidateHostedWnd() {
  CWnd* wnd = GetWnd();
  if (m_nMinWidth > 0 && wnd && wnd->m_hWnd) wnd->InvalidateRect(nullptr, FALSE);
}

void SECWndBtn::DrawSizingFrame() {
  CWnd* wnd = GetWnd();
  if (!IsResizable() || !wnd || !wnd->m_hWnd) return;
  CRect r;
  wnd->GetClientRect(&r);
  CClientDC dc(wnd);
  SECDrawDragFrame(dc, r);
}
