#include "engine/frame/record_layout.h"

#include "engine/adt/topic_record_header.h"

namespace frame {

bool FrLayoutRecord(medview::Viewer& viewer, std::span<const uint8_t> record, std::span<const uint8_t> outerText,
                    const RecordPlacement& at, ObjectList& out, RecordExtent& extent) {
  extent = RecordExtent{};
  adt::TopicRecordHeader header;
  size_t headerSize = adt::DpDecodeRecordHeader(header, record.data(), record.size());
  if (headerSize == 0 || header.length < 0 || uint64_t(header.length) > record.size() - headerSize) return false;
  auto format = record.subspan(headerSize, size_t(header.length));
  auto ownText = record.subspan(headerSize + size_t(header.length));
  if (ownText.size() > header.count) ownText = ownText.first(header.count);
  auto text = header.count > 0 ? ownText : outerText;
  size_t first = out.size();
  RecordPlacement local = at;
  local.x = 0;
  local.y = 0;
  local.formatOffset = at.recordOffset + int32_t(headerSize);
  bool ok = true;
  switch (header.type) {
    case adt::kRecordText:
    case adt::kRecordTextCounted:
      ok = FrLayoutParagraph(viewer, format, text, local, out, extent);
      break;
    case adt::kRecordPicture:
    case adt::kRecordPictureCounted:
      ok = FrLayoutPicture(viewer, format, local, out, extent);
      break;
    case adt::kRecordTable:
    case adt::kRecordTableCounted:
      ok = FrLayoutTable(viewer, format, text, local, out, extent);
      break;
    default:
      // Embedded windows are laid out by their own module; other records show nothing.
      break;
  }
  for (size_t i = first; i < out.size(); ++i) {
    out[i].x += at.x;
    out[i].y += at.y;
  }
  return ok;
}

}  // namespace frame
