// The hyperlink control's context menu and the "Ogólne" page of its properties sheet.
#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/dialog.h"
#include "resources/controls_ids.h"
#include "resources/program_resources.h"

namespace resources {
namespace {

constexpr UINT kStatic = UINT(-1);

void register_hyperlink_menu() {
  using res::MF_POPUP;
  using res::MF_SEPARATOR;
  using res::MF_STRING;
  static const res::MenuItemResource items[] = {
      {0, 0, MF_POPUP, "HLINK"},
      {1, ID_HLINK_OPEN, MF_STRING, "&Otwórz"},
      {1, 0, MF_SEPARATOR, nullptr},
      {1, ID_HLINK_COPY, MF_STRING, "&Kopiuj skrót"},
      {1, ID_HLINK_FAVORITES, MF_STRING, "&Dodaj do ulubionych"},
      {1, ID_HLINK_DESKTOP, MF_STRING, "Dodaj &skrót na pulpicie"},
      {1, 0, MF_SEPARATOR, nullptr},
      {1, ID_HLINK_PROPERTIES, MF_STRING, "&Właściwości"},
  };
  res::add_menu(IDR_HLINK_MENU, items);
}

void register_hyperlink_page() {
  constexpr DWORD kReadOnly = ES_READONLY | WS_TABSTOP;
  static const res::DialogControlResource controls[] = {
      {UINT(IDC_HLINK_TEXT), "Edit", "", {7, 7, 243, 43}, kReadOnly | ES_MULTILINE | ES_AUTOVSCROLL, 0},
      {kStatic, "Static", "", {7, 52, 243, 54}, SS_ETCHEDHORZ, 0},
      {kStatic, "Static", "Adres (URL):", {7, 62, 243, 72}, SS_LEFT, 0},
      {UINT(IDC_HLINK_ADDRESS), "Edit", "", {7, 74, 243, 88}, kReadOnly | ES_AUTOHSCROLL | WS_BORDER, 0},
  };
  res::add_dialog({IDD_HLINK_PAGE, "Ogólne", {0, 0, 250, 100}, WS_CHILD | WS_CAPTION | DS_SETFONT, 0,
                   "MS Sans Serif", 8, controls});
}

}  // namespace

void register_controls_hyperlink() {
  register_hyperlink_menu();
  register_hyperlink_page();
}

}  // namespace resources
