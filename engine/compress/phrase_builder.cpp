#include "engine/compress/phrase_builder.h"

#include <algorithm>

#include "engine/compress/zeck_compressor.h"
#include "engine/mvfs/fs_authoring.h"
#include "platform/base/byte_io.h"
#include "platform/base/os_file.h"

namespace compress {
namespace {

constexpr int kBadList = 4;
constexpr int kNoMemory = 8;

// Bytes compared as signed values, as the compressor's search expects.
int compare_signed(const uint8_t* a, size_t a_size, const uint8_t* b, size_t b_size) {
  const size_t n = std::min(a_size, b_size);
  for (size_t i = 0; i < n; ++i) {
    const int d = int(int8_t(a[i])) - int(int8_t(b[i]));
    if (d) return d;
  }
  return a_size < b_size ? -1 : a_size > b_size ? 1 : 0;
}

const uint8_t* bytes_of(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

bool is_text_byte(unsigned high) { return high == 0 || high == '\t' || high == '\n' || high == '\r' || high >= 0x20; }

bool is_separator(uint8_t c) { return c == ' ' || c == '\r' || c == '\n'; }

}  // namespace

int PhrParseList(std::span<const uint8_t> list, PhraseList& phrases) {
  phrases.phrases.clear();
  if (list.empty() || list.size() > kMaxPhraseListSize) return kBadList;
  size_t start = 0;
  while (start < list.size()) {
    size_t cr = start;
    while (cr < list.size() && list[cr] != '\r') ++cr;
    if (cr + 1 >= list.size() || list[cr + 1] != '\n') return kBadList;
    if (phrases.phrases.size() == kMaxPhrases) return kBadList;
    std::string phrase(reinterpret_cast<const char*>(list.data() + start), cr - start);
    if (!phrases.phrases.empty()) {
      const std::string& before = phrases.phrases.back();
      if (compare_signed(bytes_of(before), before.size(), bytes_of(phrase), phrase.size()) >= 0) return kBadList;
    }
    phrases.phrases.push_back(std::move(phrase));
    start = cr + 2;
  }
  return 0;
}

int PhrBuildFile(const PhraseList& phrases, std::vector<uint8_t>& file) {
  file.clear();
  const size_t n = phrases.phrases.size();
  const uint32_t base = phrases.base ? phrases.base : kDefaultPhraseBase;
  if (n > kMaxPhrases) return kBadList;
  const uint32_t last_code = base + 2 * uint32_t(n) - 1;
  if (n && last_code > 0xFFFF) return kBadList;
  for (uint32_t high = base >> 8; n && high <= (last_code >> 8); ++high)
    if (is_text_byte(high)) return kBadList;

  std::vector<uint8_t> texts;
  std::vector<uint16_t> offsets;
  const size_t table_size = 2 * n + 2;
  for (const std::string& phrase : phrases.phrases) {
    if (table_size + texts.size() > 0xFFFF) return kBadList;
    offsets.push_back(uint16_t(table_size + texts.size()));
    texts.insert(texts.end(), phrase.begin(), phrase.end());
  }
  if (table_size + texts.size() > 0xFFFF) return kBadList;
  offsets.push_back(uint16_t(table_size + texts.size()));

  std::vector<uint8_t> packed(ZeckMaxCompressedSize(texts.size()));
  ZeckCompressor compressor;
  int code = 0;
  packed.resize(compressor.ZeckCompress(texts.data(), texts.size(), packed.data(), packed.size(), code));
  if (code) return kBadList;

  base::ByteWriter out(file);
  out.u16(2048);
  out.u16(uint16_t(n));
  out.u16(uint16_t(base));
  out.i32(int32_t(texts.size()));
  out.zeros(30);
  for (uint16_t offset : offsets) out.u16(offset);
  out.bytes(packed);
  return 0;
}

int PhrBuild(const mvfs::FileMoniker* list_file, mvfs::TitleFileSystem* fs, uint16_t code_base) {
  if (!list_file || !fs) return mvfs::kFsBadArgument;
  std::vector<uint8_t> list;
  const base::OsError read = base::read_file(list_file->path(), list, kMaxPhraseListSize + 1);
  if (read != base::OsError::None) return kBadList;
  PhraseList phrases;
  phrases.base = code_base;
  if (const int code = PhrParseList(list, phrases)) return code;
  std::vector<uint8_t> file;
  if (const int code = PhrBuildFile(phrases, file)) return code;
  mvfs::InternalFilePtr out = mvfs::FsCreateFile(fs, "|Phrases", 0);
  if (!out) return mvfs::FsGetLastError();
  if (mvfs::FsWriteFile(out.get(), file.data(), int64_t(file.size())) != int64_t(file.size())) {
    const int code = mvfs::FsGetLastError();
    mvfs::FsAbandonFile(std::move(out));
    return code ? code : kNoMemory;
  }
  return mvfs::FsCloseFile(std::move(out));
}

size_t PhrCompressText(uint8_t* text, size_t length, const PhraseList& phrases) {
  const uint32_t base = phrases.base ? phrases.base : kDefaultPhraseBase;
  const auto& list = phrases.phrases;
  size_t in = 0;
  size_t out = 0;
  while (in < length && is_separator(text[in])) text[out++] = text[in++];
  while (in < length) {
    // The longest phrase of at least three bytes that the text at `in` begins with: narrow the
    // candidates that share the first `len` bytes, for len = 3, 4, ...
    size_t lo = 0;
    size_t hi = list.size();
    size_t best = SIZE_MAX;
    for (size_t len = 3; len <= length - in && lo < hi; ++len) {
      const uint8_t* prefix = text + in;
      auto prefix_of = [&](const std::string& p) { return std::min(p.size(), len); };
      lo = size_t(std::partition_point(list.begin() + lo, list.begin() + hi, [&](const std::string& p) {
                    return compare_signed(bytes_of(p), prefix_of(p), prefix, len) < 0;
                  }) - list.begin());
      hi = size_t(std::partition_point(list.begin() + lo, list.begin() + hi, [&](const std::string& p) {
                    return compare_signed(bytes_of(p), prefix_of(p), prefix, len) <= 0;
                  }) - list.begin());
      if (lo < hi && list[lo].size() == len) best = lo;
    }
    if (best != SIZE_MAX) {
      const size_t size = list[best].size();
      const bool space = in + size < length && text[in + size] == ' ';
      const uint32_t code = base + 2 * uint32_t(best) + (space ? 1 : 0);
      text[out++] = uint8_t(code >> 8);
      text[out++] = uint8_t(code);
      in += size + (space ? 1 : 0);
      continue;
    }
    while (in < length && !is_separator(text[in])) text[out++] = text[in++];
    while (in < length && is_separator(text[in])) text[out++] = text[in++];
  }
  return out;
}

}  // namespace compress
