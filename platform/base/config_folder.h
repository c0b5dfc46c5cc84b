// The per-user folder of the program's settings: $XDG_CONFIG_HOME/LumoKAL, or ~/.config/LumoKAL
// when that variable is unset or not an absolute path. Tests and the headless fixture point it
// elsewhere with set_config_folder.
#pragma once

#include <string>

#include "platform/base/os_file.h"

namespace base {

// The folder, without a trailing slash (not created by this call).
std::string config_folder();
// Overrides the folder for this process; an empty path returns to the default.
void set_config_folder(std::string folder);
// Creates `folder` and its missing parents with mode 0700; an existing folder is fine.
OsError make_folders(const std::string& folder);

}  // namespace base
