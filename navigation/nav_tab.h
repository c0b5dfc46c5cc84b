// CNavTab: what every dialog tab of the two navigator bars shares. A tab is a child dialog
// without caption, made hidden from its template inside the bar's tab window. Keys go to the bar
// first (so Ctrl+Tab and Esc work with the focus in a tab), the tab's toolbar (CGSToolBar) is
// brought up to date on idle through the tab's own update handlers, tool tips and menu prompts
// reach the main window's status bar, and pop-up menus opened from the tab are updated by the
// tab's handlers.
#pragma once

#include "controls/gs_list_ctrl.h"
#include "controls/gs_tool_bar.h"
#include "platform/framework/dialog.h"
#include "platform/framework/menu.h"
#include "platform/win/cmd_ui.h"

class CNavTab : public CDialog {
  DECLARE_DYNAMIC(CNavTab)

 public:
  CNavTab() = default;
  ~CNavTab() override;

  // Makes the tab from template `nIDTemplate` as a hidden child of the tab window.
  BOOL CreateTab(UINT nIDTemplate, CWnd* pTabWnd);
  // The bar that holds the tab (its parent's parent), or null.
  CWnd* GetBar() const;

  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The status-bar prompt and the tip of command `nID`: the string's parts before and after its
  // first "\n" (the tip cut to 80 characters).
  static void SplitPrompt(UINT nID, CString& prompt, CString& tip);
  // Answers a tool tip's request for its text (TTN_NEEDTEXT) with the command's tip and shows the
  // command's prompt; FALSE for any other notification.
  static BOOL AnswerToolTip(LPARAM lParam, LRESULT* pResult);
  // Shows a text or the prompt of a command in the main window's status bar.
  static void ShowPrompt(LPCTSTR lpszText);
  static void ShowPrompt(UINT nID);

 protected:
  // The tab's toolbar: flat, with tips and fly-by prompts, buttons 21 x 20 with 14 x 14 images,
  // 21 high, from toolbar resource `nIDResource`; the toolbar sits at the top left.
  BOOL CreateTabToolBar(UINT nIDResource);
  // Height the toolbar takes at the top of the tab.
  int ToolBarBottom() const;
  // Stretches the tab's list to the tab's width and bottom (its top stays) and its last column to
  // the list's width.
  void FitList(CGSListCtrl& list);

  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);

  // Brought up to date on idle by the tab's own update handlers.
  CGSToolBar m_wndToolBar;
  // The command whose prompt a menu selection asked for, and the one shown.
  UINT m_nIDTracking = 0;
  UINT m_nIDLastMessage = 0;

  DECLARE_MESSAGE_MAP()
};
