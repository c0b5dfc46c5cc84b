// The preview context answers as the printer and lands its drawing, scaled, on the shown page.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/framework/preview_dc.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/core/recording_device.h"

namespace {

// A4 at 300 dots per inch shown at a tenth of its size, 100 pixels right and 50 down.
constexpr framework::PreviewPage kPage{2480, 3508, 300, 300};
constexpr RECT kShown{100, 50, 348, 401};

struct Recorded {
  std::shared_ptr<gdi::RecordingLog> log = std::make_shared<gdi::RecordingLog>();
  HDC target = gdi::create_recording_dc(log);
  HDC preview = framework::create_preview_dc(target, kPage, kShown);
  ~Recorded() {
    if (preview) DeleteDC(preview);
    DeleteDC(target);
  }
  std::string last() const { return log->empty() ? std::string() : log->back(); }
};

TEST(PreviewDc, AnswersAsThePrinter) {
  Recorded r;
  ASSERT_NE(r.preview, nullptr);
  EXPECT_EQ(GetDeviceCaps(r.preview, LOGPIXELSX), 300);
  EXPECT_EQ(GetDeviceCaps(r.preview, LOGPIXELSY), 300);
  EXPECT_EQ(GetDeviceCaps(r.preview, HORZRES), 2480);
  EXPECT_EQ(GetDeviceCaps(r.preview, VERTRES), 3508);
  EXPECT_EQ(GetDeviceCaps(r.preview, TECHNOLOGY), DT_RASPRINTER);
  RECT clip{};
  GetClipBox(r.preview, &clip);
  EXPECT_EQ(clip.right, 2480);
  EXPECT_EQ(clip.bottom, 3508);
}

TEST(PreviewDc, RejectsEmptyPagesAndStaleTargets) {
  auto log = std::make_shared<gdi::RecordingLog>();
  HDC target = gdi::create_recording_dc(log);
  EXPECT_EQ(framework::create_preview_dc(target, framework::PreviewPage{0, 3508, 300, 300}, kShown), nullptr);
  EXPECT_EQ(framework::create_preview_dc(target, kPage, RECT{10, 10, 10, 40}), nullptr);
  DeleteDC(target);
  EXPECT_EQ(framework::create_preview_dc(target, kPage, kShown), nullptr);
}

// A rectangle given in printer coordinates lands at the scaled spot of the shown page, under the
// mapping the printed view chose.
TEST(PreviewDc, RectanglesLandScaledOnTheShownPage) {
  struct Case {
    const char* name;
    int map_mode;
    RECT logical;
    std::string expected;  // target pixels
  };
  const Case cases[] = {
      {"printer pixels", MM_TEXT, {1000, 2000, 1500, 2500}, "rectangle 200,250,250,300"},
      {"tenths of a millimetre", MM_LOMETRIC, {254, -254, 508, -508}, "rectangle 130,80,160,110"},
      {"whole page", MM_TEXT, {0, 0, 2480, 3508}, "rectangle 100,50,348,401"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Recorded r;
    SetMapMode(r.preview, c.map_mode);
    Rectangle(r.preview, c.logical.left, c.logical.top, c.logical.right, c.logical.bottom);
    EXPECT_EQ(r.last().rfind(c.expected, 0), 0u) << r.last();
  }
}

TEST(PreviewDc, DrawingStaysInsideTheShownPage) {
  Recorded r;
  // Far outside the paper: the clip of the drawing is the shown page.
  Rectangle(r.preview, -5000, -5000, 9000, 9000);
  std::string line = r.last();
  EXPECT_NE(line.find("clip=100,50,348,401"), std::string::npos) << line;
}

TEST(PreviewDc, TextKeepsThePrintersLayout) {
  Recorded r;
  CDC dc;
  dc.Attach(r.preview);
  CFont font;
  font.CreatePointFont(240, "Arial", &dc);  // 24 points: 100 printer pixels
  CFont* old = dc.SelectObject(&font);
  CSize printed = dc.GetTextExtent(CString("Strona"));
  dc.TextOut(500, 1000, CString("Strona"));
  dc.SelectObject(old);
  dc.Detach();
  // Measured at printer size, drawn at a tenth of it from the scaled start.
  EXPECT_GT(printed.cy, 80);
  auto text = std::find_if(r.log->begin(), r.log->end(),
                           [](const std::string& l) { return l.find("Strona") != std::string::npos; });
  ASSERT_NE(text, r.log->end());
  EXPECT_NE(text->find("150,150"), std::string::npos) << *text;
}

}  // namespace
