#include "navigation/du_tab.h"

#include "navigation/act_dlg.h"
#include "navigation/nav_commands.h"
#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/framework/frame_wnd.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"

using namespace resources;

IMPLEMENT_DYNAMIC(CDUTab, CNavTab)

BEGIN_MESSAGE_MAP(CDUTab, CNavTab)
  ON_WM_SIZE()
  ON_WM_CONTEXTMENU()
  ON_WM_INITMENUPOPUP()
  ON_COMMAND(ID_ENTRY_OPEN, &CDUTab::OnOpen)
  ON_COMMAND(ID_ENTRY_OPEN_NEW_SHEET, &CDUTab::OnOpenNewSheet)
  ON_COMMAND(ID_ENTRY_ADD_BOOKMARK, &CDUTab::OnAddBookmark)
  ON_COMMAND(ID_TREE_ADD_BOOKMARK, &CDUTab::OnAddBookmark)
  ON_COMMAND(ID_ADD_SELECTED_TO_PRINT_LIST, &CDUTab::OnAddToPrintList)
  ON_COMMAND(ID_WORD_WRAP, &CDUTab::OnWordWrap)
  ON_COMMAND(ID_TREE_WORD_WRAP, &CDUTab::OnWordWrap)
  ON_COMMAND(ID_COLUMNS, &CDUTab::OnColumns)
  ON_COMMAND(ID_TREE_COLUMNS, &CDUTab::OnColumns)
  ON_COMMAND(ID_TREE_COLLAPSE_ALL, &CDUTab::OnCollapseAll)
  ON_COMMAND(ID_ENTRY_INFORMATION, &CDUTab::OnInformation)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_INFORMATION, &CDUTab::OnUpdateSelected)
  ON_CONTROL(CBN_SELCHANGE, IDC_LIBRARY_COMBO, &CDUTab::OnComboSelChange)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_OPEN, &CDUTab::OnUpdateSelected)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_OPEN_NEW_SHEET, &CDUTab::OnUpdateSelected)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_ADD_BOOKMARK, &CDUTab::OnUpdateSelected)
  ON_UPDATE_COMMAND_UI(ID_TREE_ADD_BOOKMARK, &CDUTab::OnUpdateSelected)
  ON_UPDATE_COMMAND_UI(ID_ADD_SELECTED_TO_PRINT_LIST, &CDUTab::OnUpdateSelected)
  ON_UPDATE_COMMAND_UI(ID_WORD_WRAP, &CDUTab::OnUpdateWordWrap)
  ON_UPDATE_COMMAND_UI(ID_TREE_WORD_WRAP, &CDUTab::OnUpdateWordWrap)
  ON_UPDATE_COMMAND_UI(ID_COLUMNS, &CDUTab::OnUpdateColumns)
  ON_UPDATE_COMMAND_UI(ID_TREE_COLUMNS, &CDUTab::OnUpdateColumns)
  ON_NOTIFY(NM_DBLCLK, IDC_LIBRARY_TREE, &CDUTab::OnTreeDblClk)
  ON_NOTIFY(NM_RETURN, IDC_LIBRARY_TREE, &CDUTab::OnTreeReturn)
  ON_NOTIFY(TVN_BEGINDRAG, IDC_LIBRARY_TREE, &CDUTab::OnTreeBeginDrag)
END_MESSAGE_MAP()

CDUTab::CDUTab() = default;
CDUTab::~CDUTab() { topicdrag::ForgetWindowToken(this); }

BOOL CDUTab::Create(CWnd* pTabWnd) { return CreateTab(IDD_LIBRARY_TAB, pTabWnd); }

BOOL CDUTab::OnInitDialog() {
  CNavTab::OnInitDialog();
  CreateTabToolBar(IDR_LIBRARY_TOOLBAR);
  if (auto* app = dynamic_cast<CLumoApp*>(AfxGetApp())) {
    const shell::ContentsIndexReader& catalog = app->GetCatalog();
    m_wndTree.SetIndex(&catalog, catalog.RecordCount());
  }
  m_wndTree.ReplaceTemplateItem(IDC_LIBRARY_TREE, this);
  if (m_wndCombo.SubclassDlgItem(IDC_LIBRARY_COMBO, this)) {
    m_wndCombo.AddString(CString(base::cp1250::from_utf8("Dzienniki Ustaw")));
    m_wndCombo.SetCurSel(0);
  }
  m_dropTarget.Register(this);
  return TRUE;
}

void CDUTab::OnSize(UINT nType, int cx, int cy) {
  CNavTab::OnSize(nType, cx, cy);
  if (!m_wndTree.m_hWnd || !m_wndCombo.m_hWnd) return;
  CRect client, tree, combo;
  GetClientRect(&client);
  m_wndTree.GetWindowRect(&tree);
  ScreenToClient(&tree);
  m_wndCombo.GetWindowRect(&combo);
  ScreenToClient(&combo);
  m_wndCombo.MoveWindow(110, combo.top, std::max(0, int(client.right) - 110), combo.Height());
  m_wndTree.MoveWindow(0, tree.top, client.Width(), std::max(0, int(client.bottom - tree.top)));
}

int32_t CDUTab::SelectedRecord() const {
  HTREEITEM item = m_wndTree.m_hWnd ? m_wndTree.GetSelectedItem() : nullptr;
  return item ? m_wndTree.RecordOf(item) : -1;
}

void CDUTab::OnUpdateSelected(CCmdUI* pCmdUI) { pCmdUI->Enable(SelectedRecord() >= 0); }

void CDUTab::OnInformation() { FollowInActInfoDialog(SelectedRecord(), true); }
void CDUTab::OnUpdateWordWrap(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndTree.GetWordWrap() ? 1 : 0); }
void CDUTab::OnUpdateColumns(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndTree.HasPositionColumn() ? 1 : 0); }

void CDUTab::OnOpen() {
  if (const int32_t record = SelectedRecord(); record >= 0) navcmd::OpenRecord(record, false);
}

void CDUTab::OnOpenNewSheet() {
  if (const int32_t record = SelectedRecord(); record >= 0) navcmd::OpenRecord(record, true);
}

void CDUTab::OnAddBookmark() {
  const int32_t record = SelectedRecord();
  if (record >= 0 && m_wndTree.GetRootItem()) navcmd::AddBookmarkFor(record);
}

void CDUTab::OnAddToPrintList() {
  const int32_t record = SelectedRecord();
  if (record >= 0 && m_wndTree.GetRootItem()) navcmd::AddRecordToPrintList(record);
}

void CDUTab::OnWordWrap() { m_wndTree.SetWordWrap(!m_wndTree.GetWordWrap()); }

void CDUTab::OnColumns() { m_wndTree.ToggleColumns(); }

void CDUTab::OnCollapseAll() { m_wndTree.CollapseAll(); }

void CDUTab::OnComboSelChange() { m_wndTree.SetFocus(); }

void CDUTab::OnTreeDblClk(NMHDR*, LRESULT* pResult) {
  CPoint point;
  ::GetCursorPos(&point);
  m_wndTree.ScreenToClient(&point);
  UINT flags = 0;
  HTREEITEM item = m_wndTree.HitTest(point.x, point.y, &flags);
  if (item && m_wndTree.RecordOf(item) > 0) navcmd::OpenRecord(m_wndTree.RecordOf(item), false);
  *pResult = 0;
}

void CDUTab::OnTreeReturn(NMHDR*, LRESULT* pResult) {
  OnOpen();
  *pResult = 0;
}

void CDUTab::OnTreeBeginDrag(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  HTREEITEM item = reinterpret_cast<NMTREEVIEW*>(pNMHDR)->itemNew.hItem;
  if (CLumoApp* app = LumoApp(); app && item) app->DragTopic(m_wndTree.RecordOf(item), this, topicdrag::kFromLibrary);
}

void CDUTab::OnContextMenu(CWnd*, CPoint point) {
  m_wndTree.HideItemTip();
  CMenu menu;
  if (!menu.LoadMenu(IDR_INDEXWND_MENU)) return;
  CMenu* popup = menu.GetSubMenu(0);
  if (!popup) return;
  if (point.x == -1 && point.y == -1) {
    CRect rect;
    m_wndTree.GetWindowRect(&rect);
    point = rect.CenterPoint();
  }
  navcmd::TrackTabMenu(popup, point, this);
}

void CDUTab::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
  if (!bSysMenu) framework::update_menu_popup(this, pPopupMenu, TRUE);
}
