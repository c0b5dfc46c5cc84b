// CTipDlg ("Porada dnia"): one tip at a time from the tips file, "&Następna" for the next, the
// query sheet and the keyword indexes one click away, and the choice whether it shows at start.
// Building the dialog reads a tip and ending it stores where reading stopped, so the next start
// shows the next tip; a changed file starts again at its first tip.
#pragma once

#include <cstdint>
#include <string>

#include "controls/base/gs_dialog.h"
#include "platform/framework/menu.h"
#include "toolkit/widgets/owner_draw_button.h"

class CTipDlg : public CGSDialog {
 public:
  explicit CTipDlg(CWnd* pParent = nullptr);
  ~CTipDlg() override;

  // The tips file: "tips.txt" in the user's data folder, else beside the program ("" for none).
  static std::string FindTipsFile();
  // Where the tests put their own file ("" returns to the search).
  static void SetTipsFileForTests(std::string path);

  CString m_strTip;
  BOOL m_bStartup = TRUE;
  // Whether a tips file was read.
  BOOL HasFile() const { return m_bFileOpen; }
  uint64_t GetPosition() const { return m_nPosition; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  // Reads the tip at the read position and moves past it.
  void GetNextTipString(CString& strNext);

  afx_msg void OnNextTip();
  afx_msg void OnClose();
  afx_msg void OnQuery();
  afx_msg void OnIndex(UINT nID);
  afx_msg void OnPaint();
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);

  // Closes with "&Zamknij" and passes `nID` to the main window.
  void CloseAndPost(UINT nID);

  std::string m_content;
  uint64_t m_nPosition = 0;
  BOOL m_bFileOpen = FALSE;
  CMenu m_menu;
  SECMenuButton m_btnIndexes;

  DECLARE_MESSAGE_MAP()
};
