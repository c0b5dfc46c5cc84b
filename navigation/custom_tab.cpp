#include "navigation/custom_tab.h"

#include <algorithm>
#include <cstdio>

#include "engine/medview/topic_list.h"
#include "navigation/act_dlg.h"
#include "navigation/custom_dlg.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/prompter.h"
#include "platform/win/virtual_keys.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/core/library_tree.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"

using namespace resources;

namespace binders {

std::string BinderTitleText(const std::string& text) {
  const size_t hash = text.find('#');
  const std::string after = hash == std::string::npos ? text : text.substr(hash + 1);
  if (text.find("DZIENNIK USTAW") != std::string::npos) return "D.U.  " + after;
  if (hash == std::string::npos || hash < 5) return after;
  return text.substr(0, 3) + "  " + after;
}

std::string BinderPositionText(const shell::ContentsRecord& record) {
  if (record.level == shell::kLevelAct && !record.attachment) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%d/poz %d", shell::ContentsFullYear(record), record.number);
    return buffer;
  }
  return shell::TreePositionText(record);
}

}  // namespace binders

namespace {

const char kYearPositionHeading[] = "Rok/Poz.";
constexpr int kYearPositionWidth = 70;
constexpr int kYearPositionWidthAgain = 50;
constexpr int kLabelLeft = 170;

CLumoApp* App() { return dynamic_cast<CLumoApp*>(AfxGetApp()); }

// Working copies are offered once per run, by the first binder tab made.
bool g_offered = false;

}  // namespace

// --- The tree -------------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CCustomTree, CDUTree)

BEGIN_MESSAGE_MAP(CCustomTree, CDUTree)
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CCustomTree::~CCustomTree() = default;

std::string CCustomTree::TitleText(int32_t, const shell::ContentsRecord&, const std::string& text) const {
  return binders::BinderTitleText(text);
}

std::string CCustomTree::PositionText(const shell::ContentsRecord& record) const {
  return binders::BinderPositionText(record);
}

const char* CCustomTree::PositionHeading() const { return kYearPositionHeading; }

int CCustomTree::PositionWidth(bool again) const { return again ? kYearPositionWidthAgain : kYearPositionWidth; }

void CCustomTree::LoadBinder(engine::TopicGroup* group) {
  DeleteAllItems();
  const shell::ContentsIndexReader* index = App() ? &App()->GetCatalog() : nullptr;
  if (!group || !index) return;
  BeginWaitCursor();
  const int32_t count = GetRecordCount();
  LoadProgress progress("Trwa ładowanie spisu treści...");
  for (int32_t i = 0, n = medview::MvGetGroupCount(group); i < n; ++i) {
    progress.Step(size_t(i), size_t(n));
    const int32_t r = medview::MvGetGroupItem(group, i);
    shell::ContentsRecord record;
    if (r < 0 || r >= count || !index->ReadRecord(r, record)) continue;
    if (record.level != shell::kLevelAct || record.attachment) continue;
    InsertRecordItem(TVI_ROOT, TVI_LAST, r, record, shell::CountDescendants(*index, r, count) > 0);
  }
  EndWaitCursor();
}

HTREEITEM CCustomTree::InsertAct(int32_t act) {
  const shell::ContentsIndexReader* index = App() ? &App()->GetCatalog() : nullptr;
  shell::ContentsRecord record;
  if (!index || !index->ReadRecord(act, record)) return nullptr;
  HTREEITEM after = TVI_FIRST;
  for (HTREEITEM item = GetRootItem(); item && RecordOf(item) < act; item = GetNextSiblingItem(item)) after = item;
  return InsertRecordItem(TVI_ROOT, after, act, record, shell::CountDescendants(*index, act, GetRecordCount()) > 0);
}

HTREEITEM CCustomTree::LocateRecord(int32_t record, HTREEITEM start) {
  // Along the siblings in record order; past the record (or at their end) into the last one
  // passed, one level at a time.
  HTREEITEM previous = start;
  HTREEITEM item = GetRootItem();
  for (int depth = 0; depth <= shell::kContentsLevels; ++depth) {
    while (item && RecordOf(item) < record) {
      previous = item;
      item = GetNextSiblingItem(item);
    }
    if (item && RecordOf(item) == record) {
      SelectItem(item);
      return item;
    }
    if (!previous) return nullptr;
    ExpandItem(previous, TVE_EXPAND);
    item = GetChildItem(previous);
    previous = nullptr;
  }
  return nullptr;
}

void CCustomTree::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (nFlags & MK_SHIFT) return;
  UINT flags = 0;
  HTREEITEM item = HitTest(point.x, point.y, &flags);
  if (!item) return;
  if (flags & (TVHT_ONITEMBUTTON | TVHT_ONITEMICON)) {
    ExpandItem(item, TVE_TOGGLE);
    return;
  }
  SelectItem(item);
  navcmd::OpenRecord(RecordOf(item), false);
}

// --- The tab ------------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CCustomTab, CNavTab)

BEGIN_MESSAGE_MAP(CCustomTab, CNavTab)
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_CONTEXTMENU()
  ON_WM_INITMENUPOPUP()
  ON_COMMAND(ID_BINDER_OPEN, &CCustomTab::OnBinderOpen)
  ON_COMMAND(ID_BINDER_CLOSE, &CCustomTab::OnBinderClose)
  ON_COMMAND(ID_BINDER_SAVE, &CCustomTab::OnBinderSave)
  ON_COMMAND(ID_BINDER_DELETE_ACT, &CCustomTab::OnDeleteAct)
  ON_COMMAND(ID_ENTRY_OPEN, &CCustomTab::OnOpen)
  ON_COMMAND(ID_ENTRY_OPEN_NEW_SHEET, &CCustomTab::OnOpenNewSheet)
  ON_COMMAND(ID_ENTRY_LOCATE_IN_LIBRARY, &CCustomTab::OnLocate)
  ON_COMMAND(ID_ENTRY_ADD_BOOKMARK, &CCustomTab::OnAddBookmark)
  ON_COMMAND(ID_TREE_ADD_BOOKMARK, &CCustomTab::OnAddBookmark)
  ON_COMMAND(ID_ADD_SELECTED_TO_PRINT_LIST, &CCustomTab::OnAddToPrintList)
  ON_COMMAND(ID_WORD_WRAP, &CCustomTab::OnWordWrap)
  ON_COMMAND(ID_TREE_WORD_WRAP, &CCustomTab::OnWordWrap)
  ON_COMMAND(ID_COLUMNS, &CCustomTab::OnColumns)
  ON_COMMAND(ID_TREE_COLUMNS, &CCustomTab::OnColumns)
  ON_COMMAND(ID_TREE_COLLAPSE_ALL, &CCustomTab::OnCollapseAll)
  ON_COMMAND(ID_ENTRY_INFORMATION, &CCustomTab::OnInformation)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_INFORMATION, &CCustomTab::OnUpdateSelected)
  ON_UPDATE_COMMAND_UI(ID_BINDER_CLOSE, &CCustomTab::OnUpdateBinderClose)
  ON_UPDATE_COMMAND_UI(ID_BINDER_SAVE, &CCustomTab::OnUpdateBinderSave)
  ON_UPDATE_COMMAND_UI(ID_BINDER_DELETE_ACT, &CCustomTab::OnUpdateDeleteAct)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_OPEN, &CCustomTab::OnUpdateSelected)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_OPEN_NEW_SHEET, &CCustomTab::OnUpdateSelected)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_LOCATE_IN_LIBRARY, &CCustomTab::OnUpdateSelected)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_ADD_BOOKMARK, &CCustomTab::OnUpdateSelected)
  ON_UPDATE_COMMAND_UI(ID_TREE_ADD_BOOKMARK, &CCustomTab::OnUpdateSelected)
  ON_UPDATE_COMMAND_UI(ID_ADD_SELECTED_TO_PRINT_LIST, &CCustomTab::OnUpdateSelected)
  ON_UPDATE_COMMAND_UI(ID_WORD_WRAP, &CCustomTab::OnUpdateWordWrap)
  ON_UPDATE_COMMAND_UI(ID_TREE_WORD_WRAP, &CCustomTab::OnUpdateWordWrap)
  ON_UPDATE_COMMAND_UI(ID_COLUMNS, &CCustomTab::OnUpdateColumns)
  ON_UPDATE_COMMAND_UI(ID_TREE_COLUMNS, &CCustomTab::OnUpdateColumns)
  ON_NOTIFY(NM_RETURN, IDC_BINDER_TREE, &CCustomTab::OnTreeReturn)
  ON_NOTIFY(TVN_KEYDOWN, IDC_BINDER_TREE, &CCustomTab::OnTreeKeyDown)
  ON_NOTIFY(TVN_BEGINDRAG, IDC_BINDER_TREE, &CCustomTab::OnTreeBeginDrag)
END_MESSAGE_MAP()

CCustomTab::CCustomTab() = default;
CCustomTab::~CCustomTab() { topicdrag::ForgetWindowToken(this); }

BOOL CCustomTab::Create(CWnd* pTabWnd) { return CreateTab(IDD_BINDER_TAB, pTabWnd); }

BOOL CCustomTab::OnInitDialog() {
  CNavTab::OnInitDialog();
  CreateTabToolBar(IDR_BINDER_TOOLBAR);
  if (CLumoApp* app = App()) {
    const shell::ContentsIndexReader& catalog = app->GetCatalog();
    m_wndTree.SetIndex(&catalog, catalog.RecordCount());
  }
  m_wndTree.ReplaceTemplateItem(IDC_BINDER_TREE, this);
  m_dropTarget.Register(this);
  if (m_session.Folder().empty()) m_session.SetFolders(binders::BinderFolder(), binders::FallbackFolder());
  if (!g_offered) {
    g_offered = true;
    OfferWorkingCopies();
  }
  ShowBinderName();
  return TRUE;
}

void CCustomTab::OnDestroy() {
  // The program ends or the bar goes: a dirty binder is stored and its working copy removed.
  if (const binders::BinderError error = m_session.Close(); error != binders::BinderError::None) ReportError(error);
  m_dropTarget.Revoke();
  CNavTab::OnDestroy();
}

void CCustomTab::OnSize(UINT nType, int cx, int cy) {
  CNavTab::OnSize(nType, cx, cy);
  if (!m_wndTree.m_hWnd) return;
  CRect client, tree;
  GetClientRect(&client);
  m_wndTree.GetWindowRect(&tree);
  ScreenToClient(&tree);
  m_wndTree.MoveWindow(0, tree.top, client.Width(), std::max(0, int(client.bottom - tree.top)));
  if (CWnd* label = GetDlgItem(int(IDC_BINDER_LABEL))) {
    CRect rect;
    label->GetWindowRect(&rect);
    ScreenToClient(&rect);
    label->MoveWindow(kLabelLeft, rect.top, rect.Width(), rect.Height());
  }
}

void CCustomTab::ShowBinderName() {
  const CString text = m_session.IsOpen() ? CString(m_session.Name())
                                          : CString(base::cp1250::from_utf8("(brak segregatora)"));
  SetDlgItemText(IDC_BINDER_LABEL, text);
}

void CCustomTab::RefreshShading() {
  if (CIndexWnd* lists = navcmd::FindIndexWnd()) lists->RefreshBinderShading();
}

void CCustomTab::ReportError(binders::BinderError error) {
  if (error == binders::BinderError::None) return;
  AfxMessageBox(CString(binders::ErrorMessage(error, m_session.Name())), MB_OK | MB_ICONEXCLAMATION);
}

void CCustomTab::OfferWorkingCopies() {
  const std::string& folder = m_session.Folder();
  for (const std::string& name : binders::ListWorkingCopies(folder)) {
    CString format;
    AfxLoadString(IDS_BINDER_UNSAVED, format);
    std::string text(format.GetString());
    if (const size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, name + binders::kBinderExtension);
    const bool keep = AfxMessageBox(CString(text), MB_YESNO | MB_ICONQUESTION) == IDYES;
    const binders::BinderError error =
        keep ? binders::RestoreWorkingCopy(folder, name) : binders::DiscardWorkingCopy(folder, name);
    if (error != binders::BinderError::None) {
      AfxMessageBox(CString(binders::ErrorMessage(error, name)), MB_OK | MB_ICONEXCLAMATION);
    }
  }
}

BOOL CCustomTab::OpenBinder(const CString& name) {
  BeginWaitCursor();
  const binders::BinderError error = m_session.Open(name.GetString());
  EndWaitCursor();
  if (error != binders::BinderError::None) {
    AfxMessageBox(CString(binders::ErrorMessage(error, name.GetString())), MB_OK | MB_ICONEXCLAMATION);
  }
  m_wndTree.LoadBinder(m_session.Group());
  ShowBinderName();
  RefreshShading();
  return error == binders::BinderError::None;
}

void CCustomTab::CloseBinder() {
  if (const binders::BinderError error = m_session.Close(); error != binders::BinderError::None) {
    ReportError(error);
    return;
  }
  m_wndTree.DeleteAllItems();
  ShowBinderName();
  RefreshShading();
}

BOOL CCustomTab::Save() {
  const binders::BinderError error = m_session.Save();
  ReportError(error);
  return error == binders::BinderError::None;
}

BOOL CCustomTab::AddAct(int32_t record) {
  CLumoApp* app = App();
  if (!app) return FALSE;
  BeginWaitCursor();
  binders::ActRange range;
  bool already = false;
  const binders::BinderError error =
      m_session.AddAct(app->GetCatalog(), m_wndTree.GetRecordCount(), record, &range, &already);
  EndWaitCursor();
  if (error != binders::BinderError::None && error != binders::BinderError::Io) {
    ReportError(error);
    return FALSE;
  }
  // The act is in the binder even when its working copy could not be written.
  if (!already) m_wndTree.InsertAct(range.act);
  ReportError(error);
  RefreshShading();
  return TRUE;
}

int32_t CCustomTab::SelectedRecord() const {
  HTREEITEM item = m_wndTree.m_hWnd ? m_wndTree.GetSelectedItem() : nullptr;
  return item && m_session.IsOpen() ? m_wndTree.RecordOf(item) : -1;
}

void CCustomTab::OnBinderOpen() {
  CCustomDlg dialog(m_session.Folder(), m_session.Fallback(), CString(m_session.Name()), this);
  const INT_PTR answer = dialog.DoModal();
  if (m_session.IsOpen()) {
    // The dialog may have renamed or deleted the open binder.
    if (dialog.m_strOpen.IsEmpty()) {
      m_session.Drop();
    } else if (dialog.m_strOpen.GetString() != m_session.Name()) {
      m_session.Renamed(dialog.m_strOpen.GetString());
    }
  }
  if (answer == IDOK && !dialog.m_strName.IsEmpty()) {
    OpenBinder(dialog.m_strName);
    return;
  }
  if (!m_session.IsOpen()) m_wndTree.DeleteAllItems();
  ShowBinderName();
  RefreshShading();
}

void CCustomTab::OnBinderClose() { CloseBinder(); }

void CCustomTab::OnBinderSave() { Save(); }

void CCustomTab::OnDeleteAct() {
  HTREEITEM item = m_wndTree.GetSelectedItem();
  CLumoApp* app = App();
  if (!item || m_wndTree.GetParentItem(item) || !m_session.IsOpen() || !app) return;
  if (AfxMessageBox(CString(base::cp1250::from_utf8("Czy chcesz usunąć zaznaczony akt?")), MB_YESNO | MB_ICONQUESTION) !=
      IDYES) {
    return;
  }
  binders::ActRange range;
  if (!binders::FindActRange(app->GetCatalog(), m_wndTree.RecordOf(item), m_wndTree.GetRecordCount(), range)) return;
  const binders::BinderError error = m_session.RemoveAct(range);
  m_wndTree.DeleteItem(item);
  ReportError(error);
  RefreshShading();
}

void CCustomTab::OnOpen() {
  if (const int32_t record = SelectedRecord(); record >= 0) navcmd::OpenRecord(record, false);
}

void CCustomTab::OnOpenNewSheet() {
  if (const int32_t record = SelectedRecord(); record >= 0) navcmd::OpenRecord(record, true);
}

void CCustomTab::OnLocate() {
  if (const int32_t record = SelectedRecord(); record >= 0) navcmd::LocateInLibrary(record);
}

void CCustomTab::OnInformation() { FollowInActInfoDialog(SelectedRecord(), true); }

void CCustomTab::OnAddBookmark() {
  if (const int32_t record = SelectedRecord(); record >= 0) navcmd::AddBookmarkFor(record);
}

void CCustomTab::OnAddToPrintList() {
  if (const int32_t record = SelectedRecord(); record >= 0) navcmd::AddRecordToPrintList(record);
}

void CCustomTab::OnWordWrap() { m_wndTree.SetWordWrap(!m_wndTree.GetWordWrap()); }
void CCustomTab::OnColumns() { m_wndTree.ToggleColumns(); }
void CCustomTab::OnCollapseAll() { m_wndTree.CollapseAll(); }

void CCustomTab::OnUpdateBinderClose(CCmdUI* pCmdUI) { pCmdUI->Enable(m_session.IsOpen()); }
void CCustomTab::OnUpdateBinderSave(CCmdUI* pCmdUI) { pCmdUI->Enable(m_session.IsDirty()); }
void CCustomTab::OnUpdateDeleteAct(CCmdUI* pCmdUI) {
  HTREEITEM item = m_wndTree.m_hWnd ? m_wndTree.GetSelectedItem() : nullptr;
  pCmdUI->Enable(item && !m_wndTree.GetParentItem(item) && m_session.IsOpen());
}
void CCustomTab::OnUpdateSelected(CCmdUI* pCmdUI) { pCmdUI->Enable(SelectedRecord() >= 0); }
void CCustomTab::OnUpdateWordWrap(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndTree.GetWordWrap() ? 1 : 0); }
void CCustomTab::OnUpdateColumns(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndTree.HasPositionColumn() ? 1 : 0); }

void CCustomTab::OnTreeReturn(NMHDR*, LRESULT* pResult) {
  OnOpen();
  *pResult = 0;
}

void CCustomTab::OnTreeKeyDown(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  if (reinterpret_cast<NMTVKEYDOWN*>(pNMHDR)->wVKey == VK_DELETE) OnDeleteAct();
}

void CCustomTab::OnTreeBeginDrag(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  HTREEITEM item = reinterpret_cast<NMTREEVIEW*>(pNMHDR)->itemNew.hItem;
  if (!item) item = m_wndTree.GetSelectedItem();
  CLumoApp* app = LumoApp();
  if (app && item && m_session.IsOpen()) app->DragTopic(m_wndTree.RecordOf(item), this, topicdrag::kFromBinder);
}

void CCustomTab::OnContextMenu(CWnd*, CPoint point) {
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
  popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CCustomTab::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
  if (!bSysMenu) framework::update_menu_popup(this, pPopupMenu, TRUE);
}

// --- The reading view's "Dodaj do se&gregatora" -----------------------------------------------------

namespace navcmd {

bool IsBinderOpen() {
  CIndexWnd* lists = FindIndexWnd();
  return lists && lists->GetBinderTab() && lists->GetBinderTab()->IsBinderOpen();
}

bool AddTopicToBinder(int32_t topic) {
  CIndexWnd* lists = FindIndexWnd();
  CCustomTab* tab = lists ? lists->GetBinderTab() : nullptr;
  if (!tab || !tab->IsBinderOpen() || topic < 0) return false;
  if (lists->GetActiveTab() != 1) lists->ActivateTab(1);
  return tab->AddAct(topic) != FALSE;
}

}  // namespace navcmd
