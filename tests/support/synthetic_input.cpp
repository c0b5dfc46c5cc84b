#include "tests/support/synthetic_input.h"

#include <QPoint>
#include <QTimer>

#include <memory>

#include "platform/base/cp1250.h"

namespace lumo::test {

namespace {
QPoint qt_point(POINT p) { return QPoint(p.x, p.y); }
}  // namespace

POINT screen_point(HWND h, POINT client) {
  ClientToScreen(h, &client);
  return client;
}

void mouse_move(POINT screen, win::KeyModifiers modifiers) {
  win::mouse_input(win::MouseAction::move, win::MouseButton::none, qt_point(screen), modifiers);
}

void mouse_down(POINT screen, win::MouseButton button, win::KeyModifiers modifiers) {
  win::mouse_input(win::MouseAction::press, button, qt_point(screen), modifiers);
}

void mouse_up(POINT screen, win::MouseButton button, win::KeyModifiers modifiers) {
  win::mouse_input(win::MouseAction::release, button, qt_point(screen), modifiers);
}

void click(HWND h, POINT client, win::MouseButton button) {
  POINT p = screen_point(h, client);
  mouse_down(p, button);
  mouse_up(p, button);
}

void press_key(int virtual_key, BYTE character, win::KeyModifiers modifiers) {
  win::key_input(true, virtual_key, character, modifiers);
  win::key_input(false, virtual_key, 0, modifiers);
}

void type_text(std::string_view cp1250) {
  for (char c : cp1250) {
    auto b = uint8_t(c);
    // Letters and digits have their own key codes; other characters travel on a key without one.
    int key = base::cp1250::is_alnum(b) && b < 0x80 ? int(base::cp1250::to_upper(b)) : 0;
    press_key(key, b, win::KeyModifiers{base::cp1250::is_upper(b), false, false});
  }
}

void when_captured(std::function<void()> input) {
  static std::unique_ptr<QTimer> poll;
  poll = std::make_unique<QTimer>();
  poll->setInterval(0);
  QObject::connect(poll.get(), &QTimer::timeout, [input = std::move(input)] {
    if (!GetCapture()) return;
    poll->stop();
    input();
  });
  poll->start();
}

}  // namespace lumo::test
