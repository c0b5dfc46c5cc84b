// The second forms of the shortcut and tools editors: the shortcut editor as a property page and
// the tools editor as a dialog act as their first forms do; the tools' command and folder fields
// are browse edits.
#include <gtest/gtest.h>

#include <memory>

#include "controls/base/gs_property_sheet.h"
#include "platform/controls/hot_key_ctrl.h"
#include "platform/framework/control_messages.h"
#include "platform/win/virtual_keys.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "tests/framework/framework_fixture.h"
#include "tests/toolkit_widgets/window_picture.h"
#include "toolkit/widgets/key_binding_dlg.h"
#include "toolkit/widgets/tool_list_page.h"

namespace lumo::test {
namespace {

using namespace resources;

class EditorFormsTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    static const bool registered = (resources::register_strings(), resources::register_toolkit_resources(), true);
    (void)registered;
    SECKeyBindingTable::ForgetDefaultTable();
  }
  void TearDown() override {
    sheet.reset();
    pump();
    SECKeyBindingTable::ForgetDefaultTable();
    FrameworkTest::TearDown();
  }
  static void notify(CWnd* form, int id, WORD code) {
    form->SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(form->GetDlgItem(id)->m_hWnd));
  }
  static std::vector<std::string> texts(CWnd* form, int id) {
    std::vector<std::string> out;
    CListBox* list = static_cast<CListBox*>(form->GetDlgItem(id));
    for (int i = 0; i < list->GetCount(); ++i) {
      CString text;
      list->GetText(i, text);
      out.push_back(utf8(text));
    }
    return out;
  }
  void save(HWND h, const char* name) {
    pump();
    ASSERT_TRUE(window_picture(h).save(QString::fromStdString(::testing::TempDir() + name)));
  }

  std::unique_ptr<CGSPropertySheet> sheet;
};

TEST_F(EditorFormsTest, TheShortcutPageAssignsAndRemovesAsTheDialogDoes) {
  CMDIFrameWnd* frame = make_main_frame();
  SECCommandCatalog catalog;
  SECKeyBindingTable table;
  SECKeyBindingPage page(&catalog, &table);
  sheet = std::make_unique<CGSPropertySheet>("Dostosuj");
  sheet->AddPage(&page);
  ASSERT_TRUE(sheet->Create(frame));
  pump();
  // The page's template: the editor's controls, no group-box id, no close buttons.
  EXPECT_EQ(page.GetDlgItem(IDC_KEY_DESCRIPTION_GROUP), nullptr);
  EXPECT_EQ(page.GetDlgItem(IDOK), nullptr);
  ASSERT_NE(page.GetDlgItem(IDC_KEY_RESET_ALL), nullptr);
  EXPECT_GT(texts(&page, IDC_KEY_CATEGORIES).size(), 1u);

  notify(&page, IDC_KEY_CATEGORIES, LBN_SELCHANGE);
  static_cast<CListBox*>(page.GetDlgItem(IDC_KEY_CATEGORIES))->SetCurSel(1);
  notify(&page, IDC_KEY_CATEGORIES, LBN_SELCHANGE);
  auto* field = static_cast<CHotKeyCtrl*>(page.GetDlgItem(IDC_KEY_HOTKEY));
  field->SetHotKey('D', HOTKEYF_CONTROL);
  notify(&page, IDC_KEY_HOTKEY, EN_CHANGE);
  EXPECT_TRUE(page.GetDlgItem(IDC_KEY_ASSIGN)->IsWindowEnabled());
  notify(&page, IDC_KEY_ASSIGN, BN_CLICKED);
  EXPECT_TRUE(page.IsModified());
  EXPECT_EQ(table.GetSize(), 2);
  EXPECT_EQ(texts(&page, IDC_KEY_DEFINED), (std::vector<std::string>{"Ctrl+K", "Ctrl+D"}));
  static_cast<CListBox*>(page.GetDlgItem(IDC_KEY_DEFINED))->SetCurSel(0);
  notify(&page, IDC_KEY_REMOVE, BN_CLICKED);
  EXPECT_EQ(texts(&page, IDC_KEY_DEFINED), (std::vector<std::string>{"Ctrl+D"}));
  // Keys typed into the field are the key to bind: the page never sees them as dialog keys.
  MSG enter{field->m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(page.PreTranslateMessage(&enter));
  save(sheet->m_hWnd, "toolkit_shortcut_page.png");
}

TEST_F(EditorFormsTest, TheToolsDialogEditsAndStoresTheList) {
  SECUserToolList tools;
  auto tool = std::make_unique<SECUserTool>();
  tool->m_strMenuText = cp("Przeglądarka źródeł");
  tool->m_strCommand = "/usr/bin/less";
  tools.push_back(std::move(tool));
  SECToolListDlg dialog(&tools);
  ASSERT_TRUE(dialog.Create(IDD_TOOL_LIST_DIALOG, nullptr));
  dialog.ShowWindow(SW_SHOW);
  pump();
  EXPECT_EQ(texts(&dialog, IDC_TOOL_LIST), std::vector<std::string>{"Przeglądarka źródeł"});
  EXPECT_EQ(utf8(dialog.GetDlgItemText(IDC_TOOL_COMMAND)), "/usr/bin/less");
  notify(&dialog, IDC_TOOL_ADD, BN_CLICKED);
  EXPECT_EQ(dialog.GetToolCount(), 2);
  EXPECT_EQ(texts(&dialog, IDC_TOOL_LIST).back(), "(nowe narzędzie)");

  // The command field chooses a program, the folder field a folder, through the prompter.
  SECToolListEditor& editor = dialog.GetEditor();
  ASSERT_NE(editor.GetCommandEdit().GetBrowseButton(), nullptr);
  ASSERT_NE(editor.GetDirectoryEdit().GetBrowseButton(), nullptr);
  prompter.files.push_back("/usr/bin/gedit");
  editor.GetCommandEdit().OnBrowse();
  EXPECT_EQ(utf8(dialog.GetDlgItemText(IDC_TOOL_COMMAND)), "/usr/bin/gedit");
  ASSERT_TRUE(dialog.UpdateData(TRUE));
  ASSERT_EQ(tools.size(), 2u);
  EXPECT_EQ(tools[1]->m_strCommand, CString("/usr/bin/gedit"));
  save(dialog.m_hWnd, "toolkit_tools_dialog.png");

  // With no tool chosen the fields are disabled, and their buttons with them.
  notify(&dialog, IDC_TOOL_REMOVE, BN_CLICKED);
  notify(&dialog, IDC_TOOL_REMOVE, BN_CLICKED);
  EXPECT_FALSE(dialog.GetDlgItem(IDC_TOOL_COMMAND)->IsWindowEnabled());
  EXPECT_FALSE(editor.GetCommandEdit().GetBrowseButton()->IsWindowEnabled());
  EXPECT_FALSE(editor.GetDirectoryEdit().GetBrowseButton()->IsWindowEnabled());
  dialog.DestroyWindow();
}

TEST_F(EditorFormsTest, TheToolsPageFieldsAreBrowseEdits) {
  SECUserToolList tools;
  tools.push_back(std::make_unique<SECUserTool>());
  tools[0]->m_strMenuText = cp("Edytor ąęłóśżźćń");
  tools[0]->m_strDirectory = cp("/dane/Katalog początkowy");
  SECToolListPage page(&tools, IDD_TOOL_LIST_PAGE);
  sheet = std::make_unique<CGSPropertySheet>("Dostosuj");
  sheet->AddPage(&page);
  ASSERT_TRUE(sheet->Create());
  pump();
  SECToolListEditor& editor = page.GetEditor();
  EXPECT_EQ(editor.GetCommandEdit().m_hWnd, page.GetDlgItem(IDC_TOOL_COMMAND)->m_hWnd);
  EXPECT_EQ(utf8(editor.GetCommandEdit().GetTitle()), "Select Program");
  EXPECT_EQ(utf8(editor.GetDirectoryEdit().GetTitle()), "Select Initial Directory");
  // Each "..." button lies right of its field, inside the page.
  for (SECBrowseEdit* edit : {static_cast<SECBrowseEdit*>(&editor.GetCommandEdit()),
                              static_cast<SECBrowseEdit*>(&editor.GetDirectoryEdit())}) {
    CRect field, button, client;
    edit->GetWindowRect(&field);
    edit->GetBrowseButton()->GetWindowRect(&button);
    page.GetWindowRect(&client);
    EXPECT_GE(button.left, field.right);
    EXPECT_LE(button.right, client.right);
    EXPECT_TRUE(edit->GetBrowseButton()->IsWindowVisible());
  }
  save(sheet->m_hWnd, "toolkit_tools_page_browse.png");
}

}  // namespace
}  // namespace lumo::test
