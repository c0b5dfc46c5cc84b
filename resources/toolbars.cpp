// The main frame's toolbars and their button images. Strip IDR_MAINFRAME lists the commands that
// have an image, in the order of the images in bitmap IDR_MAINFRAME; the five bars list their
// buttons (0 a separator; the query box 115 and the position field 33007 are window buttons
// without an image) and take their images from that strip by command. The images are 16 by 15
// pixels, drawn here as rows of characters (colours in button_bitmap.cpp).
#include <array>
#include <vector>

#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

// A printer.
constexpr const char* kFilePrint[] = {
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
};
// Two sheets, one over the other.
constexpr const char* kEditCopy[] = {
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
};
// An "i" in a blue circle.
constexpr const char* kActInformation[] = {
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
};
// A book with a pointing arrow.
constexpr const char* kLocateInLibrary[] = {
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
};
// A magnifying glass.
constexpr const char* kQuery[] = {
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
};
// An arrow bending back to the left.
constexpr const char* kEditUndo[] = {
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
};
// A sheet with a red ribbon.
constexpr const char* kInsertBookmark[] = {
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
};
// A list of bookmarks.
constexpr const char* kBookmarkList[] = {
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
};
// A list with a magnifying glass.
constexpr const char* kSearchResults[] = {
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
};
// A yellow mark with an arrow down.
constexpr const char* kNextFound[] = {
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
};
// A yellow marker over a line of text.
constexpr const char* kHighlightFound[] = {
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
};
// Two links of a chain.
constexpr const char* kShowLinks[] = {
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
};
// A clock.
constexpr const char* kHistory[] = {
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
};
// An arrow with a question mark.
constexpr const char* kContextHelp[] = {
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
};
// A window with a bar along its foot.
constexpr const char* kViewNavigatorBar[] = {
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
};
// A window with a bar along its left side.
constexpr const char* kViewContentsBar[] = {
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
};
// Four arrows pointing to the corners.
constexpr const char* kFullScreen[] = {
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
};
// A window over another one.
constexpr const char* kAlwaysOnTop[] = {
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
};
// An arrow pointing left.
constexpr const char* kPreviousPage[] = {
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
};
// An arrow pointing right.
constexpr const char* kNextPage[] = {
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
};
// An index card marked S.
constexpr const char* kSubjectIndex[] = {
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
};
// An index card marked T.
constexpr const char* kTitlesIndex[] = {
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
};
// An index card marked P.
constexpr const char* kSignatoriesIndex[] = {
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
};
// A magnifying glass with a plus.
constexpr const char* kZoomMode[] = {
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
};
// Arrows to all four sides.
constexpr const char* kPanMode[] = {
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
};
// A ruler.
constexpr const char* kRulerMode[] = {
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
};

constexpr ButtonImage kImages[] = {
    {ID_FILE_PRINT, kFilePrint},
    {ID_EDIT_COPY, kEditCopy},
    {ID_ACT_INFORMATION, kActInformation},
    {ID_LOCATE_IN_LIBRARY, kLocateInLibrary},
    {ID_QUERY, kQuery},
    {ID_EDIT_UNDO, kEditUndo},
    {ID_INSERT_BOOKMARK, kInsertBookmark},
    {ID_BOOKMARK_LIST, kBookmarkList},
    {ID_SEARCH_RESULTS, kSearchResults},
    {ID_NEXT_FOUND, kNextFound},
    {ID_HIGHLIGHT_FOUND, kHighlightFound},
    {ID_SHOW_LINKS, kShowLinks},
    {ID_HISTORY, kHistory},
    {ID_CONTEXT_HELP, kContextHelp},
    {ID_VIEW_NAVIGATOR_BAR, kViewNavigatorBar},
    {ID_VIEW_CONTENTS_BAR, kViewContentsBar},
    {ID_FULL_SCREEN, kFullScreen},
    {ID_ALWAYS_ON_TOP, kAlwaysOnTop},
    {ID_PREVIOUS_PAGE, kPreviousPage},
    {ID_NEXT_PAGE, kNextPage},
    {ID_SUBJECT_INDEX, kSubjectIndex},
    {ID_TITLES_INDEX, kTitlesIndex},
    {ID_SIGNATORIES_INDEX, kSignatoriesIndex},
    {ID_ZOOM_MODE, kZoomMode},
    {ID_PAN_MODE, kPanMode},
    {ID_RULER_MODE, kRulerMode},
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

}  // namespace

std::span<const ButtonImage> button_images() { return kImages; }
std::span<const MainToolBar> main_toolbars() { return kToolBars; }

void register_toolbars() {
  static const std::vector<uint8_t> bitmap =
      pack_button_images(kImages, kButtonWidth, kButtonHeight);
  res::add_binary({res::BinaryKind::bitmap, IDR_MAINFRAME, nullptr, bitmap});
  res::add_toolbar({IDR_MAINFRAME, kButtonWidth, kButtonHeight, kStripCommands});
  for (const MainToolBar& bar : kToolBars) {
    res::add_toolbar({bar.id, kButtonWidth, kButtonHeight, bar.commands});
  }
}

}  // namespace resources
