// The toolkit's MDI frame: its dock bars, docking at a side with a share and a length, the dock bar
// chosen without an id, floating and docking back, hiding and showing bars and their frames, bars
// floating inside the MDI client (cascade, close, toggling), the bar menu's extra item, command
// routing, the plug-ins, activation and the caption painter; pictures of it all.
#include <QImage>

#include "platform/framework/menu.h"
#include "platform/framework/status_bar.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/win/window_dc.h"
#include "tests/support/surface_png.h"
#include "tests/toolkit_docking/toolkit_docking_fixture.h"
#include "toolkit/frame/control_bar_manager.h"
#include "toolkit/frame/sec_dock_context.h"
#include "toolkit/frame/toolkit_globals.h"
#include "toolkit/frame/wnd_plugin.h"

namespace lumo::test {

// A plug-in that answers one message itself and keeps the frame from seeing it.
class CountingPlugIn : public SECWndPlugIn {
 public:
  static int alive;
  int seen = 0;
  CountingPlugIn() { ++alive; }
  ~CountingPlugIn() override { --alive; }

 protected:
  afx_msg LRESULT OnProbe(WPARAM, LPARAM) {
    ++seen;
    m_bExitDefault = TRUE;
    SetWndMsgResult(77);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
int CountingPlugIn::alive = 0;
constexpr UINT kProbe = WM_APP + 40;
BEGIN_MESSAGE_MAP(CountingPlugIn, SECWndPlugIn)
  ON_MESSAGE(kProbe, &CountingPlugIn::OnProbe)
END_MESSAGE_MAP()

// A window plug-in that takes one command.
class CommandPlugIn : public SECWndPlugIn {
  DECLARE_DYNCREATE(CommandPlugIn)

 public:
  static int commands;

 protected:
  afx_msg void OnAction() { ++commands; }
  DECLARE_MESSAGE_MAP()
};
int CommandPlugIn::commands = 0;
IMPLEMENT_DYNCREATE(CommandPlugIn, SECWndPlugIn)
BEGIN_MESSAGE_MAP(CommandPlugIn, SECWndPlugIn)
  ON_COMMAND(ID_TEST_FRAME, &CommandPlugIn::OnAction)
END_MESSAGE_MAP()

// A frame inside the main window that takes one command.
class CommandHost : public SECControlBarMDIChildWnd {
  DECLARE_DYNCREATE(CommandHost)

 public:
  static int commands;

 protected:
  afx_msg void OnAction() { ++commands; }
  DECLARE_MESSAGE_MAP()
};
int CommandHost::commands = 0;
IMPLEMENT_DYNCREATE(CommandHost, SECControlBarMDIChildWnd)
BEGIN_MESSAGE_MAP(CommandHost, SECControlBarMDIChildWnd)
  ON_COMMAND(ID_TEST_ACTION, &CommandHost::OnAction)
END_MESSAGE_MAP()

// A manager whose bars are being customized.
class ConfiguringManager : public SECControlBarManager {
 public:
  using SECControlBarManager::SECControlBarManager;
  BOOL IsConfigMode() const override { return TRUE; }
};

namespace {

class MDIFrameTest : public ToolkitDockingTest {
 protected:
  // The application's two docking windows where it docks them.
  void dock_application_bars() {
    make(nav, 100, "Nawigator");
    make(lists, 101, "Spisy");
    mdi->DockControlBarSized(&nav, AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 1.0f, 150);
    mdi->DockControlBarSized(&lists, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 265);
    mdi->RecalcLayout();
    pump();
  }
  // The frame holding `bar` inside the MDI client, or null.
  static SECControlBarMDIChildWnd* host_of(const SECControlBar& bar) {
    return bar.GetMDIChildFrame() ? dynamic_cast<SECControlBarMDIChildWnd*>(bar.GetMDIChildFrame()) : nullptr;
  }
  // A window's place in the MDI client.
  CPoint in_client(const CWnd& wnd) const {
    CRect r;
    wnd.GetWindowRect(&r);
    ::ScreenToClient(mdi->m_hWndMDIClient, reinterpret_cast<POINT*>(&r));
    return r.TopLeft();
  }

  ActsBar nav, lists, more[3];
};

TEST_F(MDIFrameTest, DockBarsComeOncePerSideOfTheToolkitsClass) {
  mdi->EnableDocking(CBRS_ALIGN_ANY);
  int count = 0;
  for (HWND child = GetWindow(mdi->m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    if (id >= int(AFX_IDW_DOCKBAR_TOP) && id <= int(AFX_IDW_DOCKBAR_BOTTOM)) ++count;
  }
  EXPECT_EQ(count, 4);
  for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
    EXPECT_NE(sec_dock(id), nullptr) << id;
  }
  EXPECT_EQ(mdi->m_pFloatingFrameClass, RUNTIME_CLASS(SECMiniDockFrameWnd));
}

TEST_F(MDIFrameTest, ApplicationBarsDockAtTheirSidesWithTheirSizes) {
  dock_application_bars();
  CRect client;
  mdi->GetClientRect(&client);
  EXPECT_EQ(entries(sec_dock(AFX_IDW_DOCKBAR_BOTTOM)), "Nawigator |");
  EXPECT_EQ(entries(sec_dock(AFX_IDW_DOCKBAR_LEFT)), "Spisy |");
  EXPECT_TRUE(nav.IsHorzDocked());
  EXPECT_TRUE(lists.IsVertDocked());
  EXPECT_EQ(placed(nav).Height(), 150);
  EXPECT_EQ(placed(lists).Width(), 265);
  // The bottom bar lies along the whole bottom edge; the left one stands above it.
  EXPECT_GE(placed(nav).Width(), client.Width() - 4);
  EXPECT_LE(placed(lists).bottom, placed(nav).top);
  // The frame's inside rectangle is what the bars leave.
  EXPECT_GE(mdi->m_rectInside.left, placed(lists).right);
  EXPECT_LE(mdi->m_rectInside.bottom, placed(nav).top);
  save_frame_picture("mdi_docked.png");
}

TEST_F(MDIFrameTest, WithoutAnIdTheDockBarFollowsTheAlignmentThenTheAllowedSides) {
  // Aligned at the top: the top dock bar.
  make(more[0], 110, "Górny", (kAppBarStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP);
  mdi->DockControlBarAt(&more[0], 0, 0, 0, 1.0f, 80);
  EXPECT_EQ(more[0].m_pDockBar, sec_dock(AFX_IDW_DOCKBAR_TOP));
  // Aligned to two sides, allowed right and left: the first allowed side of the table (left).
  make(more[1], 111, "Boczny", (kAppBarStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
  more[1].EnableDocking(CBRS_ALIGN_RIGHT | CBRS_ALIGN_LEFT);
  mdi->DockControlBarAt(&more[1], 0, 0, 0, 1.0f, 80);
  EXPECT_EQ(more[1].m_pDockBar, sec_dock(AFX_IDW_DOCKBAR_LEFT));
  // Neither: nothing happens.
  make(more[2], 112, "Żaden", kAppBarStyle & ~CBRS_ALIGN_ANY);
  more[2].EnableDocking(0);
  mdi->DockControlBarAt(&more[2], 0, 0, 0, 1.0f, 80);
  EXPECT_EQ(more[2].m_pDockBar, nullptr);
}

TEST_F(MDIFrameTest, FloatingAndDockingBackKeepsTheRowAndTheShare) {
  make(more[0], 110, "Indeksy", (kAppBarStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP);
  make(more[1], 111, "Wyniki", (kAppBarStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP);
  mdi->DockControlBarAt(&more[0], AFX_IDW_DOCKBAR_TOP, 0, 0, 0.7f, 100);
  mdi->DockControlBarAt(&more[1], AFX_IDW_DOCKBAR_TOP, 1, 0, 0.3f, 100);
  mdi->RecalcLayout();
  pump();
  ASSERT_EQ(entries(sec_dock(AFX_IDW_DOCKBAR_TOP)), "Indeksy Wyniki |");
  const float share = more[1].m_fPctWidth;
  EXPECT_NEAR(share, 0.3f, 0.01f);
  more[1].m_pDockContext->ToggleDocking();
  pump();
  ASSERT_TRUE(more[1].IsFloating());
  auto* floating = dynamic_cast<SECMiniDockFrameWnd*>(floating_frame(more[1]));
  ASSERT_NE(floating, nullptr);
  EXPECT_TRUE(floating->IsWindowVisible());
  // Resizable, titled after the bar.
  EXPECT_NE(floating->GetStyle() & WS_THICKFRAME, 0u);
  CString title;
  floating->GetWindowText(title);
  EXPECT_EQ(utf8(title), "Wyniki");
  EXPECT_EQ(entries(sec_dock(AFX_IDW_DOCKBAR_TOP)), "Indeksy (111) |");
  save_frame_picture("mdi_floating.png");
  const HWND floatingWindow = floating->m_hWnd;

  more[1].m_pDockContext->ToggleDocking();
  mdi->RecalcLayout();
  pump();
  EXPECT_FALSE(more[1].IsFloating());
  EXPECT_EQ(entries(sec_dock(AFX_IDW_DOCKBAR_TOP)), "Indeksy Wyniki |");
  // Its saved share comes back and the row is normalized with it as the changed bar.
  EXPECT_NEAR(more[1].m_fPctWidth, share / (1.0f + share), 0.01f);
  // The floating frame it left goes once the queue has run.
  EXPECT_FALSE(IsWindow(floatingWindow));
}

TEST_F(MDIFrameTest, HidingAFloatingBarHidesItsFrameAndShowingBringsItBack) {
  make(more[0], 110, "Zakładki");
  mdi->FloatControlBar(&more[0], frame_point(300, 200), CBRS_ALIGN_TOP);
  CMiniDockFrameWnd* floating = floating_frame(more[0]);
  ASSERT_NE(floating, nullptr);
  EXPECT_TRUE(floating->IsWindowVisible());
  mdi->ShowControlBar(&more[0], FALSE, FALSE);
  EXPECT_FALSE(floating->IsWindowVisible());
  EXPECT_FALSE(more[0].IsWindowVisible());
  mdi->ShowControlBar(&more[0], TRUE, FALSE);
  EXPECT_TRUE(floating->IsWindowVisible());
  EXPECT_TRUE(more[0].IsWindowVisible());
  // Delayed: the bar follows at the next layout.
  mdi->ShowControlBar(&more[0], FALSE, TRUE);
  EXPECT_NE(floating->m_nIdleFlags & idleLayout, 0u);
  // The frame's close hides the bar (the frame with it).
  floating->SendMessage(WM_CLOSE);
  pump();
  EXPECT_FALSE(more[0].IsVisible());
  EXPECT_FALSE(floating->IsWindowVisible());
}

TEST_F(MDIFrameTest, FloatingFramesSystemMenuOffersMovingAndHide) {
  make(more[0], 110, "Zakładki");
  mdi->FloatControlBar(&more[0], frame_point(300, 200), CBRS_ALIGN_TOP);
  CMiniDockFrameWnd* floating = floating_frame(more[0]);
  ASSERT_NE(floating, nullptr);
  HMENU menu = GetSystemMenu(floating->m_hWnd, FALSE);
  ASSERT_NE(menu, nullptr);
  for (UINT gone : {UINT(SC_SIZE), UINT(SC_MINIMIZE), UINT(SC_MAXIMIZE), UINT(SC_RESTORE)}) {
    EXPECT_EQ(GetMenuState(menu, gone, MF_BYCOMMAND), UINT(-1)) << gone;
  }
  char text[64] = {};
  GetMenuString(menu, SC_CLOSE, text, sizeof(text), MF_BYCOMMAND);
  EXPECT_STREQ(text, "&Hide");
}

TEST_F(MDIFrameTest, BarsFloatingInTheMainWindowCascadeAndHideWhenClosed) {
  const char* titles[] = {"Historia", "Zakładki", "Wydruk"};
  for (int i = 0; i < 3; ++i) {
    make(more[i], UINT(110 + i), titles[i], kAppBarStyle, kAppExStyle);
    mdi->FloatControlBarInMDIChild(&more[i], -1, -1, CBRS_ALIGN_TOP);
  }
  const CPoint expected[] = {{30, 30}, {50, 53}, {70, 76}};
  for (int i = 0; i < 3; ++i) {
    SECControlBarMDIChildWnd* host = host_of(more[i]);
    ASSERT_NE(host, nullptr) << i;
    EXPECT_EQ(in_client(*host), expected[i]) << i;
    EXPECT_TRUE(host->IsWindowVisible());
    CString title;
    host->GetWindowText(title);
    EXPECT_EQ(utf8(title), titles[i]);
  }
  save_frame_picture("mdi_float_in_main.png");
  // Closing hides the bar; showing the bar brings the frame back where it was.
  SECControlBarMDIChildWnd* host = host_of(more[0]);
  host->SendMessage(WM_CLOSE);
  pump();
  EXPECT_TRUE(IsWindow(host->m_hWnd));
  EXPECT_FALSE(host->IsWindowVisible());
  EXPECT_FALSE(more[0].IsVisible());
  mdi->ShowControlBar(&more[0], TRUE, FALSE);
  EXPECT_TRUE(host->IsWindowVisible());
  EXPECT_EQ(in_client(*host), expected[0]);
}

TEST_F(MDIFrameTest, CascadeStaysInsideASmallClientArea) {
  // A client area 25 pixels high: every frame goes to its top; the cascade starts again at 30
  // once it passes the client's width less 30.
  CRect window, client;
  mdi->GetWindowRect(&window);
  CRect mdiClient;
  ::GetClientRect(mdi->m_hWndMDIClient, &mdiClient);
  mdi->SetWindowPos(nullptr, 0, 0, window.Width() - mdiClient.Width() + 130, window.Height() - mdiClient.Height() + 25,
                    SWP_NOMOVE | SWP_NOZORDER);
  mdi->RecalcLayout();
  ::GetClientRect(mdi->m_hWndMDIClient, &mdiClient);
  ASSERT_EQ(mdiClient.Size(), CSize(130, 25));
  const int xs[] = {30, 50, 70, 90, 30};
  ActsBar bars[5];
  for (int i = 0; i < 5; ++i) {
    make(bars[i], UINT(120 + i), "Okno");
    mdi->FloatControlBarInMDIChild(&bars[i], -1, -1, CBRS_ALIGN_TOP);
    SECControlBarMDIChildWnd* host = host_of(bars[i]);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(in_client(*host), CPoint(xs[i], 0)) << i;
  }
}

TEST_F(MDIFrameTest, FloatInMainWindowTogglesBackToTheDockedPlace) {
  dock_application_bars();
  auto* context = dynamic_cast<SECBarDockContext*>(lists.m_pDockContext.get());
  ASSERT_NE(context, nullptr);
  context->ToggleMDIFloat();
  pump();
  ASSERT_NE(host_of(lists), nullptr);
  EXPECT_EQ(lists.m_pDockBar->GetParent(), host_of(lists));
  EXPECT_EQ(entries(sec_dock(AFX_IDW_DOCKBAR_LEFT)), "(101) |");
  EXPECT_FALSE(mdi->m_bTogglingMDIFloat);
  context->ToggleMDIFloat();
  mdi->RecalcLayout();
  pump();
  EXPECT_EQ(host_of(lists), nullptr);
  EXPECT_EQ(lists.m_pDockBar, sec_dock(AFX_IDW_DOCKBAR_LEFT));
  EXPECT_EQ(entries(sec_dock(AFX_IDW_DOCKBAR_LEFT)), "Spisy |");
  EXPECT_EQ(placed(lists).Width(), 265);
}

TEST_F(MDIFrameTest, BarMenuOffersFloatInMainWindowOnlyToBarsThatAllowIt) {
  dock_application_bars();
  make(more[0], 110, "Stały", kAppBarStyle, kAppExStyle & ~BAREX_MDI_FLOAT);
  for (SECControlBar* bar : {&lists, &more[0]}) {
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_SECBAR_TOGGLE_DOCKING, "Przy krawędzi");
    mdi->SendMessage(WM_SECBAR_CONTEXTMENU, WPARAM(static_cast<CControlBar*>(bar)), LPARAM(&menu));
    const bool offers = (bar->m_dwExStyle & BAREX_MDI_FLOAT) != 0;
    EXPECT_EQ(menu.GetMenuItemCount(), offers ? 3 : 1);
    if (offers) {
      CString text;
      menu.GetMenuString(ID_SECBAR_FLOAT_IN_MAIN, text, MF_BYCOMMAND);
      EXPECT_EQ(utf8(text), "Float In Main Window");
      EXPECT_EQ(menu.GetMenuState(ID_SECBAR_FLOAT_IN_MAIN, MF_BYCOMMAND) & MF_CHECKED, 0u);
    }
  }
  // Floating inside the main window: ticked, and docking greyed.
  mdi->FloatControlBarInMDIChild(&lists, -1, -1, CBRS_ALIGN_TOP);
  CMenu menu;
  menu.CreatePopupMenu();
  menu.AppendMenu(MF_STRING, ID_SECBAR_TOGGLE_DOCKING, "Przy krawędzi");
  mdi->SendMessage(WM_SECBAR_CONTEXTMENU, WPARAM(static_cast<CControlBar*>(&lists)), LPARAM(&menu));
  EXPECT_NE(menu.GetMenuState(ID_SECBAR_FLOAT_IN_MAIN, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_NE(menu.GetMenuState(ID_SECBAR_TOGGLE_DOCKING, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(MDIFrameTest, CommandsGoToTheActiveFrameInsideTheMainWindowAndThePlugInFirst) {
  mdi->m_pMDIFloatFrameClass = RUNTIME_CLASS(CommandHost);
  make(more[0], 110, "Historia");
  mdi->FloatControlBarInMDIChild(&more[0], -1, -1, CBRS_ALIGN_TOP);
  CFrameWnd* host = host_of(more[0]);
  ASSERT_NE(host, nullptr);
  mdi->ActivateFloatingFrame(host);
  EXPECT_EQ(mdi->GetActiveFrame(), host);
  CommandHost::commands = 0;
  mdi->SendMessage(WM_COMMAND, ID_TEST_ACTION);
  EXPECT_EQ(CommandHost::commands, 1);
  mdi->DeactivateFloatingFrame(FALSE);
  EXPECT_EQ(mdi->GetActiveFloatingFrame(), nullptr);

  EXPECT_EQ(mdi->CreateWindowPlugIn(0, 0, nullptr, 0), nullptr);
  SECWndPlugIn* plugIn = mdi->CreateWindowPlugIn(WS_EX_TOOLWINDOW, 0, RUNTIME_CLASS(CommandPlugIn), 0x7F01);
  ASSERT_NE(plugIn, nullptr);
  // It made a hidden pop-up of its own, owned by the frame, before it plugged in; that window is
  // no longer tied to the plug-in, which works through the frame's handle.
  const HWND own = plugIn->GetOwnWindow();
  ASSERT_TRUE(IsWindow(own));
  EXPECT_EQ(DWORD(GetWindowLong(own, GWL_STYLE)) & SEC_PLUGIN_WINDOW_STYLE, SEC_PLUGIN_WINDOW_STYLE);
  EXPECT_EQ(GetWindow(own, GW_OWNER), mdi->m_hWnd);
  EXPECT_FALSE(IsWindowVisible(own));
  EXPECT_EQ(CWnd::FromHandlePermanent(own), nullptr);
  EXPECT_EQ(plugIn->m_hWnd, mdi->m_hWnd);
  CommandPlugIn::commands = 0;
  mdi->SendMessage(WM_COMMAND, ID_TEST_FRAME);
  EXPECT_EQ(CommandPlugIn::commands, 1);
  // A message to its own window reaches nobody's handlers.
  ::SendMessage(own, WM_COMMAND, ID_TEST_FRAME, 0);
  EXPECT_EQ(CommandPlugIn::commands, 1);
  // A second plug-in replaces the first: the first one's window goes with it, the frame stays.
  SECWndPlugIn* second = mdi->CreateWindowPlugIn(0, 0, RUNTIME_CLASS(CommandPlugIn), 0);
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(IsWindow(own));
  const HWND secondOwn = second->GetOwnWindow();
  EXPECT_TRUE(IsWindow(secondOwn));
  // The plug-in only borrowed the frame's window.
  EXPECT_TRUE(IsWindow(mdi->m_hWnd));
  // Closing the frame leaves no window of the plug-in behind.
  app->m_pMainWnd = nullptr;
  mdi->SendMessage(WM_CLOSE);
  pump();
  EXPECT_FALSE(IsWindow(secondOwn));
}

TEST_F(MDIFrameTest, MenuPlugInSeesMessagesFirstAndGoesWithTheClose) {
  auto* plugIn = new CountingPlugIn;
  plugIn->PlugInTo(mdi);
  mdi->m_pMenuPlugIn = plugIn;
  EXPECT_EQ(mdi->SendMessage(kProbe), 77);
  EXPECT_EQ(plugIn->seen, 1);
  // Unplugged, it sees nothing and does nothing.
  plugIn->UnPlug();
  EXPECT_FALSE(plugIn->OnWndMsg(kProbe, 0, 0, nullptr));
  EXPECT_EQ(plugIn->DefWindowProc(WM_GETTEXTLENGTH, 0, 0), 0);
  plugIn->PlugInTo(mdi);
  // Closing deletes it, and the messages of the frame's end no longer reach it.
  app->m_pMainWnd = nullptr;
  HWND h = mdi->m_hWnd;
  ::SendMessage(h, WM_CLOSE, 0, 0);
  pump();
  EXPECT_EQ(CountingPlugIn::alive, 0);
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(MDIFrameTest, ActivationGivesTheActiveViewTheFocusAtOnce) {
  auto owned = std::make_unique<CMultiDocTemplate>(IDR_TEST_DOC, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(SECMDIChildWnd),
                                                   RUNTIME_CLASS(TestView));
  CMultiDocTemplate* docs = owned.get();
  app->AddDocTemplate(owned.release());
  ASSERT_NE(docs->OpenDocumentFile(nullptr), nullptr);
  pump();
  CFrameWnd* child = mdi->GetActiveFrame();
  ASSERT_NE(child, nullptr);
  CView* view = child->GetActiveView();
  ASSERT_NE(view, nullptr);
  ::SetFocus(mdi->m_hWnd);
  ASSERT_NE(GetFocus(), view->m_hWnd);
  mdi->SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), view->m_hWnd);
}

TEST_F(MDIFrameTest, CustomizingBarsKeepsTheFrameStillAndTheMenuKeyAway) {
  CRect window;
  mdi->GetWindowRect(&window);
  const LPARAM onCaption = MAKELPARAM(window.left + 100, window.top + 2);
  const LRESULT normal = mdi->SendMessage(WM_NCHITTEST, 0, onCaption);
  EXPECT_NE(normal, HTERROR);
  SECControlBarManager plain(mdi);
  mdi->SetControlBarManager(&plain);
  EXPECT_EQ(mdi->GetControlBarManager(), &plain);
  EXPECT_EQ(plain.GetFrame(), mdi);
  EXPECT_EQ(mdi->SendMessage(WM_NCHITTEST, 0, onCaption), normal);
  ConfiguringManager configuring(mdi);
  mdi->SetControlBarManager(&configuring);
  EXPECT_EQ(mdi->SendMessage(WM_NCHITTEST, 0, onCaption), HTERROR);
  MSG keyMenu{mdi->m_hWnd, WM_SYSCOMMAND, SC_KEYMENU, 0};
  EXPECT_TRUE(mdi->PreTranslateMessage(&keyMenu));
  mdi->SetControlBarManager(nullptr);
  EXPECT_FALSE(mdi->PreTranslateMessage(&keyMenu));
}

TEST_F(MDIFrameTest, FrameStaysActiveWhileItsFloatingBarIsActiveButNotWhileCustomizing) {
  make(more[0], 110, "Zakładki");
  mdi->FloatControlBar(&more[0], frame_point(300, 200), CBRS_ALIGN_TOP);
  CMiniDockFrameWnd* floating = floating_frame(more[0]);
  ASSERT_NE(floating, nullptr);
  pump();
  ::SetActiveWindow(mdi->m_hWnd);
  pump();
  EXPECT_FALSE(mdi->m_bStayActive);
  ::SetActiveWindow(floating->m_hWnd);
  pump();
  EXPECT_TRUE(mdi->m_bStayActive);
  ::SetActiveWindow(mdi->m_hWnd);
  pump();
  EXPECT_FALSE(mdi->m_bStayActive);
  // Another top-level window takes the activation: nothing keeps the frame active.
  ::SetActiveWindow(floating->m_hWnd);
  HWND other = ::CreateWindowEx(0, test_window_class("stay_active_other", ::DefWindowProc), "Inne", WS_OVERLAPPED | WS_VISIBLE,
                                10, 10, 100, 80, nullptr, nullptr, nullptr);
  ::SetActiveWindow(other);
  pump();
  EXPECT_FALSE(mdi->m_bStayActive);
  ::DestroyWindow(other);
  // Disabled while the bars are customized: the flag goes first.
  ::SetActiveWindow(floating->m_hWnd);
  pump();
  ASSERT_TRUE(mdi->m_bStayActive);
  ConfiguringManager configuring(mdi);
  mdi->SetControlBarManager(&configuring);
  mdi->SendMessage(WM_ENABLE, FALSE, 0);
  EXPECT_FALSE(mdi->m_bStayActive);
  mdi->SendMessage(WM_ENABLE, TRUE, 0);
  mdi->SetControlBarManager(nullptr);
}

TEST_F(MDIFrameTest, MenuRequestGivesThePopupOfAMenuByItsId) {
  static const UINT getMenu = RegisterWindowMessage("WM_SECGETMENU");
  // The frame's own menu id and a menu loaded into the frame's map on first request.
  const auto frameMenu = reinterpret_cast<HMENU>(mdi->SendMessage(getMenu, IDR_TEST_MAIN, 0));
  EXPECT_EQ(frameMenu, mdi->GetMenuForResourceId(IDR_TEST_MAIN) ? GetSubMenu(mdi->GetMenuForResourceId(IDR_TEST_MAIN), 0)
                                                                  : nullptr);
  EXPECT_EQ(mdi->SendMessage(getMenu, 4242, 0), 0);
  EXPECT_EQ(mdi->GetMenuBar(), nullptr);
  EXPECT_FALSE(mdi->HasMenuBar());
}

TEST_F(MDIFrameTest, SizingTheFrameInsideTheMainWindowSizesItsBar) {
  make(more[0], 110, "Historia");
  mdi->FloatControlBarInMDIChild(&more[0], -1, -1, CBRS_ALIGN_TOP);
  SECControlBarMDIChildWnd* host = host_of(more[0]);
  ASSERT_NE(host, nullptr);
  CRect window;
  host->GetWindowRect(&window);
  host->SetWindowPos(nullptr, 0, 0, window.Width() + 60, window.Height() + 40, SWP_NOMOVE | SWP_NOZORDER);
  pump();
  CRect client;
  host->GetClientRect(&client);
  EXPECT_EQ(more[0].m_szFloat.cx, client.Width() + 2 * secData().cxBorder);
  EXPECT_EQ(more[0].m_szFloat.cy, client.Height() + 2 * secData().cyBorder);
}

TEST(CaptionGradient, BandsStepTowardsTheEndColourAndReachTheRightEdge) {
  struct Case {
    int width;
    size_t bands;
    int step;
  };
  for (const Case& c : {Case{120, 60, 2}, Case{125, 60, 2}, Case{30, 30, 1}, Case{1, 1, 1}}) {
    SCOPED_TRACE(c.width);
    const auto bands = caption::Gradient(c.width, RGB(0, 0, 0), RGB(10, 36, 106));
    ASSERT_EQ(bands.size(), c.bands);
    EXPECT_EQ(bands.front().left, 0);
    EXPECT_EQ(bands.front().right, c.step);
    EXPECT_EQ(bands.back().right, c.width);
    EXPECT_EQ(bands.front().colour, RGB(0, 0, 0));
    for (size_t i = 1; i < bands.size(); ++i) {
      EXPECT_EQ(bands[i].left, bands[i - 1].right);
      EXPECT_GE(GetBValue(bands[i].colour), GetBValue(bands[i - 1].colour));
      EXPECT_LE(GetBValue(bands[i].colour), 106);
      EXPECT_LE(GetRValue(bands[i].colour), 10);
    }
  }
  EXPECT_TRUE(caption::Gradient(0, 0, 0).empty());
  // Falling colours step down and stop at the end colour.
  const auto down = caption::Gradient(60, RGB(200, 200, 200), RGB(100, 150, 200));
  EXPECT_GE(GetRValue(down.back().colour), 100);
  EXPECT_LE(GetRValue(down.back().colour), 102);
  // Text: 3 in from the left, centred, right-aligned, never before the start.
  EXPECT_EQ(caption::TextLeft(0, 20, 300, 100), 23);
  EXPECT_EQ(caption::TextLeft(1, 20, 300, 100), 110);
  EXPECT_EQ(caption::TextLeft(2, 20, 300, 100), 197);
  EXPECT_EQ(caption::TextLeft(2, 20, 100, 200), 20);
}

TEST_F(MDIFrameTest, CaptionIsPaintedWithItsGradientAndText) {
  EXPECT_FALSE(mdi->EnableCustomCaption(TRUE));
  EXPECT_FALSE(mdi->m_bCustomCaption);
  mdi->SetWindowText(cp("LumoKAL - Ustawa o ochronie środowiska"));
  CClientDC screen(mdi);
  CDC dc;
  dc.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, 400, 40);
  CBitmap* old = dc.SelectObject(&bitmap);
  mdi->DrawCaption(&dc, CRect(0, 0, 400, 20), TRUE);
  mdi->DrawCaption(&dc, CRect(0, 20, 400, 40), FALSE);
  EXPECT_EQ(dc.GetPixel(1, 1), RGB(0, 0, 0));
  const COLORREF end = ::GetSysColor(COLOR_ACTIVECAPTION);
  const COLORREF right = dc.GetPixel(398, 1);
  EXPECT_NEAR(GetBValue(right), GetBValue(end), 8);
  EXPECT_EQ(dc.GetPixel(398, 38), ::GetSysColor(COLOR_INACTIVECAPTION));
  // White text on the active caption.
  int white = 0;
  for (int x = 0; x < 400; ++x) {
    for (int y = 0; y < 20; ++y) white += dc.GetPixel(x, y) == RGB(255, 255, 255);
  }
  EXPECT_GT(white, 30);
  dc.SelectObject(old);
  QImage image(400, 40, QImage::Format_RGB32);
  {
    CDC probe;
    probe.CreateCompatibleDC(&screen);
    CBitmap* was = probe.SelectObject(&bitmap);
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 400; ++x) {
        const COLORREF c = probe.GetPixel(x, y);
        image.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
      }
    }
    probe.SelectObject(was);
  }
  EXPECT_TRUE(save(image, "mdi_caption.png"));
}

}  // namespace
}  // namespace lumo::test
