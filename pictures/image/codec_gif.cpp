// GIF files with our own LZW decoder.
//
// A file is "GIF87a" or "GIF89a", a 7-byte screen descriptor (width, height, flags, background,
// aspect) and an optional global colour table, then blocks: "!" extensions (label, then data
// sub-blocks, each a length byte and that many bytes, ended by a zero length), "," images (a
// 9-byte descriptor left, top, width, height, flags; an optional local colour table; the minimum
// code size byte and the LZW data in sub-blocks) and ";" at the end. The graphic control
// extension (0xF9) names a transparent colour.
//
// The decoder keeps all its state in one object per image, so any number of pictures may be read
// at once. Codes are LSB first, starting at minimum code size + 1 bits and growing to 12.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "pictures/image/image_codecs.h"

namespace {

// Buffered byte input in 16 KB pieces; a read past the end reports false from then on.
class GifInput {
 public:
  explicit GifInput(FILE* file) : file_(file) {}
  bool Byte(BYTE& out) {
    if (pos_ == len_) {
      len_ = std::fread(buffer_, 1, sizeof(buffer_), file_);
      pos_ = 0;
      if (len_ == 0) return false;
    }
    out = buffer_[pos_++];
    return true;
  }
  bool Bytes(BYTE* out, size_t count) {
    for (size_t i = 0; i < count; ++i)
      if (!Byte(out[i])) return false;
    return true;
  }
  // Bytes left to read: the buffered ones and the rest of the file; the largest count when the file
  // cannot say.
  uint64_t Remaining() {
    const long here = std::ftell(file_);
    if (here < 0 || std::fseek(file_, 0, SEEK_END) != 0) return UINT64_MAX;
    const long end = std::ftell(file_);
    std::fseek(file_, here, SEEK_SET);
    return uint64_t(std::max(end - here, 0L)) + (len_ - pos_);
  }
  // Skips data sub-blocks up to and including the zero-length one.
  bool SkipSubBlocks() {
    BYTE length = 0;
    while (Byte(length) && length != 0) {
      for (BYTE i = 0, skip = 0; i < length; ++i)
        if (!Byte(skip)) return false;
    }
    return length == 0;
  }

 private:
  FILE* file_;
  BYTE buffer_[16384];
  size_t pos_ = 0;
  size_t len_ = 0;
};

// Puts decoded rows into the picture, following the four interlace passes when asked.
class GifRowWriter {
 public:
  GifRowWriter(CImageImpl& image, bool interlaced) : image_(image), interlaced_(interlaced) {}
  void Write(const BYTE* line, int count) {
    if (row_ >= image_.height) return;
    std::memcpy(image_.TopRow(row_), line, size_t(count));
    if (!interlaced_) {
      ++row_;
      return;
    }
    static constexpr int kStart[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};
    row_ += kStep[pass_];
    while (row_ >= image_.height && pass_ < 3) {
      ++pass_;
      row_ = kStart[pass_];
    }
  }

 private:
  CImageImpl& image_;
  bool interlaced_;
  int row_ = 0;
  int pass_ = 0;
};

// The LZW raster of one image, up to and including its zero-length sub-block. Returns 0, -1 when
// the file ended, or -20 for a minimum code size outside 2..8.
int DecodeRaster(GifInput& in, CImageImpl& image, bool interlaced) {
  BYTE minSize = 0;
  if (!in.Byte(minSize)) return -1;
  if (minSize < 2 || minSize > 8) return -20;
  const int clear = 1 << minSize, end = clear + 1;

  std::vector<uint16_t> prefix(4096);
  std::vector<BYTE> suffix(4096);
  std::vector<BYTE> stack(4097);
  std::vector<BYTE> line(size_t(image.width) + 1);
  GifRowWriter writer(image, interlaced);
  for (int i = 0; i < clear; ++i) suffix[size_t(i)] = BYTE(i);

  int codeSize = minSize + 1, freeCode = clear + 2, previous = -1;
  BYTE first = 0;
  uint32_t bitBuffer = 0;
  int bitCount = 0, blockLeft = 0;
  size_t filled = 0;
  bool ended = false, terminated = false, truncated = false;

  auto emit = [&](BYTE value) {
    line[filled++] = value;
    if (filled == size_t(image.width)) {
      writer.Write(line.data(), image.width);
      filled = 0;
    }
  };
  while (!ended) {
    while (bitCount < codeSize) {
      if (blockLeft == 0) {
        BYTE length = 0;
        if (!in.Byte(length) || length == 0) {
          ended = true;
          terminated = length == 0;
          truncated = !terminated;
          break;
        }
        blockLeft = length;
      }
      BYTE next = 0;
      if (!in.Byte(next)) {
        ended = truncated = true;
        break;
      }
      --blockLeft;
      bitBuffer |= uint32_t(next) << bitCount;
      bitCount += 8;
    }
    if (ended) break;
    int code = int(bitBuffer & ((1u << codeSize) - 1));
    bitBuffer >>= codeSize;
    bitCount -= codeSize;

    if (code == clear) {
      codeSize = minSize + 1;
      freeCode = clear + 2;
      previous = -1;
      continue;
    }
    if (code == end) break;
    if (previous < 0) {
      // The first code after a clear is a plain value.
      if (code >= freeCode) code = 0;
      first = BYTE(code);
      emit(first);
      previous = code;
      continue;
    }
    int current = code;
    size_t depth = 0;
    if (code >= freeCode) {
      stack[depth++] = first;
      current = previous;
    }
    while (current >= clear && depth < stack.size()) {
      stack[depth++] = suffix[size_t(current)];
      current = prefix[size_t(current)];
    }
    if (depth >= stack.size()) break;
    first = BYTE(current);
    stack[depth++] = first;
    while (depth > 0) emit(stack[--depth]);
    if (freeCode < 4096) {
      prefix[size_t(freeCode)] = uint16_t(previous);
      suffix[size_t(freeCode)] = first;
      ++freeCode;
      if (freeCode == (1 << codeSize) && codeSize < 12) ++codeSize;
    }
    previous = code;
  }
  if (filled > 0) writer.Write(line.data(), int(filled));
  if (truncated) return -1;
  if (terminated) return 0;
  // The end code came before the data did: skip the rest of the raster.
  for (BYTE skip = 0; blockLeft > 0; --blockLeft)
    if (!in.Byte(skip)) return -1;
  return in.SkipSubBlocks() ? 0 : -1;
}

// The most pixels LZW data of `bytes` bytes can give: a code takes at least 3 bits, and the n-th code
// of an image stands for at most n pixels (each new table entry is one longer than an earlier code)
// and never more than 4,096. An image larger than that cannot be filled by the file: it is damaged,
// and its size is not allocated.
uint64_t MostPixels(uint64_t bytes) {
  constexpr uint64_t kLongest = 4096;
  const uint64_t codes = std::min<uint64_t>(bytes, UINT64_MAX / 8) * 8 / 3;
  if (codes <= kLongest) return codes * (codes + 1) / 2;
  return kLongest * (kLongest + 1) / 2 + std::min(codes - kLongest, UINT64_MAX / (2 * kLongest)) * kLongest;
}

}  // namespace

bool CImageCodecGIF::ReadStream(FILE* file) {
  GifInput in(file);
  BYTE screen[13];
  if (!in.Bytes(screen, 13) || std::memcmp(screen, "GIF8", 4) != 0) return false;
  std::vector<BYTE> globalTable;
  if (screen[10] & 0x80) {
    globalTable.resize(size_t(3) << ((screen[10] & 7) + 1));
    if (!in.Bytes(globalTable.data(), globalTable.size())) return true;
  }
  BYTE kind = 0;
  while (in.Byte(kind) && (kind == '!' || kind == ',')) {
    if (kind == '!') {
      BYTE label = 0;
      if (!in.Byte(label)) break;
      if (label == 0xF9) {
        BYTE size = 0, control[4];
        if (!in.Byte(size) || size != 4 || !in.Bytes(control, 4)) break;
        if (control[0] & 1) transparentIndex = control[3];
      }
      if (!in.SkipSubBlocks()) break;
      continue;
    }
    BYTE descriptor[9];
    if (!in.Bytes(descriptor, 9)) break;
    int w = descriptor[4] | descriptor[5] << 8, h = descriptor[6] | descriptor[7] << 8;
    std::vector<BYTE> table = globalTable;
    if (descriptor[8] & 0x80) {
      table.resize(size_t(3) << ((descriptor[8] & 7) + 1));
      if (!in.Bytes(table.data(), table.size())) break;
    }
    if (uint64_t(w) * uint64_t(h) > MostPixels(in.Remaining()) || Create(w, h, 8, -1) == 0) break;
    if (!table.empty()) {
      BYTE red[256], green[256], blue[256];
      int entries = int(table.size() / 3);
      bool white = false;
      for (int i = 0; i < 256; ++i) {
        bool inTable = i < entries;
        red[i] = inTable ? table[size_t(3 * i)] : 0;
        green[i] = inTable ? table[size_t(3 * i + 1)] : 0;
        blue[i] = inTable ? table[size_t(3 * i + 2)] : 0;
        white = white || (inTable && red[i] == 255 && green[i] == 255 && blue[i] == 255);
      }
      int count = entries;
      if (transparentIndex != -1) {
        for (int i = entries; i < 256; ++i) red[i] = green[i] = blue[i] = 255;
        red[transparentIndex] = green[transparentIndex] = blue[transparentIndex] = 0;
        if (!white) red[255] = green[255] = blue[255] = 255;
        count = 256;
      }
      SetPalette(count, red, green, blue);
    }
    if (DecodeRaster(in, *this, (descriptor[8] & 0x40) != 0) != 0) break;
  }
  return true;
}

BOOL CImageCodecGIF::Read(const char* name) {
  TakeName(name);
  return ReadImageFile(fileName, [this](FILE* file) { return ReadStream(file); });
}

BOOL CImageCodecGIF::Write(const char*) { return FALSE; }
