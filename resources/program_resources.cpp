#include "resources/program_resources.h"

namespace resources {

void register_program_resources() {
  static const bool registered = [] {
    register_strings();
    register_cursors();
    register_menus();
    register_accelerators();
    register_toolbars();
    register_tab_toolbars();
    register_toolkit_resources();
    register_controls_resources();
    register_app_resources();
    register_pictures_resources();
    return true;
  }();
  (void)registered;
}

}  // namespace resources
