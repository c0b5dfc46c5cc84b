#include "tests/gallery/gallery.h"

#include <algorithm>
#include <filesystem>

#include "platform/win/message_loop.h"
#include "platform/win/window_api.h"
#include "platform/win/window_surface.h"

namespace lumo::test::gallery {
namespace {

bool is_dark(DWORD c) {
  return c != 0xFFFFFFFF && (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 100;
}

}  // namespace

// Runs the queue until it stays empty: what the idle pass changed (update-UI enabling a button)
// is painted, as the program's loop paints it before it waits again.
void settle() {
  for (int round = 0; round < 20 && win::pump_waiting_messages() > 0; ++round) {
  }
}

Picture::Picture(HWND h, const std::string& name, bool whole_window)
    : image_((settle(), win::window_picture(h, whole_window))) {
  std::filesystem::create_directories("gallery");
  image_.save(QString::fromStdString("gallery/" + name + ".png"), "PNG");
}

void Picture::save_enlarged(const RECT& area, const std::string& name, int factor) const {
  QRect part(QPoint(area.left, area.top), QPoint(area.right - 1, area.bottom - 1));
  QImage piece = image_.copy(part);
  piece.scaled(piece.size() * factor).save(QString::fromStdString("gallery/" + name + ".png"), "PNG");
}

DWORD Picture::pixel(int x, int y) const {
  if (image_.isNull() || !image_.rect().contains(x, y)) return 0xFFFFFFFF;
  QRgb c = image_.pixel(x, y);
  return DWORD(qRed(c)) | (DWORD(qGreen(c)) << 8) | (DWORD(qBlue(c)) << 16);
}

int Picture::count(const RECT& area, DWORD colour) const {
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) n += pixel(x, y) == colour;
  }
  return n;
}

int Picture::dark(const RECT& area) const {
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) n += is_dark(pixel(x, y));
  }
  return n;
}

int Picture::light(const RECT& area) const {
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      DWORD c = pixel(x, y);
      n += c != 0xFFFFFFFF && (c & 0xFF) >= 224 && ((c >> 8) & 0xFF) >= 224 && ((c >> 16) & 0xFF) >= 224;
    }
  }
  return n;
}

int Picture::rightmost_dark(const RECT& area) const {
  for (int x = area.right - 1; x >= area.left; --x) {
    for (int y = area.top; y < area.bottom; ++y) {
      if (is_dark(pixel(x, y))) return x;
    }
  }
  return -1;
}

int Picture::lowest_dark(const RECT& area) const {
  for (int y = area.bottom - 1; y >= area.top; --y) {
    for (int x = area.left; x < area.right; ++x) {
      if (is_dark(pixel(x, y))) return y;
    }
  }
  return -1;
}

RECT rect_in(HWND h, HWND ancestor, bool whole_window) {
  RECT r;
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, ancestor, reinterpret_cast<POINT*>(&r), 2);
  if (whole_window) {
    RECT outer, client{0, 0, 0, 0};
    GetWindowRect(ancestor, &outer);
    MapWindowPoints(ancestor, nullptr, reinterpret_cast<POINT*>(&client), 1);
    int dx = client.left - outer.left, dy = client.top - outer.top;
    r = RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
  }
  return r;
}

}  // namespace lumo::test::gallery
