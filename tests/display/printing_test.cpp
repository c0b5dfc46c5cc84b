// Printing on the recording device: pages started and ended in order, nothing cut at a page's
// bottom, objects taller than a page continued, the last page left open.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/frame/printing.h"
#include "engine/frame/selection.h"
#include "platform/gdi/core/dc_api.h"
#include "tests/display/display_topic.h"

namespace display_test {
namespace {

struct PageLog {
  std::vector<std::string> events;
};

BOOL LogPage(void* job, HDC, int32_t, int32_t top, int32_t, int32_t bottom, RECT*, BOOL starting) {
  static_cast<PageLog*>(job)->events.push_back((starting ? "start " : "end ") + std::to_string(top) + "-" +
                                               std::to_string(bottom));
  return TRUE;
}

std::vector<Bytes> Lines(int count) {
  std::vector<Bytes> records;
  for (int i = 0; i < count; ++i) records.push_back(Paragraph("linia " + std::to_string(i) + "|"));
  return records;
}

// The y of every text drawn since `from`, with its text.
std::vector<std::pair<int, std::string>> Texts(const gdi::RecordingLog& log, size_t from) {
  // Lines read: text X,Y "TEXT" ...
  std::vector<std::pair<int, std::string>> out;
  for (size_t i = from; i < log.size(); ++i) {
    const std::string& line = log[i];
    if (line.rfind("text ", 0) != 0) continue;
    size_t comma = line.find(',');
    size_t quote = line.find('"');
    size_t end = line.find('"', quote + 1);
    if (comma == std::string::npos || quote == std::string::npos || end == std::string::npos) continue;
    out.emplace_back(std::stoi(line.substr(comma + 1, quote - comma - 2)), line.substr(quote + 1, end - quote - 1));
  }
  return out;
}

TEST(Printing, BreakLineRisesAboveTheObjectItWouldCut) {
  std::vector<frame::PrintedObject> objects{{0, 0, 0, 14}, {0, 1, 14, 28}, {0, 2, 28, 42}};
  EXPECT_EQ(frame::FrPageBreak(objects, 0, 35), 28);
  EXPECT_EQ(frame::FrPageBreak(objects, 0, 42), 42);
  // A page whose first object is taller than the page keeps its full height: that object is clipped.
  std::vector<frame::PrintedObject> tall{{0, 0, 0, 500}};
  EXPECT_EQ(frame::FrPageBreak(tall, 0, 100), 100);
}

TEST(Printing, PagesInOrderWithNoLineCutAndTheLastPageLeftOpen) {
  DisplayTopic topic(Lines(20));
  PageLog pages;
  RECT page{10, 0, 400, 100};
  RECT layout = page;
  medview::TitleErrorCode error = 99;
  size_t before = topic.t.log().size();
  ASSERT_EQ(medview::MvAcquireDC(&topic.viewer()), 0);
  HDC printer = topic.viewer().hdc;
  EXPECT_TRUE(medview::MvPrint(&topic.viewer(), printer, FALSE, &page, &layout, nullptr, LogPage, &pages, &error));
  medview::MvReleaseDC(&topic.viewer());
  EXPECT_EQ(error, 0);
  // 20 lines of 14 pixels: 7 whole lines (98 pixels) a page, so three pages; the last stays open.
  std::vector<std::string> expected{"start 0-100", "end 0-100", "start 0-100", "end 0-100", "start 0-100"};
  EXPECT_EQ(pages.events, expected);
  auto texts = Texts(topic.t.log(), before);
  ASSERT_EQ(texts.size(), 20u);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(texts[size_t(i)].second, "linia " + std::to_string(i));
    EXPECT_EQ(texts[size_t(i)].first, (i % 7) * 14) << i;  // each line whole at its page's top part
  }
  EXPECT_EQ(layout.top, 6 * 14);  // six lines on the last page
  EXPECT_EQ(layout.bottom, 100);
}

TEST(Printing, ShortRegionStartsOnePageAndReturnsTheSpaceBelow) {
  DisplayTopic topic(Lines(2));
  PageLog pages;
  RECT page{0, 0, 400, 500};
  RECT layout = page;
  ASSERT_EQ(medview::MvAcquireDC(&topic.viewer()), 0);
  HDC printer = topic.viewer().hdc;
  EXPECT_TRUE(medview::MvPrint(&topic.viewer(), printer, FALSE, &page, &layout, nullptr, LogPage, &pages, nullptr));
  medview::MvReleaseDC(&topic.viewer());
  EXPECT_EQ(pages.events, std::vector<std::string>{"start 0-500"});
  EXPECT_EQ(layout.top, 28);
}

TEST(Printing, LinesTallerThanThePageAreContinuedNotLost) {
  DisplayTopic topic(Lines(3));
  PageLog pages;
  RECT page{0, 0, 400, 10};  // lower than one line
  RECT layout = page;
  size_t before = topic.t.log().size();
  ASSERT_EQ(medview::MvAcquireDC(&topic.viewer()), 0);
  HDC printer = topic.viewer().hdc;
  EXPECT_TRUE(medview::MvPrint(&topic.viewer(), printer, FALSE, &page, &layout, nullptr, LogPage, &pages, nullptr));
  medview::MvReleaseDC(&topic.viewer());
  auto texts = Texts(topic.t.log(), before);
  for (int i = 0; i < 3; ++i) {
    std::string line = "linia " + std::to_string(i);
    bool printed = std::any_of(texts.begin(), texts.end(), [&](const auto& t) { return t.second == line; });
    EXPECT_TRUE(printed) << i;
  }
  EXPECT_GE(pages.events.size(), 7u);  // 42 pixels over pages of 10
}

TEST(Printing, SelectionOnlyWithoutSelectionFailsAndSelectionPrintsAtTheTop) {
  DisplayTopic topic(Lines(5));
  RECT page{0, 0, 400, 500};
  RECT layout = page;
  medview::TitleErrorCode error = 0;
  ASSERT_EQ(medview::MvAcquireDC(&topic.viewer()), 0);
  HDC printer = topic.viewer().hdc;
  EXPECT_FALSE(medview::MvPrint(&topic.viewer(), printer, TRUE, &page, &layout, nullptr, nullptr, nullptr, &error));
  EXPECT_EQ(error, medview::kViewNoSelection);
  medview::MvSetSelection(&topic.viewer(), layout_test::MemoryRecordSource::PositionOf(2), 6,
                          layout_test::MemoryRecordSource::PositionOf(3), 5);
  PageLog pages;
  size_t before = topic.t.log().size();
  EXPECT_TRUE(medview::MvPrint(&topic.viewer(), printer, TRUE, &page, &layout, nullptr, LogPage, &pages, &error));
  medview::MvReleaseDC(&topic.viewer());
  auto texts = Texts(topic.t.log(), before);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], (std::pair<int, std::string>{0, "2"}));
  EXPECT_EQ(texts[1], (std::pair<int, std::string>{14, "linia"}));
}

}  // namespace
}  // namespace display_test
