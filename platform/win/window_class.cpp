#include "platform/win/window_class.h"

#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/win/window_table.h"

namespace win {
namespace {

// Keyed by the upper-cased name; records never move, so windows keep plain pointers to them.
std::map<std::string, std::unique_ptr<WindowClass>>& classes() {
  static std::map<std::string, std::unique_ptr<WindowClass>> c;
  return c;
}

// Classes taken back stay here: records of destroyed windows may still point at them.
std::vector<std::unique_ptr<WindowClass>>& retired_classes() {
  static std::vector<std::unique_ptr<WindowClass>> r;
  return r;
}

}  // namespace

const WindowClass* find_class(const char* name) {
  if (!name) return nullptr;
  auto it = classes().find(base::cp1250::to_upper(name));
  return it == classes().end() ? nullptr : it->second.get();
}

}  // namespace win

ATOM RegisterClass(const WNDCLASS* wc) {
  if (!wc || !wc->lpszClassName || !*wc->lpszClassName || !wc->lpfnWndProc) return 0;
  auto& all = win::classes();
  std::string key = base::cp1250::to_upper(wc->lpszClassName);
  if (all.count(key)) return 0;
  auto cls = std::make_unique<win::WindowClass>();
  cls->name = wc->lpszClassName;
  cls->proc = wc->lpfnWndProc;
  cls->style = wc->style;
  cls->cursor = wc->hCursor;
  cls->background = wc->hbrBackground;
  all.emplace(key, std::move(cls));
  return ATOM(all.size());
}

BOOL UnregisterClass(const char* name) {
  const win::WindowClass* cls = win::find_class(name);
  if (!cls) return FALSE;
  for (HWND h : win::live_windows()) {
    const win::Window* w = win::find_window(h);
    if (w && w->window_class == cls) return FALSE;
  }
  auto it = win::classes().find(base::cp1250::to_upper(name));
  win::retired_classes().push_back(std::move(it->second));
  win::classes().erase(it);
  return TRUE;
}

BOOL GetClassInfo(const char* name, WNDCLASS* out) {
  const win::WindowClass* cls = win::find_class(name);
  if (!cls || !out) return FALSE;
  out->style = cls->style;
  out->lpfnWndProc = cls->proc;
  out->hCursor = cls->cursor;
  out->hbrBackground = cls->background;
  out->lpszClassName = cls->name.c_str();
  return TRUE;
}

int GetClassName(HWND h, char* buffer, int size) {
  win::Window* w = win::find_window(h);
  if (!w || !buffer || size <= 0) return 0;
  const std::string& name = w->window_class->name;
  int n = std::min(int(name.size()), size - 1);
  std::memcpy(buffer, name.data(), size_t(n));
  buffer[n] = '\0';
  return n;
}

UINT GetClassStyle(HWND h) {
  win::Window* w = win::find_window(h);
  return w ? w->window_class->style : 0;
}
