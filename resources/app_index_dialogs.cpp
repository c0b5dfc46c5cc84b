// The index results tab's template ("Indeksy" of "Nawigator") and the keyword index dialogs'.
#include <array>
#include <span>

#include "platform/controls/list_ctrl.h"
#include "platform/controls/month_cal_ctrl.h"
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
// Drawn by the program's report list (rows holding the highlight text lie on yellow).
constexpr DWORD kIndexList = kReportList | LVS_OWNERDATA | LVS_NOSORTHEADER | LVS_OWNERDRAWFIXED;

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

// "Indeks tytułów": the edit beside the kind of title, a wider list.
constexpr res::DialogControlResource kTitleControls[] = {
    {UINT(-1), "Static", "&Tytuł", {3, 2, 127, 10}, kChild | SS_LEFT, 0},
    {IDC_TITLE_EDIT, "Edit", "", {3, 11, 127, 24}, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
    {IDC_TITLE_KIND, "ComboBox", "", {161, 11, 243, 111}, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0},
    {IDC_TITLE_LIST, WC_LISTVIEW, "", {3, 27, 243, 149}, kIndexList, 0},
    {IDC_TITLE_SHOW, "Button", "&Lista", {3, 152, 53, 166}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {IDC_TITLE_CLOSE, "Button", "Zamknij", {59, 152, 109, 166}, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0},
};

// "Indeks podpisów": surnames or positions, chosen by two radio buttons beside the buttons.
constexpr res::DialogControlResource kWhoControls[] = {
    {IDC_WHO_LABEL, "Static", "Naz&wisko", {3, 3, 181, 11}, kChild | SS_LEFT, 0},
    {IDC_WHO_EDIT, "Edit", "", {3, 12, 181, 24}, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
    {IDC_WHO_LIST, WC_LISTVIEW, "", {3, 27, 181, 148}, kIndexList, 0},
    {IDC_WHO_SHOW, "Button", "&Lista", {3, 152, 53, 166}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {IDC_WHO_CLOSE, "Button", "Zamknij", {59, 152, 109, 166}, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0},
    {IDC_WHO_SURNAMES, "Button", "&Nazwiska", {121, 150, 181, 159}, kChild | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0},
    {IDC_WHO_POSITIONS, "Button", "&Stanowiska", {121, 160, 181, 169}, kChild | BS_AUTORADIOBUTTON, 0},
};

// "Indeks dat": the message over a month calendar; the events' buttons and "&Zdarzenia" are made
// but never shown.
constexpr DWORD kHidden = WS_CHILD;
constexpr res::DialogControlResource kDateControls[] = {
    {UINT(-1), "Static", "Data zdarzenia:", {3, 2, 100, 10}, kChild | SS_LEFT, 0},
    {IDC_DATE_MESSAGE, "Static", "", {3, 12, 182, 28}, kChild | SS_LEFT | SS_NOPREFIX, 0},
    {UINT(-1), "Static", "", {3, 29, 182, 30}, kChild | SS_ETCHEDHORZ, 0},
    {IDC_DATE_CALENDAR, MONTHCAL_CLASS, "", {31, 31, 154, 118}, kChild | WS_TABSTOP | MCS_NOTODAY, WS_EX_STATICEDGE},
    {UINT(-1), "Static", "", {3, 132, 182, 133}, kChild | SS_ETCHEDHORZ, 0},
    {UINT(-1), "Static", "Zdarzenie:", {3, 120, 60, 128}, kHidden | SS_LEFT, 0},
    {IDC_DATE_ADOPTED, "Button", "Data uchwalenia", {19, 130, 99, 140}, kHidden | WS_GROUP | BS_AUTORADIOBUTTON, 0},
    {IDC_DATE_PUBLISHED, "Button", "Opublikowanie", {129, 128, 173, 138}, kHidden | BS_AUTORADIOBUTTON, 0},
    {IDC_DATE_REPEALED, "Button", "Uchylenie", {130, 140, 175, 150}, kHidden | WS_DISABLED | BS_AUTORADIOBUTTON, 0},
    {IDC_DATE_IN_FORCE, "Button", "Wejście w życie", {130, 140, 178, 150}, kHidden | BS_AUTORADIOBUTTON, 0},
    {IDOK, "Button", "&Zdarzenia", {3, 136, 53, 150}, kHidden | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {IDCANCEL, "Button", "Zamknij", {68, 136, 118, 150}, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0},
};

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
      {IDD_WHO_INDEX, "Indeks podpisów", kWhoControls},
  };
  for (const auto& d : dialogs) {
    res::add_dialog({d.id, d.caption, {0, 0, 184, 169}, kIndexDialog, WS_EX_CONTEXTHELP, "MS Sans Serif", 8, d.controls});
  }
  res::add_dialog({IDD_TITLE_INDEX, "Indeks tytułów", {0, 0, 246, 169}, kIndexDialog, WS_EX_CONTEXTHELP, "MS Sans Serif", 8,
                   kTitleControls});
  res::add_dialog({IDD_DATE_INDEX, "Indeks dat", {0, 0, 185, 153}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT,
                   WS_EX_CONTEXTHELP, "MS Sans Serif", 8, kDateControls});
  res::add_dialog({IDD_KEYWORD_RESULTS_TAB, "", {0, 0, 180, 130}, kTab, 0, "MS Sans Serif", 8, kKeywordResultsControls});
}

}  // namespace resources
