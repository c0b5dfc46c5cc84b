// The main frame's menu (IDR_MAINFRAME), the one the frame shows while no sheet is open, and the
// texts that size the status bar's indicator panes. The pop-ups follow the program's command
// groups: "Plik", "Widok", "Zakładki", "Narzędzia" (the user tools are appended to it, pop-up 3),
// "Indeks", "Okno" (the sheets are listed under it) and "Pomoc".
#include "platform/framework/command_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

using res::MF_GRAYED;
using res::MF_POPUP;
using res::MF_SEPARATOR;
using res::MF_STRING;

constexpr res::MenuItemResource kSeparator = {1, 0, MF_SEPARATOR, nullptr};

constexpr res::MenuItemResource kMainMenu[] = {
    {0, 0, MF_POPUP, "&Plik"},
    {1, ::ID_FILE_NEW, MF_STRING, "&Nowy\tCtrl+N"},
    {1, ::ID_FILE_OPEN, MF_STRING, "&Otwórz...\tCtrl+O"},
    kSeparator,
    {1, ID_WORK_INFORMATION, MF_STRING, "In&formacja o pracy..."},
    kSeparator,
    {1, ::ID_FILE_PAGE_SETUP, MF_STRING, "Ustaw&ienia strony..."},
    {1, ::ID_FILE_PRINT_SETUP, MF_STRING, "Opcje &wydruku..."},
    kSeparator,
    {1, ::ID_FILE_MRU_FILE1, MF_GRAYED, "Ostatnio otwierany plik"},
    kSeparator,
    {1, ::ID_APP_EXIT, MF_STRING, "Za&kończ"},

    {0, 0, MF_POPUP, "&Widok"},
    {1, ID_VIEW_CONTENTS_BAR, MF_STRING, "&Spis treści..."},
    {1, ID_VIEW_NAVIGATOR_BAR, MF_STRING, "Na&wigator..."},
    {1, ID_TOOLBARS, MF_STRING, "Paski narzę&dzi..."},
    kSeparator,
    {1, ID_SHOW_LINKS, MF_STRING, "Pokaż &odsyłacze"},
    {1, ID_TITLE_PAGE, MF_STRING, "Strona tytułowa"},
    kSeparator,
    {1, ID_FULL_SCREEN, MF_STRING, "P&ełny ekran"},
    {1, ID_ALWAYS_ON_TOP, MF_STRING, "N&a wierzchu"},

    {0, 0, MF_POPUP, "&Zakładki"},
    {1, ID_HISTORY, MF_STRING, "&Historia..."},
    {1, ID_BOOKMARK_LIST, MF_STRING, "&Lista zakładek..."},
    {1, ID_RESULT_LIST, MF_STRING, "Lista wyników..."},
    {1, ID_SEARCH_RESULTS, MF_STRING, "Rezultaty przeszukiwania..."},
    kSeparator,
    {1, ID_PRINT_LIST, MF_STRING, "Lista do wydruku..."},
    {1, ID_ADD_TO_PRINT_LIST, MF_STRING, "Dodaj do wydruku..."},
    kSeparator,
    {1, ID_INSERT_BOOKMARK, MF_STRING, "&Wstaw zakładkę..."},

    {0, 0, MF_POPUP, "&Narzędzia"},
    {1, ID_QUERY, MF_STRING, "Z&apytanie..."},
    {1, ID_FIND_IN_ACT, MF_STRING, "&Znajdź w akcie..."},
    {1, ID_GO_TO, MF_STRING, "Prze&jdź do..."},
    {1, ID_ACT_INFORMATION, MF_STRING, "Infor&macja..."},
    kSeparator,
    // The developer commands of the text sheets: the contents index builder and the notes.
    {1, ID_BUILD_INDEX, MF_STRING, "BuildIndex"},
    {1, ID_ANNOTATION, MF_STRING, "Annotation"},
    kSeparator,
    {1, ID_OPTIONS, MF_STRING, "&Opcje..."},
    {1, ID_CUSTOMIZE, MF_STRING, "&Dostosuj..."},

    {0, 0, MF_POPUP, "&Indeks"},
    {1, ID_TITLES_INDEX, MF_STRING, "Indeks tytułów..."},
    {1, ID_SIGNATORIES_INDEX, MF_STRING, "Indeks podpisów..."},
    {1, ID_SUBJECT_INDEX, MF_STRING, "&Indeks rzeczowy..."},
    {1, ID_FORMULAS_INDEX, MF_STRING, "Indeks &wzorów..."},
    {1, ID_FIGURES_INDEX, MF_STRING, "Indeks ry&sunków..."},
    {1, ID_TABLES_INDEX, MF_STRING, "Indeks ta&blic..."},
    kSeparator,
    {1, ID_DATE_INDEX, MF_STRING, "Indeks &dat..."},

    {0, 0, MF_POPUP, "&Okno"},
    {1, ::ID_WINDOW_NEW, MF_STRING, "&Nowe okno"},

    {0, 0, MF_POPUP, "Pomo&c"},
    {1, ID_TIP_OF_THE_DAY, MF_STRING, "Porada &dnia..."},
    {1, ID_SEND_MAIL, MF_STRING, "Wyślij list"},
    kSeparator,
    {1, ::ID_APP_ABOUT, MF_STRING, "&O programie..."},
};

// The string of an indicator's id sizes its pane.
constexpr res::StringResource kIndicatorTexts[] = {
    {ID_INDICATOR_ACT, "poz #### (D.U. z #### roku Nr ###) "},
    {ID_INDICATOR_FOUND_WORDS, "###"},
    {::ID_INDICATOR_NUM, "NUM"},
    {::ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_DATE, "data: HH:MM:SS"},
    {ID_INDICATOR_MARK, "W"},
};

// Captions of the customize sheet and its pages and of the print list's window.
constexpr res::StringResource kCommandTexts[] = {
    {IDS_COMMANDS_PAGE, "Polecenia"},
    {IDS_TOOLS_PAGE, "Narzędzia"},
    {IDS_TOOLBARS_PAGE, "Paski narzędzi"},
    {IDS_CUSTOMIZE_SHEET, "Dostosuj"},
    {IDS_PRINT_LIST_WINDOW, "Lista do wydruku"},
};

}  // namespace

std::span<const res::MenuItemResource> main_frame_menu() { return kMainMenu; }

void register_main_frame_resources() {
  res::add_menu(IDR_MAINFRAME, kMainMenu);
  res::add_strings(kIndicatorTexts);
  res::add_strings(kCommandTexts);
}

}  // namespace resources
