#include "engine/datapres/embedded_window_layout.h"

#include "engine/adt/topic_record_header.h"
#include "engine/datapres/embedded_window_display.h"
#include "platform/base/byte_io.h"

namespace datapres {
namespace {

constexpr size_t kUnusedWindowBytes = 6;

bool is_window_record(uint8_t type) { return type == adt::kRecordEmbedded || type == adt::kRecordEmbeddedCounted; }

}  // namespace

std::optional<WindowDescription> FrDecodeWindowRecord(std::span<const uint8_t> record) {
  adt::TopicRecordHeader header;
  const size_t header_size = adt::DpDecodeRecordHeader(header, record.data(), record.size());
  if (!header_size || !is_window_record(header.type) || header.length < 0) return std::nullopt;
  if (size_t(header.length) > record.size() - header_size) return std::nullopt;
  base::ByteReader format(record.data() + header_size, size_t(header.length));
  std::string_view description;
  if (!format.skip(kUnusedWindowBytes) || !format.cstring(description)) return std::nullopt;
  return ParseWindowDescription(description);
}

bool FrLayoutWindow(EmbedState& state, std::span<const uint8_t> record, int32_t topic, int32_t key,
                    int32_t char_number, HDC hdc, bool printing, int32_t& hotspot_count,
                    frame::LayoutObject& object) {
  int32_t index = FrFindWindowIndex(state, topic, key);
  if (index < 0) {
    const std::optional<WindowDescription> d = FrDecodeWindowRecord(record);
    if (!d) return false;
    FrAddWindow(state, topic, key, FrCreateEmbed(state, d->library, d->className, d->windowText));
    index = int32_t(state.windows.size()) - 1;
  }
  const SIZE size = FrWindowSize(state, state.windows[size_t(index)].object, hdc, printing);
  object = frame::LayoutObject{};
  object.kind = frame::kObjWindow;
  object.flags = frame::kObjInLine;
  object.width = size.cx;
  object.height = size.cy;
  object.baseline = size.cy;
  object.anchor = object.firstChar = object.lastChar = char_number;
  object.hotspotNumber = ++hotspot_count;
  object.data = index;
  return true;
}

}  // namespace datapres
