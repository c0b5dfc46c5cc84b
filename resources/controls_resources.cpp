// Resources of the in-house controls (dialog bases, print dialogs, status bar, lists, edits, skinning): strings, dialog templates, menus and images added to the resource store.
// Each piece of the area adds its tables from its own register routine, called from here.
#include "resources/program_resources.h"
#include "resources/controls_ids.h"

namespace resources {

void register_controls_units();
void register_controls_hyperlink();
void register_controls_print_dialogs();

void register_controls_resources() {
  register_controls_units();
  register_controls_hyperlink();
  register_controls_print_dialogs();
}

}  // namespace resources
