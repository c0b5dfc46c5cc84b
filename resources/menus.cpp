// The program's pop-up menus: the index pop-up of the tip of the day's menu button, the tabs of
// the "Nawigator" bar, the context menus of its history, bookmarks and search results tabs
// and of the index results tab (the tab picks the pop-up by position), and the query page's three
// menu buttons. The pop-ups of the two results tabs carry no names.
#include <algorithm>
#include <array>
#include <cstddef>

#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

using res::MF_GRAYED;
using res::MF_POPUP;
using res::MF_SEPARATOR;
using res::MF_STRING;

constexpr res::MenuItemResource kTipIndexMenu[] = {
    {0, 0, MF_POPUP, "&Indeksy"},
    {1, ID_TITLES_INDEX, MF_STRING, "Indeks tytułów"},
    {1, ID_SIGNATORIES_INDEX, MF_STRING, "Indeks podpisów..."},
    {1, ID_SUBJECT_INDEX, MF_STRING, "&Indeks rzeczowy..."},
    {1, ID_FORMULAS_INDEX, MF_STRING, "Indeks &wzorów..."},
    {1, ID_FIGURES_INDEX, MF_STRING, "Indeks ry&sunków..."},
    {1, ID_TABLES_INDEX, MF_STRING, "Indeks ta&blic..."},
    {1, 0, MF_SEPARATOR, nullptr},
    {1, ID_DATE_INDEX, MF_STRING, "Indeks &dat..."},
};

constexpr res::MenuItemResource kNavigatorMenu[] = {
    {0, 0, MF_POPUP, "OUTPUTWND"},
    {1, ID_HISTORY_TAB, MF_STRING, "Historia"},
    {1, ID_BOOKMARKS_TAB, MF_STRING, "Zakładki"},
    {1, ID_INDEXES_TAB, MF_STRING, "Indeksy"},
    {1, ID_RESULTS_TAB, MF_STRING, "Rezultaty"},
};

constexpr res::MenuItemResource kSeparator = {1, 0, MF_SEPARATOR, nullptr};

constexpr res::MenuItemResource kHistoryMenu[] = {
    {0, 0, MF_POPUP, "HISTORY0"},
    {1, ID_ENTRY_OPEN, MF_STRING, "&Otwórz"},
    {1, ID_ENTRY_OPEN_NEW_SHEET, MF_STRING, "Otwórz w &nowym arkuszu"},
    {1, ID_ENTRY_LOCATE_IN_LIBRARY, MF_STRING, "&Zlokalizuj w Bibliotece"},
    kSeparator,
    {1, ID_ENTRY_ADD_BOOKMARK, MF_STRING, "Dodaj zakładkę"},
    kSeparator,
    {1, ID_PRINT_ENTRY_LIST, MF_STRING, "Drukuj listę"},
    {1, ID_HISTORY_CLEAR, MF_STRING, "Wyczyść listę"},
    kSeparator,
    {1, ID_ENTRY_INFORMATION, MF_STRING, "Informacja"},
    {0, 0, MF_POPUP, "HISTORY1"},
    {1, ID_PRINT_ENTRY_LIST, MF_STRING, "Drukuj listę"},
    {1, ID_HISTORY_CLEAR, MF_STRING, "Wyczyść listę"},
};

constexpr res::MenuItemResource kBookmarkMenu[] = {
    {0, 0, MF_POPUP, "BOOKMARKTAB0"},
    {1, ID_ENTRY_OPEN, MF_STRING, "&Otwórz"},
    {1, ID_ENTRY_OPEN_NEW_SHEET, MF_STRING, "Otwórz w &nowym arkuszu"},
    {1, ID_ENTRY_LOCATE_IN_LIBRARY, MF_STRING, "&Zlokalizuj w Bibliotece"},
    {1, ID_BOOKMARK_DELETE, MF_STRING, "Usuń zakładkę z listy"},
    kSeparator,
    {1, ID_PRINT_ENTRY_LIST, MF_STRING, "&Drukuj listę"},
    kSeparator,
    {1, ID_ENTRY_INFORMATION, MF_STRING, "Informacja"},
    {0, 0, MF_POPUP, "BOOKMARKTAB1"},
    {1, ID_ENTRY_ADD_BOOKMARK, MF_STRING, "Dodaj zakładkę"},
    kSeparator,
    {1, ID_PRINT_ENTRY_LIST, MF_STRING, "&Drukuj listę"},
    {0, 0, MF_POPUP, "BOOKMARKTAB2"},
    {1, ID_ENTRY_ADD_BOOKMARK, MF_STRING, "Dodaj zakładkę"},
};

constexpr res::MenuItemResource kSearchResultsMenu[] = {
    {0, 0, MF_POPUP, ""},
    {1, ID_ENTRY_OPEN, MF_STRING, "&Otwórz"},
    {1, ID_ENTRY_OPEN_NEW_SHEET, MF_STRING, "Otwórz w &nowym arkuszu"},
    {1, ID_ENTRY_LOCATE_IN_LIBRARY, MF_STRING, "&Zlokalizuj w Bibliotece"},
    kSeparator,
    {1, ID_ENTRY_ADD_BOOKMARK, MF_STRING, "Dodaj zakładkę"},
    kSeparator,
    {1, ID_PRINT_ENTRY_LIST, MF_STRING, "Drukuj listę"},
    {1, ID_SEARCH_RESULTS_CLEAR, MF_STRING, "Wyczyść listę"},
    kSeparator,
    {1, ID_ENTRY_INFORMATION, MF_STRING, "Informacja"},
    {0, 0, MF_POPUP, ""},
    {1, ID_PRINT_ENTRY_LIST, MF_STRING, "Drukuj listę"},
    {1, ID_SEARCH_RESULTS_CLEAR, MF_STRING, "Wyczyść listę"},
};

constexpr res::MenuItemResource kQueryPageMenu[] = {
    {0, 0, MF_POPUP, "_FINDMORE_"},
    {1, ID_SCOPE_ALL, MF_STRING, "Wszystkie"},
    kSeparator,
    {1, ID_SCOPE_YEARS, MF_STRING, "Roczniki..."},
    {1, ID_SCOPE_RANKS, MF_STRING, "Ranga..."},
    {1, ID_SCOPE_PERSONS, MF_STRING, "Nazwisko..."},
    {1, ID_SCOPE_POSITIONS, MF_STRING, "Stanowisko..."},
    {1, ID_SCOPE_JOURNALS, MF_GRAYED, "Publikatory..."},
    {0, 0, MF_POPUP, "_FINDTITLE_"},
    {1, ID_HEADINGS_ALL, MF_STRING, "Wszystkie"},
    kSeparator,
    {1, ID_HEADINGS_ACTS, MF_STRING, "Aktów"},
    {1, ID_HEADINGS_TITLES, MF_STRING, "Tytułów"},
    {1, ID_HEADINGS_PARTS, MF_STRING, "Części"},
    {1, ID_HEADINGS_BOOKS, MF_STRING, "Ksiąg"},
    {1, ID_HEADINGS_DIVISIONS, MF_STRING, "Działów"},
    {1, ID_HEADINGS_CHAPTERS, MF_STRING, "Rozdziałów"},
    {1, ID_HEADINGS_SECTIONS, MF_STRING, "Odziałów"},
    {0, 0, MF_POPUP, "_FINDOPERATORS_"},
    {1, ID_OPERATOR_AND, MF_STRING, "ORAZ"},
    {1, ID_OPERATOR_OR, MF_STRING, "LUB"},
    {1, ID_OPERATOR_NOT, MF_STRING, "NIE"},
    {1, ID_OPERATOR_NEAR, MF_STRING, "PRZY"},
    kSeparator,
    {1, ID_OPERATOR_QUOTE, MF_STRING, "Cytat"},
    {1, ID_OPERATOR_BRACKETS, MF_STRING, "Nawiasy"},
    kSeparator,
    {1, ID_OPERATOR_ANY_CHARACTERS, MF_STRING, "Dowolne znaki"},
    {1, ID_OPERATOR_ANY_CHARACTER, MF_STRING, "Dowolny znak"},
};

// Menus whose pop-ups share a run of items are put together from runs.
template <size_t... N>
constexpr auto join(const std::array<res::MenuItemResource, N>&... runs) {
  std::array<res::MenuItemResource, (N + ...)> items{};
  size_t at = 0;
  ((std::copy(runs.begin(), runs.end(), items.begin() + static_cast<std::ptrdiff_t>(at)),
    at += N),
   ...);
  return items;
}

// The "Indeksy" sub-menu of the index results tab.
constexpr std::array<res::MenuItemResource, 8> kKeywordIndexes = {{
    {1, 0, MF_POPUP, "Indeksy"},
    {2, ID_KEYWORD_TITLES_INDEX, MF_STRING, "Indeks &tytułów..."},
    {2, ID_KEYWORD_SIGNATORIES_INDEX, MF_STRING, "Indeks &podpisów..."},
    {2, ID_KEYWORD_SUBJECT_INDEX, MF_STRING, "Indeks &rzeczowy..."},
    {2, ID_KEYWORD_FORMULAS_INDEX, MF_STRING, "Indeks &wzorów..."},
    {2, ID_KEYWORD_FIGURES_INDEX, MF_STRING, "Indeks ry&sunków..."},
    {2, ID_KEYWORD_TABLES_INDEX, MF_STRING, "Indeks ta&blic..."},
    {2, ID_KEYWORD_DATE_INDEX, MF_STRING, "Indeks &dat..."},
}};
constexpr std::array<res::MenuItemResource, 2> kKeywordListCommands = {{
    {1, ID_PRINT_ENTRY_LIST, MF_STRING, "Drukuj listę"},
    {1, ID_KEYWORD_RESULTS_CLEAR, MF_STRING, "Wyczyść listę"},
}};

// Pop-up 0 with a row selected, 1 with rows but none selected, 2 with an empty list.
constexpr auto kKeywordResultsMenu = join(
    std::array<res::MenuItemResource, 4>{{
        {0, 0, MF_POPUP, ""},
        {1, ID_ENTRY_OPEN, MF_STRING, "&Otwórz"},
        {1, ID_ENTRY_OPEN_NEW_SHEET, MF_STRING, "Otwórz w &nowym arkuszu"},
        {1, ID_ENTRY_LOCATE_IN_LIBRARY, MF_STRING, "&Zlokalizuj w Bibliotece"},
    }},
    kKeywordIndexes,
    std::array<res::MenuItemResource, 1>{{{1, ID_ENTRY_ADD_BOOKMARK, MF_STRING, "Dodaj zakładkę"}}},
    kKeywordListCommands,
    std::array<res::MenuItemResource, 2>{{
        {1, ID_ENTRY_INFORMATION, MF_STRING, "Informacja"},
        {0, 0, MF_POPUP, ""},
    }},
    kKeywordIndexes, kKeywordListCommands,
    std::array<res::MenuItemResource, 1>{{{0, 0, MF_POPUP, ""}}}, kKeywordIndexes);

constexpr MenuTable kMenus[] = {
    {IDR_TIP_INDEX_MENU, kTipIndexMenu},
    {IDR_NAVIGATOR_MENU, kNavigatorMenu},
    {IDR_HISTORY_MENU, kHistoryMenu},
    {IDR_BOOKMARK_MENU, kBookmarkMenu},
    {IDR_SEARCH_RESULTS_MENU, kSearchResultsMenu},
    {IDR_QUERY_PAGE_MENU, kQueryPageMenu},
    {IDR_KEYWORD_RESULTS_MENU, kKeywordResultsMenu},
};

}  // namespace

std::span<const MenuTable> menu_tables() { return kMenus; }

void register_menus() {
  for (const MenuTable& menu : kMenus) res::add_menu(menu.id, menu.items);
}

}  // namespace resources
