// The keyboard-shortcut editor ("Klawiatura"): commands by category from the command catalogue,
// the keys bound to the chosen command, a hot-key field to type a new key, and buttons to assign,
// remove and reset. It edits the caller's binding table; the caller saves and installs the table
// when the dialog ends with IDOK and IsModified() tells of changes.
#pragma once

#include "controls/base/gs_dialog.h"
#include "platform/controls/hot_key_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "toolkit/widgets/command_catalog.h"
#include "toolkit/widgets/key_binding_table.h"

class SECKeyBindingDlg : public CGSDialog {
 public:
  SECKeyBindingDlg(SECCommandCatalog* catalog, SECKeyBindingTable* table, CWnd* parent = nullptr);

  bool IsModified() const { return modified_; }

 protected:
  BOOL OnInitDialog() override;
  // While the hot-key field has the focus, its keys (Enter, Esc, Tab among them) are the key to
  // bind and never reach the dialog.
  BOOL PreTranslateMessage(MSG* pMsg) override;

  afx_msg void OnCategoryChanged();
  afx_msg void OnCommandChanged();
  afx_msg void OnHotKeyChanged();
  afx_msg void OnAssign();
  afx_msg void OnRemove();
  afx_msg void OnResetAll();
  DECLARE_MESSAGE_MAP()

 private:
  CListBox& list(int id);
  // The command chosen in the commands list, 0 when none.
  UINT selected_command();
  void fill_commands();
  void fill_keys();
  void show_description();
  WORD field_hot_key();

  SECCommandCatalog* catalog_;
  SECKeyBindingTable* table_;
  CListBox categories_;
  CListBox commands_;
  CListBox keys_;
  CHotKeyCtrl hot_key_;
  bool modified_ = false;
  WORD last_assigned_ = 0;
};
