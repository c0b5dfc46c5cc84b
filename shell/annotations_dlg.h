// The notes dialog "Notatki": the user's notes from CNoteRecordset, one at a time, under a toolbar
// (edit, delete, end, beginning). The rich-edit control shows the current note's text, the two
// statics its act and date.
#pragma once

#include <string>

#include "controls/base/gs_dialog.h"
#include "controls/gs_tool_bar.h"
#include "platform/controls/rich_edit_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "shell/note_recordset.h"

class CAnnotationsDlg : public CGSDialog {
 public:
  // `database`: the notes database, the default one when empty.
  explicit CAnnotationsDlg(CWnd* pParent = nullptr, std::string database = std::string());
  ~CAnnotationsDlg() override;

  CNoteRecordset& Records() { return m_set; }
  BOOL IsEditing() const { return m_bEdit; }
  CGSToolBar& ToolBar() { return m_wndToolBar; }

  // Shows the current record in the controls.
  void ShowRecord();

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  // Every turn of the modal loop brings the toolbar's buttons up to date.
  BOOL ContinueModal() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnDestroy();
  afx_msg void OnEdit();
  afx_msg void OnUpdateEdit(CCmdUI* pCmdUI);
  afx_msg void OnDelete();
  afx_msg void OnUpdateDelete(CCmdUI* pCmdUI);
  afx_msg void OnAtEnd();
  afx_msg void OnUpdateAtEnd(CCmdUI* pCmdUI);
  afx_msg void OnAtBeginning();
  afx_msg void OnUpdateAtBeginning(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()

 private:
  CGSToolBar m_wndToolBar;
  CStatic m_wndAct;
  CStatic m_wndDate;
  CRichEditCtrl m_wndText;
  CNoteRecordset m_set;
  std::string m_strDatabase;
  CString m_strEmpty1;
  CString m_strEmpty2;
  BOOL m_bEdit = FALSE;
};
