// The program's compiled-in resources. register_program_resources adds every table to the
// resource store (platform/res); the program calls it once at start, tests before they look a
// resource up. Further calls do nothing.
#pragma once

#include "platform/res/resource_store.h"

namespace resources {

void register_program_resources();

// One per resource file.
void register_strings();
void register_cursors();

}  // namespace resources
