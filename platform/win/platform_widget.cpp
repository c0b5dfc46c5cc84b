#include "platform/win/platform_widget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "platform/base/cp1250.h"
#include "platform/win/caret.h"
#include "platform/win/input_translation.h"
#include "platform/win/keyboard_locks.h"
#include "platform/win/message_queue.h"
#include "platform/win/qt_keys.h"
#include "platform/win/window_internal.h"

namespace {

win::KeyModifiers modifiers_of(Qt::KeyboardModifiers m) {
  return win::KeyModifiers{(m & Qt::ShiftModifier) != 0, (m & Qt::ControlModifier) != 0,
                           (m & Qt::AltModifier) != 0};
}

win::MouseButton button_of(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return win::MouseButton::left;
    case Qt::RightButton: return win::MouseButton::right;
    case Qt::MiddleButton: return win::MouseButton::middle;
    default: return win::MouseButton::none;
  }
}

}  // namespace

namespace {

// Tells every top-level window when the program as a whole gains or loses the user's attention.
void watch_application_state() {
  static const bool watching = [] {
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, [](Qt::ApplicationState st) {
      WPARAM active = st == Qt::ApplicationActive ? TRUE : FALSE;
      std::vector<HWND> tops;
      for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT)) tops.push_back(top);
      for (HWND top : tops) SendMessage(top, WM_ACTIVATEAPP, active, 0);
    });
    return true;
  }();
  (void)watching;
}

}  // namespace

PlatformWidget::PlatformWidget(HWND window, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), window_(window) {
  if (qApp) watch_application_state();
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(parent ? Qt::ClickFocus : Qt::StrongFocus);
  // Hidden by choice: Qt shows a child that was never hidden explicitly as soon as its parent
  // shows, and a window made without WS_VISIBLE would then cover its visible siblings on screen.
  // Only ShowWindow and SetParent show the widget.
  hide();
}

void PlatformWidget::paintEvent(QPaintEvent* event) {
  win::WidgetEventScope scope;
  win::Window* w = win::find_window(window_);
  if (!w) return;
  QPainter painter(this);
  painter.setClipRegion(event->region());
  painter.drawImage(0, 0, win::current_surface(*w));
  win::paint_caret(window_, painter, w->client_rect.topLeft());
}

void PlatformWidget::mousePressEvent(QMouseEvent* event) {
  win::WidgetEventScope scope;
  win::Window* w = win::find_window(window_);
  if (!w) return;
  QPoint screen = win::window_origin_on_screen(*w) + event->position().toPoint();
  win::mouse_input(win::MouseAction::press, button_of(event->button()), screen,
                   modifiers_of(event->modifiers()));
}

void PlatformWidget::mouseReleaseEvent(QMouseEvent* event) {
  win::WidgetEventScope scope;
  win::Window* w = win::find_window(window_);
  if (!w) return;
  QPoint screen = win::window_origin_on_screen(*w) + event->position().toPoint();
  win::mouse_input(win::MouseAction::release, button_of(event->button()), screen,
                   modifiers_of(event->modifiers()));
}

void PlatformWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  win::WidgetEventScope scope;
  win::Window* w = win::find_window(window_);
  if (!w) return;
  QPoint screen = win::window_origin_on_screen(*w) + event->position().toPoint();
  win::mouse_input(win::MouseAction::double_click, button_of(event->button()), screen,
                   modifiers_of(event->modifiers()));
}

void PlatformWidget::mouseMoveEvent(QMouseEvent* event) {
  win::WidgetEventScope scope;
  win::Window* w = win::find_window(window_);
  if (!w) return;
  QPoint screen = win::window_origin_on_screen(*w) + event->position().toPoint();
  win::mouse_input(win::MouseAction::move, win::MouseButton::none, screen,
                   modifiers_of(event->modifiers()));
}

// The mouse left a top-level window for the desktop or a window of another program (moving into
// a child widget leaves no top-level window).
void PlatformWidget::leaveEvent(QEvent* event) {
  win::WidgetEventScope scope;
  if (isWindow()) win::mouse_leave_input();
  QWidget::leaveEvent(event);
}

void PlatformWidget::wheelEvent(QWheelEvent* event) {
  win::WidgetEventScope scope;
  win::Window* w = win::find_window(window_);
  if (!w) return;
  QPoint screen = win::window_origin_on_screen(*w) + event->position().toPoint();
  win::wheel_input(event->angleDelta().y(), screen, modifiers_of(event->modifiers()));
}

void PlatformWidget::keyPressEvent(QKeyEvent* event) {
  win::WidgetEventScope scope;
  BYTE character = 0;
  QString text = event->text();
  if (text.size() == 1) {
    uint8_t b = 0;
    if (base::cp1250::from_unicode(char32_t(text.at(0).unicode()), b)) character = b;
  }
  win::key_input(true, win::virtual_key_of(event), character, modifiers_of(event->modifiers()));
}

void PlatformWidget::keyReleaseEvent(QKeyEvent* event) {
  win::WidgetEventScope scope;
  win::key_input(false, win::virtual_key_of(event), 0, modifiers_of(event->modifiers()));
}

// The desktop resized or moved a top-level window (its own frame was dragged).
void PlatformWidget::resizeEvent(QResizeEvent*) {
  win::WidgetEventScope scope;
  win::Window* w = win::find_window(window_);
  if (!w || w->parent || size() == w->window_rect.size()) return;
  SetWindowPos(window_, nullptr, 0, 0, width(), height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlatformWidget::moveEvent(QMoveEvent*) {
  win::WidgetEventScope scope;
  win::Window* w = win::find_window(window_);
  // The window rectangle of a top-level window is the widget's geometry, without the desktop's frame.
  QPoint at = geometry().topLeft();
  if (!w || w->parent || at == w->window_rect.topLeft()) return;
  SetWindowPos(window_, nullptr, at.x(), at.y(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Closing from the desktop's frame is the system close command; the window decides.
void PlatformWidget::closeEvent(QCloseEvent* event) {
  win::WidgetEventScope scope;
  event->ignore();
  if (IsWindow(window_)) PostMessage(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// The desktop activated one of the program's top-level windows (a click on its frame, switching
// windows from the keyboard): the layer's activation follows.
void PlatformWidget::changeEvent(QEvent* event) {
  win::WidgetEventScope scope;
  if (event->type() == QEvent::ActivationChange && isWindow() && isActiveWindow() &&
      IsWindow(window_) && GetActiveWindow() != window_) {
    // The locks may have changed while another program had the keyboard.
    win::refresh_lock_keys();
    SetActiveWindow(window_);
  }
  QWidget::changeEvent(event);
}

// Tab moves between controls by the program's own dialog handling, not Qt's.
bool PlatformWidget::focusNextPrevChild(bool) { return false; }
