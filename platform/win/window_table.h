// The table of windows: every window the layer created, found by its handle.
//
// A handle is the window's number in this table. Numbers count up from 1 and are never reused, so
// a stale handle finds nothing. A destroyed window leaves the live set at once (IsWindow is false
// and messages to it are dropped) but its record stays until nothing refers to it any more: the
// window procedure may still be running further up the stack, or a nested loop may hold a
// WindowGuard on it. Only then does it get WM_NCDESTROY (where the framework's window object may
// delete itself) and its record and widget go away.
#pragma once

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QRegion>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/control_state.h"
#include "platform/win/scroll_bars.h"
#include "platform/base/win_types.h"
#include "platform/gdi/core/gdi_types.h"

class PlatformWidget;

namespace win {

struct WindowClass;

struct Window {
  HWND handle = nullptr;
  const WindowClass* window_class = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD ex_style = 0;
  HWND parent = nullptr;
  HWND owner = nullptr;
  std::vector<HWND> children;  // Z order among siblings, topmost first
  QRect window_rect;           // in the parent's client coordinates (screen for top-level windows)
  QRect client_rect;           // relative to the window's top-left corner
  QRect normal_rect;           // the window rectangle when neither maximised nor minimised
  std::string text;            // CP1250
  UINT id = 0;
  LONG_PTR user_data = 0;
  HMENU menu = nullptr;
  DWORD help_id = 0;     // SetWindowContextHelpId
  HFONT font = nullptr;  // WM_SETFONT for the classes that keep one (window_font.h)

  // Retained pixels of the whole window (non-client included) at window size.
  QImage surface;
  std::unique_ptr<PlatformWidget> widget;
  QRegion shape;          // window coordinates; empty: the whole window (SetWindowRgn)
  QRegion update_region;  // in client coordinates
  QRegion paint_area;     // what the running BeginPaint covers (client coordinates)
  bool erase_pending = false;
  bool frame_pending = false;
  bool redraw_enabled = true;
  bool nc_active = false;  // caption drawn as active (WM_NCACTIVATE)
  ScrollBarState scroll[2];  // SB_HORZ, SB_VERT
  std::vector<std::unique_ptr<ControlState>> control_states;  // see control_state.h

  int busy = 0;            // window procedure calls running plus guards held
  int open_dcs = 0;        // device contexts drawing on the surface right now
  bool surface_stale = false;  // the surface waits for its open contexts to resize
  // A new size waits for the surface's next use; the pixels inside `surface_kept` (the smallest
  // size since) stay, the rest is white by then.
  bool surface_pending = false;
  QSize surface_kept;
  bool destroying = false; // DestroyWindow has started on it
  bool dead = false;       // destroyed: out of the live set
  bool final_sent = false; // WM_NCDESTROY delivered
};

// The live window for a handle, or null when the handle is stale or null.
Window* find_window(HWND h);
// The record of a handle even after destruction (until it is freed), or null.
Window* find_record(HWND h);
// Creates a record with a fresh handle.
Window& add_window();
// Every live window, in creation order.
std::vector<HWND> live_windows();
// Frees a dead window's record once nothing refers to it; called by the layer. A widget whose Qt
// event handler is still running is kept until the handler returns (WidgetEventScope).
void release_if_unused(HWND h);

// The windows without a parent (top-level windows), topmost first.
std::vector<HWND>& top_level_order();
// The Z-ordered sibling list a window belongs to.
std::vector<HWND>& sibling_list(const Window& w);

// Marks a Qt event handler of a window widget as running; widgets freed meanwhile are deleted when
// the outermost handler ends.
class WidgetEventScope {
 public:
  WidgetEventScope();
  ~WidgetEventScope();
  WidgetEventScope(const WidgetEventScope&) = delete;
  WidgetEventScope& operator=(const WidgetEventScope&) = delete;
};

// Keeps a window's record (and the framework object behind it) from being freed while held. A nested
// loop holds one on the windows it works with and asks alive() after each dispatched message.
class WindowGuard {
 public:
  explicit WindowGuard(HWND h);
  ~WindowGuard();
  WindowGuard(const WindowGuard&) = delete;
  WindowGuard& operator=(const WindowGuard&) = delete;
  bool alive() const { return find_window(handle_) != nullptr; }
  HWND handle() const { return handle_; }

 private:
  HWND handle_;
};

}  // namespace win
