// The menu button: a bitmap button whose arrow drops a popup menu below it or to its right. The
// menu is the caller's: the button attaches it and lets it go, and never destroys it.
#include "platform/framework/control_messages.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/menu.h"
#include "platform/framework/view.h"
#include "platform/win/message_queue.h"
#include "platform/win/messages.h"
#include "platform/win/window_api.h"
#include "resources/toolkit_ids.h"
#include "toolkit/widgets/owner_draw_button.h"

IMPLEMENT_DYNAMIC(SECMenuButton, SECBitmapButton)

namespace {

constexpr int kMaxText = 100;

UINT ArrowBitmap(int nDirection) { return nDirection ? resources::IDB_MENU_ARROW_RIGHT : resources::IDB_MENU_ARROW_DOWN; }

}  // namespace

SECMenuButton::SECMenuButton() = default;

SECMenuButton::~SECMenuButton() { m_hMenu = nullptr; }

int SECMenuButton::SetMenu(const CString& text, HMENU hMenu, int nDirection, UINT& nBitmap) {
  m_hMenu = hMenu;
  m_nDirection = nDirection;
  nBitmap = ArrowBitmap(nDirection);
  return text.IsEmpty() ? SEC_BMP_ONLY : SEC_BMP_RIGHT;
}

BOOL SECMenuButton::AttachMenuItem(UINT nID, CWnd* pParent, HMENU hMenu, int nDirection) {
  if (!pParent) return FALSE;
  HWND control = ::GetDlgItem(pParent->m_hWnd, int(nID));
  if (!control) return FALSE;
  char buffer[kMaxText + 1] = {};
  ::GetWindowText(control, buffer, kMaxText + 1);
  UINT bitmap = 0;
  const int position = SetMenu(CString(buffer), hMenu, nDirection, bitmap);
  return AttachBitmapItemById(nID, bitmap, position, pParent);
}

BOOL SECMenuButton::CreateMenuButton(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID,
                                     HMENU hMenu, int nDirection) {
  UINT bitmap = 0;
  const int position = SetMenu(CString(lpszText ? lpszText : ""), hMenu, nDirection, bitmap);
  return CreateBitmapButtonById(lpszText, dwStyle, rect, pParent, nID, bitmap, position);
}

void SECMenuButton::SetMenuDirection(int nDirection) {
  m_nDirection = nDirection;
  LoadBitmapResource(ArrowBitmap(nDirection));
  LayoutImage();
  if (m_hWnd) Invalidate();
}

SECMenuButton::PopupRequest SECMenuButton::MenuPlacement(const CRect& button, int nDirection) {
  if (nDirection) return {CPoint(button.right, button.top), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_HORIZONTAL, button};
  return {CPoint(button.left, button.bottom), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL, button};
}

void SECMenuButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  // While the menu is up the button keeps the pushed face it had.
  if (m_bDrawEnabled) SECBitmapButton::DrawItem(lpDIS);
}

void SECMenuButton::OnClicked() {
  if (!m_hMenu || !::IsMenu(m_hMenu)) return;
  CRect r;
  GetWindowRect(&r);
  const PopupRequest request = MenuPlacement(r, m_nDirection);
  CWnd* owner = GetParent();
  if (owner && owner->IsKindOf(RUNTIME_CLASS(CView))) {
    if (CFrameWnd* frame = static_cast<CView*>(owner)->GetParentFrame()) owner = frame;
  }
  if (!owner || !owner->m_hWnd) return;
  TPMPARAMS params;
  params.rcExclude = request.exclude;
  m_bDrawEnabled = FALSE;
  const HWND self = m_hWnd;
  ::TrackPopupMenuEx(m_hMenu, request.flags | TPM_LEFTBUTTON, request.at.x, request.at.y, owner->m_hWnd, &params);
  if (!::IsWindow(self)) return;
  // The press that closed the menu over the button must not open it again.
  MSG msg;
  while (::PeekMessage(&msg, m_hWnd, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE)) {
  }
  m_bDrawEnabled = TRUE;
  Invalidate();
  UpdateWindow();
}

LRESULT SECMenuButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) m_hMenu = nullptr;
  return SECBitmapButton::WindowProc(message, wParam, lParam);
}
