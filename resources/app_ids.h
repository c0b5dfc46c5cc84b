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
// The index results tab ("Indeksy").
constexpr UINT IDC_KEYWORD_RESULTS_HEADING = 1054;  // "hasło: %s"
constexpr UINT IDC_KEYWORD_RESULTS_COUNT = 1244;    // "stron: %ld"
constexpr UINT IDC_KEYWORD_RESULTS_LIST = 1240;
// The subject index dialog ("Indeks rzeczowy").
constexpr UINT IDD_SUBJECT_INDEX = 118;
constexpr UINT IDC_SUBJECT_EDIT = 1247;
constexpr UINT IDC_SUBJECT_LIST = 1246;
constexpr UINT IDC_SUBJECT_SHOW = 1056;   // "&Lista"
constexpr UINT IDC_SUBJECT_CLOSE = 1165;  // "Zamknij"
// The formulas, forms and figures, and tables index dialogs.
constexpr UINT IDD_FORMULA_INDEX = 1574;  // "Indeks wzorów"
constexpr UINT IDC_FORMULA_EDIT = 1115;
constexpr UINT IDC_FORMULA_LIST = 1116;
constexpr UINT IDC_FORMULA_SHOW = 1117;
constexpr UINT IDC_FORMULA_CLOSE = 1137;
constexpr UINT IDD_FORM_INDEX = 1576;  // "Indeks formularzy i rysunków"
constexpr UINT IDC_FORM_EDIT = 1121;
constexpr UINT IDC_FORM_LIST = 1122;
constexpr UINT IDC_FORM_SHOW = 1123;
constexpr UINT IDC_FORM_CLOSE = 1138;
constexpr UINT IDD_TABLE_INDEX = 1575;  // "Indeks tablic"
constexpr UINT IDC_TABLE_EDIT = 1118;
constexpr UINT IDC_TABLE_LIST = 1119;
constexpr UINT IDC_TABLE_SHOW = 1120;
constexpr UINT IDC_TABLE_CLOSE = 1139;
// The titles, signatories and date index dialogs.
constexpr UINT IDD_TITLE_INDEX = 1565;  // "Indeks tytułów"
constexpr UINT IDC_TITLE_EDIT = 1253;
constexpr UINT IDC_TITLE_LIST = 1252;
constexpr UINT IDC_TITLE_SHOW = 1066;
constexpr UINT IDC_TITLE_CLOSE = 1067;
constexpr UINT IDC_TITLE_KIND = 1127;   // the kind of title
constexpr UINT IDD_WHO_INDEX = 1564;    // "Indeks podpisów"
constexpr UINT IDC_WHO_LABEL = 1140;    // "Naz&wisko" / "Stano&wisko"
constexpr UINT IDC_WHO_EDIT = 1248;
constexpr UINT IDC_WHO_LIST = 1249;
constexpr UINT IDC_WHO_SHOW = 1064;
constexpr UINT IDC_WHO_CLOSE = 1065;
constexpr UINT IDC_WHO_SURNAMES = 1251;   // "&Nazwiska"
constexpr UINT IDC_WHO_POSITIONS = 1250;  // "&Stanowiska"
constexpr UINT IDD_DATE_INDEX = 219;      // "Indeks dat"
constexpr UINT IDC_DATE_MESSAGE = 1254;
constexpr UINT IDC_DATE_CALENDAR = 1235;
constexpr UINT IDC_DATE_ADOPTED = 114;     // "Data uchwalenia"
constexpr UINT IDC_DATE_PUBLISHED = 1239;  // "Opublikowanie"
constexpr UINT IDC_DATE_REPEALED = 1241;   // "Uchylenie"
constexpr UINT IDC_DATE_IN_FORCE = 1240;   // "Wejście w życie"
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


// --- Printing: the progress dialog and the print list (shell/print) ---------------------------
constexpr UINT IDD_PRINT_STATUS = 106;          // "Drukowanie"
constexpr UINT IDR_PRINT_ANIMATION = 125;       // the progress dialog's animation strip
constexpr UINT IDC_PRINT_PROGRESS = 1009;
constexpr UINT IDC_PRINT_ANIMATION = 1035;
constexpr UINT IDC_PRINT_PERCENT = 1037;        // "100 %"
constexpr UINT IDC_PRINT_WHAT = 1038;           // "Drukuję %s na drukarce %s (%s) .."
constexpr UINT IDC_PRINT_PAGES = 1039;          // "Strona %d z %d, %s stron pozostało do wydrukowania"
constexpr UINT IDD_PRINTMARK_QUICK = 281;       // "Dodaj do wydruku"
constexpr UINT IDR_PRINTMARK_MENU = 281;        // the print list's pop-ups
constexpr UINT IDR_PRINT_LIST_TOOLBAR = 137;
constexpr UINT IDC_PRINTMARK_SELECTION = 1091;  // "&Zaznaczony fragment"
constexpr UINT IDC_PRINTMARK_VISIBLE = 1092;    // "&Widoczną jednostkę redakcyjną"
constexpr UINT IDC_PRINTMARK_WHOLE_ACT = 1093;  // "&Cały akt normatywny"
constexpr UINT IDC_PRINTMARK_CHOSEN = 1094;     // "&Jednostki wybrane z poniższej listy"
constexpr UINT IDC_PRINTMARK_ADD = 1095;        // "&Dodaj"
constexpr UINT IDC_PRINT_LIST = 1088;
constexpr UINT IDC_PRINT_LIST_LABEL = 1089;
constexpr UINT ID_PRINT_ACT_JOB = 32883;        // the developer menu's act print job

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
// The panes' context menu, their cursor and the auto-scroll window's pictures and cursors.
constexpr UINT IDR_TEXT_VIEW_MENU = 151;    // "SELECTED", "NOTSELECTED", "BMP", "HOTSPOT", "HOTSPOTBMP"
constexpr UINT IDC_PANE_OBJECT = 103;       // cursor over links and objects of a pane
constexpr UINT IDC_WHEEL_RIGHT = 130;       // auto-scroll cursors: the direction of scrolling,
constexpr UINT IDC_WHEEL_UP = 131;
constexpr UINT IDC_WHEEL_NEUTRAL = 132;     // at rest, able to scroll both ways (or neither)
constexpr UINT IDC_WHEEL_DOWN = 133;
constexpr UINT IDC_WHEEL_LEFT = 134;
constexpr UINT IDC_WHEEL_NEUTRAL_WE = 135;  // at rest, only sideways
constexpr UINT IDC_WHEEL_NEUTRAL_NS = 136;  // at rest, only up and down
constexpr UINT IDB_WHEEL_INDICATOR = 197;   // three 26 x 26 pictures: both ways, sideways, up-down
constexpr UINT ID_HOTSPOT_RUN_MACRO = 32967;  // "&Otwórz" of an object hotspot
// The act information window.
constexpr UINT IDD_ACT_INFO = 208;          // "Informacja"

// --- The act information window's buttons, pages and pictures (navigation: act information) ------
constexpr UINT IDC_ACT_PIN = 1191;              // the pin button
constexpr UINT IDC_ACT_HELP = 1192;             // the help button
constexpr UINT IDB_ACT_PIN = 162;               // the pin lying (not pinned)
constexpr UINT IDB_ACT_PINNED = 134;            // the pin in the board
constexpr UINT IDB_ACT_PINNED_HOVER = 210;      // the pin in the board under the mouse
constexpr UINT IDB_ACT_HELP = 209;              // the help button's question mark
constexpr UINT IDI_PROGRAM = 128;               // the program's icon (the act page shows it)
constexpr UINT IDD_ACT_PROPERTY_PAGE = 1551;    // "Informacja"
constexpr UINT IDD_ACT_EXCEPTION_PAGE = 1572;   // "Wyjątki"
constexpr UINT IDD_ACT_RELATED_PAGE = 1573;     // "Zobacz również"
constexpr UINT IDC_ACT_TITLE = 1147;
constexpr UINT IDC_ACT_ADOPTED_LABEL = 1149;    // "uchwalony:"
constexpr UINT IDC_ACT_ADOPTED = 1150;
constexpr UINT IDC_ACT_IN_FORCE_LABEL = 1151;   // "wchodzi w życie:"
constexpr UINT IDC_ACT_PUBLISHED_LABEL = 1152;  // "opublikowany:"
constexpr UINT IDC_ACT_PUBLISHED = 1153;
constexpr UINT IDC_ACT_IN_FORCE = 1154;
constexpr UINT IDC_ACT_RANK = 1155;
constexpr UINT IDC_ACT_ADDRESS = 1156;
constexpr UINT IDC_ACT_EXCEPTIONS = 1101;
constexpr UINT IDC_ACT_KEYWORDS = 1113;
constexpr UINT IDC_ACT_KEYWORDS_FRAME = 1114;   // where "Hasła:" is drawn

// --- The notes dialog (shell: notes) ---------------------------------------------------------
constexpr UINT IDD_NOTES = 297;                // "Notatki"
constexpr UINT IDC_NOTE_TEXT = 1152;
constexpr UINT IDC_NOTE_ACT = 1153;
constexpr UINT IDC_NOTE_DATE = 1154;

// --- Binders, the tip of the day and the work properties sheet (navigation: binders, tips) -------
constexpr UINT IDD_BINDERS_DLG = 282;          // "Segregatory"
constexpr UINT IDC_BINDER_LIST = 1096;
constexpr UINT IDC_BINDER_OPEN = 1097;
constexpr UINT IDC_BINDER_DELETE = 1098;
constexpr UINT IDC_BINDER_NEW = 1099;
constexpr UINT IDC_BINDER_RENAME = 1100;
constexpr UINT IDC_BINDER_LABEL = 1112;        // the binder tab's name label
constexpr UINT IDC_BINDER_TREE = 1050;
constexpr UINT IDS_BINDER_DELETE = 224;
constexpr UINT ID_ADD_TO_BINDER = 32837;       // "Dodaj do se&gregatora" of the reading view
constexpr UINT IDD_TIP = 105;                  // "Porada dnia"
constexpr UINT IDB_TIP_LIGHT = 141;
constexpr UINT IDC_TIP_ICON = 141;
constexpr UINT IDC_TIP_PANEL = 1206;
constexpr UINT IDC_TIP_TEXT = 1104;
constexpr UINT IDC_TIP_NEXT = 1103;
constexpr UINT IDC_TIP_QUERY = 9002;
constexpr UINT IDC_TIP_INDEXES = 1029;
constexpr UINT IDC_TIP_CLOSE = 1057;
constexpr UINT IDC_TIP_AT_START = 1101;
constexpr UINT IDD_FILE_INFO_PAGE = 1567;      // "o pliku"
constexpr UINT IDD_DOC_INFO_PAGE = 1568;       // "o dokumencie"
constexpr UINT IDD_DOC_INFO_BIS_PAGE = 1569;   // "Uwagi"
constexpr UINT IDI_WORK_DOCUMENT = 129;
constexpr UINT IDC_FILE_NAME = 1038;
constexpr UINT IDC_FILE_READ_ONLY = 1039;
constexpr UINT IDC_FILE_ARCHIVE = 1040;
constexpr UINT IDC_FILE_HIDDEN = 1041;
constexpr UINT IDC_FILE_SYSTEM = 1042;
constexpr UINT IDC_FILE_TYPE = 1043;
constexpr UINT IDC_FILE_PLACE = 1044;
constexpr UINT IDC_FILE_SIZE = 1045;
constexpr UINT IDC_FILE_CREATED = 1046;
constexpr UINT IDC_FILE_MODIFIED = 1047;
constexpr UINT IDC_FILE_USED = 1048;
constexpr UINT IDC_FILE_ICON = 1049;
constexpr UINT IDC_DOC_AUTHOR = 1037;
constexpr UINT IDC_DOC_TITLE = 1019;
constexpr UINT IDC_DOC_CREATED = 1021;
constexpr UINT IDC_DOC_OPENED = 1022;
constexpr UINT IDC_DOC_WORK_TIME = 1023;
constexpr UINT IDC_DOC_PAGES = 1024;
constexpr UINT IDC_DOC_SEARCHES = 1025;
constexpr UINT IDC_DOC_PRINTED = 1026;
constexpr UINT IDC_DOC_NOTES = 1048;


// --- Find / go-to / query sheet, query scopes, search results, search progress, query hints -----
constexpr UINT IDD_QUERY_PAGE = 1580;         // "Znajdź w bazie"
constexpr UINT IDD_FIND_PAGE = 285;           // "Znajdź w akcie"
constexpr UINT IDD_GOTO_PAGE = 161;           // "Przejdź do"
constexpr UINT IDD_SEARCH_ABORT = 132;        // "Trwa przeszukiwanie..."
constexpr UINT IDD_HINTS = 116;               // "Przeszukiwanie - podpowiedzi"
constexpr UINT IDD_SCOPE_YEARS = 1555;        // "Roczniki"
constexpr UINT IDD_SCOPE_RANKS = 207;         // "Ranga"
constexpr UINT IDD_SCOPE_PERSONS = 1556;      // "Osoby"
constexpr UINT IDD_SCOPE_POSITIONS = 1557;    // "Stanowiska"
constexpr UINT IDI_SEARCH_ABORT = 3;
constexpr UINT IDC_QUERY_TEXT = 1048;
constexpr UINT IDC_QUERY_DEFAULT_AND = 1205;
constexpr UINT IDC_QUERY_OPERATORS = 1207;
constexpr UINT IDC_QUERY_FIND = 1061;
constexpr UINT IDC_QUERY_SCOPE = 1050;
constexpr UINT IDC_QUERY_RESET = 1051;
constexpr UINT IDC_QUERY_CLOSE = 1062;
constexpr UINT IDC_QUERY_HINTS = 1085;
constexpr UINT IDC_QUERY_YEARS_LABEL = 1201;
constexpr UINT IDC_QUERY_RANKS_LABEL = 1202;
constexpr UINT IDC_QUERY_PERSONS_LABEL = 1256;
constexpr UINT IDC_QUERY_POSITIONS_LABEL = 1209;
constexpr UINT IDC_QUERY_JOURNALS_LABEL = 1203;
constexpr UINT IDC_QUERY_TITLES_ONLY = 1197;
constexpr UINT IDC_QUERY_HEADINGS = 1052;
constexpr UINT IDC_QUERY_LIST_SCOPE = 1108;
constexpr UINT IDC_QUERY_NEW_LIST = 1109;
constexpr UINT IDC_QUERY_SORT = 1204;
constexpr UINT IDC_FIND_TEXT = 1160;
constexpr UINT IDC_FIND_DEFAULT_AND = 1166;
constexpr UINT IDC_FIND_NEXT = 1106;
constexpr UINT IDC_FIND_PREVIOUS = 113;
constexpr UINT IDC_FIND_CLOSE = 1107;
constexpr UINT IDC_FIND_HINTS = 1161;
constexpr UINT IDC_FIND_FROM_TOP = 1105;
constexpr UINT IDC_FIND_WHOLE_WORDS = 1040;
constexpr UINT IDC_FIND_UP = 1056;
constexpr UINT IDC_FIND_DOWN = 1057;
constexpr UINT IDC_FIND_UNIT = 114;
constexpr UINT IDC_FIND_UNIT_AND_BELOW = 115;
constexpr UINT IDC_FIND_ACT = 1158;
constexpr UINT IDC_FIND_ACT_AND_ATTACHMENTS = 1159;
constexpr UINT IDC_GOTO_KIND = 1045;
constexpr UINT IDC_GOTO_ARTICLE = 1035;
constexpr UINT IDC_GOTO_YEAR = 1036;
constexpr UINT IDC_GOTO_POSITION = 1034;
constexpr UINT IDC_GOTO_GO = 3;
constexpr UINT IDC_GOTO_PREVIOUS = 1046;
constexpr UINT IDC_ABORT_ICON = 1010;
constexpr UINT IDC_ABORT_ANIMATION = 1146;
constexpr UINT IDC_SCOPE_YEAR_LIST = 1013;
constexpr UINT IDC_SCOPE_YEAR_CHOSEN = 1018;
constexpr UINT IDC_SCOPE_YEAR_COUNT = 1017;
constexpr UINT IDC_SCOPE_RANK_LIST = 1172;
constexpr UINT IDC_SCOPE_RANK_CHOSEN = 1015;
constexpr UINT IDC_SCOPE_RANK_COUNT = 1173;
constexpr UINT IDC_SCOPE_PERSON_LIST = 1012;
constexpr UINT IDC_SCOPE_PERSON_CHOSEN = 1014;
constexpr UINT IDC_SCOPE_PERSON_COUNT = 1186;
constexpr UINT IDC_SCOPE_POSITION_LIST = 1011;
constexpr UINT IDC_SCOPE_POSITION_CHOSEN = 1016;
constexpr UINT IDC_SCOPE_POSITION_COUNT = 1189;
constexpr UINT IDC_RESULTS_LIST = 1087;
constexpr UINT IDC_RESULTS_COUNT = 1111;
constexpr UINT IDC_RESULTS_QUERY = 1110;
constexpr UINT IDC_RESULTS_HIDDEN = 1006;
constexpr UINT IDC_HINTS_NEAR = 1130;         // the meaning of "x PRZY y"
// The query wizard "Kreator zapytań".
constexpr UINT IDD_WIZ_INTRO = 299;
constexpr UINT IDD_WIZ_YEARS = 1578;
constexpr UINT IDD_WIZ_RANKS = 1577;
constexpr UINT IDD_WIZ_PERSONS = 295;
constexpr UINT IDD_WIZ_POSITIONS = 121;
constexpr UINT IDD_WIZ_COMPLETE = 120;
constexpr UINT IDC_WIZ_TEXT = 1048;
constexpr UINT IDC_WIZ_DEFAULT_AND = 1205;
constexpr UINT IDC_WIZ_TITLES_ONLY = 1197;
constexpr UINT IDC_WIZ_OPERATORS = 1207;
constexpr UINT IDC_WIZ_CHOSEN = 1201;
constexpr UINT IDC_WIZ_SORT = 1204;

// --- Main frame commands: link colours, the library tree's reload, user tools, customize ------
constexpr UINT ID_LINK_COLOUR_JOURNAL = 33015;        // the colour wells of the four link kinds
constexpr UINT ID_LINK_COLOUR_POSITION = 33016;
constexpr UINT ID_LINK_COLOUR_ARTICLE = 33017;
constexpr UINT ID_LINK_COLOUR_INNER_ARTICLE = 33018;
constexpr UINT ID_RELOAD_LIBRARY = 33031;             // the library tree's first level again
constexpr UINT ID_USER_TOOL_FIRST = 43044;            // 43044 to 43052: the user tools
constexpr UINT WM_SHOW_ACT_INFO = 0x06BD;             // a text view asks for the act window (lParam: topic)
constexpr UINT IDS_CUSTOMIZE_SHEET = 20538;           // "Dostosuj"
constexpr UINT IDS_COMMANDS_PAGE = 201;               // "Polecenia"
constexpr UINT IDS_TOOLS_PAGE = 210;                  // "Narzędzia"
constexpr UINT IDS_TOOLBARS_PAGE = 211;               // "Paski narzędzi"
constexpr UINT IDS_PRINT_LIST_WINDOW = 12000;         // "Lista do wydruku"

}  // namespace resources
