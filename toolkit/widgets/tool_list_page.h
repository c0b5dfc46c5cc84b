// The editor of user tools: the tools menu's entries in a list with buttons to add (at most
// nine), remove and move them, and the fields of the chosen tool, the command and the starting
// folder with "..." buttons to choose them. It edits copies; the caller's list receives them when
// the form's data is stored.
//
// Two forms over one set of handlers: the customize sheet's page SECToolListPage ("Narzędzia",
// template 20514) and the dialog SECToolListDlg (template 20512). SECToolListEditor holds the
// handlers; the form routes its control notifications and data exchange to it.
#pragma once

#include <memory>

#include "controls/base/gs_dialog.h"
#include "controls/base/gs_property_page.h"
#include "platform/controls/standard_controls.h"
#include "toolkit/widgets/browse_edit.h"
#include "toolkit/widgets/user_tool.h"

class SECToolListEditor : public CCmdTarget {
 public:
  explicit SECToolListEditor(SECUserToolList* list);

  // Takes over the form's list and attaches the browse edits; called from the form's
  // initialisation before the form's data is loaded.
  void Initialize(CWnd* form);
  // Loads the list into the controls, or stores the edited tools into the caller's list.
  void Exchange(CDataExchange* pDX);

  int GetToolCount() const { return static_cast<int>(tools_.size()); }
  const SECUserTool* GetTool(int index) const { return tools_[index].get(); }
  SECBrowseFileEdit& GetCommandEdit() { return command_; }
  SECBrowseDirEdit& GetDirectoryEdit() { return directory_; }

  afx_msg void OnSelectionChanged();
  afx_msg void OnMenuTextChanged();
  afx_msg void OnMenuTextLeft();
  afx_msg void OnAdd();
  afx_msg void OnRemove();
  afx_msg void OnMoveUp();
  afx_msg void OnMoveDown();

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  CString field_text(int id) const;
  void refill_list(int select);
  void store_fields();
  void show_fields();
  void update_controls();
  void move(int by);

  SECUserToolList* list_;
  SECUserToolList tools_;  // the list box's tools, in its order
  SECUserTool* edited_ = nullptr;
  CWnd* form_ = nullptr;
  CListBox box_;
  SECBrowseFileEdit command_;
  SECBrowseDirEdit directory_;
  bool filling_ = false;
};

class SECToolListPage : public CGSPropertyPage {
 public:
  SECToolListPage(SECUserToolList* list, UINT template_id, UINT caption_id = 0);

  int GetToolCount() const { return editor_.GetToolCount(); }
  const SECUserTool* GetTool(int index) const { return editor_.GetTool(index); }
  SECToolListEditor& GetEditor() { return editor_; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

 private:
  SECToolListEditor editor_;
};

class SECToolListDlg : public CGSDialog {
 public:
  SECToolListDlg(SECUserToolList* list, CWnd* parent = nullptr);

  int GetToolCount() const { return editor_.GetToolCount(); }
  const SECUserTool* GetTool(int index) const { return editor_.GetTool(index); }
  SECToolListEditor& GetEditor() { return editor_; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

 private:
  SECToolListEditor editor_;
};
