#include "engine/fts/index/term_scan.h"

#include <cstring>
#include <unordered_set>
#include <vector>

#include "engine/fts/common/counted_string.h"
#include "engine/fts/common/varint.h"
#include "engine/fts/index/posting_bits.h"
#include "engine/fts/index/wildcard_match.h"
#include "platform/base/byte_io.h"

namespace fts {

namespace {

// A scan may decode at most this many occurrences in all (kept or dropped); more ends it as if the
// occurrence nodes had run out, keeping what was found.
constexpr uint64_t kMaxOccurrencesPerScan = uint64_t(1) << 22;

// A counted key: byte 0 the length, then up to 255 bytes.
using CountedKey = std::array<uint8_t, 256>;

std::string_view key_view(const uint8_t* counted) {
  return std::string_view(reinterpret_cast<const char*>(counted + 1), counted[0]);
}

// Decodes a front-coded key inside [p, end) over the previous key held in `key`.
bool decode_key(const uint8_t*& p, const uint8_t* end, CountedKey& key) {
  if (p >= end) return false;
  const uint8_t b = *p++;
  unsigned prefix, suffix;
  if (b & 0x80) {
    prefix = (b >> 4) & 7;
    suffix = b & 0x0F;
  } else {
    if (p >= end) return false;
    prefix = b;
    suffix = *p++;
  }
  if (prefix > key[0] || prefix + suffix > 255 || suffix > size_t(end - p)) return false;
  std::memcpy(key.data() + 1 + prefix, p, suffix);
  p += suffix;
  key[0] = uint8_t(prefix + suffix);
  return true;
}

bool decode_varint(const uint8_t*& p, const uint8_t* end, uint32_t& v) {
  const size_t used = VarintDecode(v, p, size_t(end - p));
  if (!used) return false;
  p += used;
  return true;
}

// The bytes of the leaf chain from one leaf on: entries are read inside a leaf, while everything
// after an entry's key may run on into the next leaf at offset 2. Every leaf is visited at most once
// per scan, so a chain that loops ends as damage.
class LeafChain {
 public:
  LeafChain(FtsIndex& index) : index_(index) {}

  const uint8_t* cur = nullptr;
  const uint8_t* end = nullptr;

  // 0 or a code; places `cur` at the leaf's first entry.
  int32_t open(uint32_t block) {
    if (int32_t code = load(block)) return code;
    const uint16_t first = base::load_le16(block_.data());
    if (first < 2 || first > index_.header.leaf_end()) return damaged();
    cur = block_.data() + first;
    return kFtsOk;
  }
  // The next leaf's first entry: 0, kEndOfChain or a code.
  static constexpr int32_t kEndOfChain = -1;
  int32_t next_leaf() {
    const uint32_t next = base::load_le32(block_.data() + kIndexNextLeafOffset);
    if (next == kIndexNoBlock) return kEndOfChain;
    return open(next);
  }
  bool at_entries_end() const { return cur >= end || *cur == kIndexEntriesEnd; }

  // Feed of the posting bit reader: the data runs on at offset 2 of the next leaf.
  bool advance() {
    if (error_) return false;
    const uint32_t next = base::load_le32(block_.data() + kIndexNextLeafOffset);
    if (next == kIndexNoBlock) return damaged(), false;
    if (load(next)) return false;
    cur = block_.data() + 2;
    return true;
  }
  void unread(size_t n) { cur -= n; }

  bool read_byte(uint8_t& b) {
    while (cur == end)
      if (!advance()) return false;
    b = *cur++;
    return true;
  }
  bool skip(size_t n) {
    while (n) {
      while (cur == end)
        if (!advance()) return false;
      const size_t step = std::min(n, size_t(end - cur));
      cur += step;
      n -= step;
    }
    return true;
  }
  // A varint that may itself be cut by the end of a leaf; `used` gets its byte count.
  bool read_varint(uint32_t& v, size_t& used) {
    uint8_t bytes[5];
    size_t n = 0;
    do {
      if (!read_byte(bytes[n])) return false;
    } while ((bytes[n++] & 0x80) && n < sizeof bytes);
    used = VarintDecode(v, bytes, n);
    return used == n;
  }

  // The code that ended the chain (0 when it ended for lack of data).
  int32_t error() const { return error_; }
  int32_t damaged() {
    if (!error_) error_ = kFtsDamaged;
    return error_;
  }

 private:
  int32_t load(uint32_t block) {
    if (!visited_.insert(block).second) return damaged();
    if (int32_t code = FtsReadIndexBlock(index_, block, block_)) return error_ = code;
    cur = block_.data() + 2;
    end = block_.data() + index_.header.leaf_end();
    return kFtsOk;
  }

  FtsIndex& index_;
  IndexBlock block_{};
  std::unordered_set<uint32_t> visited_;
  int32_t error_ = 0;
};

enum class Verdict { kSkip, kMatch, kStop };

class TermScan {
 public:
  TermScan(FtsIndex& index, const FtsTermSpec& term, FtsPostingSink& sink)
      : index_(index), h_(index.header), term_(term), sink_(sink), chain_(index) {}

  int32_t run() {
    set_search_key();
    uint32_t leaf = h_.root;
    if (h_.levels > 1) {
      const IndexBlock* block = index_.root.get();
      IndexBlock buffer;
      for (uint16_t level = 1; level < h_.levels; ++level) {
        bool found = false;
        if (int32_t code = choose_child(*block, leaf, found)) return code;
        if (!found) return kFtsOk;
        if (level + 1 < h_.levels) {
          if (int32_t code = FtsReadIndexBlock(index_, leaf, buffer)) return code;
          block = &buffer;
        }
      }
    }
    if (int32_t code = chain_.open(leaf)) return fail(code);
    return scan_leaves();
  }

 private:
  void set_search_key() {
    const uint8_t* w = term_.word;
    search_[0] = 0;
    size_t n = w[0];
    if (term_.mode == TermMode::kWildcard) {
      size_t i = 0;
      while (i < n && !IsWildcardByte(w[1 + i])) ++i;
      n = i;
      fromFirstLeaf_ = (n == 0);
    }
    search_[0] = uint8_t(n);
    std::memcpy(search_.data() + 1, w + 1, n);
    descendField_ = term_.mode == TermMode::kPlain ? term_.field : 0;
  }

  // The child of the first entry whose key is not smaller than the search key. The key of the entry
  // before it, the largest key of the leaf before the child, is where the child's front coding may
  // start from.
  int32_t choose_child(const IndexBlock& block, uint32_t& child, bool& found) {
    const uint8_t* p = block.data() + base::load_le16(block.data());
    const uint8_t* end = block.data() + block.size();
    if (p < block.data() + 2 || p > end) return fail(kFtsDamaged);
    CountedKey key{};
    leafStartKey_[0] = 0;
    while (p < end && *p != kIndexEntriesEnd) {
      uint32_t field = 0;
      leafStartKey_ = key;
      if (!decode_key(p, end, key)) return fail(kFtsDamaged);
      if (h_.has_field() && !decode_varint(p, end, field)) return fail(kFtsDamaged);
      if (!decode_varint(p, end, child)) return fail(kFtsDamaged);
      if (fromFirstLeaf_) return found = true, kFtsOk;
      const int c = PstrCompare(key.data(), search_.data());
      if (c > 0 || (c == 0 && !(h_.has_field() && field < descendField_))) return found = true, kFtsOk;
    }
    return kFtsOk;
  }

  Verdict judge_key(const CountedKey& key) const {
    switch (term_.mode) {
      case TermMode::kPlain: {
        const int c = PstrCompare(key.data(), term_.word);
        return c < 0 ? Verdict::kSkip : c > 0 ? Verdict::kStop : Verdict::kMatch;
      }
      case TermMode::kWildcard: {
        if (!fromFirstLeaf_) {
          const size_t n = std::min<size_t>(key[0], search_[0]);
          for (size_t i = 1; i <= n; ++i)
            if (key[i] != search_[i]) return key[i] > search_[i] ? Verdict::kStop : Verdict::kSkip;
          if (key[0] < search_[0]) return Verdict::kSkip;
        }
        return WildcardMatch(key_view(term_.word), key_view(key.data())) ? Verdict::kMatch : Verdict::kSkip;
      }
      case TermMode::kRange:
        if (PstrCompare(key.data(), term_.word) < 0) return Verdict::kSkip;
        if (PstrCompare(key.data(), term_.upper) > 0) return Verdict::kStop;
        return Verdict::kMatch;
    }
    return Verdict::kStop;
  }

  Verdict judge_field(uint32_t field) const {
    if (!h_.has_field() || term_.field == 0 || field == term_.field) return Verdict::kMatch;
    if (term_.mode == TermMode::kPlain && field > term_.field) return Verdict::kStop;
    return Verdict::kSkip;
  }

  int32_t scan_leaves() {
    CountedKey key = leafStartKey_;
    for (;;) {
      if (chain_.at_entries_end()) {
        const int32_t next = chain_.next_leaf();
        if (next == LeafChain::kEndOfChain) return kFtsOk;
        if (next) return fail(next);
        continue;
      }
      if (!decode_key(chain_.cur, chain_.end, key)) return fail(kFtsDamaged);
      Verdict verdict = judge_key(key);
      if (verdict == Verdict::kStop) return kFtsOk;

      size_t consumed = 0;  // bytes of this entry read after the key
      uint32_t entry_length = 0;
      if (h_.version >= 8) {
        uint8_t b;
        if (!chain_.read_byte(b)) return chain_failure();
        entry_length = b;
        consumed = 1;
        if (b & 0x80) {
          if (!chain_.read_byte(b)) return chain_failure();
          entry_length = ((entry_length & 0x7F) << 8) | b;
          consumed = 2;
        }
        if (entry_length > kIndexMaxEntryLength) return fail(kFtsDamaged);
      }
      uint32_t field = 0;
      if (h_.has_field()) {
        size_t used;
        if (!chain_.read_varint(field, used)) return chain_failure();
        consumed += used;
      }
      if (verdict == Verdict::kMatch) verdict = judge_field(field);
      if (verdict == Verdict::kStop) return kFtsOk;

      if (verdict == Verdict::kSkip && entry_length != 0) {
        if (entry_length < consumed) return fail(kFtsDamaged);
        if (!chain_.skip(entry_length - consumed)) return chain_failure();
        continue;
      }
      if (int32_t code = decode_posting(verdict == Verdict::kMatch)) return fail(code);
    }
  }

  // Decodes one posting; with `keep` the topics go to the sink.
  int32_t decode_posting(bool keep) {
    PostingBitReader<LeafChain> bits(chain_);
    // A code of the posting's own: 1 fixed, 0 1 gamma (each followed by 5 bits p), 0 0 unary.
    const auto own_code = [&bits](PostingCode& code) {
      uint32_t flag, p = 0;
      if (!bits.bits(1, flag)) return false;
      if (flag) {
        code.scheme = CodeScheme::Fixed;
      } else {
        if (!bits.bits(1, flag)) return false;
        code.scheme = flag ? CodeScheme::Gamma : CodeScheme::Unary;
      }
      if (code.scheme != CodeScheme::Unary && !bits.bits(5, p)) return false;
      code.p = uint8_t(p);
      return true;
    };
    uint32_t single;
    PostingCode topic_code, word_position_code = h_.wordPosition, address_code = h_.address;
    if (!bits.bits(1, single) || !own_code(topic_code)) return chain_code();
    if (h_.own_occurrence_codes()) {
      if ((h_.occurrenceFields & kIndexHasWordPosition) && !own_code(word_position_code)) return chain_code();
      if ((h_.occurrenceFields & kIndexHasAddress) && !own_code(address_code)) return chain_code();
    }

    uint32_t topics_less_one;
    if (!bits.value(h_.topicCount, topics_less_one)) return chain_code();
    const uint64_t topics = uint64_t(topics_less_one) + 1;
    if (topics > h_.count) return kFtsDamaged;
    const bool counted = h_.has_occurrence_data() && !single;
    uint32_t run = 1, length = 0;
    uint64_t topic = 0, address = 0;
    for (uint64_t i = 0; i < topics; ++i) {
      uint32_t delta;
      if (!bits.value(topic_code, delta)) return chain_code();
      topic = i == 0 ? delta : topic + delta + 1;
      if (topic >= h_.count) return kFtsDamaged;
      uint32_t weight = 0;
      if (h_.has_weights() && !bits.bits(16, weight)) return chain_code();
      uint32_t count = 1;
      if (counted) {
        if (!bits.value(h_.occurrenceCount, count)) return chain_code();
        if (count >= kMaxOccurrencesPerTopic) return kFtsDamaged;
        ++count;
      }
      const bool wanted = keep && sink_.wants(uint32_t(topic));
      if (!wanted && !(h_.occurrenceFields & (kIndexHasWordPosition | kIndexHasAddress))) {
        if (int32_t code = pass_lengths(bits, count, run, length)) return code;
        continue;
      }
      if (wanted) {
        decoded_ += count;
        if (decoded_ > kMaxOccurrencesPerScan) return kFtsNodesExhausted;
      }
      occurrences_.clear();
      uint64_t position = 0;
      for (uint32_t k = 0; k < count; ++k) {
        FtsOccurrence occ;
        if (h_.occurrenceFields & kIndexHasWordPosition) {
          if (!bits.value(word_position_code, delta)) return chain_code();
          position = k == 0 ? delta : position + delta + 1;
          if (position > UINT32_MAX) return kFtsDamaged;
          occ.wordPosition = uint32_t(position);
        }
        if (h_.occurrenceFields & kIndexHasAddress) {
          if (!bits.value(address_code, delta)) return chain_code();
          // Addresses restart at each topic, or run on over the posting's topics.
          const bool first = h_.addresses_run_on() ? i == 0 && k == 0 : k == 0;
          address = first ? delta : address + delta + 1;
          if (address > UINT32_MAX) return kFtsDamaged;
          occ.address = uint32_t(address);
        }
        if (h_.occurrenceFields & kIndexHasLength) {
          if (run == 1) {
            if (!bits.value(h_.runCount, run) || !bits.value(h_.length, length)) return chain_code();
          } else if (run > 1) {
            --run;
          }
          occ.length = uint8_t(length);
        }
        if (wanted) occurrences_.push_back(occ);
      }
      if (wanted)
        if (int32_t code = sink_.add(uint32_t(topic), uint16_t(weight), occurrences_)) return code;
    }
    bits.align();
    return kFtsOk;
  }

  // Passes over `count` occurrences that carry at most a length. Such occurrences may cost no bits at
  // all, so the run counter is followed a run at a time, never an occurrence at a time.
  int32_t pass_lengths(PostingBitReader<LeafChain>& bits, uint32_t count, uint32_t& run, uint32_t& length) {
    if (!(h_.occurrenceFields & kIndexHasLength)) return kFtsOk;
    while (count) {
      if (run == 1) {
        if (!bits.value(h_.runCount, run) || !bits.value(h_.length, length)) return chain_code();
        --count;
      } else if (run == 0) {
        count = 0;
      } else {
        const uint32_t step = std::min(run - 1, count);
        run -= step;
        count -= step;
      }
    }
    return kFtsOk;
  }

  // The code of a posting that ran out of data: the chain's own code, else damage.
  int32_t chain_code() { return chain_.error() ? chain_.error() : kFtsDamaged; }
  int32_t chain_failure() { return fail(chain_code()); }
  int32_t fail(int32_t code) {
    if (!index_.error || index_.error->code != code) FtsSetError(index_.error, code);
    return code;
  }

  FtsIndex& index_;
  const FtsIndexHeader& h_;
  const FtsTermSpec& term_;
  FtsPostingSink& sink_;
  LeafChain chain_;
  CountedKey search_{};
  CountedKey leafStartKey_{};
  uint32_t descendField_ = 0;
  bool fromFirstLeaf_ = false;
  uint64_t decoded_ = 0;
  std::vector<FtsOccurrence> occurrences_;
};

}  // namespace

int32_t FtsScanTerm(FtsIndex& index, const FtsTermSpec& term, FtsPostingSink& sink) {
  if (!term.word || (term.mode == TermMode::kRange && !term.upper)) return FtsSetError(index.error, kFtsBadArgument);
  if (!index.root) {
    if (int32_t code = FtsLoadRoot(index)) return code;
  }
  return TermScan(index, term, sink).run();
}

}  // namespace fts
