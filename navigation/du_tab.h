// CDUTab ("Biblioteka" of "Spisy"): a toolbar, the journal choice ("Dzienniki Ustaw") and the
// library tree below them. Opening, bookmarking and the print list act on the selected item's
// record; the tree's context menu and toolbar send their commands here.
#pragma once

#include "navigation/du_tree.h"
#include "navigation/nav_tab.h"
#include "navigation/topic_ole.h"
#include "toolkit/widgets/hover_combo.h"

class CDUTab : public CNavTab {
  DECLARE_DYNAMIC(CDUTab)

 public:
  CDUTab();
  ~CDUTab() override;

  BOOL Create(CWnd* pTabWnd);
  CDUTree& GetTree() { return m_wndTree; }
  SECHoverComboBox& GetCombo() { return m_wndCombo; }
  // The selected item's record, or -1.
  int32_t SelectedRecord() const;

 protected:
  BOOL OnInitDialog() override;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnOpen();
  // "Informacja": the selected record into the act information window while it is visible.
  afx_msg void OnInformation();
  afx_msg void OnOpenNewSheet();
  afx_msg void OnAddBookmark();
  afx_msg void OnAddToPrintList();
  afx_msg void OnWordWrap();
  afx_msg void OnColumns();
  afx_msg void OnCollapseAll();
  afx_msg void OnComboSelChange();
  afx_msg void OnUpdateSelected(CCmdUI* pCmdUI);
  afx_msg void OnUpdateWordWrap(CCmdUI* pCmdUI);
  afx_msg void OnUpdateColumns(CCmdUI* pCmdUI);
  afx_msg void OnTreeDblClk(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnTreeReturn(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnTreeBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);

  CDUTree m_wndTree;
  // Records dropped on the tab are found in the tree.
  CTopicOleDropTarget m_dropTarget;
  SECHoverComboBox m_wndCombo;

  DECLARE_MESSAGE_MAP()
};
