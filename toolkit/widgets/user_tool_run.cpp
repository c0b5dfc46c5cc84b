// Starting a user tool as a child process, and waiting for it with the interface kept alive.
#include <string>
#include <vector>

#include "platform/base/process.h"
#include "platform/shell/services.h"
#include "toolkit/widgets/user_tool.h"

namespace {

// A wait dispatches the program's messages, so a second tool could be started from inside it.
bool& waiting() {
  static bool flag = false;
  return flag;
}

}  // namespace

bool SECUserTool::IsWaiting() { return waiting(); }

bool SECUserTool::Execute(const std::vector<CString>* macros) {
  CString directory;
  const CString command_line = BuildCommandLine(macros, directory);
  return StartProcess(directory, command_line, m_nShowCmd, m_bWait != 0);
}

bool SECUserTool::StartProcess(const CString& directory, const CString& command_line, int show_command, bool wait) {
  if (command_line.IsEmpty() || waiting()) return false;
  std::vector<char> line(command_line.GetString(), command_line.GetString() + command_line.GetLength() + 1);
  STARTUPINFO startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show_command);
  PROCESS_INFORMATION info;
  // The folder goes to the child alone; this program's own current folder never changes.
  if (!CreateProcess(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     directory.IsEmpty() ? nullptr : directory.GetString(), &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  bool ok = true;
  if (wait) {
    waiting() = true;
    ok = shell::wait_for_process(info.hProcess) == WAIT_OBJECT_0;
    waiting() = false;
  }
  CloseHandle(info.hProcess);
  return ok;
}
