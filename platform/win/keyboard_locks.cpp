#include "platform/win/keyboard_locks.h"

#include <QGuiApplication>

#include <array>

#include "platform/win/input_translation.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "platform/win/window_internal.h"

// The X headers come last: their macros (None, Bool, Status) would spoil the others.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace win {
namespace {

constexpr std::array<int, 3> kLockKeys{VK_NUMLOCK, VK_CAPITAL, VK_SCROLL};

class NoServer : public LockKeyServer {
 public:
  bool read(int, bool&) override { return false; }
  bool set(int, bool) override { return false; }
};

// The X server's keyboard extension: the lock lights by name for reading; Num Lock and Caps Lock
// are locked modifiers, Scroll Lock (no modifier on most keymaps) only a light.
class X11Server : public LockKeyServer {
 public:
  explicit X11Server(Display* display) : display_(display) {}

  bool read(int vk, bool& on) override {
    Atom name = indicator(vk);
    Bool state = False;
    if (!name || !XkbGetNamedIndicator(display_, name, nullptr, &state, nullptr, nullptr)) return false;
    on = state != False;
    return true;
  }

  bool set(int vk, bool on) override {
    unsigned mask = 0;
    if (vk == VK_CAPITAL) mask = LockMask;
    if (vk == VK_NUMLOCK) mask = XkbKeysymToModifiers(display_, XK_Num_Lock);
    bool done = false;
    if (mask) {
      done = XkbLockModifiers(display_, XkbUseCoreKbd, mask, on ? mask : 0) != False;
    } else if (Atom name = indicator(vk)) {
      done = XkbSetNamedIndicator(display_, name, True, on ? True : False, False, nullptr) != False;
    }
    XFlush(display_);
    return done;
  }

 private:
  Atom indicator(int vk) {
    const char* name = vk == VK_NUMLOCK ? "Num Lock" : vk == VK_CAPITAL ? "Caps Lock" : vk == VK_SCROLL ? "Scroll Lock" : nullptr;
    return name ? XInternAtom(display_, name, False) : Atom(0);
  }

  Display* display_;
};

std::unique_ptr<LockKeyServer> default_server() {
  if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
    if (Display* display = x11->display()) {
      int major = XkbMajorVersion, minor = XkbMinorVersion;
      if (XkbLibraryVersion(&major, &minor) &&
          XkbQueryExtension(display, nullptr, nullptr, nullptr, &major, &minor)) {
        return std::make_unique<X11Server>(display);
      }
    }
  }
  return std::make_unique<NoServer>();
}

std::unique_ptr<LockKeyServer>& installed() {
  static std::unique_ptr<LockKeyServer> server;
  return server;
}

KeyModifiers held_modifiers() {
  return KeyModifiers{GetAsyncKeyState(VK_SHIFT) != 0, GetAsyncKeyState(VK_CONTROL) != 0,
                      GetAsyncKeyState(VK_MENU) != 0};
}

}  // namespace

LockKeyServer& lock_key_server() {
  auto& server = installed();
  if (!server) server = default_server();
  return *server;
}

void set_lock_key_server(std::unique_ptr<LockKeyServer> server) { installed() = std::move(server); }

void refresh_lock_keys() {
  for (int vk : kLockKeys) {
    bool on = false;
    if (lock_key_server().read(vk, on)) set_key_toggled(vk, on);
  }
}

bool is_lock_key(int virtual_key) {
  for (int vk : kLockKeys)
    if (vk == virtual_key) return true;
  return false;
}

}  // namespace win

void keybd_event(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR) {
  bool down = !(flags & KEYEVENTF_KEYUP);
  bool was_down = (GetAsyncKeyState(vk) & 0x8000) != 0;
  win::key_input(down, vk, 0, win::held_modifiers(), scan, (flags & KEYEVENTF_EXTENDEDKEY) != 0);
  // A fresh press of a lock key turned the program's view of the lock over; the keyboard follows.
  if (down && !was_down && win::is_lock_key(vk)) {
    win::lock_key_server().set(vk, win::key_toggled_now(vk));
  }
}

UINT SendInput(UINT count, const INPUT* inputs, int size) {
  if (!inputs || size != int(sizeof(INPUT))) return 0;
  UINT played = 0;
  for (UINT i = 0; i < count; ++i) {
    if (inputs[i].type != INPUT_KEYBOARD) continue;
    const KEYBDINPUT& k = inputs[i].ki;
    keybd_event(BYTE(k.wVk), BYTE(k.wScan), k.dwFlags, k.dwExtraInfo);
    ++played;
  }
  return played;
}
