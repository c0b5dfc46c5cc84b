#include "shell/main_frame.h"

#include <algorithm>
#include <iterator>

#include "platform/base/cp1250.h"
#include "platform/controls/common_controls.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/menu.h"
#include "platform/framework/view.h"
#include "platform/win/cmd_ui.h"
#include "platform/res/resource_store.h"
#include "platform/shell/services.h"
#include "platform/win/monitors.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/frame_placement.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/options_sheet.h"
#include "toolkit/frame/registry.h"
#include "toolkit/widgets/key_binding_table.h"

namespace {

constexpr const char* kProgramKey = "Software\\Fenwar\\LumoKAL";

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

// Window buttons of the toolbars: the query box and the picture position field, with their widths.
struct WindowButton {
  UINT id;
  int width;
};
constexpr WindowButton kWindowButtons[] = {{resources::ID_SEARCH_QUERY_BOX, 160}, {resources::ID_PICTURE_POSITION, 255}};

constexpr int kFormToolBar = 4;  // "Formularz" among the five
constexpr int kMaxMenuToolBars = 9;
constexpr int kNavigatorHeight = 150;
constexpr int kContentsWidth = 265;
constexpr int kMinTrackWidth = 640;
constexpr int kMinTrackHeight = 480;

CString FromUtf8(const char* text) { return CString(base::cp1250::from_utf8(text)); }

// The place of `command` among the images of the button strip, or -1.
int ImageOf(UINT command) {
  const res::ToolBarResource* strip = res::find_toolbar(resources::IDR_MAINFRAME);
  if (!strip) return -1;
  int image = 0;
  for (UINT id : strip->commands) {
    if (id == command) return image;
    if (id != 0) ++image;
  }
  return -1;
}

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
END_MESSAGE_MAP()

CMainFrame::CMainFrame() {
  CString text;
  if (AfxLoadString(resources::IDS_IDLE_PROMPT, text)) m_strIdleText = text.SpanExcluding("\n");
  m_pMouseManager = std::make_unique<CGSMouseManager>();
  EnableBitmapMenus(TRUE, TRUE);
}

CMainFrame::~CMainFrame() { DeleteToolList(m_userTools); }

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

  LoadBarState(kLayoutName);
  // "Formularz" shows only while a picture sheet is active.
  CToolBar* form = m_toolBars[kFormToolBar].get();
  m_bFormVisibleAtStart = form->IsVisible();
  ShowControlBar(form, FALSE, FALSE);

  // The sheets show as tabs; the settings may switch them off later.
  SetWorkbookMode(TRUE);
  LoadPlacement();
  m_pMouseManager->AddContext(kMouseContextText, "Arkusz z tekstem", resources::IDS_WORK_DOCUMENT);
  m_pMouseManager->AddContext(kMouseContextPicture, "Arkusz z rysunkiem", resources::IDS_PICTURE_DOCUMENT);
  m_pMouseManager->LoadFromRegistry(kMouseValue);
  LoadToolList(SECToolListFileName(), m_userTools);
  LoadKeyBindings();
  return 0;
}

BOOL CMainFrame::CreateToolBars() {
  int index = 0;
  CToolBar* previous = nullptr;
  for (const resources::MainToolBar& table : resources::main_toolbars()) {
    if (index == kToolBarCount) break;
    auto bar = std::make_unique<CToolBar>();
    const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    if (!bar->CreateEx(this, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), table.id) ||
        !bar->LoadBitmap(resources::IDR_MAINFRAME) ||
        !bar->SetButtons(table.commands.data(), int(table.commands.size()))) {
      return FALSE;
    }
    bar->SetSizes(CSize(resources::kButtonWidth + 7, resources::kButtonHeight + 7),
                  CSize(resources::kButtonWidth, resources::kButtonHeight));
    for (int i = 0; i < int(table.commands.size()); ++i) {
      const UINT id = table.commands[size_t(i)];
      if (id == 0) continue;
      const auto window = std::find_if(std::begin(kWindowButtons), std::end(kWindowButtons),
                                       [id](const WindowButton& w) { return w.id == id; });
      if (window != std::end(kWindowButtons)) {
        bar->SetButtonInfo(i, id, TBBS_SEPARATOR, window->width);
      } else {
        bar->SetButtonInfo(i, id, TBBS_BUTTON, std::max(ImageOf(id), 0));
      }
    }
    bar->SetWindowText(FromUtf8(table.utf8_title));
    const bool form = index == kFormToolBar;
    bar->EnableDocking(form ? CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM : CBRS_ALIGN_ANY);
    if (!form) {
      if (!previous) {
        DockControlBar(bar.get(), AFX_IDW_DOCKBAR_TOP);
      } else {
        // Beside the bar before, on the same row.
        RecalcLayout(TRUE);
        CRect rect;
        previous->GetWindowRect(&rect);
        rect.OffsetRect(rect.Width() + 1, 0);
        DockControlBar(bar.get(), AFX_IDW_DOCKBAR_TOP, &rect);
      }
      previous = bar.get();
    } else {
      CRect rect;
      previous->GetWindowRect(&rect);
      FloatControlBar(bar.get(), CPoint(rect.left, rect.bottom + 40), CBRS_ALIGN_TOP);
      ShowControlBar(bar.get(), FALSE, FALSE);
    }
    m_toolBars[size_t(index++)] = std::move(bar);
  }
  if (index != kToolBarCount) return FALSE;

  // The query box stands in its place on "Standardowy".
  CToolBar* standard = m_toolBars[0].get();
  const int place = standard->CommandToIndex(resources::ID_SEARCH_QUERY_BOX);
  if (place >= 0) {
    CRect rect;
    standard->GetItemRect(place, &rect);
    rect.bottom = rect.top + 200;
    m_pQueryBox = std::make_unique<CComboBox>();
    if (!m_pQueryBox->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, rect, standard,
                             resources::ID_SEARCH_QUERY_BOX)) {
      return FALSE;
    }
    m_pQueryBox->SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
  }
  return TRUE;
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

CToolBar* CMainFrame::GetToolBar(int index) const {
  return index >= 0 && index < kToolBarCount ? m_toolBars[size_t(index)].get() : nullptr;
}

CToolBar* CMainFrame::FindToolBar(UINT nID) const {
  for (const auto& bar : m_toolBars) {
    if (bar && UINT(bar->GetDlgCtrlID()) == nID) return bar.get();
  }
  return nullptr;
}

void CMainFrame::ToggleBar(CControlBar* pBar) {
  if (!pBar) return;
  ShowControlBar(pBar, !pBar->IsVisible(), FALSE);
}

void CMainFrame::BuildBarMenu(CMenu& menu) const {
  int count = 0;
  for (const auto& bar : m_toolBars) {
    if (!bar) continue;
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
  CToolBar* bar = GetToolBar(int(pCmdUI->m_nID - resources::ID_TOOLBAR_FIRST));
  pCmdUI->Enable(bar != nullptr);
  pCmdUI->SetCheck(bar && bar->IsVisible());
}

void CMainFrame::OnViewNavigator() { ToggleBar(m_pNavigatorBar); }
void CMainFrame::OnUpdateViewNavigator(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pNavigatorBar != nullptr);
  pCmdUI->SetCheck(m_pNavigatorBar && m_pNavigatorBar->IsVisible());
}
void CMainFrame::OnViewContents() { ToggleBar(m_pContentsBar); }
void CMainFrame::OnUpdateViewContents(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pContentsBar != nullptr);
  pCmdUI->SetCheck(m_pContentsBar && m_pContentsBar->IsVisible());
}

// --- Placement -------------------------------------------------------------------------------------

BOOL CMainFrame::LoadPlacement() {
  SECRegistry registry;
  CString text;
  if (!registry.Connect(HKEY_LOCAL_MACHINE) || !registry.Open(kProgramKey, KEY_READ) ||
      !registry.QueryStringValue(kPlacementValue, text)) {
    return FALSE;
  }
  registry.Close();
  const std::optional<WINDOWPLACEMENT> wp = frame_placement::Usable(text.view(), win::screen_areas());
  if (!wp) return FALSE;
  if (!::SetWindowPlacement(m_hWnd, &*wp)) return FALSE;
  // A window that was maximised comes back maximised when the program shows it.
  if ((wp->flags & WPF_RESTORETOMAXIMIZED) != 0) {
    if (CWinApp* app = AfxGetApp()) app->m_nCmdShow = SW_SHOWMAXIMIZED;
  }
  return TRUE;
}

void CMainFrame::SavePlacement() {
  WINDOWPLACEMENT wp;
  if (!::GetWindowPlacement(m_hWnd, &wp)) return;
  wp.flags = ::IsZoomed(m_hWnd) ? WPF_RESTORETOMAXIMIZED : 0;
  SECRegistry registry;
  if (!registry.Connect(HKEY_LOCAL_MACHINE) || !registry.Create(kProgramKey)) return;
  registry.SetStringValue(kPlacementValue, CString(frame_placement::Format(wp)));
  registry.Close();
}

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
}

// --- Close -----------------------------------------------------------------------------------------

void CMainFrame::OnClose() {
  if (CLumoKALDoc* work = GetWorkDocument(); work && work->IsModified()) {
    if (!work->SaveModified()) return;
    work->SetModifiedFlag(FALSE);
  }
  if (CToolBar* form = m_toolBars[kFormToolBar].get()) ShowControlBar(form, m_bFormVisibleAtStart, FALSE);
  m_pMouseManager->SaveToRegistry(kMouseValue);
  SaveBarState(kLayoutName);
  // The placement from before full screen is the one stored.
  SetFullScreen(FALSE);
  SavePlacement();
  SECWorkbook::OnClose();
}
