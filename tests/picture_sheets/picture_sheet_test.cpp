// The picture sheet in a main frame: a PNG opened through the picture template shows fitted to
// the width; zoom commands, Ctrl+wheel, keys, copying, page names and closing.
#include <gtest/gtest.h>

#include <filesystem>

#include "pictures/sheets/lumo_bmp_doc.h"
#include "pictures/sheets/lumo_bmp_view.h"
#include "pictures/sheets/picture_zoom.h"
#include "pictures/sheets/ruler_views.h"
#include "controls/gs_toolbar_edit_btn.h"
#include "controls/mouse_manager.h"
#include "platform/framework/menu.h"
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

// --- Rulers -------------------------------------------------------------------------------------

namespace lumo::test {
namespace {

struct Panes {
  CRulerSplitterWnd* splitter = nullptr;
  CRulerCornerView* corner = nullptr;
  CRulerView* top = nullptr;
  CRulerView* left = nullptr;
};

Panes PanesOf(CLumoBMPView* view) {
  Panes p;
  auto* frame = dynamic_cast<CChildBMPFrame*>(view->GetParentFrame());
  if (!frame) return p;
  p.splitter = frame->GetRulerSplitter();
  if (!p.splitter) return p;
  p.corner = dynamic_cast<CRulerCornerView*>(p.splitter->GetPane(0, 0));
  p.top = dynamic_cast<CRulerView*>(p.splitter->GetPane(0, 1));
  p.left = dynamic_cast<CRulerView*>(p.splitter->GetPane(1, 0));
  return p;
}

bool Dark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 200; }

// The dark pixels of a window's surface inside `r`.
int DarkPixels(HWND h, const CRect& r) {
  int dark = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) dark += Dark(surface_pixel(h, x, y)) ? 1 : 0;
  }
  return dark;
}

TEST_F(PictureSheetTest, SheetIsSplitIntoCornerRulersAndPicture) {
  CLumoBMPView* view = Open(1600, 1200);
  ASSERT_NE(view, nullptr);
  const Panes p = PanesOf(view);
  ASSERT_NE(p.splitter, nullptr);
  ASSERT_NE(p.corner, nullptr);
  ASSERT_NE(p.top, nullptr);
  ASSERT_NE(p.left, nullptr);
  EXPECT_EQ(p.splitter->GetPane(1, 1), view);
  EXPECT_EQ(view->GetParentFrame()->GetActiveView(), view);
  EXPECT_TRUE(p.top->IsHorizontal());
  EXPECT_FALSE(p.left->IsHorizontal());
  // The rulers are the sheet's, not views of the picture document.
  EXPECT_EQ(view->GetDocument()->views().size(), 1u);
  CRect top, left, picture;
  p.top->GetWindowRect(&top);
  p.left->GetWindowRect(&left);
  view->GetWindowRect(&picture);
  EXPECT_EQ(top.Height(), 20);
  EXPECT_EQ(left.Width(), 20);
  EXPECT_EQ(top.left, picture.left);
  EXPECT_EQ(left.top, picture.top);
  // Nothing between the panes can be dragged.
  CRect client;
  p.splitter->GetClientRect(&client);
  for (int x = 0; x < client.right; x += 3) {
    EXPECT_EQ(p.splitter->HitTest(CPoint(x, 20)), CSplitterWnd::noHit);
    EXPECT_EQ(p.splitter->HitTest(CPoint(20, std::min(x, int(client.bottom) - 1))), CSplitterWnd::noHit);
  }
  p.splitter->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 100));
  p.splitter->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 160));
  p.splitter->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(120, 160));
  CRect after;
  p.left->GetWindowRect(&after);
  EXPECT_EQ(after.Width(), 20);
  // Clicking a ruler leaves the picture the active view and gives it the focus.
  p.top->SendMessage(WM_MOUSEACTIVATE, WPARAM(view->GetParentFrame()->m_hWnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  p.top->SetFocus();
  EXPECT_EQ(view->GetParentFrame()->GetActiveView(), view);
  EXPECT_EQ(::GetFocus(), view->m_hWnd);
}

TEST_F(PictureSheetTest, RulersShowCentimetresOverThePicture) {
  CLumoBMPView* view = Open(1500, 1500);
  ASSERT_NE(view, nullptr);
  view->SendMessage(WM_COMMAND, resources::ID_ZOOM_100);
  const Panes p = PanesOf(view);
  ASSERT_NE(p.top, nullptr);
  view->GetParentFrame()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  pump();
  save_window_png(frame_->m_hWnd, ::testing::TempDir() + "picture_sheet_rulers.png");
  save_surface_png(p.top->m_hWnd, ::testing::TempDir() + "picture_ruler_top.png");
  save_surface_png(p.left->m_hWnd, ::testing::TempDir() + "picture_ruler_left.png");
  save_surface_png(p.corner->m_hWnd, ::testing::TempDir() + "picture_ruler_corner.png");
  // The band over the picture is white, with numbers and ticks; one centimetre is 29.5 pixels.
  CRect top;
  p.top->GetClientRect(&top);
  int white = 0;
  for (int x = 40; x < 400; ++x) white += surface_pixel(p.top->m_hWnd, x, top.bottom - 4) == RGB(255, 255, 255) ? 1 : 0;
  EXPECT_GT(white, 200);
  EXPECT_GT(DarkPixels(p.top->m_hWnd, CRect(0, 0, 400, top.bottom)), 40);
  // The vertical ruler's numbers are turned: "10" is taller than wide there.
  CRect left;
  p.left->GetClientRect(&left);
  const int at = int(10 * 150 / 2.54 / 2);  // 10 cm at 100 %
  CRect box(left.right, left.bottom, left.left, left.top);
  for (int y = at - 14; y <= at + 14; ++y) {
    for (int x = 0; x < left.right; ++x) {
      if (!Dark(surface_pixel(p.left->m_hWnd, x, y))) continue;
      box.left = std::min(int(box.left), x);
      box.right = std::max(int(box.right), x);
      box.top = std::min(int(box.top), y);
      box.bottom = std::max(int(box.bottom), y);
    }
  }
  EXPECT_GT(box.Height(), box.Width()) << box.left << "," << box.top << " " << box.right << "," << box.bottom;
  // The corner shows its picture: not only its grey.
  EXPECT_GT(DarkPixels(p.corner->m_hWnd, CRect(0, 0, 20, 20)), 10);
}

TEST_F(PictureSheetTest, RulersFollowScrollAndZoom) {
  CLumoBMPView* view = Open(3000, 3000);
  ASSERT_NE(view, nullptr);
  view->SendMessage(WM_COMMAND, resources::ID_ZOOM_200);
  const Panes p = PanesOf(view);
  ASSERT_NE(p.top, nullptr);
  view->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 300), 0);
  EXPECT_EQ(view->GetDeviceScrollPosition().x, 300);
  EXPECT_EQ(p.top->GetPosition(), 300);
  view->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
  view->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(p.left->GetPosition(), view->GetDeviceScrollPosition().y);
  EXPECT_GT(p.left->GetPosition(), 0);
  // The ruler blitted by the thumb shows what a fresh drawing shows.
  p.top->UpdateWindow();
  std::vector<COLORREF> moved;
  for (int x = 0; x < 300; ++x) moved.push_back(surface_pixel(p.top->m_hWnd, x, 10));
  p.top->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  for (int x = 0; x < 300; ++x) EXPECT_EQ(moved[size_t(x)], surface_pixel(p.top->m_hWnd, x, 10)) << x;
  // Panning tells the rulers too; a zoom redraws them for the new scale.
  view->SendMessage(WM_COMMAND, resources::ID_PAN_MODE);
  view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
  view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 180));
  view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(150, 180));
  EXPECT_EQ(p.top->GetPosition(), view->GetDeviceScrollPosition().x);
  EXPECT_EQ(p.left->GetPosition(), view->GetDeviceScrollPosition().y);
  view->SendMessage(WM_COMMAND, resources::ID_ZOOM_50);
  pump();
  save_window_png(frame_->m_hWnd, ::testing::TempDir() + "picture_sheet_rulers_50.png");
  EXPECT_EQ(p.top->GetPosition(), view->GetDeviceScrollPosition().x);
}

TEST_F(PictureSheetTest, CornerGoesThroughTheMouseModes) {
  CLumoBMPView* view = Open(3000, 3000);
  ASSERT_NE(view, nullptr);
  view->SendMessage(WM_COMMAND, resources::ID_ZOOM_100);
  const Panes p = PanesOf(view);
  ASSERT_NE(p.corner, nullptr);
  const int expected[] = {CLumoBMPView::kPan, CLumoBMPView::kZoom, CLumoBMPView::kRuler, CLumoBMPView::kNone};
  const int shown[] = {1, 2, 3, 0};
  for (int i = 0; i < 4; ++i) {
    p.corner->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(view->GetMouseMode(), expected[i]) << i;
    EXPECT_EQ(p.corner->GetMode(), shown[i]) << i;
  }
  // The view's own commands show in the corner.
  view->SendMessage(WM_COMMAND, resources::ID_RULER_MODE);
  EXPECT_EQ(p.corner->GetMode(), 3);
  view->SendMessage(WM_COMMAND, resources::ID_MOUSE_MODE_NONE);
  EXPECT_EQ(p.corner->GetMode(), 0);
  // A picture that fits goes straight to the zoom mode.
  CLumoBMPView* small = Open(100, 80);
  ASSERT_NE(small, nullptr);
  ASSERT_TRUE(small->FitsBothWays());
  const Panes q = PanesOf(small);
  q.corner->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(small->GetMouseMode(), CLumoBMPView::kZoom);
}

TEST_F(PictureSheetTest, RulerModeDrawsTheCrossHairAndReadsCentimetres) {
  CLumoBMPView* view = Open(300, 300);
  ASSERT_NE(view, nullptr);
  view->SendMessage(WM_COMMAND, resources::ID_ZOOM_200);  // 1:1, centred
  view->SendMessage(WM_COMMAND, resources::ID_RULER_MODE);
  view->UpdateWindow();
  CGSToolbarEditBtn* field = sheets::FindPositionField();
  ASSERT_NE(field, nullptr);
  const CRect picture = view->GetPictureRect();
  ASSERT_EQ(picture.Width(), 300);
  // 150 pixels right and 59 down of the corner: 2.54 cm and 1.00 cm.
  const CPoint at(picture.left + 150, picture.top + 59);
  view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  pump();
  EXPECT_EQ(view->GetCrossHair(), at);
  EXPECT_TRUE(view->IsCrossHairShown());
  EXPECT_EQ(field->GetXText().str(), "2.54 cm");
  EXPECT_EQ(field->GetYText().str(), "1.00 cm");
  EXPECT_TRUE(field->ValueX().IsWindowEnabled());
  save_window_png(frame_->m_hWnd, ::testing::TempDir() + "picture_sheet_cross_hair.png");
  // The cross-hair turns the picture's colours over along both lines, beside them the picture stays.
  const COLORREF on = surface_pixel(view->m_hWnd, at.x, at.y + 20);
  const COLORREF beside = surface_pixel(view->m_hWnd, at.x + 2, at.y + 20);
  EXPECT_EQ(on, RGB(255 - GetRValue(beside), 255 - GetGValue(beside), 255 - GetBValue(beside)));
  // The rulers mark the mouse.
  const Panes p = PanesOf(view);
  EXPECT_EQ(p.top->GetMarkPos(), at.x);
  EXPECT_EQ(p.left->GetMarkPos(), at.y);
  // Outside the picture (on the white margin) the field is cleared and greyed.
  view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(picture.left - 5, picture.top + 10));
  EXPECT_FALSE(field->ValueX().IsWindowEnabled());
  EXPECT_TRUE(field->GetXText().IsEmpty());
  EXPECT_EQ(p.top->GetMarkPos(), CRulerView::kNoMark);
  // Moving on leaves no line behind.
  view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x + 40, at.y + 40));
  pump();
  EXPECT_EQ(surface_pixel(view->m_hWnd, at.x, at.y + 20), beside);
  // Leaving the mode greys the field.
  view->SendMessage(WM_COMMAND, resources::ID_MOUSE_MODE_NONE);
  EXPECT_FALSE(field->ValueX().IsWindowEnabled());
}

TEST_F(PictureSheetTest, DoubleClickRunsTheUsersCommand) {
  CLumoBMPView* view = Open(1600, 1200);
  ASSERT_NE(view, nullptr);
  CGSMouseManager* manager = CGSMouseManager::GetMouseManager();
  ASSERT_NE(manager, nullptr);
  manager->SetActionCommand(kMouseContextPicture, resources::ID_FIT_WINDOW);
  view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 50));
  pump();
  EXPECT_EQ(view->GetFitMode(), 1);
  manager->SetActionCommand(kMouseContextPicture, 0);
}

}  // namespace
}  // namespace lumo::test

namespace lumo::test {
namespace {

// Whether a menu or one of its pop-ups holds the command.
bool MenuHolds(HMENU menu, UINT id) {
  for (const auto& item : framework::menu_items(menu)) {
    if (item.id == id || (item.popup && MenuHolds(item.popup, id))) return true;
  }
  return false;
}

TEST_F(PictureSheetTest, MenusOfThePictureSheet) {
  CLumoBMPView* view = Open(3000, 3000);
  ASSERT_NE(view, nullptr);
  view->SendMessage(WM_COMMAND, resources::ID_ZOOM_100);
  // While the picture sheet is active the main window shows its menu, with the picture commands.
  HMENU shown = ::GetMenu(frame_->m_hWnd);
  ASSERT_NE(shown, nullptr);
  for (UINT id : {resources::ID_ZOOM_66, resources::ID_FIT_WIDTH, resources::ID_ZOOM_OTHER, resources::ID_RULER_MODE,
                  resources::ID_NEXT_PAGE, UINT(ID_EDIT_UNDO), resources::ID_COPY_PICTURE}) {
    EXPECT_TRUE(MenuHolds(shown, id)) << id;
  }
  EXPECT_TRUE(MenuHolds(shown, UINT(ID_APP_EXIT)));
  // A right click first takes the focus, then shows the "BMP" pop-up; the choice reaches the view.
  view->SendMessage(WM_COMMAND, resources::ID_RULER_MODE);
  ::SetFocus(frame_->m_hWnd);
  std::vector<UINT> offered;
  framework::set_menu_chooser([&](HMENU menu, HWND, POINT) {
    for (const auto& item : framework::menu_items(menu)) offered.push_back(item.id);
    return UINT(resources::ID_PAN_MODE);
  });
  view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 60));
  EXPECT_TRUE(offered.empty());
  EXPECT_EQ(::GetFocus(), view->m_hWnd);
  view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(80, 80));
  EXPECT_EQ(::GetCapture(), view->m_hWnd);
  view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(80, 80));
  framework::set_menu_chooser(nullptr);
  pump();
  EXPECT_NE(std::find(offered.begin(), offered.end(), UINT(resources::ID_RULER_MODE)), offered.end());
  EXPECT_NE(::GetCapture(), view->m_hWnd);
  EXPECT_EQ(view->GetCrossHair(), CPoint(-1, -1));
  EXPECT_EQ(view->GetMouseMode(), CLumoBMPView::kPan);
}

}  // namespace
}  // namespace lumo::test

namespace lumo::test {
namespace {

TEST_F(PictureSheetTest, MiddleButtonScrollsThePictureAndItsRulers) {
  CLumoBMPView* view = Open(3000, 3000);
  ASSERT_NE(view, nullptr);
  view->SendMessage(WM_COMMAND, resources::ID_ZOOM_100);
  ::SetFocus(frame_->m_hWnd);
  // The first press only takes the focus.
  view->SendMessage(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(100, 100));
  EXPECT_EQ(::GetFocus(), view->m_hWnd);
  EXPECT_EQ(dynamic_cast<CWheelWnd*>(CWnd::FromHandlePermanent(::GetCapture())), nullptr);
  view->SendMessage(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(100, 100));
  auto* wheel = dynamic_cast<CWheelWnd*>(CWnd::FromHandlePermanent(::GetCapture()));
  ASSERT_NE(wheel, nullptr);
  // 100 pixels below the origin: a line down every third tick.
  for (int i = 0; i < 3; ++i) wheel->Tick({100, 200});
  EXPECT_GT(view->GetDeviceScrollPosition().y, 0);
  EXPECT_EQ(PanesOf(view).left->GetPosition(), view->GetDeviceScrollPosition().y);
  wheel->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
  pump();
}

}  // namespace
}  // namespace lumo::test
