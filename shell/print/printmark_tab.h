// The print list's tab dialog: the rows of the places collected for printing (each place adds the
// row of its act, or of its act and the act's editorial units), made hidden inside the
// "Nawigator" bar. Its rows open, locate and bookmark their entries; "Drukuj listę" prints every
// place of the list in one job.
#pragma once

#include <vector>

#include "engine/medview/topic_list.h"
#include "navigation/entry_list_tab.h"
#include "shell/core/contents_reader.h"

class CPrintmarkTab : public CEntryListTab {
  DECLARE_DYNAMIC(CPrintmarkTab)

 public:
  // Row modes: the visible unit (one row) and the whole act (the act and its units).
  static constexpr int kVisibleUnit = 2;
  static constexpr int kWholeAct = 3;

  CPrintmarkTab();
  ~CPrintmarkTab() override;

  BOOL Create(CWnd* pTabWnd);
  // Adds the rows of one place: mode 2, or a journal issue or yearbook, one row for `d`; mode 3 the
  // act's row, then one row for each following record of the act's units (below level 7), up to
  // the end of the contents index.
  void AddRows(const shell::ActDescription& d, int mode);
  // The topics of the list's places as a new group (null when the list is empty).
  engine::GroupPtr BuildTopicGroup() const;
  // The catalogue record a row shows, or -1.
  int32_t TopicOfRow(int row) const override;
  // Forgets every row (the work closed or a new one opened).
  void RemoveAll();

 protected:
  BOOL OnInitDialog() override;
  void FillList() override;
  // A row dragged out: a topic drag of its record, from the print list.
  void BeginRowDrag(int row) override;
  void OnOK() override {}
  void OnCancel() override {}

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnOpen();
  afx_msg void OnLocate();
  afx_msg void OnAddBookmark();
  afx_msg void OnPrintList();
  afx_msg void OnUpdateRowCommand(CCmdUI* pCmdUI);
  afx_msg void OnUpdatePrintList(CCmdUI* pCmdUI);
  afx_msg void OnUpdateInformation(CCmdUI* pCmdUI);
  afx_msg void OnListOpen(NMHDR* pNMHDR, LRESULT* pResult);

 private:
  void PutRecord(int32_t record);
  // The records shown, in the order they were added.
  std::vector<int32_t> m_records;

  DECLARE_MESSAGE_MAP()
};
