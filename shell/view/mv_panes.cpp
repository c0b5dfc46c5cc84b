#include "shell/view/mv_panes.h"

#include "engine/frame/selection.h"
#include "engine/frame/topic_layout.h"
#include "navigation/pane_drag.h"
#include "navigation/topic_drag.h"
#include "platform/win/monitors.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "platform/win/window_dc.h"
#include "shell/lumo_kal_doc.h"
#include "shell/view/lumo_kal_view.h"
#include "shell/view/view_rules.h"

RECT MvScreenAt(POINT point) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (::GetMonitorInfo(::MonitorFromPoint(point, MONITOR_DEFAULTTOPRIMARY), &info)) return info.rcMonitor;
  return RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

namespace {

// The zoom of a header: journal issue pages are drawn at the dialog-unit scale, all else at 1.0.
double HeaderZoom(int level) {
  if (level != shell::kLevelIssue) return 1.0;
  const int unit = LOWORD(::GetDialogBaseUnits());
  return unit > 0 ? 8.0 / unit : 1.0;
}

int RecordLevel(CLumoKALDoc* work, int32_t topic) {
  shell::ContentsRecord record;
  return work && topic >= 0 && work->ReadCatalogRecord(topic, record) ? record.level : 0;
}

// Moves a pane to its left and top with the width of the parent's client area less its left, and
// fits its height to the laid-out text.
BOOL FitHeight(CMvPane& pane, int width, BOOL bRelayout) {
  if (!pane.GetViewer() || !pane.m_hWnd) return FALSE;
  CRect rect;
  pane.GetWindowRect(&rect);
  if (CWnd* parent = pane.GetParent()) parent->ScreenToClient(&rect);
  int height = rect.Height();
  for (int pass = 0; pass < 2; ++pass) {
    pane.Layout();
    int32_t w = 0, h = 0;
    frame::MvGetLayoutExtent(pane.GetViewer(), &w, &h);
    if (h == height) break;
    height = h;
    pane.SetWindowPos(nullptr, rect.left, rect.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (bRelayout) pane.Layout();
  return TRUE;
}

// Ends a floating pane (pop-up or tool tip): gives the capture back to whoever held it before,
// lets go of the viewer and destroys the window.
void EndFloatingPane(CMvPane& pane, HWND previousCapture) {
  if (pane.m_hWnd && CWnd::GetCapture() == &pane) {
    ::ReleaseCapture();
    if (previousCapture && ::IsWindow(previousCapture)) ::SetCapture(previousCapture);
  }
  pane.Detach(FALSE);
  if (pane.m_hWnd) pane.DestroyWindow();
}

// A floating pane shows its topic without the selection its owner's viewer had when it was cloned.
void ClearSelectionOnShow(CMvPane& pane, BOOL bShow) {
  if (bShow && pane.GetViewer()) {
    medview::MvClearSelection(pane.GetViewer(), nullptr);
    pane.Invalidate();
  }
}

// Creates a floating pane over `rect` of its owner pane and attaches a clone of the owner's viewer.
BOOL CreateFloatingPane(CMvPane& pane, CMvPane& ownerPane, CLumoKALView& ownerView, const RECT& rect) {
  CRect screen(rect);
  ownerPane.ClientToScreen(&screen);
  if (!pane.CreateEx(0, MvPaneClassName(), "", WS_POPUP | WS_BORDER, screen, &ownerView, 0)) return FALSE;
  medview::ViewerHandle source = ownerPane.GetViewer();
  CLumoKALDoc* work = ownerView.GetWork();
  return pane.AttachViewer(source->title, work ? work->GetPathName() : CString(), &source);
}

}  // namespace

// --- Header pane -----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CMvNSR, CMvPane)

BEGIN_MESSAGE_MAP(CMvNSR, CMvPane)
  ON_WM_LBUTTONDBLCLK()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

BOOL CMvNSR::Draw(CDC* pDC, const RECT* clip) {
  const BOOL painted = CMvPane::Draw(pDC, clip);
  if (pDC) {
    CRect client;
    GetClientRect(&client);
    ::MoveToEx(pDC->m_hDC, client.left, client.bottom - 1, nullptr);
    ::LineTo(pDC->m_hDC, client.right, client.bottom - 1);
  }
  return painted;
}

BOOL CMvNSR::FitToContent(BOOL bRelayout) {
  CWnd* parent = GetParent();
  if (!parent) return FALSE;
  CRect client, rect;
  parent->GetClientRect(&client);
  GetWindowRect(&rect);
  parent->ScreenToClient(&rect);
  return FitHeight(*this, client.Width() - rect.left, bRelayout);
}

BOOL CMvNSR::GoToTopic(int32_t position, int32_t offset, BOOL bPreferScrolling) {
  if (m_pOwner) {
    const double zoom = HeaderZoom(m_pOwner->GetActDescription().record.level);
    if (zoom != m_dZoom) SetZoom(zoom);
  }
  return CMvPane::GoToTopic(position, offset, bPreferScrolling);
}

void CMvNSR::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_pOwner) m_pOwner->ToggleActHeader();
  CMvPane::OnLButtonDblClk(nFlags, point);
}

void CMvNSR::OnLButtonDown(UINT nFlags, CPoint point) {
  if (!m_pViewer) return;
  medview::HotspotInfo info;
  medview::HotspotTarget target;
  if (medview::MvHotspotFromPoint(m_pViewer, point.x, point.y, &info, &target, nullptr)) {
    // The pane's press: pop-ups close and a link is kept for its own drag or its jump.
    CMvPane::OnLButtonDown(nFlags, point);
    return;
  }
  ClosePopups();
  topicdrag::DragShownTopic(m_pViewer, GetParent(), topicdrag::kFromActHeader);
}

// --- Pop-up pane ------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CMvPopupPane, CMvPane)

BEGIN_MESSAGE_MAP(CMvPopupPane, CMvPane)
  ON_WM_LBUTTONDOWN()
  ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CMvPopupPane::CMvPopupPane(CMvPane* owner) : m_pOwnerPane(owner) {
  m_pOwner = owner ? owner->GetOwnerView() : nullptr;
}

CMvPopupPane::~CMvPopupPane() { EndFloatingPane(*this, m_hPreviousCapture); }

void CMvPopupPane::OnPopupCreated(int value, CMvPane* pane) {
  if (m_pOwnerPane) m_pOwnerPane->OnPopupCreated(value, pane);
}

BOOL CMvPopupPane::FitToContent(BOOL bRelayout) {
  CRect rect;
  GetWindowRect(&rect);
  return FitHeight(*this, rect.Width(), bRelayout);
}

BOOL CMvPopupPane::Show(const RECT& rect, const int32_t* position) {
  if (!m_pOwnerPane || !m_pOwnerPane->GetViewer() || !m_pOwner) return FALSE;
  if (!CreateFloatingPane(*this, *m_pOwnerPane, *m_pOwner, rect)) return FALSE;
  OnPopupCreated(1, this);
  if (position) {
    if (!GoToTopic(*position, 0, TRUE)) return FALSE;
    SetZoom(1.0);
  }
  if (!PlaceOnScreen(TRUE)) return FALSE;
  ShowWindow(SW_SHOWNOACTIVATE);
  HWND previous = ::GetCapture();
  m_hPreviousCapture = previous != m_hWnd ? previous : nullptr;
  SetCapture();
  return TRUE;
}

BOOL CMvPopupPane::PlaceOnScreen(BOOL bRepaint) {
  CRect rect;
  GetWindowRect(&rect);
  SetWindowPos(nullptr, rect.left, rect.top, kFirstSize.cx, kFirstSize.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  FitToContent(TRUE);
  int32_t w = 0, h = 0;
  frame::MvGetLayoutExtent(m_pViewer, &w, &h);
  const POINT at = shell::view::PlaceOnScreen(rect.TopLeft(), {w, h}, MvScreenAt(rect.TopLeft()), 0);
  SetWindowPos(nullptr, at.x, at.y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  FitToContent(TRUE);
  if (bRepaint) Invalidate();
  return TRUE;
}

void CMvPopupPane::OnLButtonDown(UINT nFlags, CPoint point) {
  CRect client;
  GetClientRect(&client);
  if (client.PtInRect(point)) {
    CMvPane::OnLButtonDown(nFlags, point);
    return;
  }
  ::ReleaseCapture();
  if (m_hPreviousCapture && ::IsWindow(m_hPreviousCapture)) ::SetCapture(m_hPreviousCapture);
  m_hPreviousCapture = nullptr;
  CMvPane* owner = m_pOwnerPane;
  CPoint screen = point;
  ClientToScreen(&screen);
  owner->ScreenToClient(&screen);
  // The owner's press closes its pop-ups, this one with them: it runs after this handler returns.
  owner->PostMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(screen.x, screen.y));
}

void CMvPopupPane::OnShowWindow(BOOL bShow, UINT nStatus) {
  CWnd::OnShowWindow(bShow, nStatus);
  ClearSelectionOnShow(*this, bShow);
}

// --- Tool tip ---------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CMvTooltipPane, CMvPane)

BEGIN_MESSAGE_MAP(CMvTooltipPane, CMvPane)
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CMvTooltipPane::CMvTooltipPane(CMvPane* owner) : m_pOwnerPane(owner) {
  m_pOwner = owner ? owner->GetOwnerView() : nullptr;
}

CMvTooltipPane::~CMvTooltipPane() { EndFloatingPane(*this, m_hPreviousCapture); }

void CMvTooltipPane::OnPopupCreated(int value, CMvPane* pane) {
  if (m_pOwnerPane) m_pOwnerPane->OnPopupCreated(value, pane);
}

BOOL CMvTooltipPane::FitToContent(BOOL bRelayout) {
  CRect rect;
  GetWindowRect(&rect);
  return FitHeight(*this, rect.Width(), bRelayout);
}

BOOL CMvTooltipPane::Show(const RECT& rect, const int32_t* position) {
  if (!m_pOwnerPane || !m_pOwnerPane->GetViewer() || !m_pOwner) return FALSE;
  if (!CreateFloatingPane(*this, *m_pOwnerPane, *m_pOwner, rect)) return FALSE;
  OnPopupCreated(1, this);
  if (position && !GoToTopic(*position, 0, TRUE)) return FALSE;
  if (GetCurrentTopic() == m_pOwnerPane->GetCurrentTopic()) return FALSE;
  SetZoom(HeaderZoom(RecordLevel(m_pOwner->GetWork(), GetCurrentTopic())));
  if (!PlaceOnScreen(TRUE)) return FALSE;
  ShowWindow(SW_SHOWNOACTIVATE);
  return TRUE;
}

BOOL CMvTooltipPane::PlaceOnScreen(BOOL bRepaint) {
  CRect rect;
  GetWindowRect(&rect);
  SetWindowPos(nullptr, rect.left, rect.top, kFirstSize.cx, kFirstSize.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  FitToContent(TRUE);
  int32_t w = 0, h = 0;
  frame::MvGetLayoutExtent(m_pViewer, &w, &h);
  const POINT at =
      shell::view::PlaceOnScreen(rect.TopLeft(), {w, h}, MvScreenAt(rect.TopLeft()), kStripWidth);
  SetWindowPos(nullptr, at.x, at.y + 25, w, h + 5, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
  SetWindowPos(nullptr, at.x, at.y + 25, w + 20, h + 5, SWP_NOZORDER | SWP_NOACTIVATE);
  if (bRepaint) Invalidate();
  return TRUE;
}

BOOL CMvTooltipPane::Draw(CDC* pDC, const RECT* clip) {
  if (!pDC || !m_pViewer) return FALSE;
  CRect client;
  GetClientRect(&client);
  CRect area = clip ? CRect(*clip) : client;
  // The topic is drawn off screen and copied beside the strip.
  HDC memory = ::CreateCompatibleDC(pDC->m_hDC);
  HBITMAP bitmap = ::CreateCompatibleBitmap(pDC->m_hDC, client.Width(), client.Height());
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  RECT all{0, 0, client.Width(), client.Height()};
  ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  CDC* memoryDC = CDC::FromHandle(memory);
  const BOOL painted = CMvPane::Draw(memoryDC, &all);
  ::BitBlt(pDC->m_hDC, kStripWidth, 0, client.Width() - kStripWidth, client.Height(), memory, 0, 0, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);

  RECT strip{0, 0, kStripWidth, client.Height()};
  HBRUSH brush = ::CreateSolidBrush(m_crStrip);
  ::FillRect(pDC->m_hDC, &strip, brush);
  ::DeleteObject(brush);
  HFONT font = ::CreateFont(-12, 0, 900, -900, 700, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                            CLIP_LH_ANGLES, PROOF_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
  HGDIOBJ oldFont = ::SelectObject(pDC->m_hDC, font);
  ::SetTextColor(pDC->m_hDC, RGB(255, 255, 255));
  ::SetBkMode(pDC->m_hDC, TRANSPARENT);
  ::TextOut(pDC->m_hDC, 1, client.Height() - 5, "Dz. U.", 6);
  ::SelectObject(pDC->m_hDC, oldFont);
  ::DeleteObject(font);
  (void)area;
  return painted;
}

void CMvTooltipPane::OnShowWindow(BOOL bShow, UINT nStatus) {
  CWnd::OnShowWindow(bShow, nStatus);
  ClearSelectionOnShow(*this, bShow);
}

void CMvTooltipPane::OnMouseMove(UINT, CPoint point) {
  if (CWnd::GetCapture() != this) {
    HWND previous = ::GetCapture();
    m_hPreviousCapture = previous != m_hWnd ? previous : nullptr;
    SetCapture();
  }
  ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
  CPoint screen = point;
  ClientToScreen(&screen);
  if (::WindowFromPoint(screen) != m_hWnd && m_pOwnerPane) m_pOwnerPane->PostMessage(kMsgClosePopups);
}

void CMvTooltipPane::OnLButtonDown(UINT nFlags, CPoint point) {
  CRect client;
  GetClientRect(&client);
  CMvPane* owner = m_pOwnerPane;
  if (client.PtInRect(point)) {
    owner->PostMessage(kMsgClosePopups);
    return;
  }
  ::ReleaseCapture();
  if (m_hPreviousCapture && ::IsWindow(m_hPreviousCapture)) ::SetCapture(m_hPreviousCapture);
  m_hPreviousCapture = nullptr;
  CPoint screen = point;
  ClientToScreen(&screen);
  owner->ScreenToClient(&screen);
  owner->PostMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(screen.x, screen.y));
}
