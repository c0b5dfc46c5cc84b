// Where the toolkit keeps the files the user owns (the keyboard shortcuts and the tool list): the
// platform's user data folder (platform/base/data_folder.h). The program's own folder is only
// ever read.
#pragma once

#include <string>

#include "platform/base/cstring.h"

// The folder (CP1250, without a trailing separator); created when missing.
CString SECUserDataFolder();
// Points the folder elsewhere for this process (tests); an empty path returns to the default.
void SECSetUserDataFolder(const std::string& folder);
// `folder` + "/" + `name`.
CString SECPathIn(const CString& folder, const CString& name);
