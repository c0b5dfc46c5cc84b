// CGSPropertySheet: the base of the program's property sheets. It is the framework's sheet with
// context help: the caption carries the help button, and F1 or a right-click on one of the
// sheet's own controls (OK, Cancel, Apply, Help, the tab control) asks for the help whose context
// id is the control id + 0x10000 (see context_help::sheet_help_id). Its pages answer for their own
// controls.
#pragma once

#include "platform/framework/property_sheet.h"

class CGSPropertySheet : public CPropertySheet {
  DECLARE_DYNAMIC(CGSPropertySheet)

 public:
  explicit CGSPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit CGSPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~CGSPropertySheet() override;

  // Adds the caption's help button (WS_EX_CONTEXTHELP), then initialises the sheet.
  BOOL OnInitDialog() override;

 protected:
  // Only a request about a window is answered; always reports it handled.
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  // The sheet's default handling decides first: only a request it answers as its own (1) is
  // answered with help.
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);

  DECLARE_MESSAGE_MAP()
};
