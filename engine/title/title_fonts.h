// The title's fonts: the internal file "|FONT" read into one style sheet of faces, font descriptors,
// named styles and a character table per face.
//
// "|FONT" comes in three forms, told apart by the face-table offset at byte 4 (8 oldest, 40 newest,
// anything else middle). All integers little-endian, offsets from the file's start:
//
//   offset  oldest (8)              middle                   newest (40)
//    0      u16 faces               u16 faces                u16 faces
//    2      u16 descriptors         u16 descriptors          u16 descriptors
//    4      u16 8                   u16 face-table offset    u16 40
//    6      u16 descriptor offset   u16 descriptor offset    u16 descriptor offset
//    8      faces start here        u16 styles               u16 styles
//   10                              u16 style offset         u16 style offset
//   12                                                       u16 character-table names
//   14                                                       u16 character-table names offset
//   faces:       20 bytes per name    32 bytes per name        32 bytes per name, "FaceName,n"
//   descriptors: 11 bytes (oldest)    42 bytes (middle order)  42 bytes (memory order)
//   styles:      none                 145 bytes (middle)       146 bytes (memory order)
//   table names: none                 none                     32 bytes per name, "InternalFileName,n"
//
// Oldest descriptor (11): u8 attributes (bit 0 bold, 1 italic, 2 underline, 3 strike-out), u8 size in
//   half points, u8 family, u16 face, 3 bytes text colour, 3 bytes background colour.
// Middle descriptor (42): u8 flags, u16 face, 3 text colour, 3 background colour, u8 raise, u16
//   character spacing, u16 style number, 28 bytes of font fields (below).
// Memory-order descriptor (42): u16 face, u16 spacing, u16 style, 3 text colour, 3 background colour,
//   28 bytes of font fields, u8 flags, u8 raise.
// Font fields (28): i32 height, width, escapement, orientation, weight; u8 italic, underline,
//   strike-out, character set, output precision, clip precision, quality, pitch and family.
// Middle style (145): u16 number, u16 based-on, u8 mode, middle descriptor, 33-byte face name, 65-byte
//   style name. Memory-order style (146): u16 number, u16 based-on, memory-order descriptor, u8 mode,
//   u8 0, 33-byte face name, 65-byte style name.
//
// In the newest form a face "Face,n" uses the first character table whose name ends in ",n" (a name
// without a comma counts as 0); a table that cannot be loaded from its internal file is replaced by
// the built-in one, and so is the table of a face whose number no table carries.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/fts/common/char_table.h"
#include "engine/fts/common/fts_error.h"
#include "engine/mvfs/btree.h"

namespace title {

inline constexpr std::string_view kFontFileName = "|FONT";

// The leading fields of a logical font as the platform's font creation takes them.
struct LogFontHead {
  int32_t height = 0;
  int32_t width = 0;
  int32_t escapement = 0;
  int32_t orientation = 0;
  int32_t weight = 0;
  uint8_t italic = 0;
  uint8_t underline = 0;
  uint8_t strikeOut = 0;
  uint8_t charSet = 0;
  uint8_t outPrecision = 0;
  uint8_t clipPrecision = 0;
  uint8_t quality = 0;
  uint8_t pitchAndFamily = 0;
};

struct FontDescriptor {
  uint16_t face = 0;  // index into the style sheet's faces, always valid
  uint16_t spacing = 0;
  uint16_t style = 0;  // 0 = none
  std::array<uint8_t, 3> textColour{};
  std::array<uint8_t, 3> backColour{};
  LogFontHead font;
  uint8_t flags = 0;
  int8_t raise = 0;
};

struct StyleRecord {
  uint16_t number = 0;
  uint16_t basedOn = 0;
  FontDescriptor font;
  uint8_t mode = 0;
  std::string faceName;   // at most 32 characters
  std::string styleName;  // at most 64 characters
};

enum class FontForm : uint8_t { kOldest, kMiddle, kNewest };

struct StyleSheet {
  FontForm form = FontForm::kNewest;
  std::vector<std::string> faces;  // names without their table suffix, at most 31 characters
  std::vector<FontDescriptor> descriptors;
  std::vector<StyleRecord> styles;
  // One table per face (at least one entry); faces may share a table.
  std::vector<std::shared_ptr<const fts::CharTable>> charMaps;
};

using StyleSheetPtr = std::unique_ptr<StyleSheet>;

// Loads a character table named in the newest form; null when it cannot be loaded.
using CharTableLoader = std::function<fts::CharTablePtr(std::string_view internal_name)>;

// Decodes a whole "|FONT" file. Every count and offset is checked against the file: 2013 for a table
// that lies outside it, 2004 for memory, 2022 when a character table can be neither loaded nor
// replaced by the built-in one.
StyleSheetPtr FontParse(std::span<const uint8_t> file, const CharTableLoader& load_table, fts::FtsError* error);
// Reads "|FONT" of the title: 2001 when it has none, 2013 when it cannot be read, then as FontParse
// with the character tables loaded from the title's internal files.
StyleSheetPtr FontLoad(mvfs::TitleFileSystem* fs, fts::FtsError* error);
void FontFree(StyleSheetPtr sheet);

// The per-face character maps that the title gives its B-tree collations: each face's sort weights
// and ligatures.
mvfs::BtCharMaps FontCharMaps(const StyleSheet& sheet);

// The face name of `index` into `buffer`: 0, 2015 for a missing sheet or buffer, 2001 for an index
// beyond the faces.
int32_t TtlGetFaceName(const StyleSheet* sheet, int32_t index, std::string* buffer);
// The index of the face of that name (CP1250 case ignored), or -1 with 2001 (2015 for a missing sheet).
int32_t TtlFindFace(const StyleSheet* sheet, std::string_view name, int32_t* code);

// What a "|FONT" file holds, as stored: face names with their ",n" suffix in the newest form, and the
// character-table names of the newest form.
struct FontFileContent {
  std::vector<std::string> faces;
  std::vector<FontDescriptor> descriptors;
  std::vector<StyleRecord> styles;
  std::vector<std::string> tableNames;
};

// The bytes of a "|FONT" file of the given form. The oldest form keeps of each descriptor what it can
// store (bold, italic, underline, strike-out, size, family, face, colours) and no styles; the middle
// form has no table names.
std::vector<uint8_t> FontFileBytes(const FontFileContent& content, FontForm form);

}  // namespace title
