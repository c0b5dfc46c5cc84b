// Documents: the data behind one or more views. A document knows its path and title, whether it
// changed since it was saved, its template and its views; it reads and writes itself through
// the archive (Serialize) and asks before its changes are lost.
#pragma once

#include <vector>

#include "platform/base/archive.h"
#include "platform/base/collections.h"
#include "platform/base/cstring.h"
#include "platform/win/cmd_target.h"

class CView;
class CFrameWnd;
class CDocTemplate;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)

 public:
  CDocument() = default;
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  // Sets the title and shows it in the frames of the views.
  virtual void SetTitle(LPCTSTR lpszTitle);
  const CString& GetPathName() const { return m_strPathName; }
  // Sets the path; the title becomes the file name, and the path goes to the recent-file list
  // when `bAddToMRU`.
  virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

  // --- Views ---
  void AddView(CView* pView);
  void RemoveView(CView* pView);
  POSITION GetFirstViewPosition() const;
  CView* GetNextView(POSITION& rPosition) const;
  const std::vector<CView*>& views() const { return m_viewList; }
  // OnUpdate of every view but `pSender`.
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

  // --- Life ---
  virtual void DeleteContents() {}
  virtual BOOL OnNewDocument();
  // Reads the file through Serialize; a read or format error is reported and gives FALSE.
  virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
  // Writes through Serialize into a temporary file that replaces the old one only when complete.
  virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
  // Closes every frame of the views, then the document itself goes (when it auto-deletes).
  virtual void OnCloseDocument();
  // Asks whether to save changes: TRUE to go on (saved or discarded), FALSE to stay.
  virtual BOOL SaveModified();
  virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
  virtual void OnChangedViewList();
  virtual void PreCloseFrame(CFrameWnd* pFrame);
  // Save (as): with no path (or `bReplace` and a new one asked) the user chooses the file.
  virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
  virtual BOOL DoFileSave();
  virtual void ReportSaveLoadException(LPCTSTR lpszPathName, const char* what, BOOL bSaving);

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  afx_msg void OnFileClose();
  afx_msg void OnFileSave();
  afx_msg void OnFileSaveAs();

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate = nullptr;
  std::vector<CView*> m_viewList;
  BOOL m_bModified = FALSE;
  BOOL m_bAutoDelete = TRUE;  // goes away with its last view
  BOOL m_bEmbedded = FALSE;

  DECLARE_MESSAGE_MAP()
};
