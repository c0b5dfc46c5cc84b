#include "shell/lumo_command_line.h"

namespace {
constexpr const char* kDataSwitch = "--data";
constexpr const char* kDataSwitchWithValue = "--data=";
}  // namespace

void CLumoCommandLineInfo::Parse(const std::vector<CString>& arguments) {
  const CString with_value(kDataSwitchWithValue);
  for (size_t i = 0; i < arguments.size(); ++i) {
    const CString& arg = arguments[i];
    if (arg == kDataSwitch) {
      // The next argument is the folder as it stands, even when it looks like a switch; a switch
      // without one names none.
      if (i + 1 < arguments.size()) m_strDataDir = arguments[++i];
      continue;
    }
    if (arg.Left(with_value.GetLength()) == with_value) {
      m_strDataDir = arg.Mid(with_value.GetLength());
      continue;
    }
    bool flag = CCommandLineInfo::IsSwitch(arg);
    ParseParam(flag ? arg.GetString() + 1 : arg.GetString(), flag, i + 1 == arguments.size());
  }
}
