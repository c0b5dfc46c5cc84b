#include "controls/hlink_ctrl.h"

#include <span>

#include "controls/hlink_sheet.h"
#include "controls/url_shortcut.h"
#include "platform/framework/menu.h"
#include "platform/shell/clipboard.h"
#include "platform/shell/services.h"
#include "platform/shell/shell_execute.h"
#include "platform/shell/special_folders.h"
#include "platform/win/messages.h"
#include "platform/win/window_api.h"
#include "platform/win/window_font.h"
#include "resources/controls_ids.h"
#include "resources/resource_ids.h"

IMPLEMENT_DYNAMIC(CHLinkCtrl, CStatic)

BEGIN_MESSAGE_MAP(CHLinkCtrl, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_CONTEXTMENU()
  ON_COMMAND(resources::ID_HLINK_OPEN, &CHLinkCtrl::OnOpen)
  ON_COMMAND(resources::ID_HLINK_COPY, &CHLinkCtrl::OnCopyShortcut)
  ON_COMMAND(resources::ID_HLINK_FAVORITES, &CHLinkCtrl::OnAddToFavorites)
  ON_COMMAND(resources::ID_HLINK_DESKTOP, &CHLinkCtrl::OnAddToDesktop)
  ON_COMMAND(resources::ID_HLINK_PROPERTIES, &CHLinkCtrl::OnProperties)
END_MESSAGE_MAP()

namespace {
// The keyboard's context-menu key sends this point; the menu then opens at the control's corner.
constexpr int kKeyboardMenuOffset = 5;
}  // namespace

CHLinkCtrl::CHLinkCtrl()
    : m_hHandCursor(::LoadCursor(nullptr, MAKEINTRESOURCE(int(resources::IDC_HLINK_HAND)))),
      m_hArrowCursor(::LoadCursor(nullptr, IDC_ARROW)) {}

CHLinkCtrl::~CHLinkCtrl() = default;

COLORREF CHLinkCtrl::StateColour(int state) const {
  switch (state) {
    case kVisited: return m_crVisited;
    case kHover: return m_crHover;
    default: return m_crLink;
  }
}

HBRUSH CHLinkCtrl::CtlColor(CDC* pDC, UINT) {
  if (!(GetStyle() & SS_NOTIFY)) ModifyStyle(0, SS_NOTIFY);
  const DWORD type = GetStyle() & SS_TYPEMASK;
  if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT) return nullptr;
  if (!m_fontLink.GetSafeHandle()) {
    LOGFONT lf{};
    ::GetObject(win::window_font(m_hWnd), sizeof lf, &lf);
    lf.lfUnderline = TRUE;
    m_fontLink.CreateFontIndirect(&lf);
  }
  pDC->SelectObject(&m_fontLink);
  pDC->SetTextColor(StateColour(m_nState));
  pDC->SetBkMode(TRANSPARENT);
  return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
}

BOOL CHLinkCtrl::OnSetCursor(CWnd*, UINT, UINT) {
  ::SetCursor(m_bInMenu || !m_hHandCursor ? m_hArrowCursor : m_hHandCursor);
  return TRUE;
}

void CHLinkCtrl::OnLButtonDown(UINT, CPoint) { PostMessage(WM_COMMAND, WPARAM(resources::ID_HLINK_OPEN), 0); }

void CHLinkCtrl::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bHoverEnabled) {
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) {
      if (m_nState != kHover) {
        SetCapture();
        m_nStateBeforeHover = m_nState;
        m_nState = kHover;
        Invalidate();
      }
    } else if (m_nState == kHover) {
      LeaveHover();
    }
  }
  CStatic::OnMouseMove(nFlags, point);
}

void CHLinkCtrl::LeaveHover() {
  if (m_nState == kHover) {
    m_nState = m_nStateBeforeHover;
    Invalidate();
  }
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CHLinkCtrl::OnContextMenu(CWnd*, CPoint point) {
  if (!m_bContextMenu) return;
  LeaveHover();
  if (point.x == -1 && point.y == -1) {
    CRect window;
    GetWindowRect(&window);
    point = CPoint(window.left + kKeyboardMenuOffset, window.top + kKeyboardMenuOffset);
  }
  CMenu menu;
  if (!menu.LoadMenu(resources::IDR_HLINK_MENU)) return;
  CMenu* popup = menu.GetSubMenu(0);
  if (!popup) return;
  m_bInMenu = 1;
  popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
  m_bInMenu = 0;
}

BOOL CHLinkCtrl::OpenURL() {
  BeginWaitCursor();
  // The desktop opens the address with the protocol its form suggests; failing that, the shell
  // is given the address as it stands.
  bool opened = shell::open_url(hlink::guessed_address(m_strURL));
  if (!opened) {
    HWND parent = ::GetParent(m_hWnd);
    opened = reinterpret_cast<INT_PTR>(ShellExecute(parent, "open", m_strURL, nullptr, nullptr, SW_SHOWNORMAL)) > 32;
  }
  EndWaitCursor();
  return opened;
}

void CHLinkCtrl::OnOpen() {
  if (!OpenURL()) return;
  // A hovered link shows its visited colour once the mouse leaves.
  if (m_nState == kHover) {
    m_nStateBeforeHover = kVisited;
  } else {
    m_nState = kVisited;
  }
  Invalidate();
}

void CHLinkCtrl::OnCopyShortcut() {
  if (!::OpenClipboard(m_hWnd)) return;
  ::EmptyClipboard();
  std::string bytes = m_strURL.str();
  bytes.push_back('\0');
  ::SetClipboardData(CF_TEXT, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  ::CloseClipboard();
}

BOOL CHLinkCtrl::SaveShortcut(int folder) {
  BeginWaitCursor();
  BOOL saved = FALSE;
  LPITEMIDLIST list = nullptr;
  char path[260] = "";
  if (SHGetSpecialFolderLocation(m_hWnd, folder, &list) == NOERROR && SHGetPathFromIDList(list, path)) {
    CString text;
    GetWindowText(text);
    saved = hlink::save_url_shortcut(CString(path), text, m_strURL);
  }
  CoTaskMemFree(list);
  EndWaitCursor();
  return saved;
}

void CHLinkCtrl::OnAddToFavorites() { SaveShortcut(CSIDL_FAVORITES); }

void CHLinkCtrl::OnAddToDesktop() { SaveShortcut(CSIDL_DESKTOP); }

void CHLinkCtrl::OnProperties() {
  CHLinkSheet sheet(resources::IDS_PROPERTIES, GetParent(), 0);
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  sheet.SetLink(this);
  sheet.DoModal();
}
