// The state of one print job that the view's printing hooks share: pages, the current page, the
// printable rectangle, and the chosen printer or PDF file.
#pragma once

#include "platform/base/cstring.h"
#include "platform/base/geometry.h"
#include "platform/win/win_types.h"

struct CPrintInfo {
  UINT m_nCurPage = 1;
  UINT m_nMinPage = 1;
  UINT m_nMaxPage = 0xFFFF;  // unknown until the view sets it
  UINT m_nNumPreviewPages = 1;
  BOOL m_bContinuePrinting = TRUE;
  BOOL m_bDirect = FALSE;     // no printer question
  BOOL m_bPreview = FALSE;
  CRect m_rectDraw;           // the page's printable area in logical units
  CString m_strPageDesc;
  CString m_strPrinter;       // the printer chosen
  CString m_strOutputFile;    // the PDF file when printing to a file
  LPVOID m_lpUserData = nullptr;

  void SetMinPage(UINT n) { m_nMinPage = n; }
  void SetMaxPage(UINT n) { m_nMaxPage = n; }
  UINT GetMinPage() const { return m_nMinPage; }
  UINT GetMaxPage() const { return m_nMaxPage; }
  UINT GetFromPage() const { return m_nMinPage; }
  UINT GetToPage() const { return m_nMaxPage; }
};
