#include "platform/win/qt_keys.h"

#include <QKeyEvent>

#include <array>

#include "platform/win/virtual_keys.h"

namespace win {
namespace {

struct KeyPair {
  int qt_key;
  int virtual_key;
};

constexpr std::array kKeys{
    KeyPair{Qt::Key_Backspace, VK_BACK},  KeyPair{Qt::Key_Tab, VK_TAB},
    KeyPair{Qt::Key_Backtab, VK_TAB},     KeyPair{Qt::Key_Return, VK_RETURN},
    KeyPair{Qt::Key_Enter, VK_RETURN},    KeyPair{Qt::Key_Shift, VK_SHIFT},
    KeyPair{Qt::Key_Control, VK_CONTROL}, KeyPair{Qt::Key_Alt, VK_MENU},
    KeyPair{Qt::Key_AltGr, VK_MENU},      KeyPair{Qt::Key_Pause, VK_PAUSE},
    KeyPair{Qt::Key_CapsLock, VK_CAPITAL}, KeyPair{Qt::Key_Escape, VK_ESCAPE},
    KeyPair{Qt::Key_Space, VK_SPACE},     KeyPair{Qt::Key_PageUp, VK_PRIOR},
    KeyPair{Qt::Key_PageDown, VK_NEXT},   KeyPair{Qt::Key_End, VK_END},
    KeyPair{Qt::Key_Home, VK_HOME},       KeyPair{Qt::Key_Left, VK_LEFT},
    KeyPair{Qt::Key_Up, VK_UP},           KeyPair{Qt::Key_Right, VK_RIGHT},
    KeyPair{Qt::Key_Down, VK_DOWN},       KeyPair{Qt::Key_Print, VK_SNAPSHOT},
    KeyPair{Qt::Key_Insert, VK_INSERT},   KeyPair{Qt::Key_Delete, VK_DELETE},
    KeyPair{Qt::Key_Help, VK_HELP},       KeyPair{Qt::Key_Menu, VK_APPS},
    KeyPair{Qt::Key_NumLock, VK_NUMLOCK}, KeyPair{Qt::Key_ScrollLock, VK_SCROLL},
    KeyPair{Qt::Key_Semicolon, VK_OEM_1}, KeyPair{Qt::Key_Plus, VK_OEM_PLUS},
    KeyPair{Qt::Key_Equal, VK_OEM_PLUS},  KeyPair{Qt::Key_Comma, VK_OEM_COMMA},
    KeyPair{Qt::Key_Minus, VK_OEM_MINUS}, KeyPair{Qt::Key_Period, VK_OEM_PERIOD},
    KeyPair{Qt::Key_Slash, VK_OEM_2},     KeyPair{Qt::Key_QuoteLeft, VK_OEM_3},
    KeyPair{Qt::Key_BracketLeft, VK_OEM_4}, KeyPair{Qt::Key_Backslash, VK_OEM_5},
    KeyPair{Qt::Key_BracketRight, VK_OEM_6}, KeyPair{Qt::Key_Apostrophe, VK_OEM_7},
};

}  // namespace

int virtual_key_of(const QKeyEvent* event) {
  int key = event->key();
  bool keypad = (event->modifiers() & Qt::KeypadModifier) != 0;
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    return keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : '0' + (key - Qt::Key_0);
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
  if (keypad) {
    switch (key) {
      case Qt::Key_Asterisk: return VK_MULTIPLY;
      case Qt::Key_Plus: return VK_ADD;
      case Qt::Key_Minus: return VK_SUBTRACT;
      case Qt::Key_Period: return VK_DECIMAL;
      case Qt::Key_Slash: return VK_DIVIDE;
      default: break;
    }
  }
  for (const KeyPair& k : kKeys) {
    if (k.qt_key == key) return k.virtual_key;
  }
  return 0;
}

}  // namespace win
