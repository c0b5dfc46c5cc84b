// What a frame's creation hands down to the views it makes: the view class, the document, the
// template and the frame being replaced.
#pragma once

#include "platform/base/object.h"

class CDocument;
class CDocTemplate;
class CView;
class CFrameWnd;

struct CCreateContext {
  const CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};
