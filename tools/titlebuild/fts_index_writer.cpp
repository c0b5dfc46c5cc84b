#include "tools/titlebuild/fts_index_writer.h"

#include <algorithm>
#include <bit>
#include <stdexcept>
#include <string_view>

#include "platform/base/byte_io.h"

namespace titlebuild {

namespace {

using fts::CodeScheme;
using fts::PostingCode;

class BitWriter {
 public:
  void put(unsigned n, uint32_t v) {
    for (unsigned i = n; i-- > 0;) bit((v >> i) & 1);
  }
  void bit(unsigned b) {
    if (used_ == 0) bytes_.push_back(0);
    if (b) bytes_.back() |= uint8_t(0x80 >> used_);
    used_ = (used_ + 1) % 8;
  }
  void value(PostingCode code, uint32_t v) {
    switch (code.scheme) {
      case CodeScheme::Unary:
        for (uint32_t i = 0; i < v; ++i) bit(1);
        bit(0);
        return;
      case CodeScheme::Fixed:
        if (code.p > 31 || (code.p < 31 && v >> (code.p + 1)))
          throw std::invalid_argument("value too large for its fixed code");
        put(code.p + 1u, v);
        return;
      case CodeScheme::Gamma: {
        if (code.p > 32) throw std::invalid_argument("gamma parameter above 32");
        if (code.p == 32 || v < (uint64_t(1) << code.p)) {
          bit(0);
          put(code.p, v);
          return;
        }
        const unsigned w = unsigned(std::bit_width(v)) - 1;  // w >= p
        for (unsigned k = w - code.p + 1; k > 0; --k) bit(1);
        bit(0);
        put(w, v);  // the leading 1 falls outside the w low bits
        return;
      }
    }
    throw std::invalid_argument("unknown code scheme");
  }
  std::vector<uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
  unsigned used_ = 0;  // bits used in the last byte
};

void put_varint(std::vector<uint8_t>& out, uint32_t v) {
  while (v >= 0x80) {
    out.push_back(uint8_t(v | 0x80));
    v >>= 7;
  }
  out.push_back(uint8_t(v));
}

// The front-coded form of `key` after `previous`. The short form is never the byte 0xFF, which ends
// a block's entries; a long-form prefix byte has bit 7 clear, so prefixes stop at 127.
std::vector<uint8_t> front_code(std::string_view previous, std::string_view key) {
  size_t prefix = 0;
  while (prefix < previous.size() && prefix < key.size() && prefix < 127 && previous[prefix] == key[prefix])
    ++prefix;
  const size_t suffix = key.size() - prefix;
  std::vector<uint8_t> out;
  if (prefix <= 7 && suffix <= 15 && !(prefix == 7 && suffix == 15)) {
    out.push_back(uint8_t(0x80 | (prefix << 4) | suffix));
  } else {
    out.push_back(uint8_t(prefix));
    out.push_back(uint8_t(suffix));
  }
  out.insert(out.end(), key.begin() + prefix, key.end());
  return out;
}

// The bits `code` takes for v (no limit check).
uint64_t code_bits(PostingCode code, uint32_t v) {
  switch (code.scheme) {
    case CodeScheme::Unary:
      return uint64_t(v) + 1;
    case CodeScheme::Fixed:
      return code.p + 1u;
    case CodeScheme::Gamma:
      if (code.p == 32 || v < (uint64_t(1) << code.p)) return 1u + code.p;
      const unsigned w = unsigned(std::bit_width(v)) - 1;
      return 2u * w - code.p + 2u;
  }
  return 0;
}

// The code of a posting's own that takes the fewest bits for `values`: the narrowest fixed code that
// holds the largest value, unary, or gamma with the best parameter (ties go to the earlier).
PostingCode cheapest_code(const std::vector<uint32_t>& values) {
  uint32_t largest = 0;
  for (uint32_t v : values) largest = std::max(largest, v);
  const uint8_t fixed_p = uint8_t(std::max(1u, unsigned(std::bit_width(largest))) - 1);
  std::vector<PostingCode> candidates{{CodeScheme::Fixed, fixed_p}};
  if (largest < 64) candidates.push_back({CodeScheme::Unary, 0});
  for (uint8_t p = 0; p < 32; ++p) candidates.push_back({CodeScheme::Gamma, p});
  PostingCode best = candidates.front();
  uint64_t best_bits = UINT64_MAX;
  for (const PostingCode& code : candidates) {
    uint64_t bits = 0;
    for (uint32_t v : values) bits += code_bits(code, v);
    if (bits < best_bits) {
      best_bits = bits;
      best = code;
    }
  }
  return best;
}

// A posting's own code: 1 then 5 bits p (fixed), 0 1 then 5 bits p (gamma), 0 0 (unary).
void put_own_code(BitWriter& bits, PostingCode code) {
  if (code.p > 31) throw std::invalid_argument("a posting's code parameter above 31");
  switch (code.scheme) {
    case CodeScheme::Fixed:
      bits.bit(1);
      bits.put(5, code.p);
      break;
    case CodeScheme::Gamma:
      bits.put(2, 1);
      bits.put(5, code.p);
      break;
    case CodeScheme::Unary:
      bits.put(2, 0);
      break;
  }
}

// The deltas a posting writes: topics, and per occurrence word positions and addresses (addresses
// running on over the topics when `run_on`).
struct PostingDeltas {
  std::vector<uint32_t> topics, word_positions, addresses;
};

PostingDeltas posting_deltas(const FtsWriterTerm& term, bool run_on) {
  PostingDeltas d;
  const FtsWriterOccurrence* previous = nullptr;
  for (size_t i = 0; i < term.topics.size(); ++i) {
    const FtsWriterTopic& t = term.topics[i];
    d.topics.push_back(i == 0 ? t.topic : t.topic - term.topics[i - 1].topic - 1);
    for (size_t k = 0; k < t.occurrences.size(); ++k) {
      const FtsWriterOccurrence& occ = t.occurrences[k];
      const FtsWriterOccurrence* before = k ? &t.occurrences[k - 1] : run_on ? previous : nullptr;
      d.word_positions.push_back(k ? occ.word_position - t.occurrences[k - 1].word_position - 1 : occ.word_position);
      d.addresses.push_back(before ? occ.address - before->address - 1 : occ.address);
      previous = &occ;
    }
  }
  return d;
}

std::vector<uint8_t> encode_posting(const FtsWriterTerm& term, const FtsIndexWriterOptions& o) {
  if (term.topics.empty()) throw std::invalid_argument("a term without topics");
  const bool has_occ = o.occurrence_fields & fts::kIndexOccurrenceBits;
  const bool single = o.mark_single_occurrences && has_occ &&
                      std::all_of(term.topics.begin(), term.topics.end(),
                                  [](const FtsWriterTopic& t) { return t.occurrences.size() == 1; });
  const bool own_codes = o.version >= 9;
  const PostingDeltas deltas = posting_deltas(term, own_codes);
  BitWriter bits;
  bits.bit(single);
  const PostingCode topic_code = term.topic_code ? *term.topic_code : cheapest_code(deltas.topics);
  put_own_code(bits, topic_code);
  PostingCode word_position_code = o.word_position_code, address_code = o.address_code;
  if (own_codes && (o.occurrence_fields & fts::kIndexHasWordPosition))
    put_own_code(bits, word_position_code = cheapest_code(deltas.word_positions));
  if (own_codes && (o.occurrence_fields & fts::kIndexHasAddress))
    put_own_code(bits, address_code = cheapest_code(deltas.addresses));
  bits.value(o.topic_count_code, uint32_t(term.topics.size() - 1));

  // Lengths of the whole posting, for the run counts.
  std::vector<uint8_t> lengths;
  for (const FtsWriterTopic& t : term.topics)
    for (const FtsWriterOccurrence& occ : t.occurrences) lengths.push_back(occ.length);
  size_t length_index = 0;
  uint32_t run = 1;

  uint32_t previous = 0, previous_address = 0;
  size_t n = 0;  // occurrences written
  for (size_t i = 0; i < term.topics.size(); ++i) {
    const FtsWriterTopic& t = term.topics[i];
    if (t.topic >= o.topic_count || (i > 0 && t.topic <= previous))
      throw std::invalid_argument("topics must ascend below the topic count");
    bits.value(topic_code, deltas.topics[i]);
    previous = t.topic;
    if (o.weights) bits.put(16, t.weight);
    if (!has_occ) continue;
    if (t.occurrences.empty()) throw std::invalid_argument("a topic without occurrences");
    if (!single) bits.value(o.occurrence_count_code, uint32_t(t.occurrences.size() - 1));
    for (size_t k = 0; k < t.occurrences.size(); ++k, ++n) {
      const FtsWriterOccurrence& occ = t.occurrences[k];
      if (o.occurrence_fields & fts::kIndexHasWordPosition) {
        if (k && occ.word_position <= t.occurrences[k - 1].word_position)
          throw std::invalid_argument("word positions must ascend");
        bits.value(word_position_code, deltas.word_positions[n]);
      }
      if (o.occurrence_fields & fts::kIndexHasAddress) {
        if ((k || (own_codes && n)) && occ.address <= previous_address)
          throw std::invalid_argument(own_codes ? "addresses must ascend over the posting" : "addresses must ascend");
        bits.value(address_code, deltas.addresses[n]);
      }
      previous_address = occ.address;
      if (o.occurrence_fields & fts::kIndexHasLength) {
        if (run == 1) {
          // A run to the end of the posting is written as 0: the value then holds for the rest.
          size_t end = length_index + 1;
          while (end < lengths.size() && lengths[end] == lengths[length_index]) ++end;
          run = end == lengths.size() ? 0 : uint32_t(end - length_index);
          bits.value(o.run_count_code, run);
          bits.value(o.length_code, lengths[length_index]);
        } else if (run > 1) {
          --run;
        }
        ++length_index;
      }
    }
  }
  return bits.take();
}

// The bytes of one leaf entry after its key.
std::vector<uint8_t> entry_tail(const FtsWriterTerm& term, const FtsIndexWriterOptions& o) {
  std::vector<uint8_t> body;
  if (o.occurrence_fields & fts::kIndexHasField) put_varint(body, term.field);
  const std::vector<uint8_t> posting = encode_posting(term, o);
  body.insert(body.end(), posting.begin(), posting.end());
  std::vector<uint8_t> tail;
  if (o.version >= 8) {
    size_t length = body.size() + 1;
    if (length > 127) length = body.size() + 2;
    if (!o.entry_lengths || length > fts::kIndexMaxEntryLength) {
      tail.push_back(0);
    } else if (length <= 127) {
      tail.push_back(uint8_t(length));
    } else {
      tail.push_back(uint8_t(0x80 | (length >> 8)));
      tail.push_back(uint8_t(length));
    }
  }
  tail.insert(tail.end(), body.begin(), body.end());
  return tail;
}

struct ChildRef {
  std::string key;
  uint32_t field = 0;
  uint32_t block = 0;
};

using Block = std::vector<uint8_t>;

Block new_block() { return Block(fts::kIndexBlockSize, 0); }

// Packs the leaves: a key goes into a leaf only while it fits the leaf's allowance; the rest of an
// entry fills the leaf to its trailer and runs on at offset 2 of the next leaves.
std::vector<Block> pack_leaves(const std::vector<FtsWriterTerm>& terms, const FtsIndexWriterOptions& o,
                               std::vector<ChildRef>& children) {
  const uint32_t leaf_end = fts::kIndexBlockSize - (o.version == 7 ? 8 : 12);
  const uint32_t allowance = 2 + std::min(o.leaf_bytes, leaf_end - 2);
  std::vector<Block> leaves;
  std::vector<bool> first_set;
  size_t pos = 0;
  std::string previous;
  auto open_leaf = [&] {
    leaves.push_back(new_block());
    first_set.push_back(false);
    pos = 2;
    previous.clear();
  };
  auto close_leaf = [&] {
    Block& leaf = leaves.back();
    if (!first_set.back()) base::store_le16(leaf.data(), uint16_t(pos));
    if (pos < leaf_end) leaf[pos] = fts::kIndexEntriesEnd;
  };
  open_leaf();
  for (const FtsWriterTerm& term : terms) {
    std::vector<uint8_t> key = front_code(previous, term.key);
    // The allowance gives way to a key that opens a leaf, so every leaf takes at least one.
    if ((pos + key.size() > allowance && first_set.back()) || pos + key.size() > leaf_end) {
      close_leaf();
      open_leaf();
      key = front_code(previous, term.key);
    }
    if (!first_set.back()) {
      base::store_le16(leaves.back().data(), uint16_t(pos));
      first_set.back() = true;
    }
    std::copy(key.begin(), key.end(), leaves.back().begin() + pos);
    pos += key.size();
    previous = term.key;
    children.push_back({term.key, term.field, uint32_t(leaves.size() - 1)});
    const std::vector<uint8_t> tail = entry_tail(term, o);
    for (size_t i = 0; i < tail.size();) {
      if (pos == leaf_end) {
        close_leaf();
        open_leaf();
      }
      const size_t step = std::min(tail.size() - i, size_t(leaf_end - pos));
      std::copy(tail.begin() + i, tail.begin() + i + step, leaves.back().begin() + pos);
      pos += step;
      i += step;
    }
  }
  close_leaf();
  for (size_t i = 0; i < leaves.size(); ++i)
    base::store_le32(leaves[i].data() + fts::kIndexNextLeafOffset,
                     i + 1 < leaves.size() ? uint32_t(i + 1) : fts::kIndexNoBlock);
  // Each leaf's child reference is its largest key.
  std::vector<ChildRef> last_per_leaf;
  for (const ChildRef& c : children) {
    if (!last_per_leaf.empty() && last_per_leaf.back().block == c.block)
      last_per_leaf.back() = c;
    else
      last_per_leaf.push_back(c);
  }
  children = std::move(last_per_leaf);
  return leaves;
}

// One level of internal blocks over `children`, numbered from `first_block`.
std::vector<Block> pack_internal(const std::vector<ChildRef>& children, const FtsIndexWriterOptions& o,
                                 uint32_t first_block, std::vector<ChildRef>& parents) {
  const uint32_t allowance = 2 + std::min<uint32_t>(o.internal_bytes, fts::kIndexBlockSize - 2);
  std::vector<Block> blocks;
  size_t pos = 0, entries = 0;
  std::string previous;
  auto close_block = [&] {
    if (pos < fts::kIndexBlockSize) blocks.back()[pos] = fts::kIndexEntriesEnd;
  };
  for (const ChildRef& c : children) {
    auto encode = [&] {
      std::vector<uint8_t> e = front_code(previous, c.key);
      if (o.occurrence_fields & fts::kIndexHasField) put_varint(e, c.field);
      put_varint(e, c.block);
      return e;
    };
    std::vector<uint8_t> entry = encode();
    // A block takes at least two entries whatever the allowance, so each level has fewer blocks.
    if (blocks.empty() || (pos + entry.size() > allowance && entries > 1) || pos + entry.size() > fts::kIndexBlockSize) {
      entries = 0;
      if (!blocks.empty()) close_block();
      blocks.push_back(new_block());
      base::store_le16(blocks.back().data(), 2);
      pos = 2;
      previous.clear();
      entry = encode();
      parents.push_back({});
    }
    std::copy(entry.begin(), entry.end(), blocks.back().begin() + pos);
    pos += entry.size();
    ++entries;
    previous = c.key;
    parents.back() = {c.key, c.field, uint32_t(first_block + blocks.size() - 1)};
  }
  close_block();
  return blocks;
}

}  // namespace

std::vector<uint8_t> WriteFtsIndex(std::vector<FtsWriterTerm> terms, const FtsIndexWriterOptions& o) {
  if (o.version < 7 || o.version > 9) throw std::invalid_argument("index version 7, 8 or 9");
  // Keys sort as unsigned bytes, then by field.
  std::sort(terms.begin(), terms.end(), [](const FtsWriterTerm& a, const FtsWriterTerm& b) {
    if (a.key == b.key) return a.field < b.field;
    return std::lexicographical_compare(a.key.begin(), a.key.end(), b.key.begin(), b.key.end(),
                                        [](char x, char y) { return uint8_t(x) < uint8_t(y); });
  });
  for (const FtsWriterTerm& t : terms)
    if (t.key.size() > 255) throw std::invalid_argument("a key longer than 255 bytes");

  std::vector<ChildRef> children;
  std::vector<Block> blocks = pack_leaves(terms, o, children);
  uint32_t root = 0;
  uint16_t levels = 1;
  while (children.size() > 1) {
    std::vector<ChildRef> parents;
    std::vector<Block> level = pack_internal(children, o, uint32_t(blocks.size()), parents);
    blocks.insert(blocks.end(), level.begin(), level.end());
    children = std::move(parents);
    ++levels;
    root = uint32_t(blocks.size() - 1);
  }

  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  w.u16(0);
  w.u16(o.version);
  w.u32(o.topic_count);
  w.u32(0);
  w.u8(o.occurrence_fields);
  w.u8(o.weights ? fts::kIndexHasWeights : 0);
  w.u32(root);
  w.u16(levels);
  w.u16(o.topic_count_code.word());
  w.u16(o.occurrence_count_code.word());
  w.u16(o.word_position_code.word());
  w.u32(0);
  w.u16(o.address_code.word());
  w.u16(o.length_code.word());
  w.u16(o.run_count_code.word());
  w.pad_to(fts::kIndexHeaderArea);
  for (const Block& b : blocks) w.bytes(b.data(), b.size());
  return out;
}

void AddFtsIndex(TitleBuilder& builder, std::vector<FtsWriterTerm> terms, const FtsIndexWriterOptions& options,
                 const std::string& name) {
  builder.add_file(name, WriteFtsIndex(std::move(terms), options));
}

}  // namespace titlebuild
