// The bit reader of index postings: most significant bit first, refilled up to 64 bits at a time from
// a feed of byte spans (a posting may go on in the next leaf).
//
// A feed offers `cur` and `end` (the unread bytes of its current span), `advance()` (moves to the
// next span; false when there is none or it cannot be read) and `unread(n)` (gives back the last n
// bytes of the current span). The reader asks for the next span only when it holds no bit at all, so
// the bytes it read ahead always lie in the current span and `align()` can give them back.
#pragma once

#include <bit>
#include <cstdint>

#include "engine/fts/index/index_format.h"

namespace fts {

// A feed over one contiguous run of bytes.
struct ByteSpanFeed {
  const uint8_t* cur = nullptr;
  const uint8_t* end = nullptr;
  bool advance() { return false; }
  void unread(size_t n) { cur -= n; }
};

template <class Feed>
class PostingBitReader {
 public:
  explicit PostingBitReader(Feed& feed) : feed_(feed) {}

  // The next n bits (n at most 32).
  bool bits(unsigned n, uint32_t& v) {
    if (n <= count_) {
      v = take(n);
      return true;
    }
    return bits_slow(n, v);
  }

  // The number of 1 bits before the next 0 bit.
  bool unary(uint32_t& v) {
    uint64_t ones = 0;
    for (;;) {
      if (count_ == 0 && !load()) return false;
      unsigned run = std::countl_one(buffer_);
      if (run < count_) {
        ones += run;
        take(run + 1);
        break;
      }
      ones += count_;
      take(count_);
      if (ones > UINT32_MAX) return false;
    }
    if (ones > UINT32_MAX) return false;
    v = uint32_t(ones);
    return true;
  }

  // One value in the given code; false when the stream ends or the value needs more than 32 bits.
  bool value(PostingCode code, uint32_t& v) {
    switch (code.scheme) {
      case CodeScheme::Unary:
        return unary(v);
      case CodeScheme::Fixed:
        return code.p < 32 && bits(code.p + 1u, v);
      case CodeScheme::Gamma: {
        uint32_t k;
        if (!unary(k)) return false;
        if (k == 0) return code.p <= 32 && bits(code.p, v);
        uint64_t w = uint64_t(code.p) + k - 1;
        if (w > 31) return false;
        uint32_t low;
        if (!bits(unsigned(w), low)) return false;
        v = (uint32_t(1) << w) | low;
        return true;
      }
    }
    return false;
  }

  // Drops the rest of a partly read byte and gives the whole bytes read ahead back to the feed.
  void align() {
    take(count_ % 8);
    feed_.unread(count_ / 8);
    buffer_ = 0;
    count_ = 0;
  }

 private:
  uint32_t take(unsigned n) {
    if (n == 0) return 0;
    uint32_t v = uint32_t(buffer_ >> (64 - n));
    buffer_ = n == 64 ? 0 : buffer_ << n;
    count_ -= n;
    return v;
  }
  bool bits_slow(unsigned n, uint32_t& v) {
    uint32_t out = 0;
    while (n) {
      if (count_ == 0 && !load()) return false;
      unsigned k = n < count_ ? n : count_;
      out = uint32_t((uint64_t(out) << k) | take(k));
      n -= k;
    }
    v = out;
    return true;
  }
  bool load() {
    while (feed_.cur == feed_.end)
      if (!feed_.advance()) return false;
    while (count_ <= 56 && feed_.cur < feed_.end) {
      buffer_ |= uint64_t(*feed_.cur++) << (56 - count_);
      count_ += 8;
    }
    return true;
  }

  Feed& feed_;
  uint64_t buffer_ = 0;  // unread bits, left-aligned
  unsigned count_ = 0;
};

}  // namespace fts
