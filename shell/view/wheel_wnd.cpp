#include "shell/view/wheel_wnd.h"

#include <memory>

#include "platform/framework/app.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "platform/win/window_dc.h"

namespace {

const char* WheelClassName() {
  static const char* name = AfxRegisterWndClass(CS_SAVEBITS, nullptr, nullptr, nullptr);
  return name;
}

// The cursor of a step: the program's own when it has one, else the nearest standard one.
HCURSOR WheelCursor(UINT id) {
  if (CWinApp* app = AfxGetApp()) {
    if (HCURSOR own = app->LoadCursor(id)) return own;
  }
  switch (id) {
    case 131: case 133: case 136: return ::LoadCursor(nullptr, IDC_SIZENS);
    case 130: case 134: case 135: return ::LoadCursor(nullptr, IDC_SIZEWE);
    default: return ::LoadCursor(nullptr, IDC_SIZEALL);
  }
}

}  // namespace

IMPLEMENT_DYNAMIC(CWheelWnd, CWnd)

BEGIN_MESSAGE_MAP(CWheelWnd, CWnd)
  ON_WM_PAINT()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_MBUTTONDOWN()
  ON_WM_KILLFOCUS()
  ON_WM_CAPTURECHANGED()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CWheelWnd::CWheelWnd(CWheelTarget* target) : m_pTarget(target) {}

CWheelWnd::~CWheelWnd() = default;

CWheelWnd* StartWheelScrolling(CWheelTarget* target, POINT origin) {
  if (!target) return nullptr;
  auto wheel = std::make_unique<CWheelWnd>(target);
  if (!wheel->Start(origin)) return nullptr;
  // The window owns itself from now on: it ends with its window.
  return wheel.release();
}

BOOL CWheelWnd::Start(POINT origin) {
  CWnd* window = m_pTarget->TargetWindow();
  if (!window || !window->m_hWnd) return FALSE;
  m_bLockedV = !m_pTarget->WheelCanScrollV();
  m_bLockedH = !m_pTarget->WheelCanScrollH();
  if (m_bLockedV && m_bLockedH) return FALSE;
  m_ptOrigin = origin;
  POINT screen = origin;
  window->ClientToScreen(&screen);
  if (!CreateEx(WS_EX_TOOLWINDOW, WheelClassName(), "", WS_POPUP | WS_CLIPSIBLINGS, screen.x - kSize / 2,
                screen.y - kSize / 2, kSize, kSize, nullptr, nullptr)) {
    return FALSE;
  }
  SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetCapture();
  m_nTimer = SetTimer(kTimer, 10);
  m_nImageOffset = shell::view::WheelImageOffset(!m_bLockedH, !m_bLockedV);
  m_nCursor = shell::view::WheelCursorFor(shell::view::WheelDirection::none, !m_bLockedH, !m_bLockedV);
  return TRUE;
}

void CWheelWnd::Tick(POINT mouse) {
  const int dx = mouse.x - m_ptOrigin.x;
  const int dy = mouse.y - m_ptOrigin.y;
  const bool h = m_pTarget->WheelCanScrollH();
  const bool v = m_pTarget->WheelCanScrollV();
  const shell::view::WheelStep step = shell::view::WheelStepFor(dx, dy, h, v);
  m_nCursor = shell::view::WheelCursorFor(step.direction, h, v);
  ::SetCursor(WheelCursor(m_nCursor));
  if (step.amount <= 0 || step.direction == shell::view::WheelDirection::none) return;
  m_nAccumulator += step.amount;
  if (m_nAccumulator < kAccumulate) return;
  m_nAccumulator = 0;
  m_pTarget->WheelScroll(step.direction, step.amount);
}

void CWheelWnd::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kTimer) {
    CWnd::OnTimer(nIDEvent);
    return;
  }
  CWnd* window = m_pTarget->TargetWindow();
  if (!window || !window->m_hWnd) {
    DestroyWindow();
    return;
  }
  POINT mouse;
  ::GetCursorPos(&mouse);
  window->ScreenToClient(&mouse);
  Tick(mouse);
}

void CWheelWnd::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  if (client.Width() <= 25 || client.Height() <= 25) return;
  // The indicator: a grey disc with a dot in the middle and a triangle towards each side the
  // target can scroll to.
  const int cx = client.Width() / 2, cy = client.Height() / 2;
  HBRUSH disc = ::CreateSolidBrush(RGB(240, 240, 240));
  HGDIOBJ oldBrush = ::SelectObject(dc.m_hDC, disc);
  dc.Ellipse(cx - 13, cy - 13, cx + 13, cy + 13);
  HGDIOBJ black = ::GetStockObject(BLACK_BRUSH);
  ::SelectObject(dc.m_hDC, black);
  dc.Ellipse(cx - 2, cy - 2, cx + 2, cy + 2);
  if (!m_bLockedV) {
    const POINT up[] = {{cx, cy - 11}, {cx - 4, cy - 6}, {cx + 4, cy - 6}};
    const POINT down[] = {{cx, cy + 11}, {cx - 4, cy + 6}, {cx + 4, cy + 6}};
    ::Polygon(dc.m_hDC, up, 3);
    ::Polygon(dc.m_hDC, down, 3);
  }
  if (!m_bLockedH) {
    const POINT left[] = {{cx - 11, cy}, {cx - 6, cy - 4}, {cx - 6, cy + 4}};
    const POINT right[] = {{cx + 11, cy}, {cx + 6, cy - 4}, {cx + 6, cy + 4}};
    ::Polygon(dc.m_hDC, left, 3);
    ::Polygon(dc.m_hDC, right, 3);
  }
  ::SelectObject(dc.m_hDC, oldBrush);
  ::DeleteObject(disc);
}

void CWheelWnd::OnLButtonDown(UINT, CPoint) { DestroyWindow(); }
void CWheelWnd::OnMButtonDown(UINT, CPoint) { DestroyWindow(); }
void CWheelWnd::OnKillFocus(CWnd*) { DestroyWindow(); }

void CWheelWnd::OnCaptureChanged(CWnd* pWnd) {
  // Another window took the mouse: auto-scrolling ends (the window is destroyed once its own
  // message returns).
  if (pWnd != this && m_hWnd) PostMessage(WM_CLOSE);
}

void CWheelWnd::OnDestroy() {
  if (CWnd::GetCapture() == this) ::ReleaseCapture();
  if (m_nTimer) KillTimer(kTimer);
  m_nTimer = 0;
  CWnd::OnDestroy();
}

void CWheelWnd::PostNcDestroy() { delete this; }
