// The operator table: which query words are operators and which operator each one means. A title may
// carry its own in the internal file "|MVOPTAB"; the built-in table stands in otherwise.
//
// "|MVOPTAB" (little-endian; the first 40 bytes are a header area, unread bytes are zero):
//    0  u16  magic 0x6666
//    2  u16  version, must be 8
//    4  u16  entry count
//    6  u16  size in bytes of the entry data
//   40       entries: a counted word (length byte, then the word) followed by its u16 code
#pragma once

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

enum OperatorCode : uint16_t {
  kOpOr = 2,
  kOpAnd = 3,
  kOpNot = 4,
  kOpPhrase = 5,
  kOpNear = 6,
  kOpThru = 7,
  kOpGroupSwitch = 8,
  kOpDtype = 11,
  kOpVfld = 14,
};

inline constexpr std::string_view kOperatorTableFileName = "|MVOPTAB";
inline constexpr uint16_t kOperatorTableMagic = 0x6666;
inline constexpr uint16_t kOperatorTableVersion = 8;

struct OperatorEntry {
  std::vector<uint8_t> word;  // counted string: length byte, then the CP1250 bytes
  uint16_t code = 0;

  std::string_view text() const {
    return word.empty() ? std::string_view() : std::string_view(reinterpret_cast<const char*>(word.data() + 1), word[0]);
  }
};

struct OperatorTable {
  std::vector<OperatorEntry> entries;
};

using OperatorTablePtr = std::unique_ptr<OperatorTable>;

// The built-in table: "AND" 3, "OR" 2, "NOT" 4, "NEAR" 6, "THRU" 7, "VFLD" 14, "DTYPE" 11.
OperatorTablePtr FtsDefaultOperatorTable(FtsError* error);
// Decodes a whole "|MVOPTAB" file: 2007 for a wrong magic or version or entries that run past their
// data, 2004 for a table too large to hold, 2013 for a file shorter than its data.
OperatorTablePtr FtsParseOperatorTable(std::span<const uint8_t> file, FtsError* error);
// Loads the named internal file of `fs`; with a null `fs`, `name` is "container!internal".
OperatorTablePtr FtsLoadOperatorTable(mvfs::TitleFileSystem* fs, std::string_view name, FtsError* error);
void FtsFreeOperatorTable(OperatorTablePtr table);
// The title's "|MVOPTAB", or the built-in table when it cannot be loaded for any reason.
OperatorTablePtr TtlLoadOperatorTable(mvfs::TitleFileSystem* fs);

// The bytes of a "|MVOPTAB" holding `table`.
std::vector<uint8_t> FtsOperatorTableBytes(const OperatorTable& table);

}  // namespace fts
