#include "engine/frame/record_layout.h"

#include <algorithm>

#include "engine/adt/topic_record_header.h"
#include "engine/frame/window_layout.h"
#include "engine/medview/viewer_fonts.h"

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
    case adt::kRecordEmbedded:
    case adt::kRecordEmbeddedCounted:
      ok = FrLayoutWindowRecord(viewer, record, local, out, extent);
      break;
    default:
      // Other records show nothing.
      break;
  }
  for (size_t i = first; i < out.size(); ++i) {
    out[i].x += at.x;
    out[i].y += at.y;
  }
  return ok;
}

bool FrTranslateRecordText(medview::Viewer& viewer, std::vector<uint8_t>& record) {
  adt::TopicRecordHeader header;
  size_t headerSize = adt::DpDecodeRecordHeader(header, record.data(), record.size());
  if (headerSize == 0 || header.length < 0 || uint64_t(header.length) > record.size() - headerSize) return false;
  size_t textAt = headerSize + size_t(header.length);
  uint16_t flags = viewer.flags;
  viewer.flags |= medview::kViewClipboard;
  ObjectList objects;
  RecordPlacement at;
  RecordExtent extent;
  bool ok = FrLayoutRecord(viewer, record, {}, at, objects, extent);
  viewer.flags = flags;
  const title::StyleSheet* sheet = viewer.styleSheet;
  if (!sheet) return ok;
  for (const LayoutObject& o : objects) {
    if (o.kind != kObjText) continue;
    title::FontDescriptor descriptor;
    std::string face;
    if (!medview::MvGetFontDescriptor(sheet, o.font, &face, &descriptor) &&
        !medview::MvGetFontDescriptor(sheet, 0, &face, &descriptor)) {
      continue;
    }
    if (descriptor.face >= sheet->charMaps.size() || !sheet->charMaps[descriptor.face]) continue;
    const auto& entries = sheet->charMaps[descriptor.face]->entries;
    size_t begin = textAt + size_t(o.data);
    size_t end = std::min(begin + size_t(o.length), record.size());
    for (size_t i = begin; i < end; ++i) {
      uint8_t c = record[i];
      if (c < entries.size() && entries[c].extra[1] != 0) record[i] = entries[c].extra[1];
    }
  }
  return ok;
}

}  // namespace frame
