// The index results tab's template ("Indeksy" of "Nawigator") and the keyword index dialogs'.
#include "platform/controls/list_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/dialog.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"

namespace resources {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kTab = WS_CHILD | DS_CONTROL | DS_SETFONT;
constexpr DWORD kReportList = kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;

constexpr res::DialogControlResource kKeywordResultsControls[] = {
    {IDC_KEYWORD_RESULTS_COUNT, "Static", "", {125, 3, 165, 11}, kChild | SS_LEFT, 0},
    {IDC_KEYWORD_RESULTS_HEADING, "Static", "", {175, 3, 180, 11}, kChild | SS_LEFT | SS_NOPREFIX, 0},
    {IDC_KEYWORD_RESULTS_LIST, WC_LISTVIEW, "", {0, 14, 180, 130}, kReportList, 0},
};

// The plain list dialogs: label, edit, virtual report list, "&Lista" and "Zamknij".
constexpr DWORD kIndexDialog =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT;
constexpr DWORD kIndexList = kReportList | LVS_OWNERDATA | LVS_NOSORTHEADER;

constexpr res::DialogControlResource kSubjectControls[] = {
    {UINT(-1), "Static", "&Hasło skorowidza", {3, 3, 181, 11}, kChild | SS_LEFT, 0},
    {IDC_SUBJECT_EDIT, "Edit", "", {3, 12, 181, 24}, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
    {IDC_SUBJECT_LIST, WC_LISTVIEW, "", {3, 27, 181, 148}, kIndexList, 0},
    {IDC_SUBJECT_SHOW, "Button", "&Lista", {3, 152, 53, 166}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {IDC_SUBJECT_CLOSE, "Button", "Zamknij", {56, 152, 106, 166}, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0},
};

}  // namespace

void register_index_dialog_resources() {
  res::add_dialog({IDD_SUBJECT_INDEX, "Indeks rzeczowy", {0, 0, 184, 169}, kIndexDialog, WS_EX_CONTEXTHELP,
                   "MS Sans Serif", 8, kSubjectControls});
  res::add_dialog({IDD_KEYWORD_RESULTS_TAB, "", {0, 0, 180, 130}, kTab, 0, "MS Sans Serif", 8, kKeywordResultsControls});
}

}  // namespace resources
