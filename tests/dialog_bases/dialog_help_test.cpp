// Context help of dialogs: F1, a right-click, the context-menu key and the help mode over their
// controls reach the help service with the control's template help id.
#include "controls/base/gs_dialog.h"

#include <memory>

#include "platform/framework/frame_wnd.h"
#include "platform/win/context_help.h"
#include "platform/win/virtual_keys.h"
#include "tests/dialog_bases/help_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

constexpr DWORD kTitleHelp = 0x806403E9;  // control 1001 on template 100
constexpr DWORD kOkHelp = 0x80640001;     // control 1 on template 100

// Counts the context-menu requests that reach the default handling.
class HelpDialog : public CGSDialog {
 public:
  HelpDialog() : CGSDialog(IDD_HELP_DIALOG) {}
  int defaults = 0;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CONTEXTMENU) ++defaults;
    return CGSDialog::DefWindowProc(message, wParam, lParam);
  }
};

class DialogHelpTest : public HelpTest {
 protected:
  void SetUp() override {
    HelpTest::SetUp();
    dialog = std::make_unique<HelpDialog>();
    ASSERT_TRUE(dialog->Create(IDD_HELP_DIALOG));
    dialog->ShowWindow(SW_SHOW);
    pump();
    title = ::GetDlgItem(dialog->m_hWnd, IDC_HELP_TITLE);
    ok = ::GetDlgItem(dialog->m_hWnd, IDOK);
    label = ::GetDlgItem(dialog->m_hWnd, IDC_HELP_LABEL);
    ASSERT_TRUE(title && ok && label);
  }
  void TearDown() override {
    dialog.reset();
    pump();
    HelpTest::TearDown();
  }
  LRESULT context_menu(HWND about, POINT screen) {
    return dialog->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(about), MAKE_POINT_LPARAM(screen.x, screen.y));
  }

  std::unique_ptr<HelpDialog> dialog;
  HWND title = nullptr, ok = nullptr, label = nullptr;
};

TEST_F(DialogHelpTest, ControlsCarryTheHelpIdsOfTheirTemplate) {
  EXPECT_EQ(GetWindowContextHelpId(ok), kOkHelp);
  EXPECT_EQ(GetWindowContextHelpId(title), kTitleHelp);
  EXPECT_EQ(dialog->GetRuntimeClass(), RUNTIME_CLASS(CDialog));
}

TEST_F(DialogHelpTest, F1AsksForThePopUpHelpOfTheFocusedControlInTheCurrentHelpFile) {
  SetFocus(title);
  press_key(VK_F1);
  pump();
  app->m_pszHelpFilePath = "inny.hlp";
  SetFocus(ok);
  press_key(VK_F1);
  pump();
  EXPECT_EQ(asked(), (std::vector<Asked>{{title, IDC_HELP_TITLE, kTitleHelp, HELP_WM_HELP, "lumokal.hlp"},
                                         {ok, IDOK, kOkHelp, HELP_WM_HELP, "inny.hlp"}}));
}

TEST_F(DialogHelpTest, AMenusHelpRequestIsTakenButShowsNothing) {
  HELPINFO info{sizeof(HELPINFO), HELPINFO_MENUITEM, 57600, nullptr, 0, {0, 0}};
  EXPECT_EQ(dialog->SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info)), TRUE);
  EXPECT_TRUE(asked().empty());
}

TEST_F(DialogHelpTest, ARightClickOnAControlAsksForItsContextMenuHelp) {
  click(ok, POINT{5, 5}, win::MouseButton::right);
  pump();
  // The label lets clicks through to the dialog, which finds the label under the point.
  click(label, POINT{3, 3}, win::MouseButton::right);
  pump();
  // Over no control the dialog itself is named, and it has no help.
  RECT client;
  dialog->GetClientRect(&client);
  click(dialog->m_hWnd, POINT{2, client.bottom - 2}, win::MouseButton::right);
  pump();
  EXPECT_EQ(asked(), (std::vector<Asked>{{ok, IDOK, kOkHelp, HELP_CONTEXTMENU, "lumokal.hlp"},
                                         {dialog->m_hWnd, IDC_HELP_LABEL, 0x806403E8, HELP_CONTEXTMENU, "lumokal.hlp"}}));
  EXPECT_EQ(dialog->defaults, 0);
}

TEST_F(DialogHelpTest, HiddenAndDisabledControlsAnswerForTheirPlace) {
  ::EnableWindow(ok, FALSE);
  ::ShowWindow(title, SW_HIDE);
  context_menu(dialog->m_hWnd, middle_of(ok));
  context_menu(dialog->m_hWnd, middle_of(title));
  EXPECT_EQ(asked(), (std::vector<Asked>{{dialog->m_hWnd, IDOK, kOkHelp, HELP_CONTEXTMENU, "lumokal.hlp"},
                                         {dialog->m_hWnd, IDC_HELP_TITLE, kTitleHelp, HELP_CONTEXTMENU, "lumokal.hlp"}}));
}

TEST_F(DialogHelpTest, ARequestOutsideTheClientAreaGoesToTheDefaultHandling) {
  RECT window;
  dialog->GetWindowRect(&window);
  context_menu(dialog->m_hWnd, POINT{window.left + 20, window.top + 3});  // the caption
  EXPECT_EQ(dialog->defaults, 1);
  // The context-menu key over the dialog itself has no control to name.
  context_menu(dialog->m_hWnd, POINT{-1, -1});
  EXPECT_EQ(dialog->defaults, 2);
  EXPECT_TRUE(asked().empty());
}

TEST_F(DialogHelpTest, TheContextMenuKeyOnAControlAsksForThatControlsHelp) {
  SetFocus(ok);
  press_key(VK_APPS);
  pump();
  EXPECT_EQ(asked(), (std::vector<Asked>{{ok, IDOK, kOkHelp, HELP_CONTEXTMENU, "lumokal.hlp"}}));
  EXPECT_EQ(dialog->defaults, 0);
}

TEST_F(DialogHelpTest, TheHelpModeOverAChildShowsItsHelpAndAnswersMinus2) {
  POINT over_ok = middle_of(ok);
  dialog->ScreenToClient(&over_ok);
  EXPECT_EQ(dialog->SendMessage(WM_HELPHITTEST, 0, MAKE_POINT_LPARAM(over_ok.x, over_ok.y)), -2);
  EXPECT_EQ(asked(), (std::vector<Asked>{{ok, IDOK, kOkHelp, HELP_WM_HELP, "lumokal.hlp"}}));
  // Without a help id the dialog has no help to give.
  dialog->m_nIDHelp = 0;
  EXPECT_EQ(dialog->SendMessage(WM_HELPHITTEST, 0, MAKE_POINT_LPARAM(over_ok.x, over_ok.y)), 0);
  EXPECT_EQ(asked().size(), 1u);
}

// The frame's Shift+F1 mode: a click on the dialog's control is answered by the dialog, so the
// frame asks for no help of its own.
class CommandHelpFrame : public CFrameWnd {
 public:
  int asked = 0;
  afx_msg LRESULT OnCommandHelp(WPARAM, LPARAM) {
    ++asked;
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandHelpFrame, CFrameWnd)
  ON_MESSAGE(WM_COMMANDHELP, &CommandHelpFrame::OnCommandHelp)
END_MESSAGE_MAP()

TEST_F(DialogHelpTest, TheFramesHelpModeReachesTheDialog) {
  auto* frame = new CommandHelpFrame;
  ASSERT_TRUE(frame->Create(nullptr, "Pomoc", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 200, 150)));
  frame->m_nIDHelp = 128;
  dialog->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  pump();
  frame->PostMessage(WM_COMMAND, ID_CONTEXT_HELP);
  when_captured([&] { mouse_down(middle_of(title)); });
  pump();
  mouse_up(middle_of(title));
  pump();
  EXPECT_EQ(asked(), (std::vector<Asked>{{title, IDC_HELP_TITLE, kTitleHelp, HELP_WM_HELP, "lumokal.hlp"}}));
  EXPECT_EQ(frame->asked, 0);
  frame->DestroyWindow();
  pump();
}

}  // namespace
}  // namespace lumo::test
