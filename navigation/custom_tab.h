// The "Segregator" tab of "Spisy": the open binder as a tree of acts (CCustomTree) under a
// toolbar and the binder's name. Acts come in by dropping them on the tab or from the reading
// view; the tab opens, closes and saves binders through a BinderSession, offers working copies
// left by an unclean end at its first start, and shades the acts outside the binder in every sheet.
#pragma once

#include <cstdint>
#include <string>

#include "navigation/binder_store.h"
#include "navigation/du_tree.h"
#include "navigation/nav_tab.h"
#include "navigation/topic_ole.h"

namespace binders {

// The title text an item shows: the text after the first '#', after "D.U.  " when the text holds
// "DZIENNIK USTAW"; the first three characters and two blanks before it when the '#' comes later
// than the fifth character; the whole text without a '#'.
std::string BinderTitleText(const std::string& text);
// Column "Rok/Poz.": "%d/poz %d" (full year, position) for an act, "zał. %d" or "zał." for an
// attachment, else empty (CP1250).
std::string BinderPositionText(const shell::ContentsRecord& record);

}  // namespace binders

class CCustomTree : public CDUTree {
  DECLARE_DYNAMIC(CCustomTree)

 public:
  CCustomTree() = default;
  ~CCustomTree() override;

  // The top level: the acts of the group, in record order, each with its expand button when it
  // has parts; the levels below come from the contents index as in the library tree.
  void LoadBinder(engine::TopicGroup* group);
  // Finds and selects the record's item: along the siblings in record order, into the last one
  // before the record, level by level (loading children); null when the binder lacks it.
  HTREEITEM LocateRecord(int32_t record, HTREEITEM start = nullptr);
  // The top-level item of an act just added, placed in record order.
  HTREEITEM InsertAct(int32_t act);

 protected:
  std::string TitleText(int32_t number, const shell::ContentsRecord& record, const std::string& text) const override;
  std::string PositionText(const shell::ContentsRecord& record) const override;
  const char* PositionHeading() const override;
  int PositionWidth(bool again) const override;

  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};

class CCustomTab : public CNavTab {
  DECLARE_DYNAMIC(CCustomTab)

 public:
  CCustomTab();
  ~CCustomTab() override;

  BOOL Create(CWnd* pTabWnd);
  CCustomTree& GetTree() { return m_wndTree; }
  binders::BinderSession& GetSession() { return m_session; }

  // The open binder's group (null when none): the query scope and the sheets' shading read it.
  engine::TopicGroup* GetBinderGroup() const { return m_session.Group(); }
  BOOL IsBinderOpen() const { return m_session.IsOpen(); }
  // Adds the act holding the record, with its whole subtree; FALSE (after telling the user) when
  // no binder is open or the act cannot be added.
  BOOL AddAct(int32_t record);
  // Stores the binder; FALSE after telling the user when that failed.
  BOOL Save();
  // Opens binder `name` (the "Segregatory" dialog's choice) and shows it.
  BOOL OpenBinder(const CString& name);
  // Closes the binder, storing it when dirty.
  void CloseBinder();
  // The working copies an unclean end left: each is offered for saving once per run.
  void OfferWorkingCopies();
  // The selected item's record, or -1.
  int32_t SelectedRecord() const;

 protected:
  BOOL OnInitDialog() override;
  void ShowBinderName();
  void RefreshShading();
  void ReportError(binders::BinderError error);

  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnBinderOpen();
  afx_msg void OnBinderClose();
  afx_msg void OnBinderSave();
  afx_msg void OnDeleteAct();
  afx_msg void OnOpen();
  afx_msg void OnOpenNewSheet();
  afx_msg void OnLocate();
  // "Informacja": the selected act into the act information window while it is visible.
  afx_msg void OnInformation();
  afx_msg void OnAddBookmark();
  afx_msg void OnAddToPrintList();
  afx_msg void OnWordWrap();
  afx_msg void OnColumns();
  afx_msg void OnCollapseAll();
  afx_msg void OnUpdateBinderClose(CCmdUI* pCmdUI);
  afx_msg void OnUpdateBinderSave(CCmdUI* pCmdUI);
  afx_msg void OnUpdateDeleteAct(CCmdUI* pCmdUI);
  afx_msg void OnUpdateSelected(CCmdUI* pCmdUI);
  afx_msg void OnUpdateWordWrap(CCmdUI* pCmdUI);
  afx_msg void OnUpdateColumns(CCmdUI* pCmdUI);
  afx_msg void OnTreeReturn(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnTreeKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnTreeBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);

  CCustomTree m_wndTree;
  CTopicOleDropTarget m_dropTarget;
  binders::BinderSession m_session;

  DECLARE_MESSAGE_MAP()
};
