// Finds the document template that belongs to a document, view and frame (the frame and the menu
// bar choose a menu by it), and templates by their registered file-type name. Stateless; callers
// make one on the stack.
#pragma once

#include <vector>

#include "platform/framework/doc_template.h"

class CDocument;
class CView;
class CFrameWnd;

class SECDocTemplateLookup {
 public:
  using TemplateList = std::vector<CDocTemplate*>;

  virtual ~SECDocTemplateLookup() = default;
  // The template's 0-based place among the templates named `typeName`; -1 when it is not one.
  virtual int GetTypeOrdinal(CDocTemplate* pTemplate, const CString& typeName);
  // The `ordinal`-th template named `typeName` (the last such when there are fewer); null for none.
  virtual CDocTemplate* GetTemplateByType(const CString& typeName, int ordinal);
  virtual CDocTemplate* FindTemplate(CDocument* pDoc, CView* pView, CFrameWnd* pFrame);
  virtual UINT GetMenuKey(CFrameWnd* pFrame);
  virtual BOOL CollectTemplates(TemplateList& list);
  virtual BOOL KeepByViewAndFrameClass(TemplateList& list, CView* pView, CFrameWnd* pFrame);
  virtual BOOL KeepByResourceId(TemplateList& list, CFrameWnd* pFrame);
  virtual BOOL KeepByDocumentClass(TemplateList& list, CDocument* pDoc);
  // 1 with the one candidate (or null for none); 0 when several remain.
  virtual BOOL GetUniqueTemplate(const TemplateList& list, CDocTemplate*& pTemplate);
  virtual const CRuntimeClass* MapFrameClass(const CRuntimeClass*) { return nullptr; }
  virtual const CRuntimeClass* GetTemplateFrameClass(CDocTemplate* pTemplate, BOOL bFlag);
};
