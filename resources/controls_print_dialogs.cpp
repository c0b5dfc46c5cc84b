// The templates and messages of the printer and page set-up dialogs with margin fields. The
// templates keep the common dialogs' own controls under their standard ids (the dialogs fill and
// read them); the controls they add carry help ids with 0xFFFF in the high word.
#include "platform/framework/control_messages.h"
#include "platform/framework/dialog.h"
#include "platform/framework/print_dialogs.h"
#include "platform/res/resource_store.h"
#include "platform/win/window_styles.h"
#include "resources/controls_ids.h"
#include "resources/program_resources.h"

namespace resources {
namespace {

constexpr DWORD kTab = WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kButton = WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kField = WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kList = WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kRadio = WS_VISIBLE | BS_AUTORADIOBUTTON;
constexpr DWORD kCheck = WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP;

// The help id of a control the program adds to a common dialog.
constexpr DWORD added(int id) { return 0xFFFF0000u | DWORD(id); }

// Standard ids of the common dialogs' groups, labels and lists.
constexpr UINT kGroupOrientation = 1072, kGroupPaper = 1073, kGroupMargins = 1075;
constexpr UINT kGroupRange = 1072, kGroupCopies = 1073, kGroupPrinter = 1075;
constexpr UINT kLabelSize = 1089, kLabelSource = 1090, kLabelCopies = 1092, kLabelPrinter = 1093;
constexpr UINT kPaperList = 1137, kSourceList = 1138, kPrinterList = 1139;
constexpr UINT kLabelStatic = 0xFFFF;

// Controls kept for the common dialogs but never shown lie below the visible layout.
constexpr res::DialogControlResource kPageSetupControls[] = {
    {kGroupPaper, "Button", "Papier", {7, 4, 246, 52}, WS_VISIBLE | BS_GROUPBOX, 0},
    {kLabelSize, "Static", "Roz&miar:", {14, 18, 54, 28}, WS_VISIBLE | SS_LEFT, 0},
    {kPaperList, "ComboBox", "", {56, 16, 239, 80}, kList, 0},
    {kLabelSource, "Static", "Ź&ródło:", {14, 35, 54, 45}, WS_VISIBLE | SS_LEFT, 0},
    {kSourceList, "ComboBox", "", {56, 33, 239, 90}, kList, 0},
    {kGroupOrientation, "Button", "Orientacja", {7, 56, 82, 130}, WS_VISIBLE | BS_GROUPBOX, 0},
    {UINT(rad1), "Button", "&Pionowa", {14, 70, 78, 82}, kRadio | WS_GROUP | kTab, 0},
    {UINT(rad2), "Button", "Po&zioma", {14, 86, 78, 98}, kRadio, 0},
    {kGroupMargins, "Button", "Marginesy", {88, 56, 246, 130}, WS_VISIBLE | BS_GROUPBOX, 0},
    {kLabelStatic, "Static", "&Lewy", {95, 70, 123, 80}, WS_VISIBLE | SS_LEFT, 0, added(IDC_MARGIN_LEFT)},
    {UINT(IDC_MARGIN_LEFT), "Edit", "", {124, 68, 160, 80}, kField | WS_GROUP, 0, added(IDC_MARGIN_LEFT)},
    {UINT(IDC_MARGIN_LEFT_SPIN), "msctls_updown32", "", {160, 68, 168, 80}, WS_VISIBLE, 0, added(IDC_MARGIN_LEFT_SPIN)},
    {kLabelStatic, "Static", "Pra&wy", {172, 70, 200, 80}, WS_VISIBLE | SS_LEFT, 0, added(IDC_MARGIN_RIGHT)},
    {UINT(IDC_MARGIN_RIGHT), "Edit", "", {200, 68, 232, 80}, kField, 0, added(IDC_MARGIN_RIGHT)},
    {UINT(IDC_MARGIN_RIGHT_SPIN), "msctls_updown32", "", {232, 68, 240, 80}, WS_VISIBLE, 0, added(IDC_MARGIN_RIGHT_SPIN)},
    {kLabelStatic, "Static", "&Górny", {95, 88, 123, 98}, WS_VISIBLE | SS_LEFT, 0, added(IDC_MARGIN_TOP)},
    {UINT(IDC_MARGIN_TOP), "Edit", "", {124, 86, 160, 98}, kField, 0, added(IDC_MARGIN_TOP)},
    {UINT(IDC_MARGIN_TOP_SPIN), "msctls_updown32", "", {160, 86, 168, 98}, WS_VISIBLE, 0, added(IDC_MARGIN_TOP_SPIN)},
    {kLabelStatic, "Static", "Dol&ny", {172, 88, 200, 98}, WS_VISIBLE | SS_LEFT, 0, added(IDC_MARGIN_BOTTOM)},
    {UINT(IDC_MARGIN_BOTTOM), "Edit", "", {200, 86, 232, 98}, kField, 0, added(IDC_MARGIN_BOTTOM)},
    {UINT(IDC_MARGIN_BOTTOM_SPIN), "msctls_updown32", "", {232, 86, 240, 98}, WS_VISIBLE, 0, added(IDC_MARGIN_BOTTOM_SPIN)},
    {UINT(IDC_NOTES_SWITCH), "Button", "Miejsce\nna notatki", {95, 103, 170, 125}, kCheck | BS_MULTILINE, 0,
     added(IDC_NOTES_SWITCH)},
    {UINT(IDC_NOTES_MARGIN), "Edit", "", {200, 108, 232, 120}, kField, 0, added(IDC_NOTES_MARGIN)},
    {UINT(IDC_NOTES_MARGIN_SPIN), "msctls_updown32", "", {232, 108, 240, 120}, WS_VISIBLE, 0, added(IDC_NOTES_MARGIN_SPIN)},
    {UINT(IDOK), "Button", "OK", {88, 138, 138, 152}, BS_DEFPUSHBUTTON | kTab, 0},
    {UINT(IDCANCEL), "Button", "Anuluj", {142, 138, 192, 152}, kButton, 0},
    {UINT(IDC_PAGE_SETUP_PRINTER), "Button", "Drukarka...", {196, 138, 246, 152}, kButton, 0},
    {UINT(IDC_PAGE_SETUP_HELP), "Button", "Pomoc", {7, 138, 57, 152}, kButton, 0},
    {UINT(edt4), "Edit", "", {7, 170, 27, 182}, WS_VISIBLE | WS_BORDER, 0},
    {UINT(edt5), "Edit", "", {30, 170, 50, 182}, WS_VISIBLE | WS_BORDER, 0},
    {UINT(edt6), "Edit", "", {53, 170, 73, 182}, WS_VISIBLE | WS_BORDER, 0},
    {UINT(edt7), "Edit", "", {76, 170, 96, 182}, WS_VISIBLE | WS_BORDER, 0},
};

constexpr res::DialogControlResource kPrintControls[] = {
    {kGroupPrinter, "Button", "Drukarka", {7, 4, 253, 50}, WS_VISIBLE | BS_GROUPBOX, 0},
    {kLabelPrinter, "Static", "&Nazwa:", {14, 18, 44, 28}, WS_VISIBLE | SS_LEFT, 0},
    {kPrinterList, "ComboBox", "", {46, 16, 246, 80}, kList, 0},
    {UINT(chx1), "Button", "Drukuj do pl&iku", {14, 33, 120, 45}, kCheck, 0},
    {kGroupRange, "Button", "Zakres wydruku", {7, 54, 140, 98}, WS_VISIBLE | BS_GROUPBOX, 0},
    {UINT(IDC_PRINT_CURRENT_PAGE), "Button", "&Bieżącą stronę", {14, 67, 134, 79}, kRadio | WS_GROUP | kTab, 0,
     added(IDC_PRINT_CURRENT_PAGE)},
    {UINT(IDC_PRINT_SELECTION), "Button", "&Zaznaczony fragment", {14, 81, 134, 93}, kRadio, 0,
     added(IDC_PRINT_SELECTION)},
    {kGroupCopies, "Button", "Kopie", {146, 54, 253, 98}, WS_VISIBLE | BS_GROUPBOX, 0},
    {kLabelCopies, "Static", "Liczba &kopii:", {153, 68, 200, 78}, WS_VISIBLE | SS_LEFT, 0},
    {UINT(edt3), "Edit", "", {204, 66, 246, 78}, kField | WS_GROUP, 0},
    {UINT(chx2), "Button", "Sor&tuj", {153, 81, 246, 93}, kCheck, 0},
    {UINT(IDC_PRINT_NOTES_SWITCH), "Button", "Miejsce na &notatki", {7, 106, 94, 118}, kCheck | WS_GROUP, 0,
     added(IDC_PRINT_NOTES_SWITCH)},
    {UINT(IDC_PRINT_NOTES_MARGIN), "Edit", "", {96, 105, 132, 117}, kField, 0, added(IDC_PRINT_NOTES_MARGIN)},
    {UINT(IDC_PRINT_NOTES_SPIN), "msctls_updown32", "", {132, 105, 140, 117}, WS_VISIBLE, 0, added(IDC_PRINT_NOTES_SPIN)},
    {UINT(IDOK), "Button", "OK", {146, 124, 196, 138}, BS_DEFPUSHBUTTON | kTab | WS_GROUP, 0},
    {UINT(IDCANCEL), "Button", "Anuluj", {203, 124, 253, 138}, kButton, 0},
    {UINT(IDC_PRINT_WHOLE_ACT), "Button", "Cały akt normatywny:", {7, 160, 100, 172}, kRadio | WS_DISABLED, 0,
     added(IDC_PRINT_WHOLE_ACT)},
    {UINT(IDC_PRINT_ATTACHMENTS), "Button", "z załącznikami", {7, 174, 100, 186}, WS_VISIBLE | BS_AUTOCHECKBOX, 0,
     added(IDC_PRINT_ATTACHMENTS)},
    {UINT(IDC_PRINT_WORK_INFO), "Button", "Dołącz informację o pracy", {7, 188, 120, 200}, WS_VISIBLE | BS_AUTOCHECKBOX, 0,
     added(IDC_PRINT_WORK_INFO)},
    {UINT(rad1), "Button", "", {130, 160, 140, 172}, kRadio, 0},
    {UINT(rad2), "Button", "", {130, 174, 140, 186}, kRadio, 0},
    {UINT(rad3), "Button", "", {130, 188, 140, 200}, kRadio, 0},
    {UINT(edt1), "Edit", "", {150, 160, 170, 172}, WS_VISIBLE | WS_BORDER, 0},
    {UINT(edt2), "Edit", "", {150, 174, 170, 186}, WS_VISIBLE | WS_BORDER, 0},
};

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

}  // namespace

void register_controls_print_dialogs() {
  static const res::StringResource strings[] = {
      {IDS_MARGIN_INVALID, "Niepoprawny rozmiar marginesów"},
      {IDS_MARGIN_RANGE, "Rozmiar marginesów musi mieścić się pomiędzy %1 a %2."},
      {IDS_NOTES_MARGIN_RANGE, "Dodatkowy margines na notatki musi zawierać się w granicach %1 do %2 cm"},
  };
  res::add_strings(strings);
  res::add_dialog({IDD_GS_PAGE_SETUP, "Ustawienia strony", {0, 0, 253, 159}, kDialogStyle, 0, "MS Sans Serif", 8,
                   kPageSetupControls});
  res::add_dialog({IDD_GS_PRINT, "Drukuj", {0, 0, 260, 145}, kDialogStyle, 0, "MS Sans Serif", 8, kPrintControls});
}

}  // namespace resources
