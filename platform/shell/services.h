// Services of the desktop: context help, web addresses and e-mail, child processes and sounds.
//
// Context help: there is no help engine; the help service takes each request (window, control
// id, context id, command) and shows the short text the resource store holds under the context
// id, when there is one. Tests install a recorder instead.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/base/cstring.h"
#include "platform/base/file_calls.h"
#include "platform/base/win_types.h"

// Help commands.
constexpr UINT HELP_CONTEXT = 0x0001;
constexpr UINT HELP_QUIT = 0x0002;
constexpr UINT HELP_INDEX = 0x0003;
constexpr UINT HELP_CONTEXTPOPUP = 0x0008;
constexpr UINT HELP_FINDER = 0x000B;
constexpr UINT HELP_WM_HELP = 0x000C;
constexpr UINT HELP_CONTEXTMENU = 0x000A;

namespace shell {

struct HelpRequest {
  HWND window = nullptr;
  UINT control_id = 0;
  UINT context_id = 0;
  UINT command = 0;
  // The help file the caller named (empty for none).
  CString help_file;
};

class HelpService {
 public:
  virtual ~HelpService() = default;
  // True when help was shown.
  virtual bool show(const HelpRequest& request);
};

HelpService& help_service();
// Installs `service` (null restores the default); the caller keeps it alive.
void set_help_service(HelpService* service);

// The platform's help call: the request goes to the help service. For HELP_WM_HELP and
// HELP_CONTEXTMENU `data` points at an id table ({control id, context id} pairs ended by a zero
// control id); for HELP_CONTEXT and HELP_CONTEXTPOPUP it is the context id.
BOOL WinHelp(HWND h, const char* help_file, UINT command, UINT_PTR data);

// Opens a web address or a "mailto:" address with the desktop's program; false when it could not.
bool open_url(const CString& url_cp1250);
// The routine open_url hands non-empty addresses to in place of the desktop (tests install one
// that records them and answers); an empty one restores the desktop.
using UrlOpener = std::function<bool(const CString& url_cp1250)>;
void set_url_opener(UrlOpener opener);
// Starts a program with arguments (CP1250) without waiting; false when it could not start.
bool run_process(const CString& program, const std::vector<CString>& arguments);
// Waits for a child process (platform/base/process.h) while the program goes on handling its
// messages: input, painting, timers and the idle pass run between short looks at the process.
// A WM_QUIT that arrives meanwhile stays queued for the program's own loop. Returns what
// WaitForSingleObject does: WAIT_OBJECT_0, WAIT_TIMEOUT after `milliseconds`, WAIT_FAILED.
DWORD wait_for_process(HANDLE process, DWORD milliseconds = 0xFFFFFFFF);

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Plays the sound resource `id` (asynchronously); false when there is none.
  virtual bool play(UINT id) = 0;
};
// The player in use. The program installs the wave sound player of the pictures and sound layer
// (InstallWaveSoundPlayer, pictures/image/wave.h) at start; until then, and in tests that install
// none, a silent default plays nothing and answers false.
SoundPlayer& sound_player();
void set_sound_player(SoundPlayer* player);

}  // namespace shell
