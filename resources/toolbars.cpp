// The main frame's toolbars and their button images. Strip IDR_MAINFRAME lists the commands that
// have an image, in the order of the images in bitmap IDR_MAINFRAME; the five bars list their
// buttons (0 a separator; the query box 115 and the position field 33007 are window buttons
// without an image) and take their images from that strip by command.
//
// The images are drawn here as rows of characters, 16 by 15 pixels each, and packed at start into
// one device-independent bitmap as a bitmap resource holds it (no file header):
//   BITMAPINFOHEADER  40 bytes: size 40, width 16 * images, height 15 (rows stored bottom-up),
//                     planes 1, 4 bits per pixel, no compression, size of the pixels, 0, 0,
//                     16 colours used, 0
//   colour table      16 entries of blue, green, red, 0
//   pixels            two pixels a byte, the left one in the high nibble; rows padded to 4 bytes
#include <array>
#include <vector>

#include "platform/base/byte_io.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

// ' ' is the button face, which the toolbar shows through.
constexpr PaletteEntry kPalette[] = {
    {' ', 0xC0, 0xC0, 0xC0}, {'#', 0x00, 0x00, 0x00}, {'.', 0xFF, 0xFF, 0xFF},
    {'-', 0x80, 0x80, 0x80}, {'b', 0x00, 0x00, 0x80}, {'r', 0xC0, 0x00, 0x00},
    {'y', 0xFF, 0xFF, 0x00}, {'g', 0x00, 0x80, 0x00},
};

constexpr ButtonImage kImages[] = {
    // A printer.
    {ID_FILE_PRINT,
     {{
         "                ",
         "    #########   ",
         "    #.......#   ",
         "    #.#####.#   ",
         "    #.......#   ",
         "  ############# ",
         " #-------------#",
         " #-------------#",
         " #---------gg--#",
         " ###############",
         " #.............#",
         " ###############",
         "  #...........# ",
         "  ############# ",
         "                ",
     }}},
    // Two sheets, one over the other.
    {ID_EDIT_COPY,
     {{
         "#######         ",
         "#.....##        ",
         "#.###.#.#       ",
         "#.....####      ",
         "#.###.#######   ",
         "#.....#.....##  ",
         "#.###.#.###.#.# ",
         "#.....#.....####",
         "#######.#####..#",
         "      #........#",
         "      #.######.#",
         "      #........#",
         "      ##########",
         "                ",
         "                ",
     }}},
    // An "i" in a blue circle.
    {ID_ACT_INFORMATION,
     {{
         "     ######     ",
         "   ##bbbbbb##   ",
         "  #bbbb..bbbb#  ",
         " #bbbbb..bbbbb# ",
         " #bbbbbbbbbbbb# ",
         "#bbbb....bbbbbb#",
         "#bbbbbb..bbbbbb#",
         "#bbbbbb..bbbbbb#",
         "#bbbbbb..bbbbbb#",
         " #bbbbb..bbbbb# ",
         " #bbbb....bbbb# ",
         "  #bbbbbbbbbb#  ",
         "   ##bbbbbb##   ",
         "     ######     ",
         "                ",
     }}},
    // A book with a pointing arrow.
    {ID_LOCATE_IN_LIBRARY,
     {{
         "                ",
         " ###########    ",
         " #bbbbbbbbb#    ",
         " #bb.....bb#    ",
         " #bbbbbbbbb#    ",
         " #bbbbbbbbb#   r",
         " #bbbbbbbbb#  rr",
         " #bbbbbbbbb# rrr",
         " #bbbbbbbbb#  rr",
         " #bbbbbbbbb#   r",
         " ###########    ",
         " #.........#    ",
         " ###########    ",
         "                ",
         "                ",
     }}},
    // A magnifying glass.
    {ID_QUERY,
     {{
         "   #####        ",
         "  #.....#       ",
         " #..---..#      ",
         " #.-...-.#      ",
         " #.-...-.#      ",
         " #.-...-.#      ",
         " #..---..#      ",
         "  #.....##      ",
         "   ######-#     ",
         "        #-#     ",
         "         #-#    ",
         "          #-#   ",
         "           #-#  ",
         "            ##  ",
         "                ",
     }}},
    // An arrow bending back to the left.
    {ID_EDIT_UNDO,
     {{
         "                ",
         "     #          ",
         "    ##          ",
         "   #g#######    ",
         "  #ggggggggg#   ",
         "   #g#######g#  ",
         "    ##      #g# ",
         "     #      #g# ",
         "            #g# ",
         "           #g#  ",
         "      ######g#  ",
         "      #ggggg#   ",
         "      #######   ",
         "                ",
         "                ",
     }}},
    // A sheet with a red ribbon.
    {ID_INSERT_BOOKMARK,
     {{
         " #########      ",
         " #......r.#     ",
         " #.####.r..#    ",
         " #......r...#   ",
         " #.####.r####   ",
         " #.....rrr..#   ",
         " #.####r.r..#   ",
         " #..........#   ",
         " #.#######..#   ",
         " #..........#   ",
         " #.#######..#   ",
         " #..........#   ",
         " #..........#   ",
         " ############   ",
         "                ",
     }}},
    // A list of bookmarks.
    {ID_BOOKMARK_LIST,
     {{
         "                ",
         " r ########     ",
         " r              ",
         " rr########     ",
         "                ",
         " r ########     ",
         " r              ",
         " rr########     ",
         "                ",
         " r ########     ",
         " r              ",
         " rr########     ",
         "                ",
         "                ",
         "                ",
     }}},
    // A list with a magnifying glass.
    {ID_SEARCH_RESULTS,
     {{
         " #########      ",
         " #.......#      ",
         " #.#####.#      ",
         " #.......#      ",
         " #.###.#####    ",
         " #.....#...##   ",
         " #.###.#.-..#   ",
         " #.....#....#   ",
         " #.###.##..##   ",
         " #.......####   ",
         " #########  ##  ",
         "             ## ",
         "              ##",
         "                ",
         "                ",
     }}},
    // A yellow mark with an arrow down.
    {ID_NEXT_FOUND,
     {{
         "                ",
         " yyyyyyyyy      ",
         " y#######y      ",
         " yyyyyyyyy      ",
         "                ",
         "      ###       ",
         "      #g#       ",
         "      #g#       ",
         "      #g#       ",
         "    ###g###     ",
         "     #ggg#      ",
         "      #g#       ",
         "       #        ",
         "                ",
         "                ",
     }}},
    // A yellow marker over a line of text.
    {ID_HIGHLIGHT_FOUND,
     {{
         "           ##   ",
         "          #yy#  ",
         "         #yyy#  ",
         "        #yyy#   ",
         "       #yyy#    ",
         "      #yyy#     ",
         "     #yyy#      ",
         "    #...#       ",
         "    #..#        ",
         "   ###          ",
         "                ",
         " yyyyyyyyyyyyyy ",
         " y############y ",
         " yyyyyyyyyyyyyy ",
         "                ",
     }}},
    // Two links of a chain.
    {ID_SHOW_LINKS,
     {{
         "                ",
         "                ",
         " ######         ",
         "#bbbbbb#        ",
         "#bb#  #bb#      ",
         "#b#    #b###### ",
         "#bb#  #b#bbbbbb#",
         "#bbbbbb#b#  #bb#",
         " ######b#    #b#",
         "      #bb#  #bb#",
         "       #bbbbbb# ",
         "        ######  ",
         "                ",
         "                ",
         "                ",
     }}},
    // A clock.
    {ID_HISTORY,
     {{
         "     #####      ",
         "   ##.....##    ",
         "  #....#....#   ",
         " #.....#.....#  ",
         " #.....#.....#  ",
         "#......#......# ",
         "#......####...# ",
         "#.............# ",
         " #...........#  ",
         " #...........#  ",
         "  #.........#   ",
         "   ##.....##    ",
         "     #####      ",
         "                ",
         "                ",
     }}},
    // An arrow with a question mark.
    {ID_CONTEXT_HELP,
     {{
         "#               ",
         "##        ###   ",
         "#.#      #b  #  ",
         "#..#     #b  #  ",
         "#...#       #   ",
         "#....#     #    ",
         "#.....#   #     ",
         "#......#  #     ",
         "#....###        ",
         "#.##..#   #     ",
         "##  #..#        ",
         "     #..#       ",
         "     #..#       ",
         "      ##        ",
         "                ",
     }}},
    // A window with a bar along its foot.
    {ID_VIEW_NAVIGATOR_BAR,
     {{
         "                ",
         "############### ",
         "#bbbbbbbbbbbbb# ",
         "############### ",
         "#.............# ",
         "#.............# ",
         "#.............# ",
         "#.............# ",
         "############### ",
         "#-------------# ",
         "#-.-.-.-------# ",
         "#-------------# ",
         "############### ",
         "                ",
         "                ",
     }}},
    // A window with a bar along its left side.
    {ID_VIEW_CONTENTS_BAR,
     {{
         "                ",
         "############### ",
         "#bbbbbbbbbbbbb# ",
         "############### ",
         "#----#........# ",
         "#-.--#........# ",
         "#----#........# ",
         "#--.-#........# ",
         "#----#........# ",
         "#--.-#........# ",
         "#----#........# ",
         "#----#........# ",
         "############### ",
         "                ",
         "                ",
     }}},
    // Four arrows pointing to the corners.
    {ID_FULL_SCREEN,
     {{
         "                ",
         " ####      #### ",
         " ##          ## ",
         " # #        # # ",
         " #  #      #  # ",
         "     #    #     ",
         "                ",
         "                ",
         "                ",
         "     #    #     ",
         " #  #      #  # ",
         " # #        # # ",
         " ##          ## ",
         " ####      #### ",
         "                ",
     }}},
    // A window over another one.
    {ID_ALWAYS_ON_TOP,
     {{
         "                ",
         " #########      ",
         " #-------#      ",
         " #-------#      ",
         " #---########## ",
         " #---#bbbbbbbb# ",
         " #---########## ",
         " #---#........# ",
         " #####........# ",
         "     #........# ",
         "     #........# ",
         "     #........# ",
         "     ########## ",
         "                ",
         "                ",
     }}},
    // An arrow pointing left.
    {ID_PREVIOUS_PAGE,
     {{
         "                ",
         "                ",
         "                ",
         "      #         ",
         "     ##         ",
         "    #g#######   ",
         "   #ggggggggg#  ",
         "  #ggggggggggg# ",
         "   #ggggggggg#  ",
         "    #g#######   ",
         "     ##         ",
         "      #         ",
         "                ",
         "                ",
         "                ",
     }}},
    // An arrow pointing right.
    {ID_NEXT_PAGE,
     {{
         "                ",
         "                ",
         "                ",
         "         #      ",
         "         ##     ",
         "    #######g#   ",
         "   #ggggggggg#  ",
         "  #ggggggggggg# ",
         "   #ggggggggg#  ",
         "    #######g#   ",
         "         ##     ",
         "         #      ",
         "                ",
         "                ",
         "                ",
     }}},
    // An index card marked S.
    {ID_SUBJECT_INDEX,
     {{
         "                ",
         " #############  ",
         " #...........#  ",
         " #.rrrrrrrrr.#  ",
         " #...........#  ",
         " #....###....#  ",
         " #...#.......#  ",
         " #....##.....#  ",
         " #......#....#  ",
         " #...###.....#  ",
         " #...........#  ",
         " #############  ",
         "                ",
         "                ",
         "                ",
     }}},
    // An index card marked T.
    {ID_TITLES_INDEX,
     {{
         "                ",
         " #############  ",
         " #...........#  ",
         " #.rrrrrrrrr.#  ",
         " #...........#  ",
         " #...#####...#  ",
         " #.....#.....#  ",
         " #.....#.....#  ",
         " #.....#.....#  ",
         " #.....#.....#  ",
         " #...........#  ",
         " #############  ",
         "                ",
         "                ",
         "                ",
     }}},
    // An index card marked P.
    {ID_SIGNATORIES_INDEX,
     {{
         "                ",
         " #############  ",
         " #...........#  ",
         " #.rrrrrrrrr.#  ",
         " #...........#  ",
         " #...####....#  ",
         " #...#...#...#  ",
         " #...####....#  ",
         " #...#.......#  ",
         " #...#.......#  ",
         " #...........#  ",
         " #############  ",
         "                ",
         "                ",
         "                ",
     }}},
    // A magnifying glass with a plus.
    {ID_ZOOM_MODE,
     {{
         "   #####        ",
         "  #.....#       ",
         " #...#...#      ",
         " #...#...#      ",
         " #.#####.#      ",
         " #...#...#      ",
         " #...#...#      ",
         "  #.....##      ",
         "   ######-#     ",
         "        #-#     ",
         "         #-#    ",
         "          #-#   ",
         "           #-#  ",
         "            ##  ",
         "                ",
     }}},
    // Arrows to all four sides.
    {ID_PAN_MODE,
     {{
         "       #        ",
         "      ###       ",
         "     #####      ",
         "       #        ",
         "       #        ",
         "  #    #    #   ",
         " ##    #    ##  ",
         "############### ",
         " ##    #    ##  ",
         "  #    #    #   ",
         "       #        ",
         "       #        ",
         "     #####      ",
         "      ###       ",
         "       #        ",
     }}},
    // A ruler.
    {ID_RULER_MODE,
     {{
         "                ",
         "                ",
         "                ",
         "                ",
         "############### ",
         "#yyyyyyyyyyyyy# ",
         "#y#y#y#y#y#y#y# ",
         "#y#yyy#yyy#yyy# ",
         "#y#yyyyyyy#yyy# ",
         "#yyyyyyyyyyyyy# ",
         "############### ",
         "                ",
         "                ",
         "                ",
         "                ",
     }}},
};

constexpr UINT kStandard[] = {
    ID_FILE_PRINT, 0, ID_EDIT_COPY, 0, ID_ACT_INFORMATION, ID_LOCATE_IN_LIBRARY, 0, ID_QUERY,
    ID_SEARCH_QUERY_BOX, ID_EDIT_UNDO, 0, ID_INSERT_BOOKMARK, ID_BOOKMARK_LIST, 0,
    ID_SEARCH_RESULTS, ID_NEXT_FOUND, ID_HIGHLIGHT_FOUND, 0, ID_SHOW_LINKS, 0, ID_HISTORY, 0,
    ID_CONTEXT_HELP,
};
constexpr UINT kView[] = {ID_VIEW_NAVIGATOR_BAR, ID_VIEW_CONTENTS_BAR, 0, ID_FULL_SCREEN,
                          ID_ALWAYS_ON_TOP};
constexpr UINT kNavigator[] = {ID_PREVIOUS_PAGE, ID_NEXT_PAGE};
constexpr UINT kIndexes[] = {ID_SUBJECT_INDEX, ID_TITLES_INDEX, ID_SIGNATORIES_INDEX};
constexpr UINT kForm[] = {ID_ZOOM_MODE, ID_PAN_MODE, ID_RULER_MODE, 0, ID_PICTURE_POSITION};

constexpr MainToolBar kToolBars[] = {
    {IDR_TOOLBAR_STANDARD, "Standardowy", kStandard},
    {IDR_TOOLBAR_VIEW, "Widok", kView},
    {IDR_TOOLBAR_NAVIGATOR, "Nawigator", kNavigator},
    {IDR_TOOLBAR_INDEXES, "Indeksy", kIndexes},
    {IDR_TOOLBAR_FORM, "Formularz", kForm},
};

constexpr std::array<UINT, std::size(kImages)> kStripCommands = [] {
  std::array<UINT, std::size(kImages)> commands{};
  for (size_t i = 0; i < std::size(kImages); ++i) commands[i] = kImages[i].command;
  return commands;
}();

int palette_index(char symbol) {
  for (size_t i = 0; i < std::size(kPalette); ++i) {
    if (kPalette[i].symbol == symbol) return static_cast<int>(i);
  }
  return 0;
}

}  // namespace

std::span<const ButtonImage> button_images() { return kImages; }
std::span<const PaletteEntry> button_palette() { return kPalette; }
std::span<const MainToolBar> main_toolbars() { return kToolBars; }

std::vector<uint8_t> pack_button_images(std::span<const ButtonImage> images) {
  const int width = kButtonWidth * static_cast<int>(images.size());
  const size_t stride = ((static_cast<size_t>(width) * 4 + 31) / 32) * 4;
  std::vector<uint8_t> bytes;
  base::ByteWriter out(bytes);
  out.u32(40);
  out.i32(width);
  out.i32(kButtonHeight);
  out.u16(1);
  out.u16(4);
  out.u32(0);
  out.u32(static_cast<uint32_t>(stride * kButtonHeight));
  out.i32(0);
  out.i32(0);
  out.u32(16);
  out.u32(0);
  for (size_t i = 0; i < 16; ++i) {
    const PaletteEntry entry = i < std::size(kPalette) ? kPalette[i] : PaletteEntry{};
    out.u8(entry.blue);
    out.u8(entry.green);
    out.u8(entry.red);
    out.u8(0);
  }
  for (int y = kButtonHeight - 1; y >= 0; --y) {
    const size_t row_start = out.pos();
    for (int x = 0; x < width; x += 2) {
      auto pixel = [&](int px) {
        const char* row = images[static_cast<size_t>(px / kButtonWidth)].rows[static_cast<size_t>(y)];
        return palette_index(row[px % kButtonWidth]);
      };
      out.u8(static_cast<uint8_t>(pixel(x) << 4 | pixel(x + 1)));
    }
    out.pad_to(row_start + stride);
  }
  return bytes;
}

void register_toolbars() {
  static const std::vector<uint8_t> bitmap = pack_button_images(kImages);
  res::add_binary({res::BinaryKind::bitmap, IDR_MAINFRAME, nullptr, bitmap});
  res::add_toolbar({IDR_MAINFRAME, kButtonWidth, kButtonHeight, kStripCommands});
  for (const MainToolBar& bar : kToolBars) {
    res::add_toolbar({bar.id, kButtonWidth, kButtonHeight, bar.commands});
  }
}

}  // namespace resources
