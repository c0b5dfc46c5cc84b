// Browse edits: the "..." button beside the field, the file and folder choosers answered by a
// scripted prompter, and the button following the field's enabled and shown state.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/list_editing/list_editing_fixture.h"
#include "tests/support/surface_png.h"
#include "toolkit/widgets/browse_edit.h"

namespace lumo::test {
namespace {

constexpr int IDC_COMMAND = 1201;
constexpr int IDC_FOLDER = 1202;

class BrowseEditTest : public ListEditingTest {
 protected:
  void SetUp() override {
    ListEditingTest::SetUp();
    ASSERT_TRUE(host.Make(320, 100));
    for (int id : {IDC_COMMAND, IDC_FOLDER}) {
      int top = id == IDC_COMMAND ? 10 : 40;
      HWND h = CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 10, top, 280, 20,
                              host.m_hWnd, reinterpret_cast<HMENU>(INT_PTR(id)), nullptr);
      SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(host.font.GetSafeHandle()), FALSE);
      SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    ASSERT_TRUE(file_edit.AttachDlgItem(IDC_COMMAND, &host));
    ASSERT_TRUE(dir_edit.AttachDlgItem(IDC_FOLDER, &host));
    std::filesystem::create_directories(folder + "/Akty prawne");
    std::ofstream(folder + "/Akty prawne/ustawa.txt") << "tekst";
  }
  void Click(SECBrowseEdit& edit) {
    SECBrowseButton* button = edit.GetBrowseButton();
    host.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(button->GetId()), BN_CLICKED), reinterpret_cast<LPARAM>(button->m_hWnd));
    pump();
  }
  std::string Text(CWnd& edit) {
    CString text;
    edit.GetWindowText(text);
    return std::string(text);
  }

  SECBrowseFileEdit file_edit;
  SECBrowseDirEdit dir_edit;
};

TEST_F(BrowseEditTest, TheButtonTakesTheRightEndOfTheFieldAndFollowsItInTheTabOrder) {
  CRect edit, button;
  file_edit.GetWindowRect(&edit);
  file_edit.GetBrowseButton()->GetWindowRect(&button);
  EXPECT_EQ(edit.Width(), 280 - 26);
  EXPECT_EQ(button.Width(), 25);
  EXPECT_EQ(button.right, edit.left + 280);
  EXPECT_EQ(button.Height(), edit.Height());
  EXPECT_EQ(::GetWindow(file_edit.m_hWnd, GW_HWNDNEXT), file_edit.GetBrowseButton()->m_hWnd);
  EXPECT_GE(file_edit.GetBrowseButton()->GetDlgCtrlID(), 0x7FFE);
  EXPECT_NE(file_edit.GetBrowseButton()->GetDlgCtrlID(), dir_edit.GetBrowseButton()->GetDlgCtrlID());
}

TEST_F(BrowseEditTest, DisablingOrHidingTheFieldDoesTheSameToItsButton) {
  HWND button = file_edit.GetBrowseButton()->m_hWnd;
  file_edit.EnableWindow(FALSE);
  EXPECT_FALSE(::IsWindowEnabled(button));
  file_edit.EnableWindow(TRUE);
  EXPECT_TRUE(::IsWindowEnabled(button));
  file_edit.ShowWindow(SW_HIDE);
  EXPECT_FALSE(::IsWindowVisible(button));
  file_edit.ShowWindow(SW_SHOW);
  EXPECT_TRUE(::IsWindowVisible(button));
}

TEST_F(BrowseEditTest, AFieldNamingAFolderStartsTheChooserThereWithAnEmptyName) {
  char before[4096];
  ASSERT_NE(getcwd(before, sizeof before), nullptr);
  std::string start = folder + "/Akty prawne";
  file_edit.SetWindowText(start.c_str());
  recorder.files.push_back(start + "/ustawa.txt");
  Click(file_edit);
  ASSERT_EQ(recorder.questions.size(), 1u);
  EXPECT_TRUE(recorder.questions[0].open);
  EXPECT_EQ(std::string(recorder.questions[0].initial), start);
  EXPECT_EQ(std::string(recorder.questions[0].title), "Select File");
  EXPECT_EQ(std::string(recorder.questions[0].filter), "All files (*.*)|*.*||");
  EXPECT_EQ(Text(file_edit), start + "/ustawa.txt");
  // The process's current folder never moves.
  char after[4096];
  ASSERT_NE(getcwd(after, sizeof after), nullptr);
  EXPECT_EQ(std::string(before), std::string(after));
}

TEST_F(BrowseEditTest, AnExistingFileStartsTheChooserAndAMissingOneIsDropped) {
  std::string file = folder + "/Akty prawne/ustawa.txt";
  file_edit.SetWindowText(file.c_str());
  Click(file_edit);  // cancelled: the text stays
  EXPECT_EQ(Text(file_edit), file);
  file_edit.SetWindowText((folder + "/brak.exe").c_str());
  Click(file_edit);
  ASSERT_EQ(recorder.questions.size(), 2u);
  EXPECT_EQ(std::string(recorder.questions[0].initial), file);
  EXPECT_EQ(std::string(recorder.questions[1].initial), "");
  EXPECT_EQ(Text(file_edit), folder + "/brak.exe");
}

TEST_F(BrowseEditTest, AFolderIsChosenInEitherMode) {
  std::string start = folder + "/Akty prawne";
  // The folder chooser over the file chooser keeps the folder of the answer.
  dir_edit.SetWindowText(start.c_str());
  recorder.files.push_back(folder + "/noclose");
  Click(dir_edit);
  ASSERT_EQ(recorder.questions.size(), 1u);
  EXPECT_FALSE(recorder.questions[0].open);
  EXPECT_EQ(std::string(recorder.questions[0].title), "Select Directory");
  EXPECT_EQ(std::string(recorder.questions[0].initial), start + "/noclose");
  EXPECT_EQ(Text(dir_edit), folder + "/");

  // The shell's folder browser starts at the field's folder; its answer ends in a separator.
  dir_edit.SetMode(0);
  recorder.folders.push_back(start);
  Click(dir_edit);
  ASSERT_EQ(recorder.folder_starts.size(), 1u);
  EXPECT_EQ(recorder.folder_starts[0], folder + "/");
  EXPECT_EQ(Text(dir_edit), start + "/");

  // Cancelled: the text stays.
  Click(dir_edit);
  EXPECT_EQ(Text(dir_edit), start + "/");
  dir_edit.SetMode(1);
  Click(dir_edit);
  EXPECT_EQ(Text(dir_edit), start + "/");
}

TEST_F(BrowseEditTest, ATextThatIsNoFolderStartsTheFolderChooserNowhere) {
  dir_edit.SetMode(0);
  dir_edit.SetWindowText(cp1250("/nie/ma/takiego/katalogu/żadnego").c_str());
  Click(dir_edit);
  ASSERT_EQ(recorder.folder_starts.size(), 1u);
  // The current folder stands in for an empty start.
  char current[4096];
  ASSERT_NE(getcwd(current, sizeof current), nullptr);
  EXPECT_EQ(recorder.folder_starts[0].rfind(current, 0), 0u);
}

TEST_F(BrowseEditTest, PicturesOfTheFieldsWithPolishText) {
  file_edit.SetWindowText(cp1250("/dane/Narzędzia/przeglądarka").c_str());
  dir_edit.SetWindowText(cp1250("/dane/Katalog początkowy").c_str());
  pump();
  SavePicture(host.m_hWnd, "browse_edits.png");
  dir_edit.EnableWindow(FALSE);
  pump();
  SavePicture(host.m_hWnd, "browse_edits_disabled.png");
  // A disabled field shows its text grey on the button face, like its button.
  EXPECT_EQ(surface_pixel(dir_edit.m_hWnd, 2, 2), GetSysColor(COLOR_BTNFACE));
  bool grey_text = false;
  for (int x = 0; x < 100; ++x) grey_text = grey_text || surface_pixel(dir_edit.m_hWnd, x, 10) == GetSysColor(COLOR_GRAYTEXT);
  EXPECT_TRUE(grey_text);
}

}  // namespace
}  // namespace lumo::test
