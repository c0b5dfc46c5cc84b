#include "controls/hlink_sheet.h"

IMPLEMENT_DYNAMIC(CHLinkSheet, CGSPropertySheet)

CHLinkSheet::CHLinkSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CGSPropertySheet(nIDCaption, pParentWnd, iSelectPage) {
  AddPage(&m_page);
}

CHLinkSheet::~CHLinkSheet() = default;
