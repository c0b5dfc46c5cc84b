// CSearchresTab ("Rezultaty" of "Nawigator"): the topics of the current full-text result list,
// described on demand (a virtual list), with commands to open them, find them in the library,
// bookmark them, put them on the print list, clear the list and sort it by any column.
//
// The current result list is the one the work holds for highlighting found words
// (CLumoKALDoc::SetResultListHits); whoever replaces it calls ShowResultList, which forgets the
// sort. CSortableDWordArray is the sort order of that list: the topics, each with its key for
// the sorted column computed once, in a stable natural order.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "controls/gs_list_ctrl.h"
#include "engine/COMMON/topic_group.h"
#include "engine/medview/topic_list.h"
#include "navigation/nav_tab.h"
#include "platform/base/collections.h"
#include "shell/core/contents_reader.h"

class CLumoKALDoc;

class CSortableDWordArray : public CDWordArray {
 public:
  // Element i is item i of `list`.
  CSortableDWordArray(medview::TopicListHandle list, CLumoKALDoc* work);
  // Sorts by column `column` with kind `kind` (1 topic numbers, 2 texts in natural order, 3
  // dates); a clear ascending flag leaves the order (descending is read backwards).
  void Sort(BOOL bAscending, int kind, int column);

  // The key text of a topic in a column, as the sort sees it (columns 1, 2 and 4); and its date
  // as a day count (column 3), -1 without a date.
  static std::string KeyText(CLumoKALDoc* work, int32_t topic, int column, shell::ActDescription& d);
  static int32_t KeyDate(CLumoKALDoc* work, int32_t topic, shell::ActDescription& d);

 private:
  medview::TopicListHandle m_list;
  CLumoKALDoc* m_pWork;
};

class CSearchresTab : public CNavTab {
  DECLARE_DYNAMIC(CSearchresTab)

 public:
  CSearchresTab();
  ~CSearchresTab() override;

  BOOL Create(CWnd* pTabWnd);
  CGSListCtrl& GetList() { return m_list; }

  // The list now shows `list` (the work's current result list), unsorted, with the count label
  // and `query` in the query label.
  void ShowResultList(medview::TopicListHandle list, const CString& query);
  // "(stron: n)" with the list's item count; then the query page's list scopes are refreshed.
  void UpdateCountLabel();
  // "<text>", with "<*>" after the first "<" when marked.
  void SetQueryLabel(const CString& text, BOOL bMark);
  // Empties the list, frees the result list and its found words, forgets the sort.
  void ClearList();
  // Every topic of the current result list as a new group; null without one.
  engine::GroupPtr BuildTopicGroup() const;
  // Forgets the sort order (a new result list is shown in the engine's order).
  void ForgetSort();
  // A header click: ascending, descending, then the engine's order again.
  void SortByColumn(int column);

  // The topic a row shows through the sort order; -1 for none.
  int32_t TopicOfRow(int row) const;
  // The texts of a row as the list shows them.
  std::string RowText(int row, int column);
  int GetSortColumn() const { return m_nSortColumn; }
  BOOL IsSortAscending() const { return m_bAscending; }
  int32_t GetSelectedTopic() const { return m_nSelectedTopic; }
  int GetSelectedRow() const;
  void SelectRow(int row);

  // The current result list (the work's), or null.
  static medview::TopicListHandle CurrentResultList();

 protected:
  BOOL OnInitDialog() override;
  // The selected row's topic becomes the selected topic; -1 without one.
  int32_t TakeSelected();

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnDestroy();
  afx_msg void OnOpen();
  afx_msg void OnOpenNewSheet();
  afx_msg void OnLocate();
  afx_msg void OnAddBookmark();
  afx_msg void OnAddToPrintList();
  afx_msg void OnClear();
  afx_msg void OnFindInAct();
  // "Drukuj listę": the rows as the list shows them, with the print settings' page furniture.
  afx_msg void OnPrintList();
  // "Informacja": the act information window (made on first use) shows the selected row's act on
  // its first tab; with no row selected a visible window shows record 0.
  afx_msg void OnInformation();
  // A row dragged out: a topic drag of the row's topic, from the search results.
  afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnUpdateEntryCommand(CCmdUI* pCmdUI);
  afx_msg void OnUpdateListCommand(CCmdUI* pCmdUI);
  afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnListOpen(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);

  CGSListCtrl m_list;
  shell::ActDescription m_description;
  std::unique_ptr<CSortableDWordArray> m_pSortOrder;
  int32_t m_nSelectedTopic = -1;
  int m_nSortColumn = -1;
  BOOL m_bAscending = TRUE;
  std::string m_cell;
  CString m_strHidden;

  DECLARE_MESSAGE_MAP()
};
