#include "platform/win/cursors.h"

#include <QApplication>
#include <QWidget>

#include <QPixmap>

#include <array>
#include <cstring>
#include <map>

#include "platform/res/resource_store.h"

#include "platform/win/platform_widget.h"
#include "platform/win/window_internal.h"

namespace win {
namespace {

struct StandardCursor {
  std::uintptr_t id;
  Qt::CursorShape shape;
};

constexpr std::array kStandard{
    StandardCursor{32512, Qt::ArrowCursor},     StandardCursor{32513, Qt::IBeamCursor},
    StandardCursor{32514, Qt::WaitCursor},      StandardCursor{32515, Qt::CrossCursor},
    StandardCursor{32642, Qt::SizeFDiagCursor}, StandardCursor{32643, Qt::SizeBDiagCursor},
    StandardCursor{32644, Qt::SizeHorCursor},   StandardCursor{32645, Qt::SizeVerCursor},
    StandardCursor{32646, Qt::SizeAllCursor},   StandardCursor{32648, Qt::ForbiddenCursor},
    StandardCursor{32649, Qt::PointingHandCursor},
};

struct CursorState {
  HCURSOR current = nullptr;
  int show_count = 0;
};

CursorState& cursor_state() {
  static CursorState s;
  return s;
}

}  // namespace

// The program's cursors get handles above every standard id: this base plus the resource id.
constexpr std::uintptr_t kProgramCursorBase = 0x100000;

std::map<std::uintptr_t, QCursor>& program_cursors() {
  static std::map<std::uintptr_t, QCursor> c;
  return c;
}

QCursor drawn_cursor(const res::CursorResource& r) {
  int height = int(r.rows.size());
  int width = height ? int(std::strlen(r.rows[0])) : 0;
  QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int y = 0; y < height; ++y) {
    const char* row = r.rows[size_t(y)];
    for (int x = 0; x < width && row[x]; ++x) {
      if (row[x] == '#') image.setPixel(x, y, qRgba(0, 0, 0, 255));
      if (row[x] == '.') image.setPixel(x, y, qRgba(255, 255, 255, 255));
    }
  }
  return QCursor(QPixmap::fromImage(image), r.hot_x, r.hot_y);
}

QCursor cursor_of(HCURSOR cursor) {
  auto id = reinterpret_cast<std::uintptr_t>(cursor);
  for (const auto& c : kStandard) {
    if (c.id == id) return QCursor(c.shape);
  }
  auto it = program_cursors().find(id);
  return it == program_cursors().end() ? QCursor(Qt::ArrowCursor) : it->second;
}

}  // namespace win

// Standard cursors are their ids; the program's own cursors come from the resource store (null
// when it has no such cursor).
HCURSOR LoadCursor(HINSTANCE, const char* id) {
  auto number = reinterpret_cast<std::uintptr_t>(id);
  for (const auto& c : win::kStandard) {
    if (c.id == number) return reinterpret_cast<HCURSOR>(number);
  }
  if (!IS_INTRESOURCE(id)) return nullptr;
  std::uintptr_t handle = win::kProgramCursorBase + number;
  auto& known = win::program_cursors();
  if (!known.count(handle)) {
    const res::CursorResource* drawn = res::find_cursor(UINT(number));
    if (!drawn || drawn->rows.empty()) return nullptr;
    known.emplace(handle, win::drawn_cursor(*drawn));
  }
  return reinterpret_cast<HCURSOR>(handle);
}

HCURSOR SetCursor(HCURSOR cursor) {
  auto& s = win::cursor_state();
  HCURSOR old = s.current;
  s.current = cursor;
  // The cursor shows over the window under the mouse, or the capture window.
  POINT p;
  GetCursorPos(&p);
  HWND over = GetCapture() ? GetCapture() : WindowFromPoint(p);
  if (win::Window* w = win::find_window(over); w && w->widget) {
    if (cursor && s.show_count >= 0) {
      w->widget->setCursor(win::cursor_of(cursor));
    } else {
      w->widget->setCursor(Qt::BlankCursor);
    }
  }
  return old;
}

HCURSOR GetCursor() { return win::cursor_state().current; }

int ShowCursor(BOOL show) {
  auto& s = win::cursor_state();
  s.show_count += show ? 1 : -1;
  return s.show_count;
}
