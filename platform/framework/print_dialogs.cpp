#include "platform/framework/print_dialogs.h"

#include <algorithm>
#include <cmath>

#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
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

}  // namespace

namespace framework {

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
  EndDialog(IDOK);
}

// --- CPageSetupDialog ---------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CPageSetupDialog, CCommonDialog)

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
  return CDialog::OnInitDialog();
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
  m_psd.Flags |= PSD_MARGINS;
  EndDialog(IDOK);
}
