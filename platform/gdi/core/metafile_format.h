// The Windows metafile format: the one reader of its header and records.
//
// Bytes, little-endian, in 16-bit words:
//   [optional placeable header: key 0x9AC6CDD7, handle, bounds (4 words), units per inch,
//    reserved (2 words), checksum: 22 bytes, skipped]
//   header, 9 words: type (1 memory, 2 disk), header size in words (9), version (0x0100 or
//   0x0300), size of the whole metafile in words (32-bit), number of object slots, largest record
//   in words (32-bit), 0.
//   records: size in words including these 3 words (32-bit), function number, parameters. Most
//   records list their coordinates last-first (y before x, bottom before top). A record of
//   function 0 ends the metafile.
#pragma once

#include <cstdint>
#include <span>

#include "platform/base/byte_io.h"

namespace gdi::wmf {

inline constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
inline constexpr size_t kPlaceableSize = 22;
inline constexpr size_t kHeaderSize = 18;
// The largest metafile held or played.
inline constexpr size_t kMaxMetafileBytes = 256u << 20;

enum Function : uint16_t {
  META_EOF = 0x0000,
  META_SAVEDC = 0x001E,
  META_REALIZEPALETTE = 0x0035,
  META_CREATEPALETTE = 0x00F7,
  META_SETBKMODE = 0x0102,
  META_SETMAPMODE = 0x0103,
  META_SETROP2 = 0x0104,
  META_SETRELABS = 0x0105,
  META_SETPOLYFILLMODE = 0x0106,
  META_SETSTRETCHBLTMODE = 0x0107,
  META_SETTEXTCHAREXTRA = 0x0108,
  META_RESTOREDC = 0x0127,
  META_SELECTCLIPREGION = 0x012C,
  META_SELECTOBJECT = 0x012D,
  META_SETTEXTALIGN = 0x012E,
  META_DIBCREATEPATTERNBRUSH = 0x0142,
  META_DELETEOBJECT = 0x01F0,
  META_SETBKCOLOR = 0x0201,
  META_SETTEXTCOLOR = 0x0209,
  META_SETWINDOWORG = 0x020B,
  META_SETWINDOWEXT = 0x020C,
  META_SETVIEWPORTORG = 0x020D,
  META_SETVIEWPORTEXT = 0x020E,
  META_OFFSETWINDOWORG = 0x020F,
  META_OFFSETVIEWPORTORG = 0x0211,
  META_LINETO = 0x0213,
  META_MOVETO = 0x0214,
  META_OFFSETCLIPRGN = 0x0220,
  META_SELECTPALETTE = 0x0234,
  META_CREATEPENINDIRECT = 0x02FA,
  META_CREATEFONTINDIRECT = 0x02FB,
  META_CREATEBRUSHINDIRECT = 0x02FC,
  META_POLYGON = 0x0324,
  META_POLYLINE = 0x0325,
  META_SCALEWINDOWEXT = 0x0410,
  META_SCALEVIEWPORTEXT = 0x0412,
  META_EXCLUDECLIPRECT = 0x0415,
  META_INTERSECTCLIPRECT = 0x0416,
  META_ELLIPSE = 0x0418,
  META_RECTANGLE = 0x041B,
  META_SETPIXEL = 0x041F,
  META_FLOODFILL = 0x0419,
  META_EXTFLOODFILL = 0x0548,
  META_TEXTOUT = 0x0521,
  META_POLYPOLYGON = 0x0538,
  META_ROUNDRECT = 0x061C,
  META_PATBLT = 0x061D,
  META_CREATEREGION = 0x06FF,
  META_ARC = 0x0817,
  META_EXTTEXTOUT = 0x0A32,
  META_DIBBITBLT = 0x0940,
  META_DIBSTRETCHBLT = 0x0B41,
  META_STRETCHDIB = 0x0F43,
};

struct Header {
  uint16_t type = 0;
  uint16_t header_words = 0;
  uint16_t version = 0;
  uint32_t size_words = 0;
  uint16_t objects = 0;
  uint32_t max_record = 0;
};

// Reads the header (after any placeable header) and leaves `r` at the first record. False when
// the bytes are not a metafile.
bool read_header(base::ByteReader& r, Header& out);

}  // namespace gdi::wmf
