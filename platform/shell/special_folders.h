// The desktop's own folders by their platform numbers. The desktop folder is the one the user's
// desktop settings name (what "xdg-user-dir DESKTOP" prints), else ~/Desktop. There is no
// favourites folder on this desktop: asking for it fails, as on a system without one.
#pragma once

#include <string>

#include "platform/shell/folder_browser.h"

using HRESULT = long;
constexpr HRESULT NOERROR = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005L);

constexpr int CSIDL_DESKTOP = 0x0000;
constexpr int CSIDL_FAVORITES = 0x0006;
constexpr int CSIDL_DESKTOPDIRECTORY = 0x0010;

// An item list of the folder (freed with CoTaskMemFree, read with SHGetPathFromIDList); E_FAIL
// for a folder this desktop does not have, one that does not exist, or a path without a CP1250
// form.
HRESULT SHGetSpecialFolderLocation(HWND owner, int folder, LPITEMIDLIST* list);
// Copies the folder's CP1250 path (at most 259 bytes and a zero) into `path`; with `create` a
// missing folder is made first. FALSE when there is none.
BOOL SHGetSpecialFolderPath(HWND owner, char* path, int folder, BOOL create);

namespace shell {

// The desktop folder's path (UTF-8, without a trailing slash), whether it exists or not.
// `program` is the tool that names the user's folders; when it cannot be run or answers with
// something that is not an absolute path, the folder is ~/Desktop.
std::string desktop_folder(const char* program = "xdg-user-dir");

}  // namespace shell
