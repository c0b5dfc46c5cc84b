#include "toolkit/widgets/user_files.h"

#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"

CString SECUserDataFolder() { return CString(base::cp1250::from_utf8(base::data_folder()).c_str()); }

void SECSetUserDataFolder(const std::string& folder) { base::set_data_folder(folder); }

CString SECPathIn(const CString& folder, const CString& name) {
  CString path = folder;
  if (path.IsEmpty() || path[path.GetLength() - 1] != '/') path += "/";
  path += name;
  return path;
}
