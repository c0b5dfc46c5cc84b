// The per-user folder of the program's own data (work files, binders, notes), beside the settings
// folder: $XDG_DATA_HOME/LumoKAL, or ~/.local/share/LumoKAL when that variable is unset or not an
// absolute path. It is created (mode 0700, with missing parents) the first time it is asked for.
// Tests point it elsewhere with set_data_folder.
#pragma once

#include <string>

#include "platform/base/os_file.h"

namespace base {

// The folder, without a trailing slash. Created when missing; `error` (when given) tells whether
// that worked, and the path is returned either way so the caller can name it in a message.
std::string data_folder(OsError* error = nullptr);
// Overrides the folder for this process; an empty path returns to the default.
void set_data_folder(std::string folder);

}  // namespace base
