// Resources of the list-box editor and the browse edits: the editor's header button images and
// the folder chooser's template (their texts are in the program's string table) (a file chooser whose file-name,
// file-list and file-type controls the chooser hides).
#include <vector>

#include "platform/framework/control_messages.h"
#include "platform/framework/dialog.h"
#include "platform/framework/prompter.h"
#include "platform/res/resource_store.h"
#include "platform/win/window_styles.h"
#include "resources/program_resources.h"
#include "resources/toolkit_ids.h"

namespace resources {
namespace {

// Header button images, 16 by 14 pixels (' ' is the button face).
constexpr int kImageWidth = 16;
constexpr int kImageHeight = 14;

constexpr const char* kNewRows[] = {
    "                ", "                ", "   ##########   ", "   #........#   ",
    "   #........#   ", "   #........# y ", "   #........#yyy", "   #........# y ",
    "   #........#   ", "   #........#   ", "   ##########   ", "                ",
    "                ", "                ",
};
constexpr const char* kDeleteRows[] = {
    "                ", "                ", "   rr      rr   ", "    rr    rr    ",
    "     rr  rr     ", "      rrrr      ", "       rr       ", "      rrrr      ",
    "     rr  rr     ", "    rr    rr    ", "   rr      rr   ", "                ",
    "                ", "                ",
};
constexpr const char* kUpRows[] = {
    "                ", "                ", "       ##       ", "      ####      ",
    "     ######     ", "    ########    ", "   ##########   ", "      ####      ",
    "      ####      ", "      ####      ", "      ####      ", "                ",
    "                ", "                ",
};
constexpr const char* kDownRows[] = {
    "                ", "                ", "      ####      ", "      ####      ",
    "      ####      ", "      ####      ", "   ##########   ", "    ########    ",
    "     ######     ", "      ####      ", "       ##       ", "                ",
    "                ", "                ",
};

constexpr ButtonImage kImages[] = {
    {IDB_LIST_NEW, kNewRows},
    {IDB_LIST_DELETE, kDeleteRows},
    {IDB_LIST_UP, kUpRows},
    {IDB_LIST_DOWN, kDownRows},
};

// The folder chooser's template: the hidden controls keep the ids the chooser looks for.
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr res::DialogControlResource kDirSelectControls[] = {
    {1090, "Static", "&Nazwa pliku:", {6, 6, 82, 16}, kChild, 0},
    {1152, "Edit", "", {6, 16, 96, 28}, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
    {1120, "ListBox", "", {6, 32, 96, 102}, kChild | WS_BORDER | WS_TABSTOP | WS_VSCROLL, 0},
    {1089, "Static", "Pliki &typu:", {6, 104, 96, 114}, kChild, 0},
    {1136, "ComboBox", "", {6, 114, 96, 126}, kChild | WS_TABSTOP, 0},
    {1088, "Static", "&Foldery:", {110, 6, 202, 16}, kChild, 0},
    {1121, "ListBox", "", {110, 16, 202, 102}, kChild | WS_BORDER | WS_TABSTOP | WS_VSCROLL, 0},
    {IDOK, "Button", "OK", {208, 6, 258, 20}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {IDCANCEL, "Button", "Anuluj", {208, 24, 258, 38}, kChild | WS_TABSTOP, 0},
};

constexpr res::DialogResource kDirSelect = {
    IDD_DIRECTORY_SELECT, "Select Directory", {0, 0, 264, 134},
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, "MS Sans Serif", 8,
    kDirSelectControls};

}  // namespace

void register_toolkit_list_editing() {
  static const std::vector<std::vector<uint8_t>> bitmaps = [] {
    std::vector<std::vector<uint8_t>> packed;
    for (const ButtonImage& image : kImages) {
      packed.push_back(pack_button_images({&image, 1}, kImageWidth, kImageHeight));
    }
    return packed;
  }();
  for (size_t i = 0; i < std::size(kImages); ++i) {
    res::add_binary({res::BinaryKind::bitmap, kImages[i].command, nullptr, bitmaps[i]});
  }
  res::add_dialog(kDirSelect);
}

}  // namespace resources
