// The notes dialog "Notatki": the user's notes from CNoteRecordset, one at a time, under a toolbar
// (edit, delete, end, beginning). The rich-edit control shows the current note's text, the two
// statics its act and date. "Edycja" opens the text for editing (a new note when there is none to
// stand on); OK stores it, Cancel asks before dropping a change. Like a frame window, the dialog
// shows the prompts of its toolbar and menus in the main window's status bar, updates its pop-up
// menus when they open and enters the context-help mode on its command.
#pragma once

#include <string>

#include "controls/base/gs_dialog.h"
#include "controls/gs_tool_bar.h"
#include "platform/framework/menu.h"
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
  // The act a new note belongs to (the sheet's act when the dialog is opened from one).
  void SetActId(const CString& act) { m_strAct = act; }
  // Stores the edited text: in the current note, or as a new note when there is none (an empty new
  // note is not stored). FALSE, with the dialog kept open, when it is too long or cannot be stored.
  BOOL SaveNote();

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  // Every turn of the modal loop brings the toolbar's buttons up to date.
  BOOL ContinueModal() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnOK() override;
  void OnCancel() override;

  // The frame-like handling of prompts and menus.
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
  afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnContextHelp();

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
  CString m_strAct;
  BOOL m_bEdit = FALSE;
  // The prompt a menu item asks for, shown when the menu waits; the last one shown.
  UINT m_nIDTracking = 0;
  UINT m_nIDLastMessage = 0;
};
