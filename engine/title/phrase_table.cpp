#include "engine/title/phrase_table.h"

#include <algorithm>
#include <cstring>

#include "engine/zeck/zeck_decompress.h"
#include "platform/base/byte_io.h"

namespace title {

PhrLoadStatus PhrParse(std::span<const uint8_t> file, std::unique_ptr<PhraseTable>& table) {
  table.reset();
  if (file.size() < kPhraseHeaderSize) return PhrLoadStatus::kNone;
  base::ByteReader in(file);
  auto result = std::make_unique<PhraseTable>();
  result->magic = in.u16();
  if (result->magic != kPhraseMagic) return PhrLoadStatus::kNone;
  result->count = in.u16();
  result->base = in.u16();
  result->totalLength = in.i32();
  in.seek(kPhraseHeaderSize);

  const size_t table_size = 2 * size_t(result->count) + 2;
  if (result->totalLength < 0 || in.remaining() < table_size) return PhrLoadStatus::kFailed;
  const size_t total = size_t(result->totalLength);
  if (table_size + total > 0xFFFF) return PhrLoadStatus::kFailed;  // 16-bit offsets cannot reach it

  // The block is exactly the offset table and the stated total of text.
  result->data.resize(table_size + total);
  in.bytes(result->data.data(), table_size);
  std::span<const uint8_t> packed;
  in.view(in.remaining(), packed);
  const size_t decoded = zeck::ZeckDecompress(packed.data(), result->data.data() + table_size, packed.size(), total);
  if (decoded != total) return PhrLoadStatus::kFailed;

  for (size_t k = 0; k <= result->count; ++k) {
    const size_t at = result->offset(k);
    if (at < table_size || at > result->data.size()) return PhrLoadStatus::kFailed;
    if (k > 0 && at < result->offset(k - 1)) return PhrLoadStatus::kFailed;
  }
  table = std::move(result);
  return PhrLoadStatus::kLoaded;
}

PhrLoadStatus PhrLoad(mvfs::TitleFileSystem* fs, std::unique_ptr<PhraseTable>& table) {
  table.reset();
  std::vector<uint8_t> bytes;
  // No table whose offsets fit 16 bits is larger than this.
  switch (mvfs::FsReadWholeFile(fs, "|Phrases", 4 * 0x10000, bytes)) {
    case mvfs::FsWholeFile::kRead:
      return PhrParse(bytes, table);
    case mvfs::FsWholeFile::kNotOpened:
      return mvfs::FsGetLastError() == mvfs::kFsNotFound ? PhrLoadStatus::kNone : PhrLoadStatus::kFailed;
    case mvfs::FsWholeFile::kTooLarge:
    case mvfs::FsWholeFile::kFailed:
      break;
  }
  return PhrLoadStatus::kFailed;
}

uint8_t* PhrExpandCode(uint16_t code, uint8_t* output, uint8_t* output_end, const PhraseTable* table) {
  if (!table || code < table->base || size_t(code - table->base) >= 2 * size_t(table->count)) return nullptr;
  const size_t index = size_t(code - table->base) >> 1;
  const std::span<const uint8_t> text = table->phrase(index);
  const size_t room = size_t(output_end - output);
  const size_t n = std::min(room, text.size());
  if (n) std::memcpy(output, text.data(), n);
  output += n;
  if (((code - table->base) & 1) && output < output_end) *output++ = ' ';
  return output;
}

size_t PhrExpandedLength(const uint8_t* stored, size_t stored_length, const PhraseTable* table) {
  if (!table) return stored_length;
  size_t length = 0;
  size_t i = 0;
  while (i < stored_length) {
    if (i + 1 < stored_length) {
      const uint16_t code = uint16_t((stored[i] << 8) | stored[i + 1]);
      const size_t k = size_t(code - table->base);
      if (code >= table->base && k < 2 * size_t(table->count)) {
        length += table->phrase(k >> 1).size() + (k & 1);
        i += 2;
        continue;
      }
    }
    ++length;
    ++i;
  }
  return length;
}

size_t PhrExpandText(const uint8_t* stored, size_t stored_length, uint8_t* output, const PhraseTable* table,
                     size_t output_size) {
  uint8_t* out = output;
  uint8_t* const end = output + output_size;
  size_t i = 0;
  while (i < stored_length && out < end) {
    if (table && i + 1 < stored_length) {
      const uint16_t code = uint16_t((stored[i] << 8) | stored[i + 1]);
      if (uint8_t* after = PhrExpandCode(code, out, end, table)) {
        out = after;
        i += 2;
        continue;
      }
    }
    *out++ = stored[i++];
  }
  return size_t(out - output);
}

}  // namespace title
