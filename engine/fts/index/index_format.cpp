#include "engine/fts/index/index_format.h"

#include "engine/fts/common/fts_error.h"
#include "platform/base/byte_io.h"

namespace fts {

bool PostingCode::valid() const {
  switch (scheme) {
    case CodeScheme::Unary:
      return true;
    case CodeScheme::Fixed:
      return p < 32;
    case CodeScheme::Gamma:
      return p <= 32;
  }
  return false;
}

int32_t ParseIndexHeader(std::span<const uint8_t> bytes, FtsIndexHeader& out) {
  if (bytes.size() < kIndexHeaderSize) return kFtsDamaged;
  base::ByteReader r(bytes.first(kIndexHeaderSize));
  FtsIndexHeader h;
  uint16_t zero = r.u16();
  h.version = r.u16();
  if (zero != 0 || (h.version < 7 || h.version > 9)) return kFtsBadType;
  h.count = r.u32();
  r.skip(4);
  h.occurrenceFields = r.u8();
  h.options = r.u8();
  h.root = r.u32();
  h.levels = r.u16();
  h.topicCount = PostingCode::from_word(r.u16());
  h.occurrenceCount = PostingCode::from_word(r.u16());
  h.wordPosition = PostingCode::from_word(r.u16());
  r.skip(4);
  h.address = PostingCode::from_word(r.u16());
  h.length = PostingCode::from_word(r.u16());
  h.runCount = PostingCode::from_word(r.u16());
  if (!r.ok()) return kFtsDamaged;
  if (h.levels == 0 || h.levels > kIndexMaxLevels) return kFtsDamaged;
  for (const PostingCode& c : {h.topicCount, h.occurrenceCount, h.wordPosition, h.address, h.length,
                               h.runCount})
    if (!c.valid()) return kFtsDamaged;
  out = h;
  return kFtsOk;
}

}  // namespace fts
