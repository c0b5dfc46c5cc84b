#include "platform/framework/app.h"

#include <unistd.h>

#include <climits>

#include "platform/base/cfile.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "platform/base/profile.h"
#include "platform/base/temp_folder.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/doc_template.h"
#include "platform/framework/document.h"
#include "platform/framework/prompter.h"
#include "platform/res/resource_store.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/message_loop.h"

namespace {
CWinApp*& current_app() {
  static CWinApp* app = nullptr;
  return app;
}
}  // namespace

CWinApp* AfxGetApp() { return current_app(); }
CWnd* AfxGetMainWnd() { return current_app() ? current_app()->m_pMainWnd : nullptr; }
HINSTANCE AfxGetInstanceHandle() { return current_app() ? current_app()->m_hInstance : nullptr; }
HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }
LPCTSTR AfxGetAppName() { return current_app() ? current_app()->m_pszAppName.GetString() : ""; }

// --- Command line ------------------------------------------------------------------------------

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL) {
  if (bFlag) {
    m_switches.emplace_back(pszParam);
    CString s(pszParam);
    if (s.CompareNoCase("nologo") == 0) m_bShowSplash = FALSE;
  } else if (m_strFileName.IsEmpty()) {
    m_strFileName = pszParam;
    m_nShellCommand = FileOpen;
  }
}

bool CCommandLineInfo::IsSwitch(const CString& arg) {
  if (arg.GetLength() < 2) return false;
  if (arg[0] == '-') return true;
  return arg[0] == '/' && arg.Find('/', 1) < 0 && !base::file_exists(base::os_path(arg));
}

// --- CWinApp ----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
  ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
  ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
  ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
  ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CWinApp::OnOpenRecentFile)
  ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName) : m_pszAppName(lpszAppName ? lpszAppName : "") {
  current_app() = this;
}

CWinApp::~CWinApp() {
  win::set_idle_handler(nullptr);
  win::set_pre_translate_handler(nullptr);
  if (current_app() == this) current_app() = nullptr;
}

void CWinApp::SetCommandLine(int argc, char** argv) {
  m_arguments.clear();
  m_lpCmdLine.Empty();
  if (argc > 0 && argv[0]) {
    CString exe(argv[0]);
    int slash = exe.ReverseFind('/');
    m_pszExeName = exe.Mid(slash + 1);
  }
  // The system hands arguments over in UTF-8; the program keeps CP1250 text.
  for (int i = 1; i < argc; ++i) {
    CString arg(base::cp1250::from_utf8(argv[i]));
    m_arguments.push_back(arg);
    if (i > 1) m_lpCmdLine += ' ';
    m_lpCmdLine += arg;
  }
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() {
  if (m_pRecentFileList) m_pRecentFileList->WriteList();
  base::Profile::app().Save();
  return 0;
}

int CWinApp::Run() {
  win::set_idle_handler([this](long count) { return OnIdle(LONG(count)) != FALSE; });
  win::set_pre_translate_handler([this](MSG& msg) { return PreTranslateMessage(&msg) != FALSE; });
  int code = win::run_message_loop();
  win::set_idle_handler(nullptr);
  win::set_pre_translate_handler(nullptr);
  int exit_code = ExitInstance();
  return exit_code ? exit_code : code;
}

BOOL CWinApp::OnIdle(LONG lCount) {
  win::default_idle(lCount);
  return FALSE;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::WalkPreTranslateTree(nullptr, pMsg)) return TRUE;
  // The main window's accelerators also serve its floating windows, but not while a modal
  // dialog has disabled it.
  CWnd* main = m_pMainWnd;
  if (main && main->m_hWnd && pMsg->hwnd && IsWindowEnabled(main->m_hWnd) &&
      GetAncestorTopLevel(pMsg->hwnd) != main->m_hWnd) {
    return main->PreTranslateMessage(pMsg);
  }
  return FALSE;
}

BOOL CWinApp::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  // Document templates see the commands too (new windows of a kind, for example).
  if (m_pDocManager) {
    for (const auto& t : m_pDocManager->templates()) {
      if (t->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    }
  }
  return FALSE;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
  for (size_t i = 0; i < m_arguments.size(); ++i) {
    const CString& arg = m_arguments[i];
    bool flag = CCommandLineInfo::IsSwitch(arg);
    rCmdInfo.ParseParam(flag ? arg.GetString() + 1 : arg.GetString(), flag, i + 1 == m_arguments.size());
  }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
  switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      if (m_pDocManager && !m_pDocManager->templates().empty()) OnFileNew();
      return TRUE;
    case CCommandLineInfo::FileOpen:
      return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    default:
      return TRUE;
  }
}

// --- Profile ----------------------------------------------------------------------------------------

UINT CWinApp::GetProfileInt(LPCTSTR s, LPCTSTR e, int d) {
  return UINT(base::Profile::app().GetProfileInt(s, e, d));
}
BOOL CWinApp::WriteProfileInt(LPCTSTR s, LPCTSTR e, int v) { return base::Profile::app().WriteProfileInt(s, e, v); }
CString CWinApp::GetProfileString(LPCTSTR s, LPCTSTR e, LPCTSTR d) {
  return base::Profile::app().GetProfileString(s, e, d);
}
BOOL CWinApp::WriteProfileString(LPCTSTR s, LPCTSTR e, LPCTSTR v) {
  return base::Profile::app().WriteProfileString(s, e, v);
}
BOOL CWinApp::GetProfileBinary(LPCTSTR s, LPCTSTR e, std::vector<uint8_t>& data) {
  return base::Profile::app().GetProfileBinary(s, e, data);
}
BOOL CWinApp::WriteProfileBinary(LPCTSTR s, LPCTSTR e, const void* p, UINT n) {
  return base::Profile::app().WriteProfileBinary(s, e, p, n);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
  if (nMaxMRU == 0) return;
  owned_recent_ = std::make_unique<CRecentFileList>(ID_FILE_MRU_FILE1, "Recent File List", "File%d", int(nMaxMRU));
  m_pRecentFileList = owned_recent_.get();
  m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings() {
  if (m_pRecentFileList) m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName) {
  if (!m_pRecentFileList) return;
  m_pRecentFileList->Add(lpszPathName);
  m_pRecentFileList->WriteList();
}

// --- Folders ----------------------------------------------------------------------------------------

CString CWinApp::GetProgramFolder() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return CString(".");
  CString path(buffer, int(n));
  int slash = path.ReverseFind('/');
  return slash > 0 ? path.Left(slash) : CString("/");
}

CString CWinApp::GetTempFolder() { return CString(base::temp_folder()); }

// --- Wait cursor ------------------------------------------------------------------------------------

void CWinApp::DoWaitCursor(int nCode) {
  if (nCode > 0) {
    if (m_nWaitCursorCount++ == 0) saved_cursor_ = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  } else if (nCode < 0) {
    // An unbalanced end never drives the count below zero.
    if (m_nWaitCursorCount > 0 && --m_nWaitCursorCount == 0) {
      ::SetCursor(saved_cursor_ ? saved_cursor_ : ::LoadCursor(nullptr, IDC_ARROW));
    }
  } else if (m_nWaitCursorCount > 0) {
    ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  }
}

// --- Documents --------------------------------------------------------------------------------------

CDocManager* CWinApp::doc_manager() {
  if (!m_pDocManager) {
    owned_doc_manager_ = std::make_unique<CDocManager>();
    m_pDocManager = owned_doc_manager_.get();
  }
  return m_pDocManager;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) { doc_manager()->AddDocTemplate(pTemplate); }

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
  return doc_manager()->OpenDocumentFile(lpszFileName);
}

BOOL CWinApp::SaveAllModified() { return m_pDocManager ? m_pDocManager->SaveAllModified() : TRUE; }

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
  if (m_pDocManager) m_pDocManager->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount() { return m_pDocManager ? m_pDocManager->GetOpenDocumentCount() : 0; }

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpen,
                               CDocTemplate* pTemplate) {
  return doc_manager()->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpen, pTemplate);
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
  HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  int saved = m_nWaitCursorCount;
  if (saved) ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
  int answer = MessageBox(owner, lpszPrompt, m_pszAppName, nType);
  if (saved) DoWaitCursor(0);
  return answer;
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR name) const { return ::LoadCursor(nullptr, name); }
HCURSOR CWinApp::LoadCursor(UINT id) const { return ::LoadCursor(m_hInstance, MAKEINTRESOURCE(int(id))); }

// --- Commands ---------------------------------------------------------------------------------------

void CWinApp::OnFileNew() { doc_manager()->OnFileNew(); }
void CWinApp::OnFileOpen() { doc_manager()->OnFileOpen(); }

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
  if (!m_pRecentFileList) return FALSE;
  int index = int(nID - ID_FILE_MRU_FILE1);
  CString path = (*m_pRecentFileList)[index];
  if (path.IsEmpty()) return FALSE;
  // A file that can no longer be opened leaves the list.
  if (!OpenDocumentFile(path)) {
    m_pRecentFileList->Remove(index);
    m_pRecentFileList->WriteList();
  }
  return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
  if (m_pRecentFileList) {
    m_pRecentFileList->UpdateMenu(pCmdUI);
  } else {
    pCmdUI->Enable(FALSE);
  }
}

void CWinApp::OnAppExit() {
  if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}
