// The application object: the one CWinApp of the program. It reads the command line and the
// profile, creates the main frame and shows it; the framework's message loop runs everything from
// there, and the program ends when the main frame is closed.
#pragma once

#include "platform/framework/app.h"
#include "shell/lumo_command_line.h"

class CMainFrame;

class CLumoApp : public CWinApp {
 public:
  CLumoApp();

  BOOL InitInstance() override;
  int ExitInstance() override;

  // The profile value "Main"/"DataDir" with a separator added when it is longer than one
  // character and has none at its end; the command line's folder replaces it for this run.
  void ReadDataDir();
  // The folder of the library for this run: empty, or ending with a separator (see ReadDataDir).
  const CString& GetDataDir() const { return m_strDataDir; }
  // What the command line asked for.
  const CLumoCommandLineInfo& GetCommandLineInfo() const { return m_cmdInfo; }
  CMainFrame* GetMainFrame() const;

  // "Main"/"DataDir" made a folder path: a value longer than one character gets a trailing
  // separator when it has none; shorter ones stay as they are.
  static CString DataDirFromProfileValue(const CString& value);

 private:
  CLumoCommandLineInfo m_cmdInfo;
  CString m_strDataDir;
};
