// The library locator's prompt (dialog 138): the library is not in the folder tried, and the user
// names the folder of the library CD or of its copy on disk.
#include "platform/framework/control_messages.h"
#include "platform/framework/dialog.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"

namespace resources {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

constexpr res::DialogControlResource kInsertCdControls[] = {
    {UINT(-1), "Static", "Baza zawierająca akty normatywne jest niedostępna we wskazanym katalogu",
     {7, 6, 245, 24}, kChild | SS_LEFT, 0},
    {IDC_INSERT_CD_HINT, "Static",
     "Przyciskiem znajdującym się po prawej stronie wywołaj okno dialogowe i wskaż literę oznaczającą napęd "
     "dysku w którym znajduje się CDROM z bazą, lub wskaż pełną ścieżkę dostępu jeśli została ona przeniesiona "
     "na dysk twardy.",
     {7, 27, 245, 62}, kChild | SS_LEFT, 0},
    {IDC_INSERT_CD_FOLDER, "Edit", "", {7, 64, 245, 77}, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
    {IDC_INSERT_CD_OLD_STYLE, "Button", "Old &Style", {7, 80, 90, 91}, kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
    {IDC_INSERT_CD_OK, "Button", "&OK", {137, 93, 187, 107}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {IDC_INSERT_CD_CANCEL, "Button", "Przerwij", {195, 93, 245, 107}, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0},
};

}  // namespace

void register_library_locator_resources() {
  res::add_dialog({IDD_INSERT_CD, "LumoKAL - Informacja", {0, 0, 252, 111},
                   WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, "MS Sans Serif", 8,
                   kInsertCdControls});
}

}  // namespace resources
