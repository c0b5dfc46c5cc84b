// CHintsDlg ("Przeszukiwanie - podpowiedzi"): examples of the query language and what each finds,
// centred on its parent. The PRZY line names the user's PRZY distance.
#pragma once

#include "controls/base/gs_dialog.h"

class CHintsDlg : public CGSDialog {
 public:
  explicit CHintsDlg(CWnd* pParent);
  BOOL OnInitDialog() override;
};
