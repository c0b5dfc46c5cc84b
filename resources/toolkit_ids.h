// Resource and command ids of the toolkit (workbook frame, docking, tab windows, status-bar base,
// toolbars, customization, keyboard shortcuts, user tools, menus, buttons, tree and list controls,
// splash, progress). Included by resource_ids.h.
//
// The toolkit owns two ranges:
// - 20495 to 23100: its dialog templates (20495 keyboard shortcuts, 20509 to 20514 the customize
//   pages and toolbar dialogs), strings (20526 to 20684) and the colour wells' 23100;
// - 43040 to 45142: its commands and control ids (43040 and 43041 the bar menu, 43044 to 43052 the
//   user tools, 43097 to 43101 the toolbars dialog's buttons, 45140 to 45142 the frame's bar menu).
// Reserved for ids the toolkit makes up: 23101 to 23499 (resources) and 45143 to 45499 (commands).
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

// --- Strings ------------------------------------------------------------------------------------
constexpr UINT IDS_SELECT_SHORTCUT_FIRST = 20526;
constexpr UINT IDS_RESET_SHORTCUTS = 20528;
constexpr UINT IDS_KEY_NOT_ASSIGNED = 20529;
constexpr UINT IDS_KEY_RESERVED = 20530;
constexpr UINT IDS_LIST_NEW_TIP = 20531;
constexpr UINT IDS_LIST_DELETE_TIP = 20532;
constexpr UINT IDS_LIST_UP_TIP = 20533;
constexpr UINT IDS_LIST_DOWN_TIP = 20534;
constexpr UINT IDS_HOLD_CTRL_TO_FLOAT = 20535;
constexpr UINT IDS_RESET = 20536;
constexpr UINT IDS_DELETE = 20537;
constexpr UINT IDS_MENU_BAR = 20619;
constexpr UINT IDS_NOCLOSE = 20624;
constexpr UINT IDS_SELECT_DIRECTORY = 20625;
constexpr UINT IDS_SELECT_FILE = 20626;
constexpr UINT IDS_CLOSE_TIP = 20655;
constexpr UINT IDS_EXPAND_TIP = 20657;
constexpr UINT IDS_RESTORE_TIP = 20658;
constexpr UINT IDS_SPLASH_TITLE = 20661;
constexpr UINT IDS_SPLASH_OWNER_TITLE = 20662;
constexpr UINT IDS_TOOLBAR_TITLE = 20674;
constexpr UINT IDS_ALT_PLUS = 20677;
constexpr UINT IDS_SELECT_PROGRAM = 20680;
constexpr UINT IDS_PROGRAM_FILTER = 20681;
constexpr UINT IDS_SELECT_INITIAL_DIRECTORY = 20682;
constexpr UINT IDS_NEW_TOOL = 20683;
constexpr UINT IDS_TOOL_NAME_EMPTY = 20684;
constexpr UINT IDS_OTHER_COLOUR = 23100;


// --- The keyboard-shortcut dialog ----------------------------------------------------------------
constexpr UINT IDD_KEY_BINDING = 20495;
// The same editor as a property page.
constexpr UINT IDD_KEY_BINDING_PAGE = 20496;
constexpr int IDC_KEY_CATEGORIES = 1004;
constexpr int IDC_KEY_CURRENT_LABEL = 1009;
constexpr int IDC_KEY_CURRENT = 1010;
constexpr int IDC_KEY_DESCRIPTION_GROUP = 1011;
constexpr int IDC_KEY_HOTKEY = 1013;
constexpr int IDC_KEY_ASSIGN = 20548;
constexpr int IDC_KEY_REMOVE = 20549;
constexpr int IDC_KEY_DEFINED = 20550;
constexpr int IDC_KEY_DESCRIPTION = 20551;
constexpr int IDC_KEY_RESET_ALL = 20552;
constexpr int IDC_KEY_COMMANDS = 20553;
// Assigning a key with no command chosen.
constexpr UINT IDS_KEY_SELECT_COMMAND = 20527;

// --- The page of user tools ----------------------------------------------------------------------
constexpr UINT IDD_TOOL_LIST_PAGE = 20514;
// The same editor as a dialog.
constexpr UINT IDD_TOOL_LIST_DIALOG = 20512;
constexpr int IDC_TOOL_LIST = 43078;
constexpr int IDC_TOOL_ADD = 43079;
constexpr int IDC_TOOL_REMOVE = 43080;
constexpr int IDC_TOOL_UP = 43081;
constexpr int IDC_TOOL_DOWN = 43082;
constexpr int IDC_TOOL_COMMAND = 43083;
constexpr int IDC_TOOL_COMMAND_LABEL = 43084;
constexpr int IDC_TOOL_MENU_TEXT = 43085;
constexpr int IDC_TOOL_ARGUMENTS = 43086;
constexpr int IDC_TOOL_DIRECTORY = 43087;
constexpr int IDC_TOOL_MENU_TEXT_LABEL = 43088;
constexpr int IDC_TOOL_ARGUMENTS_LABEL = 43089;
constexpr int IDC_TOOL_DIRECTORY_LABEL = 43090;

// --- Images and templates -------------------------------------------------------------------------
// The list-box editor's header buttons (new, delete, move up, move down).
constexpr UINT IDB_LIST_NEW = 20516;
constexpr UINT IDB_LIST_DELETE = 20517;
constexpr UINT IDB_LIST_UP = 20518;
constexpr UINT IDB_LIST_DOWN = 20519;
// The folder chooser of the browse edits.
constexpr UINT IDD_DIRECTORY_SELECT = 2000;

void register_toolkit_list_editing();

// --- The customize sheet's pages, the toolbars dialogs and the bitmap menus ------------------------
constexpr UINT IDD_TOOLBAR_CMD_PAGE = 20509;
constexpr UINT IDD_TOOLBARS_DIALOG = 20510;
constexpr UINT IDD_NEW_TOOLBAR = 20511;
constexpr UINT IDD_TOOLBAR_VISIBILITY_PAGE = 20513;
// The bitmap menus' own check mark.
constexpr UINT IDB_MENU_CHECK = 20525;
constexpr int IDC_TB_BUTTONS_GROUP = 43093;
constexpr int IDC_TB_LIST = 43094;
constexpr int IDC_TB_DESCRIPTION = 43095;
constexpr int IDC_TB_NEW_NAME = 43096;
constexpr int IDC_TB_NAME_LABEL = 43097;
constexpr int IDC_TB_NEW = 43098;
constexpr int IDC_TB_CUSTOMIZE = 43099;
constexpr int IDC_TB_RESET = 43100;
constexpr int IDC_TB_TOOLTIPS = 43101;
constexpr int IDC_TB_NAME = 43102;
constexpr int IDC_TB_LARGE = 43103;
constexpr int IDC_TB_COOL = 43104;

void register_toolkit_customize();

// --- Buttons and colour wells (owner-drawn buttons, menu button) -----------------------------------
// The menu button's arrows: its menu drops below it, or opens to its right.
constexpr UINT IDB_MENU_ARROW_DOWN = 23000;
constexpr UINT IDB_MENU_ARROW_RIGHT = 23001;

void register_toolkit_buttons();

}  // namespace resources
