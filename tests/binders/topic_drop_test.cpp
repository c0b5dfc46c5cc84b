// Topic drag and drop: the "Topic Info" record byte for byte and its checks, the window tokens,
// and the effects and actions of every kind of target as a table.
#include <gtest/gtest.h>

#include <vector>

#include "navigation/topic_drag.h"

namespace {

using namespace topicdrag;

TEST(TopicInfo, RoundTripsLittleEndianAndChecksEveryField) {
  const TopicInfoBlock block{1234, 0xA1B2C3D4u, 7, kFromBinder};
  const auto bytes = EncodeTopicInfo(block);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()),
            (std::vector<uint8_t>{0xD2, 0x04, 0, 0, 0xD4, 0xC3, 0xB2, 0xA1, 7, 0, 0, 0, 6, 0, 0, 0}));
  TopicInfoBlock read;
  ASSERT_TRUE(DecodeTopicInfo(bytes, 2000, read));
  EXPECT_EQ(read.record, 1234);
  EXPECT_EQ(read.source_window, 0xA1B2C3D4u);
  EXPECT_EQ(read.level, 7);
  EXPECT_EQ(read.source_kind, kFromBinder);
  // A block rounded up by its allocator is read from its start.
  std::vector<uint8_t> longer(bytes.begin(), bytes.end());
  longer.resize(32, 0xEE);
  EXPECT_TRUE(DecodeTopicInfo(longer, 2000, read));

  struct Case {
    const char* what;
    TopicInfoBlock block;
    int32_t count;
  } refused[] = {
      {"record past the library", {2000, 1, 7, 5}, 2000},
      {"negative record", {-1, 1, 7, 5}, 2000},
      {"level above 9", {5, 1, 10, 5}, 2000},
      {"negative level", {5, 1, -3, 5}, 2000},
      {"unknown kind", {5, 1, 7, 9}, 2000},
      {"negative kind", {5, 1, 7, -1}, 2000},
      {"no library", {0, 1, 7, 5}, 0},
  };
  for (const Case& c : refused) {
    TopicInfoBlock out{42, 0, 0, 0};
    EXPECT_FALSE(DecodeTopicInfo(EncodeTopicInfo(c.block), c.count, out)) << c.what;
    EXPECT_EQ(out.record, 42) << c.what;
  }
  EXPECT_FALSE(DecodeTopicInfo(std::span(bytes).first(15), 2000, read));
}

TEST(TopicInfo, WindowTokensAreStablePerObjectAndDistinct) {
  int a = 0, b = 0;
  const uint32_t ta = WindowToken(&a);
  EXPECT_NE(ta, 0u);
  EXPECT_EQ(WindowToken(&a), ta);
  EXPECT_NE(WindowToken(&b), ta);
  EXPECT_EQ(WindowToken(nullptr), 0u);
  ForgetWindowToken(&a);
  EXPECT_NE(WindowToken(&a), ta);
}

TEST(TopicDrop, DecisionsOfEveryTarget) {
  struct Case {
    const char* what;
    DropWindow window;
    int32_t level, kind;
    bool from_self, binder_open, in_zone, ctrl;
    DROPEFFECT enter, over;
    DropAction action;
  } cases[] = {
      {"library act onto the library tab", DropWindow::Library, 7, kFromLibrary, true, false, true, false,
       DROPEFFECT_NONE, DROPEFFECT_NONE, DropAction::Refuse},
      {"binder act onto the library tab", DropWindow::Library, 7, kFromBinder, false, false, true, false,
       DROPEFFECT_LINK, DROPEFFECT_LINK, DropAction::LocateInLibrary},
      {"library act onto the bookmark tab", DropWindow::Bookmarks, 7, kFromLibrary, false, false, true, false,
       DROPEFFECT_COPY, DROPEFFECT_COPY, DropAction::AddBookmark},
      {"history entry onto the bookmark tab", DropWindow::Bookmarks, 7, kFromHistory, false, false, true, false,
       DROPEFFECT_NONE, DROPEFFECT_NONE, DropAction::Refuse},
      {"bookmark onto its own tab", DropWindow::Bookmarks, 7, kFromBookmarks, true, false, true, false,
       DROPEFFECT_NONE, DROPEFFECT_NONE, DropAction::Refuse},
      {"link onto the bookmark tab, outside the list", DropWindow::Bookmarks, 7, kFromLink, false, false, false,
       false, DROPEFFECT_NONE, DROPEFFECT_NONE, DropAction::AddBookmark},
      {"yearbook onto the binder", DropWindow::Binder, 9, kFromLibrary, false, true, true, false, DROPEFFECT_NONE,
       DROPEFFECT_NONE, DropAction::Refuse},
      {"issue onto the binder", DropWindow::Binder, 8, kFromLibrary, false, true, true, false, DROPEFFECT_NONE,
       DROPEFFECT_NONE, DropAction::Refuse},
      {"act part onto the binder", DropWindow::Binder, 3, kFromLibrary, false, true, true, false, DROPEFFECT_COPY,
       DROPEFFECT_COPY, DropAction::AddToBinder},
      {"act onto the binder with none open", DropWindow::Binder, 7, kFromLibrary, false, false, true, false,
       DROPEFFECT_NONE, DROPEFFECT_NONE, DropAction::Refuse},
      {"binder act onto its own tab", DropWindow::Binder, 7, kFromBinder, true, true, true, false, DROPEFFECT_NONE,
       DROPEFFECT_NONE, DropAction::Refuse},
      {"link onto its own sheet", DropWindow::View, 7, kFromLink, true, false, true, false, DROPEFFECT_MOVE,
       DROPEFFECT_MOVE, DropAction::ShowInView},
      {"act header onto its own sheet", DropWindow::View, 7, kFromActHeader, true, false, true, false,
       DROPEFFECT_NONE, DROPEFFECT_NONE, DropAction::Refuse},
      {"act header onto another sheet", DropWindow::View, 7, kFromActHeader, false, false, true, false,
       DROPEFFECT_MOVE, DROPEFFECT_MOVE, DropAction::ShowInView},
      {"library act onto a sheet with Ctrl", DropWindow::View, 7, kFromLibrary, false, false, true, true,
       DROPEFFECT_MOVE, DROPEFFECT_COPY, DropAction::OpenInNewSheet},
      {"act onto the sheet area", DropWindow::MainFrame, 7, kFromLibrary, false, false, true, false,
       DROPEFFECT_NONE, DROPEFFECT_COPY, DropAction::OpenInNewSheet},
      {"act onto the frame outside the sheet area", DropWindow::MainFrame, 7, kFromLibrary, false, false, false,
       false, DROPEFFECT_NONE, DROPEFFECT_NONE, DropAction::Refuse},
      {"act onto some other window", DropWindow::Other, 7, kFromLibrary, false, false, true, false, DROPEFFECT_NONE,
       DROPEFFECT_NONE, DropAction::Refuse},
  };
  for (const Case& c : cases) {
    DropContext context;
    context.window = c.window;
    context.has_info = true;
    context.info = {100, 1, c.level, c.kind};
    context.from_self = c.from_self;
    context.binder_open = c.binder_open;
    context.in_zone = c.in_zone;
    context.ctrl = c.ctrl;
    const DROPEFFECT remembered = RememberedEffect(context);
    EXPECT_EQ(EnterEffect(context), c.enter) << c.what;
    EXPECT_EQ(OverEffect(context, remembered), c.over) << c.what;
    EXPECT_EQ(ActionForDrop(context), c.action) << c.what;
    // Another program's data without "Topic Info" is refused everywhere.
    context.has_info = false;
    EXPECT_EQ(EnterEffect(context), DROPEFFECT_NONE) << c.what;
    EXPECT_EQ(OverEffect(context, remembered), DROPEFFECT_NONE) << c.what;
    EXPECT_EQ(ActionForDrop(context), DropAction::Refuse) << c.what;
  }
}

}  // namespace
