// The default handling of messages (DefWindowProc): what a window does with a message its own
// procedure passes on.
#include <cstring>

#include "platform/gdi/core/draw_api.h"
#include "platform/win/context_help.h"
#include "platform/win/cursors.h"
#include "platform/win/message_queue.h"
#include "platform/win/system_metrics.h"
#include "platform/win/tracking.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_class.h"
#include "platform/win/window_internal.h"

namespace win {
namespace {

QPoint screen_point(LPARAM l) { return QPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l)); }

LRESULT erase_background(Window& w, HDC dc) {
  HBRUSH brush = ResolveClassBrush(w.window_class->background);
  if (!brush || !dc) return 0;
  RECT client{0, 0, w.client_rect.width(), w.client_rect.height()};
  FillRect(dc, &client, brush);
  return 1;
}

LRESULT copy_text(const Window& w, WPARAM size, LPARAM buffer) {
  char* out = reinterpret_cast<char*>(buffer);
  if (!out || size == 0) return 0;
  size_t n = std::min(w.text.size(), size_t(size) - 1);
  std::memcpy(out, w.text.data(), n);
  out[n] = '\0';
  return LRESULT(n);
}

// The cursor for a non-client hit code, or null for the class cursor.
HCURSOR cursor_for_hit(int hit) {
  switch (hit) {
    case HTLEFT:
    case HTRIGHT: return LoadCursor(nullptr, IDC_SIZEWE);
    case HTTOP:
    case HTBOTTOM: return LoadCursor(nullptr, IDC_SIZENS);
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return LoadCursor(nullptr, IDC_SIZENWSE);
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return LoadCursor(nullptr, IDC_SIZENESW);
    default: return nullptr;
  }
}

LRESULT set_cursor(HWND h, Window& w, WPARAM wParam, LPARAM lParam) {
  // The parent decides first.
  if ((w.style & WS_CHILD) && SendMessage(w.parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
  Window* live = find_window(h);
  if (!live) return TRUE;
  int hit = short(LOWORD(std::uintptr_t(lParam)));
  if (hit == HTERROR) return FALSE;
  if (HCURSOR c = cursor_for_hit(hit)) {
    SetCursor(c);
    return TRUE;
  }
  if (hit == HTCLIENT) {
    if (live->window_class->cursor) SetCursor(live->window_class->cursor);
    return FALSE;
  }
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  return FALSE;
}

LRESULT sys_command(HWND h, WPARAM wParam, LPARAM lParam) {
  switch (wParam & 0xFFF0) {
    case SC_CLOSE: return SendMessage(h, WM_CLOSE, 0, 0);
    case SC_MINIMIZE: ShowWindow(h, SW_MINIMIZE); return 0;
    case SC_MAXIMIZE: ShowWindow(h, SW_MAXIMIZE); return 0;
    case SC_RESTORE: ShowWindow(h, SW_RESTORE); return 0;
    case SC_CONTEXTHELP: TrackCaptionHelp(h); return 0;
    case SC_MOVE: track_move_size(h, 0, screen_point(lParam)); return 0;
    case SC_SIZE: track_move_size(h, int(wParam & 0x000F), screen_point(lParam)); return 0;
    default: return 0;
  }
}

// System keys: Alt+F4 closes the top-level window; a character typed with Alt, and Alt or F10
// pressed and released alone, ask the window's menu for keyboard access (SC_KEYMENU).
bool g_alt_alone = false;

LRESULT system_key(HWND h, UINT message, WPARAM key, LPARAM data) {
  HWND top = GetAncestorTopLevel(h);
  if (message == WM_SYSKEYDOWN) {
    g_alt_alone = key == WPARAM(VK_MENU) || key == WPARAM(VK_F10);
    // Shift+F10 is the keyboard's context-menu request.
    if (key == WPARAM(VK_F10) && (GetKeyState(VK_SHIFT) & 0x8000)) {
      g_alt_alone = false;
      SendMessage(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), LPARAM(-1));
      return 0;
    }
    // Bit 29 of the key data: Alt was down when the key was pressed.
    if (key == WPARAM(VK_F4) && (data & (LPARAM(1) << 29))) {
      SendMessage(top, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
  } else if (message == WM_SYSKEYUP) {
    if (g_alt_alone && (key == WPARAM(VK_MENU) || key == WPARAM(VK_F10))) {
      g_alt_alone = false;
      SendMessage(top, WM_SYSCOMMAND, SC_KEYMENU, 0);
    }
  } else if (message == WM_SYSCHAR) {
    g_alt_alone = false;
    SendMessage(top, WM_SYSCOMMAND, SC_KEYMENU, LPARAM(key));
  }
  return 0;
}

// The sizing edge a non-client hit code names, as the low bits of SC_SIZE.
int size_edge_of(int hit) {
  return hit >= HTLEFT && hit <= HTBOTTOMRIGHT ? hit - HTLEFT + 1 : 0;
}

}  // namespace
}  // namespace win

LRESULT DefWindowProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  using namespace win;
  Window* w = find_window(h);
  if (!w) return 0;
  switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_NCCALCSIZE: return default_nccalcsize(*w, reinterpret_cast<RECT*>(lParam));
    case WM_NCHITTEST: {
      QPoint p = screen_point(lParam);
      return default_nchittest(*w, POINT{p.x(), p.y()});
    }
    case WM_NCPAINT: default_ncpaint(*w); return 0;
    case WM_NCACTIVATE:
      w->nc_active = wParam != 0;
      default_ncpaint(*w);
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) SetFocus(h);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return erase_background(*w, reinterpret_cast<HDC>(wParam));
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lParam);
      w->text = text ? text : "";
      sync_widget_title(*w);
      if ((w->style & WS_CAPTION) == WS_CAPTION) default_ncpaint(*w);
      return TRUE;
    }
    case WM_GETTEXT: return copy_text(*w, wParam, lParam);
    case WM_GETTEXTLENGTH: return LRESULT(w->text.size());
    case WM_CLOSE: DestroyWindow(h); return 0;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!pos) return 0;
      if (!(pos->flags & SWP_NOMOVE)) {
        QPoint origin = w->window_rect.topLeft() + w->client_rect.topLeft();
        SendMessage(h, WM_MOVE, 0, MAKE_POINT_LPARAM(origin.x(), origin.y()));
      }
      if (!(pos->flags & SWP_NOSIZE) && (w = find_window(h))) {
        WPARAM kind = (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                      : (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED;
        SendMessage(h, WM_SIZE, kind,
                    MAKELPARAM(WORD(w->client_rect.width()), WORD(w->client_rect.height())));
      }
      return 0;
    }
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (info) {
        info->ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
        info->ptMaxTrackSize =
            POINT{GetSystemMetrics(SM_CXSCREEN) * 2, GetSystemMetrics(SM_CYSCREEN) * 2};
      }
      return 0;
    }
    case WM_SETCURSOR: return set_cursor(h, *w, wParam, lParam);
    case WM_MOUSEACTIVATE:
      if (w->style & WS_CHILD) {
        LRESULT r = SendMessage(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return MA_ACTIVATE;
    case WM_NCLBUTTONDOWN: {
      int hit = int(wParam);
      if (hit == HTCLOSE) return SendMessage(h, WM_SYSCOMMAND, SC_CLOSE, lParam);
      if (hit == HTHELP) return SendMessage(h, WM_SYSCOMMAND, SC_CONTEXTHELP, lParam);
      if (hit == HTVSCROLL || hit == HTHSCROLL) {
        track_scroll_bar(h, hit == HTVSCROLL ? SB_VERT : SB_HORZ, screen_point(lParam));
        return 0;
      }
      if (hit == HTCAPTION) return SendMessage(h, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
      if (int edge = size_edge_of(hit)) return SendMessage(h, WM_SYSCOMMAND, SC_SIZE | UINT(edge), lParam);
      return 0;
    }
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTCAPTION && (w->style & WS_MAXIMIZEBOX) && !(w->style & WS_CHILD)) {
        return SendMessage(h, WM_SYSCOMMAND, IsZoomed(h) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      }
      return 0;
    case WM_SYSCOMMAND: return sys_command(h, wParam, lParam);
    case WM_RBUTTONUP: {
      // A right click asks for the context menu at the click, in screen coordinates.
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(h, &at);
      SendMessage(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), MAKE_POINT_LPARAM(at.x, at.y));
      return 0;
    }
    case WM_CANCELMODE:
      if (GetCapture() == h) ReleaseCapture();
      return 0;
    case WM_KEYDOWN:
      g_alt_alone = false;
      // The menu key asks for the context menu from the keyboard: the point is (-1, -1).
      if (wParam == WPARAM(VK_APPS)) {
        SendMessage(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), LPARAM(-1));
        return 0;
      }
      // F1 asks the focus window for help about itself; children pass it up to their parents.
      if (wParam == WPARAM(VK_F1)) {
        POINT at;
        GetCursorPos(&at);
        HELPINFO info{sizeof(HELPINFO), HELPINFO_WINDOW, GetDlgCtrlID(h), h, GetWindowContextHelpId(h), at};
        SendMessage(h, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
      }
      return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR: return system_key(h, message, wParam, lParam);
    case WM_SETREDRAW:
      w->redraw_enabled = wParam != 0;
      return 0;
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
    case WM_HELP:
      // Children pass these on to their parents.
      if (w->style & WS_CHILD) return SendMessage(w->parent, message, wParam, lParam);
      return 0;
    default: return 0;
  }
}
