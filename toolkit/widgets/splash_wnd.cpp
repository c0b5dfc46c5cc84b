#include "toolkit/widgets/splash_wnd.h"

#include "platform/framework/app.h"
#include "platform/res/resource_store.h"
#include "platform/win/bitmap_loading.h"
#include "platform/win/messages.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"
#include "platform/win/window_dc.h"
#include "platform/win/window_styles.h"
#include "resources/toolkit_ids.h"

IMPLEMENT_DYNAMIC(SECSplashWnd, CWnd)

namespace {

CString LoadText(UINT id) {
  CString text;
  AfxLoadString(id, text);
  return text;
}

}  // namespace

SECSplashWnd::SECSplashWnd(UINT nBitmapID, UINT nDisplayTime, BOOL bManual, BOOL bTopmost)
    : m_bTopmost(bTopmost), m_bManual(bManual), m_nDisplayTime(nDisplayTime), m_nBitmapID(nBitmapID) {}

SECSplashWnd::~SECSplashWnd() {
  if (m_wndOwner.m_hWnd) m_wndOwner.DestroyWindow();
}

void SECSplashWnd::SetTitle(const CString& title) {
  m_strTitle = title;
  m_bCustomTitle = TRUE;
}

BOOL SECSplashWnd::Create(CWnd* pParent, DWORD dwStyle, DWORD dwExStyle) {
  dwExStyle &= ~DWORD(WS_EX_TOOLWINDOW);
  // The picture first: without it there is nothing to show and no window is made.
  HBITMAP loaded = static_cast<HBITMAP>(
      LoadImage(nullptr, MAKEINTRESOURCE(m_nBitmapID), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!loaded) return FALSE;
  CBitmap bitmap;
  bitmap.Attach(loaded);
  CWnd* owner = pParent ? pParent : AfxGetMainWnd();
  if (!owner && !m_bCustomTitle) {
    const LPCTSTR cls = AfxRegisterWndClass(CS_CLASSDC);
    if (m_wndOwner.CreateEx(WS_EX_TOOLWINDOW, cls, LoadText(resources::IDS_SPLASH_OWNER_TITLE), WS_POPUP, 0, 0, 0, 0,
                            nullptr, nullptr)) {
      owner = &m_wndOwner;
    }
    dwExStyle |= WS_EX_TOPMOST;
  }
  m_hParent = pParent ? pParent->m_hWnd : nullptr;
  BITMAP info{};
  bitmap.GetBitmap(&info);
  m_nWidth = info.bmWidth;
  m_nHeight = info.bmHeight;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - m_nWidth) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - m_nHeight) / 2;
  if (m_bTopmost) dwExStyle |= WS_EX_TOPMOST;
  if (m_bCustomTitle) dwExStyle |= WS_EX_APPWINDOW;
  const CString title = m_bCustomTitle ? m_strTitle : LoadText(resources::IDS_SPLASH_TITLE);
  const LPCTSTR cls = AfxRegisterWndClass(CS_CLASSDC, ::LoadCursor(nullptr, IDC_ARROW));
  // Shown only once the picture is ready.
  if (!CreateEx(dwExStyle, cls, title, dwStyle & ~DWORD(WS_VISIBLE), x, y, m_nWidth, m_nHeight,
                owner ? owner->m_hWnd : nullptr, nullptr)) {
    return FALSE;
  }
  {
    CClientDC dc(this);
    m_image.CreateFromBitmap(&dc, &bitmap);
    m_pPalette = m_image.GetPalette();
  }
  RealizeImagePalette(FALSE);
  if (!m_bManual) m_nTimer = SetTimer(kTimerId, m_nDisplayTime);
  if (dwStyle & WS_VISIBLE) {
    ShowWindow(SW_SHOW);
    UpdateWindow();
  }
  return TRUE;
}

void SECSplashWnd::Close() {
  if (m_hWnd) SendMessage(WM_CLOSE);
}

void SECSplashWnd::RestartTimer() { StartTimer(m_nDisplayTime); }

void SECSplashWnd::StartTimer(UINT nDisplayTime) {
  m_nDisplayTime = nDisplayTime;
  m_bManual = FALSE;
  if (m_hWnd) m_nTimer = SetTimer(kTimerId, nDisplayTime);
}

void SECSplashWnd::DisableParent(BOOL bDisable) {
  if (!m_hParent || !::IsWindow(m_hParent)) return;
  m_bParentDisabled = bDisable;
  ::EnableWindow(m_hParent, !bDisable);
  if (m_hWnd) EnableWindow(TRUE);
}

void SECSplashWnd::SetTopmost(BOOL bTopmost) {
  m_bTopmost = bTopmost;
  if (!m_hWnd) return;
  SetWindowPos(bTopmost ? &wndTopMost : &wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

BOOL SECSplashWnd::PreTranslateMessage(MSG* pMsg) {
  if (m_bManual || !m_bCloseOnInput || !pMsg) return CWnd::PreTranslateMessage(pMsg);
  switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
      PostMessage(WM_CLOSE);
      return TRUE;
    default:
      return CWnd::PreTranslateMessage(pMsg);
  }
}

BOOL SECSplashWnd::RealizeImagePalette(BOOL bBackground) {
  if (!m_pPalette || !m_hWnd) return FALSE;
  CClientDC dc(this);
  CPalette* old = dc.SelectPalette(m_pPalette, bBackground);
  const UINT changed = dc.RealizePalette();
  dc.SelectPalette(old, TRUE);
  if (changed) Invalidate(FALSE);
  return changed != 0;
}

void SECSplashWnd::Paint(CDC& dc) {
  CPalette* old = m_pPalette ? dc.SelectPalette(m_pPalette, TRUE) : nullptr;
  if (m_pPalette) dc.RealizePalette();
  const CRect image(0, 0, m_image.GetWidth(), m_image.GetHeight());
  m_image.Draw(&dc, image, image);
  if (old) dc.SelectPalette(old, TRUE);
  CRect client;
  GetClientRect(&client);
  DrawOverlay(dc, client);
}

LRESULT SECSplashWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      CPaintDC dc(this);
      Paint(dc);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_TIMER:
      if (wParam == kTimerId) {
        PostMessage(WM_CLOSE);
        return 0;
      }
      break;
    case WM_QUERYNEWPALETTE:
      return RealizeImagePalette(FALSE);
    case WM_PALETTECHANGED: {
      const HWND from = reinterpret_cast<HWND>(wParam);
      if (from != m_hWnd && !::IsChild(m_hWnd, from)) RealizeImagePalette(TRUE);
      return 0;
    }
    case WM_CLOSE:
      if (m_nTimer) KillTimer(kTimerId);
      m_nTimer = 0;
      if (m_wndOwner.m_hWnd) m_wndOwner.PostMessage(WM_CLOSE);
      if (m_bParentDisabled && m_hParent && ::IsWindow(m_hParent)) ::EnableWindow(m_hParent, TRUE);
      DestroyWindow();
      return 0;
    default:
      break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

void SECSplashWnd::PostNcDestroy() { delete this; }
