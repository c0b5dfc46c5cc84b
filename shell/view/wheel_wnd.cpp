#include "shell/view/wheel_wnd.h"

#include <memory>

#include <algorithm>

#include "platform/framework/app.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/win/bitmap_loading.h"
#include "resources/app_ids.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "platform/win/window_dc.h"

namespace {

const char* WheelClassName() {
  static const char* name = AfxRegisterWndClass(CS_SAVEBITS, nullptr, nullptr, nullptr);
  return name;
}

// The cursor of a step, from the program's own cursors.
HCURSOR WheelCursor(UINT id) {
  CWinApp* app = AfxGetApp();
  return app ? app->LoadCursor(id) : nullptr;
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
  // Round: the corners of the square let the mouse through to what lies below.
  ::SetWindowRgn(m_hWnd, ::CreateEllipticRgn(kRoundFrom, kRoundFrom, kRoundTo, kRoundTo), FALSE);
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
  // The picture of the possible directions from the indicator strip, centred.
  HBITMAP strip = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(resources::IDB_WHEEL_INDICATOR));
  if (!strip) return;
  HDC memory = ::CreateCompatibleDC(dc.m_hDC);
  HGDIOBJ old = ::SelectObject(memory, strip);
  const int x = std::max(1, (client.Width() - kImage) / 2), y = std::max(1, (client.Height() - kImage) / 2);
  ::BitBlt(dc.m_hDC, x, y, kImage, kImage, memory, m_nImageOffset, 0, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(strip);
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
  // The direction cursor goes with the window; the target's own comes back with the next move.
  ::SetCursor(nullptr);
  CWnd::OnDestroy();
}

void CWheelWnd::PostNcDestroy() { delete this; }
