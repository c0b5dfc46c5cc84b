// Resource and command ids of the in-house controls (dialog, page and sheet bases, control
// skinning, status bar, report list and title tips, numeric edit and spin, print and page-setup
// dialogs, measurement units, toolbar fields, mouse commands, hyperlink, pin button, tab control,
// masked edit, dates). Included by resource_ids.h.
//
// The controls use the numbers their parts of the program are given (among them the status bar's
// progress control 2004, the hyperlink menu's commands 32771, 32780 and 33032 to 33034 and the
// page set-up dialog's margin fields); they lie in the program's shared ranges.
// Reserved for ids the controls make up: 13000 to 13999 (resources) and 34500 to 34999 (commands).
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

// Abbreviations of the length units.
constexpr UINT IDS_UNIT_INCH_MARK = 169;
constexpr UINT IDS_UNIT_IN = 170;
constexpr UINT IDS_UNIT_INCH = 171;
constexpr UINT IDS_UNIT_INCHES = 172;
constexpr UINT IDS_UNIT_CENTIMETRE = 173;
constexpr UINT IDS_UNIT_POINT = 174;
constexpr UINT IDS_UNIT_PICA = 175;

// The date field: its hand cursor and the command a click on it posts to itself.
constexpr UINT IDC_DATE_HAND = 143;
constexpr UINT ID_DATE_CALENDAR_OPTIONS = 32949;

// The hyperlink control (its hand cursor is the date field's), its context menu and its
// properties page, and the folder field's old-style folder dialog.
constexpr UINT IDC_HLINK_HAND = 143;
constexpr UINT IDR_HLINK_MENU = 103;
constexpr UINT IDD_HLINK_PAGE = 162;  // "Ogólne"
constexpr UINT IDI_HLINK = 132;       // the globe on that page
constexpr int IDC_HLINK_TEXT = 1005;
constexpr int IDC_HLINK_ADDRESS = 1007;
constexpr UINT ID_HLINK_COPY = 32771;        // "&Kopiuj skrót"
constexpr UINT ID_HLINK_DESKTOP = 32780;     // "Dodaj &skrót na pulpicie"
constexpr UINT ID_HLINK_PROPERTIES = 33032;  // "&Właściwości"
constexpr UINT ID_HLINK_FAVORITES = 33033;   // "&Dodaj do ulubionych"
constexpr UINT ID_HLINK_OPEN = 33034;        // "&Otwórz"
constexpr UINT IDD_DIR_DIALOG = 1536;        // "Otwórz"

// Print and page-setup dialogs with margin fields: their two templates (named "GSPAGESETUPDLGORD"
// and "GSPRINTDLGORD" in the program; here from the controls' block 13700 to 13709), their
// messages and the ids of the controls they add to the common dialogs' own.
constexpr UINT IDD_GS_PAGE_SETUP = 13700;
constexpr UINT IDD_GS_PRINT = 13701;
constexpr UINT IDS_MARGIN_INVALID = 218;       // "Niepoprawny rozmiar marginesów"
constexpr UINT IDS_MARGIN_RANGE = 219;         // limits %1 and %2 as "0.5cm"
constexpr UINT IDS_NOTES_MARGIN_RANGE = 230;   // limits %1 and %2 in whole centimetres
constexpr int IDC_MARGIN_BOTTOM = 1128;
constexpr int IDC_MARGIN_TOP_SPIN = 1129;
constexpr int IDC_MARGIN_RIGHT_SPIN = 1130;
constexpr int IDC_MARGIN_TOP = 1131;
constexpr int IDC_MARGIN_RIGHT = 1132;
constexpr int IDC_MARGIN_BOTTOM_SPIN = 1133;
constexpr int IDC_MARGIN_LEFT = 1134;
constexpr int IDC_MARGIN_LEFT_SPIN = 1147;
constexpr int IDC_NOTES_MARGIN = 1083;
constexpr int IDC_NOTES_MARGIN_SPIN = 1084;
constexpr int IDC_NOTES_SWITCH = 1148;
constexpr int IDC_PRINT_WHOLE_ACT = 1076;
constexpr int IDC_PRINT_CURRENT_PAGE = 1077;
constexpr int IDC_PRINT_SELECTION = 1078;
constexpr int IDC_PRINT_ATTACHMENTS = 1059;
constexpr int IDC_PRINT_WORK_INFO = 1079;
constexpr int IDC_PRINT_NOTES_SWITCH = 1070;
constexpr int IDC_PRINT_NOTES_MARGIN = 1071;
constexpr int IDC_PRINT_NOTES_SPIN = 1080;
constexpr int IDC_PAGE_SETUP_PRINTER = 1026;   // "Drukarka..."
constexpr int IDC_PAGE_SETUP_HELP = 1038;      // "Pomoc"

}  // namespace resources
