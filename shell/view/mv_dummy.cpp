#include "shell/view/mv_dummy.h"

#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/object_api.h"
#include "shell/library_title.h"
#include "shell/lumo_kal_doc.h"

CMvDummy::CMvDummy() : m_pWork(CLumoKALDoc::GetCurrentWork()) {
  if (title::TitleHandle* title = LibraryTitle()) {
    m_pViewer = medview::MvCreateViewer(title, nullptr);
    if (m_pViewer && !medview::MvSetTitle(m_pViewer, title, nullptr, nullptr)) Release();
  }
}

CMvDummy::~CMvDummy() { Release(); }

void CMvDummy::Release() {
  if (m_pViewer) {
    frame::MvResetView(m_pViewer);
    if (m_bLent) medview::MvRestoreCallerDC(m_pViewer, m_hLentFrom);
    m_bLent = FALSE;
    medview::MvDestroyViewer(m_pViewer);
    m_pViewer = nullptr;
  }
  if (m_hDC) {
    ::SelectObject(m_hDC, m_hOldBitmap);
    ::DeleteObject(m_hBitmap);
    ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_hBitmap = nullptr;
  }
}

BOOL CMvDummy::Create(const int32_t* position) {
  Release();
  title::TitleHandle* title = LibraryTitle();
  if (!title) return FALSE;
  m_hDC = ::CreateCompatibleDC(nullptr);
  if (!m_hDC) return FALSE;
  m_hBitmap = ::CreateCompatibleBitmap(m_hDC, kLayoutWidth, kLayoutHeight);
  m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
  m_pViewer = medview::MvCreateViewer(title, nullptr);
  const std::string name = m_pWork ? m_pWork->GetPathName().str() : std::string();
  if (!m_pViewer || !medview::MvSetTitle(m_pViewer, title, name.empty() ? nullptr : name.c_str(), nullptr)) {
    Release();
    return FALSE;
  }
  // The memory context is lent for the viewer's whole life: every layout, copy and print finds it.
  m_hLentFrom = medview::MvUseCallerDC(m_pViewer, m_hDC);
  m_bLent = TRUE;
  medview::MvSetKerningMinSize(m_pViewer, 20);
  if (position && !ShowPosition(*position, FALSE)) {
    Release();
    return FALSE;
  }
  medview::MvSetZoom(m_pViewer, 100, nullptr);
  return TRUE;
}

BOOL CMvDummy::ShowPosition(int32_t position, BOOL bPreferScrolling) {
  if (!m_pViewer) return FALSE;
  if (bPreferScrolling && frame::MvSetTopic(m_pViewer, position, 1, 0, nullptr)) return TRUE;
  return frame::MvSetTopic(m_pViewer, position, 0, 0, nullptr);
}

BOOL CMvDummy::ShowTopicNumber(int32_t topic, BOOL bPreferScrolling) {
  if (!m_pViewer) return FALSE;
  const int32_t position = medview::MvTopicNumberToPosition(m_pViewer->title, topic);
  if (position == -1) return FALSE;
  if (ShowPosition(position, bPreferScrolling)) return TRUE;
  // An act with no text of its own is shown by its first part (the text view's rule).
  shell::ContentsRecord record, next;
  if (!m_pWork || !m_pWork->ReadCatalogRecord(topic, record) || !m_pWork->ReadCatalogRecord(topic + 1, next)) {
    return FALSE;
  }
  if (next.parent != topic || next.number >= record.number) return FALSE;
  const int32_t following = medview::MvTopicNumberToPosition(m_pViewer->title, topic + 1);
  return following != -1 && ShowPosition(following, FALSE);
}

BOOL CMvDummy::Relayout() {
  if (!m_pViewer) return FALSE;
  frame::MvResetView(m_pViewer);
  const RECT area{0, 0, kLayoutWidth, kLayoutHeight};
  return frame::MvLayoutTopic(m_pViewer, &area, nullptr);
}

CString CMvDummy::GetTopicHeaderText() const {
  return m_pViewer ? CString(frame::MvGetTopicHeaderText(m_pViewer)) : CString();
}
