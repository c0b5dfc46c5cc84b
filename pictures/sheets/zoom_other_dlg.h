// The zoom dialog "Powiększenie": a free zoom percentage from 25 to 400.
#pragma once

#include "platform/framework/dialog.h"

class CZoomotherDlg : public CDialog {
 public:
  explicit CZoomotherDlg(CWnd* pParent = nullptr);

  // Set before DoModal, read after "OK".
  int zoom = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
