#include "platform/framework/doc_template.h"

#include <algorithm>

#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/framework/document.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/mdi.h"
#include "platform/framework/prompter.h"
#include "platform/framework/view.h"
#include "platform/res/resource_store.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

namespace {
POSITION position_of(size_t index) { return reinterpret_cast<POSITION>(index + 1); }

CDocument* next_doc(const std::vector<std::unique_ptr<CDocument>>& docs, POSITION& pos) {
  auto index = reinterpret_cast<std::uintptr_t>(pos);
  if (index == 0 || index > docs.size()) {
    pos = nullptr;
    return nullptr;
  }
  pos = index < docs.size() ? position_of(index) : nullptr;
  return docs[index - 1].get();
}
}  // namespace

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                           const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {
  AfxLoadString(nIDResource, m_strDocStrings);
}

CDocTemplate::~CDocTemplate() = default;

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
  rString.Empty();
  int start = 0;
  for (int i = 0; i < int(index); ++i) {
    start = m_strDocStrings.Find('\n', start);
    if (start < 0) return FALSE;
    ++start;
  }
  int end = m_strDocStrings.Find('\n', start);
  rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
  return TRUE;
}

void CDocTemplate::AddDocument(CDocument* pDoc) {
  pDoc->m_pDocTemplate = this;
  docs_.emplace_back(pDoc);
}

std::unique_ptr<CDocument> CDocTemplate::RemoveDocument(CDocument* pDoc) {
  auto it = std::find_if(docs_.begin(), docs_.end(), [&](const auto& d) { return d.get() == pDoc; });
  if (it == docs_.end()) return nullptr;
  std::unique_ptr<CDocument> out = std::move(*it);
  docs_.erase(it);
  return out;
}

CDocument* CDocTemplate::CreateNewDocument() {
  if (!m_pDocClass) return nullptr;
  std::unique_ptr<CObject> object = m_pDocClass->CreateObject();
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CDocument))) return nullptr;
  auto* doc = static_cast<CDocument*>(object.release());
  AddDocument(doc);
  return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
  if (!m_pFrameClass) return nullptr;
  std::unique_ptr<CObject> object = m_pFrameClass->CreateObject();
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return nullptr;
  // The frame owns itself from here: it ends in PostNcDestroy.
  auto* frame = static_cast<CFrameWnd*>(object.release());
  CCreateContext context;
  context.m_pCurrentFrame = pOther;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
    // A frame whose window never came to be was not ended by PostNcDestroy.
    if (framework::frame_alive(frame)) std::unique_ptr<CFrameWnd> discard(frame);
    return nullptr;
  }
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
  pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch) {
  rpDocMatch = nullptr;
  for (const auto& d : docs_) {
    if (d->GetPathName().CompareNoCase(lpszPathName) == 0) {
      rpDocMatch = d.get();
      return yesAlreadyOpen;
    }
  }
  CString ext;
  GetDocString(ext, filterExt);
  CString path(lpszPathName);
  int dot = path.ReverseFind('.');
  if (!ext.IsEmpty() && dot >= 0) {
    CString mine = path.Mid(dot);
    // The extension list may hold several, separated by ';'.
    for (int start = 0; start <= ext.GetLength();) {
      int end = ext.Find(';', start);
      CString one = end < 0 ? ext.Mid(start) : ext.Mid(start, end - start);
      if (one.CompareNoCase(mine) == 0) return yesAttemptNative;
      if (end < 0) break;
      start = end + 1;
    }
  }
  return yesAttemptForeign;
}

BOOL CDocTemplate::SaveAllModified() {
  std::vector<CDocument*> docs;
  for (const auto& d : docs_) docs.push_back(d.get());
  for (CDocument* d : docs) {
    if (!d->SaveModified()) return FALSE;
  }
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  while (!docs_.empty()) {
    CDocument* d = docs_.back().get();
    size_t before = docs_.size();
    d->OnCloseDocument();
    // A document that does not delete itself is dropped here, so the loop ends.
    if (docs_.size() == before) RemoveDocument(d);
  }
}

// --- Multiple documents ----------------------------------------------------------------------------

POSITION CMultiDocTemplate::GetFirstDocPosition() const { return docs_.empty() ? nullptr : position_of(0); }
CDocument* CMultiDocTemplate::GetNextDoc(POSITION& pos) const { return next_doc(docs_, pos); }

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
  CDocument* doc = CreateNewDocument();
  if (!doc) return nullptr;
  BOOL auto_delete = doc->m_bAutoDelete;
  doc->m_bAutoDelete = FALSE;  // a failed frame must not take the document with it yet
  CFrameWnd* frame = CreateNewFrame(doc, nullptr);
  doc->m_bAutoDelete = auto_delete;
  if (!frame) {
    RemoveDocument(doc);
    return nullptr;
  }
  if (!lpszPathName) {
    SetDefaultTitle(doc);
    if (!doc->OnNewDocument()) {
      frame->DestroyWindow();
      return nullptr;
    }
    ++m_nUntitledCount;
  } else {
    BeginWaitCursor();
    BOOL opened = doc->OnOpenDocument(lpszPathName);
    EndWaitCursor();
    if (!opened) {
      frame->DestroyWindow();
      return nullptr;
    }
    doc->SetPathName(lpszPathName);
  }
  InitialUpdateFrame(frame, doc, bMakeVisible);
  return doc;
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString name;
  if (!GetDocString(name, docName) || name.IsEmpty()) name = CString(base::cp1250::from_utf8("Bez tytułu"));
  pDocument->SetTitle(name + CString(std::to_string(m_nUntitledCount + 1)));
}

// --- Single document -------------------------------------------------------------------------------

POSITION CSingleDocTemplate::GetFirstDocPosition() const { return docs_.empty() ? nullptr : position_of(0); }
CDocument* CSingleDocTemplate::GetNextDoc(POSITION& pos) const { return next_doc(docs_, pos); }

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
  CDocument* doc = docs_.empty() ? nullptr : docs_.front().get();
  CFrameWnd* frame = nullptr;
  bool created = false;
  if (doc) {
    // The one document is reused: its changes are asked about first.
    if (!doc->SaveModified()) return nullptr;
    if (!doc->m_viewList.empty()) frame = doc->m_viewList.front()->GetParentFrame();
  } else {
    doc = CreateNewDocument();
    if (!doc) return nullptr;
    created = true;
  }
  if (!frame) {
    BOOL auto_delete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = auto_delete;
    if (!frame) {
      if (created) RemoveDocument(doc);
      return nullptr;
    }
    created = true;
  }
  if (!lpszPathName) {
    SetDefaultTitle(doc);
    if (!doc->OnNewDocument()) return nullptr;
  } else {
    if (!doc->OnOpenDocument(lpszPathName)) {
      // The document was emptied by the failed read: it starts anew rather than showing a mix.
      doc->OnNewDocument();
      SetDefaultTitle(doc);
      return nullptr;
    }
    doc->SetPathName(lpszPathName);
  }
  if (created) {
    InitialUpdateFrame(frame, doc, bMakeVisible);
  } else {
    doc->UpdateAllViews(nullptr);
  }
  return doc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString name;
  if (!GetDocString(name, docName) || name.IsEmpty()) name = CString(base::cp1250::from_utf8("Bez tytułu"));
  pDocument->SetTitle(name);
}

// --- Document manager -------------------------------------------------------------------------------

CDocManager::~CDocManager() = default;

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate) {
  if (pTemplate) templates_.emplace_back(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const {
  return templates_.empty() ? nullptr : position_of(0);
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const {
  auto index = reinterpret_cast<std::uintptr_t>(pos);
  if (index == 0 || index > templates_.size()) {
    pos = nullptr;
    return nullptr;
  }
  pos = index < templates_.size() ? position_of(index) : nullptr;
  return templates_[index - 1].get();
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName) {
  if (!lpszFileName || !*lpszFileName) return nullptr;
  CDocTemplate* best = nullptr;
  CDocTemplate::Confidence best_match = CDocTemplate::noAttempt;
  for (const auto& t : templates_) {
    CDocument* open = nullptr;
    CDocTemplate::Confidence c = t->MatchDocType(lpszFileName, open);
    if (c == CDocTemplate::yesAlreadyOpen) {
      // Already open: its first view's frame comes forward instead of a second copy.
      if (!open->m_viewList.empty()) {
        if (CFrameWnd* f = open->m_viewList.front()->GetParentFrame()) f->ActivateFrame();
      }
      return open;
    }
    if (c > best_match) {
      best_match = c;
      best = t.get();
    }
  }
  if (!best) return nullptr;
  return best->OpenDocumentFile(lpszFileName);
}

void CDocManager::OnFileNew() {
  if (templates_.empty()) return;
  templates_.front()->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen() {
  CString path;
  if (!DoPromptFileName(path, 0, 0, TRUE, nullptr)) return;
  if (CWinApp* app = AfxGetApp()) {
    app->OpenDocumentFile(path);
  } else {
    OpenDocumentFile(path);
  }
}

BOOL CDocManager::SaveAllModified() {
  for (const auto& t : templates_) {
    if (!t->SaveAllModified()) return FALSE;
  }
  return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession) {
  for (const auto& t : templates_) t->CloseAllDocuments(bEndSession);
}

int CDocManager::GetOpenDocumentCount() {
  int n = 0;
  for (const auto& t : templates_) n += int(t->documents().size());
  return n;
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate) {
  framework::FileQuestion q;
  q.open = bOpenFileDialog;
  q.initial = fileName;
  if (nIDSTitle) AfxLoadString(nIDSTitle, q.title);
  // The filters of the template (or of every template), then all files.
  auto add_filter = [&](CDocTemplate* t) {
    CString name, ext;
    if (t->GetDocString(name, CDocTemplate::filterName) && !name.IsEmpty() &&
        t->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty()) {
      CString patterns;
      for (int start = 0;;) {
        int end = ext.Find(';', start);
        if (!patterns.IsEmpty()) patterns += ';';
        patterns += "*" + (end < 0 ? ext.Mid(start) : ext.Mid(start, end - start));
        if (end < 0) break;
        start = end + 1;
      }
      q.filter += name + "|" + patterns + "|";
      if (q.default_extension.IsEmpty()) q.default_extension = ext.SpanExcluding(";").Mid(1);
    }
  };
  if (pTemplate) {
    add_filter(pTemplate);
  } else {
    for (const auto& t : templates_) add_filter(t.get());
  }
  q.filter += CString(base::cp1250::from_utf8("Wszystkie pliki (*.*)|*||"));
  std::vector<CString> chosen;
  HWND owner = AfxGetMainWnd() ? AfxGetMainWnd()->m_hWnd : nullptr;
  if (!framework::prompter().choose_files(owner, q, chosen) || chosen.empty()) return FALSE;
  fileName = chosen.front();
  return TRUE;
}
