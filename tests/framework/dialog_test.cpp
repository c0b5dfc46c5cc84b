// Dialogs from templates: a modal loop with its owner disabled, data exchange and validation,
// keyboard navigation, property sheets that refuse to leave an invalid page, and the context help
// ids that template controls carry.
#include "platform/framework/control_messages.h"
#include "platform/framework/data_exchange.h"
#include "platform/framework/property_sheet.h"
#include "platform/win/context_help.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/framework/scripted_sheet.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

// The value dialog: a number from 1 to 100, a name of at most 10 characters and a check box.
class ValueDialog : public CDialog {
 public:
  explicit ValueDialog(CWnd* parent) : CDialog(IDD_TEST_VALUE, parent) {}
  int m_value = 5;
  CString m_name;
  int m_bold = 0;
  std::function<void(ValueDialog&)> on_init;
  // Runs from inside the dialog's loop once it is shown and has the focus.
  std::function<void(ValueDialog&)> script;

  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_TEST_VALUE, m_value);
    DDV_MinMaxInt(pDX, m_value, 1, 100);
    DDX_Text(pDX, IDC_TEST_NAME, m_name);
    DDV_MaxChars(pDX, m_name, 10);
    DDX_Check(pDX, IDC_TEST_BOLD, m_bold);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    if (on_init) on_init(*this);
    if (script) PostMessage(WM_APP);
    return TRUE;
  }
  afx_msg LRESULT OnScript(WPARAM, LPARAM) {
    script(*this);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ValueDialog, CDialog)
  ON_MESSAGE(WM_APP, &ValueDialog::OnScript)
END_MESSAGE_MAP()

class DialogTest : public FrameworkTest {
 protected:
  CMDIFrameWnd* frame = nullptr;
  void SetUp() override {
    FrameworkTest::SetUp();
    frame = make_main_frame();
    win::set_pre_translate_handler([this](MSG& m) { return app->PreTranslateMessage(&m) != FALSE; });
  }
};

TEST_F(DialogTest, ModalDialogValidatesBeforeItCloses) {
  ValueDialog dialog(frame);
  dialog.m_name = cp("Ustawa");
  std::vector<bool> owner_enabled;
  dialog.on_init = [&](ValueDialog& d) {
    // The members reached the controls.
    EXPECT_EQ(d.GetDlgItemText(IDC_TEST_VALUE).str(), "5");
    EXPECT_EQ(utf8(d.GetDlgItemText(IDC_TEST_NAME)), "Ustawa");
    d.SetDlgItemText(IDC_TEST_VALUE, "500");
    d.PostMessage(WM_COMMAND, IDOK);
  };
  prompter.answers = {IDOK, IDOK};
  prompter.on_message = [&](const std::string&) {
    owner_enabled.push_back(frame->IsWindowEnabled() != FALSE);
    // After the range message the user mends the value; after the text one, the name.
    if (prompter.asked.size() == 1) {
      dialog.SetDlgItemText(IDC_TEST_VALUE, "42");
      dialog.SetDlgItemText(IDC_TEST_NAME, cp("Za długa nazwa"));
    } else {
      dialog.SetDlgItemText(IDC_TEST_NAME, cp("Krótka"));
    }
    dialog.PostMessage(WM_COMMAND, IDOK);
  };
  EXPECT_EQ(dialog.DoModal(), IDOK);
  ASSERT_EQ(prompter.asked.size(), 2u);
  EXPECT_EQ(prompter.asked[0].text_utf8, "Wprowadź liczbę całkowitą z przedziału od 1 do 100.");
  EXPECT_EQ(prompter.asked[1].text_utf8, "Wprowadź nie więcej niż 10 znaków.");
  EXPECT_EQ(owner_enabled, (std::vector<bool>{false, false}));
  EXPECT_EQ(dialog.m_value, 42);
  EXPECT_EQ(utf8(dialog.m_name), "Krótka");
  EXPECT_TRUE(frame->IsWindowEnabled());
  EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(DialogTest, NotANumberIsRefusedAndCancelKeepsTheMembers) {
  ValueDialog dialog(frame);
  dialog.on_init = [](ValueDialog& d) {
    d.SetDlgItemText(IDC_TEST_VALUE, "12a");
    d.PostMessage(WM_COMMAND, IDOK);
  };
  prompter.answers = {IDOK};
  prompter.on_message = [&](const std::string&) { dialog.PostMessage(WM_COMMAND, IDCANCEL); };
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text_utf8, "Wprowadź liczbę całkowitą.");
  EXPECT_EQ(dialog.m_value, 5);
}

TEST_F(DialogTest, KeyboardMovesThroughTabStopsAndPressesButtons) {
  ValueDialog dialog(frame);
  std::vector<int> focus;
  dialog.script = [&](ValueDialog& d) {
    // Focus starts on the first tab stop; Tab, Shift+Tab, typing into the edit, the check box's
    // mnemonic and Enter for the default button.
    EXPECT_EQ(::GetFocus(), d.GetDlgItem(IDC_TEST_VALUE)->m_hWnd);
    d.SetDlgItemText(IDC_TEST_VALUE, "");
    press_key(VK_TAB, '\t');
    press_key(VK_TAB, '\t', win::KeyModifiers{.shift = true});
    type_text("77");
    press_key('P', 'p', win::KeyModifiers{.alt = true});
    press_key(VK_RETURN, '\r');
  };
  win::set_message_observer([&](HWND h, UINT message, WPARAM, LPARAM) {
    int id = ::GetDlgCtrlID(h);
    if (message == WM_SETFOCUS && id >= IDC_TEST_VALUE && id <= IDC_TEST_BOLD && (focus.empty() || focus.back() != id)) {
      focus.push_back(id);
    }
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  win::set_message_observer(nullptr);
  EXPECT_EQ(dialog.m_value, 77);
  EXPECT_EQ(dialog.m_bold, 1);
  EXPECT_EQ(focus, (std::vector<int>{IDC_TEST_VALUE, IDC_TEST_NAME, IDC_TEST_VALUE, IDC_TEST_BOLD}));
}

TEST_F(DialogTest, EscapeCancels) {
  ValueDialog dialog(frame);
  dialog.script = [](ValueDialog&) { press_key(VK_ESCAPE, 0x1B); };
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, ModelessFromAChildTemplateIsAChildOfItsParent) {
  CDialog page;
  ASSERT_TRUE(page.Create(IDD_TEST_PAGE1, frame));
  EXPECT_EQ(::GetParent(page.m_hWnd), frame->m_hWnd);
  EXPECT_TRUE(page.GetStyle() & WS_CHILD);
  EXPECT_FALSE(page.IsWindowVisible());
  CDialog value;
  ASSERT_TRUE(value.Create(IDD_TEST_VALUE, frame));
  EXPECT_FALSE(value.GetStyle() & WS_CHILD);
  page.DestroyWindow();
  value.DestroyWindow();
}

// Page one holds a number that must be positive.
class NumberPage : public CPropertyPage {
 public:
  NumberPage() : CPropertyPage(IDD_TEST_PAGE1) {}
  int m_number = 1;
  int oks = 0;
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_TEST_PAGE_NUMBER, m_number);
    DDV_MinMaxInt(pDX, m_number, 1, 9);
  }
  void OnOK() override {
    ++oks;
    CPropertyPage::OnOK();
  }
};

class CheckPage : public CPropertyPage {
 public:
  CheckPage() : CPropertyPage(IDD_TEST_PAGE2) {}
  int m_show = 0;
  int activations = 0;
  void DoDataExchange(CDataExchange* pDX) override { DDX_Check(pDX, IDC_TEST_PAGE_CHECK, m_show); }
  BOOL OnSetActive() override {
    ++activations;
    return CPropertyPage::OnSetActive();
  }
};

TEST_F(DialogTest, PropertySheetKeepsAnInvalidPage) {
  NumberPage one;
  CheckPage two;
  ScriptedSheet sheet(cp("Ustawienia"), frame);
  sheet.AddPage(&one);
  sheet.AddPage(&two);
  prompter.answers = {IDOK};
  one.m_number = 3;
  sheet.script = [&] {
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(utf8(one.GetCaption()), "Ogólne");
    one.SetDlgItemText(IDC_TEST_PAGE_NUMBER, "0");
    // Leaving the page with a bad number is refused, with the message.
    EXPECT_FALSE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(two.activations, 0);
    one.SetDlgItemText(IDC_TEST_PAGE_NUMBER, "7");
    // A click on the second tab moves there.
    CRect tab = sheet.GetTabRect(1);
    sheet.SendMessage(WM_LBUTTONDOWN, 0, MAKE_POINT_LPARAM(tab.left + 3, tab.top + 3));
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_EQ(two.activations, 1);
    two.CheckDlgButton(IDC_TEST_PAGE_CHECK, 1);
    two.SetModified();
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, int(ID_APPLY_NOW))));
    sheet.PressButton(ID_APPLY_NOW);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, int(ID_APPLY_NOW))));
    sheet.PressButton(IDOK);
  };
  EXPECT_EQ(sheet.DoModal(), IDOK);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text_utf8, "Wprowadź liczbę całkowitą z przedziału od 1 do 9.");
  EXPECT_EQ(one.m_number, 7);
  EXPECT_EQ(two.m_show, 1);
  EXPECT_EQ(one.oks, 2);  // Apply, then OK
}

TEST_F(DialogTest, TemplateControlsCarryTheirContextHelpIds) {
  constexpr UINT kTemplate = 9210;  // 0x23FA
  static const res::DialogControlResource controls[] = {
      {1000, "Static", "&Nazwa:", {7, 7, 50, 17}, WS_VISIBLE, 0},
      {1001, "Edit", "", {55, 7, 120, 19}, WS_VISIBLE | WS_TABSTOP, 0},
      // A template may give a control a help id of its own.
      {UINT(IDOK), "Button", "OK", {130, 7, 180, 21}, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 0xFFFF0001},
  };
  res::add_dialog({kTemplate, "Pomoc", {0, 0, 190, 30}, WS_POPUP | WS_CAPTION, 0, nullptr, 8, controls});
  CDialog dialog;
  ASSERT_TRUE(dialog.Create(kTemplate, frame));
  auto help_id = [](const CWnd& parent, int id) {
    return GetWindowContextHelpId(::GetDlgItem(parent.m_hWnd, id));
  };
  // The usual form: the template id OR 0x8000 in the high word, the control id in the low word.
  EXPECT_EQ(help_id(dialog, 1000), 0xA3FA03E8u);
  EXPECT_EQ(help_id(dialog, 1001), 0xA3FA03E9u);
  EXPECT_EQ(help_id(dialog, IDOK), 0xFFFF0001u);
  EXPECT_EQ(res::dialog_control_help_id(100, 1), 0x80640001u);
  dialog.DestroyWindow();

  // A property page loaded by its template id gets the same.
  NumberPage page;
  CPropertySheet sheet(cp("Ustawienia"), frame);
  sheet.AddPage(&page);
  ASSERT_TRUE(sheet.Create(frame));
  ASSERT_NE(page.m_hWnd, nullptr);
  EXPECT_EQ(help_id(page, IDC_TEST_PAGE_NUMBER), (DWORD(IDD_TEST_PAGE1 | 0x8000) << 16) | DWORD(IDC_TEST_PAGE_NUMBER));
  sheet.DestroyWindow();
}

TEST_F(DialogTest, TemplateControlsShowOnlyWithTheVisibleStyle) {
  constexpr UINT kTemplate = 9211;
  static const res::DialogControlResource controls[] = {
      {1000, "Static", "Widoczny", {7, 7, 50, 17}, WS_VISIBLE, 0},
      {1001, "Edit", "ukryty", {55, 7, 120, 19}, WS_TABSTOP | WS_BORDER, 0},
  };
  res::add_dialog({kTemplate, "Pola", {0, 0, 130, 30}, WS_POPUP | WS_CAPTION, 0, nullptr, 8, controls});
  CDialog dialog;
  ASSERT_TRUE(dialog.Create(kTemplate, frame));
  dialog.ShowWindow(SW_SHOW);
  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dialog.m_hWnd, 1000)));
  HWND hidden = ::GetDlgItem(dialog.m_hWnd, 1001);
  ASSERT_NE(hidden, nullptr);  // made, waiting to be shown
  EXPECT_FALSE(::IsWindowVisible(hidden));
  ::ShowWindow(hidden, SW_SHOW);
  EXPECT_TRUE(::IsWindowVisible(hidden));
  dialog.DestroyWindow();
}

}  // namespace
}  // namespace lumo::test
