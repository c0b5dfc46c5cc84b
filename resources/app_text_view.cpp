// The text sheet's form (dialog 101): the act's header, the topic's header and the text, three
// topic panes stacked from the top. The view lays them out to its size.
#include "platform/framework/dialog.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"

namespace resources {
namespace {

constexpr DWORD kPane = WS_CHILD | WS_VISIBLE;

constexpr res::DialogControlResource kTextViewControls[] = {
    {IDC_TEXT_VIEW_ACT_HEADER, "AfxMvPane", "", {0, 0, 300, 20}, kPane, 0},
    {IDC_TEXT_VIEW_TOPIC_HEADER, "AfxMvPane", "", {0, 20, 300, 40}, kPane, 0},
    {IDC_TEXT_VIEW_TEXT, "AfxMvPane", "", {0, 40, 300, 200}, kPane | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP, 0},
};

}  // namespace

void register_text_view_resources() {
  res::add_dialog({IDD_TEXT_VIEW, "", {0, 0, 300, 200}, WS_CHILD | DS_SETFONT, 0, "MS Sans Serif", 8,
                   kTextViewControls});
}

}  // namespace resources
