#include "platform/win/tracking.h"

#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_internal.h"

namespace win {
namespace {

QRect dragged(QRect r, int edge, QPoint delta) {
  if (edge == 0) return r.translated(delta);
  bool left = edge == 1 || edge == 4 || edge == 7;
  bool right = edge == 2 || edge == 5 || edge == 8;
  bool top = edge == 3 || edge == 4 || edge == 5;
  bool bottom = edge == 6 || edge == 7 || edge == 8;
  if (left) r.setLeft(std::min(r.left() + delta.x(), r.right()));
  if (right) r.setRight(std::max(r.right() + delta.x(), r.left() - 1));
  if (top) r.setTop(std::min(r.top() + delta.y(), r.bottom()));
  if (bottom) r.setBottom(std::max(r.bottom() + delta.y(), r.top() - 1));
  return r;
}

}  // namespace

void track_move_size(HWND h, int edge, QPoint start) {
  Window* w = find_window(h);
  if (!w) return;
  WindowGuard guard(h);
  QRect original = w->window_rect;
  SetCapture(h);
  MSG msg;
  while (guard.alive() && GetCapture() == h) {
    if (GetMessage(&msg, nullptr, 0, 0) <= 0) {
      if (msg.message == WM_QUIT) PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      QPoint delta = QPoint(msg.pt.x, msg.pt.y) - start;
      QRect r = dragged(original, edge, delta);
      MoveWindow(h, r.x(), r.y(), r.width(), r.height(), TRUE);
      if (msg.message == WM_LBUTTONUP) break;
    } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      MoveWindow(h, original.x(), original.y(), original.width(), original.height(), TRUE);
      break;
    } else if (msg.message != WM_KEYUP && msg.message != WM_CHAR) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  if (GetCapture() == h) ReleaseCapture();
}

}  // namespace win
