// The printer dialog and the page set-up dialog, and the printer description they hand over.
//
// A printer is described by device names (printer, driver, output port; a file path as port when
// printing to a file) and a device mode (orientation, paper, copies, resolution). Both are kept in
// shared handles: the application holds its printer selection in them, a dialog starts from the
// application's and hands back new ones, and whoever drops the last reference frees them.
//
// Without a template of their own both dialogs are asked through the prompter (platform dialogs
// by default, answered by tests). With PD_ENABLEPRINTTEMPLATE / PSD_ENABLEPAGESETUPTEMPLATE and
// a template id (MAKEINTRESOURCE) in the resource store, the dialog is one of ours, made from
// that template: the standard controls it has (printer list, page range, copies, print to file;
// paper, source, orientation, the margin fields and the printer button) are filled from the
// structure at initialisation and read back on OK, so derived dialogs add their own controls
// with data exchange as every dialog does.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/common_dialog.h"

namespace framework {
class PrintJob;
}

// --- Printer description ------------------------------------------------------------------------
constexpr short DMORIENT_PORTRAIT = 1;
constexpr short DMORIENT_LANDSCAPE = 2;
constexpr short DMPAPER_LETTER = 1;
constexpr short DMPAPER_LEGAL = 5;
constexpr short DMPAPER_A4 = 9;
constexpr short DMPAPER_A5 = 11;
constexpr short DMPAPER_USER = 256;
constexpr DWORD DM_ORIENTATION = 0x00000001;
constexpr DWORD DM_PAPERSIZE = 0x00000002;
constexpr DWORD DM_PAPERLENGTH = 0x00000004;
constexpr DWORD DM_PAPERWIDTH = 0x00000008;
constexpr DWORD DM_COPIES = 0x00000100;
constexpr DWORD DM_PRINTQUALITY = 0x00000400;

struct DEVMODE {
  CString dmDeviceName;
  DWORD dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES |
                   DM_PRINTQUALITY;
  short dmOrientation = DMORIENT_PORTRAIT;
  short dmPaperSize = DMPAPER_A4;
  short dmPaperLength = 2970;  // tenths of a millimetre, portrait
  short dmPaperWidth = 2100;
  short dmCopies = 1;
  short dmPrintQuality = 300;  // dots per inch
};
using LPDEVMODE = DEVMODE*;

struct DEVNAMES {
  CString driver;
  CString device;  // empty: the system's default printer
  CString output;  // the port, or the path of the PDF file when printing to a file
};

using HDEVMODE = std::shared_ptr<DEVMODE>;
using HDEVNAMES = std::shared_ptr<DEVNAMES>;

// The dialog hook: the framework's own answers nothing itself (0: default handling).
using LPPRINTHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPPAGESETUPHOOK = LPPRINTHOOKPROC;
UINT_PTR AfxCommDlgProc(HWND, UINT, WPARAM, LPARAM);

// --- The printer dialog ---------------------------------------------------------------------------
constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_PAGENUMS = 0x00000002;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_COLLATE = 0x00000010;
constexpr DWORD PD_PRINTTOFILE = 0x00000020;
constexpr DWORD PD_PRINTSETUP = 0x00000040;
constexpr DWORD PD_NOWARNING = 0x00000080;
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_RETURNIC = 0x00000200;
constexpr DWORD PD_RETURNDEFAULT = 0x00000400;
constexpr DWORD PD_SHOWHELP = 0x00000800;
constexpr DWORD PD_ENABLEPRINTHOOK = 0x00001000;
constexpr DWORD PD_ENABLESETUPHOOK = 0x00002000;
constexpr DWORD PD_ENABLEPRINTTEMPLATE = 0x00004000;
constexpr DWORD PD_ENABLESETUPTEMPLATE = 0x00008000;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
constexpr DWORD PD_DISABLEPRINTTOFILE = 0x00080000;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;
constexpr DWORD PD_CURRENTPAGE = 0x00400000;
constexpr DWORD PD_NOCURRENTPAGE = 0x00800000;

// The standard controls a print template may have.
constexpr int rad1 = 0x0420;  // all pages
constexpr int rad2 = 0x0421;  // selection
constexpr int rad3 = 0x0422;  // page range
constexpr int chx1 = 0x0410;  // print to file
constexpr int chx2 = 0x0411;  // collate
constexpr int edt1 = 0x0480;  // from page
constexpr int edt2 = 0x0481;  // to page
constexpr int edt3 = 0x0482;  // copies
constexpr int edt4 = 0x0483;  // page set-up: left margin
constexpr int edt5 = 0x0484;  // top margin
constexpr int edt6 = 0x0485;  // right margin
constexpr int edt7 = 0x0486;  // bottom margin
constexpr int cmb2 = 0x0471;  // page set-up: paper size
constexpr int cmb3 = 0x0472;  // page set-up: paper source
constexpr int cmb4 = 0x0473;  // printer
constexpr int psh3 = 0x0402;  // page set-up: choose the printer
// In a page set-up template rad1 and rad2 are the orientation: portrait and landscape.

struct PRINTDLG {
  DWORD lStructSize = sizeof(PRINTDLG);
  HWND hwndOwner = nullptr;
  HDEVMODE hDevMode;
  HDEVNAMES hDevNames;
  HDC hDC = nullptr;  // with PD_RETURNDC: the chosen printer's context (the dialog keeps it)
  DWORD Flags = 0;
  WORD nFromPage = 0;
  WORD nToPage = 0;
  WORD nMinPage = 0;
  WORD nMaxPage = 0;
  WORD nCopies = 1;
  HINSTANCE hInstance = nullptr;
  LPARAM lCustData = 0;
  LPPRINTHOOKPROC lpfnPrintHook = nullptr;
  LPPRINTHOOKPROC lpfnSetupHook = nullptr;
  LPCTSTR lpPrintTemplateName = nullptr;
  LPCTSTR lpSetupTemplateName = nullptr;
};

class CPrintDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CPrintDialog)

 public:
  explicit CPrintDialog(BOOL bPrintSetupOnly,
                        DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                        PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                        CWnd* pParentWnd = nullptr);
  ~CPrintDialog() override;

  // IDOK or IDCANCEL. With PD_RETURNDC the printer's context is made (m_pd.hDC).
  INT_PTR DoModal() override;
  // The application's printer without asking (m_pd's handles); FALSE when none can be had.
  BOOL GetDefaults();

  LPDEVMODE GetDevMode() const { return m_pd.hDevMode.get(); }
  CString GetDeviceName() const;
  CString GetDriverName() const;
  CString GetPortName() const;
  // The file chosen for print to file (empty for a printer).
  CString GetOutputFile() const;
  int GetCopies() const;
  int GetFromPage() const;
  int GetToPage() const;
  BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
  BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
  BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
  BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
  BOOL PrintCurrentPage() const { return (m_pd.Flags & PD_CURRENTPAGE) != 0; }
  BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
  // A context on the chosen printer (or PDF file); the dialog keeps it and its device until it
  // goes or the next call. Null when the device cannot be opened.
  HDC CreatePrinterDC();
  HDC GetPrinterDC() const { return m_pd.hDC; }
  // The job over the context CreatePrinterDC made (document and page brackets), or null.
  framework::PrintJob* GetPrintJob() const { return m_job.get(); }

  PRINTDLG m_pd;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL UsesTemplate() const;

 private:
  std::unique_ptr<framework::PrintJob> m_job;
};

namespace framework {
// The printers a template's printer list offers: the system's, with `current` among them (an
// empty name, the system's default printer, shown as "Drukarka domyślna").
std::vector<CString> printer_choices(const CString& current);
}  // namespace framework

// --- The page set-up dialog -----------------------------------------------------------------------
constexpr DWORD PSD_DEFAULTMINMARGINS = 0x00000000;
// The measure of the user's locale: metric here, so hundredths of a millimetre.
constexpr DWORD PSD_INWININIINTLMEASURE = 0x00000000;
constexpr DWORD PSD_MINMARGINS = 0x00000001;
constexpr DWORD PSD_MARGINS = 0x00000002;
constexpr DWORD PSD_INTHOUSANDTHSOFINCHES = 0x00000004;
constexpr DWORD PSD_INHUNDREDTHSOFMILLIMETERS = 0x00000008;
constexpr DWORD PSD_DISABLEMARGINS = 0x00000010;
constexpr DWORD PSD_DISABLEPRINTER = 0x00000020;
constexpr DWORD PSD_NOWARNING = 0x00000080;
constexpr DWORD PSD_DISABLEORIENTATION = 0x00000100;
constexpr DWORD PSD_DISABLEPAPER = 0x00000200;
constexpr DWORD PSD_RETURNDEFAULT = 0x00000400;
constexpr DWORD PSD_SHOWHELP = 0x00000800;
constexpr DWORD PSD_ENABLEPAGESETUPHOOK = 0x00002000;
constexpr DWORD PSD_ENABLEPAGESETUPTEMPLATE = 0x00008000;
constexpr DWORD PSD_ENABLEPAGEPAINTHOOK = 0x00040000;
constexpr DWORD PSD_DISABLEPAGEPAINTING = 0x00080000;

struct PAGESETUPDLG {
  DWORD lStructSize = sizeof(PAGESETUPDLG);
  HWND hwndOwner = nullptr;
  HDEVMODE hDevMode;
  HDEVNAMES hDevNames;
  DWORD Flags = 0;
  POINT ptPaperSize{0, 0};  // in the units of the flags
  RECT rtMinMargin{0, 0, 0, 0};
  RECT rtMargin{0, 0, 0, 0};  // left, top, right, bottom in the units of the flags
  HINSTANCE hInstance = nullptr;
  LPARAM lCustData = 0;
  LPPAGESETUPHOOK lpfnPageSetupHook = nullptr;
  LPPAGESETUPHOOK lpfnPagePaintHook = nullptr;
  LPCTSTR lpPageSetupTemplateName = nullptr;
};

class CPageSetupDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CPageSetupDialog)

 public:
  // Margins and paper size are in hundredths of a millimetre unless the flags ask for
  // thousandths of an inch.
  explicit CPageSetupDialog(DWORD dwFlags = PSD_MARGINS | PSD_INWININIINTLMEASURE,
                            CWnd* pParentWnd = nullptr);
  ~CPageSetupDialog() override;

  INT_PTR DoModal() override;

  LPDEVMODE GetDevMode() const { return m_psd.hDevMode.get(); }
  CString GetDeviceName() const;
  CString GetDriverName() const;
  CString GetPortName() const;
  CSize GetPaperSize() const { return CSize(m_psd.ptPaperSize.x, m_psd.ptPaperSize.y); }
  void GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const;
  // A context on the chosen printer; the dialog keeps it.
  HDC CreatePrinterDC();

  // How many structure units one millimetre has (100, or 1000 / 25.4 in inches mode), applied
  // to a length in millimetres.
  int FromMillimetres(int mm) const;
  int ToMillimetres(int units) const;

  PAGESETUPDLG m_psd;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL UsesTemplate() const;
  // The template's printer button: the printer is asked through the prompter.
  afx_msg void OnPrinter();
  DECLARE_MESSAGE_MAP()

 private:
  std::unique_ptr<framework::PrintJob> m_job;
};
