#include "controls/gs_title_tip.h"

#include "controls/report_list_layout.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"

namespace {

constexpr UINT kTextFormat = DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER;
// The text starts this far in from the tip's left edge.
constexpr int kTextInset = 2;
// The tip's border takes one pixel on each side.
constexpr int kBorder = 1;

bool register_tip_class() {
  WNDCLASS wc;
  if (GetClassInfo(kTitleTipClass, &wc)) return true;
  wc.style = CS_SAVEBITS | CS_DBLCLKS;
  wc.lpfnWndProc = ::DefWindowProc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
  wc.lpszClassName = kTitleTipClass;
  return RegisterClass(&wc) != 0;
}

bool is_button_down(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

}  // namespace

BEGIN_MESSAGE_MAP(CGSTitleTip, framework::TipWindow)
  ON_WM_PAINT()
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CGSTitleTip::CGSTitleTip()
    : m_crBackground(GetSysColor(COLOR_HIGHLIGHT)), m_crText(GetSysColor(COLOR_HIGHLIGHTTEXT)) {}

BOOL CGSTitleTip::Create(CWnd* pParentWnd) {
  m_pParentWnd = pParentWnd;
  if (!register_tip_class()) return FALSE;
  // Never activated: the desktop would otherwise take the focus from the list when it appears.
  return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kTitleTipClass, nullptr, WS_POPUP | WS_BORDER, CRect(0, 0, 0, 0),
                  nullptr, 0);
}

HFONT CGSTitleTip::ListFont() const {
  CFont* font = m_pParentWnd && ::IsWindow(m_pParentWnd->m_hWnd) ? m_pParentWnd->GetFont() : nullptr;
  return font ? HFONT(font->GetSafeHandle()) : nullptr;
}

void CGSTitleTip::Show(CRect rectTitle, const CString& text, int xoffset) {
  if (!m_hWnd || !m_pParentWnd || IsWindowVisible() || !::GetFocus()) return;
  m_pParentWnd->ClientToScreen(&rectTitle);

  CClientDC dc(m_pParentWnd);
  HFONT font = ListFont();
  HGDIOBJ old = font ? ::SelectObject(dc.m_hDC, font) : nullptr;
  int text_width = dc.GetTextExtent(text.GetString(), text.GetLength()).cx;
  if (report_list::text_fits(rectTitle.Width(), xoffset, text_width)) {
    if (old) ::SelectObject(dc.m_hDC, old);
    return;
  }
  // The text is measured in the width it is drawn in, so that no wrapped line falls off the tip.
  int layout = report_list::tip_layout_width(rectTitle);
  CRect measure(0, 0, layout - xoffset + 8 - 2 * kBorder - kTextInset, 0);
  ::DrawText(dc.m_hDC, text.GetString(), text.GetLength(), &measure, DT_CALCRECT | kTextFormat);
  if (old) ::SelectObject(dc.m_hDC, old);

  CRect tip = report_list::tip_rect(rectTitle, measure.Height() + 2 * kBorder, xoffset, GetSystemMetrics(SM_CXSCREEN));
  m_text = text;
  m_rectHover = report_list::hover_rect(tip, rectTitle);
  SetWindowPos(&wndTopMost, tip.left, tip.top, tip.Width(), tip.Height(), SWP_NOACTIVATE);
  ShowWindow(SW_SHOWNOACTIVATE);
  Invalidate();
  UpdateWindow();
  SetCapture();
}

void CGSTitleTip::Hide() {
  if (!m_hWnd || !::IsWindow(m_hWnd)) return;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  HideTip();
}

// The tip repaints itself whenever it is uncovered, from the text and colours of its last Show.
void CGSTitleTip::OnPaint() {
  CPaintDC dc(this);
  CRect r;
  GetClientRect(&r);
  // A selected row's tip is filled in the highlight colour; others show on the class's info
  // background, with the list's text colour.
  bool highlighted = m_crBackground == GetSysColor(COLOR_HIGHLIGHT);
  dc.FillSolidRect(&r, highlighted ? m_crBackground : GetSysColor(COLOR_INFOBK));
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(m_crText);
  HFONT font = ListFont();
  HGDIOBJ old = font ? ::SelectObject(dc.m_hDC, font) : nullptr;
  r.left += kTextInset;
  dc.DrawText(m_text.GetString(), m_text.GetLength(), &r, kTextFormat);
  if (old) ::SelectObject(dc.m_hDC, old);
}

// A move that reaches the tip without going through the message loop is handled as one from it.
void CGSTitleTip::OnMouseMove(UINT nFlags, CPoint point) {
  MSG msg;
  msg.hwnd = m_hWnd;
  msg.message = WM_MOUSEMOVE;
  msg.wParam = WPARAM(nFlags);
  msg.lParam = MAKE_POINT_LPARAM(point.x, point.y);
  PreTranslateMessage(&msg);
}

HWND CGSTitleTip::TargetUnder(POINT screen) const {
  HWND under = ::WindowFromPoint(screen);
  if (!under || under == m_hWnd) under = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  return under && ::IsWindow(under) ? under : nullptr;
}

void CGSTitleTip::PassMouseMove(const MSG& msg) {
  POINT screen{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  ::ClientToScreen(m_hWnd, &screen);
  Hide();
  HWND target = TargetUnder(screen);
  if (!target) return;
  auto hit = int(::SendMessage(target, WM_NCHITTEST, 0, MAKE_POINT_LPARAM(screen.x, screen.y)));
  if (hit == HTCLIENT) {
    POINT client = screen;
    ::ScreenToClient(target, &client);
    ::PostMessage(target, WM_MOUSEMOVE, msg.wParam, MAKE_POINT_LPARAM(client.x, client.y));
  } else {
    ::PostMessage(target, WM_NCMOUSEMOVE, WPARAM(hit), MAKE_POINT_LPARAM(screen.x, screen.y));
  }
}

void CGSTitleTip::PassButton(const MSG& msg) {
  POINT screen{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  ::ClientToScreen(m_hWnd, &screen);
  HWND target = TargetUnder(screen);
  if (!target) return;
  auto hit = int(::SendMessage(target, WM_NCHITTEST, 0, MAKE_POINT_LPARAM(screen.x, screen.y)));
  if (hit == HTCLIENT) {
    POINT client = screen;
    ::ScreenToClient(target, &client);
    ::SendMessage(target, msg.message, msg.wParam, MAKE_POINT_LPARAM(client.x, client.y));
  } else if (is_button_down(msg.message)) {
    Hide();
    ::SendMessage(target, msg.message - kNcMouseOffset, WPARAM(hit), MAKE_POINT_LPARAM(screen.x, screen.y));
  }
  // A tip still shown keeps the mouse unless the window under it took it; a hidden one must not.
  if (::IsWindow(m_hWnd) && IsWindowVisible() && !::GetCapture()) SetCapture();
}

BOOL CGSTitleTip::PreTranslateMessage(MSG* pMsg) {
  if (!m_pParentWnd || !::IsWindow(m_pParentWnd->m_hWnd)) return CWnd::PreTranslateMessage(pMsg);
  switch (pMsg->message) {
    case WM_MOUSEMOVE: {
      CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
      if (!m_rectHover.PtInRect(point)) PassMouseMove(*pMsg);
      return TRUE;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Hide();
      m_pParentWnd->PostMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      PassButton(*pMsg);
      return TRUE;
    default:
      if (!::GetFocus()) {
        Hide();
        return TRUE;
      }
      return CWnd::PreTranslateMessage(pMsg);
  }
}
