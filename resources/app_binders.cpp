// Resources of the binders, the tip of the day and the work properties sheet: the "Segregator"
// tab and the "Segregatory" dialog, "Porada dnia" with its light bulb, the pages of the work
// properties sheet and the work document's icon, and the strings they add.
#include <cstdint>
#include <span>
#include <vector>

#include "platform/controls/rich_edit_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/dialog.h"
#include "platform/gdi/core/icon_image.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kTab = WS_CHILD | DS_CONTROL | DS_SETFONT;
constexpr DWORD kModal = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kPage = WS_CHILD | WS_CAPTION | DS_SETFONT;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kValue = kChild | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kField = kChild | ES_READONLY | ES_AUTOHSCROLL;
constexpr DWORD kCheck = WS_CHILD | WS_VISIBLE | WS_DISABLED | BS_AUTOCHECKBOX;
constexpr UINT kStatic = UINT(-1);

constexpr res::StringResource kStrings[] = {
    {IDS_BINDER_DELETE, "Czy na pewno chcesz usunąć segregator wraz z zawartością?"},
};

constexpr res::DialogControlResource kBinderTabControls[] = {
    {IDC_BINDER_LABEL, "Static", "(brak segregatora)", {100, 4, 180, 12}, kChild | SS_LEFT | SS_NOPREFIX, 0},
    {IDC_BINDER_TREE, "Static", "", {0, 16, 180, 200}, kChild | WS_TABSTOP, 0},
};

constexpr res::DialogControlResource kBindersControls[] = {
    {IDC_BINDER_LIST, "ListBox", "", {7, 7, 140, 126},
     kChild | WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS, 0},
    {IDC_BINDER_OPEN, "Button", "&Otwórz", {148, 7, 205, 21}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {IDCANCEL, "Button", "&Anuluj", {148, 25, 205, 39}, kButton, 0},
    {IDC_BINDER_NEW, "Button", "Nowy", {148, 62, 205, 76}, kButton, 0},
    {IDC_BINDER_RENAME, "Button", "Zmień nazwę", {148, 80, 205, 94}, kButton, 0},
    {IDC_BINDER_DELETE, "Button", "Usuń", {148, 98, 205, 112}, kButton, 0},
};

constexpr res::DialogControlResource kTipControls[] = {
    {IDC_TIP_PANEL, "Static", "", {5, 5, 241, 109}, WS_CHILD, 0},  // the panel's place; the dialog paints it
    {IDC_TIP_ICON, "Static", "", {26, 7, 46, 27}, WS_CHILD, 0},
    {IDC_TIP_TEXT, "Static", "", {76, 46, 236, 104}, WS_CHILD | SS_LEFT | SS_NOPREFIX, 0},
    {IDC_TIP_NEXT, "Button", "&Następna", {11, 43, 66, 56}, kButton, 0},
    {IDC_TIP_QUERY, "Button", "Prze&szukiwanie", {11, 75, 67, 88}, kButton, 0},
    {IDC_TIP_INDEXES, "Button", "&Indeksy wg", {11, 91, 67, 104}, kChild | WS_TABSTOP | BS_OWNERDRAW, 0},
    {IDC_TIP_CLOSE, "Button", "&Zamknij", {11, 115, 67, 128}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {IDC_TIP_AT_START, "Button", "&Pokazuj okno podczas uruchamiania", {107, 116, 241, 127},
     kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
};

constexpr res::DialogControlResource kFileInfoControls[] = {
    {IDC_FILE_ICON, "Static", "#129", {12, 5, 32, 25}, kChild | SS_ICON, 0},  // IDI_WORK_DOCUMENT
    {IDC_FILE_NAME, "Edit", "", {76, 8, 212, 18}, kField, 0},
    {kStatic, "Static", "", {5, 30, 212, 31}, kChild | SS_ETCHEDHORZ, 0},
    {kStatic, "Static", "Typ:", {5, 36, 74, 44}, kValue, 0},
    {IDC_FILE_TYPE, "Edit", "", {76, 35, 212, 45}, kField, 0},
    {kStatic, "Static", "Lokalizacja:", {5, 48, 74, 56}, kValue, 0},
    {IDC_FILE_PLACE, "Edit", "", {76, 47, 212, 57}, kField, 0},
    {kStatic, "Static", "Rozmiar:", {5, 60, 74, 68}, kValue, 0},
    {IDC_FILE_SIZE, "Edit", "", {76, 59, 212, 69}, kField, 0},
    {kStatic, "Static", "", {5, 74, 212, 75}, kChild | SS_ETCHEDHORZ, 0},
    {kStatic, "Static", "Utworzony:", {5, 80, 74, 88}, kValue, 0},
    {IDC_FILE_CREATED, "Edit", "", {76, 79, 212, 89}, kField, 0},
    {kStatic, "Static", "Zmodyfikowany:", {5, 92, 74, 100}, kValue, 0},
    {IDC_FILE_MODIFIED, "Edit", "", {76, 91, 212, 101}, kField, 0},
    {kStatic, "Static", "Ostatnio używany:", {5, 104, 74, 112}, kValue, 0},
    {IDC_FILE_USED, "Edit", "", {76, 103, 212, 113}, kField, 0},
    {kStatic, "Static", "", {5, 118, 212, 119}, kChild | SS_ETCHEDHORZ, 0},
    {kStatic, "Static", "Atrybuty:", {5, 125, 74, 133}, kValue, 0},
    {IDC_FILE_READ_ONLY, "Button", "&Tylko do odczytu", {76, 124, 143, 134}, kCheck, 0},
    {IDC_FILE_ARCHIVE, "Button", "&Archiwalny", {148, 124, 212, 134}, kCheck, 0},
    {IDC_FILE_HIDDEN, "Button", "U&kryty", {76, 138, 143, 148}, kCheck, 0},
    {IDC_FILE_SYSTEM, "Button", "Systemowy", {148, 138, 212, 148}, kCheck, 0},
};

constexpr res::DialogControlResource kDocInfoControls[] = {
    {kStatic, "Static", "Informacja o pracy", {5, 4, 212, 12}, kValue, 0},
    {kStatic, "Static", "&AUTOR:", {5, 18, 45, 26}, kChild | SS_LEFT, 0},
    {IDC_DOC_AUTHOR, "Edit", "", {50, 16, 212, 28}, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
    {kStatic, "Static", "&TYTUŁ:", {5, 34, 45, 42}, kChild | SS_LEFT, 0},
    {IDC_DOC_TITLE, "Edit", "", {50, 32, 212, 60},
     kChild | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0},
    {kStatic, "Static", "Data utworzenia dokumentu:", {5, 68, 110, 76}, kValue, 0},
    {IDC_DOC_CREATED, "Static", "dnia ", {115, 68, 212, 76}, kValue, 0},
    {kStatic, "Static", "Data ostatniego otwarcia:", {5, 80, 110, 88}, kValue, 0},
    {IDC_DOC_OPENED, "Static", "dnia", {115, 80, 212, 88}, kValue, 0},
    {kStatic, "Static", "Całkowity czas pracy:", {5, 92, 110, 100}, kValue, 0},
    {IDC_DOC_WORK_TIME, "Static", "0 godzin", {115, 92, 212, 100}, kValue, 0},
    {kStatic, "Static", "", {5, 106, 212, 107}, kChild | SS_ETCHEDHORZ, 0},
    {kStatic, "Static", "Statystyka", {5, 112, 212, 120}, kValue, 0},
    {kStatic, "Static", "Liczba przejrzanych stron:", {5, 126, 110, 134}, kValue, 0},
    {IDC_DOC_PAGES, "Static", "0", {115, 126, 212, 134}, kValue, 0},
    {kStatic, "Static", "Liczba przeszukiwań:", {5, 138, 110, 146}, kValue, 0},
    {IDC_DOC_SEARCHES, "Static", "0", {115, 138, 212, 146}, kValue, 0},
    {kStatic, "Static", "Liczba wydrukowanych stron:", {5, 150, 110, 158}, kValue, 0},
    {IDC_DOC_PRINTED, "Static", "0 stron", {115, 150, 212, 158}, kValue, 0},
};

constexpr res::DialogControlResource kDocNotesControls[] = {
    {kStatic, "Static", "Uwagi:", {5, 4, 212, 12}, kValue, 0},
    {IDC_DOC_NOTES, RICHEDIT_CLASS, "", {5, 16, 212, 176},
     kChild | WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0},
};

// The tip's light bulb, 20 x 20, on white (which the dialog floods with the panel's shade).
constexpr const char* kLightBulb[] = {
    "....................", ".......######.......", ".....##yyyyyy##.....", "....#yyyyyyyyyy#....",
    "...#yyyy..yyyyyy#...", "...#yyy..yyyyyyy#...", "..#yyyy.yyyyyyyyy#..", "..#yyyyyyyyyyyyyy#..",
    "..#yyyyyyyyyyyyyy#..", "...#yyyyyyyyyyyy#...", "...#yyyyyyyyyyyy#...", "....#yyyyyyyyyy#....",
    ".....#yyyyyyyy#.....", "......#------#......", "......########......", "......#------#......",
    "......########......", ".......#----#.......", "........####........", "....................",
};

// The work document: a page with a blue seal, 32 x 32.
std::vector<uint8_t> WorkIcon() {
  constexpr int kSize = 32;
  auto colour = gdi::Bitmap::create(kSize, kSize, false);
  auto mask = gdi::Bitmap::create(kSize, kSize, true);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const bool page = x >= 6 && x <= 25 && y >= 2 && y <= 29;
      const bool edge = page && (x == 6 || x == 25 || y == 2 || y == 29);
      const bool line = page && !edge && x >= 9 && x <= 22 && y >= 6 && y <= 20 && y % 3 == 0;
      const int dx = x - 20, dy = y - 24;
      const bool seal = dx * dx + dy * dy <= 16;
      mask->at(x, y) = page || seal ? gdi::kBlackPixel : gdi::kWhitePixel;
      colour->at(x, y) = seal            ? gdi::pixel_of(RGB(0x20, 0x40, 0xC0))
                         : edge || line  ? gdi::kBlackPixel
                         : page          ? gdi::kWhitePixel
                                         : gdi::kBlackPixel;
    }
  }
  return gdi::encode_icon_image(*colour, *mask);
}

}  // namespace

void register_binder_resources() {
  res::add_strings(kStrings);
  res::add_dialog({IDD_BINDER_TAB, "", {0, 0, 180, 200}, kTab, 0, "MS Sans Serif", 8, kBinderTabControls});
  res::add_dialog({IDD_BINDERS_DLG, "Segregatory", {0, 0, 212, 133}, kModal, 0, "MS Sans Serif", 8, kBindersControls});
  res::add_dialog({IDD_TIP, "Porada dnia", {0, 0, 246, 132}, kModal, 0, "MS Sans Serif", 8, kTipControls});
  res::add_dialog({IDD_FILE_INFO_PAGE, "o pliku", {0, 0, 220, 181}, kPage, 0, "MS Sans Serif", 8, kFileInfoControls});
  res::add_dialog({IDD_DOC_INFO_PAGE, "o dokumencie", {0, 0, 220, 181}, kPage, 0, "MS Sans Serif", 8, kDocInfoControls});
  res::add_dialog({IDD_DOC_INFO_BIS_PAGE, "Uwagi", {0, 0, 220, 181}, kPage, 0, "MS Sans Serif", 8, kDocNotesControls});
  static const std::vector<uint8_t> bulb = [] {
    const ButtonImage image{0, kLightBulb};
    return pack_button_images(std::span(&image, 1), 20, 20);
  }();
  res::add_binary({res::BinaryKind::bitmap, IDB_TIP_LIGHT, nullptr, bulb});
  static const std::vector<uint8_t> icon = WorkIcon();
  res::add_binary({res::BinaryKind::icon, IDI_WORK_DOCUMENT, nullptr, icon});
}

}  // namespace resources
