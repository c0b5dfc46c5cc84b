// The index results tab's template ("Indeksy" of "Nawigator").
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

}  // namespace

void register_index_dialog_resources() {
  res::add_dialog({IDD_KEYWORD_RESULTS_TAB, "", {0, 0, 180, 130}, kTab, 0, "MS Sans Serif", 8, kKeywordResultsControls});
}

}  // namespace resources
