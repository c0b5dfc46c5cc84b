// The program's main window: an MDI frame with the program's menu, an empty client area where
// the sheets will open, and the status bar with its seven panes (messages, the act's address,
// found words, Num Lock, Caps Lock, the date and the text view's mark).
#pragma once

#include "platform/framework/mdi.h"
#include "platform/framework/status_bar.h"

class CMainFrame : public CMDIFrameWnd {
  DECLARE_DYNAMIC(CMainFrame)

 public:
  CMainFrame();

  CStatusBar& GetStatusBar() { return m_wndStatusBar; }
  // The idle prompt is the program's own text (string 220); other ids as the framework has them.
  void GetMessageString(UINT nID, CString& rMessage) const override;
  // The window is made of the class the instance guard registered, when it did.
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);

  DECLARE_MESSAGE_MAP()

 private:
  CStatusBar m_wndStatusBar;
  CString m_strIdleText;
};
