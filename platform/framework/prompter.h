// Every modal question the program asks the user goes through one prompter: message boxes, file,
// folder, colour and printer choices, the printer and page set-up dialogs. The default prompter
// shows Qt dialogs under the program's modal rules (the owner's window disabled while the
// question is up, the program's own queue kept running so its windows paint and posted messages
// arrive, the owner enabled and active again afterwards); tests install their own to answer (and
// record) every question, so no test ever waits for a person.
#pragma once

#include <vector>

#include "platform/base/cstring.h"
#include "platform/gdi/core/gdi_types.h"
#include "platform/base/win_types.h"

// Message-box types (buttons, icon, default button) and the answers.
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x0002;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_RETRYCANCEL = 0x0005;
constexpr UINT MB_TYPEMASK = 0x000F;
constexpr UINT MB_ICONHAND = 0x0010;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x0040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0x00F0;
constexpr UINT MB_DEFBUTTON1 = 0x0000;
constexpr UINT MB_DEFBUTTON2 = 0x0100;
constexpr UINT MB_DEFBUTTON3 = 0x0200;
constexpr UINT MB_DEFMASK = 0x0F00;
constexpr UINT MB_APPLMODAL = 0x0000;
constexpr UINT MB_TASKMODAL = 0x2000;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDHELP = 9;

struct PRINTDLG;
struct PAGESETUPDLG;
class CWnd;

namespace framework {

// The buttons of a message-box type, in order, with their answers and Polish labels.
struct PromptButton {
  int answer;
  const char* label;  // CP1250
};
// At most three buttons; the count is returned.
int message_box_buttons(UINT type, PromptButton out[3]);

// A file question. `filter` is the framework's form: "Opis|*.ext;*.ext2|Opis 2|*.x||".
struct FileQuestion {
  bool open = true;             // open an existing file, or choose where to save
  bool multiple = false;        // open: several files may be chosen
  bool overwrite_prompt = true;  // save: ask before replacing
  CString title;
  CString filter;
  CString default_extension;  // without the dot
  CString initial;            // initial path or file name
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Returns one of the ID answers (IDCANCEL when the box is closed).
  virtual int message_box(HWND owner, const CString& text, const CString& caption, UINT type) = 0;
  // Fills `chosen` (CP1250 paths) and returns true, or false when the user cancels.
  virtual bool choose_files(HWND owner, const FileQuestion& question,
                            std::vector<CString>& chosen) = 0;
  virtual bool choose_folder(HWND owner, const CString& title, CString& folder) = 0;
  virtual bool choose_colour(HWND owner, COLORREF& colour) = 0;
  // `printer` holds the current printer name on entry; `to_file` receives the PDF path when the
  // user prints to a file (empty for a printer).
  virtual bool choose_printer(HWND owner, CString& printer, CString& to_file, int& copies) = 0;
  // The printer dialog: `pd` holds the printer, page range, copies and flags on entry and the
  // answer on IDOK (printing to a file: PD_PRINTTOFILE and the file as the port of the device
  // names). By default it asks choose_printer. IDOK or IDCANCEL.
  virtual int print_dialog(HWND owner, PRINTDLG& pd);
  // The page set-up dialog: printer, paper and margins of `psd` (in its units). By default the
  // question is cancelled. IDOK or IDCANCEL.
  virtual int page_setup_dialog(HWND owner, PAGESETUPDLG& psd);
};

// While it lives, the top-level window of `owner` (none for a null or stale handle) is disabled;
// afterwards it is enabled and activated again, when it was enabled before. Every modal question
// keeps its owner so.
class ModalOwner {
 public:
  explicit ModalOwner(HWND owner);
  ~ModalOwner();
  ModalOwner(const ModalOwner&) = delete;
  ModalOwner& operator=(const ModalOwner&) = delete;
  HWND window() const { return top_; }

 private:
  HWND top_ = nullptr;
  bool disabled_ = false;
};

// The prompter in use; Qt dialogs unless one was installed.
Prompter& prompter();
// Installs `p` (null restores the default). The caller keeps it alive while installed.
void set_prompter(Prompter* p);

}  // namespace framework

// The platform's message box: owner disabled while it is up.
int MessageBox(HWND owner, const char* text, const char* caption, UINT type);
// The framework's message boxes, captioned with the application's name.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = UINT(-1));
