// Resources of the toolkit (workbook frame, docking, toolbars, customization, menus, widgets): strings, dialog templates, menus and images added to the resource store.
// Each piece of the area adds its tables from its own register routine, called from here.
#include "resources/program_resources.h"
#include "resources/toolkit_ids.h"

namespace resources {

void register_toolkit_widgets();

void register_toolkit_resources() {
  register_toolkit_widgets();
  register_toolkit_list_editing();
  register_toolkit_buttons();
  register_toolkit_customize();
}

}  // namespace resources
