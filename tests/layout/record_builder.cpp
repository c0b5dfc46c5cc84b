#include "tests/layout/record_builder.h"

#include <cstdio>
#include <set>

#include "engine/adt/packed_integers.h"
#include "engine/adt/topic_record_header.h"
#include "engine/medview/viewer_fonts.h"
#include "platform/base/byte_io.h"
#include "platform/gdi/core/dc_api.h"

namespace layout_test {

namespace {

HDC g_hdc = nullptr;

HDC TestGetDC(HWND) { return g_hdc; }
void TestReleaseDC(HWND, HDC) {}

void Put16(Bytes& b, uint16_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
// Packed unsigned long of stored pictures: always the four-byte form.
void PutPackedULong(Bytes& b, uint32_t v) { Put32(b, (v << 1) | 1); }
void PutPackedUShort(Bytes& b, uint16_t v) { Put16(b, uint16_t((v << 1) | 1)); }

Bytes Record(uint8_t type, const Bytes& format, const Bytes& text) {
  Bytes bytes;
  base::ByteWriter out(bytes);
  adt::TopicRecordHeader header;
  header.type = type;
  header.length = int32_t(format.size());
  header.count = uint16_t(text.size());
  adt::DpEncodeRecordHeader(header, out);
  bytes.insert(bytes.end(), format.begin(), format.end());
  bytes.insert(bytes.end(), text.begin(), text.end());
  return bytes;
}

}  // namespace

Commands& Commands::Font(uint16_t font) {
  Byte(0x80);
  Put16(bytes_, font);
  return *this;
}

Commands& Commands::ExtraHeight(int16_t value) {
  Byte(0x85);
  Put16(bytes_, uint16_t(value));
  return *this;
}

Commands& Commands::Hotspot(uint32_t data) {
  Byte(0xE3);
  Put32(bytes_, data);
  return *this;
}

Commands& Commands::Embedded(uint8_t command, const Bytes& record) {
  Byte(command);
  bytes_.insert(bytes_.end(), record.begin(), record.end());
  return *this;
}

Bytes TextRecord(const adt::ParagraphInfo& info, const Commands& commands, std::string_view text) {
  Bytes format;
  base::ByteWriter out(format);
  adt::DpEncodeParagraphInfo(info, out);
  format.insert(format.end(), commands.bytes().begin(), commands.bytes().end());
  Bytes body;
  for (char c : text) body.push_back(c == '|' ? 0 : uint8_t(c));
  return Record(0x20, format, body);
}

Bytes PictureRecord(const Bytes& directory) {
  Bytes format;
  Put16(format, 1);
  format.insert(format.end(), directory.begin(), directory.end());
  return Record(0x22, format, {});
}

Bytes PictureNumberRecord(int16_t number) {
  Bytes format;
  Put16(format, 0);
  Put16(format, uint16_t(number));
  return Record(0x22, format, {});
}

Bytes TableRecord(bool absolute, uint16_t min_width, const std::vector<TableColumn>& columns,
                  const std::vector<TableCell>& cells) {
  Bytes format;
  format.push_back(uint8_t(columns.size()));
  format.push_back(absolute ? 1 : 0);
  if (!absolute) Put16(format, min_width);
  for (const auto& column : columns) {
    Put16(format, uint16_t(column.width));
    Put16(format, uint16_t(column.gap));
  }
  for (const auto& cell : cells) {
    Put16(format, cell.column);
    format.insert(format.end(), cell.record.begin(), cell.record.end());
  }
  Put16(format, 0xFFFF);
  return Record(0x23, format, {});
}

Bytes StoredBitmapRecord(const StoredBitmap& p) {
  Bytes head;
  head.push_back(p.type);
  head.push_back(p.compression);
  PutPackedULong(head, 96);
  PutPackedULong(head, 96);
  PutPackedUShort(head, p.planes);
  PutPackedUShort(head, p.bits_per_pixel);
  PutPackedULong(head, p.width);
  PutPackedULong(head, p.height);
  PutPackedULong(head, uint32_t(p.palette.size()));
  PutPackedULong(head, 0);
  PutPackedULong(head, uint32_t(p.bits.size()));
  PutPackedULong(head, uint32_t(p.hotspots.size()));
  size_t bits_at = head.size() + 8 + p.palette.size() * 4;
  Put32(head, uint32_t(bits_at));
  Put32(head, uint32_t(bits_at + p.bits.size()));
  for (uint32_t rgb : p.palette) {
    head.push_back(uint8_t(rgb));
    head.push_back(uint8_t(rgb >> 8));
    head.push_back(uint8_t(rgb >> 16));
    head.push_back(0);
  }
  head.insert(head.end(), p.bits.begin(), p.bits.end());
  head.insert(head.end(), p.hotspots.begin(), p.hotspots.end());
  return head;
}

Bytes StoredMetafileRecord(uint16_t mapping_mode, uint16_t x_extent, uint16_t y_extent, const Bytes& bits) {
  Bytes head;
  head.push_back(8);
  head.push_back(0);
  PutPackedUShort(head, mapping_mode);
  Put16(head, x_extent);
  Put16(head, y_extent);
  PutPackedULong(head, uint32_t(bits.size()));
  PutPackedULong(head, uint32_t(bits.size()));
  PutPackedULong(head, 0);
  size_t bits_at = head.size() + 8;
  Put32(head, uint32_t(bits_at));
  Put32(head, uint32_t(bits_at + bits.size()));
  head.insert(head.end(), bits.begin(), bits.end());
  return head;
}

Bytes PictureDirectory(const std::vector<Bytes>& variants) {
  Bytes dir;
  Put16(dir, 0);
  Put16(dir, uint16_t(variants.size()));
  size_t offset = 4 + 4 * variants.size();
  for (const auto& v : variants) {
    Put32(dir, uint32_t(offset));
    offset += v.size();
  }
  for (const auto& v : variants) dir.insert(dir.end(), v.begin(), v.end());
  return dir;
}

Bytes HotspotData(const std::vector<HotspotEntry>& entries, const Bytes& extra) {
  Bytes b;
  b.push_back(1);
  Put16(b, uint16_t(entries.size()));
  Put32(b, uint32_t(extra.size()));
  for (const auto& e : entries) {
    b.push_back(e.type);
    b.push_back(0);
    b.push_back(0);
    Put16(b, e.x);
    Put16(b, e.y);
    Put16(b, e.width);
    Put16(b, e.height);
    Put32(b, uint32_t(e.data));
  }
  b.insert(b.end(), extra.begin(), extra.end());
  return b;
}

std::unique_ptr<title::StyleSheet> TestStyleSheet() {
  auto sheet = std::make_unique<title::StyleSheet>();
  sheet->faces = {"Arial"};
  auto font = [](int32_t points, int32_t weight, uint8_t flags, int8_t raise) {
    title::FontDescriptor d;
    d.font.height = points;
    d.font.weight = weight;
    d.flags = flags;
    d.raise = raise;
    d.textColour = {1, 1, 0};
    d.backColour = {1, 1, 0};
    return d;
  };
  sheet->descriptors = {font(10, 400, 0, 0), font(12, 700, 0, 0), font(10, 400, medview::kFontSmallCaps, 0),
                        font(10, 400, 0, 6), font(20, 400, 0, 0)};
  return sheet;
}

TestViewer::TestViewer(int dpi, int zoom) : log_(std::make_shared<gdi::RecordingLog>()) {
  gdi::RecordingDevice::Options options;
  options.dpi_x = options.dpi_y = dpi;
  hdc_ = gdi::create_recording_dc(log_, options);
  g_hdc = hdc_;
  sheet_ = TestStyleSheet();
  viewer_ = medview::MvCreateViewer(nullptr, nullptr);
  viewer_->zoom = zoom;
  medview::MvSetStyleSheet(viewer_, sheet_.get());
  medview::MvSetWindow(viewer_, reinterpret_cast<HWND>(uintptr_t(1)), nullptr);
  medview::MvSetGetDCProc(viewer_, TestGetDC);
  medview::MvSetReleaseDCProc(viewer_, TestReleaseDC);
}

TestViewer::~TestViewer() {
  medview::MvDestroyViewer(viewer_);
  DeleteDC(hdc_);
  g_hdc = nullptr;
}

std::string TestViewer::Layout(const Bytes& record, int32_t width, frame::RecordExtent* extent,
                               frame::ObjectList* objects) {
  g_hdc = hdc_;
  medview::MvAcquireDC(viewer_);
  frame::ObjectList out;
  frame::RecordExtent local;
  frame::RecordPlacement at;
  at.width = width;
  frame::FrLayoutRecord(*viewer_, record, {}, at, out, extent ? *extent : local);
  medview::MvReleaseDC(viewer_);
  std::string dump = DumpObjects(out, record);
  if (objects) *objects = std::move(out);
  return dump;
}

MemoryRecordSource::MemoryRecordSource(std::vector<Bytes> paragraphs, int non_scroll)
    : paragraphs_(std::move(paragraphs)), non_scroll_(non_scroll) {}

uint16_t MemoryRecordSource::load(int32_t position, frame::SourceRecord& out) {
  ++loads;
  if (position == unreadable) return 2013;
  if (position <= 0 || position % 10 != 0 || size_t(position / 10) > paragraphs_.size()) return 1011;
  size_t index = size_t(position / 10) - 1;
  out.position = position;
  out.previous = position - 10;
  out.next = index + 1 < paragraphs_.size() ? position + 10 : -1;
  out.charBase = 0;
  out.storedSize = int32_t(paragraphs_[index].size());
  out.topicHeader = false;
  out.bytes = paragraphs_[index];
  return 0;
}

uint16_t MemoryRecordSource::chunk(int32_t position, fcmanage::TopicChunk& chunk) {
  if (position < 0 || size_t(position / 10) > paragraphs_.size()) return 1005;
  chunk = fcmanage::TopicChunk{};
  int32_t end = PositionOf(paragraphs_.size() - 1);  // the last record, as titles store it
  chunk.values[2] = 1;
  chunk.values[3] = non_scroll_ > 0 ? PositionOf(0) : -1;
  chunk.values[4] = size_t(non_scroll_) < paragraphs_.size() ? PositionOf(size_t(non_scroll_)) : -1;
  chunk.values[5] = end;
  int64_t length = 0;
  for (const auto& p : paragraphs_) length += int64_t(p.size());
  chunk.topicLength = int32_t(length);
  chunk.recordPosition = position;
  return 0;
}

std::string DumpObjects(const frame::ObjectList& objects, const Bytes& record) {
  adt::TopicRecordHeader header;
  size_t header_size = adt::DpDecodeRecordHeader(header, record.data(), record.size());
  size_t text_at = header_size + size_t(header.length);
  std::string dump;
  char line[256];
  for (const auto& o : objects) {
    std::snprintf(line, sizeof line, "%d (%d,%d %dx%d) b%d c%d..%d", o.kind, o.x, o.y, o.width, o.height,
                  o.baseline, o.firstChar, o.lastChar);
    dump += line;
    if (o.kind == frame::kObjText) {
      std::snprintf(line, sizeof line, " f%d", o.font);
      dump += line;
    }
    if (o.flags & frame::kObjInHotspot) {
      std::snprintf(line, sizeof line, " h%d", o.hotspotNumber);
      dump += line;
    }
    if (o.kind == frame::kObjText && text_at + size_t(o.data) + size_t(o.length) <= record.size()) {
      dump += " '";
      dump.append(reinterpret_cast<const char*>(record.data() + text_at + size_t(o.data)), size_t(o.length));
      dump += "'";
    }
    dump += "\n";
  }
  return dump;
}

bool NumberingCoversOnce(const frame::ObjectList& objects, int32_t count, std::string* problem) {
  std::vector<int> seen(size_t(std::max(count, 0)), 0);
  for (const auto& o : objects) {
    if (!o.carries_chars()) continue;
    if (o.lastChar < o.firstChar || o.lastChar >= count) {
      if (problem) *problem = "range " + std::to_string(o.firstChar) + ".." + std::to_string(o.lastChar);
      return false;
    }
    for (int32_t c = o.firstChar; c <= o.lastChar; ++c) ++seen[size_t(c)];
  }
  for (size_t c = 0; c < seen.size(); ++c) {
    if (seen[c] != 1) {
      if (problem) *problem = "position " + std::to_string(c) + " covered " + std::to_string(seen[c]) + " times";
      return false;
    }
  }
  return true;
}

}  // namespace layout_test
