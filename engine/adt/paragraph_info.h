// The packed paragraph-information block of text records and table cells.
//
// Stored form:
//   textOffset                   packed signed long
//   flags                        plain 32-bit: bit 0 -> flag0; bits 16-25 say which fields follow;
//                                bits 26-27 alignment; bit 28 noWrap
//   bit 16  paraFlags            packed signed long (absent: 0)
//   bits 17-22 spaceBefore, spaceAfter, lineSpacing, leftIndent, rightIndent, firstIndent,
//                                each a packed signed short, in this order (absent: 0)
//   bit 23  tabInterval          packed signed short (absent: 710 when bit 0 of paraFlags is set,
//                                else 72)
//   bit 24  border               three plain bytes: the first two form `border`, the third is skipped
//   bit 25  tabCount             packed signed short (absent: 0)
//   tabCount tab stops, each a packed unsigned short whose bit 14 says that a type follows (the
//   position is the value with bit 14 cleared), then the type as a packed unsigned short.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/base/byte_io.h"

namespace adt {

inline constexpr int kMaxTabStops = 32;

struct TabStop {
  uint16_t position = 0;
  uint16_t type = 0;
};

struct ParagraphInfo {
  int32_t textOffset = 0;
  int16_t flag0 = 0;
  int16_t hasParaFlags = 0;
  int16_t hasBorder = 0;
  int16_t alignment = 0;  // 0 left, 1 right, 2 centred
  int16_t noWrap = 0;
  int32_t paraFlags = 0;  // bit 0: measurements in twips, else in 1/144 inch
  int16_t spaceBefore = 0;
  int16_t spaceAfter = 0;
  int16_t lineSpacing = 0;  // >= 0 at least this much, < 0 exactly its absolute value
  int16_t leftIndent = 0;
  int16_t rightIndent = 0;
  int16_t firstIndent = 0;
  int16_t tabInterval = 0;
  int16_t border = 0;
  int16_t tabCount = 0;
  TabStop tabs[kMaxTabStops] = {};
};

// Decodes the block from `size` stored bytes; returns the number of bytes consumed, or 0 when the
// block runs past the input. A stored tab count above 32 is read in full (the bytes are consumed) and
// the first 32 stops are kept; a negative count is damage and fails. The viewer argument of the
// display side is not needed here.
size_t DpDecodeParagraphInfo(ParagraphInfo& info, const uint8_t* stored, size_t size);
// Appends the stored form: a length field is stored (and its bit set) only when non-zero, the border
// only when hasBorder is set, the count only when non-zero, a tab type only when non-zero. Returns
// the number of bytes written.
size_t DpEncodeParagraphInfo(const ParagraphInfo& info, base::ByteWriter& out);
// The consistency hook both coders call before they work. No field value makes a block unusable to
// them (a count above 32 is clamped, alignment and flags are masked to their bits), so it answers
// true for every block and the coders go on regardless of the answer.
bool DpCheckParagraphInfo(const ParagraphInfo& info);

}  // namespace adt
