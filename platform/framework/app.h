// The application object: start and exit of the instance, the message loop with idle work, the
// wait cursor, the command line, the profile and the recent-file list, the program and temporary
// folders, and the commands the application itself handles (new, open, recent files, exit).
//
// One object of a CWinApp-derived class exists while the program runs; AfxGetApp finds it.
// lumo_main (or a test) calls InitInstance, then Run, which runs the loop until WM_QUIT and
// returns ExitInstance's code.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/cstring.h"
#include "platform/win/cmd_target.h"
#include "platform/win/cwnd.h"
#include "platform/win/message_queue.h"

class CDocManager;
class CDocTemplate;
class CDocument;
class CCmdUI;
class CPrintDialog;
struct PRINTDLG;
struct DEVMODE;
struct DEVNAMES;

// The most recently used files, newest first, kept in the profile as "File1".."FileN" under
// a section.
class CRecentFileList {
 public:
  CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize);

  int GetSize() const { return m_nSize; }
  // An empty string past the entries in use.
  CString operator[](int nIndex) const;
  // Moves `path` to the front (comparing without case) and drops the oldest past the size.
  virtual void Add(LPCTSTR lpszPathName);
  virtual void Remove(int nIndex);
  virtual void ReadList();
  virtual void WriteList();
  // Fills the menu item of the first entry's command with one item per entry ("&1 name"), or
  // greys the item when the list is empty.
  virtual void UpdateMenu(CCmdUI* pCmdUI);
  virtual ~CRecentFileList() = default;

  UINT m_nStart;
  CString m_strSectionName;
  CString m_strEntryFormat;  // with one %d
  int m_nSize;
  std::vector<CString> m_arrNames;
};

// What the command line asks: a file to open, or nothing. Switches start with '-' or '/'.
class CCommandLineInfo {
 public:
  enum { FileNew, FileOpen, FileNothing = -1 } m_nShellCommand = FileNew;
  CString m_strFileName;
  BOOL m_bShowSplash = TRUE;
  std::vector<CString> m_switches;  // without the leading character

  virtual ~CCommandLineInfo() = default;
  virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);
  // A switch starts with '-', or with '/' when the rest is one word and no such file exists
  // (absolute paths start with '/' too).
  static bool IsSwitch(const CString& arg);
};

class CWinApp : public CCmdTarget {
  DECLARE_DYNAMIC(CWinApp)

 public:
  explicit CWinApp(LPCTSTR lpszAppName = nullptr);
  ~CWinApp() override;

  // --- Instance ---
  CWnd* m_pMainWnd = nullptr;
  CString m_pszAppName;
  CString m_pszExeName;
  CString m_pszProfileName;
  CString m_pszHelpFilePath;
  CString m_lpCmdLine;                 // the arguments after the program name, blank-separated
  std::vector<CString> m_arguments;    // the same, one per argument (CP1250)
  int m_nCmdShow = SW_SHOWNORMAL;
  HINSTANCE m_hInstance = nullptr;
  CDocManager* m_pDocManager = nullptr;
  CRecentFileList* m_pRecentFileList = nullptr;
  int m_nWaitCursorCount = 0;

  // Keeps the program's arguments (argv[1..], local 8-bit text) for ParseCommandLine.
  void SetCommandLine(int argc, char** argv);

  virtual BOOL InitInstance();
  virtual int ExitInstance();
  // The message loop: runs until WM_QUIT and returns ExitInstance's result.
  virtual int Run();
  // Idle work: `lCount` 0 first; return TRUE to be called again before waiting.
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // --- Command line ---
  void ParseCommandLine(CCommandLineInfo& rCmdInfo);
  BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

  // --- Profile (base::Profile::app) ---
  UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
  BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
  CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
  BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
  BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, std::vector<uint8_t>& data);
  BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, const void* pData, UINT nBytes);
  // Reads the recent-file list (this many entries, at most 16; the program uses 8).
  void LoadStdProfileSettings(UINT nMaxMRU = 8);
  // Controls always have the 3-D look here; kept for the start-up code that asks for it.
  BOOL Enable3dControls() { return TRUE; }
  void SaveStdProfileSettings();
  virtual void AddToRecentFileList(LPCTSTR lpszPathName);

  // --- Folders ---
  // The folder the program's executable is in (ends without a separator).
  static CString GetProgramFolder();
  // The per-user temporary folder (base::temp_folder).
  static CString GetTempFolder();

  // --- Wait cursor ---
  // +1 shows it (counted), -1 takes one away, 0 shows it again after a message box.
  virtual void DoWaitCursor(int nCode);

  // --- Documents ---
  void AddDocTemplate(CDocTemplate* pTemplate);
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
  BOOL SaveAllModified();
  void CloseAllDocuments(BOOL bEndSession);
  int GetOpenDocumentCount();
  // The file question of open and save-as; TRUE when a path was chosen.
  BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                        CDocTemplate* pTemplate);
  virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

  // --- Printer (print_selection.cpp) ---
  // The printer every print and preview uses until the user picks another; empty until the
  // first use, which takes the system's default printer.
  std::shared_ptr<DEVMODE> m_hDevMode;
  std::shared_ptr<DEVNAMES> m_hDevNames;
  // Pages a preview shows side by side at its start (0: one).
  UINT m_nNumPreviewPages = 0;
  // Gives the dialog structure the selection (made from the defaults when there is none).
  BOOL GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg);
  // Makes the default printer the selection when there is none (or always when forced).
  void UpdatePrinterSelection(BOOL bForceDefaults);
  // Runs the printer dialog on the selection; on OK the printer chosen becomes the selection.
  int DoPrintDialog(CPrintDialog* pPD);
  void SelectPrinter(std::shared_ptr<DEVNAMES> hDevNames, std::shared_ptr<DEVMODE> hDevMode);

  // --- Resources ---
  HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
  HCURSOR LoadCursor(UINT nIDResource) const;

  // --- Commands ---
  afx_msg void OnFileNew();
  afx_msg void OnFileOpen();
  afx_msg BOOL OnOpenRecentFile(UINT nID);
  afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
  afx_msg void OnAppExit();
  // The printer set-up: the printer dialog in set-up mode.
  afx_msg void OnFilePrintSetup();

 private:
  CDocManager* doc_manager();
  std::unique_ptr<CDocManager> owned_doc_manager_;
  std::unique_ptr<CRecentFileList> owned_recent_;
  HCURSOR saved_cursor_ = nullptr;

  DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
LPCTSTR AfxGetAppName();
