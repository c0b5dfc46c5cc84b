#include "platform/framework/control_bar.h"

#include <algorithm>

#include "platform/framework/dock_bar.h"
#include "platform/framework/dock_context.h"
#include "platform/framework/frame_wnd.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {
// Width of a 3-D border line pair.
constexpr int kBorder = 2;
}  // namespace

CControlBar::CControlBar() = default;
CControlBar::~CControlBar() {
  m_pDockContext.reset();
  if (m_pDockBar) m_pDockBar->RemoveControlBar(this);
  if (m_pDockSite) m_pDockSite->RemoveControlBar(this);
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  // The frame that lays the bar out: the nearest frame among the parents.
  for (CWnd* w = GetParent(); w; w = w->GetParent()) {
    if (w->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
      m_pDockSite = static_cast<CFrameWnd*>(w);
      m_pDockSite->AddControlBar(this);
      break;
    }
  }
  return 0;
}

void CControlBar::OnDestroy() {
  if (m_pDockBar) {
    // Without its dock context for the call the dock bar only lets the bar go: a floating frame
    // is not closed around a bar that is being destroyed.
    std::unique_ptr<CDockContext> context = std::move(m_pDockContext);
    m_pDockBar->RemoveControlBar(this);
    m_pDockContext = std::move(context);
  }
  if (m_pDockSite) {
    m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
  }
  CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy() {
  if (m_bAutoDelete) std::unique_ptr<CControlBar> self(this);
}

BOOL CControlBar::AllocElements(int nElements, int cbElement) {
  if (nElements < 0 || cbElement <= 0) return FALSE;
  m_elements.assign(size_t(nElements) * size_t(cbElement), 0);
  m_nCount = nElements;
  m_pData = m_elements.empty() ? nullptr : m_elements.data();
  return TRUE;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode) {
  return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
  if (m_dwStyle & CBRS_BORDER_LEFT) rect.left += kBorder;
  if (m_dwStyle & CBRS_BORDER_TOP) rect.top += kBorder;
  if (m_dwStyle & CBRS_BORDER_RIGHT) rect.right -= kBorder;
  if (m_dwStyle & CBRS_BORDER_BOTTOM) rect.bottom -= kBorder;
  if (bHorz) {
    rect.left += m_cxLeftBorder;
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
  } else {
    // A vertical bar turns its borders a quarter.
    rect.left += m_cyTopBorder;
    rect.top += m_cxLeftBorder;
    rect.right -= m_cyBottomBorder;
    rect.bottom -= m_cxRightBorder;
  }
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect) {
  if (!(m_dwStyle & CBRS_BORDER_ANY)) return;
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  if (m_dwStyle & CBRS_BORDER_TOP) {
    pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, shadow);
    pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, light);
  }
  if (m_dwStyle & CBRS_BORDER_BOTTOM) {
    pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, shadow);
    pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, light);
  }
  if (m_dwStyle & CBRS_BORDER_LEFT) {
    pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), shadow);
    pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), light);
  }
  if (m_dwStyle & CBRS_BORDER_RIGHT) {
    pDC->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), shadow);
    pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), light);
  }
  if (m_dwStyle & CBRS_BORDER_LEFT) rect.left += kBorder;
  if (m_dwStyle & CBRS_BORDER_TOP) rect.top += kBorder;
  if (m_dwStyle & CBRS_BORDER_RIGHT) rect.right -= kBorder;
  if (m_dwStyle & CBRS_BORDER_BOTTOM) rect.bottom -= kBorder;
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect) {
  if (!(m_dwStyle & CBRS_GRIPPER) || (m_dwStyle & CBRS_FLOATING)) return;
  CRect grip(rect);
  if (m_dwStyle & CBRS_ORIENT_HORZ) {
    grip = CRect(rect.left + 2, rect.top + 2, rect.left + 5, rect.bottom - 2);
  } else {
    grip = CRect(rect.left + 2, rect.top + 2, rect.right - 2, rect.top + 5);
  }
  pDC->Draw3dRect(&grip, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

void CControlBar::DoPaint(CDC* pDC) {
  CRect rect;
  GetClientRect(&rect);
  DrawBorders(pDC, rect);
  DrawGripper(pDC, rect);
}

void CControlBar::OnPaint() {
  CPaintDC dc(this);
  DoPaint(&dc);
}

// Bars, and the dock rows and columns that hold them, lie on the button face.
BOOL CControlBar::OnEraseBkgnd(CDC* pDC) {
  CRect rect;
  GetClientRect(&rect);
  pDC->FillSolidRect(&rect, GetSysColor(COLOR_BTNFACE));
  return TRUE;
}

void CControlBar::DelayShow(BOOL bShow) {
  m_nStateFlags &= ~(delayHide | delayShow);
  if (bShow && !(GetStyle() & WS_VISIBLE)) m_nStateFlags |= delayShow;
  if (!bShow && (GetStyle() & WS_VISIBLE)) m_nStateFlags |= delayHide;
}

INT_PTR CControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  if (!(m_dwStyle & CBRS_TOOLTIPS)) return -1;
  return framework::child_tool_hit_test(this, point, pTI);
}

BOOL CControlBar::IsVisible() const {
  if (m_nStateFlags & delayHide) return FALSE;
  return (m_nStateFlags & delayShow) || (GetStyle() & WS_VISIBLE);
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
  if (m_dwStyle != dwStyle) {
    m_dwStyle = dwStyle;
    if (m_hWnd) Invalidate();
  }
}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle;
  if (!m_pDockContext) m_pDockContext = std::make_unique<CDockContext>(this);
  if (!GetOwner() && GetParent()) SetOwner(GetParent());
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  // Away from the bar's items (buttons, child controls) the press drags the bar.
  if (m_pDockContext && OnToolHitTest(point, nullptr) == -1) {
    ClientToScreen(&point);
    m_pDockContext->StartDrag(point);
    return;
  }
  CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_pDockContext && OnToolHitTest(point, nullptr) == -1) {
    m_pDockContext->ToggleDocking();
    return;
  }
  CWnd::OnLButtonDblClk(nFlags, point);
}

BOOL CControlBar::IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
BOOL CControlBar::IsHorzDocked() const { return !IsFloating() && (m_dwStyle & CBRS_ORIENT_HORZ); }
BOOL CControlBar::IsVertDocked() const { return !IsFloating() && (m_dwStyle & CBRS_ORIENT_VERT); }
CFrameWnd* CControlBar::GetDockingFrame() const { return m_pDockSite; }

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom) {
  m_cxLeftBorder = cxLeft;
  m_cyTopBorder = cyTop;
  m_cxRightBorder = cxRight;
  m_cyBottomBorder = cyBottom;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  bool move = layout->hDWP != nullptr;
  // A delayed show or hide takes effect with the layout.
  if (move && (m_nStateFlags & (delayShow | delayHide))) {
    ShowWindow((m_nStateFlags & delayShow) ? SW_SHOWNA : SW_HIDE);
    m_nStateFlags &= ~(delayShow | delayHide);
  }
  bool visible = IsVisible();
  if (!visible || !(m_dwStyle & CBRS_ALIGN_ANY)) return 0;
  CRect rect(layout->rect);
  CSize avail = rect.Size();
  DWORD mode = layout->bStretch ? LM_STRETCH : 0;
  if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING)) {
    mode |= LM_HORZ | LM_MRUWIDTH;
  } else if (m_dwStyle & CBRS_ORIENT_HORZ) {
    mode |= LM_HORZ | LM_HORZDOCK;
  } else {
    mode |= LM_VERTDOCK;
  }
  CSize size = CalcDynamicLayout(-1, mode);
  size.cx = std::max(0, std::min(int(size.cx), int(avail.cx)));
  size.cy = std::max(0, std::min(int(size.cy), int(avail.cy)));
  if (m_dwStyle & CBRS_ORIENT_HORZ) {
    layout->sizeTotal.cy += size.cy;
    layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
    if (m_dwStyle & CBRS_ALIGN_TOP) {
      layout->rect.top += size.cy;
    } else {
      rect.top = rect.bottom - size.cy;
      layout->rect.bottom -= size.cy;
    }
  } else {
    layout->sizeTotal.cx += size.cx;
    layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
    if (m_dwStyle & CBRS_ALIGN_LEFT) {
      layout->rect.left += size.cx;
    } else {
      rect.left = rect.right - size.cx;
      layout->rect.right -= size.cx;
    }
  }
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  if (move) MoveInLayout(layout, rect);
  return 0;
}

void CControlBar::MoveInLayout(AFX_SIZEPARENTPARAMS*, const CRect& rect) { MoveWindow(&rect, TRUE); }

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  // The owner frame when there is one (a floating bar's owner is its main frame), else the site.
  CFrameWnd* target = nullptr;
  if (CWnd* owner = GetOwner(); owner && owner->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    target = static_cast<CFrameWnd*>(owner);
  } else {
    target = m_pDockSite;
  }
  if (target) OnUpdateCmdUI(target, BOOL(wParam));
  return 0;
}
