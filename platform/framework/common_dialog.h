// The base of the platform's standard choosers (file, colour). They make no dialog window of
// their own: DoModal asks the program's prompter, so a test's scripted prompter answers them like
// every other question, and gives IDOK or IDCANCEL as a dialog would.
#pragma once

#include "platform/framework/dialog.h"

class CCommonDialog : public CDialog {
  DECLARE_DYNAMIC(CCommonDialog)

 public:
  explicit CCommonDialog(CWnd* pParentWnd) : CDialog(0, pParentWnd) {}

 protected:
  // The window the question belongs to: the given parent, else the main window.
  HWND OwnerWindow() const;
};
