// The keyboard-shortcut editor ("Klawiatura"): commands by category from the command catalogue,
// the keys bound to the chosen command, a hot-key field to type a new key, and buttons to assign,
// remove and reset. It edits the caller's binding table; the caller saves and installs the table
// when the dialog ends with IDOK and IsModified() tells of changes.
//
// The editor comes in two forms over one set of handlers: the dialog SECKeyBindingDlg (template
// 20495) and the property page SECKeyBindingPage (template 20496). SECKeyBindingEditor holds the
// handlers; the form routes its control notifications and keys to it.
#pragma once

#include "controls/base/gs_dialog.h"
#include "controls/base/gs_property_page.h"
#include "platform/controls/hot_key_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "toolkit/widgets/command_catalog.h"
#include "toolkit/widgets/key_binding_table.h"

class SECKeyBindingEditor : public CCmdTarget {
 public:
  SECKeyBindingEditor(SECCommandCatalog* catalog, SECKeyBindingTable* table);

  // Takes over the form's controls and fills them; called from the form's initialisation.
  void Initialize(CWnd* form);
  // While the hot-key field has the focus, its keys (Enter, Esc, Tab among them) are the key to
  // bind and never reach the form: TRUE when the message was the field's.
  BOOL PreTranslate(MSG* pMsg);
  bool IsModified() const { return modified_; }

  afx_msg void OnCategoryChanged();
  afx_msg void OnCommandChanged();
  afx_msg void OnHotKeyChanged();
  afx_msg void OnAssign();
  afx_msg void OnRemove();
  afx_msg void OnResetAll();

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  // The command chosen in the commands list, 0 when none.
  UINT selected_command();
  void fill_commands();
  void fill_keys();
  void show_description();
  WORD field_hot_key();

  SECCommandCatalog* catalog_;
  SECKeyBindingTable* table_;
  CWnd* form_ = nullptr;
  CListBox categories_;
  CListBox commands_;
  CListBox keys_;
  CHotKeyCtrl hot_key_;
  bool modified_ = false;
  WORD last_assigned_ = 0;
};

class SECKeyBindingDlg : public CGSDialog {
 public:
  SECKeyBindingDlg(SECCommandCatalog* catalog, SECKeyBindingTable* table, CWnd* parent = nullptr);

  bool IsModified() const { return editor_.IsModified(); }
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

 private:
  SECKeyBindingEditor editor_;
};

// The page form ("Skróty klawiaturowe"); the sheet's caller saves and installs the table after
// OK when IsModified() tells of changes.
class SECKeyBindingPage : public CGSPropertyPage {
 public:
  SECKeyBindingPage(SECCommandCatalog* catalog, SECKeyBindingTable* table, UINT caption_id = 0);

  bool IsModified() const { return editor_.IsModified(); }
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

 private:
  SECKeyBindingEditor editor_;
};
