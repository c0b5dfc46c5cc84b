#include "controls/mouse_manager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/temp_folder.h"
#include "platform/win/messages.h"
#include "tests/support/gui_fixture.h"
#include "toolkit/frame/registry.h"

namespace {

constexpr const char* kProgramKey = "Software\\Fenwar\\LumoKAL";
constexpr int kFitWindow = 32938;   // "Całe okno" of the picture sheet
constexpr int kActInformation = 32793;

std::vector<UINT> g_commands;

LRESULT record_commands(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    EXPECT_EQ(lParam, 0);
    g_commands.push_back(UINT(wParam));
    return 0;
  }
  return DefWindowProc(h, message, wParam, lParam);
}

// Each test has its own registry store and a main window that records the commands it gets.
class MouseManagerTest : public lumo::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    static int counter = 0;
    path_ = base::temp_folder() + "/mouse" + std::to_string(++counter) + ".dat";
    base::RegistryStore::set_user_path(path_);
    g_commands.clear();
    HWND h = ::CreateWindowEx(0, lumo::test::test_window_class("MouseMain", record_commands), "", WS_POPUP, 0, 0,
                              100, 100, nullptr, nullptr, nullptr);
    main_.Attach(h);
    manager_.AddContext(kMouseContextText, "Arkusz z tekstem", 129);
    manager_.AddContext(kMouseContextPicture, "Arkusz z rysunkiem", 130);
  }
  void TearDown() override {
    if (main_.m_hWnd) ::DestroyWindow(main_.Detach());
    base::RegistryStore::set_user_path(base::temp_folder() + "/mouse-idle.dat");
    std::filesystem::remove(path_);
    GuiTest::TearDown();
  }

  static void store_value(const std::vector<BYTE>& bytes) {
    SECRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_LOCAL_MACHINE));
    ASSERT_TRUE(reg.Create(kProgramKey));
    CByteArray value;
    for (BYTE b : bytes) value.Add(b);
    ASSERT_TRUE(reg.SetBinaryValue("Mouse", value));
  }
  static std::vector<BYTE> stored_value() {
    SECRegistry reg;
    CByteArray value;
    std::vector<BYTE> bytes;
    if (reg.Connect(HKEY_LOCAL_MACHINE) && reg.Open(kProgramKey) && reg.QueryBinaryValue("Mouse", value)) {
      for (int i = 0; i < value.GetSize(); ++i) bytes.push_back(value[i]);
    }
    return bytes;
  }

  std::string path_;
  CWnd main_;
  CGSMouseManager manager_;
};

TEST_F(MouseManagerTest, TheTwelveByteValueAssignsAPictureCommand) {
  store_value({0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0xAA, 0x80, 0x00, 0x00});
  ASSERT_TRUE(manager_.LoadFromRegistry("Mouse"));
  EXPECT_EQ(manager_.GetActionCommand(kMouseContextPicture), kFitWindow);
  EXPECT_EQ(manager_.GetActionCommand(kMouseContextText), 0);

  EXPECT_TRUE(manager_.DispatchAction(kMouseContextPicture, &main_));
  EXPECT_EQ(g_commands, std::vector<UINT>{UINT(kFitWindow)});
  EXPECT_FALSE(manager_.DispatchAction(kMouseContextText, &main_)) << "the text sheet keeps its default";
  EXPECT_EQ(g_commands.size(), 1u);
  EXPECT_FALSE(manager_.DispatchAction(kMouseContextPicture, nullptr)) << "no main window, nothing happens";
}

TEST_F(MouseManagerTest, DamagedAndForeignValuesLoadWhatIsSound) {
  struct Case {
    const char* what;
    std::vector<BYTE> bytes;
    int text_command;
    int picture_command;
  };
  const Case cases[] = {
      {"a count promising more pairs than follow",
       {0x03, 0, 0, 0, 0x02, 0, 0, 0, 0xAA, 0x80, 0, 0, 0x01, 0, 0},
       0, kFitWindow},
      {"a huge count over one pair",
       {0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0, 0x19, 0x80, 0, 0},
       kActInformation, 0},
      {"commands the page does not offer for the context",
       {0x04, 0, 0, 0, 0x01, 0, 0, 0, 0xAA, 0x80, 0, 0, 0x02, 0, 0, 0, 0x39, 0x30, 0, 0,
        0x07, 0, 0, 0, 0xAA, 0x80, 0, 0, 0x02, 0, 0, 0, 0x2B, 0xE1, 0, 0},
       0, 57643},
      {"a later pair replaces an earlier one",
       {0x02, 0, 0, 0, 0x02, 0, 0, 0, 0xAA, 0x80, 0, 0, 0x02, 0, 0, 0, 0xAB, 0x80, 0, 0},
       0, 32939},
      {"fewer bytes than the count", {0x01, 0x00}, 0, 0},
      {"an empty value", {}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    store_value(c.bytes);
    manager_.SetActionCommand(kMouseContextText, kActInformation);  // loading starts afresh
    EXPECT_TRUE(manager_.LoadFromRegistry("Mouse"));
    EXPECT_EQ(manager_.GetActionCommand(kMouseContextText), c.text_command);
    EXPECT_EQ(manager_.GetActionCommand(kMouseContextPicture), c.picture_command);
  }
}

TEST_F(MouseManagerTest, MissingKeyOrValueLeavesNoAssignments) {
  EXPECT_FALSE(manager_.LoadFromRegistry("Mouse")) << "no key";
  EXPECT_FALSE(manager_.DispatchAction(kMouseContextText, &main_));
  EXPECT_FALSE(manager_.DispatchAction(kMouseContextPicture, &main_));
  EXPECT_TRUE(g_commands.empty());

  store_value({0x00, 0x00, 0x00, 0x00});
  EXPECT_FALSE(manager_.LoadFromRegistry("Other")) << "no value of that name";
  EXPECT_FALSE(manager_.LoadFromRegistry(nullptr));
  EXPECT_TRUE(manager_.LoadFromRegistry("Mouse"));
}

TEST_F(MouseManagerTest, SavingWritesTheExactBytesAndReportsSuccess) {
  ASSERT_TRUE(manager_.SaveToRegistry("Mouse")) << "the key is made when missing";
  EXPECT_EQ(stored_value(), (std::vector<BYTE>{0x00, 0x00, 0x00, 0x00}));

  manager_.SetActionCommand(kMouseContextPicture, kFitWindow);
  ASSERT_TRUE(manager_.SaveToRegistry("Mouse"));
  EXPECT_EQ(stored_value(), (std::vector<BYTE>{0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0xAA, 0x80, 0x00, 0x00}));

  manager_.SetActionCommand(kMouseContextText, kActInformation);
  ASSERT_TRUE(manager_.SaveToRegistry("Mouse"));
  CGSMouseManager next;
  ASSERT_TRUE(next.LoadFromRegistry("Mouse"));
  EXPECT_EQ(next.GetActionCommand(kMouseContextText), kActInformation);
  EXPECT_EQ(next.GetActionCommand(kMouseContextPicture), kFitWindow);
  EXPECT_EQ(stored_value().size(), 20u);

  EXPECT_FALSE(manager_.SaveToRegistry(nullptr));
}

TEST_F(MouseManagerTest, ContextsAndAssignments) {
  EXPECT_FALSE(manager_.AddContext(9, "Arkusz z tekstem", 140)) << "a name already registered";
  EXPECT_EQ(manager_.FindContext("Arkusz z tekstem"), int(kMouseContextText));
  EXPECT_EQ(manager_.FindContext("arkusz z tekstem"), -1) << "names compare case-sensitively";
  EXPECT_EQ(manager_.GetContextTemplate(kMouseContextText), 129);
  EXPECT_EQ(manager_.GetContextTemplate(kMouseContextPicture), 130);
  EXPECT_TRUE(manager_.AddContext(3, "Bez szablonu", 0));
  EXPECT_EQ(manager_.GetContextTemplate(3), 0);

  CStringList names;
  names.AddTail(CString("stary"));
  manager_.GetContextNames(names);
  std::vector<std::string> listed;
  for (POSITION p = names.GetHeadPosition(); p;) listed.push_back(names.GetNext(p).str());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<std::string>{"Arkusz z rysunkiem", "Arkusz z tekstem", "Bez szablonu"}));

  manager_.SetActionCommand(kMouseContextText, 0);
  EXPECT_EQ(manager_.GetActionCommand(kMouseContextText), 0) << "removing no assignment changes nothing";
  manager_.SetActionCommand(kMouseContextText, kActInformation);
  EXPECT_EQ(manager_.GetActionCommand(kMouseContextText), kActInformation);
  manager_.SetActionCommand(kMouseContextText, 0);
  EXPECT_EQ(manager_.GetActionCommand(kMouseContextText), 0);
}

TEST_F(MouseManagerTest, OneCurrentManagerAtATime) {
  EXPECT_EQ(CGSMouseManager::GetMouseManager(), &manager_);
  {
    CGSMouseManager other;
    EXPECT_EQ(CGSMouseManager::GetMouseManager(), &other);
  }
  EXPECT_EQ(CGSMouseManager::GetMouseManager(), nullptr);
  const CRuntimeClass* cls = CRuntimeClass::FromName("CGSMouseManager");
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(cls->m_wSchema, 1u);
  EXPECT_NE(cls->CreateObject(), nullptr);
}

}  // namespace
