// CHLinkPage: the "Ogólne" page of a link's properties: the link's text and its address, both
// read-only.
#pragma once

#include "controls/base/gs_property_page.h"

class CHLinkCtrl;

class CHLinkPage : public CGSPropertyPage {
  DECLARE_DYNCREATE(CHLinkPage)

 public:
  CHLinkPage();
  ~CHLinkPage() override;

  void SetLink(CHLinkCtrl* link) { m_pLink = link; }
  BOOL OnInitDialog() override;

 private:
  CHLinkCtrl* m_pLink = nullptr;
};
