// Display objects of a laid-out record, and the frame that holds one record's objects.
//
// Coordinates and sizes are 32-bit pixels, so a page laid out at zoom 500 for a 600-dpi printer
// (well beyond 32,767 pixels) keeps its geometry.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace bitmap {
struct PictureInfo;
}

namespace frame {

// What a display object is.
enum ObjectKind : uint8_t {
  kObjText = 1,
  kObjPicture = 3,
  kObjHotspotFrame = 4,
  kObjBorder = 5,
  kObjWindow = 6,
  kObjInvertArea = 7,
  // Markers inside lines: they take no room and are ignored when a frame's size is computed.
  kMarkParagraphEnd = 51,
  kMarkLineBreak = 52,
  kMarkTab = 53,
  kMarkExtraHeight = 54,
  kMarkNonBreakingSpace = 55,
  kMarkSoftHyphen = 56,
  kMarkCommandsEnd = 57,
  // Text-flow markers of frames laid out for copying.
  kFlowTab = 100,
  kFlowParagraphEnd = 101,
  kFlowRecordEnd = 102,
  kFlowCellTab = 103,
  kFlowTableEnd = 104,
  kFlowLineBreak = 105,
  kFlowNonBreakingSpace = 106,
};

inline bool IsMarkerKind(uint8_t kind) { return (kind >= 50 && kind <= 57) || kind >= 100; }

// Object flags.
inline constexpr uint32_t kObjInHotspot = 0x01;
inline constexpr uint32_t kObjInLine = 0x02;

// The extra data a hotspot frame shares with the other hotspot frames of its picture: the hotspot
// table's extra bytes, which variable-length hotspot data words point into.
struct HotspotExtra {
  std::vector<uint8_t> bytes;
};

struct LayoutObject {
  uint8_t kind = 0;
  uint32_t flags = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t baseline = 0;  // from the object's top to its text baseline
  int32_t width = 0;
  int32_t height = 0;
  int32_t hotspotNumber = 0;
  int32_t hotspotData = -1;  // text: offset of the hotspot's command in the frame's record; -1 none
  int32_t anchor = -1;       // character number where the object's layout began
  int32_t firstChar = -1;    // first and last character number covered; -1 for none
  int32_t lastChar = -1;
  int32_t data = 0;    // text: offset of the run in the record's text; border: the border word
  int32_t length = 0;  // text: bytes of the run that are shown
  int32_t font = 0;    // text and pictures: font number
  // Picture hotspot frames: type byte and second byte of the entry.
  uint8_t hotspotType = 0;
  uint8_t hotspotType2 = 0;
  // Pictures: the first hotspot object and the one just past the last (-1 without hotspots), and
  // the offset of the picture record inside its record.
  int32_t firstHotspot = -1;
  int32_t endHotspot = -1;
  int32_t recordOffset = 0;
  std::shared_ptr<bitmap::PictureInfo> picture;
  std::shared_ptr<HotspotExtra> hotspotExtra;

  bool carries_chars() const { return firstChar >= 0; }
  int32_t right() const { return x + width; }
  int32_t bottom() const { return y + height; }
};

using ObjectList = std::vector<LayoutObject>;

// One laid-out record.
struct LayoutFrame {
  ObjectList objects;
  bool renderOnly = false;  // made for copying or printing
  std::vector<uint8_t> record;
  int32_t position = -1;  // TextPosition of the record
  int32_t previous = -1;  // of the records before and after it
  int32_t next = -1;
  int32_t storedSize = 0;  // bytes the record takes in the title
  int32_t x = 0;
  int32_t y = 0;  // top, relative to the layout rectangle's top
  int32_t width = 0;
  int32_t height = 0;
  int32_t textCount = 0;  // characters of the record
  int32_t charBase = 0;   // character number of the record's first character in its block
};

}  // namespace frame
