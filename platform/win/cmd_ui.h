// Update-UI objects: the state of one command's user-interface item (menu item, toolbar button,
// status pane, control) that the command's update handler sets.
//
// DoUpdate routes CN_UPDATE_COMMAND_UI for the item's command to a target; when no handler
// changes the enabled state and the caller asks for it, the item is enabled exactly when the
// command has a handler somewhere on the route. Menus, toolbars and status bars derive from
// CCmdUI and override Enable, SetCheck, SetRadio and SetText for their items; the base class works
// on m_pOther, a control window.
#pragma once

#include "platform/win/cmd_target.h"

class CWnd;
class CMenu;

class CCmdUI {
 public:
  UINT m_nID = 0;
  UINT m_nIndex = 0;
  CMenu* m_pMenu = nullptr;
  CMenu* m_pSubMenu = nullptr;
  CMenu* m_pParentMenu = nullptr;
  CWnd* m_pOther = nullptr;
  UINT m_nIndexMax = 0;
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;

  CCmdUI() = default;
  virtual ~CCmdUI() = default;

  virtual void Enable(BOOL bOn = TRUE);
  // 0 unchecked, 1 checked, 2 indeterminate. On m_pOther this checks a button control (one that
  // answers WM_GETDLGCODE with DLGC_BUTTON); any other control is left as it is.
  virtual void SetCheck(int nCheck = 1);
  virtual void SetRadio(BOOL bOn = TRUE);
  virtual void SetText(LPCTSTR lpszText);

  // Lets the update pass go on to the next target on the route after this handler.
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// An update object that only records the state handlers set; used to test whether a command is
// enabled before running it, and by tests.
class CTestCmdUI : public CCmdUI {
 public:
  BOOL m_bEnabled = TRUE;
  int m_nCheck = -1;  // -1 when no handler set it
  BOOL m_bTextSet = FALSE;

  void Enable(BOOL bOn = TRUE) override;
  void SetCheck(int nCheck = 1) override;
  void SetRadio(BOOL bOn = TRUE) override;
  void SetText(LPCTSTR lpszText) override;
};
