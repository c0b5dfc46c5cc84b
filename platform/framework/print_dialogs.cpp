#include "platform/framework/print_dialogs.h"

#include <algorithm>
#include <cmath>

#include <QPrinterInfo>

#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/print_info.h"
#include "platform/framework/print_job.h"
#include "platform/framework/prompter.h"

UINT_PTR AfxCommDlgProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

namespace {

// The application's printer as new handles of the dialog's own, so that what the dialog changes
// reaches the application only through its OK.
void take_selection(HDEVMODE& mode, HDEVNAMES& names) {
  if (mode && names) return;
  CWinApp* app = AfxGetApp();
  if (app) app->UpdatePrinterSelection(FALSE);
  mode = std::make_shared<DEVMODE>(app && app->m_hDevMode ? *app->m_hDevMode : DEVMODE{});
  names = std::make_shared<DEVNAMES>(app && app->m_hDevNames ? *app->m_hDevNames : DEVNAMES{});
}

// The template of a common dialog when the flag asks for one and the store has it.
UINT template_id(DWORD flags, DWORD flag, LPCTSTR name) {
  if (!(flags & flag) || !name || !IS_INTRESOURCE(name)) return 0;
  UINT id = UINT(reinterpret_cast<std::uintptr_t>(name));
  return res::find_dialog(id) ? id : 0;
}

// A whole number from a field of a template dialog, or `fallback` when the field is missing or
// does not hold one.
int field_int(HWND dialog, int id, int fallback) {
  if (!GetDlgItem(dialog, id)) return fallback;
  BOOL ok = FALSE;
  int v = int(GetDlgItemInt(dialog, id, &ok, TRUE));
  return ok ? v : fallback;
}

void enable_item(HWND dialog, int id, BOOL enable) {
  if (HWND h = GetDlgItem(dialog, id)) EnableWindow(h, enable);
}

void show_item(HWND dialog, int id, BOOL show) {
  if (HWND h = GetDlgItem(dialog, id)) ShowWindow(h, show ? SW_SHOW : SW_HIDE);
}

// A printer job on the dialog's printer: the file of the device names when printing to a file.
std::unique_ptr<framework::PrintJob> open_printer(const HDEVNAMES& names, const HDEVMODE& mode,
                                                  bool to_file) {
  DEVNAMES n = names ? *names : DEVNAMES{};
  if (!to_file) n.output.Empty();
  return std::make_unique<framework::PrintJob>(n, mode ? *mode : DEVMODE{});
}

// The papers a page set-up template offers, sizes in tenths of a millimetre (portrait).
struct Paper {
  short id;
  const char* name;
  short width;
  short length;
};
constexpr Paper kPapers[] = {
    {DMPAPER_A4, "A4 (210 x 297 mm)", 2100, 2970},
    {DMPAPER_A5, "A5 (148 x 210 mm)", 1480, 2100},
    {DMPAPER_LETTER, "Letter (216 x 279 mm)", 2159, 2794},
    {DMPAPER_LEGAL, "Legal (216 x 356 mm)", 2159, 3556},
};

CString default_printer_label() { return CString(base::cp1250::from_utf8("Drukarka domyślna")); }

CString list_text(HWND list, int index) {
  int length = int(SendMessage(list, CB_GETLBTEXTLEN, WPARAM(index), 0));
  if (length < 0) return CString();
  std::string text(size_t(length) + 1, '\0');
  SendMessage(list, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(size_t(length));
  return CString(std::move(text));
}

// The template's printer list, the current printer chosen.
void fill_printers(HWND dialog, const HDEVNAMES& names) {
  HWND list = GetDlgItem(dialog, cmb4);
  if (!list) return;
  CString current = names ? names->device : CString();
  SendMessage(list, CB_RESETCONTENT, 0, 0);
  for (const CString& name : framework::printer_choices(current)) {
    CString shown = name.IsEmpty() ? default_printer_label() : name;
    int at = int(SendMessage(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.GetString())));
    if (name == current) SendMessage(list, CB_SETCURSEL, WPARAM(at), 0);
  }
}

// The printer chosen in the template's list goes into new handles of the dialog's own.
void read_printer(HWND dialog, HDEVNAMES& names, HDEVMODE& mode) {
  HWND list = GetDlgItem(dialog, cmb4);
  int chosen = list ? int(SendMessage(list, CB_GETCURSEL, 0, 0)) : -1;
  if (chosen < 0) return;
  CString device = list_text(list, chosen);
  if (device == default_printer_label()) device.Empty();
  if (names && names->device == device) return;
  names = std::make_shared<DEVNAMES>(names ? *names : DEVNAMES{});
  names->device = device;
  mode = std::make_shared<DEVMODE>(mode ? *mode : DEVMODE{});
  mode->dmDeviceName = device;
}

}  // namespace

namespace framework {

std::vector<CString> printer_choices(const CString& current) {
  std::vector<CString> choices;
  if (current.IsEmpty()) choices.emplace_back();
  for (const QString& name : QPrinterInfo::availablePrinterNames()) {
    choices.emplace_back(base::cp1250::from_utf8(name.toStdString()));
  }
  if (std::find(choices.begin(), choices.end(), current) == choices.end()) choices.insert(choices.begin(), current);
  return choices;
}

CString print_text(UINT id, const char* utf8_default) {
  CString text;
  if (AfxLoadString(id, text) && !text.IsEmpty()) return text;
  return CString(base::cp1250::from_utf8(utf8_default));
}

CString preview_page_description() {
  return print_text(AFX_IDS_PREVIEWPAGEDESC, "Strona %u\nStrony %u-%u\n");
}

CString start_printing_failed_text() {
  return print_text(AFX_IDP_FAILED_TO_START_PRINT, "Nie można rozpocząć drukowania.");
}

bool choose_print_file(CPrintDialog& dialog) {
  if (!dialog.PrintToFile() || !dialog.GetOutputFile().IsEmpty()) return true;
  FileQuestion question;
  question.open = false;
  question.overwrite_prompt = true;
  question.title = print_text(AFX_IDS_PRINTCAPTION, "Drukuj do pliku");
  question.filter = print_text(AFX_IDS_PRINTFILTER, "Pliki PDF (*.pdf)|*.pdf|Wszystkie pliki (*.*)|*.*||");
  question.default_extension = print_text(AFX_IDS_PRINTDEFAULTEXT, "pdf");
  question.initial = print_text(AFX_IDS_PRINTDEFAULT, "Wydruk.pdf");
  std::vector<CString> chosen;
  ModalOwner modal(dialog.m_pd.hwndOwner);
  if (!prompter().choose_files(dialog.m_pd.hwndOwner, question, chosen) || chosen.empty()) return false;
  auto names = std::make_shared<DEVNAMES>(dialog.m_pd.hDevNames ? *dialog.m_pd.hDevNames : DEVNAMES{});
  names->output = chosen.front();
  dialog.m_pd.hDevNames = names;
  return true;
}
}  // namespace framework

// --- CPrintInfo ---------------------------------------------------------------------------------------

CPrintInfo::CPrintInfo()
    : m_pPD(std::make_unique<CPrintDialog>(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)) {
  SetMinPage(1);
  SetMaxPage(0xFFFF);
  m_pPD->m_pd.nFromPage = 1;
  m_pPD->m_pd.nToPage = 0xFFFF;
}

// --- CPrintDialog -------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
  m_pd.Flags = dwFlags | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
  if (bPrintSetupOnly) m_pd.Flags |= PD_PRINTSETUP;
  m_pd.lpfnPrintHook = AfxCommDlgProc;
  m_pd.lpfnSetupHook = AfxCommDlgProc;
  m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog() = default;

BOOL CPrintDialog::UsesTemplate() const {
  if (m_pd.Flags & PD_PRINTSETUP) return template_id(m_pd.Flags, PD_ENABLESETUPTEMPLATE, m_pd.lpSetupTemplateName) != 0;
  return template_id(m_pd.Flags, PD_ENABLEPRINTTEMPLATE, m_pd.lpPrintTemplateName) != 0;
}

INT_PTR CPrintDialog::DoModal() {
  take_selection(m_pd.hDevMode, m_pd.hDevNames);
  m_pd.hwndOwner = OwnerWindow();
  // A range the view could not bound yet still starts within the pages it has.
  if (m_pd.nMaxPage < m_pd.nMinPage) m_pd.nMaxPage = m_pd.nMinPage;
  m_pd.nFromPage = std::clamp(m_pd.nFromPage, m_pd.nMinPage, m_pd.nMaxPage);
  m_pd.nToPage = std::clamp(m_pd.nToPage, m_pd.nMinPage, m_pd.nMaxPage);
  m_pd.nCopies = std::max<WORD>(1, m_pd.nCopies);
  INT_PTR result = IDCANCEL;
  if (UsesTemplate()) {
    m_nIDTemplate = (m_pd.Flags & PD_PRINTSETUP) ? template_id(m_pd.Flags, PD_ENABLESETUPTEMPLATE, m_pd.lpSetupTemplateName)
                                                 : template_id(m_pd.Flags, PD_ENABLEPRINTTEMPLATE, m_pd.lpPrintTemplateName);
    result = CDialog::DoModal();
  } else {
    framework::ModalOwner modal(m_pd.hwndOwner);
    result = framework::prompter().print_dialog(m_pd.hwndOwner, m_pd);
  }
  if (result != IDOK) return result;
  // Whatever the answer, a range stays inside the pages there are; a backward range stays
  // backward (print loops run it from its first page down).
  m_pd.nFromPage = std::clamp(m_pd.nFromPage, m_pd.nMinPage, m_pd.nMaxPage);
  m_pd.nToPage = std::clamp(m_pd.nToPage, m_pd.nMinPage, m_pd.nMaxPage);
  m_pd.nCopies = std::max<WORD>(1, m_pd.nCopies);
  if (m_pd.hDevMode) m_pd.hDevMode->dmCopies = short(m_pd.nCopies);
  if ((m_pd.Flags & PD_RETURNDC) && !CreatePrinterDC()) return IDCANCEL;
  return result;
}

BOOL CPrintDialog::GetDefaults() {
  take_selection(m_pd.hDevMode, m_pd.hDevNames);
  if (m_pd.Flags & PD_RETURNDC) return CreatePrinterDC() != nullptr;
  return TRUE;
}

CString CPrintDialog::GetDeviceName() const { return m_pd.hDevNames ? m_pd.hDevNames->device : CString(); }
CString CPrintDialog::GetDriverName() const { return m_pd.hDevNames ? m_pd.hDevNames->driver : CString(); }
CString CPrintDialog::GetPortName() const { return m_pd.hDevNames ? m_pd.hDevNames->output : CString(); }
CString CPrintDialog::GetOutputFile() const { return PrintToFile() ? GetPortName() : CString(); }

int CPrintDialog::GetCopies() const {
  if ((m_pd.Flags & PD_USEDEVMODECOPIES) && m_pd.hDevMode) return m_pd.hDevMode->dmCopies;
  return m_pd.nCopies;
}

int CPrintDialog::GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
int CPrintDialog::GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }

HDC CPrintDialog::CreatePrinterDC() {
  m_pd.hDC = nullptr;
  m_job = open_printer(m_pd.hDevNames, m_pd.hDevMode, PrintToFile());
  CDC* dc = m_job->dc();
  m_pd.hDC = dc ? dc->GetSafeHdc() : nullptr;
  return m_pd.hDC;
}

BOOL CPrintDialog::OnInitDialog() {
  HWND h = m_hWnd;
  bool range = (m_pd.Flags & PD_PAGENUMS) != 0;
  ::SetDlgItemInt(h, edt1, range ? m_pd.nFromPage : m_pd.nMinPage, FALSE);
  ::SetDlgItemInt(h, edt2, range ? m_pd.nToPage : m_pd.nMaxPage, FALSE);
  ::SetDlgItemInt(h, edt3, m_pd.nCopies, FALSE);
  int choice = (m_pd.Flags & PD_SELECTION) ? rad2 : range ? rad3 : rad1;
  ::CheckRadioButton(h, rad1, rad3, choice);
  ::CheckDlgButton(h, chx1, (m_pd.Flags & PD_PRINTTOFILE) ? 1 : 0);
  ::CheckDlgButton(h, chx2, (m_pd.Flags & PD_COLLATE) ? 1 : 0);
  enable_item(h, rad2, !(m_pd.Flags & PD_NOSELECTION));
  bool pages = !(m_pd.Flags & PD_NOPAGENUMS);
  enable_item(h, rad3, pages);
  enable_item(h, edt1, pages);
  enable_item(h, edt2, pages);
  enable_item(h, chx1, !(m_pd.Flags & PD_DISABLEPRINTTOFILE));
  show_item(h, chx1, !(m_pd.Flags & PD_HIDEPRINTTOFILE));
  fill_printers(h, m_pd.hDevNames);
  return CDialog::OnInitDialog();
}

void CPrintDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  HWND h = m_hWnd;
  m_pd.Flags &= ~(PD_SELECTION | PD_PAGENUMS | PD_PRINTTOFILE | PD_COLLATE);
  if (GetDlgItem(rad2) && ::IsDlgButtonChecked(h, rad2)) m_pd.Flags |= PD_SELECTION;
  if (GetDlgItem(rad3) && ::IsDlgButtonChecked(h, rad3)) m_pd.Flags |= PD_PAGENUMS;
  if (::IsDlgButtonChecked(h, chx1)) m_pd.Flags |= PD_PRINTTOFILE;
  if (::IsDlgButtonChecked(h, chx2)) m_pd.Flags |= PD_COLLATE;
  if (m_pd.Flags & PD_PAGENUMS) {
    m_pd.nFromPage = WORD(std::clamp(field_int(h, edt1, m_pd.nFromPage), 0, 0xFFFF));
    m_pd.nToPage = WORD(std::clamp(field_int(h, edt2, m_pd.nToPage), 0, 0xFFFF));
  }
  m_pd.nCopies = WORD(std::clamp(field_int(h, edt3, m_pd.nCopies), 1, 0x7FFF));
  read_printer(h, m_pd.hDevNames, m_pd.hDevMode);
  EndDialog(IDOK);
}

// --- CPageSetupDialog ---------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CPageSetupDialog, CCommonDialog)

BEGIN_MESSAGE_MAP(CPageSetupDialog, CCommonDialog)
  ON_CONTROL(BN_CLICKED, psh3, &CPageSetupDialog::OnPrinter)
END_MESSAGE_MAP()

CPageSetupDialog::CPageSetupDialog(DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
  m_psd.Flags = dwFlags | PSD_ENABLEPAGESETUPHOOK;
  m_psd.lpfnPageSetupHook = AfxCommDlgProc;
  // The locale's measure is metric.
  if (!(m_psd.Flags & PSD_INTHOUSANDTHSOFINCHES)) m_psd.Flags |= PSD_INHUNDREDTHSOFMILLIMETERS;
}

CPageSetupDialog::~CPageSetupDialog() = default;

BOOL CPageSetupDialog::UsesTemplate() const {
  return template_id(m_psd.Flags, PSD_ENABLEPAGESETUPTEMPLATE, m_psd.lpPageSetupTemplateName) != 0;
}

int CPageSetupDialog::FromMillimetres(int mm) const {
  if (m_psd.Flags & PSD_INTHOUSANDTHSOFINCHES) return int(std::lround(mm * 1000.0 / 25.4));
  return mm * 100;
}

int CPageSetupDialog::ToMillimetres(int units) const {
  if (m_psd.Flags & PSD_INTHOUSANDTHSOFINCHES) return int(std::lround(units * 25.4 / 1000.0));
  return int(std::lround(units / 100.0));
}

INT_PTR CPageSetupDialog::DoModal() {
  take_selection(m_psd.hDevMode, m_psd.hDevNames);
  m_psd.hwndOwner = OwnerWindow();
  INT_PTR result = IDCANCEL;
  if (UsesTemplate()) {
    m_nIDTemplate = template_id(m_psd.Flags, PSD_ENABLEPAGESETUPTEMPLATE, m_psd.lpPageSetupTemplateName);
    result = CDialog::DoModal();
  } else {
    framework::ModalOwner modal(m_psd.hwndOwner);
    result = framework::prompter().page_setup_dialog(m_psd.hwndOwner, m_psd);
  }
  if (result != IDOK) return result;
  // The paper of the chosen printer, in the structure's units, as the page shows it.
  if (const DEVMODE* mode = m_psd.hDevMode.get()) {
    int w = mode->dmPaperWidth, l = mode->dmPaperLength;
    if (mode->dmOrientation == DMORIENT_LANDSCAPE) std::swap(w, l);
    m_psd.ptPaperSize = POINT{LONG(std::lround(FromMillimetres(w) / 10.0)), LONG(std::lround(FromMillimetres(l) / 10.0))};
  }
  return result;
}

CString CPageSetupDialog::GetDeviceName() const { return m_psd.hDevNames ? m_psd.hDevNames->device : CString(); }
CString CPageSetupDialog::GetDriverName() const { return m_psd.hDevNames ? m_psd.hDevNames->driver : CString(); }
CString CPageSetupDialog::GetPortName() const { return m_psd.hDevNames ? m_psd.hDevNames->output : CString(); }

void CPageSetupDialog::GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const {
  if (lpRectMargins) *lpRectMargins = m_psd.rtMargin;
  if (lpRectMinMargins) *lpRectMinMargins = m_psd.rtMinMargin;
}

HDC CPageSetupDialog::CreatePrinterDC() {
  m_job = open_printer(m_psd.hDevNames, m_psd.hDevMode, false);
  CDC* dc = m_job->dc();
  return dc ? dc->GetSafeHdc() : nullptr;
}

// The template's margin fields show whole millimetres.
BOOL CPageSetupDialog::OnInitDialog() {
  const int fields[] = {edt4, edt5, edt6, edt7};
  const LONG margins[] = {m_psd.rtMargin.left, m_psd.rtMargin.top, m_psd.rtMargin.right, m_psd.rtMargin.bottom};
  for (int i = 0; i < 4; ++i) {
    ::SetDlgItemInt(m_hWnd, fields[i], UINT(ToMillimetres(margins[i])), TRUE);
    enable_item(m_hWnd, fields[i], !(m_psd.Flags & PSD_DISABLEMARGINS));
  }
  const DEVMODE mode = m_psd.hDevMode ? *m_psd.hDevMode : DEVMODE{};
  if (HWND papers = ::GetDlgItem(m_hWnd, cmb2)) {
    for (const Paper& paper : kPapers) {
      int at = int(::SendMessage(papers, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(paper.name)));
      if (paper.id == mode.dmPaperSize) ::SendMessage(papers, CB_SETCURSEL, WPARAM(at), 0);
    }
  }
  if (HWND sources = ::GetDlgItem(m_hWnd, cmb3)) {
    ::SendMessage(sources, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Automatycznie"));
    ::SendMessage(sources, CB_SETCURSEL, 0, 0);
  }
  ::CheckRadioButton(m_hWnd, rad1, rad2, mode.dmOrientation == DMORIENT_LANDSCAPE ? rad2 : rad1);
  for (int id : {cmb2, cmb3}) enable_item(m_hWnd, id, !(m_psd.Flags & PSD_DISABLEPAPER));
  for (int id : {rad1, rad2}) enable_item(m_hWnd, id, !(m_psd.Flags & PSD_DISABLEORIENTATION));
  enable_item(m_hWnd, psh3, !(m_psd.Flags & PSD_DISABLEPRINTER));
  return CDialog::OnInitDialog();
}

void CPageSetupDialog::OnPrinter() {
  CString printer = GetDeviceName(), to_file;
  int copies = m_psd.hDevMode ? m_psd.hDevMode->dmCopies : 1;
  {
    framework::ModalOwner modal(m_hWnd);
    if (!framework::prompter().choose_printer(m_hWnd, printer, to_file, copies)) return;
  }
  auto names = std::make_shared<DEVNAMES>(m_psd.hDevNames ? *m_psd.hDevNames : DEVNAMES{});
  names->device = printer;
  m_psd.hDevNames = names;
  auto mode = std::make_shared<DEVMODE>(m_psd.hDevMode ? *m_psd.hDevMode : DEVMODE{});
  mode->dmDeviceName = printer;
  m_psd.hDevMode = mode;
}

void CPageSetupDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  // A field that holds no whole number of millimetres (or is missing) keeps its margin.
  LONG* margins[] = {&m_psd.rtMargin.left, &m_psd.rtMargin.top, &m_psd.rtMargin.right, &m_psd.rtMargin.bottom};
  const int fields[] = {edt4, edt5, edt6, edt7};
  for (int i = 0; i < 4; ++i) {
    int mm = field_int(m_hWnd, fields[i], -1);
    if (mm >= 0 && mm <= 10000) *margins[i] = FromMillimetres(mm);
  }
  // Paper and orientation as chosen, in a device mode of the dialog's own.
  auto mode = std::make_shared<DEVMODE>(m_psd.hDevMode ? *m_psd.hDevMode : DEVMODE{});
  HWND papers = GetDlgItem(cmb2) ? GetDlgItem(cmb2)->m_hWnd : nullptr;
  int paper = papers ? int(::SendMessage(papers, CB_GETCURSEL, 0, 0)) : -1;
  if (paper >= 0 && paper < int(std::size(kPapers))) {
    mode->dmPaperSize = kPapers[paper].id;
    mode->dmPaperWidth = kPapers[paper].width;
    mode->dmPaperLength = kPapers[paper].length;
  }
  if (GetDlgItem(rad1) && GetDlgItem(rad2)) {
    mode->dmOrientation = ::IsDlgButtonChecked(m_hWnd, rad2) ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  }
  m_psd.hDevMode = mode;
  m_psd.Flags |= PSD_MARGINS;
  EndDialog(IDOK);
}
