// Fonts and style sheets: font numbers of topic text turned into device fonts at the viewer's zoom,
// the five most recently used fonts, character widths and kerning pairs for measuring, and the
// named styles of the title's style sheet for reading and changing.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/medview/viewer.h"

namespace medview {

// Styles based on one another are followed at most this deep.
inline constexpr int kMaxStyleDepth = 20;
// Descriptor flag: small capitals, drawn at three quarters of the height.
inline constexpr uint8_t kFontSmallCaps = 0x04;

const title::StyleSheet* MvSetStyleSheet(ViewerHandle viewer, const title::StyleSheet* sheet);
const title::StyleSheet* MvGetStyleSheet(ViewerHandle viewer);

int32_t MvGetStyleCount(const title::StyleSheet* sheet, TitleErrorCode* error);
// The size of the sheet as one block in its stored in-memory form: a 40-byte header, 32 bytes per face,
// 42 per descriptor, then at the next multiple of 4 146 bytes per style, then at the next multiple of 4
// one 4-byte character-table reference per face (at least one). The character tables themselves are
// not counted. -1 with 1012 for a null sheet.
int32_t MvGetStyleSheetSize(const title::StyleSheet* sheet, TitleErrorCode* error);
// Face `number` counted from 1.
TitleErrorCode MvGetFaceName(const title::StyleSheet* sheet, int32_t number, std::string* buffer);
// The number (from 1) of the first face of that name, case ignored; -1 with 1039 when none.
int32_t MvFindFaceName(const title::StyleSheet* sheet, const char* name, TitleErrorCode* error);

// What MvGetStyle and MvSetStyle exchange of a style: its font fields and face name, colours as
// blue, green, red bytes, raise and flags. Every field is optional.
struct StyleValues {
  title::LogFontHead* font = nullptr;
  std::string* face = nullptr;
  std::array<uint8_t, 3>* textColour = nullptr;
  std::array<uint8_t, 3>* backColour = nullptr;
  int8_t* raise = nullptr;
  uint8_t* flags = nullptr;
};

// Picks a style by `*index` when given and not negative (copying its name out into `name` when
// given), else by the exact name in `name` (setting `*index`). 1012 without a sheet or a usable
// index or name; 1028 when no style matches.
BOOL MvGetStyle(const title::StyleSheet* sheet, int32_t* index, std::string* name, const StyleValues& out,
                TitleErrorCode* error);
// The inverse; the face name is written only when the given one is not empty.
BOOL MvSetStyle(title::StyleSheet* sheet, int32_t* index, std::string* name, const StyleValues& in,
                TitleErrorCode* error);

// Applies style `style` and the styles it is based on to `descriptor` (the most derived wins);
// `face` receives a style's own face name when it has one.
void MvApplyStyle(const title::StyleSheet& sheet, title::FontDescriptor& descriptor, uint16_t style,
                  int depth, std::string* face);

// The descriptor of font `number` and its face name, with its style applied when a face buffer is
// given. False when the sheet is missing or the number is outside it.
bool MvGetFontDescriptor(const title::StyleSheet* sheet, int32_t number, std::string* face,
                         title::FontDescriptor* descriptor);
// As above on the viewer's sheet, a number beyond the descriptors taken as 0; also makes the face's
// character table the viewer's current character map.
bool MvLoadFontDescriptor(ViewerHandle viewer, int32_t number, title::FontDescriptor* descriptor,
                          std::string* face);
// The device font of `number` at the viewer's zoom. A face the device cannot make falls back to
// the default face; null only when no font can be made at all.
HFONT MvCreateFont(ViewerHandle viewer, int32_t number, title::FontDescriptor* descriptor);
// Makes the font current: selected into the held context with its colours, metrics, widths and
// kerning pairs read. False when the font cannot be made (the previous one then stays selected and
// its metrics stay current, so measuring and drawing agree).
bool MvSelectFont(ViewerHandle viewer, int32_t number);
void MvDropFonts(ViewerHandle viewer);
void MvFreeFontCache(ViewerHandle viewer);

}  // namespace medview
