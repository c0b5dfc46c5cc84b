// The menu bar of a top-level frame: one row of the top-level items of the window's menu, drawn in
// a strip the frame keeps above its client area. Items are as wide as their text plus a margin; a
// hot item is drawn highlighted. The frame hit-tests the strip as HTMENU, opens an item's pop-up
// below it on a click, and gives keyboard access through Alt or F10 (arrows move, Enter or Down
// opens, Esc leaves, a mnemonic letter opens its item at once). While a bar item's pop-up is open
// the keyboard and the mouse move between the bar's pop-ups (menu_tracking.h).
#pragma once

#include <functional>
#include <vector>

#include "platform/framework/menu_tracking.h"
#include "platform/win/cwnd.h"

namespace framework {

// The height of the strip: zero for a child window or a window without a menu.
int menu_bar_height(HWND window);
// The rectangles of the bar's items in window coordinates, by position (empty without a bar).
std::vector<RECT> menu_bar_items(HWND window);
// The item position under a window point, or -1.
int menu_bar_item_at(HWND window, POINT window_point);
// The position of the item whose mnemonic ("&x") is `key` (compared without case), or -1.
int menu_bar_mnemonic(HMENU menu, char key);
// Draws the strip with item `hot` highlighted (-1: none).
void paint_menu_bar(HWND window, int hot);
// Opens the pop-up of bar item `position` below it and tracks the bar's menus until a command is
// chosen (it is posted to the window as WM_COMMAND) or they are dismissed. `by_keyboard` selects
// the first item of each pop-up as it opens; `show_item` shows the bar item whose pop-up is open.
// The end's bar_item is the item the keyboard stays on after Esc, else -1.
MenuTrackEnd track_menu_bar(HWND window, int position, bool by_keyboard, std::function<void(int)> show_item);

}  // namespace framework
