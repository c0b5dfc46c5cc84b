// A viewer bound to a built title: style sheet from "|FONT", records from "|TOPIC".
#include <gtest/gtest.h>

#include "engine/bitmap/picture.h"
#include "engine/frame/topic_layout.h"
#include "platform/base/temp_folder.h"
#include "tests/layout/record_builder.h"
#include "tools/titlebuild/font_fixtures.h"
#include "tools/titlebuild/library_title.h"

namespace layout_test {
namespace {

titlebuild::TopicRecordSource Paragraph(const std::string& text) {
  Bytes record = TextRecord(adt::ParagraphInfo{}, Commands().Font(1).End(), "|" + text + "|");
  adt::TopicRecordHeader header;
  size_t header_size = adt::DpDecodeRecordHeader(header, record.data(), record.size());
  titlebuild::TopicRecordSource source;
  source.format.assign(record.begin() + std::ptrdiff_t(header_size),
                       record.begin() + std::ptrdiff_t(header_size) + header.length);
  source.text.assign(record.begin() + std::ptrdiff_t(header_size) + header.length, record.end());
  return source;
}

TEST(TitleViewer, LaysOutATopicOfABuiltTitle) {
  titlebuild::LibraryTitleSource library;
  titlebuild::TopicSource topic;
  topic.title = "Ustawa";
  topic.records = {Paragraph("Art. 1. Pierwszy"), Paragraph("Art. 2. Drugi"), Paragraph("Art. 3. Trzeci")};
  library.topics = {topic};
  titlebuild::TitleBuilder builder;
  titlebuild::TopicFileLayout layout;
  ASSERT_EQ(titlebuild::AddLibraryTitle(builder, library, layout), 0);
  titlebuild::add_sample_fonts(builder);
  std::string path = base::temp_folder() + "/layout_title.mvb";
  ASSERT_EQ(builder.write(path), 0);
  title::TitleHandle* handle = title::TtlOpen(path.c_str(), nullptr, 0, true);
  ASSERT_NE(handle, nullptr);
  {
    TestViewer t;
    medview::Viewer& v = t.viewer();
    medview::TitleErrorCode error = 99;
    ASSERT_TRUE(medview::MvSetTitle(&v, handle, nullptr, &error)) << error;
    ASSERT_NE(v.styleSheet, nullptr);
    EXPECT_EQ(v.styleSheet->descriptors.size(), titlebuild::sample_font_content(title::FontForm::kNewest).descriptors.size());
    ASSERT_TRUE(frame::MvSetTopic(&v, layout.record_positions[0][1], 1, 0, &error)) << error;
    RECT window{0, 0, 300, 200};
    ASSERT_TRUE(frame::MvLayoutTopic(&v, &window, &error)) << error;
    ASSERT_EQ(v.frames.size(), 3u);
    EXPECT_EQ(v.frames[0].position, layout.record_positions[0][0]);
    EXPECT_EQ(v.frames[0].y, 0);
    EXPECT_EQ(v.frames[2].position, layout.record_positions[0][2]);
    EXPECT_EQ(v.layoutState & 7, 7);
    EXPECT_EQ(v.frames[1].objects.front().length, 13);  // "Art. 2. Drugi"
    EXPECT_EQ(frame::MvGetTopicTitle(&v), "Ustawa");
    EXPECT_TRUE(frame::MvHasScrollRegion(&v));
    EXPECT_FALSE(frame::MvHasNonScrollRegion(&v));
    EXPECT_EQ(frame::MvGetNextTopic(&v), -1);
  }
  medview::TitleErrorCode error = 0;
  medview::ViewerHandle missing = medview::MvCreateViewer(nullptr, &error);
  EXPECT_FALSE(medview::MvSetTitle(missing, nullptr, nullptr, &error));
  EXPECT_EQ(error, medview::kViewTitleMissing);
  medview::MvDestroyViewer(missing);
  title::TtlClose(handle);
}

}  // namespace
}  // namespace layout_test

namespace layout_test {
namespace {

Bytes SmallPicture(uint8_t shade) {
  StoredBitmap p;
  p.width = 2;
  p.height = 2;
  p.palette = {uint32_t(shade) * 0x010101u};
  p.bits = Bytes(8, 0);
  return PictureDirectory({StoredBitmapRecord(p)});
}

Bytes NumberReference(int16_t number) { return {0, 0, uint8_t(number), uint8_t(number >> 8)}; }

TEST(TitlePictures, CacheKeepsFiveAndRebuildsOnANewBackground) {
  titlebuild::LibraryTitleSource library;
  titlebuild::TopicSource topic;
  topic.records = {Paragraph("x")};
  library.topics = {topic};
  titlebuild::TitleBuilder builder;
  titlebuild::TopicFileLayout layout;
  ASSERT_EQ(titlebuild::AddLibraryTitle(builder, library, layout), 0);
  titlebuild::add_sample_fonts(builder);
  for (int n = 1; n <= 6; ++n) builder.add_file("|bm" + std::to_string(n), SmallPicture(uint8_t(n * 40)));
  std::string path = base::temp_folder() + "/layout_pictures.mvb";
  ASSERT_EQ(builder.write(path), 0);
  title::TitleHandle* handle = title::TtlOpen(path.c_str(), nullptr, 0, true);
  ASSERT_NE(handle, nullptr);
  {
    TestViewer t;
    medview::Viewer& v = t.viewer();
    ASSERT_TRUE(medview::MvSetTitle(&v, handle, nullptr, nullptr));
    ASSERT_EQ(medview::MvAcquireDC(&v), 0);
    auto cached = [&v](int32_t number) {
      for (const auto& slot : v.bitmapCache->slots) {
        if (slot.number == number) return true;
      }
      return false;
    };
    for (int16_t n = 1; n <= 5; ++n) EXPECT_NE(bitmap::BmLoadPicture(v, NumberReference(n))->bitmap, nullptr);
    bitmap::BmLoadPicture(v, NumberReference(1));  // 1 is now the most recent, 2 the oldest
    bitmap::PictureInfoPtr sixth = bitmap::BmLoadPicture(v, NumberReference(6));
    EXPECT_EQ(sixth->number, 6);
    EXPECT_TRUE(cached(1));
    EXPECT_FALSE(cached(2));
    EXPECT_TRUE(cached(6));
    // Drawing keeps the picture as drawn on the viewer's background; a new background rebuilds it.
    EXPECT_EQ(bitmap::BmDrawPicture(*sixth, v, 0, 0, false), 1);
    const bitmap::PictureSlot* slot = nullptr;
    for (const auto& s : v.bitmapCache->slots) {
      if (s.number == 6) slot = &s;
    }
    ASSERT_NE(slot, nullptr);
    HBITMAP first = slot->deviceBitmap;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(bitmap::BmDrawPicture(*sixth, v, 0, 0, false), 1);
    EXPECT_EQ(slot->deviceBitmap, first);  // unchanged background: one copy of the kept bitmap
    medview::MvSetBackColor(&v, RGB(0, 0, 128));
    EXPECT_EQ(bitmap::BmDrawPicture(*sixth, v, 0, 0, false), 1);
    EXPECT_EQ(slot->background, RGB(0, 0, 128));
    // A picture the title does not have shows the error box.
    bitmap::PictureInfoPtr missing = bitmap::BmLoadPicture(v, NumberReference(9));
    EXPECT_EQ(missing->bitmap, nullptr);
    EXPECT_EQ(missing->width, bitmap::BmErrorBoxSize(v).cx);
    medview::MvReleaseDC(&v);
  }
  title::TtlClose(handle);
}

}  // namespace
}  // namespace layout_test
