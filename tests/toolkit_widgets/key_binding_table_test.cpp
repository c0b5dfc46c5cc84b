#include "toolkit/widgets/key_binding_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/controls/hot_key_ctrl.h"
#include "platform/win/virtual_keys.h"
#include "platform/framework/frame_wnd.h"
#include "resources/program_resources.h"
#include "tests/framework/framework_fixture.h"
#include "toolkit/widgets/key_binding_file.h"
#include "toolkit/widgets/user_files.h"

namespace lumo::test {
namespace {

class KeyBindingTableTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    static const bool registered = (resources::register_strings(), resources::register_toolkit_resources(), true);
    (void)registered;
    SECKeyBindingTable::ForgetDefaultTable();
    user_folder = std::filesystem::temp_directory_path() / ("lumo_keys_" + std::to_string(::getpid()));
    std::filesystem::remove_all(user_folder);
    SECSetUserDataFolder(user_folder.string());
    frame = make_main_frame();
  }
  void TearDown() override {
    SECSetUserDataFolder("");
    std::filesystem::remove_all(user_folder);
    SECKeyBindingTable::ForgetDefaultTable();
    FrameworkTest::TearDown();
  }
  // The text of the menu item of `command` in the frame's menu.
  CString item_text(UINT command) const {
    CString text;
    CMenu::FromHandle(frame->m_hMenuDefault)->GetMenuString(command, text, MF_BYCOMMAND);
    return text;
  }
  std::filesystem::path mac_file() const { return user_folder / "lumo_tests.MAC"; }

  CMDIFrameWnd* frame = nullptr;
  std::filesystem::path user_folder;
};

TEST_F(KeyBindingTableTest, TakesTheFramesTableAsTheDefault) {
  SECKeyBindingTable table;
  ASSERT_EQ(table.GetSize(), 2);
  EXPECT_EQ(table.GetAt(0).cmd, ID_TEST_ACTION);
  EXPECT_EQ(SECKeyBindingTable::DefaultTable().size(), 2u);
  table.RemoveAt(0, 5);
  EXPECT_EQ(table.GetSize(), 0);
  table.ResetToDefaults();
  EXPECT_EQ(table.GetSize(), 2);
}

TEST_F(KeyBindingTableTest, WithoutAMainFrameTheListIsEmpty) {
  app->m_pMainWnd = nullptr;
  SECKeyBindingTable table;
  EXPECT_EQ(table.GetSize(), 0);
  EXPECT_FALSE(table.ApplyToFrame());
  app->m_pMainWnd = frame;
}

TEST_F(KeyBindingTableTest, ABoundCombinationMovesToTheNewCommand) {
  SECKeyBindingTable table;
  // Ctrl+K is bound to the action; binding it to "Zapisz" rebinds that entry.
  table.SetBinding(WORD('K' | (HOTKEYF_CONTROL << 8)), ID_FILE_SAVE);
  ASSERT_EQ(table.GetSize(), 2);
  EXPECT_EQ(table.GetAt(0).cmd, ID_FILE_SAVE);
  EXPECT_EQ(table.GetAt(0).fVirt, FVIRTKEY | FNOINVERT | FCONTROL);
  // A free combination is appended.
  table.SetBinding(WORD((VK_F1 + 1) | (HOTKEYF_SHIFT << 8)), ID_FILE_SAVE);
  ASSERT_EQ(table.GetSize(), 3);
  EXPECT_EQ(table.GetAt(2).key, VK_F1 + 1);
}

TEST_F(KeyBindingTableTest, ApplyingInstallsTheTableAndWritesTheMenuShortcuts) {
  SECKeyBindingTable table;
  table.SetBinding(WORD('S' | ((HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8)), ID_FILE_SAVE);
  ASSERT_TRUE(table.ApplyToFrame());
  EXPECT_EQ(item_text(ID_FILE_SAVE), CString("&Zapisz\tCtrl+Shift+S"));
  EXPECT_EQ(item_text(ID_TEST_ACTION), CString("&Akcja\tCtrl+K"));
  // An item whose command lost its keys loses its shortcut text; top-level items get none.
  EXPECT_EQ(item_text(ID_FILE_NEW), CString("&Nowy"));
  CString top;
  CMenu::FromHandle(frame->m_hMenuDefault)->GetMenuString(0, top, MF_BYPOSITION);
  EXPECT_EQ(top, CString("&Plik"));
  // The frame's accelerators now hold the new entry.
  ACCEL entries[8];
  const int n = CopyAcceleratorTable(frame->m_hAccelTable, entries, 8);
  ASSERT_EQ(n, 3);
  EXPECT_EQ(entries[2].cmd, ID_FILE_SAVE);
  // Removing every binding of the action takes its text away after applying.
  table.RemoveAt(0);
  ASSERT_TRUE(table.ApplyToFrame());
  EXPECT_EQ(item_text(ID_TEST_ACTION), CString("&Akcja"));
  // The default table is never destroyed: a reset can install it again.
  table.ResetToDefaults();
  ASSERT_TRUE(table.ApplyToFrame());
  EXPECT_EQ(CopyAcceleratorTable(frame->m_hAccelTable, nullptr, 0), 2);
}

TEST_F(KeyBindingTableTest, ACharacterEntryShowsAltAndTheCharacter) {
  SECKeyBindingTable table;
  table.SetEntries({ACCEL{FALT, 'z', WORD(ID_FILE_CLOSE)}});
  EXPECT_EQ(table.ShortcutText(ID_FILE_CLOSE), CString("Alt + z"));
}

TEST_F(KeyBindingTableTest, SavesAndLoadsInTheUserDataFolder) {
  app->m_pszExeName = "lumo_tests";
  SECKeyBindingTable table;
  CString name;
  table.GetFileName(name, true);
  EXPECT_EQ(name, CString(mac_file().string().c_str()));
  EXPECT_FALSE(table.LoadFromFile());  // a first start has no file and keeps the frame's keys
  EXPECT_EQ(table.GetSize(), 2);
  table.SetBinding(WORD('Q' | (HOTKEYF_CONTROL << 8)), ID_APP_ABOUT);
  ASSERT_TRUE(table.SaveToFile());
  EXPECT_EQ(std::filesystem::file_size(mac_file()), 8u + 3 * 6);
  SECKeyBindingTable other;
  ASSERT_TRUE(other.LoadFromFile());
  ASSERT_EQ(other.GetSize(), 3);
  EXPECT_EQ(other.GetAt(2).cmd, ID_APP_ABOUT);
}

TEST_F(KeyBindingTableTest, ACorruptFileResetsToTheDefaultTable) {
  app->m_pszExeName = "lumo_tests";
  std::filesystem::create_directories(user_folder);
  for (const char* bytes : {"MACX\x01\x00\x00\x00", "MACR\x02\x00\x00\x00", "MACR\x01\x00\x05\x00"}) {
    std::ofstream(mac_file(), std::ios::binary).write(bytes, 8);
    SECKeyBindingTable table;
    table.SetEntries({});
    EXPECT_FALSE(table.LoadFromFile());
    EXPECT_EQ(table.GetSize(), 2);
  }
}

TEST(KeyBindingFileName, ReplacesOnlyTheFilesOwnSuffix) {
  struct Case {
    const char* folder;
    const char* program;
    const char* name;
  };
  const Case cases[] = {
      {"/home/u/.local/share/LumoKAL", "lumokal", "/home/u/.local/share/LumoKAL/lumokal.MAC"},
      {"/opt/lumo.kal/bin", "lumokal", "/opt/lumo.kal/bin/lumokal.MAC"},
      {"/d", "/a.b/prog.exe", "/d/prog.MAC"},
      {"/d/", "", "/d/LumoKAL.MAC"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SECKeyBindingTable::FileNameFor(c.folder, c.program), CString(c.name)) << c.program;
  }
}

}  // namespace
}  // namespace lumo::test
