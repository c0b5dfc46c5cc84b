#include "toolkit/frame/sec_progress_ctrl.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/core/text_api.h"
#include "platform/win/message_queue.h"
#include "platform/win/window_dc.h"

namespace progress {

double Percent(int pos, int lower, int upper) {
  const int low = std::min(lower, upper), high = std::max(lower, upper);
  const double clamped = std::clamp(pos, low, high);
  const double range = upper == lower ? 1.0 : double(upper) - double(lower);
  return (clamped - lower) / range * 100.0;
}

void SplitRects(const CRect& client, double percent, DWORD style, CRect& bar, CRect& background) {
  const double fraction = std::clamp(percent, 0.0, 100.0) * 0.01;
  bar = client;
  background = client;
  if (style & PSTYLE_VERTICAL) {
    const int length = int(fraction * client.Height());
    if (style & PSTYLE_FROM_TOP) {
      bar.bottom = client.top + length;
      background.top = bar.bottom;
    } else {
      bar.top = client.bottom - length;
      background.bottom = bar.top;
    }
  } else {
    const int length = int(fraction * client.Width());
    if (style & PSTYLE_FROM_RIGHT) {
      bar.left = client.right - length;
      background.right = bar.left;
    } else {
      bar.right = client.left + length;
      background.left = bar.right;
    }
  }
}

CString PercentText(double percent) {
  CString text;
  text.Format("%d %%", std::min(100, int(std::lround(percent))));
  return text;
}

UINT TextFormat(DWORD style) {
  UINT format = DT_SINGLELINE | DT_VCENTER;
  if (style & PSTYLE_TEXT_LEFT) return format;
  return format | ((style & PSTYLE_TEXT_RIGHT) ? DT_RIGHT : DT_CENTER);
}

}  // namespace progress

IMPLEMENT_DYNAMIC(SECProgressCtrl, CProgressCtrl)

BEGIN_MESSAGE_MAP(SECProgressCtrl, CProgressCtrl)
  ON_WM_CREATE()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_SHOWWINDOW()
  ON_WM_TIMER()
END_MESSAGE_MAP()

BOOL SECProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwProgressStyle) {
  if (m_bCreated) return FALSE;
  m_dwProgressStyle = dwProgressStyle;
  if (!CProgressCtrl::Create(dwStyle, rect, pParentWnd, nID)) return FALSE;
  m_bCreated = TRUE;
  CProgressCtrl::SetRange32(m_nLower, m_nUpper);
  CProgressCtrl::SetStep(m_nStep);
  return TRUE;
}

BOOL SECProgressCtrl::AttachDlgItem(UINT nID, CWnd* pDialog) {
  if (m_bCreated || !SubclassDlgItem(nID, pDialog)) return FALSE;
  m_bCreated = TRUE;
  return InitControl();
}

int SECProgressCtrl::OnCreate(LPCREATESTRUCT) {
  if (Default() == -1) return -1;
  return InitControl() ? 0 : -1;
}

BOOL SECProgressCtrl::InitControl() {
  GetClientRect(&m_rectClient);
  return TRUE;
}

void SECProgressCtrl::SetRange(int nLower, int nUpper) {
  m_nLower = nLower;
  m_nUpper = nUpper;
  if (m_hWnd) CProgressCtrl::SetRange32(nLower, nUpper);
  if (m_bCreated && !Standard()) Invalidate(FALSE);
}

void SECProgressCtrl::Repaint(BOOL bPump) {
  if (!m_bCreated || !m_hWnd) return;
  Invalidate(FALSE);
  if (bPump) {
    MSG msg;
    while (::PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessage(&msg);
    UpdateWindow();
  }
}

int SECProgressCtrl::SetPos(int nPos, BOOL bPump) {
  const int old = m_nPos;
  m_nPos = nPos;
  if (Standard() && m_hWnd) CProgressCtrl::SetPos(nPos);
  Repaint(bPump);
  return old;
}

int SECProgressCtrl::OffsetPos(int nDelta, BOOL bPump) {
  if (!Standard()) return SetPos(m_nPos + nDelta, bPump);
  const int old = m_nPos;
  m_nPos += nDelta;
  if (m_hWnd) CProgressCtrl::OffsetPos(nDelta);
  return old;
}

int SECProgressCtrl::SetStep(int nStep) {
  const int old = m_nStep;
  m_nStep = nStep;
  if (m_hWnd) CProgressCtrl::SetStep(nStep);
  return old;
}

int SECProgressCtrl::StepIt(BOOL bPump) {
  if (!Standard()) return SetPos(m_nPos + m_nStep, bPump);
  const int old = m_nPos;
  m_nPos += m_nStep;
  if (m_hWnd) CProgressCtrl::StepIt();
  return old;
}

void SECProgressCtrl::Reset() {
  SetPos(m_nLower, FALSE);
  if (m_bCreated && m_hWnd) {
    GetClientRect(&m_rectClient);
    Invalidate(FALSE);
  }
}

void SECProgressCtrl::SetColors(COLORREF clrBar, COLORREF clrBackground) {
  m_clrBar = clrBar;
  m_clrBackground = clrBackground;
  Repaint(FALSE);
}

void SECProgressCtrl::SetTextFont(CFont* pFont, BOOL bRedraw) {
  m_pFont = pFont;
  if (bRedraw && m_hWnd) Invalidate(FALSE);
}

void SECProgressCtrl::SetStyle(DWORD dwStyle) {
  if ((dwStyle & PSTYLE_STANDARD) && !Standard() && m_hWnd) CProgressCtrl::SetPos(m_nPos);
  m_dwProgressStyle = dwStyle;
  if (m_hWnd) Invalidate(TRUE);
}

BOOL SECProgressCtrl::SetAutoStep(UINT nPeriod) {
  if (m_nPos >= m_nUpper) {
    if (m_hWnd) KillTimer(kTimerId);
    return FALSE;
  }
  if (nPeriod == 0) {
    if (m_hWnd) KillTimer(kTimerId);
    return TRUE;
  }
  return m_hWnd && SetTimer(kTimerId, nPeriod) != 0;
}

void SECProgressCtrl::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kTimerId) {
    Default();
    return;
  }
  StepIt(TRUE);
  if (m_nPos >= m_nUpper) KillTimer(kTimerId);
}

double SECProgressCtrl::GetPercent() const { return progress::Percent(m_nPos, m_nLower, m_nUpper); }

void SECProgressCtrl::CalcRects(double percent, CRect& bar, CRect& background) {
  progress::SplitRects(m_rectClient, percent, m_dwProgressStyle, bar, background);
}

void SECProgressCtrl::DrawBar(CDC* pDC, const CRect& rect) { pDC->FillSolidRect(&rect, m_clrBar); }

void SECProgressCtrl::DrawBackground(CDC* pDC, const CRect& rect) { pDC->FillSolidRect(&rect, m_clrBackground); }

void SECProgressCtrl::FormatText(CString&) {}

CString SECProgressCtrl::TextFor(double percent) {
  CString text;
  if (m_dwProgressStyle & PSTYLE_SHOW_PERCENT) {
    text = progress::PercentText(percent);
  } else if (m_dwProgressStyle & PSTYLE_SHOW_TEXT) {
    text = m_strText;
  }
  FormatText(text);
  return text;
}

void SECProgressCtrl::DrawText(CDC* pDC, double percent, const CRect& background, const CRect& bar) {
  CString text = TextFor(percent);
  if (text.IsEmpty()) return;
  CFont* oldFont = m_pFont ? pDC->SelectObject(m_pFont) : nullptr;
  const UINT format = progress::TextFormat(m_dwProgressStyle);
  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  const struct {
    const CRect& clip;
    COLORREF colour;
  } passes[] = {{bar, m_clrBackground}, {background, m_clrBar}};
  for (const auto& pass : passes) {
    if (pass.clip.IsRectEmpty()) continue;
    CRgn clip;
    clip.CreateRectRgn(pass.clip.left, pass.clip.top, pass.clip.right, pass.clip.bottom);
    pDC->SelectClipRgn(&clip);
    pDC->SetTextColor(pass.colour);
    CRect all = m_rectClient;
    pDC->DrawText(text, &all, format);
  }
  pDC->SelectClipRgn(nullptr);
  pDC->SetBkMode(oldMode);
  if (oldFont) pDC->SelectObject(oldFont);
}

void SECProgressCtrl::DrawAll(double percent, const CRect& bar, const CRect& background, CDC* pDC) {
  CDC memory;
  memory.CreateCompatibleDC(pDC);
  CBitmap image;
  image.CreateCompatibleBitmap(pDC, m_rectClient.Width(), m_rectClient.Height());
  CBitmap* oldBitmap = memory.SelectObject(&image);
  CFont* windowFont = GetFont();
  CFont* oldFont = windowFont ? memory.SelectObject(windowFont) : nullptr;
  DrawBackground(&memory, background);
  DrawBar(&memory, bar);
  DrawText(&memory, percent, background, bar);
  pDC->BitBlt(m_rectClient.left, m_rectClient.top, m_rectClient.Width(), m_rectClient.Height(), &memory, 0, 0, SRCCOPY);
  if (oldFont) memory.SelectObject(oldFont);
  memory.SelectObject(oldBitmap);
}

void SECProgressCtrl::Paint(CDC* pDC) {
  if (!m_bVisible) return;
  const double percent = GetPercent();
  CRect bar, background;
  CalcRects(percent, bar, background);
  DrawAll(percent, bar, background, pDC);
}

BOOL SECProgressCtrl::OnEraseBkgnd(CDC*) { return Standard() ? BOOL(Default()) : TRUE; }

void SECProgressCtrl::OnPaint() {
  if (Standard()) {
    Default();
    return;
  }
  CPaintDC dc(this);
  Paint(&dc);
}

void SECProgressCtrl::OnSize(UINT, int, int) {
  Default();
  GetClientRect(&m_rectClient);
}

void SECProgressCtrl::OnShowWindow(BOOL bShow, UINT) {
  Default();
  m_bVisible = bShow;
}
