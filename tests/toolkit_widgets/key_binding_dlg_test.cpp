#include "toolkit/widgets/key_binding_dlg.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/controls/hot_key_ctrl.h"
#include "platform/framework/control_messages.h"
#include "platform/win/virtual_keys.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/toolkit_widgets/window_picture.h"

namespace lumo::test {
namespace {

constexpr UINT ID_TEST_KEYS_ONLY = 33050;


class KeyBindingDialogTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    static const bool registered = [] {
      resources::register_strings();
      resources::register_toolkit_resources();
      static const res::StringResource strings[] = {{ID_TEST_KEYS_ONLY, "Pokazuje ukryte\nUkryte polecenie"}};
      res::add_strings(strings);
      return true;
    }();
    (void)registered;
    SECKeyBindingTable::ForgetDefaultTable();
    frame = make_main_frame();
  }
  void TearDown() override {
    SECKeyBindingTable::ForgetDefaultTable();
    FrameworkTest::TearDown();
  }
  std::vector<std::string> texts(int id) {
    std::vector<std::string> out;
    CListBox* list = static_cast<CListBox*>(dialog->GetDlgItem(id));
    for (int i = 0; i < list->GetCount(); ++i) {
      CString text;
      list->GetText(i, text);
      out.push_back(utf8(text));
    }
    return out;
  }
  void choose(int list_id, int index) {
    static_cast<CListBox*>(dialog->GetDlgItem(list_id))->SetCurSel(index);
    notify(list_id, LBN_SELCHANGE);
  }
  void type_hot_key(WORD vk, WORD modifiers) {
    CHotKeyCtrl* field = static_cast<CHotKeyCtrl*>(dialog->GetDlgItem(resources::IDC_KEY_HOTKEY));
    field->SetHotKey(vk, modifiers);
    notify(resources::IDC_KEY_HOTKEY, EN_CHANGE);
  }
  // A control's notification, as the control sends it.
  void notify(int id, WORD code) {
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(dialog->GetDlgItem(id)->m_hWnd));
  }
  void click(int id) { notify(id, BN_CLICKED); }
  void open() {
    catalog = std::make_unique<SECCommandCatalog>();
    table = std::make_unique<SECKeyBindingTable>();
    dialog = std::make_unique<SECKeyBindingDlg>(catalog.get(), table.get(), frame);
    ASSERT_TRUE(dialog->Create(resources::IDD_KEY_BINDING, frame));
    dialog->ShowWindow(SW_SHOW);
    pump();
  }

  CMDIFrameWnd* frame = nullptr;
  std::unique_ptr<SECCommandCatalog> catalog;
  std::unique_ptr<SECKeyBindingTable> table;
  std::unique_ptr<SECKeyBindingDlg> dialog;
};

TEST_F(KeyBindingDialogTest, TheCatalogueNamesCommandsFromMenusAndStrings) {
  // The frame's first table also binds a command that no menu has.
  const ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'K', WORD(ID_TEST_ACTION)}, {FVIRTKEY, VK_F1 + 8, WORD(ID_TEST_KEYS_ONLY)}};
  frame->m_hAccelTable = CreateAcceleratorTable(keys, 2);
  SECCommandCatalog catalog;
  struct Row {
    UINT id;
    const char* name;
    const char* description;
  };
  const Row rows[] = {
      {ID_FILE_NEW, "Plik:Nowy", ""},
      {ID_FILE_OPEN, "Plik:Otwórz", ""},
      {ID_TEST_ACTION, "Edycja:Akcja", "Wykonuje akcję"},
      {ID_WINDOW_CASCADE, "Okno:Kaskadowo", ""},
      {ID_APP_ABOUT, "Pomoc:O programie", ""},
      {ID_TEST_KEYS_ONLY, "Ukryte polecenie", "Pokazuje ukryte"},
  };
  for (const Row& row : rows) {
    const int index = catalog.Find(row.id);
    ASSERT_GE(index, 0) << row.name;
    EXPECT_EQ(utf8(catalog.GetAt(index).name), row.name);
    if (*row.description) {
      EXPECT_EQ(utf8(catalog.GetAt(index).description), row.description);
    }
  }
  // Recent files never appear.
  EXPECT_LT(catalog.Find(ID_FILE_MRU_FILE1), 0);
  EXPECT_EQ(catalog.GetRefusedCombinations(), 3);
  EXPECT_EQ(catalog.GetAddedModifier(), 2);
  EXPECT_EQ(catalog.CleanMenuText("&Otwórz...\tCtrl+O"), CString("Otwórz"));
  EXPECT_EQ(catalog.CleanMenuText("Widok (&W)"), CString("Widok "));
  SECCommandCatalog empty(false);
  EXPECT_EQ(empty.GetSize(), 0);
}

TEST_F(KeyBindingDialogTest, ListsCategoriesCommandsAndTheirKeys) {
  open();
  EXPECT_EQ(texts(resources::IDC_KEY_CATEGORIES), (std::vector<std::string>{"Plik", "Edycja", "Okno", "Pomoc"}));
  choose(resources::IDC_KEY_CATEGORIES, 1);
  EXPECT_EQ(texts(resources::IDC_KEY_COMMANDS), (std::vector<std::string>{"Akcja", "Wyłączone", "Bez obsługi"}));
  EXPECT_EQ(texts(resources::IDC_KEY_DEFINED), (std::vector<std::string>{"Ctrl+K"}));
  EXPECT_EQ(utf8(dialog->GetDlgItemText(resources::IDC_KEY_DESCRIPTION)), "Wykonuje akcję");
  // No key in the field: nothing to assign.
  EXPECT_FALSE(dialog->GetDlgItem(resources::IDC_KEY_ASSIGN)->IsWindowEnabled());
  EXPECT_TRUE(dialog->GetDlgItem(IDOK)->IsWindowEnabled());
  type_hot_key('D', HOTKEYF_CONTROL);
  EXPECT_TRUE(dialog->GetDlgItem(resources::IDC_KEY_ASSIGN)->IsWindowEnabled());
  EXPECT_EQ(utf8(dialog->GetDlgItemText(resources::IDC_KEY_CURRENT)), "Edycja:Wyłączone");
  type_hot_key('J', HOTKEYF_CONTROL);
  EXPECT_EQ(utf8(dialog->GetDlgItemText(resources::IDC_KEY_CURRENT)), "(Nie przypisany)");
  pump();
  const QImage picture = window_picture(dialog->m_hWnd);
  ASSERT_TRUE(picture.save(QString::fromStdString(::testing::TempDir() + "toolkit_models_key_dialog.png")));
  // Button captions fit: no text pixels at the buttons' left and right edges.
  for (int id : {IDOK, int(IDCANCEL), resources::IDC_KEY_ASSIGN, resources::IDC_KEY_REMOVE, resources::IDC_KEY_RESET_ALL}) {
    HWND button = dialog->GetDlgItem(id)->m_hWnd;
    RECT r{};
    GetClientRect(button, &r);
    for (int y = 3; y < r.bottom - 3; ++y) {
      for (int x : {3, 4, int(r.right) - 5, int(r.right) - 4}) {
        EXPECT_NE(surface_pixel(button, x, y), RGB(0, 0, 0)) << id << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(KeyBindingDialogTest, AssignsMovesRemovesAndResets) {
  open();
  choose(resources::IDC_KEY_CATEGORIES, 1);
  // Ctrl+F4 is reserved.
  type_hot_key(VK_F4, HOTKEYF_CONTROL);
  click(resources::IDC_KEY_ASSIGN);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text_utf8, "Ta kombinacja klawiszy jest zarezerwowana i nie może być zmieniona");
  EXPECT_FALSE(dialog->IsModified());
  // Ctrl+D moves from "Wyłączone" to "Akcja": no second entry.
  type_hot_key('D', HOTKEYF_CONTROL);
  click(resources::IDC_KEY_ASSIGN);
  EXPECT_TRUE(dialog->IsModified());
  EXPECT_EQ(table->GetSize(), 2);
  EXPECT_EQ(texts(resources::IDC_KEY_DEFINED), (std::vector<std::string>{"Ctrl+K", "Ctrl+D"}));
  // Remove needs a chosen key.
  click(resources::IDC_KEY_REMOVE);
  EXPECT_EQ(prompter.asked.back().text_utf8, "Przed usunięciem musisz najpierw wybrać skrót");
  static_cast<CListBox*>(dialog->GetDlgItem(resources::IDC_KEY_DEFINED))->SetCurSel(0);
  click(resources::IDC_KEY_REMOVE);
  EXPECT_EQ(texts(resources::IDC_KEY_DEFINED), (std::vector<std::string>{"Ctrl+D"}));
  EXPECT_EQ(table->GetSize(), 1);
  // Reset asks first; Cancel keeps the changes, OK restores the frame's keys.
  click(resources::IDC_KEY_RESET_ALL);
  EXPECT_EQ(table->GetSize(), 1);
  prompter.answers.push_back(IDOK);
  click(resources::IDC_KEY_RESET_ALL);
  EXPECT_EQ(table->GetSize(), 2);
  EXPECT_EQ(texts(resources::IDC_KEY_DEFINED), (std::vector<std::string>{"Ctrl+K"}));
  // No command chosen.
  choose(resources::IDC_KEY_CATEGORIES, -1);
  click(resources::IDC_KEY_ASSIGN);
  EXPECT_EQ(prompter.asked.back().text_utf8, "Przed przypisaniem klawisza musisz najpierw wybrać polecenie");
}

}  // namespace
}  // namespace lumo::test
