// CBookmarkTab ("Zakładki" of "Nawigator"): the work's bookmarks in the order of adding, numbered
// from 1, with commands to open them, step through them, find them in the library, delete them
// (after a question) and put them on the print list. Bookmarks come from the "Nowa zakładka"
// dialog or directly for a catalogue record (AddBookmark).
//
// The work owns the bookmarks; each row names its bookmark, and every command looks it up in the
// work's list, so the commands act on the bookmark a row shows whatever order the rows are sorted
// in.
#pragma once

#include <memory>

#include "engine/COMMON/topic_group.h"
#include "navigation/entry_list_tab.h"
#include "navigation/topic_ole.h"
#include "shell/work_items.h"

class CBookmarkTab : public CEntryListTab {
  DECLARE_DYNAMIC(CBookmarkTab)

 public:
  CBookmarkTab();
  ~CBookmarkTab() override;

  BOOL Create(CWnd* pTabWnd);

  // Adds a bookmark of a catalogue record, named after its title; nothing without a work.
  void AddBookmark(int32_t topic);
  // Appends the row of `bookmark` (a bookmark of the work, described by `description`); the
  // title column shows `name`, or the record's title when it is empty. Marks the work modified.
  void InsertRow(const shell::ActDescription& description, const CString& name, const CMvBookmarkItem* bookmark);
  // The rows from the work's bookmarks in their order; the sort is forgotten.
  void FillList() override;
  // Deletes every bookmark of the work and every row (the work closes).
  void RemoveAll();
  // The bookmarks' topics as a group ("Lista - zakładki użytkownika"); null without a work or
  // bookmarks.
  engine::GroupPtr BuildGroup() const;

  // The bookmark a row shows (null when the work has it no more) and its place in the work's list.
  CMvBookmarkItem* BookmarkOfRow(int row, size_t* index = nullptr) const;
  // Deletes the selected row's bookmark after asking; whether it was deleted.
  BOOL DeleteSelected();

 protected:
  BOOL OnInitDialog() override;
  // The bookmark's own drag: the row's bookmark becomes the working item and its topic is dragged.
  void BeginRowDrag(int row) override;
  // Records dropped from the trees and the sheets become bookmarks.
  CTopicOleDropTarget m_dropTarget;
  const CMvBookmarkItem* TakeSelected();
  int32_t TopicOfRow(int row) const override;
  void UpdateCount();
  // Selects row `row` and opens its bookmark.
  void OpenRow(int row);

  CString GetPrintHeading() const override;
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnOpen();
  afx_msg void OnOpenNewSheet();
  afx_msg void OnLocate();
  afx_msg void OnDelete();
  afx_msg void OnNext();
  afx_msg void OnPrevious();
  afx_msg void OnAddToPrintList();
  afx_msg void OnUpdateEntryCommand(CCmdUI* pCmdUI);
  afx_msg void OnUpdateNext(CCmdUI* pCmdUI);
  afx_msg void OnUpdatePrevious(CCmdUI* pCmdUI);
  afx_msg void OnListOpen(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnListSetFocus(NMHDR* pNMHDR, LRESULT* pResult);
  // "Co to jest?...": the main window's context-help mode.
  afx_msg void OnContextHelp();

  std::unique_ptr<CMvBookmarkItem> m_pWorking;

  DECLARE_MESSAGE_MAP()
};
