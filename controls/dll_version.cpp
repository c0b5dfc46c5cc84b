#include "controls/dll_version.h"

#include <cstdint>
#include <string_view>

#include "platform/base/number_text.h"
#include "platform/shell/shell_execute.h"

BOOL CDLLVersion::GetDllVersion(const char* file_name, DWORD& major, DWORD& minor, DWORD& build) {
  if (!file_name) return FALSE;
  DLLVERSIONINFO info;
  if (GetDllVersionInfo(file_name, &info)) {
    major = info.dwMajorVersion;
    minor = info.dwMinorVersion;
    build = info.dwBuildNumber;
    return TRUE;
  }
  CString text;
  return GetFileVersionString(file_name, text) && ParseVersionString(text, major, minor, build);
}

BOOL CDLLVersion::GetFileVersionString(const char*, CString&) { return FALSE; }

BOOL CDLLVersion::ParseVersionString(const char* text, DWORD& major, DWORD& minor, DWORD& build) {
  if (!text) return FALSE;
  std::string_view rest(text);
  DWORD parts[3] = {};
  for (DWORD& part : parts) {
    if (rest.empty()) return FALSE;
    size_t dot = rest.find('.');
    long long value = 0;
    if (!base::parse_integer(rest.substr(0, dot), value) || value < 0 || value > static_cast<long long>(UINT32_MAX)) return FALSE;
    part = DWORD(value);
    rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
  }
  major = parts[0];
  minor = parts[1];
  build = parts[2];
  return TRUE;
}
