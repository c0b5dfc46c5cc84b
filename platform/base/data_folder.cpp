#include "platform/base/data_folder.h"

#include <cstdlib>
#include <mutex>

#include "platform/base/config_folder.h"

namespace base {
namespace {

struct Override {
  std::mutex mutex;
  std::string folder;
};

Override& override_state() {
  static Override o;
  return o;
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

std::string data_folder(OsError* error) {
  std::string folder;
  {
    Override& o = override_state();
    std::lock_guard lock(o.mutex);
    folder = o.folder;
  }
  if (folder.empty()) folder = default_folder();
  OsError made = make_folders(folder);
  if (error) *error = made;
  return folder;
}

void set_data_folder(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  Override& o = override_state();
  std::lock_guard lock(o.mutex);
  o.folder = std::move(folder);
}

}  // namespace base
