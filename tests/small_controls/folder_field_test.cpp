// The folder field: taking over a read-only edit, its "..." button, browsing through the shell's
// folder browser or the old-style folder dialog (both asked through the prompter).
#include "controls/get_folder_control.h"

#include <gtest/gtest.h>

#include "controls/dir_dialog.h"
#include "controls/modify_button_for_folder.h"
#include "platform/base/cp1250.h"
#include "tests/small_controls/controls_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

class FolderFieldTest : public SmallControlsTest {
 protected:
  void exchange(BOOL save, int id = IDC_SMALL_FOLDER, int options = 0) {
    CDataExchange dx(&dialog, save);
    DDX_FolderControl(&dx, id, field, options, title);
  }
  std::string text() const { return base::cp1250::to_utf8(GetWindowTextString(field.m_hWnd)); }
  HWND button() const { return ::GetDlgItem(dialog.m_hWnd, int(CModifyButtonForFolder::kButtonId)); }

  CGetFolderControl field;
  CString title = CString(base::cp1250::from_utf8("Wskaż folder z płytą biblioteki"));
};

TEST_F(FolderFieldTest, TakesOverAReadOnlyEditAndPutsItsButtonBeside) {
  exchange(FALSE);
  ASSERT_EQ(field.m_hWnd, item(IDC_SMALL_FOLDER));
  ASSERT_NE(button(), nullptr);
  EXPECT_EQ(field.m_strBrowseTitle, title);
  CRect edit, beside;
  field.GetWindowRect(&edit);
  ::GetWindowRect(button(), &beside);
  EXPECT_EQ(beside.left, edit.right);
  EXPECT_EQ(beside.top, edit.top);
  EXPECT_EQ(beside.Height(), edit.Height());
  EXPECT_EQ(beside.Width(), edit.Height() * 8 / 10);
  EXPECT_EQ(GetWindowTextString(button()), "...");
  EXPECT_EQ(field.GetBrowseButton()->GetToolTip().GetToolCount(), 1);
  // Later exchanges keep the options and title without taking anything over again.
  exchange(TRUE, IDC_SMALL_FOLDER, CGetFolderControl::kOldStyleDialog);
  EXPECT_EQ(field.m_nBrowseOptions, CGetFolderControl::kOldStyleDialog);
  // Disabling the field disables its button.
  field.EnableWindow(FALSE);
  EXPECT_FALSE(::IsWindowEnabled(button()));
  field.EnableWindow(TRUE);
  EXPECT_TRUE(::IsWindowEnabled(button()));
}

TEST_F(FolderFieldTest, AControlThatIsNoReadOnlyEditThrows) {
  EXPECT_THROW(exchange(FALSE, IDC_SMALL_PLAIN_EDIT), CNotSupportedException);
  CGetFolderControl on_label;
  CDataExchange dx(&dialog, FALSE);
  EXPECT_THROW(DDX_FolderControl(&dx, IDC_SMALL_LABEL, on_label, 0, ""), CNotSupportedException);
  EXPECT_THROW(DDX_FolderControl(&dx, 4242, on_label, 0, ""), CNotSupportedException);
}

TEST_F(FolderFieldTest, TheButtonAsksTheShellsBrowserFromTheCurrentFolder) {
  exchange(FALSE);
  field.SetWindowText("/media/cdrom");
  prompter.answers = {base::cp1250::from_utf8("/media/płyta"), ""};
  click(button(), POINT{3, 3});
  pump();
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].title, title.str());
  EXPECT_EQ(prompter.asked[0].start, "/media/cdrom");
  EXPECT_EQ(text(), "/media/płyta");
  ::SetFocus(item(IDC_SMALL_PLAIN_EDIT));
  pump();
  save_picture("folder_field.png");
  // Cancelling leaves the field as it was.
  click(button(), POINT{3, 3});
  pump();
  EXPECT_EQ(prompter.asked.size(), 2u);
  EXPECT_EQ(text(), "/media/płyta");
}

TEST_F(FolderFieldTest, TheOldStyleDialogGivesTheFolderOfTheChosenPath) {
  exchange(FALSE, IDC_SMALL_FOLDER, CGetFolderControl::kOldStyleDialog);
  field.SetWindowText("/home/ala");
  prompter.answers = {"/home/ala/Dokumenty/", ""};
  field.Browse();
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].start, "/home/ala");
  EXPECT_EQ(text(), "/home/ala/Dokumenty");
  field.Browse();
  EXPECT_EQ(text(), "/home/ala/Dokumenty");

  CDirDialog dialog_alone("/tmp", "Otwórz");
  EXPECT_EQ(dialog_alone.m_ofn.Flags & OFN_EXPLORER, 0u);
  EXPECT_TRUE(dialog_alone.m_ofn.Flags & OFN_ENABLETEMPLATE);
  prompter.answers = {"/"};
  ASSERT_EQ(dialog_alone.DoModal(), IDOK);
  EXPECT_EQ(dialog_alone.GetPathName(), "/Junk");
  EXPECT_EQ(folder_field::folder_of(dialog_alone.GetPathName()), "/");
  EXPECT_EQ(folder_field::folder_of("C:\\Dane\\Junk"), "C:\\Dane");
}

}  // namespace
}  // namespace lumo::test
