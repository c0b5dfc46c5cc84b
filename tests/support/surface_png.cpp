#include "tests/support/surface_png.h"

#include "platform/win/window_surface.h"

namespace lumo::test {

bool save_surface_png(HWND h, const std::string& path, bool whole_window) {
  QImage image = win::window_surface(h, whole_window);
  return !image.isNull() && image.save(QString::fromStdString(path), "PNG");
}

bool save_window_png(HWND h, const std::string& path, bool whole_window) {
  QImage image = win::window_picture(h, whole_window);
  return !image.isNull() && image.save(QString::fromStdString(path), "PNG");
}

DWORD surface_pixel(HWND h, int x, int y, bool whole_window) {
  QImage image = win::window_surface(h, whole_window);
  if (image.isNull() || !image.rect().contains(x, y)) return 0xFFFFFFFF;
  QRgb c = image.pixel(x, y);
  return DWORD(qRed(c)) | (DWORD(qGreen(c)) << 8) | (DWORD(qBlue(c)) << 16);
}

}  // namespace lumo::test
