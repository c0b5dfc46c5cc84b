// A viewer bound to a built title: style sheet from "|FONT", records from "|TOPIC".
#include <gtest/gtest.h>

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
