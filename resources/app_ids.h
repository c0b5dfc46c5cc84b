// Resource and command ids of the application (application object, main frame and its commands,
// sheets, text view and panes, settings, options, printing, notes, about box; navigator bars,
// trees, binders, bookmarks, the find / go-to / query sheet, keyword-index dialogs, act
// information). Included by resource_ids.h, which still holds most of the application's ids that
// existed before the areas were split; new ones go here.
//
// The application uses the numbers the program's menus, toolbars, dialogs and stored files give:
// resources below 20000 (128 to 130 the frame and the two document kinds) and commands from 32768.
// Reserved for ids the application makes up: 12000 to 12999 (resources) and 34000 to 34499
// (commands).
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

// --- Status bar panes of the main frame (the indicator's string sizes its pane) ------------------
constexpr UINT ID_INDICATOR_ACT = 33003;          // the current act's address
constexpr UINT ID_INDICATOR_DATE = 33004;         // the date
constexpr UINT ID_INDICATOR_FOUND_WORDS = 33005;  // number of found words
constexpr UINT ID_INDICATOR_MARK = 33006;         // the text view's one-letter mark

// --- Commands of the main menu not named elsewhere ---------------------------------------------
constexpr UINT ID_SEND_MAIL = 32808;

// --- Library locator: the prompt for the library's folder -------------------------------------
constexpr UINT IDD_INSERT_CD = 138;
constexpr UINT IDC_INSERT_CD_FOLDER = 1000;
constexpr UINT IDC_INSERT_CD_OLD_STYLE = 1003;
constexpr UINT IDC_INSERT_CD_HINT = 1009;
constexpr UINT IDC_INSERT_CD_OK = 1058;
constexpr UINT IDC_INSERT_CD_CANCEL = 1059;

// --- Reading view: the text sheet's form and its commands -------------------------------------
constexpr UINT IDD_TEXT_VIEW = 101;
constexpr UINT IDC_TEXT_VIEW_TOPIC_HEADER = 1002;
constexpr UINT IDC_TEXT_VIEW_TEXT = 1004;
constexpr UINT IDC_TEXT_VIEW_ACT_HEADER = 1005;
constexpr UINT ID_SMOOTH_SCROLL = 32777;
constexpr UINT ID_MOVE_SELECTION = 32840;

}  // namespace resources
