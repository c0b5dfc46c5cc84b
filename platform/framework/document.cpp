#include "platform/framework/document.h"

#include <unistd.h>

#include <algorithm>
#include <memory>

#include "platform/base/cfile.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "platform/framework/app.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/doc_template.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/prompter.h"
#include "platform/framework/view.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
  ON_COMMAND(ID_FILE_CLOSE, &CDocument::OnFileClose)
  ON_COMMAND(ID_FILE_SAVE, &CDocument::OnFileSave)
  ON_COMMAND(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs)
END_MESSAGE_MAP()

namespace {
// The text of a Polish message with one "%1" replaced.
CString message(const char* utf8, const CString& arg) {
  CString text(base::cp1250::from_utf8(utf8));
  int at = text.Find("%1");
  return at < 0 ? text : text.Left(at) + arg + text.Mid(at + 2);
}
}  // namespace

CDocument::~CDocument() {
  // Views outliving their document must not reach it.
  for (CView* v : m_viewList) v->m_pDocument = nullptr;
}

void CDocument::SetTitle(LPCTSTR lpszTitle) {
  m_strTitle = lpszTitle ? lpszTitle : "";
  for (CView* v : m_viewList) {
    if (CFrameWnd* f = v->GetParentFrame()) f->OnUpdateFrameTitle(TRUE);
  }
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU) {
  m_strPathName = lpszPathName ? lpszPathName : "";
  int slash = m_strPathName.ReverseFind('/');
  SetTitle(m_strPathName.Mid(slash + 1));
  if (bAddToMRU && AfxGetApp()) AfxGetApp()->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* pView) {
  if (!pView || std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end()) return;
  m_viewList.push_back(pView);
  pView->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
  if (it == m_viewList.end()) return;
  m_viewList.erase(it);
  pView->m_pDocument = nullptr;
  OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const {
  return m_viewList.empty() ? nullptr : reinterpret_cast<POSITION>(std::uintptr_t(1));
}

CView* CDocument::GetNextView(POSITION& pos) const {
  auto index = reinterpret_cast<std::uintptr_t>(pos);
  if (index == 0 || index > m_viewList.size()) {
    pos = nullptr;
    return nullptr;
  }
  CView* v = m_viewList[index - 1];
  pos = index < m_viewList.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
  return v;
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  std::vector<CView*> views = m_viewList;
  for (CView* v : views) {
    if (v != pSender) v->OnUpdate(pSender, lHint, pHint);
  }
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName) {
  std::vector<uint8_t> bytes;
  base::OsError e = base::read_file(base::os_path(lpszPathName), bytes);
  if (e != base::OsError::None) {
    ReportSaveLoadException(lpszPathName, base::os_error_text(e), FALSE);
    return FALSE;
  }
  DeleteContents();
  SetModifiedFlag(TRUE);  // a failed read leaves contents that do not match the file
  try {
    CArchive ar(bytes);
    ar.m_pDocument = this;
    Serialize(ar);
  } catch (const CArchiveException& ex) {
    DeleteContents();
    ReportSaveLoadException(lpszPathName, ex.what(), FALSE);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName) {
  std::vector<uint8_t> bytes;
  try {
    CArchive ar;
    ar.m_pDocument = this;
    Serialize(ar);
    bytes = ar.TakeBytes();
  } catch (const CArchiveException& ex) {
    ReportSaveLoadException(lpszPathName, ex.what(), TRUE);
    return FALSE;
  }
  // The old file stays whole until the new one is completely written.
  base::OsError e = base::write_file_atomic(base::os_path(lpszPathName), bytes);
  if (e != base::OsError::None) {
    ReportSaveLoadException(lpszPathName, base::os_error_text(e), TRUE);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, const char* what, BOOL bSaving) {
  CString text = message(bSaving ? "Nie można zapisać pliku %1." : "Nie można otworzyć pliku %1.",
                         CString(lpszPathName));
  if (what && *what) text += CString("\n") + CString(base::cp1250::from_utf8(what));
  AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument() {
  // Destroying the frames removes the views; the document must not delete itself meanwhile.
  BOOL auto_delete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.empty()) {
    CView* v = m_viewList.front();
    CFrameWnd* frame = v->GetParentFrame();
    if (frame && frame != AfxGetMainWnd()) {
      PreCloseFrame(frame);
      frame->DestroyWindow();
    } else {
      v->DestroyWindow();
    }
    // A view that did not leave (no window) is taken off by hand so the loop ends.
    if (!m_viewList.empty() && m_viewList.front() == v) RemoveView(v);
  }
  m_bAutoDelete = auto_delete;
  DeleteContents();
  if (m_bAutoDelete && m_pDocTemplate) {
    // The template hands over its ownership: `self` ends this document on return, so nothing
    // may touch a member after this line.
    std::unique_ptr<CDocument> self = m_pDocTemplate->RemoveDocument(this);
  }
}

BOOL CDocument::SaveModified() {
  if (!IsModified()) return TRUE;
  CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
  int slash = name.ReverseFind('/');
  name = name.Mid(slash + 1);
  switch (AfxMessageBox(message("Czy zapisać zmiany w %1?", name), MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      return DoFileSave();
    case IDNO:
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame) {
  // Another frame still shows this document: closing this one loses nothing.
  for (CView* v : m_viewList) {
    if (v->GetParentFrame() != pFrame) return TRUE;
  }
  return SaveModified();
}

void CDocument::OnChangedViewList() {
  if (m_viewList.empty() && m_bAutoDelete) {
    OnCloseDocument();
    return;
  }
  for (CView* v : m_viewList) {
    if (CFrameWnd* f = v->GetParentFrame()) f->OnUpdateFrameTitle(TRUE);
  }
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace) {
  CString path(lpszPathName ? lpszPathName : "");
  if (path.IsEmpty()) {
    path = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    CString ext;
    if (m_pDocTemplate && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) &&
        !ext.IsEmpty() && path.ReverseFind('.') < 0) {
      path += ext.SpanExcluding(";");
    }
    CWinApp* app = AfxGetApp();
    if (!app || !app->DoPromptFileName(path, 0, 0, FALSE, m_pDocTemplate)) return FALSE;
  }
  if (!OnSaveDocument(path)) return FALSE;
  if (bReplace) SetPathName(path);
  return TRUE;
}

BOOL CDocument::DoFileSave() {
  // A document never saved, or whose file became read-only, asks where to save.
  if (m_strPathName.IsEmpty() ||
      (base::file_exists(base::os_path(m_strPathName)) && access(base::os_path(m_strPathName).c_str(), W_OK) != 0)) {
    return DoSave(nullptr);
  }
  return DoSave(m_strPathName);
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose() {
  if (!SaveModified()) return;
  OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }
void CDocument::OnFileSaveAs() { DoSave(nullptr); }
