// The picture sheet in a main frame: a PNG opened through the picture template shows fitted to
// the width; zoom commands, Ctrl+wheel, keys, copying, page names and closing.
#include <gtest/gtest.h>

#include <filesystem>

#include "pictures/sheets/lumo_bmp_doc.h"
#include "pictures/sheets/lumo_bmp_view.h"
#include "pictures/sheets/picture_zoom.h"
#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "platform/base/temp_folder.h"
#include "platform/shell/clipboard.h"
#include "resources/resource_ids.h"
#include "tests/shell_frame/frame_fixture.h"
#include "tests/support/surface_png.h"

namespace lumo::test {
namespace {

// A picture of `w` x `h` with a red left half, a blue right half and a green top-left pixel.
bool WritePicture(const std::string& path, int w, int h) {
  CImageFile image("", IMAGE_PNG);
  if (!image.Create(w, h, 24, 2)) return false;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (x < w / 2) image.SetRGB(x, y, 200, 30, 30);
      else image.SetRGB(x, y, 30, 30, 200);
    }
  }
  image.SetRGB(0, 0, 0, 255, 0);
  return image.Write(path.c_str());
}

class PictureSheetTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    frame_ = MakeFrame();
    ASSERT_NE(frame_, nullptr);
    work_ = NewWork();
    ASSERT_NE(work_, nullptr);
    bmp_template_ = new CMultiDocTemplate(resources::IDS_PICTURE_DOCUMENT, RUNTIME_CLASS(CLumoBMPDoc),
                                          RUNTIME_CLASS(CChildBMPFrame), RUNTIME_CLASS(CLumoBMPView));
    app_->AddDocTemplate(bmp_template_);
  }
  void TearDown() override {
    if (frame_) CloseFrame(frame_);
    FrameTest::TearDown();
  }

  // A picture in the program's temporary folder, opened in a sheet.
  CLumoBMPView* Open(int w, int h, std::string* path_out = nullptr) {
    const std::string path = base::temp_folder() + "/2100" + std::to_string(++count_) + ".png";
    if (!WritePicture(path, w, h)) return nullptr;
    if (path_out) *path_out = path;
    CDocument* doc = bmp_template_->OpenDocumentFile(CString(path), TRUE);
    pump();
    if (!doc) return nullptr;
    for (CView* view : doc->views()) {
      if (auto* picture = dynamic_cast<CLumoBMPView*>(view)) return picture;
    }
    return nullptr;
  }

  CMainFrame* frame_ = nullptr;
  CLumoKALDoc* work_ = nullptr;
  CMultiDocTemplate* bmp_template_ = nullptr;
  int count_ = 0;
};

TEST_F(PictureSheetTest, OpensFittedToTheWidthAndDraws) {
  CLumoBMPView* view = Open(1600, 1200);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->GetFitMode(), 2);
  view->UpdateWindow();
  pump();
  CRect client;
  view->GetClientRect(&client);
  save_window_png(frame_->m_hWnd, ::testing::TempDir() + "picture_sheet_fit.png");
  // The picture fills the width less the margins: red on the left, blue on the right.
  const CRect drawn = view->GetPictureRect();
  EXPECT_LE(drawn.right, client.right);
  EXPECT_GT(drawn.Width(), client.Width() - 20 - ::GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(PictureSheetTest, SmallPictureCentredOnWhite) {
  CLumoBMPView* view = Open(40, 30);
  ASSERT_NE(view, nullptr);
  view->SendMessage(WM_COMMAND, resources::ID_ZOOM_200);
  EXPECT_EQ(view->GetZoom(), 200);
  view->UpdateWindow();
  pump();
  CRect client;
  view->GetClientRect(&client);
  const CRect drawn = view->GetPictureRect();
  EXPECT_EQ(drawn.Width(), client.Width() - 2 * drawn.left);
  EXPECT_EQ(drawn.left, (client.Width() - 40) / 2);
  save_window_png(frame_->m_hWnd, ::testing::TempDir() + "picture_sheet_small.png");
}

TEST_F(PictureSheetTest, CtrlWheelZoomsWithinLimits) {
  CLumoBMPView* view = Open(800, 600);
  ASSERT_NE(view, nullptr);
  view->SendMessage(WM_COMMAND, resources::ID_ZOOM_66);
  EXPECT_EQ(view->GetZoom(), 67);
  EXPECT_EQ(view->GetFitMode(), 3);
  auto wheel = [&](int delta, int times) {
    for (int i = 0; i < times; ++i) view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, delta), 0);
  };
  wheel(120, 30);
  EXPECT_EQ(view->GetZoom(), 400);
  EXPECT_EQ(view->GetFitMode(), 4);
  wheel(-120, 30);
  EXPECT_EQ(view->GetZoom(), 25);
  wheel(120, 1);
  EXPECT_EQ(view->GetZoom(), 50);
  // Shift with the wheel does nothing.
  view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, 120), 0);
  EXPECT_EQ(view->GetZoom(), 50);
}

TEST_F(PictureSheetTest, FitToWindowNeverEnlargesPastNaturalSize) {
  CLumoBMPView* view = Open(100, 80);
  ASSERT_NE(view, nullptr);
  view->SendMessage(WM_COMMAND, resources::ID_FIT_WINDOW);
  EXPECT_EQ(view->GetFitMode(), 1);
  EXPECT_EQ(view->GetZoom(), 100);
}

TEST_F(PictureSheetTest, SpaceBarPansAndRestoresTheMode) {
  CLumoBMPView* view = Open(3000, 3000);
  ASSERT_NE(view, nullptr);
  view->SendMessage(WM_COMMAND, resources::ID_ZOOM_100);
  view->SendMessage(WM_COMMAND, resources::ID_RULER_MODE);
  EXPECT_EQ(view->GetMouseMode(), CLumoBMPView::kRuler);
  view->SendMessage(WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(view->GetMouseMode(), CLumoBMPView::kPan);
  view->SendMessage(WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(view->GetMouseMode(), CLumoBMPView::kRuler);
  // Panning with the mouse moves the scroll position by the drag.
  view->SendMessage(WM_COMMAND, resources::ID_PAN_MODE);
  ASSERT_EQ(view->GetMouseMode(), CLumoBMPView::kPan);
  view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
  view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 70));
  view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(60, 70));
  EXPECT_EQ(view->GetDeviceScrollPosition(), CPoint(40, 30));
  EXPECT_EQ(view->GetMouseMode(), CLumoBMPView::kPan);
  // Page Down scrolls by half the client height.
  CRect client;
  view->GetClientRect(&client);
  view->SendMessage(WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_EQ(view->GetDeviceScrollPosition().y, 30 + client.Height() / 2);
}

TEST_F(PictureSheetTest, CopyPutsThePictureAtItsOwnSize) {
  CLumoBMPView* view = Open(30, 20);
  ASSERT_NE(view, nullptr);
  view->SendMessage(WM_COMMAND, resources::ID_COPY_PICTURE);
  const std::vector<uint8_t> dib = GetClipboardData(CF_DIB);
  ASSERT_GE(dib.size(), sizeof(BITMAPINFOHEADER));
  BITMAPINFOHEADER header;
  std::memcpy(&header, dib.data(), sizeof header);
  EXPECT_EQ(header.biWidth, 30);
  EXPECT_EQ(std::abs(header.biHeight), 20);
  ASSERT_GE(header.biBitCount, 24);
  // Rows of BGR(X) pixels, bottom-up or top-down: row 10 is in the middle either way, and a pixel
  // of the right half is blue.
  const int bytes = header.biBitCount / 8;
  const int stride = (30 * header.biBitCount + 31) / 32 * 4;
  ASSERT_GE(dib.size(), header.biSize + 20u * stride);
  const uint8_t* right = dib.data() + header.biSize + 10 * stride + 25 * bytes;
  EXPECT_EQ(right[0], 200);
  EXPECT_EQ(right[2], 30);
}

TEST_F(PictureSheetTest, ClosingDeletesOnlyTheProgramsTemporaryFile) {
  std::string path;
  CLumoBMPView* view = Open(30, 20, &path);
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(std::filesystem::exists(path));
  view->GetParentFrame()->SendMessage(WM_CLOSE);
  pump();
  EXPECT_FALSE(std::filesystem::exists(path));
  // A picture outside the temporary folder stays.
  const std::string own = folder_ + "/rysunek.png";
  ASSERT_TRUE(WritePicture(own, 10, 10));
  {
    CLumoBMPDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(CString(own)));
  }
  EXPECT_TRUE(std::filesystem::exists(own));
  // A file that is no picture opens no sheet.
  const std::string bad = base::temp_folder() + "/2100999.png";
  std::FILE* f = std::fopen(bad.c_str(), "wb");
  std::fputs("not a picture", f);
  std::fclose(f);
  CLumoBMPDoc doc;
  EXPECT_FALSE(doc.OnOpenDocument(CString(bad)));
}

}  // namespace
}  // namespace lumo::test

namespace lumo::test {
namespace {

constexpr UINT kRunScript = WM_APP + 0x3A1;

TEST_F(PictureSheetTest, ZoomDialogRefusesValuesOutOfRange) {
  CLumoBMPView* view = Open(800, 600);
  ASSERT_NE(view, nullptr);
  std::vector<std::string> refused;
  int step = 0;
  win::set_message_observer([&](HWND h, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG && !(::GetWindowLong(h, GWL_STYLE) & WS_CHILD)) ::PostMessage(h, kRunScript, 0, 0);
    if (message != kRunScript) return;
    // 20 and 401 keep the dialog open with the range message; 250 is taken.
    const char* typed[] = {"20", "401", "250"};
    if (step == 0) {
      ::SetDlgItemText(h, int(resources::IDC_ZOOM_PERCENT), "125");
      ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      pump();
      save_window_png(h, ::testing::TempDir() + "picture_zoom_dialog.png", true);
    }
    for (const char* text : typed) {
      ::SetDlgItemText(h, int(resources::IDC_ZOOM_PERCENT), text);
      const size_t before = prompts_.asked.size();
      ::SendMessage(h, WM_COMMAND, IDOK, 0);
      if (prompts_.asked.size() > before) refused.push_back(text);
      ++step;
    }
  });
  prompts_.answers = {IDOK, IDOK};
  view->SendMessage(WM_COMMAND, resources::ID_ZOOM_OTHER);
  win::set_message_observer(nullptr);
  EXPECT_EQ(refused, (std::vector<std::string>{"20", "401"}));
  EXPECT_EQ(view->GetZoom(), 250);
  EXPECT_EQ(view->GetFitMode(), 4);
}

}  // namespace
}  // namespace lumo::test

namespace lumo::test {
namespace {

TEST_F(PictureSheetTest, ZoomModeDragsABandAndZoomsToIt) {
  CLumoBMPView* view = Open(800, 600);
  ASSERT_NE(view, nullptr);
  view->SendMessage(WM_COMMAND, resources::ID_ZOOM_50);
  view->SendMessage(WM_COMMAND, resources::ID_ZOOM_MODE);
  ASSERT_EQ(view->GetMouseMode(), CLumoBMPView::kZoom);
  view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 90));
  EXPECT_EQ(view->GetMouseMode(), CLumoBMPView::kZoomDragging);
  view->UpdateWindow();
  pump();
  // The band is drawn by the painting, over the picture: its dotted top edge is dark.
  save_surface_png(view->m_hWnd, ::testing::TempDir() + "picture_sheet_band.png");
  int dark = 0;
  for (int x = 30; x < 110; ++x) {
    const COLORREF edge = surface_pixel(view->m_hWnd, x, 20);
    if (GetRValue(edge) + GetGValue(edge) + GetBValue(edge) < 200) ++dark;
  }
  EXPECT_GT(dark, 20);
  view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(120, 90));
  EXPECT_EQ(view->GetMouseMode(), CLumoBMPView::kZoom);
  EXPECT_EQ(view->GetFitMode(), 4);
  EXPECT_GT(view->GetZoom(), 50);
  // A click zooms in by a step.
  const int zoom = view->GetZoom();
  view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
  view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
  EXPECT_EQ(view->GetZoom(), std::min(zoom + 25, 400));
}

}  // namespace
}  // namespace lumo::test
