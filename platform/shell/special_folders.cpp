#include "platform/shell/special_folders.h"

#include <sys/stat.h>

#include <QProcess>
#include <QStandardPaths>
#include <cstdlib>
#include <cstring>

#include "platform/base/config_folder.h"
#include "platform/base/cp1250.h"

namespace {

constexpr size_t kMaxPath = 260;
// The tool is a small script; a desktop that does not answer in this time gets the default.
constexpr int kToolTimeoutMs = 3000;

std::string home_folder() {
  const char* home = std::getenv("HOME");
  return home && *home == '/' ? std::string(home) : std::string();
}

std::string trimmed(std::string path) {
  while (!path.empty() && (path.back() == '\n' || path.back() == '\r' || path.back() == ' ')) path.pop_back();
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The folder's path in CP1250, or empty when the desktop has no such folder.
std::string folder_path(int folder) {
  if (folder != CSIDL_DESKTOP && folder != CSIDL_DESKTOPDIRECTORY) return std::string();
  std::string utf8 = shell::desktop_folder();
  std::string cp1250 = base::cp1250::from_utf8(utf8);
  // A name with characters outside the code page could not be opened again under its CP1250 form.
  if (base::cp1250::to_utf8(cp1250) != utf8 || cp1250.size() >= kMaxPath) return std::string();
  return cp1250;
}

bool is_folder(const std::string& cp1250) {
  struct stat st {};
  return ::stat(base::cp1250::to_utf8(cp1250).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

HRESULT SHGetSpecialFolderLocation(HWND, int folder, LPITEMIDLIST* list) {
  if (!list) return E_FAIL;
  *list = nullptr;
  std::string path = folder_path(folder);
  if (path.empty() || !is_folder(path)) return E_FAIL;
  *list = shell::item_list_of(CString(path.c_str()));
  return *list ? NOERROR : E_FAIL;
}

BOOL SHGetSpecialFolderPath(HWND, char* out, int folder, BOOL create) {
  if (!out) return FALSE;
  std::string path = folder_path(folder);
  if (path.empty()) return FALSE;
  if (!is_folder(path) && (!create || base::make_folders(base::cp1250::to_utf8(path)) != base::OsError::None)) {
    return FALSE;
  }
  std::memcpy(out, path.c_str(), path.size() + 1);
  return TRUE;
}

namespace shell {

std::string desktop_folder(const char* program) {
  std::string home = home_folder();
  std::string fallback = home.empty() ? std::string() : home + "/Desktop";
  if (!program || !*program) return fallback;
  QString tool = QStandardPaths::findExecutable(QString::fromUtf8(program));
  if (tool.isEmpty()) return fallback;
  QProcess process;
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  process.start(tool, {QStringLiteral("DESKTOP")});
  if (!process.waitForFinished(kToolTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    process.kill();
    process.waitForFinished(kToolTimeoutMs);
    return fallback;
  }
  std::string answer = trimmed(process.readAllStandardOutput().left(4096).toStdString());
  if (answer.empty() || answer.front() != '/' || answer.find('\n') != std::string::npos) return fallback;
  return answer;
}

}  // namespace shell
