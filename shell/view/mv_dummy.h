// The off-screen pane: a viewer on the library title that lays out, renders, prints and describes a
// topic without a window. It draws into a memory device context of its own, lent to the viewer for
// the pane's whole life, with a layout area of a fixed size.
//
// Typical use: construct, Create, ShowTopicNumber, Relayout, then render (MvRenderClipFormats),
// print (MvPrint) or read texts, then delete.
#pragma once

#include "engine/medview/viewer.h"
#include "platform/base/cstring.h"

class CLumoKALDoc;

class CMvDummy {
 public:
  // The layout area: the width texts are laid out for, and the height of one layout.
  static constexpr int kLayoutWidth = 640;
  static constexpr int kLayoutHeight = 480;

  CMvDummy();
  virtual ~CMvDummy();
  CMvDummy(const CMvDummy&) = delete;
  CMvDummy& operator=(const CMvDummy&) = delete;

  // Binds a new viewer to the library title in the memory context; with a position, shows it (not
  // preferring the scrolling region). False on any failure.
  BOOL Create(const int32_t* position);
  virtual BOOL ShowTopicNumber(int32_t topic, BOOL bPreferScrolling);
  virtual BOOL ShowPosition(int32_t position, BOOL bPreferScrolling);
  virtual BOOL Relayout();
  CString GetTopicHeaderText() const;
  medview::ViewerHandle GetViewer() const { return m_pViewer; }
  HDC GetDC() const { return m_hDC; }

 private:
  void Release();

  medview::ViewerHandle m_pViewer = nullptr;
  CLumoKALDoc* m_pWork = nullptr;
  HDC m_hDC = nullptr;
  HBITMAP m_hBitmap = nullptr;
  HGDIOBJ m_hOldBitmap = nullptr;
  HDC m_hLentFrom = nullptr;
  BOOL m_bLent = FALSE;
};
