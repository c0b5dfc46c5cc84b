// The frame's context-help mode (ID_CONTEXT_HELP; the program binds Shift+F1 to it): the mouse is
// held with the help cursor until a left click names a window. That window, or the first of its
// parents up to the frame that answers WM_HELPHITTEST with a help context, decides: -2 means it
// has shown its help itself; any other non-zero context the frame asks for with WM_COMMANDHELP
// (lParam the context), which the program's frame answers by opening its help. When no window
// answers, the frame's own help id (HID_BASE_RESOURCE + m_nIDHelp) is asked for. Esc, the right
// button, WM_EXITHELPMODE or losing the mouse end the mode without help.
#include "platform/framework/frame_wnd.h"

#include "platform/win/context_help.h"

namespace {

constexpr DWORD HID_BASE_RESOURCE = 0x00020000;
constexpr LRESULT kHelpShown = -2;

// The help context of the window at a screen point: asked of it and its parents up to `frame`.
LRESULT hit_test(HWND frame, POINT at) {
  for (HWND h = WindowFromPoint(at); h; h = GetParent(h)) {
    POINT client = at;
    ScreenToClient(h, &client);
    LRESULT context = SendMessage(h, WM_HELPHITTEST, 0, MAKE_POINT_LPARAM(client.x, client.y));
    if (context != 0 || h == frame) return context;
  }
  return 0;
}

}  // namespace

void CFrameWnd::OnContextHelp() {
  if (m_bHelpMode || ::GetCapture()) return;
  m_bHelpMode = TRUE;
  POINT at{0, 0};
  bool clicked = TrackHelpClick(m_hWnd, &at);
  m_bHelpMode = FALSE;
  if (!clicked) return;
  LRESULT context = hit_test(m_hWnd, at);
  if (context == kHelpShown) return;
  if (context == 0 && m_nIDHelp) context = LRESULT(HID_BASE_RESOURCE + m_nIDHelp);
  if (context != 0) SendMessage(WM_COMMANDHELP, 0, context);
}
