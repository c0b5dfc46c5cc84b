// Context help of property pages: the page gives its controls ids made of the control id and its
// template id, and answers F1, right-clicks and the help mode with them.
#include "controls/base/gs_property_page.h"

#include <memory>

#include "controls/base/gs_property_sheet.h"
#include "platform/framework/control_messages.h"
#include "platform/win/context_help.h"
#include "platform/win/virtual_keys.h"
#include "tests/dialog_bases/help_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

constexpr DWORD kYearHelp = 0x862C03F1;         // control 1009 on template 1580
constexpr DWORD kAttachmentsHelp = 0x862C03F2;  // control 1010 on template 1580

class PageHelpTest : public HelpTest {
 protected:
  void open(CPropertyPage& page) {
    sheet = std::make_unique<CGSPropertySheet>("Zakres wyszukiwania");
    sheet->AddPage(&page);
    ASSERT_TRUE(sheet->Create());
    pump();
  }
  void TearDown() override {
    sheet.reset();
    pump();
    HelpTest::TearDown();
  }
  HWND item(CPropertyPage& page, int id) const { return ::GetDlgItem(page.m_hWnd, id); }
  LRESULT hit_test(CPropertyPage& page, HWND over) {
    POINT at = middle_of(over);
    page.ScreenToClient(&at);
    return page.SendMessage(WM_HELPHITTEST, 0, MAKE_POINT_LPARAM(at.x, at.y));
  }

  std::unique_ptr<CGSPropertySheet> sheet;
};

TEST_F(PageHelpTest, EveryWindowOnThePageGetsThePagesHelpId) {
  CGSPropertyPage page(IDD_HELP_PAGE);
  open(page);
  EXPECT_EQ(page.m_nHelpTemplateId, IDD_HELP_PAGE);
  EXPECT_EQ(GetWindowContextHelpId(item(page, IDC_HELP_YEAR)), kYearHelp);
  EXPECT_EQ(GetWindowContextHelpId(item(page, IDC_HELP_ATTACHMENTS)), kAttachmentsHelp);
  EXPECT_EQ(GetWindowContextHelpId(item(page, IDC_HELP_LABEL)), 0x862C03E8u);
}

TEST_F(PageHelpTest, F1AndARightClickAskForTheControlsHelp) {
  CGSPropertyPage page(IDD_HELP_PAGE);
  open(page);
  HWND year = item(page, IDC_HELP_YEAR), attachments = item(page, IDC_HELP_ATTACHMENTS);
  SetFocus(year);
  press_key(VK_F1);
  pump();
  click(year, POINT{4, 4}, win::MouseButton::right);
  pump();
  click(attachments, POINT{4, 4}, win::MouseButton::right);
  pump();
  EXPECT_EQ(asked(), (std::vector<Asked>{{year, IDC_HELP_YEAR, kYearHelp, HELP_WM_HELP, "lumokal.hlp"},
                                         {year, IDC_HELP_YEAR, kYearHelp, HELP_CONTEXTMENU, "lumokal.hlp"},
                                         {attachments, IDC_HELP_ATTACHMENTS, kAttachmentsHelp, HELP_CONTEXTMENU,
                                          "lumokal.hlp"}}));
}

TEST_F(PageHelpTest, ARightClickOutsideEveryControlShowsNothing) {
  CGSPropertyPage page(IDD_HELP_PAGE);
  open(page);
  RECT client;
  page.GetClientRect(&client);
  click(page.m_hWnd, POINT{client.right - 3, client.bottom - 3}, win::MouseButton::right);
  pump();
  EXPECT_TRUE(asked().empty());
}

TEST_F(PageHelpTest, TheHelpModeOverAChildShowsItsHelpAndAnswersMinus2) {
  CGSPropertyPage page(IDD_HELP_PAGE);
  open(page);
  HWND year = item(page, IDC_HELP_YEAR);
  EXPECT_EQ(hit_test(page, year), -2);
  EXPECT_EQ(asked(), (std::vector<Asked>{{year, IDC_HELP_YEAR, kYearHelp, HELP_WM_HELP, "lumokal.hlp"}}));
}

TEST_F(PageHelpTest, AControlMadeAfterInitialisationKeepsItsOwnId) {
  CGSPropertyPage page(IDD_HELP_PAGE);
  open(page);
  HWND later = CreateWindowEx(0, "Button", "Dodaj", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 150, 5, 60, 20,
                              page.m_hWnd, reinterpret_cast<HMENU>(std::uintptr_t(1011)), nullptr);
  ASSERT_TRUE(later);
  EXPECT_EQ(GetWindowContextHelpId(later), 0u);
  SetWindowContextHelpId(later, 0x00990001);
  click(later, POINT{4, 4}, win::MouseButton::right);
  pump();
  EXPECT_EQ(asked(), (std::vector<Asked>{{later, 1011, 0x00990001, HELP_CONTEXTMENU, "lumokal.hlp"}}));
}

TEST_F(PageHelpTest, ADynamicallyCreatedPageHasNoTemplateAndAsksForNoHelp) {
  const CRuntimeClass* cls = RUNTIME_CLASS(CGSPropertyPage);
  EXPECT_STREQ(cls->m_lpszClassName, "CGSPropertyPage");
  EXPECT_EQ(cls->m_pBaseClass, RUNTIME_CLASS(CPropertyPage));
  std::unique_ptr<CObject> made = cls->CreateObject();
  ASSERT_TRUE(made && made->IsKindOf(RUNTIME_CLASS(CGSPropertyPage)));
  auto& page = static_cast<CGSPropertyPage&>(*made);
  EXPECT_EQ(page.m_nHelpTemplateId, 0u);
  EXPECT_EQ(page.m_nIDTemplate, 0u);
  EXPECT_TRUE(page.GetCaption().IsEmpty());

  // Built later from a template of its own, it still has no help id and asks for nothing.
  page.m_nIDTemplate = IDD_PLAIN_PAGE;
  open(page);
  HWND field = item(page, IDC_PLAIN_FIELD);
  ASSERT_TRUE(field);
  SetFocus(field);
  press_key(VK_F1);
  pump();
  click(field, POINT{4, 4}, win::MouseButton::right);
  pump();
  EXPECT_EQ(hit_test(page, field), 0);
  EXPECT_TRUE(asked().empty());
  sheet.reset();
}

}  // namespace
}  // namespace lumo::test
