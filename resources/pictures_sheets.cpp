// The picture sheet's dialog: "Powiększenie" (305), a free zoom percentage.
#include "platform/controls/standard_controls.h"
#include "platform/framework/dialog.h"
#include "resources/pictures_ids.h"
#include "resources/program_resources.h"

namespace resources {

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

constexpr res::DialogControlResource kZoomControls[] = {
    {UINT(-1), "Static", "Powiększenie", {7, 9, 62, 19}, kChild | SS_LEFT, 0},
    {IDC_ZOOM_PERCENT, "Edit", "", {64, 7, 104, 19}, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, 0},
    {UINT(-1), "Static", "%", {107, 9, 117, 19}, kChild | SS_LEFT, 0},
    {IDOK, "Button", "OK", {7, 28, 57, 42}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {IDCANCEL, "Button", "Anuluj", {67, 28, 117, 42}, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0},
};
}  // namespace

void register_picture_sheets() {
  res::add_dialog({IDD_ZOOM_OTHER, "Powiększenie", {0, 0, 124, 49},
                   WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, "MS Sans Serif", 8,
                   kZoomControls});
}

}  // namespace resources
