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

// --- Navigator bars and their tabs ("Nawigator", "Spisy") --------------------------------------
constexpr UINT IDR_INDEXWND_MENU = 254;       // "_INDEXWND0_" (library tree) and "_INDEXWND2_" (tabs)
constexpr UINT IDI_INDEXWND_TAB = 253;        // the icon of both "Spisy" tabs
constexpr UINT IDB_LIBRARY_TREE = 542;        // the library tree's images: four per level, 16 x 15
constexpr UINT IDI_TREE_ATTACHMENTS = 277;    // overlay 1: an act with attachments, an attachment
constexpr UINT IDI_TREE_OVERLAY2 = 278;
constexpr UINT IDI_TREE_OVERLAY3 = 279;
constexpr UINT IDD_SEARCH_RESULTS_TAB = 1540;
constexpr UINT IDD_BOOKMARK_TAB = 1541;
constexpr UINT IDD_HISTORY_TAB = 1542;
constexpr UINT IDD_BOOKMARK_QUICK = 1546;
constexpr UINT IDD_KEYWORD_RESULTS_TAB = 1563;
constexpr UINT IDD_LIBRARY_TAB = 1570;
constexpr UINT IDD_PRINT_LIST_TAB = 1571;
constexpr UINT IDD_BINDER_TAB = 270;
constexpr UINT IDC_NAV_TAB_WND = 0xE900;      // the tab window of either bar
constexpr UINT IDC_HISTORY_LABEL = 1125;
constexpr UINT IDC_HISTORY_LIST = 1090;
constexpr UINT IDC_BOOKMARK_LABEL = 1124;
constexpr UINT IDC_BOOKMARK_COUNT = 1028;
constexpr UINT IDC_BOOKMARK_LIST = 1105;
constexpr UINT IDC_BOOKMARK_NOTE = 1052;
constexpr UINT IDC_BOOKMARK_REFERENCE = 1027;
constexpr UINT IDC_BOOKMARK_KIND = 1161;
constexpr UINT IDC_BOOKMARK_DATE = 1162;
constexpr UINT IDC_BOOKMARK_NAME = 1001;
constexpr UINT IDC_BOOKMARK_ADD = 1000;
constexpr UINT IDC_BOOKMARK_CLOSE = 1063;
constexpr UINT IDC_BOOKMARK_QUICK_NOTE = 1055;
constexpr UINT IDC_BOOKMARK_QUICK_NOTE_LABEL = 1056;
constexpr UINT IDC_LIBRARY_COMBO = 1127;
constexpr UINT IDC_LIBRARY_TREE = 1051;
constexpr UINT ID_NAV_TOGGLE_NOTE = 32884;    // shows or hides the bookmarks tab's note edit
constexpr UINT ID_TREE_ADD_BOOKMARK = 32962;
constexpr UINT ID_TREE_WORD_WRAP = 32825;
constexpr UINT ID_TREE_COLUMNS = 32826;
constexpr UINT ID_TREE_COLLAPSE_ALL = 32827;


// --- Library locator: the prompt for the library's folder -------------------------------------
constexpr UINT IDD_INSERT_CD = 138;
constexpr UINT IDC_INSERT_CD_FOLDER = 1000;
constexpr UINT IDC_INSERT_CD_OLD_STYLE = 1003;
constexpr UINT IDC_INSERT_CD_HINT = 1009;
constexpr UINT IDC_INSERT_CD_OK = 1058;
constexpr UINT IDC_INSERT_CD_CANCEL = 1059;

// --- Main frame's dialogs: options sheet, mouse page and about box ------------------------------
constexpr UINT IDD_ABOUT = 100;            // "O programie..."
constexpr UINT IDD_MOUSE_PAGE = 135;       // "Mysz"
constexpr UINT IDD_OPTIONS_GENERAL = 139;  // "Ogólne"
constexpr UINT IDD_OPTIONS_TEXT = 140;     // "Właściwości tekstu"
constexpr UINT IDD_OPTIONS_PRINT = 142;    // "Drukowanie"
constexpr UINT IDD_OPTIONS_LINKS = 1561;   // "Odnośniki"
constexpr UINT IDB_CREDITS_BACKGROUND = 173;  // tiled behind the credits
constexpr UINT IDB_ABOUT_PICTURE = 207;       // the about box's picture (8 bits a pixel)
constexpr UINT IDB_SPLASH = 252;              // the splash shown while the program starts
constexpr UINT IDS_WEB_PAGES_ADDRESS = 208;
constexpr UINT IDS_MAIL_ADDRESS = 209;
// "Ogólne"
constexpr UINT IDC_OPT_WORKBOOK = 1008;
constexpr UINT IDC_OPT_SOUNDS = 1025;
constexpr UINT IDC_OPT_TIP_AT_START = 1026;
constexpr UINT IDC_OPT_AUTOSTART = 1027;
constexpr UINT IDC_OPT_OFFICE97 = 1053;
constexpr UINT IDC_OPT_STOP_AFTER = 1059;
constexpr UINT IDC_OPT_FIRST_FOUND = 1060;
constexpr UINT IDC_OPT_SMOOTH_SCROLL = 1061;
constexpr UINT IDC_OPT_GREY_OUTSIDE = 1062;
constexpr UINT IDC_OPT_HOVER_LOOK = 1063;
constexpr UINT IDC_OPT_MAX_SHEETS_SPIN = 1068;
constexpr UINT IDC_OPT_MAX_SHEETS = 1085;
constexpr UINT IDC_OPT_NEAR_SPIN = 1086;
constexpr UINT IDC_OPT_NEAR = 1087;
constexpr UINT IDC_OPT_POLL_MESSAGES = 1131;
constexpr UINT IDC_OPT_LEGAL_DATE = 1200;
// "Drukowanie"
constexpr UINT IDC_OPT_BACKGROUND_PRINT = 1059;
constexpr UINT IDC_OPT_SHORT_ACT_NUMBER = 1060;
constexpr UINT IDC_OPT_UNIT_PER_PAGE = 1061;
constexpr UINT IDC_OPT_ACT_HEADER = 1062;
constexpr UINT IDC_OPT_FOOTER_DATE = 1063;
constexpr UINT IDC_OPT_PAGE_NUMBERS = 1064;
constexpr UINT IDC_OPT_FOOTER_TITLE = 1065;
constexpr UINT IDC_OPT_EXTENDED_INFO = 1066;
constexpr UINT IDC_OPT_APPEND_RESULTS = 1067;
constexpr UINT IDC_OPT_NOTES_COLUMN = 1068;
constexpr UINT IDC_OPT_FOOTER_PERSON = 1069;
constexpr UINT IDC_OPT_NOTES_WIDTH = 1070;
constexpr UINT IDC_OPT_NOTES_WIDTH_SPIN = 1071;
// "Odnośniki"
constexpr UINT IDC_OPT_TIP_DU = 1060;
constexpr UINT IDC_OPT_TIP_POZ = 1061;
constexpr UINT IDC_OPT_TIP_ART = 1062;
constexpr UINT IDC_OPT_TIP_ARTW = 1063;
constexpr UINT IDC_OPT_TRACK_LINKS = 1135;
constexpr UINT IDC_OPT_NEGATIVE_LINKS = 1136;
constexpr UINT IDC_OPT_WELL_DU = 1210;
constexpr UINT IDC_OPT_WELL_POZ = 1211;
constexpr UINT IDC_OPT_WELL_ART = 1212;
constexpr UINT IDC_OPT_WELL_ARTW = 1213;
constexpr UINT IDC_OPT_WELL_NEGATIVE = 1214;
constexpr UINT IDC_OPT_BOLD_ART = 1216;
constexpr UINT IDC_OPT_BOLD_POZ = 1217;
constexpr UINT IDC_OPT_BOLD_DU = 1218;
constexpr UINT IDC_OPT_BOLD_ARTW = 1219;
// "Mysz"
constexpr UINT IDC_MOUSE_CONTEXTS = 1010;
constexpr UINT IDC_MOUSE_DEFAULT = 1011;
constexpr UINT IDC_MOUSE_CHOSEN = 1012;
constexpr UINT IDC_MOUSE_COMMANDS = 1013;
constexpr UINT IDC_MOUSE_DESCRIPTION = 1014;
// "O programie..."
constexpr UINT IDC_ABOUT_MAIL = 1037;
constexpr UINT IDC_ABOUT_WEB = 1040;
constexpr UINT IDC_ABOUT_PICTURE = 1004;
constexpr UINT IDC_ABOUT_CREDITS = 1052;
constexpr UINT IDC_ABOUT_MEMORY = 1105;
constexpr UINT IDC_ABOUT_DISK = 1106;
constexpr UINT IDC_ABOUT_SYSTEM = 404;
constexpr UINT IDC_ABOUT_KEY1 = 1142;
constexpr UINT IDC_ABOUT_KEY2 = 1143;
constexpr UINT IDC_ABOUT_KEY3 = 1144;
// --- Reading view: the text sheet's form and its commands -------------------------------------
constexpr UINT IDD_TEXT_VIEW = 101;
constexpr UINT IDC_TEXT_VIEW_TOPIC_HEADER = 1002;
constexpr UINT IDC_TEXT_VIEW_TEXT = 1004;
constexpr UINT IDC_TEXT_VIEW_ACT_HEADER = 1005;
constexpr UINT ID_SMOOTH_SCROLL = 32777;
constexpr UINT ID_MOVE_SELECTION = 32840;

}  // namespace resources
