#include "toolkit/widgets/truncated_item_tip.h"

#include <algorithm>

#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"
#include "toolkit/widgets/list_geometry.h"
#include "platform/controls/list_ctrl.h"

namespace {

constexpr UINT kTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

}  // namespace

IMPLEMENT_DYNAMIC(SECTruncatedItemTip, CWnd)

SECTruncatedItemTip::~SECTruncatedItemTip() { DestroyWindow(); }

BOOL SECTruncatedItemTip::CreateTipWindow() {
  HWND owner = m_pOwner ? m_pOwner->GetOwnerHwnd() : nullptr;
  if (!owner) return FALSE;
  LPCTSTR cls = AfxRegisterWndClass(CS_SAVEBITS | CS_OWNDC | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW));
  return CreateEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, cls, "", WS_POPUP | WS_BORDER, 0, 0, 1, 1, owner, nullptr);
}

BOOL SECTruncatedItemTip::Track(UINT hitFlags, int row, int column, int, int) {
  if (!m_hWnd && !CreateTipWindow()) return FALSE;
  int sub = column < 0 ? -1 : m_pOwner->GetColumnSubItem(column);
  bool applies = ((hitFlags & LVHT_ONITEMLABEL) || ((hitFlags & LVHT_ONROW) && sub > 0)) && row >= 0 &&
                 column >= 0 && ::GetActiveWindow() != nullptr;
  CRect cell, label, view;
  if (!applies || !m_pOwner->GetItemRect(row, column, &cell, LVIR_BOUNDS) ||
      !m_pOwner->GetItemRect(row, column, &label, LVIR_LABEL)) {
    Hide();
    return FALSE;
  }
  cell.right -= 5;
  m_pOwner->GetViewRect(&view);
  bool cut = label.right > std::min(cell.right, view.right) || label.left < view.left;
  if (!cut) {
    Hide();
    return FALSE;
  }
  if (IsShown() && row == m_nRow && sub == m_nSubItem) return TRUE;
  Hide();
  label.InflateRect(2, 0, 2, 2);
  m_nRow = row;
  m_nSubItem = sub;
  m_rcCell = cell;
  m_strText = m_pOwner->GetItemText(row, sub);
  if (m_strText.IsEmpty()) return FALSE;

  int width = std::min(int(label.Width()), kMaxWidth) + 3;
  CPoint at(label.left - 1, cell.top);
  m_pOwner->ClientToScreenPoint(&at);
  int screen = ::GetSystemMetrics(SM_CXSCREEN);
  if (at.x + width > screen) at.x = screen - width;
  if (at.x < 0) at.x = 0;
  SetWindowPos(&wndTopMost, at.x, at.y, width, cell.Height(), SWP_NOACTIVATE);
  FitToText();
  SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  m_pOwner->CaptureMouse(TRUE);
  m_bOwnerCaptured = TRUE;
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  return TRUE;
}

// Sizes the window to its text wrapped in the current width, kept on the screen.
void SECTruncatedItemTip::FitToText() {
  CRect client;
  GetClientRect(&client);
  CClientDC dc(this);
  CFont* old = dc.SelectObject(m_pOwner->GetItemFont());
  CRect text(0, 0, std::max(int(client.Width()) - 2, 1), 0);
  dc.DrawText(m_strText, &text, DT_CALCRECT | kTextFormat);
  dc.SelectObject(old);
  CRect frame(0, 0, text.Width() + 1 + 8, text.Height() + 1 + 2);
  CRect window;
  GetWindowRect(&window);
  CRect now;
  GetClientRect(&now);
  int cx = frame.Width() + (window.Width() - now.Width());
  int cy = frame.Height() + (window.Height() - now.Height());
  int screen = ::GetSystemMetrics(SM_CXSCREEN);
  int x = std::clamp(int(window.left), 0, std::max(screen - cx, 0));
  SetWindowPos(&wndTopMost, x, window.top, cx, cy, SWP_NOACTIVATE);
}

void SECTruncatedItemTip::Hide() {
  if (m_hWnd && IsWindowVisible()) {
    CRect covered;
    GetWindowRect(&covered);
    ShowWindow(SW_HIDE);
    if (HWND owner = m_pOwner->GetOwnerHwnd(); ::IsWindow(owner)) {
      ::ScreenToClient(owner, reinterpret_cast<POINT*>(&covered.left));
      ::ScreenToClient(owner, reinterpret_cast<POINT*>(&covered.right));
      ::RedrawWindow(owner, &covered, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    }
  }
  m_nRow = -1;
  m_nSubItem = -1;
  m_rcCell.SetRectEmpty();
  ReleaseOwnerCapture();
}

void SECTruncatedItemTip::ReleaseOwnerCapture() {
  if (!m_bOwnerCaptured) return;
  m_bOwnerCaptured = FALSE;
  if (m_pOwner) m_pOwner->CaptureMouse(FALSE);
}

void SECTruncatedItemTip::RepaintIfVisible() {
  if (IsShown()) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

void SECTruncatedItemTip::OnPaint() {
  CPaintDC dc(this);
  if (m_nRow < 0) return;
  bool selected = m_pOwner->IsItemSelected(m_nRow);
  COLORREF text = selected ? m_pOwner->GetSelTextColor() : m_pOwner->GetTipTextColor();
  COLORREF back = selected ? m_pOwner->GetSelBackColor() : m_pOwner->GetTipBackColor();
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, back);
  CFont* old = dc.SelectObject(m_pOwner->GetItemFont());
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(text);
  CRect area(client.left + 2, client.top + 1, client.right, client.bottom);
  dc.DrawText(m_strText, &area, kTextFormat);
  dc.SelectObject(old);
}

void SECTruncatedItemTip::OnDestroy() {
  m_nRow = -1;
  ReleaseOwnerCapture();
  CWnd::OnDestroy();
}

BEGIN_MESSAGE_MAP(SECTruncatedItemTip, CWnd)
  ON_WM_PAINT()
  ON_WM_DESTROY()
END_MESSAGE_MAP()
