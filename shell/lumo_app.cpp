#include "shell/lumo_app.h"

#include <memory>

#include "platform/framework/frame_wnd.h"
#include "resources/resource_ids.h"
#include "shell/main_frame.h"

namespace {
constexpr const char* kMainSection = "Main";
constexpr const char* kDataDirEntry = "DataDir";
// Entries of the recent-file list.
constexpr UINT kRecentFiles = 8;
}  // namespace

CLumoApp::CLumoApp() : CWinApp("LumoKAL") {}

CMainFrame* CLumoApp::GetMainFrame() const { return dynamic_cast<CMainFrame*>(m_pMainWnd); }

CString CLumoApp::DataDirFromProfileValue(const CString& value) {
  CString folder = value;
  if (folder.GetLength() > 1 && folder[folder.GetLength() - 1] != '/') folder += '/';
  return folder;
}

void CLumoApp::ReadDataDir() {
  m_strDataDir = DataDirFromProfileValue(GetProfileString(kMainSection, kDataDirEntry, ""));
  if (!m_cmdInfo.m_strDataDir.IsEmpty()) m_strDataDir = DataDirFromProfileValue(m_cmdInfo.m_strDataDir);
}

BOOL CLumoApp::InitInstance() {
  m_cmdInfo.Parse(m_arguments);
  LoadStdProfileSettings(kRecentFiles);
  ReadDataDir();

  // A frame owns itself from its creation on: it ends when its window goes, and a creation that
  // fails ends it as well.
  CMainFrame* frame = std::make_unique<CMainFrame>().release();
  if (!frame->LoadFrame(resources::IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) return FALSE;
  m_pMainWnd = frame;

  m_pMainWnd->ShowWindow(m_nCmdShow);
  m_pMainWnd->UpdateWindow();
  return TRUE;
}

int CLumoApp::ExitInstance() { return CWinApp::ExitInstance(); }
