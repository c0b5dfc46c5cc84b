#include "toolkit/frame/doc_template_lookup.h"

#include <algorithm>

#include "platform/framework/app.h"
#include "platform/framework/document.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/view.h"

namespace {

CString type_name_of(CDocTemplate* t) {
  CString name;
  t->GetDocString(name, CDocTemplate::regFileTypeName);
  return name;
}

}  // namespace

BOOL SECDocTemplateLookup::CollectTemplates(TemplateList& list) {
  CWinApp* app = AfxGetApp();
  if (!app || !app->m_pDocManager) return app != nullptr;
  for (const auto& t : app->m_pDocManager->templates()) list.push_back(t.get());
  return TRUE;
}

int SECDocTemplateLookup::GetTypeOrdinal(CDocTemplate* pTemplate, const CString& typeName) {
  TemplateList all;
  if (!pTemplate || !AfxGetApp() || !CollectTemplates(all)) return -1;
  int count = 0;
  for (CDocTemplate* t : all) {
    if (type_name_of(t) == typeName) ++count;
    if (t == pTemplate) return count - 1;
  }
  return -1;
}

CDocTemplate* SECDocTemplateLookup::GetTemplateByType(const CString& typeName, int ordinal) {
  TemplateList all;
  CollectTemplates(all);
  CDocTemplate* last = nullptr;
  int seen = 0;
  for (CDocTemplate* t : all) {
    if (type_name_of(t) != typeName) continue;
    if (seen++ == ordinal) return t;
    last = t;
  }
  return last;
}

UINT SECDocTemplateLookup::GetMenuKey(CFrameWnd* pFrame) { return pFrame ? pFrame->m_nIDHelp : 0; }

const CRuntimeClass* SECDocTemplateLookup::GetTemplateFrameClass(CDocTemplate* pTemplate, BOOL bFlag) {
  return pTemplate && !bFlag ? pTemplate->m_pFrameClass : nullptr;
}

BOOL SECDocTemplateLookup::KeepByViewAndFrameClass(TemplateList& list, CView* pView, CFrameWnd* pFrame) {
  if (!pView || !pFrame) return FALSE;
  std::erase_if(list, [&](CDocTemplate* t) {
    return t->m_pViewClass != pView->GetRuntimeClass() || GetTemplateFrameClass(t, FALSE) != pFrame->GetRuntimeClass();
  });
  return TRUE;
}

BOOL SECDocTemplateLookup::KeepByResourceId(TemplateList& list, CFrameWnd* pFrame) {
  if (!pFrame) return FALSE;
  const UINT key = GetMenuKey(pFrame);
  std::erase_if(list, [&](CDocTemplate* t) { return t->m_nIDResource != key; });
  return TRUE;
}

BOOL SECDocTemplateLookup::KeepByDocumentClass(TemplateList& list, CDocument* pDoc) {
  if (!pDoc) return FALSE;
  std::erase_if(list, [&](CDocTemplate* t) { return t->m_pDocClass != pDoc->GetRuntimeClass(); });
  return TRUE;
}

BOOL SECDocTemplateLookup::GetUniqueTemplate(const TemplateList& list, CDocTemplate*& pTemplate) {
  pTemplate = nullptr;
  if (list.size() > 1) return FALSE;
  if (!list.empty()) pTemplate = list.front();
  return TRUE;
}

CDocTemplate* SECDocTemplateLookup::FindTemplate(CDocument* pDoc, CView* pView, CFrameWnd* pFrame) {
  if (!pDoc || !pView || !pFrame) return nullptr;
  TemplateList list;
  CollectTemplates(list);
  CDocTemplate* found = nullptr;
  if (GetUniqueTemplate(list, found)) return found;
  KeepByViewAndFrameClass(list, pView, pFrame);
  if (GetUniqueTemplate(list, found)) return found;
  KeepByResourceId(list, pFrame);
  if (GetUniqueTemplate(list, found)) return found;
  KeepByDocumentClass(list, pDoc);
  if (GetUniqueTemplate(list, found)) return found;
  CDocTemplate* own = pDoc->GetDocTemplate();
  return std::find(list.begin(), list.end(), own) != list.end() ? own : list.front();
}
