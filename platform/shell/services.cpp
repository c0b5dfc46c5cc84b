#include "platform/shell/services.h"

#include <QDesktopServices>
#include <QProcess>
#include <QToolTip>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <utility>

#include "platform/base/cp1250.h"
#include "platform/base/process.h"
#include "platform/win/message_loop.h"
#include "platform/res/resource_store.h"
#include "platform/win/window_api.h"

namespace shell {
namespace {

QString qt(const CString& s) { return QString::fromStdString(base::cp1250::to_utf8(s.view())); }

HelpService*& installed_help() {
  static HelpService* s = nullptr;
  return s;
}

class SilentPlayer : public SoundPlayer {
 public:
  bool play(UINT) override { return false; }
};

SoundPlayer*& installed_player() {
  static SoundPlayer* p = nullptr;
  return p;
}

}  // namespace

bool HelpService::show(const HelpRequest& request) {
  const std::string* text = res::find_string(request.context_id);
  if (!text || text->empty()) return false;
  // The text shows as a tip at the cursor, as context help pop-ups do.
  POINT at{0, 0};
  GetCursorPos(&at);
  QToolTip::showText(QPoint(at.x, at.y), QString::fromStdString(base::cp1250::to_utf8(*text)));
  return true;
}

HelpService& help_service() {
  static HelpService default_service;
  return installed_help() ? *installed_help() : default_service;
}

void set_help_service(HelpService* service) { installed_help() = service; }

BOOL WinHelp(HWND h, const char* help_file, UINT command, UINT_PTR data) {
  if (command == HELP_QUIT) return TRUE;
  HelpRequest request;
  request.window = h;
  request.command = command;
  request.help_file = help_file ? help_file : "";
  request.control_id = h ? UINT(GetDlgCtrlID(h)) : 0;
  if (command == HELP_WM_HELP || command == HELP_CONTEXTMENU) {
    // `data` is an id table: {control id, context id} pairs ended by a zero control id. The pair
    // of the window's own control is asked for, else the first one; an empty table asks nothing.
    const auto* table = reinterpret_cast<const DWORD*>(data);
    if (!table || table[0] == 0) return FALSE;
    const DWORD* pair = table;
    for (const DWORD* p = table; p[0] != 0; p += 2) {
      if (p[0] == DWORD(request.control_id)) {
        pair = p;
        break;
      }
    }
    request.control_id = UINT(pair[0]);
    request.context_id = UINT(pair[1]);
  } else if (command == HELP_CONTEXT || command == HELP_CONTEXTPOPUP) {
    request.context_id = UINT(data);
  }
  return help_service().show(request);
}

namespace {
UrlOpener& url_opener() {
  static UrlOpener opener;
  return opener;
}
}  // namespace

void set_url_opener(UrlOpener opener) { url_opener() = std::move(opener); }

bool open_url(const CString& url) {
  if (url.IsEmpty()) return false;
  if (url_opener()) return url_opener()(url);
  QUrl u(qt(url), QUrl::TolerantMode);
  if (!u.isValid()) return false;
  return QDesktopServices::openUrl(u);
}

bool run_process(const CString& program, const std::vector<CString>& arguments) {
  if (program.IsEmpty()) return false;
  QStringList args;
  for (const CString& a : arguments) args << qt(a);
  return QProcess::startDetached(qt(program), args);
}

DWORD wait_for_process(HANDLE process, DWORD milliseconds) {
  constexpr DWORD kLook = 50;
  auto start = std::chrono::steady_clock::now();
  for (;;) {
    DWORD waited = DWORD(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
    DWORD look = kLook;
    if (milliseconds != INFINITE) look = waited >= milliseconds ? 0 : std::min(kLook, milliseconds - waited);
    DWORD r = WaitForSingleObject(process, look);
    if (r != WAIT_TIMEOUT || (milliseconds != INFINITE && waited + look >= milliseconds)) return r;
    win::pump_waiting_messages();
  }
}

SoundPlayer& sound_player() {
  static SilentPlayer silent;
  return installed_player() ? *installed_player() : silent;
}

void set_sound_player(SoundPlayer* player) { installed_player() = player; }

}  // namespace shell
