#include "platform/win/context_help.h"

#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "platform/win/window_table.h"

namespace {

// The help cursor: an arrow with a question mark where the cursor set has one.
HCURSOR help_cursor() {
  HCURSOR c = LoadCursor(nullptr, reinterpret_cast<const char*>(32651));
  return c ? c : LoadCursor(nullptr, IDC_ARROW);
}

bool is_within(HWND h, HWND top) {
  for (; h; h = GetParent(h)) {
    if (h == top) return true;
    if (!(GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD)) return false;
  }
  return false;
}

}  // namespace

BOOL SetWindowContextHelpId(HWND h, DWORD id) {
  win::Window* w = win::find_window(h);
  if (!w) return FALSE;
  w->help_id = id;
  return TRUE;
}

DWORD GetWindowContextHelpId(HWND h) {
  const win::Window* w = win::find_window(h);
  return w ? w->help_id : 0;
}

bool TrackHelpClick(HWND holder, POINT* at) {
  if (!IsWindow(holder) || GetCapture()) return false;
  SetCapture(holder);
  HCURSOR cursor = help_cursor();
  SetCursor(cursor);
  bool clicked = false;
  MSG msg;
  while (GetCapture() == holder) {
    BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == WM_LBUTTONDOWN) {
      clicked = true;
      if (at) *at = msg.pt;
      break;
    }
    if ((msg.message == WM_KEYDOWN && msg.wParam == WPARAM(VK_ESCAPE)) || msg.message == WM_RBUTTONDOWN ||
        msg.message == WM_EXITHELPMODE || msg.message == WM_CANCELMODE) {
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_SETCURSOR) {
      SetCursor(cursor);
      continue;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  if (GetCapture() == holder) ReleaseCapture();
  return clicked;
}

void TrackCaptionHelp(HWND top) {
  POINT at{0, 0};
  if (!TrackHelpClick(top, &at) || !IsWindow(top)) return;
  HWND target = WindowFromPoint(at);
  if (!is_within(target, top)) return;
  HELPINFO info{sizeof(HELPINFO), HELPINFO_WINDOW, GetDlgCtrlID(target), target, GetWindowContextHelpId(target), at};
  SendMessage(target, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}
