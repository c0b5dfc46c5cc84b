// The viewer on a damaged title: a title of two topics (headed paragraphs, links, a table) whose
// "|TOPIC" is either damaged in place or replaced by the input, laid out in a window on the recording
// device, painted, scrolled, selected by point and key, marked with hits, stepped through its
// hotspots, and copied as RTF and as text. Nothing may crash, hang or read outside its buffers;
// copied text is NUL-terminated and ends at its first NUL.
//
// Input: u8 mode (bit 0: the rest after the steps is the topic file, else (u16 offset, u8 value)
// patches of the built one; bit 1: 200 dpi), 15 step bytes, then the file or the patches.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/adt/topic_record_header.h"
#include "engine/frame/clipboard_render.h"
#include "engine/frame/hit_marks.h"
#include "engine/frame/hotspots.h"
#include "engine/frame/painting.h"
#include "engine/frame/scrolling.h"
#include "engine/frame/selection.h"
#include "engine/frame/topic_layout.h"
#include "engine/title/title.h"
#include "fuzz/title/spliced_title.h"
#include "platform/base/byte_io.h"
#include "platform/base/temp_folder.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/recording_device.h"
#include "tests/layout/record_builder.h"
#include "tools/titlebuild/font_fixtures.h"
#include "tools/titlebuild/library_title.h"

namespace {

using layout_test::Bytes;
using layout_test::Commands;

constexpr size_t kSteps = 16;
constexpr size_t kTopicCapacity = 32768;

// A whole stored record as the title builder takes it: format bytes and text.
titlebuild::TopicRecordSource split(const Bytes& record) {
  adt::TopicRecordHeader header;
  const size_t at = adt::DpDecodeRecordHeader(header, record.data(), record.size());
  titlebuild::TopicRecordSource source;
  source.type = header.type;
  source.format.assign(record.begin() + ptrdiff_t(at), record.begin() + ptrdiff_t(at) + header.length);
  source.text.assign(record.begin() + ptrdiff_t(at) + header.length, record.end());
  return source;
}

titlebuild::TopicSource first_topic() {
  titlebuild::TopicSource topic{"Ustawa o ochronie przyrody", "<Q:A>", {}, {}};
  topic.records.push_back(split(layout_test::TextRecord({}, Commands().Font(1).End(), "|Art. 1. Przepisy og\xF3lne|")));
  topic.records.push_back(split(layout_test::TextRecord(
      {}, Commands().Hotspot(0x1111).Byte(0x89).Hotspot(0x2222).Byte(0x89).Byte(0x82).End(),
      "Zobacz |art. 5|, oraz |art. 6| ustawy o \xBF\xF3\xB3tej \xEA\x9C" "ci.|")));
  std::string long_text;
  for (int i = 0; i < 8; ++i) long_text += "Zdanie numer " + std::to_string(i) + " ma kilka s\xB3\xF3w. ";
  topic.records.push_back(split(layout_test::TextRecord({}, Commands().Font(2).End(), "|" + long_text + "|")));
  topic.records.push_back(split(layout_test::TableRecord(
      false, 100, {{60, 4}, {80, 4}},
      {{0, layout_test::TextRecord({}, Commands().End(), "Kom\xF3rka")},
       {1, layout_test::TextRecord({}, Commands().End(), "Druga kom\xF3rka tabeli")}})));
  return topic;
}

struct Base {
  titlebuild::TopicFileLayout layout;
  Bytes topic_file;
  fuzz_title::SplicedTitle title;
};

Base& built() {
  static Base b = [] {
    titlebuild::LibraryTitleSource source;
    source.topics = {first_topic(),
                     {"Obwieszczenie", "", {split(layout_test::TextRecord({}, Commands().End(), "Tekst jednolity."))}, {}}};
    source.contexts = {{"USTAWA", 0}, {"OBW", 1}};
    titlebuild::TopicFileLayout layout;
    titlebuild::TitleBuilder builder;
    if (titlebuild::AddLibraryTitle(builder, source, layout)) __builtin_trap();
    titlebuild::add_sample_fonts(builder);
    Bytes topic_file = layout.file;
    fuzz_title::SplicedTitle title(kTopicCapacity, [&](std::vector<uint8_t> placeholder) {
      builder.add_file("|TOPIC", std::move(placeholder));
      const std::string path = base::temp_folder() + "/fuzz_viewer.m14";
      return builder.write(path) == 0 ? path : std::string();
    });
    return Base{layout, topic_file, std::move(title)};
  }();
  return b;
}

void check_text(const std::vector<uint8_t>& text) {
  if (!text.empty() && (text.back() != 0 || std::find(text.begin(), text.end(), 0) != text.end() - 1)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kSteps) return 0;
  Base& b = built();
  // The application registers the rich-text format; without it only text would be copied.
  medview::MvSetClipFormatRegistrar([](const char*) { return uint32_t(0xC0DE); });
  const uint8_t* steps = data + 1;
  std::string path;
  if (data[0] & 1) {
    path = b.title.write(data + kSteps, size - kSteps);
  } else {
    Bytes file = b.topic_file;
    for (size_t i = kSteps; i + 3 <= size; i += 3) file[base::load_le16(data + i) % file.size()] = data[i + 2];
    path = b.title.write(file.data(), file.size());
  }
  if (path.empty()) return 0;
  title::TitleHandle* handle = title::TtlOpen(path.c_str(), nullptr, 0, true);
  if (!handle) return 0;
  gdi::RecordingDevice::Options options;
  HDC hdc = gdi::create_recording_dc(std::make_shared<gdi::RecordingLog>(), options);
  {
    layout_test::TestViewer t((data[0] & 2) ? 200 : 96, 50 + steps[0] % 151);
    medview::Viewer& v = t.viewer();
    medview::TitleErrorCode error = 0;
    if (medview::MvSetTitle(&v, handle, nullptr, &error)) {
      // Where to start: a record of the built topics, or a position the steps name.
      const auto& records = b.layout.record_positions;
      const int32_t position = steps[1] < 200 ? records[steps[1] % 2][size_t(steps[1] / 2) % records[steps[1] % 2].size()]
                                              : int32_t(base::load_le32(steps + 2));
      // Windows of a usable size: scrolling to a hit steps a window height at a time.
      const RECT window{0, 0, 160 + steps[2] * 2, 120 + steps[3]};
      if (frame::MvSetTopic(&v, position, int16_t(steps[4] % 3), steps[5], &error) &&
          frame::MvLayoutTopic(&v, &window, &error)) {
        medview::MvPaint(&v, hdc, &window, &error);
        POINT move{};
        int32_t top = 0, bottom = 0;
        medview::MvScrollVertical(&v, &move, &top, &bottom, steps[6] % 8, steps[7] * 8, &error);
        medview::MvScrollHorizontal(&v, &move, steps[8] % 8, steps[7], &error);
        medview::MvGetVerticalThumb(&v);
        medview::MvSelectAt(&v, steps[9] % 4, steps[10], steps[11], FALSE, &error);
        medview::MvSelectAt(&v, steps[9] % 4, steps[11] * 2, steps[10] * 2, TRUE, &error);
        medview::MvMoveSelectionByKey(&v, steps[12], steps[12] & 1, &error);
        // Hits at the built records' addresses and at addresses the steps name.
        fts::TopicHitList hits;
        for (const auto& topic : b.layout.record_addresses)
          for (int32_t address : topic) hits.entries.push_back({uint32_t(address), uint8_t(steps[13] % 12)});
        hits.entries.push_back({base::load_le32(steps + 2), steps[13]});
        std::sort(hits.entries.begin(), hits.entries.end(), [](auto& x, auto& y) { return x.address < y.address; });
        medview::MvSetHitList(&v, &hits, TRUE, &error);
        RECT rect;
        for (int32_t n = -1; n <= medview::MvGetHitCount(&hits); ++n) medview::MvGetHitRect(&v, n, &rect);
        medview::MvScrollToHit(&v, steps[14] % 8, &error);
        medview::HotspotInfo info;
        medview::HotspotTarget target;
        medview::MvHotspotFromPoint(&v, steps[10], steps[11], &info, &target, &error);
        for (int k = 0; k < 3; ++k) medview::MvSelectNextHotspot(&v, (steps[14] >> k) & 1, &error);
        medview::MvGetCurrentHotspot(&v, &target, &error);
        medview::MvShowHotspots(&v, TRUE, &error);
        for (int32_t n = 0; n < std::min(medview::MvCountHotspots(&v), 8); ++n) medview::MvGetNthHotspot(&v, n, &target, &error);
        medview::MvPaint(&v, hdc, &window, &error);
        medview::MvRenderClipFormats(&v, TRUE, 0, &error);
        const std::vector<uint8_t> rtf = medview::MvRenderClipFormat(&v, steps[9] & 1, medview::MvRtfClipFormat(), &error);
        if (!rtf.empty() && rtf.front() != '{') __builtin_trap();
        check_text(medview::MvRenderClipFormat(&v, FALSE, medview::kClipFormatText, &error));
        check_text(medview::MvCopySelectionText(&v, &error));
        check_text(medview::MvCopyRegionText(&v, &error));
        medview::MvSetHitList(&v, nullptr, FALSE, &error);
      }
    }
  }
  DeleteDC(hdc);
  title::TtlClose(handle);
  return 0;
}
