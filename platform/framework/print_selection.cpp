// The application's printer selection: the printer every print and preview starts from, changed
// by the printer set-up and by the printer dialog's OK.
#include <QPrinterInfo>

#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/framework/print_dialogs.h"

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults) {
  if (m_hDevNames && m_hDevMode && !bForceDefaults) return;
  auto names = std::make_shared<DEVNAMES>();
  names->device = CString(base::cp1250::from_utf8(QPrinterInfo::defaultPrinterName().toStdString()));
  auto mode = std::make_shared<DEVMODE>();
  mode->dmDeviceName = names->device;
  m_hDevNames = names;
  m_hDevMode = mode;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg) {
  if (!pPrintDlg) return FALSE;
  UpdatePrinterSelection(FALSE);
  // Copies, so that a dialog working on them changes the selection only through SelectPrinter.
  pPrintDlg->hDevNames = std::make_shared<DEVNAMES>(*m_hDevNames);
  pPrintDlg->hDevMode = std::make_shared<DEVMODE>(*m_hDevMode);
  return TRUE;
}

int CWinApp::DoPrintDialog(CPrintDialog* pPD) {
  GetPrinterDeviceDefaults(&pPD->m_pd);
  int result = int(pPD->DoModal());
  if (result == IDOK) SelectPrinter(pPD->m_pd.hDevNames, pPD->m_pd.hDevMode);
  return result;
}

void CWinApp::SelectPrinter(std::shared_ptr<DEVNAMES> hDevNames, std::shared_ptr<DEVMODE> hDevMode) {
  if (!hDevNames || !hDevMode) return;
  // A file chosen for one print is that print's output, not where later prints go.
  if (!hDevNames->output.IsEmpty()) {
    hDevNames = std::make_shared<DEVNAMES>(*hDevNames);
    hDevNames->output.Empty();
  }
  m_hDevNames = std::move(hDevNames);
  m_hDevMode = std::move(hDevMode);
}

void CWinApp::OnFilePrintSetup() {
  CPrintDialog dialog(TRUE);
  DoPrintDialog(&dialog);
}
