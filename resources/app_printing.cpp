// Printing and the print list: the progress dialog "Drukowanie" (106) with its animation strip
// (125), the dialog "Dodaj do wydruku" (281), the print list's tab dialog (1571), its pop-up
// menus (281) and its button strip (137).
#include <vector>

#include "platform/controls/animate_ctrl.h"
#include "platform/controls/list_ctrl.h"
#include "platform/controls/progress_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/dialog.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

using res::MF_POPUP;
using res::MF_SEPARATOR;
using res::MF_STRING;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kRadio = kChild | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr UINT kNone = UINT(-1);

constexpr res::DialogControlResource kStatusControls[] = {
    {IDC_PRINT_ANIMATION, ANIMATE_CLASS, "", {7, 7, 37, 37}, kChild | ACS_CENTER, 0},
    {IDC_PRINT_WHAT, "Static", "Drukuję %s na drukarce %s (%s) ..", {44, 7, 233, 27}, kChild | SS_LEFT, 0},
    {IDC_PRINT_PAGES, "Static", "Strona %d z %d, %s stron pozostało do wydrukowania", {44, 29, 233, 39},
     kChild | SS_LEFT, 0},
    {IDC_PRINT_PROGRESS, PROGRESS_CLASS, "", {7, 44, 200, 54}, kChild | WS_BORDER, 0},
    {IDC_PRINT_PERCENT, "Static", "100 %", {204, 45, 233, 54}, kChild | SS_RIGHT, 0},
    {IDCANCEL, "Button", "Przerwij", {92, 60, 148, 74}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
};

constexpr res::DialogControlResource kQuickControls[] = {
    {kNone, "Button", "Dodaj do wydruku", {7, 4, 213, 66}, kChild | BS_GROUPBOX, 0},
    {IDC_PRINTMARK_SELECTION, "Button", "&Zaznaczony fragment", {14, 16, 206, 26}, kRadio | WS_GROUP, 0},
    {IDC_PRINTMARK_VISIBLE, "Button", "&Widoczną jednostkę redakcyjną", {14, 28, 206, 38}, kRadio, 0},
    {IDC_PRINTMARK_WHOLE_ACT, "Button", "&Cały akt normatywny", {14, 40, 206, 50}, kRadio, 0},
    {IDC_PRINTMARK_CHOSEN, "Button", "&Jednostki wybrane z poniższej listy", {14, 52, 206, 62}, kRadio, 0},
    {IDC_PRINTMARK_ADD, "Button", "&Dodaj", {220, 7, 270, 21}, kChild | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0},
    {IDCANCEL, "Button", "Anuluj", {220, 25, 270, 39}, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0},
};

constexpr res::DialogControlResource kListControls[] = {
    {IDC_PRINT_LIST_LABEL, "Static", "()", {120, 3, 200, 11}, kChild | SS_LEFT, 0},
    {IDC_PRINT_LIST, WC_LISTVIEW, "", {0, 14, 300, 90},
     kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0},
};

constexpr res::MenuItemResource kSeparator{1, 0, MF_SEPARATOR, nullptr};
constexpr res::MenuItemResource kListMenu[] = {
    {0, 0, MF_POPUP, "PRINTMARKTAB0"},
    {1, ID_ENTRY_OPEN, MF_STRING, "&Otwórz"},
    {1, ID_ENTRY_LOCATE_IN_LIBRARY, MF_STRING, "&Zlokalizuj w Bibliotece"},
    {1, ID_ENTRY_ADD_BOOKMARK, MF_STRING, "Dodaj zakładkę"},
    kSeparator,
    {1, ID_PRINT_ENTRY_LIST, MF_STRING, "&Drukuj listę"},
    kSeparator,
    {1, ID_ENTRY_INFORMATION, MF_STRING, "Informacja"},
    {0, 0, MF_POPUP, "PRINTMARKTAB1"},
    {1, ID_PRINT_ENTRY_LIST, MF_STRING, "&Drukuj listę"},
};

constexpr UINT kListButtons[] = {ID_ENTRY_OPEN, ID_ENTRY_LOCATE_IN_LIBRARY, 0, ID_ENTRY_ADD_BOOKMARK, 0,
                                 ID_PRINT_ENTRY_LIST, 0, ID_ENTRY_INFORMATION};
constexpr res::ToolBarResource kListStrip{IDR_PRINT_LIST_TOOLBAR, 14, 14, kListButtons};

// The animation: a sheet of paper coming out of a printer, four frames of 32 by 32.
constexpr int kFrame = 32;
std::vector<std::vector<std::string>> AnimationFrames() {
  std::vector<std::vector<std::string>> frames;
  for (int step = 0; step < 4; ++step) {
    std::vector<std::string> rows(kFrame, std::string(kFrame, ' '));
    const int paper_top = 2 + (3 - step) * 3;
    for (int y = paper_top; y < 16; ++y) {
      for (int x = 9; x < 23; ++x) rows[size_t(y)][size_t(x)] = (x == 9 || x == 22 || y == paper_top) ? '#' : '.';
      if (y > paper_top + 1 && y % 2 == 0) {
        for (int x = 11; x < 21; ++x) rows[size_t(y)][size_t(x)] = '-';
      }
    }
    for (int y = 14; y < 26; ++y) {
      for (int x = 3; x < 29; ++x) {
        const bool edge = x == 3 || x == 28 || y == 14 || y == 25;
        rows[size_t(y)][size_t(x)] = edge ? '#' : '-';
      }
    }
    for (int x = 22; x < 26; ++x) rows[19][size_t(x)] = step % 2 ? 'g' : 'r';
    for (int y = 26; y < 28; ++y) {
      for (int x = 5; x < 27; ++x) rows[size_t(y)][size_t(x)] = '#';
    }
    frames.push_back(std::move(rows));
  }
  return frames;
}

}  // namespace

void register_printing_resources() {
  res::add_dialog({IDD_PRINT_STATUS, "Drukowanie", {0, 0, 240, 80},
                   WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, 0, "MS Sans Serif", 8, kStatusControls});
  res::add_dialog({IDD_PRINTMARK_QUICK, "Dodaj do wydruku", {0, 0, 277, 72},
                   WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, "MS Sans Serif", 8,
                   kQuickControls});
  res::add_dialog({IDD_PRINT_LIST_TAB, "", {0, 0, 300, 90}, WS_CHILD | DS_CONTROL | DS_SETFONT, 0, "MS Sans Serif", 8,
                   kListControls});
  res::add_menu(IDR_PRINTMARK_MENU, kListMenu);

  static const std::vector<std::vector<std::string>> frames = AnimationFrames();
  static const std::vector<std::vector<const char*>> rows = [] {
    std::vector<std::vector<const char*>> out;
    for (const auto& frame : frames) {
      std::vector<const char*> r;
      for (const std::string& row : frame) r.push_back(row.c_str());
      out.push_back(std::move(r));
    }
    return out;
  }();
  static const std::vector<uint8_t> animation = [] {
    std::vector<ButtonImage> images;
    for (const auto& r : rows) images.push_back({0, r});
    return pack_button_images(images, kFrame, kFrame);
  }();
  res::add_binary({res::BinaryKind::bitmap, IDR_PRINT_ANIMATION, nullptr, animation});

  static const std::vector<uint8_t> strip = pack_button_images(tab_toolbar_images(kListStrip), 14, 14);
  res::add_toolbar(kListStrip);
  res::add_binary({res::BinaryKind::bitmap, IDR_PRINT_LIST_TOOLBAR, nullptr, strip});
}

}  // namespace resources
