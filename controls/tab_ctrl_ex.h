// CTabCtrlEx: takes over the tab control of a property sheet so that single tabs can be disabled.
// A disabled tab is drawn greyed and embossed and is skipped when the user moves between tabs
// with the arrow keys; a click on it does nothing. Every change of tab, by key, by click or by
// disabling the selected tab, goes the way a click goes: the current page must agree to be left,
// then the tab is selected and the sheet shows its page. When the sheet itself selects a
// disabled tab (Ctrl+Tab, SetActivePage), the request steps on to an enabled tab or is refused,
// and the sheet is told to show the page of the tab that is selected.
#pragma once

#include "platform/base/collections.h"
#include "platform/controls/tab_ctrl.h"

class CPropertySheet;

class CTabCtrlEx : public CTabCtrl {
  DECLARE_DYNAMIC(CTabCtrlEx)

 public:
  CTabCtrlEx();
  ~CTabCtrlEx() override;

  // Takes over the sheet's tab control and makes its tabs owner-drawn; FALSE when the sheet has
  // no tab control yet or it cannot be taken over.
  BOOL SubclassSheetTabs(CPropertySheet* pSheet);
  // FALSE for an index outside the tabs, and for disabling the only enabled tab or a selected tab
  // whose page refuses to be left; TRUE when the tab is in the wanted state.
  BOOL EnableTab(int nIndex, BOOL bEnable);
  // FALSE for an index outside the tabs or a disabled tab.
  BOOL IsTabEnabled(int nIndex) const;
  // Moves to the tab (or, for a disabled one, steps past it) once the current page agrees to be
  // left, and tells the parent (TCN_SELCHANGE). FALSE for an index outside the tabs or when the
  // page keeps the sheet where it is.
  BOOL SelectTab(int nIndex);

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A click: refused (1) on no tab, on a disabled tab, or when the page keeps the sheet.
  afx_msg void OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

 private:
  LRESULT SetCurSelSkipping(int nTarget);
  // Whether the parent sheet's current page may be left (always, outside a property sheet).
  bool PageAgreesToLeave();
  CPropertySheet* ParentSheet() const;
  void Notify(UINT code);
  // Has a parent sheet show the page of the selected tab when it shows another.
  void FollowSelection();

  CDWordArray m_disabled;
  NMHDR m_nmhdr{};
  bool m_bFollowing = false;
};
