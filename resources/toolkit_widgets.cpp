// Strings of the toolkit's widgets: keyboard shortcuts and user tools.
#include "resources/program_resources.h"
#include "resources/toolkit_ids.h"

namespace resources {

void register_toolkit_widgets() {
  static const res::StringResource strings[] = {
      {IDS_ALT_PLUS, "Alt + "},
  };
  res::add_strings(strings);
}

}  // namespace resources
