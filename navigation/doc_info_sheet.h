// CDocInfoSheet ("Informacja"): the open work's file (name, type, place, size, times, attributes)
// and its statistics, with the work's author and title to edit. Only OK is offered; OK stores the
// author and title in the work statistics, closing the sheet otherwise keeps them.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "controls/base/gs_property_page.h"
#include "controls/base/gs_property_sheet.h"

namespace docinfo {

// "%d %B %Y" with the Polish month in the genitive (CP1250), as the sheet shows dates.
std::string DateText(std::time_t t);
// The date, six blanks and "%H:%M:%S".
std::string DateTimeText(std::time_t t);
// "%10.1f KB (%d bajtów)" without the leading blanks (CP1250).
std::string SizeText(uint64_t bytes);
// "%d godz., %d min." of a working time in seconds.
std::string WorkTimeText(int64_t seconds);

}  // namespace docinfo

class CFileInfoPage : public CGSPropertyPage {
 public:
  CFileInfoPage();
  ~CFileInfoPage() override;
  // The file shown; the work document's path when not set.
  CString m_strPath;
  BOOL m_bPathSet = FALSE;

 protected:
  BOOL OnInitDialog() override;
};

class CDocInfoPage : public CGSPropertyPage {
 public:
  CDocInfoPage();
  ~CDocInfoPage() override;
  CString m_strAuthor;
  CString m_strTitle;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
};

// Notes on the work: made on request, not part of the sheet.
class CDocInfoBisPage : public CGSPropertyPage {
 public:
  CDocInfoBisPage();
  ~CDocInfoBisPage() override;

 protected:
  BOOL OnSetActive() override;
};

class CDocInfoSheet : public CGSPropertySheet {
 public:
  // Opens on page `iSelectPage` (0 the file, 1 the document).
  explicit CDocInfoSheet(CWnd* pParentWnd, UINT iSelectPage = 0);
  ~CDocInfoSheet() override;

  CFileInfoPage m_filePage;
  CDocInfoPage m_docPage;

  // Runs the sheet over the main window; on OK the work statistics take the author and title.
  static INT_PTR ShowWorkInformation(UINT iSelectPage);

 protected:
  BOOL OnInitDialog() override;
};
