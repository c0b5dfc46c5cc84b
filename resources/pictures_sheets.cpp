// The picture sheet's resources: the dialog "Powiększenie" (305), the sheet's menu (130: the main
// menu with the picture commands under "Widok"), the corner pane's pictures of the mouse modes
// and the cursors over the picture.
#include <string>
#include <vector>

#include "platform/controls/standard_controls.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/dialog.h"
#include "resources/pictures_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

constexpr res::DialogControlResource kZoomControls[] = {
    {UINT(-1), "Static", "Powiększenie", {7, 9, 62, 19}, kChild | SS_LEFT, 0},
    {IDC_ZOOM_PERCENT, "Edit", "", {64, 7, 104, 19}, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, 0},
    {UINT(-1), "Static", "%", {107, 9, 117, 19}, kChild | SS_LEFT, 0},
    {IDOK, "Button", "OK", {7, 28, 57, 42}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {IDCANCEL, "Button", "Anuluj", {67, 28, 117, 42}, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0},
};

using res::MF_SEPARATOR;
using res::MF_STRING;

// The picture commands, appended to the main menu's "Widok".
constexpr res::MenuItemResource kPictureItems[] = {
    {1, 0, MF_SEPARATOR, nullptr},
    {1, ::ID_EDIT_UNDO, MF_STRING, "&Cofnij\tCtrl+Z"},
    {1, ID_COPY_PICTURE, MF_STRING, "&Kopiuj\tCtrl+C"},
    {1, ::ID_FILE_PRINT, MF_STRING, "D&rukuj...\tCtrl+P"},
    {1, ID_LOCATE_IN_LIBRARY, MF_STRING, "&Zlokalizuj w bibliotece"},
    {1, 0, MF_SEPARATOR, nullptr},
    {1, ID_ZOOM_50, MF_STRING, "Pomniejsz do 50%"},
    {1, ID_ZOOM_66, MF_STRING, "Pomniejsz do 66%"},
    {1, ID_ZOOM_100, MF_STRING, "Wielkość naturalna"},
    {1, ID_ZOOM_150, MF_STRING, "Powiększ do 150%"},
    {1, ID_ZOOM_200, MF_STRING, "Powiększ do 200%"},
    {1, ID_FIT_WINDOW, MF_STRING, "Dopasuj do wielkości okna"},
    {1, ID_FIT_WIDTH, MF_STRING, "Dopasuj do szerokośćo okna"},
    {1, ID_ZOOM_OTHER, MF_STRING, "Inne powiększenie..."},
    {1, 0, MF_SEPARATOR, nullptr},
    {1, ID_PAN_MODE, MF_STRING, "Tryb przesuwania"},
    {1, ID_ZOOM_MODE, MF_STRING, "Tryb powiększania"},
    {1, ID_RULER_MODE, MF_STRING, "Tryb z linijkami"},
    {1, ID_MOUSE_MODE_NONE, MF_STRING, "xxx"},
    {1, 0, MF_SEPARATOR, nullptr},
    {1, ID_NEXT_PAGE, MF_STRING, "&Następny rysunek\tShift+PageDn"},
    {1, ID_PREVIOUS_PAGE, MF_STRING, "&Poprzedni rysunek\tShift+PageUp"},
};

// The main menu with the picture commands at the end of its second pop-up ("Widok"), so that the
// other pop-ups keep their places.
const std::vector<res::MenuItemResource>& PictureMenu() {
  static const std::vector<res::MenuItemResource> items = [] {
    std::vector<res::MenuItemResource> out;
    int popups = 0;
    for (const res::MenuItemResource& item : main_frame_menu()) {
      if (item.level == 0 && ++popups == 3) out.insert(out.end(), std::begin(kPictureItems), std::end(kPictureItems));
      out.push_back(item);
    }
    if (popups < 3) out.insert(out.end(), std::begin(kPictureItems), std::end(kPictureItems));
    return out;
  }();
  return items;
}

// The corner's pictures, 20 by 20 around a 16 by 15 drawing; grey is transparent.
constexpr int kCorner = 20;

// An arrow: no mouse mode.
constexpr const char* kNoMode[] = {
    "                ",
    "   #            ",
    "   ##           ",
    "   #.#          ",
    "   #..#         ",
    "   #...#        ",
    "   #....#       ",
    "   #.....#      ",
    "   #......#     ",
    "   #....###     ",
    "   #.#..#       ",
    "   ##  #..#     ",
    "   #   #..#     ",
    "        ##      ",
    "                ",
};

std::vector<uint8_t> CornerBitmap(std::span<const char* const> drawing) {
  std::vector<std::string> rows(size_t(kCorner), std::string(size_t(kCorner), ' '));
  for (size_t y = 0; y < drawing.size() && y + 3 < rows.size(); ++y) {
    const std::string line = drawing[y];
    for (size_t x = 0; x < line.size() && x + 2 < rows[y].size(); ++x) rows[y + 3][x + 2] = line[x];
  }
  std::vector<const char*> p;
  for (const std::string& row : rows) p.push_back(row.c_str());
  const ButtonImage image{0, p};
  return pack_button_images(std::span<const ButtonImage>(&image, 1), kCorner, kCorner);
}

std::span<const char* const> ToolbarDrawing(UINT command) {
  for (const ButtonImage& image : button_images()) {
    if (image.command == command) return image.rows;
  }
  return kNoMode;
}

// Cursors: '#' black, '.' white, ' ' transparent.
constexpr const char* kZoomIn[] = {
    "   #####        ",
    "  #.....#       ",
    " #...#...#      ",
    "#....#....#     ",
    "#....#....#     ",
    "#.#######.#     ",
    "#....#....#     ",
    "#....#....#     ",
    " #...#...#      ",
    "  #.....###     ",
    "   ##### ###    ",
    "          ###   ",
    "           ###  ",
    "            ### ",
    "             ## ",
};
constexpr const char* kZoomOut[] = {
    "   #####        ",
    "  #.....#       ",
    " #.......#      ",
    "#.........#     ",
    "#.........#     ",
    "#.#######.#     ",
    "#.........#     ",
    "#.........#     ",
    " #.......#      ",
    "  #.....###     ",
    "   ##### ###    ",
    "          ###   ",
    "           ###  ",
    "            ### ",
    "             ## ",
};
constexpr const char* kPan[] = {
    "        ##        ",
    "    ## #..###     ",
    "   #..##..#..#    ",
    "   #..##..#..# #  ",
    "    #..#..#..##.# ",
    "    #..#..#..#..# ",
    "  ## #.......#..# ",
    " #..##..........# ",
    " #...#.........#  ",
    "  #............#  ",
    "   #...........#  ",
    "   #..........#   ",
    "    #.........#   ",
    "     #.......#    ",
    "      #......#    ",
    "      #......#    ",
};
constexpr const char* kGrab[] = {
    "                  ",
    "                  ",
    "                  ",
    "     ## ## ##     ",
    "    #..#..#..##   ",
    "    #........#.#  ",
    "     #..........# ",
    "    ##..........# ",
    "   #.#.........#  ",
    "   #...........#  ",
    "    #..........#  ",
    "    #.........#   ",
    "     #........#   ",
    "      #......#    ",
    "      #......#    ",
    "                  ",
};
constexpr const char* kCrossHair[] = {
    "       ...       ",
    "       .#.       ",
    "       .#.       ",
    "       .#.       ",
    "       .#.       ",
    "       .#.       ",
    "........#........",
    "#######   #######",
    "........#........",
    "       .#.       ",
    "       .#.       ",
    "       .#.       ",
    "       .#.       ",
    "       .#.       ",
    "       ...       ",
};

constexpr res::CursorResource kCursors[] = {
    {IDC_ZOOM_IN, 5, 5, kZoomIn},
    {IDC_ZOOM_OUT, 5, 5, kZoomOut},
    {IDC_PAN, 8, 8, kPan},
    {IDC_GRAB, 8, 8, kGrab},
    {IDC_CROSS_HAIR, 8, 7, kCrossHair},
};

}  // namespace

void register_picture_sheets() {
  res::add_dialog({IDD_ZOOM_OTHER, "Powiększenie", {0, 0, 124, 49},
                   WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, "MS Sans Serif", 8,
                   kZoomControls});
  res::add_menu(IDR_PICTURE_MENU, PictureMenu());
  static const std::vector<uint8_t> corners[] = {
      CornerBitmap(kNoMode), CornerBitmap(ToolbarDrawing(ID_PAN_MODE)), CornerBitmap(ToolbarDrawing(ID_ZOOM_MODE)),
      CornerBitmap(ToolbarDrawing(ID_RULER_MODE))};
  const UINT ids[] = {IDB_CORNER_NONE, IDB_CORNER_PAN, IDB_CORNER_ZOOM, IDB_CORNER_RULER};
  for (size_t i = 0; i < std::size(ids); ++i) res::add_binary({res::BinaryKind::bitmap, ids[i], nullptr, corners[i]});
  for (const res::CursorResource& c : kCursors) res::add_cursor(c);
}

}  // namespace resources
