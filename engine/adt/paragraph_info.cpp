#include "engine/adt/paragraph_info.h"

#include "engine/adt/packed_integers.h"

namespace adt {
namespace {

constexpr uint32_t kHasParaFlags = 1u << 16;
constexpr int kFirstLengthBit = 17;  // bits 17 to 22: the six lengths
constexpr uint32_t kHasTabInterval = 1u << 23;
constexpr uint32_t kHasBorder = 1u << 24;
constexpr uint32_t kHasTabCount = 1u << 25;
constexpr uint32_t kNoWrap = 1u << 28;
constexpr uint16_t kTabHasType = 0x4000;

constexpr int16_t kDefaultTabTwips = 710;
constexpr int16_t kDefaultTab144 = 72;

// The six optional lengths in stored order.
int16_t* lengths(ParagraphInfo& info, int i) {
  int16_t* fields[] = {&info.spaceBefore, &info.spaceAfter,  &info.lineSpacing,
                       &info.leftIndent,  &info.rightIndent, &info.firstIndent};
  return fields[i];
}

}  // namespace

bool DpCheckParagraphInfo(const ParagraphInfo&) { return true; }

size_t DpDecodeParagraphInfo(ParagraphInfo& info, const uint8_t* stored, size_t size) {
  info = {};
  DpCheckParagraphInfo(info);
  base::ByteReader in(stored, size);
  ReadPackedLong(in, info.textOffset);
  const uint32_t flags = in.u32();
  info.flag0 = int16_t(flags & 1);
  info.hasParaFlags = int16_t((flags >> 16) & 1);
  info.hasBorder = int16_t((flags >> 24) & 1);
  info.alignment = int16_t((flags >> 26) & 3);
  info.noWrap = int16_t((flags >> 28) & 1);
  if (flags & kHasParaFlags) ReadPackedLong(in, info.paraFlags);
  for (int i = 0; i < 6; ++i)
    if (flags & (1u << (kFirstLengthBit + i))) ReadPackedShort(in, *lengths(info, i));
  if (flags & kHasTabInterval)
    ReadPackedShort(in, info.tabInterval);
  else
    info.tabInterval = (info.paraFlags & 1) ? kDefaultTabTwips : kDefaultTab144;
  if (flags & kHasBorder) {
    info.border = in.i16();
    in.skip(1);
  }
  int16_t stored_count = 0;
  if (flags & kHasTabCount) ReadPackedShort(in, stored_count);
  if (stored_count < 0 || !in.ok()) {
    info = {};
    return 0;
  }
  info.tabCount = stored_count > kMaxTabStops ? int16_t(kMaxTabStops) : stored_count;
  for (int i = 0; i < stored_count; ++i) {
    uint16_t value = 0;
    uint16_t type = 0;
    if (!ReadPackedUShort(in, value)) break;
    if (value & kTabHasType) ReadPackedUShort(in, type);
    if (i < kMaxTabStops) info.tabs[i] = {uint16_t(value & ~kTabHasType), type};
  }
  if (!in.ok()) {
    info = {};
    return 0;
  }
  return in.pos();
}

size_t DpEncodeParagraphInfo(const ParagraphInfo& info, base::ByteWriter& out) {
  DpCheckParagraphInfo(info);
  const size_t start = out.pos();
  ParagraphInfo copy = info;
  uint32_t flags = uint32_t(info.flag0 & 1) | (uint32_t(info.alignment & 3) << 26) |
                   (info.noWrap ? kNoWrap : 0);
  if (info.paraFlags) flags |= kHasParaFlags;
  for (int i = 0; i < 6; ++i)
    if (*lengths(copy, i)) flags |= 1u << (kFirstLengthBit + i);
  if (info.tabInterval) flags |= kHasTabInterval;
  if (info.hasBorder) flags |= kHasBorder;
  const int16_t tab_count = info.tabCount > kMaxTabStops ? int16_t(kMaxTabStops) : info.tabCount;
  if (tab_count > 0) flags |= kHasTabCount;

  WritePackedLong(out, info.textOffset);
  out.u32(flags);
  if (flags & kHasParaFlags) WritePackedLong(out, info.paraFlags);
  for (int i = 0; i < 6; ++i)
    if (flags & (1u << (kFirstLengthBit + i))) WritePackedShort(out, *lengths(copy, i));
  if (flags & kHasTabInterval) WritePackedShort(out, info.tabInterval);
  if (flags & kHasBorder) {
    out.i16(info.border);
    out.u8(0);
  }
  if (flags & kHasTabCount) {
    WritePackedShort(out, tab_count);
    for (int i = 0; i < tab_count; ++i) {
      const TabStop& tab = info.tabs[i];
      if (tab.type) {
        WritePackedUShort(out, uint16_t((tab.position & ~kTabHasType) | kTabHasType));
        WritePackedUShort(out, tab.type);
      } else {
        WritePackedUShort(out, uint16_t(tab.position & ~kTabHasType));
      }
    }
  }
  return out.pos() - start;
}

}  // namespace adt
