// The file and colour choosers: what they ask the prompter, and what they make of the answer.
#include <fstream>

#include "platform/framework/colour_dialog.h"
#include "platform/framework/file_dialog.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

// Records the questions and answers colours from a queue as well.
class ChooserPrompter : public ScriptedPrompter {
 public:
  std::vector<framework::FileQuestion> file_questions;
  std::vector<COLORREF> colours_shown;
  std::deque<COLORREF> colours;

  bool choose_files(HWND owner, const framework::FileQuestion& q, std::vector<CString>& chosen) override {
    file_questions.push_back(q);
    if (q.multiple && files.size() > 1) {
      for (const std::string& f : files) chosen.emplace_back(f.c_str());
      files.clear();
      return true;
    }
    return ScriptedPrompter::choose_files(owner, q, chosen);
  }
  bool choose_colour(HWND, COLORREF& colour) override {
    colours_shown.push_back(colour);
    if (colours.empty()) return false;
    colour = colours.front();
    colours.pop_front();
    return true;
  }
};

class CommonDialogsTest : public FrameworkTest {
 protected:
  ChooserPrompter chooser;
  void SetUp() override {
    FrameworkTest::SetUp();
    framework::set_prompter(&chooser);
  }
};

TEST_F(CommonDialogsTest, SaveQuestionCarriesTheOptionsAndTheAnswerTakesTheDefaultExtension) {
  CFileDialog dlg(FALSE, "lkl", "praca", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                  "Prace (*.lkl)|*.lkl|Wszystkie (*.*)|*.*||");
  dlg.m_ofn.lpstrTitle = "Zapisz";
  dlg.m_ofn.lpstrInitialDir = "/dane/";
  char buffer[12] = "";
  dlg.m_ofn.lpstrFile = buffer;
  dlg.m_ofn.nMaxFile = sizeof buffer;
  chooser.files = {"/dane/nowa.praca"};
  // A name typed without an extension gets the default one; one with an extension keeps it.
  ASSERT_EQ(dlg.DoModal(), IDOK);
  ASSERT_EQ(chooser.file_questions.size(), 1u);
  const framework::FileQuestion& q = chooser.file_questions[0];
  EXPECT_FALSE(q.open);
  EXPECT_TRUE(q.overwrite_prompt);
  EXPECT_EQ(std::string(q.title), "Zapisz");
  EXPECT_EQ(std::string(q.filter), "Prace (*.lkl)|*.lkl|Wszystkie (*.*)|*.*||");
  EXPECT_EQ(std::string(q.default_extension), "lkl");
  EXPECT_EQ(std::string(q.initial), "/dane/praca");
  EXPECT_EQ(std::string(dlg.GetPathName()), "/dane/nowa.praca");
  EXPECT_EQ(std::string(dlg.GetFileName()), "nowa.praca");
  EXPECT_EQ(std::string(dlg.GetFileExt()), "praca");
  EXPECT_EQ(std::string(dlg.GetFileTitle()), "nowa");
  // The caller's buffer gets as much of the path as fits, always terminated.
  EXPECT_EQ(std::string(buffer), "/dane/nowa.");

  CFileDialog plain(FALSE, "lkl", nullptr, OFN_HIDEREADONLY, "Prace (*.lkl)|*.lkl||");
  chooser.files = {"C:\\Prace\\akty"};
  ASSERT_EQ(plain.DoModal(), IDOK);
  EXPECT_FALSE(chooser.file_questions.back().overwrite_prompt);
  EXPECT_EQ(std::string(plain.GetPathName()), "C:\\Prace\\akty.lkl");
  EXPECT_EQ(std::string(plain.GetFileName()), "akty.lkl");
}

TEST_F(CommonDialogsTest, OpenQuestionThatMustFindTheFileAsksAgainAfterAMissingOne) {
  std::string present = temp_path("obecny.lkl");
  std::ofstream(present) << "x";
  CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST);
  chooser.files = {temp_path("brak.lkl"), present};
  chooser.answers = {IDOK};
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(chooser.file_questions.size(), 2u);
  ASSERT_EQ(chooser.asked.size(), 1u);
  EXPECT_NE(chooser.asked[0].text_utf8.find("brak.lkl"), std::string::npos);
  EXPECT_EQ(std::string(dlg.GetPathName()), present);

  // Cancelling leaves no path behind, even after an earlier answer.
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(dlg.GetPathName().IsEmpty());
  EXPECT_EQ(dlg.GetStartPosition(), nullptr);

  // Without the option any name is taken as given.
  CFileDialog loose(TRUE);
  chooser.files = {temp_path("brak.lkl")};
  EXPECT_EQ(loose.DoModal(), IDOK);
  EXPECT_EQ(chooser.asked.size(), 1u);
}

TEST_F(CommonDialogsTest, SeveralChosenFilesAreWalkedInOrder) {
  CFileDialog dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
  chooser.files = {"/a/1.bmp", "/a/2.bmp", "/a/3.bmp"};
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(chooser.file_questions[0].multiple);
  std::vector<std::string> walked;
  for (POSITION pos = dlg.GetStartPosition(); pos;) walked.emplace_back(dlg.GetNextPathName(pos));
  EXPECT_EQ(walked, (std::vector<std::string>{"/a/1.bmp", "/a/2.bmp", "/a/3.bmp"}));
  POSITION end = nullptr;
  EXPECT_TRUE(dlg.GetNextPathName(end).IsEmpty());
}

TEST_F(CommonDialogsTest, ColourChooserStartsFromTheGivenColourAndKeepItWhenCancelled) {
  CColorDialog dlg(RGB(10, 20, 30), CC_FULLOPEN);
  EXPECT_TRUE(dlg.m_cc.Flags & CC_RGBINIT);
  chooser.colours = {RGB(200, 100, 0)};
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(chooser.colours_shown.back(), RGB(10, 20, 30));
  EXPECT_EQ(dlg.GetColor(), RGB(200, 100, 0));

  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(chooser.colours_shown.back(), RGB(200, 100, 0));
  EXPECT_EQ(dlg.GetColor(), RGB(200, 100, 0));

  // Without CC_RGBINIT the chooser starts from black whatever the result holds.
  CColorDialog black;
  black.SetCurrentColor(RGB(1, 2, 3));
  black.m_cc.Flags &= ~CC_RGBINIT;
  EXPECT_EQ(black.DoModal(), IDCANCEL);
  EXPECT_EQ(chooser.colours_shown.back(), RGB(0, 0, 0));
}

}  // namespace
}  // namespace lumo::test
