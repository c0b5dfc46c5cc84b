// The framework's device contexts of a window: the paint context (BeginPaint/EndPaint), the
// client-area context and the whole-window context. Each gives its context back when it goes.
#pragma once

#include "platform/gdi/core/afx_gdi.h"
#include "platform/win/cwnd.h"

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* pWnd);
  // For window procedures that work on handles.
  explicit CPaintDC(HWND hWnd);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps{};

 protected:
  HWND m_hWnd;
};

class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd;
};

class CWindowDC : public CDC {
 public:
  explicit CWindowDC(CWnd* pWnd);
  ~CWindowDC() override;

 protected:
  HWND m_hWnd;
};
