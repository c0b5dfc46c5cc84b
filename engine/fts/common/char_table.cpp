// The built-in character table and the "|MVCHARTAB" reader and writer.
#include "engine/fts/common/char_table.h"

#include <algorithm>
#include <new>

#include "platform/base/byte_io.h"

namespace fts {
namespace {

// The largest character table: 65,535 wide entries and as many ligature records behind the header.
constexpr size_t kCharTableFileLimit = kFtsHeaderArea + 65535 * 13;

constexpr size_t kEntryBytes = 10;
constexpr size_t kOldEntryBytes = 3;
constexpr size_t kLigatureBytes = 3;

constexpr Ligature kBuiltInLigatures[] = {
    {0xC6, 'a', 'e'}, {0xE6, 'a', 'e'}, {0xDF, 's', 's'}, {0x9C, 'o', 'e'}, {0x8C, 'o', 'e'},
};

struct CodeRange {
  uint8_t from, to;
};

// Character classes of the built-in table; every code not listed is a separator.
struct ClassRanges {
  uint8_t charClass;
  std::initializer_list<CodeRange> ranges;
};
const ClassRanges kBuiltInClasses[] = {
    {kClassWord, {{0x5F, 0x5F}, {0x61, 0x7A}}},
    {kClassNormalized,
     {{0x41, 0x5A}, {0x8A, 0x8A}, {0x8C, 0x8C}, {0x9A, 0x9A}, {0x9C, 0x9C}, {0x9F, 0x9F}, {0xC0, 0xD6},
      {0xD8, 0xF6}, {0xF8, 0xFF}}},
    {kClassDigit, {{0x30, 0x39}}},
    {kClassGroupSep, {{0x2C, 0x2C}}},
    {kClassDecimal, {{0x2E, 0x2E}}},
    {kClassApostrophe, {{0x27, 0x27}}},
    {kClassJoiner, {{0x01, 0x01}}},
    {kClassWildcard, {{0x2A, 0x2A}, {0x3F, 0x3F}}},
};

// Accented letters and ligature letters folded onto a base letter; the other capitals fold onto
// their lower-case ASCII letter, every other code onto itself.
struct Fold {
  char letter;
  std::initializer_list<CodeRange> ranges;
};
const Fold kBuiltInFolds[] = {
    {'a', {{0xC0, 0xC6}, {0xE0, 0xE6}}},
    {'c', {{0xC7, 0xC7}, {0xE7, 0xE7}}},
    {'d', {{0xD0, 0xD0}}},
    {'e', {{0xC8, 0xCB}, {0xE8, 0xEB}}},
    {'i', {{0xCC, 0xCF}, {0xEC, 0xEF}}},
    {'n', {{0xD1, 0xD1}, {0xF1, 0xF1}}},
    {'o', {{0x8C, 0x8C}, {0x9C, 0x9C}, {0xD2, 0xD6}, {0xD8, 0xD8}, {0xF0, 0xF0}, {0xF2, 0xF6}, {0xF8, 0xF8}}},
    {'s', {{0x8A, 0x8A}, {0x9A, 0x9A}, {0xDF, 0xDF}}},
    {'u', {{0xD9, 0xDC}, {0xF9, 0xFC}}},
    {'y', {{0x9F, 0x9F}, {0xDD, 0xDD}, {0xFD, 0xFD}, {0xFF, 0xFF}}},
};

// Sort weights of the codes that are neither letters nor digits once normalised: runs of codes with a
// first weight and a step.
struct WeightRun {
  uint8_t from, to;
  uint16_t first, step;
};
constexpr WeightRun kWeightRuns[] = {
    {0x00, 0x1F, 0, 1},    {0x20, 0x20, 32, 0},   {0x21, 0x2F, 35, 5},   {0x3A, 0x40, 110, 5},
    {0x5B, 0x60, 145, 5},  {0x7B, 0x7E, 175, 5},  {0x7F, 0x81, 191, 1},  {0x82, 0x89, 195, 5},
    {0x8B, 0x8B, 240, 0},  {0x8D, 0x90, 246, 1},  {0x91, 0x99, 250, 5},  {0x9B, 0x9B, 305, 0},
    {0x9D, 0x9D, 311, 0},  {0x9E, 0x9E, 312, 0},  {0xA0, 0xA0, 316, 0},  {0xA1, 0xBF, 320, 5},
    {0xD7, 0xD7, 475, 0},  {0xDE, 0xDE, 1090, 0}, {0xF7, 0xF7, 102, 0},  {0xFE, 0xFE, 1100, 0},
};

uint16_t built_in_weight(uint8_t code, uint8_t normalized) {
  if (normalized >= 'a' && normalized <= 'z') return uint16_t(1230 + 20 * (normalized - 'a'));
  if (code >= '0' && code <= '9') return uint16_t(1120 + 10 * (code - '0'));
  if (code == 0x14) return 32;
  for (const WeightRun& run : kWeightRuns)
    if (code >= run.from && code <= run.to) return uint16_t(run.first + run.step * (code - run.from));
  return code;
}

std::vector<CharEntry> built_in_entries() {
  std::vector<CharEntry> entries(256);
  for (int c = 0; c < 256; ++c) {
    CharEntry& e = entries[size_t(c)];
    e.normalized = (c >= 'A' && c <= 'Z') ? uint8_t(c + 0x20) : uint8_t(c);
    e.extra[0] = uint8_t(c);
  }
  for (const ClassRanges& cls : kBuiltInClasses)
    for (CodeRange r : cls.ranges)
      for (int c = r.from; c <= r.to; ++c) entries[size_t(c)].charClass = cls.charClass;
  for (const Fold& fold : kBuiltInFolds)
    for (CodeRange r : fold.ranges)
      for (int c = r.from; c <= r.to; ++c) entries[size_t(c)].normalized = uint8_t(fold.letter);
  // Typographic quotation marks and dashes carry their kind in the attribute.
  for (int c = 0x91; c <= 0x94; ++c) entries[size_t(c)].attribute = uint8_t(4 + c - 0x91);
  for (int c = 0x95; c <= 0x97; ++c) entries[size_t(c)].attribute = uint8_t(1 + c - 0x95);
  // A ligature letter carries its two replacements as its substitute codes.
  for (const Ligature& lig : kBuiltInLigatures) {
    entries[lig.character].extra[1] = lig.first;
    entries[lig.character].extra[2] = lig.second;
  }
  for (int c = 0; c < 256; ++c) {
    CharEntry& e = entries[size_t(c)];
    e.sortWeight = built_in_weight(uint8_t(c), e.normalized);
  }
  return entries;
}

CharEntry read_entry(base::ByteReader& r) {
  CharEntry e;
  e.charClass = r.u8();
  e.attribute = r.u8();
  e.sortWeight = r.u16();
  e.normalized = r.u8();
  r.bytes(e.extra.data(), e.extra.size());
  return e;
}

// An entry of version 8 and earlier, widened: sort weight = normalised character, bytes 5 to 8 = its
// own index.
CharEntry read_old_entry(base::ByteReader& r, size_t index) {
  CharEntry e;
  e.charClass = r.u8();
  e.normalized = r.u8();
  r.u8();
  e.sortWeight = e.normalized;
  for (size_t i = 0; i < 4; ++i) e.extra[i] = uint8_t(index);
  return e;
}

void assign_ligatures(CharTable& table, uint16_t count, base::ByteReader& r) {
  table.ligatures.clear();
  if (table.ligatureMode == kLigaturesBuiltIn) {
    table.ligatures.assign(std::begin(kBuiltInLigatures), std::end(kBuiltInLigatures));
  } else if (table.ligatureMode != kLigaturesNone) {
    table.ligatures.resize(count);
    for (Ligature& lig : table.ligatures) {
      lig.character = r.u8();
      lig.first = r.u8();
      lig.second = r.u8();
    }
  }
}

}  // namespace

const Ligature* CharTable::ligature_of(uint8_t c) const {
  for (const Ligature& lig : ligatures)
    if (lig.character == c) return &lig;
  return nullptr;
}

void CharTable::build_class_map() {
  for (size_t c = 0; c < classMap.size(); ++c) {
    classMap[c] = c < entries.size() ? CharClassEntry{entries[c].charClass, entries[c].normalized}
                                      : CharClassEntry{kClassSeparator, uint8_t(c)};
  }
}

CharTablePtr FtsDefaultCharTable(FtsError* error) {
  try {
    auto table = std::make_unique<CharTable>();
    table->entries = built_in_entries();
    table->ligatureMode = kLigaturesBuiltIn;
    table->ligatures.assign(std::begin(kBuiltInLigatures), std::end(kBuiltInLigatures));
    table->build_class_map();
    return table;
  } catch (const std::bad_alloc&) {
    FtsSetError(error, kFtsNoMemory);
    return nullptr;
  }
}

CharTablePtr FtsParseCharTable(std::span<const uint8_t> file, FtsError* error) {
  base::ByteReader header(file);
  const uint16_t magic = header.u16();
  const uint16_t version = header.u16();
  const uint32_t body_size = header.u32();
  const uint16_t n = header.u16();
  const uint16_t k = header.u16();
  const uint16_t mode = header.u16();
  if (!header.ok()) {
    FtsSetError(error, kFtsReadFailed);
    return nullptr;
  }
  if (magic != kCharTableMagic) {
    FtsSetError(error, kFtsBadType);
    return nullptr;
  }
  const bool wide = version >= kCharTableVersion;
  const bool stored_ligatures = mode != kLigaturesBuiltIn && mode != kLigaturesNone;
  const size_t entry_count = wide ? size_t(n) : size_t(n) + k + 1;
  const size_t needed = entry_count * (wide ? kEntryBytes : kOldEntryBytes) +
                        (stored_ligatures ? size_t(k) * kLigatureBytes : 0);
  // The body must hold what the counts describe; only those bytes are read, whatever the size says.
  if (body_size < needed) {
    FtsSetError(error, kFtsBadType);
    return nullptr;
  }
  base::ByteReader body(file);
  if (!body.seek(kFtsHeaderArea) || body.remaining() < needed) {
    FtsSetError(error, kFtsReadFailed);
    return nullptr;
  }
  try {
    auto table = std::make_unique<CharTable>();
    table->entries.reserve(entry_count);
    for (size_t i = 0; i < entry_count; ++i)
      table->entries.push_back(wide ? read_entry(body) : read_old_entry(body, i));
    table->ligatureMode = mode;
    assign_ligatures(*table, k, body);
    table->build_class_map();
    return table;
  } catch (const std::bad_alloc&) {
    FtsSetError(error, kFtsNoMemory);
    return nullptr;
  }
}

void FtsFreeCharTable(CharTablePtr) {}

std::vector<uint8_t> FtsCharTableBytes(const CharTable& table) {
  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  const bool stored_ligatures = table.ligatureMode != kLigaturesBuiltIn && table.ligatureMode != kLigaturesNone;
  const size_t lig_count = stored_ligatures ? table.ligatures.size() : 0;
  w.u16(kCharTableMagic);
  w.u16(kCharTableVersion);
  w.u32(uint32_t(table.entries.size() * kEntryBytes + lig_count * kLigatureBytes));
  w.u16(uint16_t(table.entries.size()));
  w.u16(uint16_t(lig_count));
  w.u16(table.ligatureMode);
  w.pad_to(kFtsHeaderArea);
  for (const CharEntry& e : table.entries) {
    w.u8(e.charClass);
    w.u8(e.attribute);
    w.u16(e.sortWeight);
    w.u8(e.normalized);
    w.bytes(e.extra.data(), e.extra.size());
  }
  for (size_t i = 0; i < lig_count; ++i) {
    w.u8(table.ligatures[i].character);
    w.u8(table.ligatures[i].first);
    w.u8(table.ligatures[i].second);
  }
  return out;
}

CharTablePtr FtsLoadCharTable(mvfs::TitleFileSystem* fs, std::string_view name, FtsError* error) {
  std::vector<uint8_t> bytes;
  if (FtsReadTableFile(fs, name, kCharTableFileName, kCharTableFileLimit, bytes, error) != kFtsOk) return nullptr;
  return FtsParseCharTable(bytes, error);
}

}  // namespace fts
