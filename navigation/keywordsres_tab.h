// CKeywordsresTab ("Indeksy" of "Nawigator"): the acts the keyword hits lead to, one row per hit
// in the order of the index, under the keyword's heading, with commands to open them, find them
// in the library, bookmark them, put them on the print list, print or clear the list, show the
// act information window, and open the index dialogs. Rows drag out as topics.
#pragma once

#include <cstdint>

#include "engine/COMMON/topic_group.h"
#include "navigation/entry_list_tab.h"

class CKeywordsresTab : public CEntryListTab {
  DECLARE_DYNAMIC(CKeywordsresTab)

 public:
  CKeywordsresTab();
  ~CKeywordsresTab() override;

  BOOL Create(CWnd* pTabWnd);

  // Lists the keyword hits under `heading` ("hasło: ..."), with the row count ("stron: ..."); a
  // single hit opens at once in the current text sheet.
  void ShowKeyword(const CString& heading);
  // Rebuilds the rows from the keyword hits, in their order.
  void FillRows();
  // Empties the rows, both labels and the keyword hits.
  void ClearList();
  // The topics of every hit as a new group; null without a work or hits.
  engine::GroupPtr BuildTopicGroup() const;

  // Makes "Indeksy" the active tab of "Nawigator", showing the bar first when it is hidden and
  // `bShowBar` asks for it; the tab, or null without the bar.
  static CKeywordsresTab* BringForward(bool bShowBar);
  // Clears the tab of the main window's "Nawigator" (the work closes).
  static void ClearMainList();

  int32_t TopicOfRow(int row) const override;

 protected:
  BOOL OnInitDialog() override;
  void FillList() override { FillRows(); }
  void BeginRowDrag(int row) override;
  CString GetPrintHeading() const override;
  // The topic the viewer reaches at address `address` of the library title.
  static int32_t TopicAtAddress(void* viewer, uint32_t address);

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnOpen();
  afx_msg void OnOpenNewSheet();
  afx_msg void OnLocate();
  afx_msg void OnAddBookmark();
  afx_msg void OnAddToPrintList();
  afx_msg void OnClear();
  afx_msg void OnIndexDialog(UINT nID);
  afx_msg void OnUpdateEntryCommand(CCmdUI* pCmdUI);
  afx_msg void OnUpdateListCommand(CCmdUI* pCmdUI);
  afx_msg void OnListOpen(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnSetFocus(CWnd* pOldWnd);

  DECLARE_MESSAGE_MAP()
};
