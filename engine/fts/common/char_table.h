// The character table of the full-text engine: which bytes make up words and numbers, how each byte
// is normalised and which bytes stand for two letters. A title may carry its own table in the
// internal file "|MVCHARTAB"; the built-in table stands in when it has none.
//
// "|MVCHARTAB" (little-endian; the first 40 bytes are a header area, unread bytes are zero):
//    0  u16  magic 0x5555
//    2  u16  version
//    4  u32  size in bytes of the body that starts at offset 40
//    8  u16  entry count n
//   10  u16  ligature count k
//   12  u16  ligature mode: 1 built-in ligatures, 2 none, any other value ligatures from the file
//   40       body
// Body, version 9 and later: n entries of 10 bytes (CharEntry), then, when the mode is neither 1 nor
// 2, k ligature records of 3 bytes (character, first replacement, second replacement).
// Body, version 8 and earlier: n + k + 1 entries of 3 bytes (class, normalised character, ignored),
// then k ligature records; each becomes a 10-byte entry with attribute 0, sort weight equal to the
// normalised character and bytes 5 to 8 equal to its own index.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "engine/fts/common/fts_error.h"
#include "engine/fts/common/table_file.h"

namespace mvfs {
struct TitleFileSystem;
}

namespace fts {

// Character classes (their effect on words and numbers is the breakers' business).
enum CharClass : uint8_t {
  kClassSeparator = 0,     // ends a word or number, never part of one
  kClassWord = 1,          // word character taken unchanged
  kClassNormalized = 2,    // word character replaced by its normalised form or its ligature pair
  kClassDigit = 3,         // starts a number, continues words and numbers
  kClassGroupSep = 4,      // group separator inside numbers (raw form only)
  kClassDecimal = 5,       // decimal point inside numbers (both forms)
  kClassApostrophe = 6,    // apostrophe inside words (raw form only)
  kClassJoiner = 7,        // kept, and makes the next character part of the word
  kClassNumberSep = 8,     // separator inside numbers, kept only when a digit follows
  kClassWildcard = 9,      // '*' and '?': part of a word only when wildcards are allowed
};

inline constexpr std::string_view kCharTableFileName = "|MVCHARTAB";
inline constexpr uint16_t kCharTableMagic = 0x5555;
inline constexpr uint16_t kCharTableVersion = 9;  // the first version with 10-byte entries

enum LigatureMode : uint16_t { kLigaturesBuiltIn = 1, kLigaturesNone = 2 };

// One character entry, also the stored layout of version 9 and later.
struct CharEntry {
  uint8_t charClass = kClassSeparator;
  uint8_t attribute = 0;     // quotation-mark kinds; not used by the full-text engine
  uint16_t sortWeight = 0;  // used by the font tables' collations
  uint8_t normalized = 0;
  std::array<uint8_t, 5> extra{};  // own code and substitute codes; carried, not used here
};

struct Ligature {
  uint8_t character = 0;
  uint8_t first = 0;
  uint8_t second = 0;
};

// What the breakers and the parser read per character code.
struct CharClassEntry {
  uint8_t charClass = kClassSeparator;
  uint8_t normalized = 0;
};

struct CharTable {
  std::vector<CharEntry> entries;  // one per character code, in code order
  std::array<CharClassEntry, 256> classMap{};  // built from the entries; codes without one are separators
  uint16_t ligatureMode = kLigaturesNone;
  std::vector<Ligature> ligatures;

  uint8_t char_class(uint8_t c) const { return classMap[c].charClass; }
  uint8_t normalized(uint8_t c) const { return classMap[c].normalized; }
  // The ligature record of `c`, or null.
  const Ligature* ligature_of(uint8_t c) const;
  // Rebuilds class_map from the entries.
  void build_class_map();
};

using CharTablePtr = std::unique_ptr<CharTable>;

// A fresh copy of the built-in table; null with 2004 when memory fails.
CharTablePtr FtsDefaultCharTable(FtsError* error);
// Decodes a whole "|MVCHARTAB" file. 2007 for a wrong magic or counts the body cannot hold, 2013 for a
// file shorter than its header and counts say.
CharTablePtr FtsParseCharTable(std::span<const uint8_t> file, FtsError* error);
// Loads the named internal file of `fs`; with a null `fs`, `name` is "container!internal".
CharTablePtr FtsLoadCharTable(mvfs::TitleFileSystem* fs, std::string_view name, FtsError* error);
void FtsFreeCharTable(CharTablePtr table);

// The bytes of a "|MVCHARTAB" of the current version holding `table` (its ligature records are
// written when its mode is neither 1 nor 2).
std::vector<uint8_t> FtsCharTableBytes(const CharTable& table);

}  // namespace fts
