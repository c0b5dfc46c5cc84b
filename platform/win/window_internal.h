// What the parts of the window layer share among themselves; not for code above the layer.
#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>

#include "platform/win/window_api.h"
#include "platform/win/window_table.h"

namespace win {

// Calls the window procedure of a live window with the window held busy for the call; 0 and no
// call when the window is gone.
LRESULT call_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam);
// Delivers WM_NCDESTROY and frees the record of a dead window once nothing holds it.
void finish_destruction(HWND h);

// True for a window whose frame the desktop draws (a top-level overlapped window): its non-client
// size is zero and its window rectangle is the widget's client area.
bool has_native_frame(const Window& w);
bool native_frame_style(DWORD style);

// Whether the desktop stacks, activates and grabs for us (the headless platform does not).
bool desktop_manages_windows();

// Screen position of a window's top-left corner and of its client area's top-left corner.
QPoint window_origin_on_screen(const Window& w);
QPoint client_origin_on_screen(const Window& w);

// Asks the window for its client area (WM_NCCALCSIZE) and stores it.
void recompute_client_area(Window& w);
// Puts the widget where the window's rectangles say and resizes the surface to match.
void sync_widget(Window& w);
// The window's surface at the window's size (a pending new size is applied first, unless device
// contexts are drawing on it).
QImage& current_surface(Window& w);
// Gives a top-level window's widget the window's text as its title, which the desktop shows in the
// frame and task list and by which other programs find the window.
void sync_widget_title(Window& w);
// Shows the window's surface area on screen again (window coordinates).
void surface_changed(Window& w, const QRect& area);

// Adds to the invalid area (client coordinates); `frame` also asks for WM_NCPAINT.
void invalidate(Window& w, const QRegion& area, bool erase, bool frame);
// Finds a visible window with something to paint, or null.
HWND window_needing_paint(HWND filter);

// The window procedure's default handling of the non-client messages.
LRESULT default_nccalcsize(Window& w, RECT* rect);
int default_nchittest(Window& w, POINT screen);
void default_ncpaint(Window& w);

// Where the parts of a window's own scroll bar lie (window coordinates); empty rectangles when the
// bar is not shown.
struct ScrollGeometry {
  bool vertical = false;
  QRect strip;        // the whole bar
  QRect first_arrow;  // up or left
  QRect last_arrow;   // down or right
  QRect thumb;        // empty when the bar is disabled or too short for one
};
ScrollGeometry scroll_geometry(const Window& w, int bar);
// The bar strip from the frame layout (window coordinates), empty when the style has no bar.
QRect scroll_strip(const Window& w, int bar);
// Follows a press on a window's scroll bar until release, sending the scroll requests.
void track_scroll_bar(HWND h, int bar, QPoint screen);

// Hover tracking (mouse_tracking.h): the mouse moved to `screen` over window `target` (null:
// over none of the program's windows) at hit-test code `hit`, for every mouse event that is not
// captured; the mouse left all of the program's windows; a window going ends its tracking
// without a message.
void mouse_tracking_moved(HWND target, int hit, QPoint screen);
void mouse_tracking_left();
void forget_mouse_tracking(HWND h);

// Releases focus, capture and activation that a dying window holds.
void forget_window(HWND h);

// The keyboard state as input arrives (GetAsyncKeyState) and as of the input message last
// retrieved (GetKeyState): each input message carries a snapshot of the former, which becomes the
// latter when the message is taken from the queue.
void set_key_state(int virtual_key, bool down);
// Puts the toggled bit of a key (a lock key's state) into the program's view at once, for the
// input already queued too.
void set_key_toggled(int virtual_key, bool on);
// The toggled bit of a key as input has arrived (GetKeyState waits for the input's message).
bool key_toggled_now(int virtual_key);
UINT take_key_snapshot();
void apply_key_snapshot(UINT serial);
// Cursor position in screen coordinates as last seen in input.
void set_cursor_pos(QPoint screen);
QPoint cursor_pos();

inline QRect to_qrect(const RECT& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }
inline RECT to_rect(const QRect& r) { return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace win
