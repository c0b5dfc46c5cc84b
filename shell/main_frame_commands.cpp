// The main frame's commands: the bars and navigator tabs, the act information window, the link
// display switches and colours, bookmarks and the print list of the active sheet, the toolbar query
// box with its history and library query, the type-ahead go-to, the toolbars dialog, the customize
// sheet and the user tools.
#include <algorithm>
#include <memory>
#include <string>

#include "controls/gs_toolbar_sheet.h"
#include "engine/medview/topic_list.h"
#include "engine/frame/topic_layout.h"
#include "navigation/act_dlg.h"
#include "navigation/du_tree.h"
#include "navigation/gtf_sheet.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "navigation/query_rules.h"
#include "navigation/searchres_tab.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "platform/framework/menu.h"
#include "platform/framework/prompter.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/main_frame.h"
#include "shell/mouse_page.h"
#include "shell/print/printmark_tab.h"
#include "shell/view/lumo_kal_view.h"
#include "toolkit/widgets/hover_combo.h"
#include "toolkit/widgets/tool_list_page.h"
#include "toolkit/widgets/toolbar_checklist.h"
#include "toolkit/widgets/toolbar_sheet.h"
#include "toolkit/widgets/wnd_button.h"

namespace {

CString Polish(const char* utf8) { return CString(base::cp1250::from_utf8(utf8)); }

// A text field has the focus (an edit, a combo box's edit, a rich edit): keys typed there are its.
bool FocusInTextField() {
  HWND focus = ::GetFocus();
  return focus && (::SendMessage(focus, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0;
}

// The keys of the type-ahead: digits and the separators of year, number and position (a blank, a
// full stop or a slash, from either keyboard), kept in the text as blanks.
constexpr size_t kTypeAheadLimit = 32;

bool IsTypeAheadKey(char c) { return (c >= '0' && c <= '9') || c == ' ' || c == '.' || c == '/'; }

// The address the type-ahead's text goes to, as the query box shows it ("DU 1997.0123.0045");
// empty without a text sheet.
CString TypedAddressText(const std::string& typed) {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  CLumoKALView* view = work ? work->GetCurrentTextView() : nullptr;
  if (!view) return CString();
  std::string context = view->MakeAddressContext(CString(typed), FALSE);
  if (context.rfind("DU.", 0) == 0) context[2] = ' ';
  return CString(context);
}

// The command page's categories: the commands that have a button image, by the menu they belong
// to.
struct Category {
  const char* utf8_name;
  std::initializer_list<UINT> commands;
};
const Category kCategories[] = {
    {"Plik", {resources::ID_FILE_PRINT}},
    {"Edycja", {resources::ID_EDIT_COPY, resources::ID_EDIT_UNDO}},
    {"Widok - tekst",
     {resources::ID_PREVIOUS_PAGE, resources::ID_NEXT_PAGE, resources::ID_NEXT_FOUND, resources::ID_HIGHLIGHT_FOUND,
      resources::ID_SHOW_LINKS, resources::ID_LOCATE_IN_LIBRARY, resources::ID_VIEW_NAVIGATOR_BAR,
      resources::ID_VIEW_CONTENTS_BAR, resources::ID_FULL_SCREEN, resources::ID_ALWAYS_ON_TOP}},
    {"Widok - formularz", {resources::ID_ZOOM_MODE, resources::ID_PAN_MODE, resources::ID_RULER_MODE}},
    {"Zakładki", {resources::ID_INSERT_BOOKMARK, resources::ID_BOOKMARK_LIST, resources::ID_HISTORY}},
    {"Narzędzia", {resources::ID_QUERY, resources::ID_SEARCH_RESULTS, resources::ID_ACT_INFORMATION}},
    {"Indeks", {resources::ID_SUBJECT_INDEX, resources::ID_TITLES_INDEX, resources::ID_SIGNATORIES_INDEX}},
    {"Pomoc", {resources::ID_CONTEXT_HELP}},
};

// The link kinds' highlight switches and colours in the settings, by command.
int32_t& LinkHighlight(CUserData& settings, UINT nID) {
  switch (nID) {
    case resources::ID_LINKS_POSITION: return settings.m_bHighlightPoz;
    case resources::ID_LINKS_ARTICLE: return settings.m_bHighlightArt;
    case resources::ID_LINKS_INNER_ARTICLE: return settings.m_bHighlightArtW;
    default: return settings.m_bHighlightDU;
  }
}
uint32_t& LinkColour(CUserData& settings, int field) {
  switch (field) {
    case 19: return settings.m_crLinkPoz;
    case 20: return settings.m_crLinkArt;
    case 21: return settings.m_crLinkArtW;
    default: return settings.m_crLinkDU;
  }
}

// The print list's own window: a tool window over the main window that holds the print list's
// dialog while it is open and gives it back to the navigator when it goes.
class CPrintListWnd : public CWnd {
 public:
  BOOL Make(CWnd* owner, CWnd* list) {
    m_pList = list;
    m_hHome = ::GetParent(list->m_hWnd);
    CString caption;
    if (!AfxLoadString(resources::IDS_PRINT_LIST_WINDOW, caption)) caption = Polish("Lista do wydruku");
    CRect frame;
    owner->GetWindowRect(&frame);
    const CRect place(frame.left + 80, frame.top + 120, frame.left + 80 + 520, frame.top + 120 + 300);
    static const char* cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                                 HBRUSH(::GetStockObject(LTGRAY_BRUSH)), nullptr);
    if (!CreateEx(WS_EX_TOOLWINDOW, cls, caption, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, place, owner,
                  0)) {
      return FALSE;
    }
    list->SetParent(this);
    PlaceList();
    list->ShowWindow(SW_SHOW);
    return TRUE;
  }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_SIZE: PlaceList(); break;
      case WM_CLOSE: ShowWindow(SW_HIDE); return 0;
      case WM_DESTROY: GiveBack(); break;
      // The list's commands come from its own toolbar and menus; those that reach the window go
      // on to the main window.
      case WM_COMMAND:
        if (CWnd* owner = GetOwner()) return owner->SendMessage(message, wParam, lParam);
        break;
      default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }

 private:
  void PlaceList() {
    if (!m_pList || !m_pList->m_hWnd || ::GetParent(m_pList->m_hWnd) != m_hWnd) return;
    CRect client;
    GetClientRect(&client);
    m_pList->MoveWindow(client);
  }
  void GiveBack() {
    if (!m_pList || !m_pList->m_hWnd || ::GetParent(m_pList->m_hWnd) != m_hWnd) return;
    m_pList->ShowWindow(SW_HIDE);
    if (::IsWindow(m_hHome)) ::SetParent(m_pList->m_hWnd, m_hHome);
  }

  CWnd* m_pList = nullptr;
  HWND m_hHome = nullptr;
};

}  // namespace

// --- Type-ahead go-to and Escape --------------------------------------------------------------------

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg) {
  if (PreTranslateTypeAhead(pMsg)) return TRUE;
  return SECWorkbook::PreTranslateMessage(pMsg);
}

BOOL CMainFrame::PreTranslateTypeAhead(MSG* pMsg) {
  // Keys typed into a text field are the field's: its digits, blanks, Enter and Escape.
  if ((pMsg->message != WM_CHAR && pMsg->message != WM_KEYDOWN) || FocusInTextField()) return FALSE;
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
    // Enter goes to the typed address (before the focused window could act on the key).
    if (m_strTypeAhead.empty()) return FALSE;
    GoToTypedAddress();
    if (m_hQueryBox && ::IsWindow(m_hQueryBox)) ::SetWindowText(m_hQueryBox, "");
    return TRUE;
  }
  if (pMsg->message == WM_KEYDOWN) {
    if (pMsg->wParam != VK_ESCAPE) return FALSE;
    if (m_bFullScreen) {
      SetFullScreen(FALSE);
    } else if (IsActInfoDialogVisible()) {
      GetActInfoDialog()->ShowWindow(SW_HIDE);
    } else if (CGTFSheet::GetOpen()) {
      CGTFSheet::CloseOpen();
    } else if (m_pNavigatorBar && m_pNavigatorBar->IsVisible()) {
      ShowControlBar(m_pNavigatorBar, FALSE, FALSE);
    } else {
      return FALSE;
    }
    return TRUE;
  }
  const char c = char(pMsg->wParam);
  if (c == '\r') return FALSE;
  if (!IsTypeAheadKey(c)) {
    if (!m_strTypeAhead.empty() || m_dwTypeAheadTime != 0) EndTypeAhead();
    return FALSE;
  }
  // No address is longer; further keys are not kept.
  if (m_strTypeAhead.size() >= kTypeAheadLimit) return TRUE;
  const bool separated = m_strTypeAhead.find(' ') != std::string::npos;
  m_strTypeAhead += (c >= '0' && c <= '9') ? c : ' ';
  if (!separated) {
    // Digits alone are gone to after a pause; the timer looks for it.
    if (m_dwTypeAheadTime == 0) SetTimer(kTypeAheadTimer, kTypeAheadTick, nullptr);
    m_dwTypeAheadTime = std::max<DWORD>(1, ::GetTickCount());
  }
  if (m_strTypeAhead.find(' ') != std::string::npos && m_strTypeAhead.size() >= 3) {
    // Year and number typed: the address shows in the query box until Enter goes to it.
    KillTimer(kTypeAheadTimer);
    m_dwTypeAheadTime = 0;
    if (m_hQueryBox && ::IsWindow(m_hQueryBox)) ::SetWindowText(m_hQueryBox, TypedAddressText(m_strTypeAhead));
  }
  return TRUE;
}

void CMainFrame::EndTypeAhead() {
  KillTimer(kTypeAheadTimer);
  m_strTypeAhead.clear();
  m_dwTypeAheadTime = 0;
}

void CMainFrame::GoToTypedAddress() {
  const std::string typed = m_strTypeAhead;
  EndTypeAhead();
  if (CLumoKALDoc* work = GetWorkDocument(); work && !typed.empty()) work->GoToAddress(CString(typed));
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kTypeAheadTimer) {
    SECWorkbook::OnTimer(nIDEvent);
    return;
  }
  if (m_dwTypeAheadTime == 0 || m_strTypeAhead.empty()) {
    EndTypeAhead();
    return;
  }
  if (::GetTickCount() - m_dwTypeAheadTime > kTypeAheadPause) GoToTypedAddress();
}

// --- Toolbar query box ----------------------------------------------------------------------------

void CMainFrame::RefillQueryBoxes() {
  BroadcastToQueryBoxes(CB_RESETCONTENT, 0, 0);
  if (CLumoKALDoc* work = GetWorkDocument()) {
    for (const CString& text : work->GetQueryHistory()) {
      BroadcastToQueryBoxes(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
    }
  }
  BroadcastToQueryBoxes(CB_SETCURSEL, 0, 0);
}

LRESULT CMainFrame::OnToolBarWndNotify(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) != resources::ID_SEARCH_QUERY_BOX) return 0;
  const HWND box = reinterpret_cast<HWND>(lParam);
  switch (HIWORD(wParam)) {
    case SEC_WNDBTN_CREATED: {
      if (!m_guiFont.GetSafeHandle()) {
        LOGFONT lf{};
        if (::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf)) {
          lf.lfWeight = FW_NORMAL;
          m_guiFont.CreateFontIndirect(&lf);
        }
      }
      if (m_guiFont.GetSafeHandle()) ::SendMessage(box, WM_SETFONT, WPARAM(m_guiFont.GetSafeHandle()), TRUE);
      ::SendMessage(box, CB_RESETCONTENT, 0, 0);
      if (CLumoKALDoc* work = GetWorkDocument()) {
        for (const CString& text : work->GetQueryHistory()) {
          ::SendMessage(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
        }
      }
      ::SendMessage(box, CB_SETCURSEL, 0, 0);
      m_hQueryBox = box;
      break;
    }
    case SEC_COMBO_ENTER: {
      char buffer[512] = {};
      ::GetWindowText(box, buffer, int(sizeof buffer));
      const CString text(buffer);
      if (text.IsEmpty()) break;
      if (text.str().rfind("DU.", 0) == 0 || text.str().rfind("DU ", 0) == 0) {
        // An address, as typed or as the type-ahead shows it ("DU 1997.0123.0045").
        std::string address = text.str();
        address[2] = '.';
        EndTypeAhead();
        if (CLumoKALDoc* work = GetWorkDocument()) work->GoToAddress(CString(address));
        break;
      }
      CLumoKALDoc* work = GetWorkDocument();
      CLumoKALView* view = work ? work->GetCurrentTextView() : nullptr;
      if ((::GetKeyState(VK_SHIFT) & 0x8000) == 0 && view && GetActiveSheetView() == view) {
        view->FindInAct(text);
      } else if (RunLibraryQuery(text)) {
        AddQueryToHistory(text);
      }
      break;
    }
    case SEC_COMBO_ESCAPE:
      ::SetWindowText(box, "");
      if (CView* view = GetActiveSheetView()) view->SetFocus();
      break;
    default: break;
  }
  return 0;
}

void CMainFrame::BroadcastToQueryBoxes(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_pToolBarManager) return;
  SECWndBtnMessage record{message, wParam, lParam};
  m_pToolBarManager->BroadcastToBars(resources::ID_SEARCH_QUERY_BOX, SEC_BTN_NOTIFY_WND_MESSAGE, &record);
}

BOOL CMainFrame::AddQueryToHistory(const CString& text) {
  CLumoKALDoc* work = GetWorkDocument();
  if (!work || text.IsEmpty()) return FALSE;
  std::vector<CString>& history = work->GetQueryHistory();
  const auto same = [&](const CString& s) { return s.str() == text.str(); };
  if (std::any_of(history.begin(), history.end(), same)) return FALSE;
  while (history.size() >= findrules::kHistorySize) {
    history.pop_back();
    BroadcastToQueryBoxes(CB_DELETESTRING, WPARAM(history.size()), 0);
  }
  history.insert(history.begin(), text);
  BroadcastToQueryBoxes(CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
  BroadcastToQueryBoxes(CB_SETCURSEL, 0, 0);
  if (CGTFSheet* sheet = CGTFSheet::GetOpen()) sheet->RefillQueryHistory();
  return TRUE;
}

BOOL CMainFrame::RunLibraryQuery(const CString& text) {
  CLumoApp* app = LumoApp();
  title::TitleHandle* title = LibraryTitle();
  CLumoKALDoc* work = GetWorkDocument();
  if (app) app->GetDocumentData().CountSearch();
  medview::TopicListHandle list = nullptr;
  fts::HitHighlightHandle hits = nullptr;
  if (title && work && !CGTFQueryPage::IsSearching()) {
    HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    const QueryState& state = GetQueryState();
    const std::string engine_text = findrules::EngineQueryText(text.str(), false);
    const uint16_t near = app ? app->GetUserData().m_nNearDistance : 8;
    list = medview::MvQueryTopicList(title, findrules::QueryFlags(state.default_and != 0, state.sort_hits != 0),
                                     engine_text.c_str(), nullptr, near, &hits, nullptr);
    ::SetCursor(previous);
  }
  if (!list || medview::MvGetTopicListCount(list) <= 0) {
    // Nothing found: the results shown before stay.
    if (list) medview::MvFreeTopicList(list);
    if (app) app->PlaySoundResource(292);
    return FALSE;
  }
  ShowQueryResults(list, text);
  return TRUE;
}

// --- Results, bookmarks and the print list ---------------------------------------------------------

void CMainFrame::ShowSearchResults() {
  if (!GetWorkDocument()) return;
  CLumoKALView::FreeQueryResults();
  navcmd::RevealResultsTab();
}

BOOL CMainFrame::AddTopicToPrintList() {
  CLumoKALDoc* work = GetWorkDocument();
  auto* view = dynamic_cast<CLumoKALView*>(GetActiveSheetView());
  // The rows appear in the print list's dialog, shown by its own window when that is open.
  return work && view && view->GetWork() == work && view->AddToPrintList();
}

BOOL CMainFrame::AddBookmarkForActiveSheet() {
  CLumoKALDoc* work = GetWorkDocument();
  auto* view = dynamic_cast<CLumoKALView*>(GetActiveSheetView());
  if (!work || !view || view->GetWork() != work || !view->AddBookmark()) return FALSE;
  if (m_pNavigatorBar && m_pNavigatorBar->IsVisible()) m_pNavigatorBar->ActivateTab(kBookmarksTab);
  return TRUE;
}

void CMainFrame::OnAddToPrintList() { AddTopicToPrintList(); }
void CMainFrame::OnInsertBookmark() { AddBookmarkForActiveSheet(); }
void CMainFrame::OnUpdateSheetCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(GetActiveSheetView() != nullptr); }
void CMainFrame::OnUpdateWorkCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(GetWorkDocument() != nullptr); }

CWnd* CMainFrame::GetPrintListWindow() const {
  return m_pPrintListWnd && m_pPrintListWnd->m_hWnd ? m_pPrintListWnd.get() : nullptr;
}

void CMainFrame::ShowPrintList() {
  CPrintmarkTab* list = m_pNavigatorBar ? m_pNavigatorBar->GetPrintmarkTab() : nullptr;
  if (!list || !list->m_hWnd) return;
  if (!GetPrintListWindow()) {
    auto window = std::make_unique<CPrintListWnd>();
    if (!window->Make(this, list)) return;
    m_pPrintListWnd = std::move(window);
  }
  m_pPrintListWnd->ShowWindow(SW_SHOW);
  m_pPrintListWnd->SetActiveWindow();
}

void CMainFrame::OnDestroy() {
  KillTimer(kTypeAheadTimer);
  if (CWnd* window = GetPrintListWindow()) window->DestroyWindow();
  m_pPrintListWnd.reset();
  SECWorkbook::OnDestroy();
}

void CMainFrame::OnPrintList() {
  // The print list has no tab in "Nawigator": its dialog opens in a window of its own.
  if (GetWorkDocument()) ShowPrintList();
}

void CMainFrame::RefreshQueryScopes() {
  if (GetWorkDocument()) CGTFSheet::RefreshQueryScopes();
}

BOOL CMainFrame::DispatchMouseCommand(UINT nContext) {
  return m_pMouseManager && m_pMouseManager->DispatchAction(nContext, this);
}

// --- Navigator tabs and bars -----------------------------------------------------------------------

namespace {
int TabOfCommand(UINT nID) {
  switch (nID) {
    case resources::ID_HISTORY: return CMainFrame::kHistoryTab;
    case resources::ID_BOOKMARK_LIST: return CMainFrame::kBookmarksTab;
    case resources::ID_RESULT_LIST: return CMainFrame::kIndexResultsTab;
    default: return CMainFrame::kResultsTab;
  }
}
}  // namespace

void CMainFrame::OnNavigatorTab(UINT nID) {
  COutputWnd* bar = m_pNavigatorBar;
  if (!bar || !GetWorkDocument()) return;
  const int tab = TabOfCommand(nID);
  if (!bar->IsVisible()) {
    ShowControlBar(bar, TRUE, FALSE);
    if (bar->GetActiveTab() == tab) return;
  } else if (bar->GetActiveTab() == tab) {
    ShowControlBar(bar, FALSE, FALSE);
    return;
  }
  bar->ActivateTab(tab);
}

void CMainFrame::OnUpdateNavigatorTab(CCmdUI* pCmdUI) {
  COutputWnd* bar = m_pNavigatorBar;
  pCmdUI->Enable(bar != nullptr && GetWorkDocument() != nullptr);
  pCmdUI->SetCheck(bar && bar->IsVisible() && bar->GetActiveTab() == TabOfCommand(pCmdUI->m_nID));
}

void CMainFrame::ToggleDockingBar(CControlBar* pBar) {
  if (!pBar) return;
  const BOOL show = !pBar->IsVisible();
  ShowControlBar(pBar, show, FALSE);
  if (!show) return;
  // The active tab's window takes the focus.
  auto* bar = dynamic_cast<CNavBarBase*>(pBar);
  SECTabWndBase* tabs = bar ? bar->GetTabWnd() : nullptr;
  CWnd* page = nullptr;
  if (tabs && tabs->m_hWnd && tabs->GetActiveTabWindow(page) && page && page->m_hWnd) page->SetFocus();
}

// --- Act information ------------------------------------------------------------------------------

void CMainFrame::OnActInformation() { OnActInfoRequest(0, 0); }

LRESULT CMainFrame::OnActInfoRequest(WPARAM, LPARAM lParam) {
  if (IsActInfoDialogVisible()) return 0;
  int32_t topic = int32_t(lParam);
  if (topic <= 0) {
    auto* view = dynamic_cast<CLumoKALView*>(GetActiveSheetView());
    topic = view && view->GetViewer() ? frame::MvGetCurrentTopic(view->GetViewer()) : 0;
  }
  CActDlg* dialog = ShowActInfoDialog();
  if (!dialog) return 0;
  dialog->ShowAct(topic > 0 ? topic : 0);
  if (topic <= 0) dialog->SelectTab(0);
  return 0;
}

void CMainFrame::OnUpdateActInformation(CCmdUI* pCmdUI) { pCmdUI->SetCheck(IsActInfoDialogVisible()); }

// --- Work commands ---------------------------------------------------------------------------------

void CMainFrame::OnTitlePage() {
  if (CLumoKALDoc* work = GetWorkDocument()) work->GoToStartTopic();
}

void CMainFrame::OnNewWindow() {
  CLumoKALDoc* work = GetWorkDocument();
  if (!work) return;
  work->OpenNewSheet();
  SetWorkbookMode(TRUE);
}

void CMainFrame::OnReloadLibrary() {
  CMDIChildWnd* child = MDIGetActive();
  if (auto* work = child ? dynamic_cast<CLumoKALDoc*>(child->GetActiveDocument()) : nullptr) SetWorkDocument(work);
  if (CDUTree* tree = m_pContentsBar ? m_pContentsBar->GetLibraryTree() : nullptr) tree->LoadContents();
}

// --- Links -----------------------------------------------------------------------------------------

namespace {
void HandDisplayModeToSheets(int mode) {
  if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) work->SetDisplayMode(mode);
}
}  // namespace

void CMainFrame::OnShowLinks() {
  m_nDisplayMode = m_nDisplayMode == kDisplayLinks ? 0 : kDisplayLinks;
  HandDisplayModeToSheets(m_nDisplayMode);
}

void CMainFrame::OnUpdateShowLinks(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nDisplayMode == kDisplayLinks); }

void CMainFrame::OnLinkKind(UINT nID) {
  CLumoApp* app = LumoApp();
  if (!app || m_nDisplayMode != kDisplayLinks) return;
  int32_t& on = LinkHighlight(app->GetUserData(), nID);
  on = on ? 0 : 1;
  HandDisplayModeToSheets(m_nDisplayMode);
}

void CMainFrame::OnUpdateLinkKind(CCmdUI* pCmdUI) {
  CLumoApp* app = LumoApp();
  pCmdUI->Enable(app && m_nDisplayMode == kDisplayLinks);
  pCmdUI->SetCheck(app && LinkHighlight(app->GetUserData(), pCmdUI->m_nID) != 0);
}

void CMainFrame::OnLinkColour(UINT nID) {
  CLumoApp* app = LumoApp();
  if (!app || (m_pColourWell && m_pColourWell->IsPoppedUp()) || !m_pToolBarManager) return;
  CRect button;
  if (!m_pToolBarManager->GetCommandButtonRect(button)) {
    // Not from a toolbar button: under the cursor.
    POINT at{};
    ::GetCursorPos(&at);
    button = CRect(at.x, at.y, at.x + 1, at.y + 1);
  }
  m_nColourField = 18 + int(nID - resources::ID_LINK_COLOUR_JOURNAL);
  if (!m_pColourWell) m_pColourWell = std::make_unique<SECPopupColorWell>();
  m_pColourWell->Reset();
  m_pColourWell->SelectColor(COLORREF(LinkColour(app->GetUserData(), m_nColourField)));
  m_pColourWell->SetTrackMouse(FALSE);
  m_pColourWell->SetNotifyWnd(this);
  m_pColourWell->Popup(0x10000000, button, this, TRUE);
}

LRESULT CMainFrame::OnLinkColourChosen(WPARAM, LPARAM lParam) {
  CLumoApp* app = LumoApp();
  if (app && m_nColourField >= 18 && m_nColourField <= 21) {
    LinkColour(app->GetUserData(), m_nColourField) = uint32_t(lParam);
  }
  HandDisplayModeToSheets(m_nDisplayMode);
  return 0;
}

// --- Toolbars dialog, customize sheet, user tools ---------------------------------------------------

void CMainFrame::OnToolBarsDialog() {
  if (!m_pToolBarManager) return;
  if (m_pToolBarManager->RunToolBarsDialog() == kCustomizeAsked) RunCustomizeSheet();
}

void CMainFrame::OnCustomize() { RunCustomizeSheet(); }

void CMainFrame::RunCustomizeSheet() {
  if (!m_pToolBarManager) return;
  CGSToolBarSheet sheet(resources::IDS_CUSTOMIZE_SHEET, this);
  SECToolBarVisibilityPage bars(resources::IDD_TOOLBAR_VISIBILITY_PAGE, resources::IDS_TOOLBARS_PAGE);
  bars.AttachManager(m_pToolBarManager.get());
  SECToolBarCmdPage commands(resources::IDD_TOOLBAR_CMD_PAGE, resources::IDS_COMMANDS_PAGE);
  commands.SetManager(m_pToolBarManager.get());
  std::vector<std::vector<UINT>> ids;
  for (const Category& category : kCategories) {
    ids.emplace_back(category.commands);
    commands.AddCategory(Polish(category.utf8_name), int(ids.back().size()), ids.back().data());
  }
  SECToolListPage tools(&m_userTools, resources::IDD_TOOL_LIST_PAGE, resources::IDS_TOOLS_PAGE);
  sheet.AddPage(&bars);
  sheet.AddPage(&commands);
  sheet.AddPage(&tools);
  // The commands a double click may run, per kind of sheet; they live while the sheet does.
  CMouseCommandList text_commands = CMousePage::TextSheetCommands();
  CMouseCommandList picture_commands = CMousePage::PictureSheetCommands();
  CMousePage mouse;
  mouse.m_pTextCommands = &text_commands;
  mouse.m_pPictureCommands = &picture_commands;
  if (m_pMouseManager) sheet.AddPage(&mouse);
  if (sheet.DoModal() != IDOK) return;
  const CString file = SECToolListFileName();
  if (!m_userTools.empty()) {
    SaveToolList(file, m_userTools);
  } else {
    base::remove_file(file.str());
  }
}

void CMainFrame::OnUserTool(UINT nID) {
  const size_t index = nID - resources::ID_USER_TOOL_FIRST;
  if (index >= m_userTools.size()) return;
  HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  const bool started = m_userTools[index]->Execute();
  ::SetCursor(previous);
  if (!started) AfxMessageBox(resources::IDS_TOOL_CANNOT_RUN, MB_OK | MB_ICONSTOP);
}

void CMainFrame::OnUpdateUserTool(CCmdUI* pCmdUI) {
  pCmdUI->Enable(pCmdUI->m_nID - resources::ID_USER_TOOL_FIRST < m_userTools.size());
}
