// Resource and command ids of pictures, sounds and media (image object, picture sheets with their
// rulers and zoom dialog, device-independent bitmaps, wave sounds, media windows, play bar, image
// windows and their hotspots). Included by resource_ids.h.
//
// Pictures use the numbers their parts of the program are given (among them the sounds 175 and
// 292, the picture document 130 and the picture sheet's commands 32901 to 32958).
// Reserved for ids pictures make up: 15000 to 15999 (resources) and 35000 to 35499 (commands).
//
// The program has one numbering for all its resources: dialog templates, strings, menus, bitmaps
// and sounds below 20000 and commands from 32768 to 57343 (0xDFFF; the framework's own start at
// 57344) are shared by every area, and the numbers the program's stored files, menus and dialogs
// use are kept as they are. Each area puts its ids in its own header; ids an area makes up for
// itself (a resource or command no other program file names) come from the area's reserved blocks
// named above, so work on one area never takes a number another area uses. The program's resources
// test finds any id given to two resources of one kind.
#pragma once

#include "platform/base/win_types.h"

namespace resources {

// --- Sounds ("WAVE" resources) ---------------------------------------------------------------------
constexpr UINT IDR_WAVE_STARTUP = 175;  // played at start when sounds are on
constexpr UINT IDR_WAVE_WARNING = 292;  // before a failed search or go-to is reported

// --- Picture sheet commands (menu 130 and the "BMP" pop-up of menu 151) ---------------------------
constexpr UINT ID_ZOOM_50 = 32940;
constexpr UINT ID_ZOOM_66 = 32906;
constexpr UINT ID_ZOOM_100 = 32941;
constexpr UINT ID_ZOOM_150 = 32942;
constexpr UINT ID_ZOOM_200 = 32943;
constexpr UINT ID_FIT_WINDOW = 32938;
constexpr UINT ID_FIT_WIDTH = 32939;
constexpr UINT ID_ZOOM_OTHER = 32958;
constexpr UINT ID_MOUSE_MODE_NONE = 32811;
constexpr UINT ID_COPY_PICTURE = 32917;
// The picture sheet's menu and the pop-up of the panes' menu (151) that is its context menu.
constexpr UINT IDR_PICTURE_MENU = 130;
constexpr int kPictureSheetPopup = 2;  // "BMP"
// The corner pane's pictures of the mouse modes: none, pan, zoom, ruler.
constexpr UINT IDB_CORNER_NONE = 304;
constexpr UINT IDB_CORNER_PAN = 20536;
constexpr UINT IDB_CORNER_ZOOM = 20535;
constexpr UINT IDB_CORNER_RULER = 20537;
// Cursors over the picture: zoom in and out, pan, grab (panning), cross-hair (ruler mode).
constexpr UINT IDC_ZOOM_IN = 202;
constexpr UINT IDC_ZOOM_OUT = 203;
constexpr UINT IDC_PAN = 204;
constexpr UINT IDC_GRAB = 307;
constexpr UINT IDC_CROSS_HAIR = 308;
// The zoom dialog "Powiększenie" and its edit field.
constexpr UINT IDD_ZOOM_OTHER = 305;
constexpr UINT IDC_ZOOM_PERCENT = 1070;

}  // namespace resources
