// The application object: the one CWinApp of the program. It starts the program in a fixed order
// (settings, the single-instance guard, the engine, the profile, the contents index, the work's
// template, the main frame, the first work), owns what lives for the whole run (the settings, the
// work's statistics, the data folder, the open contents index, the sound player, the guard), routes
// the file commands and shuts the engine down at exit.
#pragma once

#include <memory>

#include "platform/framework/app.h"
#include "platform/shell/drag_drop.h"
#include "shell/core/contents_reader.h"
#include "shell/instance_guard.h"
#include "shell/lumo_command_line.h"
#include "shell/user_data.h"

class CMainFrame;
class CLumoKALDocTemplate;
class CWave;

class CLumoApp : public CWinApp {
 public:
  CLumoApp();
  ~CLumoApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;
  // Closes the open work first (asking to save it); when the user keeps it, it is returned and
  // nothing is opened.
  CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override;
  // Extracted pictures (".png", any case) never enter the list.
  void AddToRecentFileList(LPCTSTR lpszPathName) override;

  // Plays a WAVE resource when sounds are on; a sound that cannot play gives a beep.
  void PlaySoundResource(UINT nID);
  BOOL CheckCommonControlsVersion();
  // 4.72 and later are new enough.
  static BOOL IsCommonControlsVersionAccepted(DWORD major, DWORD minor);

  // The profile value "Main"/"DataDir" with a separator added when it is longer than one
  // character and has none at its end; the command line's folder replaces it for this run, and
  // with neither the user's data folder is used.
  void ReadDataDir();
  // The folder of the library for this run: empty, or ending with a separator (see ReadDataDir).
  const CString& GetDataDir() const { return m_strDataDir; }
  // The library was found in `folder`: it becomes the data folder, and the stored one unless the
  // command line named it for this run.
  void SetDataDir(const CString& folder);
  // What the command line asked for.
  const CLumoCommandLineInfo& GetCommandLineInfo() const { return m_cmdInfo; }
  CMainFrame* GetMainFrame() const;

  // "Main"/"DataDir" made a folder path: a value longer than one character gets a trailing
  // separator when it has none; shorter ones stay as they are.
  static CString DataDirFromProfileValue(const CString& value);

  // The contents index "Index.idx" beside the program (or in the data folder), open for the run.
  BOOL OpenCatalogFile();
  void CloseCatalogFile();
  shell::ContentsIndexReader& GetCatalog() { return m_catalog; }

  // Lengths of the print settings: millimetres in, centimetres shown ("2.5 cm", "3cm").
  static BOOL ParseCentimetres(const CString& text, int& millimetres);
  static void FormatCentimetres(int millimetres, int maxDecimals, CString& text);

  // Pictures of the library: whether the title holds `name`; a copy of it in the private
  // temporary folder (`name` becomes the copy's path); a picture sheet of a copy; closing them.
  BOOL PictureExists(const CString& name);
  BOOL ExtractPicture(CString& name);
  CDocument* OpenPictureSheet(const CString& path, const CString& caption);
  BOOL CloseAllPictureDocuments();
  // Deletes the extracted pictures and scope groups of the temporary folder.
  static void SweepTemporaryFiles();

  // The act drag of catalogue record `record` from a list or tree (`source`, the kind of source):
  // "Topic Info" for drops inside the program and, by the user's copy format, the citation, the
  // tab-separated row or the engine's rendering of the topic; returns when the drag ends. `data`
  // is the data source to fill, a new one when null.
  DROPEFFECT DragTopic(int32_t record, const void* source, int32_t kind, COleDataSource* data = nullptr);

  CUserData& GetUserData() { return m_userData; }
  CDocumentData& GetDocumentData() { return m_docData; }
  CInstanceGuard& GetInstanceGuard() { return m_guard; }
  CLumoKALDocTemplate* GetTextTemplate() const { return m_pTextTemplate; }
  // The template of picture sheets: the one whose documents are ".png" files; null without one.
  CDocTemplate* GetPictureTemplate() const;

 protected:
  // Creates the main frame and makes it the main window.
  BOOL CreateMainFrame();
  // Closes the works one by one through their close; TRUE when none is left open.
  BOOL CloseWorks();

  // Closes the splash when it still shows.
  void CloseSplash();
  // The tip of the day when the user wants it at start (the dialog joins here).
  void ShowStartupTip();

  afx_msg void OnNewWork();
  // Plays the start sound and shows the about box.
  afx_msg void OnAppAbout();
  afx_msg void OnWebPage(UINT nID);
  afx_msg void OnTipOfTheDay();
  afx_msg void OnWorkInformation();

  DECLARE_MESSAGE_MAP()

 private:
  CLumoCommandLineInfo m_cmdInfo;
  CString m_strDataDir;
  CUserData m_userData;
  CDocumentData m_docData;
  CInstanceGuard m_guard;
  shell::ContentsIndexReader m_catalog;
  BOOL m_bCatalogOpen = FALSE;
  CLumoKALDocTemplate* m_pTextTemplate = nullptr;
  std::unique_ptr<CWave> m_pWave;
  BOOL m_bSkinned = FALSE;
  // The splash's window while it shows (it ends itself).
  HWND m_hSplash = nullptr;
};

// The application object, or null while none exists.
CLumoApp* LumoApp();
