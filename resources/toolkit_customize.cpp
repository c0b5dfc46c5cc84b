// Resources of the customize sheet's pages and the toolbars dialogs: the buttons-by-category page,
// the toolbars page, the stand-alone toolbars dialog, the new-toolbar dialog, and the bitmap menus'
// check mark (' ' is the button face, mapped to the menu's colour when drawn).
#include <vector>

#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/dialog.h"
#include "platform/res/resource_store.h"
#include "resources/program_resources.h"
#include "resources/toolkit_ids.h"

namespace resources {
namespace {

constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kCheckList = LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
constexpr UINT kStatic = UINT(-1);
constexpr DWORD kPage = WS_CHILD | WS_CAPTION | DS_SETFONT;
constexpr DWORD kDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

constexpr const char* kCheckRows[] = {
    "        ", "      # ", "     ## ", "#   ### ", "## ###  ", "#####   ", " ###    ", "  #     ",
};

void register_cmd_page() {
  static const std::vector<res::DialogControlResource> controls = {
      {kStatic, "Static", "Kate&gorie:", {7, 7, 90, 17}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_TB_LIST), "ListBox", "", {7, 18, 90, 110}, WS_VISIBLE | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 0},
      {UINT(IDC_TB_BUTTONS_GROUP), "Button", "Przyciski", {97, 7, 253, 110}, WS_VISIBLE | BS_GROUPBOX, 0},
      {kStatic, "Static",
       "Wybierz kategorię, a następnie kliknij przycisk, aby zobaczyć jego opis.\nPrzeciągnij przycisk nad "
       "dowolny pasek narzędzi",
       {7, 114, 253, 134}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_TB_DESCRIPTION), "Static", "", {13, 147, 247, 166}, WS_VISIBLE | SS_LEFT, 0},
      {kStatic, "Button", "Opis", {7, 136, 253, 170}, WS_VISIBLE | BS_GROUPBOX, 0},
  };
  res::add_dialog({IDD_TOOLBAR_CMD_PAGE, "Dostosuj", {0, 0, 260, 175}, kPage, 0, "MS Sans Serif", 8, controls});
}

// The toolbar list, the name and the three settings, with the list `list_right` wide.
std::vector<res::DialogControlResource> checklist_controls(int list_right) {
  return {
      {kStatic, "Static", "Paski &narzędzi:", {7, 7, list_right, 17}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_TB_LIST), "ListBox", "", {7, 18, list_right, 120}, WS_VISIBLE | kCheckList, 0},
      {UINT(IDC_TB_NAME_LABEL), "Static", "Nazwa &paska:", {7, 127, 60, 137}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_TB_NAME), "Edit", "", {62, 125, list_right, 138}, WS_VISIBLE | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0},
      {UINT(IDC_TB_TOOLTIPS), "Button", "Pokaż &etykietki", {7, 144, 120, 154}, WS_VISIBLE | kCheck, 0},
      {UINT(IDC_TB_COOL), "Button", "&Płaski wygląd", {7, 157, 120, 167}, WS_VISIBLE | kCheck, 0},
      {UINT(IDC_TB_LARGE), "Button", "&Duże przyciski", {125, 144, 250, 154}, WS_VISIBLE | kCheck, 0},
  };
}

void register_toolbar_forms() {
  static const std::vector<res::DialogControlResource> page = [] {
    auto controls = checklist_controls(180);
    controls.insert(controls.end(), {
        {UINT(IDC_TB_NEW), "Button", "&Nowy...", {187, 18, 253, 32}, WS_VISIBLE | kButton, 0},
        {UINT(IDC_TB_RESET), "Button", "&Zresetuj", {187, 36, 253, 50}, WS_VISIBLE | kButton, 0},
    });
    return controls;
  }();
  res::add_dialog({IDD_TOOLBAR_VISIBILITY_PAGE, "Paski narzędzi", {0, 0, 260, 175}, kPage, 0, "MS Sans Serif", 8, page});

  static const std::vector<res::DialogControlResource> dialog = [] {
    auto controls = checklist_controls(180);
    controls.insert(controls.end(), {
        {UINT(IDOK), "Button", "Zamknij", {187, 7, 253, 21}, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        {UINT(IDC_TB_NEW), "Button", "&Nowy...", {187, 25, 253, 39}, WS_VISIBLE | kButton, 0},
        {UINT(IDC_TB_RESET), "Button", "&Zresetuj", {187, 43, 253, 57}, WS_VISIBLE | kButton, 0},
        {UINT(IDC_TB_CUSTOMIZE), "Button", "&Dostosuj...", {187, 61, 253, 75}, WS_VISIBLE | kButton, 0},
        {UINT(ID_HELP), "Button", "Pomoc", {187, 79, 253, 93}, WS_VISIBLE | kButton, 0},
    });
    return controls;
  }();
  res::add_dialog({IDD_TOOLBARS_DIALOG, "Paski narzędzi", {0, 0, 260, 175}, kDialog, 0, "MS Sans Serif", 8, dialog});

  static const std::vector<res::DialogControlResource> named = {
      {kStatic, "Static", "Nazwa &paska narzędzi:", {7, 7, 130, 17}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_TB_NEW_NAME), "Edit", "", {7, 18, 130, 31}, WS_VISIBLE | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0},
      {UINT(IDOK), "Button", "OK", {140, 7, 193, 21}, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
      {UINT(IDCANCEL), "Button", "Anuluj", {140, 25, 193, 39}, WS_VISIBLE | kButton, 0},
  };
  res::add_dialog({IDD_NEW_TOOLBAR, "Nowy pasek narzędzi", {0, 0, 200, 46}, kDialog, 0, "MS Sans Serif", 8, named});
}

}  // namespace

void register_toolkit_customize() {
  register_cmd_page();
  register_toolbar_forms();
  static const ButtonImage check{IDB_MENU_CHECK, kCheckRows};
  static const std::vector<uint8_t> checkBytes = pack_button_images({&check, 1}, 8, 8);
  res::add_binary({res::BinaryKind::bitmap, IDB_MENU_CHECK, nullptr, checkBytes});
}

}  // namespace resources
