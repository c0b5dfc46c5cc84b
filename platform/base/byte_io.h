// Bounded little-endian readers and writers for stored formats.
//
// Every parser of stored bytes in the project reads through ByteReader: a read past the end never
// touches memory outside the span; it fails, leaves the output zeroed and marks the reader failed
// (sticky), so a parser can read a whole header and check ok() once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

namespace base {

inline uint16_t load_le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t load_le32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline uint64_t load_le64(const uint8_t* p) {
  return uint64_t(load_le32(p)) | (uint64_t(load_le32(p + 4)) << 32);
}
inline void store_le16(uint8_t* p, uint16_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
inline void store_le32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
inline void store_le64(uint8_t* p, uint64_t v) {
  store_le32(p, uint32_t(v));
  store_le32(p + 4, uint32_t(v >> 32));
}

class ByteReader {
 public:
  ByteReader() = default;
  ByteReader(const void* data, size_t size) : data_(static_cast<const uint8_t*>(data)), size_(size) {}
  explicit ByteReader(std::span<const uint8_t> bytes) : ByteReader(bytes.data(), bytes.size()) {}

  size_t size() const { return size_; }
  size_t pos() const { return pos_; }
  size_t remaining() const { return size_ - pos_; }
  bool ok() const { return ok_; }
  bool at_end() const { return pos_ == size_; }
  const uint8_t* data() const { return data_; }

  // Moves to an absolute offset; an offset past the end fails and leaves the position unchanged.
  bool seek(size_t offset) {
    if (offset > size_) return fail();
    pos_ = offset;
    return true;
  }
  bool skip(size_t count) {
    if (count > remaining()) return fail();
    pos_ += count;
    return true;
  }

  bool u8(uint8_t& v) { return fixed(v, 1, [](const uint8_t* p) { return p[0]; }); }
  bool u16(uint16_t& v) { return fixed(v, 2, load_le16); }
  bool u32(uint32_t& v) { return fixed(v, 4, load_le32); }
  bool u64(uint64_t& v) { return fixed(v, 8, load_le64); }
  bool i8(int8_t& v) { return signed_of<uint8_t>(v, &ByteReader::u8); }
  bool i16(int16_t& v) { return signed_of<uint16_t>(v, &ByteReader::u16); }
  bool i32(int32_t& v) { return signed_of<uint32_t>(v, &ByteReader::u32); }
  bool i64(int64_t& v) { return signed_of<uint64_t>(v, &ByteReader::u64); }

  // Value-returning forms: 0 on failure (check ok()).
  uint8_t u8() { uint8_t v; u8(v); return v; }
  uint16_t u16() { uint16_t v; u16(v); return v; }
  uint32_t u32() { uint32_t v; u32(v); return v; }
  uint64_t u64() { uint64_t v; u64(v); return v; }
  int16_t i16() { int16_t v; i16(v); return v; }
  int32_t i32() { int32_t v; i32(v); return v; }

  bool bytes(void* out, size_t count) {
    if (count > remaining()) {
      if (count) std::memset(out, 0, count);
      return fail();
    }
    if (count) std::memcpy(out, data_ + pos_, count);
    pos_ += count;
    return true;
  }
  // A view of the next `count` bytes (no copy), valid while the underlying buffer lives.
  bool view(size_t count, std::span<const uint8_t>& out) {
    if (count > remaining()) {
      out = {};
      return fail();
    }
    out = std::span<const uint8_t>(data_ + pos_, count);
    pos_ += count;
    return true;
  }
  // Bytes up to (not including) the next NUL inside the span; the NUL is consumed. Fails when no
  // NUL follows before the end.
  bool cstring(std::string_view& out) {
    const void* nul = remaining() ? std::memchr(data_ + pos_, 0, remaining()) : nullptr;
    if (!nul) {
      out = {};
      return fail();
    }
    size_t n = static_cast<const uint8_t*>(nul) - (data_ + pos_);
    out = std::string_view(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n + 1;
    return true;
  }
  // A sub-reader over the next `count` bytes; this reader moves past them.
  ByteReader sub(size_t count) {
    std::span<const uint8_t> v;
    if (!view(count, v)) return ByteReader();
    return ByteReader(v);
  }

 private:
  bool fail() {
    ok_ = false;
    return false;
  }
  template <typename T, typename Load>
  bool fixed(T& v, size_t n, Load load) {
    if (n > remaining()) {
      v = 0;
      return fail();
    }
    v = static_cast<T>(load(data_ + pos_));
    pos_ += n;
    return true;
  }
  template <typename U, typename S>
  bool signed_of(S& v, bool (ByteReader::*read)(U&)) {
    U u;
    bool r = (this->*read)(u);
    v = static_cast<S>(u);
    return r;
  }

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t pos_ = 0;
  bool ok_ = true;
};

// Appends little-endian values to a byte vector; patch_* rewrite earlier bytes in place.
class ByteWriter {
 public:
  explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}
  size_t pos() const { return out_.size(); }
  std::vector<uint8_t>& buffer() { return out_; }

  void u8(uint8_t v) { out_.push_back(v); }
  void u16(uint16_t v) { put(v, 2, store_le16); }
  void u32(uint32_t v) { put(v, 4, store_le32); }
  void u64(uint64_t v) { put(v, 8, store_le64); }
  void i16(int16_t v) { u16(uint16_t(v)); }
  void i32(int32_t v) { u32(uint32_t(v)); }
  void bytes(const void* p, size_t n) {
    if (n == 0) return;
    std::memcpy(grow(n), p, n);
  }
  void bytes(std::span<const uint8_t> b) { bytes(b.data(), b.size()); }
  // The bytes of `s` followed by a NUL.
  void cstring(std::string_view s) {
    bytes(s.data(), s.size());
    u8(0);
  }
  void zeros(size_t n) {
    if (n) std::memset(grow(n), 0, n);
  }
  void pad_to(size_t size) {
    if (out_.size() < size) zeros(size - out_.size());
  }

  void patch_u16(size_t at, uint16_t v) { store_le16(out_.data() + at, v); }
  void patch_u32(size_t at, uint32_t v) { store_le32(out_.data() + at, v); }

 private:
  template <typename T, typename Store>
  void put(T v, size_t n, Store store) {
    store(grow(n), v);
  }
  // Appends n bytes (n > 0) and returns where they start. Kept out of line: inlined into writers of
  // small fixed records, gcc 12 misreads the vector's growth as writing past those records.
  [[gnu::noinline]] uint8_t* grow(size_t n) {
    size_t at = out_.size();
    out_.resize(at + n);
    return out_.data() + at;
  }
  std::vector<uint8_t>& out_;
};

}  // namespace base
