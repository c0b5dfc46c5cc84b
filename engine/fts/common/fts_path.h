// Names of full-text files: a file inside a title is named by the title's path, an exclamation mark
// and the internal name ("C:\\DANE\\LUMOKAL.DAT!|MVINDEX").
#pragma once

#include <string>
#include <string_view>

namespace fts {

// True when the name holds a '!'.
bool FtsHasSubfileMark(std::string_view name);
// Puts the part before the first '!' into `container` and returns the rest; without a '!' the whole
// name is the container and the default internal name is returned.
std::string FtsSplitPath(std::string_view name, std::string_view default_internal, std::string& container);

}  // namespace fts
