#include "platform/win/caret.h"

#include <QCoreApplication>
#include <QTimer>

#include <memory>

#include "platform/win/platform_widget.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_internal.h"

namespace win {
namespace {

struct Caret {
  HWND owner = nullptr;
  QRect rect;         // client coordinates
  int hide_level = 1;  // shown when 0; a new caret starts hidden
  bool blink_on = true;
  std::unique_ptr<QTimer> blink;
};

Caret& caret() {
  static Caret c;
  return c;
}

void refresh() {
  Caret& c = caret();
  if (Window* w = find_window(c.owner); w && w->widget) w->widget->update();
}

}  // namespace

void paint_caret(HWND h, QPainter& painter, QPoint client_origin) {
  Caret& c = caret();
  if (c.owner != h || c.hide_level != 0 || !c.blink_on) return;
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.fillRect(c.rect.translated(client_origin), Qt::white);
  painter.restore();
}

}  // namespace win

BOOL CreateCaret(HWND h, void*, int width, int height) {
  if (!IsWindow(h)) return FALSE;
  DestroyCaret();
  win::Caret& c = win::caret();
  c.owner = h;
  c.rect = QRect(0, 0, width > 0 ? width : GetSystemMetrics(SM_CXBORDER),
                 height > 0 ? height : GetSystemMetrics(SM_CYBORDER));
  c.hide_level = 1;
  c.blink_on = true;
  if (QCoreApplication::instance()) {
    c.blink = std::make_unique<QTimer>();
    QObject::connect(c.blink.get(), &QTimer::timeout, [] {
      win::caret().blink_on = !win::caret().blink_on;
      win::refresh();
    });
    c.blink->start(int(GetDoubleClickTime()));
  }
  return TRUE;
}

BOOL DestroyCaret() {
  win::Caret& c = win::caret();
  if (!c.owner) return FALSE;
  win::refresh();
  c.owner = nullptr;
  c.blink.reset();
  return TRUE;
}

BOOL ShowCaret(HWND h) {
  win::Caret& c = win::caret();
  if (!c.owner || (h && h != c.owner) || c.hide_level == 0) return FALSE;
  --c.hide_level;
  win::refresh();
  return TRUE;
}

BOOL HideCaret(HWND h) {
  win::Caret& c = win::caret();
  if (!c.owner || (h && h != c.owner)) return FALSE;
  ++c.hide_level;
  win::refresh();
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  win::Caret& c = win::caret();
  if (!c.owner) return FALSE;
  c.rect.moveTo(x, y);
  c.blink_on = true;
  win::refresh();
  return TRUE;
}

BOOL GetCaretPos(POINT* out) {
  win::Caret& c = win::caret();
  if (!c.owner || !out) return FALSE;
  *out = POINT{c.rect.x(), c.rect.y()};
  return TRUE;
}
