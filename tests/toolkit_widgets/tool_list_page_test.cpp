#include "toolkit/widgets/tool_list_page.h"

#include <gtest/gtest.h>

#include <memory>

#include "controls/base/gs_property_sheet.h"
#include "platform/framework/control_messages.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "platform/win/window_dc.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/toolkit_widgets/window_picture.h"

namespace lumo::test {
namespace {

using namespace resources;

class ToolListPageTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    static const bool registered = (resources::register_strings(), resources::register_toolkit_resources(), true);
    (void)registered;
    for (const char* name : {"Notatnik", "Kalkulator"}) {
      auto tool = std::make_unique<SECUserTool>();
      tool->m_strMenuText = name;
      tool->m_strCommand = CString(name) + ".sh";
      tools.push_back(std::move(tool));
    }
  }
  void TearDown() override {
    sheet.reset();
    page.reset();
    pump();
    FrameworkTest::TearDown();
  }
  void open() {
    page = std::make_unique<SECToolListPage>(&tools, IDD_TOOL_LIST_PAGE);
    sheet = std::make_unique<CGSPropertySheet>("Dostosuj");
    sheet->AddPage(page.get());
    ASSERT_TRUE(sheet->Create());
    pump();
  }
  std::vector<std::string> items() {
    std::vector<std::string> out;
    CListBox* list = static_cast<CListBox*>(page->GetDlgItem(IDC_TOOL_LIST));
    for (int i = 0; i < list->GetCount(); ++i) {
      CString text;
      list->GetText(i, text);
      out.push_back(utf8(text));
    }
    return out;
  }
  int selected() { return static_cast<CListBox*>(page->GetDlgItem(IDC_TOOL_LIST))->GetCurSel(); }
  void notify(int id, WORD code) {
    page->SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(page->GetDlgItem(id)->m_hWnd));
  }
  void choose(int index) {
    static_cast<CListBox*>(page->GetDlgItem(IDC_TOOL_LIST))->SetCurSel(index);
    notify(IDC_TOOL_LIST, LBN_SELCHANGE);
  }
  bool enabled(int id) { return page->GetDlgItem(id)->IsWindowEnabled(); }
  std::string field(int id) { return utf8(page->GetDlgItemText(id)); }

  SECUserToolList tools;
  std::unique_ptr<SECToolListPage> page;
  std::unique_ptr<CGSPropertySheet> sheet;
};

TEST_F(ToolListPageTest, ShowsCopiesAndStoresThemInListOrder) {
  open();
  EXPECT_EQ(items(), (std::vector<std::string>{"Notatnik", "Kalkulator"}));
  EXPECT_EQ(selected(), 0);
  EXPECT_EQ(field(IDC_TOOL_COMMAND), "Notatnik.sh");
  EXPECT_FALSE(enabled(IDC_TOOL_UP));
  EXPECT_TRUE(enabled(IDC_TOOL_DOWN));
  // Edits of the chosen tool are kept when another is chosen.
  page->SetDlgItemText(IDC_TOOL_ARGUMENTS, "--nowy");
  choose(1);
  EXPECT_EQ(field(IDC_TOOL_ARGUMENTS), "");
  notify(IDC_TOOL_UP, BN_CLICKED);
  EXPECT_EQ(items(), (std::vector<std::string>{"Kalkulator", "Notatnik"}));
  EXPECT_EQ(selected(), 0);
  // The caller's list changes only when the page's data is stored.
  EXPECT_EQ(tools[0]->m_strMenuText, CString("Notatnik"));
  ASSERT_TRUE(page->UpdateData(TRUE));
  ASSERT_EQ(tools.size(), 2u);
  EXPECT_EQ(tools[0]->m_strMenuText, CString("Kalkulator"));
  EXPECT_EQ(tools[1]->m_strArgs, CString("--nowy"));
  pump();
  // Every label holds its text on one line.
  for (int id : {IDC_TOOL_MENU_TEXT_LABEL, IDC_TOOL_COMMAND_LABEL, IDC_TOOL_ARGUMENTS_LABEL, IDC_TOOL_DIRECTORY_LABEL}) {
    CWnd* label = page->GetDlgItem(id);
    CClientDC dc(label);
    CFont* old = dc.SelectObject(label->GetFont());
    CString text;
    label->GetWindowText(text);
    CRect client;
    label->GetClientRect(&client);
    EXPECT_LE(dc.GetTextExtent(text).cx, client.Width()) << id;
    dc.SelectObject(old);
  }
  ASSERT_TRUE(window_picture(sheet->m_hWnd).save(QString::fromStdString(::testing::TempDir() + "toolkit_models_tools_page.png")));
}

TEST_F(ToolListPageTest, AddsUpToNineToolsAndRenamesThemInPlace) {
  open();
  for (int i = 0; i < 7; ++i) notify(IDC_TOOL_ADD, BN_CLICKED);
  EXPECT_EQ(page->GetToolCount(), 9);
  EXPECT_EQ(items().back(), "(nowe narzędzie)");
  EXPECT_EQ(selected(), 8);
  EXPECT_FALSE(enabled(IDC_TOOL_ADD));
  EXPECT_FALSE(enabled(IDC_TOOL_DOWN));
  notify(IDC_TOOL_ADD, BN_CLICKED);
  EXPECT_EQ(page->GetToolCount(), 9);
  page->SetDlgItemText(IDC_TOOL_MENU_TEXT, cp("Przeglądarka").GetString());
  notify(IDC_TOOL_MENU_TEXT, EN_CHANGE);
  EXPECT_EQ(items()[8], "Przeglądarka");
  EXPECT_EQ(selected(), 8);
  // An empty name is refused when the field is left.
  page->SetDlgItemText(IDC_TOOL_MENU_TEXT, "");
  notify(IDC_TOOL_MENU_TEXT, EN_KILLFOCUS);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text_utf8, "Nazwa, pod jaką narzędzie ma się pojawić w menu, nie może być pusta");
}

TEST_F(ToolListPageTest, RemovingSelectsTheNextOrTheLast) {
  open();
  notify(IDC_TOOL_REMOVE, BN_CLICKED);
  EXPECT_EQ(items(), (std::vector<std::string>{"Kalkulator"}));
  EXPECT_EQ(selected(), 0);
  notify(IDC_TOOL_REMOVE, BN_CLICKED);
  EXPECT_TRUE(items().empty());
  EXPECT_FALSE(enabled(IDC_TOOL_REMOVE));
  EXPECT_FALSE(enabled(IDC_TOOL_COMMAND));
  ASSERT_TRUE(page->UpdateData(TRUE));
  EXPECT_TRUE(tools.empty());
}

}  // namespace
}  // namespace lumo::test
