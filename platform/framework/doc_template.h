// Document templates tie a document class to the frame and view classes that show it and to the
// resources (title strings, menu, accelerators) under one id. Multi-document templates open each
// document in a new MDI child frame; single-document templates reuse the one frame.
//
// The document string under the template's id is "\n"-separated: window title, document name,
// file-new name, filter name, filter extension(s), file type id, file type name.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/collections.h"
#include "platform/base/cstring.h"
#include "platform/win/cmd_target.h"

class CDocument;
class CFrameWnd;
class CWnd;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)

 public:
  enum DocStringIndex {
    windowTitle,
    docName,
    fileNewName,
    filterName,
    filterExt,
    regFileTypeId,
    regFileTypeName,
  };
  enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign,
                    yesAttemptNative, yesAlreadyOpen };

  CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
               const CRuntimeClass* pViewClass);
  ~CDocTemplate() override;

  virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
  // Takes ownership of the document.
  virtual void AddDocument(CDocument* pDoc);
  // Gives the document's ownership back (to be destroyed by the caller).
  virtual std::unique_ptr<CDocument> RemoveDocument(CDocument* pDoc);

  virtual CDocument* CreateNewDocument();
  virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
  virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
  virtual void SetDefaultTitle(CDocument* pDocument) = 0;
  virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);

  const std::vector<std::unique_ptr<CDocument>>& documents() const { return docs_; }

  UINT m_nIDResource;
  const CRuntimeClass* m_pDocClass;
  const CRuntimeClass* m_pFrameClass;
  const CRuntimeClass* m_pViewClass;
  CString m_strDocStrings;

 protected:
  std::vector<std::unique_ptr<CDocument>> docs_;
};

class CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)

 public:
  using CDocTemplate::CDocTemplate;
  POSITION GetFirstDocPosition() const override;
  CDocument* GetNextDoc(POSITION& rPos) const override;
  CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
  void SetDefaultTitle(CDocument* pDocument) override;

  UINT m_nUntitledCount = 0;
};

class CSingleDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CSingleDocTemplate)

 public:
  using CDocTemplate::CDocTemplate;
  POSITION GetFirstDocPosition() const override;
  CDocument* GetNextDoc(POSITION& rPos) const override;
  CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
  void SetDefaultTitle(CDocument* pDocument) override;
};

// The templates of the application and the file commands over them.
class CDocManager {
 public:
  CDocManager() = default;
  virtual ~CDocManager();

  // Takes ownership.
  virtual void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  const std::vector<std::unique_ptr<CDocTemplate>>& templates() const { return templates_; }

  // A document already open under that path is activated instead of opened twice.
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
  virtual void OnFileNew();
  virtual void OnFileOpen();
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);
  virtual int GetOpenDocumentCount();
  virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                BOOL bOpenFileDialog, CDocTemplate* pTemplate);

 private:
  std::vector<std::unique_ptr<CDocTemplate>> templates_;
};
