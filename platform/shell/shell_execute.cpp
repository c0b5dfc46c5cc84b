#include "platform/shell/shell_execute.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "platform/base/cfile.h"
#include "platform/base/process.h"
#include "platform/controls/common_controls.h"
#include "platform/shell/services.h"

namespace {

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

bool is_address(const std::string& file) {
  std::string l = lower(file);
  return l.find("://") != std::string::npos || l.rfind("mailto:", 0) == 0;
}

std::vector<CString> split_parameters(const char* parameters) {
  std::vector<CString> out;
  for (const std::string& word : base::split_command_line(parameters ? parameters : "")) out.emplace_back(word.c_str());
  return out;
}

HINSTANCE result(int code) { return reinterpret_cast<HINSTANCE>(std::intptr_t(code)); }

}  // namespace

HINSTANCE ShellExecute(HWND, const char* lpOperation, const char* lpFile, const char* lpParameters, const char*,
                       int) {
  std::string verb = lower(lpOperation ? lpOperation : "open");
  if (verb != "open" && verb != "explore") return result(SE_ERR_NOASSOC);
  std::string file = lpFile ? lpFile : "";
  if (file.empty()) return result(ERROR_FILE_NOT_FOUND);
  if (is_address(file)) return result(shell::open_url(CString(file.c_str())) ? kShellExecuteSuccess : SE_ERR_NOASSOC);
  CFileStatus status;
  if (!CFile::GetStatus(file.c_str(), status)) return result(ERROR_FILE_NOT_FOUND);
  std::string path = base::os_path(CString(file.c_str()));
  bool program = !(status.m_attribute & CFile::directory) && ::access(path.c_str(), X_OK) == 0;
  if (program && verb == "open") {
    return result(shell::run_process(CString(file.c_str()), split_parameters(lpParameters)) ? kShellExecuteSuccess
                                                                                           : SE_ERR_NOASSOC);
  }
  // Documents and folders open with the desktop's program for them.
  CString url = CString("file://") + status.m_szFullName;
  return result(shell::open_url(url) ? kShellExecuteSuccess : SE_ERR_NOASSOC);
}

BOOL GetDllVersionInfo(const char* file_name, DLLVERSIONINFO* info) {
  if (!file_name || !info) return FALSE;
  std::string name = lower(file_name);
  size_t cut = name.find_last_of("/\\");
  if (cut != std::string::npos) name = name.substr(cut + 1);
  if (name != "comctl32.dll" && name != "comctl32") return FALSE;
  info->dwMajorVersion = controls::kCommonControlsVersion.major;
  info->dwMinorVersion = controls::kCommonControlsVersion.minor;
  info->dwBuildNumber = 0;
  info->dwPlatformID = 2;  // the Windows NT family
  return TRUE;
}
