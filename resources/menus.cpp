// The program's pop-up menus: the index pop-up of the tip of the day's menu button and the tabs
// of the "Nawigator" bar.
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

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

constexpr MenuTable kMenus[] = {
    {IDR_TIP_INDEX_MENU, kTipIndexMenu},
    {IDR_NAVIGATOR_MENU, kNavigatorMenu},
};

}  // namespace

std::span<const MenuTable> menu_tables() { return kMenus; }

void register_menus() {
  for (const MenuTable& menu : kMenus) res::add_menu(menu.id, menu.items);
}

}  // namespace resources
