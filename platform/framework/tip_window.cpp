#include "platform/framework/tip_window.h"

#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"

namespace framework {

namespace {
// Space between the border and the text.
constexpr int kPadding = 3;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX;
}  // namespace

BEGIN_MESSAGE_MAP(TipWindow, CWnd)
  ON_WM_PAINT()
  ON_WM_TIMER()
END_MESSAGE_MAP()

bool TipWindow::Ensure() {
  if (m_hWnd && ::IsWindow(m_hWnd)) return true;
  return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, nullptr, "", WS_POPUP | WS_BORDER, CRect(0, 0, 1, 1), nullptr, 0);
}

void TipWindow::ShowText(const CString& text, POINT screen) {
  if (!Ensure()) return;
  SetWindowText(text);
  HDC dc = ::GetWindowDC(m_hWnd);
  HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{0, 0};
  ::GetTextExtentPoint32(dc, text, text.GetLength(), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);
  RECT r{0, 0, size.cx + 2 * kPadding, size.cy + 2 * kPadding};
  ::AdjustWindowRectEx(&r, GetStyle(), FALSE, GetExStyle());
  MoveWindow(screen.x, screen.y, r.right - r.left, r.bottom - r.top, TRUE);
  ShowWindow(SW_SHOWNOACTIVATE);
  Invalidate();
}

void TipWindow::HideTip() {
  if (!m_hWnd || !::IsWindow(m_hWnd)) return;
  KillTimer(kShowTimer);
  if (IsWindowVisible()) ShowWindow(SW_HIDE);
}

bool TipWindow::IsShown() const { return m_hWnd && ::IsWindow(m_hWnd) && IsWindowVisible(); }

void TipWindow::OnPaint() {
  CPaintDC dc(this);
  CRect r;
  GetClientRect(&r);
  ::FillRect(dc.m_hDC, &r, ::GetSysColorBrush(COLOR_INFOBK));
  HGDIOBJ old = ::SelectObject(dc.m_hDC, ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetBkMode(dc.m_hDC, TRANSPARENT);
  ::SetTextColor(dc.m_hDC, ::GetSysColor(COLOR_INFOTEXT));
  CString text;
  GetWindowText(text);
  ::DrawText(dc.m_hDC, text, text.GetLength(), &r, kTextFormat);
  ::SelectObject(dc.m_hDC, old);
}

void TipWindow::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kShowTimer) return;
  KillTimer(kShowTimer);
  if (on_show_timer) on_show_timer();
}

}  // namespace framework
