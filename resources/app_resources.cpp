// Resources of the application (shell, reading view, navigation, binders, search, notes): strings, dialog templates, menus and images added to the resource store.
// Each piece of the area adds its tables from its own register routine, called from here.
#include "resources/program_resources.h"
#include "resources/app_ids.h"

namespace resources {

void register_app_resources() {
  register_navigation_resources();
  register_index_dialog_resources();
  register_find_resources();
  register_main_frame_resources();
  register_library_locator_resources();
  register_frame_dialog_resources();
  register_text_view_resources();
  register_printing_resources();
  register_binder_resources();
  register_notes_resources();
  register_act_info_resources();
}

}  // namespace resources
