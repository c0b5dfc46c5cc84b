// The program's own cursors, drawn for it: splitter and sizing arrows, the hand over links, and
// the drag cursors for copy, move and link.
#include "resources/program_resources.h"

namespace resources {
namespace {

// Left-right arrows across a double bar: over a vertical splitter or a divider.
constexpr const char* kSplitAcross[] = {
    "        .##.        ",
    "        .##.        ",
    "        .##.        ",
    "    .   .##.   .    ",
    "   .#.  .##.  .#.   ",
    "  .##.  .##.  .##.  ",
    " .###....##....###. ",
    ".##################.",
    " .###....##....###. ",
    "  .##.  .##.  .##.  ",
    "   .#.  .##.  .#.   ",
    "    .   .##.   .    ",
    "        .##.        ",
    "        .##.        ",
    "        .##.        ",
};

// Up-down arrows across a double bar: over a horizontal splitter.
constexpr const char* kSplitUpDown[] = {
    "      .      ",
    "     .#.     ",
    "    .###.    ",
    "   .#####.   ",
    "  ....#....  ",
    "      #      ",
    ".............",
    "#############",
    "#############",
    ".............",
    "      #      ",
    "  ....#....  ",
    "   .#####.   ",
    "    .###.    ",
    "     .#.     ",
    "      .      ",
};

// A pointing hand over links and hot spots.
constexpr const char* kHand[] = {
    "     ##          ",
    "    #..#         ",
    "    #..#         ",
    "    #..#         ",
    "    #..###       ",
    "    #..#..###    ",
    "    #..#..#..##  ",
    "##  #..#..#..#.# ",
    "#..##........#.# ",
    "#...#..........# ",
    " #.............# ",
    "  #............# ",
    "  #...........#  ",
    "   #..........#  ",
    "    #........#   ",
    "    #........#   ",
    "    ##########   ",
};

// The arrow that the drag cursors share, with room for a mark at its lower right.
#define LUMO_DRAG_ARROW                 \
  "#                   ",               \
  "##                  ",               \
  "#.#                 ",               \
  "#..#                ",               \
  "#...#               ",               \
  "#....#              ",               \
  "#.....#             ",               \
  "#......#            ",               \
  "#.......#           ",               \
  "#........#          ",               \
  "#.....#####         ",               \
  "#..#..#             ",               \
  "#.# #..#            ",               \
  "##  #..#            ",               \
  "     #..#           "

constexpr const char* kDragCopy[] = {
    LUMO_DRAG_ARROW,
    "     #..# ######### ",
    "      ##  #...#...# ",
    "          #...#...# ",
    "          ###...### ",
    "          #.......# ",
    "          ###...### ",
    "          #...#...# ",
    "          ######### ",
};

constexpr const char* kDragMove[] = {
    LUMO_DRAG_ARROW,
    "     #..# ######### ",
    "      ##  #.......# ",
    "          #.......# ",
    "          #.......# ",
    "          #.......# ",
    "          #.......# ",
    "          #.......# ",
    "          ######### ",
};

constexpr const char* kDragLink[] = {
    LUMO_DRAG_ARROW,
    "     #..# ######### ",
    "      ##  #.......# ",
    "          #..#####. ",
    "          #...###.# ",
    "          #..#.##.# ",
    "          #.#...#.# ",
    "          #.......# ",
    "          ######### ",
};

#undef LUMO_DRAG_ARROW

constexpr res::CursorResource kCursors[] = {
    {30980, 9, 7, kSplitAcross},  // vertical splitter strip
    {20692, 9, 7, kSplitAcross},  // sizing a toolbar button or a list column divider
    {30981, 6, 8, kSplitUpDown},  // horizontal splitter strip
    {143, 5, 0, kHand},           // hand over a link
    {103, 5, 0, kHand},           // hand over a link or object of a text sheet's pane
    {106, 5, 0, kHand},           // hand over the workbook's background name
    {20691, 0, 0, kDragCopy},     // toolbar button copied by dragging
    {303, 0, 0, kDragCopy},
    {309, 0, 0, kDragMove},
    {304, 0, 0, kDragLink},
};

}  // namespace

void register_cursors() {
  for (const res::CursorResource& c : kCursors) res::add_cursor(c);
}

}  // namespace resources
