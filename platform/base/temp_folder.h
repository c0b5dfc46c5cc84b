// The private per-process temporary folder: created 0700 under $TMPDIR (or /tmp) on first use and
// removed with everything in it when the process exits normally.
#pragma once

#include <string>

#include "platform/base/os_file.h"

namespace base {

// The folder's path, without a trailing slash. Empty when it cannot be created.
const std::string& temp_folder();

// Creates a new file in the temporary folder named `prefix` + a unique number + `extension`
// (extension given with its dot, or empty), opened exclusively for read and write. The file stays;
// the caller removes it when done.
OsError create_temp_file(const std::string& prefix, const std::string& extension, OsFile& file,
                         std::string& path);

// Creates a file without a name in the temporary folder, opened for read and write: it goes when it
// closes, with no name to remove (where the file system cannot make one, a named file is created and
// its name removed at once).
OsError create_unnamed_temp_file(OsFile& file);

}  // namespace base
