#include "shell/main_frame.h"

#include "navigation/gtf_sheet.h"
#include "navigation/calendar_dlg.h"
#include "navigation/index_dlg.h"
#include "navigation/title_dlg.h"

#include <algorithm>
#include <iterator>

#include "controls/gs_toolbar_edit_btn.h"
#include "controls/gs_well_color_btn.h"
#include "platform/base/cp1250.h"
#include "platform/controls/common_controls.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/menu.h"
#include "platform/framework/view.h"
#include "platform/win/cmd_ui.h"
#include "platform/shell/services.h"
#include "platform/win/monitors.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/frame_placement.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/options_sheet.h"
#include "toolkit/frame/registry.h"
#include "toolkit/widgets/hover_combo.h"
#include "toolkit/widgets/key_binding_table.h"

namespace {


// The panes in the order the status bar's users rely on: 0 messages, 1 the act's address,
// 2 found words, 3 Num Lock, 4 Caps Lock, 5 the date, 6 the text view's mark.
constexpr UINT kIndicators[] = {
    ID_SEPARATOR,
    resources::ID_INDICATOR_ACT,
    resources::ID_INDICATOR_FOUND_WORDS,
    ID_INDICATOR_NUM,
    ID_INDICATOR_CAPS,
    resources::ID_INDICATOR_DATE,
    resources::ID_INDICATOR_MARK,
};

constexpr int kPositionFieldWidth = 255;

// The window buttons of the toolbars: the query box, the picture position field and the four
// colour wells. The field and the box are never disabled by the command updates.
const SECButtonMapEntry kButtonMap[] = {
    {&SECToolBarComboHost::buttonClassSECToolBarComboHost, resources::ID_SEARCH_QUERY_BOX,
     SEC_TBBS_NODISABLE | SEC_TBBS_VCENTER,
     {resources::ID_SEARCH_QUERY_BOX, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, MAKELONG(160, 60), 200, 0}},
    {&CGSToolbarEditBtn::buttonClassCGSToolbarEditBtn, resources::ID_PICTURE_POSITION, SEC_TBBS_NODISABLE,
     {resources::ID_PICTURE_POSITION, 0, MAKELONG(kPositionFieldWidth, 100), 0, 0}},
    {&CGSWellColorBtn::buttonClassCGSWellColorBtn, resources::ID_LINKS_JOURNAL, 0,
     {resources::ID_LINKS_JOURNAL, 0, MAKELONG(32, 0), 20, 0}},
    {&CGSWellColorBtn::buttonClassCGSWellColorBtn, resources::ID_LINKS_POSITION, 0,
     {resources::ID_LINKS_POSITION, 0, MAKELONG(32, 0), 20, 0}},
    {&CGSWellColorBtn::buttonClassCGSWellColorBtn, resources::ID_LINKS_ARTICLE, 0,
     {resources::ID_LINKS_ARTICLE, 0, MAKELONG(32, 0), 20, 0}},
    {&CGSWellColorBtn::buttonClassCGSWellColorBtn, resources::ID_LINKS_INNER_ARTICLE, 0,
     {resources::ID_LINKS_INNER_ARTICLE, 0, MAKELONG(32, 0), 20, 0}},
    {nullptr, 0, 0, {}},
};

// The message a window button on a toolbar sends (the query box's creation, Enter and Escape).
const UINT kToolBarWndNotify = SECToolBarWndNotifyMessage();

constexpr int kFormToolBar = 4;  // "Formularz" among the five
constexpr int kMaxMenuToolBars = 9;
constexpr int kNavigatorHeight = 150;
constexpr int kContentsWidth = 265;
constexpr int kMinTrackWidth = 640;
constexpr int kMinTrackHeight = 480;

// The tools menu is the pop-up that holds "Opcje..."; the user tools are listed at its end.
bool IsToolsMenu(CMenu* popup) {
  for (UINT i = 0; i < popup->GetMenuItemCount(); ++i) {
    if (popup->GetMenuItemID(int(i)) == resources::ID_OPTIONS) return true;
  }
  return false;
}

CString FromUtf8(const char* text) { return CString(base::cp1250::from_utf8(text)); }

}  // namespace

// --- Background ------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CBackgroundWnd, SECWorkbookClient)
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void CBackgroundWnd::PaintBackground(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(client, ::GetSysColor(COLOR_BACKGROUND));

  LOGFONT lf{};
  lf.lfHeight = -::MulDiv(24, pDC->GetDeviceCaps(LOGPIXELSY), 72);
  lf.lfWeight = FW_BOLD;
  lf.lfCharSet = EASTEUROPE_CHARSET;
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", "Times New Roman CE");
  CFont font;
  if (!font.CreateFontIndirect(&lf)) return;
  CFont* old = pDC->SelectObject(&font);
  TEXTMETRIC tm{};
  pDC->GetTextMetrics(&tm);
  const int shift = std::max<int>(1, tm.tmAveCharWidth / 5);
  CRect box(client.left, client.top, client.right - tm.tmAveCharWidth / 2, client.bottom - tm.tmHeight / 5);
  box.top = box.bottom - tm.tmHeight;
  const CString name("LumoKAL");
  // The name is where the mouse finds the link.
  m_rectHot = CRect(box.right - pDC->GetTextExtent(name).cx, box.top, box.right, box.bottom);
  const UINT format = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
  pDC->SetBkMode(TRANSPARENT);
  struct Layer {
    int dx;
    COLORREF colour;
  };
  const Layer layers[] = {{shift, RGB(0, 0, 0)}, {-shift, RGB(255, 255, 255)}, {0, ::GetSysColor(COLOR_BTNFACE)}};
  for (const Layer& layer : layers) {
    CRect r = box;
    r.OffsetRect(layer.dx, 0);
    pDC->SetTextColor(layer.colour);
    pDC->DrawText(name, r, format);
  }
  pDC->SelectObject(old);
}

BOOL CBackgroundWnd::OnEraseBkgnd(CDC* pDC) {
  PaintBackground(pDC);
  return TRUE;
}

void CBackgroundWnd::OnLButtonDown(UINT nFlags, CPoint point) {
  (void)nFlags;
  (void)point;
  Default();
  if (!m_strLinkAddress.IsEmpty()) shell::open_url(m_strLinkAddress);
}

// --- Main frame ------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CMainFrame, SECWorkbook)

BEGIN_MESSAGE_MAP(CMainFrame, SECWorkbook)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_WM_GETMINMAXINFO()
  ON_WM_SETCURSOR()
  ON_WM_CONTEXTMENU()
  ON_WM_INITMENUPOPUP()
  ON_MESSAGE(CMainFrame::WM_SHEETS_CHANGED, &CMainFrame::OnSheetsChanged)
  // The commands of main_frame_commands.cpp.
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_REGISTERED_MESSAGE(kToolBarWndNotify, &CMainFrame::OnToolBarWndNotify)
  ON_MESSAGE(SEC_WM_COLORSELECTED, &CMainFrame::OnLinkColourChosen)
  ON_MESSAGE(resources::WM_SHOW_ACT_INFO, &CMainFrame::OnActInfoRequest)
  ON_COMMAND(resources::ID_ACT_INFORMATION, &CMainFrame::OnActInformation)
  ON_UPDATE_COMMAND_UI(resources::ID_ACT_INFORMATION, &CMainFrame::OnUpdateActInformation)
  ON_COMMAND_RANGE(resources::ID_HISTORY, resources::ID_HISTORY, &CMainFrame::OnNavigatorTab)
  ON_COMMAND_RANGE(resources::ID_BOOKMARK_LIST, resources::ID_BOOKMARK_LIST, &CMainFrame::OnNavigatorTab)
  ON_COMMAND_RANGE(resources::ID_RESULT_LIST, resources::ID_RESULT_LIST, &CMainFrame::OnNavigatorTab)
  ON_COMMAND_RANGE(resources::ID_SEARCH_RESULTS, resources::ID_SEARCH_RESULTS, &CMainFrame::OnNavigatorTab)
  ON_UPDATE_COMMAND_UI(resources::ID_HISTORY, &CMainFrame::OnUpdateNavigatorTab)
  ON_UPDATE_COMMAND_UI(resources::ID_BOOKMARK_LIST, &CMainFrame::OnUpdateNavigatorTab)
  ON_UPDATE_COMMAND_UI(resources::ID_RESULT_LIST, &CMainFrame::OnUpdateNavigatorTab)
  ON_UPDATE_COMMAND_UI(resources::ID_SEARCH_RESULTS, &CMainFrame::OnUpdateNavigatorTab)
  ON_COMMAND(resources::ID_PRINT_LIST, &CMainFrame::OnPrintList)
  ON_UPDATE_COMMAND_UI(resources::ID_PRINT_LIST, &CMainFrame::OnUpdateWorkCommand)
  ON_COMMAND(resources::ID_ADD_TO_PRINT_LIST, &CMainFrame::OnAddToPrintList)
  ON_UPDATE_COMMAND_UI(resources::ID_ADD_TO_PRINT_LIST, &CMainFrame::OnUpdateSheetCommand)
  ON_COMMAND(resources::ID_INSERT_BOOKMARK, &CMainFrame::OnInsertBookmark)
  ON_UPDATE_COMMAND_UI(resources::ID_INSERT_BOOKMARK, &CMainFrame::OnUpdateSheetCommand)
  ON_COMMAND(resources::ID_TITLE_PAGE, &CMainFrame::OnTitlePage)
  ON_UPDATE_COMMAND_UI(resources::ID_TITLE_PAGE, &CMainFrame::OnUpdateWorkCommand)
  ON_COMMAND(resources::ID_WINDOW_NEW, &CMainFrame::OnNewWindow)
  ON_UPDATE_COMMAND_UI(resources::ID_WINDOW_NEW, &CMainFrame::OnUpdateWorkCommand)
  ON_COMMAND(resources::ID_SHOW_LINKS, &CMainFrame::OnShowLinks)
  ON_UPDATE_COMMAND_UI(resources::ID_SHOW_LINKS, &CMainFrame::OnUpdateShowLinks)
  ON_COMMAND_RANGE(resources::ID_LINKS_JOURNAL, resources::ID_LINKS_INNER_ARTICLE, &CMainFrame::OnLinkKind)
  ON_UPDATE_COMMAND_UI_RANGE(resources::ID_LINKS_JOURNAL, resources::ID_LINKS_INNER_ARTICLE, &CMainFrame::OnUpdateLinkKind)
  ON_COMMAND_RANGE(resources::ID_LINK_COLOUR_JOURNAL, resources::ID_LINK_COLOUR_INNER_ARTICLE, &CMainFrame::OnLinkColour)
  ON_COMMAND(resources::ID_RELOAD_LIBRARY, &CMainFrame::OnReloadLibrary)
  ON_COMMAND(resources::ID_TOOLBARS, &CMainFrame::OnToolBarsDialog)
  ON_COMMAND(resources::ID_TOOLBARS_DIALOG, &CMainFrame::OnToolBarsDialog)
  ON_COMMAND(resources::ID_MORE_TOOLBARS, &CMainFrame::OnToolBarsDialog)
  ON_COMMAND(resources::ID_CUSTOMIZE, &CMainFrame::OnCustomize)
  ON_COMMAND(resources::ID_CUSTOMIZE_DIALOG, &CMainFrame::OnCustomize)
  ON_COMMAND_RANGE(resources::ID_USER_TOOL_FIRST, resources::ID_USER_TOOL_FIRST + SECUserTool::kMaxTools - 1,
                   &CMainFrame::OnUserTool)
  ON_UPDATE_COMMAND_UI_RANGE(resources::ID_USER_TOOL_FIRST, resources::ID_USER_TOOL_FIRST + SECUserTool::kMaxTools - 1,
                             &CMainFrame::OnUpdateUserTool)
  ON_COMMAND(resources::ID_FULL_SCREEN, &CMainFrame::OnFullScreen)
  ON_UPDATE_COMMAND_UI(resources::ID_FULL_SCREEN, &CMainFrame::OnUpdateFullScreen)
  ON_COMMAND(resources::ID_ALWAYS_ON_TOP, &CMainFrame::OnAlwaysOnTop)
  ON_UPDATE_COMMAND_UI(resources::ID_ALWAYS_ON_TOP, &CMainFrame::OnUpdateAlwaysOnTop)
  ON_COMMAND(resources::ID_VIEW_NAVIGATOR_BAR, &CMainFrame::OnViewNavigator)
  ON_UPDATE_COMMAND_UI(resources::ID_VIEW_NAVIGATOR_BAR, &CMainFrame::OnUpdateViewNavigator)
  ON_COMMAND(resources::ID_VIEW_CONTENTS_BAR, &CMainFrame::OnViewContents)
  ON_UPDATE_COMMAND_UI(resources::ID_VIEW_CONTENTS_BAR, &CMainFrame::OnUpdateViewContents)
  ON_COMMAND_RANGE(resources::ID_TOOLBAR_FIRST, resources::ID_TOOLBAR_FIRST + kMaxMenuToolBars - 1,
                   &CMainFrame::OnToggleToolBar)
  ON_UPDATE_COMMAND_UI_RANGE(resources::ID_TOOLBAR_FIRST, resources::ID_TOOLBAR_FIRST + kMaxMenuToolBars - 1,
                             &CMainFrame::OnUpdateToggleToolBar)
  ON_COMMAND(resources::ID_OPTIONS, &CMainFrame::OnOptions)
  ON_COMMAND(resources::ID_QUERY, &CMainFrame::OnQuery)
  ON_COMMAND(ID_EDIT_FIND, &CMainFrame::OnQuery)
  ON_COMMAND(resources::ID_FIND_IN_ACT, &CMainFrame::OnFindInAct)
  ON_COMMAND(resources::ID_GO_TO, &CMainFrame::OnGoTo)
  // The keyword index dialogs.
  ON_COMMAND_RANGE(resources::ID_TITLES_INDEX, resources::ID_DATE_INDEX, &CMainFrame::OnIndexDialog)
  ON_COMMAND_RANGE(resources::ID_FORMULAS_INDEX, resources::ID_TABLES_INDEX, &CMainFrame::OnIndexDialog)
  ON_UPDATE_COMMAND_UI_RANGE(resources::ID_TITLES_INDEX, resources::ID_DATE_INDEX, &CMainFrame::OnUpdateIndexDialog)
  ON_UPDATE_COMMAND_UI_RANGE(resources::ID_FORMULAS_INDEX, resources::ID_TABLES_INDEX, &CMainFrame::OnUpdateIndexDialog)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() {
  CString text;
  if (AfxLoadString(resources::IDS_IDLE_PROMPT, text)) m_strIdleText = text.SpanExcluding("\n");
  m_pMouseManager = std::make_unique<CGSMouseManager>();
  EnableBitmapMenus(TRUE, TRUE);
}

CMainFrame::~CMainFrame() {
  DeleteToolList(m_userTools);
  // The bars went with the window; the manager and the fields' font go with the frame.
  SetControlBarManager(nullptr);
  if (CGSToolbarEditBtn::GetFieldFont() == m_fieldFont.GetSafeHandle()) CGSToolbarEditBtn::SetFieldFont(nullptr);
}

// --- Keyword index dialogs -----------------------------------------------------------------------

void CMainFrame::OnIndexDialog(UINT nID) {
  switch (nID) {
    case resources::ID_TITLES_INDEX: CKeywordIndexDlg::Toggle<CTitleDlg>(this); break;
    case resources::ID_SIGNATORIES_INDEX: CKeywordIndexDlg::Toggle<CWhoDlg>(this); break;
    case resources::ID_DATE_INDEX: CKeywordIndexDlg::Toggle<CCalendarDlg>(this); break;
    case resources::ID_SUBJECT_INDEX: CKeywordListDlg::Toggle<CIndexDlg>(this); break;
    case resources::ID_FORMULAS_INDEX: CKeywordListDlg::Toggle<CEquationDlg>(this); break;
    case resources::ID_FIGURES_INDEX: CKeywordListDlg::Toggle<CFormDlg>(this); break;
    case resources::ID_TABLES_INDEX: CKeywordListDlg::Toggle<CTableDlg>(this); break;
    default: break;
  }
}

void CMainFrame::OnUpdateIndexDialog(CCmdUI* pCmdUI) {
  CKeywordIndexDlg* open = CKeywordIndexDlg::GetOpen();
  bool checked = false;
  switch (pCmdUI->m_nID) {
    case resources::ID_TITLES_INDEX: checked = dynamic_cast<CTitleDlg*>(open) != nullptr; break;
    case resources::ID_SIGNATORIES_INDEX: checked = dynamic_cast<CWhoDlg*>(open) != nullptr; break;
    case resources::ID_DATE_INDEX: checked = dynamic_cast<CCalendarDlg*>(open) != nullptr; break;
    case resources::ID_SUBJECT_INDEX: checked = dynamic_cast<CIndexDlg*>(open) != nullptr; break;
    case resources::ID_FORMULAS_INDEX: checked = dynamic_cast<CEquationDlg*>(open) != nullptr; break;
    case resources::ID_FIGURES_INDEX: checked = dynamic_cast<CFormDlg*>(open) != nullptr; break;
    case resources::ID_TABLES_INDEX: checked = dynamic_cast<CTableDlg*>(open) != nullptr; break;
    default: break;
  }
  pCmdUI->SetCheck(checked ? 1 : 0);
}

// --- Work ------------------------------------------------------------------------------------------

void CMainFrame::SetWorkDocument(CLumoKALDoc* work) { CLumoKALDoc::SetCurrentWork(work); }
CLumoKALDoc* CMainFrame::GetWorkDocument() const { return CLumoKALDoc::GetCurrentWork(); }

CView* CMainFrame::GetActiveSheetView() const {
  CMDIChildWnd* child = const_cast<CMainFrame*>(this)->MDIGetActive();
  return child ? child->GetActiveView() : nullptr;
}

// --- Creation --------------------------------------------------------------------------------------

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
  if (CLumoApp* app = LumoApp(); app && app->GetInstanceGuard().IsHeld()) {
    cs.lpszClass = app->GetInstanceGuard().GetClassName();
  }
  return SECWorkbook::PreCreateWindow(cs);
}

std::unique_ptr<SECWorkbookClient> CMainFrame::NewWorkbookClient() { return std::make_unique<CBackgroundWnd>(); }

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (SECWorkbook::OnCreate(lpcs) == -1) return -1;
  // The control classes the frame's dialogs and pages use.
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                               ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&classes);
  EnableDocking(CBRS_ALIGN_ANY);
  if (!CreateToolBars() || !CreateStatusBar() || !CreateDockingBars()) return -1;

  m_pToolBarManager->LoadStateFromProfile(kLayoutName);
  // "Formularz" shows only while a picture sheet is active.
  if (SECCustomToolBar* form = FindToolBar(resources::IDR_TOOLBAR_FORM)) {
    m_bFormVisibleAtStart = form->IsVisible();
    ShowControlBar(form, FALSE, FALSE);
  }

  // The sheets show as tabs; the settings may switch them off later.
  SetWorkbookMode(TRUE);
  LoadPlacement();
  m_pMouseManager->AddContext(kMouseContextText, "Arkusz z tekstem", resources::IDS_WORK_DOCUMENT);
  m_pMouseManager->AddContext(kMouseContextPicture, "Arkusz z rysunkiem", resources::IDS_PICTURE_DOCUMENT);
  m_pMouseManager->LoadFromRegistry(kMouseValue);
  LoadToolList(SECToolListFileName(), m_userTools);
  LoadKeyBindings();
  RegisterTopicDropTarget();
  return 0;
}

void CMainFrame::RegisterTopicDropTarget() { m_dropTarget.Register(this); }

BOOL CMainFrame::CreateToolBars() {
  const auto tables = resources::main_toolbars();
  if (tables.size() < size_t(kToolBarCount)) return FALSE;
  // The bars' window buttons (the query box) report to the frame wherever the bars are docked.
  m_pToolBarManager = std::make_unique<SECToolBarManager>(this, this);
  if (!m_pToolBarManager->LoadToolBarBitmaps(resources::IDR_MAINFRAME, resources::IDR_MAINFRAME)) return FALSE;
  m_pToolBarManager->SetButtonMap(kButtonMap);
  // "Standardowy" first on the top row, the next three after it on the same row; "Formularz"
  // docks only at the top or bottom and starts floating and hidden.
  for (int i = 0; i < kToolBarCount; ++i) {
    const resources::MainToolBar& table = tables[size_t(i)];
    const bool form = i == kFormToolBar;
    const UINT beside = i == 0 ? 0 : tables[size_t(i - 1)].id;
    m_pToolBarManager->DefineToolBar(table.id, FromUtf8(table.utf8_title), int(table.commands.size()),
                                     table.commands.data(), form ? CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM : CBRS_ALIGN_ANY,
                                     AFX_IDW_DOCKBAR_TOP, beside, !form, !form);
  }
  m_pToolBarManager->EnableCoolLook(TRUE);
  SetControlBarManager(m_pToolBarManager.get());

  // The position field shows its labels, in the frame's 8-point font.
  if (!m_fieldFont.GetSafeHandle() && !m_fieldFont.CreatePointFont(80, "Arial")) return FALSE;
  CGSToolbarEditBtn::SetFieldFont(static_cast<HFONT>(m_fieldFont.GetSafeHandle()));
  auto field = std::make_unique<CGSToolbarEditBtnData>();
  field->nID = int(resources::ID_PICTURE_POSITION);
  field->nWidth = kPositionFieldWidth;
  field->bLabels = 1;
  CGSToolbarEditBtnDataCache::Instance().Add(std::move(field));
  return TRUE;
}

std::vector<SECCustomToolBar*> CMainFrame::ToolBarsInMenuOrder() const {
  std::vector<SECCustomToolBar*> bars;
  if (!m_pToolBarManager) return bars;
  for (const auto& def : m_pToolBarManager->Definitions()) {
    if (SECCustomToolBar* bar = m_pToolBarManager->FindBarByID(def->nBarID)) bars.push_back(bar);
  }
  for (SECCustomToolBar* bar : m_pToolBarManager->GetBars()) {
    if (std::find(bars.begin(), bars.end(), bar) == bars.end()) bars.push_back(bar);
  }
  return bars;
}

BOOL CMainFrame::CreateStatusBar() {
  if (!m_wndStatusBar.Create(this, GSSB_PROGRESS, 1) ||
      !m_wndStatusBar.SetIndicators(kIndicators, int(std::size(kIndicators)))) {
    return FALSE;
  }
  m_wndStatusBar.SetPaneText(0, m_strIdleText);
  return TRUE;
}

BOOL CMainFrame::CreateDockingBars() {
  constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
  // Context menu, margin, floating inside the main window, flat, gripper, close and expand buttons.
  constexpr DWORD kExStyle = 0x0F31;
  constexpr DWORD kDocking = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM;
  const UINT navigator = SECControlBar::GetUniqueBarId(this, 100);
  if (!m_wndNavigator.Create(this, "Nawigator", kStyle | CBRS_BOTTOM, kExStyle, navigator)) return FALSE;
  const UINT contents = SECControlBar::GetUniqueBarId(this, 100);
  if (!m_wndContents.Create(this, "Spisy", kStyle | CBRS_LEFT, kExStyle, contents)) return FALSE;
  m_pNavigatorBar = &m_wndNavigator;
  m_pContentsBar = &m_wndContents;
  m_wndNavigator.EnableDocking(kDocking);
  m_wndContents.EnableDocking(kDocking);
  DockControlBarSized(&m_wndNavigator, AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 1.0f, kNavigatorHeight);
  if (m_wndNavigator.IsVisible()) ShowControlBar(&m_wndNavigator, FALSE, FALSE);
  DockControlBarSized(&m_wndContents, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, kContentsWidth);
  return TRUE;
}

void CMainFrame::LoadKeyBindings() {
  SECKeyBindingTable table;  // the frame's own table, which becomes the defaults
  if (table.LoadFromFile()) table.ApplyToFrame();
}

// --- Bars ------------------------------------------------------------------------------------------

SECCustomToolBar* CMainFrame::GetToolBar(int index) const {
  const std::vector<SECCustomToolBar*> bars = ToolBarsInMenuOrder();
  return index >= 0 && index < int(bars.size()) ? bars[size_t(index)] : nullptr;
}

SECCustomToolBar* CMainFrame::FindToolBar(UINT nID) const {
  return m_pToolBarManager ? m_pToolBarManager->FindBarByID(nID) : nullptr;
}

void CMainFrame::ToggleBar(CControlBar* pBar) {
  if (!pBar) return;
  ShowControlBar(pBar, !pBar->IsVisible(), FALSE);
}

void CMainFrame::BuildBarMenu(CMenu& menu) const {
  int count = 0;
  for (SECCustomToolBar* bar : ToolBarsInMenuOrder()) {
    if (count == kMaxMenuToolBars) {
      menu.AppendMenu(MF_STRING, resources::ID_MORE_TOOLBARS, FromUtf8("Więcej pasków..."));
      break;
    }
    CString title;
    bar->GetWindowText(title);
    menu.AppendMenu(MF_STRING | (bar->IsVisible() ? MF_CHECKED : MF_UNCHECKED), resources::ID_TOOLBAR_FIRST + count,
                    title);
    ++count;
  }
  const auto checked = [](CControlBar* bar) { return bar && bar->IsVisible() ? MF_CHECKED : MF_UNCHECKED; };
  menu.AppendMenu(MF_STRING | checked(m_pNavigatorBar), resources::ID_VIEW_NAVIGATOR_BAR, "Nawigator");
  menu.AppendMenu(MF_STRING | checked(m_pContentsBar), resources::ID_VIEW_CONTENTS_BAR, "Spisy");
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_STRING, resources::ID_TOOLBARS_DIALOG, FromUtf8("Paski narzędzi..."));
  menu.AppendMenu(MF_STRING, resources::ID_CUSTOMIZE_DIALOG, "&Dostosuj...");
}

void CMainFrame::OnContextMenu(CWnd* pWnd, CPoint point) {
  // Only a click on a bar area has the bar menu.
  auto* bar = dynamic_cast<CControlBar*>(pWnd);
  if (!bar) {
    Default();
    return;
  }
  CMenu menu;
  if (!menu.CreatePopupMenu()) return;
  BuildBarMenu(menu);
  menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CMainFrame::OnToggleToolBar(UINT nID) { ToggleBar(GetToolBar(int(nID - resources::ID_TOOLBAR_FIRST))); }

void CMainFrame::OnUpdateToggleToolBar(CCmdUI* pCmdUI) {
  SECCustomToolBar* bar = GetToolBar(int(pCmdUI->m_nID - resources::ID_TOOLBAR_FIRST));
  pCmdUI->Enable(bar != nullptr);
  pCmdUI->SetCheck(bar && bar->IsVisible());
}

void CMainFrame::OnViewNavigator() { ToggleDockingBar(m_pNavigatorBar); }
void CMainFrame::OnUpdateViewNavigator(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pNavigatorBar != nullptr);
  pCmdUI->SetCheck(m_pNavigatorBar && m_pNavigatorBar->IsVisible());
}
void CMainFrame::OnViewContents() { ToggleDockingBar(m_pContentsBar); }
void CMainFrame::OnUpdateViewContents(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pContentsBar != nullptr);
  pCmdUI->SetCheck(m_pContentsBar && m_pContentsBar->IsVisible());
}

// --- Placement -------------------------------------------------------------------------------------

BOOL CMainFrame::LoadPlacement() {
  const std::optional<WINDOWPLACEMENT> wp = frame_placement::Load(kPlacementValue);
  if (!wp) return FALSE;
  if (!::SetWindowPlacement(m_hWnd, &*wp)) return FALSE;
  // A window that was maximised comes back maximised when the program shows it.
  if ((wp->flags & WPF_RESTORETOMAXIMIZED) != 0) {
    if (CWinApp* app = AfxGetApp()) app->m_nCmdShow = SW_SHOWMAXIMIZED;
  }
  return TRUE;
}

void CMainFrame::SavePlacement() { frame_placement::Store(m_hWnd, kPlacementValue); }

// --- Window modes ----------------------------------------------------------------------------------

void CMainFrame::SetFullScreen(BOOL bFull) {
  if (bool(bFull) == bool(m_bFullScreen)) return;
  if (bFull) {
    SetAlwaysOnTop(FALSE);
    ShowControlBar(&m_wndStatusBar, FALSE, FALSE);
    if (m_pNavigatorBar && m_pNavigatorBar->IsVisible()) ShowControlBar(m_pNavigatorBar, FALSE, FALSE);
    ::GetWindowPlacement(m_hWnd, &m_savedPlacement);
    HMONITOR monitor = ::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
    if (!::GetMonitorInfo(monitor, &info)) return;
    // The borders, caption and menu lie outside the screen.
    RECT frame{0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, DWORD(GetStyle()), ::GetMenu(m_hWnd) != nullptr, DWORD(GetExStyle()));
    const RECT outside{-frame.left, -frame.top, frame.right, frame.bottom};
    m_rectFullScreen = frame_placement::FullScreenRect(info.rcMonitor, outside);
    m_bFullScreen = TRUE;
    WINDOWPLACEMENT wp = m_savedPlacement;
    wp.showCmd = SW_SHOWNORMAL;
    wp.rcNormalPosition = m_rectFullScreen;
    ::SetWindowPlacement(m_hWnd, &wp);
  } else {
    m_bFullScreen = FALSE;
    ShowControlBar(&m_wndStatusBar, TRUE, FALSE);
    ::SetWindowPlacement(m_hWnd, &m_savedPlacement);
  }
  RecalcLayout();
}

BOOL CMainFrame::SetAlwaysOnTop(BOOL bOnTop) {
  if (m_bFullScreen) return FALSE;
  m_bAlwaysOnTop = bOnTop;
  ::SetWindowPos(m_hWnd, bOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return TRUE;
}

void CMainFrame::OnFullScreen() { SetFullScreen(!m_bFullScreen); }
void CMainFrame::OnUpdateFullScreen(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bFullScreen); }
void CMainFrame::OnAlwaysOnTop() { SetAlwaysOnTop(!m_bAlwaysOnTop); }
void CMainFrame::OnUpdateAlwaysOnTop(CCmdUI* pCmdUI) {
  pCmdUI->Enable(!m_bFullScreen);
  pCmdUI->SetCheck(m_bAlwaysOnTop && !m_bFullScreen);
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  SECWorkbook::OnGetMinMaxInfo(lpMMI);
  if (m_bFullScreen) {
    lpMMI->ptMaxSize = {m_rectFullScreen.Width(), m_rectFullScreen.Height()};
    lpMMI->ptMaxTrackSize = lpMMI->ptMaxSize;
  }
  lpMMI->ptMinTrackSize = {kMinTrackWidth, kMinTrackHeight};
}

BOOL CMainFrame::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (pWnd == this && nHitTest == HTCLIENT) {
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
  }
  return SECWorkbook::OnSetCursor(pWnd, nHitTest, message);
}

// --- Status messages -------------------------------------------------------------------------------

void CMainFrame::GetMessageString(UINT nID, CString& rMessage) const {
  if (nID == AFX_IDS_IDLEMESSAGE) {
    rMessage = m_strIdleText;
    return;
  }
  SECWorkbook::GetMessageString(nID, rMessage);
}

// --- Sheets ----------------------------------------------------------------------------------------

CString CMainFrame::GetSheetLabel(SECWorksheet* pSheet) const {
  CString label = SECWorkbook::GetSheetLabel(pSheet);
  if (label.IsEmpty() && pSheet && pSheet->m_hWnd) pSheet->GetWindowText(label);
  return label;
}

LRESULT CMainFrame::OnSheetsChanged(WPARAM, LPARAM) {
  if (CLumoKALDoc* work = GetWorkDocument()) {
    if (!work->GetCurrentView()) work->FindActiveTextView();
    if (!work->GetCurrentPictureView()) work->FindActivePictureView();
  }
  RecalcLayout();
  return 0;
}

// --- Context menus ---------------------------------------------------------------------------------

void CMainFrame::TrackContextMenu(CMenu* pMenu, CPoint point, CWnd* pTarget) {
  if (!pMenu || !pTarget) return;
  m_pMenuTarget = pTarget;
  const HWND target = pTarget->m_hWnd;
  const UINT command = UINT(pMenu->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, this));
  m_pMenuTarget = nullptr;
  // The target may have gone while the menu was up.
  if (command != 0 && ::IsWindow(target)) ::PostMessage(target, WM_COMMAND, command, 0);
}

void CMainFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  // A tracked context menu's items are the target's to enable and check.
  if (m_pMenuTarget && !bSysMenu) {
    framework::update_menu_popup(m_pMenuTarget, pPopupMenu, TRUE);
    return;
  }
  // The tools menu lists the user tools.
  if (!bSysMenu && pPopupMenu && IsToolsMenu(pPopupMenu)) {
    UpdateToolsMenu(pPopupMenu, resources::ID_USER_TOOL_FIRST, m_userTools);
  }
  SECWorkbook::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

// --- Options and about -----------------------------------------------------------------------------

void CMainFrame::OnOptions() {
  CLumoApp* app = LumoApp();
  if (!app) return;
  COptionsSheet sheet(this);
  sheet.ReadSettings(app->GetUserData());
  if (sheet.DoModal() != IDOK) return;
  sheet.WriteSettings(app->GetUserData());
  SetWorkbookMode(app->GetUserData().m_nWorkbookMode != 0);
  m_wndStatusBar.SetLegalStateTime(app->GetUserData().m_tLibraryDate);
  if (CLumoKALDoc* work = GetWorkDocument()) {
    work->UpdateBinderShading(m_pContentsBar ? m_pContentsBar->GetShadingGroup() : nullptr);
    work->SetDisplayMode(m_nDisplayMode);
  }
}

// The find / go-to sheet on the page of the command (made on first use).
void CMainFrame::OnQuery() { CGTFSheet::Open(this, CGTFSheet::kQueryTab); }
void CMainFrame::OnFindInAct() { CGTFSheet::Open(this, CGTFSheet::kFindTab); }
void CMainFrame::OnGoTo() { CGTFSheet::Open(this, CGTFSheet::kGotoTab); }

// --- Close -----------------------------------------------------------------------------------------

void CMainFrame::OnClose() {
  if (CLumoKALDoc* work = GetWorkDocument(); work && work->IsModified()) {
    if (!work->SaveModified()) return;
    work->SetModifiedFlag(FALSE);
  }
  if (SECCustomToolBar* form = FindToolBar(resources::IDR_TOOLBAR_FORM)) {
    ShowControlBar(form, m_bFormVisibleAtStart, FALSE);
  }
  m_pMouseManager->SaveToRegistry(kMouseValue);
  m_pToolBarManager->SaveStateToProfile(kLayoutName);
  // The placement from before full screen is the one stored.
  SetFullScreen(FALSE);
  SavePlacement();
  SECWorkbook::OnClose();
}
