// Picture sheets over a real library: numbered pictures compiled into a title turn pages, a
// picture prints into a PDF file with the act's header, and the way back brings the act's sheet
// with its history.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "pictures/sheets/lumo_bmp_doc.h"
#include "pictures/sheets/lumo_bmp_view.h"
#include "platform/base/cp1250.h"
#include "platform/base/temp_folder.h"
#include "platform/framework/print_dialogs.h"
#include "platform/framework/prompter.h"
#include "resources/resource_ids.h"
#include "shell/child_frames.h"
#include "shell/lumo_kal_doc.h"
#include "shell/view/lumo_kal_view.h"
#include "tests/support/app_fixture.h"

namespace lumo::test {
namespace {

// A picture of `w` x `h` in one colour.
bool WritePicture(const std::string& path, int w, int h, int red) {
  CImageFile image("", IMAGE_PNG);
  if (!image.Create(w, h, 24, 2)) return false;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.SetRGB(x, y, red, 90, 40);
  }
  return image.Write(path.c_str());
}

// The sample acts with two numbered pictures in the attachment of the first act.
std::string PictureActs() {
  const std::string dir = base::temp_folder() + "/picture_title_acts";
  if (std::filesystem::exists(dir + "/wzor0010.png")) return dir;
  std::filesystem::create_directories(dir);
  const std::string samples = compiler_test::SourceDir() + "/samples/acts";
  for (const char* name : {"1998_34.txt", "1998_35.txt"}) {
    std::ifstream in(samples + "/" + name);
    std::stringstream text;
    text << in.rdbuf();
    std::string act = text.str();
    const std::string figure = "Rysunek: karta.png";
    if (const size_t at = act.find(figure); at != std::string::npos) {
      act.replace(at, figure.size(), "Rysunek: wzor0009.png\n\nRysunek: wzor0010.png");
    }
    std::ofstream(dir + "/" + name) << act;
  }
  WritePicture(dir + "/wzor0009.png", 200, 100, 200);
  WritePicture(dir + "/wzor0010.png", 120, 240, 60);
  return dir;
}

// Answers the printer dialog with a PDF file.
class PdfPrompts : public QueuedPrompter {
 public:
  PdfPrompts() : QueuedPrompter(IDOK) {}
  std::string pdf;
  int print_dialog(HWND, PRINTDLG& pd) override {
    auto names = std::make_shared<DEVNAMES>(pd.hDevNames ? *pd.hDevNames : DEVNAMES{});
    names->output = CString(base::cp1250::from_utf8(pdf));
    pd.hDevNames = names;
    pd.Flags |= PD_PRINTTOFILE;
    return IDOK;
  }
};

std::string Output(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buffer[512];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
    pclose(p);
  }
  return out;
}

class PictureTitleTest : public AppTest {
 protected:
  PictureTitleTest() : AppTest("picture_title_sample", IDOK) {}

  void SetUp() override {
    AppTest::SetUp();
    if (HasFatalFailure()) return;
    library_ = &compiler_test::Compile(PictureActs(), "picture_title_library");
    ASSERT_EQ(library_->result, 0) << library_->error;
    framework::set_prompter(&pdf_prompts_);
    ASSERT_TRUE(StartWithLibrary());
    pump();
    work_ = CLumoKALDoc::GetCurrentWork();
    ASSERT_NE(work_, nullptr);
  }
  void TearDown() override {
    framework::set_prompter(&prompts_);
    AppTest::TearDown();
  }

  // The picture of the title opened in a sheet, as a picture link opens it.
  CLumoBMPView* OpenPicture(const char* name) {
    CString path(name);
    if (!app_->ExtractPicture(path)) return nullptr;
    if (!app_->OpenPictureSheet(path, CString(name))) return nullptr;
    pump();
    return dynamic_cast<CLumoBMPView*>(work_->GetCurrentPictureView());
  }

  PdfPrompts pdf_prompts_;
  CLumoKALDoc* work_ = nullptr;
};

TEST_F(PictureTitleTest, PagesTurnThroughTheTitlesPictures) {
  CLumoBMPView* view = OpenPicture("wzor0009.png");
  ASSERT_NE(view, nullptr);
  auto* doc = dynamic_cast<CLumoBMPDoc*>(view->GetDocument());
  ASSERT_NE(doc, nullptr);
  const std::string first = doc->tempPath.str();
  EXPECT_EQ(view->GetPictureSize(), CSize(200, 100));
  EXPECT_TRUE(view->HasPage(1));
  EXPECT_FALSE(view->HasPage(-1));  // no "wzor0008.png"
  view->SendMessage(WM_COMMAND, resources::ID_NEXT_PAGE);
  EXPECT_EQ(doc->pictureName.str(), "wzor0010.png");
  EXPECT_EQ(view->GetPictureSize(), CSize(120, 240));
  EXPECT_FALSE(std::filesystem::exists(first));
  EXPECT_TRUE(std::filesystem::exists(doc->tempPath.str()));
  EXPECT_FALSE(view->HasPage(1));
  EXPECT_TRUE(view->HasPage(-1));
  // No next page: nothing changes.
  view->SendMessage(WM_COMMAND, resources::ID_NEXT_PAGE);
  EXPECT_EQ(doc->pictureName.str(), "wzor0010.png");
  view->SendMessage(WM_COMMAND, resources::ID_PREVIOUS_PAGE);
  EXPECT_EQ(doc->pictureName.str(), "wzor0009.png");
  EXPECT_EQ(view->GetPictureSize(), CSize(200, 100));
}

TEST_F(PictureTitleTest, PicturePrintsAndTheActComesBackWithItsHistory) {
  auto* text = dynamic_cast<CLumoKALView*>(work_->GetCurrentTextView());
  ASSERT_NE(text, nullptr);
  ASSERT_TRUE(text->GoToAddress(CString("98 35")));
  ASSERT_TRUE(text->GoToAddress(CString("98 34")));
  pump();
  const int32_t topic = text->GetShownTopic();
  const int history = text->GetHistoryCount();
  ASSERT_GE(topic, 0);
  ASSERT_GE(history, 1);

  CLumoBMPView* view = OpenPicture("wzor0009.png");
  ASSERT_NE(view, nullptr);
  // The picture took the act's place: its topic and history, and the act's sheet went.
  EXPECT_EQ(view->GetShownTopic(), topic);
  EXPECT_EQ(int(view->GetHistory().size()), history);
  EXPECT_EQ(sheets::TextFrameCount(), 0);

  // Printing: one page with the act's header and the picture on it.
  if (std::system("command -v pdftotext > /dev/null 2>&1") == 0) {
    pdf_prompts_.pdf = folder_ + "/rysunek.pdf";
    app_->GetUserData().m_bShortActNumber = 1;
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    pump();
    ASSERT_TRUE(std::filesystem::exists(pdf_prompts_.pdf));
    const std::string text_out = Output("pdftotext -enc UTF-8 '" + pdf_prompts_.pdf + "' - 2>/dev/null");
    EXPECT_NE(text_out.find("D.U. z 1998 r. Nr 12 poz 34 - Formularz/Rysunek"), std::string::npos) << text_out;
    EXPECT_NE(text_out.find("Data wydruku"), std::string::npos);
    EXPECT_EQ(Output("pdfinfo '" + pdf_prompts_.pdf + "' 2>/dev/null | grep '^Pages:' | tr -s ' '"), "Pages: 1\n");
    const std::string images = Output("pdfimages -list '" + pdf_prompts_.pdf + "' 2>/dev/null");
    EXPECT_NE(images.find("image"), std::string::npos) << images;
  }

  // Back to the act: a text sheet with the same topic and history takes the picture's place.
  ASSERT_TRUE(view->ReturnToSourceTopic());
  pump();
  EXPECT_EQ(sheets::PictureFrameCount(), 0);
  EXPECT_EQ(work_->GetCurrentPictureView(), nullptr);
  auto* back = dynamic_cast<CLumoKALView*>(work_->GetCurrentTextView());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetShownTopic(), topic);
  EXPECT_EQ(back->GetHistoryCount(), history);
  EXPECT_EQ(sheets::TextFrameCount(), 1);
}

}  // namespace
}  // namespace lumo::test
