// Embedded windows with a fake built-in class and a fake window port that logs every message.
#include "engine/datapres/embedded_window.h"
#include "engine/datapres/embedded_window_display.h"
#include "engine/datapres/embedded_window_layout.h"
#include "engine/adt/topic_record_header.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/recording_device.h"
#include "platform/gdi/core/text_api.h"

namespace datapres {
namespace {

constexpr intptr_t kProgram = 0x400;
constexpr intptr_t kOtherModule = 0x800;

struct LoggedMessage {
  uintptr_t window;
  UINT message;
  WPARAM wparam;
  bool operator==(const LoggedMessage&) const = default;
};

// Windows are numbers 1, 2, ...; the port logs what the engine sends and shows.
class FakePort : public EmbedWindowPort {
 public:
  LRESULT send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override {
    log.push_back({reinterpret_cast<uintptr_t>(window), message, wparam});
    if (message == kEwSize && answer_size) *reinterpret_cast<SIZE*>(lparam) = {30, 20};
    if (message == kEwSize) return answer_size;
    if (message == kEwShow && wparam == 1) return answer_hide;
    return 0;
  }
  bool exists(HWND window) override { return live.contains(reinterpret_cast<uintptr_t>(window)); }
  bool visible(HWND window) override { return live[reinterpret_cast<uintptr_t>(window)]; }
  void show(HWND window, bool visible) override {
    live[reinterpret_cast<uintptr_t>(window)] = visible;
    ++show_changes;
  }
  RECT window_rect(HWND) override { return {0, 0, 120, 40}; }
  void place(HWND, const RECT& rect) override { placed.push_back(rect); }
  void destroy(HWND window) override { live.erase(reinterpret_cast<uintptr_t>(window)); }

  std::vector<LoggedMessage> log;
  std::map<uintptr_t, bool> live;  // window -> visible
  std::vector<RECT> placed;
  int show_changes = 0;
  LRESULT answer_size = 0;  // non-zero: 0x706B fills 30 x 20
  LRESULT answer_hide = 0;  // the answer to 0x706D with 1
};

FakePort* g_port = nullptr;
uintptr_t g_next_window = 1;
EmbeddedWindowParams g_params;
std::string g_text;

HWND CreateFake(HWND, const char* text, const EmbeddedWindowParams& params) {
  g_params = params;
  g_text = text;
  const uintptr_t window = g_next_window++;
  g_port->live[window] = false;
  return reinterpret_cast<HWND>(window);
}

HWND RefuseFake(HWND, const char*, const EmbeddedWindowParams&) { return nullptr; }

std::vector<std::string> g_callbacks;
int32_t RecordCallback(intptr_t data, int32_t code, int32_t left, int32_t top, int32_t right, int32_t bottom,
                       const char* text) {
  g_callbacks.push_back(std::to_string(data) + ":" + std::to_string(code) + ":" + std::to_string(left + top + right + bottom) +
                        ":" + text);
  return 0;
}

class EmbeddedWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    g_port = &port_;
    g_next_window = 1;
    g_callbacks.clear();
    EmbedClasses().add("ObrazOkno", kProgram, CreateFake);
    EmbedClasses().add("ModulOkno", kOtherModule, CreateFake);
    EmbedClasses().add("ZlyOkno", kProgram, RefuseFake);
    state_.port = &port_;
    state_.programInstance = kProgram;
    state_.windowInstance = kProgram;
    state_.titleName = "DU.M14";
    state_.textColor = 0x112233;
    state_.backColor = 0xFFFFFF;
  }
  void TearDown() override {
    EmbedClasses().remove("ObrazOkno", kProgram);
    EmbedClasses().remove("ModulOkno", kOtherModule);
    EmbedClasses().remove("ZlyOkno", kProgram);
  }
  EmbedObject Create(const char* description) {
    const WindowDescription d = ParseWindowDescription(description);
    return FrCreateEmbed(state_, d.library, d.className, d.windowText);
  }

  FakePort port_;
  EmbedState state_;
};

TEST(WindowDescriptions, SplitAtTheFirstTwoCommasWithoutTrimming) {
  const struct {
    const char* text;
    const char* library;
    const char* cls;
    const char* window_text;
  } cases[] = {
      {"mvimg,ObrazOkno,!rys1.bmp", "mvimg", "ObrazOkno", "!rys1.bmp"},
      {"mvimg, ObrazOkno, a,b", "mvimg", " ObrazOkno", " a,b"},
      {"mvimg,ObrazOkno", "mvimg", "ObrazOkno", ""},
      {"tylko", "tylko", "", ""},
      {"", "", "", ""},
      {",,", "", "", ""},
  };
  for (const auto& c : cases) {
    const WindowDescription d = ParseWindowDescription(c.text);
    EXPECT_EQ(d.library, c.library) << c.text;
    EXPECT_EQ(d.className, c.cls) << c.text;
    EXPECT_EQ(d.windowText, c.window_text) << c.text;
  }
}

TEST_F(EmbeddedWindows, BuiltInClassesGetAWindowWithTheCreateParameters) {
  state_.createFlags = kEwPrinting;
  EmbedObject object = Create("mvimg,obrazokno,!rys1.bmp");  // class names ignore case
  ASSERT_TRUE(object.window);
  EXPECT_EQ(object.instance, kProgram);
  EXPECT_EQ(state_.pendingCode, 0);
  EXPECT_EQ(g_text, "!rys1.bmp");
  EXPECT_EQ(g_params.first, 0);
  EXPECT_EQ(g_params.second, 2);
  EXPECT_STREQ(g_params.titleName, "DU.M14");
  EXPECT_EQ(g_params.textColor, 0x112233u);
  EXPECT_EQ(g_params.flags, kEwPrinting);
  // A class of the viewer window's module is found after the program's own.
  state_.windowInstance = kOtherModule;
  object = Create("x,ModulOkno,");
  ASSERT_TRUE(object.window);
  EXPECT_EQ(object.instance, kOtherModule);
}

// No library is ever loaded: a class the program does not register is reported, also when the
// title names a library that exists, and a blank after a comma is part of the class name.
TEST_F(EmbeddedWindows, UnknownClassesReport1015AndFailedCreation1035) {
  const struct {
    const char* description;
    uint16_t code;
    const char* text;
  } cases[] = {
      {"mvimg, ObrazOkno,a", kEwClassNotRegistered, "MVIMG.DLL"},
      {"libc.so.6,Button,", kEwClassNotRegistered, "LIBC.SO.6.DLL"},
      {"mvimg,ModulOkno,a", kEwClassNotRegistered, "MVIMG.DLL"},  // not the program's, window's module is the same
      {"mvimg,ZlyOkno,a", kEwCreateFailed, "ZLYOKNO"},
  };
  for (const auto& c : cases) {
    state_.pendingCode = 0;
    const EmbedObject object = Create(c.description);
    EXPECT_FALSE(object.window) << c.description;
    EXPECT_EQ(object.instance, 0);
    EXPECT_EQ(state_.pendingCode, c.code) << c.description;
    EXPECT_EQ(object.text, c.text);
  }
}

TEST_F(EmbeddedWindows, CallbackObjectsAndAliases) {
  EmbedObject object = Create("x,mvewcallback,Przypis 1");
  EXPECT_EQ(state_.pendingCode, kEwNoCallback);
  EXPECT_EQ(object.text, "MVEWCALLBACK");
  EXPECT_FALSE(object.window);
  ASSERT_TRUE(MvSetEmbedCallback(state_, RecordCallback, 77, nullptr));
  EmbedCallback callback = nullptr;
  intptr_t data = 0;
  MvGetEmbedCallback(state_, &callback, &data, nullptr);
  EXPECT_EQ(callback, &RecordCallback);
  EXPECT_EQ(data, 77);
  state_.classAliases = {{"Adnotacja", "MVEWCallBack"}, {"Rysunek", "ObrazOkno"}};
  state_.pendingCode = 0;
  object = Create("x,Adnotacja,Przypis 1");
  EXPECT_EQ(object.instance, kEwCallbackInstance);
  EXPECT_EQ(object.text, "Przypis 1");
  EXPECT_EQ(state_.pendingCode, 0);
  FrReleaseWindow(state_, object);
  EXPECT_EQ(g_callbacks, std::vector<std::string>{"77:9:0:Przypis 1"});
  EXPECT_TRUE(Create("x,Rysunek,").window);
}

TEST_F(EmbeddedWindows, TheWindowListAcrossLayouts) {
  for (int32_t key : {10, 20, 30}) FrAddWindow(state_, 4, key, Create("x,ObrazOkno,"));
  FrAddWindow(state_, 4, 40, Create("x,Nieznana,"));  // a failed object has no window
  ASSERT_TRUE(FrFindWindow(state_, 4, 20));
  EXPECT_FALSE(FrFindWindow(state_, 5, 20));
  const HWND first = MvNextEmbeddedWindow(state_, nullptr, 0);
  const HWND last = MvNextEmbeddedWindow(state_, nullptr, 1);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(first), 1u);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(last), 3u);
  EXPECT_EQ(MvNextEmbeddedWindow(state_, first, 2), reinterpret_cast<HWND>(uintptr_t(2)));
  EXPECT_EQ(MvNextEmbeddedWindow(state_, last, 2), nullptr);
  EXPECT_EQ(MvNextEmbeddedWindow(state_, first, 3), nullptr);
  EXPECT_EQ(MvNextEmbeddedWindow(state_, last, 3), reinterpret_cast<HWND>(uintptr_t(2)));

  MvNotifyEmbeddedWindows(state_, 5);
  EXPECT_EQ(port_.log, (std::vector<LoggedMessage>{{1, kEwNotify, 5}, {2, kEwNotify, 5}, {3, kEwNotify, 5}}));
  port_.log.clear();

  port_.live[2] = true;
  FrReleaseWindow(state_, *FrFindWindow(state_, 4, 20));
  EXPECT_EQ(port_.log, (std::vector<LoggedMessage>{{2, kEwClearHits, 0}, {2, kEwFocus, kEwFocusLose}}));
  EXPECT_FALSE(port_.live[2]);  // hidden, not destroyed
  port_.log.clear();

  // The same topic again keeps the windows; another topic closes them.
  EXPECT_TRUE(FrKeepWindows(state_, 4, false));
  EXPECT_EQ(state_.windows.size(), 4u);
  EXPECT_FALSE(FrKeepWindows(state_, 4, true));
  EXPECT_TRUE(state_.windows.empty());
  EXPECT_EQ(port_.log, (std::vector<LoggedMessage>{{1, kWindowCloseMessage, 0},
                                                   {2, kWindowCloseMessage, 0},
                                                   {3, kWindowCloseMessage, 0}}));
  EXPECT_TRUE(port_.live.empty());
  FrAddWindow(state_, 4, 10, Create("x,ObrazOkno,"));
  EXPECT_FALSE(FrKeepWindows(state_, 7, false));
  EXPECT_TRUE(port_.live.empty());
}

// Sizes in the layout and drawing as the view scrolls, on the recording device.
TEST_F(EmbeddedWindows, SizingAndDrawingEachKindOfObject) {
  auto log = std::make_shared<gdi::RecordingLog>();
  HDC dc = gdi::create_recording_dc(log);
  const RECT layout{0, 0, 400, 300};
  EmbedObject window = Create("x,ObrazOkno,");
  EXPECT_EQ(FrWindowSize(state_, window, dc, false).cx, 120);  // its own rectangle
  port_.answer_size = 1;
  const SIZE asked = FrWindowSize(state_, window, dc, false);
  EXPECT_EQ(asked.cx, 30);
  EXPECT_EQ(asked.cy, 20);
  EXPECT_EQ(FrWindowSize(state_, window, dc, true).cx, 0);  // printing: no room
  port_.log.clear();

  const RECT inside{10, 50, 40, 70}, below{10, 350, 40, 370};
  FrDrawWindow(state_, window, inside, layout, dc, false);
  EXPECT_TRUE(port_.live[1]);
  EXPECT_EQ(port_.log, (std::vector<LoggedMessage>{{1, kEwShow, 1}, {1, kEwShow, 0}}));
  FrDrawWindow(state_, window, inside, layout, dc, false);  // already shown: shown once
  EXPECT_EQ(port_.show_changes, 1);
  FrDrawWindow(state_, window, below, layout, dc, false);
  EXPECT_FALSE(port_.live[1]);
  EXPECT_EQ(port_.placed.size(), 3u);
  port_.answer_hide = 1;  // the window asks to stay hidden
  FrDrawWindow(state_, window, inside, layout, dc, false);
  EXPECT_FALSE(port_.live[1]);
  // Printing: never moved or shown, drawn into the printer's context when visible.
  port_.log.clear();
  const size_t placements = port_.placed.size();
  FrDrawWindow(state_, window, inside, layout, dc, true);
  FrDrawWindow(state_, window, below, layout, dc, true);
  EXPECT_EQ(port_.log, (std::vector<LoggedMessage>{{1, kEwPrint, 0}}));
  EXPECT_EQ(port_.placed.size(), placements);

  // A callback object is drawn by the callback at its left and top, when visible.
  MvSetEmbedCallback(state_, RecordCallback, 5, nullptr);
  const EmbedObject note = Create("x,MVEWCallBack,uwaga");
  FrDrawWindow(state_, note, {7, 9, 7, 9}, layout, dc, false);
  FrDrawWindow(state_, note, {7, 309, 7, 309}, layout, dc, false);
  EXPECT_EQ(g_callbacks, std::vector<std::string>{"5:8:32:uwaga"});
  EXPECT_EQ(FrWindowSize(state_, note, dc, false).cx, 0);

  // A failed object: its box fits its upper-cased class name; drawn only when not printing.
  const EmbedObject failed = Create("x,ZlyOkno,");
  const SIZE box = FrWindowSize(state_, failed, dc, false);
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  SIZE text{};
  GetTextExtentPoint32(dc, "ZLYOKNO", 7, &text);
  EXPECT_EQ(box.cx, text.cx + 2 * tm.tmMaxCharWidth);
  EXPECT_EQ(box.cy, 2 * tm.tmAscent + tm.tmHeight);
  log->clear();
  FrDrawWindow(state_, failed, {0, 0, box.cx, box.cy}, layout, dc, true);
  EXPECT_TRUE(log->empty());
  FrDrawWindow(state_, failed, {0, 0, box.cx, box.cy}, layout, dc, false);
  std::string drawn;
  for (const std::string& line : *log) drawn += line + "\n";
  EXPECT_NE(drawn.find("ZLYOKNO"), std::string::npos) << drawn;
  DeleteDC(dc);
}

// A stored window record: header, six unused bytes, the description and its zero, one text byte.
std::vector<uint8_t> WindowRecord(const std::string& description, bool terminated = true, uint8_t type = 0x24) {
  std::vector<uint8_t> format(6, 0xEE);
  format.insert(format.end(), description.begin(), description.end());
  if (terminated) format.push_back(0);
  std::vector<uint8_t> record;
  base::ByteWriter w(record);
  adt::DpEncodeRecordHeader({type, int32_t(format.size()), 1}, w);
  w.bytes(format);
  w.u8(0x83);
  return record;
}

TEST_F(EmbeddedWindows, WindowRecordsLaidOutOnceAndReusedForTheSameTopic) {
  HDC dc = gdi::create_recording_dc(std::make_shared<gdi::RecordingLog>());
  int32_t hotspots = 3;
  frame::LayoutObject object;
  const std::vector<uint8_t> record = WindowRecord("mvimg,ObrazOkno,!rys2.bmp");
  ASSERT_TRUE(FrLayoutWindow(state_, record, 4, 0x8010, 2, dc, false, hotspots, object));
  EXPECT_EQ(object.kind, frame::kObjWindow);
  EXPECT_EQ(object.flags, frame::kObjInLine);
  EXPECT_EQ(object.width, 120);
  EXPECT_EQ(object.height, 40);
  EXPECT_EQ(object.baseline, 40);
  EXPECT_EQ(object.firstChar, 2);
  EXPECT_EQ(object.hotspotNumber, 4);
  EXPECT_EQ(object.hotspotData, -1);
  EXPECT_EQ(hotspots, 4);
  EXPECT_EQ(g_text, "!rys2.bmp");
  // Laid out again (a resize): the same window, no new one.
  ASSERT_TRUE(FrLayoutWindow(state_, record, 4, 0x8010, 2, dc, false, hotspots, object));
  EXPECT_EQ(g_next_window, 2u);
  EXPECT_EQ(object.data, 0);
  ASSERT_TRUE(FrLayoutWindow(state_, WindowRecord("x,Nieznana,"), 4, 0x8020, 5, dc, false, hotspots, object));
  EXPECT_EQ(object.data, 1);
  EXPECT_GT(object.width, 0);  // the error box
  EXPECT_EQ(state_.pendingCode, kEwClassNotRegistered);
  // Damaged records make no object and join no list.
  EXPECT_FALSE(FrLayoutWindow(state_, WindowRecord("x,ObrazOkno,", false), 4, 0x8030, 0, dc, false, hotspots, object));
  EXPECT_FALSE(FrLayoutWindow(state_, WindowRecord("x,ObrazOkno,", true, 0x20), 4, 0x8030, 0, dc, false, hotspots,
                              object));
  std::vector<uint8_t> cut = record;
  cut.resize(9);
  EXPECT_FALSE(FrLayoutWindow(state_, cut, 4, 0x8030, 0, dc, false, hotspots, object));
  EXPECT_EQ(state_.windows.size(), 2u);
  DeleteDC(dc);
}

}  // namespace
}  // namespace datapres
