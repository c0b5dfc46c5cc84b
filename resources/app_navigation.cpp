// The navigator bars' resources: the history and bookmark tab templates, the "Nowa zakładka"
// dialog, the "Spisy" bar's menu (its tabs and the library tree's context menu) and the icon of
// its tabs.
#include <cstdint>
#include <span>
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

// The library tree's images, 16 x 15, white ('.') shows the tree through: per level a normal and
// a selected image (then the same two again), levels 0 to 9.
constexpr const char* kTreePage[] = {
    "................", "...#######......", "...#ccccc##.....", "...#ccccc#c#....", "...#ccccc####...",
    "...#ccccccc-#...", "...#c-----cc#...", "...#ccccccc-#...", "...#c-----cc#...", "...#ccccccc-#...",
    "...#c-----cc#...", "...#ccccccc-#...", "...##########...", "................", "................",
};
constexpr const char* kTreePageSelected[] = {
    "................", "...#######......", "...#yyyyy##.....", "...#yyyyy#y#....", "...#yyyyy####...",
    "...#yyyyyyy-#...", "...#y-----yy#...", "...#yyyyyyy-#...", "...#y-----yy#...", "...#yyyyyyy-#...",
    "...#y-----yy#...", "...#yyyyyyy-#...", "...##########...", "................", "................",
};
// An editorial unit: a page with a green section mark.
constexpr const char* kTreePart[] = {
    "................", "..##########....", "..#cccccccc#....", "..#cggggggc#....", "..#cgcccccc#....",
    "..#cggggggc#....", "..#ccccccgc#....", "..#cggggggc#....", "..#cccccccc#....", "..#c------c#....",
    "..#cccccccc#....", "..##########....", "................", "................", "................",
};
constexpr const char* kTreePartSelected[] = {
    "................", "..##########....", "..#yyyyyyyy#....", "..#yggggggy#....", "..#ygyyyyyy#....",
    "..#yggggggy#....", "..#yyyyyygy#....", "..#yggggggy#....", "..#yyyyyyyy#....", "..#y------y#....",
    "..#yyyyyyyy#....", "..##########....", "................", "................", "................",
};
// An act: a sealed document.
constexpr const char* kTreeAct[] = {
    "................", ".###########....", ".#ccccccccc#....", ".#c#######c#....", ".#ccccccccc#....",
    ".#c-------c#....", ".#ccccccccc#....", ".#c-------c#....", ".#ccccccccc#....", ".#c----crrc#....",
    ".#ccccccrrrr....", ".#########rr....", "..........r.r...", "................", "................",
};
constexpr const char* kTreeActSelected[] = {
    "................", ".###########....", ".#yyyyyyyyy#....", ".#y#######y#....", ".#yyyyyyyyy#....",
    ".#y-------y#....", ".#yyyyyyyyy#....", ".#y-------y#....", ".#yyyyyyyyy#....", ".#y----yrry#....",
    ".#yyyyyyrrrr....", ".#########rr....", "..........r.r...", "................", "................",
};
// A journal issue: a blue folded sheet.
constexpr const char* kTreeIssue[] = {
    "................", "................", ".#############..", ".#bbbbbbbbbbb#..", ".#b.........b#..",
    ".#bbbbbbbbbbb#..", ".#ccccccccccc#..", ".#c---c-----c#..", ".#ccccccccccc#..", ".#c---c-----c#..",
    ".#ccccccccccc#..", ".#############..", "................", "................", "................",
};
constexpr const char* kTreeIssueSelected[] = {
    "................", "................", ".#############..", ".#bbbbbbbbbbb#..", ".#byyyyyyyyyb#..",
    ".#bbbbbbbbbbb#..", ".#yyyyyyyyyyy#..", ".#y---y-----y#..", ".#yyyyyyyyyyy#..", ".#y---y-----y#..",
    ".#yyyyyyyyyyy#..", ".#############..", "................", "................", "................",
};
// A yearbook: a red bound book, open when selected.
constexpr const char* kTreeYearbook[] = {
    "................", "...##########...", "..#rrrrrrrrr#...", "..#r-------r#...", "..#rrrrrrrrr#...",
    "..#rrrrrrrrr#...", "..#rrryyyrrr#...", "..#rrrrrrrrr#...", "..#rrrrrrrrr#...", "..#rrrrrrrrr#...",
    "..#rrrrrrrrr#...", "..#########c#...", "...#########....", "................", "................",
};
constexpr const char* kTreeYearbookSelected[] = {
    "................", "................", "..#####.#####...", ".#ccccc#ccccc#..", ".#c---c#c---c#..",
    ".#ccccc#ccccc#..", ".#c---c#c---c#..", ".#ccccc#ccccc#..", ".#c---c#c---c#..", ".#ccccc#ccccc#..",
    ".#rrrrr#rrrrr#..", ".######.######..", "................", "................", "................",
};

// Overlay 1, a paper clip (attachments), and overlays 2 and 3, 16 x 16: ' ' transparent.
constexpr const char* kClip[] = {
    "                ", "                ", "                ", "                ", "                ",
    "                ", "                ", "                ", "           ###  ", "          #   # ",
    "          # # # ", "          # # # ", "          # # # ", "          #   # ", "           # #  ",
    "                ",
};
constexpr const char* kMark[] = {
    "                ", "                ", "                ", "                ", "                ",
    "                ", "                ", "                ", "                ", "           ##   ",
    "          #rr#  ", "          #rr#  ", "           ##   ", "                ", "                ",
    "                ",
};
constexpr const char* kTick[] = {
    "                ", "                ", "                ", "                ", "                ",
    "                ", "                ", "                ", "                ", "              # ",
    "             #  ", "          # #   ", "           #    ", "                ", "                ",
    "                ",
};

std::vector<uint8_t> IconBytes(const char* const* rows) {
  constexpr int kSize = 16;
  auto colour = gdi::Bitmap::create(kSize, kSize, false);
  auto mask = gdi::Bitmap::create(kSize, kSize, true);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const char c = rows[y][x];
      mask->at(x, y) = c == ' ' ? gdi::kWhitePixel : gdi::kBlackPixel;
      colour->at(x, y) = c == 'r'   ? gdi::pixel_of(RGB(0xC0, 0x20, 0x20))
                         : c == 'b' ? gdi::pixel_of(RGB(0x20, 0x40, 0xC0))
                         : c == '.' ? gdi::kWhitePixel
                                    : gdi::kBlackPixel;
    }
  }
  return gdi::encode_icon_image(*colour, *mask);
}

void register_tree_images() {
  static const std::vector<uint8_t> bitmap = [] {
    std::vector<ButtonImage> images;
    auto add = [&](std::span<const char* const> normal, std::span<const char* const> selected) {
      for (int copy = 0; copy < 2; ++copy) {
        images.push_back({0, normal});
        images.push_back({0, selected});
      }
    };
    add(kTreePage, kTreePageSelected);                 // level 0
    for (int level = 1; level <= 6; ++level) add(kTreePart, kTreePartSelected);
    add(kTreeAct, kTreeActSelected);                   // 7
    add(kTreeIssue, kTreeIssueSelected);               // 8
    add(kTreeYearbook, kTreeYearbookSelected);         // 9
    return pack_button_images(images, 16, 15);
  }();
  res::add_binary({res::BinaryKind::bitmap, IDB_LIBRARY_TREE, nullptr, bitmap});
  static const std::vector<uint8_t> clip = IconBytes(kClip), mark = IconBytes(kMark), tick = IconBytes(kTick);
  res::add_binary({res::BinaryKind::icon, IDI_TREE_ATTACHMENTS, nullptr, clip});
  res::add_binary({res::BinaryKind::icon, IDI_TREE_OVERLAY2, nullptr, mark});
  res::add_binary({res::BinaryKind::icon, IDI_TREE_OVERLAY3, nullptr, tick});
}

void register_tab_icon() {
  static const std::vector<uint8_t> bytes = IconBytes(kBooks);
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
  register_tree_images();
}

}  // namespace resources
