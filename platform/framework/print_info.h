// The state of one print job or print preview that the view's printing hooks share: the printer
// dialog (page range, copies, the chosen printer), the current page, the printable rectangle.
#pragma once

#include <memory>

#include "platform/base/cstring.h"
#include "platform/base/geometry.h"
#include "platform/framework/print_dialogs.h"

// The status line's page text of a preview: one page, then two pages.
constexpr UINT AFX_IDS_PREVIEWPAGEDESC = 0xF044;
// The question where a print to a file goes: extension, file name, filter and title.
constexpr UINT AFX_IDS_PRINTDEFAULTEXT = 0xF045;
constexpr UINT AFX_IDS_PRINTDEFAULT = 0xF046;
constexpr UINT AFX_IDS_PRINTFILTER = 0xF047;
constexpr UINT AFX_IDS_PRINTCAPTION = 0xF048;
// The message when a printer refuses to start a document.
constexpr UINT AFX_IDP_FAILED_TO_START_PRINT = 0xF106;

namespace framework {
// A printing text of the string table, or the framework's own (UTF-8) when the program has none.
CString print_text(UINT id, const char* utf8_default);
// "Strona %u\nStrony %u-%u\n" from the string table, or the framework's own text.
CString preview_page_description();
// "Nie można rozpocząć drukowania." from the string table (61702), or the framework's own text.
CString start_printing_failed_text();
// When the dialog chose printing to a file but no file, asks where the file goes and makes it
// the dialog's output; false when the user cancels (nothing is to be printed then).
bool choose_print_file(CPrintDialog& dialog);
}  // namespace framework

struct CPrintInfo {
  // The dialog starts with pages 1 to 0xFFFF (unknown until the view sets the maximum).
  CPrintInfo();

  // The printer dialog the preparation shows; a view may put a dialog of its own in its place.
  std::unique_ptr<CPrintDialog> m_pPD;
  BOOL m_bDirect = FALSE;   // no printer question
  BOOL m_bPreview = FALSE;
  BOOL m_bContinuePrinting = TRUE;
  UINT m_nCurPage = 1;
  UINT m_nNumPreviewPages = 1;  // 1 or 2 pages side by side in the preview
  CString m_strPageDesc;        // "Strona %u\nStrony %u-%u\n": one page, two pages
  LPVOID m_lpUserData = nullptr;
  CRect m_rectDraw;             // the page's printable area in logical units

  void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = WORD(nMinPage); }
  void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = WORD(nMaxPage); }
  UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
  UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
  UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
  UINT GetToPage() const { return m_pPD->m_pd.nToPage; }
};
