// Selection drawn in the viewer's selection colours (flag 0x10) instead of inverted.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/frame/painting.h"
#include "engine/frame/selection.h"
#include "tests/display/display_topic.h"

namespace display_test {
namespace {

using layout_test::MemoryRecordSource;

// The lines the device logged while `paint` ran.
template <typename Paint>
std::vector<std::string> Logged(DisplayTopic& topic, Paint paint) {
  const size_t before = topic.t.log().size();
  paint();
  return std::vector<std::string>(topic.t.log().begin() + std::ptrdiff_t(before), topic.t.log().end());
}

size_t CountWith(const std::vector<std::string>& lines, std::string_view start, std::string_view part) {
  return size_t(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.rfind(start, 0) == 0 && line.find(part) != std::string::npos;
  }));
}

void Paint(medview::Viewer& v) {
  ASSERT_EQ(medview::MvAcquireDC(&v), 0);
  medview::TitleErrorCode error = 99;
  EXPECT_TRUE(medview::MvPaint(&v, v.hdc, nullptr, &error));
  EXPECT_EQ(error, 0);
  medview::MvReleaseDC(&v);
}

TEST(SelectionColours, SelectedTextIsFilledAndRedrawnAndClearingPaintsItAsBefore) {
  DisplayTopic topic({Paragraph("Ustawa o podatku|")});
  medview::Viewer& v = topic.viewer();
  v.flags |= medview::kViewSelectionColours;
  v.selBackColor = RGB(0, 0, 0x80);
  v.selTextColor = RGB(0xFF, 0xFF, 0);
  medview::MvSetSelection(&v, MemoryRecordSource::PositionOf(0), 9, MemoryRecordSource::PositionOf(0), 16);
  const std::vector<RECT> rects =
      frame::FrRangeRects(v, {MemoryRecordSource::PositionOf(0), 9}, {MemoryRecordSource::PositionOf(0), 16});
  ASSERT_EQ(rects.size(), 1u);
  const std::string clip = std::to_string(rects[0].left) + "," + std::to_string(rects[0].top) + "," +
                           std::to_string(rects[0].right) + "," + std::to_string(rects[0].bottom);

  std::vector<std::string> painted = Logged(topic, [&] { Paint(v); });
  EXPECT_EQ(CountWith(painted, "fill ", "brush=solid/000080 clip=" + clip), 1u);
  EXPECT_EQ(CountWith(painted, "text ", "color=FFFF00 rect=" + clip), 1u);
  EXPECT_EQ(CountWith(painted, "fill ", "rop=55"), 0u);  // nothing inverted

  // Clearing fills the part with the background and draws its text in the run's own colour.
  std::vector<std::string> cleared = Logged(topic, [&] { medview::MvClearSelection(&v, nullptr); });
  EXPECT_EQ(CountWith(cleared, "fill ", "brush=solid/FFFFFF clip=" + clip), 1u);
  EXPECT_EQ(CountWith(cleared, "text ", "color=000000 clip=" + clip), 1u);
  EXPECT_EQ(CountWith(cleared, "text ", "FFFF00"), 0u);

  // Without the flag the same selection is inverted, and the run keeps its colour for later drawing.
  v.flags &= uint16_t(~medview::kViewSelectionColours);
  medview::MvSetSelection(&v, MemoryRecordSource::PositionOf(0), 9, MemoryRecordSource::PositionOf(0), 16);
  painted = Logged(topic, [&] { Paint(v); });
  EXPECT_EQ(CountWith(painted, "text ", "FFFF00"), 0u);
  EXPECT_EQ(CountWith(painted, "fill ", "000080"), 0u);
  EXPECT_EQ(CountWith(painted, "fill " + clip, "rop=55"), 1u);
}

}  // namespace
}  // namespace display_test
