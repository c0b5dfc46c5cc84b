#include "tests/toolkit_widgets/window_picture.h"

#include <QPainter>
#include <vector>

#include "platform/win/window_api.h"
#include "platform/win/window_surface.h"
#include "platform/win/window_styles.h"

namespace lumo::test {
namespace {

// Draws a window with its visible children (each window keeps a surface of its own) into one
// picture, children over parents in reverse Z order.
void paint_tree(QPainter& painter, HWND h, const RECT& origin) {
  RECT r{};
  GetWindowRect(h, &r);
  painter.drawImage(r.left - origin.left, r.top - origin.top, win::window_surface(h, true));
  std::vector<HWND> children;
  for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if (IsWindowVisible(*it)) paint_tree(painter, *it, origin);
  }
}

}  // namespace

QImage window_picture(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  QImage image(r.right - r.left, r.bottom - r.top, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  paint_tree(painter, h, r);
  return image;
}

}  // namespace lumo::test
