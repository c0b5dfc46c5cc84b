// CHLinkSheet: the properties sheet of a link, with its one page (CHLinkPage).
#pragma once

#include "controls/base/gs_property_sheet.h"
#include "controls/hlink_page.h"

class CHLinkSheet : public CGSPropertySheet {
  DECLARE_DYNAMIC(CHLinkSheet)

 public:
  CHLinkSheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~CHLinkSheet() override;

  // The link the page describes.
  void SetLink(CHLinkCtrl* link) { m_page.SetLink(link); }
  CHLinkPage& GetLinkPage() { return m_page; }

 private:
  CHLinkPage m_page;
};
