// The templates of the keyboard-shortcut editor and the user tools editor (each as a dialog and as
// a property page), and the one message of the shortcut editor that the string table lacks.
#include <vector>

#include "platform/controls/hot_key_ctrl.h"
#include "platform/framework/command_ids.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/dialog.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

constexpr DWORD kList = WS_VISIBLE | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kButton = WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP;
constexpr UINT kStatic = UINT(-1);

// The shortcut editor's controls; `group_id` is the description group box's id (the page form
// gives it none).
std::vector<res::DialogControlResource> key_binding_controls(UINT group_id) {
  // The description lies before its group box in the template, so that it stays above the box.
  return {
      {kStatic, "Static", "Kate&gorie:", {7, 7, 125, 17}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_KEY_CATEGORIES), "ListBox", "", {7, 18, 125, 72}, kList, 0},
      {kStatic, "Static", "P&olecenia:", {7, 77, 125, 87}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_KEY_COMMANDS), "ListBox", "", {7, 88, 125, 178}, kList, 0},
      {kStatic, "Static", "N&aciśnij nowy klawisz skrótu:", {132, 7, 255, 27}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_KEY_HOTKEY), HOTKEY_CLASS, "", {132, 28, 255, 41}, WS_VISIBLE | WS_BORDER | WS_TABSTOP, 0},
      {UINT(IDC_KEY_CURRENT_LABEL), "Static", "Obecnie przypisany:", {132, 45, 255, 55}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_KEY_CURRENT), "Static", "", {132, 56, 255, 66}, WS_VISIBLE | SS_LEFT, 0},
      {kStatic, "Static", "Z&definiowane klawisze:", {132, 71, 255, 81}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_KEY_DEFINED), "ListBox", "", {132, 82, 255, 122}, kList, 0},
      {UINT(IDC_KEY_DESCRIPTION), "Static", "", {138, 137, 249, 174}, WS_VISIBLE | SS_LEFT, 0},
      {group_id, "Button", "Opis", {132, 126, 255, 178}, WS_VISIBLE | BS_GROUPBOX, 0},
  };
}

void register_key_binding_forms() {
  static const std::vector<res::DialogControlResource> dialog = [] {
    auto controls = key_binding_controls(UINT(IDC_KEY_DESCRIPTION_GROUP));
    controls.insert(controls.end(), {
        {UINT(IDOK), "Button", "Zamknij", {262, 7, 366, 21}, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        {UINT(IDCANCEL), "Button", "Przerwij", {262, 25, 366, 39}, kButton, 0},
        {UINT(IDC_KEY_ASSIGN), "Button", "Przypisz", {262, 50, 366, 64}, kButton, 0},
        {UINT(IDC_KEY_REMOVE), "Button", "Usuń", {262, 68, 366, 82}, kButton, 0},
        {UINT(IDC_KEY_RESET_ALL), "Button", "Zresetuj wszys&tko...", {262, 93, 366, 107}, kButton, 0},
    });
    return controls;
  }();
  res::add_dialog({IDD_KEY_BINDING, "Klawiatura", {0, 0, 373, 185},
                   WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, "MS Sans Serif", 8,
                   dialog});
  // The page has no close buttons: its sheet closes it.
  static const std::vector<res::DialogControlResource> page = [] {
    auto controls = key_binding_controls(kStatic);
    controls.insert(controls.end(), {
        {UINT(IDC_KEY_ASSIGN), "Button", "Przypisz", {262, 28, 366, 42}, kButton, 0},
        {UINT(IDC_KEY_REMOVE), "Button", "Usuń", {262, 46, 366, 60}, kButton, 0},
        {UINT(IDC_KEY_RESET_ALL), "Button", "Zresetuj wszys&tko...", {262, 71, 366, 85}, kButton, 0},
    });
    return controls;
  }();
  res::add_dialog({IDD_KEY_BINDING_PAGE, "Skróty klawiaturowe", {0, 0, 373, 185}, WS_CHILD | WS_CAPTION | DS_SETFONT,
                   0, "MS Sans Serif", 8, page});
}

// The texts of the tools editor's controls.
struct ToolTexts {
  const char* list;
  const char* add;
  const char* remove;
  const char* up;
  const char* down;
  const char* menu_text;
  const char* command;
  const char* arguments;
  const char* directory;
};

std::vector<res::DialogControlResource> tool_list_controls(const ToolTexts& t) {
  constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;
  return {
      {kStatic, "Static", t.list, {7, 7, 150, 17}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_TOOL_LIST), "ListBox", "", {7, 18, 150, 98}, kList, 0},
      {UINT(IDC_TOOL_ADD), "Button", t.add, {157, 18, 215, 32}, kButton, 0},
      {UINT(IDC_TOOL_REMOVE), "Button", t.remove, {157, 36, 215, 50}, kButton, 0},
      {UINT(IDC_TOOL_UP), "Button", t.up, {157, 54, 215, 68}, kButton, 0},
      {UINT(IDC_TOOL_DOWN), "Button", t.down, {157, 72, 215, 86}, kButton, 0},
      {UINT(IDC_TOOL_MENU_TEXT_LABEL), "Static", t.menu_text, {7, 108, 80, 118}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_TOOL_MENU_TEXT), "Edit", "", {82, 106, 215, 119}, WS_VISIBLE | kEdit, 0},
      {UINT(IDC_TOOL_COMMAND_LABEL), "Static", t.command, {7, 124, 80, 134}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_TOOL_COMMAND), "Edit", "", {82, 122, 215, 135}, WS_VISIBLE | kEdit, 0},
      {UINT(IDC_TOOL_ARGUMENTS_LABEL), "Static", t.arguments, {7, 140, 80, 150}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_TOOL_ARGUMENTS), "Edit", "", {82, 138, 215, 151}, WS_VISIBLE | kEdit, 0},
      {UINT(IDC_TOOL_DIRECTORY_LABEL), "Static", t.directory, {7, 156, 80, 166}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_TOOL_DIRECTORY), "Edit", "", {82, 154, 215, 167}, WS_VISIBLE | kEdit, 0},
  };
}

void register_tool_list_forms() {
  static const std::vector<res::DialogControlResource> page = tool_list_controls(
      {"Menu &narzędzia:", "D&odaj", "&Usuń", "W &górę", "W &dół", "Tekst &menu:", "Polecenie:", "Argumenty:",
       "Rozpocznij w:"});
  res::add_dialog({IDD_TOOL_LIST_PAGE, "Narzędzia", {0, 0, 222, 174}, WS_CHILD | WS_CAPTION | DS_SETFONT, 0,
                   "MS Sans Serif", 8, page});
  static const std::vector<res::DialogControlResource> dialog = [] {
    auto controls = tool_list_controls({"Menu &Contents", "&Add", "&Remove", "Move &Up", "Move &Down",
                                        "&Menu Text:", "C&ommand:", "Argume&nts:", "&Initial Directory:"});
    controls.insert(controls.end(), {
        {UINT(IDOK), "Button", "OK", {225, 7, 283, 21}, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        {UINT(IDCANCEL), "Button", "Cancel", {225, 25, 283, 39}, kButton, 0},
        {UINT(ID_HELP), "Button", "Help", {225, 43, 283, 57}, kButton, 0},
    });
    return controls;
  }();
  res::add_dialog({IDD_TOOL_LIST_DIALOG, "Narzędzia", {0, 0, 290, 174},
                   WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, "MS Sans Serif", 8, dialog});
}

}  // namespace

void register_toolkit_widgets() {
  static const res::StringResource strings[] = {
      {IDS_KEY_SELECT_COMMAND, "Przed przypisaniem klawisza musisz najpierw wybrać polecenie"},
  };
  res::add_strings(strings);
  register_key_binding_forms();
  register_tool_list_forms();
}

}  // namespace resources
