// Embedded windows printing themselves (0x706F) and taking part in hotspots and the keyboard focus (0x7073 to 0x7075), copying (0x7076), the selection
// (0x7077) and search hits (0x7078, 0x7079): a built-in class whose windows answer with what a test
// gives them and log what they are sent.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "engine/datapres/embedded_window_display.h"
#include "engine/frame/clipboard_render.h"
#include "engine/frame/hit_marks.h"
#include "engine/frame/hotspots.h"
#include "engine/frame/painting.h"
#include "engine/frame/printing.h"
#include "engine/frame/selection.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_startup.h"
#include "engine/medview/viewer_embeds.h"
#include "tests/embed_join/window_records.h"
#include "tests/layout/record_builder.h"

namespace {

using layout_test::Bytes;
using layout_test::MemoryRecordSource;

constexpr intptr_t kProgram = 0x400;
constexpr const char* kClass = "OknoKopii";
constexpr uint32_t kRtf = 0xC0DE;
constexpr uint32_t kOwnFormat = 0xC100;

uint32_t RegisterRtf(const char*) { return kRtf; }

struct Highlight {
  WPARAM selected;
  LPARAM colour;
  bool operator==(const Highlight&) const = default;
};

class CopyingPort : public datapres::EmbedWindowPort {
 public:
  LRESULT send(HWND, UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == datapres::kEwHighlight) highlights.push_back({wparam, lparam});
    if (message == datapres::kEwClearHits) ++hitsCleared;
    if (message == datapres::kEwHotspotCount) return hotspots;
    if (message == datapres::kEwPrint) printedOn.push_back(reinterpret_cast<datapres::EmbedDrawParams*>(lparam)->hdc);
    if (message == datapres::kEwFocus) {
      focus.push_back(wparam);
      return takesFocus;
    }
    if (message == datapres::kEwHotspot) {
      auto* target = reinterpret_cast<medview::HotspotTarget*>(lparam);
      if (int32_t(wparam) == -2) {
        target->target = 77;  // the hotspot the window's own focus is on
        return 1;
      }
      if (int32_t(wparam) >= 0) {
        target->target = 100 + uint32_t(wparam);
        return int32_t(wparam) < hotspots;
      }
      asked.push_back(uint32_t(target->rect.left) << 16 | uint32_t(target->rect.top));
      if (!hotspots) return 0;
      target->rect = RECT{1, 1, 5, 5};
      target->target = 99;
      return 1;
    }
    if (message == datapres::kEwHitRect) {
      *reinterpret_cast<RECT*>(lparam) = hitInside;
      return hitInside.right > hitInside.left;
    }
    if (message != datapres::kEwClipFormats) return 0;
    asked.push_back(uint32_t(wparam));
    if (items.empty()) return 0;
    auto table = std::make_unique<medview::ClipFormatTable>();
    table->items = items;
    return reinterpret_cast<LRESULT>(table.release());
  }
  bool exists(HWND window) override { return reinterpret_cast<uintptr_t>(window) <= made; }
  bool visible(HWND) override { return false; }
  void show(HWND, bool) override {}
  RECT window_rect(HWND) override { return {0, 0, 30, 10}; }
  void place(HWND, const RECT&) override {}
  void destroy(HWND) override {}

  uintptr_t made = 0;
  std::vector<medview::ClipFormatItem> items;  // what every window answers to 0x7076
  std::vector<uint32_t> asked;
  std::vector<Highlight> highlights;
  int hitsCleared = 0;
  int32_t hotspots = 0;  // hotspots inside every window
  bool takesFocus = false;
  std::vector<HDC> printedOn;  // contexts of 0x706F
  std::vector<WPARAM> focus;  // wParams of 0x7074
  RECT hitInside{};  // what 0x7078 fills; empty: no answer
};

CopyingPort* g_port = nullptr;

std::vector<uint32_t> g_created_flags;

HWND CreateWindow(HWND, const char*, const datapres::EmbeddedWindowParams& params) {
  g_created_flags.push_back(params.flags);
  return reinterpret_cast<HWND>(++g_port->made);
}

std::vector<uint8_t> Bytes0(std::string_view text) {
  std::vector<uint8_t> out(text.begin(), text.end());
  out.push_back(0);
  return out;
}

// A packed 1 x 1 bitmap of 24 bits.
std::vector<uint8_t> SmallDib() {
  std::vector<uint8_t> dib(44, 0);
  dib[0] = 40;
  dib[4] = 1;
  dib[8] = 1;
  dib[12] = 1;
  dib[14] = 24;
  return dib;
}

class EmbedMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    g_port = &port_;
    datapres::EmbedClasses().add(kClass, kProgram, CreateWindow);
    medview::MvStartup(kProgram);
    medview::MvSetEmbedWindowPort(&port_);
    medview::MvSetClipFormatRegistrar(RegisterRtf);
    viewer_.emplace();
    source_ = std::make_shared<MemoryRecordSource>(
        std::vector<Bytes>{embed_test::ParagraphWithWindow("Art. 1|", "lib,OknoKopii,rys")}, 0);
    frame::MvSetRecordSource(&viewer(), source_);
    frame::MvSetTopic(&viewer(), MemoryRecordSource::PositionOf(0), 1, 0, nullptr);
    RECT rect{0, 0, 400, 300};
    medview::TitleErrorCode error = 0;
    ASSERT_TRUE(frame::MvLayoutTopic(&viewer(), &rect, &error));
  }
  void TearDown() override {
    viewer_.reset();
    medview::MvSetEmbedWindowPort(nullptr);
    medview::MvShutdown();
    datapres::EmbedClasses().remove(kClass, kProgram);
  }
  medview::Viewer& viewer() { return viewer_->viewer(); }

  CopyingPort port_;
  std::optional<layout_test::TestViewer> viewer_;
  std::shared_ptr<MemoryRecordSource> source_;
};

TEST_F(EmbedMessages, WindowItemsJoinTheCopyOnlyWithFlag0x20) {
  port_.items = {{kRtf, Bytes0("{\\b okno}")},
                 {medview::kClipFormatText, Bytes0("[okno]")},
                 {medview::kClipFormatDib, SmallDib()},
                 {kOwnFormat, {1, 2, 3}}};
  viewer().flags &= uint16_t(~medview::kViewEmbedSelect);
  medview::TitleErrorCode error = 99;
  medview::ClipFormatTablePtr table = medview::MvRenderClipFormats(&viewer(), FALSE, 0, &error);
  ASSERT_NE(table, nullptr);
  EXPECT_TRUE(port_.asked.empty());
  ASSERT_EQ(table->items.size(), 2u);

  viewer().flags |= medview::kViewEmbedSelect;
  table = medview::MvRenderClipFormats(&viewer(), FALSE, 0, &error);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(port_.asked, std::vector<uint32_t>{0});
  ASSERT_EQ(table->items.size(), 4u);
  EXPECT_EQ(table->items[0].format, kRtf);
  EXPECT_EQ(table->items[1].format, medview::kClipFormatText);
  // The bitmap and the window's own format follow the RTF and text, in the order the window gave.
  EXPECT_EQ(table->items[2].format, medview::kClipFormatDib);
  EXPECT_EQ(table->items[3].format, kOwnFormat);
  EXPECT_EQ(table->items[3].data, (std::vector<uint8_t>{1, 2, 3}));
  const std::string text(table->items[1].data.begin(), table->items[1].data.end());
  EXPECT_EQ(text, std::string("Art. 1[okno]", 13));  // no line end right after a window
  const std::string rtf(table->items[0].data.begin(), table->items[0].data.end());
  const size_t item = rtf.find("{\\b okno}");
  const size_t picture = rtf.find("{\\pict\\wmetafile8\\picw15\\pich15\\picwgoal15\\pichgoal15 ");
  ASSERT_NE(item, std::string::npos) << rtf;
  ASSERT_NE(picture, std::string::npos) << rtf;
  EXPECT_LT(rtf.find("Art. 1"), item);
  EXPECT_LT(item, picture);

  // Asking only for text passes the wanted format on; a window with nothing to give adds nothing.
  port_.items.clear();
  port_.asked.clear();
  table = medview::MvRenderClipFormats(&viewer(), FALSE, medview::kClipFormatText, &error);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(port_.asked, std::vector<uint32_t>{medview::kClipFormatText});
  ASSERT_EQ(table->items.size(), 1u);
}

TEST_F(EmbedMessages, SelectedWindowsAreHighlightedByMessageWithFlag0x20) {
  const int32_t record = MemoryRecordSource::PositionOf(0);
  medview::MvSetSelection(&viewer(), record, 0, record, 100);
  viewer().flags &= uint16_t(~medview::kViewEmbedSelect);
  viewer().selBackColor = RGB(0, 0, 0x80);
  auto paint = [&] {
    ASSERT_EQ(medview::MvAcquireDC(&viewer()), 0);
    medview::TitleErrorCode error = 0;
    EXPECT_TRUE(medview::MvPaint(&viewer(), viewer().hdc, nullptr, &error));
    medview::MvReleaseDC(&viewer());
  };
  paint();
  EXPECT_TRUE(port_.highlights.empty());

  viewer().flags |= medview::kViewEmbedSelect;
  paint();
  EXPECT_EQ(port_.highlights, (std::vector<Highlight>{{1, 0}}));
  viewer().flags |= medview::kViewSelectionColours;
  paint();
  EXPECT_EQ(port_.highlights.back(), (Highlight{1, LPARAM(RGB(0, 0, 0x80))}));
  port_.highlights.clear();
  medview::TitleErrorCode error = 0;
  ASSERT_EQ(medview::MvAcquireDC(&viewer()), 0);
  EXPECT_TRUE(medview::MvClearSelection(&viewer(), &error));
  medview::MvReleaseDC(&viewer());
  EXPECT_EQ(port_.highlights, (std::vector<Highlight>{{0, 0}}));
}

TEST_F(EmbedMessages, WindowsPlaceTheirOwnHitsAndDropThemWithTheList) {
  const frame::LayoutFrame& shown = viewer().frames.at(0);
  auto window = std::find_if(shown.objects.begin(), shown.objects.end(),
                             [](const frame::LayoutObject& o) { return o.kind == frame::kObjWindow; });
  ASSERT_NE(window, shown.objects.end());
  fts::TopicHitList list;
  list.entries = {{uint32_t(window->firstChar), 1}};
  medview::TitleErrorCode error = 99;
  EXPECT_EQ(medview::MvSetHitList(&viewer(), &list, FALSE, &error), nullptr);
  EXPECT_EQ(port_.hitsCleared, 1);

  port_.hitInside = RECT{2, 3, 12, 8};
  std::vector<frame::HitMark> marks = frame::FrMapHitsOnFrame(viewer(), shown);
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].rect.left, window->x + 2);
  EXPECT_EQ(marks[0].rect.top, window->y + 3);
  EXPECT_EQ(marks[0].rect.right, window->x + 12);
  EXPECT_EQ(marks[0].rect.bottom, window->y + 8);
  // A window that does not answer is covered whole.
  port_.hitInside = RECT{};
  marks = frame::FrMapHitsOnFrame(viewer(), shown);
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].rect.right, window->right());

  EXPECT_EQ(medview::MvSetHitList(&viewer(), nullptr, FALSE, &error), &list);
  EXPECT_EQ(port_.hitsCleared, 2);
}

TEST_F(EmbedMessages, WindowsCountAndHitTestTheirOwnHotspots) {
  const frame::LayoutFrame& shown = viewer().frames.at(0);
  auto window = std::find_if(shown.objects.begin(), shown.objects.end(),
                             [](const frame::LayoutObject& o) { return o.kind == frame::kObjWindow; });
  ASSERT_NE(window, shown.objects.end());
  const int32_t ox = viewer().layoutRect.left - viewer().hOffset + shown.x + window->x;
  const int32_t oy = viewer().layoutRect.top + shown.y + window->y;
  medview::HotspotInfo info;
  medview::HotspotTarget target;
  medview::TitleErrorCode error = 99;
  // A window without hotspots: the point over it is no hit.
  EXPECT_FALSE(medview::MvHotspotFromPoint(&viewer(), ox + 3, oy + 4, &info, &target, &error));
  EXPECT_EQ(port_.asked, std::vector<uint32_t>{3u << 16 | 4u});
  EXPECT_EQ(info.flags & medview::kHotspotOverWindow, medview::kHotspotOverWindow);
  EXPECT_EQ(info.kind, medview::kHotspotWindow);
  EXPECT_NE(info.window, nullptr);
  EXPECT_EQ(medview::MvCountHotspots(&viewer()), 0);

  port_.hotspots = 2;
  EXPECT_TRUE(medview::MvHotspotFromPoint(&viewer(), ox + 3, oy + 4, &info, &target, &error));
  EXPECT_EQ(info.flags & medview::kHotspotHit, medview::kHotspotHit);
  EXPECT_EQ(target.target, 99u);
  EXPECT_EQ(target.rect.left, ox + 1);
  EXPECT_EQ(target.rect.top, oy + 1);
  EXPECT_EQ(target.rect.right, ox + 5);
  EXPECT_EQ(target.rect.bottom, oy + 5);

  EXPECT_EQ(medview::MvCountHotspots(&viewer()), 2);
  EXPECT_TRUE(medview::MvGetNthHotspot(&viewer(), 1, &target, &error));
  EXPECT_EQ(target.target, 101u);
  EXPECT_FALSE(medview::MvGetNthHotspot(&viewer(), 2, &target, &error));
  EXPECT_EQ(error, medview::kViewNoHotspot);
}

TEST_F(EmbedMessages, ClassAliasesRenameClassesUntilRemoved) {
  const char* const aliases[] = {"StareOkno", kClass, "Inne", "Nieznane", nullptr};
  medview::TitleErrorCode error = 99;
  ASSERT_TRUE(medview::MvSetEmbedAliases(&viewer(), aliases, nullptr, &error));
  EXPECT_EQ(error, 0);
  datapres::EmbedState& state = medview::MvEmbedState(viewer());
  EXPECT_NE(datapres::FrCreateEmbed(state, "lib", "stareokno", "x").window, nullptr);
  EXPECT_EQ(datapres::FrCreateEmbed(state, "lib", "Inne", "x").window, nullptr);
  EXPECT_EQ(state.pendingCode, datapres::kEwClassNotRegistered);
  ASSERT_TRUE(medview::MvSetEmbedAliases(&viewer(), nullptr, nullptr, &error));
  EXPECT_EQ(datapres::FrCreateEmbed(state, "lib", "StareOkno", "x").window, nullptr);
  EXPECT_EQ(state.pendingCode, datapres::kEwClassNotRegistered);
  EXPECT_FALSE(medview::MvSetEmbedAliases(nullptr, aliases, nullptr, &error));
  EXPECT_EQ(error, medview::kViewBadArgument);
}

TEST_F(EmbedMessages, TheKeyboardFocusEntersAWindowThatTakesItAndStaysWhileTheWindowMovesItsOwn) {
  medview::TitleErrorCode error = 99;
  // A window that refuses is passed over: no hotspot takes the focus.
  EXPECT_FALSE(medview::MvSelectNextHotspot(&viewer(), TRUE, &error));
  EXPECT_EQ(error, medview::kViewNoHotspot);
  EXPECT_EQ(port_.focus, std::vector<WPARAM>{1});

  port_.focus.clear();
  port_.takesFocus = true;
  ASSERT_TRUE(medview::MvSelectNextHotspot(&viewer(), TRUE, &error));
  EXPECT_EQ(viewer().focusHotspot, 0);
  medview::HotspotTarget target;
  ASSERT_TRUE(medview::MvGetCurrentHotspot(&viewer(), &target, &error));
  EXPECT_EQ(target.target, 77u);
  // Backward, the window is asked first and keeps the focus while it answers.
  EXPECT_TRUE(medview::MvSelectNextHotspot(&viewer(), FALSE, &error));
  EXPECT_EQ(port_.focus, (std::vector<WPARAM>{1, 0}));
  port_.takesFocus = false;
  EXPECT_FALSE(medview::MvSelectNextHotspot(&viewer(), FALSE, &error));
  EXPECT_EQ(viewer().focusFrame, -1);

  // Showing all hotspots: windows show theirs (2) and hide them again (3); a focused window loses it.
  port_.takesFocus = true;
  ASSERT_TRUE(medview::MvSelectNextHotspot(&viewer(), TRUE, &error));
  port_.focus.clear();
  EXPECT_TRUE(medview::MvShowHotspots(&viewer(), TRUE, &error));
  EXPECT_TRUE(medview::MvShowHotspots(&viewer(), FALSE, &error));
  EXPECT_EQ(port_.focus, (std::vector<WPARAM>{datapres::kEwFocusLose, 2, 3}));
  EXPECT_FALSE(medview::MvGetCurrentHotspot(&viewer(), &target, &error));
}

TEST_F(EmbedMessages, AWindowInsideAHotspotIsToldWhenTheHotspotGainsAndLosesTheFocus) {
  // "Zob. " then a hotspot over "link" and an in-line window.
  source_ = std::make_shared<MemoryRecordSource>(
      std::vector<Bytes>{layout_test::TextRecord({},
                                                 layout_test::Commands()
                                                     .Hotspot(5)
                                                     .Embedded(0x86, embed_test::WindowRecord("lib,OknoKopii,rys"))
                                                     .Byte(0x89)
                                                     .End(),
                                                 "Zob. |link|")},
      0);
  frame::MvSetRecordSource(&viewer(), source_);
  frame::MvSetTopic(&viewer(), MemoryRecordSource::PositionOf(0), 1, 0, nullptr);
  RECT rect{0, 0, 400, 300};
  ASSERT_TRUE(frame::MvLayoutTopic(&viewer(), &rect, nullptr));
  const frame::ObjectList& objects = viewer().frames.at(0).objects;
  auto window = std::find_if(objects.begin(), objects.end(), [](const frame::LayoutObject& o) { return o.kind == frame::kObjWindow; });
  ASSERT_NE(window, objects.end());
  EXPECT_TRUE(window->flags & frame::kObjInHotspot);  // the window belongs to the hotspot
  port_.highlights.clear();
  medview::TitleErrorCode error = 0;
  ASSERT_TRUE(medview::MvSelectNextHotspot(&viewer(), TRUE, &error));
  EXPECT_EQ(port_.highlights, (std::vector<Highlight>{{1, 0}}));
  // Moving on finds no other hotspot: the focus leaves, and the window hears of it.
  EXPECT_FALSE(medview::MvSelectNextHotspot(&viewer(), TRUE, &error));
  EXPECT_EQ(port_.highlights, (std::vector<Highlight>{{1, 0}, {0, 0}}));
  // Showing all hotspots highlights it; hiding them takes the highlight away.
  port_.highlights.clear();
  EXPECT_TRUE(medview::MvShowHotspots(&viewer(), TRUE, &error));
  EXPECT_TRUE(medview::MvShowHotspots(&viewer(), FALSE, &error));
  EXPECT_EQ(port_.highlights, (std::vector<Highlight>{{1, 0}, {0, 0}}));
}

BOOL AnyPage(void*, HDC, int32_t, int32_t, int32_t, int32_t, RECT*, BOOL) { return TRUE; }

TEST_F(EmbedMessages, PrintingLaysOutWindowsForThePrinterAndTheyDrawThemselvesIntoIt) {
  g_created_flags.clear();
  RECT page{0, 0, 400, 300};
  RECT layout = page;
  medview::TitleErrorCode error = 99;
  ASSERT_EQ(medview::MvAcquireDC(&viewer()), 0);
  HDC printer = viewer().hdc;
  EXPECT_TRUE(medview::MvPrint(&viewer(), printer, FALSE, &page, &layout, nullptr, AnyPage, nullptr, &error));
  medview::MvReleaseDC(&viewer());
  EXPECT_EQ(error, 0);
  EXPECT_EQ(g_created_flags, std::vector<uint32_t>{datapres::kEwPrinting});
  EXPECT_EQ(port_.printedOn, std::vector<HDC>{printer});
}

}  // namespace
