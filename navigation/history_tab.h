// CHistoryTab ("Historia" of "Nawigator"): the places the active sheet left, newest first, at
// most 50, with commands to open them again, find them in the library, bookmark them or put them
// on the print list, and to clear the sheet's history.
//
// The sheet's view owns its history (HistoryList, oldest first) and binds the tab to it when the
// sheet becomes active; the tab keeps no entries of its own. Each row names its entry, and every
// use of a row looks the entry up in the bound list first, so a row whose entry the view has
// dropped acts on nothing. The view calls InsertItem after it put a new place into its list (and
// trimmed it), and FillList after any other change of the list.
#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "engine/COMMON/topic_group.h"
#include "navigation/entry_list_tab.h"
#include "shell/work_items.h"

class CView;

using HistoryList = std::deque<std::unique_ptr<CMvHistoryItem>>;

class CHistoryTab : public CEntryListTab {
  DECLARE_DYNAMIC(CHistoryTab)

 public:
  // Rows the tab shows at most.
  static constexpr int kHistoryRows = 50;

  CHistoryTab();
  ~CHistoryTab() override;

  // Makes the tab inside the bar's tab window.
  BOOL Create(CWnd* pTabWnd);
  // Binds the tab to a sheet's view and its history (both null: none) and refills it.
  void Bind(CView* pView, HistoryList* pList);
  CView* GetBoundView() const { return m_pView; }
  HistoryList* GetBoundList() const { return m_pList; }

  // A new place `item` of the bound list, described by `description`: the rows are rebuilt with
  // it at the top, and the work is marked modified.
  void InsertItem(const shell::ActDescription& description, const CMvHistoryItem* item);
  // The rows from the bound list, newest first, numbered from 1; the sort is forgotten.
  void FillList() override;
  // The topics of the bound list as a group ("Lista - historia pracy"); null without a work or
  // with an empty list.
  engine::GroupPtr BuildGroup() const;

  // The entry a row shows, or null when the row's entry is no longer in the bound list.
  CMvHistoryItem* EntryOfRow(int row) const;
  // The entry last acted on (a copy the tab owns), or null.
  const CMvHistoryItem* GetWorkingItem() const { return m_pWorking.get(); }

 protected:
  BOOL OnInitDialog() override;
  void BeginRowDrag(int row) override;
  // Copies the selected row's entry into the working item; null without one.
  const CMvHistoryItem* TakeSelected();
  int32_t TopicOfRow(int row) const override;
  void Rebuild(const shell::ActDescription* known, const CMvHistoryItem* known_item);

  CString GetPrintHeading() const override;
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnOpen();
  afx_msg void OnOpenNewSheet();
  afx_msg void OnLocate();
  afx_msg void OnAddBookmark();
  afx_msg void OnAddToPrintList();
  afx_msg void OnClear();
  afx_msg void OnUpdateEntryCommand(CCmdUI* pCmdUI);
  afx_msg void OnUpdateClear(CCmdUI* pCmdUI);
  afx_msg void OnListOpen(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnListSetFocus(NMHDR* pNMHDR, LRESULT* pResult);

  CView* m_pView = nullptr;
  HistoryList* m_pList = nullptr;
  std::unique_ptr<CMvHistoryItem> m_pWorking;

  DECLARE_MESSAGE_MAP()
};
