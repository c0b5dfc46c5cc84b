// The find / go-to sheet's resources: the query, find-in-act and go-to pages, the scope pages, the
// search progress window with its animation strip, the query hints and the results tab.
#include <cstdint>
#include <vector>

#include "platform/controls/animate_ctrl.h"
#include "platform/controls/list_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/dialog.h"
#include "platform/gdi/core/bitmap.h"
#include "platform/gdi/core/dib.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kPage = WS_CHILD | WS_CAPTION | DS_SETFONT;
constexpr DWORD kTab = WS_CHILD | DS_CONTROL | DS_SETFONT;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCheck = kChild | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kRadio = kChild | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr DWORD kLabel = kChild | SS_LEFT;
constexpr DWORD kLine = kChild | SS_ETCHEDHORZ;
constexpr UINT kStatic = UINT(-1);

constexpr res::DialogControlResource kQueryControls[] = {
    {kStatic, "Static", "Znajdź:", {7, 9, 40, 17}, kLabel, 0},
    {IDC_QUERY_TEXT, "ComboBox", "", {42, 7, 222, 90}, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0},
    {IDC_QUERY_OPERATORS, "Button", "", {226, 7, 240, 19}, kChild | WS_TABSTOP | BS_OWNERDRAW, 0},
    {IDC_QUERY_FIND, "Button", "&Znajdź", {246, 6, 296, 20}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {IDC_QUERY_DEFAULT_AND, "Button", "&Oraz jako operator domyślny", {42, 23, 180, 33}, kCheck, 0},
    {IDC_QUERY_CLOSE, "Button", "Zamknij", {246, 24, 296, 38}, kButton, 0},
    {IDC_QUERY_HINTS, "Button", "Podpowiedź", {246, 42, 296, 56}, kButton, 0},
    {kStatic, "Static", "", {7, 40, 240, 42}, kLine, 0},
    {kStatic, "Static", "Zakres:", {7, 47, 60, 55}, kLabel, 0},
    {IDC_QUERY_SCOPE, "Button", "Za&kres", {62, 45, 112, 58}, kChild | WS_TABSTOP | BS_OWNERDRAW, 0},
    {IDC_QUERY_RESET, "Button", "Resetuj", {116, 45, 160, 58}, kButton, 0},
    {kStatic, "Static", "Roczniki:", {14, 63, 70, 71}, kLabel, 0},
    {IDC_QUERY_YEARS_LABEL, "Static", "wszystkie", {72, 63, 240, 71}, kLabel, 0},
    {kStatic, "Static", "Ranga:", {14, 73, 70, 81}, kLabel, 0},
    {IDC_QUERY_RANKS_LABEL, "Static", "wszystkie", {72, 73, 240, 81}, kLabel, 0},
    {kStatic, "Static", "Nazwiska:", {14, 83, 70, 91}, kLabel, 0},
    {IDC_QUERY_PERSONS_LABEL, "Static", "wszystkie", {72, 83, 240, 91}, kLabel, 0},
    {kStatic, "Static", "Stanowiska:", {14, 93, 70, 101}, kLabel, 0},
    {IDC_QUERY_POSITIONS_LABEL, "Static", "wszystkie", {72, 93, 240, 101}, kLabel, 0},
    {kStatic, "Static", "Publikatory:", {14, 103, 70, 111}, kLabel, 0},
    {IDC_QUERY_JOURNALS_LABEL, "Static", "Dzienniki Ustaw", {72, 103, 240, 111}, kLabel, 0},
    {kStatic, "Static", "", {7, 116, 296, 118}, kLine, 0},
    {kStatic, "Static", "Dodatkowe\nograniczenia\nprzeszukiwania:", {7, 122, 70, 148}, kLabel, 0},
    {IDC_QUERY_TITLES_ONLY, "Button", "&wyłącznie tytuły", {72, 122, 160, 132}, kCheck, 0},
    {IDC_QUERY_HEADINGS, "Button", "", {162, 121, 176, 133}, WS_CHILD | WS_TABSTOP | BS_OWNERDRAW, 0},
    {IDC_QUERY_LIST_SCOPE, "ComboBox", "", {72, 136, 240, 220}, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0},
    {kStatic, "Static", "", {7, 154, 296, 156}, kLine, 0},
    {kStatic, "Static", "Wyniki przeszukiwania", {7, 160, 100, 168}, kLabel, 0},
    {IDC_QUERY_NEW_LIST, "Button", "wyświetl na nowej liście", {102, 160, 200, 170}, WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
    {IDC_QUERY_SORT, "Button", "sortuj", {102, 160, 160, 170}, kCheck, 0},
};

constexpr res::DialogControlResource kFindControls[] = {
    {kStatic, "Static", "Znajdź", {7, 9, 40, 17}, kLabel, 0},
    {IDC_FIND_TEXT, "ComboBox", "", {42, 7, 240, 90}, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0},
    {IDC_FIND_NEXT, "Button", "&Następny", {246, 6, 296, 20}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {IDC_FIND_PREVIOUS, "Button", "&Poprzedni", {246, 24, 296, 38}, WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0},
    {IDC_FIND_DEFAULT_AND, "Button", "&Oraz jako operator domyślny", {42, 23, 180, 33}, kCheck | WS_DISABLED, 0},
    {IDC_FIND_CLOSE, "Button", "Zamknij", {246, 24, 296, 38}, kButton, 0},
    {IDC_FIND_HINTS, "Button", "Podpowiedź", {246, 42, 296, 56}, kButton, 0},
    {IDC_FIND_FROM_TOP, "Button", "Od początku strony", {42, 36, 140, 46}, WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
    {IDC_FIND_WHOLE_WORDS, "Button", "Uwzględniaj tylko całe wyrazy", {42, 48, 180, 58}, WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
    {kStatic, "Button", "Kierunek", {246, 84, 296, 118}, kChild | BS_GROUPBOX, 0},
    {IDC_FIND_UP, "Button", "&W górę", {252, 94, 294, 104}, kRadio | WS_GROUP, 0},
    {IDC_FIND_DOWN, "Button", "W &dół", {252, 105, 294, 115}, kRadio, 0},
    {kStatic, "Static", "Zakres", {7, 62, 60, 70}, kLabel, 0},
    {kStatic, "Static", "", {7, 72, 240, 74}, kLine, 0},
    {IDC_FIND_UNIT, "Button", "Bieżącą jednostkę redakcyjną", {14, 77, 240, 87}, kRadio | WS_GROUP, 0},
    {IDC_FIND_UNIT_AND_BELOW, "Button", "Bieżącą jednostkę redakcyjną i jed. niższego rzędu", {14, 89, 240, 99},
     kRadio | WS_DISABLED, 0},
    {IDC_FIND_ACT, "Button", "Cały akt normatywny", {14, 101, 240, 111}, kRadio | WS_DISABLED, 0},
    {IDC_FIND_ACT_AND_ATTACHMENTS, "Button", "Cały akt normatywny wraz z załącznikami", {14, 113, 240, 123},
     kRadio | WS_DISABLED, 0},
    {kStatic, "Static", "", {7, 130, 296, 132}, kLine, 0},
    {kStatic, "Static", "Wyniki przeszukiwania", {7, 136, 100, 144}, kLabel, 0},
    {kStatic, "Static", "Wyniki przeszukiwania istnieją do momentu przejścia do innego aktu normatywnego",
     {14, 148, 296, 164}, kLabel, 0},
};

constexpr res::DialogControlResource kGotoControls[] = {
    {kStatic, "Static", "Przej&dź do", {7, 7, 60, 15}, kLabel, 0},
    {kStatic, "Static", "", {62, 11, 296, 13}, kLine, 0},
    {IDC_GOTO_KIND, "ListBox", "", {7, 20, 100, 80}, kChild | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 0},
    {IDC_GOTO_ARTICLE, "Edit", "", {108, 24, 160, 36}, kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0},
    {IDC_GOTO_YEAR, "Edit", "", {164, 24, 236, 36}, kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0},
    {IDC_GOTO_POSITION, "Edit", "", {240, 24, 296, 36}, kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0},
    {kStatic, "Static", "Wpisz odpowiednie liczby i naciśnij przycisk Przejdź do aby wyświetliś żądany tekst",
     {108, 44, 296, 60}, kLabel, 0},
    {kStatic, "Static", "Pozostawione wolne miejsca zostaną uzupełnione bieżącym numerem roku lub pozycji. ",
     {108, 62, 296, 78}, kLabel, 0},
    {IDC_GOTO_GO, "Button", "&Przejdź do", {180, 90, 236, 104}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {IDC_GOTO_PREVIOUS, "Button", "P&oprzedni", {120, 90, 176, 104}, WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0},
    {IDCANCEL, "Button", "Zamknij", {240, 90, 296, 104}, kButton, 0},
};

constexpr res::DialogControlResource kAbortControls[] = {
    {IDC_ABORT_ICON, "Static", "", {8, 8, 28, 28}, kChild | SS_ICON, 0},
    {kStatic, "Static", "Naciśnij przycisk PRZERWIJ\naby zakończyć przeszukiwanie", {34, 8, 160, 26}, kLabel, 0},
    {IDC_ABORT_ANIMATION, ANIMATE_CLASS, "", {34, 30, 160, 58}, kChild | ACS_CENTER, 0},
    {IDCANCEL, "Button", "Przerwij", {60, 64, 116, 78}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
};

constexpr res::DialogControlResource kHintsControls[] = {
    {kStatic, "Static", "Opcje podstawowe - przykład", {7, 7, 145, 15}, kLabel, 0},
    {kStatic, "Static", "Wyniki przeszukiwania", {150, 7, 390, 15}, kLabel, 0},
    {kStatic, "Static", "x y", {14, 19, 120, 27}, kLabel, 0},
    {kStatic, "Static", "Wszystkie opisy zawierające w tekście słowo x lub y", {150, 19, 390, 27}, kLabel, 0},
    {kStatic, "Static", "\"x y\"", {14, 30, 120, 38}, kLabel, 0},
    {kStatic, "Static", "Wszystkie opisy zawierające w tekście cytat składający się ze słów x i y", {150, 30, 390, 38}, kLabel, 0},
    {kStatic, "Static", "x*", {14, 41, 120, 49}, kLabel, 0},
    {kStatic, "Static", "Wszystkie opisy zawierające wyrazy rozpoczynające się od x", {150, 41, 390, 49}, kLabel, 0},
    {kStatic, "Static", "", {7, 53, 390, 55}, kLine, 0},
    {kStatic, "Static", "Operator", {7, 59, 50, 67}, kLabel, 0},
    {kStatic, "Static", "przykład", {56, 59, 120, 67}, kLabel, 0},
    {kStatic, "Static", "Wyniki przeszukiwania", {150, 59, 390, 67}, kLabel, 0},
    {kStatic, "Static", "ORAZ", {14, 71, 50, 79}, kLabel, 0},
    {kStatic, "Static", "x ORAZ y", {56, 71, 120, 79}, kLabel, 0},
    {kStatic, "Static", "Wszystkie opisy zawierające słowa x i y", {150, 71, 390, 79}, kLabel, 0},
    {kStatic, "Static", "LUB", {14, 82, 50, 90}, kLabel, 0},
    {kStatic, "Static", "x LUB y", {56, 82, 120, 90}, kLabel, 0},
    {kStatic, "Static", "Wszystkie opisy zawierające słowo x lub y", {150, 82, 390, 90}, kLabel, 0},
    {kStatic, "Static", "NIE", {14, 93, 50, 101}, kLabel, 0},
    {kStatic, "Static", "x NIE y", {56, 93, 120, 101}, kLabel, 0},
    {kStatic, "Static", "Wszystkie opisy zawierające słowo x lecz bez słowa y", {150, 93, 390, 101}, kLabel, 0},
    {kStatic, "Static", "PRZY", {14, 104, 50, 112}, kLabel, 0},
    {kStatic, "Static", "x PRZY y", {56, 104, 120, 112}, kLabel, 0},
    {IDC_HINTS_NEAR, "Static", "", {150, 104, 390, 120}, kLabel, 0},
    {kStatic, "Static", "", {7, 124, 390, 126}, kLine, 0},
    {kStatic, "Static", "Zastosowanie nawiasów - przykład", {7, 130, 145, 138}, kLabel, 0},
    {kStatic, "Static", "Wyniki przeszukiwania", {150, 130, 390, 138}, kLabel, 0},
    {kStatic, "Static", "x NIE (y LUB z)", {14, 142, 120, 150}, kLabel, 0},
    {kStatic, "Static", "Wszystkie opisy zawierające słowo x lecz pod warunkiem, że w opisie nie występuje słowo y ani z",
     {150, 142, 390, 158}, kLabel, 0},
    {kStatic, "Static", "", {7, 162, 390, 164}, kLine, 0},
    {IDOK, "Button", "&OK", {170, 168, 226, 182}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
};

#define SCOPE_LIST_PAGE(NAME, PROMPT, LIST, CHOSEN_LABEL, CHOSEN, COUNT_LABEL, COUNT)                         \
  constexpr res::DialogControlResource NAME[] = {                                                          \
      {kStatic, "Static", PROMPT, {7, 7, 230, 25}, kLabel, 0},                                               \
      {LIST, "ListBox", "", {7, 28, 140, 150},                                                               \
       kChild | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_MULTIPLESEL, 0},         \
      {kStatic, "Static", CHOSEN_LABEL, {146, 28, 230, 36}, kLabel, 0},                                      \
      {CHOSEN, "Static", "", {146, 38, 230, 90}, kLabel, 0},                                                  \
      {kStatic, "Static", COUNT_LABEL, {146, 100, 230, 118}, kLabel, 0},                                     \
      {COUNT, "Static", "Wszystkie", {146, 120, 230, 128}, kLabel, 0},                                       \
  }

SCOPE_LIST_PAGE(kYearControls, "Wybierz te roczniki do których chcesz ograniczyć przeszukiwanie", IDC_SCOPE_YEAR_LIST,
                "Roczniki", IDC_SCOPE_YEAR_CHOSEN, "Ilość jed. redakcyjnych \nw wybranym zakresie",
                IDC_SCOPE_YEAR_COUNT);
SCOPE_LIST_PAGE(kRankControls, "Wybierz jakiej rangi akty normatywne mają zostać przeszukane", IDC_SCOPE_RANK_LIST,
                "Ranga:", IDC_SCOPE_RANK_CHOSEN, "Ilość jed. redakcyjnych \nw wybranym zakresie:",
                IDC_SCOPE_RANK_COUNT);

constexpr DWORD kKeywordList =
    kChild | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;

#define SCOPE_KEYWORD_PAGE(NAME, PROMPT, LIST, CHOSEN_LABEL, CHOSEN, COUNT_LABEL, COUNT)                      \
  constexpr res::DialogControlResource NAME[] = {                                                          \
      {kStatic, "Static", PROMPT, {7, 7, 230, 33}, kLabel, 0},                                               \
      {LIST, WC_LISTVIEW, "", {7, 36, 230, 120}, kKeywordList, 0},                                           \
      {kStatic, "Static", CHOSEN_LABEL, {7, 124, 90, 132}, kLabel, 0},                                       \
      {CHOSEN, "Static", "", {92, 124, 230, 132}, kLabel, 0},                                                 \
      {kStatic, "Static", COUNT_LABEL, {7, 136, 90, 154}, kLabel, 0},                                        \
      {COUNT, "Static", "Wszystkie", {92, 140, 230, 148}, kLabel, 0},                                         \
  }

SCOPE_KEYWORD_PAGE(kPersonControls,
                   "Wybierz nazwiska tych osób, których podpisy widnieją pod aktami normatywnymi do których chcesz "
                   "ograniczyć zakres przeszukiwania",
                   IDC_SCOPE_PERSON_LIST, "Wybrane nazwisko:", IDC_SCOPE_PERSON_CHOSEN,
                   "Ilość jed. redakcyjnych \nw wybranym zakresie:", IDC_SCOPE_PERSON_COUNT);
SCOPE_KEYWORD_PAGE(kPositionControls,
                   "Wybierz te stanowiska, których podpisy widnieją pod aktami normatywnymi do których chcesz "
                   "ograniczyć zakres przeszukiwania",
                   IDC_SCOPE_POSITION_LIST, "Wybrane stanowisko:", IDC_SCOPE_POSITION_CHOSEN,
                   "Ilość jed. redakcyjnych \nw wybranym zakresie", IDC_SCOPE_POSITION_COUNT);

SCOPE_LIST_PAGE(kWizYearControls, "Wybierz te roczniki do których chcesz ograniczyć przeszukiwanie",
                IDC_SCOPE_YEAR_LIST, "Roczniki", IDC_SCOPE_YEAR_CHOSEN, "Ilość jed. redakcyjnych \nw wybranym zakresie",
                IDC_SCOPE_YEAR_COUNT);
SCOPE_LIST_PAGE(kWizRankControls, "Wybierz jakiej rangi akty normatywne mają zostać przeszukane", IDC_SCOPE_RANK_LIST,
                "Ranga:", IDC_SCOPE_RANK_CHOSEN, "Ilość jed. redakcyjnych \nw wybranym zakresie:",
                IDC_SCOPE_RANK_COUNT);
SCOPE_KEYWORD_PAGE(kWizPersonControls,
                   "Wybierz nazwiska tych osób, których podpisy widnieją pod aktami normatywnymi do których chcesz "
                   "ograniczyć zakres przeszukiwania",
                   IDC_SCOPE_PERSON_LIST, "Wybrane nazwisko:", IDC_SCOPE_PERSON_CHOSEN,
                   "Ilość jed. redakcyjnych \nw wybranym zakresie:", IDC_SCOPE_PERSON_COUNT);
SCOPE_KEYWORD_PAGE(kWizPositionControls,
                   "Wybierz te stanowiska, których podpisy widnieją pod aktami normatywnymi do których chcesz "
                   "ograniczyć zakres przeszukiwania",
                   IDC_SCOPE_POSITION_LIST, "Wybrane stanowisko:", IDC_SCOPE_POSITION_CHOSEN,
                   "Ilość jed. redakcyjnych \nw wybranym zakresie", IDC_SCOPE_POSITION_COUNT);

constexpr res::DialogControlResource kWizIntroControls[] = {
    {kStatic, "Static", "Witamy w kreatorze zapytań", {7, 7, 230, 17}, kLabel, 0},
    {kStatic, "Static", "Wpisz szukany tekst; na następnych stronach możesz ograniczyć zakres przeszukiwania.",
     {7, 22, 230, 40}, kLabel, 0},
    {IDC_WIZ_TEXT, "ComboBox", "", {7, 46, 210, 120}, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0},
    {IDC_WIZ_OPERATORS, "Button", "", {214, 46, 230, 58}, kChild | WS_TABSTOP | BS_OWNERDRAW, 0},
    {IDC_WIZ_DEFAULT_AND, "Button", "&Oraz jako operator domyolny", {7, 64, 180, 74}, kCheck, 0},
    {IDC_WIZ_TITLES_ONLY, "Button", "wyłącznie tytuły", {7, 78, 180, 88}, kCheck, 0},
};

constexpr res::DialogControlResource kWizCompleteControls[] = {
    {kStatic, "Static", "Zakończyłeś pracę z kreatorem", {7, 7, 230, 17}, kLabel, 0},
    {kStatic, "Static", "jest on teraz gotowy do przeszukania bazy", {7, 20, 230, 28}, kLabel, 0},
    {kStatic, "Static", "Wybrane ograniczenia:", {7, 38, 230, 46}, kLabel, 0},
    {IDC_WIZ_CHOSEN, "Static", "", {14, 48, 230, 110}, kLabel | SS_NOPREFIX, 0},
    {IDC_WIZ_SORT, "Button", "Sortuj wyniki", {7, 116, 120, 126}, kCheck, 0},
};

constexpr res::DialogControlResource kResultsControls[] = {
    {IDC_RESULTS_COUNT, "Static", "", {170, 3, 230, 11}, kLabel, 0},
    {IDC_RESULTS_QUERY, "Static", "", {232, 3, 400, 11}, kLabel | SS_NOPREFIX, 0},
    {IDC_RESULTS_HIDDEN, "Edit", "", {0, 0, 10, 10}, WS_CHILD, 0},
    {IDC_RESULTS_LIST, WC_LISTVIEW, "", {0, 14, 300, 90},
     kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0},
};

// The progress animation: eight 32 x 32 frames of a magnifying glass passing over a page.
std::vector<uint8_t> AnimationStrip() {
  constexpr int kSize = 32, kFrames = 8;
  auto strip = gdi::Bitmap::create(kSize * kFrames, kSize, false);
  const auto face = gdi::pixel_of(RGB(0xC0, 0xC0, 0xC0));
  const auto paper = gdi::kWhitePixel;
  const auto ink = gdi::pixel_of(RGB(0x40, 0x40, 0x40));
  const auto glass = gdi::pixel_of(RGB(0x20, 0x40, 0xC0));
  for (int f = 0; f < kFrames; ++f) {
    const int x0 = f * kSize;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) strip->at(x0 + x, y) = (x >= 6 && x < 26 && y >= 3 && y < 29) ? paper : face;
    }
    for (int line = 7; line < 27; line += 3) {
      for (int x = 9; x < 23; ++x) strip->at(x0 + x, line) = ink;
    }
    const int cx = 11 + (f < 4 ? f : 7 - f) * 3, cy = 10 + (f % 4) * 3;
    for (int y = -6; y <= 6; ++y) {
      for (int x = -6; x <= 6; ++x) {
        const int d = x * x + y * y;
        if (d >= 20 && d <= 36) strip->at(x0 + cx + x, cy + y) = glass;
      }
    }
    for (int k = 4; k < 9; ++k) {
      if (cx + k < kSize && cy + k < kSize) strip->at(x0 + cx + k, cy + k) = glass;
    }
  }
  return gdi::encode_packed_dib(*strip);
}

}  // namespace

void register_find_resources() {
  res::add_dialog({IDD_QUERY_PAGE, "Znajdź w bazie", {0, 0, 303, 176}, kPage, 0, "MS Sans Serif", 8, kQueryControls});
  res::add_dialog({IDD_FIND_PAGE, "Znajdź w akcie", {0, 0, 303, 176}, kPage, 0, "MS Sans Serif", 8, kFindControls});
  res::add_dialog({IDD_GOTO_PAGE, "Przejdź do", {0, 0, 303, 176}, kPage, 0, "MS Sans Serif", 8, kGotoControls});
  res::add_dialog({IDD_SEARCH_ABORT, "Trwa przeszukiwanie...", {0, 0, 168, 86},
                   WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_CENTER | DS_SETFONT, 0, "MS Sans Serif", 8, kAbortControls});
  res::add_dialog({IDD_HINTS, "Przeszukiwanie - podpowiedzi", {0, 0, 397, 190},
                   WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, "MS Sans Serif", 8, kHintsControls});
  res::add_dialog({IDD_SCOPE_YEARS, "Roczniki", {0, 0, 237, 158}, kPage, 0, "MS Sans Serif", 8, kYearControls});
  res::add_dialog({IDD_SCOPE_RANKS, "Ranga", {0, 0, 237, 158}, kPage, 0, "MS Sans Serif", 8, kRankControls});
  res::add_dialog({IDD_SCOPE_PERSONS, "Osoby", {0, 0, 237, 158}, kPage, 0, "MS Sans Serif", 8, kPersonControls});
  res::add_dialog({IDD_SCOPE_POSITIONS, "Stanowiska", {0, 0, 237, 158}, kPage, 0, "MS Sans Serif", 8, kPositionControls});
  res::add_dialog({IDD_SEARCH_RESULTS_TAB, "", {0, 0, 300, 90}, kTab, 0, "MS Sans Serif", 8, kResultsControls});
  constexpr DWORD kWizardPage = WS_CHILD | WS_CAPTION | DS_SETFONT;
  res::add_dialog({IDD_WIZ_INTRO, "Kreator zapytań", {0, 0, 237, 158}, kWizardPage, 0, "MS Sans Serif", 8, kWizIntroControls});
  res::add_dialog({IDD_WIZ_YEARS, "Kreator zapytań", {0, 0, 237, 158}, kWizardPage, 0, "MS Sans Serif", 8, kWizYearControls});
  res::add_dialog({IDD_WIZ_RANKS, "Kreator zapytań", {0, 0, 237, 158}, kWizardPage, 0, "MS Sans Serif", 8, kWizRankControls});
  res::add_dialog({IDD_WIZ_PERSONS, "Kreator zapytań", {0, 0, 237, 158}, kWizardPage, 0, "MS Sans Serif", 8, kWizPersonControls});
  res::add_dialog({IDD_WIZ_POSITIONS, "Kreator zapytań", {0, 0, 237, 158}, kWizardPage, 0, "MS Sans Serif", 8,
                   kWizPositionControls});
  res::add_dialog({IDD_WIZ_COMPLETE, "Kreator zapytania", {0, 0, 237, 158}, kWizardPage, 0, "MS Sans Serif", 8,
                   kWizCompleteControls});
  static const std::vector<uint8_t> strip = AnimationStrip();
  res::add_binary({res::BinaryKind::bitmap, 201, nullptr, strip});
}

}  // namespace resources
