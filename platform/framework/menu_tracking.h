// Tracking open menus: the loop that runs while pop-up menus are open, for TrackPopupMenu and for
// a frame's menu bar.
//
// The loop shows each open level in a pop-up window (menu_popup.h) and holds the mouse capture on
// the owner, so that WM_CANCELMODE to the owner (or anything else that takes the capture) closes
// the menus. It reads every key and mouse message itself; other messages are dispatched as usual.
//
// The owner gets, unless TPM_NONOTIFY: WM_ENTERMENULOOP and WM_INITMENU first; WM_INITMENUPOPUP
// (menu, MAKELPARAM(position of the item that opens it, system-menu flag)) before each pop-up
// shows; WM_MENUSELECT (MAKEWPARAM(command id, or position for a pop-up item, item flags with
// MF_HILITE and MF_MOUSESELECT), menu) as the selection moves; WM_MENUCHAR (MAKEWPARAM(character,
// MF_POPUP), menu) for a letter no item's text marks, answered with MNC_IGNORE, MNC_CLOSE,
// MNC_EXECUTE or MNC_SELECT and a position; at the end WM_MENUSELECT with 0xFFFF flags and no menu,
// then WM_EXITMENULOOP. The highlighted item carries MFS_HILITE while it is selected.
//
// Keys: Up and Down move through the items and wrap (separators are skipped; disabled items can be
// selected but neither run nor open), Home and End go to the first and last item, Right opens the
// selected item's sub-menu, Left closes a sub-menu, Enter runs or opens the selected item, Esc
// closes one level, Alt or F10 closes all, and a letter chooses the item it marks (several items
// with the same letter are selected in turn). In a pop-up of the menu bar Right (on an item without
// a sub-menu) and Left (in the bar's own pop-up) open the neighbouring bar item's pop-up, and Esc
// there leaves the keyboard on the bar item. The mouse selects what it moves over, opens sub-menus,
// runs an item on release, switches bar pop-ups over the bar and closes everything with a press
// outside the menus.
#pragma once

#include <functional>

#include "platform/win/cwnd.h"

namespace framework {

struct MenuTrackStart {
  HWND owner = nullptr;         // gets the menu messages
  HMENU menu = nullptr;         // the pop-up opened first
  POINT at{0, 0};               // where it opens, in screen coordinates
  UINT flags = 0;               // TPM_ alignment, TPM_RIGHTBUTTON, TPM_NONOTIFY
  RECT exclude{0, 0, 0, 0};     // what it should not cover, in screen coordinates
  // For the owner's menu bar: the bar item whose pop-up `menu` is (-1: a pop-up of its own),
  // whether the keyboard opened it (its first item starts selected), and what shows a bar item
  // hot as the pop-ups switch.
  int bar_item = -1;
  bool keyboard = false;
  std::function<void(int)> show_bar_item;
};

struct MenuTrackEnd {
  UINT command = 0;   // the chosen item's command, 0 when the menus were dismissed
  int bar_item = -1;  // Esc in a bar item's pop-up: the bar item the keyboard stays on
};

// Opens `start.menu` and tracks the menus until an item is chosen or they are dismissed. With a
// menu chooser installed (set_menu_chooser) the chooser answers instead, after WM_INITMENUPOPUP.
MenuTrackEnd track_menus(const MenuTrackStart& start);

}  // namespace framework
