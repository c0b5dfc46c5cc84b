// The folder browser: the caller's starting folder, the prompter's answer as an item list, and
// cancelling.
#include "platform/shell/folder_browser.h"

#include <string>

#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

class FolderPrompter : public ScriptedPrompter {
 public:
  std::string started_at, title;
  std::string answer;
  bool choose_folder(HWND, const CString& t, CString& folder) override {
    title = std::string(t);
    started_at = std::string(folder);
    if (answer.empty()) return false;
    folder = CString(answer.c_str());
    return true;
  }
};

int CALLBACK_start(HWND hwnd, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) SendMessage(hwnd, BFFM_SETSELECTION, TRUE, data);
  return 0;
}

class FolderBrowserTest : public FrameworkTest {
 protected:
  FolderPrompter folders;
  void SetUp() override {
    FrameworkTest::SetUp();
    framework::set_prompter(&folders);
  }
};

TEST_F(FolderBrowserTest, TheBrowserStartsWhereTheCallerSaysAndGivesTheChosenFolder) {
  const char* current = "/dane/Akty";
  char name[260] = "";
  BROWSEINFO info;
  info.lpszTitle = "Wyb\xF3r katalogu";
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = CALLBACK_start;
  info.lParam = reinterpret_cast<LPARAM>(current);
  info.pszDisplayName = name;
  folders.answer = "/dane/Segregatory/";
  LPITEMIDLIST list = SHBrowseForFolder(&info);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(folders.started_at, "/dane/Akty");
  EXPECT_EQ(folders.title, "Wyb\xF3r katalogu");
  char path[260];
  ASSERT_TRUE(SHGetPathFromIDList(list, path));
  EXPECT_EQ(std::string(path), "/dane/Segregatory/");
  EXPECT_EQ(std::string(name), "Segregatory");
  CoTaskMemFree(list);

  // Cancelled: no list; without a callback the browser starts nowhere in particular.
  folders.answer.clear();
  info.lpfn = nullptr;
  EXPECT_EQ(SHBrowseForFolder(&info), nullptr);
  EXPECT_EQ(folders.started_at, "");
  EXPECT_FALSE(SHGetPathFromIDList(nullptr, path));
  EXPECT_EQ(SHBrowseForFolder(nullptr), nullptr);
}

}  // namespace
}  // namespace lumo::test
