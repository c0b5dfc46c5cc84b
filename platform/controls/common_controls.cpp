#include "platform/controls/common_controls.h"

#include "platform/controls/animate_ctrl.h"
#include "platform/controls/date_time_ctrl.h"
#include "platform/controls/header_ctrl.h"
#include "platform/controls/hot_key_ctrl.h"
#include "platform/controls/list_ctrl.h"
#include "platform/controls/month_cal_ctrl.h"
#include "platform/controls/progress_ctrl.h"
#include "platform/controls/slider_ctrl.h"
#include "platform/controls/spin_button_ctrl.h"
#include "platform/controls/status_bar_ctrl.h"
#include "platform/controls/tab_ctrl.h"

namespace {

constexpr DWORD kOffered = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS |
                           ICC_PROGRESS_CLASS | ICC_HOTKEY_CLASS | ICC_ANIMATE_CLASS | ICC_DATE_CLASSES;

struct Group {
  DWORD flag;
  void (*registers)();
};

constexpr Group kGroups[] = {
    {ICC_LISTVIEW_CLASSES, [] {
       controls::register_list_view();
       controls::register_header_control();
     }},
    {ICC_BAR_CLASSES, [] {
       controls::register_status_bar_control();
       controls::register_trackbar_control();
     }},
    {ICC_TAB_CLASSES, controls::register_tab_control},
    {ICC_UPDOWN_CLASS, controls::register_spin_button_control},
    {ICC_PROGRESS_CLASS, controls::register_progress_control},
    {ICC_HOTKEY_CLASS, controls::register_hot_key_control},
    {ICC_ANIMATE_CLASS, controls::register_animate_control},
    {ICC_DATE_CLASSES, [] {
       controls::register_month_calendar();
       controls::register_date_picker();
     }},
};

}  // namespace

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
  if (!picce || picce->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  for (const Group& g : kGroups) {
    if (picce->dwICC & g.flag) g.registers();
  }
  return (picce->dwICC & ~kOffered) == 0;
}

void InitCommonControls() {
  INITCOMMONCONTROLSEX all;
  all.dwICC = kOffered;
  InitCommonControlsEx(&all);
}
