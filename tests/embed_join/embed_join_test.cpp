// Embedded windows in a viewer's layout: a topic laid out on the recording device with a fake
// built-in window class whose windows log the messages they receive; engine start-up and shut-down.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/adt/topic_record_header.h"
#include "engine/frame/inserted_objects.h"
#include "engine/frame/topic_layout.h"
#include "engine/frame/painting.h"
#include "engine/frame/window_layout.h"
#include "engine/medview/engine_startup.h"
#include "engine/medview/viewer_embeds.h"
#include "engine/mvmci/media_io.h"
#include "platform/base/byte_io.h"
#include "tests/embed_join/window_records.h"
#include "tests/layout/record_builder.h"

namespace {

using layout_test::Bytes;
using layout_test::Commands;
using layout_test::MemoryRecordSource;
using embed_test::ParagraphWithWindow;
using embed_test::WindowRecord;

constexpr intptr_t kProgram = 0x400;
constexpr const char* kClass = "OknoTestowe";

struct Message {
  uintptr_t window;
  UINT message;
  bool operator==(const Message&) const = default;
};

// Windows are numbers 1, 2, ...; every message sent to them is logged.
class FakePort : public datapres::EmbedWindowPort {
 public:
  LRESULT send(HWND window, UINT message, WPARAM, LPARAM) override {
    log.push_back({Id(window), message});
    return 0;
  }
  bool exists(HWND window) override { return live.contains(Id(window)); }
  bool visible(HWND window) override { return live[Id(window)]; }
  void show(HWND window, bool visible) override { live[Id(window)] = visible; }
  RECT window_rect(HWND) override { return {0, 0, 120, 40}; }
  void place(HWND, const RECT&) override {}
  void destroy(HWND window) override { live.erase(Id(window)); }

  static uintptr_t Id(HWND window) { return reinterpret_cast<uintptr_t>(window); }
  // The windows that were sent the close message, in order.
  std::vector<uintptr_t> Closed() const {
    std::vector<uintptr_t> closed;
    for (const Message& m : log) {
      if (m.message == datapres::kWindowCloseMessage) closed.push_back(m.window);
    }
    return closed;
  }

  std::vector<Message> log;
  std::map<uintptr_t, bool> live;  // window -> visible
};

FakePort* g_port = nullptr;
uintptr_t g_next_window = 1;
std::vector<std::string> g_created;  // "title name|window text" of every window made

HWND CreateFake(HWND, const char* text, const datapres::EmbeddedWindowParams& params) {
  g_created.push_back(std::string(params.titleName) + "|" + text);
  const uintptr_t window = g_next_window++;
  g_port->live[window] = false;
  return reinterpret_cast<HWND>(window);
}

Bytes Paragraph(std::string_view text) {
  return layout_test::TextRecord({}, Commands().Byte(0x82).End(), text);
}

// The memory topic under a topic number the test changes, with titles' character bases.
class NumberedTopic : public frame::RecordSource {
 public:
  explicit NumberedTopic(std::vector<Bytes> records) : records_(std::move(records), 0) {}
  uint16_t load(int32_t position, frame::SourceRecord& out) override {
    const uint16_t code = records_.load(position, out);
    if (code == 0) out.charBase = (position / 10 - 1) * 100;
    return code;
  }
  uint16_t chunk(int32_t position, fcmanage::TopicChunk& chunk) override {
    const uint16_t code = records_.chunk(position, chunk);
    chunk.values[2] = topic;
    return code;
  }
  int32_t topic = 1;

 private:
  MemoryRecordSource records_;
};

class EmbedJoin : public ::testing::Test {
 protected:
  void SetUp() override {
    g_port = &port_;
    g_next_window = 1;
    g_created.clear();
    datapres::EmbedClasses().add(kClass, kProgram, CreateFake);
    medview::MvStartup(kProgram);
    medview::MvSetEmbedWindowPort(&port_);
    viewer_.emplace();
    viewer().titleName = "DU1997.M14";
  }
  void TearDown() override {
    viewer_.reset();
    medview::MvSetEmbedWindowPort(nullptr);
    medview::MvShutdown();
    datapres::EmbedClasses().remove(kClass, kProgram);
  }
  medview::Viewer& viewer() { return viewer_->viewer(); }

  // Shows the topic from its first record; the error the layout reports.
  medview::TitleErrorCode Show(std::vector<Bytes> records, int32_t topic = 1) {
    source_ = std::make_shared<NumberedTopic>(std::move(records));
    source_->topic = topic;
    frame::MvSetRecordSource(&viewer(), source_);
    frame::MvSetTopic(&viewer(), MemoryRecordSource::PositionOf(0), 1, 0, nullptr);
    return Layout(RECT{0, 0, 400, 300});
  }
  medview::TitleErrorCode Layout(RECT rect) {
    medview::TitleErrorCode error = 0;
    frame::MvLayoutTopic(&viewer(), &rect, &error);
    return error;
  }
  std::vector<frame::LayoutObject> WindowObjects() {
    std::vector<frame::LayoutObject> found;
    for (const frame::LayoutFrame& f : viewer().frames) {
      for (const frame::LayoutObject& o : f.objects) {
        if (o.kind == frame::kObjWindow) found.push_back(o);
      }
    }
    return found;
  }

  FakePort port_;  // outlives the viewer, which closes its windows when destroyed
  std::optional<layout_test::TestViewer> viewer_;
  std::shared_ptr<NumberedTopic> source_;
};

TEST_F(EmbedJoin, WindowsAreMadeOnceKeptAcrossLayoutsAndClosedWithTheTopicOrTheViewer) {
  const std::vector<Bytes> topic = {Paragraph("Art. 1|"), WindowRecord("mvimg,OknoTestowe,!rys1.bmp"),
                                    ParagraphWithWindow("Art. 2|", "mvimg,oknotestowe,!rys2.bmp")};
  ASSERT_EQ(Show(topic), 0);
  std::vector<frame::LayoutObject> objects = WindowObjects();
  ASSERT_EQ(objects.size(), 2u);
  for (size_t i = 0; i < objects.size(); ++i) {
    EXPECT_EQ(objects[i].data, int32_t(i));
    EXPECT_EQ(objects[i].width, 120);
    EXPECT_EQ(objects[i].height, 40);
    EXPECT_TRUE(objects[i].flags & frame::kObjInLine);
  }
  EXPECT_EQ(g_created, (std::vector<std::string>{"DU1997.M14|!rys1.bmp", "DU1997.M14|!rys2.bmp"}));
  EXPECT_EQ(viewer().embeds.windows.size(), 2u);

  // A resize lays the same topic out again: the same windows, none closed; the old layout's objects
  // were released: each window dropped its hits and focus and was hidden.
  port_.live[1] = port_.live[2] = true;
  port_.log.clear();
  ASSERT_EQ(Layout(RECT{0, 0, 250, 200}), 0);
  EXPECT_EQ(g_created.size(), 2u);
  EXPECT_TRUE(port_.Closed().empty());
  EXPECT_EQ(port_.log, (std::vector<Message>{{1, datapres::kEwClearHits}, {1, datapres::kEwFocus},
                                             {2, datapres::kEwClearHits}, {2, datapres::kEwFocus},
                                             {1, datapres::kEwSize}, {2, datapres::kEwSize}}));
  EXPECT_FALSE(port_.live[1] || port_.live[2]);
  EXPECT_EQ(WindowObjects().size(), 2u);
  EXPECT_EQ(medview::MvNextEmbeddedWindow(&viewer(), nullptr, 0), reinterpret_cast<HWND>(uintptr_t(1)));
  EXPECT_EQ(medview::MvNextEmbeddedWindow(&viewer(), nullptr, 1), reinterpret_cast<HWND>(uintptr_t(2)));

  // Another topic: the old windows are closed and destroyed, the new topic's made.
  ASSERT_EQ(Show(topic, 2), 0);
  EXPECT_EQ(port_.Closed(), (std::vector<uintptr_t>{1, 2}));
  EXPECT_FALSE(port_.exists(reinterpret_cast<HWND>(uintptr_t(1))));
  EXPECT_EQ(g_created.size(), 4u);

  // The application drops them: the next layout of the same topic makes them again.
  medview::MvDropEmbeds(&viewer());
  ASSERT_EQ(Layout(RECT{0, 0, 400, 300}), 0);
  EXPECT_EQ(port_.Closed(), (std::vector<uintptr_t>{1, 2, 3, 4}));
  EXPECT_EQ(g_created.size(), 6u);

  viewer_.reset();
  EXPECT_EQ(port_.Closed(), (std::vector<uintptr_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(port_.live.empty());
}

TEST_F(EmbedJoin, ClassesThatAreNotBuiltInShowTheErrorBoxAndReport1015) {
  // Neither a class the program does not have nor one named with a blank after the comma matches.
  for (const char* description : {"mvimg,Nieznana,", "mvimg, OknoTestowe,"}) {
    SCOPED_TRACE(description);
    viewer_.emplace();
    EXPECT_EQ(Show({Paragraph("Art. 1|"), WindowRecord(description)}), datapres::kEwClassNotRegistered);
    const std::vector<frame::LayoutObject> objects = WindowObjects();
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_GT(objects[0].width, 0);  // the error box's size
    EXPECT_GT(objects[0].height, 0);
    ASSERT_EQ(viewer().embeds.windows.size(), 1u);
    EXPECT_EQ(viewer().embeds.windows[0].object.window, nullptr);
    EXPECT_EQ(viewer().embeds.windows[0].object.text, "MVIMG.DLL");
    EXPECT_TRUE(g_created.empty());

    // Drawn, the box frames the error text.
    viewer_->log().clear();
    ASSERT_EQ(medview::MvAcquireDC(&viewer()), 0);
    frame::FrDrawEmbeddedObject(viewer(), objects[0], 0, 0);
    medview::MvReleaseDC(&viewer());
    const auto& log = viewer_->log();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(),
                            [](const std::string& line) { return line.find("MVIMG.DLL") != std::string::npos; }));

    // Painting the view draws the box as well.
    viewer_->log().clear();
    ASSERT_EQ(medview::MvAcquireDC(&viewer()), 0);
    medview::TitleErrorCode error = 0;
    EXPECT_TRUE(medview::MvPaint(&viewer(), viewer().hdc, nullptr, &error));
    medview::MvReleaseDC(&viewer());
    EXPECT_TRUE(std::any_of(log.begin(), log.end(),
                            [](const std::string& line) { return line.find("MVIMG.DLL") != std::string::npos; }));
  }
}

TEST_F(EmbedJoin, InsertedObjectsAndStoredWindowsAtOneCharacterAreWindowsOfTheirOwn) {
  const Bytes paragraph = ParagraphWithWindow("Art. 1|", "mvimg,OknoTestowe,zapisane");
  // The stored window is character 6 of the record, where both inserted ones go too.
  for (const char* description : {"mvimg,OknoTestowe,wstawka 1", "mvimg,OknoTestowe,wstawka 2"}) {
    medview::TitleErrorCode error = 1;
    frame::MvInsertEmbeddedWindow(&viewer(), MemoryRecordSource::PositionOf(0), 6, 'c', description, &error);
    ASSERT_EQ(error, 0);
  }
  ASSERT_EQ(Show({paragraph}), 0);
  EXPECT_EQ(WindowObjects().size(), 3u);
  std::vector<std::string> created = g_created;
  std::sort(created.begin(), created.end());
  EXPECT_EQ(created, (std::vector<std::string>{"DU1997.M14|wstawka 1", "DU1997.M14|wstawka 2", "DU1997.M14|zapisane"}));
  ASSERT_EQ(Layout(RECT{0, 0, 300, 300}), 0);
  EXPECT_EQ(g_created.size(), 3u);
}

TEST_F(EmbedJoin, AWindowAfterAHotspotTakesTheNextHotspotNumber) {
  const Bytes paragraph = layout_test::TextRecord(
      {}, Commands().Hotspot(1).Byte(0x89).Embedded(0x86, WindowRecord("mvimg,OknoTestowe,")).Byte(0x82).End(), "|a||");
  ASSERT_EQ(Show({paragraph}), 0);
  int32_t text_hotspot = -1;
  for (const frame::LayoutObject& o : viewer().frames.at(0).objects) {
    if (o.kind == frame::kObjText && (o.flags & frame::kObjInHotspot)) text_hotspot = o.hotspotNumber;
  }
  const std::vector<frame::LayoutObject> windows = WindowObjects();
  ASSERT_EQ(windows.size(), 1u);
  ASSERT_GT(text_hotspot, 0);
  EXPECT_EQ(windows[0].hotspotNumber, text_hotspot + 1);
}

std::vector<std::string> g_callbacks;
int32_t LogCallback(intptr_t data, int32_t code, int32_t left, int32_t top, int32_t right, int32_t bottom,
                    const char* text) {
  g_callbacks.push_back(std::to_string(data) + ":" + std::to_string(code) + ":" + std::to_string(left) + "," +
                        std::to_string(top) + "," + std::to_string(right) + "," + std::to_string(bottom) + ":" + text);
  return 0;
}

TEST_F(EmbedJoin, CallbackObjectsAreDrawnByTheViewersCallbackOrReport1026WithoutOne) {
  const std::vector<Bytes> topic = {WindowRecord("x,mvewcallback,adnotacja 1")};
  EXPECT_EQ(Show(topic), datapres::kEwNoCallback);
  ASSERT_EQ(viewer().embeds.windows.size(), 1u);
  EXPECT_EQ(viewer().embeds.windows[0].object.text, "MVEWCALLBACK");

  g_callbacks.clear();
  viewer_.emplace();
  medview::TitleErrorCode error = 1;
  ASSERT_TRUE(medview::MvSetEmbedCallback(&viewer(), LogCallback, 77, &error));
  EXPECT_EQ(error, 0);
  ASSERT_EQ(Show(topic), 0);
  const std::vector<frame::LayoutObject> objects = WindowObjects();
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(objects[0].width, 0);  // takes no room
  EXPECT_TRUE(g_created.empty());
  ASSERT_EQ(medview::MvAcquireDC(&viewer()), 0);
  frame::FrDrawEmbeddedObject(viewer(), objects[0], 5, 7);
  medview::MvReleaseDC(&viewer());
  EXPECT_EQ(g_callbacks, (std::vector<std::string>{"77:8:5,7,5,7:adnotacja 1"}));
}

TEST_F(EmbedJoin, StartUpInstallsAndShutDownRemovesTheMediaProcedure) {
  // SetUp started the engine.
  EXPECT_EQ(mvmci::MediaFindIOProc(mvmci::kTitleMediaFourCC), &mvmci::MediaIOProc);
  EXPECT_EQ(medview::MvProgramInstance(), kProgram);
  medview::MvShutdown();
  EXPECT_EQ(mvmci::MediaFindIOProc(mvmci::kTitleMediaFourCC), nullptr);
  medview::MvStartup(kProgram);
  EXPECT_EQ(mvmci::MediaFindIOProc(mvmci::kTitleMediaFourCC), &mvmci::MediaIOProc);
}

}  // namespace
