// CGSDialog: the base of the program's dialog boxes. It is the framework's dialog with context
// help: F1 on a control, a right-click on a control (or the context-menu key on one) and the
// frame's help mode over a control open the pop-up help of that control, whose context id is the
// one its dialog template gave it.
#pragma once

#include "platform/framework/dialog.h"

class CGSDialog : public CDialog {
 public:
  explicit CGSDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CGSDialog() override;

 protected:
  // Only a request about a window is answered (a menu's is not); always reports it handled.
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  // A point outside the client area, or the context-menu key over the dialog itself, goes to the
  // default handling.
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  // The help mode's hit test: shows the help of the window under the client point in lParam and
  // answers -2; answers 0 when the dialog has no help id.
  afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()
};
