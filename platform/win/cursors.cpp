#include "platform/win/cursors.h"

#include <QApplication>
#include <QWidget>

#include <array>

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

Qt::CursorShape shape_of(HCURSOR cursor) {
  auto id = reinterpret_cast<std::uintptr_t>(cursor);
  for (const auto& c : kStandard) {
    if (c.id == id) return c.shape;
  }
  return Qt::ArrowCursor;
}

}  // namespace win

// Standard cursors are their ids; the program's own cursors come from the resource store.
HCURSOR LoadCursor(HINSTANCE, const char* id) {
  auto number = reinterpret_cast<std::uintptr_t>(id);
  for (const auto& c : win::kStandard) {
    if (c.id == number) return reinterpret_cast<HCURSOR>(number);
  }
  return nullptr;
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
      w->widget->setCursor(win::shape_of(cursor));
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
