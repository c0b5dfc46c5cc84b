// Button strips of the navigator and contents tabs and of the notes dialog (14 by 14 images on
// 21 by 20 buttons); 0 is a separator.
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

constexpr int kImageSize = 14;

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

void register_tab_toolbars() {
  for (const res::ToolBarResource& strip : kStrips) res::add_toolbar(strip);
}

}  // namespace resources
