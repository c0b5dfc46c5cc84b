// Laying topic records out into display objects: text paragraphs, pictures and tables (embedded
// windows are laid out by their own module), each into objects of the record's frame.
//
// Character numbering, which selection, copying, search-hit marks and hotspots all rely on: every
// byte of text counts one character; every command counts one position (a soft hyphen's command
// one more beside its hyphen); a picture counts one plus one per hotspot; a table counts the
// characters of its cells. Each position belongs to exactly one object: markers carry the position
// of the command that made them, and the positions of commands that leave no object of their own
// (font changes, hotspot starts and ends) belong to the next object that carries characters, whose
// `firstChar` then lies before its `anchor`.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/adt/paragraph_info.h"
#include "engine/frame/layout_object.h"
#include "engine/medview/viewer.h"

namespace frame {

// Records embedded in records (inline objects, table cells) nest at most this deep.
inline constexpr int kMaxRecordNesting = 4;

struct RecordPlacement {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;      // available width in pixels
  int32_t firstChar = 0;  // character number of the record's first position
  int depth = 0;
  int32_t recordOffset = 0;  // offset of this record inside the frame's record
  int32_t formatOffset = 0;  // offset of its format data there (set by FrLayoutRecord)
  int32_t font = 0;          // font of the paragraph that holds an inline record
  int32_t position = -1;     // TextPosition of a frame's record (inserted objects are found by it)
  int32_t charBase = 0;      // character number of the frame record's first character in its block
  int32_t frameTop = 0;      // client y of the frame's top (lines of a frame follow a layout shape)
};

struct RecordExtent {
  int32_t width = 0;
  int32_t height = 0;
  int32_t chars = 0;  // positions numbered
};

// Lays `record` (its stored header, format data and text) out, appending objects to `out` at the
// placement. A record without text of its own takes `outerText` (table cells read the text of their
// table). False when the record's header is damaged; what was laid out before stays.
bool FrLayoutRecord(medview::Viewer& viewer, std::span<const uint8_t> record,
                    std::span<const uint8_t> outerText, const RecordPlacement& at, ObjectList& out,
                    RecordExtent& extent);

// Record kinds: text paragraphs, pictures, tables. `format` is the record's format data.
bool FrLayoutParagraph(medview::Viewer& viewer, std::span<const uint8_t> format,
                       std::span<const uint8_t> text, const RecordPlacement& at, ObjectList& out,
                       RecordExtent& extent);
bool FrLayoutPicture(medview::Viewer& viewer, std::span<const uint8_t> format, const RecordPlacement& at,
                     ObjectList& out, RecordExtent& extent);
bool FrLayoutTable(medview::Viewer& viewer, std::span<const uint8_t> format, std::span<const uint8_t> text,
                   const RecordPlacement& at, ObjectList& out, RecordExtent& extent);

// Rewrites in place the text of a text record (and of every cell of a table record) through the
// character map of the face in force at each run (byte 6 of a face's character entries; an entry
// of 0 leaves the character). The runs and their fonts are found by laying the record out for
// copying. False when the record's header is damaged.
bool FrTranslateRecordText(medview::Viewer& viewer, std::vector<uint8_t>& record);

// Space in pixels that a paragraph's border takes on side 1 top, 2 left, 3 bottom, 4 right.
int32_t FrBorderSpace(const adt::ParagraphInfo& info, int side);

// Adds a marker that carries no character.
void FrAddMarker(ObjectList& out, uint8_t kind, int32_t x, int32_t y);

// The character number of byte `index` of a text object's run.
inline int32_t FrTextCharNumber(const LayoutObject& object, int32_t index) { return object.anchor + index; }
// The object of `objects` that covers character `number`, or -1.
int32_t FrObjectOfChar(const ObjectList& objects, int32_t number);

}  // namespace frame
