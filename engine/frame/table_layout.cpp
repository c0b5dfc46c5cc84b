// Tables: columns with absolute or relative widths, each cell a paragraph record.
//
// Table format data: u8 number of columns, u8 flags (bit 0 absolute column sizes; bit 1 sizes in
// twips, else in 1/144 inch), for relative tables a u16 minimum table width, then per column
// {i16 width, i16 gap before the column}, then the cells, each a u16 column index followed by a
// whole paragraph record, and finally the index 0xFFFF.
#include <algorithm>
#include <vector>

#include "engine/adt/topic_record_header.h"
#include "engine/frame/record_layout.h"
#include "platform/base/byte_io.h"
#include "platform/gdi/core/dc_api.h"

namespace frame {

namespace {

constexpr uint16_t kCellsEnd = 0xFFFF;

struct Column {
  int32_t x = 0;
  int32_t width = 0;
  int32_t height = 0;
};

}  // namespace

bool FrLayoutTable(medview::Viewer& viewer, std::span<const uint8_t> format, std::span<const uint8_t> text,
                   const RecordPlacement& at, ObjectList& out, RecordExtent& extent) {
  base::ByteReader in(format);
  uint8_t count = in.u8();
  uint8_t flags = in.u8();
  bool absolute = flags & 1;
  int64_t unit = (flags & 2) ? 1440 : 144;
  int64_t dpi = viewer.hdc ? GetDeviceCaps(viewer.hdc, LOGPIXELSX) : 96;
  auto pixels = [&](int64_t value) { return value * viewer.zoom * dpi / (unit * 100); };
  int64_t tableWidth = at.width;
  if (!absolute) tableWidth = std::max<int64_t>(tableWidth, pixels(in.u16()));
  // Pixel size of 0x7FFF units: relative sizes are shares of 0x7FFF of the table width.
  int64_t scale = std::max<int64_t>(1, dpi * viewer.zoom * 0x7FFF / (unit * 100));
  std::vector<Column> columns(count);
  int64_t x = 0, right = 0;
  for (Column& column : columns) {
    int64_t width = in.i16();
    int64_t gap = in.i16();
    if (!in.ok()) return false;
    gap = absolute ? pixels(gap) : tableWidth * pixels(gap) / scale;
    width = absolute ? pixels(width) : tableWidth * pixels(width) / scale;
    x += gap;
    column.x = int32_t(std::clamp<int64_t>(x, INT32_MIN / 4, INT32_MAX / 4));
    column.width = int32_t(std::clamp<int64_t>(width, 0, INT32_MAX / 4));
    x += width;
    right = std::max(right, x);
  }
  bool copying = (viewer.flags & (medview::kViewClipboard | medview::kViewPrinting)) != 0;
  int32_t charNo = at.firstChar;
  int previousColumn = -1;
  bool damaged = false;
  while (in.ok() && !in.at_end()) {
    uint16_t index = in.u16();
    if (!in.ok() || index == kCellsEnd) break;
    adt::TopicRecordHeader header;
    size_t headerSize = adt::DpDecodeRecordHeader(header, in.data() + in.pos(), in.remaining());
    uint64_t size = headerSize + uint64_t(uint32_t(std::max(header.length, 0))) + header.count;
    if (headerSize == 0 || header.length < 0 || size > in.remaining()) {
      damaged = true;
      break;
    }
    auto cell = format.subspan(in.pos(), size_t(size));
    int32_t cellOffset = at.formatOffset + int32_t(in.pos());
    in.skip(size_t(size));
    // A cell naming a column the table does not have is skipped.
    if (index >= columns.size() || at.depth + 1 >= kMaxRecordNesting) continue;
    Column& column = columns[index];
    if (copying && previousColumn >= 0 && previousColumn != index) {
      FrAddMarker(out, kFlowCellTab, column.x, column.height);
    }
    previousColumn = index;
    RecordPlacement place;
    place.x = column.x;
    place.y = column.height;
    place.width = column.width;
    place.firstChar = charNo;
    place.depth = at.depth + 1;
    place.recordOffset = cellOffset;
    place.position = at.position;
    place.charBase = at.charBase;
    RecordExtent cellExtent;
    FrLayoutRecord(viewer, cell, text, place, out, cellExtent);
    column.height += cellExtent.height;
    charNo += cellExtent.chars;
    right = std::max<int64_t>(right, int64_t(column.x) + cellExtent.width);
  }
  extent.width = int32_t(std::clamp<int64_t>(right, 0, INT32_MAX / 4));
  for (const Column& column : columns) extent.height = std::max(extent.height, column.height);
  extent.chars = charNo - at.firstChar;
  if (copying) FrAddMarker(out, kFlowTableEnd, 0, extent.height);
  return !damaged;
}

}  // namespace frame
