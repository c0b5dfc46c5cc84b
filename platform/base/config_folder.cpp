#include "platform/base/config_folder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

namespace base {
namespace {

std::mutex& override_mutex() {
  static std::mutex m;
  return m;
}
std::string& override_folder() {
  static std::string folder;
  return folder;
}

}  // namespace

std::string config_folder() {
  {
    std::lock_guard lock(override_mutex());
    if (!override_folder().empty()) return override_folder();
  }
  std::string folder(".");
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
    folder.assign(xdg);
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    folder.assign(home).append("/.config");
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder.append("/LumoKAL");
}

void set_config_folder(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  std::lock_guard lock(override_mutex());
  override_folder() = std::move(folder);
}

OsError make_folders(const std::string& folder) {
  if (folder.empty()) return OsError::Invalid;
  for (size_t at = 1; at <= folder.size(); ++at) {
    if (at != folder.size() && folder[at] != '/') continue;
    std::string part = folder.substr(0, at);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return os_error_from_errno(errno);
  }
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) return os_error_from_errno(errno);
  return S_ISDIR(st.st_mode) ? OsError::None : OsError::Invalid;
}

}  // namespace base
