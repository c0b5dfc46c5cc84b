// Command routing through a chain of targets, update-UI objects and the "has a handler" query;
// notifications and their reflection to the control that sent them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/framework/control_messages.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/cwnd.h"
#include "tests/support/gui_fixture.h"

namespace {

using lumo::test::GuiTest;

constexpr UINT ID_OPEN = 100, ID_PRINT = 101, ID_ABOUT = 102, ID_ZOOM_FIRST = 110,
               ID_ZOOM_LAST = 114, ID_HIDDEN = 120;

std::vector<std::string> g_calls;

// The application: last stop of the route.
class TestApp : public CCmdTarget {
 protected:
  void OnAbout() { g_calls.push_back("app:about"); }
  void OnOpen() { g_calls.push_back("app:open"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestApp, CCmdTarget)
  ON_COMMAND(ID_ABOUT, &TestApp::OnAbout)
  ON_COMMAND(ID_OPEN, &TestApp::OnOpen)
END_MESSAGE_MAP()

class TestDoc : public CCmdTarget {
 public:
  bool print_enabled = false;

 protected:
  void OnPrint() { g_calls.push_back("doc:print"); }
  void OnUpdatePrint(CCmdUI* ui) { ui->Enable(print_enabled); }
  void OnUpdateOpen(CCmdUI* ui) {
    ui->SetCheck(1);
    ui->ContinueRouting();
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestDoc, CCmdTarget)
  ON_COMMAND(ID_PRINT, &TestDoc::OnPrint)
  ON_UPDATE_COMMAND_UI(ID_PRINT, &TestDoc::OnUpdatePrint)
  ON_UPDATE_COMMAND_UI(ID_OPEN, &TestDoc::OnUpdateOpen)
END_MESSAGE_MAP()

// The view routes to its document, then the frame's own map, then the application, as the
// framework's frames and views do.
class TestView : public CWnd {
 public:
  TestDoc* doc = nullptr;
  TestApp* app = nullptr;
  UINT last_zoom = 0;

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* info) override {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, info)) return TRUE;
    if (doc && doc->OnCmdMsg(nID, nCode, pExtra, info)) return TRUE;
    return app && app->OnCmdMsg(nID, nCode, pExtra, info);
  }

 protected:
  void OnOpen() { g_calls.push_back("view:open"); }
  BOOL OnOpenEx(UINT) {
    g_calls.push_back("view:open-ex");
    return FALSE;  // lets routing go on
  }
  void OnZoom(UINT id) { last_zoom = id; }
  void OnUpdateZoom(CCmdUI* ui) { ui->SetRadio(ui->m_nID == ID_ZOOM_FIRST + 2); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestView, CWnd)
  ON_COMMAND_EX(ID_OPEN, &TestView::OnOpenEx)
  ON_COMMAND_RANGE(ID_ZOOM_FIRST, ID_ZOOM_LAST, &TestView::OnZoom)
  ON_UPDATE_COMMAND_UI_RANGE(ID_ZOOM_FIRST, ID_ZOOM_LAST, &TestView::OnUpdateZoom)
END_MESSAGE_MAP()

class Routing : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    g_calls.clear();
    view.doc = &doc;
    view.app = &app;
    ASSERT_TRUE(view.CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  }
  TestApp app;
  TestDoc doc;
  TestView view;
};

TEST_F(Routing, CommandsGoToTheFirstTargetWithAHandler) {
  struct Case {
    UINT id;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {ID_ABOUT, {"app:about"}},
      {ID_OPEN, {"view:open-ex", "app:open"}},  // the extended handler declined
      {ID_HIDDEN, {}},
  };
  for (const Case& c : cases) {
    g_calls.clear();
    view.OnCmdMsg(c.id, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(g_calls, c.calls) << "command " << c.id;
  }
  view.OnCmdMsg(ID_ZOOM_FIRST + 3, CN_COMMAND, nullptr, nullptr);
  EXPECT_EQ(view.last_zoom, ID_ZOOM_FIRST + 3);
}

TEST_F(Routing, HasAHandlerIsAnsweredWithoutRunningIt) {
  AFX_CMDHANDLERINFO info{nullptr, nullptr};
  EXPECT_TRUE(view.OnCmdMsg(ID_PRINT, CN_COMMAND, nullptr, &info));
  EXPECT_EQ(info.pTarget, &doc);
  EXPECT_FALSE(view.OnCmdMsg(ID_HIDDEN, CN_COMMAND, nullptr, &info));
  EXPECT_TRUE(g_calls.empty());
}

TEST_F(Routing, UpdateUiEnablesChecksAndFallsBackToTheHandlerQuery) {
  struct Case {
    UINT id;
    BOOL enabled;
    int check;
  };
  const Case cases[] = {
      {ID_PRINT, FALSE, -1},           // the document's update handler disables it
      {ID_ABOUT, TRUE, -1},            // no update handler, but a command handler
      {ID_HIDDEN, FALSE, -1},          // neither
      {ID_OPEN, TRUE, 1},              // checked by the document, routing went on to the app
      {ID_ZOOM_FIRST + 2, TRUE, 1},    // range handler
      {ID_ZOOM_FIRST + 1, TRUE, 0},
  };
  for (const Case& c : cases) {
    CTestCmdUI ui;
    ui.m_nID = c.id;
    ui.DoUpdate(&view, TRUE);
    EXPECT_EQ(ui.m_bEnabled, c.enabled) << "command " << c.id;
    EXPECT_EQ(ui.m_nCheck, c.check) << "command " << c.id;
  }
  doc.print_enabled = true;
  CTestCmdUI ui;
  ui.m_nID = ID_PRINT;
  ui.DoUpdate(&view, TRUE);
  EXPECT_TRUE(ui.m_bEnabled);
}

TEST_F(Routing, MenuCommandsOfDisabledItemsAreNotRun) {
  view.SendMessage(WM_COMMAND, ID_PRINT, 0);
  EXPECT_TRUE(g_calls.empty());
  doc.print_enabled = true;
  view.SendMessage(WM_COMMAND, ID_PRINT, 0);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"doc:print"}));
}

// A window that answers as a button does and records the check it is given.
class CheckButton : public CWnd {
 public:
  int m_nCheckSeen = -1;

 protected:
  LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override {
    if (message == WM_GETDLGCODE && m_bButton) return DLGC_BUTTON;
    if (message == BM_SETCHECK) m_nCheckSeen = int(w);
    return CWnd::WindowProc(message, w, l);
  }

 public:
  bool m_bButton = true;
};

TEST_F(Routing, UpdateUiDrivesAControlWindow) {
  CheckButton button;
  button.m_bButton = false;
  ASSERT_TRUE(button.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), &view, ID_PRINT));
  CCmdUI ui;
  ui.m_nID = ID_PRINT;
  ui.m_pOther = &button;
  ui.DoUpdate(&view, TRUE);
  EXPECT_FALSE(button.IsWindowEnabled());
  doc.print_enabled = true;
  ui.DoUpdate(&view, TRUE);
  EXPECT_TRUE(button.IsWindowEnabled());
  ui.SetText("Drukuj");
  CString text;
  button.GetWindowText(text);
  EXPECT_EQ(text.str(), "Drukuj");
  // A check reaches a window that says it is a button; the plain window above ignores it.
  ui.SetCheck(1);
  EXPECT_EQ(button.m_nCheckSeen, -1);
  CheckButton check;
  ASSERT_TRUE(check.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), &view, 31));
  ui.m_pOther = &check;
  ui.SetCheck(2);
  EXPECT_EQ(check.m_nCheckSeen, 2);
  ui.SetRadio(FALSE);
  EXPECT_EQ(check.m_nCheckSeen, 0);
}

// A control that handles its own click notification before its parent sees it.
class SelfClickingControl : public CWnd {
 public:
  int clicks = 0;
  int notices = 0;

 protected:
  void OnClicked() { ++clicks; }
  void OnNotice(NMHDR*, LRESULT* result) {
    ++notices;
    *result = 42;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SelfClickingControl, CWnd)
  ON_CONTROL_REFLECT(0, &SelfClickingControl::OnClicked)
  ON_NOTIFY_REFLECT(-2, &SelfClickingControl::OnNotice)
END_MESSAGE_MAP()

class NoticeParent : public CWnd {
 public:
  UINT notified_id = 0;
  LRESULT OnRegistered(WPARAM w, LPARAM) { return LRESULT(w) * 2; }
  static UINT registered;

 protected:
  void OnItemNotice(NMHDR* header, LRESULT* result) {
    notified_id = UINT(header->idFrom);
    *result = 7;
  }
  DECLARE_MESSAGE_MAP()
};
UINT NoticeParent::registered = RegisterWindowMessage("LumoTestNotice");
BEGIN_MESSAGE_MAP(NoticeParent, CWnd)
  ON_NOTIFY(-5, 30, &NoticeParent::OnItemNotice)
  ON_REGISTERED_MESSAGE(NoticeParent::registered, &NoticeParent::OnRegistered)
END_MESSAGE_MAP()

TEST_F(GuiTest, NotificationsReachTheParentOrAreReflectedToTheControl) {
  NoticeParent parent;
  SelfClickingControl control;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
  ASSERT_TRUE(control.CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), &parent, 30));

  parent.SendMessage(WM_COMMAND, MAKEWPARAM(30, 0), reinterpret_cast<LPARAM>(control.m_hWnd));
  EXPECT_EQ(control.clicks, 1);

  NMHDR reflected{control.m_hWnd, 30, UINT(-2)};
  EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 30, reinterpret_cast<LPARAM>(&reflected)), 42);
  EXPECT_EQ(control.notices, 1);

  NMHDR to_parent{control.m_hWnd, 30, UINT(-5)};
  EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 30, reinterpret_cast<LPARAM>(&to_parent)), 7);
  EXPECT_EQ(parent.notified_id, 30u);

  EXPECT_EQ(parent.SendMessage(NoticeParent::registered, 21, 0), 42);
}

// A bar that updates its button from the idle pass, as toolbars and status bars do.
class IdleBar : public CWnd {
 public:
  CCmdTarget* target = nullptr;
  int updates = 0;
  BOOL last_enabled = TRUE;

 protected:
  LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    ++updates;
    CTestCmdUI ui;
    ui.m_nID = ID_PRINT;
    ui.DoUpdate(target, TRUE);
    last_enabled = ui.m_bEnabled;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(IdleBar, CWnd)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &IdleBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

TEST_F(Routing, TheIdlePassUpdatesBarsOfVisibleWindows) {
  CWnd frame;
  IdleBar bar;
  bar.target = &view;
  ASSERT_TRUE(frame.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
  ASSERT_TRUE(bar.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &frame, 1));
  pump();
  EXPECT_GE(bar.updates, 1);
  EXPECT_FALSE(bar.last_enabled);
  doc.print_enabled = true;
  int before = bar.updates;
  PostMessage(frame.m_hWnd, WM_NULL, 0, 0);
  pump();
  EXPECT_GT(bar.updates, before);
  EXPECT_TRUE(bar.last_enabled);
  frame.ShowWindow(SW_HIDE);
  before = bar.updates;
  PostMessage(frame.m_hWnd, WM_NULL, 0, 0);
  pump();
  EXPECT_EQ(bar.updates, before);  // hidden windows are left alone
}

}  // namespace
