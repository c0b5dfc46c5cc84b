// Builders of topic records, stored pictures and a test viewer on the recording device, and a text
// dump of laid-out objects for golden comparisons.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/adt/paragraph_info.h"
#include "engine/frame/record_layout.h"
#include "engine/frame/record_source.h"
#include "engine/medview/viewer.h"
#include "engine/title/title_fonts.h"
#include "platform/gdi/core/recording_device.h"

namespace layout_test {

using Bytes = std::vector<uint8_t>;

// Command bytes of a paragraph.
class Commands {
 public:
  Commands& Byte(uint8_t b) { return bytes_.push_back(b), *this; }
  Commands& Font(uint16_t font);
  Commands& ExtraHeight(int16_t value);
  Commands& Hotspot(uint32_t data);  // a hotspot command with four bytes of data (0xE3)
  Commands& Embedded(uint8_t command, const Bytes& record);
  Commands& End() { return Byte(0xFF); }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

// A text record (type 0x20) with the paragraph block, the commands and the text ('|' in `text`
// stands for the NUL that hands over to the next command).
Bytes TextRecord(const adt::ParagraphInfo& info, const Commands& commands, std::string_view text);
// A picture record holding a picture directory in place.
Bytes PictureRecord(const Bytes& directory);
// A picture record naming picture `number` of the title.
Bytes PictureNumberRecord(int16_t number);
struct TableColumn {
  int16_t width;
  int16_t gap;
};
struct TableCell {
  uint16_t column;
  Bytes record;
};
// A table record (type 0x23); cells carry their own text.
Bytes TableRecord(bool absolute, uint16_t min_width, const std::vector<TableColumn>& columns,
                  const std::vector<TableCell>& cells);

// A stored bitmap record of type 6 with the given bits (already coded) and hotspot data.
struct StoredBitmap {
  uint8_t compression = 0;
  uint16_t bits_per_pixel = 8;
  uint32_t width = 1;
  uint32_t height = 1;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  Bytes bits;
  Bytes hotspots;
  uint8_t type = 6;
  uint16_t planes = 1;
};
Bytes StoredBitmapRecord(const StoredBitmap& picture);
Bytes StoredMetafileRecord(uint16_t mapping_mode, uint16_t x_extent, uint16_t y_extent, const Bytes& bits);
// A directory of variants followed by the variants.
Bytes PictureDirectory(const std::vector<Bytes>& variants);
struct HotspotEntry {
  uint8_t type;
  uint16_t x, y, width, height;
  int32_t data;
};
Bytes HotspotData(const std::vector<HotspotEntry>& entries, const Bytes& extra = {});

// A style sheet of one face and these fonts: 0 10 pt, 1 12 pt bold, 2 10 pt small capitals,
// 3 10 pt raised by 6 half-points, 4 20 pt.
std::unique_ptr<title::StyleSheet> TestStyleSheet();

// A viewer drawing on a recording device.
class TestViewer {
 public:
  explicit TestViewer(int dpi = 96, int zoom = 100);
  ~TestViewer();
  medview::Viewer& viewer() { return *viewer_; }
  gdi::RecordingLog& log() { return *log_; }
  const title::StyleSheet& sheet() const { return *sheet_; }

  // Lays one record out at `width`; returns the dump of the objects.
  std::string Layout(const Bytes& record, int32_t width, frame::RecordExtent* extent = nullptr,
                     frame::ObjectList* objects = nullptr);

 private:
  std::shared_ptr<gdi::RecordingLog> log_;
  HDC hdc_ = nullptr;
  std::unique_ptr<title::StyleSheet> sheet_;
  medview::Viewer* viewer_ = nullptr;
};

// One topic held in memory: a topic header at position 0, then paragraph i at 10 (i + 1); the first
// `non_scroll` paragraphs form the non-scrolling region.
class MemoryRecordSource : public frame::RecordSource {
 public:
  MemoryRecordSource(std::vector<Bytes> paragraphs, int non_scroll);
  uint16_t load(int32_t position, frame::SourceRecord& out) override;
  uint16_t chunk(int32_t position, fcmanage::TopicChunk& chunk) override;
  static int32_t PositionOf(size_t index) { return int32_t(index + 1) * 10; }
  int loads = 0;
  int32_t unreadable = -1;  // a position whose read fails

 private:
  std::vector<Bytes> paragraphs_;
  int non_scroll_;
};

// One line per object: kind, rectangle, baseline, characters, font, hotspot and the run's text.
std::string DumpObjects(const frame::ObjectList& objects, const Bytes& record);
// True when every position 0 .. count-1 belongs to exactly one object.
bool NumberingCoversOnce(const frame::ObjectList& objects, int32_t count, std::string* problem);

}  // namespace layout_test
