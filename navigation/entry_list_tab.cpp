#include "navigation/entry_list_tab.h"

#include "navigation/act_dlg.h"
#include "navigation/nav_commands.h"
#include "navigation/sort_class.h"
#include "platform/base/cp1250.h"
#include "platform/framework/frame_wnd.h"
#include "resources/resource_ids.h"
#include "shell/lumo_kal_doc.h"
#include "shell/print/list_print_job.h"

IMPLEMENT_DYNAMIC(CEntryListTab, CNavTab)

BEGIN_MESSAGE_MAP(CEntryListTab, CNavTab)
  ON_COMMAND(resources::ID_PRINT_ENTRY_LIST, &CEntryListTab::OnPrintList)
  ON_UPDATE_COMMAND_UI(resources::ID_PRINT_ENTRY_LIST, &CEntryListTab::OnUpdatePrintList)
  ON_NOTIFY_RANGE(LVN_COLUMNCLICK, 0, 0xFFFF, &CEntryListTab::OnColumnClick)
  ON_NOTIFY_RANGE(LVN_BEGINDRAG, 0, 0xFFFF, &CEntryListTab::OnListBeginDrag)
  ON_NOTIFY_RANGE(NM_CLICK, 0, 0xFFFF, &CEntryListTab::OnListClick)
  ON_NOTIFY_RANGE(LVN_ITEMCHANGED, 0, 0xFFFF, &CEntryListTab::OnListItemChanged)
  ON_COMMAND(resources::ID_ENTRY_INFORMATION, &CEntryListTab::OnInformation)
  ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

namespace {

struct Column {
  const char* utf8;
  int format;
  int width;
};
constexpr Column kColumns[] = {
    {"LP.", LVCFMT_RIGHT, 23}, {"ROK/POZ", LVCFMT_LEFT, 70}, {"RANGA", LVCFMT_LEFT, 50},
    {"DATA", LVCFMT_LEFT, 57}, {"TYTUŁ", LVCFMT_LEFT, 10},
};

}  // namespace

BOOL CEntryListTab::InitList(UINT nIDList) {
  if (!m_list.SubclassDlgItem(nIDList, this)) return FALSE;
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  int index = 0;
  for (const Column& column : kColumns) {
    m_list.InsertColumn(index++, CString(base::cp1250::from_utf8(column.utf8)), column.format, column.width);
  }
  return TRUE;
}

int CEntryListTab::PutRow(int row, int number, const navtext::EntryTexts& texts, const std::string& title,
                             DWORD_PTR data) {
  const int at = m_list.InsertItem(row, CString(std::to_string(number)));
  if (at < 0) return at;
  m_list.SetItemText(at, 1, CString(texts.address));
  m_list.SetItemText(at, 2, CString(texts.rank));
  m_list.SetItemText(at, 3, CString(texts.date));
  m_list.SetItemText(at, 4, CString(title));
  m_list.SetItemData(at, data);
  return at;
}

int CEntryListTab::GetSelectedRow() const { return m_list.m_hWnd ? m_list.GetNextItem(-1, LVNI_SELECTED) : -1; }

void CEntryListTab::SelectRow(int row) {
  if (row < 0 || row >= m_list.GetItemCount()) return;
  m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  m_list.EnsureVisible(row, FALSE);
}

std::string CEntryListTab::RowText(int row, int column) const {
  return static_cast<LPCTSTR>(m_list.GetItemText(row, column));
}

void CEntryListTab::LayoutList(UINT nIDLabel, int labelX) {
  if (!m_list.m_hWnd) return;
  FitList(m_list);
  if (CWnd* label = GetDlgItem(int(nIDLabel))) {
    CRect rect;
    label->GetWindowRect(&rect);
    ScreenToClient(&rect);
    label->MoveWindow(labelX, rect.top, rect.Width(), rect.Height());
  }
}

void CEntryListTab::SortByColumn(int column) {
  const navsort::SortState next =
      navsort::NextSortState({m_list.m_nSortColumn, m_list.m_bSortAscending != 0}, column);
  BeginWaitCursor();
  if (next.column < 0) {
    FillList();
  } else {
    CSortClass sort(&m_list, next.column);
    sort.Sort(next.ascending, navsort::KindForColumn(next.column));
  }
  m_list.m_nSortColumn = next.column;
  m_list.m_bSortAscending = next.ascending;
  EndWaitCursor();
}

void CEntryListTab::OnColumnClick(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  SortByColumn(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
  *pResult = 0;
}

void CEntryListTab::TrackTabMenu(UINT nIDMenu, int nPopup, CPoint point) {
  CMenu menu;
  if (!menu.LoadMenu(nIDMenu)) return;
  CMenu* popup = menu.GetSubMenu(nPopup);
  if (!popup) return;
  if (point.x == -1 && point.y == -1) {
    CRect rect;
    m_list.GetWindowRect(&rect);
    point = rect.CenterPoint();
  }
  navcmd::TrackTabMenu(popup, point, this);
}

void CEntryListTab::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
  if (!bSysMenu) framework::update_menu_popup(this, pPopupMenu, TRUE);
}

BOOL CEntryListTab::PrintRows() { return PrintListRows(m_list, GetPrintHeading()); }

void CEntryListTab::OnPrintList() { PrintRows(); }

void CEntryListTab::OnUpdatePrintList(CCmdUI* pCmdUI) {
  pCmdUI->Enable(CLumoKALDoc::GetCurrentWork() && m_list.m_hWnd && m_list.GetItemCount() > 0);
}

void CEntryListTab::BeginRowDrag(int) {}

void CEntryListTab::OnListBeginDrag(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  const int row = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iItem;
  if (row >= 0 && row < m_list.GetItemCount()) BeginRowDrag(row);
}

void CEntryListTab::ShowSelectedInActInfo(BOOL bFirstTab) {
  FollowInActInfoDialog(TopicOfRow(GetSelectedRow()), bFirstTab);
}

void CEntryListTab::OnInformation() { ShowSelectedInActInfo(TRUE); }

void CEntryListTab::OnListClick(UINT, NMHDR*, LRESULT* pResult) {
  ShowSelectedInActInfo(FALSE);
  *pResult = 0;
}

void CEntryListTab::OnListItemChanged(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  const auto* change = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
  constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;
  if ((change->uChanged & LVIF_STATE) && (change->uNewState & kBoth) == kBoth && (change->uOldState & kBoth) != kBoth) {
    ShowSelectedInActInfo(FALSE);
  }
  *pResult = 0;
}
