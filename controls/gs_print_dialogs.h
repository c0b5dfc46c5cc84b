// The program's printer and page set-up dialogs: the platform's common dialogs run from the
// program's own templates, with margins in centimetres as numeric fields with spin buttons.
//
// CGSPageSetupDialog adds the four page margins and the margin for notes below the text;
// CGSPrintDialog adds the notes margin and a choice between the current page and the selection.
// Margins are whole millimetres (0: not set, which stands for 2 cm). The caller fills the members
// from the user settings before DoModal and takes them back after IDOK.
#pragma once

#include "controls/num_edit.h"
#include "platform/framework/print_dialogs.h"

class CGSPageSetupDialog : public CPageSetupDialog {
  DECLARE_DYNAMIC(CGSPageSetupDialog)

 public:
  explicit CGSPageSetupDialog(DWORD dwFlags = PSD_MARGINS | PSD_INWININIINTLMEASURE, CWnd* pParentWnd = nullptr);
  ~CGSPageSetupDialog() override;

  CNumEdit m_editTop, m_editRight, m_editBottom, m_editLeft, m_editNotes;
  CNumSpinCtrl m_spinTop, m_spinRight, m_spinBottom, m_spinLeft, m_spinNotes;
  UINT m_nTopMargin = 0;
  UINT m_nRightMargin = 0;
  UINT m_nBottomMargin = 0;
  UINT m_nLeftMargin = 0;
  UINT m_nNotesMargin = 0;
  int m_bNotes = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnMarginChange(UINT nID);
  afx_msg void OnNotesMarginChange();
  afx_msg void OnNotesSwitch();
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  DECLARE_MESSAGE_MAP()

 private:
  // The hidden standard bottom field holds the bottom margin and, with notes, the notes margin.
  void ShowBottomWithNotes();
  void EnableNotes();
};

class CGSPrintDialog : public CPrintDialog {
  DECLARE_DYNAMIC(CGSPrintDialog)

 public:
  explicit CGSPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
  ~CGSPrintDialog() override;

  CNumEdit m_editNotes;
  CNumSpinCtrl m_spinNotes;
  CButton m_btnWholeAct, m_btnCurrentPage, m_btnSelection;
  UINT m_nNotesMargin = 0;
  int m_bNotes = 0;
  int m_bSelection = 0;
  // The current text view's text pane, as the caller finds it: whether there is one, and whether
  // it holds a selection.
  BOOL m_bTextPane = FALSE;
  BOOL m_bPaneSelection = FALSE;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnNotesMarginChange();
  afx_msg void OnNotesSwitch();
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  DECLARE_MESSAGE_MAP()

 private:
  void EnableNotes();
};
