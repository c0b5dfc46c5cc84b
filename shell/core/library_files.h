// Finding the library's title file in a folder. A mounted CD may show the name upper-cased, with a
// version suffix ";1", or with the older extension ".M14", so names are matched without regard
// to case in those forms.
#pragma once

#include <string>

namespace shell {

// Whether a folder entry named `entry` is the title file `name` ("LumoKAL.dat").
bool IsTitleFileName(const std::string& entry, const std::string& name);
// The path of the title file in `folder` (which ends with a separator or is empty for the current
// folder): the exact name first, then any entry IsTitleFileName accepts; empty when none.
std::string FindTitleFile(const std::string& folder, const std::string& name);
// `folder` with a separator at its end (an empty folder stays empty).
std::string WithSeparator(const std::string& folder);

}  // namespace shell
