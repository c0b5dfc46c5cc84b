// Resources of the notes dialog "Notatki": its template and the prompts of its toolbar's buttons.
#include "platform/controls/rich_edit_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/dialog.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kModal = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | DS_SETFONT;

// The rich-edit control fills the dialog; "OK" and "Cancel" stay hidden under it and answer Enter
// and Esc.
constexpr res::DialogControlResource kNotesControls[] = {
    {IDOK, "Button", "OK", {169, 4, 219, 18}, WS_CHILD | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {IDCANCEL, "Button", "Cancel", {169, 22, 219, 36}, WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0},
    {IDC_NOTE_TEXT, RICHEDIT_CLASS, "", {3, 0, 223, 142},
     kChild | WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0},
    {IDC_NOTE_ACT, "Static", "Static", {84, 1, 154, 11}, kChild | SS_LEFT | SS_NOPREFIX, 0},
    {IDC_NOTE_DATE, "Static", "Static", {157, 1, 223, 11}, kChild | SS_LEFT | SS_NOPREFIX, 0},
};

constexpr res::StringResource kStrings[] = {
    {ID_NOTE_EDIT, "Edytuje notatkę\nEdycja"},
    {ID_NOTE_DELETE, "Usuwa bieżącą notatkę\nUsuń"},
    {ID_NOTE_AT_END, "Koniec listy notatek\nKoniec"},
    {ID_NOTE_AT_BEGINNING, "Początek listy notatek\nPoczątek"},
    {ID_NOTE_UNHANDLED, "Niedostępne\nNiedostępne"},
    // The prompts of the main menu's developer commands.
    {ID_BUILD_INDEX, "Buduje indeks spisu treści z otwartej biblioteki\nBuduj indeks"},
    {ID_ANNOTATION, "Otwiera notatki\nNotatki"},
};

}  // namespace

void register_notes_resources() {
  res::add_strings(kStrings);
  res::add_dialog({IDD_NOTES, "Notatki", {0, 0, 226, 145}, kModal, 0, "MS Sans Serif", 8, kNotesControls});
}

}  // namespace resources
