// CGSPropertyPage: the base of the program's property pages. It is the framework's page with
// context help: when the page initialises, every window on it is given the context id of its
// control on this page's template (see context_help::page_help_id), and F1, a right-click and the
// frame's help mode ask for that help. A page without a template (help template id 0) has no
// help and asks for none.
#pragma once

#include "platform/framework/property_sheet.h"

class CGSPropertyPage : public CPropertyPage {
  DECLARE_DYNCREATE(CGSPropertyPage)

 public:
  // The dynamically created form: no template and no caption, hence no help.
  CGSPropertyPage();
  // `nIDCaption` 0 takes the template's caption.
  explicit CGSPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  ~CGSPropertyPage() override;

  BOOL OnInitDialog() override;

  // The template whose id forms the high word of the page's help ids; 0 for none.
  UINT m_nHelpTemplateId = 0;

 protected:
  // Only a request about a window is answered; always reports it handled.
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  // The help mode's hit test: shows the help of the window under the client point in lParam and
  // answers -2; answers 0 when the page has no help.
  afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()
};
