// CEntryListTab: a navigator tab with a toolbar above a report list of catalogue entries in the
// five columns "LP.", "ROK/POZ", "RANGA", "DATA" and "TYTUŁ" (the history and bookmarks tabs).
// Each row's item data names the entry it shows; the derived tab says what that is. Clicking a
// column header sorts by it, ascending, then descending, then back to the tab's own order.
#pragma once

#include <string>

#include "controls/gs_list_ctrl.h"
#include "navigation/entry_texts.h"
#include "navigation/nav_tab.h"

class CEntryListTab : public CNavTab {
  DECLARE_DYNAMIC(CEntryListTab)

 public:
  CGSListCtrl& GetList() { return m_list; }
  // The selected row, or -1.
  int GetSelectedRow() const;
  // Selects and focuses a row and scrolls it into view.
  void SelectRow(int row);
  // The row texts of one entry, as shown.
  std::string RowText(int row, int column) const;
  // "Drukuj listę": the rows as a table under the tab's heading; false when nothing was printed.
  BOOL PrintRows();

 protected:
  // Makes the template's list `nIDList` a full-row report list with the five columns.
  BOOL InitList(UINT nIDList);
  // Inserts a row at `row` numbered `number` with the entry's texts and item data.
  int PutRow(int row, int number, const navtext::EntryTexts& texts, const std::string& title, DWORD_PTR data);
  // Puts the list below the toolbar and under the rest of the tab, and `label` at x with its own
  // size and height; the last column fills the list.
  void LayoutList(UINT nIDLabel, int labelX);
  // The tab's own order (its fill); a header click with the sort state back at no column calls it.
  virtual void FillList() = 0;
  // A header click on column `column`.
  void SortByColumn(int column);
  // A context menu: pop-up `nPopup` of menu `nIDMenu` at the screen point (the list's middle for
  // one from the keyboard), commands to this tab.
  void TrackTabMenu(UINT nIDMenu, int nPopup, CPoint point);

  // The heading a printout of the rows starts with.
  virtual CString GetPrintHeading() const { return CString(); }
  // A row is dragged out of the list; the derived tab starts the topic drag.
  virtual void BeginRowDrag(int row);
  // The catalogue record a row's entry shows, or -1 when the row names no entry.
  virtual int32_t TopicOfRow(int row) const = 0;
  // While the act information window is visible: it shows the selected row's record (none: record
  // 0, which changes nothing); with `bFirstTab` on its first tab.
  void ShowSelectedInActInfo(BOOL bFirstTab);

  afx_msg void OnColumnClick(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnPrintList();
  afx_msg void OnUpdatePrintList(CCmdUI* pCmdUI);
  afx_msg void OnListBeginDrag(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  // "Informacja": into the act information window when it is visible.
  afx_msg void OnInformation();
  // A click, or a change to a row both selected and focused: the act information window follows.
  afx_msg void OnListClick(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnListItemChanged(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);

  CGSListCtrl m_list;

  DECLARE_MESSAGE_MAP()
};
