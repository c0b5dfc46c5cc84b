// Ids of the program's resources and commands, so code and tests find them by name. The numbers
// are the ones the program's stored files, menus, accelerators and toolbars use.
#pragma once

#include "platform/base/win_types.h"

// Each area adds its own ids to its own header.
#include "resources/app_ids.h"
#include "resources/controls_ids.h"
#include "resources/pictures_ids.h"
#include "resources/toolkit_ids.h"

namespace resources {

// --- The main frame's menu, accelerators and toolbar button images; pop-up menus ---------------
constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_TIP_INDEX_MENU = 146;  // "&Indeksy" pop-up of the tip of the day's menu button
constexpr UINT IDR_NAVIGATOR_MENU = 157;  // "OUTPUTWND": tabs of the "Nawigator" bar
constexpr UINT IDR_HISTORY_MENU = 159;  // context menu of the history tab
constexpr UINT IDR_BOOKMARK_MENU = 161;  // context menu of the bookmarks tab
constexpr UINT IDR_SEARCH_RESULTS_MENU = 163;  // context menu of the search results tab
constexpr UINT IDR_QUERY_PAGE_MENU = 206;  // scope, heading kinds and operators of the query page
constexpr UINT IDR_KEYWORD_RESULTS_MENU = 280;  // context menu of the index results tab

// --- Toolbars (and their bitmaps) of the navigator and contents tabs and the notes dialog --------
constexpr UINT IDR_KEYWORD_RESULTS_TOOLBAR = 126;
constexpr UINT IDR_HISTORY_TOOLBAR = 130;
constexpr UINT IDR_BOOKMARK_TOOLBAR = 131;
constexpr UINT IDR_SEARCH_RESULTS_TOOLBAR = 133;
constexpr UINT IDR_BINDER_TOOLBAR = 135;
constexpr UINT IDR_LIBRARY_TOOLBAR = 136;
constexpr UINT IDR_NOTES_TOOLBAR = 298;

// --- Toolbars of the main frame (bar ids) -------------------------------------------------------
constexpr UINT IDR_TOOLBAR_STANDARD = 59392;  // "Standardowy"
constexpr UINT IDR_TOOLBAR_VIEW = 59397;      // "Widok"
constexpr UINT IDR_TOOLBAR_NAVIGATOR = 59398; // "Nawigator"
constexpr UINT IDR_TOOLBAR_INDEXES = 59399;   // "Indeksy"
constexpr UINT IDR_TOOLBAR_FORM = 59400;      // "Formularz"

// --- Strings ------------------------------------------------------------------------------------
constexpr UINT IDS_APP_NAME = 128;
constexpr UINT IDS_WORK_DOCUMENT = 129;
constexpr UINT IDS_PICTURE_DOCUMENT = 130;
constexpr UINT IDS_TITLE_FILE_NAME = 131;
constexpr UINT IDS_QUERY_WIZARD_TITLE = 178;
constexpr UINT IDS_QUERY_WIZARD_SUBTITLE = 179;
constexpr UINT IDS_NO_TIPS_FILE = 203;
constexpr UINT IDS_TIPS_READ_FAILED = 204;
constexpr UINT IDS_SEARCH_ABORTED = 205;
constexpr UINT IDS_NOTHING_FOUND = 206;
constexpr UINT IDS_PROPERTIES = 207;
constexpr UINT IDS_PHYSICAL_MEMORY = 212;
constexpr UINT IDS_FREE_DISK_SPACE = 213;
constexpr UINT IDS_UNAVAILABLE = 214;
constexpr UINT IDS_SYSTEM_VERSION = 215;
constexpr UINT IDS_FIND_SHEET = 216;
constexpr UINT IDS_WORK_INFORMATION = 217;
constexpr UINT IDS_IDLE_PROMPT = 220;
constexpr UINT IDS_BINDER_NAME_EMPTY = 221;
constexpr UINT IDS_BINDER_EXISTS = 222;
constexpr UINT IDS_BINDER_CREATE = 223;
constexpr UINT IDS_TOOL_CANNOT_RUN = 225;
constexpr UINT IDS_BINDER_UNSAVED = 227;
constexpr UINT IDS_OPTION_NEEDS_RESTART = 228;
constexpr UINT IDS_TOO_MANY_SHEETS = 229;

// Texts of the viewer's embedded-window codes.
constexpr UINT IDS_EW_CLASS_NOT_REGISTERED = 1015;
constexpr UINT IDS_EW_NOT_ACCESSIBLE = 1021;
constexpr UINT IDS_EW_CANNOT_USE = 1022;
constexpr UINT IDS_EW_CANNOT_SHOW = 1023;
constexpr UINT IDS_EW_NO_CALLBACK = 1026;

// Texts of the full-text codes are the strings with the code's own number (2001 to 2032, 2200 to
// 2215); the application loads them by the code.

// Toolkit strings: resources/toolkit_ids.h.

// Framework strings.
constexpr UINT AFX_IDS_IDLEMESSAGE = 57345;
constexpr UINT AFX_IDS_PRINTONPORT = 61504;
constexpr UINT AFX_IDS_PRINTPAGENUM = 61508;
constexpr UINT AFX_IDS_PRINTDEFAULTEXT = 61509;
constexpr UINT AFX_IDS_PRINTDEFAULT = 61510;
constexpr UINT AFX_IDS_PRINTFILTER = 61511;
constexpr UINT AFX_IDS_PRINTCAPTION = 61512;
constexpr UINT AFX_IDS_PRINTTOFILE = 61513;
constexpr UINT AFX_IDP_FAILED_TO_START_PRINT = 61702;
constexpr UINT AFX_IDP_PARSE_INT_RANGE = 61714;

// --- Commands -----------------------------------------------------------------------------------
constexpr UINT ID_SEARCH_QUERY_BOX = 115;  // the query box on "Standardowy"
constexpr UINT ID_FIND_SELECTION_IN_ACT = 32020;
constexpr UINT ID_CUSTOMIZE = 200;
constexpr UINT ID_TIP_OF_THE_DAY = 32772;
constexpr UINT ID_VIEW_CONTENTS_BAR = 32774;
constexpr UINT ID_VIEW_NAVIGATOR_BAR = 32775;
constexpr UINT ID_EDIT_SELECT_ALL = 32778;
constexpr UINT ID_NEXT_PAGE = 32781;
constexpr UINT ID_PREVIOUS_PAGE = 32782;
constexpr UINT ID_OPTIONS = 32783;
constexpr UINT ID_BOOKMARK_LIST = 32785;
constexpr UINT ID_GO_TO = 32786;
constexpr UINT ID_TITLES_INDEX = 32789;
constexpr UINT ID_SIGNATORIES_INDEX = 32790;
constexpr UINT ID_SUBJECT_INDEX = 32791;
constexpr UINT ID_DATE_INDEX = 32792;
constexpr UINT ID_ACT_INFORMATION = 32793;
constexpr UINT ID_TOOLBARS = 32794;
constexpr UINT ID_ALWAYS_ON_TOP = 32796;
constexpr UINT ID_HISTORY = 32799;
constexpr UINT ID_LOCATE_IN_LIBRARY = 32801;
constexpr UINT ID_NEXT_FOUND = 32802;
constexpr UINT ID_SEARCH_RESULTS = 32809;
constexpr UINT ID_INSERT_BOOKMARK = 32818;
constexpr UINT ID_TITLE_PAGE = 32829;
constexpr UINT ID_HIGHLIGHT_FOUND = 32831;
constexpr UINT ID_SHOW_LINKS = 32832;
constexpr UINT ID_RESULT_LIST = 32834;
constexpr UINT ID_WORK_INFORMATION = 32839;
constexpr UINT ID_FULL_SCREEN = 32862;
constexpr UINT ID_BINDER_SAVE = 32869;
constexpr UINT ID_LIBRARY_TAB = 32888;
constexpr UINT ID_BINDER_TAB = 32889;
constexpr UINT ID_BOOKMARK_NEXT = 32858;
constexpr UINT ID_BOOKMARK_PREVIOUS = 32859;
constexpr UINT ID_BINDER_OPEN = 32868;
constexpr UINT ID_WORD_WRAP = 32872;
constexpr UINT ID_COLUMNS = 32873;
constexpr UINT ID_KEYWORD_RESULTS_CLEAR = 32879;
constexpr UINT ID_PRINT_LIST = 32895;
constexpr UINT ID_ADD_TO_PRINT_LIST = 32899;
constexpr UINT ID_PAN_MODE = 32901;
constexpr UINT ID_ZOOM_MODE = 32902;
constexpr UINT ID_KEYWORD_TITLES_INDEX = 32903;
constexpr UINT ID_KEYWORD_SIGNATORIES_INDEX = 32904;
constexpr UINT ID_KEYWORD_SUBJECT_INDEX = 32905;
constexpr UINT ID_KEYWORD_FORMULAS_INDEX = 32925;
constexpr UINT ID_KEYWORD_FIGURES_INDEX = 32926;
constexpr UINT ID_KEYWORD_TABLES_INDEX = 32927;
constexpr UINT ID_KEYWORD_DATE_INDEX = 32930;
constexpr UINT ID_BOOKMARK_DELETE = 32914;
constexpr UINT ID_HISTORY_CLEAR = 32915;
constexpr UINT ID_BINDER_CLOSE = 32918;
constexpr UINT ID_FORMULAS_INDEX = 32921;
constexpr UINT ID_FIGURES_INDEX = 32922;
constexpr UINT ID_TABLES_INDEX = 32923;
constexpr UINT ID_RULER_MODE = 32957;
// The text view's developer command: builds the contents index from the open library.
constexpr UINT ID_BUILD_INDEX = 32795;
// The text view's command that opens the notes dialog "Notatki".
constexpr UINT ID_ANNOTATION = 32928;
constexpr UINT ID_NOTE_EDIT = 32931;
constexpr UINT ID_NOTE_DELETE = 32932;
constexpr UINT ID_NOTE_AT_END = 32933;
constexpr UINT ID_NOTE_AT_BEGINNING = 32934;
constexpr UINT ID_NOTE_UNHANDLED = 32935;
constexpr UINT ID_PRINT_LIST_TAB = 32959;
constexpr UINT ID_SEARCH_RESULTS_CLEAR = 32961;
constexpr UINT ID_ENTRY_INFORMATION = 32972;
constexpr UINT ID_HISTORY_TAB = 32973;
constexpr UINT ID_BOOKMARKS_TAB = 32974;
constexpr UINT ID_RESULTS_TAB = 32975;
constexpr UINT ID_INDEXES_TAB = 32977;
constexpr UINT ID_ENTRY_OPEN = 32978;
constexpr UINT ID_ENTRY_OPEN_NEW_SHEET = 32979;
constexpr UINT ID_ENTRY_ADD_BOOKMARK = 32980;
constexpr UINT ID_ADD_SELECTED_TO_PRINT_LIST = 32981;
constexpr UINT ID_ENTRY_LOCATE_IN_LIBRARY = 32983;
constexpr UINT ID_PRINT_ENTRY_LIST = 32999;
constexpr UINT ID_PICTURE_POSITION = 33007;
constexpr UINT ID_LINKS_JOURNAL = 33011;
constexpr UINT ID_LINKS_POSITION = 33012;
constexpr UINT ID_LINKS_ARTICLE = 33013;
constexpr UINT ID_LINKS_INNER_ARTICLE = 33014;
constexpr UINT ID_QUERY = 33019;
constexpr UINT ID_FIND_IN_ACT = 33020;
constexpr UINT ID_BINDER_DELETE_ACT = 33021;
constexpr UINT ID_TOOLBAR_FIRST = 33022;  // 33022 to 33030: toolbar n of the frame context menu
constexpr UINT ID_DOCK_AT_EDGE = 43040;
constexpr UINT ID_HIDE_BAR = 43041;
constexpr UINT ID_MORE_TOOLBARS = 45140;
constexpr UINT ID_TOOLBARS_DIALOG = 45141;
constexpr UINT ID_CUSTOMIZE_DIALOG = 45142;

// The query page's menu buttons: scope, heading kinds, operators.
constexpr UINT ID_SCOPE_RANKS = 32950;
constexpr UINT ID_SCOPE_YEARS = 32951;
constexpr UINT ID_SCOPE_PERSONS = 32955;
constexpr UINT ID_SCOPE_POSITIONS = 32956;
constexpr UINT ID_SCOPE_ALL = 32966;
constexpr UINT ID_SCOPE_JOURNALS = 32885;
constexpr UINT ID_HEADINGS_ALL = 32984;
constexpr UINT ID_HEADINGS_ACTS = 32985;
constexpr UINT ID_HEADINGS_TITLES = 32998;
constexpr UINT ID_HEADINGS_PARTS = 32838;
constexpr UINT ID_HEADINGS_BOOKS = 32986;
constexpr UINT ID_HEADINGS_DIVISIONS = 32997;
constexpr UINT ID_HEADINGS_CHAPTERS = 32987;
constexpr UINT ID_HEADINGS_SECTIONS = 32988;
constexpr UINT ID_OPERATOR_AND = 32989;
constexpr UINT ID_OPERATOR_OR = 32990;
constexpr UINT ID_OPERATOR_NOT = 32991;
constexpr UINT ID_OPERATOR_NEAR = 32992;
constexpr UINT ID_OPERATOR_QUOTE = 32993;
constexpr UINT ID_OPERATOR_BRACKETS = 32994;
constexpr UINT ID_OPERATOR_ANY_CHARACTERS = 32995;
constexpr UINT ID_OPERATOR_ANY_CHARACTER = 32996;

// Framework commands.
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_FILE_PRINT = 57607;
constexpr UINT ID_EDIT_COPY = 57634;
constexpr UINT ID_EDIT_UNDO = 57643;
constexpr UINT ID_WINDOW_NEW = 57648;
constexpr UINT ID_CONTEXT_HELP = 57669;

}  // namespace resources
