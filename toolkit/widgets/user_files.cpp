#include "toolkit/widgets/user_files.h"

#include <cstdlib>

#include "platform/base/config_folder.h"
#include "platform/base/cp1250.h"

namespace {

std::string& override_folder() {
  static std::string folder;
  return folder;
}

std::string default_folder() {
  std::string folder(".");
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
    folder.assign(xdg);
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    folder.assign(home).append("/.local/share");
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder.append("/LumoKAL");
}

}  // namespace

CString SECUserDataFolder() {
  const std::string folder = override_folder().empty() ? default_folder() : override_folder();
  base::make_folders(folder);
  return CString(base::cp1250::from_utf8(folder).c_str());
}

void SECSetUserDataFolder(const std::string& folder) { override_folder() = folder; }

CString SECPathIn(const CString& folder, const CString& name) {
  CString path = folder;
  if (path.IsEmpty() || path[path.GetLength() - 1] != '/') path += "/";
  path += name;
  return path;
}
