#include "platform/win/window_dc.h"

CPaintDC::CPaintDC(CWnd* pWnd) : CPaintDC(pWnd ? pWnd->m_hWnd : nullptr) {}

CPaintDC::CPaintDC(HWND hWnd) : m_hWnd(hWnd) { Attach(::BeginPaint(m_hWnd, &m_ps)); }

CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
  Detach();
}

// A null window stands for the screen, as on the platform: a memory-like context.
CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  Attach(m_hWnd ? ::GetDC(m_hWnd) : ::CreateCompatibleDC(nullptr));
}

CClientDC::~CClientDC() {
  HDC dc = Detach();
  if (m_hWnd) {
    ::ReleaseDC(m_hWnd, dc);
  } else {
    ::DeleteDC(dc);
  }
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  Attach(m_hWnd ? ::GetWindowDC(m_hWnd) : ::CreateCompatibleDC(nullptr));
}

CWindowDC::~CWindowDC() {
  HDC dc = Detach();
  if (m_hWnd) {
    ::ReleaseDC(m_hWnd, dc);
  } else {
    ::DeleteDC(dc);
  }
}
