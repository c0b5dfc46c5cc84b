// Button strips of the navigator and contents tabs and of the notes dialog (14 by 14 images on
// 21 by 20 buttons); 0 is a separator. Each strip's bitmap (same id) holds one image per button in
// button order; the images are drawn here as rows of characters (colours in button_bitmap.cpp).
#include <vector>

#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

constexpr int kImageSize = 14;

// An open folder.
constexpr const char* kEntryOpen[] = {
    "              ",
    " ####         ",
    "#yyyy#        ",
    "#yyyyy####### ",
    "#yyyyyyyyyyy# ",
    "#yy########## ",
    "#y#yyyyyyyyy# ",
    "#y#yyyyyyyy#  ",
    "##yyyyyyyyy#  ",
    "##yyyyyyyy#   ",
    "###########   ",
    "              ",
    "              ",
    "              ",
};
// A book with a pointing arrow.
constexpr const char* kEntryLocateInLibrary[] = {
    "              ",
    " #########    ",
    " #bbbbbbb#    ",
    " #b.....b#    ",
    " #bbbbbbb#   r",
    " #bbbbbbb#  rr",
    " #bbbbbbb# rrr",
    " #bbbbbbb#  rr",
    " #bbbbbbb#   r",
    " #########    ",
    " #.......#    ",
    " #########    ",
    "              ",
    "              ",
};
// An index card marked T.
constexpr const char* kKeywordTitlesIndex[] = {
    "              ",
    "############  ",
    "#..........#  ",
    "#.rrrrrrrr.#  ",
    "#..........#  ",
    "#..#####...#  ",
    "#....#.....#  ",
    "#....#.....#  ",
    "#....#.....#  ",
    "#....#.....#  ",
    "#..........#  ",
    "############  ",
    "              ",
    "              ",
};
// An index card marked P.
constexpr const char* kKeywordSignatoriesIndex[] = {
    "              ",
    "############  ",
    "#..........#  ",
    "#.rrrrrrrr.#  ",
    "#..........#  ",
    "#..####....#  ",
    "#..#...#...#  ",
    "#..####....#  ",
    "#..#.......#  ",
    "#..#.......#  ",
    "#..........#  ",
    "############  ",
    "              ",
    "              ",
};
// An index card marked S.
constexpr const char* kKeywordSubjectIndex[] = {
    "              ",
    "############  ",
    "#..........#  ",
    "#.rrrrrrrr.#  ",
    "#..........#  ",
    "#...###....#  ",
    "#..#.......#  ",
    "#...##.....#  ",
    "#.....#....#  ",
    "#..###.....#  ",
    "#..........#  ",
    "############  ",
    "              ",
    "              ",
};
// A sheet with a red ribbon.
constexpr const char* kEntryAddBookmark[] = {
    "#########     ",
    "#.....r.#     ",
    "#.###.r..#    ",
    "#.....r...#   ",
    "#.###.r####   ",
    "#....rrr..#   ",
    "#.###r.r..#   ",
    "#.........#   ",
    "#.#######.#   ",
    "#.........#   ",
    "#.#######.#   ",
    "#.........#   ",
    "###########   ",
    "              ",
};
// A printer.
constexpr const char* kPrintEntryList[] = {
    "              ",
    "   ########   ",
    "   #......#   ",
    "   #.####.#   ",
    "   #......#   ",
    " ###########  ",
    "#-----------# ",
    "#--------gg-# ",
    "############# ",
    "#...........# ",
    "############# ",
    " #.........#  ",
    " ###########  ",
    "              ",
};
// A list crossed out in red.
constexpr const char* kClearList[] = {
    "              ",
    " r#########r  ",
    " #r.......r#  ",
    " #.r.....r.#  ",
    " #..r###r..#  ",
    " #...r.r...#  ",
    " #.###r###.#  ",
    " #...r.r...#  ",
    " #..r###r..#  ",
    " #.r.....r.#  ",
    " #r.......r#  ",
    " r#########r  ",
    "              ",
    "              ",
};
// An "i" in a blue circle.
constexpr const char* kEntryInformation[] = {
    "    #####     ",
    "  ##bbbbb##   ",
    " #bbbb..bbb#  ",
    " #bbbbbbbbb#  ",
    "#bbbb...bbbb# ",
    "#bbbbb..bbbb# ",
    "#bbbbb..bbbb# ",
    "#bbbbb..bbbb# ",
    " #bbbb..bbb#  ",
    " #bbb....bb#  ",
    "  ##bbbbb##   ",
    "    #####     ",
    "              ",
    "              ",
};
// A grey blank button.
constexpr const char* kToolbarFirst[] = {
    "              ",
    "              ",
    "  ---------   ",
    "  -.......-   ",
    "  -.......-   ",
    "  -.......-   ",
    "  -.......-   ",
    "  -.......-   ",
    "  -.......-   ",
    "  ---------   ",
    "              ",
    "              ",
    "              ",
    "              ",
};
// A ribbon with a red cross.
constexpr const char* kBookmarkDelete[] = {
    "    rr        ",
    "    rr        ",
    "    rr        ",
    "   rrrr     # ",
    "   r  r    #  ",
    "          #   ",
    "  #      #    ",
    "   #    #     ",
    "    #  #      ",
    "     ##       ",
    "     ##       ",
    "    #  #      ",
    "   #    #     ",
    "  #      #    ",
};
// An arrow pointing up to a ribbon.
constexpr const char* kBookmarkPrevious[] = {
    "     rr       ",
    "     rr       ",
    "    rrrr      ",
    "    r  r      ",
    "              ",
    "      #       ",
    "     #g#      ",
    "    #ggg#     ",
    "   #ggggg#    ",
    "  ###ggg###   ",
    "    #ggg#     ",
    "    #ggg#     ",
    "    #ggg#     ",
    "    #####     ",
};
// An arrow pointing down to a ribbon.
constexpr const char* kBookmarkNext[] = {
    "    #####     ",
    "    #ggg#     ",
    "    #ggg#     ",
    "    #ggg#     ",
    "  ###ggg###   ",
    "   #ggggg#    ",
    "    #ggg#     ",
    "     #g#      ",
    "      #       ",
    "              ",
    "     rr       ",
    "     rr       ",
    "    rrrr      ",
    "    r  r      ",
};
// A sheet with a red cross.
constexpr const char* kBinderDeleteAct[] = {
    "#######       ",
    "#.....##      ",
    "#.###.#.#     ",
    "#.....####    ",
    "#.###....#    ",
    "#........#    ",
    "#.##r...r#    ",
    "#....r.r.#    ",
    "#.....r..#    ",
    "#....r.r.#    ",
    "#...r...r#    ",
    "##########    ",
    "              ",
    "              ",
};
// A binder with rings.
constexpr const char* kBinderOpen[] = {
    "  ##########  ",
    "  #bbbbbbbb#  ",
    " -#b......b#  ",
    "  #b......b#  ",
    " -#bbbbbbbb#  ",
    "  #bbbbbbbb#  ",
    " -#bbbbbbbb#  ",
    "  #bbbbbbbb#  ",
    " -#bbbbbbbb#  ",
    "  #bbbbbbbb#  ",
    " -#bbbbbbbb#  ",
    "  ##########  ",
    "              ",
    "              ",
};
// A binder tied with a red band.
constexpr const char* kBinderClose[] = {
    "  ##########  ",
    "  #bbbbbbbb#  ",
    " -#b......b#  ",
    "  #b......b#  ",
    " -#bbbbbbbb#  ",
    "  rrrrrrrrrr  ",
    " -rrrrrrrrrr  ",
    "  #bbbbbbbb#  ",
    " -#bbbbbbbb#  ",
    "  #bbbbbbbb#  ",
    " -#bbbbbbbb#  ",
    "  ##########  ",
    "              ",
    "              ",
};
// Lines of text with a wrapping arrow.
constexpr const char* kWordWrap[] = {
    "              ",
    " #########    ",
    "           ## ",
    " #######     #",
    "             #",
    " ######  g   #",
    "        gg### ",
    "       ggg    ",
    "        gg    ",
    " ####    g    ",
    "              ",
    " #######      ",
    "              ",
    "              ",
};
// A table with columns.
constexpr const char* kColumns[] = {
    "              ",
    "############# ",
    "#bbb#bbb#bbb# ",
    "############# ",
    "#...#...#...# ",
    "#...#...#...# ",
    "#...#...#...# ",
    "#...#...#...# ",
    "#...#...#...# ",
    "#...#...#...# ",
    "############# ",
    "              ",
    "              ",
    "              ",
};
// A pencil over a sheet.
constexpr const char* kNoteEdit[] = {
    "          ##  ",
    "         #yy# ",
    "        #yyy# ",
    " #####.#yyy#  ",
    " #...#yyyy#   ",
    " #..#yyyy#    ",
    " #.#yyyy#.#   ",
    " #.#..##..#   ",
    " ###.....#    ",
    " #........#   ",
    " #.######.#   ",
    " #........#   ",
    " ##########   ",
    "              ",
};
// A red cross.
constexpr const char* kNoteDelete[] = {
    "              ",
    "              ",
    "  rr      rr  ",
    "   rr    rr   ",
    "    rr  rr    ",
    "     rrrr     ",
    "      rr      ",
    "     rrrr     ",
    "    rr  rr    ",
    "   rr    rr   ",
    "  rr      rr  ",
    "              ",
    "              ",
    "              ",
};
// An arrow to a bar at the right.
constexpr const char* kNoteAtEnd[] = {
    "              ",
    "              ",
    "              ",
    "        #  ## ",
    "        ## ## ",
    "  #######g### ",
    "  #gggggggg## ",
    "  #######g### ",
    "        ## ## ",
    "        #  ## ",
    "              ",
    "              ",
    "              ",
    "              ",
};
// An arrow to a bar at the left.
constexpr const char* kNoteAtBeginning[] = {
    "              ",
    "              ",
    "              ",
    "  ##  #       ",
    "  ## ##       ",
    "  ###g####### ",
    "  ##gggggggg# ",
    "  ###g####### ",
    "  ## ##       ",
    "  ##  #       ",
    "              ",
    "              ",
    "              ",
    "              ",
};
// A question mark.
constexpr const char* kNoteUnhandled[] = {
    "              ",
    "     ####     ",
    "    ##  ##    ",
    "    ##  ##    ",
    "       ##     ",
    "      ##      ",
    "      ##      ",
    "      ##      ",
    "              ",
    "      ##      ",
    "      ##      ",
    "              ",
    "              ",
    "              ",
};

// The drawing of each command; the three lists' clear commands share one.
constexpr ButtonImage kImages[] = {
    {ID_ENTRY_OPEN, kEntryOpen},
    {ID_ENTRY_LOCATE_IN_LIBRARY, kEntryLocateInLibrary},
    {ID_KEYWORD_TITLES_INDEX, kKeywordTitlesIndex},
    {ID_KEYWORD_SIGNATORIES_INDEX, kKeywordSignatoriesIndex},
    {ID_KEYWORD_SUBJECT_INDEX, kKeywordSubjectIndex},
    {ID_ENTRY_ADD_BOOKMARK, kEntryAddBookmark},
    {ID_PRINT_ENTRY_LIST, kPrintEntryList},
    {ID_KEYWORD_RESULTS_CLEAR, kClearList},
    {ID_HISTORY_CLEAR, kClearList},
    {ID_SEARCH_RESULTS_CLEAR, kClearList},
    {ID_ENTRY_INFORMATION, kEntryInformation},
    {ID_TOOLBAR_FIRST, kToolbarFirst},
    {ID_BOOKMARK_DELETE, kBookmarkDelete},
    {ID_BOOKMARK_PREVIOUS, kBookmarkPrevious},
    {ID_BOOKMARK_NEXT, kBookmarkNext},
    {ID_BINDER_DELETE_ACT, kBinderDeleteAct},
    {ID_BINDER_OPEN, kBinderOpen},
    {ID_BINDER_CLOSE, kBinderClose},
    {ID_WORD_WRAP, kWordWrap},
    {ID_COLUMNS, kColumns},
    {ID_NOTE_EDIT, kNoteEdit},
    {ID_NOTE_DELETE, kNoteDelete},
    {ID_NOTE_AT_END, kNoteAtEnd},
    {ID_NOTE_AT_BEGINNING, kNoteAtBeginning},
    {ID_NOTE_UNHANDLED, kNoteUnhandled},
};

constexpr UINT kKeywordResults[] = {
    ID_ENTRY_OPEN, ID_ENTRY_LOCATE_IN_LIBRARY, 0, ID_KEYWORD_TITLES_INDEX,
    ID_KEYWORD_SIGNATORIES_INDEX, ID_KEYWORD_SUBJECT_INDEX, 0, ID_ENTRY_ADD_BOOKMARK, 0,
    ID_PRINT_ENTRY_LIST, ID_KEYWORD_RESULTS_CLEAR, 0, ID_ENTRY_INFORMATION,
};
constexpr UINT kHistory[] = {
    ID_ENTRY_OPEN, ID_ENTRY_LOCATE_IN_LIBRARY, 0, ID_ENTRY_ADD_BOOKMARK, 0, ID_PRINT_ENTRY_LIST,
    ID_HISTORY_CLEAR, 0, ID_ENTRY_INFORMATION, ID_TOOLBAR_FIRST,
};
constexpr UINT kBookmarks[] = {
    ID_ENTRY_OPEN, ID_ENTRY_LOCATE_IN_LIBRARY, ID_BOOKMARK_DELETE, 0, ID_BOOKMARK_PREVIOUS,
    ID_BOOKMARK_NEXT, 0, ID_PRINT_ENTRY_LIST, 0, ID_ENTRY_INFORMATION,
};
constexpr UINT kSearchResults[] = {
    ID_ENTRY_OPEN, ID_ENTRY_LOCATE_IN_LIBRARY, 0, ID_ENTRY_ADD_BOOKMARK, 0, ID_PRINT_ENTRY_LIST,
    ID_SEARCH_RESULTS_CLEAR, 0, ID_ENTRY_INFORMATION,
};
constexpr UINT kBinder[] = {
    ID_BINDER_DELETE_ACT, ID_ENTRY_OPEN, 0, ID_BINDER_OPEN, ID_BINDER_CLOSE, 0, ID_WORD_WRAP,
    ID_COLUMNS, 0, ID_ENTRY_INFORMATION,
};
constexpr UINT kLibrary[] = {ID_ENTRY_OPEN, 0, ID_WORD_WRAP, ID_COLUMNS, 0, ID_ENTRY_INFORMATION};
constexpr UINT kNotes[] = {ID_NOTE_EDIT, ID_NOTE_DELETE, 0, ID_NOTE_AT_END, ID_NOTE_AT_BEGINNING,
                           0, ID_NOTE_UNHANDLED};

constexpr res::ToolBarResource kStrips[] = {
    {IDR_KEYWORD_RESULTS_TOOLBAR, kImageSize, kImageSize, kKeywordResults},
    {IDR_HISTORY_TOOLBAR, kImageSize, kImageSize, kHistory},
    {IDR_BOOKMARK_TOOLBAR, kImageSize, kImageSize, kBookmarks},
    {IDR_SEARCH_RESULTS_TOOLBAR, kImageSize, kImageSize, kSearchResults},
    {IDR_BINDER_TOOLBAR, kImageSize, kImageSize, kBinder},
    {IDR_LIBRARY_TOOLBAR, kImageSize, kImageSize, kLibrary},
    {IDR_NOTES_TOOLBAR, kImageSize, kImageSize, kNotes},
};

}  // namespace

std::span<const res::ToolBarResource> tab_toolbars() { return kStrips; }

std::vector<ButtonImage> tab_toolbar_images(const res::ToolBarResource& strip) {
  std::vector<ButtonImage> images;
  for (UINT command : strip.commands) {
    if (command == 0) continue;
    for (const ButtonImage& image : kImages) {
      if (image.command == command) images.push_back(image);
    }
  }
  return images;
}

void register_tab_toolbars() {
  static const std::vector<std::vector<uint8_t>> bitmaps = [] {
    std::vector<std::vector<uint8_t>> packed;
    for (const res::ToolBarResource& strip : kStrips) {
      packed.push_back(pack_button_images(tab_toolbar_images(strip), kImageSize, kImageSize));
    }
    return packed;
  }();
  for (size_t i = 0; i < std::size(kStrips); ++i) {
    res::add_toolbar(kStrips[i]);
    res::add_binary({res::BinaryKind::bitmap, kStrips[i].id, nullptr, bitmaps[i]});
  }
}

}  // namespace resources
