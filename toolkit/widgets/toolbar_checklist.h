// Showing, hiding, renaming, creating, resetting and deleting toolbars, and the three look settings
// (tool tips, cool look, large buttons): the customize sheet's toolbars page
// (SECToolBarVisibilityPage, template 20513) and the stand-alone toolbars dialog (SECToolBarsDlg,
// template 20510) that the manager's RunToolBarsDialog shows. Both stand on one shared part,
// SECToolBarChecklist, which owns the check list of the frame's toolbars and the settings with
// their values at opening. SECNewToolBarDlg (template 20511) asks for a new toolbar's name.
#pragma once

#include "controls/base/gs_dialog.h"
#include "controls/base/gs_property_page.h"
#include "platform/controls/check_list_box.h"
#include "platform/framework/data_exchange.h"

class SECToolBarManager;
class SECCustomToolBar;

// The longest toolbar name kept.
constexpr int SEC_TOOLBAR_NAME_MAX = 128;

class SECToolBarChecklist {
 public:
  virtual ~SECToolBarChecklist();

  // Takes the manager's settings as the current and the opening values.
  void AttachManager(SECToolBarManager* pManager);
  SECToolBarManager* GetManager() const { return m_pManager; }
  // Hands the current, or the opening, values to the manager.
  void ApplyCurrent();
  void RestoreOpening();
  // One checked-when-visible item per toolbar of the frame, in the frame's order; the first
  // selected and shown.
  void FillList();
  // The selected bar's name in the edit; the name and "Delete" for a user toolbar, "Reset" for others.
  void UpdateSelection();
  CCheckListBox& GetList() { return m_list; }
  // The bar of list item `nIndex`, found among the frame's bars by the item's id; null for none.
  SECCustomToolBar* BarOfItem(int nIndex) const;

  BOOL m_bToolTips = TRUE;
  BOOL m_bCoolLook = FALSE;
  BOOL m_bLargeButtons = FALSE;
  BOOL m_bOpenToolTips = TRUE;
  BOOL m_bOpenCoolLook = FALSE;
  BOOL m_bOpenLargeButtons = FALSE;

 protected:
  explicit SECToolBarChecklist(CWnd* pForm) : m_pForm(pForm) {}
  void ExchangeSettings(CDataExchange* pDX);
  // The list's and buttons' notifications; TRUE when handled. `pbCreated` tells whether New made a
  // toolbar.
  BOOL HandleCommand(WPARAM wParam, LPARAM lParam, BOOL* pbCreated = nullptr);
  void OnCheckChange();
  void OnRename();
  void OnResetOrDelete();
  // Runs the new-toolbar dialog (configure mode left meanwhile); TRUE when a toolbar was made.
  BOOL OnNew();
  // Keeps the list in step with the manager's bars.
  void OnBarNotify(UINT nBarID, UINT nCode);
  int FindItem(UINT nBarID) const;
  void InsertBar(SECCustomToolBar* pBar);

  SECToolBarManager* m_pManager = nullptr;
  CCheckListBox m_list;
  CWnd* m_pForm;
};

class SECNewToolBarDlg : public CGSDialog {
 public:
  explicit SECNewToolBarDlg(CWnd* pParent = nullptr);
  CString m_strName;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void UpdateOK();
};

class SECToolBarsDlg : public CGSDialog, public SECToolBarChecklist {
 public:
  explicit SECToolBarsDlg(CWnd* pParent = nullptr);
  ~SECToolBarsDlg() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Configure and customize mode end; unless cancelled the current values apply; ends with `nCode`.
  void Finish(int nCode, BOOL bApply);
};

class SECToolBarVisibilityPage : public CGSPropertyPage, public SECToolBarChecklist {
  DECLARE_DYNAMIC(SECToolBarVisibilityPage)

 public:
  explicit SECToolBarVisibilityPage(UINT nIDTemplate = 20513, UINT nIDCaption = 0);
  ~SECToolBarVisibilityPage() override;

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnReset() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Tells the other pages of the sheet that a look setting changed.
  void TellSiblings(WPARAM what);
};
