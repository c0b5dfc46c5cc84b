// The index results tab's template ("Indeksy" of "Nawigator") and the keyword index dialogs'.
#include <array>
#include <span>

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

constexpr std::array<res::DialogControlResource, 5> ListDialog(const char* label, UINT edit, UINT list, UINT show,
                                                               UINT close) {
  return {{
      {UINT(-1), "Static", label, {3, 3, 181, 11}, kChild | SS_LEFT, 0},
      {edit, "Edit", "", {3, 12, 181, 24}, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
      {list, WC_LISTVIEW, "", {3, 27, 181, 148}, kIndexList, 0},
      {show, "Button", "&Lista", {3, 152, 53, 166}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
      {close, "Button", "Zamknij", {56, 152, 106, 166}, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0},
  }};
}

constexpr auto kSubjectControls =
    ListDialog("&Hasło skorowidza", IDC_SUBJECT_EDIT, IDC_SUBJECT_LIST, IDC_SUBJECT_SHOW, IDC_SUBJECT_CLOSE);
constexpr auto kFormulaControls =
    ListDialog("&Wzór", IDC_FORMULA_EDIT, IDC_FORMULA_LIST, IDC_FORMULA_SHOW, IDC_FORMULA_CLOSE);
constexpr auto kFormControls =
    ListDialog("&Indeks formularzy i rysunków", IDC_FORM_EDIT, IDC_FORM_LIST, IDC_FORM_SHOW, IDC_FORM_CLOSE);
constexpr auto kTableControls =
    ListDialog("&Indeks tablic", IDC_TABLE_EDIT, IDC_TABLE_LIST, IDC_TABLE_SHOW, IDC_TABLE_CLOSE);

}  // namespace

void register_index_dialog_resources() {
  const struct {
    UINT id;
    const char* caption;
    std::span<const res::DialogControlResource> controls;
  } dialogs[] = {
      {IDD_SUBJECT_INDEX, "Indeks rzeczowy", kSubjectControls},
      {IDD_FORMULA_INDEX, "Indeks wzorów", kFormulaControls},
      {IDD_FORM_INDEX, "Indeks formularzy i rysunków", kFormControls},
      {IDD_TABLE_INDEX, "Indeks tablic", kTableControls},
  };
  for (const auto& d : dialogs) {
    res::add_dialog({d.id, d.caption, {0, 0, 184, 169}, kIndexDialog, WS_EX_CONTEXTHELP, "MS Sans Serif", 8, d.controls});
  }
  res::add_dialog({IDD_KEYWORD_RESULTS_TAB, "", {0, 0, 180, 130}, kTab, 0, "MS Sans Serif", 8, kKeywordResultsControls});
}

}  // namespace resources
