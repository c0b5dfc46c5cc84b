#include "controls/pin_button.h"

#include "platform/win/bitmap_loading.h"
#include "platform/win/messages.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"

IMPLEMENT_DYNAMIC(CPinButton, CButton)

BEGIN_MESSAGE_MAP(CPinButton, CButton)
  ON_WM_TIMER()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CPinButton::CPinButton() = default;

CPinButton::~CPinButton() = default;

BOOL CPinButton::LoadInto(CBitmap& bitmap, UINT nID, const COLORREF* pMapToFace) {
  HBITMAP loaded = nullptr;
  if (pMapToFace) {
    COLORMAP map{*pMapToFace, GetSysColor(COLOR_BTNFACE)};
    loaded = CreateMappedBitmap(nullptr, LONG_PTR(nID), 0, &map, 1);
  } else {
    loaded = ::LoadBitmap(nullptr, MAKEINTRESOURCE(int(nID)));
  }
  if (!loaded) return FALSE;
  bitmap.DeleteObject();
  bitmap.Attach(loaded);
  BITMAP info{};
  bitmap.GetBitmap(&info);
  m_rcBitmap = CRect(0, 0, info.bmWidth, info.bmHeight);
  return TRUE;
}

BOOL CPinButton::LoadStateBitmap(UINT nID, const COLORREF* pMapToFace, int nWhich) {
  return LoadInto(nWhich == kPinned ? m_bmpPinned : m_bmpNormal, nID, pMapToFace);
}

BOOL CPinButton::LoadHoverBitmap(UINT nID, const COLORREF* pMapToFace) { return LoadInto(m_bmpHover, nID, pMapToFace); }

void CPinButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
  CRect item(lpDrawItemStruct->rcItem);
  const bool pressed = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
  const bool pinned = m_bPinMode && m_bPinned;
  dc->SetBkMode(TRANSPARENT);
  dc->FillSolidRect(&item, GetSysColor(COLOR_BTNFACE));

  CBitmap* face = &m_bmpNormal;
  if (pinned) face = m_bHover && m_bmpHover.GetSafeHandle() ? &m_bmpHover : &m_bmpPinned;
  if (face->GetSafeHandle()) {
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CGdiObject* old = memory.SelectObject(face);
    const int offset = m_bHover && pressed ? 1 : 0;
    const int x = item.left + (item.Width() - m_rcBitmap.Width()) / 2 + offset;
    const int y = item.top + (item.Height() - m_rcBitmap.Height()) / 2 + offset;
    dc->BitBlt(x, y, m_rcBitmap.Width(), m_rcBitmap.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
  }

  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  if (pinned || (m_bHover && pressed)) {
    dc->Draw3dRect(&item, shadow, light);
  } else if (m_bHover) {
    dc->Draw3dRect(&item, light, shadow);
  }
}

void CPinButton::SetPinned(BOOL bPinned) {
  if (m_bPinned == bPinned) return;
  m_bPinned = bPinned;
  if (m_hWnd) Invalidate();
}

void CPinButton::ShowHover(BOOL bHover) {
  m_bHover = bHover;
  if (m_bHoverDrawn != bHover) {
    m_bHoverDrawn = bHover;
    Invalidate();
  }
}

void CPinButton::OnMouseMove(UINT nFlags, CPoint point) {
  SetTimer(kHoverTimer, kHoverInterval);
  CButton::OnMouseMove(nFlags, point);
}

void CPinButton::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kHoverTimer) {
    CButton::OnTimer(nIDEvent);
    return;
  }
  if (m_bPressed) {
    // The press takes over the look; the hover look is drawn again once the mouse moves after it.
    KillTimer(kHoverTimer);
    if (m_bHoverDrawn) {
      m_bHoverDrawn = FALSE;
      Invalidate();
    }
    return;
  }
  POINT cursor{};
  ::GetCursorPos(&cursor);
  CRect window;
  GetWindowRect(&window);
  if (window.PtInRect(cursor)) {
    ShowHover(TRUE);
  } else {
    KillTimer(kHoverTimer);
    ShowHover(FALSE);
  }
}

void CPinButton::OnLButtonDown(UINT nFlags, CPoint point) {
  m_bPressed = TRUE;
  CButton::OnLButtonDown(nFlags, point);
}

void CPinButton::OnLButtonUp(UINT nFlags, CPoint point) {
  m_bPressed = FALSE;
  CPoint screen = point;
  ClientToScreen(&screen);
  const bool counted = CWnd::WindowFromPoint(screen) == this;
  if (m_bPinMode && counted) {
    m_bPinned = !m_bPinned;
    Invalidate();
  }
  if (m_bHover) {
    m_bHover = FALSE;
    m_bHoverDrawn = FALSE;
    Invalidate();
  }
  if (!m_bPinMode && counted) {
    if (CWnd* parent = GetParent()) {
      m_bSendingCommand = TRUE;
      parent->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID()), 0), reinterpret_cast<LPARAM>(m_hWnd));
      m_bSendingCommand = FALSE;
    }
  }
  if (!::IsWindow(m_hWnd)) return;
  // The press ends as a release outside the button, so that the button's own click notice does
  // not reach the parent a second time: the command above is the one the parent hears.
  DefWindowProc(WM_LBUTTONUP, nFlags, MAKE_POINT_LPARAM(-1, -1));
}

void CPinButton::OnKillFocus(CWnd* pNewWnd) {
  CButton::OnKillFocus(pNewWnd);
  CWnd* parent = GetParent();
  if (!pNewWnd || !::IsWindow(pNewWnd->m_hWnd) || !parent || m_bSendingCommand) return;
  if (pNewWnd->m_hWnd == parent->m_hWnd || ::IsChild(parent->m_hWnd, pNewWnd->m_hWnd)) return;
  // A pop-up owner learns that the focus left it.
  parent->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(pNewWnd->m_hWnd));
}
