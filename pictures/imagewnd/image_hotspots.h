// The hotspots of an image window: a list of marks (level 1, which search highlighting lights up)
// and, per higher level, a two-dimensional split tree of hit-testable hotspots.
//
// A tree node covers a part of the area; its split value halves that part on its axis (x at the
// root, then y, alternating). A record whose extent on the axis holds the split value is chained
// at the node; one wholly below goes to the lower child, one wholly above to the upper child. Every
// record's box is clipped to the area before it is placed, so its extent always lies inside the
// node's bounds, each step down halves one side, and a node one pixel wide on an axis keeps every
// record that reaches it: insertion always ends. A point query walks one path per tree.
//
// PLY2 hotspot file (little-endian, at most 65,580 bytes):
//   0 "PLY2", 4 u16 version (2), 8 u16 record count, 10 u16 highest hotspot number,
//   12 u32 area width, 16 u32 area height, 24 u16 extra levels (the set gets this + 2),
//   34 u32 length of a name (low 16 bits used), 46 the name, then the records:
//   i16 shape (1 circle, 2 polygon, else rectangle), i16 level code (0 or less: the mark list;
//   n > 0: level n + 2), u16 number, i16 left, top, right, bottom, u16 skip count and that many
//   bytes, u16 text length L and L bytes of text (the data, kind 125, a zero added), then for a
//   circle i16 centre x, centre y, radius; for a polygon u16 point count and i16 x, y pairs
//   (negative coordinates taken as 0). A record cut short ends the parse; earlier records stay.
//
// Hotspot table of a segmented picture: u8 (not read), u16 count, 4 bytes (not read), then per
// hotspot 15 bytes: u8 type, 2 bytes (not read), i16 left, top, width, height, u32 value (the
// context hash of a jump or pop-up; for macros and named targets an offset into the data area that
// follows the last entry).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/gdi/core/gdi_types.h"

namespace imagewnd {

enum HotspotShape : uint16_t { kShapeRectangle = 0, kShapeCircle = 1, kShapePolygon = 2 };

// Kinds handed to the engine.
inline constexpr uint16_t kHotspotMacro = 0;
inline constexpr uint16_t kHotspotJump = 1;
inline constexpr uint16_t kHotspotPopup = 2;
inline constexpr uint16_t kHotspotOther = 3;
inline constexpr uint16_t kHotspotJumpNamed = 6;
inline constexpr uint16_t kHotspotPopupNamed = 7;
inline constexpr uint16_t kHotspotPly2 = 125;

inline constexpr size_t kPly2MaxFileSize = 46 + 65534;
// Hotspot numbers are 16-bit; the index table never holds more.
inline constexpr size_t kMaxHotspotNumbers = 65536;
// The area of a window macro.
inline constexpr int32_t kMacroArea = 32000;

struct HotspotRecord {
  uint16_t shape = kShapeRectangle;
  uint16_t level = 2;
  uint16_t number = 0;
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // picture coordinates, right and bottom exclusive
  uint16_t kind = kHotspotOther;
  std::vector<uint8_t> data;
  int32_t centreX = 0, centreY = 0, radius = 0;  // a circle
  std::vector<POINT> points;                     // a polygon, closed back to the first point
  HotspotRecord* next = nullptr;                 // in its node's chain or the mark list

  RECT box() const { return {left, top, right, bottom}; }
};

// Whether the point lies in the record: its box, then the circle or the polygon (crossings of a
// ray towards increasing x).
bool HotspotContains(const HotspotRecord& record, int32_t x, int32_t y);

class HotspotSet {
 public:
  HotspotSet(int32_t width, int32_t height, int levels, size_t capacity);

  // Refused (false) for level 0 or above the levels, and for a box that is empty or lies outside
  // the area. Marks go to the mark list; other records to their level's tree.
  bool add(const HotspotRecord& record);
  // The first record of levels 2 and up whose shape holds the point.
  const HotspotRecord* hit(int32_t x, int32_t y) const;
  const HotspotRecord* byNumber(size_t number) const;
  // The n-th record of the mark list, from 0.
  const HotspotRecord* mark(size_t n) const;

  // A new area; with at most one hit-testable hotspot the hotspot at (1, 1) is stretched to it, so a
  // window macro covers picture and caption. The trees are built again for the new area.
  void resize(int32_t width, int32_t height);
  // Grows the index table to `capacity` numbers (at most kMaxHotspotNumbers).
  void reserve(size_t capacity);

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  int levels() const { return levels_; }
  size_t capacity() const { return index_.size(); }
  int32_t hitTestableCount() const { return hitTestable_; }
  // The highest hotspot number plus one.
  int32_t numberLimit() const { return numberLimit_; }

 private:
  struct Node {
    HotspotRecord* chain = nullptr;
    Node* lower = nullptr;
    Node* upper = nullptr;
  };
  void place(HotspotRecord* record);
  void rebuild();
  // The first record holding the point in the trees of levels 2 to `last_level`.
  HotspotRecord* search(int32_t x, int32_t y, int last_level) const;

  int32_t width_, height_;
  int levels_;
  std::deque<HotspotRecord> records_;  // every record, released with the set
  std::deque<Node> nodes_;
  std::vector<Node*> roots_;            // levels 2 and up (index level - 2)
  int lastRootLevel_ = 1;               // the highest level that has a tree
  std::vector<HotspotRecord*> marks_;   // level 1 in insertion order
  std::vector<HotspotRecord*> index_;   // hotspot number to record
  int32_t hitTestable_ = 0;
  int32_t numberLimit_ = 0;
};

// A set from a PLY2 file; none when the file is too short or too long, or its magic or version is
// wrong.
std::unique_ptr<HotspotSet> ParsePly2(std::span<const uint8_t> bytes);
// Merges a window's hotspots into a set parsed from a PLY2 file: every record of the old index
// table joins the new set, its right and bottom clipped to the new area.
void MergeHotspots(HotspotSet& into, const HotspotSet& old);
// Makes a set for a picture of that size with room for n more numbers, or resizes an existing one.
void HotspotsForPicture(std::unique_ptr<HotspotSet>& set, int32_t width, int32_t height, size_t n);

// One hotspot of a segmented picture's table.
struct PictureHotspot {
  uint8_t type = 0;
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  uint16_t kind = kHotspotOther;
  std::vector<uint8_t> data;
};
// Reads the table; entries whose data lies outside the table are kept without data as kind 3. None
// when the table is cut short.
std::optional<std::vector<PictureHotspot>> ReadPictureHotspots(std::span<const uint8_t> table);
// Scales boxes from a metafile's extents to the picture's size; a zero extent leaves that axis.
void ScalePictureHotspots(std::vector<PictureHotspot>& hotspots, int32_t width, int32_t height, int32_t x_extent,
                          int32_t y_extent);
// Adds the table's hotspots: type 0x8A to the mark list, the others to level 2, numbered on from the
// set's highest number.
void AddPictureHotspots(HotspotSet& set, const std::vector<PictureHotspot>& hotspots);

// The window's hotspot record as the engine reads it (0x7073).
struct HotspotAnswer {
  RECT box{};
  uint32_t hash = 0;
  std::span<const uint8_t> data;
  int32_t kind = kHotspotOther;
};
HotspotAnswer AnswerFor(const HotspotRecord& record);

// One focus step: `focus` is the focused number + 1 (0 none); `forward` steps up, else down, to the
// next record on level 2 or higher whose box overlaps `visible`. The new focus, 0 when none.
int32_t StepHotspotFocus(const HotspotSet& set, int32_t focus, bool forward, const RECT& visible);

}  // namespace imagewnd
