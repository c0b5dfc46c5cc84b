// The navigator bars' resources: the history and bookmark tab templates, the "Nowa zakładka"
// dialog, the "Spisy" bar's menu (its tabs and the library tree's context menu) and the icon of
// its tabs.
#include <cstdint>
#include <vector>

#include "platform/controls/list_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/dialog.h"
#include "platform/gdi/core/icon_image.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

using res::MF_POPUP;
using res::MF_SEPARATOR;
using res::MF_STRING;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kTab = WS_CHILD | DS_CONTROL | DS_SETFONT;
constexpr DWORD kReportList =
    kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
constexpr UINT kStatic = UINT(-1);

constexpr res::DialogControlResource kHistoryControls[] = {
    {IDC_HISTORY_LABEL, "Static", "Wybierz tytuł do którego chcesz powrócić:", {100, 3, 300, 11}, kChild | SS_LEFT, 0},
    {IDC_HISTORY_LIST, WC_LISTVIEW, "", {0, 14, 300, 90}, kReportList, 0},
};

constexpr res::DialogControlResource kBookmarkControls[] = {
    {IDC_BOOKMARK_LABEL, "Static", "Lista zakładek", {120, 3, 170, 11}, kChild | SS_LEFT, 0},
    {IDC_BOOKMARK_COUNT, "Static", "", {176, 3, 196, 11}, kChild | SS_LEFT, 0},
    {IDC_BOOKMARK_LIST, WC_LISTVIEW, "", {0, 14, 300, 90}, kReportList, 0},
    {IDC_BOOKMARK_NOTE, "Edit", "", {226, 14, 300, 90},
     WS_CHILD | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, 0},
};

constexpr res::DialogControlResource kBookmarkQuickControls[] = {
    {IDC_BOOKMARK_REFERENCE, "Edit", "", {7, 7, 80, 19}, kChild | WS_BORDER | ES_READONLY, 0},
    {IDC_BOOKMARK_KIND, "Edit", "", {84, 7, 190, 19}, kChild | WS_BORDER | ES_READONLY, 0},
    {IDC_BOOKMARK_DATE, "Edit", "", {194, 7, 283, 19}, kChild | WS_BORDER | ES_READONLY, 0},
    {kStatic, "Static", "&Wprowadź nazwę nowej zakładki", {7, 25, 283, 33}, kChild | SS_LEFT, 0},
    {IDC_BOOKMARK_NAME, "Edit", "", {7, 35, 283, 47}, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
    {IDC_BOOKMARK_QUICK_NOTE_LABEL, "Static", "&Notatka", {7, 52, 60, 60}, WS_CHILD | SS_LEFT, 0},
    {IDC_BOOKMARK_QUICK_NOTE, "Edit", "", {7, 61, 170, 70}, WS_CHILD | WS_BORDER | WS_TABSTOP | ES_MULTILINE, 0},
    {IDC_BOOKMARK_ADD, "Button", "&Dodaj", {177, 54, 227, 68}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {IDC_BOOKMARK_CLOSE, "Button", "Zamknij", {233, 54, 283, 68}, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0},
};

constexpr res::DialogControlResource kLibraryControls[] = {
    {IDC_LIBRARY_COMBO, "ComboBox", "", {74, 1, 180, 60}, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0},
    {IDC_LIBRARY_TREE, "Static", "", {0, 16, 180, 200}, kChild | WS_TABSTOP, 0},
};

constexpr res::MenuItemResource kIndexWndMenu[] = {
    {0, 0, MF_POPUP, "_INDEXWND0_"},
    {1, ID_ENTRY_OPEN, MF_STRING, "&Otwórz"},
    {1, ID_ENTRY_OPEN_NEW_SHEET, MF_STRING, "Otwórz w &nowym arkuszu"},
    {1, 0, MF_SEPARATOR, nullptr},
    {1, ID_TREE_ADD_BOOKMARK, MF_STRING, "Dodaj zakładkę"},
    {1, 0, MF_SEPARATOR, nullptr},
    {1, ID_TREE_COLUMNS, MF_STRING, "Kolumny"},
    {1, ID_TREE_WORD_WRAP, MF_STRING, "Zawijanie wierszy"},
    {1, ID_TREE_COLLAPSE_ALL, MF_STRING, "Zamknij wszystkie"},
    {1, 0, MF_SEPARATOR, nullptr},
    {1, ID_ENTRY_INFORMATION, MF_STRING, "Informacja"},
    {0, 0, MF_POPUP, "_INDEXWND1_"},
    {1, ID_ENTRY_OPEN, MF_STRING, "&Otwórz"},
    {0, 0, MF_POPUP, "_INDEXWND2_"},
    {1, ID_LIBRARY_TAB, MF_STRING, "Biblioteka"},
    {1, ID_BINDER_TAB, MF_STRING, "Segregator"},
};

// Two stacked books, 16 x 16: '#' black, 'r' red, 'b' blue, '.' white, ' ' transparent.
constexpr const char* kBooks[] = {
    "                ",
    "                ",
    "  ###########   ",
    "  #rrrrrrrrr#   ",
    "  #r.......r#   ",
    "  #rrrrrrrrr#   ",
    "  ###########   ",
    "   ###########  ",
    "   #bbbbbbbbb#  ",
    "   #b.......b#  ",
    "   #bbbbbbbbb#  ",
    "   ###########  ",
    "  ############# ",
    "  #...........# ",
    "  ############# ",
    "                ",
};

void register_tab_icon() {
  constexpr int kSize = 16;
  auto colour = gdi::Bitmap::create(kSize, kSize, false);
  auto mask = gdi::Bitmap::create(kSize, kSize, true);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const char c = kBooks[y][x];
      mask->at(x, y) = c == ' ' ? gdi::kWhitePixel : gdi::kBlackPixel;
      colour->at(x, y) = c == 'r'   ? gdi::pixel_of(RGB(0xC0, 0x20, 0x20))
                         : c == 'b' ? gdi::pixel_of(RGB(0x20, 0x40, 0xC0))
                         : c == '.' ? gdi::kWhitePixel
                                    : gdi::kBlackPixel;
    }
  }
  static const std::vector<uint8_t> bytes = gdi::encode_icon_image(*colour, *mask);
  res::add_binary({res::BinaryKind::icon, IDI_INDEXWND_TAB, nullptr, bytes});
}

}  // namespace

void register_navigation_resources() {
  res::add_dialog({IDD_HISTORY_TAB, "", {0, 0, 300, 90}, kTab, 0, "MS Sans Serif", 8, kHistoryControls});
  res::add_dialog({IDD_BOOKMARK_TAB, "", {0, 0, 300, 90}, kTab, 0, "MS Sans Serif", 8, kBookmarkControls});
  res::add_dialog({IDD_LIBRARY_TAB, "", {0, 0, 180, 200}, kTab, 0, "MS Sans Serif", 8, kLibraryControls});
  res::add_dialog({IDD_BOOKMARK_QUICK, "Nowa zakładka", {0, 0, 290, 75},
                   WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, "MS Sans Serif", 8,
                   kBookmarkQuickControls});
  res::add_menu(IDR_INDEXWND_MENU, kIndexWndMenu);
  register_tab_icon();
}

}  // namespace resources
