// The query scope: the lists a query may be limited to (scopelists), the modal sheet "Zakres" that
// shows one scope page, and the four pages: years and ranks (unions of the title's stored groups),
// signatory persons and positions (the topics of one keyword of the indexes "|p" and "|q").
#pragma once

#include <string>
#include <vector>

#include "controls/base/gs_property_page.h"
#include "controls/base/gs_property_sheet.h"
#include "controls/gs_list_ctrl.h"
#include "engine/COMMON/topic_group.h"
#include "engine/fts/index/word_wheel.h"
#include "engine/medview/topic_list.h"
#include "platform/controls/standard_controls.h"

namespace scopelists {

// Whether a binder is open in the binder tab.
bool HasBinder();
// The open binder's group (the binder keeps it), or null.
const engine::TopicGroup* BinderGroup();
// Whether the navigator list of `code` (0 history, 1 bookmarks, 2 index results, 3 search
// results, 4 print list) holds an item.
bool ListHasItems(int code);
// The topics of that list as a new group, or null.
engine::GroupPtr BuildListGroup(int code);
// Writes `group` to the group file `path` (created anew; left empty without a group). FALSE
// when it cannot be written.
bool WriteGroupFile(const std::string& path, const engine::TopicGroup* group);

}  // namespace scopelists

class CScopeSheet : public CGSPropertySheet {
  DECLARE_DYNAMIC(CScopeSheet)

 public:
  // A modal "Zakres" over `pOwner` with the one page.
  CScopeSheet(CWnd* pOwner, CPropertyPage* pPage);
  BOOL OnInitDialog() override;
};

// The year and rank pages: a multiple-selection list of the title's group records; the chosen
// groups are united.
class CScopeListPage : public CGSPropertyPage {
  DECLARE_DYNAMIC(CScopeListPage)

 public:
  ~CScopeListPage() override;
  // The union of the chosen groups (the caller takes it), or null.
  medview::TopicListHandle TakeList();
  const CString& GetChosenLabels() const { return m_strChosen; }
  CListBox& GetListBox() { return m_list; }
  void OnSelChange();

 protected:
  CScopeListPage(UINT nIDTemplate, UINT nIDList, UINT nIDChosen, UINT nIDCount, int first, int end);
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  CListBox m_list;
  medview::TopicListHandle m_pList = nullptr;
  CString m_strChosen;
  // The stored group name of each line.
  std::vector<std::string> m_groups;
  UINT m_nIDList, m_nIDChosen, m_nIDCount;
  int m_nFirst, m_nEnd;

  DECLARE_MESSAGE_MAP()
};

class CScopeDatePage : public CScopeListPage {
  DECLARE_DYNCREATE(CScopeDatePage)

 public:
  CScopeDatePage();
};

class CScopeRangePage : public CScopeListPage {
  DECLARE_DYNCREATE(CScopeRangePage)

 public:
  CScopeRangePage();
};

// The person and position pages: the keywords of one keyword index in a virtual list; the chosen
// keyword's topics (those that begin an act or a part of one) form the page's group.
class CScopeKeywordPage : public CGSPropertyPage {
  DECLARE_DYNAMIC(CScopeKeywordPage)

 public:
  ~CScopeKeywordPage() override;
  engine::GroupPtr TakeGroup() { return std::move(m_pGroup); }
  const CString& GetChosenName() const { return m_strChosen; }
  CGSListCtrl& GetList() { return m_list; }
  // The chosen row changed: the group is built from its keyword.
  void OnItemChanged();

 protected:
  CScopeKeywordPage(UINT nIDTemplate, UINT nIDList, UINT nIDChosen, UINT nIDCount, const char* index);
  BOOL OnInitDialog() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);

  CGSListCtrl m_list;
  fts::WordWheelHandle m_hIndex = nullptr;
  engine::GroupPtr m_pGroup;
  CString m_strChosen;
  std::string m_cell;
  UINT m_nIDList, m_nIDChosen, m_nIDCount;
  const char* m_pszIndex;

  DECLARE_MESSAGE_MAP()
};

class CScopePersonPage : public CScopeKeywordPage {
  DECLARE_DYNCREATE(CScopePersonPage)

 public:
  CScopePersonPage();
};

class CScopePositionPage : public CScopeKeywordPage {
  DECLARE_DYNCREATE(CScopePositionPage)

 public:
  CScopePositionPage();
};
