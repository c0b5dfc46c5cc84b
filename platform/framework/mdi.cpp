#include "platform/framework/mdi.h"

#include <algorithm>
#include <map>

#include "platform/base/cp1250.h"
#include "platform/framework/accelerators.h"
#include "platform/framework/app.h"
#include "platform/framework/doc_template.h"
#include "platform/framework/document.h"
#include "platform/framework/menu.h"
#include "platform/framework/view.h"
#include "platform/res/resource_store.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/control_state.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

namespace {

// What an MDI client knows about its children.
struct ClientState : win::ControlState {
  HWND frame = nullptr;
  std::vector<HWND> created;  // creation order (the window menu's order)
  std::vector<HWND> order;    // activation order, active first
  std::map<HWND, RECT> normal;  // rectangles of maximised or minimised children before that
  bool maximized = false;
  HMENU window_menu = nullptr;
  int listed = 0;            // child items (and their separator) in the window menu
  HMENU bar_with_buttons = nullptr;  // the menu bar holding a maximised child's buttons
};

ClientState* state_of(HWND client) { return win::find_control_state<ClientState>(client); }

void prune(ClientState& s) {
  auto dead = [](HWND h) { return !IsWindow(h); };
  s.created.erase(std::remove_if(s.created.begin(), s.created.end(), dead), s.created.end());
  s.order.erase(std::remove_if(s.order.begin(), s.order.end(), dead), s.order.end());
  for (auto it = s.normal.begin(); it != s.normal.end();) it = IsWindow(it->first) ? std::next(it) : s.normal.erase(it);
  if (s.order.empty()) s.maximized = false;
}

HWND active_of(ClientState& s) {
  prune(s);
  return s.order.empty() ? nullptr : s.order.front();
}

// The window menu lists the children after a separator, the active one checked.
void refresh_window_menu(ClientState& s) {
  if (!IsMenu(s.window_menu)) {
    s.listed = 0;
    return;
  }
  for (; s.listed > 0; --s.listed) {
    DeleteMenu(s.window_menu, UINT(GetMenuItemCount(s.window_menu) - 1), MF_BYPOSITION);
  }
  prune(s);
  if (s.created.empty()) return;
  AppendMenu(s.window_menu, MF_SEPARATOR, 0, nullptr);
  s.listed = 1;
  HWND active = s.order.empty() ? nullptr : s.order.front();
  int n = 0;
  for (HWND child : s.created) {
    if (n == kMaxWindowMenuChildren) break;
    std::string text = std::string("&").append(std::to_string(n + 1)).append(" ").append(GetWindowTextString(child));
    AppendMenu(s.window_menu, MF_STRING | (child == active ? MF_CHECKED : 0), AFX_IDM_FIRST_MDICHILD + UINT(n),
               text.c_str());
    ++s.listed;
    ++n;
  }
}

// A maximised child shows its system menu first and its minimise, restore and close buttons last
// in the frame's menu bar.
void sync_menu_buttons(ClientState& s) {
  if (s.bar_with_buttons && IsMenu(s.bar_with_buttons)) {
    int count = GetMenuItemCount(s.bar_with_buttons);
    if (count >= 4) {
      for (int i = 0; i < 3; ++i) DeleteMenu(s.bar_with_buttons, UINT(GetMenuItemCount(s.bar_with_buttons) - 1), MF_BYPOSITION);
      DeleteMenu(s.bar_with_buttons, 0, MF_BYPOSITION);
    }
  }
  s.bar_with_buttons = nullptr;
  HMENU bar = GetMenu(s.frame);
  if (!s.maximized || !bar || s.order.empty()) {
    DrawMenuBar(s.frame);
    return;
  }
  HMENU system = CreatePopupMenu();
  AppendMenu(system, MF_STRING, SC_RESTORE, base::cp1250::from_utf8("&Przywróć").c_str());
  AppendMenu(system, MF_STRING, SC_MINIMIZE, "Mi&nimalizuj");
  AppendMenu(system, MF_SEPARATOR, 0, nullptr);
  AppendMenu(system, MF_STRING, SC_CLOSE, "&Zamknij\tCtrl+F4");
  InsertMenu(bar, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(system), "-");
  AppendMenu(bar, MF_STRING | MF_RIGHTJUSTIFY, SC_MINIMIZE, "0");
  AppendMenu(bar, MF_STRING | MF_RIGHTJUSTIFY, SC_RESTORE, "2");
  AppendMenu(bar, MF_STRING | MF_RIGHTJUSTIFY, SC_CLOSE, "r");
  s.bar_with_buttons = bar;
  DrawMenuBar(s.frame);
}

void maximize(HWND client, ClientState& s, HWND child) {
  if (!IsWindow(child)) return;
  if (!s.normal.count(child)) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
    s.normal[child] = r;
  }
  RECT c;
  GetClientRect(client, &c);
  CWnd::ModifyStyle(child, WS_MINIMIZE, WS_MAXIMIZE, 0);
  // The caption and borders fall outside the client, so the child's client fills it.
  RECT w = c;
  AdjustWindowRectEx(&w, DWORD(GetWindowLongPtr(child, GWL_STYLE)) & ~WS_MAXIMIZE, FALSE,
                     DWORD(GetWindowLongPtr(child, GWL_EXSTYLE)));
  MoveWindow(child, w.left, w.top, w.right - w.left, w.bottom - w.top, TRUE);
  s.maximized = true;
}

void restore(ClientState& s, HWND child) {
  if (!IsWindow(child)) return;
  CWnd::ModifyStyle(child, WS_MAXIMIZE | WS_MINIMIZE, 0, 0);
  if (auto it = s.normal.find(child); it != s.normal.end()) {
    const RECT& r = it->second;
    MoveWindow(child, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    s.normal.erase(it);
  }
}

// Minimised children keep only their caption: strips of one width in rows along the client's
// bottom, in creation order, the rows growing upwards.
constexpr int kIconicWidth = 160;

void arrange_icons(HWND client, ClientState& s) {
  RECT c;
  GetClientRect(client, &c);
  int per_row = std::max(1, int(c.right) / kIconicWidth);
  int index = 0;
  for (HWND w : s.created) {
    if (!IsWindow(w) || !IsIconic(w)) continue;
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, DWORD(GetWindowLongPtr(w, GWL_STYLE)) & ~(WS_MINIMIZE | WS_MAXIMIZE), FALSE,
                       DWORD(GetWindowLongPtr(w, GWL_EXSTYLE)));
    int height = r.bottom - r.top;
    int row = index / per_row;
    int column = index % per_row;
    MoveWindow(w, column * kIconicWidth, int(c.bottom) - (row + 1) * height, kIconicWidth, height, TRUE);
    ++index;
  }
}

// The icon rows along the client's bottom: their height, 0 without minimised children.
int icon_rows_height(HWND client, const ClientState& s) {
  int top = 0;
  RECT c;
  GetClientRect(client, &c);
  for (HWND w : s.created) {
    if (!IsWindow(w) || !IsIconic(w)) continue;
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
    top = std::max(top, int(c.bottom - r.top));
  }
  return top;
}

// A child's minimise (restore while minimised) and maximise buttons, left of the close box on its
// caption, in window coordinates; empty while the caption is hidden (maximised) or the style has
// no such box. The caption and close box are those the window layer draws.
struct CaptionButtons {
  CRect reduce;
  CRect zoom;
};

CaptionButtons caption_buttons(HWND child) {
  CaptionButtons b;
  auto style = DWORD(GetWindowLongPtr(child, GWL_STYLE));
  if ((style & WS_CAPTION) != WS_CAPTION || (style & WS_MAXIMIZE)) return b;
  RECT window;
  GetWindowRect(child, &window);
  int border = GetSystemMetrics((style & WS_THICKFRAME) ? SM_CXFRAME : SM_CXDLGFRAME);
  int size = GetSystemMetrics(SM_CYCAPTION) - 4;
  int right = int(window.right - window.left) - border;
  int close_left = (style & WS_SYSMENU) ? right - size - 3 : right;
  int top = border + 2;
  int width = size + 2;
  if (style & WS_MAXIMIZEBOX) b.zoom = CRect(close_left - 2 - width, top, close_left - 2, top + size);
  int reduce_right = b.zoom.IsRectEmpty() ? close_left - 2 : int(b.zoom.left);
  if (style & WS_MINIMIZEBOX) b.reduce = CRect(reduce_right - width, top, reduce_right, top + size);
  return b;
}

// A window outline with a thick top edge: the glyph of a maximised window.
void window_glyph(CDC& dc, const CRect& r, COLORREF colour) {
  dc.FillSolidRect(r.left, r.top, r.Width(), 2, colour);
  dc.FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, colour);
  dc.FillSolidRect(r.left, r.top, 1, r.Height(), colour);
  dc.FillSolidRect(r.right - 1, r.top, 1, r.Height(), colour);
}

void paint_caption_buttons(HWND child) {
  CaptionButtons b = caption_buttons(child);
  if (b.reduce.IsRectEmpty() && b.zoom.IsRectEmpty()) return;
  CWindowDC dc(CWnd::FromHandle(child));
  COLORREF text = GetSysColor(COLOR_BTNTEXT);
  for (const CRect& r : {b.reduce, b.zoom}) {
    if (r.IsRectEmpty()) continue;
    dc.FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
    dc.Draw3dRect(&r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
  }
  if (!b.zoom.IsRectEmpty()) {
    window_glyph(dc, CRect(b.zoom.left + 3, b.zoom.top + 2, b.zoom.right - 4, b.zoom.bottom - 3), text);
  }
  if (b.reduce.IsRectEmpty()) return;
  if (IsIconic(child)) {
    // Restore: two overlapping windows.
    window_glyph(dc, CRect(b.reduce.left + 5, b.reduce.top + 2, b.reduce.right - 3, b.reduce.bottom - 6), text);
    CRect front(b.reduce.left + 3, b.reduce.top + 5, b.reduce.right - 5, b.reduce.bottom - 3);
    dc.FillSolidRect(&front, GetSysColor(COLOR_BTNFACE));
    window_glyph(dc, front, text);
  } else {
    dc.FillSolidRect(b.reduce.left + 4, b.reduce.bottom - 5, b.reduce.Width() - 9, 2, text);
  }
}

void activate(HWND client, ClientState& s, HWND child);

void minimize(HWND client, ClientState& s, HWND child) {
  if (!IsWindow(child) || IsIconic(child)) return;
  if (IsZoomed(child)) {
    // The rectangle from before maximising is already kept; the client leaves the maximised state.
    s.maximized = false;
  } else if (!s.normal.count(child)) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
    s.normal[child] = r;
  }
  CWnd::ModifyStyle(child, WS_MAXIMIZE, WS_MINIMIZE, 0);
  arrange_icons(client, s);
  // The next child that is not minimised becomes active.
  if (active_of(s) == child) {
    for (HWND other : s.order) {
      if (other != child && IsWindow(other) && !IsIconic(other)) {
        activate(client, s, other);
        break;
      }
    }
  }
  sync_menu_buttons(s);
}

void activate(HWND client, ClientState& s, HWND child) {
  prune(s);
  if (!IsWindow(child) || GetParent(child) != client) return;
  HWND old = s.order.empty() ? nullptr : s.order.front();
  if (std::find(s.created.begin(), s.created.end(), child) == s.created.end()) s.created.push_back(child);
  s.order.erase(std::remove(s.order.begin(), s.order.end(), child), s.order.end());
  s.order.insert(s.order.begin(), child);
  if (old == child) return;
  // The maximised state passes to the child activated.
  bool was_max = s.maximized && old;
  if (was_max) {
    restore(s, old);
    maximize(client, s, child);
    // A minimised child taking the maximised state leaves its place in the icon rows.
    arrange_icons(client, s);
  }
  SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (old) {
    SendMessage(old, WM_NCACTIVATE, FALSE, 0);
    SendMessage(old, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
  }
  SendMessage(child, WM_NCACTIVATE, TRUE, 0);
  SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
  if (IsWindow(child) && GetFocus() != child && !IsChild(child, GetFocus())) SetFocus(child);
  refresh_window_menu(s);
  sync_menu_buttons(s);
}

// The child after (or before) `from` in activation order.
HWND next_child(ClientState& s, HWND from, bool previous) {
  prune(s);
  if (s.order.size() < 2) return nullptr;
  if (!from) from = s.order.front();
  if (previous) return s.order.back();
  auto it = std::find(s.order.begin(), s.order.end(), from);
  return (it == s.order.end() || std::next(it) == s.order.end()) ? s.order.front() : *std::next(it);
}

LRESULT client_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  ClientState* s = state_of(h);
  if (!s) return DefWindowProc(h, message, wParam, lParam);
  auto child = reinterpret_cast<HWND>(wParam);
  switch (message) {
    case WM_MDIACTIVATE:
      activate(h, *s, child);
      return 0;
    case WM_MDIGETACTIVE:
      if (lParam) *reinterpret_cast<BOOL*>(lParam) = s->maximized;
      return reinterpret_cast<LRESULT>(active_of(*s));
    case WM_MDINEXT: {
      HWND to = next_child(*s, child, lParam != 0);
      if (to) {
        HWND from = active_of(*s);
        activate(h, *s, to);
        // Moving on sends the one left to the back of the order.
        s->order.erase(std::remove(s->order.begin(), s->order.end(), from), s->order.end());
        if (from && lParam == 0) s->order.push_back(from);
        else if (from) s->order.insert(s->order.begin() + 1, from);
      }
      return 0;
    }
    case WM_MDIMAXIMIZE:
      if (IsWindow(child)) {
        if (child != active_of(*s)) activate(h, *s, child);
        maximize(h, *s, child);
        arrange_icons(h, *s);
        sync_menu_buttons(*s);
      }
      return 0;
    case WM_MDIRESTORE: {
      bool iconic = IsIconic(child);
      restore(*s, child);
      if (!iconic) {
        s->maximized = false;
        for (auto& [c, r] : std::map<HWND, RECT>(s->normal)) {
          if (IsZoomed(c)) restore(*s, c);
        }
      }
      arrange_icons(h, *s);
      if (IsWindow(child) && child != active_of(*s)) activate(h, *s, child);
      sync_menu_buttons(*s);
      return 0;
    }
    case WM_MDIDESTROY:
      if (IsWindow(child)) {
        if (CWnd* w = CWnd::FromHandlePermanent(child)) {
          w->DestroyWindow();
        } else {
          DestroyWindow(child);
        }
      }
      return 0;
    case WM_MDISETMENU: {
      HMENU old = GetMenu(s->frame);
      if (wParam) SetMenu(s->frame, reinterpret_cast<HMENU>(wParam));
      if (lParam) {
        if (IsMenu(s->window_menu)) {
          for (; s->listed > 0; --s->listed) {
            DeleteMenu(s->window_menu, UINT(GetMenuItemCount(s->window_menu) - 1), MF_BYPOSITION);
          }
        }
        s->listed = 0;
        s->window_menu = reinterpret_cast<HMENU>(lParam);
      }
      refresh_window_menu(*s);
      sync_menu_buttons(*s);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_MDIREFRESHMENU:
      refresh_window_menu(*s);
      return reinterpret_cast<LRESULT>(GetMenu(s->frame));
    case WM_MDICASCADE:
    case WM_MDITILE:
    case WM_MDIICONARRANGE: {
      prune(*s);
      arrange_icons(h, *s);
      if (message == WM_MDIICONARRANGE) return 0;
      if (s->maximized) {
        for (HWND c : s->order) {
          if (IsZoomed(c)) restore(*s, c);
        }
        s->maximized = false;
        sync_menu_buttons(*s);
      }
      RECT c;
      GetClientRect(h, &c);
      // The rows of minimised children stay uncovered.
      c.bottom = std::max(c.top, c.bottom - icon_rows_height(h, *s));
      // Cascading and tiling place the children that are not minimised.
      std::vector<HWND> placed;
      for (HWND w : s->created) {
        if (!IsIconic(w)) placed.push_back(w);
      }
      int n = int(placed.size());
      int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
      for (int i = 0; i < n; ++i) {
        HWND w = placed[size_t(i)];
        if (message == WM_MDICASCADE) {
          MoveWindow(w, i * step, i * step, std::max(100, int(c.right) * 3 / 4), std::max(60, int(c.bottom) * 3 / 4), TRUE);
        } else if (message == WM_MDITILE) {
          bool vertical = (wParam & 1) != 0;
          int span = vertical ? c.right : c.bottom;
          int part = span / n;
          if (vertical) {
            MoveWindow(w, i * part, 0, part, c.bottom, TRUE);
          } else {
            MoveWindow(w, 0, i * part, c.right, part, TRUE);
          }
        }
      }
      return 0;
    }
    case WM_SIZE:
      if (s->maximized && !s->order.empty()) maximize(h, *s, s->order.front());
      arrange_icons(h, *s);
      return 0;
    case WM_DESTROY:
      win::drop_control_state<ClientState>(h);
      return 0;
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

const char* client_class() {
  static bool registered = [] {
    WNDCLASS wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = client_proc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = MDICLIENT_CLASS;
    return RegisterClass(&wc) != 0;
  }();
  (void)registered;
  return MDICLIENT_CLASS;
}

}  // namespace

// --- CMDIFrameWnd -----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
  ON_COMMAND(ID_WINDOW_NEW, &CMDIFrameWnd::OnWindowNew)
  ON_COMMAND_EX(ID_WINDOW_ARRANGE, &CMDIFrameWnd::OnMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_CASCADE, &CMDIFrameWnd::OnMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, &CMDIFrameWnd::OnMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) {
  return CreateClient(lpcs, CMenu::FromHandle(GetWindowMenuPopup(m_hMenuDefault)));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu) {
  m_hWndMDIClient = CreateWindowEx(WS_EX_CLIENTEDGE, client_class(), nullptr,
                                   WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                   m_hWnd, reinterpret_cast<HMENU>(std::uintptr_t(AFX_IDW_PANE_FIRST)), nullptr);
  if (!m_hWndMDIClient) return FALSE;
  ClientState& s = win::control_state<ClientState>(m_hWndMDIClient);
  s.frame = m_hWnd;
  m_hWindowMenu = pWindowMenu ? pWindowMenu->m_hMenu : nullptr;
  s.window_menu = m_hWindowMenu;
  return TRUE;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
  int count = GetMenuItemCount(hMenuBar);
  if (count <= 0) return nullptr;
  for (int i = 0; i < count; ++i) {
    char text[64];
    GetMenuString(hMenuBar, UINT(i), text, sizeof text, MF_BYPOSITION);
    CString t(text);
    t.Remove('&');
    if (t.CompareNoCase("Okno") == 0) return GetSubMenu(hMenuBar, i);
  }
  // The pop-up before the last one (the help menu) by convention.
  return count >= 2 ? GetSubMenu(hMenuBar, count - 2) : nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
  BOOL max = FALSE;
  auto h = reinterpret_cast<HWND>(::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&max)));
  if (pbMaximized) *pbMaximized = h ? max : FALSE;
  CWnd* w = CWnd::FromHandlePermanent(h);
  return w && w->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(w) : nullptr;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* child = MDIGetActive();
  return child ? static_cast<CFrameWnd*>(child) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument() {
  CMDIChildWnd* child = MDIGetActive();
  return child ? child->GetActiveDocument() : CFrameWnd::GetActiveDocument();
}

void CMDIFrameWnd::MDIActivate(CWnd* pWnd) {
  ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWnd ? pWnd->m_hWnd : nullptr), 0);
}
void CMDIFrameWnd::MDINext() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
void CMDIFrameWnd::MDIPrev() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1); }
void CMDIFrameWnd::MDIMaximize(CWnd* pWnd) {
  ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}
void CMDIFrameWnd::MDIRestore(CWnd* pWnd) {
  ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}
void CMDIFrameWnd::MDICascade() { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
void CMDIFrameWnd::MDITile(int nType) { ::SendMessage(m_hWndMDIClient, WM_MDITILE, WPARAM(nType), 0); }
void CMDIFrameWnd::MDIIconArrange() { ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  CMDIChildWnd* child = MDIGetActive();
  HMENU menu = hMenuAlt ? hMenuAlt : (child && child->m_hMenuShared) ? child->m_hMenuShared : m_hMenuDefault;
  HMENU window_menu = GetWindowMenuPopup(menu);
  ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu), reinterpret_cast<LPARAM>(window_menu));
  m_hWindowMenu = window_menu;
}

void CMDIFrameWnd::RecalcLayout(BOOL bNotify) { CFrameWnd::RecalcLayout(bNotify); }

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  // The main frame names the program first, then the active child's document.
  if (!(m_frameStyle & FWS_ADDTOTITLE)) return;
  CDocument* doc = GetActiveDocument();
  CString title = m_strTitle;
  if (bAddToTitle && doc && !doc->GetTitle().IsEmpty()) title += " - " + doc->GetTitle();
  CString current;
  GetWindowText(current);
  if (current != title) SetWindowText(title);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // The active child frame (its view and document) first.
  if (CMDIChildWnd* child = MDIGetActive(); child && child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
    return TRUE;
  }
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  if (!lParam) {
    // The window menu's child items activate a child.
    if (id >= AFX_IDM_FIRST_MDICHILD && id < AFX_IDM_FIRST_MDICHILD + UINT(kMaxWindowMenuChildren)) {
      if (ClientState* s = state_of(m_hWndMDIClient)) {
        prune(*s);
        size_t index = id - AFX_IDM_FIRST_MDICHILD;
        if (index < s->created.size()) {
          // A child chosen from the menu comes up where it can be seen: a minimised one is restored.
          HWND child = s->created[index];
          MDIActivate(CWnd::FromHandle(child));
          if (::IsIconic(child)) MDIRestore(CWnd::FromHandle(child));
        }
      }
      return TRUE;
    }
    // A maximised child's buttons in the menu bar act on the child.
    if (id == SC_MINIMIZE || id == SC_RESTORE || id == SC_CLOSE) {
      if (CMDIChildWnd* child = MDIGetActive()) child->SendMessage(WM_SYSCOMMAND, id, 0);
      return TRUE;
    }
  }
  return CFrameWnd::OnCommand(wParam, lParam);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && (GetKeyState(VK_CONTROL) & 0x8000)) {
    // Ctrl+F6 moves to the next child (Shift: the previous), Ctrl+F4 closes the active one.
    if (pMsg->wParam == WPARAM(VK_F1 + 5)) {
      if (GetKeyState(VK_SHIFT) & 0x8000) {
        MDIPrev();
      } else {
        MDINext();
      }
      return TRUE;
    }
    if (pMsg->wParam == WPARAM(VK_F1 + 3)) {
      if (CMDIChildWnd* child = MDIGetActive()) child->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
      return TRUE;
    }
  }
  // The active child's accelerators come before the frame's, sending to the frame.
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
    CMDIChildWnd* child = MDIGetActive();
    if (child && child->m_hAccelTable && TranslateAccelerator(m_hWnd, child->m_hAccelTable, pMsg)) return TRUE;
  }
  return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMDIFrameWnd::OnWindowNew() {
  CMDIChildWnd* child = MDIGetActive();
  CDocument* doc = child ? child->GetActiveDocument() : nullptr;
  if (!doc || !doc->GetDocTemplate()) return;
  CFrameWnd* frame = doc->GetDocTemplate()->CreateNewFrame(doc, child);
  if (frame) doc->GetDocTemplate()->InitialUpdateFrame(frame, doc);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID) {
  switch (nID) {
    case ID_WINDOW_ARRANGE: MDIIconArrange(); break;
    case ID_WINDOW_CASCADE: MDICascade(); break;
    case ID_WINDOW_TILE_HORZ: MDITile(0); break;
    case ID_WINDOW_TILE_VERT: MDITile(1); break;
    default: return FALSE;
  }
  return TRUE;
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != nullptr); }

// --- CMDIChildWnd -----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
  ON_WM_MDIACTIVATE()
  ON_WM_MOUSEACTIVATE()
  ON_WM_SYSCOMMAND()
  ON_WM_NCLBUTTONDBLCLK()
  ON_MESSAGE(WM_NCHITTEST, &CMDIChildWnd::OnCaptionNcHitTest)
  ON_MESSAGE(WM_NCLBUTTONDOWN, &CMDIChildWnd::OnCaptionNcLButtonDown)
  ON_MESSAGE(WM_NCPAINT, &CMDIChildWnd::OnCaptionNcPaint)
  ON_MESSAGE(WM_NCACTIVATE, &CMDIChildWnd::OnCaptionNcPaint)
  ON_MESSAGE(WM_SETTEXT, &CMDIChildWnd::OnCaptionNcPaint)
END_MESSAGE_MAP()

CMDIChildWnd::~CMDIChildWnd() {
  if (m_hMenuShared) ::DestroyMenu(m_hMenuShared);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  HWND client = ::GetParent(m_hWnd);
  CWnd* frame = CWnd::FromHandlePermanent(::GetParent(client));
  return frame && frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(frame) : nullptr;
}

HWND CMDIChildWnd::GetMDIClient() const { return ::GetParent(m_hWnd); }

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext) {
  if (!pParentWnd) {
    CWnd* main = AfxGetMainWnd();
    if (main && main->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) pParentWnd = static_cast<CMDIFrameWnd*>(main);
  }
  if (!pParentWnd || !pParentWnd->m_hWndMDIClient) return FALSE;
  HWND client = pParentWnd->m_hWndMDIClient;
  CRect r(rect);
  if (r.left == CW_USEDEFAULT) {
    // New children cascade from the client's corner, three quarters of its size.
    RECT c;
    ::GetClientRect(client, &c);
    ClientState* s = state_of(client);
    int n = s ? int(s->created.size()) % 8 : 0;
    int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    r = CRect(n * step, n * step, n * step + std::max(200, int(c.right) * 3 / 4),
              n * step + std::max(120, int(c.bottom) * 3 / 4));
  }
  DWORD style = (dwStyle | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN) & ~WS_VISIBLE;
  CWnd* client_wnd = CWnd::FromHandle(client);
  if (!CFrameWnd::Create(lpszClassName, lpszWindowName, style, r, client_wnd, nullptr, WS_EX_MDICHILD, pContext)) {
    return FALSE;
  }
  if (ClientState* s = state_of(client)) {
    s->created.push_back(m_hWnd);
    // A child made while another is maximised comes maximised.
    if (s->maximized) maximize(client, *s, m_hWnd);
  }
  if (dwStyle & WS_VISIBLE) ActivateFrame();
  return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  CString title = BeginLoadFrame(nIDResource);
  CMDIFrameWnd* frame = pParentWnd && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))
                            ? static_cast<CMDIFrameWnd*>(pParentWnd)
                            : nullptr;
  if (!Create(nullptr, title, dwDefaultStyle, rectDefault, frame, pContext)) return FALSE;
  if (!res::find_menu(nIDResource).empty()) m_hMenuShared = ::LoadMenu(nullptr, nIDResource);
  LoadAccelTable(nIDResource);
  return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
  ShowWindow(nCmdShow == -1 ? SW_SHOW : nCmdShow);
  MDIActivate();
}

void CMDIChildWnd::MDIActivate() {
  ::SendMessage(GetMDIClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
void CMDIChildWnd::MDIMaximize() {
  ::SendMessage(GetMDIClient(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
void CMDIChildWnd::MDIRestore() {
  ::SendMessage(GetMDIClient(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
void CMDIChildWnd::MDIDestroy() {
  ::SendMessage(GetMDIClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CMDIChildWnd::DestroyWindow() {
  HWND client = GetMDIClient();
  CMDIFrameWnd* frame = GetMDIFrame();
  ClientState* s = state_of(client);
  // The next child takes over before this one goes.
  if (s && active_of(*s) == m_hWnd) {
    if (HWND next = next_child(*s, m_hWnd, false); next && next != m_hWnd) activate(client, *s, next);
  }
  BOOL done = CFrameWnd::DestroyWindow();
  // `this` may be gone now: only the saved handles are used.
  if ((s = state_of(client)) != nullptr) {
    prune(*s);
    if (frame && framework::frame_alive(frame)) {
      if (s->order.empty()) frame->OnUpdateFrameMenu(nullptr);
      arrange_icons(client, *s);
      refresh_window_menu(*s);
      sync_menu_buttons(*s);
      frame->OnUpdateFrameTitle(TRUE);
    }
  }
  return done;
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(m_frameStyle & FWS_ADDTOTITLE)) return;
  CDocument* doc = GetActiveDocument();
  if (bAddToTitle && doc) {
    CString title = doc->GetTitle();
    CString current;
    GetWindowText(current);
    if (current != title) SetWindowText(title);
  }
  if (CMDIFrameWnd* frame = GetMDIFrame()) {
    frame->OnUpdateFrameTitle(TRUE);
    if (ClientState* s = state_of(GetMDIClient())) refresh_window_menu(*s);
  }
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd*, HMENU hMenuAlt) {
  CMDIFrameWnd* frame = GetMDIFrame();
  if (!frame) return;
  if (bActivate) {
    frame->OnUpdateFrameMenu(hMenuAlt ? hMenuAlt : m_hMenuShared);
  } else if (!frame->MDIGetActive() || frame->MDIGetActive() == this) {
    frame->OnUpdateFrameMenu(nullptr);
  }
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*) {
  OnUpdateFrameMenu(bActivate, pActivateWnd, nullptr);
  if (bActivate && m_pViewActive) m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
  if (!bActivate && m_pViewActive) m_pViewActive->OnActivateView(FALSE, m_pViewActive, m_pViewActive);
  if (CMDIFrameWnd* frame = GetMDIFrame(); bActivate && frame) frame->OnUpdateFrameTitle(TRUE);
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  int result = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (result != MA_NOACTIVATE && result != MA_NOACTIVATEANDEAT) MDIActivate();
  return result;
}

void CMDIChildWnd::OnSysCommand(UINT nID, LPARAM lParam) {
  switch (nID & 0xFFF0) {
    case SC_MAXIMIZE: MDIMaximize(); return;
    case SC_MINIMIZE:
      if (ClientState* s = state_of(GetMDIClient())) minimize(GetMDIClient(), *s, m_hWnd);
      return;
    case SC_RESTORE: MDIRestore(); return;
    case SC_CLOSE: SendMessage(WM_CLOSE); return;
    default: CFrameWnd::OnSysCommand(nID, lParam);
  }
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg) { return CWnd::PreTranslateMessage(pMsg); }

void CMDIChildWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  // A double click on the caption restores a minimised or maximised child and maximises one that
  // is neither.
  if (nHitTest != HTCAPTION) {
    CFrameWnd::OnNcLButtonDblClk(nHitTest, point);
    return;
  }
  if (IsIconic() || IsZoomed()) {
    SendMessage(WM_SYSCOMMAND, SC_RESTORE, MAKE_POINT_LPARAM(point.x, point.y));
  } else if (GetStyle() & WS_MAXIMIZEBOX) {
    SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, MAKE_POINT_LPARAM(point.x, point.y));
  }
}

LRESULT CMDIChildWnd::OnCaptionNcHitTest(WPARAM, LPARAM lParam) {
  LRESULT hit = Default();
  if (hit != HTCAPTION) return hit;
  CRect window;
  GetWindowRect(&window);
  CPoint p(GET_X_LPARAM(lParam) - window.left, GET_Y_LPARAM(lParam) - window.top);
  CaptionButtons b = caption_buttons(m_hWnd);
  if (b.reduce.PtInRect(p)) return HTMINBUTTON;
  if (b.zoom.PtInRect(p)) return HTMAXBUTTON;
  return hit;
}

LRESULT CMDIChildWnd::OnCaptionNcLButtonDown(WPARAM wParam, LPARAM lParam) {
  // The reduce button minimises, or restores a minimised child; the zoom button maximises.
  if (wParam == WPARAM(HTMINBUTTON)) {
    SendMessage(WM_SYSCOMMAND, IsIconic() ? SC_RESTORE : SC_MINIMIZE, lParam);
    return 0;
  }
  if (wParam == WPARAM(HTMAXBUTTON)) {
    SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, lParam);
    return 0;
  }
  return Default();
}

LRESULT CMDIChildWnd::OnCaptionNcPaint(WPARAM, LPARAM) {
  // The window layer draws the caption with its close box; the other buttons go beside it.
  LRESULT result = Default();
  if (::IsWindow(m_hWnd)) paint_caption_buttons(m_hWnd);
  return result;
}
