// The phrase table: frequent phrases of the topic text, replaced in stored text by two-byte codes.
//
// "|Phrases" file:
//   0   u16  magic 2048
//   2   u16  number of phrases n
//   4   u16  code base: the first phrase code
//   6   i32  total length of all phrase texts
//   10  30 bytes of zeros
//   40  u16[n + 1] offset table: the start of phrase k counted from the start of the table; entry n
//       is the end of the last phrase
//   40 + 2n + 2  the phrase texts one after the other, LZ-compressed
//
// Phrase codes are stored high byte first. A code c with base <= c < base + 2n stands for phrase
// (c - base) >> 1, followed by one space when c - base is odd.
//
// In memory the table is one block: the offset table followed by the decompressed texts, so that
// phrase k is the bytes from block + offset[k] to block + offset[k + 1]. A table is accepted only when
// the texts decompress to exactly the stated total, the offsets rise monotonically and all of them lie
// inside the block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "engine/mvfs/title_file_system.h"

namespace title {

inline constexpr uint16_t kPhraseMagic = 2048;
inline constexpr size_t kPhraseHeaderSize = 40;

struct PhraseTable {
  uint16_t magic = kPhraseMagic;
  uint16_t count = 0;
  uint16_t base = 0;
  int32_t totalLength = 0;
  std::vector<uint8_t> data;  // offset table (count + 1 little-endian u16) then the texts

  uint16_t offset(size_t k) const { return uint16_t(data[2 * k] | (data[2 * k + 1] << 8)); }
  // Phrase k; k must be below count.
  std::span<const uint8_t> phrase(size_t k) const {
    return {data.data() + offset(k), size_t(offset(k + 1) - offset(k))};
  }
};

enum class PhrLoadStatus {
  kLoaded,  // a usable table
  kNone,    // no phrase table: the title's text is used as stored
  kFailed,  // the file exists but cannot be read or is damaged: the title does not open
};

// Reads a table from the bytes of a "|Phrases" file. A file shorter than its header, or one whose
// magic is not 2048, means no table; a file too short for its count, texts that do not decompress to
// the stated total, or offsets that fall or point outside the texts fail.
PhrLoadStatus PhrParse(std::span<const uint8_t> file, std::unique_ptr<PhraseTable>& table);
// Reads "|Phrases" of a title: no file means no table, a file that cannot be opened or read fails.
PhrLoadStatus PhrLoad(mvfs::TitleFileSystem* fs, std::unique_ptr<PhraseTable>& table);

// Expands stored text into `output` (never more than `output_size` bytes) and returns the number of
// bytes written. Without a table the text is copied. The scan reads a big-endian code at each byte:
// a phrase code is replaced by its phrase (and space) and the scan moves two bytes on; any other byte
// is copied and the scan moves one byte on.
size_t PhrExpandText(const uint8_t* stored, size_t stored_length, uint8_t* output, const PhraseTable* table,
                     size_t output_size);
// The number of bytes the text expands to (the stored length without a table).
size_t PhrExpandedLength(const uint8_t* stored, size_t stored_length, const PhraseTable* table);
// Writes the phrase (and space) of `code` at `output`, at most up to `output_end`; returns the
// position after it, or null when the code is not a phrase code.
uint8_t* PhrExpandCode(uint16_t code, uint8_t* output, uint8_t* output_end, const PhraseTable* table);

}  // namespace title
